// The "Q external" dialog model: defaults, the focus walk, OK and its refusals (focus and
// reason, nothing changed), the depth field's PreHt rule, the pre-heating instance and
// the labels the initial-conditions dialog shows.
#include "core/laser/QextDialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

namespace tarvex {
namespace {

double Dbl(Real x) {
  return static_cast<double>(x);
}

// A dialog with a complete, valid input: F = 50, tau = 100, d = 10, exp in time and space.
struct Filled {
  TQextDialog dlg;
  LaserSource src;
  Filled() {
    dlg.AEdit.SetText("50");
    dlg.tEdit.SetText("100");
    dlg.dEdit.SetText("10");
    dlg.tSelect = 1;
    dlg.xSelect = 1;
  }
};

bool SameSource(const LaserSource& a, const LaserSource& b) {
  return a.FtFn == b.FtFn && a.FxFn == b.FxFn && a.FpreFn == b.FpreFn && a.QAmp == b.QAmp &&
         a.QDepth == b.QDepth && a.QTau == b.QTau && a.QPreAmp == b.QPreAmp &&
         a.QPreDepth == b.QPreDepth;
}

TEST(QextDialog, OpensWithTheDefaultsOfTheForm) {
  TQextDialog dlg;
  EXPECT_EQ(TQextDialog::kCaption, std::string("Q external"));
  EXPECT_EQ(Dbl(dlg.AEdit.StoredValue()), 0.0);
  EXPECT_EQ(Dbl(dlg.dEdit.StoredValue()), 0.0);
  EXPECT_EQ(Dbl(dlg.tEdit.StoredValue()), 0.0);
  EXPECT_EQ(dlg.tSelect, 0);
  EXPECT_EQ(dlg.xSelect, 1);
  EXPECT_FALSE(dlg.Visible("PreHtBtn"));
  EXPECT_FALSE(dlg.Visible("PrehtLabel"));
  EXPECT_TRUE(dlg.Enabled("tSelect"));
  EXPECT_TRUE(dlg.Enabled("tEdit"));
  EXPECT_EQ(dlg.QFLabel, "F/(d*tau) * exp(-(t/tau)^2)/sqrt(pi) * exp((x-x0)/d)");
  // Every input has a one-line description; the numbers name their unit in it.
  for (const QextControlInfo& c : TQextDialog::Controls()) {
    EXPECT_NE(std::string(c.help), "") << c.name;
    if (c.kind == QextControlKind::Number) {
      EXPECT_NE(std::string(c.help).find(std::string("[") + c.unit + "]"), std::string::npos)
          << c.name;
      EXPECT_NE(dlg.RealFieldByName(c.name), nullptr) << c.name;
    }
  }
}

TEST(QextDialog, OkSetsTheSourceAndTheFormula) {
  Filled f;
  ASSERT_TRUE(f.dlg.OkPressed(f.src));
  EXPECT_EQ(f.src.FtFn, TimeShape::Exp);
  EXPECT_EQ(f.src.FxFn, SpaceShape::Exp);
  EXPECT_NEAR(Dbl(f.src.QAmp / 5e14L), 1.0, 1e-15);
  EXPECT_EQ(f.dlg.QFLabel, "F/(d*tau) * exp(-t/tau) * exp((x-x0)/d)");
  EXPECT_TRUE(SourceDefined(f.src));

  f.dlg.tSelect = 0;
  f.dlg.xSelect = 0;
  ASSERT_TRUE(f.dlg.OkPressed(f.src));
  EXPECT_EQ(f.dlg.QFLabel, TQextDialog::kGaussGaussFormula);
  EXPECT_EQ(f.dlg.QILabelText(), std::string("Q = ") + TQextDialog::kGaussGaussFormula);
  EXPECT_EQ(f.dlg.QLabelText(), "(F=" + f.dlg.AEdit.Text() + "mJ/cm^2, d=" + f.dlg.dEdit.Text() +
                                    "nm, tau=" + f.dlg.tEdit.Text() + "fsec)");
  EXPECT_EQ(f.dlg.QPrLabelText(), "");
}

TEST(QextDialog, RefusedOkFocusesTheFieldSaysWhyAndChangesNothing) {
  struct Case {
    const char* field;  // "" for the lists
    const char* text;
    int32_t tSelect;
    int32_t xSelect;
    const char* focus;
    std::string reason;
  };
  const Case cases[] = {
      {"AEdit", "0", 1, 1, "AEdit", std::string(kBadF.reason)},
      {"AEdit", "-3", 1, 1, "AEdit", std::string(kBadF.reason)},
      {"AEdit", "abc", 1, 1, "AEdit", "F is not a number"},
      {"tEdit", "0", 1, 1, "tEdit", std::string(kBadTau.reason)},
      {"tEdit", "-100", 1, 1, "tEdit", std::string(kBadTau.reason)},
      {"tEdit", "1e", 1, 1, "tEdit", "tau is not a number"},
      {"dEdit", "0", 1, 1, "dEdit", std::string(kBadD.reason)},
      {"dEdit", "x", 1, 1, "dEdit", "d is not a number"},
      {"", "", -1, 1, "tSelect", std::string(kBadTimeShape.reason)},
      {"", "", 1, -1, "xSelect", std::string(kBadSpaceShape.reason)},
  };
  for (const Case& c : cases) {
    Filled f;
    ASSERT_TRUE(f.dlg.OkPressed(f.src));
    const LaserSource before = f.src;
    if (*c.field != '\0') f.dlg.RealFieldByName(c.field)->SetText(c.text);
    f.dlg.tSelect = c.tSelect;
    f.dlg.xSelect = c.xSelect;
    const TQextResult r = f.dlg.OkPressed(f.src);
    EXPECT_FALSE(r.accepted) << c.field << " " << c.text;
    EXPECT_EQ(r.focus, c.focus) << c.field << " " << c.text;
    EXPECT_EQ(r.message, c.reason);
    EXPECT_TRUE(SameSource(before, f.src)) << c.field << " " << c.text;
  }
}

TEST(QextDialog, NegativeDepthIsTheLeftFaceNotAnError) {
  Filled f;
  f.dlg.dEdit.SetText("-10");
  ASSERT_TRUE(f.dlg.OkPressed(f.src));
  EXPECT_NEAR(Dbl(f.src.QDepth), -1e-6, 1e-21);
  EXPECT_EQ(Dbl(f.dlg.SkinDepth()), 10.0);
}

TEST(QextDialog, LeavingTheDepthShowsPreHtOnlyForTheLeftFace) {
  TQextDialog dlg;
  dlg.dEdit.SetText("-5");
  EXPECT_EQ(dlg.LeaveField("dEdit"), "PreHtBtn");
  EXPECT_TRUE(dlg.Visible("PreHtBtn"));
  dlg.dEdit.SetText("5");
  EXPECT_EQ(dlg.LeaveField("dEdit"), "OkBitBtn");
  EXPECT_FALSE(dlg.Visible("PreHtBtn"));
  dlg.dEdit.SetText("0");
  EXPECT_EQ(dlg.LeaveField("dEdit"), "OkBitBtn");
  dlg.dEdit.SetText("what");
  EXPECT_EQ(dlg.LeaveField("dEdit"), "");  // the focus stays on an unreadable text
  EXPECT_EQ(dlg.LeaveField("AEdit"), "");
}

TEST(QextDialog, EnterWalksTheFocusThroughTheInputsAndNeverCloses) {
  struct Case {
    const char* F;
    const char* tau;
    const char* d;
    const char* focused;
    const char* next;
  };
  const Case cases[] = {
      {"50", "100", "10", "AEdit", "tSelect"},   {"0", "100", "10", "AEdit", "AEdit"},
      {"50", "100", "10", "tSelect", "tEdit"},   {"0", "100", "10", "tSelect", "AEdit"},
      {"50", "100", "10", "tEdit", "xSelect"},   {"50", "0", "10", "tEdit", "tEdit"},
      {"50", "100", "10", "xSelect", "dEdit"},   {"50", "100", "10", "dEdit", "OkBitBtn"},
      {"50", "100", "-10", "dEdit", "PreHtBtn"}, {"50", "100", "10", "PreHtBtn", "OkBitBtn"},
  };
  for (const Case& c : cases) {
    TQextDialog dlg;
    LaserSource src;
    dlg.AEdit.SetText(c.F);
    dlg.tEdit.SetText(c.tau);
    dlg.dEdit.SetText(c.d);
    dlg.tSelect = 2;
    dlg.xSelect = 2;
    EXPECT_EQ(dlg.EnterPressed(c.focused), c.next) << c.focused << " F=" << c.F;
    // The formula follows every press.
    EXPECT_EQ(dlg.QFLabel, "F/(d*tau) * [1,t<=tau, 0,t>tau] * [1, (x0-x)/d <= 1]");
  }
  // With the time group disabled (a pre-heating in force) F leads to the space shape.
  TQextDialog dlg;
  dlg.AEdit.SetText("5");
  dlg.TimeGroupEnabled = false;
  EXPECT_EQ(dlg.EnterPressed("AEdit"), "xSelect");
}

TEST(QextDialog, ChoicesByNumberOrCaptionAndOnlyWhileEnabled) {
  TQextDialog dlg;
  EXPECT_TRUE(dlg.SetChoice("tSelect", "2*t/tau"));
  EXPECT_EQ(dlg.tSelect, 4);
  EXPECT_TRUE(dlg.SetChoice("xSelect", 3));
  EXPECT_EQ(dlg.xSelect, 3);
  EXPECT_FALSE(dlg.SetChoice("xSelect", 4));
  EXPECT_FALSE(dlg.SetChoice("xSelect", "sin(x)"));
  EXPECT_FALSE(dlg.SetChoice("AEdit", 0));
  dlg.TimeGroupEnabled = false;
  const TQextResult r = dlg.SetChoice("tSelect", 1);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "tSelect");
  EXPECT_EQ(dlg.tSelect, 4);
  dlg.QextClicked();
  EXPECT_TRUE(dlg.SetChoice("tSelect", 1));
}

// ---------------------------------------------------------------------------------------
// Pre-heating

TEST(QextDialog, PreHeatingNeedsTauFirst) {
  Filled f;
  f.dlg.tEdit.SetText("0");
  const TQextResult r = f.dlg.PreHtBtnClick();
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "tEdit");
  EXPECT_EQ(r.message, kBadTau.reason);
  EXPECT_EQ(f.dlg.PreHeatDialog(), nullptr);
}

