// The "Spallation" dialog model: defaults, visibility rules, the material presets (by
// index and by name), the leave handlers, the refusals of OK with their focus and reason,
// the settings question and the stored model state.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "support/SpallFixture.h"

namespace tarvex {
namespace {

using testing::Accept;
using testing::EnvOf;
using testing::TestMetal;
using testing::Type;

Real Num(const TSpallation& d, const char* name) {
  const RealField* f = d.FieldByName(name);
  EXPECT_NE(f, nullptr) << name;
  return f != nullptr ? f->StoredValue() : 0;
}

TEST(SpallationDialog, DefaultsAndDescriptions) {
  const TSpallation d;
  struct Default {
    const char* name;
    Real value;
  };
  const Default numbers[] = {
      {"etaEdit", 0.0013L},   {"VEdit", 1e-15L},
      {"sigma0Edit", 830},    {"TcEdit", 6595},
      {"TmEdit", 933},        {"rho_blEdit", 2.3738L},
      {"sigma_mEdit", 830},   {"sigmaREdit", 830},
      {"Ei0Edit", 1.68742L},  {"CSpall", 100},
      {"Pliq0Edit", -5.04L},  {"PliqTEdit", 0.0017L},
      {"PliqT2Edit", 0},      {"Psol0Edit", -8.3L},
      {"PsolTEdit", 0.0029L}, {"PsolT2Edit", 0},
      {"pTeUEdit", 0},        {"pTeDEdit", 0},
      {"Pf", -0.05L},         {"Rf", 10},
      {"Rfc", 0.02L},
  };
  for (const Default& n : numbers) EXPECT_EQ(Num(d, n.name), n.value) << n.name;
  EXPECT_TRUE(d.Check("CheckNucl"));
  for (const char* off :
       {"CheckSpall", "CheckPliq", "CheckPsol", "CheckSol", "VCalcCheck", "Foam"}) {
    EXPECT_FALSE(d.Check(off)) << off;
  }
  EXPECT_EQ(d.SigmaModel(), 0);
  EXPECT_EQ(d.Material(), -1);
  EXPECT_EQ(d.AtomMass(), 0);
  // Every control has a description; every listed field exists under its kind.
  for (const TSpallFieldInfo& f : SpallFields()) {
    EXPECT_GT(std::string(f.help).size(), 10u) << f.name;
    if (f.kind == TSpallFieldKind::Number) {
      EXPECT_NE(d.FieldByName(f.name), nullptr) << f.name;
    }
  }
  ASSERT_EQ(SpallMaterials().size(), 11u);
  EXPECT_STREQ(SpallMaterials()[6].name, "Au");
}

TEST(SpallationDialog, VisibilityFollowsTheVolumeChoiceAndTheMaterial) {
  const TestMetal metal;
  TSpallation d;
  EXPECT_TRUE(d.Visible("VEdit"));
  d.SetCheck("VCalcCheck", true);
  EXPECT_FALSE(d.Visible("VEdit"));
  EXPECT_FALSE(d.Enabled("VEdit"));
  EXPECT_FALSE(d.Visible("RadioGroup1"));
  EXPECT_FALSE(d.Visible("sigmaREdit"));
  EXPECT_FALSE(d.Visible("NoSuchControl"));

  ASSERT_TRUE(d.SelectMaterial("Ag", EnvOf(metal)));  // offers sigma(rho,Ti)
  EXPECT_TRUE(d.Visible("RadioGroup1"));
  EXPECT_EQ(d.SigmaModel(), 1);
  EXPECT_TRUE(d.Visible("sigmaREdit"));
  EXPECT_TRUE(d.Visible("Ei0Edit"));
  ASSERT_TRUE(d.SetSigmaModel("sigma(Ti)", EnvOf(metal)));
  EXPECT_TRUE(d.Visible("RadioGroup1"));
  EXPECT_FALSE(d.Visible("Ei0Edit"));

  ASSERT_TRUE(d.SelectMaterial("Ni", EnvOf(metal)));  // sigma(Ti) only
  EXPECT_FALSE(d.Visible("RadioGroup1"));
  EXPECT_EQ(d.SigmaModel(), 0);
  EXPECT_FALSE(d.SetSigmaModel(1, EnvOf(metal)));  // not offered

  // Showing the dialog offers the group again only when the stored model is sigma(rho,Ti).
  TestMetal gold;
  gold.Tm = 1336;
  TSpallation g;
  ASSERT_TRUE(g.SelectMaterial(1, EnvOf(gold)));
  TSpallParams sp;
  ASSERT_EQ(Accept(g, gold, sp).close, TSpallClose::Ok);
  ASSERT_FALSE(sp.SigmaOfT);
  g.FormShow(EnvOf(gold));
  EXPECT_TRUE(g.Visible("RadioGroup1"));
  ASSERT_TRUE(g.SetSigmaModel(0, EnvOf(gold)));
  ASSERT_EQ(Accept(g, gold, sp).close, TSpallClose::Ok);
  EXPECT_TRUE(sp.SigmaOfT);
  g.FormShow(EnvOf(gold));
  EXPECT_FALSE(g.Visible("RadioGroup1"));
}

TEST(SpallationDialog, PresetsSetTheirValuesAndDeriveSigma0) {
  const TestMetal metal;
  for (int32_t i = 0; i < static_cast<int32_t>(SpallMaterials().size()); ++i) {
    const TSpallPreset& m = SpallMaterials()[static_cast<size_t>(i)];
    TSpallation d;
    d.FieldByName("rho_blEdit")->SetValue(1.5L);
    ASSERT_TRUE(d.SelectMaterial(i, EnvOf(metal)));
    EXPECT_EQ(d.Material(), i);
    if (!m.defined) {
      EXPECT_EQ(Num(d, "TcEdit"), 6595) << "item " << i << " has no preset";
      EXPECT_EQ(d.AtomMass(), 0);
      continue;
    }
    EXPECT_TRUE(d.Check("CheckNucl")) << m.name;
    EXPECT_EQ(d.Check("VCalcCheck"), std::string(m.name) != "Au") << m.name;
    EXPECT_EQ(d.Check("CheckPliq"), m.checkPliq) << m.name;
    EXPECT_EQ(Num(d, "etaEdit"), m.eta) << m.name;
    EXPECT_EQ(Num(d, "TcEdit"), m.Tc) << m.name;
    EXPECT_EQ(Num(d, "TmEdit"), m.Tm) << m.name;
    EXPECT_EQ(Num(d, "sigma_mEdit"), m.sigmaM) << m.name;
    EXPECT_EQ(Num(d, "rho_blEdit"), m.setRhoBl ? m.rhoBl : 1.5L) << m.name;
    EXPECT_EQ(d.AtomMass(), m.mAt) << m.name;
    EXPECT_EQ(d.Visible("RadioGroup1"), m.sigmaRhoT) << m.name;
    // σ0 (1 − Tm/Tc)^1.25 = σ_m
    EXPECT_NEAR(Num(d, "sigma0Edit") * std::pow(1 - m.Tm / m.Tc, 1.25L) / m.sigmaM, 1, 1e-15L)
        << m.name;
  }
  // The gold limits of the Au preset and of the sigma(rho,Ti) gold items.
  TSpallation au;
  ASSERT_TRUE(au.SelectMaterial("Au", EnvOf(metal)));
  EXPECT_EQ(Num(au, "PliqT2Edit"), -1.49e-7L);
  EXPECT_EQ(Num(au, "Psol0Edit"), -8.3L);  // unchanged
  TSpallation blank;
  ASSERT_TRUE(blank.SelectMaterial(7, EnvOf(metal)));
  EXPECT_EQ(Num(blank, "Psol0Edit"), -10.6L);
  EXPECT_EQ(Num(blank, "PliqT2Edit"), -2.16e-7L);
  EXPECT_EQ(Num(blank, "Ei0Edit"), 1.68742L);

  // An atomic mass already set (by the equation of state or the electron model) is kept.
  TSpallation set;
  set.SetAtomMass(1e-22L);
  ASSERT_TRUE(set.SelectMaterial("Al", EnvOf(metal)));
  EXPECT_EQ(set.AtomMass(), 1e-22L);
}

TEST(SpallationDialog, MaterialsAreSelectedByName) {
  const TestMetal metal;
  TSpallation d;
  ASSERT_TRUE(d.SelectMaterial("Au", EnvOf(metal)));
  EXPECT_EQ(d.Material(), 6);
  EXPECT_EQ(Num(d, "TcEdit"), 7764);
  // Names of the thermal-parameter list without a spallation preset change nothing.
  for (const char* name : {"Au1", "LiF", "Spline", ""}) {
    const TSpallResult r = d.SelectMaterial(name, EnvOf(metal));
    EXPECT_FALSE(r) << name;
    EXPECT_EQ(r.focus, "Materials");
    EXPECT_NE(r.message.find("Al, Ni, Fe, Ta, Au, Ag, Ru, Mo"), std::string::npos) << r.message;
    EXPECT_EQ(d.Material(), 6);
  }
  EXPECT_FALSE(d.SelectMaterial(11, EnvOf(metal)));
}

TEST(SpallationDialog, LeaveHandlers) {
  const TestMetal metal;
  TSpallation d;
  ASSERT_TRUE(Type(d, metal, "sigma_mEdit", "1000"));
  EXPECT_NEAR(Num(d, "sigma0Edit"), 1000 / std::pow(1 - 933.0L / 6595, 1.25L), 1e-12L);

  // Not a number: refused, the field keeps its value.
  const TSpallResult bad = Type(d, metal, "TcEdit", "6595K");
  EXPECT_FALSE(bad);
  EXPECT_EQ(bad.focus, "TcEdit");
  EXPECT_NE(bad.message.find("\"6595K\" is not a number"), std::string::npos) << bad.message;
  EXPECT_EQ(Num(d, "TcEdit"), 6595);

  // Leaving p_liq0 or p_sol0 after an edit switches its limit on; only after an edit.
  EXPECT_TRUE(d.LeaveField("Pliq0Edit", EnvOf(metal)));
  EXPECT_FALSE(d.Check("CheckPliq"));
  ASSERT_TRUE(Type(d, metal, "Pliq0Edit", "-4"));
  EXPECT_TRUE(d.Check("CheckPliq"));
  ASSERT_TRUE(Type(d, metal, "Psol0Edit", "-9"));
  EXPECT_TRUE(d.Check("CheckPsol"));

  const TSpallResult foam = d.SetCheck("Foam", true);
  EXPECT_TRUE(foam);
  EXPECT_EQ(foam.focus, "Pf");
  EXPECT_FALSE(d.SetCheck("NoSuchBox", true));
}

// One refusal per rule: the control that takes the focus, a reason, nothing stored.
TEST(SpallationDialog, OkRefusesInvalidInputWithFocusAndReason) {
  TestMetal gold;
  gold.Tm = 1336;
  using Setup = std::function<void(TSpallation&, Real & v1, TSpallMaterialEnv & env)>;
  const auto num = [](const char* name, Real x) {
    return [=](TSpallation& d, Real&, TSpallMaterialEnv&) { d.FieldByName(name)->SetValue(x); };
  };
  struct Case {
    const char* what;
    Setup setup;
    const char* focus;
  };
  const Case cases[] = {
      {"no criterion",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) { d.SetCheck("CheckNucl", false); },
       "CheckNucl"},
      {"eta 0", num("etaEdit", 0), "etaEdit"},
      {"eta negative", num("etaEdit", -0.01L), "etaEdit"},
      {"V 0", num("VEdit", 0), "VEdit"},
      {"no atomic mass", [](TSpallation& d, Real&, TSpallMaterialEnv&) { d.SetAtomMass(0); },
       "Materials"},
      {"sigma_m 0", num("sigma_mEdit", 0), "sigma_mEdit"},
      {"Tc 0", num("TcEdit", 0), "TcEdit"},
      {"Tm 0", num("TmEdit", 0), "TmEdit"},
      {"Tm above Tc", num("TmEdit", 7000), "TmEdit"},
      {"sigma0 0", num("sigma0Edit", 0), "sigma0Edit"},
      {"not a number",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) { d.FieldByName("TcEdit")->SetText("x"); },
       "TcEdit"},
      {"c_spall 0",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("CheckSpall", true);
         d.FieldByName("CSpall")->SetValue(0);
       },
       "CSpall"},
      {"c_spall negative",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("CheckSpall", true);
         d.FieldByName("CSpall")->SetValue(-100);
       },
       "CSpall"},
      {"spall without a velocity scale",
       [](TSpallation& d, Real& v1, TSpallMaterialEnv&) {
         d.SetCheck("CheckSpall", true);
         v1 = 0;
       },
       "CSpall"},
      {"sound volume without a velocity scale",
       [](TSpallation& d, Real& v1, TSpallMaterialEnv&) {
         d.SetCheck("VCalcCheck", true);
         v1 = 0;
       },
       "VCalcCheck"},
      {"p_liq all zero",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("CheckPliq", true);
         for (const char* f : {"Pliq0Edit", "PliqTEdit", "PliqT2Edit"})
           d.FieldByName(f)->SetValue(0);
       },
       "Pliq0Edit"},
      {"p_sol all zero",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("CheckPsol", true);
         for (const char* f : {"Psol0Edit", "PsolTEdit", "PsolT2Edit"})
           d.FieldByName(f)->SetValue(0);
       },
       "Psol0Edit"},
      {"foam strength positive",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("Foam", true);
         d.FieldByName("Pf")->SetValue(0.1L);
       },
       "Pf"},
      {"foam density 0",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("Foam", true);
         d.FieldByName("Rf")->SetValue(0);
       },
       "Rf"},
      {"foam cut-off above Rf",
       [](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetCheck("Foam", true);
         d.FieldByName("Rfc")->SetValue(11);
       },
       "Rfc"},
      {"sigma(rho,Ti) without an equation of state",
       [&](TSpallation& d, Real&, TSpallMaterialEnv& env) {
         d.SetAtomMass(0);  // the preset's
         d.SelectMaterial(1, EnvOf(gold));
         env.Energy = Slot2{};
       },
       "RadioGroup1"},
      {"sigma(rho,Ti) outside its fit (Ta)",
       [&](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetAtomMass(0);
         d.SelectMaterial("Ta", EnvOf(gold));
       },
       "sigmaREdit"},
      {"sigma(rho,Ti) negative at melting",
       [&](TSpallation& d, Real&, TSpallMaterialEnv&) {
         d.SetAtomMass(0);
         d.SelectMaterial(1, EnvOf(gold));
         ASSERT_GT(d.FieldByName("sigmaREdit")->StoredValue(), 0);  // derived
         d.FieldByName("sigmaREdit")->SetValue(-1);
       },
       "sigmaREdit"},
  };
  for (const Case& c : cases) {
    TSpallation d;
    d.SetAtomMass(4.478e-23L);
    Real v1 = 1e5L;
    TSpallMaterialEnv env = EnvOf(gold);
    c.setup(d, v1, env);
    env.v1 = v1;
    TSpallParams stored;
    stored.cSpall = 12345;  // a marker: nothing may be written
    ScriptedPrompter prompter;
    prompter.Script(TSpallation::kSaveQuestion, Answer::No);
    const TSpallOkResult r = d.Ok(prompter, env, stored);
    EXPECT_EQ(r.close, TSpallClose::Open) << c.what;
    EXPECT_FALSE(r.result) << c.what;
    EXPECT_EQ(r.result.focus, c.focus) << c.what << ": " << r.result.message;
    EXPECT_GT(r.result.message.size(), 15u) << c.what;
    EXPECT_EQ(stored.cSpall, 12345) << c.what;
    EXPECT_TRUE(prompter.asked.empty()) << c.what;
  }

  // What is hidden or belongs to a criterion that is off is not judged.
  TSpallation hidden;
  hidden.SetAtomMass(4.478e-23L);
  hidden.SetCheck("VCalcCheck", true);
  hidden.FieldByName("VEdit")->SetText("garbage");
  hidden.FieldByName("CSpall")->SetValue(0);
  TSpallParams sp;
  EXPECT_EQ(Accept(hidden, gold, sp).close, TSpallClose::Ok);
}

