// The numeric field model: exact values of untouched fields, typed text, Enter, Escape,
// focus, conversion errors and shared formats.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/common/NumStringFormat.h"
#include "core/common/RealField.h"

namespace tarvex {
namespace {

std::shared_ptr<TNumStringFormat> ThreeDigits() {
  auto f = std::make_shared<TNumStringFormat>();
  f->SetPressigion(3);
  return f;
}

TEST(RealField, UntouchedFieldReturnsTheExactStoredValue) {
  RealField field(ThreeDigits());
  const Real third = 1.0L / 3;
  field.SetValue(third);
  EXPECT_EQ(field.Text(), "0.333");
  EXPECT_FALSE(field.Modified());
  EXPECT_EQ(field.Value(), third);  // not 0.333

  field.SetText("0.333");  // retyped the same text: still the exact value
  EXPECT_EQ(field.Value(), third);
  field.SetText("0.3330");
  EXPECT_EQ(field.Value(), 0.333L);
  EXPECT_FALSE(field.Modified());
}

TEST(RealField, TypedTextIsReadAndShownAsTypedOrReformatted) {
  RealField field;
  field.SetText("2,5d3");
  EXPECT_TRUE(field.Modified());
  EXPECT_EQ(field.Value(), 2500);
  EXPECT_EQ(field.Text(), "2,5d3");

  field.SetValueFormat(true);
  EXPECT_EQ(field.Text(), "2500");  // switching ValueFormat on reformats
  field.SetText("2.5*10^-3");
  EXPECT_EQ(field.Value(), 0.0025L);
  EXPECT_EQ(field.Text(), "0.0025");
}

TEST(RealField, InvalidTextShowsTheStoredValueAgain) {
  RealField field;
  field.SetValue(7);
  field.SetText("7/2");
  Real v = 0;
  EXPECT_FALSE(field.TryGetValue(v));
  EXPECT_EQ(v, 7);
  EXPECT_EQ(field.Text(), "7");
  EXPECT_FALSE(field.Modified());

  // Without handler or exceptions Value() quietly keeps the stored value.
  field.SetText("1E");
  EXPECT_EQ(field.Value(), 7);

  std::string reported;
  field.SetOnConvertError([&](const std::string& message) { reported = message; });
  field.SetRaiseConvertError(true);  // the handler takes precedence
  field.SetText("abc");
  EXPECT_EQ(field.Value(), 7);
  EXPECT_EQ(reported, "Not Float Number Char(s)");

  field.SetOnConvertError(nullptr);
  field.SetText("1E99999");
  EXPECT_THROW(field.Value(), ConvertError);
  EXPECT_EQ(field.Text(), "7");  // restored before the exception left
  EXPECT_EQ(field.Value(), 7);
}

TEST(RealField, EnterAcceptsAndEscapeReturnsToTheLastAccepted) {
  RealField field;
  field.SetValue(1);
  field.SetText("2");
  EXPECT_TRUE(field.Enter());
  EXPECT_EQ(field.LastAccepted(), 2);

  field.SetText("3");
  EXPECT_EQ(field.Value(), 3);  // read, but not accepted with Enter
  field.Escape();
  EXPECT_EQ(field.Value(), 2);
  EXPECT_EQ(field.Text(), "2");

  field.SetText("x");
  EXPECT_FALSE(field.Enter());
  EXPECT_EQ(field.Text(), "2");
  EXPECT_EQ(field.LastAccepted(), 2);

  field.SetValueFormat(true);
  field.SetText("2,5d3");
  EXPECT_TRUE(field.Enter());
  EXPECT_EQ(field.Text(), "2500");
  EXPECT_EQ(field.LastAccepted(), 2500);
}

TEST(RealField, FocusInAcceptsTextChangedMeanwhile) {
  RealField field;
  field.SetValue(1);
  field.SetText("5");
  field.FocusIn();
  EXPECT_EQ(field.LastAccepted(), 5);
  field.SetText("bad");
  field.FocusIn();
  EXPECT_EQ(field.LastAccepted(), 5);
  EXPECT_EQ(field.Text(), "5");
  field.SetText("6");
  field.Escape();
  EXPECT_EQ(field.Value(), 5);
}

TEST(RealField, TypingKeysBuildsANumber) {
  RealField field;
  field.SetText("");
  const std::string keys = "2,5d3";
  for (char key : keys) EXPECT_TRUE(field.TypeKey(key, field.Text().size())) << key;
  EXPECT_EQ(field.Text(), "2.5E3");
  EXPECT_FALSE(field.TypeKey('x', 5));
  EXPECT_FALSE(field.TypeKey('-', 1));  // not after a digit
  EXPECT_TRUE(field.TypeKey('-', 4));   // after the exponent letter
  EXPECT_EQ(field.Text(), "2.5E-3");
  EXPECT_EQ(field.Value(), 0.0025L);
}

TEST(RealField, FieldsSharingAFormatFollowItsChanges) {
  auto control = std::make_unique<TNumStrCt>();
  RealField a;
  RealField b;
  a.SetFormatControl(*control);
  b.SetFormatControl(a);
  a.SetValue(1.0L / 3);
  b.SetValue(2.0L / 3);

  control->SetPressigion(2);
  a.Reformat();
  b.Reformat();
  EXPECT_EQ(a.Text(), "0.33");
  EXPECT_EQ(b.Text(), "0.67");
  EXPECT_EQ(b.Value(), 2.0L / 3);

  control.reset();  // the fields keep the format object alive
  b.SetValue(0.125L);
  EXPECT_EQ(b.Text(), "0.12");

  a.ReleaseFormatControl();
  TNumStringFormat fixed(TFloatFormat::ffFixed, 1);
  a.SetStringFormat(fixed);
  EXPECT_EQ(a.Text(), "0.3");
  EXPECT_EQ(b.Format().FormatType(), TFloatFormat::ffGeneral);  // b not affected
}

TEST(RealField, FormatChangeReadsPendingTextFirst) {
  RealField field;
  field.SetValue(1);
  field.SetText("5");
  field.SetStringFormat(TNumStringFormat(TFloatFormat::ffFixed, 2));
  EXPECT_EQ(field.Text(), "5.00");
  EXPECT_EQ(field.Value(), 5);
}

TEST(RealField, CopyOfAnOwningFieldHasItsOwnFormat) {
  RealField original(ThreeDigits());
  original.ReleaseFormatControl();
  original.SetValue(1.0L / 3);
  RealField copy(original);
  copy.SetStringFormat(TNumStringFormat(TFloatFormat::ffFixed, 1));
  EXPECT_EQ(copy.Text(), "0.3");
  original.Reformat();
  EXPECT_EQ(original.Text(), "0.333");
  EXPECT_EQ(copy.Value(), 1.0L / 3);
}

}  // namespace
}  // namespace tarvex
