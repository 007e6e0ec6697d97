// The gold electron models.
#include "core/electron/NobleMetal.h"

#include <cmath>

#include "core/electron/ElectronConstants.h"

namespace tarvex {

using electron::Hbar;
using electron::kBeV;
using electron::Pi;

namespace {

constexpr Real kOnset = 3500;                   // d-band onset [K]
constexpr Real kWidth = 700;                    // its width [K]
constexpr Real kDfCoef = 0.4L / (kWidth * Pi);  // 0.2 (2/pi)/700 [1/K]

// f(tn) of the last temperature asked for.
Real AuShape(const AuParams& p, Real Te) {
  if (Te != p.teMemo.key) {
    const Real tn = (2 / Pi) * std::atan((Te - kOnset) / kWidth);
    p.teMemo.f = 0.5L * (1 - tn) + 0.7L * (1 + tn);
    p.teMemo.key = Te;
  }
  return p.teMemo.f;
}

// (rho/rho0)^1.3.
Real RhoPow13(const AuParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    p.rhoMemo.x13 = RationalPow<13, 10>(rho * p.invRho0);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo.x13;
}

// The collision frequency of the conductivity and its temperature scales.
Real AuEffectiveRate(const AuParams& p, Real rho, Real Te, Real Ti, Real EF, Real TF) {
  const Real G = AuCoupling(p, rho, Te);
  const Real EFh = EF / Hbar;  // [1/s]
  const Real tau = Te / TF;
  Real nu = p.nuSolCoef * Ti * G + p.beta * EFh * tau * tau;
  switch (ReducedPhase(p.phase, rho, Ti)) {
    case 3:
    case 4:
    case 5:
      nu += p.nuDl0 + p.nuDl1 * Ti;
      break;
    case 2:
    case 6:
      // Melting: the liquid rate enters with the liquid fraction 1 - m.
      nu += (1 - MixtureFraction(p.phase, rho, Ti)) * (p.nuDl0 + p.nuDl1 * Ti);
      break;
    default:
      break;
  }
  const Real nuDeg = nu / RhoPow13(p, rho);
  const Real nuPl = EFh / (tau * std::sqrt(tau));
  return 1 / Hypot(1 / nuDeg, 1 / nuPl);
}

}  // namespace

Real AuEnergy(const AuParams& p, Real, Real Te) {
  return kAuGammaCoef * Te * Te * AuShape(p, Te);
}

Real AuHeatCap(const AuParams& p, Real, Real Te) {
  const Real u = (Te - kOnset) / kWidth;
  return kAuGammaCoef * (kDfCoef * Te * Te / (1 + u * u) + 2 * Te * AuShape(p, Te));
}

Real AuPressure(const AuParams& p, Real rho, Real Te) {
  return FegPressure(p.feg, rho, Te);
}

Real AuPressureDT(const AuParams& p, Real rho, Real Te) {
  return FegPressureDT(p.feg, rho, Te);
}

Real AuCoupling(const AuParams& p, Real, Real Te) {
  if (Te != p.gMemo.key) {
    p.gMemo.G = (0.2L + p.kalCoef * DBandCouplingShape(Te * kBeV)) * p.couplingScale;
    p.gMemo.key = Te;
  }
  return p.gMemo.G;
}

Real AuConductivity(const AuParams& p, Real rho, Real Te, Real Ti) {
  const Real EF = FegFermiEnergy(p.feg, rho);
  const Real TF = FegFermiTemperature(p.feg, rho);
  const Real nuEff = AuEffectiveRate(p, rho, Te, Ti, EF, TF);
  return rho * AuHeatCap(p, rho, Te) * VelocityTerm(Te, EF) / nuEff;
}

void SetAuRates(AuParams& p, Real rho0, Real kal, Real nu0) {
  p.invRho0 = 1 / rho0;
  p.couplingScale = 1e8L / rho0;
  p.kalCoef = 4.3L / kal;
  p.gMemo.key = kNoKey;
  const Real G300 = AuCoupling(p, rho0, 300);
  p.nuSolCoef = nu0 / (300 * G300);
}

// ---- NAu -------------------------------------------------------------------------------

namespace {

const NAuParams::TePowers& NAuTe(const NAuParams& p, Real Te) {
  if (Te != p.teMemo.key) {
    const Real TeV = Te * kBeV;
    const Real L = std::log(TeV);
    p.teMemo.TeV = TeV;
    p.teMemo.pE = std::exp(p.kE * L);
    p.teMemo.pP = std::exp(p.kP * L);
    p.teMemo.key = Te;
  }
  return p.teMemo;
}

const NAuParams::RhoPowers& NAuRho(const NAuParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    const Real x = rho * p.invRho0;
    const Real L = std::log(x);
    p.rhoMemo.x = x;
    p.rhoMemo.zE =
        p.z0E + (1 - p.z0E - p.z2E) * std::exp(-p.m1E * L) + p.z2E * std::exp(-p.m2E * L);
    p.rhoMemo.zP = p.z0P + (1 - p.z0P - p.z2P) * std::exp(p.m1P * L) + p.z2P * std::exp(p.m2P * L);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo;
}

// A harmonic sum y = A B/(A + B) of two branches and dy/dTe from their derivatives.
struct Branches {
  Real A = 0, B = 0, dA = 0, dB = 0;  // values and d/dTeV
};

Branches EnergyBranches(const NAuParams& p, Real rho, Real Te) {
  const auto& t = NAuTe(p, Te);
  const auto& r = NAuRho(p, rho);
  const Real T = t.TeV, T2 = T * T;
  const Real c2 = p.a2E / r.x, c4 = p.a4E / (r.x * r.x * r.x);
  Branches b;
  b.A = (c2 + c4 * T2) * T2;
  b.dA = (2 * c2 + 4 * c4 * T2) * T;
  b.B = p.akE * T * t.pE * r.zE;
  b.dB = (1 + p.kE) * p.akE * t.pE * r.zE;
  return b;
}

Branches PressureBranches(const NAuParams& p, Real rho, Real Te) {
  const auto& t = NAuTe(p, Te);
  const auto& r = NAuRho(p, rho);
  const Real T = t.TeV, T2 = T * T;
  const Real c4 = p.a4P / (r.x * r.x);
  Branches b;
  b.A = (p.a2P + c4 * T2) * T2;
  b.dA = (2 * p.a2P + 4 * c4 * T2) * T;
  b.B = p.akP * r.x * T * t.pP * r.zP;
  b.dB = (1 + p.kP) * p.akP * r.x * t.pP * r.zP;
  return b;
}

Real HarmonicSum(const Branches& b) {
  const Real s = b.A + b.B;
  return s > 0 ? b.A * b.B / s : 0;
}

// d/dTeV of A B/(A + B) = (A' B^2 + B' A^2)/(A + B)^2.
Real HarmonicSumDerivative(const Branches& b) {
  const Real s = b.A + b.B;
  return s > 0 ? (b.dA * b.B * b.B + b.dB * b.A * b.A) / (s * s) : 0;
}

}  // namespace

Real NAuEnergy(const NAuParams& p, Real rho, Real Te) {
  if (!(Te > 0)) return 0;
  return p.at * HarmonicSum(EnergyBranches(p, rho, Te));
}

Real NAuHeatCap(const NAuParams& p, Real rho, Real Te) {
  if (!(Te > 0)) return 0;
  return p.at * kBeV * HarmonicSumDerivative(EnergyBranches(p, rho, Te));
}

Real NAuPressure(const NAuParams& p, Real rho, Real Te) {
  if (!(Te > 0)) return 0;
  return 0.1L * HarmonicSum(PressureBranches(p, rho, Te));
}

Real NAuPressureDT(const NAuParams& p, Real rho, Real Te) {
  if (!(Te > 0)) return 0;
  return 0.1L * kBeV * HarmonicSumDerivative(PressureBranches(p, rho, Te));
}

Real NAuCoupling(const NAuParams& p, Real rho, Real Te) {
  return AuCoupling(p.au, rho, Te);
}

Real NAuConductivity(const NAuParams& p, Real rho, Real Te, Real Ti) {
  return AuConductivity(p.au, rho, Te, Ti);
}

}  // namespace tarvex
