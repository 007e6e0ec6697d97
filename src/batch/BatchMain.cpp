// The batch runner: command line, run file, forms, driver, result files, exit code.
#include "batch/BatchMain.h"

#include <CLI/CLI.hpp>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>

#include <unistd.h>

#include "batch/BatchPictures.h"
#include "batch/BatchPrompter.h"
#include "batch/EosTableCommand.h"
#include "batch/Examples.h"
#include "batch/Progress.h"
#include "batch/RunFileDocs.h"
#include "core/app/AppModel.h"
#include "core/common/AtomicFile.h"
#include "core/run/ResultsGraphs.h"
#include "runfile/RunFile.h"
#include "runfile/RunSettings.h"

namespace tarvex::batch {

using namespace tarvex::runfile;

namespace {

constexpr const char* kExitCodesHelp =
    "Exit codes:\n"
    "  0  the run reached its end time and every result file was written\n"
    "  1  wrong command line\n"
    "  2  the run file cannot be read, or a table, key or value is wrong (nothing ran)\n"
    "  3  the run failed: the time step collapsed or a fault stopped it\n"
    "  4  interrupted (Ctrl-C / SIGINT or SIGTERM); the interval in progress was written\n"
    "  5  the output directory or a result file could not be written\n"
    "A second Ctrl-C ends the runner at once, without writing the interval in progress; the\n"
    "shell then reports 130 (128 + SIGINT), or 143 for a second SIGTERM.\n";

std::string DirWithSlash(std::string dir) {
  if (!dir.empty() && dir.back() != '/') dir.push_back('/');
  return dir;
}

// A field's text without the padding of its format's width.
std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

void PrintErrors(std::ostream& err, const std::vector<RunFileError>& errors) {
  for (const RunFileError& e : errors) err << e.Text() << '\n';
}

int ListExamples(std::ostream& out) {
  for (const BundledExample& e : BundledExamples()) {
    out << e.name << (e.name == kDefaultExample ? " (default)" : "") << "\n    "
        << ExampleSummary(e) << '\n';
  }
  return kExitOk;
}

// Answers the file gave for questions that never came: most likely a typo.
void NoteUnusedAnswers(const RunFile& file, const BatchPrompter& prompter, ProgressReporter& rep) {
  for (const AnswerSetting& a : file.answers) {
    bool used = false;
    for (const ScriptedPrompter::Asked& q : prompter.asked) {
      used = used || q.text == a.question || q.text.rfind(a.question, 0) == 0;
    }
    if (!used) {
      rep.Message(file.name + ":" + std::to_string(a.pos.line) +
                  ": note: [answers] the question \"" + a.question + "\" was never asked");
    }
  }
}

// A [laser] table while [initial] Qext is false: the pulse is defined but heats nothing.
void NoteUnusedLaser(const RunFile& file, const AppModel& app, ProgressReporter& rep) {
  const TableSettings* laser = file.Table("laser");
  if (laser == nullptr || !laser->present || app.initial.Qext) return;
  rep.Message(file.name + ":" + std::to_string(laser->pos.line) +
              ": note: [laser] heats nothing: [initial] Qext is false (Qext = true applies the "
              "pulse)");
}

// The run's hooks: progress on the terminal. The result files keep the first failed
// write of any kind for the summary (the driver goes on with the next interval).
class BatchHooks : public ProgressHooks {
 public:
  BatchHooks(ResultFiles& files, ProgressReporter& reporter)
      : ProgressHooks(files, reporter), files_(files) {}
  const std::string& FirstError() const { return files_.FirstError(); }

