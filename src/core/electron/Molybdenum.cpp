// The molybdenum electron model.
#include "core/electron/Molybdenum.h"

#include <cmath>

namespace tarvex {

namespace {

constexpr Real kBeV6 = electron::kBeV / 6;  // 1.436223822686797e-05 eV/K

// sqrt(t^2 + b^2) - b without the cancellation at small t.
Real RootExcess(Real t, Real b) {
  return t * t / (std::sqrt(t * t + b * b) + b);
}

}  // namespace

Real MoEnergy(const MoParams& p, Real rho, Real Te) {
  const Real x23 = p.rho23.Rho23(rho) * p.invRho00_23;
  return p.aeRho0 * x23 * RootExcess(kBeV6 * Te / x23, p.be);
}

Real MoHeatCap(const MoParams& p, Real rho, Real Te) {
  const Real t = kBeV6 * Te / (p.rho23.Rho23(rho) * p.invRho00_23);
  return p.aeRho0 * kBeV6 * t / std::sqrt(t * t + p.be * p.be);
}

Real MoPressure(const MoParams& p, Real rho, Real Te) {
  const Real x = rho * p.invRho00;
  const Real x23 = p.rho23.Rho23(rho) * p.invRho00_23;
  return p.ap * x * x23 * RootExcess(kBeV6 * Te / x23, p.bp);
}

Real MoPressureDT(const MoParams& p, Real rho, Real Te) {
  const Real x = rho * p.invRho00;
  const Real t = kBeV6 * Te / (p.rho23.Rho23(rho) * p.invRho00_23);
  return p.ap * x * kBeV6 * t / std::sqrt(t * t + p.bp * p.bp);
}

}  // namespace tarvex
