// Newton inversion of a total as a composed slot.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/common/FpGuard.h"
#include "core/eos/NewtonInverse.h"

namespace tarvex {
namespace {

// E = c T + a rho T^2: non-linear in T, with a density dependence so that a slot that
// mixed up its arguments would fail.
struct Quadratic {
  Real c = 1.5L;
  Real a = 2e-4L;
};
Real QuadE(const Quadratic& q, Real rho, Real T) {
  return q.c * T + q.a * rho * T * T;
}
Real QuadCv(const Quadratic& q, Real rho, Real T) {
  return q.c + 2 * q.a * rho * T;
}
Real QuadLinearStart(const Quadratic& q, Real, Real E) {
  return E / q.c;
}

TEST(NewtonInverse, InvertsNonLinearTotal) {
  const Quadratic q;
  NewtonInverseParams block;
  const Slot2 E = MakeSlot<Quadratic, &QuadE>(q);
  const Slot2 Cv = MakeSlot<Quadratic, &QuadCv>(q);
  const Slot2 TofE = BindNewtonInverse(block, E, Cv, 300);
  NewtonInverseParams startBlock;
  const Slot2 TofEStarted =
      BindNewtonInverse(startBlock, E, Cv, 300, MakeSlot<Quadratic, &QuadLinearStart>(q));
  for (Real rho : {0.5L, 2.7L}) {
    for (Real T : {1.0L, 300.0L, 1e4L, 1e6L}) {
      const Real e = E(rho, T);
      EXPECT_NEAR(static_cast<double>(TofE(rho, e) / T), 1.0, 1e-17) << rho << " " << T;
      EXPECT_NEAR(static_cast<double>(TofEStarted(rho, e) / T), 1.0, 1e-17) << rho << " " << T;
    }
  }
}

// The result does not depend on earlier calls: the slot keeps no state.
TEST(NewtonInverse, RepeatedCallsAgree) {
  const Quadratic q;
  NewtonInverseParams block;
  const Slot2 TofE = BindNewtonInverse(block, MakeSlot<Quadratic, &QuadE>(q),
                                       MakeSlot<Quadratic, &QuadCv>(q), 300);
  const Real first = TofE(1, 5000);
  TofE(1, 1e9L);
  TofE(3, 0.001L);
  EXPECT_EQ(TofE(1, 5000), first);
}

// F(x) = x^3 - 2x with target -2: Newton from 0 goes to 1 and back to 0 exactly. The
// iteration must notice the cycle, continue from the midpoint 0.5 and still reach the
// real root.
struct Cubic {
  mutable std::vector<Real> visited;  // arguments F was called with, in order
};
Real CubicF(const Cubic& c, Real, Real x) {
  c.visited.push_back(x);
  return x * x * x - 2 * x;
}
Real CubicD(const Cubic&, Real, Real x) {
  return 3 * x * x - 2;
}

TEST(NewtonInverse, TwoCycleContinuesFromMidpoint) {
  const Cubic cubic;
  NewtonInverseParams block;
  const Slot2 inv =
      BindNewtonInverse(block, MakeSlot<Cubic, &CubicF>(cubic), MakeSlot<Cubic, &CubicD>(cubic), 0);
  const Real x = inv(1, -2);
  ASSERT_GE(cubic.visited.size(), 3u);
  EXPECT_EQ(cubic.visited[0], 0);
  EXPECT_EQ(cubic.visited[1], 1);
  EXPECT_EQ(cubic.visited[2], 0.5L);  // midpoint, not a third Newton step from 0
  EXPECT_LE(std::fabs(x * x * x - 2 * x + 2), 1e-15L);
  EXPECT_NEAR(static_cast<double>(x), -1.7692923542386314, 1e-15);
}

// A derivative that is 0 at the start: the fault has no earlier iterate to fall back on
// and must reach the caller's guard instead of being swallowed.
Real FlatD(const Quadratic&, Real, Real) {
  return 0;
}

TEST(NewtonInverse, UnresolvableFaultReachesCaller) {
  const Quadratic q;
  NewtonInverseParams block;
  const Slot2 inv =
      BindNewtonInverse(block, MakeSlot<Quadratic, &QuadE>(q), MakeSlot<Quadratic, &FlatD>(q), 300);
  FpGuard guard;
  inv(1, 1000);
  EXPECT_TRUE(guard.Faulted());
}

}  // namespace
}  // namespace tarvex
