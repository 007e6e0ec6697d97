// The laser source in the energy step: UpdateSourceTime once per step and SourceInCell
// per cell (added to the cell energy as the solvers do), and the rebuild of the per-cell
// table QCell, for each space shape, planar and spherical with a substrate layer.
// Reports ns per cell and heap allocations per step or rebuild.
#include <benchmark/benchmark.h>

#include <vector>

#include "AllocCounter.h"
#include "core/laser/LaserSource.h"

namespace tarvex {
namespace {

// A film of N - N/5 cells of 1 nm on a substrate of N/5 cells of 1.5 nm (left of it),
// radii from 1 um when spherical; as a layout (the solvers' call), planar.
struct LaserGrid {
  std::vector<Real> x;
  int32_t InGlass;
  int32_t Dspc;

  LaserGrid(int32_t N, int32_t dspc) : InGlass(N / 5), Dspc(dspc) {
    x.push_back(dspc > 1 ? 1e-4L : 0);
    for (int32_t i = 0; i < N; ++i) x.push_back(x.back() + (i < InGlass ? 1.5e-7L : 1e-7L));
  }
  SourceGrid Grid() const { return {x, InGlass, Dspc}; }
  SourceLayout Layout() const {
    return {static_cast<int32_t>(x.size()) - 1, InGlass, 1, 1e-7L, 1 / 1.5L};
  }
};

LaserSource Source(int32_t timeItem, int32_t spaceItem) {
  LaserPulse p;
  p.F = 100;
  p.d = -15;
  p.tau = 100;
  p.timeItem = timeItem;
  p.spaceItem = spaceItem;
  p.preF = 10;
  p.preD = 20;
  p.preSpaceItem = spaceItem;
  LaserSource src;
  SetLaserPulse(src, p);
  return src;
}

void SourceStep(benchmark::State& state) {
  const int32_t N = static_cast<int32_t>(state.range(0));
  const int32_t timeItem = static_cast<int32_t>(state.range(1));
  const LaserGrid g(N, 1);
  LaserSource src = Source(timeItem, 1);
  std::vector<Real> E(static_cast<size_t>(N), 0);
  const Real m = 1.9e-6L;  // cell mass [g/cm^2]
  const Real dt = 1e-16L;
  Real t = -2e-13L;
  const SourceLayout layout = g.Layout();
  UpdateSourceTime(src, t, t + dt, layout);  // builds the table
  int64_t allocs = 0;
  for (auto _ : state) {
    const int64_t before = bench::AllocationCount();
    UpdateSourceTime(src, t, t + dt, layout);
    for (int32_t i = 0; i < N; ++i) E[static_cast<size_t>(i)] += dt * SourceInCell(src, i) / m;
    t += dt;
    if (t > 5e-13L) t = -2e-13L;
    allocs += bench::AllocationCount() - before;
    benchmark::DoNotOptimize(E.data());
  }
  state.counters["ns_per_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * N,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["allocs_per_step"] =
      static_cast<double>(allocs) / static_cast<double>(state.iterations());
}

BENCHMARK(SourceStep)
    ->ArgNames({"cells", "Ft"})
    ->Args({1000, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Args({10000, 2})
    ->Unit(benchmark::kMicrosecond);

void RebuildQCell(benchmark::State& state) {
  const int32_t N = static_cast<int32_t>(state.range(0));
  const int32_t spaceItem = static_cast<int32_t>(state.range(1));
  const int32_t dspc = static_cast<int32_t>(state.range(2));
  const LaserGrid g(N, dspc);
  LaserSource src = Source(1, spaceItem);
  BuildSourceProfile(src, g.Grid());
  int64_t allocs = 0;
  for (auto _ : state) {
    const int64_t before = bench::AllocationCount();
    benchmark::DoNotOptimize(BuildSourceProfile(src, g.Grid()));
    allocs += bench::AllocationCount() - before;
  }
  state.counters["ns_per_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * N,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["allocs_per_rebuild"] =
      static_cast<double>(allocs) / static_cast<double>(state.iterations());
}

BENCHMARK(RebuildQCell)
    ->ArgNames({"cells", "Fx", "Dspc"})
    ->Args({10000, 0, 1})
    ->Args({10000, 1, 1})
    ->Args({10000, 2, 1})
    ->Args({10000, 3, 1})
    ->Args({10000, 0, 3})
    ->Args({10000, 1, 3})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvex
