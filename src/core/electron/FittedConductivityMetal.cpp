// The wrappers, the titanium model and the conductivity fit of the "Met_kab" page.
#include "core/electron/FittedConductivityMetal.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

// ---- wrappers --------------------------------------------------------------------------------

namespace {

// Where and how a wrapper evaluates the solid-state function: F(at) s + (dF/dTe-side) ds.
struct WrapPoint {
  bool zero = true;
  Real at = 0;  // the density F is called with
  Real s = 1;   // switch of thin liquid-gas states in Te
  Real ds = 0;  // ds/dTe [1/K]
};

WrapPoint Where(const MetEFParams& p, Real rho, Real Te) {
  WrapPoint w;
  w.zero = false;
  w.at = rho;
  if (p.RhoMd == 0) return w;
  if (rho <= p.RhoMd) {
    w.zero = true;
    return w;
  }
  const Real d = rho < p.RhoMd2 ? rho * SwitchS(rho / p.RhoMd) : rho;
  w.at = d;
  if (!FilmTabulated(p.phase) || Te >= p.TeC) return w;
  switch (ReducedPhase(p.phase, rho, Te)) {
    case 2:
    case 3:
      return w;
    case 4:
      // Below 2 rho_md the electrons of a liquid-gas mixture switch on with Te.
      if (rho < p.RhoMd2 && p.TeHalf > 0) {
        const Real y = Te / p.TeHalf;
        w.s = SwitchS(y);
        w.ds = 2 * SwitchSPrime(y) / p.TeHalf;
      }
      return w;
    case 5:
    case 6:
      w.zero = true;
      return w;
    default:
      w.at = rho;
      return w;
  }
}

}  // namespace

Real MetEFEnergy(const MetEFParams& p, Real rho, Real Te) {
  const WrapPoint w = Where(p, rho, Te);
  return w.zero ? 0 : w.s * p.SolidEe(w.at, Te);
}

Real MetEFHeatCap(const MetEFParams& p, Real rho, Real Te) {
  const WrapPoint w = Where(p, rho, Te);
  if (w.zero) return 0;
  Real Ce = w.s * p.SolidCe(w.at, Te);
  if (w.ds != 0) Ce += w.ds * p.SolidEe(w.at, Te);
  return Ce;
}

Real MetEFPressure(const MetEFParams& p, Real rho, Real Te) {
  const WrapPoint w = Where(p, rho, Te);
  return w.zero ? 0 : w.s * p.SolidPe(w.at, Te);
}

Real MetEFPressureDT(const MetEFParams& p, Real rho, Real Te) {
  if (!p.SolidPeDT) return PeFromEe(rho, MetEFHeatCap(p, rho, Te));
  const WrapPoint w = Where(p, rho, Te);
  if (w.zero) return 0;
  Real dP = w.s * p.SolidPeDT(w.at, Te);
  if (w.ds != 0) dP += w.ds * p.SolidPe(w.at, Te);
  return dP;
}

// ---- titanium ----------------------------------------------------------------------------------

