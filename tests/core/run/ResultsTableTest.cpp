// The results table: layouts and title sets, row contents, the special texts, the
// derived heat-flux columns; the integral values and the critical density.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/run/IntegralValues.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "support/HydroFixture.h"

namespace tarvex {
namespace {

using testing::SessionFixture;

struct TableFixture : SessionFixture {
  TMainForm form{s};
  TResultsTable table;
  explicit TableFixture(int32_t N = 10, int32_t Dspc = 1) {
    testing::UseIdealGas(s, 1.4L);
    s.sim.Pout = 0.5L;
    testing::UniformGrid(s, N, 1.0L, 1.0L, 2.0L, Dspc);
    form.x1Edit.SetValue(1);
  }
  std::string Row(int32_t r) const {
    std::string s1;
    for (int32_t c = 0; c < table.ColumnCount(); ++c) s1 += "|" + table.Cell(r, c);
    return s1;
  }
};

TEST(ResultsTable, PureHydrodynamicsLayoutsAndTitleSets) {
  TableFixture f;
  f.table.Refresh(f.s, f.form);
  ASSERT_EQ(f.table.ColumnCount(), 10);
  EXPECT_EQ(f.table.RowCount(), 12);  // titles, 10 cells, the node row
  EXPECT_EQ(f.Row(0),
            "|   No|x(n)    |rho     |v(n)/v1 |P(n+1/2)|E(n+1/2)|T(n+1/2)|Phase|Ind|L-x(n+1/2)");

  // Unit-labelled set: physical velocity scale and lengths in nm or micrometres.
  f.s.eos.EosScale = 1e5L;
  f.form.x1Edit.SetValue(1e-7L);
  f.table.Refresh(f.s, f.form);
  EXPECT_EQ(f.Row(0),
            "|No(n)|x(n)[nm]|rho[g/cm3]|v(n)[km/s]|P(n+1/2)[GPa]|E(n+1/2)[kJ/g]|T(n+1/2)[K]|"
            "Phase|Ind|xGr0-x(n+1/2)[nm]");
  f.form.x1Edit.SetValue(1e-4L);
  f.s.sim.Dspc = 2;  // the title follows the geometry
  f.table.SetUpTable(f.s, f.form);
  EXPECT_EQ(f.table.Cell(0, 1), "r(n)[mkm]");
  EXPECT_EQ(f.table.Cell(0, 9), "xGr0-x(n+1/2)[mkm]");
  f.form.x1Edit.SetValue(2e-7L);  // not a unit of the labelled set
  f.table.SetUpTable(f.s, f.form);
  EXPECT_EQ(f.table.Cell(0, 1), "r(n)    ");

  // The fixed-Te variant has 12 columns; a frozen grid 7 and one row less.
  f.s.sim.Dspc = 1;
  f.s.setup.FixTeOn = true;
  f.table.SetUpTable(f.s, f.form);
  EXPECT_EQ(f.table.ColumnCount(), 12);
  EXPECT_EQ(f.table.Cell(0, 7), "Pi(n+1/2)");
  EXPECT_EQ(f.table.Cell(0, 8), "Pe(n+1/2)");
  f.s.setup.FixTeOn = false;
  f.s.bounds.NoMove = true;
  f.table.Refresh(f.s, f.form);
  EXPECT_EQ(f.table.ColumnCount(), 7);
  EXPECT_EQ(f.table.RowCount(), 11);
  EXPECT_EQ(f.Row(0), "|   No|x(n)    |T(n+1/2)|E(n+1/2)|Phase|Ind|L-x(n+1/2)");
  EXPECT_TRUE(f.table.FrozenGrid());
}

TEST(ResultsTable, RowsShowTheStateInDisplayUnits) {
  TableFixture f(4);
  THydrStat& A = *f.s.StateA;
  f.s.eos.EosScale = 2;  // velocities are shown divided by it
  for (int32_t j = 0; j <= 4; ++j) A.v[j] = 0.5L * j;
  f.form.x1Edit.SetValue(0.5L);
  f.table.nFrom = 3;
  const uint64_t v0 = f.table.Version();
  f.table.Refresh(f.s, f.form);
  EXPECT_GT(f.table.Version(), v0);
  // Row of node 1 / cell 1: x = 0.25 cm = 0.5 units, v = 0.5 / 2; depth of the cell centre
  // below the initial right end: (1 - 0.375) / 0.5.
  EXPECT_EQ(f.Row(2), "|4|0.5|1|0.25|2|5|2| o|0|1.25");
  // The node row: coordinate, the density placeholder, velocity, the outer pressure.
  EXPECT_EQ(f.Row(5), "|7|2|0|1|0.5|||||");
  // A refresh reuses the rows and counts.
  const uint64_t v1 = f.table.Version();
  f.table.Refresh(f.s, f.form);
  EXPECT_EQ(f.table.Version(), v1 + 1);
  EXPECT_EQ(f.table.Cell(99, 0), "");
  EXPECT_EQ(f.table.Cell(-1, 0), "");
}

TEST(ResultsTable, BrokenCellWithoutPressureShowsMinusZero) {
  TableFixture f(4);
  THydrStat& A = *f.s.StateA;
  // Cell 1 holds no pressure where its equation of state would give tension: broken.
  A.P[1] = 0;
  A.T[1] = -1;
  // Cell 2 holds no pressure at a state of positive pressure: an ordinary zero.
  A.P[2] = 0;
  f.table.Refresh(f.s, f.form);
  EXPECT_EQ(f.table.Cell(2, 4), kBrokenPressureText);
  EXPECT_EQ(f.table.Cell(2, 4), "-0      ");
  EXPECT_EQ(f.table.Cell(3, 4), "0");
}

TEST(ResultsTable, TenThousandRows) {
  TableFixture f(10000);
  f.table.Refresh(f.s, f.form);
  EXPECT_EQ(f.table.RowCount(), 10002);
  EXPECT_EQ(f.table.Cell(10001, 0), "10000");
  EXPECT_EQ(f.table.Cell(10000, 0), "9999");
  f.table.Refresh(f.s, f.form);
  EXPECT_EQ(f.table.Cell(5000, 2), "1");
}

// ---- derived columns ---------------------------------------------------------------------

struct Constants {
  Real k;
};
Real ConstantKappa(const Constants& c, Real, Real) {
  return c.k;
}
Real ConstantKe(const void* p, Real, Real, Real) {
  return static_cast<const Constants*>(p)->k;
}

struct ThermalFixture {
  static constexpr int32_t N = 6;
  std::array<Real, N + 1> x{};
  std::array<Real, N> T{}, Te{}, rho{};
  std::array<Real, N> Qx{}, kappa{}, alpha{};
  std::array<uint8_t, N> shown{};
  Constants kL{2}, ke{3}, g{5};
  ThermalColumnInputs in;
  ThermalFixture() {
    for (int32_t j = 0; j <= N; ++j) x[j] = 0.1L * j;
    for (int32_t i = 0; i < N; ++i) {
      T[i] = 100 + 10 * i;  // gradient 100 K/cm
      Te[i] = T[i];
      rho[i] = 2;
    }
    in.x = x;
    in.T = T;
    in.rho = rho;
    in.filmKappa = MakeSlot<Constants, ConstantKappa>(kL);
  }
  void Run() { ComputeThermalColumns(in, Qx, kappa, alpha, shown); }
};

TEST(DerivedColumns, FluxOfALinearProfileIsMinusKappaTimesGradient) {
  ThermalFixture f;
  f.Run();
  EXPECT_EQ(f.Qx[0], 0);  // the left end is not "T0 ="
  for (int32_t n = 1; n < ThermalFixture::N; ++n) {
    EXPECT_NEAR(static_cast<double>(f.Qx[n]), -200.0, 1e-12) << n;
    EXPECT_EQ(f.kappa[n], 2);
  }
  // Electrons conduct as well: the conductances add.
  f.in.Te = f.Te;
  f.in.ElConductivity = Slot3{ConstantKe, &f.ke, nullptr};
  f.Run();
  for (int32_t n = 1; n < ThermalFixture::N; ++n) {
    EXPECT_NEAR(static_cast<double>(f.Qx[n]), -500.0, 1e-12) << n;
    EXPECT_EQ(f.kappa[n], 5);
  }
  // "T0 =" at the left end: the flux from the first two cells.
  f.in.leftBoundFixedT = true;
  f.Run();
  EXPECT_NEAR(static_cast<double>(f.Qx[0]), (2 + 3) * (100.0 - 110.0) / 0.1, 1e-12);
  // A flux limit caps the magnitude, keeping the sign.
  f.in.HeatFluxLimit = 300;
  f.Run();
  EXPECT_NEAR(static_cast<double>(f.Qx[3]), -300.0, 1e-12);
}

TEST(DerivedColumns, NoConductionAndUniformTemperaturesGiveNoFlux) {
  ThermalFixture f;
  f.in.NoConduct = true;
  f.Run();
  for (int32_t n = 0; n < ThermalFixture::N; ++n) {
    EXPECT_EQ(f.Qx[n], 0);
    EXPECT_EQ(f.kappa[n], 0);
  }
  f.in.NoConduct = false;
  for (Real& t : f.T) t = 300;
  f.in.ElConductivity = Slot3{ConstantKe, &f.ke, nullptr};
  f.in.Te = f.T;
  f.in.InGlass = 2;
  f.in.QegOn = true;
  f.in.QegFlux = 7;
  f.Run();
  for (int32_t n = 0; n < ThermalFixture::N; ++n) {
    // Only the film-substrate interface row carries the electron flux into the substrate.
    EXPECT_EQ(f.Qx[n], n == 2 ? -14 : 0) << n;
  }
}

TEST(DerivedColumns, CouplingShownOnlyInFilmCells) {
  ThermalFixture f;
  f.in.InGlass = -2;  // the last two cells are substrate
  f.in.Coupling = MakeSlot<Constants, ConstantKappa>(f.g);
  f.Run();
  for (int32_t n = 0; n < ThermalFixture::N; ++n) {
    EXPECT_EQ(f.shown[n], n < 4 ? 1 : 0) << n;
    if (n < 4) {
      EXPECT_EQ(f.alpha[n], 10);  // rho * coupling
    }
  }
  f.in.NoThermo = true;
  f.Run();
  for (uint8_t s : f.shown) EXPECT_EQ(s, 0);
}

// ---- integral values ---------------------------------------------------------------------

TEST(IntegralValues, EnergiesAndMomentumOfKnownStates) {
  TableFixture f(8);
  THydrStat& A = *f.s.StateA;
  for (int32_t i = 0; i < 8; ++i) A.E[i] = 3;
  for (int32_t j = 0; j <= 8; ++j) A.v[j] = 0.25L;
  TIntegralValues iv;
  iv.Refresh(f.s, f.form);
  // Length 1, density 1: thermal energy 3, kinetic u^2 / 2, momentum u.
  EXPECT_NEAR(static_cast<double>(iv.Sums().Et), 3.0, 1e-17);
  EXPECT_NEAR(static_cast<double>(iv.Sums().Ek), 0.03125, 1e-17);
  EXPECT_NEAR(static_cast<double>(iv.Sums().Ivdx), 0.25, 1e-17);
  EXPECT_EQ(iv.Et.Text(), "3");
  EXPECT_EQ(iv.Es.Text(), "3.031");
  iv.StoreInitialEnergy();
  for (int32_t i = 0; i < 8; ++i) A.E[i] = 4;
  iv.Refresh(f.s, f.form);
  EXPECT_NEAR(static_cast<double>(iv.Eadd.StoredValue()), 1.0, 1e-17);

  // A linear velocity profile: the trapezoidal momentum is exact.
  for (int32_t j = 0; j <= 8; ++j) A.v[j] = j;
  iv.Refresh(f.s, f.form);
  EXPECT_NEAR(static_cast<double>(iv.Sums().Ivdx), 4.0, 1e-17);  // mean velocity 4 times mass 1
  // Energies of a whole cylinder or sphere.
  f.s.sim.EnergyFactor = 4;
  iv.Refresh(f.s, f.form);
  EXPECT_NEAR(static_cast<double>(iv.Sums().Et), 16.0, 1e-16);
  f.s.Ipdt = 0.125L;
  iv.Refresh(f.s, f.form);
  EXPECT_EQ(iv.Ipdt.Text(), "0.125");
}

TEST(IntegralValues, CriticalDensityPosition) {
  TableFixture f(10);
  THydrStat& A = *f.s.StateA;
  // Density 1 up to cell 5, then halving: cells get wider to the right.
  Real x = 0;
  const Real m = f.s.sim.CellMassUniform;
  for (int32_t i = 0; i < 10; ++i) {
    const Real rho = i < 5 ? 1 : std::pow(Real{0.5}, i - 4);
    A.x[i] = x;
    x += m / rho;
  }
  A.x[10] = x;
  TIntegralValues iv;
  iv.RhoCButton(0.9L);
  EXPECT_TRUE(iv.RCPanelVisible);
  EXPECT_NEAR(static_cast<double>(iv.Rho_C.StoredValue()), 0.3, 1e-15);
  iv.Rho_C.SetValue(0.3L);
  iv.Refresh(f.s, f.form);
  // The density falls through 0.3 between cells 6 (0.25) and 5 (0.5): the position lies at
  // the right end of cell 5 or before it.
  const Real X = CriticalDensityPosition(A, 0.3L, m);
  EXPECT_LE(X, A.x[7]);
  EXPECT_GE(X, A.x[5]);
  EXPECT_NEAR(static_cast<double>(iv.x_rc.StoredValue()), static_cast<double>(X), 1e-15);
  // No cell reaches the density, or every cell does: the ends, without faults.
  EXPECT_EQ(CriticalDensityPosition(A, 100, m), A.x[1]);
  EXPECT_EQ(CriticalDensityPosition(A, 1e-6L, m), A.x[10]);
  iv.Rho_C.SetText("-1");
  iv.LeaveRho_C();
  EXPECT_FALSE(iv.RCPanelVisible);
}

}  // namespace
}  // namespace tarvex
