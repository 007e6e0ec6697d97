// Artificial viscosity: the driving pressure of the four kinds, the reference jump,
// layer-boundary and broken cells, tiny grids, and the dialog's form model.
#include "core/hydro/Viscosity.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/hydro/ViscosityDialog.h"
#include "support/HydroFixture.h"

namespace tarvex {
namespace {

using testing::SessionFixture;
using testing::UniformGrid;
using testing::UseIdealGas;

double Dbl(Real x) {
  return static_cast<double>(x);
}

// A pass set up by hand on N planar cells of unit width and unit density: Old = StateA,
// Third = StateB, Self = StateC. Old.P_k = k and Third.P_k = 4k, so that the weighted
// centred pressure is A_k = 3.25 k (exact).
// With Cq = 1 the viscous term of a cell is Q_k = -D_k |D_k|.
struct PassSetup {
  SessionFixture f;
  ViscosityState vs;
  int32_t N;

  explicit PassSetup(int32_t n, Real Cq = 1) : N(n) {
    UseIdealGas(f.s, 5.0L / 3);
    UniformGrid(f.s, N, N, 1, 1);
    for (int32_t k = 0; k < N; ++k) {
      Old().P[k] = k;
      Third().P[k] = 4 * k;
    }
    vs.ViscCoef = Cq;
    f.s.sim.Pout = 0.125L;
  }
  THydrStat& Old() { return *f.s.StateA; }
  THydrStat& Third() { return *f.s.StateB; }
  THydrStat& Self() { return *f.s.StateC; }
  Real A(int32_t k) { return 0.75L * Third().P[k] + 0.25L * Old().P[k]; }

  // Node velocities of Third with the given jumps D_k (Old stays at rest).
  void SetJumps(const std::vector<Real>& D) {
    ASSERT_EQ(static_cast<int32_t>(D.size()), N);
    Third().v[0] = 0.5L;
    for (int32_t k = 0; k < N; ++k) Third().v[k + 1] = Third().v[k] + D[k];
  }
  void Run(int32_t kind, BrokenCellSlot broken = {}) {
    vs.ViscKind = kind;
    // Stale values a forgotten cell would keep.
    std::fill(Self().P.begin(), Self().P.end(), std::numeric_limits<Real>::quiet_NaN());
    DrivingPressure(vs, f.s.sim, Self(), Old(), Third(), broken);
  }
  // The predictor pass: the latest iterate is the old level itself.
  void RunPredictor(int32_t kind) {
    vs.ViscKind = kind;
    DrivingPressure(vs, f.s.sim, Self(), Third(), Third());
  }
};

// ---------------------------------------------------------------------------------------
// Centred pressures

TEST(Viscosity, NoCompressionGivesCentredPressuresForEveryKind) {
  struct Case {
    int32_t kind;
  };
  const Case cases[] = {{ViscNo}, {ViscSymm}, {ViscLoc}, {ViscLimOnly}};
  for (const Case& c : cases) {
    PassSetup p(7);
    p.SetJumps({0, 1, 2, 0, 0.5L, 3, 0});  // at rest or expanding everywhere
    p.f.s.sim.PoutRamp = true;
    p.f.s.sim.Pout0 = 2;
    p.f.s.sim.PoutRate = 3;
    p.f.s.sim.SimTime = 0.5L;
    p.Run(c.kind);
    for (int32_t k = 0; k < 7; ++k) {
      EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k))) << "kind " << c.kind << " cell " << k;
    }
    // The boundary entry holds Pout after the ramp was applied.
    EXPECT_EQ(Dbl(p.Self().P[7]), 3.5) << "kind " << c.kind;
    EXPECT_EQ(Dbl(p.f.s.sim.Pout), 3.5);
  }
}

TEST(Viscosity, UnknownKindActsAsNone) {
  PassSetup p(4);
  p.SetJumps({-1, -2, -3, -4});
  p.Run(7);
  for (int32_t k = 0; k < 4; ++k) EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k)));
  EXPECT_EQ(Dbl(p.vs.ViscRef), 0.0);
}

// ---------------------------------------------------------------------------------------
// "LimOnly"

TEST(Viscosity, LimOnlyWithZeroReferenceAddsQuadraticTermInEveryCompressedCell) {
  PassSetup p(5, 0.5L);
  // Third's cell 1 is half as wide (density 2); Old moves differently and must not matter.
  p.Third().x = {0, 1, 1.5L, 2.5L, 3.5L, 4.5L};
  p.SetJumps({0, -2, 1, -0.5L, 0});
  for (int32_t j = 0; j <= 5; ++j) p.Old().v[j] = 10 * j;
  p.Run(ViscLimOnly);
  const Real extra[] = {0, 0.5L * 2 * 4, 0, 0.5L * 0.25L, 0};
  for (int32_t k = 0; k < 5; ++k) EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k) + extra[k])) << k;
  // A corrector pass leaves the reference; the predictor pass lowers it to the smallest
  // viscous jump.
  EXPECT_EQ(Dbl(p.vs.ViscRef), 0.0);
  p.RunPredictor(ViscLimOnly);
  EXPECT_EQ(Dbl(p.vs.ViscRef), -2.0);
}

