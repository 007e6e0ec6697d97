// The "Equation of state" dialog model: the model list, presets, OK for the ideal gas in
// both modes, refusals that change nothing, Cancel in left mode and the run-file keys.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/electron/ConstantModel.h"
#include "core/electron/ElectronState.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosConductivity.h"
#include "core/eos/StatEqDialog.h"

namespace tarvex {
namespace {

constexpr Real kRel = 8 * std::numeric_limits<Real>::epsilon();

// Slot sets are pairs of pointers without padding, so bytewise equality is slot
// equality (same function, same parameter block).
template <class T>
bool SameBytes(const T& a, const T& b) {
  return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Everything a selection may change.
struct EosSnapshot {
  explicit EosSnapshot(const EosState& e)
      : film(e.FilmEos),
        left(e.LeftEos),
        active(e.ActiveEos),
        scale(e.EosScale),
        filmTable(e.FilmTableFlag),
        leftTable(e.LeftTableFlag),
        filmType(e.FilmEosType),
        leftType(e.LeftEosType),
        filmModel(e.Film.model),
        leftModel(e.Left.model),
        filmValues(e.Film.values),
        leftValues(e.Left.values) {}

  EosSet film;
  EosSet left;
  TActiveEos active;
  Real scale;
  bool filmTable;
  bool leftTable;
  int32_t filmType;
  int32_t leftType;
  const EosModelInfo* filmModel;
  const EosModelInfo* leftModel;
  std::vector<Real> filmValues;
  std::vector<Real> leftValues;
};

::testing::AssertionResult FilmUnchanged(const EosSnapshot& s, const EosState& e) {
  if (!SameBytes(s.film, e.FilmEos)) return ::testing::AssertionFailure() << "FilmEos changed";
  if (!SameBytes(s.active, e.ActiveEos)) {
    return ::testing::AssertionFailure() << "ActiveEos changed";
  }
  if (s.scale != e.EosScale || s.filmTable != e.FilmTableFlag || s.filmType != e.FilmEosType) {
    return ::testing::AssertionFailure() << "film selection state changed";
  }
  if (s.filmModel != e.Film.model || s.filmValues != e.Film.values) {
    return ::testing::AssertionFailure() << "film parameters changed";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult LeftUnchanged(const EosSnapshot& s, const EosState& e) {
  if (!SameBytes(s.left, e.LeftEos)) return ::testing::AssertionFailure() << "LeftEos changed";
  if (s.leftTable != e.LeftTableFlag || s.leftType != e.LeftEosType) {
    return ::testing::AssertionFailure() << "left selection state changed";
  }
  if (s.leftModel != e.Left.model || s.leftValues != e.Left.values) {
    return ::testing::AssertionFailure() << "left parameters changed";
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult Unchanged(const EosSnapshot& s, const EosState& e) {
  ::testing::AssertionResult film = FilmUnchanged(s, e);
  return film ? LeftUnchanged(s, e) : film;
}

class StatEqDialogTest : public ::testing::Test {
 protected:
  // Accepts the ideal gas with the given field texts in the current mode.
  TStatEqResult AcceptIdealGas(const std::string& gamma, const std::string& atomMass) {
    EXPECT_TRUE(dlg.SelectModel(0));
    dlg.FieldByName("gamma")->SetText(gamma);
    dlg.FieldByName("AtomMass")->SetText(atomMass);
    return dlg.Ok(eos);
  }

  TStatEqDialog dlg;
  EosState eos;
};

TEST_F(StatEqDialogTest, ModelListHasTheEighteenCaptionsInOrder) {
  const std::vector<std::string> expected = {
      "Ideal gas", "Table",    "Scaled Tab",    "LJ - Ree", "Solid", "Comb L+S",
      "Metal",     "TConduct", "Ideal gas of:", "MieGrun",  "Rose",  "SilGlass",
      "PGlass",    "Water-a",  "Water2MG",      "LiF",      "Ti",    "LinEOS"};
  EXPECT_EQ(TStatEqDialog::ModelCaptions(), expected);
  EXPECT_STREQ(TStatEqDialog::kCaption, "Equation of state");
  EXPECT_EQ(dlg.EqType(), -1);
  EXPECT_EQ(dlg.Metal(), -1);
  EXPECT_FALSE(dlg.Left());
}

TEST_F(StatEqDialogTest, FieldsStartAtTheirDefaults) {
  const struct {
    const char* name;
    Real value;
  } defaults[] = {
      {"gamma", 0},        {"AtomMass", 0}, {"T_0", -4.87773L},         {"T_rho", 6.09091L},
      {"DisT", 0.5L},      {"TScall", 2},   {"TSchift", -291.8305827L}, {"kappaEdit", 1.5E-5L},
      {"kMultT0Edit", 300}};
  for (const auto& d : defaults) {
    const RealField* field = dlg.FieldByName(d.name);
    ASSERT_NE(field, nullptr) << d.name;
    EXPECT_EQ(field->StoredValue(), d.value) << d.name;
  }
  EXPECT_EQ(dlg.FieldByName("nope"), nullptr);
  // The shift is shown short but kept in full.
  EXPECT_EQ(dlg.FieldByName("TSchift")->Text(), "-291.8");
  EXPECT_EQ(dlg.FieldByName("kappaEdit")->Text(), "1.5E-05");
  EXPECT_EQ(FindEosDialogField("AtomMass")->label, std::string("M atom"));
  EXPECT_FALSE(dlg.CheckKappa());
  EXPECT_FALSE(dlg.NoElEOS());
  EXPECT_TRUE(dlg.InfoLabel().empty());
  EXPECT_TRUE(dlg.InfoLabel1().empty());

  // Every parameter of every model is read from a field of the dialog.
  for (const EosModelInfo& m : EosCatalog()) {
    for (const EosParamInfo& p : m.params) {
      EXPECT_NE(dlg.FieldByName(p.name), nullptr) << m.id << "." << p.name;
    }
  }
}

TEST_F(StatEqDialogTest, FilmAcceptOfIdealGasFillsTheSlots) {
  eos.EosScale = 1e5L;  // left from an earlier physical model
  const TStatEqResult r = AcceptIdealGas(" 1.4 ", "4");
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(dlg.InfoLabel(), "I, gamma = 1.4");
  EXPECT_EQ(eos.EosScale, 1);
  EXPECT_EQ(eos.FilmEosType, 0);
  EXPECT_FALSE(eos.FilmTableFlag);
  // c = 1/(0.4 * 4) = 0.625, P = rho T / 4.
  const EosSet& f = eos.FilmEos;
  EXPECT_NEAR(f.Cv(3, 10), 0.625L, 0.625L * kRel);
  EXPECT_NEAR(f.P(3, 10), 7.5L, 7.5L * kRel);
  EXPECT_NEAR(f.TofE(3, f.E(3, 10)), 10, 10 * kRel);
  EXPECT_TRUE(f.dPdT && f.TofP);
  const TActiveEos& a = eos.ActiveEos;
  EXPECT_TRUE(a.E && a.P && a.Cv && a.TofE && a.TofP && a.Eion && a.Pion && a.Cvion);
  EXPECT_EQ(a.P(3, 10), f.P(3, 10));
  // The left medium is not touched.
  EXPECT_FALSE(eos.LeftEos.E);
  EXPECT_EQ(eos.LeftEosType, -1);
  // The next opening shows no model selected.
  EXPECT_EQ(dlg.EqType(), -1);
}

TEST_F(StatEqDialogTest, LabelShowsTheFieldTextNotTheValue) {
  ASSERT_TRUE(dlg.SelectModel(0));
  dlg.FieldByName("gamma")->SetValue(5.0L / 3);
  ASSERT_TRUE(dlg.Ok(eos));
  EXPECT_EQ(dlg.InfoLabel(), "I, gamma = 1.66667");
  // The model uses the exact value, not the shown digits.
  EXPECT_EQ(eos.Film.Value("gamma"), 5.0L / 3);
}

// The substrate's OK writes the dialog's label too; the film's label, which the main window
// and every result file's header show, stays the film's.
TEST_F(StatEqDialogTest, SubstrateOkLeavesTheFilmsLabel) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "26.98"));
  const std::string film = dlg.InfoLabel();
  EXPECT_EQ(dlg.FilmInfoLabel(), film);
  dlg.SetLeft(true);
  ASSERT_TRUE(AcceptIdealGas("1.6", "20"));
  EXPECT_NE(dlg.InfoLabel(), film);
  EXPECT_EQ(dlg.FilmInfoLabel(), film);
}

TEST_F(StatEqDialogTest, InvalidParametersAreRefusedAndChangeNothing) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  const std::string label = dlg.InfoLabel();
  const struct {
    const char* gamma;
    const char* atomMass;
    const char* focus;
    const char* message;  // a part of the message
  } cases[] = {
      {"1", "4", "gamma", "gamma must be a finite number greater than 1"},
      {"0.5", "4", "gamma", "greater than 1"},
      {"NaN", "4", "gamma", "gamma: \"NaN\" is not a number"},
      {"1E99999", "4", "gamma", "gamma: \"1E99999\" is beyond the range of numbers"},
      {"1.4", "0", "AtomMass", "M atom must be a finite number greater than 0"},
      {"1.4", "-2", "AtomMass", "greater than 0"},
      {"1.4", "", "AtomMass", "is not a number"},
  };
  for (const bool left : {false, true}) {
    dlg.SetLeft(left);
    if (left) {
      ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
    }
    const std::string before = dlg.InfoLabel();
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.gamma) + " / " + c.atomMass + (left ? " left" : " film"));
      const EosSnapshot snap(eos);
      const TStatEqResult r = AcceptIdealGas(c.gamma, c.atomMass);
      EXPECT_FALSE(r);
      EXPECT_EQ(r.focus, c.focus);
      EXPECT_NE(r.message.find(c.message), std::string::npos) << r.message;
      EXPECT_TRUE(Unchanged(snap, eos));
      EXPECT_EQ(dlg.InfoLabel(), before);
      EXPECT_EQ(dlg.EqType(), 0);  // the dialog stays open on the model
    }
  }
  // The film model bound first still works with its own parameters.
  EXPECT_NEAR(eos.FilmEos.P(3, 10), 7.5L, 7.5L * kRel);
  EXPECT_EQ(label, "I, gamma = 1.4");
}

