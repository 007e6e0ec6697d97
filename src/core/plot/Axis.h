// TGraphAxis: one axis of a graph frame. It maps data values to image pixels (linearly or
// logarithmically), lays out its ticks and label texts, and places every tick, label and
// its unit text in pixels so that a painter only has to draw them.
//
// Tick layout, linear axis (n requested labels, W = (max - min)/(n - 1), s = 0.075 W):
//   fine steps (s < 0.1): the decade multiplier D = 10^k is the first power of ten with
//     D s >= 0.1; Y = round(D W) gives the step 2/D (Y = 1, 2), 3/D (Y = 3), 5/D (4..6),
//     otherwise 1/D with D reduced tenfold; minor spacing 0.5/D for the 1/D step, else 1/D.
//     Labels "%.<k>f" for k <= 5, "%g" beyond.
//   coarse steps (s >= 0.1): the same 2, 3, 5, 10 ladder on the power of ten D with
//     W/D in [4/3, 40/3), labels "%g".
//   Labels sit at every multiple of the step inside the range plus the two range ends.
// Tick layout, logarithmic axis (X = |log10(max/min)|/(n - 1) decades per label):
//   X > 1: a label every round(X) decades, "%.1e"; otherwise round(1/X) labels per decade
//   at 10^(j/m), rounded to the digits of the format ("%.2g" above 4 per decade, else
//   "%.1g") so that each tick stands exactly at the value its label shows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/common/Real.h"
#include "core/plot/PlotFormat.h"
#include "core/plot/PlotTypes.h"

namespace tarvex {

// Where the unit text of an axis goes: appended to each label (code 0), put in front of
// each label (code 1), or written once after the last label as separate text (code 2).
enum class UnitPlacement : int32_t { Append = 0, Prepend = 1, Separate = 2 };

// The tick layout of one axis for one range.
struct TickLayout {
  bool logarithmic = false;
  LabelFormat format;           // "%g" when there are no ticks
  Real step = 0;                // linear: label spacing [data units]; 0: no ticks
  Real minorStep = 0;           // linear: minor tick spacing [data units]
  Real decade = 1;              // linear: the decade multiplier D
  int32_t k = 0;                // linear, fine steps: the decimal exponent of D
  int32_t decadesPerLabel = 0;  // logarithmic, X > 1
  int32_t labelsPerDecade = 0;  // logarithmic, X <= 1
  std::vector<Real> values;     // label values, increasing
};

// Tick layout of a linear axis over [min, max] with n requested labels (n >= 2).
TickLayout LinearTickLayout(Real min, Real max, int32_t n);

// Tick layout of a logarithmic axis over [min, max]; min and max non-zero, same sign.
TickLayout LogTickLayout(Real min, Real max, int32_t n);

// The rule that switches a log-capable axis to logarithmic: min and max of one sign and
// more than n/7 decades apart.
bool UsesLogScale(bool logCapable, Real min, Real max, int32_t n);

// One label of an axis, placed: the tick runs from the axis to tickEnd, the text is drawn
// at tickEnd with the axis' label alignment.
struct AxisLabel {
  Real value = 0;
  std::string text;
  PlotPoint tickStart;
  PlotPoint tickEnd;
};

// A text placed at an anchor point with an alignment.
struct PlacedText {
  PlotPoint anchor;
  std::string text;
  TextAlign align;
};

class TGraphAxis {
 public:
  // unit: the unit text; tickLength: tick length in pixels, its sign chooses the side
  // (positive: to the right of the direction start -> end on screen, i.e. below a
  // left-to-right axis and right of a bottom-to-top one); labelCount + 1 labels are
  // requested; first and second are the initial range, their order decides the sense:
  // first is drawn at the start pixel. start, end: the axis line in image pixels.
  TGraphAxis(std::string unit, int32_t tickLength, int32_t labelCount, Real first, Real second,
             PlotPoint start, PlotPoint end, PlotFont font = {});

  // Sets the range to [min(a, b), max(a, b)], keeping the sense. Chooses linear or
  // logarithmic mapping, the pixel scales and the tick layout. Non-finite values, or a
  // range too wide to represent, are refused (false) and leave the axis unchanged.
  bool SetRange(Real a, Real b);

  // Widens the range to value when it lies outside and maps to another pixel than the
  // nearer range end (any other value when the range is a single value). True when the
  // range changed, so that the caller redraws.
  bool Include(Real value);

  // Moves the axis line (e.g. after the frame was resized).
  void SetPixels(PlotPoint start, PlotPoint end);

  void SetLogCapable(bool on);
  void SetLabelCount(int32_t labelCount);
  void SetTickLength(int32_t tickLength);
  void SetUnit(std::string unit) { unit_ = std::move(unit); }
  void SetUnitPlacement(UnitPlacement placement) { unitPlacement_ = placement; }
  void SetFont(const PlotFont& font) { font_ = font; }
  void SetColor(PlotColor color) { color_ = color; }

  Real Min() const { return min_; }
  Real Max() const { return max_; }
  bool Reversed() const { return reversed_; }
  bool LogCapable() const { return logCapable_; }
  bool LogActive() const { return logActive_; }
  int32_t RequestedLabels() const { return n_; }
  PlotPoint Start() const { return start_; }
  PlotPoint End() const { return end_; }
  PlotPoint TickVector() const { return tick_; }
  PlotPoint MinorTickVector() const { return {tick_.x * 0.75L, tick_.y * 0.75L}; }
  PlotPoint Scale() const { return scale_; }    // [px per data unit, or per e-fold (log)]
  PlotPoint Origin() const { return origin_; }  // pixel of 0 (linear) or of |v| = 1 (log)
  const std::string& Unit() const { return unit_; }
  UnitPlacement GetUnitPlacement() const { return unitPlacement_; }
  const PlotFont& Font() const { return font_; }
  PlotColor Color() const { return color_; }
  const TickLayout& Layout() const { return layout_; }

  // Label alignment: a horizontal axis centres its labels horizontally, a vertical one
  // vertically; otherwise the sign of the tick vector decides per direction.
  TextAlign LabelAlign() const;

  // The pixel of a data value on the axis line (also outside the range); empty when the
  // value cannot be shown: not finite, or zero / of the other sign on a logarithmic axis.
  std::optional<PlotPoint> DataToPixel(Real value) const;

  // The data value at a pixel, by projection on the axis direction.
  Real PixelToData(PlotPoint pixel) const;

  // Every label with its tick and text (the unit text attached unless placed separately).
  std::vector<AxisLabel> Labels() const;

  // The separate unit text (placement code 2), beyond the end of the axis line.
  std::optional<PlacedText> UnitText() const;

 private:
  void UpdateGeometry();
  bool ApplyRange(Real min, Real max);

  std::string unit_;
  UnitPlacement unitPlacement_ = UnitPlacement::Separate;
  PlotFont font_;
  PlotColor color_ = PlotColors::kBlack;
  int32_t tickLength_ = 0;
  PlotPoint start_;
  PlotPoint end_;
  PlotPoint tick_;
  Real min_ = 0;
  Real max_ = 1;
  bool reversed_ = false;
  bool logCapable_ = false;
  bool logActive_ = false;
  int32_t n_ = 2;
  PlotPoint scale_;
  PlotPoint origin_;
  TickLayout layout_;
};

}  // namespace tarvex
