// A bare time loop over AdvanceStep for tests that set up states directly (the
// calculation driver adds output intervals and post-processing on top of this).
#pragma once

#include "core/hydro/IterateStep.h"
#include "core/session/Session.h"

namespace tarvex::testing {

struct LoopStats {
  int64_t steps = 0;     // AdvanceStep calls
  int64_t accepted = 0;  // steps that advanced the time
};

// Advances from the current SimTime to tEnd with the largest sub-step dtMax, starting
// with `step`. Returns whether tEnd was reached.
inline bool RunUntil(Session& s, Real tEnd, Real dtMax, Real step, LoopStats* stats = nullptr,
                     bool NoTofE = false) {
  s.sim.Running = true;
  s.sim.dtMax = dtMax;
  while (s.sim.SimTime < tEnd && s.sim.Running) {
    const Real before = s.sim.SimTime;
    AdvanceStep(s, s.sim.SimTime, step, NoTofE, tEnd);
    if (stats) {
      ++stats->steps;
      if (s.sim.SimTime > before) ++stats->accepted;
    }
  }
  return s.sim.SimTime >= tEnd;
}

}  // namespace tarvex::testing
