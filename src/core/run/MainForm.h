// The main window as a form model: the run parameters with their defaults, the
// leave-field handlers that keep physical and reduced times consistent, the output
// directory and history file, and the close questions. The Qt window and the batch
// runner only mirror and drive this model.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/common/RealField.h"
#include "core/hydro/TraceFile.h"

namespace tarvex {

class Session;

// What the main window needs from the other windows and dialogs when it picks the
// output directory; the save-options dialog and the file dialogs provide it.
class MainFormContext {
 public:
  virtual ~MainFormContext() = default;
  // Last file name of the save dialog and of the open dialog ("" when none).
  virtual std::string SaveDialogFileName() const { return {}; }
  virtual std::string OpenDialogFileName() const { return {}; }
  // Picture format of the save-options dialog.
  virtual bool PicturesAsJpeg() const { return true; }
  // The critical-density panel of the integral-values window is visible.
  virtual bool CriticalDensityPanelVisible() const { return false; }
  // "&Save": writes the results; returns whether they are saved now.
  virtual bool SaveResults() { return false; }
};

class TMainForm {
 public:
  explicit TMainForm(Session& s);

  // --- fields (system names) -----------------------------------------------------------
  RealField Len;             // initial length in units of x1Edit ("IniLength")
  RealField x1Edit;          // length unit [cm]: 1e-7 lengths in nm, 1e-4 in micrometres
  RealField Rho0;            // reference (film) density [g/cm3]
  RealField Pout;            // outer pressure [GPa] ("P_out")
  RealField dt1;             // output interval, physical time [s] ("Time step")
  RealField dtLV;            // the same interval in reduced units, dt1 EosScale / L0
  RealField EndTime;         // end of the run [s]; negative after an interrupted interval
  RealField EndTmLV;         // end time in reduced units
  RealField TotalTime;       // current time SimTime [s]
  RealField TimeLV;          // current time in reduced units
  int32_t Dimension = 1000;  // cells ("Div"), 0..10000
  int32_t StepDiv = 100;     // first sub-step dt1 / StepDiv, 1..29999
  int32_t MnStepDiv = 100;   // largest sub-step dt1 / MnStepDiv ("m"), 1..10000
  bool Vis = false;          // artificial viscosity button down

  static constexpr int32_t kDimensionMax = 10000;
  static constexpr int32_t kStepDivMax = 29999;
  static constexpr int32_t kMnStepDivMax = 10000;

  // Number format of the results table and the files ("Format" edits it).
  std::shared_ptr<TNumStringFormat> tableFormat;

  // --- window state ------------------------------------------------------------------------
  std::string SaveDir;          // output directory, with a trailing separator; "" = none
  std::string HistoryFileName;  // SaveDir + "Surf.dat" or "xrc.dat"
  bool Unsaved = false;         // results of an interval were not written
  bool PicturesAsJpeg = true;   // picture format read from the save options
  int32_t TrackedPoints = 0;    // number of tracked points
  std::string EosInfo;          // label under the buttons: the accepted film model
  bool CalculateEnabled = true;
  bool CalculateIsBreak = false;  // the Calculate button is bound to the break action
  bool BreakRequested = false;    // the user pressed Break during the current run
  std::string focus;              // field the last handler put the focus on ("" = none)

  // Marks of fields the user edited since the driver last read them.
  bool dtLVEdited = false;
  bool TimeLVEdited = false;
  bool TotalTimeEdited = false;

  // --- handlers ----------------------------------------------------------------------------
  // The user typed into a field: sets the text and the edited mark.
  void UserEdit(std::string_view field, std::string text);
  // Leaving a field (the conversions between physical and reduced times).
  void LeaveDt1();
  void LeaveDtLV();
  void LeaveEndTime(MainFormContext& ctx);
  void LeaveEndTmLV(MainFormContext& ctx);
  void LeaveTotalTime();
  void LeaveTimeLV();
  // Leaving the field of that name: the handler above that belongs to it (none for the
  // lengths, the density and Pout).
  void Leave(std::string_view field, MainFormContext& ctx);
  void SetMnStepDiv(int32_t value);
  void SetStepDiv(int32_t value);
  void SetDimension(int32_t value);

  // The break action: the run ends after the sub-step in progress.
  void BreakCalc();

  // ---- the run-wide values (Session::run, SimTime) ------------------------------------
  // "&Calculate" first copies the window into the session: rho0 (with the planar cell
  // mass) from Rho0; the output interval from an edited dtLV (> 0), else from dt1 (then
  // dtLV shows it in reduced units); the current time from an edited TimeLV, else from an
  // edited TotalTime; StepDiv raised to MnStepDiv; EndTime; dtMax = dt1 / MnStepDiv.
  // False, with the focus on dt1, when there is no output interval.
  bool CommitRun();
  // SimTime in TotalTime and TimeLV (their edited marks cleared).
  void ShowTime();
  // What a run writes back: EndTime, dt1 and StepDiv from the session.
  void ShowRunParams();

  // "Trc": the question "Trace iterations" (OK turns tracing on) and a save dialog for
  // the trace file, created with one line holding the date and time; then "Trace
  // spallation". Returns an error text when the trace file could not be created.
  std::string Trc(const std::string& dateTime);
  std::unique_ptr<TraceFile> traceFile;  // the iteration trace while tracing is on
  bool SpallTrace = false;               // trace of the spallation test

  // Closing the window. Returns whether the window may close now.
  bool CloseRequest(MainFormContext& ctx);

  // Field by its system name (for views and run files); nullptr when unknown.
  RealField* FieldByName(std::string_view name);
  static const std::vector<std::string>& RealFieldNames();

  // Physical length L0 = Len * x1Edit [cm].
  Real L0() { return Len.Value() * x1Edit.Value(); }

 private:
  void EndTimeChanged(MainFormContext& ctx);
  Session& s_;
};

}  // namespace tarvex