TEST(QextDialog, PreHeatingIsForLightThroughTheSubstrate) {
  Filled f;  // d = 10: the light enters at the right face
  const TQextResult r = f.dlg.PreHtBtnClick();
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "dEdit");
  EXPECT_EQ(f.dlg.PreHeatDialog(), nullptr);
  EXPECT_FALSE(f.dlg.DefinePreHeating(5, 20, 1));
  EXPECT_FALSE(f.dlg.PreHeatSet());
}

TEST(QextDialog, PreHeatingInOneCallKeepsThePreviousOneOnRefusal) {
  Filled f;
  f.dlg.dEdit.SetText("-10");
  ASSERT_TRUE(f.dlg.DefinePreHeating(5, -20, 2));
  EXPECT_TRUE(f.dlg.PreHeatSet());
  EXPECT_EQ(Dbl(f.dlg.PreHeat().F), 5.0);
  EXPECT_EQ(Dbl(f.dlg.PreHeat().d), 20.0);
  EXPECT_EQ(f.dlg.PreHeat().item, 2);
  EXPECT_EQ(f.dlg.PrehtLabel, "( -: F=5mJ/cm^2, d=20nm [=])");

  const TQextResult r = f.dlg.DefinePreHeating(-1, 20, 1);
  EXPECT_FALSE(r);
  EXPECT_EQ(r.focus, "PreHtBtn");
  EXPECT_EQ(r.message, kBadPreF.reason);
  EXPECT_EQ(f.dlg.PreHeatDialog(), nullptr);
  EXPECT_TRUE(f.dlg.PreHeatSet());
  EXPECT_EQ(f.dlg.PreHeat().item, 2);

  ASSERT_TRUE(f.dlg.DefinePreHeating(0, 20, 1));  // a zero fluence: no pre-heating
  EXPECT_FALSE(f.dlg.PreHeatSet());
}

