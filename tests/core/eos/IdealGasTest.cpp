// The ideal gas: values, inverses, and what binding it to the film and left slots does.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/IdealGasBinding.h"

namespace tarvex {
namespace {

constexpr Real kMonatomic = 5.0L / 3;

TEST(IdealGas, ValuesForMonatomicGas) {
  EosState eos;
  ASSERT_TRUE(BindIdealGasFilm(eos, kMonatomic, 1));
  const EosSet& f = eos.FilmEos;
  const Real rel = 8 * std::numeric_limits<Real>::epsilon();
  EXPECT_NEAR(f.E(1, 300), 450, 450 * rel);
  EXPECT_EQ(f.P(2, 300), 600);
  EXPECT_EQ(f.TofP(2, 600), 300);
  EXPECT_NEAR(f.Cv(1, 300), 1.5L, 1.5L * rel);
  EXPECT_EQ(f.dPdT(2, 300), 2);
  EXPECT_NEAR(f.TofE(1, 450), 300, 300 * rel);
}

TEST(IdealGas, AtomMassEntersPressureAndHeatCapacity) {
  EosState eos;
  ASSERT_TRUE(BindIdealGasFilm(eos, 1.4L, 4));
  const Real rel = 8 * std::numeric_limits<Real>::epsilon();
  // c = 1/(0.4 * 4) = 0.625
  EXPECT_NEAR(eos.FilmEos.Cv(3, 10), 0.625L, 0.625L * rel);
  EXPECT_NEAR(eos.FilmEos.P(3, 10), 7.5L, 7.5L * rel);
  EXPECT_NEAR(eos.FilmEos.dPdT(3, 10), 0.75L, 0.75L * rel);
  EXPECT_NEAR(eos.FilmEos.TofP(3, 7.5L), 10, 10 * rel);
}

TEST(IdealGas, FilmSelectionFillsActiveSetAndScale) {
  EosState eos;
  EXPECT_EQ(eos.EosScale, 0);
  EXPECT_EQ(eos.FilmEosType, -1);
  ASSERT_TRUE(BindIdealGasFilm(eos, kMonatomic, 1));
  const TActiveEos& a = eos.ActiveEos;
  for (const Slot2* s : {&a.E, &a.P, &a.Cv, &a.TofE, &a.TofP, &a.Eion, &a.Pion, &a.Cvion, &a.dPdT})
    EXPECT_TRUE(*s);
  EXPECT_EQ(a.E(1, 300), eos.FilmEos.E(1, 300));
  EXPECT_EQ(a.Pion(2, 300), 600);
  EXPECT_EQ(a.TofP(2, 600), 300);
  EXPECT_FALSE(a.SoundSpeed);
  EXPECT_FALSE(a.LiquidFraction);
  EXPECT_FALSE(a.IsMelted);
  EXPECT_FALSE(a.HasVapour);
  EXPECT_FALSE(eos.FilmEos.PhaseColor);
  EXPECT_FALSE(eos.FilmEos.PhaseId);
  EXPECT_EQ(eos.EosScale, 1);
  EXPECT_EQ(eos.FilmEosType, 0);
  EXPECT_FALSE(eos.FilmTableFlag);
  EXPECT_FALSE(eos.LeftEos.E);  // the left medium is not touched
  EXPECT_EQ(eos.LeftEosType, -1);
}

// A new film selection empties what the previous model set, but keeps the conductivity.
Real ConstKappa(const Real& k, Real, Real) {
  return k;
}
bool AlwaysTrue(const Real&, Real, Real) {
  return true;
}

TEST(IdealGas, FilmSelectionReplacesPreviousSlotsButKeepsKappa) {
  EosState eos;
  const Real kappa = 1.5e-5L;
  eos.FilmEos.Kappa = MakeSlot<Real, &ConstKappa>(kappa);
  eos.ActiveEos.HasVapour = MakePredSlot<Real, &AlwaysTrue>(kappa);
  eos.FilmTableFlag = true;
  eos.EosScale = 1e5L;
  ASSERT_TRUE(BindIdealGasFilm(eos, kMonatomic, 1));
  EXPECT_FALSE(eos.ActiveEos.HasVapour);
  ASSERT_TRUE(eos.FilmEos.Kappa);
  EXPECT_EQ(eos.FilmEos.Kappa(1, 300), kappa);
  EXPECT_FALSE(eos.FilmTableFlag);
  EXPECT_EQ(eos.EosScale, 1);
}

TEST(IdealGas, LeftSelectionLeavesFilmAlone) {
  EosState eos;
  ASSERT_TRUE(BindIdealGasFilm(eos, kMonatomic, 1));
  eos.LeftTableFlag = true;
  ASSERT_TRUE(BindIdealGasLeft(eos, 1.4L, 2));
  // Separate parameter blocks: the film keeps c = 1.5, the left medium has c = 1.25.
  EXPECT_NEAR(eos.FilmEos.Cv(1, 1), 1.5L, 1e-17L);
  EXPECT_NEAR(eos.LeftEos.Cv(1, 1), 1.25L, 1e-17L);
  EXPECT_EQ(eos.LeftEos.P(2, 300), 300);
  EXPECT_TRUE(eos.LeftEos.TofE);
  EXPECT_TRUE(eos.LeftEos.TofP);
  EXPECT_EQ(eos.LeftEosType, 0);
  EXPECT_FALSE(eos.LeftTableFlag);
  EXPECT_EQ(eos.FilmEosType, 0);
  EXPECT_EQ(eos.EosScale, 1);
}

TEST(IdealGas, InvalidParametersChangeNothing) {
  const Real inf = std::numeric_limits<Real>::infinity();
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    Real gamma;
    Real M;
    const char* field;
  };
  const Case cases[] = {{1, 1, "gamma"},
                        {0.5L, 1, "gamma"},
                        {0, 1, "gamma"},
                        {nan, 1, "gamma"},
                        {inf, 1, "gamma"},
                        {kMonatomic, 0, "AtomMass"},
                        {kMonatomic, -1, "AtomMass"},
                        {kMonatomic, nan, "AtomMass"},
                        {kMonatomic, inf, "AtomMass"},
                        // c = 1/((gamma - 1) M) overflows, or underflows to 0
                        {1 + std::numeric_limits<Real>::epsilon(), 1e-4930L, "gamma"},
                        {1e4000L, 1e1000L, "gamma"}};
  for (const Case& c : cases) {
    EosState eos;
    ASSERT_TRUE(BindIdealGasLeft(eos, 1.4L, 2));
    for (bool film : {true, false}) {
      const EosBindResult r =
          film ? BindIdealGasFilm(eos, c.gamma, c.M) : BindIdealGasLeft(eos, c.gamma, c.M);
      EXPECT_FALSE(r) << c.gamma << " " << c.M;
      EXPECT_EQ(r.field, c.field);
      EXPECT_FALSE(r.message.empty());
    }
    EXPECT_FALSE(eos.FilmEos.E);
    EXPECT_FALSE(eos.ActiveEos.E);
    EXPECT_EQ(eos.FilmEosType, -1);
    EXPECT_EQ(eos.EosScale, 0);
    EXPECT_EQ(eos.LeftEosType, 0);
    EXPECT_NEAR(eos.LeftEos.Cv(1, 1), 1.25L, 1e-17L);
  }
}

TEST(IdealGas, SessionsAreIndependent) {
  EosState a;
  EosState b;
  ASSERT_TRUE(BindIdealGasFilm(a, kMonatomic, 1));
  ASSERT_TRUE(BindIdealGasFilm(b, kMonatomic, 10));
  EXPECT_EQ(a.FilmEos.P(2, 300), 600);
  EXPECT_EQ(b.FilmEos.P(2, 300), 60);
}

}  // namespace
}  // namespace tarvex
