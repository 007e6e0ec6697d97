// The laser source: shape values against their formulas, amplitudes and normalisation,
// refused pulses, the per-cell table on edge-case grids, the rebuild when the layout
// changes, and the time factor of a step.
#include "core/laser/LaserSource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>
#include <vector>

namespace tarvex {
namespace {

constexpr Real kPi = std::numbers::pi_v<Real>;
constexpr Real kRel = 64 * std::numeric_limits<Real>::epsilon();

double Dbl(Real x) {
  return static_cast<double>(x);
}

void ExpectRel(Real expected, Real actual, Real tol, const char* what) {
  const Real scale = std::max(std::fabs(expected), std::numeric_limits<Real>::min());
  EXPECT_LE(std::fabs(actual - expected) / scale, tol)
      << what << ": expected " << Dbl(expected) << ", got " << Dbl(actual);
}

LaserPulse Pulse(Real F, Real d, Real tau, int32_t timeItem, int32_t spaceItem) {
  LaserPulse p;
  p.F = F;
  p.d = d;
  p.tau = tau;
  p.timeItem = timeItem;
  p.spaceItem = spaceItem;
  return p;
}

std::vector<Real> Uniform(int32_t N, Real h, Real x0 = 0) {
  std::vector<Real> x(static_cast<size_t>(N) + 1);
  for (int32_t k = 0; k <= N; ++k) x[static_cast<size_t>(k)] = x0 + k * h;
  return x;
}

// ---------------------------------------------------------------------------------------
// Shapes

TEST(LaserShapes, TimeShapesFollowTheirFormulasAtEveryTime) {
  const Real tau = 3e-13L;
  const Real times[] = {-2.5L, -1, -0.25L, 0, 0.3L, 1, 1.0000001L, 1.7L, 4};
  for (const Real s : times) {
    const Real t = s * tau;
    const bool inPulse = s >= 0 && s <= 1;
    // The Gaussian is centred on the start of the pulse, t = 0, and has both halves.
    EXPECT_EQ(Dbl(TimeShapeValue(TimeShape::Gauss, t, tau)), Dbl(std::exp(-s * s))) << Dbl(s);
    // The other shapes begin at t = 0: nothing before it, however early the run starts.
    ExpectRel(s >= 0 ? std::exp(-s) : 0, TimeShapeValue(TimeShape::Exp, t, tau), kRel, "exp");
    EXPECT_EQ(Dbl(TimeShapeValue(TimeShape::Step, t, tau)), inPulse ? 1.0 : 0.0) << Dbl(s);
    ExpectRel(inPulse ? 1 - s : 0, TimeShapeValue(TimeShape::LinearDown, t, tau), kRel,
              "1 - t/tau");
    // The rising line is a pulse on [0, tau]: no sink before it, no endless growth after.
    ExpectRel(inPulse ? s : 0, TimeShapeValue(TimeShape::LinearUp, t, tau), kRel, "t/tau");
    EXPECT_EQ(Dbl(TimeShapeValue(TimeShape::Zero, t, tau)), 0.0);
  }
}

TEST(LaserShapes, SpaceShapesFollowTheirFormulasAndAreNeverNegative) {
  const Real depths[] = {0, 0.2L, 1, 1.5L, 7};
  for (const Real u : depths) {
    EXPECT_EQ(Dbl(SpaceShapeValue(SpaceShape::Gauss, u)), Dbl(std::exp(-u * u)));
    EXPECT_EQ(Dbl(SpaceShapeValue(SpaceShape::Exp, u)), Dbl(std::exp(-u)));
    EXPECT_EQ(Dbl(SpaceShapeValue(SpaceShape::Step, u)), u <= 1 ? 1.0 : 0.0);
    EXPECT_EQ(Dbl(SpaceShapeValue(SpaceShape::Linear, u)), u <= 1 ? Dbl(1 - u) : 0.0);
  }
  EXPECT_EQ(Dbl(SpaceShapeValue(SpaceShape::Exp, -1)), 0.0);  // above the irradiated face
}

TEST(LaserShapes, FxAndFpreUseTheFilmCoordinateAndTheSideOfTheDepth) {
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(20, 15, 100, 1, 1)).Refused());
  const std::vector<Real> x = Uniform(10, 1e-6L);  // L = 100 nm
  ASSERT_EQ(BuildSourceProfile(src, {x, 0, 1}), SourceStatus::Ok);
  const Real L = 1e-5L;
  const Real d = 15e-7L;
  for (const Real xi : {Real{0}, 3e-6L, L}) {
    ExpectRel(src.QAmp * std::exp((xi - L) / d), FxValue(src, xi), kRel, "d > 0");
  }
  EXPECT_EQ(Dbl(FxValue(src, -1e-9L)), 0.0);
  EXPECT_EQ(Dbl(FxValue(src, L * 1.01L)), 0.0);

  LaserPulse p = Pulse(20, -15, 100, 1, 1);
  p.preF = 4;
  p.preD = 30;
  p.preSpaceItem = 0;
  ASSERT_FALSE(SetLaserPulse(src, p).Refused());
  for (const Real xi : {Real{0}, 3e-6L, L}) {
    ExpectRel(src.QAmp * std::exp(-xi / d), FxValue(src, xi), kRel, "d < 0");
  }
  const Real s = 45e-7L;
  ExpectRel(src.QPreAmp * std::exp(-(s / 30e-7L) * (s / 30e-7L)), FpreValue(src, s), kRel,
            "pre-heating");
}

// ---------------------------------------------------------------------------------------
// Amplitudes

TEST(LaserPulseAmplitude, NormalisationOfEveryPairOfShapes) {
  // F = 50 mJ/cm^2, d = 10 nm, tau = 100 fs: F / (d tau) = 50e-6 / (1e-6 1e-13) = 5e14 kW/cm^3.
  const Real base = 5e14L;
  const Real timeNorm[] = {1 / std::sqrt(kPi), 1, 1, 2, 2};
  const Real spaceNorm[] = {2 / std::sqrt(kPi), 1, 1, 2};
  for (int32_t t = 0; t < kTimeShapeCount; ++t) {
    for (int32_t x = 0; x < kSpaceShapeCount; ++x) {
      for (const Real d : {Real{10}, Real{-10}}) {
        LaserSource src;
        ASSERT_FALSE(SetLaserPulse(src, Pulse(50, d, 100, t, x)).Refused());
        ExpectRel(base * timeNorm[t] * spaceNorm[x], src.QAmp, kRel, "QAmp");
        ExpectRel(d * 1e-7L, src.QDepth, kRel, "QDepth");
        ExpectRel(1e-13L, src.QTau, kRel, "QTau");
      }
    }
  }
  // Gaussian in time and space: F 1e-6 / (|d| tau) * 2 / pi.
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(50, 10, 100, 0, 0)).Refused());
  ExpectRel(50e-6L / (1e-6L * 1e-13L) * 2 / kPi, src.QAmp, kRel, "Gauss x Gauss");
}

TEST(LaserPulseAmplitude, PreHeatingIsNormalisedLikeTheMainSource) {
  for (int32_t t = 0; t < kTimeShapeCount; ++t) {
    for (int32_t x = 0; x < kSpaceShapeCount; ++x) {
      LaserPulse p = Pulse(50, -10, 100, t, 1);
      p.preF = 5;
      p.preD = -20;  // the sign of a pre-heating depth means nothing
      p.preSpaceItem = x;
      LaserSource src;
      ASSERT_FALSE(SetLaserPulse(src, p).Refused());
      EXPECT_EQ(static_cast<int32_t>(src.FpreFn), x);
      ExpectRel(20e-7L, src.QPreDepth, kRel, "QPreDepth");
      ExpectRel(5e-6L / (20e-7L * 1e-13L) * TimeShapeNorm(src.FtFn) * SpaceShapeNorm(src.FpreFn),
                src.QPreAmp, kRel, "QPreAmp");
    }
  }
}

