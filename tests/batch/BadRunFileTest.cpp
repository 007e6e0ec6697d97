// Every kind of wrong run file ends with exit code 2, a message that names the file, the
// line, the table and key and what is wrong, and runs nothing (no output directory).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "batch/BatchSupport.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::Replaced;
using testing::ShockTubeText;
using testing::TempDir;

struct BadCase {
  const char* name;
  std::vector<std::pair<std::string, std::string>> edits;  // applied to the example
  std::string marker;                 // the message's line is the first line holding it
  std::vector<std::string> expected;  // fragments of the message
};

std::string Edited(const BadCase& c) {
  std::string text = ShockTubeText();
  for (const auto& [from, to] : c.edits) text = Replaced(text, from, to);
  return text;
}

int32_t LineOf(const std::string& text, const std::string& marker) {
  const size_t at = text.find(marker);
  if (at == std::string::npos) return 0;
  return 1 +
         static_cast<int32_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n'));
}

class BadRunFile : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadRunFile, IsRefusedWithFileLineKeyAndReason) {
  const BadCase& c = GetParam();
  TempDir dir;
  const std::string text = Edited(c);
  const std::string path = dir.Write("case.toml", text);
  const std::string out = (dir.path() / "out").string();
  const testing::MainResult r = CallMain({path, "--out", out, "--quiet"});
  EXPECT_EQ(r.code, kExitBadRunFile) << r.err;
  const int32_t line = LineOf(text, c.marker);
  ASSERT_GT(line, 0) << "marker not in the text";
  EXPECT_NE(r.err.find(path + ":" + std::to_string(line) + ": error: "), std::string::npos)
      << "expected line " << line << " in: " << r.err;
  for (const std::string& e : c.expected) EXPECT_NE(r.err.find(e), std::string::npos) << r.err;
  EXPECT_FALSE(std::filesystem::exists(out)) << "a refused run file must run nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadRunFile,
    ::testing::Values(
        BadCase{"SyntaxError", {{"[main]", "[main"}}, "[main", {"TOML syntax"}},
        BadCase{"UnknownTable",
                {{"[main]", "[lazer]\nQ = 1\n\n[main]"}},
                "[lazer]",
                {"[lazer] unknown table", "[eos.film]"}},
        // The laser source and the conduction it needs.
        BadCase{"LaserZeroDuration",
                {{"[main]", "[laser]\nAEdit = 2\ntEdit = 0\ndEdit = 10\n\n[main]"}},
                "tEdit = 0",
                {"[laser] tEdit", "duration tau must be greater than 0"}},
        BadCase{"LaserNegativeDuration",
                {{"[main]", "[laser]\nAEdit = 2\ntEdit = -5\ndEdit = 10\n\n[main]"}},
                "tEdit = -5",
                {"[laser] tEdit", "duration tau must be greater than 0"}},
        BadCase{"LaserNegativeFluence",
                {{"[main]", "[laser]\nAEdit = -1\ntEdit = 100\ndEdit = 10\n\n[main]"}},
                "AEdit = -1",
                {"[laser] AEdit", "fluence F must be greater than 0"}},
        BadCase{"LaserZeroDepth",
                {{"[main]", "[laser]\nAEdit = 2\ntEdit = 100\ndEdit = 0\n\n[main]"}},
                "dEdit = 0",
                {"[laser] dEdit", "depth d must not be 0"}},
        BadCase{"LaserNoTimeShape",
                {{"[main]", "[laser]\nAEdit = 2\ntSelect = -1\ntEdit = 100\ndEdit = 10\n\n[main]"}},
                "tSelect = -1",
                {"[laser] tSelect", "Choose a time shape"}},
        // The pre-heating of the substrate is for light through it (d < 0) and needs a
        // depth.
        BadCase{"PreHeatingWithLightFromTheOtherSide",
                {{"[main]",
                  "[laser]\nAEdit = 2\ntEdit = 100\ndEdit = 10\nPreHtF = 1\nPreHtD = 20\n\n"
                  "[main]"}},
                "dEdit = 10",
                {"[laser] dEdit", "pre-heating is for light through the substrate: d < 0"}},
        BadCase{"PreHeatingWithoutDepth",
                {{"[main]",
                  "[laser]\nAEdit = 2\ntEdit = 100\ndEdit = -10\nPreHtF = 1\nPreHtD = 0\n\n"
                  "[main]"}},
                "PreHtD = 0",
                {"[laser] PreHtD", "pre-heating depth d must not be 0 nm"}},
        BadCase{"HeatedWithoutConductivity",
                {{"[main]", "[laser]\nAEdit = 2\ntEdit = 100\ndEdit = 10\n\n[main]"},
                 {"[initial]", "[initial]\nQext = true"}},
                "[initial]",
                {"neither medium has a conductivity", "[thermal]"}},
        BadCase{"HeatedWithoutSource",
                {{"[initial]", "[initial]\nQext = true"}},
                "Qext = true",
                {"no laser source was accepted", "[laser]"}},
        BadCase{
            "ThermalPageRefusesAZeroDensity",
            {{"[main]", "[thermal]\nPage = \"Constant\"\nkEdit = 1e-3\nrho0Edit = 0\n\n[main]"}},
            "rho0Edit = 0",
            {"[thermal] rho0Edit"}},
        BadCase{"ThermalFieldOfAnotherPage",
                {{"[main]", "[thermal]\nPage = \"Constant\"\nNatEdit = 6e22\n\n[main]"}},
                "NatEdit",
                {"[thermal] NatEdit", "has no field NatEdit"}},
        BadCase{"FormatSeparatorThatIsADigit",
                {{"[main]", "[format]\nDec = \"5\"\n\n[main]"}},
                "Dec",
                {"[format] Dec: the decimal separator is one printable character"}},
        BadCase{"FormatSeparatorTheReaderDoesNotTake",
                {{"[main]", "[format]\nDec = \"p\"\n\n[main]"}},
                "Dec",
                {"[format] Dec: \".\" or \",\"", "a saved set must load again"}},
        BadCase{"FormatPrecisionThatMergesCoordinates",
                {{"[main]", "[format]\nPress = 1\n\n[main]"}},
                "Press",
                {"[format] Press: -1 or 6 .. 30"}},
        BadCase{"UnknownKey",
                {{"Pini = 0.1", "Pini = 0.1\nPinni = 3"}},
                "Pinni",
                {"[initial] Pinni: unknown key in [initial]"}},
        BadCase{"KeyOfAnotherTable",
                {{"Pini = 0.1", "Pini = 0.1\nEndTime = 3"}},
                "EndTime = 3",
                {"[initial] EndTime: unknown key", "belongs in [main]"}},
        BadCase{"KeyWithWrongCase",
                {{"Pini = 0.1", "pini = 0.1"}},
                "pini",
                {"[initial] pini: unknown key; did you mean Pini?"}},
        BadCase{"WrongTypeForAnUpDown",
                {{"Dimension = 900", "Dimension = \"many\""}},
                "Dimension",
                {"[main] Dimension: expected an integer, got a text"}},
        BadCase{"WrongTypeForACheckBox",
                {{"CheckKeepVL = true", "CheckKeepVL = 1"}},
                "CheckKeepVL",
                {"[initial] CheckKeepVL: expected true or false, got an integer"}},
        BadCase{"TextThatIsNoNumber",
                {{"Len = 4.5", "Len = \"4.5 nm\""}},
                "Len",
                {"[main] Len: \"4.5 nm\" is not a number"}},
        BadCase{"NumberBeyondRange",
                {{"Len = 4.5", "Len = \"1e99999\""}},
                "Len",
                {"[main] Len: \"1e99999\" is beyond the range of numbers"}},
        BadCase{"UpDownOutOfRange",
                {{"Dimension = 900", "Dimension = 20000"}},
                "Dimension",
                {"[main] Dimension: 20000 is out of range", "0 .. 10000"}},
        BadCase{"ChoiceIndexOutOfRange",
                {{"MoveType = \"v0 = 0\"", "MoveType = 7"}},
                "MoveType",
                {"[initial] MoveType: item 7 is out of range"}},
        BadCase{"UnknownChoiceItem",
                {{"MoveType = \"v0 = 0\"", "MoveType = \"sideways\""}},
                "MoveType",
                {"[initial] MoveType: unknown item \"sideways\"", "\"No move\""}},
        BadCase{"ParameterTheEosDialogRefuses",
                {{"gamma = 1.4", "gamma = 0.5"}},
                "gamma = 0.5",
                {"[eos.film] gamma: gamma must be"}},
        BadCase{"FieldTheSelectedModelDoesNotUse",
                {{"gamma = 1.4", "gamma = 1.4\nT_0 = 3"}},
                "T_0",
                {"[eos.film] T_0: not used by the selected model", "\"Ideal gas\""}},
        // Metal names a material of the chosen model only.
        BadCase{"MetalForAModelWithoutMaterials",
                {{"gamma = 1.4", "gamma = 1.4\nMetal = \"Al\""}},
                "Metal = ",
                {"[eos.film] Metal:", "has no metal choice"}},
        BadCase{"MetalOfAnotherModel",
                {{"EqType = \"Ideal gas\"", "EqType = \"MieGrun\"\nMetal = \"Al\""},
                 {"gamma = 1.4", ""}},
                "Metal = ",
                {"[eos.film] Metal:", "There is no metal \"Al\"", "Mo"}},
        // The conductivity fields need CheckKappa and the option that reads them.
        BadCase{"ConductivityWithoutCheckKappa",
                {{"gamma = 1.4", "gamma = 1.4\nkappaEdit = 2e-5"}},
                "kappaEdit",
                {"[eos.film] kappaEdit:", "check `CheckKappa`"}},
        BadCase{"FnTFieldWithoutItsOption",
                {{"gamma = 1.4", "gamma = 1.4\nCheckKappa = true\nk0 = 300"}},
                "k0 = ",
                {"[eos.film] k0:", "kappaFnTCheck"}},
        BadCase{"NegativeConductivity",
                {{"gamma = 1.4", "gamma = 1.4\nCheckKappa = true\nkappaEdit = -1e-5"}},
                "kappaEdit",
                {"[eos.film] kappaEdit:", "must"}},
        BadCase{"NoElEOSWithoutAnElectronModel",
                {{"gamma = 1.4", "gamma = 1.4\nNoElEOS = true"}},
                "[initial]",
                {"NoElEOS = true", "[thermal]"}},
        BadCase{"ModelNotAvailable",
                {{"EqType = \"Ideal gas\"", "EqType = \"TConduct\""}, {"gamma = 1.4", ""}},
                "TConduct",
                {"[eos.film] EqType:", "is not available in this version"}},
        BadCase{"ValueTheInitialDialogRefuses",
                {{"Rho0 = 0.125", "Rho0 = -1"}},
                "Rho0",
                {"[main] Rho0: the density must be greater than 0"}},
        BadCase{"SubstrateWithoutFilmCells",
                {{"xShiftDiv = 800", "xShiftDiv = 900"}},
                "xShiftDiv",
                {"[initial] xShiftDiv: the substrate must leave film cells"}},
        BadCase{"NonNegativeGridWithASubstrateBeforeTheFilm",
                {{"MoveType = \"v0 = 0\"", "MoveType = \"x >= 0\""}},
                "MoveType",
                {"[initial] MoveType:", "not \"x >= 0\" with a substrate before the film"}},
        BadCase{"NegativeSubstrateTemperature",
                {{"T0l = 1 ", "T0l = -1 "}},
                "T0l = -1",
                {"[initial] T0l: the substrate temperature must be greater than 0 K"}},
        BadCase{"NegativeViscosity",
                {{"ViscMult = 2", "ViscMult = -2"}},
                "ViscMult",
                {"[viscosity] ViscMult: the coefficient must be a number >= 0"}},
        BadCase{"ValueAHandlerReplaces",
                {{"Pini = 0.1 ", "Pini = 0.1\nTini = 5 "}},
                "Pini",
                {"[initial] Pini: the form replaced 0.1 by 0.625", "follows from other settings"}},
        BadCase{"BadAnswerName",
                {{"= \"No\"", "= \"Maybe\""}},
                "Use I EOS",
                {"[answers] Use I EOS for glass?: unknown answer \"Maybe\"", "\"No to All\""}},
        BadCase{"AnswerThatKeepsTheDialogOpen",
                {{"[answers]\n", "[answers]\n\"Save(print) settings?\" = \"Cancel\"\n"}},
                "[initial]",
                {"[initial] the dialog stayed open"}},
        BadCase{"LoadWithTheGridInMain",
                {{"[eos.film]", "load = \"run/0001p500ps.DAT\"\n\n[eos.film]"}},
                "Len = 4.5",
                {"[main] Len: the loaded profile sets it"}},
        BadCase{"SaveNamesThatRepeat",
                {{"[answers]",
                  "[save]\nRadioGroup1 = \"Fixed\"\nFormatType = \"Fixed\"\nPress = "
                  "0\n\n[answers]"}},
                "Press = 0",
                {"[save] Press: the intervals ending at t = 0.05 and 0.1 would get the same file "
                 "name \"0\""}},
        BadCase{"SaveTimeFactorZero",
                {{"[answers]", "[save]\nScal = 0\n\n[answers]"}},
                "Scal",
                {"[save] Scal: the time factor must be greater than 0"}},
        BadCase{"SaveSuffixWithADirectory",
                {{"[answers]", "[save]\nAddStr = \"../x\"\n\n[answers]"}},
                "AddStr",
                {"[save] AddStr: the suffix is part of a file name"}},
        BadCase{"SaveSuffixWithANul",
                {{"[answers]", std::string("[save]\nAddStr = \"ps\\u0000x\"\n\n[answers]")}},
                "AddStr",
                {"[save] AddStr: a text may hold no control character; found U+0000 at "
                 "position 3"}},
        BadCase{"SaveDirWithATab",
                {{"[answers]", "[save]\nSaveDir = \"out\\tdir\"\n\n[answers]"}},
                "SaveDir",
                {"[save] SaveDir: a text may hold no control character; found U+0009 at "
                 "position 4"}},
        BadCase{"NonCharacterInAText",
                {{"[answers]", "[save]\nAddStr = \"a\xEF\xBB\xBD\"\n\n[answers]"}},
                "AddStr",
                {"the character U+FEFD is not a text character"}},
        BadCase{"NonCharacterInAComment",
                {{"[answers]", "# \xEF\xBF\xBF\n[answers]"}},
                "# \xEF\xBF\xBF",
                {"the character U+FFFF is not a text character"}},
        BadCase{"GridLengthZero",
                {{"Len = 4.5", "Len = 0"}},
                "Len = 0",
                {"[main] Len: the grid length must be greater than 0"}},
        BadCase{"OutputIntervalNegative",
                {{"dt1 = 0.05", "dt1 = -0.05"}},
                "dt1",
                {"[main] dt1: the output interval must be greater than 0"}},
        BadCase{"OutputIntervalLongerThanTheRun",
                {{"dt1 = 0.05", "dt1 = 1e300"}},
                "dt1",
                {"[main] dt1: the output interval 1e+300 is longer than the run from t = 0 to "
                 "EndTime = 0.2"}},
        BadCase{"EndTimeNegative",
                {{"EndTime = 0.2", "EndTime = -1"}},
                "EndTime",
                {"[main] EndTime: the end time must not be negative"}},
        BadCase{"SaveNameTooLongForTheNumber",
                {{"[answers]", "[save]\nScal = 1e300\n\n[answers]"}},
                "Scal",
                {"[save] Scal: the result files of the interval ending at t = 0.05 cannot be "
                 "written: the file name "}},
        BadCase{"SaveNameTooLongForTheSuffix",
                {{"[answers]", "[save]\nAddStr = \"" + std::string(300, 's') + "\"\n\n[answers]"}},
                "AddStr",
                {"[save] AddStr: the result files of the interval ending at t = 0.05 cannot be "
                 "written: the file name 0000p050sss",
                 "; with its endings a name may have at most 236"}},
        BadCase{"SaveDirEmpty",
                {{"[answers]", "[save]\nSaveDir = \"\"\n\n[answers]"}},
                "SaveDir",
                {"[save] SaveDir: an empty directory name"}},
        BadCase{"SavePictureFormatUnknown",
                {{"[answers]", "[save]\nGraphType = \"PNG\"\n\n[answers]"}},
                "GraphType",
                {"[save] GraphType: unknown item \"PNG\"", "\"BMP\", \"JPEG\""}},
        BadCase{"NoFilmEquationOfState",
                {{"[eos.film]\nEqType = \"Ideal gas\"\ngamma = 1.4\n", ""}},
                "[initial]",
                {"[initial] the film has no equation of state: add an [eos.film]"}}),
    [](const ::testing::TestParamInfo<BadCase>& p) { return p.param.name; });

