// The thermal-parameter dialog as a form model: the atom-density rules, OK with its
// validation order and refusals that install nothing, the questions of "&OK" and
// "NoConduct", the "Constant" page, the page switching of the material lists, what a
// derived frame's OK installs, and Cancel returning to what the last OK accepted.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/electron/Materials.h"
#include "core/electron/SimpleMetal.h"
#include "support/ElectronFixture.h"

namespace tarvex {
namespace {

using testing::ElectronFixture;

constexpr Real kNAv = 6.02497e23L;

Real V(TElPageForm& page, const char* name) {
  Real v = 0;
  page.FieldByName(name)->TryGetValue(v);
  return v;
}

// Nothing of an electron model installed.
::testing::AssertionResult NothingInstalled(const ElectronFixture& f) {
  const ElectronModel& m = f.electron.model;
  if (m.ElEnergy || m.ElHeatCap || m.ElPressure || m.ElPressureDT || m.Coupling ||
      m.ElConductivity || f.FilmEos.Kappa) {
    return ::testing::AssertionFailure() << "a slot was installed";
  }
  if (f.electron.common.ElRho0 != 0) return ::testing::AssertionFailure() << "ElRho0 written";
  return ::testing::AssertionSuccess();
}

// The "Ag1" page with aluminium's numbers typed in: every other field's default is valid.
TElPageForm& AgPageWithAluminium(ElectronFixture& f) {
  EXPECT_TRUE(f.dialog.ShowPage("ag1"));
  TElPageForm& page = *f.dialog.Page("ag1");
  f.Type(page, "mEdit", 26.98L);
  f.Type(page, "ZEdit", 3);
  return page;
}

TEST(AtomDensityRules, MassNumberGivesTheDensityOfTheAtoms) {
  // n_at = 6E22, MatNo = 26.98, Z = 3, rho0 not edited: rho0 = 6E22/NAv 26.98.
  ElectronFixture f;
  TElPageForm& page = AgPageWithAluminium(f);
  EXPECT_NEAR(V(page, "rhoEdit"), 2.6868L, 1e-4L);
  EXPECT_NEAR(V(page, "rhoEdit"), 6E22L / kNAv * 26.98L, 1e-15L);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_NEAR(f.electron.common.ElRho0, 6E22L / kNAv * 26.98L, 1e-15L);
  EXPECT_NEAR(f.electron.common.AtomMassG, 26.98L / kNAv, 1e-30L);
  EXPECT_EQ(f.electron.common.ElZ, 3);
  // The Fermi temperature shown is the one installed.
  EXPECT_NEAR(V(page, "TFEdit"), f.electron.common.TFcoef * std::cbrt(2.6868L * 2.6868L),
              1e-3L * V(page, "TFEdit"));
}

TEST(AtomDensityRules, EditedDensityDecidesTheMassNumber) {
  ElectronFixture f;
  TElPageForm& page = AgPageWithAluminium(f);  // n_at 6E22, rho0 2.6868, MatNo 26.98
  // A new density with n_at and MatNo untouched: the mass number follows.
  f.Type(page, "rhoEdit", 2.7L);
  EXPECT_NEAR(V(page, "rhoEdit"), 2.7L, 1e-18L);
  EXPECT_NEAR(V(page, "mEdit"), 2.7L * kNAv / 6E22L, 1e-12L);
  EXPECT_NEAR(V(page, "NatEdit"), 6E22L, 1e4L);
  // Density and mass number edited together (a preset): n_at follows.
  page.SetFieldValue("rhoEdit", 19.3L, true);
  page.SetFieldValue("mEdit", 197.3L, true);
  page.LeaveField("mEdit");
  EXPECT_NEAR(V(page, "rhoEdit"), 19.3L, 1e-17L);
  EXPECT_NEAR(V(page, "mEdit"), 197.3L, 1e-15L);
  EXPECT_NEAR(V(page, "NatEdit"), 19.3L * kNAv / 197.3L, 1e8L);
}

TEST(AtomDensityRules, EmptyFieldsAreFilledFromTheOtherTwo) {
  ElectronFixture f;
  TElPageForm& page = AgPageWithAluminium(f);  // n_at 6E22, rho0 2.6868, MatNo 26.98
  // rho0 = 0: the density of the given atoms.
  f.Type(page, "rhoEdit", 0);
  EXPECT_NEAR(V(page, "rhoEdit"), 26.98L * 6E22L / kNAv, 1e-15L);
  // MatNo = 0: the mass number of the given density and atoms.
  f.Type(page, "mEdit", 0);
  EXPECT_NEAR(V(page, "mEdit"), 26.98L, 1e-12L);
  // n_at = 0: back to 6E22 with the density following the mass number.
  f.Type(page, "NatEdit", 0);
  EXPECT_NEAR(V(page, "NatEdit"), 6E22L, 1e4L);
  EXPECT_NEAR(V(page, "rhoEdit"), 26.98L * 6E22L / kNAv, 1e-15L);
  // Leaving an untouched consistent n_at changes nothing.
  const Real rho0 = V(page, "rhoEdit");
  page.LeaveField("NatEdit");
  EXPECT_EQ(V(page, "rhoEdit"), rho0);
}

TEST(AtomDensityRules, EnteringAnEmptyIonConductivityProposesValues) {
  ElectronFixture f;
  TElPageForm& page = AgPageWithAluminium(f);
  page.EnterField("k_iEdit");
  EXPECT_EQ(V(page, "k_iEdit"), 0.8L);
  EXPECT_EQ(V(page, "kirEdit"), 0.2142L);
  f.Type(page, "k_iEdit", 0);
  f.Type(page, "kirEdit", 0.5L);
  page.EnterField("k_iEdit");
  EXPECT_EQ(V(page, "kirEdit"), 0.5L);  // a given b_r stays
}

TEST(BaseFrameOk, RefusesInValidationOrderAndInstallsNothing) {
  struct Row {
    const char* field;  // set to an invalid value; the fields before it are valid
    const char* text;
  };
  // The base frame's order: n_at, rho0, MatNo, Z; then the other fields in page order.
  for (const Row& r : {Row{"NatEdit", "0"}, Row{"rhoEdit", "-1"}, Row{"mEdit", "0"},
                       Row{"ZEdit", "0"}, Row{"alEdit", "abc"}, Row{"k_iEdit", "-0.8"},
                       Row{"TksolEdit", "0"}, Row{"qTlimEdit", "-1"}}) {
    ElectronFixture f;
    ASSERT_TRUE(f.dialog.ShowPage("ag1"));
    TElPageForm& page = *f.dialog.Page("ag1");
    page.SetFieldValue("rhoEdit", 10.49L);
    page.SetFieldValue("mEdit", 107.87L);
    page.SetFieldValue("ZEdit", 1);
    page.FieldByName(r.field)->SetText(r.text);
    const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::OkBtn);
    EXPECT_FALSE(ok.installed) << r.field;
    EXPECT_FALSE(ok.closes) << r.field;
    EXPECT_EQ(ok.focus, r.field);
    EXPECT_FALSE(ok.message.empty());
    EXPECT_TRUE(NothingInstalled(f)) << r.field;
    EXPECT_TRUE(f.prompter.asked.empty()) << r.field;
  }
}

TEST(BaseFrameOk, DerivedFrameRefusalInstallsNothingEither) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("ta"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Ta"));
  f.Type(*f.dialog.Page("ta"), "CpEdit", 0);
  const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
  EXPECT_EQ(ok.focus, "CpEdit");
  EXPECT_TRUE(NothingInstalled(f));
}

TEST(BaseFrameOk, CutOffDensityAboveTheReferenceIsRefused) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("trans_metal"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Ni"));
  f.Type(f.dialog.TransMetall(), "VeCEdit", 0.05L);  // rho_md = 20 > rho0 = 8.9
  const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
  EXPECT_EQ(ok.focus, "VeCEdit");
  EXPECT_TRUE(NothingInstalled(f));
}

struct QuestionRow {
  ElOkSource source;
  Answer noAllThermo;  // answer to "No all thermodinamic?"
  Answer save;         // answer to "Save(print) settings?"
  bool NoConduct, NoThermo, closes, printed;
};

TEST(BaseFrameOk, QuestionsOfTheTwoButtons) {
  const QuestionRow rows[] = {
      {ElOkSource::OkBtn, Answer::Yes, Answer::No, false, false, true, false},
      {ElOkSource::OkBtn, Answer::Yes, Answer::Yes, false, false, true, true},
      {ElOkSource::OkBtn, Answer::Yes, Answer::Cancel, false, false, false, false},
      {ElOkSource::NoConductBtn, Answer::Yes, Answer::No, true, true, true, false},
      {ElOkSource::NoConductBtn, Answer::No, Answer::No, true, false, true, false},
      // Cancel: the slots stay installed, the switches and the closing are skipped.
      {ElOkSource::NoConductBtn, Answer::Cancel, Answer::No, false, true, false, false},
  };
  for (const QuestionRow& r : rows) {
    ElectronFixture f;
    f.switches.NoConduct = false;
    f.switches.NoThermo = true;  // state before; "&OK" switches both off
    if (r.source == ElOkSource::OkBtn) f.switches.NoConduct = true;
    f.prompter.Script(kAskNoAllThermo, r.noAllThermo);
    f.prompter.Script(kAskSaveSettings, r.save);
    AgPageWithAluminium(f);
    const ElOkResult ok = f.dialog.Ok(f.targets, r.source);
    EXPECT_TRUE(ok.installed);
    EXPECT_TRUE(f.electron.model.ElEnergy);
    EXPECT_EQ(ok.closes, r.closes);
    EXPECT_EQ(f.switches.NoConduct, r.NoConduct);
    EXPECT_EQ(f.switches.NoThermo, r.NoThermo);
    EXPECT_EQ(!f.prompter.printed.empty(), r.printed);
    if (r.printed) {
      EXPECT_EQ(f.prompter.printed.front(), "Ag1");
    }
  }
}

TEST(BaseFrameOk, ButtonStampsTheChosenMaterialCodeDoesNot) {
  ElectronFixture f;
  f.prompter.Script(kAskSaveSettings, Answer::No);
  ASSERT_TRUE(f.dialog.ShowPage("ag1"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Ag1"));
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_EQ(f.electron.common.ElMaterialIndex, -1);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::OkBtn).closes);
  EXPECT_EQ(f.electron.common.ElMaterialIndex, 8);
  EXPECT_EQ(f.electron.common.ElMaterialName, "Ag1");
  EXPECT_EQ(f.electron.HeatFluxLimit, 1E7L);
}

TEST(BaseFrameOk, DerivedFrameKeepsTheBaseIonConductivityAndAddsItsOwnSlots) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("trans_metal"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Ni"));
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const ElectronCommon& c = f.electron.common;
  EXPECT_NEAR(c.ElRho0, 8.9074292748L, 1e-15L);
  EXPECT_NEAR(c.CouplingConst, 3.9e9L / 8.9074292748L, 1e-6L);
  EXPECT_NEAR(c.RhoMd, 1 / 0.574L, 1e-15L);
  const ElectronModel& m = f.electron.model;
  // The transition-metal coupling CouplingConst / Te^(1/4), not the base frame's constant.
  EXPECT_NEAR(m.Coupling(8.9L, 1e4L), c.CouplingConst / 10, 1e-9L * c.CouplingConst);
  // The base frame's ion conductivity with b_r acting at rho0.
  ASSERT_TRUE(f.FilmEos.Kappa);
  const Real lattice = 0.2142L + 300 / 315642.53856008733L;
  EXPECT_NEAR(f.FilmEos.Kappa(c.ElRho0, 300), 0.8L / 300 * std::pow(lattice, 3.5L), 1e-15L);
  EXPECT_FALSE(m.ElTofE);
}

TEST(BaseFrameOk, IonConductivityEdgeCase) {
  ElectronFixture f;
  TElPageForm& page = AgPageWithAluminium(f);
  f.Type(page, "k_iEdit", 1);
  f.Type(page, "kirEdit", 0);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_NEAR(f.FilmEos.Kappa(2.7L, 315642.54L), 1 / 315642.54L, 2e-8L / 315642.54L);
}

TEST(BaseFrameNo, EmptiesTheElectronConductivity) {
  ElectronFixture f;
  AgPageWithAluminium(f);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  ASSERT_TRUE(f.electron.model.ElConductivity);
  f.dialog.No(f.targets);
  EXPECT_FALSE(f.electron.model.ElConductivity);
  EXPECT_TRUE(f.electron.model.ElEnergy);
}

TEST(TransMetFrame, ChangingS0ProposesItsDerivativeCoefficient) {
  ElectronFixture f;
  TElPageForm& page = f.dialog.TransMetall();
  page.FieldByName("S0Edit")->SetText("2E5");
  page.FieldChanged("S0Edit");
  EXPECT_NEAR(V(page, "S1Edit"), 2.6E5L, 1e-9L);
}

TEST(ConstantPage, OwnDensityAndCouplingAndTheGrueneisenDivisor) {
  ElectronFixture f;
  f.prompter.Script(kAskSaveSettings, Answer::No);
  TElPageForm& page = f.dialog.Constant();
  ASSERT_TRUE(f.dialog.ShowPage("constant"));
  f.Type(page, "ceEdit", 1e-4L);
  f.Type(page, "kEdit", 2e-3L);
  f.Type(page, "aEdit", 5e8L);
  f.Type(page, "Gr2Edit", 0);
  // rho_0 = 0 is refused with the focus on it, and nothing is installed.
  ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::OkBtn);
  EXPECT_EQ(ok.focus, "rho0Edit");
  EXPECT_TRUE(NothingInstalled(f));
  f.Type(page, "rho0Edit", 2.5L);
  ok = f.dialog.Ok(f.targets, ElOkSource::OkBtn);
  ASSERT_TRUE(ok.installed);
  EXPECT_TRUE(ok.closes);
  const ElectronModel& m = f.electron.model;
  // Gr2 = 0: Pe = Gr1 rho c_e Te with Gr1 = 2.
  EXPECT_NEAR(m.ElPressure(3, 1000), 2 * 3 * 1e-4L * 1000, 1e-15L);
  EXPECT_NEAR(m.ElEnergy(3, 1000), 0.1L, 1e-18L);
  EXPECT_EQ(m.ElHeatCap(3, 1000), 1e-4L);
  EXPECT_EQ(m.ElConductivity(3, 1000, 300), 2e-3L);
  EXPECT_NEAR(m.Coupling(3, 1000), 5e8L / 2.5L, 1e-9L);
  EXPECT_EQ(f.electron.common.ElRho0, 2.5L);
  EXPECT_EQ(f.electron.common.ElMaterialIndex, 0);
  EXPECT_EQ(f.electron.common.ElMaterialName, "==");
  EXPECT_FALSE(f.FilmEos.Kappa);  // the page installs no ion conductivity
  // Only the save question: the page has no "NoConduct" question.
  ASSERT_EQ(f.prompter.asked.size(), 1u);
}