namespace {

// The point of the Ti fit at the density d it is called with; false when d <= rho_md.
bool TiAt(const TiElParams& p, Real d, Real Te) {
  if (p.RhoMd > 0 && d <= p.RhoMd) return false;
  if (d == p.memo.d && Te == p.memo.Te) return true;
  TiElParams::Point& m = p.memo;
  const Real dd = (p.RhoMd > 0 && d < 2 * p.RhoMd) ? d * SwitchS(d / p.RhoMd) : d;
  // The inner switch leaves dd = 0 only at d = rho_md, excluded above.
  const Real dd23 = dd == d ? p.rho23.Rho23(d) : CubeRoot(dd * dd);
  m.dd = dd;
  m.x = dd * p.invRho00;
  m.x23 = dd23 * p.invRho0023;
  m.t = 6 * Te / (p.TFcoef * dd23);
  // The fitted powers come from one logarithm, each pair when first asked for.
  m.L = m.t > 0 ? static_cast<Real>(std::log(static_cast<double>(m.t))) : 0;
  m.haveE = m.haveP = false;
  m.tE1 = m.tE2 = m.tP1 = m.tP2 = 0;
  m.d = d;
  m.Te = Te;
  return true;
}

// The powers t^q1, t^q2 of one fit from the cached logarithm, when first asked for.
const TiElParams::Point& TiPowers(const TiElParams& p, bool TiElParams::Point::*have, Real q1,
                                  Real q2, Real TiElParams::Point::*t1,
                                  Real TiElParams::Point::*t2) {
  TiElParams::Point& m = p.memo;
  if (!(m.*have) && m.t > 0) {
    m.*t1 = FitExp(q1 * m.L);
    m.*t2 = FitExp(q2 * m.L);
  }
  m.*have = true;
  return m;
}

const TiElParams::Point& TiEnergyPowers(const TiElParams& p) {
  using P = TiElParams::Point;
  return TiPowers(p, &P::haveE, p.E1p, p.E2p, &P::tE1, &P::tE2);
}

const TiElParams::Point& TiPressurePowers(const TiElParams& p) {
  using P = TiElParams::Point;
  return TiPowers(p, &P::haveP, p.P1p, p.P2p, &P::tP1, &P::tP2);
}

// f(t) = t^2 (t^p + c1)/(t^q + c2) and t f'(t), with tp = t^p, tq = t^q.
struct Shape {
  Real f;
  Real tdf;
};

Shape RationalShape(Real t, Real tp, Real tq, Real p, Real q, Real c1, Real c2) {
  const Real num = tp + c1;
  const Real den = tq + c2;
  const Real f = t * t * num / den;
  // t f' = f (2 + p tp/num - q tq/den).
  return {f, f * (2 + p * tp / num - q * tq / den)};
}

// (1 - (rho_md/d)^2)^2: the pressure's own low-density factor.
Real TiPressureFactor(const TiElParams& p, Real d) {
  const Real r = p.RhoMd / d;
  const Real u = 1 - r * r;
  return u * u;
}

}  // namespace

Real TiSolidEe(const TiElParams& p, Real rho, Real Te) {
  if (!TiAt(p, rho, Te)) return 0;
  const auto& m = TiEnergyPowers(p);
  return p.E0 * m.x23 * RationalShape(m.t, m.tE1, m.tE2, p.E1p, p.E2p, p.E1, p.E2).f;
}

Real TiSolidCe(const TiElParams& p, Real rho, Real Te) {
  if (!TiAt(p, rho, Te) || !(Te > 0)) return 0;
  const auto& m = TiEnergyPowers(p);
  // t is proportional to Te: dEe/dTe = (t dEe/dt)/Te.
  return p.E0 * m.x23 * RationalShape(m.t, m.tE1, m.tE2, p.E1p, p.E2p, p.E1, p.E2).tdf / Te;
}

Real TiSolidPe(const TiElParams& p, Real rho, Real Te) {
  if (!TiAt(p, rho, Te)) return 0;
  const auto& m = TiPressurePowers(p);
  return p.P0 * m.x * m.x23 * TiPressureFactor(p, rho) *
         RationalShape(m.t, m.tP1, m.tP2, p.P1p, p.P2p, p.P1, p.P2).f;
}

Real TiSolidPeDT(const TiElParams& p, Real rho, Real Te) {
  if (!TiAt(p, rho, Te) || !(Te > 0)) return 0;
  const auto& m = TiPressurePowers(p);
  return p.P0 * m.x * m.x23 * TiPressureFactor(p, rho) *
         RationalShape(m.t, m.tP1, m.tP2, p.P1p, p.P2p, p.P1, p.P2).tdf / Te;
}

Real TiCoupling(const TiElParams& p, Real rho, Real Te) {
  // d' = rho sqrt(s): d'^(2/3) = rho^(2/3) s^(1/3).
  Real s = 1;
  if (p.RhoMd > 0 && rho < 2 * p.RhoMd) s = SwitchS(rho / p.RhoMd);
  // Without free electrons (s = 0) the d-band term vanishes with x'^(2/3) faster than
  // t'^(h1 - h2) grows: the limit is g0.
  if (!(s > 0) || !(Te > 0)) return p.g0 * p.couplingScale;
  const Real d23 = p.rho23.Rho23(rho) * (s == 1 ? 1 : CubeRoot(s));
  const Real t = 6 * Te / (p.TFcoef * d23);
  const Real L = std::log(static_cast<double>(t));
  const Real th1 = FitExp(p.h1 * L);
  const Real th2 = FitExp(p.h2 * L);
  return (p.g0 + p.g1 * th1 / (1 + p.g2 * th2) * d23 * p.invRho0023) * p.couplingScale;
}

