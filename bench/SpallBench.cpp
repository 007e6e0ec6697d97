// The spallation test per cell under tension, as the energy step calls it for every
// stretched, expanding film cell: 1000 cells of a liquid metal with tensions, strain rates
// and temperatures spread over the range where the criteria decide. Model states from the
// dialog's presets. Reports ns per cell, the fraction of cells that fail and heap
// allocations per sweep.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "AllocCounter.h"
#include "support/SpallFixture.h"

namespace tarvex {
namespace {

enum Variant : int64_t {
  kNucleationV = 0,  // σ(T), fixed nucleation volume
  kNucleationSound,  // σ(T), volume from the sound speed, with the spall criterion
  kNucleationRhoT,   // σ(ρ, T) (gold calibration), sound volume, spall criterion
  kStrengthLimits,   // p_liq only
};

TSpallParams ParamsFor(Variant variant, const testing::TestMetal& metal) {
  TSpallation d;
  d.SelectMaterial(variant == kNucleationRhoT ? 1 : 0, testing::EnvOf(metal));
  if (variant == kNucleationV) d.SetCheck("VCalcCheck", false);
  if (variant == kNucleationSound || variant == kNucleationRhoT) d.SetCheck("CheckSpall", true);
  if (variant == kStrengthLimits) {
    d.SetCheck("CheckNucl", false);
    d.SetCheck("CheckPliq", true);
  }
  TSpallParams sp;
  testing::Accept(d, metal, sp);
  return sp;
}

void SpallCheckPerCell(benchmark::State& state) {
  const auto variant = static_cast<Variant>(state.range(0));
  testing::TestMetal metal;
  metal.Tm = 0;  // every cell liquid: the liquid criteria run
  const TSpallParams sp = ParamsFor(variant, metal);
  const TSpallEos eos = testing::EosOf(metal);
  constexpr int32_t N = 1000;
  std::vector<TSpallCell> cells(N);
  for (int32_t i = 0; i < N; ++i) {
    TSpallCell& c = cells[static_cast<size_t>(i)];
    const Real s = static_cast<Real>(i) / N;
    c.rho = variant == kNucleationRhoT ? 16 + 2 * s : 2.2L + 0.3L * s;
    c.T = c.Te = 1000 + 3000 * s;
    c.p = -0.3L - 2.7L * std::fabs(std::sin(7.0L * i));
    c.Ei = 0.2L + 0.3L * s;
    c.epsT = std::pow(10.0L, 8 + 2 * std::fabs(std::cos(3.0L * i)));
    c.tensionTime = 1e-12L * (1 + (i % 50));
  }
  int64_t failed = 0, checked = 0, allocs = 0;
  for (auto _ : state) {
    const int64_t a0 = bench::AllocationCount();
    for (const TSpallCell& c : cells) {
      const TSpallVerdict v = SpallCheck(sp, eos, c);
      failed += v.failed ? 1 : 0;
      benchmark::DoNotOptimize(v);
    }
    allocs += bench::AllocationCount() - a0;
    checked += N;
  }
  state.counters["ns_per_cell"] = benchmark::Counter(
      static_cast<double>(checked), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["failed_fraction"] =
      static_cast<double>(failed) / static_cast<double>(std::max<int64_t>(checked, 1));
  state.counters["allocs_per_sweep"] =
      static_cast<double>(allocs) / static_cast<double>(state.iterations());
}

BENCHMARK(SpallCheckPerCell)
    ->ArgName("variant")
    ->Arg(kNucleationV)
    ->Arg(kNucleationSound)
    ->Arg(kNucleationRhoT)
    ->Arg(kStrengthLimits)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvex
