// PlotModel: frame geometry, ranges, curve polylines, marker, mouse readout and drawing.
#include "core/plot/PlotModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/plot/PlotFormat.h"

namespace tarvex {

namespace {

bool Inside(PlotPoint p, const PlotRect& r) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// Liang-Barsky clipping of the segment a-b to the rectangle. The ends that need no
// clipping are returned unchanged, so consecutive segments join exactly.
std::optional<PlotSegment> ClipSegment(PlotPoint a, PlotPoint b, const PlotRect& r) {
  const Real dx = b.x - a.x;
  const Real dy = b.y - a.y;
  Real t0 = 0;
  Real t1 = 1;
  const Real p[4] = {-dx, dx, -dy, dy};
  const Real q[4] = {a.x - r.left, r.right - a.x, a.y - r.top, r.bottom - a.y};
  for (int32_t i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;  // parallel to this edge and outside it
      continue;
    }
    const Real t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return std::nullopt;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return std::nullopt;
      t1 = std::min(t1, t);
    }
  }
  PlotSegment s{a, b};
  if (t0 > 0) s.a = {a.x + t0 * dx, a.y + t0 * dy};
  if (t1 < 1) s.b = {a.x + t1 * dx, a.y + t1 * dy};
  return s;
}

}  // namespace

std::vector<PlotPoint> ReduceToPixelColumns(std::span<const PlotPoint> points) {
  std::vector<PlotPoint> out;
  const size_t n = points.size();
  out.reserve(std::min<size_t>(n, 4 * 4096));
  size_t i = 0;
  while (i < n) {
    // The run of points in the column of points[i].
    const Real column = std::floor(points[i].x);
    size_t end = i + 1;
    size_t lo = i;
    size_t hi = i;
    while (end < n && std::floor(points[end].x) == column) {
      if (points[end].y < points[lo].y) lo = end;
      if (points[end].y > points[hi].y) hi = end;
      ++end;
    }
    const size_t last = end - 1;
    // Keep first, extremes and last in curve order, each once.
    size_t keep[4] = {i, std::min(lo, hi), std::max(lo, hi), last};
    size_t prev = n;
    for (size_t k : keep) {
      if (k != prev) out.push_back(points[k]);
      prev = k;
    }
    i = end;
  }
  return out;
}

PlotModel::PlotModel(int32_t width, int32_t height, PlotGeometry geometry, PlotFont font)
    : width_(std::max(width, int32_t{0})),
      height_(std::max(height, int32_t{0})),
      geometry_(geometry),
      font_(std::move(font)) {
  axes_.push_back({TGraphAxis("", geometry_.tickLength, 4, 0, 1, {}, {}, font_), false});
  axes_.push_back({TGraphAxis("", -geometry_.tickLength, 4, 0, 1, {}, {}, font_), false});
  PlaceAxes();
}

void PlotModel::SetSize(int32_t width, int32_t height) {
  width_ = std::max(width, int32_t{0});
  height_ = std::max(height, int32_t{0});
  PlaceAxes();
}

void PlotModel::PlaceAxes() {
  const int32_t extra = static_cast<int32_t>(axes_.size()) - 2;
  const Real left = geometry_.left;
  const Real bottom = static_cast<Real>(height_ - geometry_.bottom);
  const Real top = geometry_.top;
  const Real right = std::max(
      left, static_cast<Real>(width_ - geometry_.right - extra * geometry_.extraAxisSpacing));
  const int32_t t = geometry_.tickLength;
  axes_[0].axis.SetTickLength(t);
  axes_[0].axis.SetPixels({left, bottom}, {right, bottom});
  axes_[1].axis.SetTickLength(-t);
  axes_[1].axis.SetPixels({left, bottom}, {left, top});
  for (size_t i = 2; i < axes_.size(); ++i) {
    const Real x = right + static_cast<Real>(i - 2) * geometry_.extraAxisSpacing;
    axes_[i].axis.SetTickLength(t);
    axes_[i].axis.SetPixels({x, bottom}, {x, top});
  }
}

PlotRect PlotModel::PlotArea() const {
  const TGraphAxis& x = XAxis();
  const TGraphAxis& y = YAxis();
  return {std::min(x.Start().x, x.End().x), std::min(y.Start().y, y.End().y),
          std::max(x.Start().x, x.End().x), std::max(y.Start().y, y.End().y)};
}

int32_t PlotModel::AddYAxis(std::string unit, PlotColor color) {
  TGraphAxis axis(std::move(unit), geometry_.tickLength, 4, 0, 1, {}, {}, font_);
  axis.SetColor(color);
  axes_.push_back({std::move(axis), false});
  PlaceAxes();
  return static_cast<int32_t>(axes_.size()) - 1;
}

bool PlotModel::SetRange(int32_t axis, Real a, Real b) {
  AxisSlot& slot = axes_.at(static_cast<size_t>(axis));
  slot.autoRange = false;
  return slot.axis.SetRange(a, b);
}

void PlotModel::SetAutoRange(int32_t axis, bool on) {
  axes_.at(static_cast<size_t>(axis)).autoRange = on;
  if (on) FitAutoRanges();
}

bool PlotModel::Include(int32_t axis, Real value) {
  return axes_.at(static_cast<size_t>(axis)).axis.Include(value);
}

void PlotModel::FitAutoRanges() {
  for (size_t i = 0; i < axes_.size(); ++i) {
    if (!axes_[i].autoRange) continue;
    bool any = false;
    Real lo = 0;
    Real hi = 0;
    for (const PlotSeries& s : series_) {
      if (i != 0 && s.yAxis != static_cast<int32_t>(i)) continue;
      for (Real v : i == 0 ? s.x : s.y) {
        if (!std::isfinite(v)) continue;
        lo = any ? std::min(lo, v) : v;
        hi = any ? std::max(hi, v) : v;
        any = true;
      }
    }
    if (any) axes_[i].axis.SetRange(lo, hi);
  }
}

