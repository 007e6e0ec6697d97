// The Calculate command: preparation, the interval loop with its sub-steps, the
// interrupted-interval bookkeeping and the post-processing of every interval.
#include "core/run/Driver.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <limits>

#include "core/common/FpGuard.h"
#include "core/hydro/HydrStat.h"
#include "core/hydro/IterateStep.h"
#include "core/hydro/Viscosity.h"
#include "core/run/MainForm.h"
#include "core/session/Session.h"

namespace tarvex {

std::string RunningTitle(const TMainForm& form) {
  return "Tarvex1l-t=" + form.TotalTime.Text();
}

namespace {

// Interval loop of one Calculate on the session's run values; the window shows the time
// and what the loop writes back. Returns normally also when the run was broken or the
// step collapsed; exceptions from hooks propagate to the caller.
void IntervalLoop(Session& s, TMainForm& f, RunHooks& hooks, Real& Step, RunOutcome& out) {
  SimParams& sp = s.sim;
  RunParams& rp = s.run;
  const bool NoTofE = !s.eos.ActiveEos.TofE;
  const Real scale2 = s.eos.EosScale * s.eos.EosScale;
  RunProgress& pr = out.progress;
  for (;;) {
    // 1. Start of the interval.
    f.CalculateIsBreak = true;
    const Real dt1 = rp.dt1;
    sp.IntervalEnd = sp.SimTime + dt1;
    // Completing a broken interval: end exactly where it was meant to end, not one
    // rounding error away from it.
    if (rp.BrokenIntervalEnd > sp.SimTime &&
        std::fabs(sp.IntervalEnd - rp.BrokenIntervalEnd) <=
            8 * std::numeric_limits<Real>::epsilon() * std::fabs(rp.BrokenIntervalEnd)) {
      sp.IntervalEnd = rp.BrokenIntervalEnd;
    }
    rp.BrokenIntervalEnd = 0;
    sp.Running = true;
    out.computed = true;
    Real PrevP0 = s.StateA->P[0];
    pr.EndTime = rp.EndTime;

    // 2. Sub-steps.
    {
      FpGuard guard;
      do {
        ForceNoViscosity(s.visc, f.Vis);
        const Real before = sp.SimTime;
        AdvanceStep(s, sp.SimTime, Step, NoTofE, sp.IntervalEnd);
        ++pr.subSteps;
        if (sp.SimTime > before) ++pr.accepted;
        s.prompter.ProcessEvents();
        // Pressure integral at the left surface, trapezoidal in time.
        const Real P0 = s.StateA->P[0];
        s.Ipdt += (sp.SimTime - before) * (PrevP0 + P0) / 2 * scale2;
        PrevP0 = P0;
        f.ShowTime();
        s.prompter.SetTitle(RunningTitle(f));
        pr.SimTime = sp.SimTime;
        pr.Step = Step;
        hooks.Progress(pr);
        s.prompter.ProcessEvents();
        if (guard.Faulted()) {
          // A fault outside the guarded passes ends the run in order.
          guard.Reset();
          out.fault = true;
          out.error = "arithmetic fault";
          sp.Running = false;
        }
      } while (sp.SimTime < sp.IntervalEnd && Step >= 1e-10L * sp.IntervalEnd && sp.Running);
    }
    if (!sp.Running) {
      if (f.BreakRequested) {
        out.broken = true;
      } else if (!out.fault) {
        out.stepCollapsed = true;
      }
    }

    // 3. Interrupted interval: the next Calculate finishes exactly the broken interval.
    if (sp.SimTime < sp.IntervalEnd) {
      if (sp.SimTime > sp.IntervalEnd - dt1) {
        rp.EndTime = -std::fabs(rp.EndTime);
        rp.dt1 = sp.IntervalEnd - sp.SimTime;
        rp.BrokenIntervalEnd = sp.IntervalEnd;
      } else if (!f.BreakRequested) {
        // Nothing of the interval was computed. After a break that is the break (pressed
        // before the first step of the interval was accepted), not a failure to report.
        s.prompter.Beep(MessageKind::Error);
        s.prompter.Inform("No calculated", MessageKind::Error);
      }
    }

    // 4. The next run starts with the last sub-step length.
    rp.StepInUse = Step;
    const Real div = std::ceil(rp.dt1 / Step);
    rp.StepDiv = std::isfinite(div) ? static_cast<int32_t>(std::clamp<Real>(div, 1, 29999)) : 29999;
    f.ShowRunParams();

    // 5. Post-processing.
    f.CalculateIsBreak = false;
    f.CalculateEnabled = false;
    hooks.RefreshDisplay(true);
    f.CalculateEnabled = true;
    f.focus = "Calculate";
    const Real EndTime = rp.EndTime;
    if (sp.SimTime >= EndTime) s.prompter.Beep(MessageKind::Information);
    const bool goOn = sp.SimTime + Step / 4 <= EndTime && Step >= 1e-10L * sp.SimTime && sp.Running;
    ++pr.intervals;
    if (f.SaveDir.empty()) {
      f.Unsaved = true;
    } else {
      // The last interval of the run is written as final, also when it ends within a
      // quarter sub-step before EndTime.
      const bool Final = !goOn;
      const bool brokenInterval = sp.SimTime < sp.IntervalEnd;
      const std::string name = hooks.ProfileBaseName(f.SaveDir, sp.SimTime, brokenInterval);
      if (!hooks.WriteProfile(name + ".DAT", Final)) {
        f.Unsaved = true;
        out.writeFailed = true;
      } else {
        hooks.SavePicture(name + (f.PicturesAsJpeg ? ".jpg" : ".BMP"), Final);
        hooks.AppendHistory();
        if (f.TrackedPoints > 0) hooks.AppendTrackedPoints();
      }
    }

    // 6. Continuation.
    if (!goOn) break;
  }
  out.reachedEnd =
      sp.SimTime + Step / 4 > rp.EndTime && !out.broken && !out.stepCollapsed && !out.fault;
}

// The step-control state a loaded profile set carried, once, when the viscosity kind is
// still the one it was learnt with.
void TakeOverStepControl(Session& s) {
  StepControlState& r = s.run.resume;
  if (!r.pending) return;
  r.pending = false;
  if (r.ViscKind == s.visc.ViscKind) s.visc.ViscRef = r.ViscRef;
  s.conv.R1 = r.R1;
  s.conv.R2 = r.R2;
  size_t k = 0;
  for (ConvergenceGroup* g : {&s.conv.V, &s.conv.X, &s.conv.E, &s.conv.T, &s.conv.p}) {
    g->Floor = r.conv[k++];
    g->Max = r.conv[k++];
    g->Num = r.conv[k++];
    g->SumSq = r.conv[k++];
  }
}

}  // namespace

RunOutcome Calculations(Session& s, TMainForm& f, RunHooks& hooks) {
  RunOutcome out;
  SimParams& sp = s.sim;
  if (s.StateA == nullptr || s.eos.EosScale == 0) {
    f.focus = "Init/Shift";
    return out;
  }

  // Preparation: the window's values into the session.
  if (!f.CommitRun()) return out;
  Real Step = s.run.dt1 / s.run.StepDiv;
  // Continuing: the step the last interval ended with (bounded by the largest sub-step
  // of this run), and the learnt state of a loaded set's step control.
  if (s.run.StepInUse > 0) Step = std::min(s.run.StepInUse, s.run.dt1 / s.run.MnStepDiv);
  TakeOverStepControl(s);
  f.BreakRequested = false;

  try {
    IntervalLoop(s, f, hooks, Step, out);
  } catch (const std::exception& e) {
    out.fault = true;
    out.error = e.what();
  }
  if (f.BreakRequested) {
    out.broken = true;
    out.reachedEnd = false;
  }

  // End of the command.
  f.CalculateIsBreak = false;
  f.CalculateEnabled = true;
  s.prompter.SetTitle("Tarvex");
  sp.Running = false;
  s.prompter.Beep(MessageKind::Warning);
  if (out.fault) s.prompter.Inform("Calculation stopped: " + out.error, MessageKind::Error);
  return out;
}

}  // namespace tarvex
