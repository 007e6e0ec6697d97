// The initial-conditions form model: grids and layers, profiles and growth shapes, the
// field handlers, the Enter-key walk, the order of the OK checks, the solver class, the
// questions and the "Init/Shift" step.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>
#include <set>
#include <string>

#include "core/common/Prompter.h"
#include "core/eos/EosSlots.h"
#include "core/hydro/HydrStat.h"
#include "core/laser/LaserSource.h"
#include "core/numerics/Tridiagonal.h"
#include "core/session/Session.h"
#include "core/setup/InitShift.h"
#include "core/setup/InitialConditions.h"
#include "support/IdealGasBinding.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

double D(Real x) {
  return static_cast<double>(x);
}

// Records what OK hands to the other subsystems.
struct RecordingHooks : TInitialHooks {
  int32_t laserCalls = 0;
  LaserSetup laser;
  int32_t refractiveCalls = 0;
  int32_t printCalls = 0;
  void SetupLaserSource(Session&, const LaserSetup& l) override {
    ++laserCalls;
    laser = l;
  }
  void RefreshRefractiveTable(Session&) override { ++refractiveCalls; }
  void PrintSettings(const TInitional&) override { ++printCalls; }
};

// A session with an ideal-gas film (gamma 5/3, M 1: E = 1.5 T, P = rho T, dimensionless)
// and the dialog on it. "Save(print) settings?" is answered No unless a test says else.
struct Fx {
  ScriptedPrompter prompter;
  std::unique_ptr<Session> session = std::make_unique<Session>(prompter);
  Session& s = *session;
  TInitional d{s};
  RecordingHooks hooks;

  Fx() {
    d.SetHooks(hooks);
    EXPECT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
    prompter.Script(kAskSavePrint, Answer::No);
  }

  // Substrate of ideal gas gamma 1.4, M 2: E = 1.25 T, P = rho T / 2.
  void BindGlass() { EXPECT_TRUE(BindIdealGasLeft(s.eos, 1.4L, 2)); }

  // A complete dialog: N cells over Len user units, unit x1, rho0 1, temperature profile
  // Tini over the whole film, 1T.
  void FillValid(int32_t N = 10, Real Len = 10, Real Tini = 2) {
    d.Len.SetValue(Len);
    d.x1Edit.SetValue(1);
    ASSERT_EQ(d.SetInt("Dimension", N), FieldSetStatus::Ok);
    d.Rho0.SetValue(1);
    d.RadioGroup1 = kProfileTemp;
    d.Tini.SetValue(Tini);
    d.LeaveField("Tini");
    d.xf.SetValue(Len);
    d.LeaveField("xf");
    ASSERT_EQ(d.SetInt("InitProfile", kModel1T), FieldSetStatus::Ok);
  }

  // Growth over the film beyond xf.
  void Growth(Real xfU, Real Tgr, int32_t shape, Real dist) {
    d.xf.SetValue(xfU);
    d.Tgr.SetValue(Tgr);
    d.GrouthFunc = shape;
    d.Dist.SetValue(dist);
  }

  // n substrate cells of density rho0l at T0l.
  void Glass(int32_t n, Real rho0l, Real T0l, bool out = false) {
    BindGlass();
    ASSERT_EQ(d.SetInt("xShiftDiv", n), FieldSetStatus::Ok);
    d.CheckOut = out;
    d.rho0l.SetValue(rho0l);
    d.T0l.SetValue(T0l);
  }

  bool Asked(const std::string& prefix) const {
    for (const auto& q : prompter.asked)
      if (q.text.rfind(prefix, 0) == 0) return true;
    return false;
  }
};

// ---------------------------------------------------------------------------------------
// Grids and layers

TEST(InitialConditions, PlanarFilmInNanometres) {
  Fx f;
  f.FillValid(100, 100, 2);
  f.d.x1Edit.SetValue(1e-7L);
  f.d.Pout.SetValue(0.25L);
  const InitialOkResult r = f.d.OkPressed();
  ASSERT_TRUE(r.accepted) << r.focus << " " << r.message;
  EXPECT_TRUE(r.stateBuilt);
  EXPECT_FALSE(r.keptOpen);
  ASSERT_NE(f.s.StateA, nullptr);
  EXPECT_EQ(f.s.stateClass, SolverClass::HydrStat);

  const SimParams& sp = f.s.sim;
  EXPECT_NEAR(D(sp.h0), 1e-7, 1e-22);
  EXPECT_NEAR(D(sp.L0), 1e-5, 1e-20);
  EXPECT_EQ(sp.CellMassUniform, sp.rho0 * sp.h0);
  EXPECT_NEAR(D(sp.CellMassUniform), 1e-7, 1e-22);
  EXPECT_EQ(sp.InGlass, 0);
  EXPECT_EQ(sp.SimTime, 0);
  EXPECT_EQ(sp.Pout, 0.25L);
  for (const THydrStat* st : {f.s.StateA, f.s.StateB, f.s.StateC}) {
    ASSERT_EQ(st->CellCount(), 100);
    for (int32_t k = 0; k <= 100; ++k) {
      EXPECT_EQ(st->x[k], k * sp.h0);
      EXPECT_EQ(st->v[k], 0);
    }
    for (int32_t k = 0; k < 100; ++k) {
      EXPECT_EQ(st->T[k], 2);
      EXPECT_NEAR(D(st->P[k]), 2.0, 1e-15);
      EXPECT_NEAR(D(st->E[k]), 3.0, 1e-15);
    }
    EXPECT_EQ(st->P[100], 0.25L);
  }
  EXPECT_EQ(f.hooks.laserCalls, 1);
  EXPECT_EQ(f.hooks.refractiveCalls, 1);
  EXPECT_NEAR(D(f.s.setup.QSurfX), 1e-5, 1e-20);
}

TEST(InitialConditions, InitialRegionBeyondLenNeedsNoGrowthShape) {
  Fx f;
  f.FillValid(20, 10, 3);
  f.d.Tgr.SetValue(7);
  f.d.xf.SetValue(15);
  f.d.LeaveField("xf");  // clamps to Len and copies the initial values
  EXPECT_EQ(f.d.xf.Value(), 10);
  EXPECT_EQ(f.d.Tgr.Value(), 3);
  EXPECT_EQ(f.d.Pgr.Value(), f.d.Pini.Value());
  ASSERT_EQ(f.d.GrouthFunc, -1);
  ASSERT_TRUE(f.d.OkPressed().accepted);
  for (int32_t k = 0; k < 20; ++k) EXPECT_EQ(f.s.StateA->T[k], 3) << k;

  // Set without the leave handler (as a run file does): still the whole film.
  Fx g;
  g.FillValid(20, 10, 3);
  g.d.xf.SetValue(1e6L);
  g.d.Tgr.SetValue(0);
  ASSERT_TRUE(g.d.OkPressed().accepted);
  EXPECT_EQ(g.s.StateA->T[19], 3);
}