TEST(Viscosity, PhysicalUnitsGiveGigapascalFromTheDialogCoefficient) {
  // Cq = 1 through the dialog with EosScale 1e5: rho = 1 g/cm3 and a jump of 1 km/s
  // give a viscous pressure of 1 GPa.
  PassSetup p(3, 0);
  TViscosityDialogModel dlg;
  dlg.Open(p.vs, 1e5L);
  dlg.ViscType = ViscLimOnly;
  dlg.ViscMult.SetText("1");
  ASSERT_TRUE(dlg.Ok(p.vs, 1e5L, nullptr).accepted);
  p.SetJumps({0, -1e5L, 0});
  p.Run(ViscLimOnly);
  EXPECT_NEAR(Dbl(p.Self().P[1] - p.A(1)), 1.0, 1e-15);
}

// ---------------------------------------------------------------------------------------
// "Symm"

TEST(Viscosity, SymmSpreadsTheTermAsHalfSecondDifferences) {
  struct Case {
    const char* name;
    std::vector<Real> D;
    std::vector<Real> extra;  // P_k - A_k
    Real ref;
    bool zeroSum = true;  // no cell was held at zero tension (A_0 = 0 here)
  };
  const Case cases[] = {
      // c_2 = C_2 = -4: +4 in the cell, -2 in each neighbour.
      {"interior", {1, 1, -2, 1, 1, 1}, {0, -2, 4, -2, 0, 0}, -2},
      // Joint first pair: c_0 = -4; cell 1 expands and takes no term of its own.
      {"first pair", {-2, 1, 1, 1, 1, 1}, {2, -2, 0, 0, 0, 0}, -2},
      // Pair tested jointly from cell 1 as well; the expanding cell 0 would get -2 but
      // keeps zero, its centred pressure.
      {"first pair via cell 1", {1, -2, 1, 1, 1, 1}, {0, 4, -2, 0, 0, 0}, -2, false},
      // The last cell keeps half of its own term.
      {"last cell", {1, 1, 1, 1, 1, -2}, {0, 0, 0, 0, -2, 2}, -2},
      {"two cells", {1, 1, -1, -2, 1, 1}, {0, -0.5L, -1, 3.5L, -2, 0}, -2},
  };
  for (const Case& c : cases) {
    PassSetup p(6);
    p.SetJumps(c.D);
    p.Run(ViscSymm);
    Real sumP = 0;
    Real sumA = 0;
    for (int32_t k = 0; k < 6; ++k) {
      EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k) + c.extra[k])) << c.name << " cell " << k;
      sumP += p.Self().P[k];
      sumA += p.A(k);
    }
    if (c.zeroSum) {
      EXPECT_EQ(Dbl(sumP), Dbl(sumA)) << c.name;
    }
    EXPECT_EQ(Dbl(p.vs.ViscRef), Dbl(c.ref)) << c.name;
  }
}

TEST(Viscosity, SymmConservesTheSumOnAShockProfile) {
  PassSetup p(40, 0.37L);
  std::vector<Real> D(40);
  for (int32_t k = 0; k < 40; ++k) D[k] = std::sin(0.7L * k) * (1 + 0.1L * k);
  p.Third().x[13] += 0.25L;  // non-uniform densities
  p.SetJumps(D);
  // Pressures high enough that no spread term can bring a cell near tension.
  for (int32_t k = 0; k < 40; ++k) {
    p.Old().P[k] += 100;
    p.Third().P[k] += 100;
  }
  p.vs.ViscRef = -0.5L;
  p.Run(ViscSymm);
  Real sumP = 0;
  Real sumA = 0;
  Real sumAbsTerm = 0;
  for (int32_t k = 0; k < 40; ++k) {
    sumP += p.Self().P[k];
    sumA += p.A(k);
    sumAbsTerm += std::fabs(p.Self().P[k] - p.A(k));
  }
  EXPECT_GT(sumAbsTerm, 1);
  EXPECT_NEAR(Dbl(sumP - sumA), 0.0, 1e-15 * Dbl(sumAbsTerm + std::fabs(sumA)));
}

// Ahead of a strong compression the spread term would put a tension of half the viscous
// pressure into the cold, uncompressed neighbour; it keeps zero instead (or its own
// centred pressure where that is already negative). Compressed cells keep the spread.
TEST(Viscosity, SymmPutsNoTensionIntoAnUncompressedCell) {
  PassSetup p(6);
  for (int32_t k = 0; k < 6; ++k) {
    p.Old().P[k] = k == 3 ? -1 : 1e-6L;
    p.Third().P[k] = k == 3 ? -1 : 1e-6L;
  }
  p.SetJumps({1, -10, 1, 1, -10, 1});
  p.Run(ViscSymm);
  // Cell 0 belongs to the viscous first pair but expands: no term of its own, and
  // no tension from cell 1's (c_1 = -100), like any uncompressed cell.
  EXPECT_EQ(Dbl(p.Self().P[0]), 0.0);
  EXPECT_EQ(Dbl(p.Self().P[2]), 0.0);   // would be 1e-6 - 50
  EXPECT_EQ(Dbl(p.Self().P[3]), -1.0);  // its own tension, not -1 - 50
  EXPECT_EQ(Dbl(p.Self().P[5]), 0.0);   // the last cell, would be 1e-6 - 50
  EXPECT_EQ(Dbl(p.Self().P[4]), Dbl(p.A(4) + 100));
}

// ---------------------------------------------------------------------------------------
// "Loc"

struct BrokenSet {
  const THydrStat* expectedOld;
  std::vector<int32_t> cells;
  mutable int32_t calls = 0;
};

bool IsBrokenForTest(const void* params, const THydrStat& Old, int32_t i) {
  const auto& b = *static_cast<const BrokenSet*>(params);
  ++b.calls;
  EXPECT_EQ(&Old, b.expectedOld);
  return std::find(b.cells.begin(), b.cells.end(), i) != b.cells.end();
}

struct LocCase {
  const char* name;
  int32_t InGlass;
  Real ViscRef;
  std::vector<Real> D;
  std::vector<Real> extra;  // P_k - A_k, Q_k = -D_k |D_k|
  Real ref;                 // ViscRef afterwards
  std::vector<int32_t> broken = {};
};

void RunLocCases(const std::vector<LocCase>& cases) {
  for (const LocCase& c : cases) {
    const int32_t N = static_cast<int32_t>(c.D.size());
    PassSetup p(N);
    p.f.s.sim.InGlass = c.InGlass;
    p.vs.ViscRef = c.ViscRef;
    p.SetJumps(c.D);
    BrokenSet set{&p.Old(), c.broken};
    BrokenCellSlot slot;
    if (!c.broken.empty()) slot = BrokenCellSlot{&IsBrokenForTest, &set};
    p.Run(ViscLoc, slot);
    for (int32_t k = 0; k < N; ++k) {
      EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k) + c.extra[k])) << c.name << ", cell " << k;
    }
    EXPECT_EQ(Dbl(p.Self().P[N]), 0.125) << c.name;
    EXPECT_EQ(Dbl(p.vs.ViscRef), Dbl(c.ref)) << c.name;
    if (!c.broken.empty()) {
      EXPECT_GT(set.calls, 0) << c.name;
    }
  }
}

// Columns: name, InGlass, ViscRef before, D_k, P_k - A_k (with Q_k = -D_k |D_k|), ViscRef
// after, broken cells.
// clang-format off
TEST(Viscosity, LocRunsAndNeighbourTerms) {
  RunLocCases({
      {"single compressed cell", 0, 0,
       {1, 1, 1, 1, -2, 1, 1, 1, 1, 1}, {0, 0, 0, -1, 4, -1, 0, 0, 0, 0}, 0},
      // The right neighbour is compressed too: the cell after it gets its term.
      {"two compressed cells", 0, 0,
       {1, 1, 1, -1, -2, 1, 1, 1, 1, 1}, {0, 0, -1, 1, 4, -1, 0, 0, 0, 0}, -2},
      // A run reaching the end: the last cell ends with A_L and then, being compressed,
      // gets its own term.
      {"run to the end", 0, 0,
       {1, 1, 1, 1, -2, -2, -2, -2, -2, -2}, {0, 0, 0, -1, 4, 4, 4, 4, 4, 4}, -2},
      // A run resumed after one uncompressed cell: that cell receives its own term twice
      // (as the end of the first run and as the left neighbour of the second).
      {"run resumed after one cell", 0, 0,
       {1, 1, 1, -2, 1, -1, 1, -2, 1, 1, 1, 1}, {0, 0, -1, 4, -1, 1, -2, 4, -1, 0, 0, 0}, -1},
      // The same at the end of the grid: the resumed run would start at the last cell.
      {"run resumed at the last cell", 0, 0,
       {1, 1, 1, 1, 1, -2, 1, -1, 1, -2}, {0, 0, 0, 0, -1, 4, -1, 1, -1, 4}, -1},
      // Theta = -0.3: a cell with Theta <= D < 0 does not continue a run, but the scan
      // test then starts one there.
      {"mild compression starts at the scan", 0, -1,
       {1, 1, 1, -2, 1, 1, -0.25L, 1, 1, 1}, {0, 0, -1, 4, -1, -1, 0.0625L, -1, 0, 0}, -1},
  });
}

