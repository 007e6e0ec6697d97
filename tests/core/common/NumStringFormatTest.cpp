// The number format: output styles, the tolerant reading of typed numbers, key filtering,
// reading numbers out of text lines, separators and shared formats.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/common/FpGuard.h"
#include "core/common/NumStringFormat.h"

namespace tarvex {
namespace {

using FF = TFloatFormat;

TNumStringFormat MakeFormat(FF type, uint8_t pressigion = TNumStringFormat::kNoPressigion,
                            int8_t width = 0) {
  TNumStringFormat f;
  f.SetFormatType(type);
  f.SetPressigion(pressigion);
  f.SetWidth(width);
  return f;
}

// ---------------------------------------------------------------- reading

TEST(NumStringFormat, ReadsTolerantSyntax) {
  struct Case {
    const char* text;
    Real expected;
  };
  const Case cases[] = {
      {"2,5d3", 2500},  // comma as point, D exponent
      {"2.5E3", 2500},
      {"2.5*10**3", 2500},
      {"2.5*10^3", 2500},
      {"2 500", 2500},  // blank as grouping
      {"E5", 1e5L},     // a bare exponent means 1E5
      {"-E5", -1e5L},
      {"-.5", -0.5L},
      {".5", 0.5L},
      {"+5", 5},
      {"- 5", -5},
      {"  7\t", 7},
      {"1.5q2", 150},
      {"1.5e-3", 0.0015L},
      {"1.5E -3", 0.0015L},  // blank between exponent letter and sign
      {"10**3", 1000},
      {"10^-3", 0.001L},
      {"2.5*10**-3", 0.0025L},
      {"2.5 10^3", 2500},
      {"1,000.5", 1000.5L},  // comma before a point is grouping
      {"1_000.5", 1000.5L},
      {"1_000", 1000},  // underscore never is the point
      {"{1 000}", 1000},
      {"1E-99999", 0},  // below the smallest subnormal: zero, not an error
  };
  const TNumStringFormat f;
  for (const Case& c : cases) {
    Real v = -42;
    EXPECT_EQ(f.Parse(c.text, v), TConvertStatus::Ok) << c.text;
    EXPECT_EQ(v, c.expected) << c.text;
    EXPECT_TRUE(f.IsValidNumber(c.text)) << c.text;
  }
}

TEST(NumStringFormat, RejectsNonNumbersWithoutChangingTheValue) {
  struct Case {
    std::string text;
    TConvertStatus status;
  };
  const Case cases[] = {
      {"", TConvertStatus::NotNumberChars},
      {"   ", TConvertStatus::NotNumberChars},
      {"abc", TConvertStatus::NotNumberChars},
      {"1x", TConvertStatus::NotNumberChars},
      {"nan", TConvertStatus::NotNumberChars},
      {"inf", TConvertStatus::NotNumberChars},
      {"0x10", TConvertStatus::NotNumberChars},
      {"2*3", TConvertStatus::NotNumberChars},
      {"10**", TConvertStatus::NotNumber},
      {"5-3", TConvertStatus::NotNumberChars},  // a sign inside the mantissa
      {"--5", TConvertStatus::NotNumberChars},
      {"1..5", TConvertStatus::NotNumberChars},
      {"1.2.3", TConvertStatus::NotNumberChars},
      {"1E5E5", TConvertStatus::NotNumberChars},
      {"1E2.5", TConvertStatus::NotNumberChars},      // no point in the exponent
      {"1.234,5E3", TConvertStatus::NotNumberChars},  // ambiguous grouping
      {"\xC3\xA9", TConvertStatus::NotNumberChars},   // UTF-8 letter
      {"1\xFF", TConvertStatus::NotNumberChars},
      {std::string("1\0002", 3), TConvertStatus::NotNumberChars},
      {"-", TConvertStatus::NotNumber},
      {"+", TConvertStatus::NotNumber},
      {"E", TConvertStatus::NotNumber},
      {"1E", TConvertStatus::NotNumber},
      {"1E+", TConvertStatus::NotNumber},
      {"1E99999", TConvertStatus::OutOfRange},
      {"-1E5000", TConvertStatus::OutOfRange},
  };
  const TNumStringFormat f;
  for (const Case& c : cases) {
    Real v = 42;
    EXPECT_EQ(f.Parse(c.text, v), c.status) << c.text;
    EXPECT_FALSE(f.TryParse(c.text, v)) << c.text;
    EXPECT_FALSE(f.IsValidNumber(c.text)) << c.text;
    EXPECT_EQ(v, 42) << c.text;
  }
}

TEST(NumStringFormat, KeepsTheFullExtendedPrecision) {
  const TNumStringFormat f;
  Real v = 0;
  ASSERT_TRUE(f.TryParse("0.1", v));
  EXPECT_EQ(v, 0.1L);
  EXPECT_NE(v, static_cast<Real>(0.1));  // not read through double
  // 1 + 1e-19 lies nearer to 1 + 2^-63 than to 1; a double would give exactly 1.
  ASSERT_TRUE(f.TryParse("1.0000000000000000001", v));
  EXPECT_EQ(v, 1.0L + 0x1p-63L);
}

TEST(NumStringFormat, TryParseKeepsTheExactValueOfUnchangedText) {
  const TNumStringFormat f = MakeFormat(FF::ffGeneral, 3);
  const Real third = 1.0L / 3;
  Real v = third;
  ASSERT_EQ(f.FormatValue(v), "0.333");
  EXPECT_TRUE(f.TryParse(" 0.333 ", v));
  EXPECT_EQ(v, third);
  EXPECT_TRUE(f.TryParse("0.3330", v));  // different text: read
  EXPECT_EQ(v, 0.333L);
}

TEST(NumStringFormat, ParsingAndFormattingLeaveTheFloatingPointFlagsAlone) {
  const TNumStringFormat f;
  FpGuard guard;
  Real v = 0;
  EXPECT_EQ(f.Parse("1E99999", v), TConvertStatus::OutOfRange);
  EXPECT_EQ(f.Parse("1E-99999", v), TConvertStatus::Ok);
  EXPECT_EQ(f.FormatValue(std::numeric_limits<Real>::quiet_NaN()), "NAN");
  EXPECT_FALSE(guard.Faulted());
}

// ---------------------------------------------------------------- output

// A vanishing flux is computed as -k * 0 = -0; the tables and fields show it as 0.
TEST(NumStringFormat, SignedZeroShowsAsZero) {
  const TNumStringFormat f;
  EXPECT_EQ(f.FormatValue(-0.0L), f.FormatValue(0.0L));
  EXPECT_EQ(f.FormatValue(-0.0L).find('-'), std::string::npos);
}

TEST(NumStringFormat, FormatsEachStyle) {
  struct Case {
    TNumStringFormat format;
    Real x;
    const char* expected;
  };
  const Real inf = std::numeric_limits<Real>::infinity();
  const Case cases[] = {
      {MakeFormat(FF::ffGeneral), 1234.5L, "1234.5"},
      {MakeFormat(FF::ffGeneral), 1e-9L, "1E-09"},
      {MakeFormat(FF::ffGeneral, 3), 1.0L / 3, "0.333"},
      {MakeFormat(FF::ffExponent, 2), 1234.5678L, "1.23E+03"},
      {MakeFormat(FF::ffFixed, 2, 8), 3.14159L, "    3.14"},
      {MakeFormat(FF::ffFixed, 2, -8), 3.14159L, "3.14    "},
      // FirstPoint: leading blank, point before the first digit, exponent raised by one.
      {MakeFormat(FF::ffNumber, 4), 123.45L, " .12345E+03"},
      {MakeFormat(FF::ffNumber, 4, 14), 123.45L, "    .12345E+03"},
      {MakeFormat(FF::ffNumber, 4, -14), 123.45L, " .12345E+03   "},
      {MakeFormat(FF::ffNumber, 4), -123.45L, "-.12345E+03"},
      {MakeFormat(FF::ffNumber), 0, " .0000000E+00"},  // first digit 0: same digit count
      {MakeFormat(FF::ffNumber, 0), 0, " .0E+00"},
      {MakeFormat(FF::ffNumber, 1), 2.5e-13L, " .25E-12"},
      {MakeFormat(FF::ffNumber, 0), 0.5L, " .5E+00"},
      {MakeFormat(FF::ffNumber, 1), 1e100L, " .10E+101"},
      {MakeFormat(FF::ffNumber, 2), -inf, "-INF"},
      {TNumStringFormat(FF::ffCurrency), 1234.5L, "1234.50"},
      {TNumStringFormat(FF::ffCurrency, 0), 2.5L, "2"},
      {MakeFormat(FF::ffGeneral), inf, "INF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.format.FormatValue(c.x), c.expected) << c.format.FormatString();
  }
}

TEST(NumStringFormat, StylesGiveThePrintfDigits) {
  // The digits of each style are those of printf with the L modifier ("C" locale,
  // exponent letter in upper case); checked over precisions, widths and magnitudes.
  const Real values[] = {0,        -1.5L,          1.0L / 3, 6.02214076e23L,
                         -1e-300L, 123456789.125L, 1e-5L,    2e4000L};
  const FF types[] = {FF::ffGeneral, FF::ffExponent, FF::ffFixed};
  const char letters[] = {'g', 'e', 'f'};
  const int precisions[] = {0, 3, 17, 25, TNumStringFormat::kNoPressigion};
  const int widths[] = {0, 30, -30};
  for (int t = 0; t < 3; ++t) {
    for (int p : precisions) {
      for (int w : widths) {
        const TNumStringFormat f =
            MakeFormat(types[t], static_cast<uint8_t>(p), static_cast<int8_t>(w));
        for (Real x : values) {
          if (types[t] == FF::ffFixed && x > 1e100L) continue;  // 4000 digits: no need
          std::string printfFormat = "%*.*L";
          printfFormat += letters[t];
          std::vector<char> buf(8000);
          std::snprintf(buf.data(), buf.size(), printfFormat.c_str(), w,
                        p == TNumStringFormat::kNoPressigion ? 6 : p, x);
          std::string expected(buf.data());
          for (char& ch : expected) {
            if (ch == 'e') ch = 'E';
          }
          EXPECT_EQ(f.FormatValue(x), expected) << f.FormatString();
        }
      }
    }
  }
}

TEST(NumStringFormat, FormatStringFollowsTypePrecisionAndWidth) {
  TNumStringFormat f;
  EXPECT_EQ(f.FormatString(), "%g");
  f.SetWidth(10);
  f.SetPressigion(3);
  f.SetFormatType(FF::ffExponent);
  EXPECT_EQ(f.FormatString(), "%10.3e");
  f.SetFormatType(FF::ffNumber);
  EXPECT_EQ(f.FormatString(), "%10.3e");
  f.SetFormatType(FF::ffFixed);
  f.SetWidth(-8);
  EXPECT_EQ(f.FormatString(), "%-8.3f");
  EXPECT_EQ(TNumStringFormat(FF::ffCurrency).FormatString(), "%m");
}

TEST(NumStringFormat, CurrencyTypeLeavesTheFormatUnchanged) {
  TNumStringFormat f = MakeFormat(FF::ffFixed, 2, 9);
  const std::string before = f.FormatValue(2.5L);
  f.SetFormatType(FF::ffCurrency);
  EXPECT_EQ(f.FormatType(), FF::ffFixed);
  EXPECT_EQ(f.FormatString(), "%9.2f");
  EXPECT_EQ(f.FormatValue(2.5L), before);
}

// ---------------------------------------------------------------- separators

TEST(NumStringFormat, CustomSeparatorIsWrittenAndRead) {
  TNumStringFormat f;
  ASSERT_TRUE(f.SetDecSeparator(','));
  EXPECT_FALSE(f.DefaultDec());
  EXPECT_EQ(f.GetDecSeparator(), ',');
  EXPECT_EQ(f.FormatValue(1.5L), "1,5");
  f.SetFormatType(FF::ffNumber);
  f.SetPressigion(2);
  EXPECT_EQ(f.FormatValue(-12.5L), "-,125E+02");
  Real v = 0;
  ASSERT_TRUE(f.TryParse("-,125E+02", v));
  EXPECT_EQ(v, -12.5L);

  f.SetDefaultDec(true);  // back to the system separator
  EXPECT_EQ(f.GetDecSeparator(), '.');
  EXPECT_EQ(f.FormatValue(-12.5L), "-.125E+02");

  ASSERT_TRUE(f.SetDecSeparator(';'));  // not reserved: becomes a number character
  f.SetFormatType(FF::ffGeneral);
  EXPECT_EQ(f.FormatValue(1.5L), "1;5");
  ASSERT_TRUE(f.TryParse("2;5*10**3", v));
  EXPECT_EQ(v, 2500);
}

TEST(NumStringFormat, ReservedSeparatorsAreRefused) {
  for (char c : {'5', 'E', 'e', 'd', '+', '-', ' ', '{', '}', '*', '^', '\t', '\0', '\xE9'}) {
    TNumStringFormat f;
    ASSERT_TRUE(f.SetDecSeparator(';'));
    EXPECT_FALSE(f.SetDecSeparator(c)) << static_cast<int>(c);
    EXPECT_EQ(f.GetDecSeparator(), ';');
    EXPECT_EQ(f.FormatValue(0.5L), "0;5");
  }
  TNumStringFormat f;
  EXPECT_TRUE(f.SetDecSeparator('_'));  // already a decimal character
  Real v = 0;
  ASSERT_TRUE(f.TryParse("1_5", v));  // the custom underscore is a point
  EXPECT_EQ(v, 1.5L);
}

TEST(NumStringFormat, CommaSystemSeparator) {
  TNumStringFormat f;
  ASSERT_TRUE(f.SetSystemSeparators(',', '.'));
  EXPECT_EQ(f.FormatValue(1.5L), "1,5");
  EXPECT_EQ(f.Normalise("-.5").value_or("?"), "-0,5");
  Real v = 0;
  ASSERT_TRUE(f.TryParse("1.234,5", v));
  EXPECT_EQ(v, 1234.5L);
  ASSERT_TRUE(f.TryParse("1.234,5E3", v));
  EXPECT_EQ(v, 1234500);
  ASSERT_TRUE(f.TryParse("2.5", v));  // a lone point is still read as the point
  EXPECT_EQ(v, 2.5L);

  EXPECT_FALSE(f.SetSystemSeparators('.', '.'));
  EXPECT_FALSE(f.SetSystemSeparators('5', ','));
  EXPECT_FALSE(f.SetSystemSeparators('.', 'E'));
  EXPECT_EQ(f.SystemDecSeparator(), ',');
}

TEST(NumStringFormat, AssignCopiesTheFormatButNotTheErrorPolicy) {
  TNumStringFormat source = MakeFormat(FF::ffNumber, 3, -12);
  ASSERT_TRUE(source.SetDecSeparator(','));
  source.SetRaiseConvertError(true);
  TNumStringFormat copy;
  copy.Assign(source);
  EXPECT_EQ(copy.FormatValue(2.5L), source.FormatValue(2.5L));
  EXPECT_EQ(copy.FormatString(), "%-12.3e");
  EXPECT_FALSE(copy.RaiseConvertError());
}

// ---------------------------------------------------------------- keys

TEST(NumStringFormat, AcceptKey) {
  struct Case {
    const char* text;
    size_t caret;
    char key;
    bool accepted;
    char inserted;
  };
  const Case cases[] = {
      {"", 0, '-', true, '-'},    // sign at the start
      {"5", 1, '-', false, '-'},  // not after a digit
      {"5E", 2, '-', true, '-'},  // after an exponent letter
      {"5e", 2, '+', true, '+'},
      {"-5", 0, '-', false, '-'},  // would give "--5"
      {"5", 1, 'e', true, 'E'},    // exponent letters are inserted as E
      {"5", 1, 'd', true, 'E'},
      {"5", 1, 'Q', true, 'E'},
      {"5E3", 1, 'e', false, 'E'},  // a second exponent
      {"5.", 2, 'E', false, 'E'},   // only after a digit
      {"", 0, 'E', true, 'E'},      // "E5" is a number
      {"5", 1, ',', true, '.'},     // point candidates become the separator
      {"5.5", 3, '.', false, '.'},  // a second point
      {"5E3", 3, '.', false, '.'},  // no point in the exponent
      {"-", 1, '.', true, '.'},     // right after a leading sign
      {"", 0, '.', true, '.'},
      {"1", 1, '7', true, '7'},  // digits always
      {"1", 1, ' ', true, ' '},  // grouping blank after a digit
      {"1 ", 2, ' ', false, ' '},
      {"", 0, ' ', true, ' '},
      {"1.5", 3, '_', true, '_'},  // underscore groups, never becomes the point
      {"1", 1, 'x', false, 'x'},
      {"1", 1, '*', false, '*'},
      {"1", 1, '\xE9', false, '\xE9'},
      {"1", 99, 'e', true, 'E'},  // caret past the end means the end
  };
  const TNumStringFormat f;
  for (const Case& c : cases) {
    const TKeyVerdict verdict = f.AcceptKey(c.key, c.text, c.caret);
    EXPECT_EQ(verdict.accepted, c.accepted) << '"' << c.text << "\" + " << c.key;
    EXPECT_EQ(verdict.key, c.inserted) << '"' << c.text << "\" + " << c.key;
  }
  TNumStringFormat custom;
  ASSERT_TRUE(custom.SetDecSeparator(';'));
  EXPECT_EQ(custom.AcceptKey('.', "5", 1).key, ';');
}

// ---------------------------------------------------------------- numbers in lines

TEST(NumStringFormat, ReadsALineOneNumberAfterAnother) {
  const TNumStringFormat f;
  std::string line = "  1.5\t-2.25E+03\t7";
  Real v = 0;
  ASSERT_TRUE(f.ConsumeFloat(line, v));
  EXPECT_EQ(v, 1.5L);
  EXPECT_EQ(line, "\t-2.25E+03\t7");
  ASSERT_TRUE(f.ConsumeFloat(line, v));
  EXPECT_EQ(v, -2250);
  ASSERT_TRUE(f.ConsumeFloat(line, v));
  EXPECT_EQ(v, 7);
  EXPECT_EQ(line, "");
  EXPECT_FALSE(f.ConsumeFloat(line, v));

  std::string ints = "  1.5\t-2.25E+03\t7";
  const int32_t expected[] = {1, 5, -2, 25, 3, 7};  // runs of digits only
  for (int32_t e : expected) {
    int32_t n = 0;
    ASSERT_TRUE(f.ConsumeInt(ints, n));
    EXPECT_EQ(n, e);
  }
  int32_t n = 0;
  EXPECT_FALSE(f.ConsumeInt(ints, n));
}

TEST(NumStringFormat, ExtractFloatFindsTheNumberText) {
  struct Case {
    const char* text;
    int32_t maxWidth;
    const char* number;
    Real value;
  };
  const Case cases[] = {
      {"x = -.5 cm", 0, "-.5", -0.5L},
      {"T=2.5*10^3K", 0, "2.5*10^3", 2500},
      {"3*4", 0, "3", 3},  // trailing characters dropped until it reads
      {"2.5E3.7", 0, "2.5E3", 2500},
      {"1-2", 0, "1", 1},
      {"12345", 3, "123", 123},        // width limit
      {"{1_000}", 0, "1_000}", 1000},  // grouping characters belong to the number
      {"E-5", 0, "-5", -5},            // a letter before the sign is not taken
  };
  const TNumStringFormat f;
  for (const Case& c : cases) {
    Real v = 0;
    std::string number;
    ASSERT_TRUE(f.ExtractFloat(c.text, v, &number, c.maxWidth)) << c.text;
    EXPECT_EQ(number, c.number) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
  // Width from the format when maxWidth < 0.
  const TNumStringFormat narrow = MakeFormat(FF::ffGeneral, 255, -4);
  Real v = 0;
  ASSERT_TRUE(narrow.ExtractFloat("1234567", v, nullptr, -1));
  EXPECT_EQ(v, 1234);
}

TEST(NumStringFormat, OutOfRangeNumbersAreNotShortened) {
  const TNumStringFormat f;
  std::string line = "1E99999\t2";
  Real v = 7;
  EXPECT_FALSE(f.ConsumeFloat(line, v));  // not 1E9999, not 1E999
  EXPECT_EQ(line, "1E99999\t2");
  EXPECT_EQ(v, 7);
  int32_t n = 7;
  EXPECT_FALSE(f.ExtractInt("x 99999999999", n));
  EXPECT_TRUE(f.ExtractInt("x -2147483648", n));
  EXPECT_EQ(n, std::numeric_limits<int32_t>::min());
  EXPECT_FALSE(f.ExtractFloat("no digits here", v));
}

// ---------------------------------------------------------------- field parse

TEST(NumStringFormat, ParseFieldShowsTextAndReportsErrors) {
  TNumStringFormat f = MakeFormat(FF::ffGeneral, 4);
  Real v = 1;
  TFieldParse r = f.ParseField("2,5d3", v, false);
  EXPECT_TRUE(r.Accepted());
  EXPECT_EQ(r.text, "2,5d3");  // the user's text stays
  EXPECT_EQ(v, 2500);
  r = f.ParseField("1/3", v, true);
  EXPECT_FALSE(r.Accepted());
  EXPECT_EQ(r.text, "2500");  // the old value again
  EXPECT_EQ(r.message, "Not Float Number Char(s)");
  EXPECT_EQ(v, 2500);
  r = f.ParseField("0.125", v, true);
  EXPECT_EQ(r.text, "0.125");

  f.SetRaiseConvertError(true);
  EXPECT_THROW(f.ParseField("1/3", v, false), ConvertError);
  try {
    f.ParseField("1E", v, false);
    FAIL() << "no exception";
  } catch (const ConvertError& e) {
    EXPECT_EQ(std::string(e.what()), "'1E' is not a valid floating point value");
  }
  EXPECT_EQ(v, 0.125L);
  EXPECT_NO_THROW(f.CheckField("1/3", v, false));
}

// ---------------------------------------------------------------- robustness

TEST(NumStringFormat, RandomTextNeverBreaksTheReader) {
  // Strings of number characters, ignored characters and others, with a fixed seed.
  const std::string alphabet =
      "0123456789+-.,_eEdDqQ"  // number characters
      " {}"                    // ignored
      "*^10x/\t\n\xFF\x80#";   // others, and the pieces of "10**" and "10^"
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 24);
  const TNumStringFormat f;
  int32_t valid = 0;
  for (int k = 0; k < 5000; ++k) {
    std::string s;
    for (int n = length(rng); n > 0; --n) s += alphabet[pick(rng)];

    const std::optional<std::string> normalised = f.Normalise(s);
    Real v = 0;
    const TConvertStatus status = f.Parse(s, v);
    if (!normalised) {
      EXPECT_EQ(status, TConvertStatus::NotNumberChars) << s;
    }
    if (f.IsValidNumber(s)) {
      ++valid;
      Real w = -1;
      ASSERT_TRUE(f.TryParse(s, w)) << s;
      EXPECT_EQ(w, v) << s;
      EXPECT_TRUE(std::isfinite(w)) << s;
      // The normalised text reads as the same number.
      Real again = 0;
      ASSERT_EQ(f.Parse(*normalised, again), TConvertStatus::Ok) << s;
      EXPECT_EQ(again, v) << s;
    }

    // Reading the string as a line: every number read is a piece of it, and the line
    // gets shorter each time.
    std::string line = s;
    Real x = 0;
    while (true) {
      std::string number;
      size_t end = 0;
      if (!f.ExtractFloat(line, x, &number, 0, &end)) break;
      ASSERT_LE(end, line.size());
      ASSERT_NE(line.find(number), std::string::npos);
      Real check = 0;
      EXPECT_EQ(f.Parse(number, check), TConvertStatus::Ok) << number;
      EXPECT_EQ(check, x) << number;
      ASSERT_GT(end, 0u);
      line.erase(0, end);
    }
  }
  EXPECT_GT(valid, 100);  // the alphabet does produce numbers, so both paths ran
}

TEST(NumStringFormat, HugeInputsAreHandledQuickly) {
  const TNumStringFormat f;
  const auto start = std::chrono::steady_clock::now();
  Real v = 3;
  EXPECT_EQ(f.Parse(std::string(1'000'000, '9'), v), TConvertStatus::OutOfRange);
  EXPECT_EQ(f.Parse("0." + std::string(100'000, '0') + "1", v), TConvertStatus::Ok);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(f.Parse("1" + std::string(100'000, ' ') + "2", v), TConvertStatus::Ok);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(f.Parse(std::string(100'000, 'x'), v), TConvertStatus::NotNumberChars);
  EXPECT_FALSE(f.ExtractFloat(std::string(1'000'000, '1'), v));  // no number is that long
  EXPECT_FALSE(f.IsValidNumber(std::string(10'000, '.')));
  std::string dots(100'000, '.');
  dots += "5";
  EXPECT_TRUE(f.ExtractFloat(dots, v));
  EXPECT_EQ(v, 0.5L);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  // Generous: only a quadratic blow-up would come near it.
  EXPECT_LT(std::chrono::duration<double>(elapsed).count(), 20.0);
}

// ---------------------------------------------------------------- TNumStrCt

TEST(NumStrCt, FollowerSharesTheControlFormatAndOutlivesIt) {
  auto control = std::make_unique<TNumStrCt>();
  control->SetFormatType(FF::ffFixed);
  TNumStrCt follower;
  follower.SetFormatControl(*control);
  EXPECT_FALSE(follower.OwnsFormat());
  control->SetPressigion(2);  // one format object: the follower sees it
  EXPECT_EQ(follower.Pressigion(), 2);
  follower.SetWidth(6);  // and changes reach the control
  EXPECT_EQ(control->Width(), 6);

  control.reset();  // the follower's format stays valid
  EXPECT_EQ(follower.Format().FormatValue(1.5L), "  1.50");

  TNumStrCt other;
  other.SetFormatControl(follower);
  follower.ReleaseFormatControl();  // own copy of the same settings
  EXPECT_TRUE(follower.OwnsFormat());
  EXPECT_EQ(follower.Format().FormatValue(1.5L), "  1.50");
  follower.SetPressigion(0);
  EXPECT_EQ(other.Pressigion(), 2);

  const TNumStrCt copy(follower);  // a copy of an owner owns its own format
  follower.SetPressigion(5);
  EXPECT_EQ(copy.Pressigion(), 0);
}

}  // namespace
}  // namespace tarvex
