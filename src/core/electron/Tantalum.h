// Tantalum (the "Ta" page): a fitted electron pressure with Pe = rho Ee, blended with the
// free-electron gas for the pressure, the coupling CouplingConst (rho/rho0)^(2/3), and a
// conductivity that combines electron-electron and electron-ion scattering.
//
//   F(rho)   = 2/((rho/rho0)^1.5 + 1)
//   SolidPe  = (Bp Te^4.7 + Ap Te^2)/(Te^2 + Cp) F(rho)     [GPa]
//   SolidEe  = SolidPe / rho                                [kJ/g]
//   x = rho/rho0k,  t = (kBeV/8) Te / x^(2/3)
//   kappa_ee = x (am/t + aq/sqrt(t) + a0 + a1 t)
//   kappa_ei = ksi x y(x) Fe(t) T0/Ti,  Fe(t) = c0 t (1 + c1 t)/(1 + c2 t),
//   y(x)     = (1 + cab) x^(2a+1)/(1 + cab x^(a+1)),  cab = (a - b)/(b + 1)
//   kappa    = 1e-5 / (1/kappa_ei + 1/kappa_ee)         [kW/cm/K; the fit is in W/m/K]
#pragma once

#include "core/common/Real.h"
#include "core/electron/FreeElectronBlend.h"

namespace tarvex {

struct TaParams {
  BlendParams blend;
  Real invRho0 = 0;     // 1/ElRho0
  Real invRho0_23 = 0;  // ElRho0^(-2/3)
  Real Ap = 0, Bp = 0, Cp = 0;
  Real invRho0k = 0;    // 1/rho0k
  Real invRho0k23 = 0;  // rho0k^(-2/3)
  Real am = 0, aq = 0, a0 = 0, a1 = 0;
  Real c0 = 0, c1 = 0, c2 = 0;
  Real a = 0, cab = 0;     // exponent a and (a - b)/(b + 1) of y(x)
  Real ksiT0 = 0;          // ksi T0 [W/m]
  Real CouplingConst = 0;  // [kW/g/K]

  struct TePowers {
    Real key;
    Real t07;  // Te^0.7
  };
  struct RhoPowers {
    Real key;
    Real xy;  // x y(x)
  };
  mutable TePowers teMemo{kNoKey, 0};
  mutable RhoPowers rhoMemo{kNoKey, 0};
};

Real SolidEe(const TaParams& p, Real rho, Real Te);
Real SolidCe(const TaParams& p, Real rho, Real Te);
Real SolidPe(const TaParams& p, Real rho, Real Te);
Real SolidPeDT(const TaParams& p, Real rho, Real Te);

// The slots: SolidEe and SolidCe (the energy is not blended), BlendPe and BlendPeDT, and:
Real TaCoupling(const TaParams& p, Real rho, Real Te);
Real TaConductivity(const TaParams& p, Real rho, Real Te, Real Ti);

}  // namespace tarvex
