// Cost of every model of the equation-of-state catalog as the film's solvers reach it:
// the total energy E(rho, T), pressure P(rho, T), temperature T(rho, E) and sound speed
// c(rho, T) through ActiveEos, for every catalog entry and material (tables with their
// sample set, warm hints), at 16 states spread over the model's domain (4 densities x 4
// temperatures). c is the table's own where the model has one, else the thermodynamic
// c^2 = dP/drho|_T + T (dP/dT)^2 / (rho^2 Cv) from the slots (dP/drho by a central
// difference, dP/dT by one where the model defines none). Reports ns per call.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "support/EosCatalogSamples.h"

namespace tarvex {
namespace {

struct State {
  Real rho;
  Real T;
  Real E;
};

// c [km/s for the physical models, reduced for the others].
Real SoundSpeed(const TActiveEos& a, Real rho, Real T) {
  if (a.SoundSpeed) return a.SoundSpeed(rho, T);
  const Real h = 1e-6L * rho;
  const Real dPdrho = (a.P(rho + h, T) - a.P(rho - h, T)) / (2 * h);
  const Real k = 1e-6L * T;
  const Real dPdT = a.dPdT ? a.dPdT(rho, T) : (a.P(rho, T + k) - a.P(rho, T - k)) / (2 * k);
  const Real c2 = dPdrho + T * dPdT * dPdT / (rho * rho * a.Cv(rho, T));
  return std::sqrt(std::max(c2, Real(0)));
}

enum class Fn { E, P, TofE, c };

void RegisterAll() {
  static std::vector<std::shared_ptr<EosState>> bound;  // the slots point into these
  for (const testing::CatalogSample& s : testing::CatalogSamples()) {
    auto eos = std::make_shared<EosState>();
    if (!testing::BindSample(*eos, s)) continue;
    bound.push_back(eos);
    const EosTestDomain d = testing::SampleDomain(*eos, *s.model);
    const TActiveEos& a = eos->ActiveEos;
    std::vector<State> states;
    for (Real rho : testing::LogSpread(d.rhoMin, d.rhoMax, 6)) {
      if (rho == d.rhoMin || rho == d.rhoMax) continue;  // inside, away from the edges
      for (Real T : testing::LogSpread(d.Tmin, d.Tmax, 6)) {
        if (T == d.Tmin || T == d.Tmax) continue;
        states.push_back({rho, T, a.E(rho, T)});
      }
    }
    for (const auto& [fn, name] : {std::pair{Fn::E, "E"}, std::pair{Fn::P, "P"},
                                   std::pair{Fn::TofE, "TofE"}, std::pair{Fn::c, "c"}}) {
      if (fn == Fn::TofE && !a.TofE) continue;  // models without the inverse
      const std::string title = "EosCatalog/" + s.name + "/" + name;
      benchmark::RegisterBenchmark(title.c_str(), [&a, states, fn](benchmark::State& st) {
        for (auto _ : st) {
          for (const State& x : states) {
            switch (fn) {
              case Fn::E:
                benchmark::DoNotOptimize(a.E(x.rho, x.T));
                break;
              case Fn::P:
                benchmark::DoNotOptimize(a.P(x.rho, x.T));
                break;
              case Fn::TofE:
                benchmark::DoNotOptimize(a.TofE(x.rho, x.E));
                break;
              case Fn::c:
                benchmark::DoNotOptimize(SoundSpeed(a, x.rho, x.T));
                break;
            }
          }
        }
        st.counters["ns_per_call"] = benchmark::Counter(
            static_cast<double>(st.iterations()) * static_cast<double>(states.size()),
            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
      })->Unit(benchmark::kMicrosecond);
    }
  }
}

const int kRegistered = (RegisterAll(), 0);

}  // namespace
}  // namespace tarvex
