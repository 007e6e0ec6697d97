// THydrTherm beyond the verification suite: the tension-time record and spallation of
// stretched film cells, the substrate that does not conduct, and the pass that fails on
// a temperature that is not positive.
#include <gtest/gtest.h>

#include <cmath>

#include "core/hydro/IterateStep.h"
#include "core/thermal/HydrTherm.h"
#include "support/HydroFixture.h"
#include "support/IdealGasBinding.h"
#include "support/StepLoop.h"
#include "support/StretchableMedium.h"
#include "support/ThermalFixture.h"

namespace tarvex {
namespace {

using testing::ConstantSlot;
using testing::SessionFixture;
using testing::ThermalGrid;
using testing::ThermalLayers;

// A film expanding uniformly from its middle goes into tension everywhere.
void ExpandingFilm(Session& s) {
  testing::BindStretchable(s.eos);
  ThermalLayers g;
  g.nFilm = 20;
  ASSERT_TRUE(ThermalGrid(s, g, [](Real) { return Real(1); }));
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= 20; ++j) st->v[j] = 0.5L * (st->x[j] - 0.5L);
  }
}

TEST(HydrTherm, StretchedCellsCountTensionAndSpallAtTheStrengthLimit) {
  // Without spallation the film stays in tension and no record is kept.
  {
    SessionFixture f;
    ExpandingFilm(f.s);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(testing::RunUntil(f.s, 0.05L, 0.005L, 0.005L));
    EXPECT_FALSE(f.s.tension.Exists());
    EXPECT_LT(f.s.StateA->P[10], 0);
  }
  SessionFixture f;
  Session& s = f.s;
  ExpandingFilm(s);
  if (HasFatalFailure()) return;
  s.SpallOn = true;
  s.spall.CheckPliq = true;
  s.spall.Pliq0 = -0.05L;  // the liquid breaks below -0.05
  // Early on the cells are stretched but hold.
  ASSERT_TRUE(testing::RunUntil(s, 0.05L, 0.005L, 0.005L));
  ASSERT_TRUE(s.tension.Exists());
  EXPECT_EQ(s.tension.Size(), 21);
  const THydrStat& A = *s.StateA;
  for (int32_t i = 1; i < 19; ++i) {
    EXPECT_LT(A.P[i], 0) << i;
    EXPECT_GT(A.P[i], -0.05L) << i;
    EXPECT_GT(s.tension[i], 0) << i;  // counting
    EXPECT_LE(s.tension[i], s.sim.SimTime - s.tension.TnegOrigin()) << i;
  }
  // Stretched beyond the limit they fail and carry no tension any more.
  ASSERT_TRUE(testing::RunUntil(s, 0.3L, 0.005L, 0.005L));
  int32_t failed = 0;
  for (int32_t i = 0; i < 20; ++i) {
    if (s.tension.Failed(i)) {
      ++failed;
      EXPECT_GE(A.P[i], 0) << i;
    }
  }
  EXPECT_GT(failed, 10);
}

TEST(HydrTherm, ASubstrateWithoutConductivityTakesNoHeat) {
  SessionFixture f;
  Session& s = f.s;
  ASSERT_TRUE(BindIdealGasLeft(s.eos, 5.0L / 3, 2));
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
  static const Real k = 1;
  s.eos.FilmEos.Kappa = ConstantSlot(k);  // the substrate has none
  s.bounds.SetLeftMode(3);
  ThermalLayers g;
  g.nSub = 10;
  g.nFilm = 10;
  ASSERT_TRUE(ThermalGrid(s, g, [](Real x) { return x < 1 ? Real(1) : Real(3); }));
  const THydrStat& A = *s.StateA;
  Real filmEnergy = 0;
  for (int32_t i = 10; i < 20; ++i) filmEnergy += A.E[i];
  ASSERT_TRUE(testing::RunUntil(s, 0.1L, 0.01L, 0.01L));
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(A.T[i], 1) << i;
  Real after = 0;
  for (int32_t i = 10; i < 20; ++i) after += A.E[i];
  EXPECT_NEAR(static_cast<double>(after / filmEnergy), 1.0, 1e-15);
}

