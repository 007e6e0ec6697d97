// A run file applied by the runner gives exactly the session a person gets by filling
// the same windows and dialogs, and the settings it prints read back to the same session.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <numbers>

#include "batch/BatchSupport.h"
#include "batch/Examples.h"
#include "core/app/AppModel.h"
#include "core/electron/Materials.h"
#include "core/hydro/HydrStat.h"
#include "runfile/RunSettings.h"
#include "support/ShockTubeForms.h"

namespace tarvex::batch {

using namespace tarvex::runfile;
namespace {

using testing::ShockTubeText;

// Applies run-file text to `app`; fails the test on any error.
void SetUpFromText(const std::string& text, AppModel& app, ScriptedPrompter& prompter,
                   AppliedSettings* applied = nullptr) {
  const ReadResult read = ParseRunFile(text, "case.toml");
  ASSERT_TRUE(read.ok()) << read.errors.front().Text();
  const ApplyResult r = ApplyRunFile(read.file, app, prompter, "");
  ASSERT_TRUE(r.ok()) << r.error->Text();
  if (applied != nullptr) *applied = r.applied;
}

void ExpectSameArrays(const RealArray& a, const RealArray& b, const char* what) {
  ASSERT_EQ(a.size(), b.size()) << what;
  for (size_t k = 0; k < a.size(); ++k) {
    if (a[k] != b[k]) {
      ADD_FAILURE() << what << "[" << k << "]: " << static_cast<double>(a[k]) << " vs "
                    << static_cast<double>(b[k]);
      return;
    }
  }
}

// Exact equality of everything the run depends on.
void ExpectSameSession(AppModel& a, AppModel& b) {
  const Session& s = a.session;
  const Session& t = b.session;
  ASSERT_NE(s.StateA, nullptr);
  ASSERT_NE(t.StateA, nullptr);
  EXPECT_EQ(s.stateClass, t.stateClass);
  ExpectSameArrays(s.StateA->x, t.StateA->x, "x");
  ExpectSameArrays(s.StateA->v, t.StateA->v, "v");
  ExpectSameArrays(s.StateA->P, t.StateA->P, "P");
  ExpectSameArrays(s.StateA->T, t.StateA->T, "T");
  ExpectSameArrays(s.StateA->E, t.StateA->E, "E");
  ExpectSameArrays(s.mass.CellMass, t.mass.CellMass, "CellMass");
  EXPECT_EQ(s.eos.EosScale, t.eos.EosScale);
  EXPECT_EQ(s.eos.FilmEosType, t.eos.FilmEosType);
  EXPECT_EQ(s.eos.LeftEosType, t.eos.LeftEosType);
  // The media's heat conductivities (CheckKappa), where there are any.
  for (const auto& [x, y] :
       {std::pair{&s.eos.FilmEos, &t.eos.FilmEos}, std::pair{&s.eos.LeftEos, &t.eos.LeftEos}}) {
    EXPECT_EQ(static_cast<bool>(x->Kappa), static_cast<bool>(y->Kappa));
    if (x->Kappa && y->Kappa) {
      EXPECT_EQ(x->Kappa(1, 1500), y->Kappa(1, 1500));
    }
  }
  EXPECT_EQ(s.visc.ViscKind, t.visc.ViscKind);
  EXPECT_EQ(s.visc.ViscCoef, t.visc.ViscCoef);
  EXPECT_EQ(s.visc.ViscRef, t.visc.ViscRef);
  EXPECT_EQ(s.sim.InGlass, t.sim.InGlass);
  EXPECT_EQ(s.sim.L0, t.sim.L0);
  EXPECT_EQ(s.sim.h0, t.sim.h0);
  EXPECT_EQ(s.sim.rho0l, t.sim.rho0l);
  EXPECT_EQ(s.sim.x0shift, t.sim.x0shift);
  EXPECT_EQ(s.sim.Dspc, t.sim.Dspc);
  EXPECT_EQ(s.sim.Pout, t.sim.Pout);
  EXPECT_EQ(s.bounds.LeftFixed, t.bounds.LeftFixed);
  EXPECT_EQ(s.bounds.KeepVL, t.bounds.KeepVL);
  EXPECT_EQ(s.bounds.NoMove, t.bounds.NoMove);
  EXPECT_EQ(a.main.Vis, b.main.Vis);
  EXPECT_EQ(a.main.Rho0.Value(), b.main.Rho0.Value());
  EXPECT_EQ(a.main.dt1.Value(), b.main.dt1.Value());
  EXPECT_EQ(a.main.EndTime.Value(), b.main.EndTime.Value());
  EXPECT_EQ(a.main.StepDiv, b.main.StepDiv);
  EXPECT_EQ(a.main.MnStepDiv, b.main.MnStepDiv);
}

TEST(RunFileState, ShockTubeExampleGivesTheSessionOfTheFormsSetUp) {
  ScriptedPrompter byHand;
  AppModel forms(byHand);
  tarvex::testing::SetUpShockTubeThroughForms(forms, byHand);
  if (HasFatalFailure()) return;

  ScriptedPrompter byFile;
  AppModel runner(byFile);
  SetUpFromText(ShockTubeText(), runner, byFile);
  if (HasFatalFailure()) return;
  ExpectSameSession(forms, runner);
  EXPECT_EQ(runner.session.StateA->CellCount(), 900);

  // The same driver on the same session: the same end state, bit for bit.
  RunHooks none;
  const RunOutcome r1 = Calculations(forms.session, forms.main, none);
  const RunOutcome r2 = Calculations(runner.session, runner.main, none);
  ASSERT_TRUE(r1.reachedEnd);
  ASSERT_TRUE(r2.reachedEnd);
  EXPECT_EQ(r1.progress.subSteps, r2.progress.subSteps);
  ExpectSameSession(forms, runner);
}

// Variants of the example that exercise other handlers: the temperature profile with a
// growth, the reduced output interval, an atom mass other than the preset,
// cylindrical geometry (which disables the centre's thermal condition).
struct RoundTripCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> edits;
};

std::string Edited(const RoundTripCase& c) {
  std::string text = ShockTubeText();
  for (const auto& [from, to] : c.edits) text = testing::Replaced(text, from, to);
  return text;
}

class PrintedSettings : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PrintedSettings, ReadBackToTheSameSession) {
  ScriptedPrompter p1;
  AppModel first(p1);
  AppliedSettings applied;
  SetUpFromText(Edited(GetParam()), first, p1, &applied);
  if (HasFatalFailure()) return;
  const std::string printed = SettingsText(first, applied, "case.toml");

