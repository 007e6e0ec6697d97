// Number texts of the graphs: rounding, the axis label texts in every label format, and
// independence from the process locale.
#include "core/plot/PlotFormat.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace tarvex {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  const struct {
    Real v, r;
  } cases[] = {{2.5L, 2},    {1.5L, 2},    {3.5L, 4},  {-2.5L, -2}, {-1.5L, -2},
               {2.4999L, 2}, {2.5001L, 3}, {-0.2L, 0}, {7, 7}};
  for (const auto& c : cases) EXPECT_EQ(RoundHalfEven(c.v), c.r) << c.v;
}

TEST(FormatAxisNumber, LabelTextsPerFormat) {
  const struct {
    Real v;
    LabelFormat format;
    const char* text;
  } cases[] = {
      {1000, LabelFormat::Exponent(1), "1E3"},        // "1.0e+03": ".0", '+', zero go
      {1, LabelFormat::Exponent(1), "1E0"},           // the exponent keeps one digit
      {-1e-12L, LabelFormat::Exponent(1), "-1E-12"},  // sign of the mantissa and exponent
      {2.5e5L, LabelFormat::Exponent(1), "2.5E5"},    // only a "1.0" mantissa is shortened
      {1.0e100L, LabelFormat::Exponent(1), "1E100"},
      {1.5e-9L, LabelFormat::General(), "1.5E-9"},  // "%g" in exponent form
      {123456, LabelFormat::General(), "123456"},
      {1e6L, LabelFormat::General(), "1E6"},
      {-0.0L, LabelFormat::General(), "0"},  // no "-0"
      {-0.0L, LabelFormat::Fixed(1), "0.0"},
      {0.25L, LabelFormat::Fixed(1), "0.2"},  // printf rounding of the tie
      {12.2L, LabelFormat::Fixed(0), "12"},
      {20, LabelFormat::General(1), "2E1"},
      {0.3L, LabelFormat::General(1), "0.3"},
      {63, LabelFormat::General(2), "63"},
      {1234, LabelFormat::General(3), "1.23E3"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatAxisNumber(c.v, c.format), c.text) << c.format.Text() << " " << c.v;
  }
}

TEST(LabelFormat, PrintfSpelling) {
  EXPECT_EQ(LabelFormat::General().Text(), "%g");
  EXPECT_EQ(LabelFormat::Exponent(1).Text(), "%.1e");
  EXPECT_EQ(LabelFormat::General(2).Text(), "%.2g");
  EXPECT_EQ(LabelFormat::Fixed(3).Text(), "%.3f");
}

// Restores the numeric locale of the process when the test ends.
class NumericLocale {
 public:
  NumericLocale() : saved_(std::setlocale(LC_NUMERIC, nullptr)) {}
  ~NumericLocale() { std::setlocale(LC_NUMERIC, saved_.c_str()); }
  // Tries locales that write a decimal comma; true when one is active.
  bool UseDecimalComma() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "ru_RU.UTF-8", "ru_RU.utf8",
                             "fr_FR.UTF-8", "fr_FR.utf8", "de_DE", "ru_RU"}) {
      if (std::setlocale(LC_NUMERIC, name) != nullptr) return true;
    }
    return false;
  }

 private:
  std::string saved_;
};

TEST(PrintfReal, DecimalPointIsAlwaysAPoint) {
  NumericLocale locale;
  if (!locale.UseDecimalComma()) GTEST_SKIP() << "no locale with a decimal comma installed";
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5");  // the locale is really in effect
  EXPECT_EQ(PrintfReal(PrintfStyle::Fixed, 3, 2.25L), "2.250");
  EXPECT_EQ(PrintfReal(PrintfStyle::General, 4, -1.2344e-9L), "-1.234e-09");
  EXPECT_EQ(FormatAxisNumber(1000, LabelFormat::Exponent(1)), "1E3");
  EXPECT_EQ(FormatAxisNumber(0.5L, LabelFormat::Fixed(1)), "0.5");
}

TEST(PrintfReal, StylesAndPrecision) {
  EXPECT_EQ(PrintfReal(PrintfStyle::General, -1, 0.1L), "0.1");
  EXPECT_EQ(PrintfReal(PrintfStyle::General, 4, 123.456L), "123.5");
  EXPECT_EQ(PrintfReal(PrintfStyle::Exponent, 2, 6.02e23L), "6.02e+23");
  EXPECT_EQ(PrintfReal(PrintfStyle::Fixed, 0, 2.5L), "2");
  // Values beyond double keep their exponent (long double conversion).
  EXPECT_EQ(PrintfReal(PrintfStyle::General, 3, 1.5e400L), "1.5e+400");
}

}  // namespace
}  // namespace tarvex
