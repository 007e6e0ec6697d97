// PlotModel: the content and layout of one graph frame without any display. It holds the
// title, the axes (axis 0 horizontal, axis 1 the left vertical one, further vertical axes
// on the right), the curves, the ranges (fixed or fitted to the data) and the marker
// position, places everything in pixels for the frame size, maps pixels to data for the
// mouse readout and draws itself on a PlotCanvas.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/Real.h"
#include "core/plot/Axis.h"
#include "core/plot/PlotCanvas.h"
#include "core/plot/PlotTypes.h"

namespace tarvex {

enum class CurveLabelAt : int32_t { None = 0, First = 1, Last = 2 };

// One curve: points in data coordinates (x[i], y[i]), drawn against axis 0 and the
// vertical axis yAxis.
struct PlotSeries {
  std::string name;  // label text, shown at the first or last point when labelAt says so
  PlotColor color = PlotColors::kBlack;
  std::vector<Real> x;
  std::vector<Real> y;
  CurveLabelAt labelAt = CurveLabelAt::None;
  int32_t yAxis = 1;
};

// Space around the plot area, in pixels.
struct PlotGeometry {
  int32_t left = 64;   // room for the labels of the left axis
  int32_t right = 64;  // room for the unit text after the end of the horizontal axis
  int32_t top = 24;
  int32_t bottom = 32;
  int32_t extraAxisSpacing = 56;  // per vertical axis on the right
  int32_t tickLength = 5;
};

struct PlotRect {
  Real left = 0;
  Real top = 0;
  Real right = 0;
  Real bottom = 0;
};

struct PlotSegment {
  PlotPoint a;
  PlotPoint b;
};

// A polyline reduced to the pixel columns it crosses: of every run of consecutive points
// within one column (x in [k, k + 1) pixels) it keeps the first, the lowest, the highest
// and the last, in their order along the curve. Drawn, it covers the same pixels as the
// full polyline up to the rasterizer's rounding (inside a column the full one only runs
// up and down between those extremes), so a profile of 10 000 cells costs what the
// picture's width costs.
std::vector<PlotPoint> ReduceToPixelColumns(std::span<const PlotPoint> points);

class PlotModel {
 public:
  // Length of the tick that points at a curve's label [px].
  static constexpr Real kCurveLabelTick = 6;

  PlotModel(int32_t width, int32_t height, PlotGeometry geometry = {}, PlotFont font = {});

  // Frame size in pixels; the axes follow.
  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  const PlotGeometry& Geometry() const { return geometry_; }
  PlotRect PlotArea() const;

  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& Title() const { return title_; }
  const PlotFont& Font() const { return font_; }
  void SetBackground(PlotColor c) { background_ = c; }

  // Axes. XAxis is axis 0, YAxis axis 1; AddYAxis adds a vertical axis on the right and
  // returns its index.
  int32_t AxisCount() const { return static_cast<int32_t>(axes_.size()); }
  TGraphAxis& Axis(int32_t i) { return axes_.at(static_cast<size_t>(i)).axis; }
  const TGraphAxis& Axis(int32_t i) const { return axes_.at(static_cast<size_t>(i)).axis; }
  TGraphAxis& XAxis() { return Axis(0); }
  TGraphAxis& YAxis() { return Axis(1); }
  const TGraphAxis& XAxis() const { return Axis(0); }
  const TGraphAxis& YAxis() const { return Axis(1); }
  int32_t AddYAxis(std::string unit, PlotColor color);

  // Ranges. SetRange fixes the range of an axis; SetAutoRange makes it follow the data of
  // the curves drawn against it. Include widens a range to a value (see TGraphAxis).
  bool SetRange(int32_t axis, Real a, Real b);
  void SetAutoRange(int32_t axis, bool on);
  bool AutoRange(int32_t axis) const { return axes_.at(static_cast<size_t>(axis)).autoRange; }
  bool Include(int32_t axis, Real value);
  // Fits every auto-ranged axis to the finite data values of its curves.
  void FitAutoRanges();

  // Curves. Adding or replacing points refits the auto-ranged axes.
  int32_t AddSeries(PlotSeries series);
  int32_t SeriesCount() const { return static_cast<int32_t>(series_.size()); }
  const PlotSeries& Series(int32_t i) const { return series_.at(static_cast<size_t>(i)); }
  void SetSeriesPoints(int32_t i, std::vector<Real> x, std::vector<Real> y);
  void ClearSeries();

  // The pixel of a data point of a curve drawn against vertical axis yAxis; empty when
  // either coordinate cannot be shown.
  std::optional<PlotPoint> DataToPixel(Real x, Real y, int32_t yAxis = 1) const;

  // The curve as polylines in pixels, clipped to the plot area; a point that cannot be
  // shown (not finite, or not positive on a logarithmic axis) breaks the curve.
  std::vector<std::vector<PlotPoint>> CurvePolylines(int32_t series) const;

  // The vertical marker (a cursor drawn in XOR mode by the view): its data x, and the
  // line across the image at its pixel when that lies inside the image.
  void SetMarker(Real x) { marker_ = x; }
  void ClearMarker() { marker_.reset(); }
  std::optional<Real> Marker() const { return marker_; }
  std::optional<PlotSegment> MarkerLine() const;

  // The mouse readout for a pixel: "(px, py) : (x, y)" with x and y from axes 0 and 1 in
  // "%.4g".
  std::string ReadoutText(int32_t px, int32_t py) const;

  // Draws the picture: title, axes with their ticks, labels and unit texts, then the
  // curves with their labels.
  void Draw(PlotCanvas& canvas) const;

 private:
  struct AxisSlot {
    TGraphAxis axis;
    bool autoRange = false;
  };

  void PlaceAxes();

  int32_t width_ = 0;
  int32_t height_ = 0;
  PlotGeometry geometry_;
  PlotFont font_;
  PlotColor background_ = PlotColors::kWhite;
  std::string title_;
  std::vector<AxisSlot> axes_;
  std::vector<PlotSeries> series_;
  std::optional<Real> marker_;
};

}  // namespace tarvex
