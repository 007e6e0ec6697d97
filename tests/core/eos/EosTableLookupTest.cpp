// Table lookups: the hinted search, agreement of the interval kernels with the grid-
// function kernels, exact reproduction of linear tables, the zero rule, inverses (also
// where the limiter acts), the phase-code cells, the scaled table and the independence
// of hints.
#include "core/eos/EosTableLookup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/common/FpGuard.h"
#include "core/numerics/GridFunctions.h"
#include "support/EosTableFixture.h"

namespace tarvex {
namespace {

using testing::Linspace;
using testing::MakeTableSet;

double D(Real v) {
  return static_cast<double>(v);
}

TTableAxisData Axis(RealArray x) {
  TTableAxisData a;
  a.x = std::move(x);
  a.Build();
  return a;
}

TEST(TableSearch, LargestNodeAtOrBeforeOnBothDirectionsFromAnyHint) {
  const TTableAxisData up = Axis({1, 2, 4, 8, 16});
  const TTableAxisData down = Axis({16, 8, 4, 2, 1});
  struct Case {
    Real x;
    int32_t up;
    int32_t down;
  };
  const Case cases[] = {{0.5L, -1, 4}, {1, 0, 4},  {1.5L, 0, 3}, {4, 2, 2},
                        {5, 2, 1},     {16, 4, 0}, {20, 4, -1},  {7.99L, 2, 1}};
  for (const Case& c : cases) {
    for (int32_t hint = -1; hint <= 5; ++hint) {
      int32_t h = hint;
      EXPECT_EQ(TableSearch(up, c.x, h), c.up) << D(c.x) << " hint " << hint;
      EXPECT_EQ(h, c.up);
      h = hint;
      EXPECT_EQ(TableSearch(down, c.x, h), c.down) << D(c.x) << " hint " << hint;
    }
  }
  int32_t h = 2;
  TableSearch(up, std::numeric_limits<Real>::quiet_NaN(), h);  // terminates
}

// The interval kernels are the grid-function kernels with the grid factors cached: the
// same limited values, and the slopes of the limited curve, on random uneven data.
TEST(TableKernels, AgreeWithTheGridFunctionKernels) {
  std::mt19937 rng(7);
  std::uniform_real_distribution<double> step(0.2, 2), val(-3, 3);
  for (int trial = 0; trial < 200; ++trial) {
    RealArray x(6), T(2);
    x[0] = 1;
    for (size_t k = 1; k < x.size(); ++k) x[k] = x[k - 1] + step(rng);
    RealArray y(6);
    for (Real& v : y) v = val(rng);
    T = {100, 200};
    // One row of values along rho = x (increasing densities).
    auto set = std::make_shared<TEosTableSet>();
    RealArray V(x.size());
    for (size_t k = 0; k < x.size(); ++k) V[k] = 1 / x[k];
    std::string message;
    ASSERT_TRUE(set->SetGrids(T, V, message)) << message;
    set->Pressure.resize(set->Cells());
    set->Energy.resize(set->Cells());
    for (int32_t i = 0; i < 2; ++i) {
      for (size_t j = 0; j < x.size(); ++j)
        set->Pressure[set->Index(i, static_cast<int32_t>(j))] = y[j];
    }
    const RealArray& rho = set->RhoGrid();  // == x
    TEosTableHints hints;
    for (int32_t k = 1; k + 2 < 6; ++k) {  // interior intervals: the two-sided kernel
      SegmentPoints p;
      for (int m = 0; m < 4; ++m) {
        p.x[m] = rho[static_cast<size_t>(k - 1 + m)];
        p.y[m] = y[static_cast<size_t>(k - 1 + m)];
      }
      for (Real t : {0.1L, 0.37L, 0.5L, 0.81L}) {
        const Real r = p.x[1] + (p.x[2] - p.x[1]) * t;
        const Real scale = 1 + std::fabs(p.y[1]) + std::fabs(p.y[2]);
        EXPECT_NEAR(D(TableValue(*set, set->Pressure.data(), hints, r, 100)),
                    D(CubicSegmentBandClamp(p, r)), 1e-16 * D(scale));
        // The slope is the cubic's where the limiter lets the cubic through, else that of
        // the band line the limited curve follows (the difference quotient of the values).
        const Real h = 1e-7L * (p.x[2] - p.x[1]);
        const bool limited = CubicSegmentBandClamp(p, r) != CubicSegment(p, r);
        const Real slope =
            limited ? (CubicSegmentBandClamp(p, r + h) - CubicSegmentBandClamp(p, r - h)) / (2 * h)
                    : CubicSegmentDerivative(p, r);
        EXPECT_NEAR(D(TableDerivRho(*set, set->Pressure.data(), hints, r, 100)), D(slope),
                    (limited ? 1e-9 : 1e-15) * D(scale / (p.x[2] - p.x[1])));
      }
    }
    // The first interval: the one-sided kernel from node 0.
    SegmentPoints q;
    for (int m = 1; m < 4; ++m) {
      q.x[m] = rho[static_cast<size_t>(m - 1)];
      q.y[m] = y[static_cast<size_t>(m - 1)];
    }
    const Real r = q.x[1] + 0.3L * (q.x[2] - q.x[1]);
    EXPECT_NEAR(D(TableValue(*set, set->Pressure.data(), hints, r, 100)),
                D(CubicSegmentOneSidedBandClamp(q, r)), 1e-15);
  }
}

TEST(TableLookup, LinearTableIsExactInsideAndExtrapolatedLinearly) {
  const auto P = [](Real rho, Real T) { return 3 * rho - 0.002L * T + 1; };
  const auto E = [](Real rho, Real T) { return 0.5L * rho + 0.001L * T; };
  const auto set = MakeTableSet(Linspace(100, 1000, 10), Linspace(2, 6, 9), P, E);
  ASSERT_TRUE(set);
  TEosTableHints h;
  for (Real rho : {1.0L, 2.0L, 2.3L, 4.71L, 6.0L, 7.5L}) {
    for (Real T : {50.0L, 100.0L, 333.3L, 999.0L, 1000.0L, 1400.0L}) {
      EXPECT_NEAR(D(TableValue(*set, set->Pressure.data(), h, rho, T)), D(P(rho, T)), 1e-15)
          << D(rho) << " " << D(T);
      EXPECT_NEAR(D(TableDerivT(*set, set->Pressure.data(), h, rho, T)), -0.002, 1e-16);
      EXPECT_NEAR(D(TableDerivRho(*set, set->Energy.data(), h, rho, T)), 0.5, 1e-15);
      EXPECT_NEAR(D(TableInverseT(*set, set->Energy.data(), h, rho, E(rho, T))), D(T), 1e-11);
    }
  }
}

TEST(TableLookup, ZeroRuleHintsAndSlopeBeyondTheLastRow) {
  const auto set = MakeTableSet(
      Linspace(100, 400, 4), Linspace(1, 2, 3),
      [](Real rho, Real T) { return (T - 200) * 1e-9L * rho; },
      [](Real rho, Real T) { return rho * T * T * 1e-6L; });
  TEosTableParams p;
  ASSERT_TRUE(BindTableParams(p, set));
  EXPECT_EQ(TableP(p, 1.5L, 201), 0);  // |P| = 1.5e-9 < 1e-8: exactly 0
  EXPECT_NE(TableP(p, 1.5L, 390), 0);
  // Beyond the highest temperature: the hint is the last row, the slope that of the
  // last two rows.
  const Real slope = TableDerivT(*set, set->Energy.data(), p.hints, 2, 500);
  EXPECT_EQ(p.hints.THint, 3);
  EXPECT_NEAR(D(slope), D(2 * (400 * 400 - 300 * 300) * 1e-6L / 100), 1e-15);
}

TEST(TableLookup, InverseAtNodesAndWhereTheLimiterActs) {
  // A step in T: the cubic overshoots, the limiter holds it on the band lines.
  const RealArray T = {100, 200, 300, 400, 500, 600};
  const auto step = [](Real, Real t) {
    return t < 350 ? Real(1) + t * 1e-4L : Real(5) + t * 1e-4L;
  };
  const auto set = MakeTableSet(T, Linspace(1, 3, 5), step, step);
  TEosTableHints h;
  for (Real rho : {1.0L, 1.7L, 2.5L}) {
    for (Real t : T) {
      const Real y = TableValue(*set, set->Energy.data(), h, rho, t);
      EXPECT_NEAR(D(TableInverseT(*set, set->Energy.data(), h, rho, y)), D(t), 1e-12);
    }
    for (Real t = 101; t < 600; t += 7.3L) {
      const Real y = TableValue(*set, set->Energy.data(), h, rho, t);
      EXPECT_NEAR(D(TableInverseT(*set, set->Energy.data(), h, rho, y)), D(t), 1e-9) << D(t);
    }
  }
  // Beyond the rows: the line through the two end rows.
  EXPECT_NEAR(D(TableInverseT(*set, set->Energy.data(), h, 2, 5 + 0.07L)), 700, 1e-9);
  EXPECT_NEAR(D(TableInverseT(*set, set->Energy.data(), h, 2, 1)), 0, 1e-9);
}

TEST(TableLookup, FlatEndRowsInvertToTheEndNodeWithoutAFault) {
  const auto set = MakeTableSet(
      Linspace(100, 500, 5), Linspace(1, 3, 3),
      [](Real, Real T) { return T < 450 ? T : Real(400); },
      [](Real, Real T) { return T < 450 ? T : Real(400); });
  TEosTableHints h;
  FpGuard guard;
  const Real T = TableInverseT(*set, set->Energy.data(), h, 2, 410);
  EXPECT_FALSE(guard.Faulted());
  EXPECT_TRUE(std::isfinite(T));
}

PhaseCode Code(const char* s) {
  return PhaseFromText(s);
}

TEST(TablePhase, CornerTrianglesAndSplitCells) {
  // One cell: rows T = 100, 200; volumes 1, 2 (densities 1, 0.5).
  auto set = MakeTableSet(
      {100, 200}, {1, 0.5L}, [](Real, Real) { return Real(1); },
      [](Real, Real) { return Real(1); });
  const auto phase = [&](PhaseCode c00, PhaseCode c01, PhaseCode c10, PhaseCode c11, Real V,
                         Real T) {
    set->PhaseId = {c00, c01, c10, c11};  // rows T; columns V
    TEosTableHints h;
    return TableFilmPhase(*set, h, 1 / V, T);
  };
  const PhaseCode S = Code("S"), L = Code("L");
  // (S, S, S, L): L only above the line through the midpoints of the edges next to it.
  EXPECT_EQ(phase(S, S, S, L, 1.9L, 190), L);
  EXPECT_EQ(phase(S, S, S, L, 1.9L, 155), S);  // below the line T = 150 + 100 (1 - f)
  EXPECT_EQ(phase(S, S, S, L, 1.6L, 195), L);
  EXPECT_EQ(phase(S, S, S, L, 1.2L, 199), S);
  // (S, S, L, L): L above the middle temperature.
  EXPECT_EQ(phase(S, S, L, L, 1.1L, 151), L);
  EXPECT_EQ(phase(S, S, L, L, 1.9L, 149), S);
  // (S, L, S, L): the second half of the volume interval is L.
  EXPECT_EQ(phase(S, L, S, L, 1.6L, 120), L);
  EXPECT_EQ(phase(S, L, S, L, 1.4L, 180), S);
  // The left medium reads the lower corner.
  set->PhaseId = {S, L, L, L};
  TEosTableHints h;
  EXPECT_EQ(TableLeftPhase(*set, h, 1 / 1.9L, 199), S);
}

TEST(TablePhase, RulesOnCodes) {
  struct Case {
    PhaseCode c;
    bool melted, vapour, fluidVapour;
    Real liquid, solid;  // at m = 0.25
  };
  const Case cases[] = {
      {1, false, false, false, 0, 1},        {2, true, false, false, 0.75L, 0.25L},
      {3, true, false, false, 1, 0},         {4, true, true, true, 0.25L, 0},
      {5, true, true, true, 0, 0},           {6, true, true, false, 0, 0},
      {-6, true, true, false, 0, 0.25L},     {7, false, false, false, 0, 1},
      {9, true, false, false, 0.75L, 0.25L}, {0, false, false, false, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(TableCodeMelted(c.c), c.melted) << c.c;
    EXPECT_EQ(TableCodeVapour(c.c), c.vapour) << c.c;
    EXPECT_EQ(TableCodeFluidVapour(c.c), c.fluidVapour) << c.c;
    EXPECT_EQ(TableLiquidShare(c.c, 0.25L), c.liquid) << c.c;
    EXPECT_EQ(TableSolidShare(c.c, 0.25L), c.solid) << c.c;
  }
  EXPECT_EQ(TableFilmColor(3), 0xFF0000);
  EXPECT_EQ(TableFilmColor(10), 0xFF0000);  // 10 mod 7 = 3
  EXPECT_EQ(TableLeftColor(3), 0x00FF00);
  EXPECT_EQ(TableLeftColor(10), 0x808080);
}

TEST(TableSlots, ScaledTableReadsAtTheScaledTemperature) {
  using S = testing::SmoothSolid;
  const auto set = MakeTableSet(Linspace(300, 3000, 40), Linspace(8.5L, 11, 30), S::P, S::E);
  TEosTableParams table, scaled;
  ASSERT_TRUE(BindTableParams(table, set));
  const Real s = 2, t = -291.8305827L;
  ASSERT_TRUE(BindTableParams(scaled, set, s, t));
  EXPECT_FALSE(BindTableParams(scaled, set, 0, t));  // s = 0 refused, block unchanged
  EXPECT_EQ(scaled.s, s);
  for (Real rho : {8.7L, 9.9L}) {
    for (Real T : {400.0L, 900.0L}) {
      const Real Tt = s * T + t;
      EXPECT_EQ(TableE(scaled, rho, T), TableE(table, rho, Tt));
      EXPECT_EQ(TableP(scaled, rho, T), TableP(table, rho, Tt));
      EXPECT_EQ(TableCv(scaled, rho, T), 2 * TableCv(table, rho, Tt));
      EXPECT_EQ(TabledPdT(scaled, rho, T), 2 * TabledPdT(table, rho, Tt));
      EXPECT_NEAR(D(TableTofE(scaled, rho, TableE(scaled, rho, T))), D(T), 1e-9);
      EXPECT_NEAR(D(TableTofP(scaled, rho, TableP(scaled, rho, T))), D(T), 1e-9);
      EXPECT_EQ(TableSoundSpeed(scaled, rho, T), TableSoundSpeed(table, rho, Tt));
    }
  }
}

// Results never depend on the hints: the same points in another order, through two
// blocks on one set (two media, two sessions), give the same values.
TEST(TableSlots, HintsOnlySpeedUpTheSearch) {
  using S = testing::SmoothSolid;
  const auto set = MakeTableSet(Linspace(300, 3000, 60), Linspace(8.5L, 11, 50), S::P, S::E);
  TEosTableParams a, b;
  ASSERT_TRUE(BindTableParams(a, set));
  ASSERT_TRUE(BindTableParams(b, set));
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> r(8.3, 11.2), T(250, 3100);
  for (int k = 0; k < 500; ++k) {
    const Real rho = r(rng), t = T(rng);
    const Real e = TableE(a, rho, t);
    TableP(b, 11 - (rho - 8.3L), 3300 - t);  // b moves elsewhere
    EXPECT_EQ(TableE(b, rho, t), e);
    EXPECT_EQ(TableTofE(b, rho, e), TableTofE(a, rho, e));
    TEosTableHints cold;
    EXPECT_EQ(TableValue(*set, set->Energy.data(), cold, rho, t), e);
  }
}

TEST(TableSlots, SoundSpeedOfATableWithoutHeatCapacityLeavesNoFault) {
  // E independent of T: Cv = 0, the thermal term is left out; P falling with rho: c^2 < 0
  // gives 0, without a floating-point fault for the caller's guard.
  const auto set = MakeTableSet(
      Linspace(100, 400, 4), Linspace(1, 2, 3), [](Real rho, Real) { return 5 - rho; },
      [](Real rho, Real) { return rho; });
  TEosTableParams p;
  ASSERT_TRUE(BindTableParams(p, set));
  FpGuard guard;
  EXPECT_EQ(TableSoundSpeed(p, 1.5L, 200), 0);
  EXPECT_EQ(TableCv(p, 1.5L, 200), 0);
  EXPECT_FALSE(guard.Faulted());
}

}  // namespace
}  // namespace tarvex
