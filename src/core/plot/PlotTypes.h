// Small value types shared by the plot model, its canvas interface and the EPS writer:
// points in image pixels, colours, fonts and the label alignment codes.
#pragma once

#include <cstdint>
#include <string>

#include "core/common/Real.h"

namespace tarvex {

// A position in image pixels: x to the right, y downwards, (0, 0) the top-left corner.
// Fractional positions are kept so that the EPS export keeps sub-pixel precision.
struct PlotPoint {
  Real x = 0;
  Real y = 0;
  friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// An opaque RGB colour. Windows-style colour values (0x00BBGGRR) convert both ways.
struct PlotColor {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;

  static constexpr PlotColor FromBgr(uint32_t bgr) {
    return PlotColor{static_cast<uint8_t>(bgr & 0xFFu), static_cast<uint8_t>((bgr >> 8) & 0xFFu),
                     static_cast<uint8_t>((bgr >> 16) & 0xFFu)};
  }
  static constexpr PlotColor FromRgb(uint32_t rgb) {
    return PlotColor{static_cast<uint8_t>((rgb >> 16) & 0xFFu),
                     static_cast<uint8_t>((rgb >> 8) & 0xFFu), static_cast<uint8_t>(rgb & 0xFFu)};
  }
  constexpr uint32_t Bgr() const {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
           (static_cast<uint32_t>(b) << 16);
  }
  constexpr uint32_t Rgb() const {
    return (static_cast<uint32_t>(r) << 16) | (static_cast<uint32_t>(g) << 8) |
           static_cast<uint32_t>(b);
  }
  friend constexpr bool operator==(const PlotColor&, const PlotColor&) = default;
};

// The colours the graphs of the main window use.
namespace PlotColors {
constexpr PlotColor kBlack{0, 0, 0};
constexpr PlotColor kWhite{255, 255, 255};
constexpr PlotColor kRed{255, 0, 0};
constexpr PlotColor kBlue{0, 0, 255};
constexpr PlotColor kGreen{0, 128, 0};      // "Ti", "Pi"
constexpr PlotColor kMagenta{255, 0, 255};  // "Te", "Pe", the Z axis
constexpr PlotColor kNavy{0, 0, 128};       // "Sxx" (dark blue)
constexpr PlotColor kGray{128, 128, 128};   // "Ph"
}  // namespace PlotColors

// A font as the picture needs it: the family name, the character height in pixels and
// the colour text is written in.
struct PlotFont {
  std::string name = "Courier";
  int32_t height = 12;  // [px]
  PlotColor color = PlotColors::kBlack;
  friend bool operator==(const PlotFont&, const PlotFont&) = default;
};

// Placement of a text relative to its anchor point, per screen direction:
//   Start  = no shift (text begins at the anchor / its top is at the anchor),
//   End    = shift by the whole text width (height): the text ends at the anchor,
//   Center = shift by half of it.
// The numeric values are the alignment codes 0, 1, 2 of the graph axes.
enum class TextShift : int32_t { Start = 0, End = 1, Center = 2 };

struct TextAlign {
  TextShift h = TextShift::Start;
  TextShift v = TextShift::Start;
  friend bool operator==(const TextAlign&, const TextAlign&) = default;
};

}  // namespace tarvex