TEST_F(StatEqDialogTest, RefusalBeforeAnySelectionStoresNoModelNumber) {
  // The dialog opens with gamma 0: OK must not record model 0 for slots never filled.
  ASSERT_TRUE(dlg.SelectModel(0));
  EXPECT_FALSE(dlg.Ok(eos));
  EXPECT_EQ(eos.FilmEosType, -1);
  EXPECT_EQ(eos.EosScale, 0);
  EXPECT_FALSE(eos.FilmEos.E);
  dlg.SetLeft(true);
  EXPECT_EQ(dlg.Ok(eos).focus, "gamma");
  EXPECT_EQ(eos.LeftEosType, -1);
}

TEST_F(StatEqDialogTest, ModelRefusalOfTheBindingReachesTheFocus) {
  // Both inputs valid, but c = 1/((gamma - 1) M) overflows: the ideal gas refuses.
  ASSERT_TRUE(dlg.SelectModel(0));
  dlg.FieldByName("gamma")->SetValue(1 + 2 * std::numeric_limits<Real>::epsilon());
  dlg.FieldByName("AtomMass")->SetValue(std::numeric_limits<Real>::min());
  const EosSnapshot snap(eos);
  const TStatEqResult r = dlg.Ok(eos);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "gamma");
  EXPECT_TRUE(Unchanged(snap, eos));
}

TEST_F(StatEqDialogTest, LeftModeFillsOnlyTheLeftMedium) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  const EosSnapshot film(eos);
  dlg.SetLeft(true);
  EXPECT_TRUE(dlg.InfoLabel().empty());
  const TStatEqResult r = AcceptIdealGas("3", "2");
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(dlg.InfoLabel(), "I, gamma = 3");
  EXPECT_TRUE(FilmUnchanged(film, eos));
  EXPECT_EQ(eos.LeftEosType, 0);
  EXPECT_FALSE(eos.LeftTableFlag);
  // c = 1/(2 * 2) = 0.25, P = rho T / 2.
  const EosSet& l = eos.LeftEos;
  EXPECT_NEAR(l.Cv(1, 1), 0.25L, 0.25L * kRel);
  EXPECT_NEAR(l.P(3, 10), 15, 15 * kRel);
  EXPECT_NEAR(l.TofE(1, l.E(1, 300)), 300, 300 * kRel);
  EXPECT_NEAR(l.TofP(3, 15), 10, 10 * kRel);
}

TEST_F(StatEqDialogTest, CancelInLeftModeClearsLeftEnergyAndPressure) {
  dlg.SetLeft(true);
  ASSERT_TRUE(AcceptIdealGas("1.4", "1"));
  dlg.SetLeft(false);
  ASSERT_TRUE(AcceptIdealGas("1.4", "1"));

  // Film mode: Cancel changes nothing.
  EosSnapshot snap(eos);
  dlg.Cancel(eos);
  EXPECT_TRUE(Unchanged(snap, eos));

  dlg.SetLeft(true);
  snap = EosSnapshot(eos);
  dlg.Cancel(eos);
  EXPECT_FALSE(eos.LeftEos.E);
  EXPECT_FALSE(eos.LeftEos.P);
  EXPECT_TRUE(FilmUnchanged(snap, eos));
}

TEST_F(StatEqDialogTest, ChoosingAModelPresetsItsFields) {
  // gamma, AtomMass after the choice; NaN: the field keeps what it held (7 and 9).
  const Real keep = std::numeric_limits<Real>::quiet_NaN();
  const struct {
    int32_t index;
    Real gamma;
    Real atomMass;
  } cases[] = {
      {0, keep, 1},        {1, keep, keep},     {3, 5.0L / 3, keep}, {4, 4.0L / 3, keep},
      {5, 5.0L / 3, keep}, {8, 5.0L / 3, keep}, {17, keep, keep},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    dlg.FieldByName("gamma")->SetValue(7);
    dlg.FieldByName("AtomMass")->SetValue(9);
    ASSERT_TRUE(dlg.SelectModel(c.index));
    EXPECT_EQ(dlg.EqType(), c.index);
    EXPECT_EQ(dlg.FieldByName("gamma")->Value(), std::isnan(c.gamma) ? 7 : c.gamma);
    EXPECT_EQ(dlg.FieldByName("AtomMass")->Value(), std::isnan(c.atomMass) ? 9 : c.atomMass);
  }

  // A fresh dialog shows, after each choice, the defaults the catalog gives the model.
  for (const EosModelInfo& m : EosCatalog()) {
    TStatEqDialog fresh;
    ASSERT_TRUE(fresh.SelectModel(m.index));
    for (const EosParamInfo& p : m.params) {
      EXPECT_EQ(fresh.FieldByName(p.name)->Value(), p.defaultValue) << m.id << "." << p.name;
    }
  }

  EXPECT_EQ(dlg.SelectModel(18).focus, "EqType");
  EXPECT_FALSE(dlg.SelectModel(-2));
  EXPECT_EQ(dlg.EqType(), 17);  // a refused choice keeps the selection
  ASSERT_TRUE(dlg.SelectModel(-1));
  EXPECT_EQ(dlg.EqType(), -1);
}

TEST_F(StatEqDialogTest, MetalClickSetsTheAtomMass) {
  ASSERT_TRUE(dlg.SelectModel("Ideal gas of:"));
  const struct {
    const char* name;
    Real atomMass;
  } metals[] = {{"Al", 26.98L}, {"Cu", 63.54L}, {"Au", 197.2L}};
  ASSERT_EQ(dlg.Metals().size(), std::size(metals));
  for (size_t i = 0; i < std::size(metals); ++i) {
    EXPECT_STREQ(dlg.Metals()[i].name, metals[i].name);
    dlg.FieldByName("AtomMass")->SetValue(0);
    ASSERT_TRUE(dlg.SetMetal(metals[i].name));
    EXPECT_EQ(dlg.Metal(), static_cast<int32_t>(i));
    EXPECT_EQ(dlg.FieldByName("AtomMass")->Value(), metals[i].atomMass);
    dlg.FieldByName("AtomMass")->SetValue(0);
    ASSERT_TRUE(dlg.SetMetal(static_cast<int32_t>(i)));
    EXPECT_EQ(dlg.FieldByName("AtomMass")->Value(), metals[i].atomMass);
  }
  EXPECT_EQ(dlg.SetMetal("Fe").focus, "Metal");
  EXPECT_FALSE(dlg.SetMetal(3));
  EXPECT_EQ(dlg.Metal(), 2);
  // The materials are the chosen model's: "MieGrun" lists its own, and choosing another
  // model forgets the material.
  ASSERT_TRUE(dlg.SelectModel("MieGrun"));
  EXPECT_EQ(dlg.Metal(), -1);
  ASSERT_TRUE(dlg.SetMetal("Ta"));
  EXPECT_EQ(dlg.FieldByName("Rho0Edit") != nullptr || !dlg.Metals().empty(), true);
  EXPECT_EQ(dlg.SetMetal("Cu").focus, "Metal");
  ASSERT_TRUE(dlg.SelectModel("Ideal gas"));
  EXPECT_TRUE(dlg.Metals().empty());
}

TEST_F(StatEqDialogTest, VisibilityAndEnabledFlags) {
  ASSERT_TRUE(dlg.SelectModel("Table"));
  EXPECT_FALSE(dlg.Enabled("gamma"));
  ASSERT_TRUE(dlg.SelectModel("Ideal gas"));
  EXPECT_TRUE(dlg.Enabled("gamma"));
  EXPECT_TRUE(dlg.Enabled("AtomMass"));
  EXPECT_FALSE(dlg.Enabled("TScall"));
  EXPECT_FALSE(dlg.Enabled("Metal"));
  // The conductivity fields follow CheckKappa and its option, whatever the model.
  EXPECT_FALSE(dlg.Enabled("kappaEdit"));
  dlg.SetCheckKappa(true);
  EXPECT_TRUE(dlg.Enabled("kappaEdit"));
  EXPECT_FALSE(dlg.Enabled("kMultT0Edit"));
  EXPECT_FALSE(dlg.Enabled("k0"));
  ASSERT_TRUE(dlg.SetCheck("kappaFnTCheck", true));
  EXPECT_TRUE(dlg.Enabled("k0"));
  EXPECT_TRUE(dlg.Enabled("kappaFnTFrame"));
  EXPECT_FALSE(dlg.Enabled("kappaEdit"));  // "FnT" reads its frame only
  dlg.SetCheck("kappaFnTCheck", false);
  dlg.SetCheckKappa(false);
  ASSERT_TRUE(dlg.SelectModel("Ideal gas of:"));
  EXPECT_TRUE(dlg.Enabled("Metal"));
  ASSERT_TRUE(dlg.SelectModel("Comb L+S"));
  for (const char* name : {"gamma", "AtomMass", "T_0", "T_rho", "DisT"}) {
    EXPECT_TRUE(dlg.Enabled(name)) << name;
  }
  EXPECT_FALSE(dlg.Enabled("C2Edit"));

  for (const bool left : {false, true}) {
    dlg.SetLeft(left);
    EXPECT_EQ(dlg.Visible("NoElEOS"), !left);
    EXPECT_EQ(dlg.Visible("Spall"), !left);
    EXPECT_EQ(dlg.Enabled("NoElEOS"), !left);
    EXPECT_TRUE(dlg.Visible("EqType"));
    EXPECT_TRUE(dlg.Visible("gamma"));
  }
  EXPECT_FALSE(dlg.Visible("nope"));
  EXPECT_FALSE(dlg.Enabled("nope"));
}

