// The "Simple metall" electron model.
#include "core/electron/SimpleMetal.h"

#include <algorithm>
#include <cmath>

#include "core/electron/ElectronConstants.h"

namespace tarvex {

namespace {

constexpr Real kSolidRef = 933;  // temperature of the solid rate nu0 [K]

const SimpleMetParams::ReducedDensity& Reduced(const SimpleMetParams& p, Real rho) {
  if (rho != p.mdMemo.key) {
    if (rho <= p.RhoMd) {
      p.mdMemo.g = 0;
      p.mdMemo.share = 0;
    } else if (p.RhoMd == 0) {
      p.mdMemo.g = p.GammaCoef / p.rho23.Rho23(rho);
      p.mdMemo.share = 1;
    } else {
      const Real d = rho - p.RhoMd;
      p.mdMemo.g = p.GammaCoef / CubeRoot(d * d);
      p.mdMemo.share = d / rho;
    }
    p.mdMemo.key = rho;
  }
  return p.mdMemo;
}

// (rho/rho0)^0.48.
Real RhoPow048(const SimpleMetParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    p.rhoMemo.x048 = RationalPow<12, 25>(rho / p.rho0);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo.x048;
}

// Heat capacity of the gas at rho without the cut-off [kJ/g/K].
Real UncutHeatCap(const SimpleMetParams& p, Real rho, Real Te) {
  const Real y = p.GammaCoef / p.rho23.Rho23(rho) * Te;
  return y * p.ccl / std::sqrt(y * y + p.ccl2);
}

}  // namespace

Real SimpleEnergy(const SimpleMetParams& p, Real rho, Real Te) {
  const auto& r = Reduced(p, rho);
  if (r.g == 0) return 0;
  const Real y = r.g * Te;
  return p.ccl * r.g * Te * Te / (p.ccl + std::sqrt(p.ccl2 + y * y)) * r.share;
}

Real SimpleHeatCap(const SimpleMetParams& p, Real rho, Real Te) {
  const auto& r = Reduced(p, rho);
  if (r.g == 0) return UncutHeatCap(p, rho, Te);
  const Real y = r.g * Te;
  return y * p.ccl / std::sqrt(y * y + p.ccl2) * r.share;
}

Real SimplePressure(const SimpleMetParams& p, Real rho, Real Te) {
  return PeFromEe(rho, SimpleEnergy(p, rho, Te));
}

Real SimplePressureDT(const SimpleMetParams& p, Real rho, Real Te) {
  if (Reduced(p, rho).g == 0) return 0;
  return PeFromEe(rho, SimpleHeatCap(p, rho, Te));
}

Real SimpleLiquidRate(const SimpleMetParams& p, Real T) {
  const Real b = std::max(T, p.bMin);
  return p.nuS * b / (p.A + p.B * b + p.C / b);
}

Real SimpleConductivity(const SimpleMetParams& p, Real rho, Real Te, Real Ti) {
  const Real Ce = UncutHeatCap(p, rho, Te);
  const Real EF = p.EFcoef * p.rho23.Rho23(rho);
  const Real u = Hypot(electron::kBerg * Te, 0.4L * electron::ErgPerKJ * EF) /
                 electron::ElectronMass;  // [cm2/s2]
  const Real kappaPl = p.KappaPlCoef * Te * Te * std::sqrt(Te);
  const Real rhoCeU = rho * Ce * u;
  const Real nuPl = rhoCeU / kappaPl;
  Real nuEi;
  switch (ReducedPhase(p.phase, rho, Ti)) {
    case 0:
    case 1:
      nuEi = p.nuSolid * Ti;
      break;
    case 2:
    case 6: {
      const Real m = MixtureFraction(p.phase, rho, Ti);
      nuEi = m * p.nuSolid * Ti + (1 - m) * SimpleLiquidRate(p, Ti);
      break;
    }
    default:
      nuEi = SimpleLiquidRate(p, Ti);
  }
  const Real x13 = p.rho23.Rho13(rho) * p.invCbrtRho0;  // (rho/rho0)^(1/3)
  const Real nuEiWD = 1 / Hypot(1 / nuPl, x13 / nuEi);
  const Real TeV = Te * electron::kBeV;
  const Real invNuEe =
      x13 * x13 / (p.nus * TeV * TeV) + 1 / (p.nui * RationalPow<7, 25>(TeV) * RhoPow048(p, rho));
  const Real nuEeWD = 1 / Hypot(p.kzRatio / nuPl, invNuEe);
  return rhoCeU / (nuEiWD + nuEeWD);
}

}  // namespace tarvex
