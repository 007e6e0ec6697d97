// The tantalum electron model.
#include "core/electron/Tantalum.h"

#include <cmath>

#include "core/electron/ElectronConstants.h"

namespace tarvex {

namespace {

constexpr Real kBeV8 = electron::kBeV / 8;  // 1.0771678670150977e-05 eV/K

// Te^4.7 = Te^4 Te^(7/10), the root once per new temperature.
Real TePow47(const TaParams& p, Real Te) {
  if (Te != p.teMemo.key) {
    p.teMemo.t07 = RationalPow<7, 10>(Te);
    p.teMemo.key = Te;
  }
  const Real T2 = Te * Te;
  return T2 * T2 * p.teMemo.t07;
}

// F(rho) = 2/((rho/rho0)^1.5 + 1).
Real DensityFactor(const TaParams& p, Real rho) {
  const Real r = rho * p.invRho0;
  return 2 / (r * std::sqrt(r) + 1);
}

// x y(x) with x = rho/rho0k.
Real XY(const TaParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    const Real x = rho * p.invRho0k;
    p.rhoMemo.xy = x * ConductivityShape(x, p.a, p.cab);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo.xy;
}

}  // namespace

Real SolidPe(const TaParams& p, Real rho, Real Te) {
  if (!(Te > 0)) return 0;
  const Real T2 = Te * Te;
  return (p.Bp * TePow47(p, Te) + p.Ap * T2) / (T2 + p.Cp) * DensityFactor(p, rho);
}

// d/dTe of (Bp Te^4.7 + Ap Te^2)/(Te^2 + Cp):
// (2.7 Bp Te^5.7 + 4.7 Bp Cp Te^3.7 + 2 Ap Cp Te)/(Te^2 + Cp)^2.
Real SolidPeDT(const TaParams& p, Real rho, Real Te) {
  if (!(Te > 0)) return 0;
  const Real T2 = Te * Te;
  const Real T47 = TePow47(p, Te);
  const Real den = T2 + p.Cp;
  const Real num = 2.7L * p.Bp * T47 * Te + 4.7L * p.Bp * p.Cp * T47 / Te + 2 * p.Ap * p.Cp * Te;
  return num / (den * den) * DensityFactor(p, rho);
}

Real SolidEe(const TaParams& p, Real rho, Real Te) {
  return SolidPe(p, rho, Te) / rho;
}

Real SolidCe(const TaParams& p, Real rho, Real Te) {
  return SolidPeDT(p, rho, Te) / rho;
}

Real TaCoupling(const TaParams& p, Real rho, Real) {
  return p.CouplingConst * p.blend.feg.rho23.Rho23(rho) * p.invRho0_23;
}

Real TaConductivity(const TaParams& p, Real rho, Real Te, Real Ti) {
  const Real x = rho * p.invRho0k;
  const Real x23 = p.blend.feg.rho23.Rho23(rho) * p.invRho0k23;
  const Real t = kBeV8 * Te / x23;
  const Real kappaEE = x * (p.am / t + p.aq / std::sqrt(t) + p.a0 + p.a1 * t);
  const Real Fe = p.c0 * t * (1 + p.c1 * t) / (1 + p.c2 * t);
  const Real kappaEI = XY(p, rho) * Fe * p.ksiT0 / Ti;
  return 1e-5L / (1 / kappaEI + 1 / kappaEE);
}

}  // namespace tarvex
