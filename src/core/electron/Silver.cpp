// The silver conductivity fit.
#include "core/electron/Silver.h"

#include <cmath>

namespace tarvex {

namespace {

Real HeatCapacityShape(const AgParams& p, Real t) {
  const Real tp = std::exp(p.cvp * std::log(t));  // t^cvp
  return p.cv1 * t * (1 + p.cv2 * t * t) / (1 + p.cv3 * tp);
}

const AgParams::RhoValues& AgRho(const AgParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    const Real x = rho * p.invRho0k;
    const Real x23 = p.feg.rho23.Rho23(rho) * p.invRho0k23;
    const Real trt = p.tCoef * p.Trt / x23;
    p.rhoMemo.x = x;
    p.rhoMemo.x23 = x23;
    p.rhoMemo.xyOverCvRt = x * ConductivityShape(x, p.a, p.cab) / HeatCapacityShape(p, trt);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo;
}

}  // namespace

Real AgConductivity(const AgParams& p, Real rho, Real Te, Real Ti) {
  const auto& r = AgRho(p, rho);
  const Real t = p.tCoef * Te / r.x23;
  const Real Se = p.a0 * t / (1 + p.b0 * std::sqrt(t) + (p.b1 + p.b2 * t) * t);
  const Real keem = 1e-4L * Se / r.x;                                         // [m K/W]
  const Real kei = p.keiScale * r.xyOverCvRt * HeatCapacityShape(p, t) / Ti;  // [W/m/K]
  return 1e-5L / (keem + 1 / kei);
}

}  // namespace tarvex
