// A whole accepted step of a laser-heated one-temperature film (THydrTherm: implicit
// conduction, the laser source, the work of the pressure on the moving grid) at 1000 and
// 10000 cells, beside the hydro-only accepted step (THydrStat) of the same film. Reports
// ns per cell per accepted step, passes per step and heap allocations per step (after the
// first).
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

#include "StepMeasure.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/hydro/IterateStep.h"
#include "core/laser/LaserSource.h"
#include "support/HydroFixture.h"
#include "support/ThermalFixture.h"

namespace tarvex {
namespace {

// A 100 nm film of aluminium density (an ideal gas of its atomic mass) at 300 K with a
// constant conductivity of 2.37 W/cm/K, free surfaces, a 100 fs Gaussian pulse of
// 10 mJ/cm2 absorbed within 15 nm of its right face; the run starts at the pulse's peak.
bool SetUpFilm(Session& s, int32_t N, bool thermal) {
  const std::array<Real, 2> al{5.0L / 3, 26.98L};
  BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), al);
  static const Real kappa = 2.37e-3L;  // [kW/cm/K]
  if (thermal) s.eos.FilmEos.Kappa = testing::ConstantSlot(kappa);
  testing::ThermalLayers g;
  g.nFilm = N;
  g.filmL = 100e-7L;
  g.rho = 2.7L;
  const bool built = testing::ThermalGrid(
      s, g, [](Real) { return Real(300); },
      thermal ? SolverClass::HydrTherm : SolverClass::HydrStat);
  if (!built) return false;
  if (!thermal) return true;
  LaserPulse p;
  p.F = 10;
  p.d = 15;
  p.tau = 100;
  SetLaserPulse(s.laser, p);
  return BuildSourceProfile(s.laser, InitialSourceLayout(s, N)) == SourceStatus::Ok;
}

void FilmStep(benchmark::State& state, bool thermal) {
  const int32_t N = static_cast<int32_t>(state.range(0));
  testing::SessionFixture f;
  Session& s = f.s;
  if (!SetUpFilm(s, N, thermal)) {
    state.SkipWithError("the film could not be set up");
    return;
  }
  s.sim.Running = true;
  s.sim.dtMax = 2e-15L;  // the sound-speed bound of the grid decides below this
  Real step = s.sim.dtMax;
  const Real tEnd = 1;
  AdvanceStep(s, s.sim.SimTime, step, false, tEnd);  // first step: scales settle
  bench::MeasureAcceptedSteps(state, s, N, step, tEnd);
}

void LaserHeatedFilmStep(benchmark::State& state) {
  FilmStep(state, true);
}
void HydroOnlyFilmStep(benchmark::State& state) {
  FilmStep(state, false);
}

BENCHMARK(LaserHeatedFilmStep)
    ->ArgName("cells")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(HydroOnlyFilmStep)
    ->ArgName("cells")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvex
