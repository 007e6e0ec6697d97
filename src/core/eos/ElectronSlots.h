// The electron-model slots (ElectronModel): the thermal properties of the electrons of a
// metal or a dielectric as functions the electron models fill. They are recorded here,
// next to the equation-of-state slots, because the film's totals combine both
// (ComposeActiveEos); the models themselves live in core/electron.
//
// Units: rho g/cm3, Te and Ti K, energy kJ/g, heat capacity kJ/g/K, pressure GPa,
// dP/dT GPa/K, conductivity kW/cm/K, coupling per unit mass kW/g/K.
#pragma once

#include "core/common/Real.h"
#include "core/common/Slot.h"

namespace tarvex {

// Electron conductivity k_e(rho, Te, Ti) [kW/cm/K].
struct ConductivitySlot3 {
  Real (*fn)(const void* params, Real rho, Real Te, Real Ti) = nullptr;
  const void* params = nullptr;
  Real operator()(Real rho, Real Te, Real Ti) const { return fn(params, rho, Te, Ti); }
  explicit operator bool() const { return fn != nullptr; }
};

struct ElectronSlots {
  Slot2 ElEnergy;                    // Ee(rho, Te) [kJ/g]
  Slot2 ElHeatCap;                   // Ce = dEe/dTe at constant rho [kJ/g/K]
  Slot2 ElPressure;                  // Pe(rho, Te) [GPa]
  Slot2 ElPressureDT;                // dPe/dTe at constant rho [GPa/K]; may be empty
  Slot2 ElTofE;                      // Te with Ee(rho, Te) = Ee
  Slot2 Coupling;                    // electron-ion coupling per mass, f(rho or Z, Te)
  ConductivitySlot3 ElConductivity;  // k_e(rho, Te, Ti)
};

}  // namespace tarvex
