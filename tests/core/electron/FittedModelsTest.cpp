// The fitted-conductivity metals ("Met_kab") and the fitted gold, ruthenium and tin pages:
// the conductivity fit against its formula written out here, the phase and density
// switches, the field exits of the reference conductivities, the presets, and the edge
// cases of the fitted models.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/electron/FittedGold.h"
#include "support/ElectronFixture.h"

namespace tarvex {
namespace {

using testing::ElectronFixture;

constexpr Real kPi = 3.14159265358979323846264338L;
constexpr Real kNAv = 6.02497e23L;
constexpr Real kHbarErg = 1.0545887e-27L;  // [erg s]
constexpr Real kMe = 9.1083e-28L;          // [g]
constexpr Real kBerg = 1.3806504e-16L;     // [erg/K]

// The Fermi temperature of Z electrons per atom of mass M at density rho [K].
Real FermiT(Real Z, Real M, Real rho) {
  const Real n = Z * kNAv / M * rho;  // [1/cm3]
  return kHbarErg * kHbarErg / (2 * kMe) * std::cbrt(9 * kPi * kPi * kPi * kPi * n * n) / kBerg;
}

Real V(TElPageForm& page, const char* name) {
  Real v = 0;
  page.FieldByName(name)->TryGetValue(v);
  return v;
}

// A stand-in for the film's table: a fixed phase code and mixture fraction.
struct StandIn {
  int32_t code = 0;
  Real m = 1;
};
int32_t StandInCode(const StandIn& s, Real, Real) {
  return s.code;
}
Real StandInMixture(const StandIn& s, Real, Real) {
  return s.m;
}

struct MetKab : ::testing::Test {
  void Accept(const char* material) {
    ASSERT_TRUE(f.dialog.ShowPage("met_kab"));
    ASSERT_TRUE(f.dialog.ChooseMaterial(material));
    const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
    ASSERT_TRUE(ok) << ok.focus << ": " << ok.message;
  }
  void Phase(int32_t code, Real m = 1) {
    standIn = StandIn{code, m};
    f.electron.FilmPhase.Code = MakeIntSlot<StandIn, &StandInCode>(standIn);
    f.electron.FilmPhase.Mixture = MakeSlot<StandIn, &StandInMixture>(standIn);
  }
  Real Kappa(Real rho, Real Te, Real Ti) { return f.electron.model.ElConductivity(rho, Te, Ti); }

  ElectronFixture f;
  StandIn standIn;
};

TEST_F(MetKab, LiquidConductivityIsTheFitWrittenOut) {
  Accept("Al");
  TElPageForm& p = f.dialog.MetKab();
  Phase(3);
  const Real rho = 2.5L, Te = 2e4L, Ti = 1500;
  ASSERT_GE(rho, 2 * V(p, "rho_mdEdit"));
  const Real TF = [&](Real r) { return FermiT(3, 26.98L, r); }(rho);
  const Real t = 6 * Te / TF;
  const Real xk = rho / V(p, "rho00Edit");
  const Real keem =
      V(p, "k0eEdit") / xk * t * (1 + V(p, "a1Edit") * t) /
      (1 + V(p, "b0Edit") * std::sqrt(t) + V(p, "b1Edit") * t + V(p, "b2Edit") * t * t);
  const auto cvl = [&](Real x) {
    return x * (1 + V(p, "aml1Edit") * x + V(p, "aml2Edit") * x * x) /
           (1 + V(p, "bmlEdit") * std::pow(x, V(p, "pmlEdit")));
  };
  const auto kTi = [&](Real T) { return (1 + V(p, "al1Edit") / T) / (1 + V(p, "al2Edit") / T); };
  const Real rhoLm = V(p, "rho_lmEdit");
  const Real tlm = 6 * V(p, "TmEdit") / FermiT(3, 26.98L, rhoLm);
  const Real xlm = rhoLm / V(p, "rho00Edit");
  const Real klei =
      V(p, "k0lEdit") / (xlm * cvl(tlm)) * xk * cvl(t) * kTi(Ti) / kTi(V(p, "TmEdit"));
  EXPECT_NEAR(Kappa(rho, Te, Ti), 1e-5L / (keem + 1 / klei), 1e-9L * Kappa(rho, Te, Ti));
}

TEST_F(MetKab, NoElectronTemperatureNoConductionInAnyPhase) {
  Accept("Fe");
  for (int32_t code : {0, 1, 2, 3, 4, 5, 6}) {
    Phase(code);
    EXPECT_EQ(Kappa(7.8L, 0, 300), 0) << code;
  }
}

TEST_F(MetKab, MeltingWithAllSolidIsTheSolidFormulaWithTheLowDensityFactor) {
  Accept("Ni");
  const Real rhoMd = V(f.dialog.MetKab(), "rho_mdEdit");
  const Real TeC = V(f.dialog.MetKab(), "TeCEdit");
  ASSERT_NEAR(rhoMd, 0.5L / 0.574L, 1e-15L);
  for (Real rho : {Real(8.9), 1.5L * rhoMd}) {
    for (Real Te : {Real(2000), Real(6000), Real(3e4)}) {
      Phase(0);
      const Real solid = Kappa(rho, Te, 1000);
      Phase(2, 1);
      const Real melting = Kappa(rho, Te, 1000);
      Real L = 1;
      if (rho < 2 * rhoMd) {
        const auto s = [](Real y) { return y < 1 ? 0 : y >= 2 ? 1 : 1 - (2 - y) * (2 - y); };
        L = s(rho / rhoMd) * s(2 * std::max(Te, Real(1000)) / TeC);
      }
      EXPECT_NEAR(melting, solid * L, 1e-15L * solid) << rho << " " << Te;
    }
  }
}

TEST_F(MetKab, LiquidFactorIsOneAtTheMeltingPointWhenItsTermsAgree) {
  Accept("Al");
  TElPageForm& page = f.dialog.MetKab();
  Phase(3);
  f.Type(page, "al1Edit", 5000);
  f.Type(page, "al2Edit", 5000);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const Real k1 = Kappa(2.6L, 1e4L, 2000);
  f.Type(page, "al1Edit", 10);
  f.Type(page, "al2Edit", 10);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_NEAR(Kappa(2.6L, 1e4L, 2000), k1, 1e-15L * k1);
}

TEST_F(MetKab, ReferenceConductivityRoundTripsThroughItsScaledField) {
  ASSERT_TRUE(f.dialog.ShowPage("met_kab"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Al"));
  TElPageForm& page = f.dialog.MetKab();
  f.Type(page, "k0sEdit", 237.5L);
  EXPECT_NE(V(page, "k0sxrtEdit"), 237.5L);
  f.Type(page, "k0sxrtEdit", V(page, "k0sxrtEdit"));
  EXPECT_NEAR(V(page, "k0sEdit"), 237.5L, 1e-12L);
  // Titanium's solid reference point is rho00 itself: the two fields agree.
  ASSERT_TRUE(f.dialog.ChooseMaterial("Ti"));
  EXPECT_NEAR(V(page, "k0sxrtEdit"), 21.9L, 1e-15L);
}

TEST_F(MetKab, PresetsDoNotDependOnTheMaterialChosenBefore) {
  Accept("Al");
  const Real rhoMdAl = f.electron.Block<MetKabParams>().ef.RhoMd;
  EXPECT_NEAR(rhoMdAl, 1 / 1.14L, 1e-15L);
  const Real kAl = Kappa(2.7L, 1e4L, 1000);
  Accept("Ni");  // rho_md 0.5/VeC, counted as edited
  EXPECT_NEAR(f.electron.Block<MetKabParams>().ef.RhoMd, 0.5L / 0.574L, 1e-15L);
  Accept("Al");
  EXPECT_EQ(f.electron.Block<MetKabParams>().ef.RhoMd, rhoMdAl);
  EXPECT_EQ(Kappa(2.7L, 1e4L, 1000), kAl);
}

TEST_F(MetKab, PanelsChooseTheSolidStateElectrons) {
  Accept("Ti");
  TElPageForm& page = f.dialog.MetKab();
  EXPECT_TRUE(page.Check("TiEOSPanel").value());
  EXPECT_FALSE(page.Check("TransMetPanel").value());
  EXPECT_TRUE(page.Visible("P0Edit"));
  EXPECT_FALSE(page.Visible("gammaEdit"));
  // Titanium's coupling is its own fit, positive without the base frame's alpha.
  EXPECT_GT(f.electron.model.Coupling(4.5L, 1e4L), 0);
  ASSERT_TRUE(page.SetCheck("TransMetPanel", true));
  page.CheckChanged("TransMetPanel");
  EXPECT_FALSE(page.Check("TiEOSPanel").value());
  EXPECT_FALSE(page.Visible("P0Edit"));
  EXPECT_TRUE(page.Visible("gammaEdit"));
}

TEST_F(MetKab, NoElectronsBelowTheCutOffDensity) {
  Accept("Fe");
  const Real rhoMd = f.electron.Block<MetKabParams>().ef.RhoMd;
  const ElectronModel& m = f.electron.model;
  for (Real rho : {0.5L * rhoMd, rhoMd}) {
    EXPECT_EQ(m.ElEnergy(rho, 1e4L), 0);
    EXPECT_EQ(m.ElPressure(rho, 1e4L), 0);
    EXPECT_EQ(m.ElHeatCap(rho, 1e4L), 0);
  }
}

// ---- fitted gold, ruthenium, tin -----------------------------------------------------------

struct Fitted : ::testing::Test {
  void Accept(const char* page, const char* material) {
    ASSERT_TRUE(f.dialog.ShowPage(page));
    ASSERT_TRUE(f.dialog.ChooseMaterial(material));
    const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
    ASSERT_TRUE(ok) << ok.focus << ": " << ok.message;
  }
  ElectronFixture f;
  StandIn standIn;
};

TEST_F(Fitted, Au1DensityShapeIsContinuousAtItsSwitch) {
  Accept("au1", "Au1");
  const Au1Params& p = f.electron.Block<Au1Params>();
  const Real rho = 0.77L * 19.3L;
  const Real below = SolidEe(p, rho * (1 - 1e-15L), 1e4L);
  const Real at = SolidEe(p, rho, 1e4L);
  EXPECT_NEAR(below, at, 1e-12L * at);
  EXPECT_NEAR(p.rhoMemo.x1inv, 1 / 0.8083333333333333L, 1e-15L);
}

TEST_F(Fitted, Au1ConstantConductivity) {
  ASSERT_TRUE(f.dialog.ShowPage("au1"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Au1"));
  TElPageForm& page = f.dialog.Au1();
  page.SetCheck("ConstKappaCheck", true);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  for (Real Te : {Real(300), Real(1e4), Real(1e5)}) {
    EXPECT_EQ(f.electron.model.ElConductivity(19.3L, Te, 500), 1e-5L);
  }
}

TEST_F(Fitted, Au1PhaseFitWithoutATableIsTheLiquidFormula) {
  Accept("au1", "Au1");
  const ElectronModel& m = f.electron.model;
  const Real none = m.ElConductivity(19.3L, 1e4L, 1500);
  standIn = StandIn{3, 1};
  f.electron.FilmPhase.Code = MakeIntSlot<StandIn, &StandInCode>(standIn);
  EXPECT_EQ(m.ElConductivity(19.3L, 1e4L, 1500), none);
  standIn.code = 1;
  EXPECT_NE(m.ElConductivity(19.3L, 1e4L, 1500), none);
}

TEST_F(Fitted, Au1NewExtrSwitchesItsFitValues) {
  ASSERT_TRUE(f.dialog.ShowPage("au1"));
  TElPageForm& page = f.dialog.Au1();
  page.SetCheck("NewExtrCheck", true);
  page.CheckChanged("NewExtrCheck");
  EXPECT_EQ(V(page, "kee1Edit"), 9.294L);
  EXPECT_EQ(V(page, "ksei1Edit"), 20638.7L);
  page.SetCheck("NewExtrCheck", false);
  page.CheckChanged("NewExtrCheck");
  EXPECT_EQ(V(page, "kee1Edit"), 1.1502L);
  EXPECT_EQ(V(page, "ksei1Edit"), 5923130);
  // An empty heat-flux limit proposes 1E7 on entering.
  page.EnterField("qTlimEdit");
  EXPECT_EQ(V(page, "qTlimEdit"), 1E7L);
}

TEST_F(Fitted, RuNothingAtZeroElectronTemperature) {
  Accept("ru", "Ru");
  const ElectronModel& m = f.electron.model;
  EXPECT_EQ(m.ElPressure(12.41L, 0), 0);
  EXPECT_EQ(m.ElEnergy(12.41L, 0), 0);
  EXPECT_EQ(m.ElHeatCap(12.41L, 0), 0);
}

TEST_F(Fitted, SnEnergyIsPressureOverDensityTimesItsGruneisenInverse) {
  Accept("rextr", "Sn");
  const ElectronModel& m = f.electron.model;
  for (Real rho : {Real(6), Real(7.5), Real(8.5)}) {
    EXPECT_NEAR(m.ElEnergy(rho, 2e4L), 1.5L * m.ElPressure(rho, 2e4L) / rho,
                1e-15L * m.ElEnergy(rho, 2e4L));
  }
}

}  // namespace
}  // namespace tarvex
