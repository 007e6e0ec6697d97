// A whole accepted step (predictor and correctors through AdvanceStep) on the Sod shock
// tube with "Symm" viscosity, 1000 and 10000 cells. Reports ns per cell per accepted
// step, passes per step and heap allocations per step (after the first).
#include <benchmark/benchmark.h>

#include <cmath>

#include "AllocCounter.h"
#include "core/hydro/IterateStep.h"
#include "support/HydroFixture.h"
#include "support/SodTube.h"

namespace tarvex {
namespace {

void AcceptedStep(benchmark::State& state) {
  const int32_t N = static_cast<int32_t>(state.range(0));
  testing::SessionFixture f;
  Session& s = f.s;
  testing::SetUpSod(s, N, /*viscKind=*/1);
  s.sim.Running = true;
  // Sub-steps near the stable limit of the grid: dt = 0.25 of the sound crossing time.
  const Real dx = 0.5L / N;
  s.sim.dtMax = 0.25L * dx / 1.2L;
  Real step = s.sim.dtMax;
  const Real tEnd = 1e9L;
  AdvanceStep(s, s.sim.SimTime, step, false, tEnd);  // first step: scales settle
  int64_t allocs = 0, accepted = 0, passes0 = s.conv.passes;
  for (auto _ : state) {
    const Real before = s.sim.SimTime;
    const int64_t a0 = bench::AllocationCount();
    AdvanceStep(s, s.sim.SimTime, step, false, tEnd);
    allocs += bench::AllocationCount() - a0;
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

BENCHMARK(AcceptedStep)->ArgName("cells")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvex
