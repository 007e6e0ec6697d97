// Characters outside the ASCII range: welcome in texts and comments, refused with the line
// where TOML allows none (the TOML parser in use runs into undefined behaviour there).
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "runfile/RunFile.h"

namespace tarvex::runfile {
namespace {

TEST(RunFileSyntax, NonAsciiInTextsAndCommentsIsRead) {
  const char* const texts[] = {
      "# Dichte \xc3\xa9 \xc3\x8c \xef\xbc\x81\n[main]\nLen = 1\n",
      "[answers]\n\"Use I EOS for glass? \xc3\xa9\" = \"No\"\n",
      "[save]\nAddStr = 'ps\xc3\x8c'\n",
      "[save]\nAddStr = \"\"\"\n\xc3\x8c\\\"\"\"\"\n",
      "[save]\nAddStr = '''\xc3\x8c'''\n",
      "\xef\xbb\xbf[main]\nLen = 1\n",  // a byte-order mark
  };
  for (const char* text : texts) {
    const ReadResult r = ParseRunFile(text, "a.toml");
    EXPECT_TRUE(r.ok()) << text << ": " << (r.ok() ? "" : r.errors.front().Text());
  }
}

TEST(RunFileSyntax, NonAsciiBetweenTheTokensIsRefusedWithItsLine) {
  struct Case {
    const char* text;
    int32_t line;
  };
  const Case cases[] = {
      {"[main]\nLen = 1 \xc3\xa9\n", 2},
      {"[main]\n\xc3\x8cLen = 1\n", 2},
      {"[main]\nLen = \"1\" \xef\xbc\x81\n", 2},
      {"[save]\nAddStr = \"\"\"a\\\xc3\x8c\"\"\"\n", 2},
      {"[save]\nAddStr = \"\"\"a\\\n   \xc3\x8c\"\"\"\n", 3},
      {"[save]\nAddStr = \"\"\"x\"\"\"\"\" \xc3\x8c\n", 2},
      // A quote inside a bare token opens no string: the parser reads on through it.
      {"[eos.film]\nEqType =+\"Temp\xef\xbb\x95\" \n", 2},
  };
  for (const Case& c : cases) {
    const ReadResult r = ParseRunFile(c.text, "a.toml");
    ASSERT_EQ(r.errors.size(), 1u) << c.text;
    EXPECT_EQ(r.errors.front().line, c.line) << c.text;
    EXPECT_NE(r.errors.front().message.find("TOML syntax"), std::string::npos);
    EXPECT_NE(r.errors.front().message.find("outside a text or a comment"), std::string::npos)
        << r.errors.front().Text();
  }
}

}  // namespace
// The printed text of a number is the shortest that reads back to the same extended
// value: one digit fewer reads as another value, and 0.1 stays 0.1.
TEST(RunFileSyntax, ExactTextIsTheShortestThatReadsBack) {
  EXPECT_EQ(ExactText(0.1L), "0.1");
  EXPECT_EQ(ExactText(2.7L), "2.7");
  std::mt19937_64 rng(12);
  for (int k = 0; k < 2000; ++k) {
    const int exponent = static_cast<int>(rng() % 80) - 40;
    const Real x =
        std::ldexp(static_cast<Real>(rng()) / static_cast<Real>(UINT64_MAX) + 0.5L, exponent) *
        ((k % 2 == 0) ? 1 : -1);
    const std::string t = ExactText(x);
    Real back = 0;
    ASSERT_EQ(std::from_chars(t.data(), t.data() + t.size(), back).ec, std::errc{}) << t;
    EXPECT_EQ(back, x) << t;
    char shorter[64];
    int sig = 1;
    for (; sig <= 21; ++sig) {
      std::snprintf(shorter, sizeof shorter, "%.*Lg", sig, x);
      Real y = 0;
      std::from_chars(shorter, shorter + std::strlen(shorter), y);
      if (y == x) break;
    }
    // The shortest round-trip has `sig` significant digits; ExactText has no more.
    std::string mant = t.substr(0, t.find_first_of("eE"));
    mant.erase(std::remove(mant.begin(), mant.end(), '-'), mant.end());
    mant.erase(std::remove(mant.begin(), mant.end(), '.'), mant.end());
    mant.erase(0, mant.find_first_not_of('0'));
    mant.erase(mant.find_last_not_of('0') + 1);
    EXPECT_LE(static_cast<int>(mant.size()), sig) << t;
  }
}

}  // namespace tarvex::runfile
