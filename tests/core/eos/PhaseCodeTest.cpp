// Phase codes: text form in both directions and the |code| mod 7 reduction.
#include <gtest/gtest.h>

#include <string>

#include "core/eos/PhaseCode.h"

namespace tarvex {
namespace {

TEST(PhaseCode, ReadsText) {
  struct Case {
    const char* text;
    PhaseCode code;
  };
  const Case cases[] = {
      {"LG", 4},
      {" S", 1},
      {"A", 7},
      {"x", 0},
      {"mSL", -2},
      {"mLG", -4},
      {"  sl\t", 2},
      {"-G", -5},
      {"M g", -5},
      {"Sae", 7},
      {"sEl", 9},
      {"Se", 8},
      {"Abc", 7},
      {"E", 8},
      {"Ex", 8},
      {"12", 12},
      {" 12", 12},
      {"m12", -12},
      {"3x", 3},
      {"O", 0},
      {"", 0},
      {"   ", 0},
      {"m", 0},
      {"SX", 0},
      {"+3", 0},
      {"2147483647", 2147483647},
      {"2147483648", 0},
      {"99999999999999999999999", 0},
      {"-99999999999999999999", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PhaseFromText(c.text), c.code) << '"' << c.text << '"';
  }
}

TEST(PhaseCode, WritesText) {
  struct Case {
    PhaseCode code;
    const char* text;
  };
  const Case cases[] = {
      {0, " o"},    {1, " S"},   {-4, "mLG"},  {7, " Sae"}, {9, " SeL"},
      {-9, "mSeL"}, {12, " 12"}, {-12, "m12"}, {10, " 10"}, {INT32_MIN, "m2147483648"}};
  for (const Case& c : cases) {
    EXPECT_EQ(PhaseText(c.code), c.text) << c.code;
  }
}

TEST(PhaseCode, EveryCodeRoundTrips) {
  for (PhaseCode code = -9; code <= 9; ++code) {
    EXPECT_EQ(PhaseFromText(PhaseText(code)), code) << PhaseText(code);
  }
  EXPECT_EQ(PhaseFromText(PhaseText(123)), 123);
  EXPECT_EQ(PhaseFromText(PhaseText(-123)), -123);
}

TEST(PhaseCode, ReductionIsMagnitudeModSeven) {
  EXPECT_EQ(PhaseReduced(4), 4);
  EXPECT_EQ(PhaseReduced(-4), 4);
  EXPECT_EQ(PhaseReduced(7), 0);
  EXPECT_EQ(PhaseReduced(-9), 2);
  EXPECT_EQ(PhaseReduced(11), 4);
  EXPECT_EQ(PhaseReduced(INT32_MIN), static_cast<PhaseCode>(2147483648LL % 7));
}

}  // namespace
}  // namespace tarvex
