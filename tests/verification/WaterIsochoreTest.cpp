// "Water2MG" along isochores through the boundary of its liquid-vapour region, against
// quantities computed here: the saturation densities from the published fit (written out
// below, independently of the model's code), the boundary temperature found by
// bisection, the lever rule for the liquid fraction and the energy, and a pressure that
// inside the region depends on temperature only. Then the saturation curve against the
// steam tables.
#include <gtest/gtest.h>

#include <cmath>

#include "core/eos/WaterLiF.h"

namespace tarvex {
namespace {

// The saturation densities of the fit, with the default parameters of the model.
constexpr Real kTc = 647.27L, kRhoC = 0.3178L;
constexpr Real kLw = 3.87435386293515L;
constexpr Real kBl[6] = {77.5286012901242L,
                         -224.338791288592L,
                         463.694546493624L,
                         -663.000909095326L,
                         497.736478516289L,
                         1 - (77.5286012901242L - 224.338791288592L + 463.694546493624L -
                              663.000909095326L + 497.736478516289L)};
constexpr Real kPgb = 1.68629860119783L, kAz0 = 8.38861286608115L;
constexpr Real kBz0 = -3.80691366510148L, kBz1 = 7.57753915729423L, kBz2 = 2.4342926080669L;

Real LiquidDensity(Real T) {
  const Real tau = T / kTc;
  const Real S = kBl[0] * std::sqrt(tau) + kBl[1] * tau + kBl[2] * tau * tau +
                 kBl[3] * std::pow(tau, 3) + kBl[4] * std::pow(tau, 4) + kBl[5] * std::pow(tau, 5);
  return kRhoC * (1 + std::pow(1 - std::pow(tau, kLw), 1 / kLw) * S);
}

Real GasDensity(Real T) {
  const Real tau = T / kTc, t = 1 - tau;
  return kRhoC * (1 - std::pow(1 - std::pow(tau, kPgb), 1 / kPgb)) *
         std::exp(kBz0 * std::sqrt(t) + kBz1 * t + kBz2 * t * t) * std::exp(-kAz0 * t / tau);
}

// T in [lo, hi] where f changes sign, by bisection.
template <class F>
Real Bisect(F f, Real lo, Real hi) {
  const bool up = f(hi) > 0;
  for (int i = 0; i < 200; ++i) {
    const Real mid = (lo + hi) / 2;
    ((f(mid) > 0) == up ? hi : lo) = mid;
  }
  return (lo + hi) / 2;
}

Water2MGParams Defaults() {
  Water2MGParams p;
  EXPECT_TRUE(MakeModelParams<Water2MGModel>(ModelValues<Water2MGModel>(), p));
  return p;
}

TEST(WaterIsochore, VapourSideBoundary) {
  const Water2MGParams p = Defaults();
  const Real rho = 0.05L;  // g/cm3, below the critical density
  // The vapour boundary: the saturated vapour density reaches rho.
  const Real Tb = Bisect([rho](Real T) { return GasDensity(T) - rho; }, 400, kTc - 1);
  EXPECT_EQ(Water2MGPhaseId(p, rho, Tb * (1 - 1e-9L)), kPhaseLiquidGas);
  EXPECT_EQ(Water2MGPhaseId(p, rho, Tb * (1 + 1e-9L)), kPhaseGas);
  for (Real T = 300; T < Tb * (1 - 1e-6L); T += 10) {
    const Real rg = GasDensity(T), rl = LiquidDensity(T);
    ASSERT_EQ(Water2MGPhaseId(p, rho, T), kPhaseLiquidGas) << T;
    // Lever rule: 1/rho = (1 - w)/rg + w/rl.
    const Real w = (1 / rg - 1 / rho) / (1 / rg - 1 / rl);
    EXPECT_NEAR(Water2MGLiquidFraction(p, rho, T), w, 1e-12L) << T;
    // Energy of the mixture: the saturated vapour and liquid in those proportions.
    const Real E = (1 - w) * Water2MGE(p, rg, T) + w * Water2MGE(p, rl, T);
    EXPECT_NEAR(Water2MGE(p, rho, T), E, 1e-12L * std::fabs(E)) << T;
    // The pressure of the coexistence region is that of the saturated vapour, at every
    // density inside it.
    EXPECT_NEAR(Water2MGP(p, rho, T), Water2MGP(p, rg, T), 1e-15L) << T;
    EXPECT_EQ(Water2MGP(p, rho, T), Water2MGP(p, 0.2L, T)) << T;
  }
  for (Real T = Tb * (1 + 1e-6L); T < kTc; T += 10) {
    EXPECT_EQ(Water2MGPhaseId(p, rho, T), kPhaseGas) << T;
    EXPECT_EQ(Water2MGLiquidFraction(p, rho, T), 0) << T;
  }
  // Across the boundary energy and pressure are continuous.
  const Real lo = Tb * (1 - 1e-12L), hi = Tb * (1 + 1e-12L);
  EXPECT_NEAR(Water2MGE(p, rho, lo), Water2MGE(p, rho, hi), 1e-8L);
  EXPECT_NEAR(Water2MGP(p, rho, lo), Water2MGP(p, rho, hi), 1e-10L);
}

TEST(WaterIsochore, LiquidSideBoundary) {
  const Water2MGParams p = Defaults();
  const Real rho = 0.8L;  // above the critical density
  const Real Tb = Bisect([rho](Real T) { return LiquidDensity(T) - rho; }, 400, kTc - 1);
  for (Real T = 300; T < Tb * (1 - 1e-6L); T += 10) {
    const Real rg = GasDensity(T), rl = LiquidDensity(T);
    ASSERT_EQ(Water2MGPhaseId(p, rho, T), kPhaseLiquidGas) << T;
    const Real w = (1 / rg - 1 / rho) / (1 / rg - 1 / rl);
    EXPECT_NEAR(Water2MGLiquidFraction(p, rho, T), w, 1e-12L) << T;
  }
  // Beyond the boundary all of it is liquid: phase 3, or the saturated liquid (4 with
  // w = 1) in the 1 % band until its own pressure reaches the saturation pressure.
  for (Real T = Tb * (1 + 1e-6L); T < kTc; T += 5) {
    const int32_t code = Water2MGPhaseId(p, rho, T);
    EXPECT_TRUE(code == kPhaseLiquid || code == kPhaseLiquidGas) << T;
    EXPECT_EQ(Water2MGLiquidFraction(p, rho, T), 1) << T;
  }
  EXPECT_EQ(Water2MGPhaseId(p, rho, kTc), kPhaseNone);
}

// The saturation curve of water (IAPWS-95: W. Wagner and A. Pruss, J. Phys. Chem. Ref. Data
// 31, 387 (2002), saturation table): the fit follows it within a few percent.
TEST(WaterIsochore, SaturationCurveFollowsTheSteamTables) {
  const Water2MGParams p = Defaults();
  struct Point {
    Real T;     // K
    Real Psat;  // MPa
    Real rl;    // g/cm3
    Real rg;    // g/cm3
  };
  const Point table[] = {
      {373.15L, 0.101418L, 0.95835L, 0.00059817L},
      {473.15L, 1.5549L, 0.86468L, 0.0078574L},
      {573.15L, 8.5879L, 0.71245L, 0.046168L},
  };
  for (const Point& q : table) {
    const Real rg = Water2MGGasDensity(p, q.T);
    const Real Psat = 1000 * Water2MGP(p, 0.5L * (rg + Water2MGLiquidDensity(p, q.T)), q.T);
    EXPECT_NEAR(Psat / q.Psat, 1, 0.08L) << q.T;
    EXPECT_NEAR(Water2MGLiquidDensity(p, q.T) / q.rl, 1, 0.04L) << q.T;
    EXPECT_NEAR(rg / q.rg, 1, 0.08L) << q.T;
    // The model's saturation densities are the fit written above.
    EXPECT_NEAR(rg, GasDensity(q.T), 1e-15L);
    EXPECT_NEAR(Water2MGLiquidDensity(p, q.T), LiquidDensity(q.T), 1e-15L);
  }
}

}  // namespace
}  // namespace tarvex
