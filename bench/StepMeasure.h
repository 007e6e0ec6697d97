// The measuring loop of the accepted-step benchmarks: one AdvanceStep per iteration on a
// session that is set up and has taken a first step, with ns per cell per accepted step,
// passes per step and heap allocations per step as counters.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "AllocCounter.h"
#include "core/hydro/IterateStep.h"
#include "core/session/Session.h"

namespace tarvex::bench {

inline void MeasureAcceptedSteps(benchmark::State& state, Session& s, int32_t N, Real& step,
                                 Real tEnd) {
  int64_t allocs = 0, accepted = 0, passes0 = s.conv.passes;
  for (auto _ : state) {
    const Real before = s.sim.SimTime;
    const int64_t a0 = AllocationCount();
    AdvanceStep(s, s.sim.SimTime, step, false, tEnd);
    allocs += AllocationCount() - a0;
    if (s.sim.SimTime > before) ++accepted;
    if (!s.sim.Running) state.SkipWithError("the run stopped");
  }
  const double steps = static_cast<double>(std::max<int64_t>(accepted, 1));
  state.counters["ns_per_cell_step"] =
      benchmark::Counter(steps * N, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["passes_per_step"] = static_cast<double>(s.conv.passes - passes0) / steps;
  state.counters["allocs_per_step"] = static_cast<double>(allocs) / steps;
  state.counters["accepted_fraction"] = steps / static_cast<double>(state.iterations());
}

}  // namespace tarvex::bench
