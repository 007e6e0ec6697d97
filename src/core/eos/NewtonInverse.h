// Temperature from a total energy or pressure by Newton iteration, as a composed slot.
//
// Where a model's totals have no closed-form inverse (the film's energy with the electron
// part added, the analytic fluids), T(rho, y) solves F(rho, T) = y with the derivative
// D = dF/dT: T_new = T + (y - F(rho, T)) / D(rho, T), under the two-cycle protection and
// relative tolerance of NewtonWithCycleGuard. The block holds only the slots it combines
// and a fixed start; evaluating the slot never changes it, so the result does not depend
// on earlier calls.
#pragma once

#include "core/common/Real.h"
#include "core/common/Slot.h"

namespace tarvex {

struct NewtonInverseParams {
  Slot2 F;        // forward function F(rho, T): total E [kJ/g] or P [GPa]
  Slot2 D;        // dF/dT at constant rho: total Cv [kJ/g/K] or dP/dT [GPa/K]
  Slot2 Start;    // optional start temperature from (rho, y), e.g. the film's own inverse
  Real T0 = 300;  // start temperature [K] when Start is empty
};

// The temperature with F(rho, T) = y. An arithmetic fault that the iteration cannot
// resolve stays raised for the caller's FpGuard.
Real NewtonInverse(const NewtonInverseParams& p, Real rho, Real y);

// Fills `block` and returns a slot bound to it. The block must outlive the slot.
Slot2 BindNewtonInverse(NewtonInverseParams& block, Slot2 F, Slot2 D, Real T0, Slot2 start = {});

}  // namespace tarvex
