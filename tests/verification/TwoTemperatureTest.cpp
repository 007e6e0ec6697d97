// The two-temperature classes against independent solutions: the exponential relaxation
// of uniform electrons and ions with constant heat capacities and coupling, the energy
// balance of a laser-heated film with its substrate, the heat equation of the electrons
// alone, the contact temperature of a hot film on a conducting substrate (from the
// effusivities, for one and for two temperatures), a film that barely moves against
// the same film on a frozen grid, and the sound speed of hot electrons over a cold lattice.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/laser/LaserSource.h"
#include "core/thermal/ThermState.h"
#include "support/HydroFixture.h"
#include "support/IdealGasBinding.h"
#include "support/StepLoop.h"
#include "support/ThermalFixture.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

using testing::BindConstantElectrons;
using testing::ConstantElectrons;
using testing::ConstantSlot;
using testing::SessionFixture;
using testing::SetElectronState;
using testing::ThermalGrid;
using testing::ThermalLayers;
using testing::TotalEnergy;

const RealArray& TeOf(const THydrStat& st) {
  return *st.ArrayByName("Te");
}

// ---- exchange alone -------------------------------------------------------------------------

TEST(TwoTemperature, UniformRelaxationIsExponential) {
  // Ce dTe/dt = -G (Te - Ti), Cv dTi/dt = G (Te - Ti): the difference decays as
  // exp(-t/tau), 1/tau = G (1/Ce + 1/Cv), around the mean weighted by the heat capacities.
  SessionFixture f;
  Session& s = f.s;
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
  s.bounds.SetLeftMode(3);  // "No move"
  s.NoConduct = true;
  const Real rho = 2;
  const Real Cv = s.eos.FilmEos.Cv(rho, 1);
  const Real Ce = Cv / 2;
  const Real G = 1e3L;
  BindConstantElectrons(s, {Ce, G, 0, 0});
  ThermalLayers g;
  g.nFilm = 4;
  g.rho = rho;
  const Real Te0 = 1000, Ti0 = 300;
  ASSERT_TRUE(ThermalGrid(
      s, g, [&](Real) { return Ti0; }, SolverClass::ThermState));
  SetElectronState(s, [&](Real, Real) { return Te0; });
  const Real tau = 1 / (G * (1 / Ce + 1 / Cv));
  const Real Teq = (Ce * Te0 + Cv * Ti0) / (Ce + Cv);
  const Real dt = tau / 2000;
  for (const Real t : {tau / 2, 2 * tau, 4 * tau}) {
    ASSERT_TRUE(testing::RunUntil(s, t, dt, dt));
    const Real d = (Te0 - Ti0) * std::exp(-s.sim.SimTime / tau);
    const Real TeExact = Teq + Cv / (Ce + Cv) * d;
    const Real TiExact = Teq - Ce / (Ce + Cv) * d;
    for (int32_t i = 0; i < g.nFilm; ++i) {
      EXPECT_NEAR(static_cast<double>(TeOf(*s.StateA)[i] / TeExact), 1.0, 1e-6) << i;
      EXPECT_NEAR(static_cast<double>(s.StateA->T[i] / TiExact), 1.0, 1e-6) << i;
    }
  }
}

// ---- laser energy balance -----------------------------------------------------------------

