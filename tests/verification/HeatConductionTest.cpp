// The one-temperature conduction class against independent solutions: the heat equation
// with constant coefficients on a frozen grid (a spreading Gaussian, whose exact cell
// averages are differences of error functions), the contact temperature of two
// half-spaces (weighted by their effusivities sqrt(k rho c)), and the energy balance of a
// laser-heated film on a substrate (the rise of internal plus kinetic energy is the
// fluence the pulse deposited up to that time).
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>
#include <tuple>

#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/StatEqDialog.h"
#include "core/laser/LaserSource.h"
#include "support/HydroFixture.h"
#include "support/IdealGasBinding.h"
#include "support/StepLoop.h"
#include "support/ThermalFixture.h"

namespace tarvex {
namespace {

using testing::ConstantSlot;
using testing::SessionFixture;
using testing::ThermalGrid;
using testing::ThermalLayers;

// ---- the heat equation ------------------------------------------------------------------

// T(x, t) = Tinf + A sqrt(t0 / (t0 + t)) exp(-(x - xc)^2 / (4 D (t0 + t))) on an infinite
// line; its mean over [a, b].
struct Gaussian {
  Real Tinf, A, xc, D, t0;
  Real Mean(Real a, Real b, Real t) const {
    const Real w = std::sqrt(4 * D * (t0 + t));
    const Real amp = A * std::sqrt(t0 / (t0 + t));
    const Real sqrtPi = std::sqrt(std::numbers::pi_v<Real>);
    return Tinf +
           amp * w * sqrtPi / 2 * (std::erf((b - xc) / w) - std::erf((a - xc) / w)) / (b - a);
  }
};

struct HeatRun {
  Real maxError;  // largest |T - exact mean| over the cells / A
};

// A slab [0, 1] of ideal gas (dimensionless units) with constant conductivity k, frozen,
// insulated at both ends; the Gaussian sits in the middle, far from the ends.
HeatRun RunGaussian(int32_t N, Real dt, Real tEnd) {
  SessionFixture f;
  Session& s = f.s;
  EXPECT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
  const Real k = 0.5L;
  s.eos.FilmEos.Kappa = ConstantSlot(k);
  ComposeActiveEos(s.eos, nullptr);
  s.bounds.SetLeftMode(3);  // "No move"
  const Real rho = 2;
  const Real Cv = s.eos.ActiveEos.Cv(rho, 1);
  const Gaussian g{1, 0.5L, 0.5L, k / (rho * Cv), 0.002L};
  ThermalLayers layers;
  layers.nFilm = N;
  layers.rho = rho;
  EXPECT_TRUE(ThermalGrid(s, layers, [](Real) { return Real(0); }));
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t i = 0; i < N; ++i) {
      st->T[i] = g.Mean(st->x[i], st->x[i + 1], 0);
      st->E[i] = s.eos.ActiveEos.E(st->Density(i), st->T[i]);
    }
  }
  EXPECT_TRUE(testing::RunUntil(s, tEnd, dt, dt));
  HeatRun r{0};
  const THydrStat& A = *s.StateA;
  for (int32_t i = 0; i < N; ++i) {
    const Real e = std::fabs(A.T[i] - g.Mean(A.x[i], A.x[i + 1], s.sim.SimTime)) / g.A;
    r.maxError = std::max(r.maxError, e);
  }
  return r;
}

TEST(HeatConduction, SpreadingGaussianOnAFrozenGrid) {
  const HeatRun r = RunGaussian(200, 1e-6L, 0.002L);
  EXPECT_LT(r.maxError, 0.005L);
}

TEST(HeatConduction, SecondOrderInSpace) {
  // Steps short enough that the error of the time discretisation is far below that of
  // the space discretisation at both resolutions.
  const HeatRun coarse = RunGaussian(25, 2e-7L, 0.001L);
  const HeatRun fine = RunGaussian(50, 2e-7L, 0.001L);
  const Real order = std::log2(coarse.maxError / fine.maxError);
  EXPECT_GT(order, 1.8L) << "errors " << static_cast<double>(coarse.maxError) << " "
                         << static_cast<double>(fine.maxError);
}

