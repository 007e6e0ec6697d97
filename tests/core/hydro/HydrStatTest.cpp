// The base solver class: geometry, the three Lagrangian sub-steps, boundary flags and
// the mass arrays of curved grids.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "core/eos/IdealGas.h"
#include "core/eos/SimpleModels.h"
#include "core/hydro/HydrStat.h"
#include "support/HydroFixture.h"

namespace tarvex {
namespace {

using testing::SessionFixture;
using testing::UniformGrid;
using testing::UseIdealGas;

// One explicit pass (predictor form: Third = Old = StateA) into StateB with the
// centred pressure of StateA as the driving pressure.
bool Pass(Session& s, Real dt, bool NoTofE = false) {
  THydrStat& A = *s.StateA;
  THydrStat& B = *s.StateB;
  const int32_t N = A.CellCount();
  for (int32_t i = 0; i < N; ++i) B.P[i] = A.P[i];
  B.P[N] = s.sim.Pout;
  Real R = 0;
  if (!B.VelocityStep(A, A, dt, s.sim.h0, R, false, 0)) return false;
  if (!B.CoordinateStep(A, A, dt, R, false, 0)) return false;
  return B.EnergyStep(A, A, dt, s.sim.h0, NoTofE, R, false, 0);
}

TEST(PowerDifference, MatchesDirectPowers) {
  for (int32_t n = 0; n <= 5; ++n) {
    for (auto [a, b] : {std::pair<Real, Real>{0.5L, 2.0L}, {3.0L, 1.0L}, {0.0L, 1.5L}}) {
      EXPECT_NEAR(static_cast<double>(PowerDifference(n, a, b)),
                  static_cast<double>(std::pow(b, n) - std::pow(a, n)), 1e-12)
          << "n=" << n;
    }
  }
  // Cancellation-free for close arguments: (1+e)^3 - 1 = 3e + O(e^2).
  const Real e = 1e-15L;
  EXPECT_NEAR(static_cast<double>(PowerDifference(3, 1, 1 + e) / e), 3.0, 1e-3);
}

TEST(HydrStat, SingleCellGrid) {
  SessionFixture f;
  UseIdealGas(f.s, 5.0L / 3);
  UniformGrid(f.s, 1, 2.0L, 3.0L, 300);
  const THydrStat& A = *f.s.StateA;
  ASSERT_EQ(A.CellCount(), 1);
  EXPECT_EQ(A.x.size(), 2u);
  EXPECT_EQ(A.P.size(), 2u);
  EXPECT_EQ(A.T.size(), 1u);
  EXPECT_EQ(A.NodeMassAt(0), f.s.sim.CellMassUniform / 2);
  EXPECT_EQ(A.NodeMassAt(1), f.s.sim.CellMassUniform / 2);
  EXPECT_DOUBLE_EQ(static_cast<double>(A.Density(0)), 3.0);
  // A free single cell under its own pressure expands symmetrically.
  ASSERT_TRUE(Pass(f.s, 1e-3L));
  EXPECT_LT(f.s.StateB->v[0], 0);
  EXPECT_GT(f.s.StateB->v[1], 0);
  EXPECT_NEAR(static_cast<double>(f.s.StateB->v[0] + f.s.StateB->v[1]), 0.0, 1e-15);
}

TEST(HydrStat, ResizeKeepsLeadingEntriesAndSetsPout) {
  SessionFixture f;
  f.s.sim.L0 = 1;
  f.s.sim.Pout = 7;
  ASSERT_TRUE(f.s.EnsureInstances(SolverClass::HydrStat, 4));
  THydrStat& A = *f.s.StateA;
  A.T[2] = 42;
  f.s.EnsureInstances(SolverClass::HydrStat, 10);
  EXPECT_EQ(A.CellCount(), 10);
  EXPECT_EQ(A.T[2], 42);
  EXPECT_EQ(A.T[9], 0);
  EXPECT_EQ(A.P[10], 7);
  EXPECT_EQ(f.s.sim.h0, 0.1L);
  // The swap exchanges references only.
  THydrStat* a = f.s.StateA;
  THydrStat* b = f.s.StateB;
  f.s.SwapAB();
  EXPECT_EQ(f.s.StateA, b);
  EXPECT_EQ(f.s.StateB, a);
}

// A uniform state at rest under Pout equal to its pressure stays exactly at rest, in
// every geometry.
TEST(HydrStat, UniformStateAtRestStaysAtRest) {
  for (int32_t dspc : {1, 2, 3}) {
    SessionFixture f;
    UseIdealGas(f.s, 1.4L);
    f.s.sim.Pout = 1.0L * 2.5L;  // P = rho T / M
    UniformGrid(f.s, 50, 1.0L, 1.0L, 2.5L, dspc);
    ASSERT_TRUE(Pass(f.s, 1e-3L)) << "Dspc=" << dspc;
    const THydrStat& A = *f.s.StateA;
    const THydrStat& B = *f.s.StateB;
    for (int32_t j = 0; j <= 50; ++j) {
      EXPECT_EQ(B.v[j], 0) << "Dspc=" << dspc << " node " << j;
      EXPECT_EQ(B.x[j], A.x[j]);
    }
    for (int32_t i = 0; i < 50; ++i) {
      EXPECT_EQ(B.E[i], A.E[i]);
      EXPECT_NEAR(static_cast<double>(B.P[i]), 2.5, 1e-15);
    }
  }
}

TEST(HydrStat, LeftFixedHoldsNodeZero) {
  SessionFixture f;
  UseIdealGas(f.s, 1.4L);
  UniformGrid(f.s, 10, 1.0L, 1.0L, 1.0L);
  f.s.bounds.SetLeftMode(2);  // "v0 = 0"
  ASSERT_TRUE(Pass(f.s, 1e-2L));
  EXPECT_EQ(f.s.StateB->v[0], 0);
  EXPECT_EQ(f.s.StateB->x[0], 0);
  EXPECT_GT(f.s.StateB->v[10], 0);  // the free right end expands into vacuum
}

TEST(HydrStat, LeftNonNegativeStopsAtTheOrigin) {
  SessionFixture f;
  UseIdealGas(f.s, 1.4L);
  UniformGrid(f.s, 10, 1.0L, 1.0L, 1.0L, 1, 0.01L);
  f.s.bounds.SetLeftMode(1);  // "x >= 0"
  // Drive node 0 inwards fast enough to cross the origin within one step.
  for (THydrStat* st : {f.s.StateA, f.s.StateB, f.s.StateC}) st->v[0] = -10;
  ASSERT_TRUE(Pass(f.s, 1e-2L));
  EXPECT_EQ(f.s.StateB->x[0], 0);
  EXPECT_EQ(f.s.StateB->v[0], 0);
  EXPECT_TRUE(f.s.StateB->x[1] > 0);
}

TEST(HydrStat, NodeCrossingFailsTheCoordinateStep) {
  SessionFixture f;
  UseIdealGas(f.s, 1.4L);
  UniformGrid(f.s, 10, 1.0L, 1.0L, 1.0L);
  THydrStat& A = *f.s.StateA;
  THydrStat& B = *f.s.StateB;
  // Nodes 4 and 5 approach each other faster than their spacing allows in dt.
  B.v = A.v;
  A.v[4] = 10;
  A.v[5] = -10;
  B.v[4] = 10;
  B.v[5] = -10;
  Real R = 0;
  EXPECT_FALSE(B.CoordinateStep(A, A, 0.01L, R, false, 0));
}

Real QuadraticE(const Real&, Real, Real T) {
  return T + T * T / 1000;
}
Real QuadraticCv(const Real&, Real, Real T) {
  return 1 + T / 500;
}
const Real kNoParams = 0;

// With NoTofE the temperature comes from one Newton step per pass; repeated passes
// (each from the latest iterate) converge to the inverse of E(rho, T).
TEST(HydrStat, NewtonTemperatureConvergesToTheInverse) {
  SessionFixture f;
  UseIdealGas(f.s, 1.4L);
  // A non-linear energy E = T + T^2/1000 so that one Newton step is not exact.
  f.s.eos.ActiveEos.E = MakeSlot<Real, &QuadraticE>(kNoParams);
  f.s.eos.ActiveEos.Cv = MakeSlot<Real, &QuadraticCv>(kNoParams);
  UniformGrid(f.s, 4, 1.0L, 1.0L, 100);
  THydrStat& A = *f.s.StateA;
  THydrStat& B = *f.s.StateB;
  THydrStat& C = *f.s.StateC;
  const Real Etarget = 300 + 300.0L * 300 / 1000;  // E at T = 300
  for (THydrStat* st : {&A, &B, &C}) st->E.assign(4, Etarget);
  // Zero pressures: the energy stays Etarget, only T iterates.
  for (THydrStat* st : {&A, &B, &C}) st->P.assign(5, 0);
  Real R = 0;
  THydrStat* self = &B;
  THydrStat* third = &C;
  for (int32_t k = 0; k < 12; ++k) {
    self->P.assign(5, 0);
    ASSERT_TRUE(self->EnergyStep(A, *third, 0, 0, true, R, false, 0));
    std::swap(self, third);
  }
  EXPECT_NEAR(static_cast<double>(third->T[0]), 300.0, 1e-12);
}

// The mass arrays of curved grids add up to the analytic masses of the shells.
TEST(BuildMassArrays, SumsToAnalyticShellMasses) {
  struct Case {
    int32_t dspc;
    int32_t inGlass;
  };
  for (const Case c : {Case{2, 0}, Case{3, 0}, Case{3, 7}, Case{2, -5}}) {
    SessionFixture f;
    f.s.sim.Dspc = c.dspc;
    f.s.sim.RadialPower = c.dspc - 1;
    const int32_t N = 40;
    const Real h0 = 0.025L, rho0 = 2.0L, rho0l = 0.5L;
    BuildMassArrays(f.s, N, 0, c.inGlass, h0, rho0, rho0l);
    const MassArrays& m = f.s.mass;
    // Shell [a, b] per unit solid angle (per radian for cylinders): (b^d - a^d) / d.
    auto shell = [&](Real a, Real b) {
      return (std::pow(b, c.dspc) - std::pow(a, c.dspc)) / c.dspc;
    };
    const int32_t k = std::abs(c.inGlass);
    Real expectMass;
    if (c.inGlass > 0) {
      expectMass = rho0l * shell(0, k * h0) + rho0 * shell(k * h0, N * h0);
    } else if (c.inGlass < 0) {
      expectMass = rho0 * shell(0, (N - k) * h0) + rho0l * shell((N - k) * h0, N * h0);
    } else {
      expectMass = rho0 * shell(0, N * h0);
    }
    Real cells = 0, nodes = 0, halves = 0;
    for (int32_t i = 0; i < N; ++i) cells += m.CellMass[i];
    for (int32_t j = 0; j <= N; ++j) nodes += m.NodeMass[j];
    for (int32_t i = 0; i < 2 * N; ++i) halves += m.HalfVolume[i];
    const double tol = 1e-15 * static_cast<double>(expectMass);
    EXPECT_NEAR(static_cast<double>(cells), static_cast<double>(expectMass), tol) << c.dspc;
    EXPECT_NEAR(static_cast<double>(nodes), static_cast<double>(expectMass), tol) << c.dspc;
    EXPECT_NEAR(static_cast<double>(halves), static_cast<double>(shell(0, N * h0)), 1e-15);
    // Node masses are half-cell masses: the ends get one half each.
    EXPECT_NEAR(
        static_cast<double>(m.NodeMass[0]),
        static_cast<double>(m.CellMass[0] * m.HalfVolume[0] / (m.HalfVolume[0] + m.HalfVolume[1])),
        1e-18);
  }
}

TEST(BuildMassArrays, PartialRebuildKeepsCellsBelowFirst) {
  SessionFixture f;
  f.s.sim.Dspc = 3;
  f.s.sim.RadialPower = 2;
  BuildMassArrays(f.s, 20, 0, 0, 0.05L, 1, 1);
  const MassArrays before = f.s.mass;
  BuildMassArrays(f.s, 30, 20, 0, 0.05L, 1, 1);
  for (int32_t i = 0; i < 20; ++i) EXPECT_EQ(f.s.mass.CellMass[i], before.CellMass[i]);
  for (int32_t j = 0; j < 20; ++j) EXPECT_EQ(f.s.mass.NodeMass[j], before.NodeMass[j]);
  // Node 20 joins the carried right half of cell 19 and the new left half of cell 20.
  const Real rightHalf19 =
      before.CellMass[19] * before.HalfVolume[39] / (before.HalfVolume[38] + before.HalfVolume[39]);
  EXPECT_NEAR(static_cast<double>(f.s.mass.NodeMass[20]),
              static_cast<double>(rightHalf19 + f.s.mass.HalfVolume[40]), 1e-15);
}

// The curved-geometry compression rate is the time derivative of the specific volume.
TEST(HydrStat, VolumeRateIsTheDerivativeOfSpecificVolume) {
  for (int32_t dspc : {1, 2, 3}) {
    SessionFixture f;
    UseIdealGas(f.s, 1.4L);
    UniformGrid(f.s, 8, 1.0L, 1.0L, 1.0L, dspc, 0.5L);
    THydrStat& A = *f.s.StateA;
    for (int32_t j = 0; j <= 8; ++j) A.v[j] = 0.3L * std::sin(static_cast<Real>(j));
    const int32_t i = 3;
    const Real mass = A.CellMassAt(i);
    auto specificVolume = [&](Real t) {
      const Real a = A.x[i] + t * A.v[i], b = A.x[i + 1] + t * A.v[i + 1];
      return PowerDifference(dspc, a, b) / dspc / mass;
    };
    const Real eps = 1e-6L;
    const Real fd = (specificVolume(eps) - specificVolume(-eps)) / (2 * eps);
    EXPECT_NEAR(static_cast<double>(A.VolumeRate(i)), static_cast<double>(fd), 1e-9) << dspc;
  }
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// The energy step evaluates the equation of state over whole cell ranges; a slot without
// a range function (a composite bound by hand) falls back to per-point calls. Both paths
// give the same state to the last bit, with a substrate of another gas and in both
// geometries.
TEST(EnergyStep, RangeEvaluationEqualsPerCellCalls) {
  for (int32_t dspc : {1, 3}) {
    auto run = [dspc](bool dropRange) {
      auto f = std::make_unique<SessionFixture>();
      Session& s = f->s;
      UseIdealGas(s, 1.4L);
      BindIdealGasLeft(s.eos, 5.0L / 3, 2);
      s.sim.InGlass = 7;
      UniformGrid(s, 40, 1, 1, 1, dspc);
      for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
        for (int32_t j = 0; j <= 40; ++j) st->v[j] = 0.1L * std::sin(0.3L * j);
      }
      if (dropRange) {
        for (Slot2* slot :
             {&s.eos.ActiveEos.TofE, &s.eos.ActiveEos.P, &s.eos.LeftEos.TofE, &s.eos.LeftEos.P}) {
          EXPECT_NE(slot->range, nullptr);
          slot->range = nullptr;
        }
      }
      EXPECT_TRUE(Pass(s, 1e-3L));
      return f;
    };
    const auto withRange = run(false);
    const auto perCell = run(true);
    const THydrStat& a = *withRange->s.StateB;
    const THydrStat& b = *perCell->s.StateB;
    for (int32_t i = 0; i < 40; ++i) {
      EXPECT_EQ(a.E[i], b.E[i]) << dspc << " " << i;
      EXPECT_EQ(a.T[i], b.T[i]) << dspc << " " << i;
      EXPECT_EQ(a.P[i], b.P[i]) << dspc << " " << i;
    }
  }
}

// Eval of a slot bound through MakeSlot and of one bound by hand agree with the
// per-point function, also when the output overwrites the second argument.
Real Twice(const void*, Real rho, Real x) {
  return 2 * rho + x;
}
TEST(Slot2, EvalUsesTheRangeOrFallsBack) {
  const IdealGasParams p{1.4L, 1, 2.5L, 0.4L, 1};
  const Slot2 model = MakeSlot<IdealGasParams, &IdealGasP>(p);
  const Slot2 byHand{&Twice, nullptr};
  for (const Slot2& slot : {model, byHand}) {
    Real rho[3] = {1, 2, 3};
    Real x[3] = {0.5L, 0.25L, 4};
    Real expected[3];
    for (int32_t i = 0; i < 3; ++i) expected[i] = slot(rho[i], x[i]);
    slot.Eval(rho, x, x, 3);
    for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(x[i], expected[i]);
  }
}

// The sound speed from the adiabat agrees with the thermodynamic identity
// c^2 = (dP/drho)_T + T (dP/dT)^2 / (rho^2 Cv): for the ideal gas that is gamma P / rho,
// for the "Solid" model (a stiff cold curve plus a thermal part) it is evaluated here
// from the model's P, dP/dT and Cv with a central difference at constant T. Each medium
// (here a solid substrate under a gas film) uses its own equation of state.
TEST(HydrStat, SoundSpeedFollowsTheThermodynamicIdentity) {
  SessionFixture f;
  Session& s = f.s;
  UseIdealGas(s, 1.4L);
  SolidParams solid{4.0L / 3, 1};
  ASSERT_TRUE(PrepareSolid(solid));
  s.eos.LeftEos.E = MakeSlot<SolidParams, &SolidE>(solid);
  s.eos.LeftEos.P = MakeSlot<SolidParams, &SolidP>(solid);
  s.eos.LeftEos.Cv = MakeSlot<SolidParams, &SolidCv>(solid);
  s.eos.LeftEos.TofE = MakeSlot<SolidParams, &SolidTofE>(solid);
  s.sim.InGlass = 4;
  const int32_t N = 10;
  UniformGrid(s, N, 1, 1.1L, 0.5L);
  THydrStat& A = *s.StateA;
  for (int32_t i = 0; i < N; ++i) {
    const bool substrate = i < 4;
    const Slot2& E = substrate ? s.eos.LeftEos.E : s.eos.ActiveEos.E;
    const Slot2& P = substrate ? s.eos.LeftEos.P : s.eos.ActiveEos.P;
    A.T[i] = 0.5L + 0.1L * i;
    A.E[i] = E(A.Density(i), A.T[i]);
    A.P[i] = P(A.Density(i), A.T[i]);
  }
  const RealArray& c2 = A.SoundSpeed2();
  ASSERT_EQ(c2.size(), static_cast<size_t>(N));
  for (int32_t i = 0; i < N; ++i) {
    const Real rho = A.Density(i);
    const Real T = A.T[i];
    Real exact;
    if (i < 4) {
      const Real h = 1e-4L;
      const Real dPdrho = (SolidP(solid, rho + h, T) - SolidP(solid, rho - h, T)) / (2 * h);
      const Real dPdT = SoliddPdT(solid, rho, T);
      exact = dPdrho + T * dPdT * dPdT / (rho * rho * SolidCv(solid, rho, T));
    } else {
      exact = 1.4L * A.P[i] / rho;
    }
    EXPECT_NEAR(static_cast<double>(c2[i] / exact), 1.0, 1e-5) << "cell " << i;
  }
}

}  // namespace
}  // namespace tarvex