TEST(QextDialog, PreHeatingIsDefinedInASecondInstanceAndTakesEffectWithOk) {
  Filled f;
  f.dlg.dEdit.SetText("-10");
  f.dlg.tSelect = 0;
  ASSERT_EQ(f.dlg.LeaveField("dEdit"), "PreHtBtn");
  ASSERT_TRUE(f.dlg.PreHtBtnClick());
  TQextDialog* pre = f.dlg.PreHeatDialog();
  ASSERT_NE(pre, nullptr);
  EXPECT_TRUE(pre->PreHeating());
  EXPECT_FALSE(pre->Enabled("tSelect"));
  EXPECT_FALSE(pre->Enabled("tEdit"));
  EXPECT_FALSE(pre->Visible("PreHtBtn"));
  EXPECT_EQ(pre->tSelect, 0);
  EXPECT_EQ(Dbl(pre->tEdit.StoredValue()), 100.0);

  pre->AEdit.SetText("5");
  pre->dEdit.SetText("-20");
  pre->xSelect = 0;
  EXPECT_EQ(pre->LeaveField("dEdit"), "OkBitBtn");
  const LaserSource before = f.src;
  ASSERT_TRUE(pre->OkPressed(f.src));
  EXPECT_TRUE(SameSource(before, f.src));  // only the main OK sets the source
  EXPECT_EQ(Dbl(pre->dEdit.StoredValue()), 20.0);
  EXPECT_EQ(f.dlg.PreHeatClosed(true), "OkBitBtn");
  EXPECT_EQ(f.dlg.PreHeatDialog(), nullptr);
  EXPECT_TRUE(f.dlg.PreHeatSet());
  EXPECT_TRUE(f.dlg.Visible("PrehtLabel"));
  EXPECT_EQ(f.dlg.PrehtLabel, "( -: F=5mJ/cm^2, d=20nm ()^2)");
  EXPECT_EQ(f.dlg.QPrLabelText(), f.dlg.PrehtLabel);
  EXPECT_FALSE(f.dlg.Enabled("tSelect"));
  EXPECT_FALSE(f.dlg.Enabled("tEdit"));

  ASSERT_TRUE(f.dlg.OkPressed(f.src));
  EXPECT_EQ(f.src.FpreFn, SpaceShape::Gauss);
  EXPECT_NEAR(Dbl(f.src.QPreDepth), 2e-6, 1e-21);
  EXPECT_NEAR(Dbl(f.src.QPreAmp / (5e-6L / (2e-6L * 1e-13L) * 2 / std::numbers::pi_v<Real>)), 1.0,
              1e-15);

  // Opening it again shows the pre-heating in force.
  ASSERT_TRUE(f.dlg.PreHtBtnClick());
  pre = f.dlg.PreHeatDialog();
  EXPECT_EQ(Dbl(pre->AEdit.StoredValue()), 5.0);
  EXPECT_EQ(Dbl(pre->dEdit.StoredValue()), 20.0);
  EXPECT_EQ(pre->xSelect, 0);
}