TEST(LaserPulseAmplitude, RefusalsNameTheFieldInDialogOrderAndChangeNothing) {
  const Real inf = std::numeric_limits<Real>::infinity();
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    LaserPulse p;
    LaserRefusal expected;
  };
  LaserPulse negPre = Pulse(50, -10, 100, 0, 1);
  negPre.preF = -1;
  LaserPulse zeroPreD = Pulse(50, -10, 100, 0, 1);
  zeroPreD.preF = 3;
  LaserPulse badPreShape = Pulse(50, -10, 100, 0, 1);
  badPreShape.preF = 3;
  badPreShape.preD = 5;
  badPreShape.preSpaceItem = 4;
  const Case cases[] = {
      {Pulse(0, 10, 100, 0, 1), kBadF},
      {Pulse(-5, 10, 100, 0, 1), kBadF},
      {Pulse(nan, 10, 100, 0, 1), kBadF},
      {Pulse(inf, 10, 100, 0, 1), kBadF},
      {Pulse(0, 0, 0, -1, -1), kBadF},  // the first field in the dialog's order
      {Pulse(50, 10, 100, -1, 1), kBadTimeShape},
      {Pulse(50, 10, 100, 5, 1), kBadTimeShape},
      {Pulse(50, 10, 0, 0, 1), kBadTau},
      {Pulse(50, 10, -100, 0, 1), kBadTau},
      {Pulse(50, 0, 0, 0, 1), kBadTau},
      {Pulse(50, 10, 100, 0, -1), kBadSpaceShape},
      {Pulse(50, 10, 100, 0, 4), kBadSpaceShape},
      {Pulse(50, 0, 100, 0, 1), kBadD},
      {Pulse(50, nan, 100, 0, 1), kBadD},
      {Pulse(1e4900L, 1e-4900L, 100, 0, 1), kAmpRange},  // F / (d tau) overflows
      {Pulse(1e-4900L, 1e4900L, 100, 0, 1), kAmpRange},  // ... or underflows to 0
      {negPre, LaserRefusal{"PreHtBtn", kBadPreF.reason}},
      {zeroPreD, LaserRefusal{"PreHtBtn", kBadPreD.reason}},
      {badPreShape, LaserRefusal{"PreHtBtn", kBadPreShape.reason}},
  };
  for (const Case& c : cases) {
    LaserSource src;
    ASSERT_FALSE(SetLaserPulse(src, Pulse(7, 3, 40, 2, 2)).Refused());
    const LaserSource before = src;
    const LaserRefusal r = SetLaserPulse(src, c.p);
    EXPECT_EQ(r.field, c.expected.field) << c.expected.reason;
    EXPECT_EQ(r.reason, c.expected.reason);
    EXPECT_EQ(Dbl(src.QAmp), Dbl(before.QAmp));
    EXPECT_EQ(src.FtFn, before.FtFn);
    EXPECT_EQ(src.FxFn, before.FxFn);
    EXPECT_EQ(Dbl(src.QDepth), Dbl(before.QDepth));
    EXPECT_EQ(Dbl(src.QTau), Dbl(before.QTau));
  }
}

TEST(LaserPulseAmplitude, SwitchingOffLeavesNoSourceInAnyCell) {
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(50, 10, 100, 2, 1)).Refused());
  EXPECT_TRUE(SourceDefined(src));
  const std::vector<Real> x = Uniform(8, 1e-6L);
  ASSERT_EQ(UpdateSourceTime(src, 0, 1e-14L, {x, 0, 1}), SourceStatus::Ok);
  EXPECT_GT(Dbl(SourceInCell(src, 7)), 0.0);
  SwitchOffSource(src);
  EXPECT_FALSE(SourceDefined(src));
  ASSERT_EQ(UpdateSourceTime(src, 1e-14L, 2e-14L, {x, 0, 1}), SourceStatus::Ok);
  for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(Dbl(SourceInCell(src, i)), 0.0);
}

// ---------------------------------------------------------------------------------------
// The per-cell table

TEST(LaserSourceTable, StepShapeFillsExactlyTheCellsWithinTheDepth) {
  // d = 25 nm on 10 cells of 10 nm, light from the right: cells 8 and 9 fully, cell 7
  // half (its faces are 20 and 30 nm deep), the others nothing.
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 25, 100, 2, 2)).Refused());
  const std::vector<Real> x = Uniform(10, 1e-6L, -3e-6L);
  ASSERT_EQ(BuildSourceProfile(src, {x, 0, 1}), SourceStatus::Ok);
  const Real full = src.QAmp * 1e-6L;
  for (int32_t i = 0; i < 7; ++i) EXPECT_EQ(Dbl(src.QCell[static_cast<size_t>(i)]), 0.0) << i;
  ExpectRel(full / 2, src.QCell[7], kRel, "cell 7");
  ExpectRel(full, src.QCell[8], kRel, "cell 8");
  ExpectRel(full, src.QCell[9], kRel, "cell 9");
  ExpectRel(1e-5L, src.QSurfX, kRel, "QSurfX");
}

TEST(LaserSourceTable, NegativeDepthMirrorsThePositiveOne) {
  // A non-uniform film, and the same film mirrored: d < 0 on one is d > 0 on the other.
  const std::vector<Real> x{0, 1e-7L, 3e-7L, 7e-7L, 1.5e-6L, 3.1e-6L, 6.3e-6L};
  std::vector<Real> mirrored(x.size());
  for (size_t k = 0; k < x.size(); ++k) mirrored[k] = x.back() - x[x.size() - 1 - k];
  for (int32_t item = 0; item < kSpaceShapeCount; ++item) {
    LaserSource left;
    LaserSource right;
    ASSERT_FALSE(SetLaserPulse(left, Pulse(30, -8, 50, 1, item)).Refused());
    ASSERT_FALSE(SetLaserPulse(right, Pulse(30, 8, 50, 1, item)).Refused());
    ASSERT_EQ(BuildSourceProfile(left, {x, 0, 1}), SourceStatus::Ok);
    ASSERT_EQ(BuildSourceProfile(right, {mirrored, 0, 1}), SourceStatus::Ok);
    const size_t N = x.size() - 1;
    for (size_t i = 0; i < N; ++i) {
      ExpectRel(left.QCell[i], right.QCell[N - 1 - i], 1e-15L, "mirrored cell");
    }
  }
}

TEST(LaserSourceTable, LinearShapeDepositsNothingDeeperThanTheDepth) {
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 20, 100, 1, 3)).Refused());
  const std::vector<Real> x = Uniform(10, 1e-6L);
  ASSERT_EQ(BuildSourceProfile(src, {x, 0, 1}), SourceStatus::Ok);
  for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(Dbl(src.QCell[static_cast<size_t>(i)]), 0.0) << i;
  // 2 F/(d tau) * integral of (1 - u) d over u in [1/2, 1] and [0, 1/2].
  ExpectRel(src.QAmp * 2e-6L * 0.125L, src.QCell[8], kRel, "cell 8");
  ExpectRel(src.QAmp * 2e-6L * 0.375L, src.QCell[9], kRel, "cell 9");
}

TEST(LaserSourceTable, SubstrateGetsOnlyThePreHeatingAndTheFilmOnlyTheMainShape) {
  LaserPulse p = Pulse(40, -20, 100, 1, 2);
  p.preF = 10;
  p.preD = 15;
  p.preSpaceItem = 2;
  // 4 substrate cells of 5 nm left of a 6-cell film of 10 nm; x = 0 at the interface.
  std::vector<Real> x;
  for (int32_t k = 0; k <= 10; ++k) x.push_back(k < 4 ? (k - 4) * 5e-7L : (k - 4) * 1e-6L);
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, p).Refused());
  ASSERT_EQ(BuildSourceProfile(src, {x, 4, 1}), SourceStatus::Ok);
  const Real pre = src.QPreAmp * 5e-7L;  // the pre-heating step over a whole 5 nm cell
  const Real main = src.QAmp * 1e-6L;
  const Real expected[] = {0, pre, pre, pre, main, main, 0, 0, 0, 0};
  for (size_t i = 0; i < 10; ++i) ExpectRel(expected[i], src.QCell[i], kRel, "cell");
  ExpectRel(6e-6L, src.QSurfX, kRel, "film thickness");

  // The same with the substrate on the right: the pre-heating starts at the film's right face.
  std::vector<Real> xr;
  for (int32_t k = 0; k <= 10; ++k) xr.push_back(k <= 6 ? (k - 6) * 1e-6L : (k - 6) * 5e-7L);
  ASSERT_EQ(BuildSourceProfile(src, {xr, -4, 1}), SourceStatus::Ok);
  const Real expectedRight[] = {main, main, 0, 0, 0, 0, pre, pre, pre, 0};
  for (size_t i = 0; i < 10; ++i) ExpectRel(expectedRight[i], src.QCell[i], kRel, "cell");
}

TEST(LaserSourceTable, AddedLayerIsIrradiatedAndTheExistingCellsKeepTheirEntries) {
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 10, 100, 1, 1)).Refused());
  std::vector<Real> x = Uniform(5, 1e-6L);
  ASSERT_EQ(BuildSourceProfile(src, {x, 0, 1}), SourceStatus::Ok);
  const std::vector<Real> old(src.QCell.begin(), src.QCell.end());
  // Three cells of 4 nm added after the grid.
  for (int32_t k = 1; k <= 3; ++k) x.push_back(5e-6L + k * 4e-7L);
  ASSERT_EQ(BuildSourceProfile(src, {x, 0, 1, 5}), SourceStatus::Ok);
  ASSERT_EQ(src.QCell.size(), 8u);
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(Dbl(src.QCell[i]), Dbl(old[i]));
  ExpectRel(1.2e-6L, src.QSurfX, kRel, "layer thickness");
  const Real d = 1e-6L;
  for (int32_t i = 0; i < 3; ++i) {
    const Real deepFace = (3 - i) * 4e-7L;
    const Real shallowFace = (2 - i) * 4e-7L;
    ExpectRel(src.QAmp * d * (std::exp(-shallowFace / d) - std::exp(-deepFace / d)),
              src.QCell[static_cast<size_t>(5 + i)], 1e-15L, "layer cell");
  }
}

TEST(LaserSourceTable, BadGridsAreRefusedAndLeaveNoTable) {
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    std::vector<Real> x;
    int32_t InGlass;
    int32_t Dspc;
    int32_t firstCell;
    SourceStatus expected;
  };
  const Case cases[] = {
      {{}, 0, 1, 0, SourceStatus::NoCells},
      {{1e-6L}, 0, 1, 0, SourceStatus::NoCells},
      {{0, 1e-6L, 1e-6L}, 0, 1, 0, SourceStatus::BadCoordinates},
      {{0, 2e-6L, 1e-6L}, 0, 1, 0, SourceStatus::BadCoordinates},
      {{0, nan, 1e-6L}, 0, 1, 0, SourceStatus::BadCoordinates},
      {{-1e-6L, 0, 1e-6L}, 0, 3, 0, SourceStatus::BadCoordinates},  // a negative radius
      {{0, 1e-6L, 2e-6L}, 3, 1, 0, SourceStatus::BadLayers},
      {{0, 1e-6L, 2e-6L}, -3, 1, 0, SourceStatus::BadLayers},
      {{0, 1e-6L, 2e-6L}, 0, 0, 0, SourceStatus::BadGeometry},
      {{0, 1e-6L, 2e-6L}, 0, 4, 0, SourceStatus::BadGeometry},
      {{0, 1e-6L, 2e-6L}, 0, 1, 2, SourceStatus::BadFirstCell},
      {{0, 1e-6L, 2e-6L}, 0, 1, -1, SourceStatus::BadFirstCell},
  };
  for (const Case& c : cases) {
    LaserSource src;
    ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 10, 100, 1, 1)).Refused());
    src.QCell.assign(2, 1);
    EXPECT_EQ(BuildSourceProfile(src, {c.x, c.InGlass, c.Dspc, c.firstCell}), c.expected);
    EXPECT_TRUE(src.QCell.empty());
    EXPECT_NE(std::string(SourceStatusText(c.expected)), "Ok");
    // The step cannot use a table of another grid: it fails with no source.
    src.QTimeFactor = 1;
    if (c.firstCell == 0) {
      EXPECT_EQ(UpdateSourceTime(src, 0, 1e-14L, {c.x, c.InGlass, c.Dspc}), c.expected);
      EXPECT_EQ(Dbl(src.QTimeFactor), 0.0);
    }
  }
}

TEST(LaserSourceTable, BadLayoutsAreRefusedAndLeaveNoTable) {
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    SourceLayout layout;
    SourceStatus expected;
  };
  const Case cases[] = {
      {{0, 0, 1, 1e-7L, 1}, SourceStatus::NoCells},
      {{-3, 0, 1, 1e-7L, 1}, SourceStatus::NoCells},
      {{4, 5, 1, 1e-7L, 1}, SourceStatus::BadLayers},
      {{4, -5, 1, 1e-7L, 1}, SourceStatus::BadLayers},
      {{4, 0, 0, 1e-7L, 1}, SourceStatus::BadGeometry},
      {{4, 0, 4, 1e-7L, 1}, SourceStatus::BadGeometry},
      {{4, 0, 1, 0, 1}, SourceStatus::BadCoordinates},
      {{4, 0, 1, -1e-7L, 1}, SourceStatus::BadCoordinates},
      {{4, 2, 3, nan, 1}, SourceStatus::BadCoordinates},
      {{4, 2, 1, 1e-7L, 0}, SourceStatus::BadCoordinates},  // substrate cells of no width
      {{4, -2, 1, 1e-7L, nan}, SourceStatus::BadCoordinates},
  };
  for (const Case& c : cases) {
    LaserSource src;
    ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 10, 100, 1, 1)).Refused());
    src.QCell.assign(2, 1);
    EXPECT_EQ(BuildSourceProfile(src, c.layout), c.expected) << SourceStatusText(c.expected);
    EXPECT_TRUE(src.QCell.empty());
    src.QTimeFactor = 1;
    EXPECT_EQ(UpdateSourceTime(src, 0, 1e-14L, c.layout), c.expected);
    EXPECT_EQ(Dbl(src.QTimeFactor), 0.0);
  }
}

// The solvers' table depends on the layout alone: steps on one layout keep it in place,
// a change of any of its numbers rebuilds it, and a table built on given nodes (a grid
// that has moved) is replaced by the layout's at the first step.
TEST(LaserSourceTable, LayoutTableIsRebuiltExactlyWhenTheLayoutChanges) {
  LaserPulse p = Pulse(40, -3, 100, 2, 1);
  p.preF = 10;
  p.preD = 2;
  p.preSpaceItem = 1;
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, p).Refused());
  const SourceLayout first{40, 8, 1, 1e-7L, 2.2L / 2.7L};
  ASSERT_EQ(UpdateSourceTime(src, 0, 1e-14L, first), SourceStatus::Ok);
  const std::vector<Real> table(src.QCell.begin(), src.QCell.end());
  const Real* data = src.QCell.data();
  for (int32_t k = 1; k < 20; ++k) {
    ASSERT_EQ(UpdateSourceTime(src, k * 1e-14L, (k + 1) * 1e-14L, first), SourceStatus::Ok);
  }
  EXPECT_EQ(src.QCell.data(), data);

  struct Change {
    const char* what;
    SourceLayout layout;
  };
  const Change changes[] = {
      {"h0", {40, 8, 1, 1.1e-7L, 2.2L / 2.7L}},
      {"widthRatio", {40, 8, 1, 1e-7L, 0.5L}},
      {"cell count", {41, 8, 1, 1e-7L, 2.2L / 2.7L}},
      {"substrate after the film", {40, -8, 1, 1e-7L, 2.2L / 2.7L}},
      {"sphere", {40, 8, 3, 1e-7L, 1}},
  };
  for (const Change& c : changes) {
    LaserSource src2 = src;
    ASSERT_EQ(UpdateSourceTime(src2, 0, 1e-14L, c.layout), SourceStatus::Ok) << c.what;
    LaserSource fresh;
    ASSERT_FALSE(SetLaserPulse(fresh, p).Refused());
    ASSERT_EQ(BuildSourceProfile(fresh, c.layout), SourceStatus::Ok) << c.what;
    ASSERT_EQ(src2.QCell.size(), fresh.QCell.size()) << c.what;
    bool changed = src2.QCell.size() != table.size();
    for (size_t i = 0; i < fresh.QCell.size(); ++i) {
      EXPECT_EQ(Dbl(src2.QCell[i]), Dbl(fresh.QCell[i])) << c.what << ", cell " << i;
      if (i < table.size() && src2.QCell[i] != table[i]) changed = true;
    }
    EXPECT_TRUE(changed) << c.what;
  }

  // The same grid after it moved, given by its nodes: the first step on the layout puts
  // the table of the layout back, entry for entry.
  std::vector<Real> moved(41);
  LayoutNodes(first, moved);
  for (size_t k = 0; k < moved.size(); ++k)
    moved[k] = 1.3L * moved[k] + 2e-8L * std::sin(static_cast<Real>(k));
  ASSERT_EQ(BuildSourceProfile(src, SourceGrid{moved, 8, 1}), SourceStatus::Ok);
  bool differs = false;
  for (size_t i = 0; i < table.size(); ++i) differs = differs || src.QCell[i] != table[i];
  EXPECT_TRUE(differs) << "the moved nodes should give another table";
  ASSERT_EQ(UpdateSourceTime(src, 0, 1e-14L, first), SourceStatus::Ok);
  for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(Dbl(src.QCell[i]), Dbl(table[i])) << i;
}

TEST(LaserSourceTable, AllSubstrateGridHasNoFilmSource) {
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 10, 100, 1, 1)).Refused());
  const std::vector<Real> x = Uniform(3, 1e-6L);
  ASSERT_EQ(BuildSourceProfile(src, {x, 3, 1}), SourceStatus::Ok);
  for (const Real q : src.QCell) EXPECT_EQ(Dbl(q), 0.0);
  EXPECT_EQ(Dbl(src.QSurfX), 0.0);
}

TEST(LaserSourceTable, StepRebuildsTheTableForAnotherLayout) {
  // After a thin-out the grid has fewer cells: a table of the finer grid must not serve it.
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, 2, 1)).Refused());
  const std::vector<Real> fine = Uniform(20, 5e-7L);
  ASSERT_EQ(UpdateSourceTime(src, 0, 1e-14L, {fine, 0, 1}), SourceStatus::Ok);
  ASSERT_EQ(src.QCell.size(), 20u);
  struct Layout {
    std::vector<Real> x;
    int32_t InGlass;
    int32_t Dspc;
  };
  const Layout layouts[] = {
      {Uniform(10, 1e-6L), 0, 1},         // fewer cells
      {Uniform(10, 1e-6L), 2, 1},         // a substrate
      {Uniform(10, 1e-6L, 1e-5L), 2, 3},  // spherical
      {Uniform(40, 2.5e-7L), 2, 3},       // more cells
  };
  for (const Layout& l : layouts) {
    ASSERT_EQ(UpdateSourceTime(src, 1e-14L, 2e-14L, {l.x, l.InGlass, l.Dspc}), SourceStatus::Ok);
    LaserSource fresh = src;
    ASSERT_EQ(BuildSourceProfile(fresh, {l.x, l.InGlass, l.Dspc}), SourceStatus::Ok);
    ASSERT_EQ(src.QCell.size(), fresh.QCell.size());
    for (size_t i = 0; i < src.QCell.size(); ++i) EXPECT_EQ(Dbl(src.QCell[i]), Dbl(fresh.QCell[i]));
  }
  // A new pulse makes the next step rebuild on the same grid.
  const Layout& last = layouts[3];
  ASSERT_FALSE(SetLaserPulse(src, Pulse(80, 30, 100, 2, 1)).Refused());
  const Real before = src.QCell[39];
  ASSERT_EQ(UpdateSourceTime(src, 2e-14L, 3e-14L, {last.x, last.InGlass, last.Dspc}),
            SourceStatus::Ok);
  ExpectRel(2 * before, src.QCell[39], kRel, "rebuilt with the new fluence");
}

TEST(LaserSourceTable, SteadyStepsKeepTheTableInPlace) {
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, 0, 0)).Refused());
  const std::vector<Real> x = Uniform(100, 1e-7L);
  ASSERT_EQ(UpdateSourceTime(src, -1e-13L, -0.9e-13L, {x, 0, 1}), SourceStatus::Ok);
  const Real* data = src.QCell.data();
  for (int32_t k = 1; k < 50; ++k) {
    ASSERT_EQ(UpdateSourceTime(src, k * 1e-14L, (k + 1) * 1e-14L, {x, 0, 1}), SourceStatus::Ok);
  }
  EXPECT_EQ(src.QCell.data(), data);
}

// ---------------------------------------------------------------------------------------
// Time factor

TEST(LaserTimeFactor, MeanOverTheStepAndPointValueOfAnEmptyStep) {
  const Real tau = 1e-13L;
  const std::vector<Real> x = Uniform(4, 1e-6L);
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, 1, 1)).Refused());
  // exp(-t/tau) over [tau, 3 tau]: tau (e^-1 - e^-3) / (2 tau).
  ASSERT_EQ(UpdateSourceTime(src, tau, 3 * tau, {x, 0, 1}), SourceStatus::Ok);
  ExpectRel((std::exp(Real{-1}) - std::exp(Real{-3})) / 2, src.QTimeFactor, kRel, "mean");
  ASSERT_EQ(UpdateSourceTime(src, 2 * tau, 2 * tau, {x, 0, 1}), SourceStatus::Ok);
  ExpectRel(std::exp(Real{-2}), src.QTimeFactor, kRel, "empty step");
  // A step that straddles the end of a triangle: the mean of the part inside.
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, 3, 1)).Refused());
  ASSERT_EQ(UpdateSourceTime(src, 0.5L * tau, 1.5L * tau, {x, 0, 1}), SourceStatus::Ok);
  ExpectRel(0.125L, src.QTimeFactor, kRel, "triangle end");
}