TEST_F(StatEqDialogTest, EveryUnavailableModelIsRefusedWithItsCaption) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  dlg.SetLeft(true);
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  for (const bool left : {false, true}) {
    dlg.SetLeft(left);
    for (const EosModelInfo& m : EosCatalog()) {
      if (m.Available()) continue;
      SCOPED_TRACE(std::string(m.caption) + (left ? " left" : " film"));
      const std::string label = dlg.InfoLabel();
      const EosSnapshot snap(eos);
      ASSERT_TRUE(dlg.SelectModel(m.index));
      // Inputs that would pass, so that only the model itself is refused.
      dlg.FieldByName("gamma")->SetValue(1.4L);
      dlg.FieldByName("AtomMass")->SetValue(4);
      const TStatEqResult r = dlg.Ok(eos);
      EXPECT_FALSE(r);
      EXPECT_EQ(r.focus, "EqType");
      EXPECT_EQ(r.message, "The equation of state \"" + std::string(m.caption) +
                               "\" is not available in this version");
      EXPECT_TRUE(Unchanged(snap, eos));
      EXPECT_EQ(dlg.InfoLabel(), label);
      EXPECT_EQ(dlg.EqType(), m.index);
    }
  }
}

// "Ideal gas of:": the metal presets the atom mass, the label names the metal (the
// program's own texts) or the mass, the film runs in physical units.
TEST_F(StatEqDialogTest, IdealGasOfAMetal) {
  const struct {
    int32_t metal;
    const char* label;
  } cases[] = {{0, "Ideal gas of Al"}, {1, "Ideal gas of Cu"}, {2, "Idela gas of Au"}};
  for (const auto& c : cases) {
    ASSERT_TRUE(dlg.SelectModel("Ideal gas of:"));
    EXPECT_EQ(dlg.FieldByName("gamma")->Value(), 5.0L / 3);
    ASSERT_TRUE(dlg.SetMetal(c.metal));
    const TStatEqResult r = dlg.Ok(eos);
    ASSERT_TRUE(r) << r.message;
    EXPECT_EQ(dlg.InfoLabel(), c.label);
    EXPECT_EQ(eos.FilmEosType, 8);
    EXPECT_EQ(eos.FilmMaterialIndex, c.metal);
    EXPECT_EQ(eos.EosScale, 1e5L);
  }
  // Gold vapour at 1 g/cm3 and 1000 K: Rm = R / 197.2 kJ/g/K, P = rho Rm T.
  const Real Rm = 0.008318377240488L / 197.2L;
  EXPECT_NEAR(eos.FilmEos.P(1, 1000), Rm * 1000, 1e3L * Rm * kRel);
  EXPECT_NEAR(eos.FilmEos.E(1, 1000), 1.5L * Rm * 1000, 1.5e3L * Rm * kRel);

  // No metal: the label gives the atom mass as typed.
  TStatEqDialog fresh;
  ASSERT_TRUE(fresh.SelectModel("Ideal gas of:"));
  fresh.FieldByName("AtomMass")->SetText(" 55.85 ");
  ASSERT_TRUE(fresh.Ok(eos));
  EXPECT_EQ(fresh.InfoLabel(), "Ideal gas of AtMass = 55.85");
  EXPECT_EQ(eos.FilmMaterialIndex, -1);

  // The atom mass must be given and positive.
  ASSERT_TRUE(fresh.SelectModel("Ideal gas of:"));
  fresh.FieldByName("AtomMass")->SetValue(0);
  EXPECT_EQ(fresh.Ok(eos).focus, "AtomMass");
  fresh.FieldByName("AtomMass")->SetValue(-26.98L);
  EXPECT_EQ(fresh.Ok(eos).focus, "AtomMass");

  // The vapour serves the left medium too, without touching the film or EosScale.
  const EosSnapshot film(eos);
  fresh.SetLeft(true);
  ASSERT_TRUE(fresh.SelectModel("Ideal gas of:"));
  ASSERT_TRUE(fresh.SetMetal("Cu"));
  ASSERT_TRUE(fresh.Ok(eos));
  EXPECT_EQ(fresh.InfoLabel(), "Ideal gas of Cu");
  EXPECT_EQ(eos.LeftEosType, 8);
  EXPECT_TRUE(FilmUnchanged(film, eos));
}

TEST_F(StatEqDialogTest, OkWithoutAModelIsRefused) {
  const TStatEqResult r = dlg.Ok(eos);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "EqType");
  EXPECT_EQ(eos.FilmEosType, -1);
}

TEST_F(StatEqDialogTest, NoElEOSIsAcceptedBeforeTheElectronModelExists) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));

  // NoElEOS is accepted before an electron model exists; the film's totals add the
  // electrons once one is installed.
  dlg.SetNoElEOS(true);
  TStatEqResult r = AcceptIdealGas("2", "2");
  ASSERT_TRUE(r) << r.message;
  EXPECT_TRUE(eos.Film.NoElEOS);
  EXPECT_EQ(eos.ActiveEos.E(1, 10), eos.FilmEos.E(1, 10));  // no electrons yet
  static const ConstantElParams electrons{0.5L, 0};
  ElectronModel em;
  BindElectronThermo<ConstantElParams, &ConstantEnergy, &ConstantHeatCap, &ConstantPressure,
                     &ConstantPressureDT>(em, electrons);
  ComposeActiveEos(eos, &em);
  EXPECT_EQ(eos.ActiveEos.E(1, 10), eos.FilmEos.E(1, 10) + 5);  // lattice + 0.5 Te
  EXPECT_EQ(eos.ActiveEos.Eion(1, 10), eos.FilmEos.E(1, 10));
  ComposeActiveEos(eos, nullptr);
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));  // keeps NoElEOS checked
  dlg.SetNoElEOS(false);
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  EXPECT_FALSE(eos.Film.NoElEOS);
  // NoElEOS belongs to the film: in left mode it is hidden and plays no part.
  dlg.SetNoElEOS(true);
  dlg.SetLeft(true);
  ASSERT_TRUE(AcceptIdealGas("2", "2"));
  dlg.SetNoElEOS(false);
}

// CheckKappa fills the medium's Kappa with the checked option, against the formulas:
// constant kappa0; "*" kappa0 T0/T; "FnT" with e = exp((T - Tm)/Td)
// 1e-5 [(k0 - kT (T - Tr))/(1 + e) + (k1 + k2 (T - Tm))/(1 + 1/e)].
TEST_F(StatEqDialogTest, CheckKappaInstallsTheChosenConductivityInEitherMedium) {
  struct Case {
    const char* name;
    bool fnt, mult;
    Real T;
    Real expected;
  };
  const Real e = std::exp((1500.0L - 1357.77L) / 50);
  const Case cases[] = {
      {"constant", false, false, 900, 2e-5L},
      {"kappa T0/T", false, true, 600, 2e-5L * 300 / 600},
      {"FnT below Tm", true, false, 300,
       1e-5L *
           ((402.4L - 0.07L * 27) / (1 + std::exp((300 - 1357.77L) / 50)) +
            (150.49L + 0.07041L * (300 - 1357.77L)) / (1 + 1 / std::exp((300 - 1357.77L) / 50)))},
      {"FnT above Tm", true, true, 1500,
       1e-5L * ((402.4L - 0.07L * (1500 - 273)) / (1 + e) +
                (150.49L + 0.07041L * (1500 - 1357.77L)) / (1 + 1 / e))},
  };
  for (const bool left : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (left ? ", left" : ", film"));
      dlg.SetLeft(left);
      ASSERT_TRUE(dlg.SelectModel(0));
      dlg.FieldByName("gamma")->SetText("1.4");
      dlg.FieldByName("AtomMass")->SetText("4");
      dlg.SetCheckKappa(true);
      dlg.SetCheck("kappaFnTCheck", c.fnt);
      dlg.SetCheck("kappaMultChec", c.mult);
      dlg.FieldByName("kappaEdit")->SetText("2E-5");
      const TStatEqResult r = dlg.Ok(eos);
      ASSERT_TRUE(r) << r.message;
      const Slot2 kappa = left ? eos.LeftEos.Kappa : eos.FilmEos.Kappa;
      ASSERT_TRUE(kappa);
      EXPECT_NEAR(kappa(1, c.T), c.expected, 1e-12L * c.expected);
      EXPECT_EQ((left ? eos.Left : eos.Film).kappaKind,
                static_cast<int32_t>(KappaKindFromChecks(c.fnt, c.mult)));
    }
  }
  // A later selection without CheckKappa leaves the conductivity as it is.
  dlg.SetLeft(false);
  dlg.SetCheckKappa(false);
  const Real before = eos.FilmEos.Kappa(1, 1500);
  ASSERT_TRUE(AcceptIdealGas("1.67", "2"));
  EXPECT_EQ(eos.FilmEos.Kappa(1, 1500), before);
}