TEST(InitialConditions, GlassBeforeFilmHasEqualMassCells) {
  Fx f;
  f.FillValid(100, 100, 2);
  f.Glass(10, 2, 3);
  const InitialOkResult r = f.d.OkPressed();
  ASSERT_TRUE(r.accepted) << r.focus << " " << r.message;
  const THydrStat& A = *f.s.StateA;
  const SimParams& sp = f.s.sim;
  EXPECT_EQ(sp.InGlass, 10);
  EXPECT_EQ(sp.rho0l, 2);
  EXPECT_EQ(A.x[10], 0);  // the interface
  for (int32_t k = 0; k < 10; ++k) {
    EXPECT_NEAR(D(A.x[k + 1] - A.x[k]), 0.5, 1e-15) << k;  // half a film cell
    EXPECT_NEAR(D(A.Density(k)), 2.0, 1e-15);
    // Substrate: P = rho T / 2 = 3, E = 1.25 T = 3.75.
    EXPECT_NEAR(D(A.P[k]), 3.0, 1e-15);
    EXPECT_EQ(A.T[k], 3);
    EXPECT_NEAR(D(A.E[k]), 3.75, 1e-15);
  }
  for (int32_t k = 10; k < 100; ++k) {
    EXPECT_NEAR(D(A.x[k + 1] - A.x[k]), 1.0, 1e-15);
    EXPECT_NEAR(D(A.Density(k)), 1.0, 1e-15);
    EXPECT_NEAR(D(A.P[k]), 2.0, 1e-15);
    EXPECT_NEAR(D(A.E[k]), 3.0, 1e-15);
  }
  EXPECT_NEAR(D(A.x[0]), -5.0, 1e-15);
  EXPECT_NEAR(D(sp.x0shift), -5.0, 1e-15);
  EXPECT_NEAR(D(f.d.P0l.Value()), 3.0, 1e-15);
  EXPECT_NEAR(D(f.d.x0Shift.Value()), 5.0, 1e-15);
  EXPECT_NEAR(D(f.s.setup.QSurfX), 90.0, 1e-13);
  EXPECT_NEAR(D(f.hooks.laser.widthRatio), 2.0, 1e-15);
}

TEST(InitialConditions, GlassAfterFilmWithOut) {
  Fx f;
  f.FillValid(100, 100, 2);
  f.Glass(20, 4, 1, /*out=*/true);
  ASSERT_TRUE(f.d.OkPressed().accepted);
  const THydrStat& A = *f.s.StateA;
  const Real h0 = f.s.sim.h0;
  EXPECT_EQ(f.s.sim.InGlass, -20);
  EXPECT_EQ(A.x[80], 0);
  EXPECT_NEAR(D(A.x[0]), D(-80 * h0), 1e-13);
  EXPECT_NEAR(D(A.x[100]), D(20 * h0 / 4), 1e-13);
  for (int32_t k = 0; k < 80; ++k) EXPECT_EQ(A.T[k], 2) << k;
  for (int32_t k = 80; k < 100; ++k) {
    EXPECT_EQ(A.T[k], 1) << k;
    EXPECT_NEAR(D(A.P[k]), 2.0, 1e-15);  // rho0l T / 2
  }
  EXPECT_EQ(f.s.setup.QSurfX, 80 * h0);
  EXPECT_EQ(f.hooks.laser.QSurfX, 80 * h0);
  EXPECT_EQ(f.hooks.laser.firstCell, 0);
}

TEST(InitialConditions, CurvedGridsUseTheMassArrays) {
  for (int32_t Dspc : {2, 3}) {
    Fx f;
    f.FillValid(10, 10, 2);
    f.Glass(3, 2, 4);
    ASSERT_EQ(f.d.SetInt("DspcUpDown", Dspc), FieldSetStatus::Ok);
    ASSERT_TRUE(f.d.OkPressed().accepted) << Dspc;
    const THydrStat& A = *f.s.StateA;
    const SimParams& sp = f.s.sim;
    EXPECT_EQ(sp.Dspc, Dspc);
    EXPECT_EQ(sp.RadialPower, Dspc - 1);
    for (int32_t k = 0; k <= 10; ++k) EXPECT_EQ(A.x[k], k * sp.h0);

    // The same arrays as a direct build from the layer densities.
    ScriptedPrompter p;
    Session ref(p);
    ref.sim.Dspc = Dspc;
    BuildMassArrays(ref, 10, 0, 3, sp.h0, 1, 2);
    EXPECT_EQ(f.s.mass.CellMass, ref.mass.CellMass);
    EXPECT_EQ(f.s.mass.NodeMass, ref.mass.NodeMass);
    EXPECT_EQ(f.s.mass.HalfVolume, ref.mass.HalfVolume);
    for (int32_t k = 0; k < 10; ++k) {
      EXPECT_NEAR(D(A.Density(k)), k < 3 ? 2.0 : 1.0, 1e-14) << k;
      EXPECT_NEAR(D(A.P[k]), k < 3 ? 4.0 : 2.0, 1e-14) << k;
    }
    const Real factor = Dspc == 2 ? 2 * std::numbers::pi_v<Real> : 4 * std::numbers::pi_v<Real>;
    EXPECT_EQ(f.s.sim.EnergyFactor, factor);
  }
}

// The laser table is built on the grid as the initial conditions lay it out. OK pressed
// again on a state whose nodes have moved (going on with the current state, or after a
// load of a saved profile) gives the table of the start entry for entry, so that a run
// continued from a profile heats like the uninterrupted run; and the layout the table is
// built on is the grid the initial conditions gave the state.
TEST(InitialConditions, LaserTableIsTheOneOfTheInitialGridWhereverTheNodesMoved) {
  struct Geometry {
    const char* name;
    int32_t Dspc;
    int32_t glass;
    bool out;
  };
  const Geometry geometries[] = {{"planar", 1, 0, false},
                                 {"planar, substrate before the film", 1, 6, false},
                                 {"planar, substrate after the film", 1, 6, true},
                                 {"cylinder, substrate inside", 2, 6, false},
                                 {"sphere, substrate outside", 3, 6, true}};
  for (const Geometry& g : geometries) {
    for (const bool afterLoad : {false, true}) {
      SCOPED_TRACE(std::string(g.name) + (afterLoad ? ", after a load" : ", going on"));
      Fx f;
      f.FillValid(30, 15, 2);
      f.d.x1Edit.SetValue(1e-7L);  // 15 nm: film cells of 0.5 nm, substrate cells of 0.25 nm
      if (g.glass != 0) f.Glass(g.glass, 2, 2, g.out);
      ASSERT_EQ(f.d.SetInt("DspcUpDown", g.Dspc), FieldSetStatus::Ok);
      LaserPulse p;
      p.F = 5;
      p.d = -3;  // [nm], light through the substrate
      p.tau = 100;
      p.spaceItem = 1;
      p.preF = g.glass != 0 ? 1 : 0;
      p.preD = 1.5L;
      p.preSpaceItem = 0;
      ASSERT_FALSE(SetLaserPulse(f.s.laser, p).Refused());
      f.d.Qext = true;
      f.s.NoConduct = f.s.NoThermo = true;
      const InitialOkResult r = f.d.OkPressed();
      ASSERT_TRUE(r.accepted) << r.focus << " " << r.message;
      const RealArray x0 = f.s.StateA->x;
      const RealArray table = f.s.laser.QCell;
      ASSERT_EQ(table.size(), 30u);

      // The layout is the initial grid, and its table the table of the initial nodes.
      const Real h0 = f.s.sim.h0;
      RealArray nodes(31);
      LayoutNodes(InitialSourceLayout(f.s, 30), nodes);
      for (size_t k = 0; k < nodes.size(); ++k) EXPECT_NEAR(D(nodes[k]), D(x0[k]), 1e-16 * D(h0));
      LaserSource onNodes = f.s.laser;
      ASSERT_EQ(BuildSourceProfile(onNodes, SourceGrid{x0, f.s.sim.InGlass, g.Dspc}),
                SourceStatus::Ok);
      Real largest = 0;
      for (const Real q : table) largest = std::max(largest, q);
      for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_NEAR(D(onNodes.QCell[i]), D(table[i]), 1e-15 * D(largest)) << i;
      }

      // The grid moves: stretched by 30 % with a wiggle of a fifth of a cell.
      for (THydrStat* st : {f.s.StateA, f.s.StateB, f.s.StateC}) {
        for (size_t k = 0; k < x0.size(); ++k) {
          st->x[k] = 1.3L * x0[k] + 0.2L * h0 * std::sin(static_cast<Real>(k));
        }
      }
      if (afterLoad) {
        f.d.BeginAfterLoad();
      } else {
        f.prompter.Script(kAskContinueCurrent, Answer::Yes);
      }
      const InitialOkResult again = f.d.OkPressed();
      ASSERT_TRUE(again.accepted) << again.focus << " " << again.message;
      ASSERT_FALSE(again.stateBuilt);
      ASSERT_EQ(f.s.laser.QCell.size(), table.size());
      for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(f.s.laser.QCell[i], table[i]) << "cell " << i;
      }
    }
  }
}