TEST(QextDialog, PreHeatingIsRemovedByNoOrByAZeroFluence) {
  for (const bool byNo : {true, false}) {
    Filled f;
    f.dlg.dEdit.SetText("-10");
    ASSERT_TRUE(f.dlg.PreHtBtnClick());
    f.dlg.PreHeatDialog()->AEdit.SetText("5");
    f.dlg.PreHeatDialog()->dEdit.SetText("20");
    ASSERT_TRUE(f.dlg.PreHeatDialog()->OkPressed(f.src));
    f.dlg.PreHeatClosed(true);
    ASSERT_TRUE(f.dlg.PreHeatSet());

    ASSERT_TRUE(f.dlg.PreHtBtnClick());
    if (byNo) {
      f.dlg.PreHeatClosed(false);
    } else {
      f.dlg.PreHeatDialog()->AEdit.SetText("0");
      ASSERT_TRUE(f.dlg.PreHeatDialog()->OkPressed(f.src));
      f.dlg.PreHeatClosed(true);
    }
    EXPECT_FALSE(f.dlg.PreHeatSet());
    EXPECT_FALSE(f.dlg.Visible("PrehtLabel"));
    EXPECT_TRUE(f.dlg.Enabled("tSelect"));
    EXPECT_TRUE(f.dlg.Enabled("tEdit"));
    ASSERT_TRUE(f.dlg.OkPressed(f.src));
    EXPECT_EQ(f.src.FpreFn, SpaceShape::Zero);
    EXPECT_EQ(Dbl(f.src.QPreAmp), 0.0);
  }
}

TEST(QextDialog, PreHeatingRefusesANegativeFluenceAndAZeroDepth) {
  struct Case {
    const char* F;
    const char* d;
    const char* focus;
    std::string reason;
  };
  const Case cases[] = {
      {"-1", "20", "AEdit", std::string(kBadPreF.reason)},
      {"5", "0", "dEdit", std::string(kBadPreD.reason)},
      {"q", "20", "AEdit", "F is not a number"},
      {"5", "--", "dEdit", "d is not a number"},
  };
  for (const Case& c : cases) {
    Filled f;
    f.dlg.dEdit.SetText("-10");
    ASSERT_TRUE(f.dlg.PreHtBtnClick());
    TQextDialog* pre = f.dlg.PreHeatDialog();
    pre->AEdit.SetText(c.F);
    pre->dEdit.SetText(c.d);
    const TQextResult r = pre->OkPressed(f.src);
    EXPECT_FALSE(r.accepted) << c.F << " " << c.d;
    EXPECT_EQ(r.focus, c.focus);
    EXPECT_EQ(r.message, c.reason);
  }
}

TEST(QextDialog, PreHeatingLabelEndsWithTheShapeMark) {
  const char* ends[] = {" ()^2)", ")", " [=])", ""};
  for (int32_t item = 0; item < kSpaceShapeCount; ++item) {
    Filled f;
    f.dlg.dEdit.SetText("-10");
    ASSERT_TRUE(f.dlg.PreHtBtnClick());
    TQextDialog* pre = f.dlg.PreHeatDialog();
    pre->AEdit.SetValue(2);
    pre->dEdit.SetValue(7);
    pre->xSelect = item;
    ASSERT_TRUE(pre->OkPressed(f.src));
    f.dlg.PreHeatClosed(true);
    EXPECT_EQ(f.dlg.PrehtLabel, std::string("( -: F=2mJ/cm^2, d=7nm") + ends[item]);
  }
}

}  // namespace
}  // namespace tarvex
