// Gold (the "Noble Metall" page, preset Au) and the newer gold model (the "NewAu" page,
// preset NAu).
//
// Au: Ee = C_Au Te^2 f(tn) with tn = (2/pi) atan((Te - 3500)/700) and
// f = (1 - tn)/2 + 1.4 (1 + tn)/2, which raises the Sommerfeld coefficient by 40 % across
// the d-band onset near 3500 K; the pressure is the free-electron one. The coupling and
// the conductivity:
//   G = (0.2 + (4.3/k_al) TeV^3.6/(1 + TeV^3.5 + 0.9 TeV^4.1)) 1e8/rho0   [kW/g/K]
//   nu = nu0 (Ti/300) G/G300 + beta (E_F/hbar)(Te/T_F)^2 (+ liquid rate nu_dl0 + nu_dl1 Ti)
//   nu_deg = nu/(rho/rho0)^1.3,  nu_pl = (E_F/hbar)/(Te/T_F)^1.5
//   kappa = rho Ce u / nu_eff,  1/nu_eff^2 = 1/nu_deg^2 + 1/nu_pl^2            [kW/cm/K]
// NAu: Ee and Pe as harmonic sums of a degenerate and a high-temperature branch in
// TeV = kB Te [eV] and x = rho/rho0:
//   Ee = at/(1/EA + 1/EB),  EA = (a2E/x) TeV^2 + (a4E/x^3) TeV^4,
//        EB = akE TeV^(1+kE) (z0E + (1 - z0E - z2E)/x^m1E + z2E/x^m2E),  at = eV/m_at
//   Pe = 0.1/(1/PA + 1/PB), PA = a2P TeV^2 + (a4P/x^2) TeV^4,
//        PB = akP x TeV^(1+kP) (z0P + (1 - z0P - z2P) x^m1P + z2P x^m2P)
// with the gold coupling and conductivity (the conductivity uses the Au heat capacity).
#pragma once

#include "core/common/Real.h"
#include "core/electron/FilmPhase.h"
#include "core/electron/FreeElectronGas.h"

namespace tarvex {

// 338e-10/19.3 [kJ/g/K^2]: gold's Sommerfeld coefficient per gram.
inline constexpr Real kAuGammaCoef = 338e-10L / 19.3L;

struct AuParams {
  FegParams feg;  // free-electron pressure, E_F, T_F
  Real invRho0 = 0;
  Real couplingScale = 0;  // 1e8/rho0 [kW/g/K]
  Real kalCoef = 0;        // 4.3/k_al
  Real nuSolCoef = 0;      // nu0/(300 G300) [1/s/K per kW/g/K]
  Real nuDl0 = 0;          // liquid rate [1/s]
  Real nuDl1 = 0;          // its growth with Ti [1/s/K]
  Real beta = 0;           // weight of electron-electron scattering
  const FilmPhaseSource* phase = nullptr;

  struct TeValues {
    Real key;
    Real f;  // f(tn)
  };
  struct CouplingValue {
    Real key;
    Real G;
  };
  struct RhoPowers {
    Real key;
    Real x13;  // (rho/rho0)^1.3
  };
  mutable TeValues teMemo{kNoKey, 0};
  mutable CouplingValue gMemo{kNoKey, 0};
  mutable RhoPowers rhoMemo{kNoKey, 0};
};

Real AuEnergy(const AuParams& p, Real rho, Real Te);
Real AuHeatCap(const AuParams& p, Real rho, Real Te);
Real AuPressure(const AuParams& p, Real rho, Real Te);    // free-electron
Real AuPressureDT(const AuParams& p, Real rho, Real Te);  // its Te-derivative
Real AuCoupling(const AuParams& p, Real rho, Real Te);
Real AuConductivity(const AuParams& p, Real rho, Real Te, Real Ti);

// The coupling scale and the solid rate need G300 = AuCoupling(rho0, 300): set the other
// members first.
void SetAuRates(AuParams& p, Real rho0, Real kal, Real nu0);

struct NAuParams {
  AuParams au;  // coupling and conductivity
  Real at = 0;  // eV/m_at [kJ/g per eV]
  Real invRho0 = 0;
  Real a2E = 0, a4E = 0, akE = 0, kE = 0, z0E = 0, z2E = 0, m1E = 0, m2E = 0;
  Real a2P = 0, a4P = 0, akP = 0, kP = 0, z0P = 0, z2P = 0, m1P = 0, m2P = 0;

  struct TePowers {
    Real key;
    Real TeV;  // kB Te [eV]
    Real pE;   // TeV^kE
    Real pP;   // TeV^kP
  };
  struct RhoPowers {
    Real key;
    Real x;
    Real zE;  // z0E + (1 - z0E - z2E)/x^m1E + z2E/x^m2E
    Real zP;  // z0P + (1 - z0P - z2P) x^m1P + z2P x^m2P
  };
  mutable TePowers teMemo{kNoKey, 0, 0, 0};
  mutable RhoPowers rhoMemo{kNoKey, 0, 0, 0};
};

Real NAuEnergy(const NAuParams& p, Real rho, Real Te);
Real NAuHeatCap(const NAuParams& p, Real rho, Real Te);
Real NAuPressure(const NAuParams& p, Real rho, Real Te);
Real NAuPressureDT(const NAuParams& p, Real rho, Real Te);
Real NAuCoupling(const NAuParams& p, Real rho, Real Te);
Real NAuConductivity(const NAuParams& p, Real rho, Real Te, Real Ti);

}  // namespace tarvex