TEST(Viscosity, LocEnds) {
  RunLocCases({
      // First pair: cell 0 viscous, cell 1 gets the opposite-sign term C_1.
      {"left end", 0, 0,
       {-2, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {4, 1, 0, 0, 0, 0, 0, 0, 0, 0}, -2},
      // First pair viscous: ViscRef rises to D_0.
      {"left end raises reference", 0, -1,
       {-0.5L, 1, 1, 1, 1, 1, 1, 1, 1, 1}, {0.25L, 1, 0, 0, 0, 0, 0, 0, 0, 0}, -0.5L},
      // D_2 = 0 counts as not compressed for the sign flip of cell 1.
      {"left end, D_2 = 0", 0, 0,
       {-2, 1, 0, 1, 1, 1, 1, 1, 1, 1}, {4, 1, 0, 0, 0, 0, 0, 0, 0, 0}, -2},
      // D_2 < 0: cell 1 keeps A_1, then gets the neighbour term of the run from cell 2.
      {"left end, run from cell 2", 0, 0,
       {-2, 1, -1, 1, 1, 1, 1, 1, 1, 1}, {4, -1, 1, -1, 0, 0, 0, 0, 0, 0}, -2},
      {"L - i = 1", 0, 0,
       {1, 1, 1, 1, 1, 1, 1, 1, -2, 1}, {0, 0, 0, 0, 0, 0, 0, -1, 4, 0}, 0},
      {"L - i = 2", 0, 0,
       {1, 1, 1, 1, 1, 1, 1, -2, 1, 1}, {0, 0, 0, 0, 0, 0, -1, 4, -1, 0}, 0},
      {"L - i = 3", 0, 0,
       {1, 1, 1, 1, 1, 1, -2, 1, 1, 1}, {0, 0, 0, 0, 0, -1, 4, -1, 0, 0}, 0},
      {"L - i = 3, cell L-1 compressed", 0, 0,
       {1, 1, 1, 1, 1, 1, -2, 1, -1, 1}, {0, 0, 0, 0, 0, -1, 4, -1, 1, 0}, 0},
      // The last cell keeps A_L from the scan, then gets its own term as an end cell.
      {"last cell compressed", 0, 0,
       {1, 1, 1, 1, 1, 1, 1, 1, 1, -3}, {0, 0, 0, 0, 0, 0, 0, 0, 0, 9}, 0},
      // Compressed, but not beyond the threshold -0.3: no term.
      {"last cell mildly compressed", 0, -1,
       {1, 1, 1, 1, 1, 1, 1, 1, 1, -0.25L}, std::vector<Real>(10, 0), -1},
      {"short grid, L - i = 1", 0, 0, {1, -2, 1}, {0, 4, 0}, -2},
      {"short grid, L - i = 2", 0, 0, {1, -2, 1, 1}, {0, 4, -1, 0}, -2},
      {"short grid, L - i = 3", 0, 0, {1, -2, 1, 1, 1}, {0, 4, -1, 0, 0}, -2},
  });
}

TEST(Viscosity, LocLayerBoundaryAndBrokenCells) {
  RunLocCases({
      // InGlass = 0: cell 0 is a layer boundary and gets no neighbour term, only its own
      // term as a compressed end cell.
      {"end cell, no neighbour term", 0, 0,
       {-2, -1, 1, 1, 1, 1, 1, 1, 1, 1}, {4, 1, -1, 0, 0, 0, 0, 0, 0, 0}, -2},
      // InGlass = 3: cell 0 is an ordinary cell and does get it.
      {"substrate of 3: cell 0 ordinary", 3, 0,
       {-2, -1, 1, 1, 1, 1, 1, 1, 1, 1}, {4, 1, -1, 0, 0, 0, 0, 0, 0, 0}, -2},
      // ... and gets its own term as a compressed boundary cell, but no neighbour's.
      {"substrate of 3: cell 3 starts no run", 3, 0,
       {1, 1, 1, -2, 1, 1, 1, 1, 1, 1}, {0, 0, 0, 4, 0, 0, 0, 0, 0, 0}, 0},
      {"substrate of 3: cell 3 no neighbour term", 3, 0,
       {1, 1, 1, 1, -2, 1, 1, 1, 1, 1}, {0, 0, 0, 0, 4, -1, 0, 0, 0, 0}, 0},
      // A run continued into the boundary cell 4 gives it its own term.
      {"substrate of 4: boundary cell reached by a run", 4, 0,
       {1, -2, -2, -1, -2, 1, 1, 1, 1, 1}, {-1, 4, 4, 1, 4, -1, 0, 0, 0, 0}, -2},
      // Right substrate of 2 cells: cell L - 2 = 7 is the boundary.
      {"right substrate: boundary starts no run", -2, 0,
       {1, 1, 1, 1, 1, 1, 1, -2, 1, 1}, {0, 0, 0, 0, 0, 0, 0, 4, 0, 0}, 0},
      {"broken cell starts no run", 0, 0,
       {1, 1, 1, 1, 1, -2, 1, 1, 1, 1}, std::vector<Real>(10, 0), 0, {5}},
      {"broken left neighbour", 0, 0,
       {1, 1, 1, 1, 1, -2, 1, 1, 1, 1}, {0, 0, 0, 0, 0, 4, -1, 0, 0, 0}, 0, {4}},
      {"broken right neighbour", 0, 0,
       {1, 1, 1, 1, 1, -2, 1, 1, 1, 1}, {0, 0, 0, 0, -1, 4, 0, 0, 0, 0}, 0, {6}},
      // A compressed right neighbour gives the cell after it its term ...
      {"unbroken cell after the run", 0, 0,
       {1, 1, 1, -2, -1, 1, 1, 1, 1, 1}, {0, 0, -1, 4, 1, -1, 0, 0, 0, 0}, -1},
      // ... but not when the cell after that is broken.
      {"broken cell after the run", 0, 0,
       {1, 1, 1, -2, -1, 1, 1, 1, 1, 1}, {0, 0, -1, 4, 1, 0, 0, 0, 0, 0}, -1, {6}},
      // A broken cell after a compressed one takes that jump into the reference.
      {"broken cell after a compressed one", 0, 0,
       {1, 1, 1, -2, 1, -1, 1, 1, 1, 1}, {0, 0, -1, 4, -1, 0, 0, 0, 0, 0}, -1, {6}},
  });
}
// clang-format on

// ---------------------------------------------------------------------------------------
// The reference jump

TEST(Viscosity, ReferenceJumpUpdatesByKind) {
  struct Case {
    const char* name;
    int32_t kind;
    std::vector<Real> D;
    Real ref;  // ViscRef afterwards, starting from -1 (Theta = -0.3)
    bool predictor = false;
  };
  const Case cases[] = {
      {"No keeps it", ViscNo, {-5, -5, -5, -5, -5, -5}, -1},
      {"LimOnly takes the smallest viscous jump",
       ViscLimOnly,
       {-0.2L, -0.5L, -2, 1, 1, 1},
       -2,
       true},
      {"LimOnly never rises", ViscLimOnly, {-0.2L, 1, 1, 1, 1, 1}, -1, true},
      {"LimOnly learns nothing from a corrector", ViscLimOnly, {-0.2L, -0.5L, -2, 1, 1, 1}, -1},
      {"Symm rises to Theta", ViscSymm, {1, 1, 1, 1, 1, 1}, -0.3L},
      {"Symm first pair and viscous cells", ViscSymm, {-0.5L, 1, -0.4L, 1, 1, 1}, -0.5L},
      {"Symm includes the last cell", ViscSymm, {1, 1, -0.4L, 1, 1, -2}, -2},
      {"Loc without compression keeps it", ViscLoc, {1, 1, 1, 1, 1, 1}, -1},
      {"Loc first pair sets D_0", ViscLoc, {-0.5L, 1, 1, 1, 1, 1}, -0.5L},
  };
  for (const Case& c : cases) {
    PassSetup p(6);
    p.vs.ViscRef = -1;
    p.SetJumps(c.D);
    if (c.predictor) {
      p.RunPredictor(c.kind);
    } else {
      p.Run(c.kind);
    }
    EXPECT_EQ(Dbl(p.vs.ViscRef), Dbl(c.ref)) << c.name;
  }
}

TEST(Viscosity, RelaxAndForceOff) {
  ViscosityState vs;
  vs.ViscRef = -10;
  ApplyViscosityRelax(vs);
  EXPECT_EQ(Dbl(vs.ViscRef), Dbl(-9.0L));
  vs.ViscKind = ViscLoc;
  ApplyViscosityRelax(vs);
  EXPECT_EQ(Dbl(vs.ViscRef), Dbl(-9.0L));
  vs.ViscKind = ViscLimOnly;  // recovers like "No"
  ApplyViscosityRelax(vs);
  EXPECT_EQ(Dbl(vs.ViscRef), Dbl(-8.1L));
  ForceNoViscosity(vs, true);
  EXPECT_EQ(vs.ViscKind, ViscLimOnly);
  ForceNoViscosity(vs, false);
  EXPECT_EQ(vs.ViscKind, ViscNo);
}

// ---------------------------------------------------------------------------------------
// Tiny grids and invariants on arbitrary fields

TEST(Viscosity, TinyGridsHandValues) {
  struct Case {
    const char* name;
    int32_t kind;
    std::vector<Real> D;
    std::vector<Real> extra;  // over A_k
    Real ref;
  };
  const Case cases[] = {
      {"1 cell No", ViscNo, {-2}, {0}, 0},
      {"1 cell LimOnly", ViscLimOnly, {-2}, {4}, 0},  // a corrector: reference kept
      {"1 cell Symm", ViscSymm, {-2}, {0}, -2},
      {"1 cell Loc", ViscLoc, {-2}, {4}, -2},
      {"2 cells Symm", ViscSymm, {-2, 1}, {2, -2}, -2},  // cell 1 expands: no own term
      {"2 cells Loc first pair", ViscLoc, {-2, 1}, {4, 0}, -2},
      {"2 cells Loc both compressed", ViscLoc, {-2, -2}, {4, 4}, -2},
      {"3 cells Loc", ViscLoc, {-2, 1, 1}, {4, 1, 0}, -2},
      {"3 cells Symm", ViscSymm, {1, 1, -2}, {0, -2, 2}, -2},
      {"4 cells Loc", ViscLoc, {1, -2, -2, 1}, {0, 4, 4, 0}, -2},
  };
  for (const Case& c : cases) {
    const int32_t N = static_cast<int32_t>(c.D.size());
    PassSetup p(N);
    p.SetJumps(c.D);
    p.Run(c.kind);
    for (int32_t k = 0; k < N; ++k) {
      EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k) + c.extra[k])) << c.name << ", cell " << k;
    }
    EXPECT_EQ(Dbl(p.Self().P[N]), 0.125) << c.name;
    EXPECT_EQ(Dbl(p.vs.ViscRef), Dbl(c.ref)) << c.name;
  }
}

