// The runner end to end: the real executable on the bundled example and the profile sets
// and pictures it writes, exit codes of the finished, failed, interrupted and unwritable
// runs, Ctrl-C sent to a running child, and the break action reaching the driver through
// the prompter.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <iterator>
#include <sstream>

#include "batch/BatchPrompter.h"
#include "batch/BatchSupport.h"
#include "batch/Examples.h"
#include "batch/Progress.h"
#include "core/files/SaveOptions.h"
#include "runfile/RunSettings.h"

namespace tarvex::batch {

using namespace tarvex::runfile;
namespace {

using testing::CallMain;
using testing::Child;
using testing::Replaced;
using testing::ShockTubeText;
using testing::TempDir;

namespace fs = std::filesystem;

// A shock tube that would run for hours: 18000 output intervals (each with a name of its
// own: beyond t = 1000 the automatic names keep four digits only).
std::string LongCase() {
  return Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 900");
}

// The base name (directory included) the driver gives the set of the interval ending at
// t under the save options of a run file's [save] table (`configure` sets them as the
// table does).
std::string SetName(const fs::path& dir, Real t, void (*configure)(TSaveFileOptions&) = nullptr) {
  TSaveFileOptions o;
  if (configure != nullptr) configure(o);
  o.SaveDir = WithTrailingSeparator(dir.string());
  return o.MakeOutputName(t);
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int32_t LineCount(const std::string& path) {
  const std::string text = FileText(path);
  return static_cast<int32_t>(std::count(text.begin(), text.end(), '\n'));
}

// The shock tube writes a profile set every 0.05: the table (a title line, one row per
// cell, the last node's row) and its header, named after the time.
TEST(Executable, RunsTheDefaultExampleAndWritesEveryInterval) {
  TempDir dir;
  const fs::path out = dir.path() / "shock";
  Child run({"--example", "default", "--out", out.string(), "--quiet"});
  EXPECT_EQ(run.Wait(120), kExitOk) << run.err();
  for (int k = 1; k <= 4; ++k) {
    const std::string base = SetName(out, 0.05L * k);
    ASSERT_TRUE(fs::is_regular_file(base + ".DAT")) << base;
    EXPECT_TRUE(fs::is_regular_file(base + ".TXT")) << base;
    EXPECT_EQ(LineCount(base + ".DAT"), 1 + 900 + 1) << base;
  }
  EXPECT_EQ(SetName(out, 0.2L), (out / "0000p200").string());
  int32_t dats = 0;
  for (const auto& e : fs::directory_iterator(out)) dats += e.path().extension() == ".DAT";
  EXPECT_EQ(dats, 4);
  EXPECT_EQ(run.err(), "");
}

#ifdef TARVEX_BATCH_PICTURES
struct PictureCase {
  const char* graphType;  // [save] GraphType
  const char* extension;
  std::string magic;  // the first bytes of the format
};

class Pictures : public ::testing::TestWithParam<PictureCase> {};

// Every interval's set comes with the picture of the graphs in the format of [save].
TEST_P(Pictures, OneReadablePicturePerInterval) {
  const PictureCase& c = GetParam();
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const std::string text = ShockTubeText() + "\n[save]\nGraphType = \"" + c.graphType + "\"\n";
  const testing::MainResult r =
      CallMain({dir.Write("c.toml", text), "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  for (int k = 1; k <= 4; ++k) {
    const std::string path = SetName(out, 0.05L * k) + c.extension;
    const std::string bytes = FileText(path);
    ASSERT_GT(bytes.size(), 1000u) << path;
    EXPECT_EQ(bytes.substr(0, c.magic.size()), c.magic) << path;
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, Pictures,
                         ::testing::Values(PictureCase{"JPEG", ".jpg", "\xFF\xD8\xFF"},
                                           PictureCase{"BMP", ".BMP", "BM"}),
                         [](const ::testing::TestParamInfo<PictureCase>& p) {
                           return std::string(p.param.graphType);
                         });

// A killed run leaves the staging files of its picture behind; a hundred of them used up
// the temporary names and every later run failed with exit code 5. They are removed
// before the picture is written.
TEST(Runner, StaleStagingFilesOfAPictureAreRemoved) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  fs::create_directories(out);
  const std::string picture = fs::path(SetName(out, 0.05L) + ".jpg").filename().string();
  for (int k = 0; k < 100; ++k) {
    std::ofstream(out / ("." + picture + ".~" + std::to_string(k))) << "stale";
  }
  const std::string path =
      dir.Write("c.toml", Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.1"));
  const testing::MainResult r = CallMain({path, "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitOk) << r.err;
  EXPECT_TRUE(fs::is_regular_file(out / picture));
  for (int k = 0; k < 100; ++k) {
    EXPECT_FALSE(fs::exists(out / ("." + picture + ".~" + std::to_string(k)))) << k;
  }
}

TEST(Runner, UnwritablePictureEndsWithCode5) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  // A directory where the first picture goes.
  fs::create_directories(SetName(out, 0.05L) + ".jpg");
  const std::string path =
      dir.Write("c.toml", Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.1"));
  const testing::MainResult r = CallMain({path, "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitIoFailure);
  EXPECT_NE(r.err.find("a picture could not be written: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("0000p050.jpg"), std::string::npos) << r.err;
  // The run went on: the later interval has its set and picture.
  EXPECT_TRUE(fs::is_regular_file(SetName(out, 0.1L) + ".jpg"));
}
#endif

// [save] names the sets: the time factor with its unit suffix, the fixed layout.
struct NameCase {
  const char* name;
  const char* table;
  void (*configure)(TSaveFileOptions&);
};

class SaveNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(SaveNames, SetsAreNamedByTheSaveOptions) {
  const NameCase& c = GetParam();
  TempDir dir;
  const fs::path out = dir.path() / "o";
  std::string text = Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.1");
  text += std::string("\n[save]\n") + c.table;
  const testing::MainResult r =
      CallMain({dir.Write("c.toml", text), "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  for (int k = 1; k <= 2; ++k) {
    const std::string base = SetName(out, 0.05L * k, c.configure);
    EXPECT_TRUE(fs::is_regular_file(base + ".DAT")) << base;
    EXPECT_TRUE(fs::is_regular_file(base + ".TXT")) << base;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, SaveNames,
    ::testing::Values(NameCase{"ScaledToMs", "Scal = 1e3\n",
                               [](TSaveFileOptions& o) {
                                 o.Scal.SetValue(1e3L);
                                 o.LeaveScal();
                               }},
                      NameCase{"FixedWithSuffix",
                               "RadioGroup1 = \"Fixed\"\nFormatType = \"Exponent\"\nPress = "
                               "3\nAddStr = \"_run\"\n",
                               [](TSaveFileOptions& o) {
                                 o.RadioGroup1 = kNameFixed;
                                 o.FormatType = 1;
                                 o.SetPress(3);
                                 o.AddStr = "_run";
                               }}),
    [](const ::testing::TestParamInfo<NameCase>& p) { return std::string(p.param.name); });

// Without --out the directory of [save] takes the results.
TEST(Runner, SaveDirIsTheOutputDirectoryWithoutOut) {
  TempDir dir;
  const fs::path out = dir.path() / "from_save";
  std::string text = Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.05");
  text += "\n[save]\nSaveDir = \"" + out.string() + "\"\n";
  const testing::MainResult r = CallMain({dir.Write("c.toml", text), "--quiet"});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_TRUE(fs::is_regular_file(SetName(out, 0.05L) + ".DAT"));
}

TEST(Executable, BadRunFileEndsWithCode2AndNamesTheLine) {
  TempDir dir;
  const std::string path =
      dir.Write("bad.toml", Replaced(ShockTubeText(), "ViscMult = 2", "ViscMult = \"two\""));
  Child run({path, "--out", (dir.path() / "o").string()});
  EXPECT_EQ(run.Wait(60), kExitBadRunFile);
  EXPECT_NE(run.err().find("bad.toml:"), std::string::npos) << run.err();
  EXPECT_NE(run.err().find("[viscosity] ViscMult: \"two\" is not a number"), std::string::npos)
      << run.err();
  EXPECT_FALSE(fs::exists(dir.path() / "o"));
}

// Ctrl-C: the handler sets the flag, the prompter presses Break, the interval in
// progress is written and the program ends with the "interrupted" code.
TEST(Executable, SigintEndsTheRunInOrderWithCode4) {
  TempDir dir;
  const std::string path = dir.Write("long.toml", LongCase());
  const fs::path out = dir.path() / "out";
  Child run({path, "--out", out.string()});
  // The header appears once the first sub-step is done: the run is under way.
  ASSERT_TRUE(run.WaitForOutput("Running ", 60)) << run.err();
  ASSERT_EQ(::kill(run.pid(), SIGINT), 0);
  EXPECT_EQ(run.Wait(60), kExitInterrupted) << run.err();
  EXPECT_NE(run.err().find("interrupted at t = "), std::string::npos) << run.err();
  int32_t dats = 0;
  for (const auto& e : fs::directory_iterator(out)) dats += e.path().extension() == ".DAT";
  EXPECT_GE(dats, 1);
}

TEST(Runner, CollapsedStepEndsWithCode3) {
  // A nearly empty film next to a hot substrate without viscosity: the step collapses.
  TempDir dir;
  std::string text = Replaced(ShockTubeText(), "Pini = 0.1 ", "Pini = 1e-9 ");
  text = Replaced(text, "T0l = 1 ", "T0l = 1e6 ");
  text = Replaced(text, "ViscMult = 2", "ViscMult = 0");
  const testing::MainResult r =
      CallMain({dir.Write("c.toml", text), "--quiet", "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitRunFailed) << r.err;
  EXPECT_NE(r.err.find("the time step fell below its minimum"), std::string::npos) << r.err;
}

// Questions without an answer and answers without a question are noted, not fatal.
TEST(Runner, NotesUnansweredQuestionsAndUnusedAnswers) {
  TempDir dir;
  std::string text = Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.05");
  text = Replaced(text, "\"Use I EOS for glass?\" = \"No\"", "\"Use the force?\" = \"Yes\"");
  const testing::MainResult r =
      CallMain({dir.Write("c.toml", text), "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitOk) << r.err;
  EXPECT_NE(r.err.find("note: the question \"Use I EOS for glass?\" has no usable answer in "
                       "[answers]; answered \"No\""),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find("note: [answers] the question \"Use the force?\" was never asked"),
            std::string::npos)
      << r.err;
  EXPECT_NE(r.out.find("Finished "), std::string::npos) << r.out;
}

// A pulse defined while the initial conditions leave "Q external" off heats nothing: noted
// with the line of the [laser] table.
TEST(Runner, NotesALaserTableThatHeatsNothing) {
  const BundledExample* example = FindExample("laser_heating_1t");
  ASSERT_NE(example, nullptr);
  TempDir dir;
  std::string text = Replaced(std::string(example->text), "Qext = true", "Qext = false");
  text = Replaced(text, "EndTime = 2e-11", "EndTime = 1e-12");
  const std::string path = dir.Write("c.toml", text);
  const testing::MainResult r = CallMain({path, "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitOk) << r.err;
  const size_t line =
      1 + static_cast<size_t>(std::count(
              text.begin(), text.begin() + static_cast<long>(text.find("[laser]")), '\n'));
  EXPECT_NE(r.err.find(path + ":" + std::to_string(line) +
                       ": note: [laser] heats nothing: [initial] Qext is false"),
            std::string::npos)
      << r.err;
}

TEST(Runner, UncreatableOutputDirectoryEndsWithCode5) {
  TempDir dir;
  const std::string blocker = dir.Write("file", "not a directory");
  const testing::MainResult r =
      CallMain({"--example", "shock_tube", "--quiet", "--out", blocker + "/out"});
  EXPECT_EQ(r.code, kExitIoFailure);
  EXPECT_NE(r.err.find("cannot create the output directory"), std::string::npos) << r.err;
}

TEST(Runner, OutputDirectoryThatTakesNoFileEndsWithCode5BeforeTheRun) {
  TempDir dir;
  const fs::path out = dir.path() / "out";
  // The directory's probe file cannot be made (a directory stands in its name): what a
  // read-only directory does to a user who is not root.
  fs::create_directories(out / (".tarvex1l-probe-" + std::to_string(::getpid())));
  const testing::MainResult r =
      CallMain({"--example", "shock_tube", "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitIoFailure);
  EXPECT_NE(r.err.find("takes no file"), std::string::npos) << r.err;
  // Nothing was computed: no profile set, no history.
  EXPECT_FALSE(fs::exists(out / "Surf.dat"));
  size_t entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(out)) ++entries;
  EXPECT_EQ(entries, 1u);
}

// The sets of an earlier run in the output directory are results too: the same run again
// (or a run continued into its own directory over later sets) is refused before it starts
// and leaves them as they are, unless --overwrite says to replace them.
TEST(Runner, EarlierResultSetsAreReplacedOnlyWithOverwrite) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const std::string path =
      dir.Write("c.toml", Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.1"));
  ASSERT_EQ(CallMain({path, "--quiet", "--out", out.string()}).code, kExitOk);
  const std::string first = SetName(out, 0.05L) + ".DAT";
  std::ofstream(first, std::ios::app) << "a mark of the earlier run\n";
  const auto stamp = fs::last_write_time(first);

  const testing::MainResult again = CallMain({path, "--quiet", "--out", out.string()});
  EXPECT_EQ(again.code, kExitBadRunFile);
  EXPECT_NE(again.err.find("0000p050.DAT exists"), std::string::npos) << again.err;
  EXPECT_NE(again.err.find("--overwrite"), std::string::npos) << again.err;
  EXPECT_EQ(fs::last_write_time(first), stamp);

  const testing::MainResult replaced =
      CallMain({path, "--quiet", "--overwrite", "--out", out.string()});
  EXPECT_EQ(replaced.code, kExitOk) << replaced.err;
  std::ifstream in(first);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text.find("a mark of the earlier run"), std::string::npos);
}

TEST(Runner, FailedResultWriteEndsWithCode5) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  // A directory where the first profile file goes: its write cannot succeed.
  fs::create_directories(SetName(out, 0.05L) + ".DAT");
  const std::string path =
      dir.Write("c.toml", Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.1"));
  const testing::MainResult r = CallMain({path, "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitIoFailure);
  // The summary names the file that failed, also when a later interval was written.
  const size_t summary = r.err.find("a result file could not be written: ");
  ASSERT_NE(summary, std::string::npos) << r.err;
  EXPECT_NE(r.err.find("0000p050.DAT", summary), std::string::npos) << r.err;
  EXPECT_TRUE(fs::is_regular_file(SetName(out, 0.1L) + ".DAT"));
}

TEST(Runner, InterruptBeforeTheRunRunsNothing) {
  const std::atomic<bool> flag{true};
  TempDir dir;
  const testing::MainResult r =
      CallMain({"--example", "shock_tube", "--quiet", "--out", (dir.path() / "o").string()}, &flag);
  EXPECT_EQ(r.code, kExitInterrupted);
  EXPECT_FALSE(fs::exists(dir.path() / "o"));
}

TEST(Runner, PrintSettingsRunsNothingAndIsARunFile) {
  TempDir dir;
  const testing::MainResult r = CallMain(
      {"--example", "shock_tube", "--print-settings", "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitOk) << r.err;
  EXPECT_FALSE(fs::exists(dir.path() / "o"));
  const std::string path = dir.Write("printed.toml", r.out);
  const testing::MainResult again = CallMain({path, "--print-settings"});
  EXPECT_EQ(again.code, kExitOk) << again.err;
  // The same settings, apart from the comment line naming the source.
  EXPECT_EQ(again.out.substr(again.out.find("\n[")), r.out.substr(r.out.find("\n[")));
}

// Break pressed through the prompter at the 30th event processing: the driver ends
// the interval in progress, writes it as the last one and reports the break.
TEST(BreakAction, InterruptFlagPressesBreakAndTheIntervalIsWritten) {
  std::atomic<bool> flag{false};
  BatchPrompter prompter(&flag);
  AppModel app(prompter);
  prompter.Attach(app.main);
  struct Trigger {
    std::atomic<bool>* flag;
    int32_t calls = 0;
  } trigger{&flag};
  prompter.OnProcessEvents(
      [](void* ctx) {
        auto* t = static_cast<Trigger*>(ctx);
        if (++t->calls == 30) t->flag->store(true);
      },
      &trigger);
  const ReadResult read = ParseRunFile(LongCase(), "long.toml");
  ASSERT_TRUE(read.ok());
  TempDir dir;
  const ApplyResult applied = ApplyRunFile(read.file, app, prompter, dir.path().string());
  ASSERT_TRUE(applied.ok()) << applied.error->Text();
  app.files.AskOnFinal = false;
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  EXPECT_TRUE(r.broken);
  EXPECT_FALSE(r.reachedEnd);
  EXPECT_TRUE(prompter.BreakPressed());
  EXPECT_LT(r.progress.subSteps, 30);
  EXPECT_GT(app.session.sim.SimTime, 0);
  int32_t dats = 0;
  for (const auto& e : fs::directory_iterator(dir.path())) dats += e.path().extension() == ".DAT";
  EXPECT_EQ(dats, 1);
  // Its set is named as a broken interval's, never as a finished one's.
  const std::string broken = SetName(dir.path(), app.session.sim.SimTime) + "_break";
  EXPECT_TRUE(fs::is_regular_file(broken + ".DAT")) << broken;
  EXPECT_TRUE(fs::is_regular_file(broken + ".TXT")) << broken;
  // The broken run is marked as the desktop program marks it: a negative end time.
  EXPECT_LT(app.main.EndTime.Value(), 0);
  // Its settings, saved now, read back (a settings file gives the end time itself).
  const std::string printed = SettingsText(app, applied.applied, "long.toml");
  const ReadResult again = ParseRunFile(printed, "saved.toml");
  ASSERT_TRUE(again.ok()) << again.errors.front().Text();
  ScriptedPrompter p2;
  AppModel app2(p2);
  const ApplyResult reapplied = ApplyRunFile(again.file, app2, p2, dir.path().string());
  EXPECT_TRUE(reapplied.ok()) << reapplied.error->Text();
  EXPECT_EQ(app2.main.EndTime.Value(), -app.main.EndTime.Value());
  // A long run keeps no record per sub-step in the prompter.
  EXPECT_TRUE(prompter.titles.empty());
  EXPECT_EQ(prompter.Title(), "Tarvex");
}

// An interrupt that arrives at an interval boundary (before the first step of the next
// interval is accepted) ends the run as a break, without a "No calculated" error.
TEST(BreakAction, InterruptAtAnIntervalBoundaryIsOnlyABreak) {
  std::atomic<bool> flag{false};
  BatchPrompter prompter(&flag);
  AppModel app(prompter);
  prompter.Attach(app.main);
  struct Trigger {
    std::atomic<bool>* flag;
    const SimParams* sp;
    const RunParams* rp;
  } trigger{&flag, &app.session.sim, &app.session.run};
  prompter.OnProcessEvents(
      [](void* ctx) {
        auto* t = static_cast<Trigger*>(ctx);
        // Inside the second interval, still at its start.
        if (t->sp->SimTime > 0 && t->sp->SimTime == t->sp->IntervalEnd - t->rp->dt1) {
          t->flag->store(true);
        }
      },
      &trigger);
  const ReadResult read = ParseRunFile(LongCase(), "long.toml");
  ASSERT_TRUE(read.ok());
  TempDir dir;
  const ApplyResult applied = ApplyRunFile(read.file, app, prompter, dir.path().string());
  ASSERT_TRUE(applied.ok()) << applied.error->Text();
  app.files.AskOnFinal = false;
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  EXPECT_TRUE(r.broken);
  EXPECT_TRUE(prompter.BreakPressed());
  for (const std::string& m : prompter.informed)
    EXPECT_EQ(m.find("No calculated"), std::string::npos);
}

// [format] sets the number format of the result files: with 21 digits every number of
// a profile set is written exactly.
TEST(Runner, FormatTableSetsThePrecisionOfTheFiles) {
  TempDir dir;
  std::string text = testing::Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = 0.05");
  text = testing::Replaced(text, "[answers]", "[format]\nPress = 21\n\n[answers]");
  const std::string path = dir.Write("case.toml", text);
  const std::string out = (dir.path() / "o").string();
  const testing::MainResult r = CallMain({path, "--quiet", "--out", out});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  std::ifstream in(out + "/0000p050.DAT", std::ios::binary);
  ASSERT_TRUE(in);
  std::string line;
  std::getline(in, line);  // titles
  size_t longest = 0;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string f;
    while (std::getline(fields, f, '\t')) {
      size_t digits = 0;
      bool leading = true;
      for (char c : f.substr(0, f.find('E'))) {
        if (c < '0' || c > '9' || (leading && c == '0')) continue;
        leading = false;
        ++digits;
      }
      longest = std::max(longest, digits);
    }
  }
  EXPECT_EQ(longest, 21u);
}

// The negative-temperature question of the two-temperature step must be answered by the
// run file: unanswered it stops the run in order (Break), answered it does not.
TEST(BreakAction, UnansweredNegativeTemperatureQuestionStopsTheRun) {
  const std::string q = "dt=1e-15 Iter2 I=7 Ti[I]=-3 Te[I]=400 set to positive?";
  {
    BatchPrompter prompter;
    AppModel app(prompter);
    prompter.Attach(app.main);
    EXPECT_EQ(prompter.Ask(q, AnswerSet::OkCancelNoToAll(), MessageKind::Error), Answer::Cancel);
    EXPECT_EQ(prompter.StoppedOn(), q);
    EXPECT_TRUE(prompter.BreakPressed());
  }
  {
    BatchPrompter prompter;
    AppModel app(prompter);
    prompter.Attach(app.main);
    prompter.Script("dt=", Answer::NoToAll);
    EXPECT_EQ(prompter.Ask(q, AnswerSet::OkCancelNoToAll(), MessageKind::Error), Answer::NoToAll);
    EXPECT_TRUE(prompter.StoppedOn().empty());
    EXPECT_FALSE(prompter.BreakPressed());
  }
  {
    // Other questions keep the closing answer and do not stop a run.
    BatchPrompter prompter;
    AppModel app(prompter);
    prompter.Attach(app.main);
    prompter.Ask("Iteration did not agree! 3 iterations", AnswerSet::SixWay());
    EXPECT_TRUE(prompter.StoppedOn().empty());
  }
}

TEST(Progress, LineShowsTimeStepsRateWallAndEta) {
  RunProgress p;
  p.SimTime = 0.15L;
  p.EndTime = -0.2L;  // a broken run's end time: the end is still 0.2
  p.subSteps = 1000;
  EXPECT_EQ(ProgressLine(p, 0.1L, 4.0),
            "t = 0.15 / 0.2 ( 50%)  steps 1000 (250/s)  wall 4.0 s  ETA 4.0 s");
  EXPECT_EQ(WallText(3725), "1 h 02 min");
  EXPECT_EQ(WallText(125), "2 min 05 s");
}

}  // namespace
}  // namespace tarvex::batch