 private:
  ResultFiles& files_;
};

}  // namespace

int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err, bool terminal,
             const std::atomic<bool>* breakFlag) {
  if (options.listExamples) return ListExamples(out);
  if (!options.writeEosTable.empty()) {
    return WriteEosTableCommand(options.writeEosTable, options.outDir, out, err);
  }
  if (!options.writeDocs.empty()) {
    const FileWriteResult w = WriteFileAtomically(options.writeDocs, RunFileDocsText());
    if (!w) {
      err << "tarvex1l-run: " << w.message << '\n';
      return kExitIoFailure;
    }
    return kExitOk;
  }

  // ---- the run file ----
  ReadResult read;
  std::string caseName;
  if (!options.example.empty()) {
    const BundledExample* ex = FindExample(options.example);
    if (ex == nullptr) {
      err << "tarvex1l-run: there is no example \"" << options.example
          << "\"; --list-examples shows them\n";
      return kExitUsage;
    }
    caseName = std::string(ex->name);
    read = ParseRunFile(ex->text, "examples/" + caseName + ".toml");
    read.file.folder = std::string(ex->folder);
  } else {
    caseName = std::filesystem::path(options.caseFile).stem().string();
    read = ReadRunFile(options.caseFile);
  }
  if (!read.ok()) {
    PrintErrors(err, read.errors);
    return kExitBadRunFile;
  }
  const RunFile& file = read.file;
  // --out, else the directory of [save], else results/<case>.
  const Setting* saveDir = file.Table(kTableSave)->Find("SaveDir");
  if (saveDir != nullptr && saveDir->value.text.empty()) {
    PrintErrors(err, {{file.name, saveDir->pos.line, std::string(kTableSave), "SaveDir",
                       "an empty directory name; give \".\" for the current directory, or leave "
                       "the key out for results/" +
                           caseName}});
    return kExitBadRunFile;
  }
  std::string outDir = options.outDir;
  if (outDir.empty()) outDir = saveDir != nullptr ? saveDir->value.text : "results/" + caseName;
  outDir = DirWithSlash(outDir);

  // ---- the forms ----
  BatchPrompter prompter(breakFlag);
  AppModel app(prompter);
  prompter.Attach(app.main);
  const ProgressMode mode = options.quiet
                                ? ProgressMode::Quiet
                                : (terminal ? ProgressMode::Terminal : ProgressMode::Lines);
  ProgressReporter reporter(err, mode);
  prompter.SetSink([&](const std::string& text) {
    if (!options.quiet || text.rfind("note:", 0) != 0) reporter.Message(text);
  });

  const ApplyResult applied = ApplyRunFile(file, app, prompter, outDir);
  if (!applied.ok()) {
    err << applied.error->Text() << '\n';
    return kExitBadRunFile;
  }
  if (options.printSettings) {
    out << SettingsText(app, applied.applied, file.name);
    return kExitOk;
  }
  if (prompter.BreakRequested()) {
    err << "tarvex1l-run: interrupted before the run started\n";
    return kExitInterrupted;
  }
  if (!options.overwrite) {
    // The sets of an earlier run (a run continued into its own directory, or the same run
    // again) are results too: they are replaced only when asked.
    if (const std::optional<std::string> earlier = FirstExistingSet(app, outDir)) {
      err << "tarvex1l-run: " << *earlier
          << " exists: this run would write over the result sets of an earlier run; give "
             "another --out, or --overwrite to replace them\n";
      return kExitBadRunFile;
    }
  }

  // ---- the output directory ----
  std::error_code ec;
  const bool existed = std::filesystem::is_directory(outDir, ec);
  if (!existed) {
    const std::string plain = outDir.substr(0, outDir.find_last_not_of('/') + 1);
    if (!plain.empty() && std::filesystem::exists(plain, ec)) {
      err << "tarvex1l-run: the output directory " << plain
          << " names a file that is not a directory; give another --out or SaveDir\n";
      return kExitIoFailure;
    }
    std::filesystem::create_directories(outDir, ec);
    if (ec) {
      err << "tarvex1l-run: cannot create the output directory " << outDir << ": " << ec.message()
          << '\n';
      return kExitIoFailure;
    }
  }

  {
    // Every interval writes here: a directory that takes no file is reported now, not after
    // the whole run has been computed.
    const std::filesystem::path probe =
        std::filesystem::path(outDir) / (".tarvex1l-probe-" + std::to_string(::getpid()));
    std::ofstream f(probe, std::ios::binary | std::ios::trunc);
    const bool writable =
        f.is_open() && static_cast<bool>(f << "probe\n") && (f.close(), !f.fail());
    if (std::filesystem::is_regular_file(probe, ec)) {
      std::filesystem::remove(probe, ec);  // only the file made here
    }
    if (!writable) {
      err << "tarvex1l-run: the output directory " << outDir
          << " takes no file (read-only, full or not permitted); give another --out or SaveDir\n";
      return kExitIoFailure;
    }
  }

  // ---- the run ----
  // The result files of every interval: the profile set under the driver's names (no
  // save dialog for the last one) and, when this build draws them, the picture.
  ResultFiles& files = app.files;
  files.AskOnFinal = false;
  const HeadlessGui gui;
  std::unique_ptr<RunPictures> pictures;
  if (PicturesAvailable()) {
    const bool shiftX0 = prompter.Ask(kAskShiftGraphX0, AnswerSet::YesNo()) == Answer::Yes;
    pictures = std::make_unique<RunPictures>(app, shiftX0);
  }
  BatchHooks hooks(files, reporter);
  if (!options.quiet) NoteUnusedLaser(file, app, reporter);
  reporter.Start(app.session.sim.SimTime,
                 "Running " + file.name + ": t = " + Trimmed(app.main.TotalTime.Text()) + " to " +
                     Trimmed(app.main.EndTime.Text()) + ", output every " +
                     Trimmed(app.main.dt1.Text()) + ", results in " + outDir);
  const RunOutcome r = Calculations(app.session, app.main, hooks);
  reporter.Finish(r.progress);
  if (!options.quiet) NoteUnusedAnswers(file, prompter, reporter);

  if (!r.computed) {
    // The driver refused to start; the focus says which setting it needs.
    if (!existed) std::filesystem::remove(outDir, ec);
    const std::string& focus = app.main.focus;
    const TableSettings& main = *file.Table(kTableMain);
    RunFileError e{file.name, main.pos.line, std::string(kTableMain), focus, ""};
    if (const Setting* s = main.Find(focus)) e.line = s->pos.line;
    e.message = focus == "dt1" ? "the output interval must be greater than 0 (give dt1 or dtLV)"
                               : "the run cannot start: the set-up is incomplete";
    err << e.Text() << '\n';
    return kExitBadRunFile;
  }

  const double wall = reporter.Wall();
  // The first failed write names the cause (a full disk fails every later file too).
  const std::string& first = hooks.FirstError();
  if (r.writeFailed || !first.empty()) {
    const bool picture = pictures != nullptr && !first.empty() && first == pictures->FirstError();
    err << "tarvex1l-run: a " << (picture ? "picture" : "result file")
        << " could not be written: " << first << '\n';
    return kExitIoFailure;
  }
  if (pictures != nullptr && !pictures->FirstError().empty()) {
    err << "tarvex1l-run: a picture could not be written: " << pictures->FirstError() << '\n';
    return kExitIoFailure;
  }
  if (!prompter.StoppedOn().empty()) {
    const std::string& q = prompter.StoppedOn();
    const bool second = q.rfind("Set ", 0) == 0;
    err << "tarvex1l-run: the run stopped at t = " << Trimmed(app.main.TotalTime.Text())
        << ": the question \"" << q << "\" has no answer in [answers]; the interval in progress "
        << "was written to " << outDir << ". Add "
        << (second ? std::string("\"") + q.substr(0, 12) + "\" = \"Yes\" (or \"OK\")"
                   : std::string("\"dt=\" = \"OK\" with \"Set Ti[I] to\" and \"Set Te[I] to\" "
                                 "answered \"Yes\" or \"OK\" to repair the cell, or \"dt=\" = "
                                 "\"No to All\" to shorten the step instead"))
        << " to [answers]\n";
    return kExitRunFailed;
  }
  if (r.broken) {
    err << "tarvex1l-run: interrupted at t = " << Trimmed(app.main.TotalTime.Text())
        << "; the interval in progress was written to " << outDir << '\n';
    return kExitInterrupted;
  }
  if (!r.reachedEnd || app.main.Unsaved) {
    std::string why = r.fault ? "a fault stopped it (" + r.error + ")"
                              : (r.stepCollapsed ? "the time step fell below its minimum"
                                                 : "it ended before the end time");
    err << "tarvex1l-run: the run failed at t = " << Trimmed(app.main.TotalTime.Text()) << ": "
        << why << '\n';
    return kExitRunFailed;
  }
  if (!options.quiet) {
    out << "Finished " << file.name << ": t = " << Trimmed(app.main.TotalTime.Text()) << ", "
        << r.progress.intervals << " intervals, " << r.progress.subSteps << " steps in "
        << WallText(wall) << "; results in " << outDir << '\n';
  }
  return kExitOk;
}

int RunMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool terminal,
            const std::atomic<bool>* breakFlag) {
  BatchOptions o;
  CLI::App cli{
      "Runs a Tarvex_1l calculation without a screen: the run file sets the windows and "
      "dialogs of the desktop program, the same driver runs, the same result files are "
      "written.",
      "tarvex1l-run"};
  cli.footer(std::string("\n") + kExitCodesHelp +
             "\nThe run-file tables and keys are described in docs/run-files.md.");
  CLI::Option* caseOpt = cli.add_option("CASE", o.caseFile, "Run file (TOML)");
  cli.add_option("--out,-o", o.outDir,
                 "Output directory for the result files (default: results/<case name>)");
  cli.add_flag("--quiet,-q", o.quiet, "No progress output (errors are still reported)");
  cli.add_flag("--overwrite", o.overwrite,
               "Write over result sets of an earlier run in the output directory");
  cli.add_flag("--print-settings", o.printSettings,
               "Print the resolved settings, defaults filled in, as a run file; run nothing");
  CLI::Option* exampleOpt =
      cli.add_option("--example", o.example, "Run a bundled example (\"default\": shock_tube)");
  CLI::Option* listOpt =
      cli.add_flag("--list-examples", o.listExamples, "List the bundled examples");
  CLI::Option* docsOpt = cli.add_option(
      "--write-docs", o.writeDocs,
      "Write the run-file documentation (docs/run-files.md) to FILE, generated from the forms");
  CLI::Option* tableOpt = cli.add_option(
      "--write-eos-table", o.writeEosTable,
      "Tabulate the film's equation of state of this run file on the grid of its [table] "
      "section into the folder given with --out (a table set for \"Table\"); run nothing");
  tableOpt->excludes(caseOpt);
  tableOpt->excludes(exampleOpt);
  tableOpt->excludes(docsOpt);
  docsOpt->excludes(caseOpt);
  docsOpt->excludes(exampleOpt);
  caseOpt->excludes(exampleOpt);
  listOpt->excludes(caseOpt);
  listOpt->excludes(exampleOpt);
  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int code = cli.exit(e, out, err);
    return code == 0 ? kExitOk : kExitUsage;
  }
  if (!o.listExamples && o.writeDocs.empty() && o.writeEosTable.empty() && o.caseFile.empty() &&
      o.example.empty()) {
    err << "tarvex1l-run: give a run file (CASE.toml) or --example NAME; --help shows more\n";
    return kExitUsage;
  }
  try {
    return RunBatch(o, out, err, terminal, breakFlag);
  } catch (const std::exception& e) {
    err << "tarvex1l-run: error: " << e.what() << '\n';
    return kExitRunFailed;
  }
}

}  // namespace tarvex::batch
