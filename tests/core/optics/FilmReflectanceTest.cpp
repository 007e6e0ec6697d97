// The film reflectance model and the "reflectance" dialog's form model: defaults, Set R0,
// OK with and without a grid, CalcCurrent, refused input, states without reflectance.
#include "core/optics/FilmReflectance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/common/FpGuard.h"
#include "core/common/Prompter.h"
#include "core/optics/ReflectanceDialog.h"

namespace tarvex {
namespace {

const FilmCell kColdGold{300, 300, 19.3L};
const FilmCell kHotGold{1200, 9000, 18.1L};

TEST(FilmReflectance, DialogShowsTheDefaults) {
  Treflectance dialog;
  EXPECT_EQ(dialog.lambdaEdit.Text(), "800");
  EXPECT_EQ(dialog.HHEdit.Text(), "800");
  EXPECT_EQ(dialog.Rho00Edit.Text(), "19.5");
  EXPECT_EQ(dialog.Rho0Edit.Text(), "19.3");
  EXPECT_EQ(dialog.ensEdit.Text(), "-9.2");
  EXPECT_EQ(dialog.ksissEdit.Text(), "0.75");
  EXPECT_EQ(dialog.ksisdEdit.Text(), "1");
  EXPECT_EQ(dialog.R0Edit.Text(), "0");
  EXPECT_EQ(Treflectance::Caption, "reflectance");
}

TEST(FilmReflectance, ColdGoldIsAGoodMirrorAndHeatingLowersIt) {
  const FilmReflectance model;
  const Real Rcold = model.Reflectance(kColdGold.Ti, kColdGold.Te, kColdGold.rho);
  const Real Rhot = model.Reflectance(kHotGold.Ti, kHotGold.Te, kHotGold.rho);
  EXPECT_GT(Rcold, 0.95L);
  EXPECT_LT(Rcold, 1);
  EXPECT_LT(Rhot, Rcold);
  const FilmOptics o = model.Evaluate(300, 300, 19.3L);
  EXPECT_LT(o.eps.re, 0);  // a metal below its plasma frequency
  EXPECT_GT(o.eps.im, 0);  // and absorbing
  EXPECT_GE(o.n2.re, 0);
}

TEST(FilmReflectance, HalvingTheDensityDoublesTheOpticalThickness) {
  const FilmReflectance model;
  const FilmOptics full = model.Evaluate(300, 300, 19.3L);
  const FilmOptics half = model.Evaluate(300, 300, 19.3L / 2);
  EXPECT_EQ(full.f, 1);
  EXPECT_EQ(half.f, 0.5L);
  EXPECT_EQ(half.thickness, 2 * full.thickness);
  EXPECT_EQ(full.thickness, 800);
}

TEST(FilmReflectance, StatesWithoutReflectanceGiveQuietNaN) {
  FilmReflectance model;
  ASSERT_TRUE(model.SetR0(0.9L));
  const FpGuard guard;
  for (const FilmCell& c : {FilmCell{300, 300, 0}, FilmCell{300, 300, -1}, FilmCell{-5, 300, 19},
                            FilmCell{300, NAN, 19}}) {
    EXPECT_TRUE(std::isnan(model(c.Ti, c.Te, c.rho)));
  }
  // R0 not set: no relative change.
  model.SetR0(0);
  EXPECT_TRUE(std::isnan(model(300, 300, 19.3L)));
  EXPECT_FALSE(guard.Faulted());
  // Zero temperatures are a valid state (no collisions but the ion term).
  EXPECT_TRUE(std::isfinite(model.Reflectance(0, 0, 19.3L)));
  EXPECT_FALSE(guard.Faulted());
  // The permittivity of no matter is the vacuum's.
  EXPECT_EQ(model.Epsilon(0, 300, 300, 620), ComplexOne);
}

TEST(FilmReflectance, OkWithAGridTakesR0FromTheSurfaceSoTheFirstValueIsZero) {
  ReflectanceState st;
  Treflectance dialog;
  ScriptedPrompter pr;
  pr.Script(kAskPrintSave, Answer::Ok);
  const TreflectanceResult r = dialog.Ok(st, kColdGold, pr);
  ASSERT_TRUE(r.accepted) << r.reason;
  EXPECT_TRUE(r.print);
  EXPECT_TRUE(st.ReflectanceOn);
  const Real R = st.model.Reflectance(kColdGold.Ti, kColdGold.Te, kColdGold.rho);
  EXPECT_EQ(st.model.Params().R0, R);
  EXPECT_EQ(dialog.R0Edit.StoredValue(), R);
  EXPECT_EQ(st.model(kColdGold.Ti, kColdGold.Te, kColdGold.rho), 0);
  EXPECT_GT(st.model(kHotGold.Ti, kHotGold.Te, kHotGold.rho), 0);  // -dR/R0 > 0 when heated
  ASSERT_EQ(pr.asked.size(), 1u);
  EXPECT_EQ(pr.asked[0].text, "Print/Save?");
}

TEST(FilmReflectance, OkSwitchesTheOutputByR0) {
  ScriptedPrompter pr;
  {
    // No grid and R0 = 0: nothing to compare with, the output is off, no question.
    ReflectanceState st;
    st.ReflectanceOn = true;
    Treflectance dialog;
    ASSERT_TRUE(dialog.Ok(st, std::nullopt, pr).accepted);
    EXPECT_FALSE(st.ReflectanceOn);
    EXPECT_TRUE(pr.asked.empty());
  }
  {
    // Applied (not pressed) with R0 = 0: R0 is not taken from the grid.
    ReflectanceState st;
    Treflectance dialog;
    ASSERT_TRUE(dialog.Ok(st, kColdGold, pr, false).accepted);
    EXPECT_EQ(st.model.Params().R0, 0);
    EXPECT_FALSE(st.ReflectanceOn);
  }
  {
    // A typed R0 and parameters are stored; the question's No does not print.
    ReflectanceState st;
    Treflectance dialog;
    dialog.R0Edit.SetText("0.9");
    dialog.lambdaEdit.SetText("620");
    const TreflectanceResult r = dialog.Ok(st, kColdGold, pr);
    ASSERT_TRUE(r.accepted);
    EXPECT_FALSE(r.print);
    EXPECT_TRUE(st.ReflectanceOn);
    EXPECT_EQ(st.model.Params().R0, 0.9L);
    EXPECT_EQ(st.model.Params().lambda, 620);
  }
}

TEST(FilmReflectance, BadFieldsAreRefusedAndNothingIsStored) {
  struct Case {
    const char* field;
    const char* text;
  };
  const Case cases[] = {
      {"lambdaEdit", "0"}, {"lambdaEdit", "-800"}, {"HHEdit", "0"},       {"Rho00Edit", "-19"},
      {"Rho0Edit", "abc"}, {"ensEdit", "9.2"},     {"ksissEdit", "-0.1"}, {"ksisdEdit", "-1"},
      {"R0Edit", "1.5"},   {"R0Edit", "-0.2"},
  };
  for (const Case& c : cases) {
    ReflectanceState st;
    st.ReflectanceOn = true;
    Treflectance dialog;
    ScriptedPrompter pr;
    dialog.Field(c.field)->SetText(c.text);
    const TreflectanceResult r = dialog.Ok(st, kColdGold, pr);
    EXPECT_FALSE(r.accepted) << c.field << " = " << c.text;
    EXPECT_EQ(r.focus, c.field);
    EXPECT_FALSE(r.reason.empty());
    EXPECT_TRUE(st.ReflectanceOn);
    EXPECT_EQ(st.model.Params().R0, 0);
    EXPECT_EQ(st.model.Params().lambda, 800);
    EXPECT_TRUE(pr.asked.empty());
  }
}

TEST(FilmReflectance, SetR0NeedsACellWithReflectance) {
  ReflectanceState st;
  ASSERT_TRUE(st.model.SetR0(0.5L));
  Treflectance dialog;
  dialog.Open(st);
  TreflectanceResult r = dialog.SetR0(st, std::nullopt);
  EXPECT_FALSE(r.accepted);
  EXPECT_FALSE(r.reason.empty());
  r = dialog.SetR0(st, FilmCell{300, 300, 0});
  EXPECT_FALSE(r.accepted);
  EXPECT_EQ(r.focus, "R0Edit");
  EXPECT_EQ(st.model.Params().R0, 0.5L);
  // A good cell: R0 becomes its reflectance, also with the fields just typed.
  dialog.HHEdit.SetText("20");
  r = dialog.SetR0(st, kHotGold);
  ASSERT_TRUE(r.accepted);
  EXPECT_EQ(st.model.Params().HH, 20);
  EXPECT_EQ(st.model.Params().R0, st.model.Reflectance(kHotGold.Ti, kHotGold.Te, kHotGold.rho));
}

TEST(FilmReflectance, CalcCurrentShowsTheRelativeChange) {
  ReflectanceState st;
  Treflectance dialog;
  ScriptedPrompter pr;
  // Without a grid nothing happens.
  EXPECT_FALSE(dialog.CalcCurrent(st, std::nullopt, pr).accepted);
  // R0 = 0: it is set first, no message.
  ASSERT_TRUE(dialog.CalcCurrent(st, kColdGold, pr).accepted);
  EXPECT_TRUE(pr.informed.empty());
  EXPECT_GT(st.model.Params().R0, 0);
  // Then the value of the cell is shown as a number.
  ASSERT_TRUE(dialog.CalcCurrent(st, kHotGold, pr).accepted);
  ASSERT_EQ(pr.informed.size(), 1u);
  const Real shown = std::stold(pr.informed[0]);
  EXPECT_NEAR(static_cast<double>(shown),
              static_cast<double>(st.model(kHotGold.Ti, kHotGold.Te, kHotGold.rho)), 1e-5);
  EXPECT_GT(shown, 0);
}

TEST(FilmReflectance, RDatHeaderAndRecord) {
  const TNumStringFormat fmt;
  EXPECT_EQ(RDatHeader(), "time[ps]\t-dR/R0\r\n");
  EXPECT_EQ(RDatRecord(1.5L, 0.0125L, fmt), "     1.5\t0.0125\r\n");
  EXPECT_EQ(RDatRecord(1234.5678L, std::nanl(""), fmt), " 1234.57\tNAN\r\n");
}

}  // namespace
}  // namespace tarvex