TEST(SpallationDialog, SettingsQuestionDecidesWhetherAnythingIsStored) {
  const TestMetal metal;
  struct Case {
    Answer answer;
    TSpallClose close;
    bool print, stored;
  };
  for (const Case& c : {Case{Answer::Yes, TSpallClose::Ok, true, true},
                        Case{Answer::No, TSpallClose::Ok, false, true},
                        Case{Answer::Cancel, TSpallClose::Cancel, false, false}}) {
    TSpallation d;
    ASSERT_TRUE(d.SelectMaterial("Al", EnvOf(metal)));
    ScriptedPrompter prompter;
    prompter.Script(TSpallation::kSaveQuestion, c.answer);
    TSpallParams sp;
    const TSpallOkResult r = d.Ok(prompter, EnvOf(metal), sp);
    EXPECT_EQ(r.close, c.close);
    EXPECT_EQ(r.print, c.print);
    EXPECT_EQ(sp.CheckNucl, c.stored);
    ASSERT_EQ(prompter.asked.size(), 1u);
    EXPECT_EQ(prompter.asked[0].text, "Save(print) settings?");
  }
}

TEST(SpallationDialog, StoredModelState) {
  const TestMetal metal;
  TSpallation d;
  d.SetAtomMass(4.478e-23L);
  d.FieldByName("etaEdit")->SetValue(0.004L);
  d.FieldByName("VEdit")->SetValue(2e-15L);
  d.SetCheck("CheckSol", true);
  TSpallParams sp;
  ASSERT_EQ(Accept(d, metal, sp, 1e5L).close, TSpallClose::Ok);
  EXPECT_TRUE(sp.CheckNucl);
  EXPECT_TRUE(sp.CheckSol);
  EXPECT_TRUE(sp.SigmaOfT);
  EXPECT_NEAR(sp.NuclVFactor, 2e-15L * 1e-6L / 0.004L, 1e-40L);
  EXPECT_EQ(sp.v1, 1e5L);
  EXPECT_EQ(sp.Tc, 6595);
  EXPECT_EQ(sp.sigma0, 830);  // as typed: no sigma_m leave happened
  EXPECT_NEAR(sp.invMAt * 4.478e-23L, 1, 1e-18L);

  d.SetCheck("VCalcCheck", true);
  ASSERT_EQ(Accept(d, metal, sp).close, TSpallClose::Ok);
  EXPECT_NEAR(sp.NuclVFactor / (4 * std::numbers::pi_v<Real> / 3 * 1e-6L / 0.004L), 1, 1e-18L);

  // pTe = pTeU/pTeD, 0 unless both are non-zero.
  struct Case {
    Real U, D, pTe;
  };
  for (const Case& c : {Case{0, 1, 0}, Case{0.002L, 0, 0}, Case{0.002L, 2, 0.001L}}) {
    d.FieldByName("pTeUEdit")->SetValue(c.U);
    d.FieldByName("pTeDEdit")->SetValue(c.D);
    ASSERT_EQ(Accept(d, metal, sp).close, TSpallClose::Ok);
    EXPECT_EQ(sp.pTe, c.pTe) << c.U << "/" << c.D;
  }

  // The strength limits and CheckSol without the nucleation criterion.
  TSpallation limits;
  limits.SetCheck("CheckNucl", false);
  limits.SetCheck("CheckPliq", true);
  limits.SetCheck("CheckSol", true);
  limits.SetCheck("Foam", true);
  ASSERT_EQ(Accept(limits, metal, sp).close, TSpallClose::Ok);
  EXPECT_TRUE(sp.CheckSol);
  EXPECT_EQ(sp.Pliq0, -5.04L);
  EXPECT_EQ(sp.Psol0, 0);  // its limit is off
  EXPECT_TRUE(sp.Foam);
  EXPECT_NEAR(FoamStrength(sp, 5), -0.025L, 1e-18L);
}

}  // namespace
}  // namespace tarvex
