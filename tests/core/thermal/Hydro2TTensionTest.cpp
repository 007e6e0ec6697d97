// The moving two-temperature class under tension: a film expanding from its middle is
// stretched; with spallation on, its cells count their tension time and fail at the
// strength limit, after which they carry no tension (their ion pressure released); and a
// released cell whose void closes keeps its lattice's temperature.
#include <gtest/gtest.h>

#include <cmath>

#include "core/thermal/Hydro2T.h"
#include "support/HydroFixture.h"
#include "support/StepLoop.h"
#include "support/StretchableMedium.h"
#include "support/ThermalFixture.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

TEST(Hydro2TTension, StretchedCellsFailAtTheStrengthLimitAndLetGo) {
  testing::SessionFixture f;
  Session& s = f.s;
  testing::BindStretchable(s.eos);  // the lattice
  // Electrons with a small heat capacity and no pressure, strongly coupled.
  testing::BindConstantElectrons(s, {0.01L, 100, 0, 0});
  testing::ThermalLayers g;
  g.nFilm = 20;
  ASSERT_TRUE(testing::ThermalGrid(
      s, g, [](Real) { return Real(1); }, SolverClass::Hydro2T));
  testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= 20; ++j) st->v[j] = 0.5L * (st->x[j] - 0.5L);
  }
  s.SpallOn = true;
  s.spall.CheckPliq = true;
  s.spall.Pliq0 = -0.05L;
  ASSERT_TRUE(testing::RunUntil(s, 0.05L, 0.005L, 0.005L));
  ASSERT_TRUE(s.tension.Exists());
  const auto& A = static_cast<const THydro2T&>(*s.StateA);
  for (int32_t i = 1; i < 19; ++i) {
    EXPECT_LT(A.P[i], 0) << i;  // stretched and holding
    EXPECT_GT(s.tension[i], 0) << i;
  }
  ASSERT_TRUE(testing::RunUntil(s, 0.3L, 0.005L, 0.005L));
  int32_t failed = 0;
  for (int32_t i = 0; i < 20; ++i) {
    EXPECT_GT(A.T[i], 0) << i;
    EXPECT_GT(A.Te[i], 0) << i;
    if (!s.tension.Failed(i)) continue;
    ++failed;
    EXPECT_GE(A.Pi[i], 0) << i;  // a failed cell carries no tension
    EXPECT_EQ(A.P[i], A.Pe[i] + A.Pi[i]) << i;
  }
  EXPECT_GT(failed, 10);
}

// A lattice with a cold energy, in reduced units: E = T + (rho - 1)^2 / 2, Cv = 1 and
// P = rho^2 dE/drho = rho^2 (rho - 1): stretched below rho = 1.
Real ColdE(const void*, Real rho, Real T) {
  return T + (rho - 1) * (rho - 1) / 2;
}
Real ColdCv(const void*, Real, Real) {
  return 1;
}
Real ColdP(const void*, Real rho, Real) {
  return rho * rho * (rho - 1);
}

// The film's equation of state is that lattice, in reduced units (EosScale 1).
void BindColdLattice(Session& s) {
  s.eos.EosScale = 1;
  for (Slot2* e : {&s.eos.ActiveEos.E, &s.eos.FilmEos.E}) *e = Slot2{&ColdE, nullptr};
  for (Slot2* c : {&s.eos.ActiveEos.Cv, &s.eos.FilmEos.Cv}) *c = Slot2{&ColdCv, nullptr};
  for (Slot2* p : {&s.eos.ActiveEos.P, &s.eos.FilmEos.P}) *p = Slot2{&ColdP, nullptr};
}

