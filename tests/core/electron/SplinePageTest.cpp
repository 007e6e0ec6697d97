// The "Spline" page: the input file in its spellings and its errors, "&Init Spline" and its
// table, the OK that refuses before the files were read and installs nothing on a failed
// read, the Grüneisen factor of the pressure, the constant coupling and conductivity.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/ElectronDataFiles.h"
#include "support/ElectronFixture.h"

namespace tarvex {
namespace {

using testing::ElectronDataDir;
using testing::ElectronFixture;

// A folder of its own for files written by a test.
struct TempDir {
  TempDir() {
    path = std::filesystem::temp_directory_path() /
           ("tarvex_spline_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  std::string Write(const std::string& name, const std::string& text) const {
    const std::string p = (path / name).string();
    std::ofstream(p, std::ios::binary) << text;
    return p;
  }
  std::filesystem::path path;
};

struct SplinePage : ::testing::Test {
  SplinePage() : page(f.dialog.Spline()) {
    EXPECT_TRUE(f.dialog.ShowPage("spline"));
    EXPECT_TRUE(f.dialog.ChooseMaterial("Spline"));
  }
  ElectronFixture f;
  TSplineEOSFrame& page;
};

TEST_F(SplinePage, InputFileValuesWithEqualsOrQuotesGiveTheSameNames) {
  const char* spellings[] = {"Ce.txt Cefile\nGe.txt Gefile\n197 Amass\n",
                             "Ce.txt = Cefile\nGe.txt= Gefile\n197 =Amass\n",
                             "\"Ce.txt\" Cefile\n \"Ge.txt\"  =  Gefile\r\n197 Amass\r\n"};
  for (const char* text : spellings) {
    const SplineInFile in = ParseSplineIn(text, "In.txt");
    ASSERT_TRUE(in.ok) << in.message;
    EXPECT_EQ(in.Cefile, "Ce.txt");
    EXPECT_EQ(in.Gefile, "Ge.txt");
    EXPECT_EQ(in.Amass, 197);
  }
}

TEST_F(SplinePage, InputFileErrorsNameTheKey) {
  struct Bad {
    const char* text;
    const char* says;
  };
  const Bad bad[] = {
      {"= Cefile\nGe.txt Gefile\n1 Amass\n", "ERROR reading Cefile"},
      {"Ce.txt Cefile\nGe.txt Gfile\n1 Amass\n", "ERROR reading Gefile"},
      {"Ce.txt Cefile\nGe.txt Gefile\n", "ERROR reading Amass"},
      {"Ce.txt Cefile\nGe.txt Gefile\nheavy Amass\n", "ERROR reading Amass"},
      {"Ce.txt Cefile\nGe.txt Gefile\n0 Amass\n", "ERROR reading Amass"},
  };
  for (const Bad& b : bad) {
    const SplineInFile in = ParseSplineIn(b.text, "In.txt");
    EXPECT_FALSE(in.ok);
    EXPECT_EQ(in.message.rfind(b.says, 0), 0u) << in.message;
  }
  const ElSplineResult r = page.LoadSplineIn("/nonexistent/In.txt");
  EXPECT_FALSE(r);
  EXPECT_EQ(r.message.rfind("Cannot open /nonexistent/In.txt", 0), 0u) << r.message;
  EXPECT_FALSE(page.InitSplineVisible());
}

TEST_F(SplinePage, OkBeforeTheFilesWereReadInstallsNothing) {
  const ElOkResult ok = f.dialog.Ok(f.targets, ElOkSource::Code);
  EXPECT_FALSE(ok);
  EXPECT_EQ(ok.focus, "SplineInButton");
  EXPECT_FALSE(f.electron.model.ElEnergy);
}

TEST_F(SplinePage, InitReadsTheFilesShowsTheTableAndOkInstalls) {
  ASSERT_TRUE(page.LoadSplineIn(ElectronDataDir() + "/In.txt"));
  EXPECT_TRUE(page.InitSplineVisible());
  Real M = 0;
  page.FieldByName("mEdit")->TryGetValue(M);
  EXPECT_EQ(M, 196.966569L);
  const ElSplineResult init = page.InitSpline();
  ASSERT_TRUE(init) << init.message;
  ASSERT_TRUE(page.DataVisible());
  // n + 1 rows: Te = k TeCmax/n, k = 0..n.
  ASSERT_EQ(page.DataRows().size(), 202u);
  EXPECT_EQ(page.DataRows().back()[0], 1e5L);
  EXPECT_EQ(std::string(TSplineEOSFrame::kDataTitles[2]), "Ee[kJ/g/K]]");
  Real rho0 = 0;
  page.FieldByName("rhoEdit")->TryGetValue(rho0);
  EXPECT_EQ(rho0, 19.3L);
  page.FieldByName("mEdit")->TryGetValue(M);
  EXPECT_EQ(M, 196.966569L);  // the file's density moves n_at, not the atomic mass
  // The slots change only at OK.
  EXPECT_FALSE(f.electron.model.ElEnergy);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const ElectronModel& m = f.electron.model;
  const auto& row = page.DataRows()[40];
  EXPECT_EQ(m.ElEnergy(19.3L, row[0]), row[2]);
  EXPECT_EQ(m.Coupling(19.3L, row[0]), row[4]);
  // "&Kappa" is on by default: 2700 W/m/K.
  EXPECT_EQ(m.ElConductivity(10, 1e4L, 300), 2700e-5L);
  // Neither "+" nor "*": Pe = Gamma0 rho Ee.
  EXPECT_NEAR(m.ElPressure(15, 2e4L), 0.6666667L * 15 * m.ElEnergy(15, 2e4L), 1e-18L);
  EXPECT_NEAR(m.ElPressureDT(15, 2e4L), 0.6666667L * 15 * m.ElHeatCap(15, 2e4L), 1e-18L);
}

TEST_F(SplinePage, MultiplicativeTermSwitchesThePressureOffAtLowDensity) {
  ASSERT_TRUE(page.LoadSplineIn(ElectronDataDir() + "/In.txt"));
  ASSERT_TRUE(page.InitSpline());
  page.SetCheck("GrMultCheck", true);
  page.CheckChanged("GrMultCheck");
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const ElectronModel& m = f.electron.model;
  EXPECT_EQ(m.ElPressure(1.93L, 1e4L), 0);  // rho = 0.1 rho0
  EXPECT_EQ(m.ElPressure(1.0L, 1e4L), 0);
  // At rho0: (1 - 0.1^6)^3 Gamma0.
  const Real mult = std::pow(1 - 1e-6L, 3);
  EXPECT_NEAR(m.ElPressure(19.3L, 1e4L), mult * 0.6666667L * 19.3L * m.ElEnergy(19.3L, 1e4L),
              1e-15L * m.ElPressure(19.3L, 1e4L));
}

TEST_F(SplinePage, AdditiveTermAndTheTablesPressureColumnFollowTheFields) {
  ASSERT_TRUE(page.LoadSplineIn(ElectronDataDir() + "/In.txt"));
  ASSERT_TRUE(page.InitSpline());
  const Real before = page.DataRows()[10][3];
  page.SetCheck("GrAddCheck", true);
  page.CheckChanged("GrAddCheck");
  EXPECT_TRUE(page.Visible("G1Edit"));
  // At rho0: Add = G1/(G2 max(0, 1 - G3)^2 + 1) = 0.17/(12 0.09 + 1).
  const Real add = 0.17L / (12 * 0.09L + 1);
  EXPECT_NEAR(page.DataRows()[10][3], before * (0.6666667L + add) / 0.6666667L, 1e-15L * before);
  f.Type(page, "GammaEdit", 1);
  EXPECT_NEAR(page.DataRows()[10][3], before * (1 + add) / 0.6666667L, 1e-15L * before);
}

TEST_F(SplinePage, ConstCheckedOrAFileWithoutCouplingKeepsTheConstantCoupling) {
  TempDir dir;
  dir.Write("Ce.txt", "linear\n1000\n1\n2 100\n");
  dir.Write("Ge.txt", "none\n1000 1 0 0\n1\n0\n");
  ASSERT_TRUE(page.LoadSplineIn(dir.Write("In.txt", "Ce.txt Cefile\nGe.txt Gefile\n50 Amass\n")));
  ASSERT_TRUE(page.InitSpline());
  page.SetCheck("ConstAlphaCheck", true);
  page.CheckChanged("ConstAlphaCheck");
  EXPECT_TRUE(page.Visible("alEdit"));
  f.Type(page, "alEdit", 2e8L);
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_EQ(f.electron.model.Coupling(1, 1e4L), 2e8L / 1);  // alpha/rho0, rho0 = 1 g/cm3
  page.SetCheck("ConstAlphaCheck", false);
  page.CheckChanged("ConstAlphaCheck");
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  EXPECT_EQ(f.electron.model.Coupling(1, 1e4L), 2e8L);  // the file names no coupling
}

TEST_F(SplinePage, AFailedInitHidesTheButtonAndKeepsTheModel) {
  ASSERT_TRUE(page.LoadSplineIn(ElectronDataDir() + "/In.txt"));
  ASSERT_TRUE(page.InitSpline());
  ASSERT_TRUE(f.dialog.Ok(f.targets, ElOkSource::Code));
  const Real Ee = f.electron.model.ElEnergy(19.3L, 1e4L);
  TempDir dir;
  dir.Write("Ce.txt", "broken\n19300\n3\n100 1\n50 2\n300 3\n");
  dir.Write("Ge.txt", "none\n1000 1 0 0\n1\n0\n");
  ASSERT_TRUE(page.LoadSplineIn(dir.Write("In.txt", "Ce.txt Cefile\nGe.txt Gefile\n50 Amass\n")));
  const ElSplineResult r = page.InitSpline();
  EXPECT_FALSE(r);
  EXPECT_NE(r.message.find("TeCe not increase at k 2"), std::string::npos) << r.message;
  EXPECT_FALSE(page.InitSplineVisible());
  EXPECT_EQ(f.electron.model.ElEnergy(19.3L, 1e4L), Ee);
}

}  // namespace
}  // namespace tarvex
