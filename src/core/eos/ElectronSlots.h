// The electron-model slots: what the two-temperature solvers, the film totals of the
// equation-of-state selection and the results display call for the conduction electrons
// of the film.
//
// The record lives beside the EOS slots because the film totals add the electron energy,
// pressure and heat capacity to the lattice functions of FilmEos. The models themselves
// (and the parameter blocks the slots are bound to) live in core/electron. Every slot may
// be empty; a model counts as defined when ElEnergy is set.
//
// Units: rho g/cm3, Te and Ti K, Ee kJ/g, Pe GPa, heat capacity kJ/g/K, coupling per
// unit mass kW/g/K (the volumetric alpha [kW/cm3/K] is rho * Coupling), conductivity
// kW/cm/K.
#pragma once

#include "core/common/Real.h"
#include "core/common/Slot.h"

namespace tarvex {

// f(rho, Te, Ti): the one slot that needs both temperatures (electron conductivity).
// `range`, as for Slot2, evaluates it over n cells in one call: the conduction step needs
// the conductivity of every film cell in every pass.
struct Slot3 {
  using RangeFn = void (*)(const void* params, const Real* rho, const Real* Te, const Real* Ti,
                           Real* out, int32_t n);
  Real (*fn)(const void* params, Real rho, Real Te, Real Ti) = nullptr;
  const void* params = nullptr;
  RangeFn range = nullptr;

  Real operator()(Real rho, Real Te, Real Ti) const { return fn(params, rho, Te, Ti); }
  explicit operator bool() const { return fn != nullptr; }

  // out[i] = f(rho[i], Te[i], Ti[i]) for i < n.
  void Eval(const Real* rho, const Real* Te, const Real* Ti, Real* out, int32_t n) const {
    if (range) {
      range(params, rho, Te, Ti, out, n);
      return;
    }
    for (int32_t i = 0; i < n; ++i) out[i] = fn(params, rho[i], Te[i], Ti[i]);
  }
};

// Binds a typed three-argument function to a typed parameter block; the range function
// is a loop over the inlined model function.
template <class Params, Real (*F)(const Params&, Real, Real, Real)>
Slot3 MakeSlot3(const Params& p) {
  return Slot3{
      [](const void* q, Real rho, Real Te, Real Ti) {
        return F(*static_cast<const Params*>(q), rho, Te, Ti);
      },
      &p,
      [](const void* q, const Real* rho, const Real* Te, const Real* Ti, Real* out, int32_t n) {
        const Params& params = *static_cast<const Params*>(q);
        for (int32_t i = 0; i < n; ++i) out[i] = F(params, rho[i], Te[i], Ti[i]);
      }};
}

struct ElectronModel {
  Slot2 ElEnergy;        // Ee(rho, Te) [kJ/g]
  Slot2 ElHeatCap;       // dEe/dTe at constant rho [kJ/g/K]
  Slot2 ElPressure;      // Pe(rho, Te) [GPa]
  Slot2 ElPressureDT;    // dPe/dTe at constant rho [GPa/K]
  Slot2 ElTofE;          // Te(rho, Ee) [K]; only models with an electron-energy inverse
  Slot2 Coupling;        // electron-ion coupling per unit mass G(rho, Te) [kW/g/K]
  Slot3 ElConductivity;  // kappa_e(rho, Te, Ti) [kW/cm/K]
};

// A model counts as defined when it has an electron energy.
inline bool ElectronModelDefined(const ElectronModel& m) {
  return static_cast<bool>(m.ElEnergy);
}

}  // namespace tarvex
