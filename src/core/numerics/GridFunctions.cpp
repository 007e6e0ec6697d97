// Axis functions of tabulated data and the one-segment interpolation kernels.
#include "core/numerics/GridFunctions.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <limits>

#include "core/common/NewtonCycle.h"

namespace tarvex {

Real TableAxis::ValueAtIndex(int32_t n) const {
  return ValueAtRealIndex(static_cast<Real>(n));
}

Real TableAxis::FractionalIndex(Real x) const {
  if (kind == AxisKind::Exponential) return std::log(x / x0) / h;
  return (x - x0) / h;
}

Real TableAxis::ValueAtRealIndex(Real s) const {
  if (kind == AxisKind::Exponential) return x0 * std::exp(h * s);
  return x0 + h * s;
}

Real TableAxis::IndexDerivative(Real x) const {
  if (kind == AxisKind::Exponential) return 1 / (h * x);
  return 1 / h;
}

Real LinearThrough(Real x1, Real y1, Real x2, Real y2, Real x) {
  const Real t = (x - x1) / (x2 - x1);
  const Real dy = y2 - y1;
  // Measured from the nearer node, so both nodes and constants come out exactly.
  return t <= Real(0.5) ? y1 + t * dy : y2 - (1 - t) * dy;
}

namespace {

// The cubic of one segment in the local coordinate t in [0, 1]:
//   y(t) = (1 - t) y_i + t y_{i+1} + t (1 - t) [t K1 + (1 - t) K2].
// Its slope dy/dt is dy + K2 at t = 0 and dy - K1 at t = 1, so K1 and K2 carry the end
// slopes. The one-sided kernel is the same curve with K2 = 0 (chord slope at x_i).
struct SegmentCubic {
  Real xi = 0, xi1 = 0, Delta = 0;
  Real yi = 0, yi1 = 0, dy = 0;
  Real K1 = 0, K2 = 0;

  Real T(Real x) const { return (x - xi) / Delta; }
  // x at t, measured from the nearer node so that t = 0 and t = 1 give the nodes exactly.
  Real X(Real t) const { return t <= Real(0.5) ? xi + Delta * t : xi1 - Delta * (1 - t); }
  Real Value(Real t) const {
    const Real u = 1 - t;
    return u * yi + t * yi1 + t * u * (t * K1 + u * K2);
  }
  Real SlopeT(Real t) const { return dy + K1 * t * (2 - 3 * t) + K2 * (1 - t) * (1 - 3 * t); }
};

SegmentCubic MakeCubic(const SegmentPoints& p, bool twoSided) {
  SegmentCubic c;
  c.xi = p.x[1];
  c.xi1 = p.x[2];
  c.Delta = c.xi1 - c.xi;
  c.yi = p.y[1];
  c.yi1 = p.y[2];
  c.dy = c.yi1 - c.yi;
  if (c.dy == 0) return c;  // flat: the kernels return y_i without the end slopes
  const Real s = c.dy / c.Delta;
  const Real Delta2 = c.Delta * c.Delta;
  if (p.y[3] != p.y[2]) {
    const Real sR = (p.y[3] - p.y[2]) / (p.x[3] - p.x[2]);
    c.K1 = Delta2 * (s - sR) / (p.x[3] - p.x[1]);
  } else {
    c.K1 = c.dy;  // flat right neighbour: zero slope at x_{i+1}
  }
  if (!twoSided) return c;
  if (p.y[0] != p.y[1]) {
    const Real sL = (p.y[1] - p.y[0]) / (p.x[1] - p.x[0]);
    c.K2 = Delta2 * (sL - s) / (p.x[2] - p.x[0]);
  } else {
    c.K2 = -c.dy;  // flat left neighbour: zero slope at x_i
  }
  return c;
}

Real Evaluate(const SegmentPoints& p, Real x, bool twoSided) {
  const SegmentCubic c = MakeCubic(p, twoSided);
  if (c.dy == 0) return c.yi;
  return c.Value(c.T(x));
}

Real Derivative(const SegmentPoints& p, Real x, bool twoSided) {
  const SegmentCubic c = MakeCubic(p, twoSided);
  if (c.dy == 0) return 0;
  return c.SlopeT(c.T(x)) / c.Delta;
}

Real Invert(const SegmentPoints& p, Real y, bool twoSided) {
  const SegmentCubic c = MakeCubic(p, twoSided);
  if (c.dy == 0) {
    // The one-sided kernel serves the end segment of an axis, where a table inversion
    // continues with a line through flat end nodes: x_i, the end node, for any target.
    if (!twoSided) return c.xi;
    if (y != c.yi) {
      // No point of a flat segment has this value: report instead of inventing one.
      std::feraiseexcept(FE_INVALID);
      return std::numeric_limits<Real>::quiet_NaN();
    }
    return (c.xi + c.xi1) / 2;
  }
  // Node values are answered directly: the slope may vanish there (flat neighbour), and
  // a Newton step would then divide zero by zero.
  if (y == c.yi) return c.xi;
  if (y == c.yi1) return c.xi1;
  const Real t = NewtonWithCycleGuard((y - c.yi) / c.dy,
                                      [&c, y](Real tk) {
                                        const Real r = c.Value(tk) - y;
                                        if (r == 0) return tk;
                                        return tk - r / c.SlopeT(tk);
                                      },
                                      NewtonScale::Absolute);
  return c.X(t);
}

}  // namespace

Real CubicSegment(const SegmentPoints& p, Real x) {
  return Evaluate(p, x, true);
}

Real CubicSegmentOneSided(const SegmentPoints& p, Real x) {
  return Evaluate(p, x, false);
}

Real CubicSegmentBandClamp(const SegmentPoints& p, Real x) {
  const SegmentCubic c = MakeCubic(p, true);
  if (c.dy == 0) return c.yi;
  const Real t = c.T(x);
  const Real u = 1 - t;
  const Real m = (c.yi + c.yi1) / 2;
  const Real L1 = u * c.yi + t * m;   // (x_i, y_i) to (x_{i+1}, m)
  const Real L2 = u * m + t * c.yi1;  // (x_i, m) to (x_{i+1}, y_{i+1})
  const Real cubic = c.Value(t);
  if (c.dy < 0) return std::max(L2, std::min(L1, cubic));
  return std::min(L2, std::max(L1, cubic));
}

Real CubicSegmentOneSidedBandClamp(const SegmentPoints& p, Real x) {
  const SegmentCubic c = MakeCubic(p, false);
  if (c.dy == 0) return c.yi;
  const Real t = c.T(x);
  const Real u = 1 - t;
  const Real m = (c.yi + c.yi1) / 2;
  const Real L1 = u * c.yi + t * m;       // (x_i, y_i) to (x_{i+1}, m)
  const Real Lin = u * c.yi + t * c.yi1;  // the chord
  const Real cubic = c.Value(t);
  if (c.dy < 0) return std::max(Lin, std::min(L1, cubic));
  return std::min(Lin, std::max(L1, cubic));
}

Real CubicSegmentDerivative(const SegmentPoints& p, Real x) {
  return Derivative(p, x, true);
}

Real CubicSegmentOneSidedDerivative(const SegmentPoints& p, Real x) {
  return Derivative(p, x, false);
}

Real InvertSegment(const SegmentPoints& p, Real y) {
  return Invert(p, y, true);
}

Real InvertSegmentOneSided(const SegmentPoints& p, Real y) {
  return Invert(p, y, false);
}

}  // namespace tarvex