TEST_F(StatEqDialogTest, ConductivityRefusalsFocusTheFieldAndChangeNothing) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  struct Case {
    bool fnt, mult;
    const char* field;
    const char* text;
  };
  const Case cases[] = {{false, false, "kappaEdit", "-1E-5"},
                        {false, true, "kMultT0Edit", "0"},
                        {true, false, "Td", "0"},
                        {false, false, "kappaEdit", "abc"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    TStatEqDialog fresh;
    fresh.SetCheckKappa(true);
    fresh.SetCheck("kappaFnTCheck", c.fnt);
    fresh.SetCheck("kappaMultChec", c.mult);
    ASSERT_TRUE(fresh.SelectModel(0));
    fresh.FieldByName("gamma")->SetText("2");
    fresh.FieldByName("AtomMass")->SetText("2");
    fresh.FieldByName(c.field)->SetText(c.text);
    const EosSnapshot snap(eos);
    const TStatEqResult r = fresh.Ok(eos);
    EXPECT_FALSE(r);
    EXPECT_EQ(r.focus, c.field);
    EXPECT_TRUE(Unchanged(snap, eos));
    EXPECT_FALSE(eos.FilmEos.Kappa);
  }
}

// "Water2MG" and "LiF" conduct with their own law: it wins and CheckKappa is unchecked.
TEST_F(StatEqDialogTest, ModelsWithAConductivityOfTheirOwnUncheckCheckKappa) {
  for (const char* model : {"Water2MG", "LiF"}) {
    SCOPED_TRACE(model);
    ASSERT_TRUE(dlg.SelectModel(model));
    dlg.SetCheckKappa(true);
    const TStatEqResult r = dlg.Ok(eos);
    ASSERT_TRUE(r) << r.message;
    EXPECT_FALSE(dlg.CheckKappa());
    EXPECT_EQ(eos.Film.kappaKind, -1);
    ASSERT_TRUE(eos.FilmEos.Kappa);
    EXPECT_EQ(eos.FilmEos.Kappa.params, eos.Film.block.Get());
  }
}

TEST_F(StatEqDialogTest, QuestionsAfterOk) {
  ScriptedPrompter prompter;
  bool NoConduct = true;
  TStatEqContext context;
  context.prompter = &prompter;
  context.NoConduct = &NoConduct;
  // The ideal gas has no frame: no "Save(print) settings?"; no conductivity: no question
  // about it either.
  ASSERT_TRUE(dlg.SelectModel(0));
  dlg.FieldByName("gamma")->SetText("1.4");
  dlg.FieldByName("AtomMass")->SetText("4");
  ASSERT_TRUE(dlg.Ok(eos, context));
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(NoConduct);

  // A frame model with a conductivity: Yes prints the form; Yes to the ion conduction
  // clears NoConduct. Cancel closes accepted as well.
  for (const Answer save : {Answer::Yes, Answer::Cancel}) {
    prompter.asked.clear();
    prompter.printed.clear();
    prompter.Script("Save(print) settings?", save);
    prompter.Script("Use Ion ThermoCond?", Answer::Yes);
    NoConduct = true;
    ASSERT_TRUE(dlg.SelectModel("Rose"));
    ASSERT_TRUE(dlg.SetMetal("Au"));
    dlg.SetCheckKappa(true);
    ASSERT_TRUE(dlg.Ok(eos, context));
    ASSERT_EQ(prompter.asked.size(), 2u);
    EXPECT_EQ(prompter.asked[0].text, "Save(print) settings?");
    EXPECT_EQ(prompter.asked[1].text, "Use Ion ThermoCond?");
    EXPECT_EQ(prompter.printed.size(), save == Answer::Yes ? 1u : 0u);
    EXPECT_FALSE(NoConduct);
    EXPECT_EQ(eos.FilmEosType, 10);
  }
  // No (or no answer) keeps ion conduction excluded.
  prompter.Script("Use Ion ThermoCond?", Answer::No);
  NoConduct = true;
  ASSERT_TRUE(dlg.SelectModel(0));
  ASSERT_TRUE(dlg.Ok(eos, context));
  EXPECT_TRUE(NoConduct);
}

