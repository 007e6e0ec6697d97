// Applying a checked run file to the form models of one AppModel, and writing the
// settings of the forms back as a run file.
//
// Applying does what a person does at the desktop: after the answers to the questions are
// scripted, every line of the registry of forms (core/app/FormRegistry.h) is applied in
// its order: the form is opened as its window opens it, its keys are set in the order of
// its schema through the form's own parsing and handlers, and it is accepted. With `load`
// the profile is loaded before the first line that builds the state, and the
// initial-conditions dialog opens in its after-load mode, where only the keys its schema
// marks for it apply. A refusal names the file, line and key. A value a handler replaced
// (a field that follows from others) is reported too: the run would otherwise silently
// use another number than the file says. Before anything runs, the interval names of the
// run are checked to be distinct.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/AppModel.h"
#include "core/common/Prompter.h"
#include "runfile/RunFile.h"

namespace tarvex::runfile {

// What writing the settings back needs beyond the forms themselves (which read back
// their accepted values through their schemas).
struct AppliedSettings {
  std::string load;                                     // the profile loaded ("" none)
  std::vector<std::pair<std::string, Answer>> answers;  // the scripted answers
};

struct ApplyResult {
  std::optional<RunFileError> error;  // set when a form refused; nothing may run then
  AppliedSettings applied;
  bool ok() const { return !error.has_value(); }
};

// Answers the runner gives when the run file does not: printing the initial-conditions
// settings is a desktop action, so "Save(print) settings?" is answered "No"; the graphs
// of the pictures keep their coordinate origin ("Shift graph x0 to right (L0)?": "No").
const std::vector<std::pair<std::string, Answer>>& DefaultAnswers();

// Applies `file` to a freshly created `app` whose session asks `prompter`. `outDir`
// (with or without a trailing separator) becomes the output directory of the main window
// and of the save options; empty leaves it unset.
ApplyResult ApplyRunFile(const RunFile& file, AppModel& app, ScriptedPrompter& prompter,
                         const std::string& outDir);

// The first result file (NAME.DAT or NAME.TXT) in `outDir` that the intervals of the run
// the forms set up would write over, if any: the sets of an earlier run.
std::optional<std::string> FirstExistingSet(AppModel& app, const std::string& outDir);

// The settings of the forms as a run file that applies to the same state: every key with
// the value its form reads back (defaults included), values that follow from others left
// out. `origin` names where the settings came from (a comment line).
std::string SettingsText(AppModel& app, const AppliedSettings& applied, const std::string& origin);

}  // namespace tarvex::runfile