TEST(LaserTimeFactor, NoSourceBeforeThePulseAndAFailedStepForATimeThatIsNoNumber) {
  // exp(-t/tau) far before zero would exceed every number: the pulse has not begun.
  LaserSource src;
  ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, 1, 1)).Refused());
  const std::vector<Real> x = Uniform(4, 1e-6L);
  ASSERT_EQ(UpdateSourceTime(src, -2e-9L, -1.9e-9L, {x, 0, 1}), SourceStatus::Ok);
  EXPECT_EQ(Dbl(src.QTimeFactor), 0.0);
  ASSERT_EQ(UpdateSourceTime(src, -1e-12L, -1e-12L, {x, 0, 1}), SourceStatus::Ok);
  EXPECT_EQ(Dbl(src.QTimeFactor), 0.0);
  // A step over the start of the pulse: the mean of the part after 0.
  ASSERT_EQ(UpdateSourceTime(src, -1e-13L, 1e-13L, {x, 0, 1}), SourceStatus::Ok);
  ExpectRel(-std::expm1(Real{-1}) / 2, src.QTimeFactor, kRel, "straddling 0");
  // A time that is not a number fails the step with no source, for every shape.
  for (int32_t item = 0; item < kTimeShapeCount; ++item) {
    ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, item, 1)).Refused());
    src.QTimeFactor = 1;
    EXPECT_EQ(UpdateSourceTime(src, std::numeric_limits<Real>::quiet_NaN(), 1e-14L, {x, 0, 1}),
              SourceStatus::NonFinite)
        << item;
    EXPECT_EQ(Dbl(src.QTimeFactor), 0.0) << item;
  }
}

// The energy of a run, for every shape and a run that starts before, at and after the
// start of the pulse: the time factor summed over the steps of the run is the integral of
// the shape from the start of the run on, computed here from the shapes' formulas. The
// pulse begins at 0, so a run that starts earlier receives what a run from 0 receives:
// the whole fluence (the Gaussian, centred on 0, its part after the start).
TEST(LaserTimeFactor, EveryShapeDepositsItsFluenceWhateverTheStartOfTheRun) {
  const Real tau = 1e-13L;
  const Real end = 20;  // in units of tau
  // Integral of the shape times its normalisation from s0 to s1 (in units of tau, s0 <= s1),
  // in units of tau: 1 for the whole pulse.
  auto share = [](int32_t item, Real s0, Real s1) -> Real {
    const Real a = std::max(s0, Real{0});  // the one-sided shapes begin at 0
    const Real b = std::max(s1, Real{0});
    const Real p = std::min(a, Real{1});  // ... and the step and the lines end at 1
    const Real q = std::min(b, Real{1});
    switch (item) {
      case 0:
        return (std::erf(s1) - std::erf(s0)) / 2;  // exp(-s^2) / sqrt(pi)
      case 1:
        return std::exp(-a) - std::exp(-b);  // exp(-s)
      case 2:
        return q - p;  // 1 on [0, 1]
      case 3:
        return (2 * q - q * q) - (2 * p - p * p);  // 2 (1 - s) on [0, 1]
      default:
        return q * q - p * p;  // 2 s on [0, 1]
    }
  };
  const char* names[] = {"Gauss", "exp", "step", "falling line", "rising line"};
  for (int32_t item = 0; item < kTimeShapeCount; ++item) {
    // What each shape puts out over all times: exactly one pulse, tau / TimeShapeNorm.
    LaserSource src;
    ASSERT_FALSE(SetLaserPulse(src, Pulse(40, 30, 100, item, 1)).Refused());
    const Real inf = std::numeric_limits<Real>::infinity();
    ExpectRel(tau, TimeShapeNorm(src.FtFn) * TimeShapeIntegral(src.FtFn, -inf, inf, tau), kRel,
              names[item]);
    for (const Real start : {Real{-3}, Real{0}, Real{0.5L}}) {
      // 1000 equal steps: neither 0 nor tau falls on a step boundary from -3 tau.
      const std::vector<Real> x = Uniform(4, 1e-6L);
      const int32_t steps = 1000;
      auto time = [&](int32_t k) { return (start + (end - start) * k / steps) * tau; };
      Real sum = 0;
      for (int32_t k = 0; k < steps; ++k) {
        ASSERT_EQ(UpdateSourceTime(src, time(k), time(k + 1), {x, 0, 1}), SourceStatus::Ok);
        sum += (time(k + 1) - time(k)) * src.QTimeFactor;
      }
      const Real deposited = sum * TimeShapeNorm(src.FtFn) / tau;
      const Real expected = share(item, start, time(steps) / tau);
      ExpectRel(expected, deposited, 1e-12L, names[item]);
      if (start <= 0 && item != 0) {
        // From 0 or earlier: the whole pulse (the exponential less its tail beyond 20 tau).
        ExpectRel(item == 1 ? -std::expm1(-end) : 1, deposited, 1e-12L, names[item]);
      }
    }
  }
}

}  // namespace
}  // namespace tarvex
