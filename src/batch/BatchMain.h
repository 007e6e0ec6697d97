// The batch runner: reads a run file, fills the form models, runs the calculation driver
// and writes the same result files as the desktop program. RunMain is the whole
// command-line program (tarvex1l-run's main only installs the interrupt handler);
// tests call it directly.
#pragma once

#include <atomic>
#include <ostream>
#include <string>

namespace tarvex::batch {

// Exit codes of tarvex1l-run.
enum ExitCode : int {
  kExitOk = 0,           // the run reached its end time and every file was written
  kExitUsage = 1,        // wrong command line
  kExitBadRunFile = 2,   // the run file cannot be read, or a table, key or value is wrong
  kExitRunFailed = 3,    // the run stopped early: the step collapsed or a fault ended it
  kExitInterrupted = 4,  // Ctrl-C (SIGINT) or SIGTERM: the interval in progress was written
  kExitIoFailure = 5,    // an output directory or result file could not be written
};

struct BatchOptions {
  std::string caseFile;  // run file; "" when an example is run
  std::string example;   // name of a bundled example
  std::string outDir;    // output directory; "" = results/<case name>
  bool quiet = false;
  bool printSettings = false;
  bool overwrite = false;  // write over the result sets of an earlier run in outDir
  bool listExamples = false;
  std::string writeDocs;  // write docs/run-files.md to this file and run nothing
  // tabulate the film's equation of state of this run file into outDir, run nothing
  std::string writeEosTable;
};

// Where the runner writes: `out` for settings, lists and the summary, `err` for
// progress, notes and errors. `terminal`: err is a terminal (progress updates in place).
// `breakFlag`, when given, is polled during the run; once set the run ends in order.
int RunBatch(const BatchOptions& options, std::ostream& out, std::ostream& err, bool terminal,
             const std::atomic<bool>* breakFlag);

// The command line: tarvex1l-run CASE.toml [--out DIR] [--quiet] | --print-settings |
// --example NAME | --list-examples | --write-docs FILE | --write-eos-table CASE.toml --out DIR.
int RunMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err, bool terminal,
            const std::atomic<bool>* breakFlag);

}  // namespace tarvex::batch
