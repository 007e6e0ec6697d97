// Table axis functions and one-segment interpolation kernels: what the kernels
// reproduce exactly, the band clamps on segments that make the cubic overshoot, slopes
// against finite differences, and the Newton inverses.
#include "core/numerics/GridFunctions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/common/FpGuard.h"

namespace tarvex {
namespace {

constexpr Real kEps = std::numeric_limits<Real>::epsilon();

double D(Real v) {
  return static_cast<double>(v);
}

SegmentPoints Sample(const std::function<Real(Real)>& f, Real xm, Real xi, Real xi1, Real xp) {
  SegmentPoints p;
  const Real xs[4] = {xm, xi, xi1, xp};
  for (int k = 0; k < 4; ++k) {
    p.x[k] = xs[k];
    p.y[k] = f(xs[k]);
  }
  return p;
}

Real At(const SegmentPoints& p, Real t) {
  return p.x[1] + (p.x[2] - p.x[1]) * t;
}

// ---------------------------------------------------------------------------- axes

TEST(TableAxis, NodeSpacingAndRoundTrips) {
  struct Case {
    const char* name;
    TableAxis axis;
  };
  const Case cases[] = {
      {"linear", {AxisKind::Linear, -3, 0.25L}},
      {"linear decreasing", {AxisKind::Linear, 10, -0.5L}},
      {"exponential", {AxisKind::Exponential, 1e-3L, std::log(Real(10)) / 20}},
      {"exponential decreasing", {AxisKind::Exponential, 1e4L, -0.1L}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TableAxis& a = c.axis;
    EXPECT_EQ(a.ValueAtIndex(0), a.x0);
    for (int32_t n = 0; n <= 60; ++n) {
      const Real x = a.ValueAtIndex(n);
      const Real next = a.ValueAtIndex(n + 1);
      if (a.kind == AxisKind::Linear) {
        EXPECT_NEAR(D(next - x), D(a.h), 1e-15);
      } else {
        EXPECT_NEAR(D(next / x), D(std::exp(a.h)), 1e-15);
      }
      EXPECT_NEAR(D(a.FractionalIndex(x)), n, 1e-15 * std::max(1, n));
      EXPECT_EQ(a.ValueAtRealIndex(n), x);
    }
    for (Real s : {-2.5L, 0.0L, 0.3L, 7.77L, 41.01L}) {
      const Real x = a.ValueAtRealIndex(s);
      EXPECT_NEAR(D(a.FractionalIndex(x)), D(s), 1e-15 * std::max(1.0, std::fabs(D(s))));
      const Real dx = std::fabs(x) * 1e-7L + 1e-9L;
      const Real fd = (a.FractionalIndex(x + dx) - a.FractionalIndex(x - dx)) / (2 * dx);
      EXPECT_NEAR(D(a.IndexDerivative(x)), D(fd), 1e-9 * std::fabs(D(fd)));
    }
  }
}

// ---------------------------------------------------------------------------- line

TEST(GridKernels, LinearThroughIsExactAtNodesAndOnConstants) {
  const Real x1 = 0.1L, y1 = 1e-7L, x2 = 0.7L, y2 = 3.3L;
  EXPECT_EQ(LinearThrough(x1, y1, x2, y2, x1), y1);
  EXPECT_EQ(LinearThrough(x1, y1, x2, y2, x2), y2);
  EXPECT_NEAR(D(LinearThrough(x1, y1, x2, y2, 0.4L)), D((y1 + y2) / 2), 1e-17);
  // Extrapolation on both sides.
  EXPECT_NEAR(D(LinearThrough(x1, y1, x2, y2, 1.3L)), D(y2 + (y2 - y1)), 1e-16);
  EXPECT_NEAR(D(LinearThrough(x1, y1, x2, y2, -0.5L)), D(y1 - (y2 - y1)), 1e-16);
  for (Real x : {-3.0L, 0.1L, 0.33L, 0.7L, 12.0L}) {
    EXPECT_EQ(LinearThrough(x1, 0.3L, x2, 0.3L, x), 0.3L);
  }
}

// ---------------------------------------------------------------- reproduction

struct Grid {
  const char* name;
  Real x[4];
};

const Grid kGrids[] = {
    {"uniform", {0, 1, 2, 3}},
    {"uneven", {-0.7L, 0.1L, 0.35L, 2.9L}},
    {"decreasing", {4, 3.2L, 1.1L, 0.9L}},
};

TEST(GridKernels, TwoSidedCubicReproducesQuadratics) {
  // With exact three-point end slopes the Hermite cubic of a quadratic is the quadratic.
  const auto f = [](Real x) { return 2 - 3 * x + 5 * x * x; };
  for (const Grid& g : kGrids) {
    SCOPED_TRACE(g.name);
    const SegmentPoints p = Sample(f, g.x[0], g.x[1], g.x[2], g.x[3]);
    for (int k = 0; k <= 20; ++k) {
      const Real x = At(p, k / Real(20));
      EXPECT_NEAR(D(CubicSegment(p, x)), D(f(x)), D(64 * kEps * (1 + std::fabs(f(x)))));
      EXPECT_NEAR(D(CubicSegmentDerivative(p, x)), D(-3 + 10 * x), 1e-15);
    }
  }
}

TEST(GridKernels, OneSidedCubicReproducesLinesAndTheFarSlope) {
  const auto line = [](Real x) { return 0.25L - 1.75L * x; };
  const auto quad = [](Real x) { return 1 + x + 0.5L * x * x; };
  for (const Grid& g : kGrids) {
    SCOPED_TRACE(g.name);
    const SegmentPoints p = Sample(line, g.x[0], g.x[1], g.x[2], g.x[3]);
    for (int k = 0; k <= 20; ++k) {
      const Real x = At(p, k / Real(20));
      EXPECT_NEAR(D(CubicSegmentOneSided(p, x)), D(line(x)), D(64 * kEps * (1 + std::fabs(x))));
      EXPECT_NEAR(D(CubicSegmentOneSidedDerivative(p, x)), -1.75, 1e-15);
    }
    // On a quadratic: chord slope at x_i, the exact three-point slope at x_{i+1}.
    const SegmentPoints q = Sample(quad, g.x[0], g.x[1], g.x[2], g.x[3]);
    const Real chord = (q.y[2] - q.y[1]) / (q.x[2] - q.x[1]);
    EXPECT_NEAR(D(CubicSegmentOneSidedDerivative(q, q.x[1])), D(chord), 1e-15);
    EXPECT_NEAR(D(CubicSegmentOneSidedDerivative(q, q.x[2])), D(1 + q.x[2]), 1e-15);
  }
}

TEST(GridKernels, FlatNeighbourForcesZeroSlopeAtSharedNode) {
  const SegmentPoints leftFlat{{0, 1, 2, 3}, {5, 5, 7, 8}};
  const SegmentPoints rightFlat{{0, 1, 2, 3}, {4, 5, 7, 7}};
  EXPECT_EQ(CubicSegmentDerivative(leftFlat, 1), 0);
  EXPECT_NE(CubicSegmentDerivative(leftFlat, 2), 0);
  EXPECT_EQ(CubicSegmentDerivative(rightFlat, 2), 0);
  EXPECT_EQ(CubicSegmentOneSidedDerivative(rightFlat, 2), 0);
  EXPECT_NE(CubicSegmentDerivative(rightFlat, 1), 0);
}

TEST(GridKernels, FlatSegmentIsConstant) {
  const SegmentPoints p{{0, 1, 2, 3}, {-4, 2.5L, 2.5L, 9}};
  for (Real x : {1.0L, 1.3L, 2.0L}) {
    EXPECT_EQ(CubicSegment(p, x), 2.5L);
    EXPECT_EQ(CubicSegmentOneSided(p, x), 2.5L);
    EXPECT_EQ(CubicSegmentBandClamp(p, x), 2.5L);
    EXPECT_EQ(CubicSegmentOneSidedBandClamp(p, x), 2.5L);
    EXPECT_EQ(CubicSegmentDerivative(p, x), 0);
    EXPECT_EQ(CubicSegmentOneSidedDerivative(p, x), 0);
  }
}

// ------------------------------------------------------------------- band clamps

// Segments whose neighbours drive the cubic far off the chord.
const SegmentPoints kNastySegments[] = {
    {{0, 1, 2, 3}, {0, 0, 1, 1}},                 // step between flat plateaus
    {{0, 1, 2, 3}, {10, 0, 1, -10}},              // opposite spikes
    {{-1, 0, 0.2L, 5}, {5, 4, -3, -3.1L}},        // decreasing, uneven
    {{3, 2, 1.5L, -4}, {1, 2, 2.5L, 100}},        // decreasing axis
    {{0, 1, 2, 3}, {-1e6L, 1, 1.000001L, 1e6L}},  // tiny step, huge neighbours
    {{0, 1e-3L, 1, 1.001L}, {0, 1, 2, 3}},        // clustered nodes
    {{0.5L, 1, 2, 2.01L}, {-3, 7, 6.999L, -40}},  // nearly flat, wild sides
};

TEST(GridKernels, BandClampsHitNodesAndStayBetweenTheirLines) {
  int32_t clampedTwoSided = 0;
  int32_t clampedOneSided = 0;
  for (const SegmentPoints& p : kNastySegments) {
    SCOPED_TRACE(std::to_string(D(p.y[1])) + " .. " + std::to_string(D(p.y[2])));
    const Real yi = p.y[1], yi1 = p.y[2], m = (yi + yi1) / 2;
    EXPECT_EQ(CubicSegmentBandClamp(p, p.x[1]), yi);
    EXPECT_EQ(CubicSegmentBandClamp(p, p.x[2]), yi1);
    EXPECT_EQ(CubicSegmentOneSidedBandClamp(p, p.x[1]), yi);
    EXPECT_EQ(CubicSegmentOneSidedBandClamp(p, p.x[2]), yi1);
    const Real slack = 8 * kEps * std::max(std::fabs(yi), std::fabs(yi1));
    for (int k = 0; k <= 1000; ++k) {
      const Real t = k / Real(1000);
      const Real x = At(p, t);
      const Real L1 = yi + t * (m - yi);
      const Real L2 = m + t * (yi1 - m);
      const Real chord = yi + t * (yi1 - yi);

      const Real v = CubicSegmentBandClamp(p, x);
      ASSERT_GE(v, std::min(L1, L2) - slack) << "t " << D(t);
      ASSERT_LE(v, std::max(L1, L2) + slack) << "t " << D(t);
      if (v != CubicSegment(p, x)) ++clampedTwoSided;

      const Real w = CubicSegmentOneSidedBandClamp(p, x);
      ASSERT_GE(w, std::min(L1, chord) - slack) << "t " << D(t);
      ASSERT_LE(w, std::max(L1, chord) + slack) << "t " << D(t);
      if (w != CubicSegmentOneSided(p, x)) ++clampedOneSided;
    }
  }
  // The segments are chosen so that the limiters actually act.
  EXPECT_GT(clampedTwoSided, 1000);
  EXPECT_GT(clampedOneSided, 1000);
}

TEST(GridKernels, BandClampLeavesAWellBehavedCubicAlone) {
  // x^2 on [1, 2] lies inside the band of its half-step chords.
  const SegmentPoints p = Sample([](Real x) { return x * x; }, 0, 1, 2, 3);
  for (int k = 0; k <= 50; ++k) {
    const Real x = At(p, k / Real(50));
    EXPECT_EQ(CubicSegmentBandClamp(p, x), CubicSegment(p, x));
  }
}

// ------------------------------------------------------------------- derivatives

TEST(GridKernels, DerivativesMatchFiniteDifferences) {
  std::vector<SegmentPoints> segments(std::begin(kNastySegments), std::end(kNastySegments));
  segments.push_back(Sample([](Real x) { return std::exp(-x); }, 0.2L, 0.9L, 1.4L, 3));
  for (const SegmentPoints& p : segments) {
    const Real Delta = p.x[2] - p.x[1];
    const Real chordSlope = std::fabs((p.y[2] - p.y[1]) / Delta);
    for (Real t : {0.05L, 0.3L, 0.5L, 0.77L, 0.95L}) {
      const Real x = At(p, t);
      const Real h = 1e-6L * std::fabs(Delta);
      const Real fd2 = (CubicSegment(p, x + h) - CubicSegment(p, x - h)) / (2 * h);
      const Real fd1 = (CubicSegmentOneSided(p, x + h) - CubicSegmentOneSided(p, x - h)) / (2 * h);
      const Real d2 = CubicSegmentDerivative(p, x);
      const Real d1 = CubicSegmentOneSidedDerivative(p, x);
      EXPECT_NEAR(D(d2), D(fd2), 1e-8 * D(std::max(std::fabs(d2), chordSlope))) << D(t);
      EXPECT_NEAR(D(d1), D(fd1), 1e-8 * D(std::max(std::fabs(d1), chordSlope))) << D(t);
    }
  }
}

// ---------------------------------------------------------------------- inverses

struct InverseCase {
  const char* name;
  SegmentPoints p;
  bool twoSided;
};

// Segments on which the respective cubic is monotone.
const InverseCase kInverseCases[] = {
    {"x^2", {{0, 1, 2, 3}, {0, 1, 4, 9}}, true},
    {"smoothstep", {{0, 1, 2, 3}, {0, 0, 1, 1}}, true},
    {"zero slope at x_i", {{0, 1, 2, 3}, {0, 0, 1, 2}}, true},
    {"decreasing exp",
     {{0.2L, 0.9L, 1.4L, 3}, {0.818730753L, 0.40656966L, 0.246596964L, 0.0497870684L}},
     true},
    {"decreasing axis", {{3, 2, 1.5L, -4}, {1, 2, 2.5L, 3.1L}}, true},
    {"one-sided first segment", {{0, 1, 2, 3}, {0, 1, 4, 9}}, false},
    {"one-sided from the end node", {{0, 5, 4, 3}, {0, 1.6094379L, 1.3862944L, 1.0986123L}}, false},
    {"one-sided zero slope at x_{i+1}", {{0, 1, 2, 3}, {0, 3, 4, 4}}, false},
};

Real Forward(const InverseCase& c, Real x) {
  return c.twoSided ? CubicSegment(c.p, x) : CubicSegmentOneSided(c.p, x);
}
Real Inverse(const InverseCase& c, Real y) {
  return c.twoSided ? InvertSegment(c.p, y) : InvertSegmentOneSided(c.p, y);
}

TEST(GridKernels, InverseRoundTripsOnMonotoneSegments) {
  for (const InverseCase& c : kInverseCases) {
    SCOPED_TRACE(c.name);
    const SegmentPoints& p = c.p;
    const Real lo = std::min(p.x[1], p.x[2]), hi = std::max(p.x[1], p.x[2]);
    const Real yScale = std::max(std::fabs(p.y[1]), std::fabs(p.y[2]));
    FpGuard guard;
    EXPECT_EQ(Inverse(c, p.y[1]), p.x[1]);
    EXPECT_EQ(Inverse(c, p.y[2]), p.x[2]);
    for (int k = 0; k <= 200; ++k) {
      // y -> x -> y, targets spread over the segment's range.
      const Real y = p.y[1] + (p.y[2] - p.y[1]) * (k / Real(200));
      const Real x = Inverse(c, y);
      ASSERT_GE(x, lo) << k;
      ASSERT_LE(x, hi) << k;
      EXPECT_NEAR(D(Forward(c, x)), D(y), D(16 * kEps * yScale)) << k;
      // x -> y -> x where the slope does not vanish.
      const Real x0 = At(p, k / Real(200));
      const Real slope = std::fabs(c.twoSided ? CubicSegmentDerivative(p, x0)
                                              : CubicSegmentOneSidedDerivative(p, x0));
      if (slope > 0.1L * std::fabs((p.y[2] - p.y[1]) / (p.x[2] - p.x[1]))) {
        EXPECT_NEAR(D(Inverse(c, Forward(c, x0))), D(x0), D(1e-16L * (hi - lo + std::fabs(x0))))
            << k;
      }
    }
    EXPECT_FALSE(guard.Faulted());
  }
}

TEST(GridKernels, InverseSolvesTheUnclampedCubic) {
  // On the step segment the cubic leaves the band near both ends; the inverse must
  // return the point of the cubic, not of the clamped curve.
  const SegmentPoints p{{0, 1, 2, 3}, {0, 0, 1, 1}};
  const Real x = 1.1L;
  ASSERT_NE(CubicSegmentBandClamp(p, x), CubicSegment(p, x));
  EXPECT_NEAR(D(InvertSegment(p, CubicSegment(p, x))), D(x), 1e-15);
}

TEST(GridKernels, InverseOnFlatSegments) {
  const SegmentPoints p{{0, 1, 3, 4}, {2, 7, 7, 1}};
  EXPECT_EQ(InvertSegment(p, 7), 2);
  // The one-sided kernel is the end segment of an axis: x_i for every target, without a
  // fault, so that a table inversion beyond flat end rows stays at the end node.
  {
    FpGuard guard;
    for (Real y : {7.0L, 7.5L, -3.0L}) EXPECT_EQ(InvertSegmentOneSided(p, y), 1) << D(y);
    EXPECT_FALSE(guard.Faulted());
  }
  // The two-sided segment has no point with another value: a NaN the caller's guard sees.
  FpGuard guard;
  const Real x = InvertSegment(p, 7.5L);
  EXPECT_TRUE(std::isnan(x));
  EXPECT_TRUE(guard.Faulted());
}

}  // namespace
}  // namespace tarvex
