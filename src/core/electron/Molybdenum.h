// Molybdenum (the "Mo" page): fitted electron energy and pressure of the square-root
// form, which run from the degenerate Te^2 to the linear high-temperature regime, with
// x = rho/rho00 and t = (kBeV/6) Te/x^(2/3):
//   Pe = ap x^(5/3) (sqrt(t^2 + bp^2) - bp)            [GPa]
//   Ee = (ae/rho0) x^(2/3) (sqrt(t^2 + be^2) - be)     [kJ/g], rho0 = ElRho0
// the coupling constant and a constant conductivity.
#pragma once

#include "core/common/Real.h"
#include "core/electron/ElectronCommon.h"

namespace tarvex {

struct MoParams {
  Real invRho00 = 0;     // 1/rho00
  Real invRho00_23 = 0;  // rho00^(-2/3)
  Real ap = 0, bp = 0;   // [GPa], dimensionless
  Real aeRho0 = 0;       // ae/rho0 [kJ/g]
  Real be = 0;
  Rho23Cache rho23;
};

Real MoEnergy(const MoParams& p, Real rho, Real Te);
Real MoHeatCap(const MoParams& p, Real rho, Real Te);
Real MoPressure(const MoParams& p, Real rho, Real Te);
Real MoPressureDT(const MoParams& p, Real rho, Real Te);

}  // namespace tarvex
