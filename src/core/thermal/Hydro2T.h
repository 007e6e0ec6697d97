// THydro2T: the moving two-temperature target. A metal film whose conduction electrons
// and ions each have their own temperature, coupled by electron-ion exchange, heated by
// the laser through the electrons, cooled by electron and lattice conduction and by
// conduction into a substrate, and moving under the total pressure Pe + Pi.
//
// Its energy step solves the two systems of TThermState with the work of the electron and
// ion pressures, then relaxes the temperatures, guards against negative ones (asking the
// user, or failing the pass), updates energies and pressures through the electron model
// and the film's equation of state, and applies the film's adhesion, release, tension and
// spallation rules with the tension pressure Pt = Pi + Pe(rho, min(Ti, Te)).
#pragma once

#include <cstdint>
#include <vector>

#include "core/thermal/ThermState.h"

namespace tarvex {

class THydro2T : public TThermState {
 public:
  THydro2T(ThermalState& session, int32_t N);
  // Destroying an instance empties the tension record (as every thermal instance does).
  ~THydro2T() override = default;

  SolverClass Class() const override { return SolverClass::Hydro2T; }
  void Resize(int32_t N) override;
  bool EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0, bool NoTofE,
                  Real& StepResidual, bool Converging, Real Relax) override;
  // Folds Pe and Pi into the pressure scale (after TThermState's folding).
  void UpdateScales(bool Reset) override;
  void ListArrays(std::vector<NamedArray>& out) override {
    TThermState::ListArrays(out);
    out.push_back(NamedArray{"Pe", &Pe});
    out.push_back(NamedArray{"Pi", &Pi});
  }

  RealArray Pe;  // electron pressure [GPa]
  RealArray Pi;  // ion (lattice) pressure [GPa]
  // Set by an elastic subclass on Self before it calls this step: released cells keep
  // their ion energy and the total "E" and "P" measures are left to it.
  bool ElasticStep = false;

 protected:
  // The lattice and the electrons each follow their own adiabat: c^2 = (dPi + dPe) / drho
  // with dEi = -Pi dV at Ti and dEe = -Pe dV at Te (the film's totals hold one temperature
  // and would mix the two).
  void FilmSoundSpeed2(int32_t i0, int32_t i1, Real* c2, Real* rho1, Real* work) override;

  // A film cell whose Ti or Te is negative after relaxation: repaired (silently where the
  // cell was released, else as the user answers) or the pass fails (false).
  bool RepairNegative(const THydro2T& Old, const THydro2T& Third, Real dt, int32_t i);

 private:
  RealArray PtOld_;               // tension pressure of the old state [GPa]
  RealArray PeOld_;               // its electron part, Pe(rho, min(Ti, Te)) [GPa]
  RealArray Tmin_;                // min(Ti, Te) of the film cells [K]
  RealArray PeMin_;               // the electron pressure at it [GPa]
  std::vector<uint8_t> counted_;  // 1: the cell's changes are measured in this pass
};

}  // namespace tarvex