TEST(ConstantPage, ZeroGr1HidesTheDivisor) {
  ElectronFixture f;
  TElPageForm& page = f.dialog.Constant();
  EXPECT_TRUE(page.Visible("Gr2Edit"));
  f.Type(page, "Gr1Edit", 0);
  EXPECT_FALSE(page.Visible("Gr2Edit"));
  page.FieldByName("Gr2Edit")->SetText("junk");  // hidden: not read
  f.Type(page, "ceEdit", 1e-4L);
  f.Type(page, "rho0Edit", 2.5L);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_EQ(f.electron.model.ElPressure(3, 1000), 0);
  f.Type(page, "Gr1Edit", 2);
  EXPECT_TRUE(page.Visible("Gr2Edit"));
}

TEST(MaterialLists, ChoiceSwitchesToThePageThatImplementsTheMaterial) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("noble_metal"));
  // "Ta" from the gold page: the "Ta" page, preset.
  ElChoiceResult r = f.dialog.ChooseMaterial("Ta");
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(f.dialog.ActivePage(), FindElectronPage("Ta")->index);
  EXPECT_EQ(V(f.dialog.Ta(), "rhoEdit"), 16.65487384665951972L);
  EXPECT_EQ(f.dialog.Ta().MaterialChoice(), 5);
  EXPECT_EQ(r.spallMaterial, 3);  // "Ta" in the spallation list
  // "Ag1" selects silver in the spallation list, whose order differs.
  r = f.dialog.ChooseMaterial("Ag1");
  ASSERT_TRUE(r);
  EXPECT_EQ(f.dialog.ActivePage(), FindElectronPage("Ag1")->index);
  EXPECT_EQ(r.spallMaterial, 5);
  ASSERT_EQ(r.side.size(), 1u);
  EXPECT_STREQ(r.side[0].field, "G");
  EXPECT_EQ(r.side[0].value, 30);
  // "LiF" belongs to the page not built yet: refused with a message.
  r = f.dialog.ChooseMaterial("LiF");
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find("not available"), std::string::npos) << r.message;
  EXPECT_EQ(f.dialog.ActivePage(), FindElectronPage("Ag1")->index);
  EXPECT_FALSE(f.dialog.ShowPage("NoMetall"));
  // "Al" shows "Met_kab" with "Al" selected, "Spline" the "Spline" page.
  r = f.dialog.ChooseMaterial("Al");
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(f.dialog.ActivePage(), FindElectronPage("Met_kab")->index);
  EXPECT_EQ(f.dialog.MetKab().MaterialChoice(), 0);
  r = f.dialog.ChooseMaterial("Spline");
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(f.dialog.ActivePage(), FindElectronPage("Spline")->index);
  EXPECT_FALSE(f.dialog.ChooseMaterial("Cu"));
}

TEST(MaterialLists, SimplePageMetalsPresetOrHandOver) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("simple_metal"));
  ElChoiceResult r = f.dialog.ChooseMaterial("Al");
  ASSERT_TRUE(r);
  EXPECT_EQ(V(f.dialog.SimpleMetall(), "rhoEdit"), 2.712117513786L);
  EXPECT_EQ(r.spallMaterial, 0);
  ASSERT_EQ(r.side.size(), 2u);
  EXPECT_STREQ(r.side[0].field, "NonMetal");
  // "Ni": the transition-metal page with nickel preset.
  r = f.dialog.ChooseMaterial("Ni");
  ASSERT_TRUE(r);
  EXPECT_EQ(f.dialog.ActivePage(), FindElectronPage("TransMetall")->index);
  EXPECT_EQ(V(f.dialog.TransMetall(), "gEdit"), 1077);
  EXPECT_EQ(V(f.dialog.TransMetall(), "S1Edit"), 1.3L * 1.275e5L);
  EXPECT_EQ(r.spallMaterial, 1);
}

TEST(MaterialLists, SimplePageStampsTheMetalItPresets) {
  ElectronFixture f;
  f.prompter.Script(kAskSaveSettings, Answer::No);
  ASSERT_TRUE(f.dialog.ShowPage("simple_metal"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Al"));
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::OkBtn).closes);
  EXPECT_EQ(f.electron.common.ElMaterialIndex, FindMaterial("Al"));
  EXPECT_EQ(f.electron.common.ElMaterialName, "Al");
}

TEST(SimplePage, NoZeroesTheConstantRatesWhileAConductivityIsInstalled) {
  ElectronFixture f;
  ASSERT_TRUE(f.dialog.ShowPage("simple_metal"));
  ASSERT_TRUE(f.dialog.ChooseMaterial("Al"));
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  ASSERT_GT(f.electron.model.Coupling(2.7L, 1e4L), 0);
  f.dialog.No(f.targets);
  EXPECT_EQ(f.electron.model.Coupling(2.7L, 1e4L), 0);
  EXPECT_EQ(f.electron.Block<SimpleMetParams>().C, 0);
}

TEST(SimplePage, ShowPresetsDensityAndMassFromTheRun) {
  ElectronFixture f;
  f.dialog.FormShow(7.0L);
  TElPageForm& page = f.dialog.SimpleMetall();
  EXPECT_EQ(V(page, "rhoEdit"), 7.0L);
  EXPECT_NEAR(V(page, "mEdit"), 7.0L / 6E22L * kNAv, 1e-12L);
  ElectronFixture g;
  g.dialog.FormShow(0);
  EXPECT_EQ(V(g.dialog.SimpleMetall(), "rhoEdit"), 1);
}

TEST(DialogCancel, ReturnsToThePageAndInputsOfTheLastOk) {
  ElectronFixture f;
  TElPageForm& page = AgPageWithAluminium(f);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const int32_t accepted = f.dialog.ActivePage();
  const Real rho = V(page, "rhoEdit");
  // Another page chosen and a field of the accepted page retyped, then Cancel.
  f.Type(page, "mEdit", 63.55L);
  ASSERT_NE(V(page, "rhoEdit"), rho);
  ASSERT_TRUE(f.dialog.ShowPage("au1"));
  f.dialog.Cancel();
  EXPECT_EQ(f.dialog.ActivePage(), accepted);
  EXPECT_EQ(V(page, "mEdit"), 26.98L);
  EXPECT_EQ(V(page, "rhoEdit"), rho);
  // Before any OK, Cancel returns to the page the dialog opened on.
  ElectronFixture fresh;
  const int32_t first = fresh.dialog.ActivePage();
  ASSERT_TRUE(fresh.dialog.ShowPage("au1"));
  fresh.dialog.Cancel();
  EXPECT_EQ(fresh.dialog.ActivePage(), first);
}

}  // namespace
}  // namespace tarvex
