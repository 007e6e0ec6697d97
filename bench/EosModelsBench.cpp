// Cost of the analytic equations of state per call: E, P, Cv, dP/dT (the sound-speed
// ingredients with P), T(E), T(P) and kappa of every model and material preset, called
// through their slots (one indirect call, as the energy step calls them) at 16 states
// spread over the model's domain (4 densities x 4 temperatures).
// Reports ns per call; the functions a model marks hot are named with a "*".
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "support/AnalyticModelCases.h"

namespace tarvex {
namespace {

struct Arg {
  Real rho;
  Real x;
};

// The 16 states, with x = T for the forward functions, E or P for the inverses.
std::vector<Arg> Args(const testing::AnalyticCase& c, EosSlotBit bit) {
  std::vector<Arg> a;
  const EosDomain& d = c.domain;
  for (int i = 0; i < 4; ++i) {
    const Real rho = d.rhoMin + (d.rhoMax - d.rhoMin) * (0.1L + 0.8L * i / 3);
    for (int j = 0; j < 4; ++j) {
      const Real T = d.TMin * std::pow(d.TMax / d.TMin, 0.1L + 0.8L * j / 3);
      Real x = T;
      if (bit == kSlotTofE) x = c.slots.E(rho, T);
      if (bit == kSlotTofP) x = c.slots.P(rho, T);
      a.push_back({rho, x});
    }
  }
  return a;
}

void RegisterAll() {
  struct Fn {
    const char* name;
    EosSlotBit bit;
    Slot2 EosModelSlots::*slot;
  };
  static constexpr Fn kFns[] = {{"E", kSlotE, &EosModelSlots::E},
                                {"P", kSlotP, &EosModelSlots::P},
                                {"Cv", kSlotCv, &EosModelSlots::Cv},
                                {"dPdT", kSlotdPdT, &EosModelSlots::dPdT},
                                {"TofE", kSlotTofE, &EosModelSlots::TofE},
                                {"TofP", kSlotTofP, &EosModelSlots::TofP},
                                {"Kappa", kSlotKappa, &EosModelSlots::Kappa}};
  static const std::vector<testing::AnalyticCase> cases = testing::AllAnalyticCases();
  for (const testing::AnalyticCase& c : cases) {
    for (const Fn& fn : kFns) {
      const Slot2 slot = c.slots.*fn.slot;
      if (!slot) continue;
      const std::vector<Arg> args = Args(c, fn.bit);
      const std::string name =
          "EosModel/" + c.name + "/" + fn.name + ((c.hot & fn.bit) != 0 ? "*" : "");
      benchmark::RegisterBenchmark(name.c_str(), [slot, args](benchmark::State& state) {
        for (auto _ : state) {
          for (const Arg& a : args) benchmark::DoNotOptimize(slot(a.rho, a.x));
        }
        state.counters["ns_per_call"] = benchmark::Counter(
            static_cast<double>(state.iterations()) * static_cast<double>(args.size()),
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
      })->Unit(benchmark::kMicrosecond);
    }
  }
}

const int kRegistered = (RegisterAll(), 0);

}  // namespace
}  // namespace tarvex
