// The text formats of table sets: the description, grid files, real tables and the
// phase-code table, with their edge cases and refusals, and the written formats read
// back.
#include "core/eos/EosTableFiles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace tarvex {
namespace {

double D(Real v) {
  return static_cast<double>(v);
}

std::string Man(const std::string& tUnit, const std::string& extra = "") {
  return "Test set\r\n"
         "copper al.eos material 3\r\n"
         "  0.3          initial temperature\r\n"
         "  1.5 [" +
         tUnit +
         "]   final temperature\r\n"
         "  0.1          initial volume\r\n"
         "  0.2 [cm3/g]  final volume\r\n"
         "  5\r\n"
         "  4\r\n"
         "  0\r\n"
         "  1\r\n" +
         extra;
}

TEST(TableDescription, ReadsTheLayoutWithKiloKelvinAndMaterialList) {
  TTableDescription d;
  TableFileError err;
  ASSERT_TRUE(ParseTableDescription(
      Man("kK", "List of materials\r\none\r\ntwo\r\nCopper, 8.93 g/cm3\r\n"), "t.man", d, err))
      << err.Text();
  EXPECT_EQ(d.materialLine, 1);
  EXPECT_EQ(d.eosFile, "al.eos");
  EXPECT_EQ(d.materialNumber, 3);
  EXPECT_EQ(d.Material, "3 Copper, 8.93 g/cm3");
  EXPECT_EQ(d.TMult, 1000);
  EXPECT_NEAR(D(d.TIni), 300, 1e-13);
  EXPECT_NEAR(D(d.TFin), 1500, 1e-13);
  EXPECT_EQ(d.TUnit, "K");
  EXPECT_EQ(d.VMult, 1);  // the "3" of "cm3/g" is no multiplier
  EXPECT_EQ(d.VUnit, "cm3/g");
  EXPECT_EQ(d.RhoUnit, "g/cm3");
  EXPECT_EQ(d.NT, 5);
  EXPECT_EQ(d.NV, 4);
  EXPECT_FALSE(d.TLog);
  EXPECT_TRUE(d.VLog);
  EXPECT_EQ(d.TGridLabel, "Lin");
  EXPECT_EQ(d.VGridLabel.rfind("Log ", 0), 0u);
  EXPECT_NEAR(D(d.TStep), 300, 1e-12);

  RealArray T;
  std::string message;
  ASSERT_TRUE(MakeTableGrid(d.TIni, d.TFin, d.NT, d.TLog, T, message));
  const Real expected[] = {300, 600, 900, 1200, 1500};
  for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(D(T[i]), D(expected[i]), 1e-12);
}

TEST(TableDescription, MultipliersAndDimensionlessVolume) {
  const std::string text = "title\nmaterial\n2 10\n3 [K]\n1 0.5\n4 [-]\n2\n2\n1\n0\n";
  TTableDescription d;
  TableFileError err;
  ASSERT_TRUE(ParseTableDescription(text, "m.man", d, err)) << err.Text();
  EXPECT_EQ(d.TIni, 20);
  EXPECT_EQ(d.TMult, 10);
  EXPECT_EQ(d.VIni, Real(0.5));
  EXPECT_EQ(d.VUnit, "V0");
  EXPECT_EQ(d.RhoUnit, "1/V0");
  EXPECT_TRUE(d.TLog);
}

TEST(TableDescription, RefusalsNameTheLine) {
  struct Case {
    std::string text;
    const char* expected;
  };
  const Case cases[] = {
      {"title\nno such line\n", "m.man: no line names the material"},
      {"title\nmaterial 1\n300\n", "m.man:4: the description ends before the final temperature"},
      {"title\nmaterial 1\nabc\n", "m.man:3: no number for the initial temperature"},
      {"title\nmaterial 1\n1\n2 [K]\n1\n2\nfive\n", "m.man:7: no integer for the number of temp"},
      {"title\nmaterial 1\n1E99999\n", "m.man:3: no number"},
      {"material only in the title\n", "m.man: no line names the material"},
  };
  for (const Case& c : cases) {
    TTableDescription d;
    TableFileError err;
    EXPECT_FALSE(ParseTableDescription(c.text, "m.man", d, err));
    EXPECT_EQ(err.Text().rfind(c.expected, 0), 0u) << err.Text();
  }
}

TEST(TableGrid, GeneratedGridsRefuseImpossibleOnes) {
  RealArray g;
  std::string message;
  EXPECT_FALSE(MakeTableGrid(300, 1500, 1, false, g, message));  // no step with one point
  EXPECT_FALSE(MakeTableGrid(300, 1500, 2000000000, false, g, message));
  EXPECT_NE(message.find("100000"), std::string::npos);
  EXPECT_FALSE(MakeTableGrid(-1, 10, 5, true, g, message));
  ASSERT_TRUE(MakeTableGrid(1, 1000, 4, true, g, message));
  EXPECT_NEAR(D(g[1]), 10, 1e-15);
}

TEST(TableGridFile, ZerosSkippedMultiplierAndRefusals) {
  RealArray v;
  TableFileError err;
  ASSERT_TRUE(ParseGridFile("0 300\r\n 600,0", "temper.in", 1, v, err));
  ASSERT_EQ(v.size(), 2u);  // the zeros are no grid values
  EXPECT_EQ(v[1], 600);
  ASSERT_TRUE(ParseGridFile("0.3 0.6 0.9", "temper.in", 1000, v, err));
  EXPECT_NEAR(D(v[2]), 900, 1e-13);
  EXPECT_FALSE(ParseGridFile("300\n600\nsix hundred\n", "temper.in", 1, v, err));
  EXPECT_EQ(err.Text(), "temper.in:3: \"six\" is not a number");
  EXPECT_FALSE(ParseGridFile("300", "volume.in", 1, v, err));
  EXPECT_NE(err.message.find("at least 2"), std::string::npos);
  EXPECT_FALSE(ParseGridFile("1E4931 2E4931", "temper.in", 1000, v, err));  // overflows
}

RealArray ReadTable(const std::string& text, int32_t NT, int32_t NV, bool& ok,
                    std::string* message = nullptr, TAllowWord allow = nullptr) {
  RealArray v;
  TableFileError err;
  ok = ParseRealTable(text, "Pressu.tab", NT, NV, allow, v, err);
  if (message) *message = err.Text();
  return v;
}

TEST(TableRealFile, RowsOverLinesEmptyFieldsAndGluedFields) {
  bool ok = false;
  // A row written over two lines is one row; empty lines are skipped.
  RealArray v = ReadTable("1 2 3\r\n4\r\n\r\n5 6 7 8\r\n", 2, 4, ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(v, (RealArray{1, 2, 3, 4, 5, 6, 7, 8}));
  // An empty field between commas or tabs reads as 0.
  v = ReadTable("1,,3\n4\t\t6\n", 2, 3, ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(v, (RealArray{1, 0, 3, 4, 0, 6}));
  // Fields of 15 characters without a blank between them; a longer number in one piece.
  v = ReadTable("-1.2345678E-100-2.5E+00 1.23456789012345678E+100\n", 1, 3, ok);
  ASSERT_TRUE(ok);
  EXPECT_NEAR(D(v[0] * 1e100L), -1.2345678, 1e-15);
  EXPECT_EQ(v[1], Real(-2.5));
  EXPECT_NEAR(D(v[2] / 1e100L), 1.23456789012345678, 1e-15);
}

TEST(TableRealFile, TruncatedSurplusAndWordsAreRefusedWithTheLine) {
  struct Case {
    std::string text;
    const char* expected;
  };
  const Case cases[] = {
      {"1 2 3\n4 5\n", "Pressu.tab:2: the file ends inside row 2 (2 of 3 values)"},
      {"1 2 3\n", "Pressu.tab:1: the file holds 1 rows, the grid has 2 temperatures"},
      {"1 2 3\n4 5 6\n7\n", "Pressu.tab:3: more values than the 2 x 3 of the grid"},
      {"1 2 3\n4 x 6\n", "Pressu.tab:2: \"x\" in column 2 is not a number"},
      {"1 2 3\n4 1E99999 6\n", "Pressu.tab:2: \"1E99999\" is beyond the range of numbers"},
      {"", "Pressu.tab: the file holds 0 rows"},
  };
  for (const Case& c : cases) {
    bool ok = true;
    std::string message;
    ReadTable(c.text, 2, 3, ok, &message);
    EXPECT_FALSE(ok) << c.text;
    EXPECT_EQ(message.rfind(c.expected, 0), 0u) << message;
  }
  bool ok = true;
  std::string message;
  ReadTable("1", 200000, 200000, ok, &message);  // a huge grid is refused before reading
  EXPECT_FALSE(ok);
  EXPECT_NE(message.find("beyond the limits"), std::string::npos);
}

TEST(TableRealFile, AllowedWordReadsAsZeroAndIsAskedOncePerColumn) {
  int asked = 0;
  const TAllowWord allow = [&asked](const std::string& field, int32_t column) {
    ++asked;
    EXPECT_EQ(field, "n/a");
    EXPECT_EQ(column, 2);
    return true;
  };
  bool ok = false;
  const RealArray v = ReadTable("1 n/a 3\n4 n/a 6\n", 2, 3, ok, nullptr, allow);
  ASSERT_TRUE(ok);
  EXPECT_EQ(v, (RealArray{1, 0, 3, 4, 0, 6}));
  EXPECT_EQ(asked, 1);
}

TEST(TablePhaseFile, ShortFilesRepeatRowsAndTwoDigitFields) {
  std::vector<PhaseCode> c;
  TableFileError err;
  // Two rows of three for a grid of four rows: the missing rows repeat the last one.
  ASSERT_TRUE(ParsePhaseTable(" 1 1 2\n 3-4 5\n", "physid.tab", 4, 3, c, err));
  EXPECT_EQ(c, (std::vector<PhaseCode>{1, 1, 2, 3, -4, 5, 3, -4, 5, 3, -4, 5}));
  // The file ends inside row 2: its rest copies row 1.
  ASSERT_TRUE(ParsePhaseTable(" 1 2 3\n 7", "physid.tab", 2, 3, c, err));
  EXPECT_EQ(c, (std::vector<PhaseCode>{1, 2, 3, 7, 2, 3}));
  // Two-digit fields side by side.
  ASSERT_TRUE(ParsePhaseTable("1213-12 5", "physid.tab", 1, 4, c, err));
  EXPECT_EQ(c, (std::vector<PhaseCode>{12, 13, -12, 5}));
  // An empty file: no phases.
  ASSERT_TRUE(ParsePhaseTable("", "physid.tab", 2, 2, c, err));
  EXPECT_EQ(c, (std::vector<PhaseCode>(4, 0)));
}

TEST(TableWrittenFormats, ReadBackToTheDigitsWritten) {
  const int32_t NT = 3, NV = 7;
  RealArray values;
  for (int k = 0; k < NT * NV; ++k) {
    values.push_back((k % 2 ? -1 : 1) * std::pow(Real(10), k - 10) * (1 + k / Real(7)));
  }
  values[6] = -1.2345678e-100L;  // fills its 15 characters
  const TNumStringFormat f = TableValueFormat();
  const std::string text = FormatRealTable(NT, NV, values, f);
  bool ok = false;
  const RealArray back = ReadTable(text, NT, NV, ok);
  ASSERT_TRUE(ok);
  for (size_t k = 0; k < values.size(); ++k) {
    Real expected = 0;
    ASSERT_EQ(f.Parse(f.FormatValue(values[k]), expected), TConvertStatus::Ok);
    EXPECT_EQ(back[k], expected) << k;
    EXPECT_NEAR(D(back[k] / values[k]), 1, 5e-8) << k;  // 8 significant digits
  }
  // Five values a line, a row's rest on its own line.
  EXPECT_EQ(text.substr(0, text.find("\r\n")).size(), 75u);

  const RealArray grid = {300, 312.5L, 1e5L, 0.05L, 7, 8};
  RealArray gridBack;
  TableFileError err;
  const std::string gridText = FormatGridFile(grid, TableGridFormat());
  EXPECT_NE(gridText.back(), '\n');  // the last, incomplete line has no line end
  ASSERT_TRUE(ParseGridFile(gridText, "temper.in", 1, gridBack, err));
  EXPECT_EQ(gridBack, grid);

  std::vector<PhaseCode> codes = {0, 1, -2, 12, -45, 99, 3, 0, 9};
  std::string phaseText, message;
  ASSERT_TRUE(FormatPhaseTable(3, 3, codes, phaseText, message));
  std::vector<PhaseCode> codesBack;
  ASSERT_TRUE(ParsePhaseTable(phaseText, "physid.tab", 3, 3, codesBack, err));
  EXPECT_EQ(codesBack, codes);
  codes[0] = 100;
  EXPECT_FALSE(FormatPhaseTable(3, 3, codes, phaseText, message));
  EXPECT_NE(message.find("does not fit"), std::string::npos);
}

TEST(TableWrittenFormats, PhaseTextsAsSaved) {
  struct Case {
    const char* text;
    bool ok;
    PhaseCode code;
  };
  const Case cases[] = {{"o", true, 0},    {" S", true, 1},  {"LS", true, 2}, {"mLG", true, -4},
                        {"GL", true, 4},   {"-G", true, -5}, {"GS", true, 6}, {"Sae", true, 7},
                        {"Se", true, 8},   {"SeL", true, 9}, {"", true, 0},   {"12", true, 12},
                        {"xyz", false, 0}, {"123", false, 0}};
  for (const Case& c : cases) {
    PhaseCode code = -100;
    EXPECT_EQ(PhaseTextToSavedCode(c.text, code), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(code, c.code) << c.text;
    }
  }
}

}  // namespace
}  // namespace tarvex