// ---- conductivity ------------------------------------------------------------------------------

Real MetKabHeatCapShape(Real t, Real c1, Real c2, Real d, Real p) {
  return t * (1 + (c1 + c2 * t) * t) / (1 + d * FitPow(t, p));
}

MetKabReference MetKabReferencePoint(Real TFcoef, Real rho00, Real rhoRt, Real Tr, Real a, Real b,
                                     Real rhoLm, Real Tm, Real aml1, Real aml2, Real bml,
                                     Real pml) {
  MetKabReference r;
  r.xrt = rhoRt / rho00;
  r.yrt = ConductivityShape(r.xrt, a, (a - b) / (b + 1));
  r.trt = 6 * Tr / (TFcoef * std::cbrt(rhoRt * rhoRt));
  r.xlm = rhoLm / rho00;
  r.tlm = 6 * Tm / (TFcoef * std::cbrt(rhoLm * rhoLm));
  r.cvl = MetKabHeatCapShape(r.tlm, aml1, aml2, bml, pml);
  return r;
}

namespace {

const MetKabKappaParams::RhoValues& KappaRho(const MetKabKappaParams& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    const Real xk = rho * p.invRho00;
    p.rhoMemo.xk = xk;
    p.rhoMemo.tCoef = 6 / (p.TFcoef * p.rho23.Rho23(rho));
    p.rhoMemo.xy = xk * ConductivityShape(xk, p.a, p.cab);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo;
}

}  // namespace

Real MetKabConductivity(const MetKabKappaParams& p, Real rho, Real Te, Real Ti) {
  if (Te == 0) return 0;
  const int32_t code = ReducedPhase(p.phase, rho, Ti);
  if (code == 5 || code == 6) return 0;
  const bool belowMd = p.RhoMd > 0 && rho <= p.RhoMd;
  const Real Tmax = std::max(Ti, Te);
  if (belowMd && (code == 2 || code == 4 || (code != 3 && Tmax < p.TeC / 2))) return 0;
  const auto& r = KappaRho(p, rho);
  const Real t = r.tCoef * Te;
  const Real keem =
      p.k0e / r.xk * t * (1 + p.a1 * t) / (1 + p.b0 * std::sqrt(t) + (p.b1 + p.b2 * t) * t);
  const auto solidRes = [&] {  // 1/ksei [m K/W]
    return Ti / (p.k0sxrtTr * r.xy * MetKabHeatCapShape(t, p.am1, p.am2, p.bm, p.pm));
  };
  const auto liquidRes = [&] {  // 1/klei
    const Real kTi = (1 + p.al1 / Ti) / (1 + p.al2 / Ti);
    return 1 / (p.k0lxlm * r.xk * MetKabHeatCapShape(t, p.aml1, p.aml2, p.bml, p.pml) * kTi);
  };
  // The low-density factor of the melting and liquid-gas states.
  const auto lowDensity = [&](Real K) {
    if (rho >= p.RhoMd2 || p.RhoMd == 0) return K;
    return K * SwitchS(rho / p.RhoMd) * SwitchS(2 * Tmax / p.TeC);
  };
  switch (code) {
    case 2: {
      const Real m = MixtureFraction(p.phase, rho, Ti);
      return lowDensity(1e-5L / (keem + m * solidRes() + (1 - m) * liquidRes()));
    }
    case 3: {
      const Real K = 1e-5L / (keem + liquidRes());
      return (p.RhoMd > 0 && rho < p.RhoMd2) ? K * SwitchS(rho / p.RhoMd) : K;
    }
    case 4:
      return lowDensity(1e-5L / (keem + liquidRes()));
    default:
      return 1e-5L / (keem + solidRes());
  }
}

Real MetKabTransCoupling(const MetKabTransCouplingParams& p, Real, Real Te) {
  return p.CouplingConst * std::sqrt(std::sqrt(p.Tr / Te));
}

}  // namespace tarvex