int32_t PlotModel::AddSeries(PlotSeries series) {
  series_.push_back(std::move(series));
  FitAutoRanges();
  return static_cast<int32_t>(series_.size()) - 1;
}

void PlotModel::SetSeriesPoints(int32_t i, std::vector<Real> x, std::vector<Real> y) {
  PlotSeries& s = series_.at(static_cast<size_t>(i));
  s.x = std::move(x);
  s.y = std::move(y);
  FitAutoRanges();
}

void PlotModel::ClearSeries() {
  series_.clear();
}

std::optional<PlotPoint> PlotModel::DataToPixel(Real x, Real y, int32_t yAxis) const {
  if (yAxis < 1 || yAxis >= AxisCount()) return std::nullopt;
  const std::optional<PlotPoint> px = XAxis().DataToPixel(x);
  const std::optional<PlotPoint> py = Axis(yAxis).DataToPixel(y);
  if (!px || !py) return std::nullopt;
  return PlotPoint{px->x, py->y};
}

std::vector<std::vector<PlotPoint>> PlotModel::CurvePolylines(int32_t series) const {
  const PlotSeries& s = Series(series);
  // A hair wider than the plot area: points on its edge, up to rounding, stay inside.
  constexpr Real kEdge = 1e-6L;  // [px]
  PlotRect area = PlotArea();
  area = {area.left - kEdge, area.top - kEdge, area.right + kEdge, area.bottom + kEdge};
  std::vector<std::vector<PlotPoint>> pieces;
  std::vector<PlotPoint> current;
  auto flush = [&]() {
    if (current.size() >= 2) pieces.push_back(std::move(current));
    current.clear();
  };
  PlotPoint prev;
  bool havePrev = false;
  const size_t count = std::min(s.x.size(), s.y.size());
  for (size_t i = 0; i < count; ++i) {
    const std::optional<PlotPoint> q = DataToPixel(s.x[i], s.y[i], s.yAxis);
    if (!q) {
      flush();
      havePrev = false;
      continue;
    }
    if (havePrev) {
      const std::optional<PlotSegment> seg = ClipSegment(prev, *q, area);
      if (!seg) {
        flush();
      } else {
        if (current.empty() || !(current.back() == seg->a)) {
          flush();
          current.push_back(seg->a);
        }
        current.push_back(seg->b);
        if (!(seg->b == *q)) flush();  // the curve leaves the plot area here
      }
    } else if (Inside(*q, area)) {
      current.push_back(*q);
    }
    prev = *q;
    havePrev = true;
  }
  flush();
  return pieces;
}

std::optional<PlotSegment> PlotModel::MarkerLine() const {
  if (!marker_) return std::nullopt;
  const std::optional<PlotPoint> p = XAxis().DataToPixel(*marker_);
  if (!p || p->x < 0 || p->x >= static_cast<Real>(width_)) return std::nullopt;
  return PlotSegment{{p->x, 0}, {p->x, static_cast<Real>(height_)}};
}

std::string PlotModel::ReadoutText(int32_t px, int32_t py) const {
  const PlotPoint p{static_cast<Real>(px), static_cast<Real>(py)};
  char pixels[32];
  std::snprintf(pixels, sizeof pixels, "(%d, %d) : (", static_cast<int>(px), static_cast<int>(py));
  return std::string(pixels) + PrintfReal(PrintfStyle::General, 4, XAxis().PixelToData(p)) + ", " +
         PrintfReal(PrintfStyle::General, 4, YAxis().PixelToData(p)) + ")";
}

void PlotModel::Draw(PlotCanvas& canvas) const {
  PictureSetup setup;
  setup.width = width_;
  setup.height = height_;
  setup.font = font_;
  setup.background = background_;
  canvas.BeginPicture(setup);
  if (!title_.empty()) {
    canvas.Text({static_cast<Real>(width_) / 2, 2}, title_, {TextShift::Center, TextShift::Start});
  }

  for (const AxisSlot& slot : axes_) {
    const TGraphAxis& axis = slot.axis;
    canvas.BeginAxis();
    canvas.SetPenWidth(0.75L);
    canvas.SetFont(axis.Font());
    canvas.SetColor(axis.Color());
    canvas.Line(axis.Start(), axis.End());
    const TextAlign align = axis.LabelAlign();
    for (const AxisLabel& label : axis.Labels()) {
      canvas.Line(label.tickStart, label.tickEnd);
      canvas.Text(label.tickEnd, label.text, align);
    }
    if (const std::optional<PlacedText> unit = axis.UnitText()) {
      canvas.Text(unit->anchor, unit->text, unit->align);
    }
  }

  for (int32_t i = 0; i < SeriesCount(); ++i) {
    const PlotSeries& s = Series(i);
    const std::vector<std::vector<PlotPoint>> pieces = CurvePolylines(i);
    canvas.BeginCurve();
    canvas.SetColor(s.color);
    for (const std::vector<PlotPoint>& piece : pieces) canvas.Polyline(piece);
    if (s.labelAt != CurveLabelAt::None && !s.name.empty() && !pieces.empty()) {
      const bool first = s.labelAt == CurveLabelAt::First;
      const PlotPoint at = first ? pieces.front().front() : pieces.back().back();
      const PlotPoint tickEnd{at.x + (first ? -kCurveLabelTick : kCurveLabelTick), at.y};
      canvas.Line(at, tickEnd);
      canvas.Text(tickEnd, s.name, {first ? TextShift::End : TextShift::Start, TextShift::Center});
    }
    canvas.EndCurve();
  }
  canvas.EndPicture();
}

}  // namespace tarvex
