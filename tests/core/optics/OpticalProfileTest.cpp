// Cutting a profile into optical layers: the bulk, the low-density edge, the uniformity
// and extremum rules, layer means, refused targets, and the phase continuity.
#include "core/optics/OpticalProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tarvex {
namespace {

// A test permittivity that tells every state apart: a Drude-like metal whose plasma term
// scales with the density and whose damping grows with Te and Ti.
struct TestMetal {
  Real rho0 = 10;
};
Complex TestEpsilon(const TestMetal& m, Real rho, Real Ti, Real Te, Real /*omega*/) {
  const Real f = rho / m.rho0;
  return Complex{1 - 20 * f, f * (0.5L + 1e-4L * Te + 2e-4L * Ti)};
}

// Cells from the bottom up: width [nm], rho, Ti, Te. The film's outer surface starts at
// the top node.
struct Profile {
  std::vector<Real> x{0}, rho, Ti, Te;
  TestMetal metal;

  Profile& Cell(Real widthNm, Real r, Real ti, Real te) {
    x.push_back(x.back() + widthNm * 1e-7L);
    rho.push_back(r);
    Ti.push_back(ti);
    Te.push_back(te);
    return *this;
  }
  Profile& Cells(int32_t n, Real r, Real ti, Real te) {
    for (int32_t k = 0; k < n; ++k) Cell(1, r, ti, te);
    return *this;
  }
  OpticalTarget Target() const {
    OpticalTarget t;
    t.x = x;
    t.rho = rho;
    t.Ti = Ti;
    t.Te = Te;
    t.x_ref = x.back();
    t.rho_min = 0.1L;
    t.rho0 = metal.rho0;
    t.Tini = 300;
    t.epsilon = MakeDielectricSlot<TestMetal, TestEpsilon>(metal);
    return t;
  }
};

struct Span {
  int32_t firstCell, cellCount;
};

void ExpectLayers(const OpticalProfileResult& r, const std::vector<Span>& below) {
  ASSERT_TRUE(r.ok) << r.reason;
  ASSERT_EQ(r.media.size(), below.size() + 1);
  EXPECT_EQ(r.media[0].No, 0);
  EXPECT_EQ(r.media[0].N, ComplexOne);
  for (size_t k = 0; k < below.size(); ++k) {
    EXPECT_EQ(r.media[k + 1].No, static_cast<int32_t>(k + 1));
    EXPECT_EQ(r.media[k + 1].firstCell, below[k].firstCell) << "medium " << k + 1;
    EXPECT_EQ(r.media[k + 1].cellCount, below[k].cellCount) << "medium " << k + 1;
  }
}

TEST(OpticalProfile, LayersNeverStraddleAnExtremum) {
  // A subsurface Te maximum of 0.08 %: uniform enough to be one layer, but the layer must
  // end at the peak.
  Profile p;
  p.Cells(5, 10, 300, 300)
      .Cell(1, 10, 500, 1000)
      .Cell(1, 10, 500, 1000.4L)
      .Cell(1, 10, 500, 1000.8L)
      .Cell(1, 10, 500, 1000.4L)
      .Cell(1, 10, 500, 1000);
  Real PrevPhase = 0;
  const OpticalProfileResult r = OpticalProfile(p.Target(), 620, PrevPhase);
  ExpectLayers(r, {{7, 3}, {5, 2}, {0, 5}});
  // Depths of the upper faces: the surface, 3 nm, and the bulk at 5 nm.
  EXPECT_NEAR(static_cast<double>(r.media[1].depth), 0, 1e-12);
  EXPECT_NEAR(static_cast<double>(r.media[2].depth), 3, 1e-12);
  EXPECT_NEAR(static_cast<double>(r.media[3].depth), 5, 1e-12);
  EXPECT_NEAR(static_cast<double>(r.media[1].Te), 1000.4, 1e-12);
}

TEST(OpticalProfile, LayersHoldWhileTheSummedDeviationStaysBelowTwoPerMille) {
  // Density and Ti each 0.08 % apart: 0.16 % in sum, one layer. 0.12 % each: 0.24 %, two.
  Profile merged;
  merged.Cells(3, 10, 300, 300).Cell(1, 10.008L, 1000.8L, 2000).Cell(1, 10, 1000, 2000);
  Real PrevPhase = 0;
  ExpectLayers(OpticalProfile(merged.Target(), 620, PrevPhase), {{3, 2}, {0, 3}});
  Profile split;
  split.Cells(3, 10, 300, 300).Cell(1, 10.012L, 1001.2L, 2000).Cell(1, 10, 1000, 2000);
  ExpectLayers(OpticalProfile(split.Target(), 620, PrevPhase), {{4, 1}, {3, 1}, {0, 3}});
}

TEST(OpticalProfile, LayerDensityIsMassOverThickness) {
  Profile p;
  p.Cells(2, 10, 300, 300).Cell(3, 10.005L, 800, 900).Cell(1, 10, 800, 900);
  Real PrevPhase = 0;
  const OpticalProfileResult r = OpticalProfile(p.Target(), 620, PrevPhase);
  ExpectLayers(r, {{2, 2}, {0, 2}});
  EXPECT_NEAR(static_cast<double>(r.media[1].rho), (10.005 * 3 + 10 * 1) / 4.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(r.media[2].depth), 4, 1e-12);
}

TEST(OpticalProfile, RarefiedEdgeIsVacuumAndGapsAreTransparent) {
  // Two vapour cells at the top (one exactly at rho_min) are left out; a gap of rarefied
  // matter inside the film is a layer with the vacuum's index.
  Profile p;
  p.Cells(4, 10, 300, 300)
      .Cell(2, 0.05L, 3000, 3000)
      .Cells(2, 9, 600, 600)
      .Cell(1, 0.1L, 3000, 3000)
      .Cell(5, 0.01L, 3000, 3000);
  Real PrevPhase = 0;
  const OpticalProfileResult r = OpticalProfile(p.Target(), 620, PrevPhase);
  ExpectLayers(r, {{5, 2}, {4, 1}, {0, 4}});
  EXPECT_NEAR(static_cast<double>(r.media[0].depth), 6, 1e-12);  // below the 6 nm of vapour
  EXPECT_NEAR(static_cast<double>(r.media[1].depth), 6, 1e-12);
  EXPECT_EQ(r.media[2].N, ComplexOne);
  EXPECT_NE(r.media[1].N, ComplexOne);
}

TEST(OpticalProfile, RefusesTargetsItCannotCut) {
  static constexpr Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    const char* what;
    void (*spoil)(Profile&, OpticalTarget&);
    Real lambda;
  };
  static std::vector<Real> shortSpan{0, 1e-7L};
  const Case cases[] = {
      {"no cells",
       [](Profile&, OpticalTarget& t) {
         t.rho = {};
         t.Ti = {};
         t.Te = {};
         t.x = {};
       },
       620},
      {"spans differ", [](Profile&, OpticalTarget& t) { t.Te = shortSpan; }, 620},
      {"nodes do not increase", [](Profile& p, OpticalTarget&) { p.x[3] = p.x[2]; }, 620},
      {"negative density", [](Profile& p, OpticalTarget&) { p.rho[1] = -1; }, 620},
      {"missing Te", [](Profile& p, OpticalTarget&) { p.Te[2] = nan; }, 620},
      {"negative Ti", [](Profile& p, OpticalTarget&) { p.Ti[0] = -300; }, 620},
      {"zero wavelength", [](Profile&, OpticalTarget&) {}, 0},
      {"negative rho_min", [](Profile&, OpticalTarget& t) { t.rho_min = -0.1L; }, 620},
      {"no dielectric function", [](Profile&, OpticalTarget& t) { t.epsilon = {}; }, 620},
      {"all vacuum", [](Profile&, OpticalTarget& t) { t.rho_min = 100; }, 620},
  };
  for (const Case& c : cases) {
    Profile p;
    p.Cells(3, 10, 300, 300).Cells(2, 9, 900, 2000);
    OpticalTarget t = p.Target();
    c.spoil(p, t);
    Real PrevPhase = 12.5L;
    const OpticalProfileResult r = OpticalProfile(t, c.lambda, PrevPhase);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_FALSE(r.reason.empty()) << c.what;
    EXPECT_EQ(PrevPhase, 12.5L) << c.what;
  }
}

TEST(OpticalProfile, AJumpOfAlmostHalfAWaveIsUnwrapped) {
  Profile p;
  p.Cells(10, 10, 300, 300);  // uniform and cold: the raw phase shift is 0
  const Real lambda = 620;
  struct Case {
    Real prev, h;
  };
  for (const Case& c : {Case{0.49L * lambda, lambda / 2}, Case{-0.49L * lambda, -lambda / 2},
                        Case{0.24L * lambda, 0}, Case{1.01L * lambda, lambda}}) {
    Real PrevPhase = c.prev;
    const OpticalProfileResult r = OpticalProfile(p.Target(), lambda, PrevPhase);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_NEAR(static_cast<double>(r.h), static_cast<double>(c.h), 1e-12);
    EXPECT_EQ(PrevPhase, r.h);
    EXPECT_EQ(r.Refr.im, r.h);
  }
}

TEST(OpticalProfile, ProbeFrequencyOfTheWavelength) {
  // omega = 2 pi c / lambda with c = 3e10 cm/s and lambda in nm.
  EXPECT_NEAR(static_cast<double>(ProbeOmega(620) / 3.0403e15L), 1, 1e-4);
  EXPECT_NEAR(static_cast<double>(ProbeLambda(ProbeOmega(800))), 800, 1e-12);
}

}  // namespace
}  // namespace tarvex