TEST(InitialConditions, CurvedGeometryPinsTheCentre) {
  struct Row {
    int32_t moveBefore;
    int32_t moveAfter;
  };
  for (const Row row : {Row{-1, kMoveV0Zero}, Row{kMoveFree, kMoveV0Zero},
                        Row{kMoveNonNegative, kMoveV0Zero}, Row{kMoveNone, kMoveNone}}) {
    Fx f;
    f.d.MoveType = row.moveBefore;
    f.d.Bound0 = kBoundFixedT;
    ASSERT_EQ(f.d.SetInt("DspcUpDown", 2), FieldSetStatus::Ok);
    EXPECT_EQ(f.d.MoveType, row.moveAfter);
    EXPECT_EQ(f.d.Bound0, kBoundNoFlux);
    EXPECT_FALSE(f.d.Bound0Enabled);
    EXPECT_EQ(f.d.SetInt("Bound0", kBoundFixedT), FieldSetStatus::Refused);
    EXPECT_EQ(f.d.Bound0, kBoundNoFlux);
    ASSERT_EQ(f.d.SetInt("DspcUpDown", 1), FieldSetStatus::Ok);
    EXPECT_TRUE(f.d.Bound0Enabled);
    EXPECT_EQ(f.d.EnergyFactor(), 1);
    EXPECT_EQ(f.d.SetInt("Bound0", kBoundFixedT), FieldSetStatus::Ok);
  }
}

// ---------------------------------------------------------------------------------------
// Profiles

TEST(InitialConditions, PolyGrowthDoublesGeometricallyToTheLastFilmCell) {
  // Ten film cells of width 1, xf = 3: cells 0..2 initial, 3..9 growth (n = 7), with and
  // without a substrate after the film.
  for (const bool out : {false, true}) {
    Fx f;
    f.FillValid(out ? 12 : 10, out ? 12 : 10, 1.5L);
    f.Growth(3, 3, kGrowthPoly, 100);
    if (out) f.Glass(2, 1, 1.5L, true);
    ASSERT_TRUE(f.d.OkPressed().accepted) << out;
    const THydrStat& A = *f.s.StateA;
    for (int32_t k = 0; k <= 2; ++k) EXPECT_EQ(A.T[k], 1.5L);
    const Real q = std::pow(2.0L, 1.0L / 7);
    for (int32_t k = 3; k <= 9; ++k) {
      EXPECT_NEAR(D(A.T[k] / A.T[k - 1]), D(q), 1e-15) << k;
      EXPECT_NEAR(D(A.P[k]), D(A.T[k]), 1e-15);  // rho T with rho 1
    }
    EXPECT_NEAR(D(A.T[9]), 3.0, 1e-15);
  }
}

TEST(InitialConditions, EveryGrowthShapeMatchesItsFormula) {
  // Ten cells of width 1 (centres u = k + 0.5), xf = 3: initial cells 0..2, growth 3..9.
  const Real Y0 = 1;
  const Real Y1 = 3;
  const Real dY = Y1 - Y0;
  const Real xf = 3;
  const Real Len = 10;
  const Real uLast = 9.5L;
  auto expected = [&](int32_t shape, Real d, int32_t k) -> Real {
    const Real u = k + 0.5L;
    switch (shape) {
      case kGrowthStep:
        return Y1;
      case kGrowthLinear: {
        const Real y = (d > 0 ? Y1 : Y0) + (u - uLast) * dY / d;
        return std::fmin(std::fmax(y, Y0), Y1);
      }
      case kGrowthPoly:
        return Y0 * std::pow(Y1 / Y0, (k - 2) / 7.0L);
      case kGrowthExp:
        return d > 0 ? Y1 - dY * std::exp(-(u - xf) / d) : Y0 + dY * std::exp(-(u - Len) / d);
      case kGrowthGauss:
        return d > 0 ? Y1 - dY * std::exp(-std::pow((u - xf) / d, 2))
                     : Y0 + dY * std::exp(-std::pow((u - Len) / d, 2));
      case kGrowthExp15:
        if (d > 0) {
          const Real W = std::exp(std::pow((uLast - xf) / d, 1.5L));
          const Real A = dY / (1 / W + W - 2);
          const Real q = W / std::exp(std::pow((Len - u) / d, 1.5L));
          return Y0 + A * (1 / q + q - 2);
        }
        return Y1 - dY * std::exp(-std::pow((u - xf) / -d, 1.5L));
    }
    return 0;
  };
  for (const bool press : {false, true}) {
    for (int32_t shape = kGrowthStep; shape <= kGrowthExp15; ++shape) {
      for (const Real d : {4.0L, -4.0L, 1.5L}) {
        Fx f;
        f.FillValid(10, 10, Y0);
        f.Growth(xf, Y1, shape, d);
        if (press) {
          f.d.RadioGroup1 = kProfilePress;
          f.d.Pini.SetValue(Y0);
          f.d.Pgr.SetValue(Y1);
        }
        ASSERT_TRUE(f.d.OkPressed().accepted) << shape;
        const THydrStat& A = *f.s.StateA;
        for (int32_t k = 0; k < 10; ++k) {
          const Real y = k <= 2 ? Y0 : expected(shape, d, k);
          // Ideal gas at rho 1: P = T, E = 1.5 T.
          EXPECT_NEAR(D(press ? A.P[k] : A.T[k]), D(y), 1e-14)
              << "shape " << shape << " d " << D(d) << " k " << k << " press " << press;
          EXPECT_NEAR(D(A.P[k]), D(A.T[k]), 1e-14);
          EXPECT_NEAR(D(A.E[k]), D(1.5L * A.T[k]), 1e-14);
        }
      }
    }
  }
}

TEST(InitialConditions, ShortExp15GrowthStaysFinite) {
  // (6.5/0.01)^1.5 ~ 16600: exp of it overflows the extended range.
  for (const Real d : {0.01L, -0.01L}) {
    Fx f;
    f.FillValid(10, 10, 1);
    f.Growth(3, 3, kGrowthExp15, d);
    ASSERT_TRUE(f.d.OkPressed().accepted);
    const THydrStat& A = *f.s.StateA;
    for (int32_t k = 3; k < 10; ++k) {
      ASSERT_TRUE(std::isfinite(A.T[k])) << k;
      EXPECT_GE(A.T[k], 1);
      EXPECT_LE(A.T[k], 3);
    }
    // d > 0 rises only at the film end (still ~1 half a cell before it); d < 0 reaches
    // Y1 within a few |d| of xf.
    EXPECT_NEAR(D(A.T[9]), d > 0 ? 1.0 : 3.0, 1e-12);
  }
}

