// A whole accepted step (predictor and correctors through AdvanceStep) on the Sod shock
// tube with "Symm" viscosity, 1000 and 10000 cells. Reports ns per cell per accepted
// step, passes per step and heap allocations per step (after the first).
#include <benchmark/benchmark.h>

#include <cmath>

#include "StepMeasure.h"
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
  bench::MeasureAcceptedSteps(state, s, N, step, tEnd);
}

BENCHMARK(AcceptedStep)->ArgName("cells")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvex
