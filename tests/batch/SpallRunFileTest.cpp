// The [spall] table: a material preset with keys after it reaches the session's failure
// criteria and switches the test on, the printed settings read back to the same criteria,
// and every value the dialog would refuse is refused naming the key.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "batch/BatchSupport.h"
#include "batch/Examples.h"
#include "core/app/AppModel.h"
#include "runfile/RunSettings.h"

namespace tarvex::batch {
namespace {

using namespace tarvex::runfile;
using testing::CallMain;
using testing::TempDir;

// The one-temperature laser example (an aluminium film) with a [spall] table.
std::string WithSpall(const std::string& spall) {
  const BundledExample* e = FindExample("laser_heating_1t");
  if (e == nullptr) throw std::runtime_error("the laser_heating_1t example is not bundled");
  return testing::Replaced(std::string(e->text), "[main]", "[spall]\n" + spall + "\n[main]");
}

struct Applied {
  bool ok = false;
  std::string error;
  AppliedSettings settings;
};

Applied Apply(const std::string& text, AppModel& app, ScriptedPrompter& prompter) {
  Applied out;
  const ReadResult read = ParseRunFile(text, "case.toml");
  if (!read.ok()) {
    out.error = read.errors.front().Text();
    return out;
  }
  const ApplyResult r = ApplyRunFile(read.file, app, prompter, "");
  out.ok = r.ok();
  if (!r.ok()) out.error = r.error->Text();
  out.settings = r.applied;
  return out;
}

TEST(SpallRunFile, PresetWithOverridesReachesTheSessionAndPrintsBack) {
  const std::string text = WithSpall(
      "Materials = \"Au\"\netaEdit = 0.01\nCheckSpall = true\nCSpall = 50\n"
      "PliqT2Edit = 0\nFoam = true\nPf = -0.1\nSpallTrace = true\n");
  ScriptedPrompter p1;
  AppModel first(p1);
  const Applied a = Apply(text, first, p1);
  ASSERT_TRUE(a.ok) << a.error;
  const Session& s = first.session;
  ASSERT_TRUE(s.SpallOn);
  const TSpallParams& p = s.spall;
  EXPECT_TRUE(p.CheckNucl && p.CheckPliq && p.CheckSpall && p.Foam);
  EXPECT_FALSE(p.CheckPsol || p.VCalc);
  EXPECT_TRUE(p.SigmaOfT);
  // Gold's constants from the preset, the keys after it on top.
  EXPECT_EQ(p.Tc, 7764);
  EXPECT_EQ(p.mAt, 3.269171298778251e-22L);
  EXPECT_EQ(p.Pliq0, -5.04L);
  EXPECT_EQ(p.PliqT, 0.0017L);
  EXPECT_EQ(p.PliqT2, 0);
  EXPECT_EQ(p.cSpall, 50);
  EXPECT_EQ(p.Pf, -0.1L);
  // V' = V 1e-6/eta: 1e-15 cm3 over 0.01 Pa*s.
  EXPECT_NEAR(static_cast<double>(p.NuclVFactor) / (1e-15 * 1e-6 / 0.01), 1, 1e-15);
  // The film is aluminium as "Rose": the sound speed has the physical scale.
  EXPECT_EQ(p.v1, 1e5L);
  EXPECT_TRUE(first.main.SpallTrace);

  const std::string printed = SettingsText(first, a.settings, "case.toml");
  const size_t at = printed.find("[spall]");
  ASSERT_NE(at, std::string::npos) << printed;
  const std::string table = printed.substr(at, printed.find("\n\n", at) - at);
  for (const char* line :
       {"\nMaterials = \"Au\"", "\netaEdit = 0.01", "\nCheckSpall = true", "\nCSpall = 50",
        "\nFoam = true", "\nPf = -0.1", "\nSpallTrace = true"}) {
    EXPECT_NE(table.find(line), std::string::npos) << line << " in\n" << table;
  }
  ScriptedPrompter p2;
  AppModel second(p2);
  const Applied b = Apply(printed, second, p2);
  ASSERT_TRUE(b.ok) << b.error;
  EXPECT_EQ(SettingsText(second, b.settings, "case.toml"), printed);
  const TSpallParams& q = second.session.spall;
  EXPECT_TRUE(second.session.SpallOn);
  EXPECT_EQ(q.NuclVFactor, p.NuclVFactor);
  EXPECT_EQ(q.sigma0, p.sigma0);
  EXPECT_EQ(q.Pliq0, p.Pliq0);
  EXPECT_EQ(q.cSpall, p.cSpall);
  EXPECT_EQ(q.mAt, p.mAt);
}

// Through the runner: --print-settings gives the table back and the printed file prints
// the same again.
TEST(SpallRunFile, PrintSettingsRoundTrips) {
  TempDir dir;
  const std::string run = dir.Write("spall.toml", WithSpall("Materials = \"Au\"\nTcEdit = 7500\n"));
  const testing::MainResult printed = CallMain({run, "--print-settings"});
  ASSERT_EQ(printed.code, kExitOk) << printed.err;
  EXPECT_NE(printed.out.find("[spall]\nMaterials = \"Au\""), std::string::npos) << printed.out;
  EXPECT_NE(printed.out.find("\nTcEdit = 7500"), std::string::npos) << printed.out;
  const std::string again = dir.Write("printed.toml", printed.out);
  const testing::MainResult second = CallMain({again, "--print-settings"});
  ASSERT_EQ(second.code, kExitOk) << second.err;
  EXPECT_EQ(second.out.substr(second.out.find("\n[")), printed.out.substr(printed.out.find("\n[")));
}

struct BadSpall {
  const char* name;
  std::string keys;
  std::string marker;                 // the line the message names holds it
  std::vector<std::string> expected;  // fragments of the message
};

class BadSpallTable : public ::testing::TestWithParam<BadSpall> {};

TEST_P(BadSpallTable, IsRefusedNamingTheKey) {
  const BadSpall& c = GetParam();
  TempDir dir;
  const std::string text = WithSpall(c.keys);
  const std::string path = dir.Write("case.toml", text);
  const std::string out = (dir.path() / "out").string();
  const testing::MainResult r = CallMain({path, "--out", out, "--quiet"});
  EXPECT_EQ(r.code, kExitBadRunFile) << r.err;
  const size_t at = text.find(c.marker);
  ASSERT_NE(at, std::string::npos);
  const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
  EXPECT_NE(r.err.find(path + ":" + std::to_string(line) + ": error: "), std::string::npos)
      << "expected line " << line << " in: " << r.err;
  for (const std::string& e : c.expected) EXPECT_NE(r.err.find(e), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out)) << "a refused run file must run nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadSpallTable,
    ::testing::Values(
        BadSpall{"ZeroViscosityWithNucleation",
                 "Materials = \"Au\"\netaEdit = 0\n",
                 "etaEdit = 0",
                 {"[spall] etaEdit", "viscosity must be above 0"}},
        BadSpall{"SigmaRhoTNotOfferedForGold",
                 "Materials = \"Au\"\nRadioGroup1 = \"sigma(rho,Ti)\"\n",
                 "RadioGroup1",
                 {"[spall] RadioGroup1", "not offered"}},
        BadSpall{"UnknownMaterial", "Materials = \"Cu\"\n", "Materials", {"[spall] Materials"}},
        BadSpall{
            "NotANumber", "Materials = \"Au\"\nTcEdit = \"hot\"\n", "TcEdit", {"[spall] TcEdit"}},
        // The volume is taken from the sound speed: a given V would be dropped unused.
        BadSpall{"VolumeWithVCalc",
                 "Materials = \"Au\"\nVCalcCheck = true\nVEdit = 1e-14\n",
                 "VEdit",
                 {"[spall] VEdit", "hidden while VCalcCheck is true"}},
        BadSpall{"VolumeWithAPresetThatCalculatesIt",
                 "Materials = \"Al\"\nVEdit = 1e-14\n",
                 "VEdit",
                 {"[spall] VEdit", "hidden while VCalcCheck is true"}},
        BadSpall{"NoCriterion",
                 "CheckNucl = false\n",
                 "CheckNucl",
                 {"[spall] CheckNucl", "No failure criterion"}},
        BadSpall{"LiquidLimitAllZero",
                 "Materials = \"Au\"\nPliq0Edit = 0\nPliqTEdit = 0\nPliqT2Edit = 0\n",
                 "Pliq0Edit",
                 {"[spall] Pliq0Edit", "non-zero coefficient"}},
        BadSpall{"FoamStrengthIsATension",
                 "Materials = \"Au\"\nFoam = true\nPf = 0.05\n",
                 "Pf = ",
                 {"[spall] Pf", "not above 0"}}),
    [](const ::testing::TestParamInfo<BadSpall>& i) { return std::string(i.param.name); });

// VCalcCheck given false after a preset that checks it: V is shown again and used.
TEST(SpallRunFile, VolumeCountsWhenTheCalculationIsOff) {
  ScriptedPrompter prompter;
  AppModel app(prompter);
  const Applied a =
      Apply(WithSpall("Materials = \"Al\"\nVCalcCheck = false\nVEdit = 2e-15\n"), app, prompter);
  ASSERT_TRUE(a.ok) << a.error;
  EXPECT_FALSE(app.session.spall.VCalc);
  // V' = V 1e-6/eta with aluminium's eta = 0.013 Pa*s.
  EXPECT_NEAR(static_cast<double>(app.session.spall.NuclVFactor) / (2e-15 * 1e-6 / 0.013), 1,
              1e-15);
}

}  // namespace
}  // namespace tarvex::batch
