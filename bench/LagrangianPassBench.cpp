// One Lagrangian pass (velocity, coordinate and energy step with the ideal gas) on a
// grid in a state of motion, planar and spherical, 1000 and 10000 cells.
// Reports ns per cell per pass and heap allocations per pass.
#include <benchmark/benchmark.h>

#include <cmath>

#include "AllocCounter.h"
#include "core/hydro/Viscosity.h"
#include "support/HydroFixture.h"

namespace tarvex {
namespace {

void LagrangianPass(benchmark::State& state) {
  const int32_t N = static_cast<int32_t>(state.range(0));
  const int32_t dspc = static_cast<int32_t>(state.range(1));
  testing::SessionFixture f;
  Session& s = f.s;
  testing::UseIdealGas(s, 1.4L);
  testing::UniformGrid(s, N, 1.0L, 1.0L, 1.0L, dspc, dspc > 1 ? 0.1L : 0.0L);
  // A smooth velocity and temperature profile so that every branch does real work.
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= N; ++j) st->v[j] = 0.01L * std::sin(0.01L * j);
    for (int32_t i = 0; i < N; ++i) {
      st->T[i] = 1 + 0.1L * std::cos(0.02L * i);
      st->E[i] = s.eos.ActiveEos.E(1, st->T[i]);
      st->P[i] = s.eos.ActiveEos.P(st->Density(i), st->T[i]);
    }
  }
  THydrStat& A = *s.StateA;
  THydrStat& B = *s.StateB;
  THydrStat& C = *s.StateC;
  const Real dt = 1e-4L / N;
  Real R = 0;
  int64_t allocs = 0;
  for (auto _ : state) {
    const int64_t before = bench::AllocationCount();
    for (int32_t i = 0; i < N; ++i) B.P[i] = CentredPressure(C.P[i], A.P[i]);
    B.P[N] = s.sim.Pout;
    bool ok = B.VelocityStep(A, C, dt, s.sim.h0, R, true, 0);
    ok &= B.CoordinateStep(A, C, dt, R, true, 0);
    ok &= B.EnergyStep(A, C, dt, s.sim.h0, false, R, true, 0);
    benchmark::DoNotOptimize(ok);
    allocs += bench::AllocationCount() - before;
  }
  state.counters["ns_per_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * N,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["allocs_per_pass"] =
      static_cast<double>(allocs) / static_cast<double>(state.iterations());
}

BENCHMARK(LagrangianPass)
    ->ArgNames({"cells", "Dspc"})
    ->Args({1000, 1})
    ->Args({10000, 1})
    ->Args({1000, 3})
    ->Args({10000, 3})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvex
