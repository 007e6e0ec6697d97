// Cost of the electron-model slots the energy step calls per cell and pass, for every
// page and material preset of the electron-model catalog, at Te = 1e4 K.
//
// "slot": one slot called at a new (rho, Te) every time (64 points around rho0 and
// 1e4 K in turn), so no value kept from the previous call helps: the cost of the first
// slot a cell evaluates. "cell": all slots of one cell in the order a two-temperature
// step needs them (energy, heat capacity, pressure, dPe/dTe, coupling, conductivity, ion
// conductivity), each cell at a new density and temperature: the cost per cell.
#include <benchmark/benchmark.h>

#include <array>
#include <string>
#include <vector>

#include "core/electron/ElectronCatalog.h"
#include "support/ElectronDataFiles.h"
#include "support/ElectronFixture.h"

namespace tarvex {
namespace {

using testing::ElectronFixture;

struct BenchCase {
  std::string page;
  std::string material;  // "" for the example values of the "Constant" page
  std::string inFile;    // the "Spline" page: its input file in data/electron
};

std::vector<BenchCase> Cases() {
  std::vector<BenchCase> cases{{"constant", "", ""}};
  for (const ElPageInfo& page : ElectronPages()) {
    if (!page.Available()) continue;
    for (const ElPresetInfo& preset : page.presets) cases.push_back({page.id, preset.material, ""});
  }
  // The data-file model: a 201-row table (gold) and an analytic kind (aluminium).
  cases.push_back({"spline", "Spline", "In.txt"});
  cases.push_back({"spline", "Spline", "In_Al.txt"});
  return cases;
}

bool Accept(ElectronFixture& f, const BenchCase& c) {
  if (!f.dialog.ShowPage(c.page)) return false;
  if (!c.inFile.empty()) {
    TSplineEOSFrame& page = f.dialog.Spline();
    if (!f.dialog.ChooseMaterial(c.material) ||
        !page.LoadSplineIn(testing::ElectronDataDir() + "/" + c.inFile) || !page.InitSpline()) {
      return false;
    }
  } else if (c.material.empty()) {
    TElPageForm& page = *f.dialog.Page(c.page);
    f.Type(page, "kEdit", 2.37e-3L);
    f.Type(page, "ceEdit", 1e-4L);
    f.Type(page, "aEdit", 3e8L);
    f.Type(page, "rho0Edit", 2.7L);
  } else if (!f.dialog.ChooseMaterial(c.material)) {
    return false;
  }
  return static_cast<bool>(f.dialog.Ok(f.targets, ElOkSource::Code));
}

constexpr size_t kPoints = 64;

struct Points {
  std::array<Real, kPoints> rho{}, Te{}, Ti{};
  std::array<Real, kPoints> Ee{};  // the electron energy at (rho, Te), for the inverse
};

Points AroundReference(const ElectronFixture& f) {
  const Real rho0 = f.electron.common.ElRho0;
  Points p;
  for (size_t k = 0; k < kPoints; ++k) {
    p.rho[k] = rho0 * (1 + 1e-3L * static_cast<Real>(k));
    p.Te[k] = 1e4L * (1 + 1e-3L * static_cast<Real>(k));
    p.Ti[k] = 1500 + static_cast<Real>(k);
    p.Ee[k] = f.electron.model.ElEnergy(p.rho[k], p.Te[k]);
  }
  return p;
}

enum SlotId : int { kEe, kCe, kPe, kPeDT, kCoupling, kKappaE, kKappaI, kTofE, kSlotCount };
constexpr const char* kSlotNames[] = {"ElEnergy", "ElHeatCap",      "ElPressure",    "ElPressureDT",
                                      "Coupling", "ElConductivity", "FilmEos.Kappa", "ElTofE"};

Real Call(const ElectronFixture& f, int slot, Real rho, Real Te, Real Ti, Real Ee) {
  const ElectronModel& m = f.electron.model;
  switch (slot) {
    case kEe:
      return m.ElEnergy(rho, Te);
    case kCe:
      return m.ElHeatCap(rho, Te);
    case kPe:
      return m.ElPressure(rho, Te);
    case kPeDT:
      return m.ElPressureDT(rho, Te);
    case kCoupling:
      return m.Coupling(rho, Te);
    case kKappaE:
      return m.ElConductivity(rho, Te, Ti);
    case kTofE:
      return m.ElTofE(rho, Ee);
    default:
      return f.FilmEos.Kappa(rho, Ti);
  }
}

bool HasSlot(const ElectronFixture& f, int slot) {
  const ElectronModel& m = f.electron.model;
  switch (slot) {
    case kEe:
      return static_cast<bool>(m.ElEnergy);
    case kCe:
      return static_cast<bool>(m.ElHeatCap);
    case kPe:
      return static_cast<bool>(m.ElPressure);
    case kPeDT:
      return static_cast<bool>(m.ElPressureDT);
    case kCoupling:
      return static_cast<bool>(m.Coupling);
    case kKappaE:
      return static_cast<bool>(m.ElConductivity);
    case kTofE:
      return static_cast<bool>(m.ElTofE);
    default:
      return static_cast<bool>(f.FilmEos.Kappa);
  }
}

void SlotBench(benchmark::State& state, BenchCase c, int slot) {
  ElectronFixture f;
  if (!Accept(f, c) || !HasSlot(f, slot)) {
    state.SkipWithError("model not accepted or slot empty");
    return;
  }
  const Points p = AroundReference(f);
  Real sum = 0;
  size_t k = 0;
  for (auto _ : state) {
    sum += Call(f, slot, p.rho[k], p.Te[k], p.Ti[k], p.Ee[k]);
    k = (k + 1) % kPoints;
  }
  benchmark::DoNotOptimize(sum);
  state.counters["ns_per_call"] =
      benchmark::Counter(static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void CellBench(benchmark::State& state, BenchCase c) {
  ElectronFixture f;
  if (!Accept(f, c)) {
    state.SkipWithError("model not accepted");
    return;
  }
  const Points p = AroundReference(f);
  Real sum = 0;
  size_t k = 0;
  for (auto _ : state) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (HasSlot(f, slot)) sum += Call(f, slot, p.rho[k], p.Te[k], p.Ti[k], p.Ee[k]);
    }
    k = (k + 1) % kPoints;
  }
  benchmark::DoNotOptimize(sum);
  state.counters["ns_per_cell"] =
      benchmark::Counter(static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

bool RegisterElectronBenchmarks() {
  for (const BenchCase& c : Cases()) {
    const std::string label = c.page + (c.material.empty() ? "" : "/" + c.material) +
                              (c.inFile.empty() ? "" : "/" + c.inFile);
    ElectronFixture f;
    if (!Accept(f, c)) continue;
    for (int slot = 0; slot < kSlotCount; ++slot) {
      if (!HasSlot(f, slot)) continue;  // e.g. "Constant" installs no ion conductivity
      benchmark::RegisterBenchmark(("ElectronSlot/" + label + "/" + kSlotNames[slot]).c_str(),
                                   SlotBench, c, slot);
    }
    benchmark::RegisterBenchmark(("ElectronCell/" + label).c_str(), CellBench, c);
  }
  return true;
}

const bool kRegistered = RegisterElectronBenchmarks();

}  // namespace
}  // namespace tarvex