// Deterministic pseudo-random jumps in [-2, 2) with a share of exact zeros.
struct Lcg {
  uint64_t s;
  Real Next() {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    const int32_t r = static_cast<int32_t>((s >> 33) % 17);
    return r < 3 ? 0 : (static_cast<Real>(r) - 10) / 4;
  }
};

// Every kind on every small grid and substrate layout writes every cell (no stale value
// survives), reads nothing outside the grid (the sanitizer build watches), puts Pout in
// the boundary entry and keeps the invariants of its kind.
TEST(Viscosity, InvariantsOnArbitraryFieldsAndTinyGrids) {
  Lcg rng{12345};
  for (int32_t N = 1; N <= 14; ++N) {
    for (int32_t inGlass : {0, 1, 2, -1, -2}) {
      for (int32_t kind = ViscNo; kind <= ViscLimOnly; ++kind) {
        for (int32_t trial = 0; trial < 6; ++trial) {
          PassSetup p(N);
          p.f.s.sim.InGlass = inGlass;
          std::vector<Real> D(N);
          for (Real& d : D) d = rng.Next();
          p.SetJumps(D);
          // Pressures far from tension: the "Symm" spread never meets its tension floor.
          for (int32_t k = 0; k < N; ++k) {
            p.Old().P[k] += 1000;
            p.Third().P[k] += 1000;
          }
          p.vs.ViscRef = trial % 2 == 0 ? 0 : -1;
          BrokenSet set{&p.Old(), {N / 2}};
          const BrokenCellSlot slot =
              trial >= 4 ? BrokenCellSlot{&IsBrokenForTest, &set} : BrokenCellSlot{};
          const Real theta = 0.3L * p.vs.ViscRef;
          const Real refBefore = p.vs.ViscRef;
          p.Run(kind, slot);
          const std::string where = "N " + std::to_string(N) + " InGlass " +
                                    std::to_string(inGlass) + " kind " + std::to_string(kind) +
                                    " trial " + std::to_string(trial);
          Real sumP = 0;
          Real sumA = 0;
          for (int32_t k = 0; k < N; ++k) {
            ASSERT_TRUE(std::isfinite(p.Self().P[k])) << where << " cell " << k;
            sumP += p.Self().P[k];
            sumA += p.A(k);
            if (kind == ViscNo) {
              EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k))) << where;
            }
            if (kind == ViscLimOnly) {
              const Real q = D[k] < theta ? D[k] * D[k] : 0;
              EXPECT_EQ(Dbl(p.Self().P[k]), Dbl(p.A(k) + q)) << where << " cell " << k;
            }
          }
          EXPECT_EQ(Dbl(p.Self().P[N]), 0.125) << where;
          if (kind == ViscLoc) {
            // The last cell: its centred pressure, plus its own term when compressed.
            const bool own = D[N - 1] < theta && !(slot && slot(p.Old(), N - 1));
            const Real q = own ? D[N - 1] * D[N - 1] : 0;
            EXPECT_EQ(Dbl(p.Self().P[N - 1]), Dbl(p.A(N - 1) + q)) << where;
          }
          if (kind == ViscSymm) {
            EXPECT_NEAR(Dbl(sumP - sumA), 0.0, 1e-12) << where;
          }
          if (kind == ViscLimOnly || kind == ViscNo) {
            EXPECT_LE(p.vs.ViscRef, refBefore) << where;
          }
          EXPECT_TRUE(std::isfinite(p.vs.ViscRef)) << where;
          EXPECT_LE(p.vs.ViscRef, 0) << where;
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------------------
// Dialog

TEST(ViscosityDialog, FieldsAndDefaults) {
  TViscosityDialogModel dlg;
  EXPECT_EQ(TViscosityDialogModel::Caption, "Artifical Viscosity");
  EXPECT_EQ(TViscosityDialogModel::ViscTypeItems[0], "&No");
  EXPECT_EQ(TViscosityDialogModel::ViscTypeItems[1], "&Symm");
  EXPECT_EQ(TViscosityDialogModel::ViscTypeItems[2], "&Loc");
  EXPECT_EQ(TViscosityDialogModel::ViscTypeItems[3], "Lim&Only");
  EXPECT_EQ(TViscosityDialogModel::ViscMultLabel, "Scla&Value ");
  EXPECT_EQ(dlg.ViscMult.Text(), "0");
}

TEST(ViscosityDialog, OpenShowsTheScaledCoefficient) {
  struct Case {
    const char* name;
    Real coef;
    int32_t kind;
    Real scale;
    Real shown;
    int32_t type;
  };
  const Case cases[] = {
      {"nothing set proposes Loc", 0, ViscNo, 1e5L, 1, ViscLoc},
      {"no coefficient keeps a set kind", 0, ViscLimOnly, 1e5L, 1, ViscLimOnly},
      {"coefficient with kind No proposes Symm", 3e-10L, ViscNo, 1e5L, 3, ViscSymm},
      {"coefficient and kind", 3e-10L, ViscLimOnly, 1e5L, 3, ViscLimOnly},
      {"dimensionless", 0.75L, ViscLoc, 1, 0.75L, ViscLoc},
  };
  for (const Case& c : cases) {
    TViscosityDialogModel dlg;
    ViscosityState vs;
    vs.ViscCoef = c.coef;
    vs.ViscKind = c.kind;
    dlg.Open(vs, c.scale);
    Real shown = 0;
    ASSERT_TRUE(dlg.ViscMult.TryGetValue(shown)) << c.name;
    EXPECT_NEAR(Dbl(shown), Dbl(c.shown), 1e-14) << c.name;
    EXPECT_EQ(dlg.ViscType, c.type) << c.name;
  }
  // The scaled value reads as the plain number.
  TViscosityDialogModel dlg;
  ViscosityState vs;
  vs.ViscCoef = 3e-10L;
  dlg.Open(vs, 1e5L);
  EXPECT_EQ(dlg.ViscMult.Text(), "3");
}

TEST(ViscosityDialog, OkAppliesKindCoefficientAndReference) {
  struct Case {
    const char* name;
    const char* text;
    int32_t type;
    int32_t kindBefore;
    bool withState;
    Real expectCoef;
    int32_t expectKind;
    Real expectRef;
  };
  // StateA below has its smallest velocity jump -3e5 cm/s; ViscRef starts at -7.
  const Case cases[] = {
      {"switch on from No", "2", ViscLoc, ViscNo, true, 2e-10L, ViscLoc, -3e5L},
      {"switch on without StateA", "2", ViscSymm, ViscNo, false, 2e-10L, ViscSymm, 0},
      {"change kind keeps reference", "2", ViscLimOnly, ViscSymm, true, 2e-10L, ViscLimOnly, -7},
      {"zero coefficient switches off", "0", ViscLoc, ViscLoc, true, 0, ViscNo, -7},
      {"kind No with a coefficient", "2", ViscNo, ViscLoc, true, 2e-10L, ViscNo, -7},
  };
  for (const Case& c : cases) {
    SessionFixture f;
    UseIdealGas(f.s, 5.0L / 3);
    if (c.withState) {
      UniformGrid(f.s, 4, 4, 1, 1);
      f.s.StateA->v = {0, 1e5L, -2e5L, -1e5L, 0};  // jumps 1e5, -3e5, 1e5, 1e5
    }
    ViscosityState vs;
    vs.ViscKind = c.kindBefore;
    vs.ViscCoef = 5e-10L;
    vs.ViscRef = -7;
    TViscosityDialogModel dlg;
    dlg.Open(vs, 1e5L);
    dlg.ViscType = c.type;
    dlg.ViscMult.SetText(c.text);
    const ViscosityDialogResult r = dlg.Ok(vs, 1e5L, f.s.StateA);
    ASSERT_TRUE(r.accepted) << c.name;
    EXPECT_NEAR(Dbl(vs.ViscCoef), Dbl(c.expectCoef), 1e-24) << c.name;
    EXPECT_EQ(vs.ViscKind, c.expectKind) << c.name;
    EXPECT_EQ(r.VisTag, c.expectKind) << c.name;
    EXPECT_EQ(Dbl(vs.ViscRef), Dbl(c.expectRef)) << c.name;
  }
}

TEST(ViscosityDialog, ReferenceFromAnExpandingStateIsZero) {
  SessionFixture f;
  UseIdealGas(f.s, 5.0L / 3);
  UniformGrid(f.s, 3, 3, 1, 1);
  f.s.StateA->v = {0, 1, 3, 6};
  ViscosityState vs;
  vs.ViscRef = -4;
  TViscosityDialogModel dlg;
  dlg.Open(vs, 1);
  ASSERT_TRUE(dlg.Ok(vs, 1, f.s.StateA).accepted);
  EXPECT_EQ(vs.ViscKind, ViscLoc);
  EXPECT_EQ(Dbl(vs.ViscCoef), 1.0);
  EXPECT_EQ(Dbl(vs.ViscRef), 0.0);
}

TEST(ViscosityDialog, RefusedOkChangesNothing) {
  struct Case {
    const char* name;
    const char* text;
    Real scale;
  };
  const Case cases[] = {
      {"no equation of state yet", "2", 0},
      {"not a number", "abc", 1e5L},
      {"trailing junk", "2x", 1e5L},
      {"empty", "", 1e5L},
      {"negative", "-1", 1e5L},
  };
  for (const Case& c : cases) {
    ViscosityState vs;
    vs.ViscKind = ViscSymm;
    vs.ViscCoef = 4e-10L;
    vs.ViscRef = -3;
    TViscosityDialogModel dlg;
    dlg.Open(vs, 1e5L);
    dlg.ViscType = ViscLoc;
    dlg.ViscMult.SetText(c.text);
    const ViscosityDialogResult r = dlg.Ok(vs, c.scale, nullptr);
    EXPECT_FALSE(r.accepted) << c.name;
    EXPECT_EQ(r.focus, "ViscMult") << c.name;
    EXPECT_EQ(vs.ViscKind, ViscSymm) << c.name;
    EXPECT_EQ(Dbl(vs.ViscCoef), Dbl(4e-10L)) << c.name;
    EXPECT_EQ(Dbl(vs.ViscRef), -3.0) << c.name;
  }
}

TEST(ViscosityDialog, CancelChangesNothingAndReopenShowsTheState) {
  ViscosityState vs;
  vs.ViscKind = ViscLimOnly;
  vs.ViscCoef = 6e-10L;
  vs.ViscRef = -2;
  TViscosityDialogModel dlg;
  dlg.Open(vs, 1e5L);
  dlg.ViscType = ViscNo;
  dlg.ViscMult.SetText("0");
  dlg.Cancel();
  EXPECT_EQ(vs.ViscKind, ViscLimOnly);
  EXPECT_EQ(Dbl(vs.ViscCoef), Dbl(6e-10L));
  EXPECT_EQ(Dbl(vs.ViscRef), -2.0);
  dlg.Open(vs, 1e5L);
  EXPECT_EQ(dlg.ViscType, ViscLimOnly);
  EXPECT_EQ(dlg.ViscMult.Text(), "6");
}

TEST(ViscosityDialog, OpenThenOkKeepsTheState) {
  ViscosityState vs;
  vs.ViscKind = ViscLoc;
  vs.ViscCoef = 1.5e-10L;
  vs.ViscRef = -2;
  TViscosityDialogModel dlg;
  dlg.Open(vs, 1e5L);
  const ViscosityDialogResult r = dlg.Ok(vs, 1e5L, nullptr);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(r.VisTag, ViscLoc);
  EXPECT_NEAR(Dbl(vs.ViscCoef / 1.5e-10L), 1.0, 1e-15);
  EXPECT_EQ(Dbl(vs.ViscRef), -2.0);
}

}  // namespace
}  // namespace tarvex
