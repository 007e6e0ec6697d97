// Silver (the "Ag1" page): the free-electron gas for energy, heat capacity and pressure,
// the coupling constant, and a fitted conductivity in W/m/K that combines an
// electron-electron thermal resistivity with the electron-ion conductivity scaled from
// room temperature:
//   x = rho/rho0k, t = k Te/(TF0 eV_KB x^(2/3)), trt = the same at Te = Trt
//   Se = a0 t/(1 + b0 sqrt(t) + b1 t + b2 t^2),  keem = 1e-4 Se / x
//   cv(t) = cv1 t (1 + cv2 t^2)/(1 + cv3 t^cvp)
//   kei = Tksol (x/xrt) y(x)/y(xrt) (Trt/Ti) cv(t)/cv(trt),  y = ConductivityShape
//   kappa = 1e-5/(keem + 1/kei)   [kW/cm/K]
#pragma once

#include "core/common/Real.h"
#include "core/electron/FreeElectronGas.h"

namespace tarvex {

struct AgParams {
  FegParams feg;
  Real invRho0k = 0;    // 1/rho0k
  Real invRho0k23 = 0;  // rho0k^(-2/3)
  Real tCoef = 0;       // k/(TF0 eV_KB) [1/K]
  Real a0 = 0, b0 = 0, b1 = 0, b2 = 0;
  Real cv1 = 0, cv2 = 0, cv3 = 0, cvp = 0;
  Real a = 0, cab = 0;  // y(x) = (1 + cab) x^(2a+1)/(1 + cab x^(a+1))
  Real Trt = 0;         // [K]
  Real keiScale = 0;    // Tksol Trt/(xrt y(xrt)) [W/m]

  struct RhoValues {
    Real key;
    Real x;
    Real x23;
    Real xyOverCvRt;  // x y(x)/cv(trt)
  };
  mutable RhoValues rhoMemo{kNoKey, 0, 0, 0};
};

Real AgConductivity(const AgParams& p, Real rho, Real Te, Real Ti);

}  // namespace tarvex