TEST_F(StatEqDialogTest, NoElEOSShowsTheThermalDialogWhenTheElectronsAreMissing) {
  ASSERT_TRUE(AcceptIdealGas("1.4", "4"));
  static const ConstantElParams electrons{0.5L, 0};
  ElectronModel em;
  int shown = 0;
  TStatEqContext context;
  context.electron = &em;  // no energy yet
  context.openThermal = [&]() -> const ElectronModel* {
    ++shown;
    return &em;
  };
  dlg.SetNoElEOS(true);
  ASSERT_TRUE(dlg.SelectModel(0));
  const EosSnapshot snap(eos);
  TStatEqResult r = dlg.Ok(eos, context);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "NoElEOS");
  EXPECT_FALSE(dlg.NoElEOS());
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(Unchanged(snap, eos));

  // The thermal-parameter dialog installs a model: accepted, the totals add it.
  context.openThermal = [&]() -> const ElectronModel* {
    BindElectronThermo<ConstantElParams, &ConstantEnergy, &ConstantHeatCap, &ConstantPressure,
                       &ConstantPressureDT>(em, electrons);
    return &em;
  };
  dlg.SetNoElEOS(true);
  ASSERT_TRUE(dlg.SelectModel(0));
  r = dlg.Ok(eos, context);
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(eos.ActiveEos.E(1, 10), eos.FilmEos.E(1, 10) + 5);
  EXPECT_TRUE(dlg.InfoLabel().ends_with(" - NoEl")) << dlg.InfoLabel();
}

TEST_F(StatEqDialogTest, RunFileKeysSetTheDialogGenerically) {
  const std::vector<TStatEqKey> keys = TStatEqDialog::SettableKeys();
  ASSERT_GE(keys.size(), 2u);
  EXPECT_STREQ(keys[0].name, "EqType");  // first: it presets fields
  EXPECT_STREQ(keys[1].name, "Metal");
  for (const TStatEqKey& k : keys) {
    TStatEqKeyKind kind{};
    ASSERT_TRUE(TStatEqDialog::FindKey(k.name, kind)) << k.name;
    EXPECT_EQ(kind, k.kind);
    EXPECT_EQ(dlg.FieldByName(k.name) != nullptr, k.kind == TStatEqKeyKind::Number) << k.name;
  }
  for (const EosDialogFieldInfo& f : EosDialogFields()) {
    TStatEqKeyKind kind{};
    EXPECT_TRUE(TStatEqDialog::FindKey(f.name, kind) && kind == TStatEqKeyKind::Number);
  }
  TStatEqKeyKind kind{};
  EXPECT_TRUE(TStatEqDialog::FindKey("CheckKappa", kind) && kind == TStatEqKeyKind::Check);
  EXPECT_TRUE(TStatEqDialog::FindKey("NoElEOS", kind) && kind == TStatEqKeyKind::Check);
  EXPECT_FALSE(TStatEqDialog::FindKey("Gamma", kind));
  EXPECT_FALSE(TStatEqDialog::FindKey("InfoLabel", kind));

  // What a run-file reader does with a parsed table, in key order.
  using Value = std::variant<int64_t, double, bool, std::string>;
  const std::vector<std::pair<std::string, Value>> table = {
      {"EqType", std::string("ideal_gas")},
      {"gamma", 1.25},
      {"AtomMass", int64_t{2}},
      {"NoElEOS", false},
  };
  for (const TStatEqKey& k : keys) {
    for (const auto& [key, value] : table) {
      if (key != k.name) continue;
      TStatEqResult r;
      switch (k.kind) {
        case TStatEqKeyKind::ModelList:
          r = std::holds_alternative<std::string>(value)
                  ? dlg.SelectModel(std::get<std::string>(value))
                  : dlg.SelectModel(static_cast<int32_t>(std::get<int64_t>(value)));
          break;
        case TStatEqKeyKind::Metal:
          r = dlg.SetMetal(std::get<std::string>(value));
          break;
        case TStatEqKeyKind::Number:
          dlg.FieldByName(key)->SetValue(std::holds_alternative<double>(value)
                                             ? static_cast<Real>(std::get<double>(value))
                                             : static_cast<Real>(std::get<int64_t>(value)));
          break;
        case TStatEqKeyKind::Check:
          r = dlg.SetCheck(key, std::get<bool>(value));
          break;
        case TStatEqKeyKind::TableFiles:  // the table dialog's OK hands a set over
          break;
      }
      ASSERT_TRUE(r) << key << ": " << r.message;
    }
  }
  const TStatEqResult r = dlg.Ok(eos);
  ASSERT_TRUE(r) << r.message;
  EXPECT_EQ(dlg.InfoLabel(), "I, gamma = 1.25");
  EXPECT_EQ(eos.Film.Value("AtomMass"), 2);

  EXPECT_FALSE(dlg.SelectModel("Ideal  gas"));
  EXPECT_EQ(dlg.SetCheck("CheckKapa", true).message, "There is no check box \"CheckKapa\"");
}

}  // namespace
}  // namespace tarvex