// ---------------------------------------------------------------------------------------
// Handlers

TEST(InitialConditions, LeaveHandlersKeepPairsThroughTheFilmEos) {
  Fx f;
  f.d.Len.SetValue(10);
  f.d.Rho0.SetValue(2);
  f.d.RadioGroup1Captions = {"x", "y"};
  f.d.Pini.SetValue(3);
  f.d.LeaveField("Pini");  // T = P / rho
  EXPECT_EQ(f.d.Tini.Value(), 1.5L);
  EXPECT_EQ(f.d.T0.Value(), 1.5L);
  EXPECT_EQ(f.d.RadioGroup1Captions[0], "Press");
  EXPECT_EQ(f.d.RadioGroup1Captions[1], "Temp");

  f.d.Tini.SetValue(4);
  f.d.LeaveField("Tini");
  EXPECT_EQ(f.d.Pini.Value(), 8);
  EXPECT_EQ(f.d.T0.Value(), 4);
  EXPECT_EQ(f.d.TeEdit.Value(), 4);

  f.d.Tgr.SetValue(5);
  f.d.LeaveField("Tgr");
  EXPECT_EQ(f.d.Pgr.Value(), 10);
  f.d.Pgr.SetValue(12);
  f.d.LeaveField("Pgr");
  EXPECT_EQ(f.d.Tgr.Value(), 6);

  // A growth value equal to the initial one: no growth at all.
  f.d.xf.SetValue(2);
  f.d.Tgr.SetValue(4);
  f.d.LeaveField("Tgr");
  EXPECT_EQ(f.d.Pgr.Value(), 8);
  EXPECT_EQ(f.d.xf.Value(), 10);

  // Leaving T0, Tq or TeEdit recomputes Pini from Tini.
  f.d.Pini.SetValue(0);
  f.d.LeaveField("Tq");
  EXPECT_EQ(f.d.Pini.Value(), 8);
}

TEST(InitialConditions, HandlersWithoutFilmEosChangeNothing) {
  Fx f;
  ClearFilmSlots(f.s.eos);
  f.d.Pini.SetValue(3);
  f.d.Tini.SetValue(7);
  f.d.LeaveField("Pini");
  EXPECT_EQ(f.d.Tini.Value(), 7);
  f.d.LeaveField("Tini");
  EXPECT_EQ(f.d.Pini.Value(), 3);
  EXPECT_EQ(f.d.T0.Value(), 7);  // the plain copy still happens
  f.d.Tgr.SetValue(9);
  f.d.LeaveField("Tgr");
  EXPECT_EQ(f.d.Pgr.Value(), 0);
  f.d.Pgr.SetValue(1);
  f.d.LeaveField("Pgr");
  EXPECT_EQ(f.d.Tgr.Value(), 9);
  f.d.ClickFixTe(true);
  EXPECT_EQ(f.d.Pini.Value(), 3);
}

TEST(InitialConditions, TemperatureModelSetsTe) {
  struct Row {
    int32_t item;
    Real Te;
  };
  for (const Row row : {Row{kModel1T, 2}, Row{kModelTiTeT0, 5}, Row{kModelTeTiT0, 5},
                        Row{kModelEq, 2}, Row{kModelTiTeTlast, 2}, Row{kModelTeTiTlast, 2}}) {
    Fx f;
    f.d.Tini.SetValue(5);
    f.d.Tgr.SetValue(2);
    f.d.ChooseInitProfile(row.item);
    EXPECT_EQ(f.d.TeEdit.Value(), row.Te) << row.item;
  }
}

// Ideal-gas lattice plus an electron pressure 0.5 Te: P = rho T + 0.5 T, Pion = rho T.
struct ElectronGas {
  static Real P(const IdealGasParams& p, Real rho, Real T) { return IdealGasP(p, rho, T) + T / 2; }
};

TEST(InitialConditions, FixTeTakesTheElectronPressureAtTe) {
  for (const Answer alpha : {Answer::Yes, Answer::No}) {
    Fx f;
    f.s.eos.ActiveEos.P = MakeSlot<IdealGasParams, &ElectronGas::P>(
        f.s.eos.Film.block.As<IdealGasParams>());  // Pion unchanged
    f.prompter.Script(kAskEiExchange, alpha);
    f.d.Rho0.SetValue(1);
    f.d.Tini.SetValue(2);
    f.d.TeEdit.SetValue(10);
    ASSERT_EQ(f.d.SetCheck("FixTe", true), FieldSetStatus::Ok);
    EXPECT_TRUE(f.Asked(kAskEiExchange));
    EXPECT_EQ(f.d.Pini.Value(), 2 + 5);  // Pion(Tini) + Pe(Te)
    EXPECT_TRUE(f.s.NoConduct);
    EXPECT_EQ(f.s.NoThermo, alpha == Answer::No);
    EXPECT_TRUE(f.s.setup.FixTeOn);
    EXPECT_EQ(f.s.setup.FixedTe, 10);
    EXPECT_EQ(f.d.InitProfile, kModelTiTeT0);
    EXPECT_FALSE(f.d.InitProfileEnabled);
    EXPECT_EQ(f.d.SetInt("InitProfile", kModel1T), FieldSetStatus::Refused);

    ASSERT_EQ(f.d.SetCheck("FixTe", false), FieldSetStatus::Ok);
    EXPECT_EQ(f.d.Pini.Value(), 3);  // the one-temperature total P(Tini)
    EXPECT_TRUE(f.d.InitProfileEnabled);
  }
}

TEST(InitialConditions, GlassQuestions) {
  Fx f;
  f.BindGlass();
  f.d.rho0l.SetValue(2);
  f.d.T0l.SetValue(3);

  // The substrate EOS has a density of its own.
  f.d.GlassEosDensity = 2.5L;
  f.prompter.Script(kAskGlassDensity, Answer::No);
  f.d.LeaveField("rho0l");
  ASSERT_TRUE(f.Asked("Set init (EOS) glass denity to 2.5?"));
  EXPECT_EQ(f.d.rho0l.Value(), 2);
  f.prompter.Script(kAskGlassDensity, Answer::Yes);
  f.d.LeaveField("rho0l");
  EXPECT_EQ(f.d.rho0l.Value(), 2.5L);
  EXPECT_NEAR(D(f.d.P0l.Value()), 2.5 * 3 / 2, 1e-15);
  f.prompter.asked.clear();
  f.d.LeaveField("rho0l");  // now equal: no question
  EXPECT_FALSE(f.Asked(kAskGlassDensity));

  // "Use I EOS for glass?": Yes takes the film's EOS (P = rho T), No the substrate's.
  f.prompter.Script(kAskGlassUsesFilmEos, Answer::Yes);
  f.d.LeaveField("T0l");
  EXPECT_TRUE(f.d.GlassUsesFilmEos);
  EXPECT_NEAR(D(f.d.P0l.Value()), 7.5, 1e-15);
  f.prompter.Script(kAskGlassUsesFilmEos, Answer::No);
  f.d.LeaveField("T0l");
  EXPECT_FALSE(f.d.GlassUsesFilmEos);
  EXPECT_NEAR(D(f.d.P0l.Value()), 3.75, 1e-15);
}

TEST(InitialConditions, GlassOfTheFilmMaterial) {
  Fx f;
  f.FillValid(10, 10, 2);
  ASSERT_EQ(f.d.SetInt("xShiftDiv", 2), FieldSetStatus::Ok);  // no substrate EOS bound
  f.d.rho0l.SetValue(1);
  f.d.T0l.SetValue(4);
  EXPECT_EQ(f.d.OkPressed().focus, "EOSlButton");
  f.prompter.Script(kAskGlassUsesFilmEos, Answer::Yes);
  f.d.LeaveField("T0l");
  ASSERT_TRUE(f.d.OkPressed().accepted);
  EXPECT_TRUE(static_cast<bool>(f.s.eos.LeftEos.P));
  EXPECT_EQ(f.s.eos.LeftEosType, f.s.eos.FilmEosType);
  EXPECT_NEAR(D(f.s.StateA->P[0]), 4.0, 1e-15);
}

// ---------------------------------------------------------------------------------------
// Enter-key walk

TEST(InitialConditions, EnterNeverBuildsTheState) {
  Fx f;
  f.FillValid(10, 10, 2);
  for (const char* field : {"Len",
                            "x1Edit",
                            "DimensionEdit",
                            "Rho0",
                            "RadioGroup1",
                            "Pini",
                            "Tini",
                            "xf",
                            "Pgr",
                            "Tgr",
                            "GrouthFunc",
                            "Dist",
                            "MoveType",
                            "Bound0",
                            "T0",
                            "BoundQ",
                            "Tq",
                            "InitProfile",
                            "TeEdit",
                            "xShiftDivEdit",
                            "rho0l",
                            "T0l",
                            "PadhEdit",
                            "Qext",
                            "OkBtn",
                            "CheckElast"}) {
    f.d.EnterPressed(field);
    EXPECT_EQ(f.s.StateA, nullptr) << field;
  }
  EXPECT_FALSE(f.Asked(kAskSavePrint));
  EXPECT_EQ(f.hooks.laserCalls, 0);
}

TEST(InitialConditions, EnterWalksToTheNextFieldAndCopiesDefaults) {
  Fx f;
  f.d.Len.SetValue(10);
  EXPECT_EQ(f.d.EnterPressed("Len"), "x1Edit");
  EXPECT_EQ(f.d.xf.Value(), 10);  // Len copied to xf (it was 0)
  EXPECT_EQ(f.d.EnterPressed("x1Edit"), "DimensionEdit");
  EXPECT_EQ(f.d.EnterPressed("DimensionEdit"), "Rho0");
  EXPECT_EQ(f.d.EnterPressed("Rho0"), "RadioGroup1");
  f.d.RadioGroup1 = kProfileTemp;
  EXPECT_EQ(f.d.EnterPressed("RadioGroup1"), "Tini");
  f.d.Tini.SetValue(2);
  // The whole film is the initial region: the growth fields are skipped.
  EXPECT_EQ(f.d.EnterPressed("Tini"), "xf");
  EXPECT_EQ(f.d.Pini.Value(), 2);
  EXPECT_EQ(f.d.Tgr.Value(), 2);
  EXPECT_EQ(f.d.Pgr.Value(), 2);
  EXPECT_EQ(f.d.EnterPressed("xf"), "MoveType");
  EXPECT_EQ(f.d.EnterPressed("MoveType"), "Bound0");
  f.d.Bound0 = kBoundFixedT;
  f.d.T0.SetValue(0);
  EXPECT_EQ(f.d.EnterPressed("Bound0"), "T0");
  EXPECT_EQ(f.d.T0.Value(), 2);  // Tini
  EXPECT_EQ(f.d.EnterPressed("T0"), "BoundQ");
  f.d.BoundQ = kBoundFixedT;
  f.d.Tgr.SetValue(6);
  EXPECT_EQ(f.d.EnterPressed("BoundQ"), "Tq");
  EXPECT_EQ(f.d.Tq.Value(), 6);  // Tgr
  EXPECT_EQ(f.d.EnterPressed("Tq"), "InitProfile");
  f.d.InitProfile = kModel1T;
  EXPECT_EQ(f.d.EnterPressed("InitProfile"), "xShiftDivEdit");
  EXPECT_EQ(f.d.EnterPressed("xShiftDivEdit"), "OkBtn");
  f.d.SetInt("xShiftDiv", 2);
  EXPECT_EQ(f.d.EnterPressed("xShiftDivEdit"), "rho0l");
  EXPECT_EQ(f.d.EnterPressed("T0l"), "PadhEdit");
  EXPECT_EQ(f.d.EnterPressed("PadhEdit"), "OkBtn");

  // A shorter initial region brings the growth fields in.
  f.d.xf.SetValue(4);
  EXPECT_EQ(f.d.EnterPressed("xf"), "Tgr");
  EXPECT_EQ(f.d.EnterPressed("Tgr"), "GrouthFunc");
  EXPECT_EQ(f.d.EnterPressed("GrouthFunc"), "Dist");
  EXPECT_EQ(f.d.EnterPressed("Dist"), "MoveType");
}

TEST(InitialConditions, EnterFromLenOffersShiftWhenAStateExists) {
  Fx f;
  f.FillValid(10, 10, 2);
  ASSERT_TRUE(f.d.OkPressed().accepted);
  EXPECT_EQ(f.d.EnterPressed("Len"), "Shift");
  EXPECT_EQ(f.d.EnterPressed("Shift"), "x1Edit");
}

// ---------------------------------------------------------------------------------------
// Checks of OK

TEST(InitialConditions, ChecksRunInOrderAndBuildNothing) {
  struct Row {
    const char* what;
    std::function<void(Fx&)> spoil;
    const char* focus;
  };
  const Row rows[] = {
      {"unreadable text", [](Fx& f) { f.d.Tgr.SetText("1..2"); }, "Tgr"},
      {"Len 0", [](Fx& f) { f.d.Len.SetValue(0); }, "Len"},
      {"Len before rho0",
       [](Fx& f) {
         f.d.Len.SetValue(-1);
         f.d.Rho0.SetValue(0);
       },
       "Len"},
      {"x1 0", [](Fx& f) { f.d.x1Edit.SetValue(0); }, "x1Edit"},
      {"x1 negative", [](Fx& f) { f.d.x1Edit.SetValue(-1e-7L); }, "x1Edit"},
      {"Div 0", [](Fx& f) { f.d.Dimension = 0; }, "DimensionEdit"},
      {"electron model", [](Fx& f) { f.d.electron.CheckKappa = true; }, "ThermParam"},
      {"film EOS", [](Fx& f) { ClearFilmSlots(f.s.eos); }, "StatEqButton"},
      {"rho0", [](Fx& f) { f.d.Rho0.SetValue(0); }, "Rho0"},
      {"Press/Temp", [](Fx& f) { f.d.RadioGroup1 = -1; }, "RadioGroup1"},
      {"Tini", [](Fx& f) { f.d.Tini.SetValue(0); }, "Tini"},
      {"Tgr", [](Fx& f) { f.d.Tgr.SetValue(0); }, "Tgr"},
      {"shape", [](Fx& f) { f.d.GrouthFunc = -1; }, "GrouthFunc"},
      {"Dist", [](Fx& f) { f.d.Dist.SetValue(0); }, "Dist"},
      {"Poly from zero pressure",
       [](Fx& f) {
         f.d.RadioGroup1 = kProfilePress;
         f.d.Pini.SetValue(0);
         f.d.Pgr.SetValue(4);
         f.d.GrouthFunc = kGrowthPoly;
       },
       "GrouthFunc"},
      {"model", [](Fx& f) { f.d.InitProfile = -1; }, "InitProfile"},
      {"elastic without motion",
       [](Fx& f) {
         f.d.CheckElast = true;
         f.d.MoveType = kMoveNone;
       },
       "MoveType"},
      {"no film cell left", [](Fx& f) { f.d.SetInt("xShiftDiv", 10); }, "xShiftDivEdit"},
      {"rho0l", [](Fx& f) { f.d.rho0l.SetValue(0); }, "rho0l"},
      {"glass EOS", [](Fx& f) { ClearLeftSlots(f.s.eos); }, "EOSlButton"},
  };
  {
    Fx f;  // the unspoilt dialog is accepted
    f.FillValid(10, 10, 2);
    f.Growth(4, 5, kGrowthLinear, 6);
    f.Glass(2, 2, 2);
    ASSERT_TRUE(f.d.OkPressed().accepted);
  }
  for (const Row& row : rows) {
    Fx f;
    f.FillValid(10, 10, 2);
    f.Growth(4, 5, kGrowthLinear, 6);
    f.Glass(2, 2, 2);
    row.spoil(f);
    const InitialOkResult r = f.d.OkPressed();
    EXPECT_EQ(r.focus, row.focus) << row.what;
    EXPECT_FALSE(r.accepted) << row.what;
    EXPECT_TRUE(r.keptOpen) << row.what;
    EXPECT_EQ(f.s.StateA, nullptr) << row.what;
    EXPECT_TRUE(f.prompter.asked.empty()) << row.what;
  }
  // Side effects the checks name: x1 returns to 1, "No move" becomes "v0 = 0".
  Fx f;
  f.FillValid();
  f.d.x1Edit.SetValue(0);
  f.d.OkPressed();
  EXPECT_EQ(f.d.x1Edit.Value(), 1);
  f.d.CheckElast = true;
  f.d.MoveType = kMoveNone;
  f.d.OkPressed();
  EXPECT_EQ(f.d.MoveType, kMoveV0Zero);
}

TEST(InitialConditions, SolverClassChoice) {
  struct Row {
    const char* what;
    std::function<void(Fx&)> setup;
    const char* refusedClass;  // nullptr: `built` is built
    SolverClass built = SolverClass::HydrStat;
  };
  const auto kappa = Slot2{[](const void*, Real, Real) -> Real { return 1; }, nullptr};
  const Row rows[] = {
      {"1T, nothing conducts", [](Fx&) {}, nullptr},
      {"1T, film conducts", [&](Fx& f) { f.s.eos.FilmEos.Kappa = kappa; }, nullptr,
       SolverClass::HydrTherm},
      {"1T, substrate conducts", [&](Fx& f) { f.s.eos.LeftEos.Kappa = kappa; }, nullptr,
       SolverClass::HydrTherm},
      {"1T, electrons conduct", [](Fx& f) { f.d.electron.ElConductivity = true; }, nullptr,
       SolverClass::HydrTherm},
      {"1T, conduction and thermodynamics off",
       [&](Fx& f) {
         f.s.eos.FilmEos.Kappa = kappa;
         f.s.NoConduct = f.s.NoThermo = true;
       },
       nullptr},
      {"1T heated, conduction and thermodynamics off",
       [&](Fx& f) {
         LaserPulse p;
         p.F = 1;
         p.d = 10;
         p.tau = 100;
         ASSERT_FALSE(SetLaserPulse(f.s.laser, p).Refused());
         f.d.Qext = true;
         f.s.NoConduct = f.s.NoThermo = true;
       },
       nullptr, SolverClass::HydrTherm},
      {"1T elastic", [](Fx& f) { f.d.CheckElast = true; }, "THydro1elast"},
      {"two temperatures",
       [](Fx& f) {
         testing::BindConstantElectrons(f.s, {1e-4L, 1, 1e-3L, 0});
         f.d.InitProfile = kModelEq;
       },
       nullptr, SolverClass::Hydro2T},
      {"two temperatures, fixed grid",
       [](Fx& f) {
         testing::BindConstantElectrons(f.s, {1e-4L, 1, 1e-3L, 0});
         f.d.InitProfile = kModelEq;
         f.d.MoveType = kMoveNone;
       },
       nullptr, SolverClass::ThermState},
  };
  for (const Row& row : rows) {
    Fx f;
    f.FillValid(10, 10, 2);
    row.setup(f);
    const InitialOkResult r = f.d.OkPressed();
    if (row.refusedClass == nullptr) {
      EXPECT_TRUE(r.accepted) << row.what;
      EXPECT_EQ(f.s.stateClass, row.built) << row.what;
      continue;
    }
    EXPECT_FALSE(r.accepted) << row.what;
    // The control that chose the class takes the focus.
    const bool elastic = std::string(row.refusedClass).find("elast") != std::string::npos;
    EXPECT_EQ(r.focus, elastic ? "CheckElast" : "InitProfile") << row.what;
    EXPECT_NE(r.message.find(row.refusedClass), std::string::npos) << row.what << r.message;
    EXPECT_EQ(f.s.StateA, nullptr) << row.what;
    EXPECT_EQ(f.s.sim.L0, 1) << row.what;  // untouched session
    EXPECT_EQ(f.s.sim.h0, 0) << row.what;
    EXPECT_EQ(f.hooks.laserCalls, 0) << row.what;
    EXPECT_TRUE(f.prompter.asked.empty()) << row.what;
  }
}

TEST(InitialConditions, TwoTemperatureStateOfFilmAndSubstrate) {
  // Electrons at TeEdit over ions at Tini ("Ti, Te = T0"); the substrate at one
  // temperature. Constant electrons: Ee = ce Te, Pe = Gr rho ce Te.
  const Real ce = 1e-3L, Gr = 2;
  struct Row {
    int32_t move;
    SolverClass cls;
  };
  for (const Row row :
       {Row{kMoveFree, SolverClass::Hydro2T}, Row{kMoveNone, SolverClass::ThermState}}) {
    Fx f;
    f.FillValid(20, 20, 2);
    f.Glass(4, 2, 3);
    testing::BindConstantElectrons(f.s, {ce, 1, 1e-3L, Gr});
    f.d.MoveType = row.move;
    ASSERT_EQ(f.d.SetInt("InitProfile", kModelTiTeT0), FieldSetStatus::Ok);
    f.d.TeEdit.SetValue(50);
    const InitialOkResult r = f.d.OkPressed();
    ASSERT_TRUE(r.accepted) << r.focus << " " << r.message;
    ASSERT_EQ(f.s.stateClass, row.cls);
    for (THydrStat* st : {f.s.StateA, f.s.StateB, f.s.StateC}) {
      const RealArray& Te = *st->ArrayByName("Te");
      const RealArray& Ee = *st->ArrayByName("Ee");
      const RealArray& Ei = *st->ArrayByName("Ei");
      for (int32_t i = 0; i < st->CellCount(); ++i) {
        if (i < 4) {
          EXPECT_EQ(Te[i], st->T[i]) << i;  // the substrate's one temperature
          EXPECT_EQ(Ee[i], 0);
          EXPECT_EQ(Ei[i], st->E[i]);
          continue;
        }
        const Real rho = st->Density(i);
        EXPECT_EQ(st->T[i], 2) << i;
        EXPECT_EQ(Te[i], 50) << i;
        EXPECT_NEAR(D(Ee[i]), D(ce * 50), 1e-18);
        EXPECT_NEAR(D(st->E[i]), D(Ee[i] + f.s.eos.ActiveEos.Eion(rho, 2)), 1e-15);
        if (row.move == kMoveNone) {
          EXPECT_EQ(st->P[i], 0);
        } else {
          const Real Pe = (*st->ArrayByName("Pe"))[i];
          EXPECT_NEAR(D(Pe), D(Gr * rho * ce * 50), 1e-15);
          EXPECT_NEAR(D(st->P[i]), D(Pe + (*st->ArrayByName("Pi"))[i]), 1e-15);
        }
      }
    }
  }
}

