// Axis functions of tabulated data and the one-segment interpolation kernels of the
// table lookup.
//
// A table axis is linear (x_n = x0 + h n) or exponential (x_n = x0 exp(h n), h the
// logarithmic step). The kernels work on one segment [x_i, x_{i+1}] of an axis with the
// neighbour nodes x_{i-1} and x_{i+2}:
//   CubicSegment           cubic with the three-point slope estimates at both ends; a
//                          flat neighbouring segment forces a zero slope at the shared node.
//                          Reproduces any quadratic exactly (also on uneven grids).
//   CubicSegmentOneSided   the segment next to the end of an axis: only x_{i+2} is used;
//                          the slope at x_i is the chord slope. Reproduces straight lines.
//   ...BandClamp           the cubic limited to the band between half-step chords, so a
//                          table never overshoots between its nodes.
//   InvertSegment...       the x on the (unclamped) cubic with a given y, by Newton on t.
// With Delta = x_{i+1} - x_i, t = (x - x_i) / Delta, dy = y_{i+1} - y_i; Delta may be
// negative (decreasing axes, the last segment of an axis taken from its end node).
#pragma once

#include <cstdint>

#include "core/common/Real.h"

namespace tarvex {

enum class AxisKind : int32_t { Linear, Exponential };

// One axis of a table: origin x0 and step h (logarithmic step for Exponential).
struct TableAxis {
  AxisKind kind = AxisKind::Linear;
  Real x0 = 0;
  Real h = 1;

  // Node value x_n.
  Real ValueAtIndex(int32_t n) const;
  // Fractional index s of a value x (x and x0 of one sign for Exponential).
  Real FractionalIndex(Real x) const;
  // Value at a fractional index s.
  Real ValueAtRealIndex(Real s) const;
  // ds/dx at x.
  Real IndexDerivative(Real x) const;
};

// The four nodes around the segment: index 0 is node i-1, 1 is i, 2 is i+1, 3 is i+2.
// The one-sided kernels ignore index 0.
struct SegmentPoints {
  Real x[4] = {0, 0, 0, 0};
  Real y[4] = {0, 0, 0, 0};
};

// The straight line through (x1, y1) and (x2, y2) at x; exact at both nodes.
Real LinearThrough(Real x1, Real y1, Real x2, Real y2, Real x);

Real CubicSegment(const SegmentPoints& p, Real x);
Real CubicSegmentOneSided(const SegmentPoints& p, Real x);

// The two-sided cubic limited to the band between L1, the line from (x_i, y_i) to
// (x_{i+1}, m), and L2, from (x_i, m) to (x_{i+1}, y_{i+1}), m = (y_i + y_{i+1}) / 2.
Real CubicSegmentBandClamp(const SegmentPoints& p, Real x);
// The one-sided cubic limited to the band between L1 and the chord of the segment.
Real CubicSegmentOneSidedBandClamp(const SegmentPoints& p, Real x);

// dy/dx of the unclamped kernels (0 on a flat segment).
Real CubicSegmentDerivative(const SegmentPoints& p, Real x);
Real CubicSegmentOneSidedDerivative(const SegmentPoints& p, Real x);

// The x with cubic(x) = y, Newton on t from t = (y - y_i) / dy. A target equal to a node
// value returns that node. Flat segment: the two-sided inverse returns the midpoint of
// the segment when y is the segment value; a different target has no solution there and
// gives NaN with the invalid-operation flag raised, for the caller's FpGuard. The
// one-sided inverse returns x_i (the end node of the axis) for any target.
Real InvertSegment(const SegmentPoints& p, Real y);
Real InvertSegmentOneSided(const SegmentPoints& p, Real y);

}  // namespace tarvex
