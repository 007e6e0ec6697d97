// The fitted ruthenium electron model.
#include "core/electron/Ruthenium.h"

#include <cmath>

#include "core/electron/ElectronConstants.h"

namespace tarvex {

namespace {

constexpr Real kT = 0.75L * electron::kBeV;  // t = kT Te [eV]

const RuParams::RhoValues& RuRho(const RuParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    const Real r = rho * p.invRho0;
    const Real x = rho * p.invRho0k;
    p.rhoMemo.F = 2 / (r * std::sqrt(r) + 1);
    p.rhoMemo.x = x;
    p.rhoMemo.x23 = p.rho23.Rho23(rho) * p.invRho0k23;
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo;
}

// x y(x), for the conductivity only.
Real RuShape(const RuParams& p, Real rho, Real x) {
  if (rho != p.kappaMemo.key) {
    p.kappaMemo.xy = x * ConductivityShape(x, p.a, p.cab);
    p.kappaMemo.key = rho;
  }
  return p.kappaMemo.xy;
}

}  // namespace

Real RuQ(const RuFit& f, Real t) {
  const Real num = t * t * (t * t - f.a1 * t + f.a0);
  const Real den = ((t + f.b2) * t + f.b1) * t + f.b0;
  return f.c0 * num / den;
}

Real RuDQ(const RuFit& f, Real t) {
  const Real num = t * t * (t * t - f.a1 * t + f.a0);
  const Real dnum = t * (4 * t * t - 3 * f.a1 * t + 2 * f.a0);
  const Real den = ((t + f.b2) * t + f.b1) * t + f.b0;
  const Real dden = (3 * t + 2 * f.b2) * t + f.b1;
  return f.c0 * (dnum * den - num * dden) / (den * den);
}

Real RuHeatCapShape(const RuParams& p, Real t) {
  return t * (1 + p.am2 * t * t) / (1 + p.am * FitPow(t, p.bm));
}

Real RuEnergy(const RuParams& p, Real rho, Real Te) {
  return RuRho(p, rho).F * RuQ(p.E, kT * Te);
}

Real RuHeatCap(const RuParams& p, Real rho, Real Te) {
  return RuRho(p, rho).F * RuDQ(p.E, kT * Te) * kT;
}

Real RuPressure(const RuParams& p, Real rho, Real Te) {
  return RuRho(p, rho).F * rho * RuQ(p.P, kT * Te);
}

Real RuPressureDT(const RuParams& p, Real rho, Real Te) {
  return RuRho(p, rho).F * rho * RuDQ(p.P, kT * Te) * kT;
}

Real RuCoupling(const RuParams& p, Real rho, Real Te) {
  return RuRho(p, rho).x23 * (p.alpha - p.al1 * Te / (Te + p.Tal)) * p.invRho0;
}

Real RuConductivity(const RuParams& p, Real rho, Real Te, Real Ti) {
  const auto& r = RuRho(p, rho);
  const Real t = kT * Te / r.x23;
  const Real keem =
      1e-3L / r.x * t * (p.ka0 + p.ka1 * t) / (1 + ((p.kb3 * t + p.kb2) * t + p.kb1) * t);
  const Real kei = p.keiScale * RuShape(p, rho, r.x) * RuHeatCapShape(p, t) / Ti;
  return 1e-5L / (keem + 1 / kei);
}

}  // namespace tarvex
