// The helpers every metal model builds on: switches, harmonic combination, the cached
// cube root, the Fermi parameters (against a published Fermi energy) and the ion
// conductivity of the film.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/common/FpGuard.h"
#include "core/electron/ElectronCommon.h"

namespace tarvex {
namespace {

constexpr Real kRel = 16 * std::numeric_limits<Real>::epsilon();

TEST(ElectronHelpers, SwitchesOverTheirThreeRanges) {
  struct Row {
    Real y, s, sPrime;
  };
  for (const Row& r : {Row{0.5L, 0, 0}, Row{1, 0, 1}, Row{1.5L, 0.75L, 0.5L},
                       Row{1.9L, 0.99L, 0.1L}, Row{2, 1, 0}, Row{7, 1, 0}}) {
    EXPECT_NEAR(SwitchS(r.y), r.s, kRel) << static_cast<double>(r.y);
    EXPECT_NEAR(SwitchSPrime(r.y), r.sPrime, kRel) << static_cast<double>(r.y);
  }
  // s' is half the slope of s inside the ramp.
  const Real y = 1.3L, h = 1e-6L;
  EXPECT_NEAR((SwitchS(y + h) - SwitchS(y - h)) / (2 * h), 2 * SwitchSPrime(y), 1e-9L);
}

TEST(ElectronHelpers, HarmonicCombinesLikeRatesInQuadrature) {
  EXPECT_NEAR(Hypot(3, 4), 5, kRel);
  // 1/hypot(1/3, 1/4) = 12/5: the smaller of two rates dominates.
  EXPECT_NEAR(Harmonic(3, 4), 2.4L, kRel);
  EXPECT_NEAR(Harmonic(1e-6L, 1e6L), 1e-6L, 1e-18L);
}

TEST(ElectronHelpers, CubeRootCacheFollowsItsArgumentAndRaisesNoFlag) {
  FpGuard guard;
  const Rho23Cache cache;  // a fresh cache compares against NaN quietly
  EXPECT_NEAR(cache.Rho23(8), 4, kRel);
  EXPECT_NEAR(cache.Rho13(8), 2, kRel);
  EXPECT_NEAR(cache.Rho23(27), 9, 9 * kRel);
  EXPECT_NEAR(cache.Rho13(0.125L), 0.5L, kRel);
  EXPECT_FALSE(guard.Faulted());
}

// Aluminium, Z = 3, 26.98 g/mol at 2.70 g/cm3: E_F = 11.7 eV, T_F = 1.36e5 K (free-electron
// values of N. W. Ashcroft and N. D. Mermin, Solid State Physics, table 2.1).
TEST(ElectronHelpers, FermiParametersOfAluminium) {
  const Real x = 3 * 6.02497e23L / 26.98L;  // electrons per gram
  const FermiParameters f = FermiFromElectronsPerGram(x);
  const Real rho23 = std::cbrt(2.70L * 2.70L);
  const Real EFeV = f.EFcoef * rho23 / 1.60217646e-22L;
  EXPECT_NEAR(EFeV, 11.7L, 0.05L);
  EXPECT_NEAR(f.TFcoef * rho23, 1.36e5L, 0.01e5L);
  // c_cl = 1.5 kB per electron.
  EXPECT_NEAR(f.a, 1.5L * 1.3806504e-26L * x, 1e-12L * f.a);
  EXPECT_NEAR(f.a2, f.a * f.a, 1e-12L * f.a2);

  ElectronCommon c;
  c.ElZ = 3;
  c.AtomMassG = 26.98L / 6.02497e23L;
  SetFermiParameters(c);
  EXPECT_NEAR(c.EFcoef, f.EFcoef, 1e-15L * f.EFcoef);
  EXPECT_NEAR(c.FermiA, f.a, 1e-15L * f.a);
}

TEST(ElectronHelpers, FermiEnergySwitchesOffBelowTheCutOff) {
  const Rho23Cache cache;
  const Real EFcoef = 2;
  EXPECT_NEAR(FermiEnergy(EFcoef, 0, 8, cache), 8, kRel);
  EXPECT_EQ(FermiEnergy(EFcoef, 1, 0.9L, cache), 0);
  EXPECT_EQ(FermiEnergy(EFcoef, 1, 1, cache), 0);
  // rho = 1.5 rho_md: (rho s)^(2/3) with s = 0.75.
  EXPECT_NEAR(FermiEnergy(EFcoef, 1, 1.5L, cache), EFcoef * std::cbrt(1.125L * 1.125L), 4 * kRel);
  EXPECT_NEAR(FermiEnergy(EFcoef, 1, 8, cache), 8, kRel);
}

// |a - b| within n units of the 80-bit type's precision of b (EXPECT_NEAR compares doubles).
::testing::AssertionResult WithinUlps(Real a, Real b, int n) {
  if (std::fabs(a - b) <= n * std::numeric_limits<Real>::epsilon() * std::fabs(b)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "relative difference " << static_cast<double>((a - b) / b);
}

TEST(ElectronHelpers, FastRootsAgreeWithTheLibraryToTheLastBits) {
  for (Real x = 1e-3L; x < 1e7L; x *= 1.37L) {
    EXPECT_TRUE(WithinUlps(CubeRoot(x), std::cbrt(x), 4));
    EXPECT_TRUE(WithinUlps(RationalPow<1, 10>(x), std::exp(0.1L * std::log(x)), 8));
    EXPECT_TRUE(WithinUlps(RationalPow<7, 25>(x), std::exp(0.28L * std::log(x)), 16));
  }
  EXPECT_EQ(CubeRoot(0), 0);
  EXPECT_EQ(CubeRoot(-8), -2);
  // Beyond the double range the 80-bit functions take over (exp of a large logarithm
  // keeps ~16 digits).
  EXPECT_TRUE(WithinUlps(CubeRoot(1e600L), 1e200L, 4));
  EXPECT_TRUE(WithinUlps(RationalPow<1, 10>(1e-600L), 1e-60L, 1000));
}

TEST(ElectronHelpers, PressureOfAnIdealFermiGasFromTheEnergySlots) {
  const ConstParams ce{2e-4L};
  PeFromEeParams p;
  p.ElHeatCap = MakeSlot<ConstParams, &ConstValue>(ce);
  EXPECT_NEAR(PeDTOfHeatCapSlot(p, 3, 1000), 2 * 3 * 2e-4L / 3, 1e-18L);
}

TEST(ElectronHelpers, IonConductivityAtTheScaleTemperature) {
  // k_i = 1, b_r = 0: kappa = (1/Ti) (Ti/Tat)^(7/2) = 1/Ti at Ti = Tat (315642.54 K is
  // Tat to 4.6e-9, which the power 7/2 makes 1.6e-8).
  const IonKappaParams p = MakeIonKappaParams(1, 0, 2.7L);
  const Real Ti = 315642.54L;
  EXPECT_NEAR(IonKappa(p, 2.7L, Ti), 1 / Ti, 2e-8L / Ti);
}

TEST(ElectronHelpers, IonConductivityDensityTermActsAtTheReferenceDensity) {
  const Real k_i = 0.8L, b_r = 0.2142L, rho0 = 2.7L, Ti = 300;
  const Real lattice = b_r + Ti / 315642.53856008733L;
  // The frames: b_r at rho0 ...
  const IonKappaParams frame = MakeIonKappaParams(k_i, b_r, rho0);
  EXPECT_NEAR(IonKappa(frame, rho0, Ti), k_i / Ti * std::pow(lattice, 3.5L), 1e-15L);
  // ... at 8 rho0 four times larger.
  const Real dense = 4 * b_r + Ti / 315642.53856008733L;
  EXPECT_NEAR(IonKappa(frame, 8 * rho0, Ti), k_i / Ti * std::pow(dense, 3.5L), 1e-15L);
  // "Simple metall": b_r multiplies rho^(2/3) itself.
  const IonKappaParams simple = MakeIonKappaParams(k_i, b_r, 0);
  EXPECT_NEAR(IonKappa(simple, 8, Ti), k_i / Ti * std::pow(dense, 3.5L), 1e-15L);
}

}  // namespace
}  // namespace tarvex
