// The phase-aware water and LiF equations of state: phases, functions, inverses.
#include "core/eos/WaterLiF.h"

#include <algorithm>
#include <cmath>

#include "core/eos/EosMath.h"
#include "core/eos/MonotoneNewton.h"
#include "core/eos/SimpleModels.h"

namespace tarvex {

using eosmath::ExpR;
using eosmath::LogR;

namespace {

// y^(h/2) for a small integer h: integer powers and one square root, no logarithm.
Real PowHalf(Real y, int32_t h) {
  const int32_t a = h < 0 ? -h : h;
  Real r = 1;
  Real base = y;
  for (int32_t n = a / 2; n > 0; n >>= 1) {
    if (n & 1) r *= base;
    base *= base;
  }
  if (a & 1) r *= std::sqrt(y);
  return h < 0 ? 1 / r : r;
}

// 2 pe when pe is a nonzero multiple of 1/2 up to 8 in magnitude (then (x/re)^pe is an
// exact rational form), else 0.
int32_t HalfIntegerExponent(Real pe) {
  const Real h = 2 * pe;
  if (h == 0 || std::fabs(h) > 16 || h != std::nearbyint(h)) return 0;
  return static_cast<int32_t>(h);
}

}  // namespace

// =======================================================================================
// "Water2MG"
// =======================================================================================

namespace {

// Cold part and G at x, with their x-derivatives when asked.
struct WaterCold {
  Real P0 = 0, E0 = 0, G = 0;
  Real dP0 = 0, dG = 0;
};

// (x/re)^pe and its exponential term e^-(x/re)^pe.
inline Real WaterGz(Real x, Real L, Real lnRe, Real re, Real pe, int32_t half) {
  return half != 0 ? PowHalf(x / re, half) : ExpR(pe * (L - lnRe));
}

// G (four exponentials) only when asked: the energy needs E0 and P0 alone.
enum class WaterParts { Cold, WithG, WithDerivatives };

WaterCold WaterColdAt(const Water2MGParams& p, Real x, WaterParts parts) {
  WaterCold c;
  if (!(x > 0)) {  // x -> 0+: the vapour density of T <= 0; P0 and G are 0
    c.E0 = p.EA - p.EK;
    return c;
  }
  const Real L = LogR(x);
  const Real xmb = ExpR(-p.bet * L);  // x^-bet
  const Real ex = ExpR(p.b * (1 - xmb));
  const Real xk = ExpR(p.ksi * L);  // x^ksi
  c.P0 = p.A * xmb * ex - p.K * xk;
  c.E0 = p.EA * (ex + 1) - p.EK * (xk + 1);
  if (parts == WaterParts::Cold) return c;
  const Real z0 = WaterGz(x, L, p.lnRe0, p.re0, p.pe0, p.halfPe0);
  const Real z1 = WaterGz(x, L, p.lnRe1, p.re1, p.pe1, p.halfPe1);
  const Real z2 = WaterGz(x, L, p.lnRe2, p.re2, p.pe2, p.halfPe2);
  const Real g0 = (1 - p.a0) * ExpR(-z0);
  const Real g1 = p.a1 * ExpR(-z1);
  const Real g2 = p.a2 * ExpR(-z2);
  c.G = p.Gs * (p.a0 + g0 + g1 + g2);
  if (parts == WaterParts::WithDerivatives) {
    c.dP0 = p.A * p.bet * xmb / x * ex * (p.b * xmb - 1) - p.K * p.ksi * xk / x;
    c.dG = -p.Gs / x * (g0 * p.pe0 * z0 + g1 * p.pe1 * z1 + g2 * p.pe2 * z2);
  }
  return c;
}

// Ps(rho, T) = x (P0 + T G) from the cold part at x.
inline Real WaterPs(Real x, const WaterCold& c, Real T) {
  return x * (c.P0 + T * c.G);
}
// dPs/drho at constant T.
inline Real WaterPsRho(const Water2MGParams& p, Real x, const WaterCold& c, Real T) {
  return (c.P0 + T * c.G + x * (c.dP0 + T * c.dG)) * p.invRho0;
}

// A saturation density and its T-derivative.
struct WaterSat {
  Real rho = 0;
  Real dRho = 0;  // g/cm3/K
};

// rho_l(T) = rho_c (1 + (1 - tau^lw)^(1/lw) Sl(tau)) for 0 < T < Tc; lt = ln tau.
WaterSat WaterLiquidSat(const Water2MGParams& p, Real T, Real lt, bool deriv) {
  const Real tau = T * p.invTc;
  const Real tl = ExpR(p.lw * lt);
  const Real Q = ExpR(LogR(1 - tl) * p.invLw);
  const Real sq = std::sqrt(tau);
  const Real Sl =
      p.bl0 * sq + tau * (p.bl1 + tau * (p.bl2 + tau * (p.bl3 + tau * (p.bl4 + tau * p.bl5))));
  WaterSat s{p.rho_c * (1 + Q * Sl), 0};
  if (deriv) {
    const Real dQ = -Q * tl / (tau * (1 - tl));
    const Real dSl = p.bl0 / (2 * sq) + p.bl1 +
                     tau * (2 * p.bl2 + tau * (3 * p.bl3 + tau * (4 * p.bl4 + tau * 5 * p.bl5)));
    s.dRho = p.rho_c * (dQ * Sl + Q * dSl) * p.invTc;
  }
  return s;
}

// rho_g(T) = rho_c (1 - (1 - tau^pgb)^(1/pgb)) exp(bz0 t^(1/2) + bz1 t + bz2 t^2 - az0 t/tau),
// t = 1 - tau, for 0 < T < Tc.
WaterSat WaterGasSat(const Water2MGParams& p, Real T, Real lt, bool deriv) {
  const Real tau = T * p.invTc;
  const Real t = 1 - tau;
  const Real tg = ExpR(p.pgb * lt);
  const Real Qg = ExpR(LogR(1 - tg) * p.invPgb);
  const Real H = 1 - Qg;
  const Real st = std::sqrt(t);
  const Real Z = p.bz0 * st + t * (p.bz1 + t * p.bz2) - p.az0 * t / tau;
  WaterSat s{p.rho_c * H * ExpR(Z), 0};
  if (deriv) {
    const Real dH = Qg * tg / (tau * (1 - tg));
    const Real dZ = -p.bz0 / (2 * st) - p.bz1 - 2 * p.bz2 * t + p.az0 / (tau * tau);
    s.dRho = s.rho * (dH / H + dZ) * p.invTc;
  }
  return s;
}

// The phase of (rho, T) with what its functions need.
struct WaterEval {
  PhaseCode code = 0;
  WaterSat g, l;          // saturation densities (those the phase test computed)
  Real w = 0;             // liquid mass fraction in phase 4
  bool wClamped = false;  // w limited to 1 (dense side)
  bool haveCold = false;  // the phase test evaluated the cold part at rho (with G)
  WaterCold cold;
};

WaterEval WaterEvaluate(const Water2MGParams& p, Real rho, Real T, bool deriv) {
  WaterEval e;
  if (T >= p.Tc) return e;  // supercritical fluid: code 0
  // Below T = 0 the fits end: rho_l = rho_c, rho_g = 0 (their limits at T -> 0+).
  const bool cold = !(T > 0);
  const Real lt = cold ? 0 : LogR(T * p.invTc);
  auto gas = [&] { return cold ? WaterSat{} : WaterGasSat(p, T, lt, deriv); };
  auto liquid = [&] { return cold ? WaterSat{p.rho_c, 0} : WaterLiquidSat(p, T, lt, deriv); };
  if (rho < p.rho_c) {
    e.g = gas();
    if (rho <= e.g.rho) {
      e.code = kPhaseGas;
      return e;
    }
    e.l = liquid();
    const Real d = 1 - e.g.rho / e.l.rho;
    if (d <= 0) {
      e.code = -kPhaseGas;
      return e;
    }
    e.w = (1 - e.g.rho / rho) / d;
    e.code = kPhaseLiquidGas;
    return e;
  }
  if (p.meta) {
    e.code = kPhaseLiquid;
    return e;
  }
  e.l = liquid();
  if (rho >= Real(1.01) * e.l.rho) {
    e.code = kPhaseLiquid;
    return e;
  }
  e.g = gas();
  if (rho >= e.l.rho) {
    // In the 1 % band above the saturated liquid: liquid when its own pressure reaches
    // the saturation pressure.
    const Real x = rho * p.invRho0;
    const Real xg = e.g.rho * p.invRho0;
    e.cold = WaterColdAt(p, x, WaterParts::WithG);
    e.haveCold = true;
    if (WaterPs(x, e.cold, T) >= WaterPs(xg, WaterColdAt(p, xg, WaterParts::WithG), T)) {
      e.code = kPhaseLiquid;
      return e;
    }
  }
  const Real d = 1 - e.g.rho / e.l.rho;
  if (d <= 0) {
    e.code = -kPhaseLiquid;
    return e;
  }
  const Real w = (1 - e.g.rho / rho) / d;
  e.wClamped = w >= 1;
  e.w = e.wClamped ? 1 : w;
  e.code = kPhaseLiquidGas;
  return e;
}

// E and Cv (exact dE/dT) at (rho, T).
void WaterECv(const Water2MGParams& p, Real rho, Real T, bool withCv, Real& E, Real& Cv) {
  const WaterEval e = WaterEvaluate(p, rho, T, withCv);
  if (e.code == kPhaseLiquidGas) {
    const Real xg = e.g.rho * p.invRho0;
    const Real xl = e.l.rho * p.invRho0;
    const WaterCold cg = WaterColdAt(p, xg, WaterParts::Cold);
    const WaterCold cl = WaterColdAt(p, xl, WaterParts::Cold);
    const Real Eg = cg.E0 + p.Cvg * T;
    const Real El = cl.E0 + p.Cvl * T + p.e_l;
    E = (1 - e.w) * Eg + e.w * El;
    if (!withCv) return;
    // dE0/drho = x P0/rho^2 (the cold pressure over rho^2)
    const Real dEg = (e.g.rho > 0 ? xg * cg.P0 / (e.g.rho * e.g.rho) * e.g.dRho : 0) + p.Cvg;
    const Real dEl = xl * cl.P0 / (e.l.rho * e.l.rho) * e.l.dRho + p.Cvl;
    Real dw = 0;
    if (!e.wClamped) {
      const Real N = 1 - e.g.rho / rho;
      const Real D = 1 - e.g.rho / e.l.rho;
      const Real dN = -e.g.dRho / rho;
      const Real dD = -e.g.dRho / e.l.rho + e.g.rho * e.l.dRho / (e.l.rho * e.l.rho);
      dw = (dN * D - N * dD) / (D * D);
    }
    Cv = (1 - e.w) * dEg + e.w * dEl + (El - Eg) * dw;
    return;
  }
  const Real E0 = e.haveCold ? e.cold.E0 : WaterColdAt(p, rho * p.invRho0, WaterParts::Cold).E0;
  if (e.code == kPhaseLiquid) {
    E = E0 + p.Cvl * T + p.e_l;
    Cv = p.Cvl;
  } else if (e.code == kPhaseGas) {
    E = E0 + p.Cvg * T;
    Cv = p.Cvg;
  } else {
    E = E0 + p.Cvf * T + p.e_f;
    Cv = p.Cvf;
  }
}

// P and dP/dT (exact) at (rho, T).
void WaterPdPdT(const Water2MGParams& p, Real rho, Real T, bool withD, Real& P, Real& dPdT) {
  const WaterEval e = WaterEvaluate(p, rho, T, withD);
  if (e.code == kPhaseLiquidGas) {
    // The saturation pressure Ps(rho_g(T), T) and its total T-derivative.
    const Real xg = e.g.rho * p.invRho0;
    const WaterCold cg =
        WaterColdAt(p, xg, withD ? WaterParts::WithDerivatives : WaterParts::WithG);
    P = WaterPs(xg, cg, T);
    if (withD) dPdT = xg * cg.G + WaterPsRho(p, xg, cg, T) * e.g.dRho;
    return;
  }
  const Real x = rho * p.invRho0;
  const WaterCold c = e.haveCold ? e.cold : WaterColdAt(p, x, WaterParts::WithG);
  P = WaterPs(x, c, T);
  dPdT = x * c.G;
}

}  // namespace

WaterPhaseState Water2MGPhase(const Water2MGParams& p, Real rho, Real T) {
  const WaterEval e = WaterEvaluate(p, rho, T, false);
  return {e.code, e.g.rho, e.l.rho, e.w};
}

Real Water2MGLiquidDensity(const Water2MGParams& p, Real T) {
  if (T >= p.Tc) return p.rho_c;
  if (!(T > 0)) return p.rho_c;
  return WaterLiquidSat(p, T, LogR(T * p.invTc), false).rho;
}

Real Water2MGGasDensity(const Water2MGParams& p, Real T) {
  if (T >= p.Tc) return p.rho_c;
  if (!(T > 0)) return 0;
  return WaterGasSat(p, T, LogR(T * p.invTc), false).rho;
}

Real Water2MGSinglePhaseP(const Water2MGParams& p, Real rho, Real T) {
  const Real x = rho * p.invRho0;
  return WaterPs(x, WaterColdAt(p, x, WaterParts::WithG), T);
}

Real Water2MGE(const Water2MGParams& p, Real rho, Real T) {
  Real E, Cv;
  WaterECv(p, rho, T, false, E, Cv);
  return E;
}
Real Water2MGCv(const Water2MGParams& p, Real rho, Real T) {
  Real E, Cv;
  WaterECv(p, rho, T, true, E, Cv);
  return Cv;
}
Real Water2MGP(const Water2MGParams& p, Real rho, Real T) {
  Real P, D;
  WaterPdPdT(p, rho, T, false, P, D);
  return P;
}
Real Water2MGdPdT(const Water2MGParams& p, Real rho, Real T) {
  Real P, D;
  WaterPdPdT(p, rho, T, true, P, D);
  return D;
}

// The saturation fits hold above the triple point; below it rho_l(T) falls back towards
// rho_c and E(T) need not increase. The inverses therefore seek T above Tfloor and
// continue below it linearly with the heat capacity (dP/dT) there; a temperature below 0
// gives 0.
namespace {
template <class FD>
Real WaterInverse(const Water2MGParams& p, Real y, Real T0, FD fd) {
  const Real T = IncreasingRoot(std::max(T0, p.Tfloor), y, fd, p.Tfloor);
  if (T > p.Tfloor * (1 + Real(1e-12))) return T;
  // The root lies at or below the floor (the iteration closed in on it from above).
  Real F, D;
  fd(p.Tfloor, F, D);
  return std::max(Real(0), p.Tfloor + (y - F) / D);
}
}  // namespace

// Start: the single-phase temperature of the fluid when E is above its range, else of
// the gas (rho <= rho_c) or of the liquid; then Newton on E with the exact Cv (latent
// heat included).
Real Water2MGTofE(const Water2MGParams& p, Real rho, Real E) {
  const Real c = E - WaterColdAt(p, rho * p.invRho0, WaterParts::Cold).E0;
  Real T0;
  if (c > p.e_f) {
    T0 = (c - p.e_f) / p.Cvf;
  } else if (rho <= p.rho_c) {
    T0 = c / p.Cvg;
  } else {
    T0 = (c - p.e_l) / p.Cvl;
  }
  return WaterInverse(p, E, T0,
                      [&p, rho](Real t, Real& F, Real& D) { WaterECv(p, rho, t, true, F, D); });
}

// Start: the single-phase temperature; it is the answer unless the state there is in the
// coexistence region. Otherwise Newton on P with the exact dP/dT from the temperature of
// the vapour branch at the saturated vapour density.
Real Water2MGTofP(const Water2MGParams& p, Real rho, Real P) {
  const Real x = rho * p.invRho0;
  const WaterCold c = WaterColdAt(p, x, WaterParts::WithG);
  const Real T0 = (P / x - c.P0) / c.G;
  if (T0 >= p.Tfloor && WaterEvaluate(p, rho, T0, false).code != kPhaseLiquidGas) return T0;
  Real T1 = T0;
  if (T0 > p.Tfloor && T0 < p.Tc) {
    const Real xg = Water2MGGasDensity(p, T0) * p.invRho0;
    const WaterCold cg = WaterColdAt(p, xg, WaterParts::WithG);
    T1 = (P / xg - cg.P0) / cg.G;
    if (!(T1 > p.Tfloor && T1 < p.Tc)) T1 = T0;
  }
  return WaterInverse(p, P, T1,
                      [&p, rho](Real t, Real& F, Real& D) { WaterPdPdT(p, rho, t, true, F, D); });
}

// The liquid conductivity kL = ak t exp(-(bk t + ck t^2 + dk t^4 + hk t^6)), t = T/1000 K,
// drops in proportion to the pressure below p0k; the gas one is
// kG = k0 sqrt(T/T0k)/(1 + T0k/T); kappa = (kL^sk + kG^sk)^(1/sk) 1e-8, evaluated in
// logarithms (no powl, no overflow of kL^sk).
Real Water2MGKappa(const Water2MGParams& p, Real rho, Real T) {
  constexpr Real sk = 11.232233542986197L;
  const WaterEval e = WaterEvaluate(p, rho, T, false);
  Real Pk;
  if (e.code == kPhaseLiquid) {
    Pk = p.p0k;
    if (p.meta && T < p.Tc && Water2MGLiquidDensity(p, T) > rho) {
      const Real xg = Water2MGGasDensity(p, T) * p.invRho0;
      Pk = WaterPs(xg, WaterColdAt(p, xg, WaterParts::WithG), T);  // stretched metastable liquid
    }
  } else if (e.code == kPhaseLiquidGas) {
    const Real xg = e.g.rho * p.invRho0;
    Pk = WaterPs(xg, WaterColdAt(p, xg, WaterParts::WithG), T);
  } else {
    Pk = Water2MGSinglePhaseP(p, rho, T);
  }
  const Real lnT = LogR(T);  // T <= 0: fault seen by the FpGuard
  const Real t = T * Real(0.001);
  const Real lnKG = p.lnK0 + Real(0.5) * (lnT - p.lnT0k) - LogR(1 + p.T0k / T);
  if (Pk <= 0) return Real(1e-8) * ExpR(lnKG);  // no liquid conduction without pressure
  Real lnKL = p.lnAk + lnT - 6.907755278982137052L /* ln 1000 */ -
              t * (p.bk + t * (p.ck + t * t * (p.dk + t * t * p.hk)));
  if (Pk < p.p0k) lnKL += LogR(Pk * p.invP0k);
  const Real hi = std::max(lnKL, lnKG);
  const Real lo = std::min(lnKL, lnKG);
  return Real(1e-8) * ExpR(hi + LogR(1 + ExpR(sk * (lo - hi))) / sk);
}

int32_t Water2MGPhaseId(const Water2MGParams& p, Real rho, Real T) {
  return WaterEvaluate(p, rho, T, false).code;
}

int32_t Water2MGPhaseColor(const Water2MGParams& p, Real rho, Real T) {
  const PhaseCode c = WaterEvaluate(p, rho, T, false).code;
  switch (c < 0 ? -c : c) {
    case kPhaseLiquid:
      return 0xFF80C0;
    case kPhaseLiquidGas:
      return 0xC08080;
    case kPhaseGas:
      return 0xFFC000;
    default:
      return 0xFFC0C0;
  }
}

bool Water2MGHasVapour(const Water2MGParams& p, Real rho, Real T) {
  return WaterEvaluate(p, rho, T, false).code != kPhaseLiquid;
}

Real Water2MGLiquidFraction(const Water2MGParams& p, Real rho, Real T) {
  const WaterEval e = WaterEvaluate(p, rho, T, false);
  if (e.code == kPhaseLiquid || e.code == -kPhaseLiquid) return 1;
  if (e.code == kPhaseLiquidGas) return e.w;
  return 0;  // gas, supercritical fluid
}

EosBindResult PrepareWater2MG(Water2MGParams& p) {
  if (!(p.Meta == 0 || p.Meta == 1))
    return EosBindResult::Fail("CheckMeta", "CheckMeta must be 0 or 1");
  if (!(p.rho0 > 0)) return EosBindResult::Fail("rho0Edit", "rho0 must be positive");
  if (!(p.Tc > 0)) return EosBindResult::Fail("TcEdit", "Tc must be positive");
  if (!(p.rho_c > 0)) return EosBindResult::Fail("rhocEdit", "rho_c must be positive");
  if (!(p.lw > 0)) return EosBindResult::Fail("lwEdit", "lw must be positive");
  if (!(p.pgb > 0)) return EosBindResult::Fail("pgbEdit", "pgb must be positive");
  if (p.bet == 0 || p.b == 0)
    return EosBindResult::Fail(p.bet == 0 ? "betEdit" : "bEdit", "must not be 0");
  if (p.ksi == 0) return EosBindResult::Fail("ksiEdit", "ksi must not be 0");
  if (!(p.m_at > 0)) return EosBindResult::Fail("matEdit", "the molar mass must be positive");
  if (!(p.re0 > 0 && p.re1 > 0 && p.re2 > 0)) {
    return EosBindResult::Fail(!(p.re0 > 0)   ? "re0Edit"
                               : !(p.re1 > 0) ? "re1Edit"
                                              : "re2Edit",
                               "re0, re1, re2 must be positive");
  }
  if (!(p.Cvl > 0 && p.Cvg > 0 && p.Cvf > 0)) {
    return EosBindResult::Fail(!(p.Cvl > 0)   ? "CvlEdit"
                               : !(p.Cvg > 0) ? "CvgEdit"
                                              : "CvfEdit",
                               "the heat capacities must be positive");
  }
  if (!(p.p0k > 0)) return EosBindResult::Fail("p0kEdit", "p0k must be positive");
  if (!(p.ak > 0 && p.k0 > 0 && p.T0k > 0)) {
    return EosBindResult::Fail(!(p.ak > 0)   ? "akEdit"
                               : !(p.k0 > 0) ? "k0Edit"
                                             : "T0kEdit",
                               "ak, k0 and T0k must be positive");
  }
  p.invRho0 = 1 / p.rho0;
  p.EA = p.A / (p.bet * p.b * p.rho0);
  p.EK = p.K / (p.ksi * p.rho0);
  p.Gs = p.rho0 * kRgas / p.m_at;
  p.lnRe0 = std::log(p.re0);
  p.lnRe1 = std::log(p.re1);
  p.lnRe2 = std::log(p.re2);
  p.halfPe0 = HalfIntegerExponent(p.pe0);
  p.halfPe1 = HalfIntegerExponent(p.pe1);
  p.halfPe2 = HalfIntegerExponent(p.pe2);
  p.bl5 = 1 - (p.bl0 + p.bl1 + p.bl2 + p.bl3 + p.bl4);
  p.invLw = 1 / p.lw;
  p.invPgb = 1 / p.pgb;
  p.invTc = 1 / p.Tc;
  p.Tfloor = Real(0.422) * p.Tc;  // the triple point of water, 273.16 K = 0.422 Tc
  p.e_l = (p.Cvg - p.Cvl) * p.Tc;
  p.e_f = (p.Cvg - p.Cvf) * p.Tc;
  p.meta = p.Meta == 1;
  p.lnAk = std::log(p.ak);
  p.lnK0 = std::log(p.k0);
  p.lnT0k = std::log(p.T0k);
  p.invP0k = 1 / p.p0k;
  return EosBindResult::Ok();
}

// =======================================================================================
// "LiF"
// =======================================================================================

namespace {

// One branch at x, with x-derivatives when asked.
struct LiFBranchValues {
  Real Pc = 0, PT = 0, Ec = 0;
  Real dPc = 0, dPT = 0, dEc = 0;
};

LiFBranchValues LiFBranchAt(const LiFBranch& br, Real x, bool deriv) {
  const Real L = LogR(x);  // x <= 0: fault seen by the FpGuard
  const Real xa = ExpR(br.a * L);
  const Real xb = ExpR(br.b * L);
  const Real den = 1 / (1 + br.b2 * x * x);
  const Real q = (br.a0 + br.a1 * x) * den;
  LiFBranchValues v;
  v.Pc = br.P00 * x * (br.ra * xa - br.rb * xb);
  v.PT = br.P0T * x * (q + br.CG);
  v.Ec = br.E00 * (br.ra * xa * br.invA - br.rb * xb * br.invB);
  if (deriv) {
    v.dPc = br.P00 * (br.ra * (br.a + 1) * xa - br.rb * (br.b + 1) * xb);
    v.dPT = br.P0T * (q + br.CG + x * (br.a1 - (br.a0 + br.a1 * x) * 2 * br.b2 * x * den) * den);
    v.dEc = br.E00 * (br.ra * xa - br.rb * xb) / x;
  }
  return v;
}

// xs(T), xl(T) and their T-derivatives.
struct LiFCurves {
  Real xs, xl, dxs, dxl;
};
inline LiFCurves LiFCurvesAt(const LiFParams& p, Real T) {
  const Real t1s = T * p.invT0s - 1;
  const Real S = std::sqrt(t1s * t1s + p.cts);
  const Real t = T * p.invT0l - 1;
  return {p.x0s + p.x1s * S, p.x0l + t * t * (p.x2l + t * (p.x3l + t * p.x4l)),
          p.x1s * t1s / S * p.invT0s, t * (2 * p.x2l + t * (3 * p.x3l + 4 * p.x4l * t)) * p.invT0l};
}

inline PhaseCode LiFCode(const LiFParams& p, Real x, Real T, const LiFCurves& c) {
  if (x >= c.xs) return kPhaseSolid;
  if (x > c.xl) return kPhaseSolidLiquid;
  if (x < p.x0l) {
    const LiFBranchValues l = LiFBranchAt(p.liquid, x, false);
    if (l.Pc + T * l.PT > 0) return kPhaseGas;
  }
  return kPhaseLiquid;
}

// E and Cv (the exact dE/dT: C outside the melting band, with the latent heat inside).
void LiFECv(const LiFParams& p, Real rho, Real T, bool withCv, Real& E, Real& Cv) {
  const Real x = rho * p.invRho0;
  const LiFCurves c = LiFCurvesAt(p, T);
  Cv = p.C;
  if (x >= c.xs) {
    E = LiFBranchAt(p.solid, x, false).Ec + p.C * T;
  } else if (x <= c.xl) {
    E = LiFBranchAt(p.liquid, x, false).Ec + p.C * T;
  } else {
    // Linear in x between the liquid at xl and the solid at xs.
    const LiFBranchValues l = LiFBranchAt(p.liquid, c.xl, withCv);
    const Real span = c.xs - c.xl;
    const LiFBranchValues s = LiFBranchAt(p.solid, c.xs, withCv);
    const Real phi = (x - c.xl) / span;  // solid fraction
    const Real dE = s.Ec - l.Ec;
    E = l.Ec + dE * phi + p.C * T;
    if (withCv) {
      const Real dPhi = (-c.dxl * span - (x - c.xl) * (c.dxs - c.dxl)) / (span * span);
      Cv += (1 - phi) * l.dEc * c.dxl + phi * s.dEc * c.dxs + dE * dPhi;
    }
  }
}

// P and dP/dT (exact): the solid branch, or the liquid branch at min(x, xl(T)).
void LiFPdPdT(const LiFParams& p, Real rho, Real T, bool withD, Real& P, Real& dPdT) {
  const Real x = rho * p.invRho0;
  const LiFCurves c = LiFCurvesAt(p, T);
  if (x >= c.xs) {
    const LiFBranchValues s = LiFBranchAt(p.solid, x, false);
    P = s.Pc + T * s.PT;
    dPdT = s.PT;
  } else if (x <= c.xl) {
    const LiFBranchValues l = LiFBranchAt(p.liquid, x, false);
    P = l.Pc + T * l.PT;
    dPdT = l.PT;
  } else {
    const LiFBranchValues l = LiFBranchAt(p.liquid, c.xl, withD);
    P = l.Pc + T * l.PT;
    dPdT = l.PT + (l.dPc + T * l.dPT) * c.dxl;
  }
}

// The upper solidus temperature at x (the T > T0s root of xs(T) = x), or -1 when x is
// below every solidus density.
inline Real LiFSolidusT(const LiFParams& p, Real x) {
  const Real u = (x - p.x0s) / p.x1s;
  const Real d = u * u - p.cts;
  return d >= 0 ? p.T0s * (1 + std::sqrt(d)) : Real(-1);
}

}  // namespace

Real LiFSolidus(const LiFParams& p, Real T) {
  return LiFCurvesAt(p, T).xs;
}
Real LiFLiquidus(const LiFParams& p, Real T) {
  return LiFCurvesAt(p, T).xl;
}

LiFPhaseState LiFPhase(const LiFParams& p, Real rho, Real T) {
  const Real x = rho * p.invRho0;
  const LiFCurves c = LiFCurvesAt(p, T);
  return {LiFCode(p, x, T, c), x, c.xs, c.xl};
}

Real LiFE(const LiFParams& p, Real rho, Real T) {
  Real E, Cv;
  LiFECv(p, rho, T, false, E, Cv);
  return E;
}
Real LiFCv(const LiFParams& p, Real rho, Real T) {
  Real E, Cv;
  LiFECv(p, rho, T, true, E, Cv);
  return Cv;
}
Real LiFP(const LiFParams& p, Real rho, Real T) {
  Real P, D;
  LiFPdPdT(p, rho, T, false, P, D);
  return P;
}
Real LiFdPdT(const LiFParams& p, Real rho, Real T) {
  Real P, D;
  LiFPdPdT(p, rho, T, true, P, D);
  return D;
}

// Start: the solid temperature when P does not exceed the solid pressure at the upper
// solidus temperature (or the cold solid pressure where x has no solidus), else the
// liquid temperature at x (at least 0); then Newton on P with the exact dP/dT (it ends at
// once where the start is exact). The result is at least 0.
Real LiFTofP(const LiFParams& p, Real rho, Real P) {
  const Real x = rho * p.invRho0;
  const LiFBranchValues s = LiFBranchAt(p.solid, x, false);
  const Real Ts = LiFSolidusT(p, x);
  Real T0;
  if (P <= s.Pc + std::max(Ts, Real(0)) * s.PT) {
    T0 = (P - s.Pc) / s.PT;
  } else {
    const LiFBranchValues l = LiFBranchAt(p.liquid, x, false);
    T0 = std::max(Real(0), (P - l.Pc) / l.PT);
  }
  const Real T = IncreasingRoot(
      T0, P, [&p, rho](Real t, Real& F, Real& D) { LiFPdPdT(p, rho, t, true, F, D); });
  return std::max(T, Real(0));
}

// The same with E and the exact Cv.
Real LiFTofE(const LiFParams& p, Real rho, Real E) {
  const Real x = rho * p.invRho0;
  const LiFBranchValues s = LiFBranchAt(p.solid, x, false);
  const Real Ts = LiFSolidusT(p, x);
  Real T0;
  if (E <= s.Ec + p.C * std::max(Ts, Real(0))) {
    T0 = (E - s.Ec) * p.invC;
  } else {
    T0 = std::max(Real(0), (E - LiFBranchAt(p.liquid, x, false).Ec) * p.invC);
  }
  const Real T =
      IncreasingRoot(T0, E, [&p, rho](Real t, Real& F, Real& D) { LiFECv(p, rho, t, true, F, D); });
  return std::max(T, Real(0));
}

// kappa = rho kappa_Tr Tr/(rho0 T): a phonon conductivity falling as 1/T.
Real LiFKappa(const LiFParams& p, Real rho, Real T) {
  return rho * p.kappaScale / T;
}

int32_t LiFPhaseId(const LiFParams& p, Real rho, Real T) {
  return LiFPhase(p, rho, T).code;
}

// Maroon solid, purple melting band, blue liquid, green where the liquid branch is gas.
int32_t LiFPhaseColor(const LiFParams& p, Real rho, Real T) {
  switch (LiFPhase(p, rho, T).code) {
    case kPhaseSolid:
      return kColorMaroon;
    case kPhaseSolidLiquid:
      return 0x800080;
    case kPhaseGas:
      return kColorGreen;
    default:
      return kColorBlue;
  }
}

bool LiFIsMelted(const LiFParams& p, Real rho, Real T) {
  return rho * p.invRho0 < LiFCurvesAt(p, T).xs;
}

Real LiFSolidFraction(const LiFParams& p, Real rho, Real T) {
  const Real x = rho * p.invRho0;
  const LiFCurves c = LiFCurvesAt(p, T);
  if (x >= c.xs) return 1;
  if (x <= c.xl) return 0;
  return (x - c.xl) / (c.xs - c.xl);
}

Real LiFLiquidFraction(const LiFParams& p, Real rho, Real T) {
  const LiFPhaseState s = LiFPhase(p, rho, T);
  if (s.code == kPhaseGas) return 0;
  if (s.code == kPhaseSolid) return 0;
  if (s.code == kPhaseLiquid) return 1;
  return 1 - (s.x - s.xl) / (s.xs - s.xl);
}

EosBindResult PrepareLiF(LiFParams& p) {
  if (!(p.rho0 > 0)) return EosBindResult::Fail("rho0Edit", "rho0 must be positive");
  if (!(p.C > 0)) return EosBindResult::Fail("CvEdit", "the heat capacity must be positive");
  if (p.as == 0 || p.bs == 0)
    return EosBindResult::Fail(p.as == 0 ? "asEdit" : "bsEdit", "must not be 0");
  if (p.al == 0 || p.bl == 0)
    return EosBindResult::Fail(p.al == 0 ? "alEdit" : "blEdit", "must not be 0");
  if (!(p.b2s >= 0)) return EosBindResult::Fail("b2sEdit", "b2s must not be negative");
  if (!(p.b2l >= 0)) return EosBindResult::Fail("b2lEdit", "b2l must not be negative");
  if (!(p.x1s > 0)) return EosBindResult::Fail("x1sEdit", "x1s must be positive");
  if (!(p.cts >= 0)) return EosBindResult::Fail("ctsEdit", "cts must not be negative");
  if (!(p.T0s > 0)) return EosBindResult::Fail("T0sEdit", "T0s must be positive");
  if (!(p.T0l > 0)) return EosBindResult::Fail("T0lEdit", "T0l must be positive");
  if (!(p.Tr > 0)) return EosBindResult::Fail("TrEdit", "Tr must be positive");
  p.solid = {p.P00s, p.E00s, p.ras, p.as,  p.rbs,    p.bs,    p.P0Ts,
             p.a0s,  p.a1s,  p.b2s, p.G0s, 1 / p.as, 1 / p.bs};
  p.liquid = {p.P00l, p.E00l, p.ral, p.al,  p.rbl,    p.bl,    p.P0Tl,
              p.a0l,  p.a1l,  p.b2l, p.G0l, 1 / p.al, 1 / p.bl};
  p.invRho0 = 1 / p.rho0;
  p.invC = 1 / p.C;
  p.invT0s = 1 / p.T0s;
  p.invT0l = 1 / p.T0l;
  p.kappaScale = p.kappa_Tr * p.Tr / p.rho0;
  return EosBindResult::Ok();
}

}  // namespace tarvex
