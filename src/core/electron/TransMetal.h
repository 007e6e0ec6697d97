// Transition metals (the "TransMetall" page, presets Ni and Fe): a two-band electron model
// (d band with the heat capacity K = (gamma/2) Te^2 per volume saturating against the
// s-band term S = s0 Te^1.3) blended with the free-electron gas, the coupling
// CouplingConst / Te^(1/4), and the conductivity of the s electrons, scattered by
// electrons and ions, in harmonic combination with the plasma conductivity.
//
//   SolidEe = (rho/rho0)^0.6 K S/(K + S) / rho       [kJ/g]
//   SolidPe = 1.1 (rho/rho0)^1.1 K S/(K + S)         [GPa]
//   c_sV    = (S' Ks^2 + Ks' S^2)/(Ks + S)^2 (rho/rho0)^0.6,  Ks = (gs/2) Te^2
//   v_s^2   = (v0 (rho/rho0)^(5/6) + vT Te^1.25)^0.8 1e16          [cm2/s2]
//   nu_se   = 1/(1/(ns Te) + 1/(nd Te^0.1)),  nu_ei = nu_r 1e-6 r(phase, Ti)
//   kappa   = harmonic(C_pl Te^(5/2), c_sV (v_s^2/3) / (nu_se + nu_ei))   [kW/cm/K]
// K, S, Ks and their derivatives are per volume [kJ/cm3/K ...]; the fields gamma, s0,
// s'0 and gs are entered x1e9.
#pragma once

#include "core/common/Real.h"
#include "core/electron/FreeElectronBlend.h"

namespace tarvex {

struct TransMetParams {
  BlendParams blend;
  Real rho0 = 0;         // [g/cm3]
  Real invRho0 = 0;      // 1/rho0
  Real invCbrtRho0 = 0;  // rho0^(-1/3)
  Real gammaV = 0;       // gamma of the d band [kJ/cm3/K^2]
  Real s0 = 0;           // S = s0 Te^1.3 [kJ/cm3/K^2.3]
  Real s1 = 0;           // S' = s1 Te^0.3
  Real gs = 0;           // Ks = (gs/2) Te^2 [kJ/cm3/K^2]
  Real v0 = 0, vT = 0;
  Real ns = 0, nd = 0;             // [1/s/K], [1/s/K^0.1]
  Real nuR = 0;                    // nu_r 1e-6 [1/s]
  Real rl0 = 0, rl1 = 0, rl2 = 0;  // r_l = rl0 + rl1 Ti + rl2 Ti^2
  Real rh0 = 0, rh1 = 0, rh2 = 0;  // r_h
  Real rll0 = 0, rll1 = 0;         // r_ll = rll0 + rll1 Ti
  Real rhl = 0;                    // r_hl
  Real CouplingConst = 0;          // [kW/g/K]

  // Powers of the last density and temperature asked for.
  struct RhoPowers {
    Real key;
    Real x06;  // (d/rho0)^0.6
  };
  struct TePowers {
    Real key;
    Real t01;  // Te^0.1
  };
  mutable RhoPowers rhoMemo{kNoKey, 0};
  mutable TePowers teMemo{kNoKey, 0};
};

Real SolidEe(const TransMetParams& p, Real rho, Real Te);
Real SolidCe(const TransMetParams& p, Real rho, Real Te);
Real SolidPe(const TransMetParams& p, Real rho, Real Te);
Real SolidPeDT(const TransMetParams& p, Real rho, Real Te);

// The slots: BlendEe, BlendCe, BlendPe, BlendPeDT over the functions above, and:
Real TransMetCoupling(const TransMetParams& p, Real rho, Real Te);
Real TransMetConductivity(const TransMetParams& p, Real rho, Real Te, Real Ti);

}  // namespace tarvex