// A released cell is material and void: when the void closes, its mean density rises but
// its material neither works nor heats. Without conduction (and exchange) its temperature
// stays; taken at the mean density, the cold energy freed by the closing void
// ((0.5 - 1)^2 / 2 - (0.65 - 1)^2 / 2 = 0.06) would heat it by that much. One and two
// temperatures.
void ReleasedCellKeepsItsTemperatureAsItsVoidCloses(SolverClass cls) {
  testing::SessionFixture f;
  Session& s = f.s;
  BindColdLattice(s);
  const bool twoT = cls == SolverClass::Hydro2T;
  if (twoT) testing::BindConstantElectrons(s, {0.01L, 0, 0, 0});  // no coupling, no conduction
  s.NoConduct = !twoT;
  testing::ThermalLayers g;
  g.nFilm = 10;
  ASSERT_TRUE(testing::ThermalGrid(
      s, g, [](Real) { return Real(1); }, cls));
  constexpr int32_t k = 5;  // the released cell: twice as wide (rho = 0.5), closing
  const Real h = s.StateA->x[1] - s.StateA->x[0];
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = k + 1; j <= 10; ++j) st->x[j] += h;
    st->v[k] = 0.5L;
    st->v[k + 1] = -0.5L;
    st->E[k] = ColdE(nullptr, st->Density(k), 1);
    st->P[k] = 0;  // let go: it carries no tension
  }
  if (twoT) {
    testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
    for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
      (*st->ArrayByName("Pi"))[k] = 0;
      st->P[k] = (*st->ArrayByName("Pe"))[k];
    }
  }
  ASSERT_TRUE(testing::RunUntil(s, 0.05L, 0.005L, 0.005L));
  const THydrStat& A = *s.StateA;
  ASSERT_GT(A.Density(k), 0.62L);  // the void closed by a quarter
  ASSERT_LT(A.Density(k), 1);      // and the cell is still stretched, so still released
  EXPECT_EQ(twoT ? (*A.ArrayByName("Pi"))[k] : A.P[k], 0);
  EXPECT_NEAR(static_cast<double>(A.T[k]), 1.0, 1e-9);
}

TEST(ReleasedCell, OneTemperatureKeepsItsTemperatureAsItsVoidCloses) {
  ReleasedCellKeepsItsTemperatureAsItsVoidCloses(SolverClass::HydrTherm);
}

TEST(ReleasedCell, TwoTemperatureLatticeKeepsItsTemperatureAsItsVoidCloses) {
  ReleasedCellKeepsItsTemperatureAsItsVoidCloses(SolverClass::Hydro2T);
}

// A film at rest at zero total pressure: its lattice stretched just enough to hold its
// electrons' pressure (Pi = -Pe, so the tension pressure Pi + Pe is 0 in every cell). A
// slight outward motion of the free surface stretches the surface cell: it must hold, as
// a lattice under tension does, and pull the surface back; no cell may be taken for one
// that was let go before (once the surface cell was: its ion pressure dropped to 0 and
// the electrons' pressure blew it off the film).
TEST(Hydro2TTension, AFilmAtZeroTotalPressureHoldsItsFreeSurface) {
  testing::SessionFixture f;
  Session& s = f.s;
  BindColdLattice(s);
  // Pe = Gr rho ce Te = 0.01 rho at Te = 1; the lattice's rho^2 (rho - 1) balances it at
  // rho^2 - rho + 0.01 = 0.
  testing::BindConstantElectrons(s, {0.01L, 0, 0, 1});
  s.NoConduct = true;
  testing::ThermalLayers g;
  g.nFilm = 10;
  g.filmL = 10;
  g.rho = (1 + std::sqrt(0.96L)) / 2;
  ASSERT_TRUE(testing::ThermalGrid(
      s, g, [](Real) { return Real(1); }, SolverClass::Hydro2T));
  testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    RealArray& Pi = *st->ArrayByName("Pi");
    const RealArray& Pe = *st->ArrayByName("Pe");
    for (int32_t i = 0; i < 10; ++i) {
      Pi[i] = -Pe[i];  // zero total pressure to the last digit
      st->P[i] = 0;
    }
    st->v[10] = 1e-4L;
  }
  ASSERT_TRUE(testing::RunUntil(s, 0.5L, 0.01L, 0.01L));
  const THydrStat& A = *s.StateA;
  const RealArray& Pi = *A.ArrayByName("Pi");
  for (int32_t i = 0; i < 10; ++i) {
    EXPECT_LT(Pi[i], 0) << i;  // the lattice holds
    EXPECT_NEAR(static_cast<double>(Pi[i]), static_cast<double>(ColdP(nullptr, A.Density(i), 1)),
                1e-12)
        << i;
  }
  EXPECT_LT(A.v[10], 1e-4L);  // held back, not blown off
}

}  // namespace
}  // namespace tarvex