TEST(HydrTherm, ATemperatureThatIsNotPositiveFailsThePass) {
  SessionFixture f;
  Session& s = f.s;
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
  s.bounds.SetLeftMode(3);
  ThermalLayers g;
  g.nFilm = 4;
  ASSERT_TRUE(ThermalGrid(s, g, [](Real) { return Real(1); }));
  // The old state holds less energy than the latest iterate: the solved temperature lies
  // below it, and a relaxation far beyond the iterate pushes it below zero.
  s.StateA->E[2] = s.StateC->E[2] / 2;
  Real residual = 0;
  EXPECT_TRUE(
      s.StateB->EnergyStep(*s.StateA, *s.StateC, 0.01L, s.sim.h0, false, residual, false, 0));
  EXPECT_GT(s.StateB->T[2], 0);
  EXPECT_FALSE(
      s.StateB->EnergyStep(*s.StateA, *s.StateC, 0.01L, s.sim.h0, false, residual, false, -3));
  EXPECT_EQ(residual, -1);
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

Real HugeConductivity(const void*, Real, Real, Real) {
  return 1e6;
}

// The electron conduction carries no more than HeatFluxLimit [kW/cm2] across a face: the
// heat that crosses the face between a hot and a cold half of a frozen film in one step
// stays below limit * dt, and with a limit far above the flux nothing changes.
TEST(HydrTherm, FluxLimitBoundsTheElectronHeatFlux) {
  auto crossed = [](Real limit) {
    SessionFixture f;
    Session& s = f.s;
    EXPECT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
    s.electron.model.ElConductivity = Slot3{&HugeConductivity, nullptr, nullptr};
    s.electron.HeatFluxLimit = limit;
    s.bounds.SetLeftMode(3);
    ThermalLayers g;
    g.nFilm = 2;
    g.rho = 1e3;  // heavy cells: their temperatures hardly move in one step
    EXPECT_TRUE(ThermalGrid(s, g, [](Real x) { return x < 0.5L ? Real(2) : Real(1); }));
    const Real E0 = s.StateA->E[1];
    Real residual = 0;
    s.StateB->EnergyStep(*s.StateA, *s.StateA, 1e-3L, s.sim.h0, false, residual, false, 0);
    return (s.StateB->E[1] - E0) * s.sim.CellMassUniform / 1e-3L;  // mean flux [kW/cm2]
  };
  const Real q = 5;
  const Real limited = crossed(q);
  EXPECT_GT(limited, 0.99L * q);
  EXPECT_LE(limited, q);
  // Without a limit (0) the conductance of 1e6 carries far more.
  EXPECT_GT(crossed(0), 1000 * q);
  EXPECT_EQ(crossed(0), crossed(1e30L));
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// On cylindrical and spherical frozen grids the face fluxes carry the area of their node:
// the heat of a hot shell spreads, and the energy of the whole ball stays what it was.
TEST(HydrTherm, CurvedGridsKeepTheHeat) {
  for (int32_t Dspc : {2, 3}) {
    SessionFixture f;
    Session& s = f.s;
    ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
    static const Real k = 0.2L;
    s.eos.FilmEos.Kappa = ConstantSlot(k);
    s.bounds.SetLeftMode(3);
    const int32_t N = 50;
    ASSERT_TRUE(s.EnsureInstances(SolverClass::HydrTherm, N));
    testing::UniformGrid(s, N, 1, 1, 1, Dspc);
    for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
      for (int32_t i = 20; i < 25; ++i) {
        st->T[i] = 3;
        st->E[i] = s.eos.ActiveEos.E(st->Density(i), 3);
      }
    }
    auto heat = [&] {
      Real sum = 0;
      for (int32_t i = 0; i < N; ++i) sum += s.StateA->CellMassAt(i) * s.StateA->E[i];
      return sum;
    };
    const Real before = heat();
    ASSERT_TRUE(testing::RunUntil(s, 0.05L, 0.005L, 0.005L));
    EXPECT_NEAR(static_cast<double>(heat() / before), 1.0, 1e-15) << "Dspc " << Dspc;
    EXPECT_LT(s.StateA->T[22], 2.5L) << "Dspc " << Dspc;
    EXPECT_GT(s.StateA->T[15], 1) << "Dspc " << Dspc;
  }
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// The relaxation of the iteration damps a pass towards the latest iterate, as every
// quantity of the iterated step does: Relax = 0 keeps the solved temperature, Relax = 1/2
// takes the mean of the solved one and the iterate's.
TEST(HydrTherm, RelaxationDampsTowardsTheLatestIterate) {
  SessionFixture f;
  Session& s = f.s;
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
  s.bounds.SetLeftMode(3);
  ThermalLayers g;
  g.nFilm = 4;
  ASSERT_TRUE(ThermalGrid(s, g, [](Real) { return Real(1); }));
  s.StateA->E[2] = s.StateC->E[2] * 2;  // the old state holds more energy
  Real residual = 0;
  s.StateB->EnergyStep(*s.StateA, *s.StateC, 0.01L, s.sim.h0, false, residual, false, 0);
  const Real solved = s.StateB->T[2];
  ASSERT_GT(solved, 1.5L);
  s.StateB->EnergyStep(*s.StateA, *s.StateC, 0.01L, s.sim.h0, false, residual, false, 0.5L);
  EXPECT_NEAR(static_cast<double>(s.StateB->T[2]), static_cast<double>((solved + 1) / 2), 1e-15);
}

// "T' = 0" is a zero gradient at an end face of the grid, hence no heat flux through it:
// a linear profile between two such ends flattens without gaining or losing energy.
TEST(HydrTherm, ZeroGradientEndsKeepTheHeat) {
  for (int32_t closure : {1, 2}) {  // "T' = 0", "k = 0"
    SessionFixture f;
    Session& s = f.s;
    ASSERT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
    static const Real k = 1;
    s.eos.FilmEos.Kappa = ConstantSlot(k);
    s.bounds.SetLeftMode(3);
    s.closures.first = s.closures.last = static_cast<BoundClosure>(closure);
    ThermalLayers g;
    g.nFilm = 50;
    ASSERT_TRUE(ThermalGrid(s, g, [](Real x) { return 1 + x; }));
    const Real before = testing::TotalEnergy(s);
    ASSERT_TRUE(testing::RunUntil(s, 0.05L, 1e-3L, 1e-3L));
    EXPECT_NEAR(static_cast<double>(testing::TotalEnergy(s) / before), 1.0, 1e-15) << closure;
    EXPECT_LT(s.StateA->T[49] - s.StateA->T[0], 0.9L) << closure;  // it did flatten
  }
}

}  // namespace
}  // namespace tarvex
