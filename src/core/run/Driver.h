// The calculation driver ("&Calculate"): cuts the run into output intervals of length
// dt1, covers each interval with adaptive sub-steps of the iterated step, and after each
// interval refreshes the displays and writes the interval's results through hooks.
#pragma once

#include <cstdint>
#include <string>

#include "core/common/Real.h"

namespace tarvex {

class Session;
class TMainForm;

// Progress of a run, for status bars and progress lines.
struct RunProgress {
  Real SimTime = 0;       // [s]
  Real EndTime = 0;       // [s]
  Real Step = 0;          // current sub-step [s]
  int64_t subSteps = 0;   // AdvanceStep calls in this Calculate
  int64_t accepted = 0;   // sub-steps that advanced the time
  int32_t intervals = 0;  // output intervals post-processed
};

// What the driver calls around the run. Later parts fill these in (the results table,
// the profile files, the picture, the time histories, tracked points); the defaults do
// nothing.
class RunHooks {
 public:
  virtual ~RunHooks() = default;
  // Table (and graphs) from StateA.
  virtual void RefreshDisplay(bool /*withGraphs*/) {}
  // Base name (directory included, no extension) of the profile file set for the
  // current TotalTime; the save-options dialog decides the pattern. `brokenInterval`: the
  // interval ended before its end (Break, a collapsed step, a fault); its set must not take
  // the name of a finished interval's set, whose rounded time it can share.
  virtual std::string ProfileBaseName(const std::string& saveDir, Real /*TotalTime*/,
                                      bool brokenInterval) {
    return saveDir + (brokenInterval ? "profile_break" : "profile");
  }
  // Writes the profile file set; false when it failed (the hook reports why).
  virtual bool WriteProfile(const std::string& /*fileName*/, bool /*final*/) { return true; }
  virtual void SavePicture(const std::string& /*fileName*/, bool /*final*/) {}
  virtual void AppendHistory() {}
  virtual void AppendTrackedPoints() {}
  // After every sub-step.
  virtual void Progress(const RunProgress&) {}
};

struct RunOutcome {
  bool computed = false;       // at least one interval was started
  bool reachedEnd = false;     // the run ended at its end time
  bool broken = false;         // the user pressed Break
  bool stepCollapsed = false;  // the step fell below its minimum and failed
  bool fault = false;          // an arithmetic fault or an error escaped the sub-step loop
  bool writeFailed = false;    // a profile write failed (results unsaved)
  std::string error;           // what escaped, when fault
  RunProgress progress;
};

// Runs "Calculate": the main window's values go into the session (TMainForm::CommitRun),
// the interval loop reads and writes the session's run values and SimTime, and the window
// shows the time and what the run wrote back.
RunOutcome Calculations(Session& s, TMainForm& form, RunHooks& hooks);

// Application title during a run.
std::string RunningTitle(const TMainForm& form);

}  // namespace tarvex