TEST(TwoTemperature, FrozenFilmAndSubstrateGainExactlyTheAbsorbedFluence) {
  SessionFixture f;
  Session& s = f.s;
  const std::array<Real, 2> film{5.0L / 3, 196.97L}, glass{5.0L / 3, 20};
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Left, *FindEosModel("ideal_gas_of"), glass));
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), film));
  static const Real kGlass = 1e-5L;  // [kW/cm/K]; the slot keeps its address
  s.eos.LeftEos.Kappa = ConstantSlot(kGlass);
  // Gold-like constants: Ce [kJ/g/K], G [kW/g/K], ke [kW/cm/K].
  BindConstantElectrons(s, {3e-6L, 1e6L, 3e-3L, 0});
  s.setup.QegOn = true;  // the film's electrons also heat the substrate
  s.bounds.SetLeftMode(3);
  ThermalLayers g;
  g.nSub = 30;
  g.nFilm = 50;
  g.filmL = 50e-7L;
  g.rho = 19.3L;
  g.rhoSub = 2.2L;
  ASSERT_TRUE(ThermalGrid(
      s, g, [](Real) { return Real(300); }, SolverClass::ThermState));
  SetElectronState(s, [](Real, Real Ti) { return Ti; });
  LaserPulse p;
  p.F = 1;      // [mJ/cm^2]
  p.d = 15;     // [nm], entering at the film's free face
  p.tau = 100;  // [fs]
  p.timeItem = 0;
  p.spaceItem = 1;
  ASSERT_FALSE(SetLaserPulse(s.laser, p).Refused());
  ASSERT_EQ(BuildSourceProfile(s.laser, {s.StateA->x, s.sim.InGlass, 1, 0}), SourceStatus::Ok);
  const Real t0 = -300e-15L, t1 = 2e-12L;
  s.sim.SimTime = t0;
  const Real before = TotalEnergy(s);
  ASSERT_TRUE(testing::RunUntil(s, t1, 5e-15L, 1e-15L));
  const Real rise = TotalEnergy(s) - before;
  const Real tau = p.tau * kTauUnit;
  const Real inFilm = 1 - std::exp(-g.filmL / (p.d * kDepthUnit));
  const Real fluence = p.F * kFluenceUnit * inFilm * (std::erf(t1 / tau) - std::erf(t0 / tau)) / 2;
  EXPECT_NEAR(static_cast<double>(rise / fluence), 1.0, 1e-8);
  // The electrons were hotter than the ions, and the substrate warmed.
  EXPECT_GT(TeOf(*s.StateA)[g.nSub + g.nFilm - 1], s.StateA->T[g.nSub + g.nFilm - 1]);
  EXPECT_GT(s.StateA->T[g.nSub - 1], 300);
}

// ---- electron conduction alone ------------------------------------------------------------

TEST(TwoTemperature, ElectronHeatEquationWithoutCoupling) {
  // Te(x, t) = 1 + A sqrt(t0 / (t0 + t)) exp(-(x - xc)^2 / (4 D (t0 + t))), D = ke / (rho
  // Ce); cell means from error functions.
  SessionFixture f;
  Session& s = f.s;
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
  s.bounds.SetLeftMode(3);
  const Real rho = 2, ke = 0.5L;
  const Real Ce = s.eos.FilmEos.Cv(rho, 1);
  BindConstantElectrons(s, {Ce, 0, ke, 0});
  const int32_t N = 200;
  ThermalLayers g;
  g.nFilm = N;
  g.rho = rho;
  ASSERT_TRUE(ThermalGrid(
      s, g, [](Real) { return Real(1); }, SolverClass::ThermState));
  const Real A = 0.5L, xc = 0.5L, D = ke / (rho * Ce), t0 = 0.002L;
  auto mean = [&](Real a, Real b, Real t) {
    const Real w = std::sqrt(4 * D * (t0 + t));
    const Real amp = A * std::sqrt(t0 / (t0 + t));
    return 1 + amp * w * std::sqrt(std::numbers::pi_v<Real>) / 2 *
                   (std::erf((b - xc) / w) - std::erf((a - xc) / w)) / (b - a);
  };
  SetElectronState(s, [](Real, Real Ti) { return Ti; });
  // The electrons' cell means of the Gaussian.
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    RealArray& Te = *st->ArrayByName("Te");
    RealArray& Ee = *st->ArrayByName("Ee");
    for (int32_t i = 0; i < N; ++i) {
      Te[i] = mean(st->x[i], st->x[i + 1], 0);
      Ee[i] = Ce * Te[i];
      st->E[i] = Ee[i] + (*st->ArrayByName("Ei"))[i];
    }
  }
  ASSERT_TRUE(testing::RunUntil(s, 0.002L, 1e-6L, 1e-6L));
  Real worst = 0;
  const THydrStat& St = *s.StateA;
  for (int32_t i = 0; i < N; ++i) {
    worst = std::max(worst, std::fabs(TeOf(St)[i] - mean(St.x[i], St.x[i + 1], s.sim.SimTime)) / A);
    // Without coupling the ions keep their temperature.
    EXPECT_EQ(St.T[i], 1) << i;
  }
  EXPECT_LT(worst, 0.005L);
}

// ---- a hot film against a conducting substrate --------------------------------------------

// Contact of two half-spaces: the substrate at T1 (conductivity k1), the film at T2
// conducting through its electrons only. The face temperature is the effusivity-weighted
// mean, the profiles error functions from it.
void ContactOfFilmAndSubstrate(SolverClass cls) {
  SessionFixture f;
  Session& s = f.s;
  ASSERT_TRUE(BindIdealGasLeft(s.eos, 5.0L / 3, 3));
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 7.0L / 5, 1));
  const Real k1 = 2, ke = 0.3L;
  s.eos.LeftEos.Kappa = ConstantSlot(k1);
  const bool twoT = cls != SolverClass::HydrTherm;
  const Real cLattice = s.eos.FilmEos.Cv(1, 1);
  // Two temperatures: strong coupling, so that electrons and ions share one temperature
  // over a step; the film's heat capacity is then Ce + Cv.
  BindConstantElectrons(s, {cLattice / 2, 1e7L, ke, 0});
  s.setup.QegOn = twoT;
  s.bounds.SetLeftMode(3);
  ThermalLayers g;
  g.nSub = 400;
  g.nFilm = 400;
  g.filmL = 1;
  g.rho = 1;
  g.rhoSub = 1.5L;
  const Real T1 = 3, T2 = 1;
  const Real xi = g.nSub * (g.filmL / g.nFilm) * g.rho / g.rhoSub;
  ASSERT_TRUE(ThermalGrid(
      s, g, [&](Real x) { return x < xi ? T1 : T2; }, cls));
  if (twoT) SetElectronState(s, [](Real, Real Ti) { return Ti; });
  const Real c1 = s.eos.LeftEos.Cv(g.rhoSub, 1);
  const Real c2 = s.eos.ActiveEos.Cv(g.rho, 1);  // lattice and electrons
  ASSERT_NEAR(static_cast<double>(c2), static_cast<double>(1.5L * cLattice), 1e-12);
  const Real e1 = std::sqrt(k1 * g.rhoSub * c1);
  const Real e2 = std::sqrt(ke * g.rho * c2);
  const Real Tc = (e1 * T1 + e2 * T2) / (e1 + e2);
  const Real e0 = TotalEnergy(s);
  ASSERT_TRUE(testing::RunUntil(s, 0.002L, 2e-6L, 2e-6L));
  // One system conserves energy in every pass; the two systems exchange the interface
  // flux through the eliminated ions and agree once the iteration has converged.
  EXPECT_NEAR(static_cast<double>(TotalEnergy(s) / e0), 1.0, twoT ? 1e-6 : 1e-12)
      << SolverClassName(cls);
  const THydrStat& A = *s.StateA;
  const Real t = s.sim.SimTime;
  const Real D1 = k1 / (g.rhoSub * c1), D2 = ke / (g.rho * c2);
  Real worst = 0;
  for (int32_t i = 0; i < g.nSub + g.nFilm; ++i) {
    const Real xc = A.CellCentre(i);
    const Real exact = xc < xi ? T1 + (Tc - T1) * std::erfc((xi - xc) / (2 * std::sqrt(D1 * t)))
                               : T2 + (Tc - T2) * std::erfc((xc - xi) / (2 * std::sqrt(D2 * t)));
    worst = std::max(worst, std::fabs(A.T[i] - exact) / (T1 - T2));
    if (twoT && i >= g.nSub) worst = std::max(worst, std::fabs(TeOf(A)[i] - exact) / (T1 - T2));
  }
  EXPECT_LT(worst, 0.01L) << SolverClassName(cls);
}

TEST(TwoTemperature, HeatCrossesFromAnElectronConductingFilmIntoTheSubstrate) {
  ContactOfFilmAndSubstrate(SolverClass::HydrTherm);
  ContactOfFilmAndSubstrate(SolverClass::ThermState);
}

// ---- a film that barely moves ----------------------------------------------------------------

