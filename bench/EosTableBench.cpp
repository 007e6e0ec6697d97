// Table lookups with warm hints: E(rho, T), P(rho, T) and T(rho, E) on a 200 x 200 table
// of a smooth solid, swept over a profile of neighbouring cells as the energy step does.
// Reports ns per lookup and heap allocations per lookup.
#include <benchmark/benchmark.h>

#include <cmath>

#include "AllocCounter.h"
#include "core/eos/EosTableLookup.h"
#include "support/EosTableFixture.h"

namespace tarvex {
namespace {

constexpr int32_t kCells = 1000;

struct Profile {
  TEosTableParams p;
  RealArray rho, T, E;

  Profile() {
    using S = testing::SmoothSolid;
    const auto set = testing::MakeTableSet(testing::Linspace(300, 20000, 200),
                                           testing::Linspace(8.2L, 14, 200), S::P, S::E);
    BindTableParams(p, set);
    // A compressed, heated layer: neighbouring cells differ by a fraction of a grid step.
    for (int32_t i = 0; i < kCells; ++i) {
      const Real x = Real(i) / kCells;
      rho.push_back(9 + 2 * std::sin(3 * x));
      T.push_back(2000 + 8000 * x * x);
      E.push_back(S::E(rho.back(), T.back()));
    }
  }
};

template <Real (*F)(const TEosTableParams&, Real, Real), bool inverse>
void Lookup(benchmark::State& state) {
  Profile pr;
  int64_t allocs = 0;
  for (auto _ : state) {
    const int64_t before = bench::AllocationCount();
    Real sum = 0;
    for (int32_t i = 0; i < kCells; ++i) {
      const size_t k = static_cast<size_t>(i);
      sum += F(pr.p, pr.rho[k], inverse ? pr.E[k] : pr.T[k]);
    }
    benchmark::DoNotOptimize(sum);
    allocs += bench::AllocationCount() - before;
  }
  state.counters["ns_per_lookup"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kCells,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["allocs_per_lookup"] =
      static_cast<double>(allocs) / (static_cast<double>(state.iterations()) * kCells);
}

BENCHMARK(Lookup<TableE, false>)->Name("EosTable/E")->Unit(benchmark::kMicrosecond);
BENCHMARK(Lookup<TableP, false>)->Name("EosTable/P")->Unit(benchmark::kMicrosecond);
BENCHMARK(Lookup<TableTofE, true>)->Name("EosTable/TofE")->Unit(benchmark::kMicrosecond);
BENCHMARK(Lookup<TableSoundSpeed, false>)
    ->Name("EosTable/SoundSpeed")
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvex
