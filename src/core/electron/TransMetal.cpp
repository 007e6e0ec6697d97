// The transition-metal electron model.
#include "core/electron/TransMetal.h"

#include <cmath>

namespace tarvex {

namespace {

// Te^0.1 once per new temperature; Te^0.3 and Te^1.3 follow by multiplication.
Real TePow01(const TransMetParams& p, Real Te) {
  if (Te != p.teMemo.key) {
    p.teMemo.t01 = RationalPow<1, 10>(Te);
    p.teMemo.key = Te;
  }
  return p.teMemo.t01;
}

// (rho/rho0)^0.6.
Real RhoPow06(const TransMetParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    p.rhoMemo.x06 = RationalPow<3, 5>(rho * p.invRho0);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo.x06;
}

// Two heat-capacity terms in series, per volume: K S/(K + S) and its Te-derivative
// (K' S^2 + S' K^2)/(K + S)^2 from the terms and their derivatives.
struct TwoBand {
  Real KS = 0;   // [kJ/cm3]
  Real dKS = 0;  // [kJ/cm3/K]
};

TwoBand Series(Real K, Real dK, Real S, Real dS) {
  TwoBand b;
  const Real sum = K + S;
  if (!(sum > 0)) return b;
  b.KS = K * S / sum;
  b.dKS = (dK * S * S + dS * K * K) / (sum * sum);
  return b;
}

// The d band K = (gamma/2) Te^2 in series with the s band S = s0 Te^1.3.
TwoBand Bands(const TransMetParams& p, Real Te) {
  if (!(Te > 0)) return {};
  const Real t01 = TePow01(p, Te);
  const Real t03 = t01 * t01 * t01;
  return Series(0.5L * p.gammaV * Te * Te, p.gammaV * Te, p.s0 * Te * t03, p.s1 * t03);
}

// (r_a^-n + r_b^-n)^(-1/n) for n = 10 (solid) and n = 5 (liquid).
Real PowerMean10(Real ra, Real rb) {
  const Real qa = 1 / ra, qb = 1 / rb;
  const Real a2 = qa * qa, b2 = qb * qb;
  const Real a8 = a2 * a2 * a2 * a2, b8 = b2 * b2 * b2 * b2;
  return 1 / RationalPow<1, 10>(a8 * a2 + b8 * b2);
}

Real PowerMean5(Real ra, Real rb) {
  const Real qa = 1 / ra, qb = 1 / rb;
  const Real a2 = qa * qa, b2 = qb * qb;
  return 1 / RationalPow<1, 5>(a2 * a2 * qa + b2 * b2 * qb);
}

Real SolidRatio(const TransMetParams& p, Real Ti) {
  const Real rl = p.rl0 + (p.rl1 + p.rl2 * Ti) * Ti;
  const Real rh = p.rh0 + (p.rh1 + p.rh2 * Ti) * Ti;
  return PowerMean10(rl, rh);
}

Real LiquidRatio(const TransMetParams& p, Real Ti) {
  return PowerMean5(p.rll0 + p.rll1 * Ti, p.rhl);
}

}  // namespace

Real SolidEe(const TransMetParams& p, Real rho, Real Te) {
  return RhoPow06(p, rho) * Bands(p, Te).KS / rho;
}

Real SolidCe(const TransMetParams& p, Real rho, Real Te) {
  return RhoPow06(p, rho) * Bands(p, Te).dKS / rho;
}

// (rho/rho0)^1.1 = (rho/rho0)^0.6 (rho/rho0)^0.5.
Real SolidPe(const TransMetParams& p, Real rho, Real Te) {
  return 1.1L * RhoPow06(p, rho) * std::sqrt(rho * p.invRho0) * Bands(p, Te).KS;
}

Real SolidPeDT(const TransMetParams& p, Real rho, Real Te) {
  return 1.1L * RhoPow06(p, rho) * std::sqrt(rho * p.invRho0) * Bands(p, Te).dKS;
}

Real TransMetCoupling(const TransMetParams& p, Real, Real Te) {
  return p.CouplingConst / std::sqrt(std::sqrt(Te));
}

Real TransMetConductivity(const TransMetParams& p, Real rho, Real Te, Real Ti) {
  const Real t01 = TePow01(p, Te);
  const Real t03 = t01 * t01 * t01;
  // Heat capacity of the s electrons per volume: Ks = (gs/2) Te^2 in series with S.
  const Real csV =
      Series(0.5L * p.gs * Te * Te, p.gs * Te, p.s0 * Te * t03, p.s1 * t03).dKS * RhoPow06(p, rho);
  // Velocity term: (rho/rho0)^(5/6) = (rho/rho0)^(1/2) (rho/rho0)^(1/3).
  const Real x = rho * p.invRho0;
  const Real x56 = std::sqrt(x) * p.blend.feg.rho23.Rho13(rho) * p.invCbrtRho0;
  const Real v = p.v0 * x56 + p.vT * Te * std::sqrt(std::sqrt(Te));
  const Real vs2 = RationalPow<4, 5>(v) * 1e16L;  // [cm2/s2]
  // Collision rates [1/s].
  const Real nuSe = 1 / (1 / (p.ns * Te) + 1 / (p.nd * t01));
  Real r;
  switch (ReducedPhase(p.blend.phase, rho, Ti)) {
    case 0:
    case 1:
      r = SolidRatio(p, Ti);
      break;
    case 2:
    case 6: {
      const Real m = MixtureFraction(p.blend.phase, rho, Ti);
      r = m * SolidRatio(p, Ti) + (1 - m) * LiquidRatio(p, Ti);
      break;
    }
    default:
      r = LiquidRatio(p, Ti);
  }
  const Real kappaS = csV * (vs2 / 3) / (nuSe + p.nuR * r);
  return Harmonic(PlasmaKappa(p.blend.feg, Te), kappaS);
}

}  // namespace tarvex
