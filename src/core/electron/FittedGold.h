// Gold fitted to ab-initio electron data (the "Au1" page): a solid-state electron model
// blended with the free-electron gas, a coupling with a d-band term, and one of four
// conductivities.
//
// Thermodynamics, with t = tau Te (tau = tEdit) and x = rho/rho0e:
//   x1 = (x + 0.2)/1.2, f = 1 for x >= 0.77;  x1 = x1(0.77), f = 1.54/(x + 0.77) below
//   Elow  = e2 t^2/x1 + e4 t^4/x1^3
//   Ehigh = e1 t^(1+de) (z0 + (1 - z0 - z2)/x1^m1 + z2/x1^m2)
//   SolidEe = f (EF0/rho0e)/(1/Elow + 1/Ehigh)   [kJ/g],  SolidPe = Gammae rho SolidEe [GPa]
// Coupling [kW/g/K] (TeV = kB Te [eV]):
//   (al + (4.3/Kal) TeV^3.6/(1 + TeV^3.5 + 0.9 TeV^4.1)) 1e8/rho0e (rho/rho0)^(2/3),
//   or with the extrapolated fit ((Te/at1)^2 + 1) al/((Te/at2)^5 + 1) 1e8/rho0e (rho/rho0)^(2/3).
// Conductivity [kW/cm/K], from fits in W/m/K:
//   constant:  k_scal
//   phase fit: kee = xk^(4/3)/Se(tk), electron-ion terms of the solid (scaled from room
//              temperature) and of the liquid (resistivity rbl(Ti), density xbl(Ti)),
//              kappa = k_scal/(ke/kee + 1/kei), mixed by the melting fraction
//   new fit:   keem = (1e-4/xk) kee1 t (1 + keea t^2)/(1 + keeb2 t^2 + keeb4 t^4), t = Te1 Te/xk
//              kei = xk^(4/3) ksei1 ya(xk) cy(t)/Ti,  kappa = k_scal/(1/kei + ke keem)
//   extrapolated new fit: keem and kei with the room-temperature shape of Sb0..Sb2, cra, crb.
#pragma once

#include <cstdint>

#include "core/common/Real.h"
#include "core/electron/FreeElectronBlend.h"

namespace tarvex {

enum class Au1Kappa : uint8_t { Constant, PhaseFit, NewFit, NewExtrFit };

struct Au1Params {
  BlendParams blend;
  // Thermodynamics.
  Real invRho0e = 0;
  Real tau = 0;  // t = tau Te
  Real E0r = 0;  // EF0/rho0e [kJ/g]
  Real Gammae = 0;
  Real e1 = 0, e2 = 0, e4 = 0, de = 0;
  Real z0 = 0, z2 = 0, m1 = 0, m2 = 0;
  // Coupling.
  bool extrapolatedCoupling = false;
  Real al = 0, kalCoef = 0;  // al, 4.3/Kal
  Real couplingScale = 0;    // 1e8/rho0e rho0^(-2/3)
  Real invAt1 = 0, invAt2 = 0;
  // Conductivity.
  Au1Kappa kappa = Au1Kappa::PhaseFit;
  Real kScal = 0, ke = 0;
  // Phase fit.
  Real invRho0k = 0;
  Real tkCoef = 0;  // k/(TF0 eV_KB) [1/K]
  Real a0 = 0, b0 = 0, b1 = 0, b2 = 0;
  Real ke1 = 0, ke2 = 0;
  Real a = 0, cab = 0;
  Real k02 = 0, k03 = 0;
  Real solScale = 0;  // ke1 ke2 / ((brm)^(4/3) y(brm) k0(brm, 293)), k01 cancelled
  Real r0 = 0, g = 0, rbl0 = 0, rbl1 = 0, Ts = 0, Tm = 0;
  Real xbl0 = 0, xbl1 = 0, xbl2 = 0, xbl3 = 0;
  Real k01 = 0;
  // New fits.
  Real Te1 = 0, kee1 = 0, keea = 0, keeb2 = 0, keeb4 = 0;
  Real ya1 = 0, yap = 0, yb1 = 0, ybp = 0, ksei1 = 0;
  Real ca1 = 0, cap = 0, cb1 = 0, cbp = 0;
  Real Sb0 = 0, Sb1 = 0, Sb2 = 0, Tr = 0, cy = 0;
  Real cra1 = 0, cra2 = 0, crb1 = 0, crb2 = 0;

  struct RhoValues {
    Real key;
    Real x1inv;  // 1/x1
    Real f;
    Real zShape;  // z0 + (1 - z0 - z2)/x1^m1 + z2/x1^m2
  };
  struct TeValues {
    Real key;
    Real tHigh;  // t^(1+de)
  };
  struct KappaRho {
    Real key;
    Real xk;
    Real xk43;    // xk^(4/3)
    Real yShape;  // y(xk) (phase fit) or ya(xk) (new fits)
  };
  mutable RhoValues rhoMemo{kNoKey, 0, 0, 0};
  mutable TeValues teMemo{kNoKey, 0};
  mutable KappaRho kappaMemo{kNoKey, 0, 0, 0};
  Rho23Cache rho23;
};

// The solid-state functions the blends read (called at the blend density).
Real SolidEe(const Au1Params& p, Real rho, Real Te);
Real SolidCe(const Au1Params& p, Real rho, Real Te);
Real SolidPe(const Au1Params& p, Real rho, Real Te);
Real SolidPeDT(const Au1Params& p, Real rho, Real Te);

// The slots: BlendEe, BlendCe, BlendPe, BlendPeDT over the functions above, and:
Real Au1Coupling(const Au1Params& p, Real rho, Real Te);
Real Au1Conductivity(const Au1Params& p, Real rho, Real Te, Real Ti);

// The solid electron-ion term of the phase fit is scaled from its value at x = brm and
// this temperature [K].
inline constexpr Real kAu1RoomT = 293;

// k0(x, T) of the phase fit without its factor k01: tk (1 + k02 tk^2)/(1 + k03 tk^2.07).
Real Au1CollisionShape(const Au1Params& p, Real tk);

}  // namespace tarvex
