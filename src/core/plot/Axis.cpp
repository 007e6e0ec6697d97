// TGraphAxis: range, mapping, tick layout and label placement of one graph axis.
#include "core/plot/Axis.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <utility>

#include "core/common/FpGuard.h"

namespace tarvex {

namespace {

constexpr int32_t kMaxLabels = 1000;  // bound on the requested label count
constexpr Real kSameValue = 1e-6L;    // labels closer than this (in steps) are one label

// Label count n, as the axis keeps it: the constructor argument plus one, at least 2.
int32_t LabelsFromCount(int32_t labelCount) {
  return std::clamp(labelCount, int32_t{1}, kMaxLabels) + 1;
}

// Adds the range ends to the multiples of the step (skipping an end that coincides with a
// multiple) and sorts.
void AddRangeEnds(std::vector<Real>& values, Real min, Real max, Real tolerance) {
  for (Real end : {min, max}) {
    bool present = false;
    for (Real v : values) {
      if (std::fabs(v - end) <= tolerance) present = true;
    }
    if (!present) values.push_back(end);
  }
  std::sort(values.begin(), values.end());
}

// Labels at the multiples j * step inside [min, max].
void AddMultiples(std::vector<Real>& values, Real min, Real max, Real step) {
  const Real jLo = std::ceil(min / step - kSameValue);
  const Real jHi = std::floor(max / step + kSameValue);
  if (!(jHi - jLo < 4 * kMaxLabels)) return;  // a step too fine for the range: ends only
  for (Real j = jLo; j <= jHi; j += 1) {
    Real v = j * step;
    // A multiple within the tolerance of a range end stands for that end exactly.
    if (std::fabs(v - min) <= kSameValue * step) v = min;
    if (std::fabs(v - max) <= kSameValue * step) v = max;
    values.push_back(v);
  }
}

}  // namespace

TickLayout LinearTickLayout(Real min, Real max, int32_t n) {
  TickLayout t;
  t.format = LabelFormat::General();
  if (n < 2) n = 2;
  const Real W = (max - min) / static_cast<Real>(n - 1);
  const Real s = 0.075L * W;
  if (!std::isfinite(W) || !(s > 0)) return t;  // single value: no ticks, "%g"

  Real D = 1;
  int32_t code = 0;
  if (s < 0.1L) {
    int32_t k = 0;
    while (D * s < 0.1L && D <= LDBL_MAX / 10) {
      D *= 10;
      ++k;
    }
    const Real Y = RoundHalfEven(D * W);
    if (Y <= 2) {
      code = 2;
    } else if (Y == 3) {
      code = 3;
    } else if (Y <= 6) {
      code = 5;
    } else {
      code = 1;
      D /= 10;
      --k;
    }
    t.step = static_cast<Real>(code) / D;
    t.minorStep = (code == 1 ? 0.5L : 1.0L) / D;
    t.decade = D;
    t.k = k;
    if (k <= 5) {
      t.format = LabelFormat::Fixed(std::max(k, int32_t{0}));
    } else if (D * s >= 1) {
      // Kept for completeness: the search above stops with D s < 1, so this form only
      // appears when it was cut short by the range of the type.
      const Real digits = std::ceil(std::log10(std::max(std::fabs(min), max) * D));
      t.format = LabelFormat::General(static_cast<int32_t>(std::max(digits, 1.0L)));
    }
  } else {
    // The power of ten D with W/D in [4/3, 40/3), i.e. 0.1 <= s/D < 1, then the same
    // 2, 3, 5, 10 ladder as for fine steps.
    while (s / (10 * D) >= 0.1L && D <= LDBL_MAX / 10) D *= 10;
    const Real Y = RoundHalfEven(W / D);
    if (Y <= 2) {
      code = 2;
    } else if (Y == 3) {
      code = 3;
    } else if (Y <= 6) {
      code = 5;
    } else {
      code = 10;
    }
    t.step = static_cast<Real>(code) * D;
    t.minorStep = code == 10 ? 5 * D : D;
    t.decade = D;
  }
  AddMultiples(t.values, min, max, t.step);
  AddRangeEnds(t.values, min, max, kSameValue * t.step);
  return t;
}

TickLayout LogTickLayout(Real min, Real max, int32_t n) {
  TickLayout t;
  t.logarithmic = true;
  if (n < 2) n = 2;
  const Real sign = min < 0 ? -1 : 1;
  const Real lo = std::min(std::fabs(min), std::fabs(max));
  const Real hi = std::max(std::fabs(min), std::fabs(max));
  if (!(lo > 0) || !std::isfinite(hi)) {
    t.format = LabelFormat::General();
    return t;
  }
  const Real L0 = std::log10(lo);
  const Real L1 = std::log10(hi);
  const Real X = (L1 - L0) / static_cast<Real>(n - 1);
  const Real inLo = lo * (1 - 1e-12L);
  const Real inHi = hi * (1 + 1e-12L);
  std::vector<Real> magnitudes;
  if (X > 1) {
    const Real r = RoundHalfEven(X);
    t.decadesPerLabel = static_cast<int32_t>(r);
    t.format = LabelFormat::Exponent(1);
    for (Real d = std::ceil(L0 / r) * r; d <= std::floor(L1) + 1; d += r) {
      const Real v = std::pow(10.0L, d);
      if (v >= inLo && v <= inHi) magnitudes.push_back(v);
    }
  } else if (X > 0) {
    const Real m = RoundHalfEven(1 / X);
    t.labelsPerDecade = static_cast<int32_t>(m);
    const int32_t digits = m > 4 ? 2 : 1;
    t.format = LabelFormat::General(digits);
    for (Real d = std::floor(L0); d <= std::ceil(L1); d += 1) {
      for (Real j = 0; j < m; j += 1) {
        const Real v = RoundSignificant(std::pow(10.0L, d + j / m), digits);
        if (v >= inLo && v <= inHi) magnitudes.push_back(v);
      }
    }
  } else {
    t.format = LabelFormat::General();
    return t;
  }
  // The range ends, unless a label already stands there.
  for (Real end : {lo, hi}) {
    bool present = false;
    for (Real v : magnitudes) {
      if (std::fabs(v / end - 1) <= 1e-9L) present = true;
    }
    if (!present) magnitudes.push_back(end);
  }
  std::sort(magnitudes.begin(), magnitudes.end());
  magnitudes.erase(std::unique(magnitudes.begin(), magnitudes.end()), magnitudes.end());
  for (Real v : magnitudes) t.values.push_back(sign * v);
  std::sort(t.values.begin(), t.values.end());
  return t;
}

bool UsesLogScale(bool logCapable, Real min, Real max, int32_t n) {
  if (!logCapable) return false;
  const bool sameSign = (min > 0 && max > 0) || (min < 0 && max < 0);
  if (!sameSign) return false;
  // log10 of each end rather than of the ratio: the ratio may overflow.
  const Real decades = std::fabs(std::log10(std::fabs(max)) - std::log10(std::fabs(min)));
  return decades * 7 > static_cast<Real>(n);
}

TGraphAxis::TGraphAxis(std::string unit, int32_t tickLength, int32_t labelCount, Real first,
                       Real second, PlotPoint start, PlotPoint end, PlotFont font)
    : unit_(std::move(unit)),
      font_(std::move(font)),
      tickLength_(tickLength),
      start_(start),
      end_(end),
      reversed_(!(first < second)),
      n_(LabelsFromCount(labelCount)) {
  UpdateGeometry();
  if (!SetRange(first, second)) ApplyRange(0, 1);
}

void TGraphAxis::UpdateGeometry() {
  const Real dx = end_.x - start_.x;
  const Real dy = end_.y - start_.y;
  const Real length = std::hypot(dx, dy);
  const Real t = static_cast<Real>(tickLength_);
  if (length == 0) {
    tick_ = {};
  } else if (dy == 0) {
    tick_ = {0, dx > 0 ? t : -t};
  } else if (dx == 0) {
    tick_ = {dy > 0 ? -t : t, 0};
  } else {
    // The screen direction turned by a quarter turn clockwise (y points down).
    tick_ = {-dy / length * t, dx / length * t};
  }
  ApplyRange(min_, max_);
}

void TGraphAxis::SetPixels(PlotPoint start, PlotPoint end) {
  start_ = start;
  end_ = end;
  UpdateGeometry();
}

void TGraphAxis::SetTickLength(int32_t tickLength) {
  tickLength_ = tickLength;
  UpdateGeometry();
}

void TGraphAxis::SetLogCapable(bool on) {
  logCapable_ = on;
  ApplyRange(min_, max_);
}

void TGraphAxis::SetLabelCount(int32_t labelCount) {
  n_ = LabelsFromCount(labelCount);
  ApplyRange(min_, max_);
}

bool TGraphAxis::SetRange(Real a, Real b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return false;
  return ApplyRange(std::min(a, b), std::max(a, b));
}

bool TGraphAxis::ApplyRange(Real min, Real max) {
  const Real vStart = reversed_ ? max : min;
  const Real vEnd = reversed_ ? min : max;
  const Real dx = end_.x - start_.x;
  const Real dy = end_.y - start_.y;
  const bool logActive = UsesLogScale(logCapable_, min, max, n_);
  PlotPoint scale;
  PlotPoint origin;
  {
    FpGuard guard;
    if (min == max) {
      origin = {(start_.x + end_.x) / 2, (start_.y + end_.y) / 2};
    } else if (logActive) {
      const Real lnEnd = std::log(std::fabs(vEnd));
      const Real lnSpan = lnEnd - std::log(std::fabs(vStart));
      scale = {dx / lnSpan, dy / lnSpan};
      origin = {end_.x - lnEnd * scale.x, end_.y - lnEnd * scale.y};
    } else {
      const Real span = vEnd - vStart;
      scale = {dx / span, dy / span};
      origin = {end_.x - vEnd * scale.x, end_.y - vEnd * scale.y};
    }
    if (guard.Faulted() || !std::isfinite(origin.x) || !std::isfinite(origin.y)) return false;
  }
  min_ = min;
  max_ = max;
  logActive_ = logActive;
  scale_ = scale;
  origin_ = origin;
  layout_ = logActive ? LogTickLayout(min, max, n_) : LinearTickLayout(min, max, n_);
  return true;
}

bool TGraphAxis::Include(Real value) {
  if (!std::isfinite(value) || (value >= min_ && value <= max_)) return false;
  if (min_ != max_) {
    const Real nearer = value < min_ ? min_ : max_;
    const std::optional<PlotPoint> p = DataToPixel(value);
    const std::optional<PlotPoint> q = DataToPixel(nearer);
    if (p && q) {
      // Compare along the axis' main screen direction, in whole pixels.
      const bool vertical = std::fabs(end_.y - start_.y) > std::fabs(end_.x - start_.x);
      const Real pv = RoundHalfEven(vertical ? p->y : p->x);
      const Real qv = RoundHalfEven(vertical ? q->y : q->x);
      if (pv == qv) return false;
    }
  }
  return ApplyRange(std::min(value, min_), std::max(value, max_));
}

TextAlign TGraphAxis::LabelAlign() const {
  auto bySign = [](Real c) {
    return c > 0 ? TextShift::Start : (c < 0 ? TextShift::End : TextShift::Center);
  };
  TextAlign a{bySign(tick_.x), bySign(tick_.y)};
  if (end_.y == start_.y) a.h = TextShift::Center;
  if (end_.x == start_.x) a.v = TextShift::Center;
  return a;
}

std::optional<PlotPoint> TGraphAxis::DataToPixel(Real value) const {
  if (!std::isfinite(value)) return std::nullopt;
  if (min_ == max_) return origin_;
  Real f = value;
  if (logActive_) {
    const bool sameSign = (value > 0 && min_ > 0) || (value < 0 && min_ < 0);
    if (!sameSign) return std::nullopt;
    f = std::log(std::fabs(value));
  }
  FpGuard guard;
  const PlotPoint p{origin_.x + f * scale_.x, origin_.y + f * scale_.y};
  if (guard.Faulted() || !std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
  return p;
}

Real TGraphAxis::PixelToData(PlotPoint pixel) const {
  const Real dx = end_.x - start_.x;
  const Real dy = end_.y - start_.y;
  const Real length2 = dx * dx + dy * dy;
  if (min_ == max_ || length2 == 0) return min_;
  const Real t = ((pixel.x - start_.x) * dx + (pixel.y - start_.y) * dy) / length2;
  const Real vStart = reversed_ ? max_ : min_;
  const Real vEnd = reversed_ ? min_ : max_;
  if (logActive_) {
    const Real lnStart = std::log(std::fabs(vStart));
    const Real lnEnd = std::log(std::fabs(vEnd));
    const Real sign = vStart < 0 ? -1 : 1;
    return sign * std::exp(lnStart + t * (lnEnd - lnStart));
  }
  return vStart + t * (vEnd - vStart);
}

std::vector<AxisLabel> TGraphAxis::Labels() const {
  std::vector<AxisLabel> labels;
  labels.reserve(layout_.values.size());
  for (Real v : layout_.values) {
    const std::optional<PlotPoint> p = DataToPixel(v);
    if (!p) continue;
    AxisLabel label;
    label.value = v;
    label.tickStart = *p;
    label.tickEnd = {p->x + tick_.x, p->y + tick_.y};
    label.text = FormatAxisNumber(v, layout_.format);
    if (unitPlacement_ == UnitPlacement::Append) label.text += unit_;
    if (unitPlacement_ == UnitPlacement::Prepend) label.text = unit_ + label.text;
    labels.push_back(std::move(label));
  }
  return labels;
}

std::optional<PlacedText> TGraphAxis::UnitText() const {
  if (unitPlacement_ != UnitPlacement::Separate || unit_.empty()) return std::nullopt;
  const Real dx = end_.x - start_.x;
  const Real dy = end_.y - start_.y;
  const Real length = std::hypot(dx, dy);
  PlotPoint dir;
  if (length > 0) dir = {dx / length, dy / length};
  // One character height beyond the end of the axis line, on the label side.
  const Real gap = static_cast<Real>(std::abs(font_.height));
  PlacedText t;
  t.text = unit_;
  t.anchor = {end_.x + dir.x * gap + tick_.x, end_.y + dir.y * gap + tick_.y};
  const TextAlign labels = LabelAlign();
  auto along = [](Real c, TextShift otherwise) {
    return c > 0 ? TextShift::Start : (c < 0 ? TextShift::End : otherwise);
  };
  t.align = {along(dir.x, labels.h), along(dir.y, labels.v)};
  return t;
}

}  // namespace tarvex
