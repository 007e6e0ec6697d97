// Newton iteration with two-cycle protection.
#include <gtest/gtest.h>

#include <cmath>

#include "core/common/NewtonCycle.h"

namespace tarvex {
namespace {

TEST(NewtonCycle, ConvergesToSquareRoot) {
  // x^2 = 2 by Newton.
  const Real r = NewtonWithCycleGuard(1.0L, [](Real x) { return x - (x * x - 2) / (2 * x); });
  EXPECT_NEAR(static_cast<double>(r), std::sqrt(2.0), 1e-15);
  EXPECT_LE(std::fabs(r * r - 2), 4e-19L);
}

TEST(NewtonCycle, TwoCycleContinuesFromMidpoint) {
  // A step that alternates between 0 and 2 forever: the guard must take the midpoint
  // 1, which this step leaves fixed.
  NewtonStats stats;
  const Real r = NewtonWithCycleGuard(
      0.0L,
      [](Real x) -> Real {
        if (x == 1) return 1;
        return x == 0 ? 2 : 0;
      },
      NewtonScale::Absolute, &stats);
  EXPECT_EQ(r, 1);
  EXPECT_EQ(stats.midpoints, 1);
}

TEST(NewtonCycle, FaultingStepFallsBackToMidpoint) {
  // The step raises an invalid operation below 3.5; from 4 the first step lands at 2,
  // where the fault must be absorbed by bisecting towards the previous iterate.
  NewtonStats stats;
  FpGuard outer;
  const Real r = NewtonWithCycleGuard(
      4.0L,
      [](Real x) -> Real {
        if (x < 3.5L) return std::sqrt(x - 3.5L) + 3;
        return x - 2;
      },
      NewtonScale::Relative, &stats);
  EXPECT_FALSE(std::isnan(r));
  EXPECT_GE(stats.midpoints, 1);
  EXPECT_FALSE(outer.Faulted());
}

}  // namespace
}  // namespace tarvex
