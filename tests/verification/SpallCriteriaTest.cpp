// The spallation criteria against the formulas of nucleation and spall theory evaluated
// here independently, in SI units: the homogeneous nucleation time
//   τ_nucl = η|p| / (V n² σ √(σ kB T)) · exp(W/(kB T)),  W = 16π/3 σ³/p²,
// the spall time τ_sp = (c_spall σ/(ρ εt²))^(1/3)/c with the dynamic strength τ_sp ρ εt c²,
// the surface tension σ(T) = σ0 (1 − T/Tc)^1.25 calibrated to σ_m at Tm, the binodal model
// σ(ρ, T) and the strength limits. The model state is built through the dialog's presets.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "core/common/FpGuard.h"
#include "support/SpallFixture.h"

namespace tarvex {
namespace {

using testing::Accept;
using testing::EnvOf;
using testing::EosOf;
using testing::TestMetal;

constexpr Real kPi = std::numbers::pi_v<Real>;
constexpr Real kB = 1.3806504e-23L;  // [J/K]
constexpr Real kInf = std::numeric_limits<Real>::infinity();

// Surface tension σ(T) [J/m²] of a material with σ_m [erg/cm²] at Tm, critical at Tc.
Real SigmaSI(Real sigmaM, Real Tm, Real Tc, Real T) {
  const Real sigma0 = sigmaM / std::pow(1 - Tm / Tc, 1.25L);
  return 1e-3L * sigma0 * std::pow(1 - T / Tc, 1.25L);
}

// Homogeneous nucleation time [s]; η [Pa·s], p [GPa], V [cm³], ρ [g/cm³], m_at [g].
Real NucleationTime(Real eta, Real p, Real Vcm3, Real rho, Real mAt, Real sigma, Real T) {
  const Real n = rho / mAt * 1e6L;  // [1/m³]
  const Real P = std::fabs(p) * 1e9L;
  const Real V = Vcm3 * 1e-6L;
  const Real W = 16 * kPi / 3 * sigma * sigma * sigma / (P * P);
  return eta * P / (V * n * n * sigma * std::sqrt(sigma * kB * T)) * std::exp(W / (kB * T));
}

TSpallParams AlWithVolume(const TestMetal& metal, Real V) {
  TSpallation d;
  EXPECT_TRUE(d.SelectMaterial("Al", EnvOf(metal)));
  EXPECT_TRUE(d.SetCheck("VCalcCheck", false));
  d.FieldByName("VEdit")->SetValue(V);
  TSpallParams sp;
  const TSpallOkResult r = Accept(d, metal, sp);
  EXPECT_EQ(r.close, TSpallClose::Ok) << r.result.message;
  return sp;
}

// The Al preset: η 0.013 Pa·s, Tc 6595 K, Tm 933 K, σ_m 830 erg/cm², m_at 4.4780e-23 g.
constexpr Real kAlEta = 0.013L, kAlTc = 6595, kAlTm = 933, kAlSigmaM = 830, kAlMat = 4.4780e-23L;

TEST(SpallNucleation, FailsExactlyWhenTheAvailableTimeExceedsTheNucleationTime) {
  const TestMetal metal;
  const Real V = 1e-15L;
  const TSpallParams sp = AlWithVolume(metal, V);
  struct Case {
    Real T, p, factor;  // τa = factor · τ_nucl
    bool byStrainRate;  // τa from 1/εt (else from the tension time)
  };
  const Case cases[] = {
      {1500, -3, 0.8L, true},  {1500, -3, 1.25L, true},   {2000, -5, 0.5L, false},
      {2000, -5, 2, false},    {4000, -1.5L, 0.9L, true}, {4000, -1.5L, 1.1L, false},
      {1200, -8, 0.95L, true}, {1200, -8, 1.05L, true},
  };
  for (const Case& c : cases) {
    const Real rho = 2.3L;
    const Real sigma = SigmaSI(kAlSigmaM, kAlTm, kAlTc, c.T);
    const Real tauA = c.factor * NucleationTime(kAlEta, c.p, V, rho, kAlMat, sigma, c.T);
    TSpallCell cell;
    cell.rho = rho;
    cell.T = cell.Te = c.T;
    cell.p = c.p;
    cell.Ei = 0.3L;
    cell.epsT = c.byStrainRate ? 1 / tauA : 1 / (3 * tauA);
    cell.tensionTime = c.byStrainRate ? kInf : tauA;
    const TSpallVerdict v = SpallCheck(sp, EosOf(metal), cell);
    EXPECT_EQ(v.failed, c.factor > 1) << "T " << c.T << " p " << c.p << " factor " << c.factor;
    EXPECT_NEAR(v.tauA / tauA, 1, 1e-15L);
    EXPECT_NEAR(v.sigma * 1e-3L / sigma, 1, 1e-15L);
  }
}

// With V = (4π/3)(c·τa)³ the rate grows as τa⁴: the critical time solves
// τa⁴ (4π/3) c³ n² σ √(σ kB T) e^(−W/kT) / η = |p|.
TEST(SpallNucleation, SoundVolumeUsesTheEffectiveSoundSpeed) {
  struct Case {
    Real cEos;  // [km/s]; NaN: the EOS gives none
    bool noSlot;
    Real T, p, factor;
  };
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  const Case cases[] = {
      {4, false, 1500, -3, 0.7L},    {4, false, 1500, -3, 1.4L},     // EOS sound speed
      {nan, true, 2000, -4, 0.8L},   {nan, true, 2000, -4, 1.2L},    // no slot: √(|p|/ρ)
      {nan, false, 2000, -4, 0.8L},  {nan, false, 2000, -4, 1.2L},   // not a number: the same
      {0.5L, false, 1500, -6, 0.9L}, {0.5L, false, 1500, -6, 1.1L},  // slower: geometric mean
  };
  for (const Case& c : cases) {
    TestMetal metal;
    metal.c = c.cEos;
    TSpallation d;
    ASSERT_TRUE(d.SelectMaterial("Al", EnvOf(metal)));
    ASSERT_TRUE(d.Check("VCalcCheck"));
    TSpallParams sp;
    ASSERT_EQ(Accept(d, metal, sp).close, TSpallClose::Ok);
    TSpallEos eos = EosOf(metal);
    if (c.noSlot) eos.SoundSpeed = Slot2{};

    const Real rho = 2.4L;
    const Real P = -c.p * 1e9L;
    const Real cTension = std::sqrt(P / (rho * 1e3L));  // [m/s]
    Real cs = cTension;
    if (!std::isnan(c.cEos) && c.cEos * 1e3L >= cTension) cs = c.cEos * 1e3L;
    if (!std::isnan(c.cEos) && c.cEos * 1e3L < cTension) cs = std::sqrt(cTension * c.cEos * 1e3L);
    const Real sigma = SigmaSI(kAlSigmaM, kAlTm, kAlTc, c.T);
    const Real n = rho / kAlMat * 1e6L;
    const Real W = 16 * kPi / 3 * sigma * sigma * sigma / (P * P);
    const Real tau4 = P * kAlEta * std::exp(W / (kB * c.T)) /
                      (4 * kPi / 3 * cs * cs * cs * n * n * sigma * std::sqrt(sigma * kB * c.T));
    const Real tauA = std::pow(tau4 * c.factor, 0.25L);

    TSpallCell cell;
    cell.rho = rho;
    cell.T = cell.Te = c.T;
    cell.p = c.p;
    cell.epsT = 1 / tauA;
    cell.tensionTime = kInf;
    EXPECT_EQ(SpallCheck(sp, eos, cell).failed, c.factor > 1)
        << "c " << c.cEos << " factor " << c.factor;
  }
}

TEST(SpallTime, FailsWhenTheSpallTimeIsShortAndTheTensionExceedsTheDynamicStrength) {
  TestMetal metal;
  metal.c = 4;
  TSpallation d;
  ASSERT_TRUE(d.SelectMaterial("Al", EnvOf(metal)));
  ASSERT_TRUE(d.SetCheck("CheckNucl", false));
  ASSERT_TRUE(d.SetCheck("CheckSpall", true));
  d.FieldByName("CSpall")->SetValue(100);
  TSpallParams sp;
  ASSERT_EQ(Accept(d, metal, sp).close, TSpallClose::Ok);

  struct Case {
    Real epsT, tension, p;
  };
  // At 1500 K: τ_sp = 1.7 ns and strength 0.63 GPa at εt = 1e7/s, 0.37 ns and 1.35 GPa at
  // 1e8/s, 0.079 ns and 2.9 GPa at 1e9/s, 7.9 ns and 0.29 GPa at 1e6/s.
  const Case cases[] = {
      {1e7L, 1e-7L, -0.8L},  {1e7L, 1e-7L, -0.5L},  {1e7L, 1e-9L, -0.8L}, {1e8L, 1e-8L, -1.6L},
      {1e8L, 1e-8L, -1.2L},  {1e8L, 3e-10L, -1.6L}, {1e9L, 1e-9L, -30},   {1e9L, 1e-9L, -50},
      {1e6L, 1e-5L, -0.35L}, {1e6L, 1e-5L, -0.25L},
  };
  int32_t failures = 0;
  for (const Case& c : cases) {
    const Real rho = 2.3L, T = 1500;
    const Real rhoSI = rho * 1e3L;
    const Real P = -c.p * 1e9L;
    const Real cs = std::max(metal.c * 1e3L, std::sqrt(std::sqrt(P / rhoSI) * metal.c * 1e3L));
    const Real sigma = SigmaSI(kAlSigmaM, kAlTm, kAlTc, T);
    const Real tauA = std::min(c.tension, 1 / c.epsT);
    const Real tauSp = std::cbrt(100 * sigma / (rhoSI * c.epsT * c.epsT)) / cs;
    const Real strength = tauSp * rhoSI * c.epsT * cs * cs;
    // Keep clear of both boundaries, where rounding could decide.
    ASSERT_GT(std::fabs(tauSp / tauA - 1), 0.02L) << c.epsT << " " << c.p;
    ASSERT_GT(std::fabs(P / strength - 1), 0.02L) << c.epsT << " " << c.p;
    const bool expected = tauSp < tauA && P > strength;
    failures += expected ? 1 : 0;

    TSpallCell cell;
    cell.rho = rho;
    cell.T = cell.Te = T;
    cell.p = c.p;
    cell.epsT = c.epsT;
    cell.tensionTime = c.tension;
    const TSpallVerdict v = SpallCheck(sp, EosOf(metal), cell);
    EXPECT_EQ(v.failed, expected) << "epsT " << c.epsT << " tension " << c.tension << " p " << c.p;
    // A spall keeps the available time for the log; otherwise it is reset.
    EXPECT_EQ(v.tauA, expected ? tauA : 0);
  }
  EXPECT_EQ(failures, 5);  // both outcomes are exercised
}

// The binodal model, typed from its definition with pow, exp and log.
Real RhoBg(Real T, Real Tc) {
  return std::exp(3.941555e-10L * std::pow(T, 3) + 0.018426L * T - 32.790713L -
                  3.9716e-6L * std::pow(T, 2) - 1.477247e-14L * std::pow(T, 4) -
                  std::sqrt((1 - T / Tc) * 8.39029L * ((1 - T / Tc) * 2.7L + 1)));
}
Real EBg(Real T, Real Tc) {
  return 1.95074e-8L * T * T + 5.82666e-6L * T + 0.9665L - 1.0332e-12L * std::pow(T, 3) +
         std::sqrt((1 - T / Tc) * 3.3477L * ((1 - T / Tc) * 2.51377L + 1));
}
Real Phi(Real r, Real tau, Real E, Real Tc, Real mAt) {
  return E - (1.3806504e-26L * Tc * tau / mAt) * std::log(std::pow(tau, 1.5L) * (3.5L / r - 1));
}
Real SigmaRhoT(Real sigma0r, Real Ei0, Real Tc, Real mAt, Real rho, Real T, Real Ei) {
  const Real rhoC = RhoBg(Tc, Tc);
  const Real bg = RhoBg(T, Tc);
  return sigma0r * (bg / std::cbrt(rho) * (Phi(bg / rhoC, T / Tc, EBg(T, Tc), Tc, mAt) - Ei0) -
                    std::pow(rho, 2.0L / 3) * (Phi(rho / rhoC, T / Tc, Ei, Tc, mAt) - Ei0));
}

TEST(SpallSurfaceTension, BinodalModelMatchesItsDefinitionAndIsCalibratedAtMelting) {
  TestMetal gold;
  gold.Tm = 1336;
  TSpallation d;
  ASSERT_TRUE(d.SelectMaterial(1, EnvOf(gold)));  // the gold calibration of sigma(rho,Ti)
  ASSERT_TRUE(d.Visible("sigmaREdit"));
  TSpallParams sp;
  ASSERT_EQ(Accept(d, gold, sp).close, TSpallClose::Ok);
  ASSERT_FALSE(sp.SigmaOfT);
  const Real Tc = 7770, mAt = 3.2747051022660696e-22L, Ei0 = 1.68742L;
  EXPECT_NEAR(sp.rhoC / RhoBg(Tc, Tc), 1, 1e-15L);

  // σ0r makes σ(ρ_bl, Tm, E(ρ_bl, Tm)) the surface tension at melting, 1070 erg/cm².
  const Real rhoBl = 17.330351L;
  EXPECT_NEAR(SigmaOfRhoT(sp, rhoBl, 1336, gold.E0 + gold.cv * 1336), 1070, 1e-12L);

  struct Case {
    Real rho, T, Ei;
  };
  for (const Case& c : {Case{17.3L, 1336, 0.25L}, Case{15, 3000, 0.6L}, Case{12, 5000, 1.1L},
                        Case{8, 7000, 1.4L}}) {
    const Real expected = SigmaRhoT(sp.sigma0r, Ei0, Tc, mAt, c.rho, c.T, c.Ei);
    EXPECT_NEAR(SigmaOfRhoT(sp, c.rho, c.T, c.Ei) / expected, 1, 1e-15L)
        << "rho " << c.rho << " T " << c.T;
  }
}

TEST(SpallSurfaceTension, PowerLawIsCalibratedAtMeltingAndVanishesAtTc) {
  const TestMetal metal;
  const TSpallParams sp = AlWithVolume(metal, 1e-15L);
  EXPECT_NEAR(SigmaOfT(sp, kAlTm), kAlSigmaM, 1e-15L * kAlSigmaM);
  for (Real T : {300.0L, 1500.0L, 4000.0L, 6500.0L}) {
    EXPECT_NEAR(SigmaOfT(sp, T) * 1e-3L / SigmaSI(kAlSigmaM, kAlTm, kAlTc, T), 1, 1e-15L) << T;
  }
  EXPECT_EQ(SigmaOfT(sp, kAlTc), 0);
  EXPECT_EQ(SigmaOfT(sp, 2 * kAlTc), 0);
}

// The gold strength limits: p_liq = −5.04 + 0.0017 T − 1.49e-7 T² ("Au") and
// p_sol = −10.6 + 0.003 T − 2.16e-7 T² (the gold sigma(rho,Ti) item).
TEST(SpallStrength, LimitsOfLiquidAndSolidWithTheHotElectronShift) {
  TestMetal gold;
  gold.Tm = 1336;
  TSpallation au;
  ASSERT_TRUE(au.SelectMaterial("Au", EnvOf(gold)));
  ASSERT_TRUE(au.SetCheck("CheckNucl", false));
  ASSERT_TRUE(au.Check("CheckPliq"));
  au.FieldByName("pTeUEdit")->SetValue(0.001L);
  au.FieldByName("pTeDEdit")->SetValue(1);
  TSpallParams liq;
  ASSERT_EQ(Accept(au, gold, liq).close, TSpallClose::Ok);

  TSpallation blank;
  ASSERT_TRUE(blank.SelectMaterial(1, EnvOf(gold)));
  ASSERT_TRUE(blank.SetCheck("CheckNucl", false));
  ASSERT_TRUE(blank.SetCheck("CheckPliq", false));
  ASSERT_TRUE(blank.SetCheck("CheckPsol", true));
  TSpallParams sol;
  ASSERT_EQ(Accept(blank, gold, sol).close, TSpallClose::Ok);

  struct Case {
    const TSpallParams* sp;
    Real T, Te, p;
    bool failed;
  };
  // At 1000 K p_liq = −3.489 GPa, p_sol = −7.816 GPa. The p_liq cells are liquid; for
  // p_sol the cells below 1336 K are solid.
  const Case cases[] = {
      {&liq, 1000, 1000, -3.5L, true},
      {&liq, 1000, 1000, -3.4L, false},
      {&liq, 1500, 1500, -2.84L, true},
      {&liq, 1500, 1500, -2.8L, false},  // p_liq = −2.82525
      // Te − T = 200 K at pTe = 0.001 GPa/K: −3.4 becomes −3.6.
      {&liq, 1000, 1200, -3.4L, true},
      {&liq, 1000, 1080, -3.4L, false},
      {&sol, 1000, 1000, -7.9L, true},
      {&sol, 1000, 1000, -7.7L, false},
      {&sol, 1400, 1400, -20, false},  // liquid: p_sol does not apply
  };
  TestMetal alwaysLiquid = gold;
  alwaysLiquid.Tm = 0;
  for (const Case& c : cases) {
    TSpallCell cell;
    cell.rho = 18;
    cell.T = c.T;
    cell.Te = c.Te;
    cell.p = c.p;
    cell.epsT = 1e9L;
    cell.tensionTime = 1e-12L;
    const TSpallVerdict v = SpallCheck(*c.sp, EosOf(c.sp == &liq ? alwaysLiquid : gold), cell);
    EXPECT_EQ(v.failed, c.failed) << "T " << c.T << " Te " << c.Te << " p " << c.p;
    EXPECT_NEAR(v.p, c.p - (c.sp == &liq ? 0.001L * (c.Te - c.T) : 0), 1e-15L);
  }
}

}  // namespace
}  // namespace tarvex
