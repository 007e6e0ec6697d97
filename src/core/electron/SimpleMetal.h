// The "Simple metall" model: a free-electron gas with the density rho_md subtracted in
// the energy, and a Wiedemann-type conductivity built from electron-ion, electron-electron
// and plasma collision rates.
//
//   g = GammaCoef/(rho - rho_md)^(2/3),  y = g Te
//   Ee = (c_cl/g)(sqrt(c_cl^2 + y^2) - c_cl) (1 - rho_md/rho)   (0 for rho <= rho_md)
//   Pe = (2/3) rho Ee
//   u = sqrt((kB Te)^2 + (0.4 E_F)^2)/m_e,  kappa_pl = C_pl Te^(5/2),  nu_pl = rho Ce u/kappa_pl
//   nu_ei: solid nu0 Ti/933, liquid nu_s b/(A + B b + C/b) with b = max(Ti, -2C/A)
//   nu_eiWD = 1/sqrt(1/nu_pl^2 + ((rho/rho0)^(1/3)/nu_ei)^2)
//   1/nu_ee = (rho/rho0)^(2/3)/(nus TeV^2) + 1/(nui TeV^0.28 (rho/rho0)^0.48)
//   nu_eeWD = 1/sqrt((kz/((1 - kz) nu_pl))^2 + (1/nu_ee)^2)
//   kappa_e = rho Ce u/(nu_eiWD + nu_eeWD)                       [kW/cm/K]
// The conductivity uses the heat capacity of the gas at rho without the cut-off,
// c_cl y0/sqrt(c_cl^2 + y0^2) with y0 = GammaCoef Te/rho^(2/3).
#pragma once

#include "core/common/Real.h"
#include "core/electron/ElectronCommon.h"
#include "core/electron/FilmPhase.h"

namespace tarvex {

struct SimpleMetParams {
  Real rho0 = 0;
  Real invCbrtRho0 = 0;  // rho0^(-1/3)
  Real RhoMd = 0;        // [g/cm3]
  Real GammaCoef = 0;    // gamma(rho) = GammaCoef/rho^(2/3) [kJ/g/K^2 (g/cm3)^(2/3)]
  Real ccl = 0, ccl2 = 0;
  Real EFcoef = 0;       // E_F(rho) = EFcoef rho^(2/3) [kJ]
  Real KappaPlCoef = 0;  // C_pl [kW/cm/K^(7/2)]
  Real nuSolid = 0;      // nu0/933 [1/s/K]
  Real nuS = 0, A = 0, B = 0, C = 0;
  Real bMin = 0;  // -2C/A [K]: the liquid rate is taken at max(Ti, bMin)
  Real nus = 0, nui = 0;
  Real kzRatio = 0;  // kz/(1 - kz)
  const FilmPhaseSource* phase = nullptr;
  Rho23Cache rho23;

  struct ReducedDensity {
    Real key;
    Real g;      // gamma(rho - rho_md)
    Real share;  // 1 - rho_md/rho
  };
  struct RhoPowers {
    Real key;
    Real x048;  // (rho/rho0)^0.48
  };
  mutable ReducedDensity mdMemo{kNoKey, 0, 0};
  mutable RhoPowers rhoMemo{kNoKey, 0};
};

Real SimpleEnergy(const SimpleMetParams& p, Real rho, Real Te);
// dEe/dTe above rho_md; at and below it (where Ee = 0) the positive heat capacity of the
// gas without the cut-off, so that a temperature update never divides by zero.
Real SimpleHeatCap(const SimpleMetParams& p, Real rho, Real Te);
Real SimplePressure(const SimpleMetParams& p, Real rho, Real Te);
Real SimplePressureDT(const SimpleMetParams& p, Real rho, Real Te);
Real SimpleConductivity(const SimpleMetParams& p, Real rho, Real Te, Real Ti);

// The liquid electron-ion rate nu_s b/(A + B b + C/b), b = max(T, bMin) [1/s].
Real SimpleLiquidRate(const SimpleMetParams& p, Real T);

}  // namespace tarvex
