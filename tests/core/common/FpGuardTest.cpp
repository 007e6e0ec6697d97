// The floating-point fault guard sees overflow, division by zero and invalid operations
// in 80-bit arithmetic, and nested guards do not hide faults from enclosing ones.
#include <gtest/gtest.h>

#include <limits>

#include "core/common/FpGuard.h"
#include "core/common/Real.h"

namespace tarvex {
namespace {

Real Opaque(Real x) {
  volatile Real v = x;
  return v;
}

TEST(FpGuard, DetectsEachFaultKind) {
  const Real huge = std::numeric_limits<Real>::max();
  struct Case {
    const char* what;
    Real (*op)(Real);
  };
  const Case cases[] = {
      {"overflow", [](Real h) { return Opaque(h) * Opaque(4); }},
      {"divide by zero", [](Real) { return Opaque(1) / Opaque(0); }},
      {"invalid", [](Real) { return Opaque(0) / Opaque(0); }},
  };
  for (const Case& c : cases) {
    FpGuard g;
    EXPECT_FALSE(g.Faulted()) << c.what;
    volatile Real r = c.op(huge);
    (void)r;
    EXPECT_TRUE(g.Faulted()) << c.what;
  }
}

TEST(FpGuard, CleanArithmeticIsNotAFault) {
  FpGuard g;
  volatile Real r = Opaque(1) / Opaque(3) * Opaque(1e300L);
  (void)r;
  EXPECT_FALSE(g.Faulted());
}

TEST(FpGuard, NestedGuardKeepsOuterFault) {
  FpGuard outer;
  volatile Real r = Opaque(1) / Opaque(0);
  (void)r;
  {
    FpGuard inner;
    EXPECT_FALSE(inner.Faulted());
  }
  EXPECT_TRUE(outer.Faulted());
}

}  // namespace
}  // namespace tarvex