// ---- contact of two half-spaces ---------------------------------------------------------

TEST(HeatConduction, ContactTemperatureOfTwoHalfSpaces) {
  SessionFixture f;
  Session& s = f.s;
  const Real k1 = 2, k2 = 0.3L;
  // Both media take their conductivity from the equation-of-state dialog (CheckKappa
  // with the constant), as a person or a run file gives it.
  TStatEqDialog dialog;
  dialog.SetCheckKappa(true);
  for (const auto& [left, gamma, mass, kappa] :
       {std::tuple{true, "1.666666666666666667", "3", "2"}, std::tuple{false, "1.4", "1", "0.3"}}) {
    dialog.SetLeft(left);
    ASSERT_TRUE(dialog.SelectModel("ideal_gas"));
    dialog.FieldByName("gamma")->SetText(gamma);
    dialog.FieldByName("AtomMass")->SetText(mass);
    dialog.FieldByName("kappaEdit")->SetText(kappa);
    const TStatEqResult ok = dialog.Ok(s.eos);
    ASSERT_TRUE(ok) << ok.message;
  }
  ASSERT_EQ(s.eos.LeftEos.Kappa(1.5L, 1), k1);
  ASSERT_EQ(s.eos.FilmEos.Kappa(1, 1), k2);
  s.bounds.SetLeftMode(3);
  ThermalLayers g;
  g.nSub = 400;
  g.nFilm = 400;
  g.filmL = 1;
  g.rho = 1;
  g.rhoSub = 1.5L;
  const Real T1 = 3, T2 = 1;
  const Real xi = g.nSub * (g.filmL / g.nFilm) * g.rho / g.rhoSub;  // the interface
  ASSERT_TRUE(ThermalGrid(s, g, [&](Real x) { return x < xi ? T1 : T2; }));
  const Real c1 = s.eos.LeftEos.Cv(g.rhoSub, 1);
  const Real c2 = s.eos.ActiveEos.Cv(g.rho, 1);
  const Real e1 = std::sqrt(k1 * g.rhoSub * c1);
  const Real e2 = std::sqrt(k2 * g.rho * c2);
  const Real Tc = (e1 * T1 + e2 * T2) / (e1 + e2);
  // Long enough for many cells to take part, short enough that neither wave reaches an
  // end of the grid (diffusion lengths below a tenth of each layer).
  ASSERT_TRUE(testing::RunUntil(s, 0.002L, 2e-6L, 2e-6L));
  const THydrStat& A = *s.StateA;
  const int32_t M = g.nSub - 1, F = g.nSub;
  ASSERT_NEAR(static_cast<double>(A.x[F]), static_cast<double>(xi), 1e-15);
  // The face temperature from flux continuity through the two half cells.
  const Real gl = k1 / ((A.x[F] - A.x[M]) / 2), gr = k2 / ((A.x[F + 1] - A.x[F]) / 2);
  const Real Tface = (gl * A.T[M] + gr * A.T[F]) / (gl + gr);
  EXPECT_LT(std::fabs(Tface - Tc) / (T1 - T2), 0.005L)
      << "face " << static_cast<double>(Tface) << " exact " << static_cast<double>(Tc);
  // Inside each half-space the profile is the error function from the contact
  // temperature: T = T1 + (Tc - T1) erfc(d / (2 sqrt(D1 t))) on the left, likewise on the
  // right, d the distance from the interface.
  const Real t = s.sim.SimTime;
  const Real D1 = k1 / (g.rhoSub * c1), D2 = k2 / (g.rho * c2);
  Real worst = 0;
  for (int32_t i = 0; i < g.nSub + g.nFilm; ++i) {
    const Real xc = A.CellCentre(i);
    const Real exact = xc < xi ? T1 + (Tc - T1) * std::erfc((xi - xc) / (2 * std::sqrt(D1 * t)))
                               : T2 + (Tc - T2) * std::erfc((xc - xi) / (2 * std::sqrt(D2 * t)));
    worst = std::max(worst, std::fabs(A.T[i] - exact) / (T1 - T2));
  }
  EXPECT_LT(worst, 0.005L);
  // Far ends untouched.
  EXPECT_NEAR(static_cast<double>(A.T[0]), static_cast<double>(T1), 1e-9);
  EXPECT_NEAR(static_cast<double>(A.T[g.nSub + g.nFilm - 1]), static_cast<double>(T2), 1e-9);
}

// ---- energy balance of a laser-heated film ---------------------------------------------

using testing::TotalEnergy;

TEST(HeatConduction, EnergyBalanceOfALaserHeatedFilm) {
  SessionFixture f;
  Session& s = f.s;
  // Physical units: a 100 nm film of aluminium vapour density on a glass-like substrate,
  // both ideal gases of their atomic masses, conducting with constant conductivities.
  const std::array<Real, 2> film{5.0L / 3, 26.98L}, glass{5.0L / 3, 20};
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Left, *FindEosModel("ideal_gas_of"), glass));
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), film));
  const Real kFilm = 2e-3L, kGlass = 1e-5L;  // [kW/cm/K]
  s.eos.FilmEos.Kappa = ConstantSlot(kFilm);
  s.eos.LeftEos.Kappa = ConstantSlot(kGlass);
  ComposeActiveEos(s.eos, nullptr);
  s.sim.Pout = 0;
  ThermalLayers g;
  g.nSub = 60;
  g.nFilm = 100;
  g.filmL = 100e-7L;
  g.rho = 2.7L;
  g.rhoSub = 2.2L;
  g.x0 = 0;
  ASSERT_TRUE(ThermalGrid(s, g, [](Real) { return Real(300); }));
  // Light from the substrate side: d < 0 enters the film's left face, next to the glass.
  LaserPulse p;
  p.F = 10;     // [mJ/cm^2]
  p.d = -15;    // [nm]
  p.tau = 100;  // [fs]
  p.timeItem = 0;
  p.spaceItem = 1;
  ASSERT_FALSE(SetLaserPulse(s.laser, p).Refused());
  ASSERT_EQ(BuildSourceProfile(s.laser, InitialSourceLayout(s, s.StateA->CellCount())),
            SourceStatus::Ok);
  const Real t0 = -300e-15L, t1 = 4e-12L;
  s.sim.SimTime = t0;
  const Real before = TotalEnergy(s);
  ASSERT_TRUE(testing::RunUntil(s, t1, 20e-15L, 5e-15L));
  const Real rise = TotalEnergy(s) - before;
  // Fluence of the Gaussian pulse exp(-(t/tau)^2) / (sqrt(pi) tau) between t0 and t1.
  const Real tau = p.tau * kTauUnit;
  // The exponential space shape leaves exp(-L/|d|) of it beyond the film's far face.
  const Real inFilm = 1 - std::exp(-g.filmL / (-p.d * kDepthUnit));
  const Real fluence = p.F * kFluenceUnit * inFilm * (std::erf(t1 / tau) - std::erf(t0 / tau)) / 2;
  EXPECT_NEAR(static_cast<double>(rise / fluence), 1.0, 1e-6);
  // The film really moved and conducted: kinetic energy and a heated substrate.
  Real vmax = 0;
  for (Real vj : s.StateA->v) vmax = std::max(vmax, std::fabs(vj));
  EXPECT_GT(vmax, 0);
  EXPECT_GT(s.StateA->T[g.nSub - 1], 301);
}

}  // namespace
}  // namespace tarvex
