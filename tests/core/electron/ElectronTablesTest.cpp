// The electron data files: what the readers refuse (with the code, the file and the line,
// leaving the model as it was), the natural spline against the spline written out by hand,
// the analytic kinds against their formulas, the inverse of the energy, the density factor
// of the coupling, and the fuzz harnesses over seeds and damaged files.
#include <gtest/gtest.h>

#include <cerrno>
#include <cfenv>
#include <cmath>
#include <string>
#include <vector>

#include "core/common/FpGuard.h"
#include "core/electron/ElectronTables.h"
#include "fuzz/ElectronReaderFuzz.h"
#include "support/ElectronDataFiles.h"

namespace tarvex {
namespace {

struct BadFile {
  const char* what;
  bool coupling;  // a coupling file, else a heat-capacity file
  const char* text;
  ElTableStatus status;
  int32_t code;
  int32_t line;
  const char* says;  // part of the message
};

const BadFile kBadFiles[] = {
    {"zero density", false, "t\n0\n3\n1 1\n2 2\n3 3\n", ElTableStatus::BadHeader, 1, 2,
     "density D is 0"},
    {"negative density", false, "t\n-5\n3\n1 1\n2 2\n3 3\n", ElTableStatus::BadHeader, 1, 2,
     "positive"},
    {"zero rows", false, "t\n1000\n0\n", ElTableStatus::BadHeader, 1, 3, "number of rows is 0"},
    {"too many rows", false, "t\n1000\n257\n1 1\n", ElTableStatus::TooManyRows, 2, 3,
     "Rows num overlow"},
    {"equal temperatures", false, "t\n1000\n3\n100 1\n200 2\n200 3\n", ElTableStatus::NotIncreasing,
     3, 6, "TeCe not increase at k 3"},
    {"falling temperatures", false, "t\n1000\n4\n100 1\n200 2\n300 3\n250 4\n",
     ElTableStatus::NotIncreasing, 3, 7, "TeCe not increase at k 4"},
    {"unknown heat-capacity kind", false, "t\n1000\n1\n5\n", ElTableStatus::UnknownKind, 4, 4,
     "INITCe: unknown kCe"},
    {"truncated table", false, "t\n1000\n5\n100 1\n200 2\n300 3\n", ElTableStatus::Malformed, 5, 7,
     "missing"},
    {"not a number", false, "t\n1000\n3\n100 1\n2OO 2\n300 3\n", ElTableStatus::Malformed, 5, 5,
     "\"2OO\" is not a finite number"},
    {"not a finite number", false, "t\n1000\n3\n100 1\n200 inf\n300 3\n", ElTableStatus::Malformed,
     5, 5, "not a finite number"},
    {"row count not an integer", false, "t\n1000\n3.5\n", ElTableStatus::Malformed, 5, 3,
     "not an integer"},
    {"negative heat capacity", false, "t\n1000\n3\n100 1\n200 -2\n300 3\n",
     ElTableStatus::Malformed, 5, 5, "negative"},
    {"energy not rising", false, "t\n1000\n3\n100 0\n200 0\n300 0\n", ElTableStatus::Malformed, 5,
     7, "does not raise the energy"},
    {"empty file", false, "", ElTableStatus::Malformed, 5, 1, "empty"},
    {"zero gamma", false, "t\n1000\n2\n2 0\n", ElTableStatus::Malformed, 5, 4, "gamma"},
    {"coupling: zero density", true, "t\n0 19.3 0.5 0\n3\n1 1\n2 2\n3 3\n",
     ElTableStatus::BadHeader, 1, 2, "density D is 0"},
    // Numbers are read in free format, across line ends: the row count is taken as f.
    {"coupling: header short", true, "t\n19300 19.3\n3\n", ElTableStatus::Malformed, 5, 4,
     "q is missing"},
    {"coupling: zero r0 with f", true, "t\n19300 0 0.5 0\n1\n27\n", ElTableStatus::BadHeader, 1, 2,
     "reference density r0"},
    {"coupling: unknown kind", true, "t\n19300 19.3 0 0\n1\n12\n", ElTableStatus::UnknownKind, 4, 4,
     "INITGe: unknown kGe"},
    {"coupling: falling temperatures", true, "t\n1 1 0 0\n3\n100 1\n50 2\n300 3\n",
     ElTableStatus::NotIncreasing, 3, 5, "TeGe not increase at k 2"},
    {"coupling: too many rows", true, "t\n1 1 0 0\n1000\n", ElTableStatus::TooManyRows, 2, 3,
     "Rows num overlow"},
};

class ElectronTableReaders : public ::testing::TestWithParam<BadFile> {};

TEST_P(ElectronTableReaders, RefuseWithCodeFileAndLineAndChangeNothing) {
  const BadFile& b = GetParam();
  ElTableResult r;
  if (b.coupling) {
    GeModel m = AnalyticGe(kElTableLinear, 1, 0, 7);
    r = ReadGeText(b.text, "G.txt", m);
    EXPECT_EQ(m.kind, kElTableLinear);
    EXPECT_EQ(m.G0, 7);
  } else {
    CeModel m = AnalyticCe(kElTableLinear, 3);
    r = ReadCeText(b.text, "C.txt", m);
    EXPECT_EQ(m.kind, kElTableLinear);
    EXPECT_EQ(m.gamma, 3);
  }
  EXPECT_FALSE(r);
  EXPECT_EQ(r.status, b.status);
  EXPECT_EQ(r.code, b.code);
  const std::string where =
      std::string(b.coupling ? "G.txt" : "C.txt") + ", line " + std::to_string(b.line) + ": ";
  EXPECT_EQ(r.message.rfind(where, 0), 0u) << r.message;
  EXPECT_NE(r.message.find(b.says), std::string::npos) << r.message;
}

INSTANTIATE_TEST_SUITE_P(BadFiles, ElectronTableReaders, ::testing::ValuesIn(kBadFiles),
                         [](const ::testing::TestParamInfo<BadFile>& param) {
                           std::string name = param.param.what;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

TEST(ElectronTableFiles, AFileThatCannotBeOpenedGivesTheSystemsErrorNumber) {
  CeModel m = AnalyticCe(kElTableAl);
  const ElTableResult r = INITCe("/nonexistent/dir/Ce.txt", m);
  EXPECT_EQ(r.status, ElTableStatus::CannotOpen);
  EXPECT_EQ(r.code, ENOENT);
  EXPECT_NE(r.message.find("/nonexistent/dir/Ce.txt"), std::string::npos);
  EXPECT_EQ(m.kind, kElTableAl);
}

// The natural cubic through (0, 0), (1, 1), (2, 0) written out with its second derivatives
// M0 = M2 = 0, M1 = -3: on [0, 1] S(u) = -u^3/2 + 1.5 u, S(0.5) = 0.6875, S'(0) = 1.5,
// the integral over [0, 1] is 0.625; the table scales u by h = 100 K.
TEST(ElectronTableFiles, ThreeRowsGiveTheNaturalCubicExtrapolatedByItsEndLines) {
  CeModel m;
  // D = 1e-6 kg/m3 makes the conversion factor 1e-6/D exactly 1.
  ASSERT_TRUE(ReadCeText("three rows\n1e-6\n3\n100 0\n200 1\n300 0\n", "C.txt", m));
  ASSERT_EQ(m.kind, kElTableRows);
  EXPECT_NEAR(TableCe(m, 0, 150), 0.6875L, 1e-15L);
  EXPECT_NEAR(TableCe(m, 0, 250), 0.6875L, 1e-15L);
  // Below the first row: the line of the first slope 1.5/h; the energy is 0 there.
  EXPECT_NEAR(TableCe(m, 0, 50), -50 * 1.5L / 100, 1e-15L);
  EXPECT_EQ(TableEe(m, 0, 50), 0);
  EXPECT_NEAR(TableEe(m, 0, 200), 62.5L, 1e-12L);
  EXPECT_NEAR(TableEe(m, 0, 300), 125, 1e-12L);
  // Above the last row: the line of the last slope -1.5/h and its integral.
  EXPECT_NEAR(TableCe(m, 0, 320), -20 * 1.5L / 100, 1e-15L);
  EXPECT_NEAR(TableEe(m, 0, 320), 125 - 1.5L / 100 * 20 * 20 / 2, 1e-12L);
}

TEST(ElectronTableFiles, LinearKindIsExactAndInvertsExactly) {
  CeModel m;
  // gamma = 68 J/(m3 K2) of a 19300 kg/m3 metal.
  ASSERT_TRUE(ReadCeText("gold, linear\n19300\n2\n2 68\n", "C.txt", m));
  const Real gamma = 68e-6L / 19300;
  EXPECT_EQ(m.density, 19.3L);
  for (Real T : {Real(300), Real(1e4), Real(7.5e4)}) {
    EXPECT_NEAR(TableEe(m, 0, T), gamma * T * T / 2, 1e-18L * T * T);
    EXPECT_NEAR(TableCe(m, 0, T), gamma * T, 1e-18L * T);
    EXPECT_NEAR(TableTeOfEe(m, 0, TableEe(m, 0, T)), T, 1e-15L * T);
  }
}

TEST(ElectronTableFiles, GoldKindAtItsScaleTemperature) {
  CeModel m;
  ASSERT_TRUE(ReadCeText("gold\n19300\n1\n197\n", "C.txt", m));
  // p = 1 at 8500 K.
  EXPECT_NEAR(TableEe(m, 0, 8500), 3.4494663467e-07L * 8500 * 8500 * (1 + 1.25L / 2), 1e-16L);
  EXPECT_NEAR(TableTeOfEe(m, 0, TableEe(m, 0, 8500)), 8500, 1e-9L);
  // Its heat capacity is the derivative of its energy.
  const Real h = 1e-3L;
  EXPECT_NEAR(TableCe(m, 0, 8500), (TableEe(m, 0, 8500 + h) - TableEe(m, 0, 8500 - h)) / (2 * h),
              1e-12L);
}

TEST(ElectronTableFiles, CouplingDensityFactor) {
  GeModel fixed, scaled;
  ASSERT_TRUE(ReadGeText("f = 0\n1000 2 0 0\n2\n2\n3e17\n", "G.txt", fixed));
  ASSERT_TRUE(ReadGeText("f = 1\n1000 2 1 0\n2\n2\n3e17\n", "G.txt", scaled));
  const Real G0 = 3e17L * 1e-6L / 1000;  // [kW/g/K]
  for (Real rho : {Real(1), Real(2), Real(3.5)}) {
    EXPECT_NEAR(TableCoupling(fixed, rho, 1e4L), G0, 1e-15L * G0);
    EXPECT_NEAR(TableCoupling(scaled, rho, 1e4L), G0 * rho / 2, 1e-15L * G0);
  }
  // A file naming no coupling (kGe <= 0) reads and sets none.
  GeModel none;
  ASSERT_TRUE(ReadGeText("none\n1000 2 0 0\n1\n0\n", "G.txt", none));
  EXPECT_EQ(none.kind, kElTableNone);
}

TEST(ElectronTableFiles, TableTemperatureFromEnergyAboveTheLastRow) {
  CeModel m;
  int32_t err = 0;
  std::string text;
  ASSERT_TRUE(ReadSmallTextFile(testing::ElectronDataDir() + "/Au_Ce.txt", text, err));
  ASSERT_TRUE(ReadCeText(text, "Au_Ce.txt", m));
  for (Real T : {Real(1.05e5), Real(1.5e5), Real(3e5)}) {
    EXPECT_NEAR(TableTeOfEe(m, 0, TableEe(m, 0, T)), T, 1e-12L * T);
  }
  EXPECT_EQ(TableTeOfEe(m, 0, 0), 0);
}

TEST(ElectronTableFiles, AnEnergyTheTableNeverReachesIsAnArithmeticFault) {
  CeModel m;
  // Ce falls at the last row, so above it the energy peaks and turns down.
  ASSERT_TRUE(ReadCeText("falling\n1e-6\n3\n100 1\n200 2\n300 0.1\n", "C.txt", m));
  const FpGuard guard;
  const Real T = TableTeOfEe(m, 0, 1e9L);
  EXPECT_TRUE(std::isnan(T));
  EXPECT_TRUE(guard.Faulted());
  guard.Reset();
}

TEST(ElectronTableFiles, SampleTablesReproduceTheKindTheyWereWrittenFrom) {
  // An independent check of the spline: the tabulated gold kind against the kind itself.
  CeModel table, kind = AnalyticCe(kElTableAu);
  std::string text;
  int32_t err = 0;
  ASSERT_TRUE(ReadSmallTextFile(testing::ElectronDataDir() + "/Au_Ce.txt", text, err));
  ASSERT_TRUE(ReadCeText(text, "Au_Ce.txt", table));
  EXPECT_EQ(table.spline.Rows(), 201);
  for (Real T : {Real(3000), Real(8750), Real(2.2e4), Real(6.1e4)}) {
    EXPECT_NEAR(TableCe(table, 0, T), TableCe(kind, 0, T), 2e-4L * TableCe(kind, 0, T));
    EXPECT_NEAR(TableEe(table, 0, T), TableEe(kind, 0, T), 2e-4L * TableEe(kind, 0, T));
  }
}

// ---- fuzz harnesses over seeds and damaged files --------------------------------------------

std::vector<std::string> Seeds(const std::vector<const char*>& names) {
  std::vector<std::string> seeds;
  for (const char* name : names) {
    std::string text;
    int32_t err = 0;
    if (ReadSmallTextFile(testing::ElectronDataDir() + "/" + name, text, err)) {
      seeds.push_back(text);
    }
  }
  return seeds;
}

// Every prefix (a file cut short), every line end removed, and bytes replaced by
// characters that break numbers.
template <class Harness>
void RunDamaged(Harness harness, const std::vector<std::string>& seeds) {
  const auto run = [&](const std::string& s) {
    harness(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  };
  for (const std::string& seed : seeds) {
    run(seed);
    for (size_t n = 0; n < seed.size() && n < 600; ++n) run(seed.substr(0, n));
    for (size_t i = 0; i < seed.size(); ++i) {
      if (seed[i] != '\n') continue;
      std::string s = seed;
      s[i] = ' ';
      run(s);
    }
    for (size_t i = 0; i < seed.size(); i += 7) {
      for (char c : {'-', 'e', '.', '\0', 'x', '9'}) {
        std::string s = seed;
        s[i] = c;
        run(s);
      }
    }
  }
}

TEST(ElectronReaderFuzz, HarnessesHoldOnSeedsAndDamagedFiles) {
  std::vector<std::string> ce = Seeds({"Au_Ce.txt", "Al_Ce27.txt"});
  std::vector<std::string> ge = Seeds({"Au_Ge.txt", "Al_Ge27.txt"});
  std::vector<std::string> in = Seeds({"In.txt", "In_Al.txt"});
  ASSERT_EQ(ce.size() + ge.size() + in.size(), 6u);
  for (const BadFile& b : kBadFiles) (b.coupling ? ge : ce).push_back(b.text);
  ce.push_back("t\n1e-4900\n3\n1 1e4900\n2 1e4900\n3 1e4900\n");
  ge.push_back("t\n1e-4900 1 0 0\n1\n2\n1e4900\n");
  in.push_back("Ce.txt Cefile\n\n\"\" Gefile\n1 Amass\n");
  RunDamaged(fuzz::FuzzCeFile, ce);
  RunDamaged(fuzz::FuzzGeFile, ge);
  RunDamaged(fuzz::FuzzSplineIn, in);
}

}  // namespace
}  // namespace tarvex