TEST(InitialConditions, TwoTemperaturesNeedAnElectronModelAndATemperature) {
  Fx f;
  f.FillValid(10, 10, 2);
  ASSERT_EQ(f.d.SetInt("InitProfile", kModelTiTeT0), FieldSetStatus::Ok);
  InitialOkResult r = f.d.OkPressed();
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.focus, "ThermParam");
  EXPECT_EQ(f.s.StateA, nullptr);
  testing::BindConstantElectrons(f.s, {1e-4L, 1, 1e-3L, 0});
  f.d.TeEdit.SetValue(0);
  r = f.d.OkPressed();
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.focus, "TeEdit");
  f.d.TeEdit.SetValue(300);
  EXPECT_TRUE(f.d.OkPressed().accepted);
}

TEST(InitialConditions, ContinueCurrentKeepsOrRebuilds) {
  Fx f;
  f.FillValid(10, 10, 2);
  ASSERT_TRUE(f.d.OkPressed().accepted);
  f.s.StateA->T[5] = 42;
  f.s.sim.SimTime = 7;

  f.prompter.Script(kAskContinueCurrent, Answer::Yes);
  InitialOkResult r = f.d.OkPressed();
  EXPECT_TRUE(f.Asked(kAskContinueCurrent));
  EXPECT_TRUE(r.accepted);
  EXPECT_FALSE(r.stateBuilt);
  EXPECT_EQ(f.s.StateA->T[5], 42);
  EXPECT_EQ(f.s.sim.SimTime, 7);
  EXPECT_EQ(f.hooks.laserCalls, 2);  // the final steps still run

  f.prompter.Script(kAskContinueCurrent, Answer::No);
  r = f.d.OkPressed();
  EXPECT_TRUE(r.stateBuilt);
  EXPECT_EQ(f.s.StateA->T[5], 2);
  EXPECT_EQ(f.s.sim.SimTime, 0);

  // Another cell count: resized and rebuilt without the question.
  f.prompter.asked.clear();
  f.s.StateA->T[5] = 42;
  f.d.SetInt("Dimension", 20);
  r = f.d.OkPressed();
  EXPECT_FALSE(f.Asked(kAskContinueCurrent));
  ASSERT_EQ(f.s.StateA->CellCount(), 20);
  EXPECT_EQ(f.s.StateA->T[5], 2);
  EXPECT_NEAR(D(f.s.StateA->x[20]), 10.0, 1e-15);
}

TEST(InitialConditions, SavePrintQuestionDecidesHowTheDialogCloses) {
  struct Row {
    Answer answer;
    bool accepted;
    int32_t prints;
  };
  for (const Row row :
       {Row{Answer::Yes, true, 1}, Row{Answer::No, true, 0}, Row{Answer::Cancel, false, 0}}) {
    Fx f;
    f.prompter.Script(kAskSavePrint, row.answer);
    f.FillValid();
    const InitialOkResult r = f.d.OkPressed();
    EXPECT_EQ(r.accepted, row.accepted);
    EXPECT_EQ(r.keptOpen, !row.accepted);
    EXPECT_TRUE(r.stateBuilt);  // the state stands either way
    EXPECT_NE(f.s.StateA, nullptr);
    EXPECT_EQ(f.hooks.printCalls, row.prints);
  }
}

TEST(InitialConditions, OkWritesDerivedConstants) {
  Fx f;
  f.FillValid();
  f.Glass(2, 2, 2);
  f.d.PadhEdit.SetValue(0.7L);
  f.d.QegCheck = true;
  f.d.PoutMultCheck = true;
  f.d.PoutMultEdit.SetValue(3);
  f.d.Pout.SetValue(0.5L);
  f.d.MoveType = kMoveNone;
  ASSERT_TRUE(f.d.OkPressed().accepted);
  EXPECT_EQ(f.s.setup.AdhesionLimit, -0.7L);
  EXPECT_EQ(f.s.setup.AdhesionPairLimit, -1.4L);
  EXPECT_EQ(f.d.PadhEdit.Value(), -0.7L);
  EXPECT_TRUE(f.s.setup.QegOn);
  EXPECT_TRUE(f.s.sim.PoutRamp);
  EXPECT_EQ(f.s.sim.Pout0, 0.5L);
  EXPECT_EQ(f.s.sim.PoutRate, 3);
  EXPECT_TRUE(f.s.bounds.NoMove);
}

// ---------------------------------------------------------------------------------------
// Add layer

TEST(InitialConditions, AddLayerAppendsEqualMassCells) {
  Fx f;
  f.FillValid(10, 10, 2);
  ASSERT_TRUE(f.d.OkPressed().accepted);
  const RealArray oldX = f.s.StateA->x;

  f.d.FormShow(true);
  EXPECT_FALSE(f.d.StatEqButtonVisible);
  EXPECT_EQ(f.d.RightDiv, 10);
  EXPECT_EQ(f.d.xRightEdit.Value(), 10);
  ASSERT_EQ(f.d.SetInt("xShiftDiv", 4), FieldSetStatus::Ok);
  f.d.rho0l.SetValue(2);  // cells of half the width
  f.d.Tini.SetValue(3);
  f.d.xf.SetValue(1);  // initial region: the first two new cells (centres 0.25, 0.75)
  f.d.Tgr.SetValue(6);
  f.d.GrouthFunc = kGrowthStep;
  const InitialOkResult r = f.d.OkPressed();
  ASSERT_TRUE(r.accepted) << r.focus << r.message;
  const THydrStat& A = *f.s.StateA;
  ASSERT_EQ(A.CellCount(), 14);
  for (int32_t k = 0; k <= 10; ++k) EXPECT_EQ(A.x[k], oldX[k]);
  for (int32_t k = 0; k < 10; ++k) EXPECT_EQ(A.T[k], 2);
  for (int32_t k = 11; k <= 14; ++k) EXPECT_NEAR(D(A.x[k] - A.x[k - 1]), 0.5, 1e-15);
  for (int32_t k = 10; k < 14; ++k) EXPECT_NEAR(D(A.Density(k)), 2.0, 1e-15);
  // The film EOS at the layer density: P = 2 T.
  EXPECT_EQ(A.T[10], 3);
  EXPECT_EQ(A.T[11], 3);
  EXPECT_NEAR(D(A.P[11]), 6.0, 1e-15);
  EXPECT_EQ(A.T[12], 6);
  EXPECT_EQ(A.T[13], 6);
  EXPECT_NEAR(D(A.P[13]), 12.0, 1e-15);
  EXPECT_EQ(f.d.Dimension, 14);
  EXPECT_NEAR(D(f.s.setup.QSurfX), 2.0, 1e-15);  // x0Shift * x1
  EXPECT_EQ(f.hooks.laser.firstCell, 10);
}

TEST(InitialConditions, AddLayerRefusals) {
  {
    Fx f;  // nothing to add to
    f.FillValid();
    f.d.FormShow(true);
    f.d.SetInt("xShiftDiv", 2);
    f.d.rho0l.SetValue(1);
    const InitialOkResult r = f.d.OkPressed();
    EXPECT_FALSE(r.accepted);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(f.s.StateA, nullptr);
  }
  {
    Fx f;  // curved grid
    f.FillValid();
    f.d.SetInt("DspcUpDown", 2);
    ASSERT_TRUE(f.d.OkPressed().accepted);
    f.d.FormShow(true);
    f.d.SetInt("xShiftDiv", 2);
    f.d.rho0l.SetValue(1);
    const InitialOkResult r = f.d.OkPressed();
    EXPECT_FALSE(r.accepted);
    EXPECT_EQ(f.s.StateA->CellCount(), 10);
  }
}