  ScriptedPrompter p2;
  AppModel second(p2);
  AppliedSettings again;
  SetUpFromText(printed, second, p2, &again);
  if (HasFatalFailure()) return;
  ExpectSameSession(first, second);
  // Printing the read-back settings gives the same text: nothing drifts.
  EXPECT_EQ(SettingsText(second, again, "case.toml"), printed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintedSettings,
    ::testing::Values(
        RoundTripCase{"ShockTube", {}},
        // The conductivity of each medium, with the option and the fields it reads.
        RoundTripCase{"ConductivityOfBothMedia",
                      {{"gamma = 1.4",
                        "gamma = 1.4\nCheckKappa = true\nkappaFnTCheck = true\nk0 = 300\nTd = 20"},
                       {"[eos.left]\nEqType = \"Ideal gas\"\ngamma = 1.4",
                        "[eos.left]\nEqType = \"Ideal gas\"\ngamma = 1.4\nCheckKappa = true\n"
                        "kappaMultChec = true\nkappaEdit = 3e-5"}}},
        RoundTripCase{"TemperatureProfileWithGrowth",
                      {{"RadioGroup1 = \"Press\"",
                        "RadioGroup1 = \"Temp\"\nTini = 0.8\nTgr = 2.4\n"
                        "GrouthFunc = \"Lnear\"\nDist = 1"},
                       {"Pini = 0.1 ", "#"},
                       {"xf = 4.5 ", "xf = 0.2 "}}},
        RoundTripCase{"ReducedIntervalAndAtomMass",
                      {{"dt1 = 0.05 ", "dtLV = 0.0111111111111111111111 "},
                       {"gamma = 1.4\n\n[eos.left]", "gamma = 1.4\nAtomMass = 2.5\n\n[eos.left]"},
                       {"Pini = 0.1 ", "Pini = \"1,25d-1\" "}}},
        RoundTripCase{"RegionWithoutGrowth", {{"Pini = 0.1 ", "#"}, {"xf = 4.5 ", "xf = 4.2 "}}},
        RoundTripCase{"NumberFormat",
                      {{"[answers]",
                        "[format]\nDec = \",\"\nFType = \"Exponent\"\nPress = "
                        "21\nFWidth = 30\n\n[answers]"}}},
        RoundTripCase{"Cylinder",
                      {{"[initial]\n", "[initial]\nDspcUpDown = 2\nPadhEdit = 3\n"},
                       {"MoveType = \"v0 = 0\"", "MoveType = \"No move\""}}}),
    [](const ::testing::TestParamInfo<RoundTripCase>& p) { return p.param.name; });

// The pre-heating of the substrate from a run file: PreHtF, PreHtD and PreHtShape with
// light through the substrate (d < 0) reach the source at the laser dialog's OK, and the
// printed settings give them back so that they read back to the same source.
TEST(RunFileState, PreHeatingReachesTheSourceAndPrintsBack) {
  const BundledExample* example = FindExample("laser_heating_1t");
  ASSERT_NE(example, nullptr);
  std::string text = testing::Replaced(std::string(example->text), "dEdit = 10 ",
                                       "dEdit = -10\nPreHtF = 0.5\nPreHtD = -20\n"
                                       "PreHtShape = \"[1, (x0-x)/d <= 1]\" ");
  ScriptedPrompter p1;
  AppModel first(p1);
  AppliedSettings applied;
  SetUpFromText(text, first, p1, &applied);
  if (HasFatalFailure()) return;
  const LaserSource& src = first.session.laser;
  EXPECT_EQ(src.FpreFn, SpaceShape::Step);
  EXPECT_NEAR(static_cast<double>(src.QPreDepth), 20e-7, 1e-20);  // the sign means nothing
  // 0.5 mJ/cm^2 over 20 nm and 100 fs [kW/cm^3], times the Gaussian's 1/sqrt(pi).
  const double amp = 0.5e-6 / (20e-7 * 1e-13);
  EXPECT_NEAR(static_cast<double>(src.QPreAmp), amp * std::numbers::inv_sqrtpi, 1e-12 * amp);
  // The substrate cell next to the film (the 50th of the grid) is heated.
  ASSERT_EQ(src.QCell.size(), 150u);
  EXPECT_GT(static_cast<double>(src.QCell[49]), 0.0);
  EXPECT_EQ(first.qext.PreHeat().d, 20);

  const std::string printed = SettingsText(first, applied, "case.toml");
  for (const char* line :
       {"\nPreHtF = 0.5", "\nPreHtD = 20", "\nPreHtShape = \"[1, (x0-x)/d <= 1]\""}) {
    EXPECT_NE(printed.find(line), std::string::npos) << line << " in\n" << printed;
  }
  ScriptedPrompter p2;
  AppModel second(p2);
  AppliedSettings again;
  SetUpFromText(printed, second, p2, &again);
  if (HasFatalFailure()) return;
  const LaserSource& back = second.session.laser;
  EXPECT_EQ(back.FtFn, src.FtFn);
  EXPECT_EQ(back.FxFn, src.FxFn);
  EXPECT_EQ(back.FpreFn, src.FpreFn);
  EXPECT_EQ(back.QAmp, src.QAmp);
  EXPECT_EQ(back.QDepth, src.QDepth);
  EXPECT_EQ(back.QPreAmp, src.QPreAmp);
  EXPECT_EQ(back.QPreDepth, src.QPreDepth);
  ExpectSameArrays(back.QCell, src.QCell, "QCell");
  EXPECT_EQ(SettingsText(second, again, "case.toml"), printed);
}

}  // namespace
}  // namespace tarvex::batch