// A gold-like film, 100 nm, on a rigid wall, heated from its free face by a weak pulse;
// the surface electron temperature over 3 ps.
std::vector<Real> SurfaceTe(bool frozen) {
  SessionFixture f;
  Session& s = f.s;
  const std::array<Real, 2> film{5.0L / 3, 196.97L};
  EXPECT_TRUE(BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), film));
  BindConstantElectrons(s, {3e-6L, 1e6L, 3e-3L, 0});
  s.bounds.SetLeftMode(frozen ? 3 : 2);  // "No move" or "v0 = 0"
  ThermalLayers g;
  g.nFilm = 100;
  g.filmL = 100e-7L;
  g.rho = 19.3L;
  s.sim.Pout = s.eos.ActiveEos.P(g.rho, 300);  // in equilibrium before the pulse
  EXPECT_TRUE(ThermalGrid(
      s, g, [](Real) { return Real(300); },
      frozen ? SolverClass::ThermState : SolverClass::Hydro2T));
  SetElectronState(s, [](Real, Real Ti) { return Ti; });
  LaserPulse p;
  p.F = 0.1L;
  p.d = 15;
  p.tau = 100;
  p.timeItem = 0;
  p.spaceItem = 1;
  EXPECT_FALSE(SetLaserPulse(s.laser, p).Refused());
  EXPECT_EQ(BuildSourceProfile(s.laser, {s.StateA->x, s.sim.InGlass, 1, 0}), SourceStatus::Ok);
  s.sim.SimTime = -300e-15L;
  std::vector<Real> out;
  for (int k = 1; k <= 6; ++k) {
    EXPECT_TRUE(testing::RunUntil(s, k * 0.5e-12L, 2e-15L, 1e-15L));
    out.push_back(TeOf(*s.StateA)[g.nFilm - 1]);
  }
  return out;
}

TEST(TwoTemperature, BarelyMovingFilmFollowsTheFrozenOne) {
  const std::vector<Real> frozen = SurfaceTe(true);
  const std::vector<Real> moving = SurfaceTe(false);
  ASSERT_EQ(frozen.size(), moving.size());
  for (size_t k = 0; k < frozen.size(); ++k) {
    EXPECT_GT(frozen[k], 350) << k;  // really heated
    EXPECT_NEAR(static_cast<double>(moving[k] / frozen[k]), 1.0, 0.01) << k;
  }
}

// ---- sound speed ----------------------------------------------------------------------------

// Hot electrons over a cold lattice: each subsystem is compressed along its own adiabat.
// An ideal-gas lattice (Pi = rho R Ti / M) has c_i^2 = gamma Pi / rho; electrons with
// Ee = ce Te and Pe = Gr rho Ee keep Ee proportional to rho^Gr on their adiabat, so
// c_e^2 = (1 + Gr) Pe / rho; the film's sound speed is c^2 = c_i^2 + c_e^2. (Mixing the
// two into one temperature, as the totals of the film's equation of state do, would make
// the lattice jump to a temperature between Ti and Te.)
TEST(TwoTemperature, SoundSpeedFollowsTheAdiabatOfEachSubsystem) {
  SessionFixture f;
  Session& s = f.s;
  constexpr Real gamma = 5.0L / 3;
  constexpr Real Gr = 2.0L / 3;
  const std::array<Real, 2> gold{gamma, 196.97L};
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), gold));
  BindConstantElectrons(s, {2e-4L, 0, 0, Gr});
  ThermalLayers g;
  g.nFilm = 8;
  g.filmL = 50e-7L;
  g.rho = 19.3L;
  ASSERT_TRUE(ThermalGrid(
      s, g, [](Real) { return Real(300); }, SolverClass::Hydro2T));
  SetElectronState(s, [](Real x, Real) { return 5000 + 4e8L * x; });  // 5 000 - 7 000 K
  const auto& A = *s.StateA;
  const RealArray& c2 = s.StateA->SoundSpeed2();
  const RealArray& Pi = *A.ArrayByName("Pi");
  const RealArray& Pe = *A.ArrayByName("Pe");
  const Real scale2 = s.eos.EosScale * s.eos.EosScale;  // GPa cm3/g -> (cm/s)^2
  for (int32_t i = 0; i < 8; ++i) {
    const Real rho = A.Density(i);
    ASSERT_GT(Pe[i], 5 * Pi[i]) << i;  // the electrons dominate: 15-21 GPa
    const Real exact = scale2 * (gamma * Pi[i] + (1 + Gr) * Pe[i]) / rho;
    EXPECT_NEAR(static_cast<double>(c2[i] / exact), 1.0, 1e-5) << i;
  }
}

}  // namespace
}  // namespace tarvex