// ---------------------------------------------------------------------------------------
// Init/Shift and access by name

TEST(InitialConditions, InitShiftSetsFlagsClosuresAndSize) {
  Fx f;
  f.FillValid(10, 10, 2);
  f.d.Pout.SetValue(0.5L);
  ASSERT_TRUE(f.d.OkPressed().accepted);
  f.d.MoveType = kMoveNone;
  f.d.CheckKeepVL = true;
  f.d.V_PPoutCheck = true;
  f.d.VL.SetValue(2);
  f.d.Bound0 = kBoundFixedT;
  f.d.T0.SetValue(5);
  f.d.BoundQ = kBoundMirror;
  f.d.Tq.SetValue(6);
  f.d.Dimension = 12;
  ThermalClosures c;
  const InitShiftValues v = ApplyInitShift(f.s, f.d, c);
  EXPECT_EQ(v.Dimension, 12);
  EXPECT_EQ(v.Len, 10);
  EXPECT_EQ(v.Pout, 0.5L);
  EXPECT_EQ(v.x0shift, 0);
  EXPECT_TRUE(f.s.bounds.NoMove);
  EXPECT_TRUE(f.s.bounds.LeftFixed);
  EXPECT_TRUE(f.s.bounds.LeftNonNegative);
  EXPECT_TRUE(f.s.bounds.KeepVL);
  EXPECT_TRUE(f.s.bounds.VPPout);
  EXPECT_EQ(f.s.bounds.VLcoef, 2);  // VL * EosScale (1)
  EXPECT_EQ(c.first, BoundClosure::Fixed);
  EXPECT_EQ(c.T0, 5);
  EXPECT_EQ(c.last, BoundClosure::Mirror);
  for (const THydrStat* st : {f.s.StateA, f.s.StateB, f.s.StateC}) EXPECT_EQ(st->CellCount(), 12);

  // (P_Pout) needs Keep vL; "k = 0" on both ends.
  f.d.CheckKeepVL = false;
  f.d.MoveType = -1;
  f.d.Bound0 = kBoundNoFlux;
  f.d.BoundQ = kBoundNoFlux;
  ApplyInitShift(f.s, f.d, c);
  EXPECT_FALSE(f.s.bounds.VPPout);
  EXPECT_FALSE(f.s.bounds.NoMove);
  EXPECT_FALSE(f.s.bounds.LeftFixed);
  EXPECT_EQ(c.first, BoundClosure::Ordinary);
  EXPECT_EQ(c.last, BoundClosure::Ordinary);
}

TEST(InitialConditions, EveryKeyIsSettableByName) {
  Fx f;
  f.prompter.Script(kAskEiExchange, Answer::Yes);
  std::set<std::string_view> seen;
  for (const InitFieldKey& key : TInitional::SettableKeys()) {
    EXPECT_TRUE(seen.insert(key.name).second) << key.name;
    switch (key.kind) {
      case InitFieldKind::Number: {
        RealField* field = f.d.RealFieldByName(key.name);
        ASSERT_NE(field, nullptr) << key.name;
        EXPECT_EQ(f.d.SetInt(key.name, 0), FieldSetStatus::WrongKind) << key.name;
        break;
      }
      case InitFieldKind::UpDown:
      case InitFieldKind::Choice: {
        EXPECT_EQ(f.d.SetInt(key.name, key.lo - 1), FieldSetStatus::OutOfRange) << key.name;
        EXPECT_EQ(f.d.SetInt(key.name, key.hi + 1), FieldSetStatus::OutOfRange) << key.name;
        EXPECT_EQ(f.d.SetInt(key.name, key.hi), FieldSetStatus::Ok) << key.name;
        EXPECT_EQ(f.d.IntByName(key.name), key.hi) << key.name;
        if (key.kind == InitFieldKind::Choice) {
          EXPECT_EQ(static_cast<int32_t>(TInitional::ChoiceItems(key.name).size()), key.hi + 1)
              << key.name;
        }
        EXPECT_EQ(f.d.SetInt(key.name, 1), FieldSetStatus::Ok) << key.name;
        break;
      }
      case InitFieldKind::Check:
        EXPECT_EQ(f.d.SetCheck(key.name, true), FieldSetStatus::Ok) << key.name;
        EXPECT_EQ(f.d.CheckByName(key.name), true) << key.name;
        EXPECT_EQ(f.d.SetCheck(key.name, false), FieldSetStatus::Ok) << key.name;
        break;
    }
  }
  EXPECT_EQ(f.d.RealFieldByName("Nope"), nullptr);
  EXPECT_EQ(f.d.SetInt("Nope", 1), FieldSetStatus::UnknownKey);
  EXPECT_EQ(f.d.SetCheck("Nope", true), FieldSetStatus::UnknownKey);
  EXPECT_EQ(f.d.SetCheck("Len", true), FieldSetStatus::WrongKind);

  // The non-metal flag keeps "Elast" off.
  f.s.setup.NonMetal = true;
  EXPECT_EQ(f.d.SetCheck("CheckElast", true), FieldSetStatus::Refused);
  EXPECT_FALSE(f.d.ClickCheckElast());
  EXPECT_FALSE(f.d.CheckElastVisible);
}

TEST(InitialConditions, ElasticDialogDecidesTheCheck) {
  Fx f;
  EXPECT_TRUE(f.d.ClickCheckElast());
  f.d.ElasticDialogClosed(Real{30});
  EXPECT_TRUE(f.d.CheckElast);
  f.d.ElasticDialogClosed(std::nullopt);  // Cancel
  EXPECT_TRUE(f.d.CheckElast);
  f.d.ElasticDialogClosed(Real{0});
  EXPECT_FALSE(f.d.CheckElast);
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// A heated or conducting film: what OK refuses before it builds anything, with the
// control it focuses.
TEST(InitialConditions, HeatedFilmRefusals) {
  const auto kappa = Slot2{[](const void*, Real, Real) -> Real { return 1; }, nullptr};
  struct Row {
    const char* what;
    std::function<void(Fx&)> setup;
    const char* focus;
  };
  const Row rows[] = {
      {"one conducting cell",
       [&](Fx& f) {
         f.s.eos.FilmEos.Kappa = kappa;
         ASSERT_EQ(f.d.SetInt("Dimension", 1), FieldSetStatus::Ok);
       },
       "DimensionEdit"},
      {"Q external without an accepted source", [](Fx& f) { f.d.Qext = true; }, "Qext"},
      {"heated, conducting, no conductivity",
       [](Fx& f) {
         LaserPulse p;
         p.F = 1;
         p.d = 10;
         p.tau = 100;
         ASSERT_FALSE(SetLaserPulse(f.s.laser, p).Refused());
         f.d.Qext = true;
       },
       "ThermParam"},
  };
  for (const Row& row : rows) {
    Fx f;
    f.FillValid(10, 10, 2);
    row.setup(f);
    const InitialOkResult r = f.d.OkPressed();
    EXPECT_FALSE(r.accepted) << row.what;
    EXPECT_EQ(r.focus, row.focus) << row.what;
    EXPECT_EQ(f.s.StateA, nullptr) << row.what;
  }
}

}  // namespace
}  // namespace tarvex
