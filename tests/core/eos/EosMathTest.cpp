// The fast elementary functions of the equations of state against the library's 80-bit
// ones, and their behaviour at the ends of their range.
#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <functional>
#include <limits>
#include <random>

#include "core/common/FpGuard.h"
#include "core/eos/EosMath.h"

namespace tarvex {
namespace {

using namespace eosmath;

constexpr Real kUlp = std::numeric_limits<Real>::epsilon();

Real Ulps(Real got, Real want) {
  return want == 0 ? std::fabs(got) / std::numeric_limits<Real>::min()
                   : std::fabs(got - want) / (std::fabs(want) * kUlp);
}

TEST(EosMath, AgreesWithTheLibraryWithinTwoUlp) {
  std::mt19937_64 gen(2024);
  std::uniform_real_distribution<double> u(-1, 1);
  Real worstExp = 0, worstLog = 0, worstAtan = 0, worstCbrt = 0;
  for (int i = 0; i < 200000; ++i) {
    // exp over its fast range, log and cbrt over 1e-300..1e300, atan over 1e-6..1e6,
    // with the low bits of the arguments filled in.
    const Real e = static_cast<Real>(u(gen)) * 690 + static_cast<Real>(u(gen)) * 1e-12L;
    worstExp = std::max(worstExp, Ulps(ExpR(e), expl(e)));
    const Real x = expl(static_cast<Real>(u(gen)) * 690);
    worstLog = std::max(worstLog, Ulps(LogR(x), logl(x)));
    worstCbrt = std::max(worstCbrt, Ulps(CbrtR(x), cbrtl(x)));
    const Real z = expl(static_cast<Real>(u(gen)) * 14) * (i % 2 ? 1 : -1);
    worstAtan = std::max(worstAtan, Ulps(AtanR(z), atanl(z)));
    // log near 1, where the result is small and must keep its relative accuracy
    const Real y = 1 + static_cast<Real>(u(gen)) * 1e-3L;
    if (y != 1) worstLog = std::max(worstLog, Ulps(LogR(y), logl(y)));
  }
  EXPECT_LE(worstExp, 2.5L);
  EXPECT_LE(worstLog, 2.5L);
  EXPECT_LE(worstAtan, 2.5L);
  EXPECT_LE(worstCbrt, 2.5L);
  EXPECT_NEAR(PowR(2, 0.5L), std::sqrt(Real(2)), 2 * kUlp);
}

TEST(EosMath, ExactValuesStayExact) {
  EXPECT_EQ(ExpR(0), 1);
  EXPECT_EQ(LogR(1), 0);
  EXPECT_EQ(AtanR(0), 0);
  EXPECT_EQ(CbrtR(27), 3);
  EXPECT_EQ(LogR(8), 3 * LogR(2));
}

// Outside the fast range the library answers, and raises the flags the step's guard reads.
TEST(EosMath, EndsOfTheRangeRaiseTheFlagsOfTheLibrary) {
  const Real inf = std::numeric_limits<Real>::infinity();
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  const Real tiny = std::numeric_limits<Real>::denorm_min();
  struct Case {
    const char* what;
    std::function<Real()> f;
    bool faults;
    Real expected;  // NaN: expect NaN
  };
  const Case cases[] = {
      {"exp overflow", [] { return ExpR(2e4L); }, true, inf},
      {"exp underflow", [] { return ExpR(-2e4L); }, false, 0},
      {"exp of 1000", [] { return ExpR(1000); }, false, expl(1000)},
      {"log of 0", [] { return LogR(0); }, true, -inf},
      {"log of -1", [] { return LogR(-1); }, true, nan},
      {"log of a subnormal", [tiny] { return LogR(tiny); }, false, logl(tiny)},
      {"atan of infinity", [inf] { return AtanR(inf); }, false, atanl(inf)},
      {"domain fault", [] { return DomainFault(); }, true, nan},
  };
  for (const Case& c : cases) {
    FpGuard guard;
    const Real v = c.f();
    EXPECT_EQ(guard.Faulted(), c.faults) << c.what;
    guard.Reset();
    if (std::isnan(c.expected)) {
      EXPECT_TRUE(std::isnan(v)) << c.what;
    } else {
      EXPECT_EQ(v, c.expected) << c.what;
    }
  }
}

TEST(EosMath, LogisticWeightsNeverOverflow) {
  for (Real z : {-1e6L, -40.0L, -1.0L, 0.0L, 1.0L, 40.0L, 1e6L}) {
    FpGuard guard;
    const LogisticPair w = LogisticWeights(z);
    EXPECT_FALSE(guard.Faulted()) << z;
    EXPECT_NEAR(w.lower + w.upper, 1, 2 * kUlp) << z;
    if (std::fabs(z) < 100) {
      EXPECT_NEAR(w.upper, 1 / (1 + expl(-z)), 4 * kUlp) << z;
    }
  }
  EXPECT_EQ(LogisticWeights(-1e6L).upper, 0);
  EXPECT_EQ(LogisticWeights(1e6L).upper, 1);
  EXPECT_EQ(LogisticWeights(0).lower, Real(0.5));
}

}  // namespace
}  // namespace tarvex
