// Tin fitted to ab-initio electron data (the "Rextr" page, preset Sn). With
// t = 6 Te/T_F(rho) and P(t) = a0 t^2 (1 + a1 t + a2 t^2)/(1 + b1 t + b2 t^2 + b3 t^3):
//   Pe = (rho/rho0)^(5/3) P(t) [GPa],  Ee = IGr_e Pe/rho [kJ/g],
//   Ce = dEe/dTe = 6 IGr_e P'(t)/(T_F(rho0) rho0),  dPe/dTe = rho Ce/IGr_e;
// the coupling (rho/r00)^(2/3) (alpha al0/r00)(1 + al1 t + al2 t^2)/(1 + al3 t + al4 t^2)
// [kW/g/K] and the conductivity [kW/cm/K] from fits in W/m/K (x = rho/rho0):
//   kee = Aee x (1 + b1k t + b2k t^2 + b3k t^3)/(b0k + b4k t^2)
//   kei = (y(rho/r00)/y(rho0/r00) Trm/Ti + gam) (Aei/(1 + gam)) x c(t)/c(trm),
//   c(t) = c0k t (1 + c1k t)/(1 + c2k t^c3k),   kappa = k_scal/(1/kee + 1/kei)
#pragma once

#include "core/common/Real.h"
#include "core/electron/ElectronCommon.h"

namespace tarvex {

struct SnParams {
  Real invRho0 = 0;
  Real invRho0_23 = 0;  // rho0^(-2/3)
  Real tCoef = 0;       // 6/TFcoef: t = tCoef Te/rho^(2/3)
  Real a0 = 0, a1 = 0, a2 = 0, b1 = 0, b2 = 0, b3 = 0;
  Real IGr = 0;     // IGr_e
  Real CeCoef = 0;  // 6 IGr_e/(T_F(rho0) rho0) [kJ/g/K per GPa]
  // Coupling.
  Real invR00 = 0, invR00_23 = 0;
  Real alphaAl0 = 0;  // alpha al0/r00 [kW/g/K]
  Real al1 = 0, al2 = 0, al3 = 0, al4 = 0;
  // Conductivity.
  Real kScal = 0;
  Real Aee = 0, b0k = 0, b1k = 0, b2k = 0, b3k = 0, b4k = 0;
  Real c0k = 0, c1k = 0, c2k = 0, c3k = 0;
  Real a = 0, cab = 0;
  Real Trm = 0, gam = 0;
  Real keiScale = 0;  // Aei/((1 + gam) c(trm)) [W/m/K]
  Real invYr = 0;     // 1/y(rho0/r00)

  struct RhoValues {
    Real key;
    Real x;    // rho/rho0
    Real x23;  // x^(2/3)
  };
  struct KappaRho {
    Real key;
    Real y;  // y(rho/r00)/y(rho0/r00)
  };
  mutable RhoValues rhoMemo{kNoKey, 0, 0};
  mutable KappaRho kappaMemo{kNoKey, 0};
  Rho23Cache rho23;
};

// P(t) and dP/dt.
Real SnP(const SnParams& p, Real t);
Real SnDP(const SnParams& p, Real t);
// c(t) of the electron-ion term.
Real SnHeatCapShape(const SnParams& p, Real t);

Real SnEnergy(const SnParams& p, Real rho, Real Te);
Real SnHeatCap(const SnParams& p, Real rho, Real Te);
Real SnPressure(const SnParams& p, Real rho, Real Te);
Real SnPressureDT(const SnParams& p, Real rho, Real Te);
Real SnCoupling(const SnParams& p, Real rho, Real Te);
Real SnConductivity(const SnParams& p, Real rho, Real Te, Real Ti);

}  // namespace tarvex