// Both tables name the shared field: the message points at the second one and names the
// line of the first.
TEST(BadRunFileShared, KeyGivenInMainAndInitial) {
  TempDir dir;
  const std::string text = Replaced(ShockTubeText(), "Pini = 0.1", "Pini = 0.1\nRho0 = 0.125");
  const std::string path = dir.Write("case.toml", text);
  const testing::MainResult r = CallMain({path, "--quiet", "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitBadRunFile);
  const size_t second = text.find("Rho0 = 0.125", text.find("[initial]"));
  const int32_t line = 1 + static_cast<int32_t>(std::count(
                               text.begin(), text.begin() + static_cast<long>(second), '\n'));
  const int32_t first =
      1 + static_cast<int32_t>(std::count(
              text.begin(), text.begin() + static_cast<long>(text.find("Rho0 = 0.125")), '\n'));
  EXPECT_NE(r.err.find(path + ":" + std::to_string(line) +
                       ": error: [initial] Rho0: also given in [main] (line " +
                       std::to_string(first) + ")"),
            std::string::npos)
      << r.err;
}

// Several mistakes: every one is reported, in the order of the file.
TEST(BadRunFileMany, EveryStaticErrorIsReported) {
  TempDir dir;
  std::string text = Replaced(ShockTubeText(), "Dimension = 900", "Dimension = 0.5");
  text = Replaced(text, "CheckKeepVL = true", "CheckKeepVL = \"yes\"");
  text = Replaced(text, "ViscType = \"Loc\"", "ViscKind = 1");
  const std::string path = dir.Write("case.toml", text);
  const testing::MainResult r = CallMain({path, "--quiet"});
  EXPECT_EQ(r.code, kExitBadRunFile);
  const size_t a = r.err.find("Dimension:");
  const size_t b = r.err.find("CheckKeepVL:");
  const size_t c = r.err.find("ViscKind:");
  ASSERT_NE(a, std::string::npos) << r.err;
  ASSERT_NE(b, std::string::npos) << r.err;
  ASSERT_NE(c, std::string::npos) << r.err;
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
}

TEST(BadRunFileMissing, NoInitialConditions) {
  TempDir dir;
  std::string text = ShockTubeText();
  const size_t from = text.find("[initial]");
  text.erase(from, text.find("[viscosity]") - from);
  const std::string path = dir.Write("case.toml", text);
  const testing::MainResult r = CallMain({path, "--quiet", "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitBadRunFile);
  EXPECT_NE(r.err.find(path + ": error: [initial] the run file has no [initial] table"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "o"));
}

// Only a regular file up to 4 MB is read as a run file; anything else is refused with
// the reason, and nothing blocks or grows without end.
TEST(BadRunFileMissing, OnlyARegularFileOfASaneSize) {
  TempDir dir;
  const std::string fifo = (dir.path() / "fifo.toml").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string big =
      dir.Write("big.toml", ShockTubeText() + "\n#" + std::string(4u << 20, 'x') + "\n");
  const std::pair<std::string, std::string> cases[] = {
      {dir.path().string(), "the run file is a directory"},
      {"/dev/zero", "the run file is not a regular file"},
      {fifo, "the run file is not a regular file"},
      {big, "the run file has 4195877 bytes; a run file has at most 4194304 (4 MB)"},
  };
  for (const auto& [path, reason] : cases) {
    SCOPED_TRACE(path);
    const testing::MainResult r = CallMain({path, "--quiet", "--out", (dir.path() / "o").string()});
    EXPECT_EQ(r.code, kExitBadRunFile);
    EXPECT_NE(r.err.find(path + ": error: " + reason), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "o"));
  }
}

// An output directory that names a file is refused before the run, with that reason.
TEST(BadRunFileMissing, OutputDirectoryThatIsAFile) {
  TempDir dir;
  const std::string path = dir.Write("case.toml", ShockTubeText());
  const std::string file = dir.Write("afile", "x");
  const testing::MainResult r = CallMain({path, "--quiet", "--out", file});
  EXPECT_EQ(r.code, kExitIoFailure);
  EXPECT_NE(r.err.find("the output directory " + file + " names a file that is not a directory"),
            std::string::npos)
      << r.err;
}

TEST(BadRunFileMissing, UnreadableFileIsABadRunFile) {
  TempDir dir;
  const testing::MainResult r = CallMain({(dir.path() / "nowhere.toml").string(), "--quiet"});
  EXPECT_EQ(r.code, kExitBadRunFile);
  EXPECT_NE(r.err.find("cannot open the run file"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace tarvex::batch
