// Metals with a fitted electron conductivity (the "Met_kab" page, presets Al, Ni, Fe, Ti).
//
// Thermodynamics: a solid-state electron model chosen at OK (the transition-metal two-band
// model for Ni and Fe, a fitted model for Ti, the free-electron gas alone for Al) inside
// wrappers that switch it off at low density and by the film's phase. With
// d = rho s(rho/rho_md), y = Te/TeHalf and F the solid-state function:
//   rho_md = 0: F(rho);  rho <= rho_md: 0;  no table or Te >= TeC: F(d);
//   phase S+L or L: F(d);  L+G: F(d), below 2 rho_md times s(y);  G, S+G: 0;  else F(rho).
// The free-electron gas of this page has gamma(rho) = Gamma/rho^(2/3) without a density
// switch (the wrappers do the switching).
//
// Ti (x = d/rho00, t = 6 Te/T_F(d), d the density the function is called with, switched
// once more):
//   Pe = P0 x^(5/3) t^2 (1 - (rho_md/rho)^2)^2 (t^P1p + P1)/(t^P2p + P2)     [GPa]
//   Ee = E0 x^(2/3) t^2 (t^E1p + E1)/(t^E2p + E2)                              [kJ/g]
//   G  = (g0 + g1 t'^h1/(1 + g2 t'^h2) x'^(2/3)) 1e8/rho00  at d' = rho sqrt(s) [kW/g/K]
//
// Conductivity (xk = rho/rho00, t = 6 Te/T_F(rho), all fits in W/m/K):
//   keem = (k0e/xk) t (1 + a1 t)/(1 + b0 sqrt(t) + b1 t + b2 t^2)        e-e resistivity
//   ksei = k0sxrt xk y(xk) (Tr/Ti) cvr(t)/cvr(trt),  cvr(t) = t (1 + am1 t + am2 t^2)/(1 + bm t^pm)
//   klei = k0lxlm xk cvl(t) kTi(Ti)/kTi(Tm),  cvl likewise, kTi(T) = (1 + al1/T)/(1 + al2/T)
//   solid 1e-5/(keem + 1/ksei), liquid 1e-5/(keem + 1/klei), melting with the solid
//   fraction m between the two resistivities; switched off at low density  [kW/cm/K].
#pragma once

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/electron/FilmPhase.h"
#include "core/electron/FreeElectronGas.h"
#include "core/electron/TransMetal.h"

namespace tarvex {

// The wrappers around the chosen solid-state model.
struct MetEFParams {
  FegParams feg;  // the free-electron gas (no density switch in gamma)
  Real RhoMd = 0;
  Real RhoMd2 = 0;
  Real TeC = 0;
  Real TeHalf = 0;
  const FilmPhaseSource* phase = nullptr;
  Slot2 SolidEe, SolidCe, SolidPe, SolidPeDT;
};

Real MetEFEnergy(const MetEFParams& p, Real rho, Real Te);
Real MetEFHeatCap(const MetEFParams& p, Real rho, Real Te);
Real MetEFPressure(const MetEFParams& p, Real rho, Real Te);
Real MetEFPressureDT(const MetEFParams& p, Real rho, Real Te);

// The fitted titanium electron model.
struct TiElParams {
  Real RhoMd = 0;
  Real TFcoef = 0;      // T_F = TFcoef d^(2/3) [K]
  Real invRho00 = 0;    // 1/rho00
  Real invRho0023 = 0;  // rho00^(-2/3)
  Real P0 = 0, P1 = 0, P2 = 0, P1p = 0, P2p = 0;
  Real E0 = 0, E1 = 0, E2 = 0, E1p = 0, E2p = 0;
  Real g0 = 0, g1 = 0, h1 = 0, g2 = 0, h2 = 0;
  Real couplingScale = 0;  // 1e8/rho00

  // t and its fitted powers at the last (switched density, Te).
  struct Point {
    Real d;
    Real Te;
    Real dd;            // the density switched once more
    Real x23;           // (dd/rho00)^(2/3)
    Real x;             // dd/rho00
    Real t;             // 6 Te/T_F(dd)
    Real L;             // log t
    bool haveE, haveP;  // the powers of the energy fit, of the pressure fit
    Real tE1, tE2, tP1, tP2;
  };
  mutable Point memo{kNoKey, kNoKey, 0, 0, 0, 0, 0, false, false, 0, 0, 0, 0};
  Rho23Cache rho23;
};

Real TiSolidEe(const TiElParams& p, Real rho, Real Te);
Real TiSolidCe(const TiElParams& p, Real rho, Real Te);  // dEe/dTe
Real TiSolidPe(const TiElParams& p, Real rho, Real Te);
Real TiSolidPeDT(const TiElParams& p, Real rho, Real Te);  // dPe/dTe
Real TiCoupling(const TiElParams& p, Real rho, Real Te);

// The conductivity fit.
struct MetKabKappaParams {
  Real RhoMd = 0, RhoMd2 = 0;
  Real TeC = 0;
  Real TFcoef = 0;
  Real invRho00 = 0;
  Real k0e = 0, a1 = 0, b0 = 0, b1 = 0, b2 = 0;
  Real k0sxrtTr = 0;  // k0sxrt Tr / cvr(trt) [W/m]
  Real a = 0, cab = 0;
  Real am1 = 0, am2 = 0, bm = 0, pm = 0;
  Real k0lxlm = 0;  // k0l/xlm/cvl(tlm) / kTi(Tm) [W/m/K]
  Real aml1 = 0, aml2 = 0, bml = 0, pml = 0;
  Real al1 = 0, al2 = 0;
  const FilmPhaseSource* phase = nullptr;

  struct RhoValues {
    Real key;
    Real xk;
    Real tCoef;  // 6/T_F(rho) [1/K]
    Real xy;     // xk y(xk)
  };
  mutable RhoValues rhoMemo{kNoKey, 0, 0, 0};
  Rho23Cache rho23;
};

// What the fits need at their reference points (the fields k0sxrt and k0lxlm follow from
// k0s and k0l with them).
struct MetKabReference {
  Real xrt = 0;  // rho_rt/rho00
  Real yrt = 0;  // y(xrt)
  Real trt = 0;  // 6 Tr/T_F(rho_rt)
  Real xlm = 0;  // rho_lm/rho00
  Real tlm = 0;  // 6 Tm/T_F(rho_lm)
  Real cvl = 0;  // cvl(tlm)
};

// cvr(t) = t (1 + c1 t + c2 t^2)/(1 + d t^p) (cvl likewise).
Real MetKabHeatCapShape(Real t, Real c1, Real c2, Real d, Real p);
MetKabReference MetKabReferencePoint(Real TFcoef, Real rho00, Real rhoRt, Real Tr, Real a, Real b,
                                     Real rhoLm, Real Tm, Real aml1, Real aml2, Real bml, Real pml);

Real MetKabConductivity(const MetKabKappaParams& p, Real rho, Real Te, Real Ti);

// The coupling of the transition-metal panel: CouplingConst (Tr/Te)^(1/4).
struct MetKabTransCouplingParams {
  Real CouplingConst = 0;  // [kW/g/K]
  Real Tr = 0;             // [K]
};
Real MetKabTransCoupling(const MetKabTransCouplingParams& p, Real rho, Real Te);

// Everything the page installs; the slots point into it.
struct MetKabParams {
  MetEFParams ef;
  TransMetParams transMet;  // its solid-state functions (Ni, Fe)
  TiElParams ti;
  MetKabKappaParams kappa;
  MetKabTransCouplingParams transCoupling;
};

}  // namespace tarvex
