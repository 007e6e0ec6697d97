// PlotCanvas: the drawing surface a plot model draws on. The model has already placed
// everything in image pixels (ticks, label anchors, clipped curve polylines), so an
// implementation only turns calls into output: the EPS writer into PostScript text, the
// Qt layer into QPainter calls on a bitmap or the screen.
//
// State: pen width, font and colour are current until changed. Lines and text are drawn
// in the current colour; SetFont also makes the font's colour current. An axis scope
// (BeginAxis) keeps what it sets for everything drawn after it; a curve scope
// (BeginCurve ... EndCurve) restores the state it began with.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/common/Real.h"
#include "core/plot/PlotTypes.h"

namespace tarvex {

// The picture as a whole: its size in pixels, the frame font (whose colour becomes the
// current colour), the background and the initial pen width.
struct PictureSetup {
  int32_t width = 0;   // [px]
  int32_t height = 0;  // [px]
  PlotFont font;
  PlotColor background = PlotColors::kWhite;
  Real penWidth = 1;  // [px]
};

class PlotCanvas {
 public:
  virtual ~PlotCanvas() = default;

  virtual void BeginPicture(const PictureSetup& setup) = 0;
  virtual void EndPicture() = 0;

  virtual void BeginAxis() = 0;
  virtual void BeginCurve() = 0;
  virtual void EndCurve() = 0;

  virtual void SetPenWidth(Real px) = 0;
  virtual void SetFont(const PlotFont& font) = 0;
  virtual void SetColor(PlotColor color) = 0;

  virtual void Line(PlotPoint a, PlotPoint b) = 0;
  virtual void Polyline(std::span<const PlotPoint> points) = 0;
  // Text placed by its alignment relative to the anchor (see TextAlign).
  virtual void Text(PlotPoint anchor, std::string_view text, TextAlign align) = 0;
};

}  // namespace tarvex
