// Progress of a batch run: one line that updates in place on a terminal, a plain line
// every few seconds otherwise (logs of cluster jobs), nothing when quiet. The simulated
// time against the end time, the sub-steps, their rate, the wall time and an estimate of
// the time left.
#pragma once

#include <chrono>
#include <memory>
#include <ostream>
#include <string>

#include "core/run/Driver.h"

namespace tarvex::batch {

enum class ProgressMode : uint8_t { Quiet, Terminal, Lines };

// The text of a progress line. `wall` [s] since the start of the run, `startTime` the
// simulated time the run started at [s].
std::string ProgressLine(const RunProgress& p, Real startTime, double wall);

// Wall time as "12.3 s", "4 min 05 s" or "2 h 03 min".
std::string WallText(double seconds);

class ProgressReporter {
 public:
  // `lineInterval` [s]: how often Lines mode writes; the terminal line refreshes at most
  // ten times a second.
  ProgressReporter(std::ostream& out, ProgressMode mode, double lineInterval = 5);

  // `header` is written before the first progress line, once the run has taken a step.
  void Start(Real startTime, std::string header = {});
  void Update(const RunProgress& p);
  // Ends the updating line (a final state is written when the run took a step).
  void Finish(const RunProgress& p);
  // A message between progress lines: the updating line is cleared first.
  void Message(const std::string& text);
  double Wall() const;

 private:
  using Clock = std::chrono::steady_clock;
  void Write(const RunProgress& p);

  std::ostream& out_;
  ProgressMode mode_;
  double lineInterval_;
  Clock::time_point start_;
  Clock::time_point last_;
  Real startTime_ = 0;
  bool lineOpen_ = false;  // the terminal line holds progress text
  bool started_ = false;
  std::string header_;
  bool headerShown_ = false;
};

// Hooks that report progress and pass everything else on to the hooks that write the
// results.
class ProgressHooks : public RunHooks {
 public:
  ProgressHooks(RunHooks& inner, ProgressReporter& reporter) : inner_(inner), reporter_(reporter) {}
  void RefreshDisplay(bool withGraphs) override { inner_.RefreshDisplay(withGraphs); }
  std::string ProfileBaseName(const std::string& saveDir, Real TotalTime,
                              bool brokenInterval) override {
    return inner_.ProfileBaseName(saveDir, TotalTime, brokenInterval);
  }
  bool WriteProfile(const std::string& fileName, bool final) override {
    return inner_.WriteProfile(fileName, final);
  }
  void SavePicture(const std::string& fileName, bool final) override {
    inner_.SavePicture(fileName, final);
  }
  void AppendHistory() override { inner_.AppendHistory(); }
  void AppendTrackedPoints() override { inner_.AppendTrackedPoints(); }
  void Progress(const RunProgress& p) override {
    inner_.Progress(p);
    reporter_.Update(p);
  }

 private:
  RunHooks& inner_;
  ProgressReporter& reporter_;
};

}  // namespace tarvex::batch
