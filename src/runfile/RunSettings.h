// Applying a checked run file to the form models of one AppModel, and writing the
// settings of the forms back as a run file.
//
// Applying does what a person does at the desktop, in this order: the answers to the
// questions are scripted; the equation-of-state dialog is filled and accepted for the
// substrate ([eos.left]) and for the film ([eos.film]); the main window's lengths and
// cell count are typed; "Init/Shift" opens the initial-conditions dialog, whose fields
// are set in dialog order (each followed by its leave-field handler) before OK; the
// viscosity dialog is opened, set and accepted; the output interval, end time and step
// divisions are typed into the main window; last the save-options dialog is set and
// accepted. With `load` the profile is loaded instead of typing the lengths, and the
// initial-conditions dialog opens in its after-load mode, where only the boundary
// settings of [initial] apply (AfterLoadInitialKeys). Every value goes through the form's
// own text parsing and handlers, and a refusal names the file, line and key. A value a
// handler replaced (a field that follows from others) is reported too: the run would
// otherwise silently use another number than the file says.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/app/AppModel.h"
#include "core/common/Prompter.h"
#include "runfile/RunFile.h"

namespace tarvex::runfile {

// The state of the equation-of-state dialog just before its OK: the dialog forgets its
// model selection on OK and serves both media, so the settings are kept here.
struct EosDialogSnapshot {
  bool applied = false;
  int32_t eqType = -1;
  int32_t metal = -1;
  std::vector<std::pair<std::string, Real>> fields;  // the selected model's parameters
  bool checkKappa = false;
  bool noElEOS = false;
};

// What writing the settings back needs beyond the forms themselves.
struct AppliedSettings {
  EosDialogSnapshot film;
  EosDialogSnapshot left;
  std::string load;                                     // the profile loaded ("" none)
  bool viscosity = false;                               // the viscosity dialog was accepted
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

// The [initial] keys that apply after `load`: what the after-load dialog and the
// main window's Init/Shift step read from the dialog (boundary motion and thermal
// conditions, the right end, the laser switch). Everything else of [initial] describes a
// state to build, which the loaded profile replaces.
const std::vector<std::string>& AfterLoadInitialKeys();

// Applies `file` to a freshly created `app` whose session asks `prompter`. `outDir`
// (with or without a trailing separator) becomes the output directory of the main window
// and of the save options; empty leaves it unset.
ApplyResult ApplyRunFile(const RunFile& file, AppModel& app, ScriptedPrompter& prompter,
                         const std::string& outDir);

// The settings of the forms as a run file that applies to the same state: every key with
// its current value (defaults included), values that follow from others left out.
// `origin` names where the settings came from (a comment line).
std::string SettingsText(AppModel& app, const AppliedSettings& applied, const std::string& origin);

}  // namespace tarvex::runfile
