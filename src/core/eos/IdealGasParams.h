// Parameter block of the ideal gas (model 0), in the dimensionless units of the model.
#pragma once

#include "core/common/Real.h"

namespace tarvex {

struct IdealGasParams {
  Real gamma = 0;     // adiabatic exponent, > 1
  Real AtomMass = 0;  // atom mass M, > 0
  Real c = 0;         // heat capacity 1/((gamma - 1) M), cached when the block is set
  Real invC = 0;      // (gamma - 1) M: T = E * invC without a division per call
  Real invM = 0;      // 1 / M: P = rho T * invM
};

}  // namespace tarvex