namespace tarvex::batch {
namespace {

// The input file of the gold samples (data/electron).
std::string SampleInFile() {
  return std::string(TARVEX_TEST_DATA) + "/../../data/electron/In.txt";
}

// The film_2t_constant example with its [thermal] table replaced by `thermal`.
std::string WithThermalTable(const std::string& thermal) {
  const BundledExample* example = FindExample("film_2t_constant");
  if (example == nullptr) return {};
  std::string text(example->text);
  const size_t from = text.find("[thermal]");
  const size_t to = text.find("[laser]");
  return text.substr(0, from) + "[thermal]\n" + thermal + "\n" + text.substr(to);
}

// Every material of the thermal-parameter dialog's list chosen from a run file: its page
// is shown and preset, the model installed is that material's, and the printed settings
// name it and read back to the same state.
TEST(RunFileState, EveryMaterialOfTheThermalListReachesTheElectronModel) {
  for (const ElMaterialInfo& m : kMaterials) {
    const std::string name = m.name;
    const ElPageInfo* page = FindElectronPage(m.page);
    ASSERT_NE(page, nullptr) << name;
    if (!page->Available()) continue;  // below
    SCOPED_TRACE(name);
    // The data-file model needs its files: the gold samples.
    const std::string files =
        name == "Spline" ? "SplineInButton = \"" + SampleInFile() + "\"\n" : std::string();
    const std::string text =
        WithThermalTable("Materials = \"" + name + "\"\n" + files + "Button = \"OK\"\n");
    ScriptedPrompter p1;
    AppModel first(p1);
    AppliedSettings applied;
    SetUpFromText(text, first, p1, &applied);
    if (HasFatalFailure()) return;
    const ElectronModel& em = first.session.electron.model;
    ASSERT_TRUE(em.ElHeatCap && em.Coupling && em.ElConductivity);
    EXPECT_EQ(first.thermParam.ActivePage(), page->index);
    const Real rho0 = first.session.electron.common.ElRho0;
    EXPECT_GT(rho0, 1);  // the preset's density, not the page's empty field

    const std::string printed = SettingsText(first, applied, "case.toml");
    EXPECT_NE(
        printed.find("Page = \"" + std::string(page->caption) + "\"\nMaterials = \"" + name + "\""),
        std::string::npos)
        << printed;
    ScriptedPrompter p2;
    AppModel second(p2);
    AppliedSettings again;
    SetUpFromText(printed, second, p2, &again);
    if (HasFatalFailure()) return;
    EXPECT_EQ(SettingsText(second, again, "case.toml"), printed);
    const ElectronModel& back = second.session.electron.model;
    EXPECT_EQ(back.ElHeatCap(rho0, 5000), em.ElHeatCap(rho0, 5000));
    EXPECT_EQ(back.Coupling(rho0, 5000), em.Coupling(rho0, 5000));
    EXPECT_EQ(back.ElConductivity(rho0, 5000, 1000), em.ElConductivity(rho0, 5000, 1000));
  }
}

// The data files of the "Spline" page are refused with the reader's reason, the file and
// the line: temperatures that do not increase, too many rows, a zero density, an unknown
// kind.
TEST(RunFileState, SplineDataFilesThatCannotBeReadAreRefusedWithFileAndLine) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / "tarvex_spline_runfile";
  std::filesystem::create_directories(dir);
  const auto write = [&](const std::string& name, const std::string& text) {
    std::ofstream((dir / name).string(), std::ios::binary) << text;
  };
  write("Ge.txt", "coupling\n2700 2.7 0 0\n1\n27\n");
  write("In.txt", "Ce.txt Cefile\nGe.txt Gefile\n26.98 Amass\n");
  std::string tooMany = "heat capacity\n2700\n257\n";
  for (int k = 0; k < 257; ++k) tooMany += std::to_string(100 * (k + 1)) + " 1000\n";
  struct Case {
    const char* what;
    std::string ce;
    const char* expected;
  };
  const Case cases[] = {
      {"not increasing", "heat capacity\n2700\n3\n300 1e4\n600 2e4\n600 3e4\n",
       "Ce.txt, line 6: TeCe not increase at k 3"},
      {"too many rows", tooMany, "Ce.txt, line 3: Rows num overlow"},
      {"zero density", "heat capacity\n0\n3\n", "Ce.txt, line 2"},
      {"unknown kind", "heat capacity\n2700\n1\n13\n", "Ce.txt, line 4: INITCe: unknown kCe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    write("Ce.txt", c.ce);
    const ReadResult read =
        ParseRunFile(WithThermalTable("Materials = \"Spline\"\nSplineInButton = \"" +
                                      (dir / "In.txt").string() + "\"\nButton = \"OK\"\n"),
                     "case.toml");
    ASSERT_TRUE(read.ok());
    ScriptedPrompter p;
    AppModel app(p);
    const ApplyResult r = ApplyRunFile(read.file, app, p, "");
    ASSERT_FALSE(r.ok());
    const std::string text = r.error->Text();
    EXPECT_NE(text.find("SplineInButton"), std::string::npos) << text;
    EXPECT_NE(text.find(c.expected), std::string::npos) << text;
    EXPECT_FALSE(ElectronModelDefined(app.session.electron.model));
  }
  std::filesystem::remove_all(dir);
}

// A material whose page this version does not have is refused, naming the page.
TEST(RunFileState, AMaterialOfAPageNotBuiltIsRefused) {
  const ReadResult read =
      ParseRunFile(WithThermalTable("Materials = \"LiF\"\nButton = \"OK\"\n"), "case.toml");
  ASSERT_TRUE(read.ok());
  ScriptedPrompter p;
  AppModel app(p);
  const ApplyResult r = ApplyRunFile(read.file, app, p, "");
  ASSERT_FALSE(r.ok());
  EXPECT_NE(r.error->Text().find("Materials"), std::string::npos) << r.error->Text();
  EXPECT_NE(r.error->Text().find("NoMetall"), std::string::npos) << r.error->Text();
}

}  // namespace
}  // namespace tarvex::batch
