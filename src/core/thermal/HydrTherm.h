// THydrTherm: the one-temperature solver class. It derives from THydrStat and replaces
// only the energy step: the work of the pressure on the moving cells, the laser source
// and heat conduction through film and substrate, solved implicitly as one tridiagonal
// system for the whole grid, then E and P from the new temperatures through the
// equations of state, the film's adhesion to the substrate and the release of cells that
// cannot carry tension.
#pragma once

#include <cstdint>
#include <vector>

#include "core/hydro/HydrStat.h"
#include "core/numerics/Tridiagonal.h"

namespace tarvex {

class ThermalState;

class THydrTherm : public THydrStat {
 public:
  THydrTherm(ThermalState& session, int32_t N);
  // Destroying an instance empties the tension record and marks the source table for a
  // rebuild: the next energy step starts them afresh.
  ~THydrTherm() override;

  SolverClass Class() const override { return SolverClass::HydrTherm; }
  void Resize(int32_t N) override;
  bool EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0, bool NoTofE,
                  Real& StepResidual, bool Converging, Real Relax) override;

 protected:
  // With spallation on: creates the tension record at the first step and advances it to
  // the current time for the film cells f1..f2.
  void AdvanceTension(const THydrStat& Old, Real dt, int32_t f1, int32_t f2);

  ThermalState& ts_;

 private:
  // Per-call work arrays, sized with the grid so that a step allocates nothing.
  std::vector<TriRow> rows_;  // the system, one row per cell
  TriWork tri_;
  RealArray rho_;      // density of each cell from the new geometry [g/cm3]
  RealArray kappa_;    // lattice or substrate conductivity at the latest iterate [kW/cm/K]
  RealArray kappaE_;   // electron conductivity of the film cells at the latest iterate
  RealArray Tsol_;     // the solved temperatures before relaxation [K]
  RealArray cv_;       // heat capacity of each cell at the latest iterate [kJ/g/K]
  RealArray eLatest_;  // energy of each cell at the latest iterate [kJ/g]
};

}  // namespace tarvex
