// A whole accepted step of a laser-heated film in one temperature (THydrTherm: implicit
// conduction, the laser source, the work of the pressure on the moving grid) and in two
// (THydro2T: the electron and ion systems, exchange, the electron pressure) at 1000 and
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
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

enum class Model { Hydro, OneT, TwoT };

// A 100 nm film of aluminium density (an ideal gas of its atomic mass) at 300 K with a
// constant conductivity of 2.37 W/cm/K, free surfaces, a 100 fs Gaussian pulse of
// 10 mJ/cm2 absorbed within 15 nm of its right face; the run starts at the pulse's peak.
// In two temperatures the electrons conduct (2.37 W/cm/K), hold 1e-5 kJ/g/K and couple
// with 2e16 W/m3/K; their pressure is (2/3) rho Ce Te.
bool SetUpFilm(Session& s, int32_t N, Model m) {
  const std::array<Real, 2> al{5.0L / 3, 26.98L};
  BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), al);
  static const Real kappa = 2.37e-3L;  // [kW/cm/K]
  if (m == Model::OneT) s.eos.FilmEos.Kappa = testing::ConstantSlot(kappa);
  if (m == Model::TwoT) {
    testing::BindConstantElectrons(s, {1e-5L, 2e7L / 2.7L, kappa, 2.0L / 3});
  }
  testing::ThermalLayers g;
  g.nFilm = N;
  g.filmL = 100e-7L;
  g.rho = 2.7L;
  const SolverClass cls = m == Model::Hydro  ? SolverClass::HydrStat
                          : m == Model::OneT ? SolverClass::HydrTherm
                                             : SolverClass::Hydro2T;
  if (!testing::ThermalGrid(
          s, g, [](Real) { return Real(300); }, cls))
    return false;
  if (m == Model::Hydro) return true;
  if (m == Model::TwoT) testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
  LaserPulse p;
  p.F = 10;
  p.d = 15;
  p.tau = 100;
  SetLaserPulse(s.laser, p);
  return BuildSourceProfile(s.laser, InitialSourceLayout(s, N)) == SourceStatus::Ok;
}

void FilmStep(benchmark::State& state, Model m) {
  const int32_t N = static_cast<int32_t>(state.range(0));
  testing::SessionFixture f;
  Session& s = f.s;
  if (!SetUpFilm(s, N, m)) {
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
  FilmStep(state, Model::OneT);
}
void TwoTemperatureFilmStep(benchmark::State& state) {
  FilmStep(state, Model::TwoT);
}
void HydroOnlyFilmStep(benchmark::State& state) {
  FilmStep(state, Model::Hydro);
}

BENCHMARK(LaserHeatedFilmStep)
    ->ArgName("cells")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(TwoTemperatureFilmStep)
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
