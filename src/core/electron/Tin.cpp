// The fitted tin electron model.
#include "core/electron/Tin.h"

#include <cmath>

namespace tarvex {

namespace {

const SnParams::RhoValues& SnRho(const SnParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    p.rhoMemo.x = rho * p.invRho0;
    p.rhoMemo.x23 = p.rho23.Rho23(rho) * p.invRho0_23;
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo;
}

// y(rho/r00)/y(rho0/r00), for the conductivity only.
Real SnShape(const SnParams& p, Real rho) {
  if (rho != p.kappaMemo.key) {
    p.kappaMemo.y = ConductivityShape(rho * p.invR00, p.a, p.cab) * p.invYr;
    p.kappaMemo.key = rho;
  }
  return p.kappaMemo.y;
}

// t = 6 Te/T_F(rho).
Real SnT(const SnParams& p, Real rho, Real Te) {
  return p.tCoef * Te / p.rho23.Rho23(rho);
}

}  // namespace

Real SnP(const SnParams& p, Real t) {
  const Real num = p.a0 * t * t * (1 + (p.a1 + p.a2 * t) * t);
  const Real den = 1 + (p.b1 + (p.b2 + p.b3 * t) * t) * t;
  return num / den;
}

// d/dt of t^2 (1 + a1 t + a2 t^2)/(1 + b1 t + b2 t^2 + b3 t^3), the numerator expanded:
// t (2 + (3a1 + b1) t + (2a1b1 + 4a2) t^2 + (a1b2 + 3a2b1 - b3) t^3 + 2a2b2 t^4 + a2b3 t^5).
Real SnDP(const SnParams& p, Real t) {
  const Real a1 = p.a1, a2 = p.a2, b1 = p.b1, b2 = p.b2, b3 = p.b3;
  const Real poly =
      2 +
      (3 * a1 + b1 +
       (2 * a1 * b1 + 4 * a2 + (a1 * b2 + 3 * a2 * b1 - b3 + (2 * a2 * b2 + a2 * b3 * t) * t) * t) *
           t) *
          t;
  const Real den = 1 + (b1 + (b2 + b3 * t) * t) * t;
  return p.a0 * t * poly / (den * den);
}

Real SnHeatCapShape(const SnParams& p, Real t) {
  return p.c0k * t * (1 + p.c1k * t) / (1 + p.c2k * FitPow(t, p.c3k));
}

Real SnPressure(const SnParams& p, Real rho, Real Te) {
  const auto& r = SnRho(p, rho);
  return r.x * r.x23 * SnP(p, SnT(p, rho, Te));
}

Real SnEnergy(const SnParams& p, Real rho, Real Te) {
  return p.IGr * SnPressure(p, rho, Te) / rho;
}

Real SnHeatCap(const SnParams& p, Real rho, Real Te) {
  return p.CeCoef * SnDP(p, SnT(p, rho, Te));
}

Real SnPressureDT(const SnParams& p, Real rho, Real Te) {
  return rho * SnHeatCap(p, rho, Te) / p.IGr;
}

Real SnCoupling(const SnParams& p, Real rho, Real Te) {
  const Real t = SnT(p, rho, Te);
  const Real r23 = p.rho23.Rho23(rho) * p.invR00_23;
  return r23 * p.alphaAl0 * (1 + (p.al1 + p.al2 * t) * t) / (1 + (p.al3 + p.al4 * t) * t);
}

Real SnConductivity(const SnParams& p, Real rho, Real Te, Real Ti) {
  const auto& r = SnRho(p, rho);
  const Real t = SnT(p, rho, Te);
  const Real kee =
      p.Aee * r.x * (1 + (p.b1k + (p.b2k + p.b3k * t) * t) * t) / (p.b0k + p.b4k * t * t);
  const Real kei = (SnShape(p, rho) * p.Trm / Ti + p.gam) * p.keiScale * r.x * SnHeatCapShape(p, t);
  return p.kScal / (1 / kee + 1 / kei);
}

}  // namespace tarvex
