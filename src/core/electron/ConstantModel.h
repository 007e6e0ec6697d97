// The "Constant" electron model: a constant heat capacity, a Grueneisen-type electron
// pressure, a constant conductivity and a constant coupling.
//   Ee = c_e Te [kJ/g],  Ce = c_e,  Pe = Gr rho c_e Te [GPa],  dPe/dTe = Gr rho c_e
#pragma once

#include "core/common/Real.h"

namespace tarvex {

struct ConstantElParams {
  Real ce = 0;  // c_e [kJ/g/K]
  Real Gr = 0;  // electron Grueneisen coefficient Gr1/Gr2
};

// Inline: the solvers evaluate them over every film cell in each pass, and a call per
// cell costs more than the formula.
inline Real ConstantEnergy(const ConstantElParams& p, Real, Real Te) {
  return p.ce * Te;
}
inline Real ConstantHeatCap(const ConstantElParams& p, Real, Real) {
  return p.ce;
}
inline Real ConstantPressure(const ConstantElParams& p, Real rho, Real Te) {
  return p.Gr * rho * p.ce * Te;
}
inline Real ConstantPressureDT(const ConstantElParams& p, Real rho, Real) {
  return p.Gr * rho * p.ce;
}

}  // namespace tarvex
