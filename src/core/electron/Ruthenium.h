// Ruthenium fitted to ab-initio electron data (the "Ru" page): rational fits in the
// temperature t = 0.75 kB Te [eV] with a density factor F(rho) = 2/((rho/rho0)^1.5 + 1),
//   Q(t) = (c0/rho0) t^2 (t^2 - a1 t + a0)/(t^3 + b2 t^2 + b1 t + b0)
//   Pe = F rho Q_P(t) [GPa],  Ee = F Q_E(t) [kJ/g],  Ce = dEe/dTe, dPe/dTe exactly,
// the coupling (rho/Rho0k)^(2/3) (alpha - al1 Te/(Te + Tal))/rho0 [kW/g/K], and the
// conductivity [kW/cm/K] from fits in W/m/K (x = rho/Rho0k, t' = t/x^(2/3)):
//   keem = (1e-3/x) t' (a0 + a1 t')/(1 + b1 t' + b2 t'^2 + b3 t'^3)
//   kei  = y(x)/y(xrt) (x/xrt) krt (Trt0/Ti) cv(t')/cv(trt),  cv(t) = t (1 + am2 t^2)/(1 + am t^bm)
//   kappa = 1e-5/(keem + 1/kei)
#pragma once

#include "core/common/Real.h"
#include "core/electron/ElectronCommon.h"

namespace tarvex {

// The coefficients of one rational fit Q.
struct RuFit {
  Real c0 = 0;  // c0/rho0 [kJ/g or GPa cm3/g]
  Real a1 = 0, a0 = 0;
  Real b2 = 0, b1 = 0, b0 = 0;
};

struct RuParams {
  Real invRho0 = 0;
  RuFit P, E;
  // Coupling.
  Real alpha = 0, al1 = 0, Tal = 0;  // [kW/K/cm3], [kW/K/cm3], [K]
  Real invRho0k = 0;
  Real invRho0k23 = 0;  // Rho0k^(-2/3)
  // Conductivity.
  Real a = 0, cab = 0;  // y(x)
  Real am2 = 0, am = 0, bm = 0;
  Real ka0 = 0, ka1 = 0, kb1 = 0, kb2 = 0, kb3 = 0;  // keem
  Real keiScale = 0;                                 // krt Trt0/(xrt y(xrt) cv(trt)) [W/m]

  struct RhoValues {
    Real key;
    Real F;    // 2/((rho/rho0)^1.5 + 1)
    Real x;    // rho/Rho0k
    Real x23;  // x^(2/3)
  };
  struct KappaRho {
    Real key;
    Real xy;  // x y(x)
  };
  mutable RhoValues rhoMemo{kNoKey, 0, 0, 0};
  mutable KappaRho kappaMemo{kNoKey, 0};
  Rho23Cache rho23;
};

// Q(t) and dQ/dt of one fit.
Real RuQ(const RuFit& f, Real t);
Real RuDQ(const RuFit& f, Real t);
// cv(t) of the electron-ion term.
Real RuHeatCapShape(const RuParams& p, Real t);

Real RuEnergy(const RuParams& p, Real rho, Real Te);
Real RuHeatCap(const RuParams& p, Real rho, Real Te);
Real RuPressure(const RuParams& p, Real rho, Real Te);
Real RuPressureDT(const RuParams& p, Real rho, Real Te);
Real RuCoupling(const RuParams& p, Real rho, Real Te);
Real RuConductivity(const RuParams& p, Real rho, Real Te, Real Ti);

}  // namespace tarvex
