// The cold-curve and Grueneisen equations of state: functions, preparation and labels.
#include "core/eos/ColdCurveModels.h"

#include <algorithm>
#include <cmath>

#include "core/eos/EosMath.h"

namespace tarvex {

using eosmath::AtanR;
using eosmath::CbrtR;
using eosmath::DomainFault;
using eosmath::ExpR;
using eosmath::LogR;

namespace {

bool IsFlag(Real v) {
  return v == 0 || v == 1;
}

// The positive root t of a0t t (1 + a1t t) = u (1 + a2t t), i.e. of
// a0t a1t t^2 + (a0t - u a2t) t - u = 0, in the form without cancellation.
Real ThermalEnergyInverse(const MieGrunParams& p, Real u) {
  const Real B = p.a0t - u * p.a2t;
  const Real S = std::sqrt(B * B + 4 * p.a0a1 * u);
  return B >= 0 ? 2 * u / (B + S) : (S - B) / (2 * p.a0a1);
}

}  // namespace

// =======================================================================================
// "MieGrun"
// =======================================================================================

namespace {

// The density-dependent parts at x = rho/rho0.
struct MieGrunCold {
  Real x;
  Real xa;  // x^a
  Real xb;  // x^b
};
inline MieGrunCold MieGrunColdAt(const MieGrunParams& p, Real rho) {
  const Real x = rho / p.rho0;
  const Real L = LogR(x);  // x <= 0: fault seen by the FpGuard
  return {x, ExpR(p.a * L), ExpR(p.b * L)};
}
inline Real MieGrunEc(const MieGrunParams& p, const MieGrunCold& c) {
  return p.A0 * (c.xa * p.invA - c.xb * p.invB);
}
inline Real MieGrunPcOverRhoM(const MieGrunParams& p, const MieGrunCold& c) {
  return p.A0 * (c.xa - c.xb);
}
inline Real MieGrunGr(const MieGrunParams& p, const MieGrunCold& c) {
  if (!p.abTerm) return p.Gr0;
  const Real X = p.betPlusOne ? c.xa * c.x : c.xa / c.xb;  // x^bet1
  return p.Gr0 + (p.al1 + p.al2c1 * X) / (2 * (1 + p.c1 * X));
}

// Thermal energy et [Hartree/atom] and M det/dT [kJ/g/K].
struct MieGrunThermal {
  Real et;
  Real Cv;
};
inline MieGrunThermal MieGrunThermalAt(const MieGrunParams& p, Real ec, Real T) {
  if (!p.thermalPanel) return {3 * T / kTat, 3 * p.M / kTat};
  const Real theta = ec + p.en;
  const Real t = T / (kTat * theta);
  const Real d = 1 / (1 + p.a2t * t);
  return {p.a0t * t * (1 + p.a1t * t) * d,
          p.a0t * (1 + t * (2 * p.a1t + p.a1t * p.a2t * t)) * d * d * p.M / (kTat * theta)};
}

// T from the thermal energy et at the cold energy ec.
inline Real MieGrunTofThermal(const MieGrunParams& p, Real ec, Real et) {
  if (!p.thermalPanel) return et * kTat / 3;
  return ThermalEnergyInverse(p, et) * kTat * (ec + p.en);
}

}  // namespace

Real MieGrunE(const MieGrunParams& p, Real rho, Real T) {
  const Real ec = MieGrunEc(p, MieGrunColdAt(p, rho));
  return p.M * (ec + MieGrunThermalAt(p, ec, T).et);
}

Real MieGrunP(const MieGrunParams& p, Real rho, Real T) {
  const MieGrunCold c = MieGrunColdAt(p, rho);
  const Real et = MieGrunThermalAt(p, MieGrunEc(p, c), T).et;
  return rho * p.M * (MieGrunPcOverRhoM(p, c) + MieGrunGr(p, c) * et);
}

Real MieGrunCv(const MieGrunParams& p, Real rho, Real T) {
  if (!p.thermalPanel) return 3 * p.M / kTat;
  return MieGrunThermalAt(p, MieGrunEc(p, MieGrunColdAt(p, rho)), T).Cv;
}

Real MieGrundPdT(const MieGrunParams& p, Real rho, Real T) {
  const MieGrunCold c = MieGrunColdAt(p, rho);
  return rho * MieGrunGr(p, c) * MieGrunThermalAt(p, MieGrunEc(p, c), T).Cv;
}

Real MieGrunTofE(const MieGrunParams& p, Real rho, Real E) {
  const Real ec = MieGrunEc(p, MieGrunColdAt(p, rho));
  return MieGrunTofThermal(p, ec, E * p.invM - ec);
}

Real MieGrunTofP(const MieGrunParams& p, Real rho, Real P) {
  const MieGrunCold c = MieGrunColdAt(p, rho);
  const Real et = (P * p.invM / rho - MieGrunPcOverRhoM(p, c)) / MieGrunGr(p, c);
  return MieGrunTofThermal(p, MieGrunEc(p, c), et);
}

Real MieGrunGamma(const MieGrunParams& p, Real rho) {
  return MieGrunGr(p, MieGrunColdAt(p, rho));
}

EosBindResult MieGrunModel::Precheck(const MieGrunParams& p) {
  if (p.material < 0 || static_cast<size_t>(p.material) >= std::size(kMieGrunPresets)) {
    return EosBindResult::Fail("Metalls", "choose a material in the list");
  }
  return EosBindResult::Ok();
}

EosBindResult PrepareMieGrun(MieGrunParams& p) {
  if (!IsFlag(p.etPanel)) return EosBindResult::Fail("etPanel", "etPanel must be 0 or 1");
  if (!IsFlag(p.Gr_noabPanel))
    return EosBindResult::Fail("Gr_noabPanel", "Gr_noabPanel must be 0 or 1");
  if (!IsFlag(p.AltLabels)) return EosBindResult::Fail("AltLabels", "AltLabels must be 0 or 1");
  if (!(p.rho0 > 0)) return EosBindResult::Fail("Rho0Edit", "rho0 must be positive");
  if (!(p.Mat > 0)) return EosBindResult::Fail("MatEdit", "the atomic mass must be positive");
  if (p.a == 0) return EosBindResult::Fail("aEdit", "a must not be 0");
  if (p.b == 0 || p.b == -1) return EosBindResult::Fail("bEdit", "b must not be 0 or -1");
  p.M = kHartreePerAtom / p.Mat;
  p.invM = 1 / p.M;
  p.invA = 1 / p.a;
  p.invB = 1 / p.b;
  if (p.AltLabels == 1) {
    p.al1 = p.a * (p.a + p.al11) / p.b;
    p.bet1 = p.a - p.b;
    p.c1 = p.a * (p.a + 1) / (p.b * (p.b + 1));
    p.betPlusOne = false;
  } else {
    p.al1 = p.al11 + 2 * p.a;
    p.bet1 = p.a + 1;
    p.c1 = (p.a - p.b) / (p.b + 1);
    p.betPlusOne = true;
  }
  p.al2c1 = (p.a - p.al21) * p.c1;
  p.abTerm = p.Gr_noabPanel == 0;
  if (!p.abTerm) {
    p.Gr0 = p.Gr;
  } else {
    p.Gr0 = (p.Gr1 != 0 && p.Gr2 != 0) ? p.Gr1 / p.Gr2 : 0;
  }
  p.thermalPanel = p.etPanel == 1;
  p.a0a1 = p.a0t * p.a1t;
  if (p.thermalPanel) {
    if (p.a0t == 0) return EosBindResult::Fail("a0tEdit", "a0t must not be 0");
    // The energy scale ec(x) + en of the thermal part must be positive at x = 1.
    if (!(p.A0 * (p.invA - p.invB) + p.en > 0)) {
      return EosBindResult::Fail("enEdit", "ec(1) + en must be positive");
    }
  }
  return EosBindResult::Ok();
}

std::string MieGrunLabel(const MieGrunParams& p) {
  return MaterialLabel("MieGrun ", kMieGrunPresets, p.material);
}

// From 10 % stretched to 1.8-fold compressed: the Grueneisen function stays positive and
// the cold curve stiff (dP/drho > 0) for every preset.
EosDomain MieGrunModel::Domain(const MieGrunParams& p) {
  return {0.9L * p.rho0, 1.8L * p.rho0, 10, 2e4L};
}

// =======================================================================================
// "Rose"
// =======================================================================================

namespace {

// x = (rho0/rho)^(1/3) - 1 and e^-u, u = eta x.
struct RoseCold {
  Real x;
  Real u;
  Real e;
};
inline RoseCold RoseColdAt(const RoseParams& p, Real rho) {
  if (!(rho > 0)) return {DomainFault(), DomainFault(), DomainFault()};
  const Real x = CbrtR(p.rho0 / rho) - 1;
  const Real u = p.eta * x;
  return {x, u, ExpR(-u)};
}
inline Real RoseEc(const RoseParams& p, const RoseCold& c) {
  return p.E0p * (1 + c.u + p.beta * c.u * c.u * c.u) * c.e;
}
inline Real RosePc(const RoseParams& p, const RoseCold& c) {
  const Real x1 = c.x + 1;
  return -3 * p.B * c.x / (x1 * x1) * (1 + p.beta * c.u * (c.u - 3)) * c.e;
}

}  // namespace

Real RoseE(const RoseParams& p, Real rho, Real T) {
  return RoseEc(p, RoseColdAt(p, rho)) + p.Cv * T;
}
Real RoseP(const RoseParams& p, Real rho, Real T) {
  return RosePc(p, RoseColdAt(p, rho)) + p.GC * rho * T;
}
Real RoseCv(const RoseParams& p, Real, Real) {
  return p.Cv;
}
Real RosedPdT(const RoseParams& p, Real rho, Real) {
  return p.GC * rho;
}
Real RoseTofE(const RoseParams& p, Real rho, Real E) {
  return (E - RoseEc(p, RoseColdAt(p, rho))) * p.invCv;
}
// With Gr = 0 there is no thermal pressure and no inverse: the division by zero is seen
// by the FpGuard.
Real RoseTofP(const RoseParams& p, Real rho, Real P) {
  return (P - RosePc(p, RoseColdAt(p, rho))) / (p.GC * rho);
}

EosBindResult RoseModel::Precheck(const RoseParams& p) {
  if (p.rho0 != 0 && p.B != 0 && p.eta != 0) return EosBindResult::Ok();
  if (p.material < 0) return EosBindResult::Fail("Metalls", "choose a material in the list");
  if (p.rho0 == 0) return EosBindResult::Fail("Rho0Edit", "rho0 must not be 0");
  if (p.B != 0) return EosBindResult::Fail("etaEdit", "eta must not be 0");
  return EosBindResult::Fail("BEdit", "B must not be 0");
}

EosBindResult PrepareRose(RoseParams& p) {
  if (!(p.rho0 > 0)) return EosBindResult::Fail("Rho0Edit", "rho0 must be positive");
  if (!(p.B > 0)) return EosBindResult::Fail("BEdit", "B must be positive");
  if (!(p.eta > 0)) return EosBindResult::Fail("etaEdit", "eta must be positive");
  if (!(p.Cv > 0)) return EosBindResult::Fail("CvEdit", "the heat capacity must be positive");
  p.E0p = -(3 / p.eta) * (3 / p.eta) * p.B / p.rho0;
  p.GC = p.Gr * p.Cv;
  p.invCv = 1 / p.Cv;
  return EosBindResult::Ok();
}

std::string RoseLabel(const RoseParams& p) {
  return MaterialLabel("Rose ", kRosePresets, p.material);
}

// From 10 % stretched (the binding curve softens towards its spinodal beyond) to
// 1.8-fold compression.
EosDomain RoseModel::Domain(const RoseParams& p) {
  return {0.9L * p.rho0, 1.8L * p.rho0, 10, 1e4L};
}

// =======================================================================================
// "SilGlass"
// =======================================================================================

namespace {

// The thermal part's density dependence at x = ln sigma: the Grueneisen parameter ya and
// a = k/Theta^2 = Ta sigma^(2/3)/Theta^2 [1/K].
struct SilGlassLattice {
  Real x;
  Real ya;
  Real a;
};
inline SilGlassLattice SilGlassLatticeAt(const SilGlassParams& p, Real rho) {
  const Real x = LogR(p.V0 * rho);  // rho <= 0: fault seen by the FpGuard
  const Real xd = x + p.Dsa;
  const Real lnTheta = p.lnTheta0 + p.yia * x + (AtanR(xd * p.invBsa) - p.phi0) * p.KB;
  return {x, p.yia + p.K / (xd * xd + p.Bsa * p.Bsa),
          ExpR(p.lnTa + x * (Real(2) / 3) - 2 * lnTheta)};
}

// The cold curve at x: Ec [kJ/g] and Pc/rho [kJ/g].
struct SilGlassCold {
  Real Ec;
  Real PcR;
};
inline SilGlassCold SilGlassColdAt(const SilGlassParams& p, Real x) {
  const Real lnSc = x + p.lnRatio;  // ln sigma_c
  const Real scm = ExpR(p.m * lnSc);
  const Real scn = ExpR(p.n * lnSc);
  return {p.coldScale * (scm * p.invM - scn * p.invN) + p.Esub, p.coldScale * (scm - scn)};
}

}  // namespace

Real SilGlassE(const SilGlassParams& p, Real rho, Real T) {
  const SilGlassLattice l = SilGlassLatticeAt(p, rho);
  return SilGlassColdAt(p, l.x).Ec + p.Ra15 * T * (1 + 1 / (1 + l.a * T));
}

Real SilGlassP(const SilGlassParams& p, Real rho, Real T) {
  const SilGlassLattice l = SilGlassLatticeAt(p, rho);
  return rho * (SilGlassColdAt(p, l.x).PcR + p.Ra * T * (1 + (3 * l.ya - 1) / (1 + l.a * T)));
}

Real SilGlassCv(const SilGlassParams& p, Real rho, Real T) {
  const Real h = 1 / (1 + SilGlassLatticeAt(p, rho).a * T);
  return p.Ra15 * (1 + h * h);
}

Real SilGlassdPdT(const SilGlassParams& p, Real rho, Real T) {
  const SilGlassLattice l = SilGlassLatticeAt(p, rho);
  const Real h = 1 / (1 + l.a * T);
  return rho * p.Ra * (1 + (3 * l.ya - 1) * h * h);
}

// E - Ec = 1.5 Ra T (1 + 1/(1 + a T)): with c = (E - Ec)/(3 Ra),
// a T^2 + 2 (1 - a c) T - 2 c = 0, T = c + (sqrt((a c)^2 + 1) - 1)/a.
Real SilGlassTofE(const SilGlassParams& p, Real rho, Real E) {
  const SilGlassLattice l = SilGlassLatticeAt(p, rho);
  const Real h = (E - SilGlassColdAt(p, l.x).Ec) / (2 * p.Ra15);
  const Real ac = l.a * h;
  // (sqrt(z^2 + 1) - 1)/a = a h^2/(sqrt(z^2 + 1) + 1): no cancellation for small a h
  return h + ac * h / (std::sqrt(ac * ac + 1) + 1);
}

// P/rho - Pc/rho = Ra T (1 + (3 ya - 1)/(1 + a T)): with w = (P/rho - Pc/rho)/Ra,
// a T^2 + (3 ya - a w) T - w = 0.
Real SilGlassTofP(const SilGlassParams& p, Real rho, Real P) {
  const SilGlassLattice l = SilGlassLatticeAt(p, rho);
  const Real w = (P / rho - SilGlassColdAt(p, l.x).PcR) / p.Ra;
  const Real B = 3 * l.ya - l.a * w;
  const Real S = std::sqrt(B * B + 4 * l.a * w);
  return B >= 0 ? 2 * w / (B + S) : (S - B) / (2 * l.a);
}

Real SilGlassTheta(const SilGlassParams& p, Real rho) {
  const Real x = LogR(p.V0 * rho);
  return ExpR(p.lnTheta0 + p.yia * x + (AtanR((x + p.Dsa) * p.invBsa) - p.phi0) * p.KB);
}

Real SilGlassGamma(const SilGlassParams& p, Real rho) {
  return SilGlassLatticeAt(p, rho).ya;
}

EosBindResult PrepareSilGlass(SilGlassParams& p) {
  if (p.m == p.n) return EosBindResult::Fail("mEdit", "m and n must differ");
  if (!(p.V0 > 0)) return EosBindResult::Fail("V0Edit", "V0 must be positive");
  if (!(p.V0c > 0)) return EosBindResult::Fail("V0cEdit", "V0c must be positive");
  if (!(p.Bsa > 0)) return EosBindResult::Fail("BsaEdit", "Bsa must be positive");
  if (!(p.Ra > 0)) return EosBindResult::Fail("RaEdit", "Ra must be positive");
  if (!(p.Ta > 0)) return EosBindResult::Fail("TaEdit", "Ta must be positive");
  if (!(p.Teta0a > 0)) return EosBindResult::Fail("Teta0aEdit", "Teta0a must be positive");
  if (p.m == 0 || p.n == 0)
    return EosBindResult::Fail(p.m == 0 ? "mEdit" : "nEdit", "m and n must not be 0");
  p.coldScale = p.B0c * p.V0c / (p.m - p.n);
  p.invM = 1 / p.m;
  p.invN = 1 / p.n;
  p.lnV0 = std::log(p.V0);
  p.lnRatio = std::log(p.V0c / p.V0);
  p.Ra15 = Real(1.5) * p.Ra;
  p.K = (p.Dsa * p.Dsa + p.Bsa * p.Bsa) * (p.y0a - p.yia);
  p.KB = p.K / p.Bsa;
  p.invBsa = 1 / p.Bsa;
  p.phi0 = std::atan(p.Dsa / p.Bsa);
  p.lnTheta0 = std::log(p.Teta0a);
  p.lnTa = std::log(p.Ta);
  return EosBindResult::Ok();
}

std::string SilGlassLabel(const SilGlassParams& p) {
  return MaterialLabel("SilGlass ", kSilGlassPresets, p.material);
}

void ApplySilGlassMaterial(SilGlassParams& p, int32_t material) {
  if (material < 0 || static_cast<size_t>(material) >= std::size(kSilGlassPresets)) return;
  p.material = material;
  for (const EosPresetValue& v : kSilGlassPresets[material].values) {
    if (std::string_view(v.param) == "V0Edit") p.V0 = v.value;
    if (std::string_view(v.param) == "V0cEdit") p.V0c = v.value;
  }
  p.Esub = p.B0c * p.V0c / p.m / p.n;
}

// Stretched and compressed glass around sigma = 1 (the Grueneisen parameter peaks at
// sigma = e^-Dsa); from 100 K, where the thermal part is close to its harmonic limit.
EosDomain SilGlassModel::Domain(const SilGlassParams& p) {
  return {0.95L / p.V0, 1.5L / p.V0, 100, 5000};
}

// =======================================================================================
// "Ti"
// =======================================================================================

namespace {

struct TiCold {
  Real x;
  Real xa;
  Real xb;
};
inline TiCold TiColdAt(const TiParams& p, Real rho) {
  const Real x = rho * p.invRho0;
  const Real L = LogR(x);  // x <= 0: fault seen by the FpGuard
  return {x, ExpR(p.a * L), ExpR(p.b * L)};
}
inline Real TiEs(const TiParams& p, const TiCold& c) {
  return p.E0 * (c.xa * p.invA - c.xb * p.invB);
}
inline Real TiPs(const TiParams& p, const TiCold& c) {
  return p.p0 * c.x * (c.xa - c.xb);
}

}  // namespace

Real TiE(const TiParams& p, Real rho, Real T) {
  return TiEs(p, TiColdAt(p, rho)) + p.cv * T;
}
Real TiP(const TiParams& p, Real rho, Real T) {
  const TiCold c = TiColdAt(p, rho);
  return TiPs(p, c) + p.pG * c.x * T;
}
Real TiCv(const TiParams& p, Real, Real) {
  return p.cv;
}
Real TidPdT(const TiParams& p, Real rho, Real) {
  return p.pG * rho * p.invRho0;
}
Real TiTofE(const TiParams& p, Real rho, Real E) {
  return (E - TiEs(p, TiColdAt(p, rho))) * p.invCv;
}
// With p1 G0 = 0 there is no thermal pressure: the division by zero is seen by the FpGuard.
Real TiTofP(const TiParams& p, Real rho, Real P) {
  const TiCold c = TiColdAt(p, rho);
  return (P - TiPs(p, c)) / (p.pG * c.x);
}

EosBindResult PrepareTi(TiParams& p) {
  if (!(p.rho0 > 0)) return EosBindResult::Fail("Rho0Edit", "rho0 must be positive");
  if (!(p.cv > 0)) return EosBindResult::Fail("cvEdit", "the heat capacity must be positive");
  if (p.a == 0) return EosBindResult::Fail("aEdit", "a must not be 0");
  if (p.b == 0) return EosBindResult::Fail("bEdit", "b must not be 0");
  p.invRho0 = 1 / p.rho0;
  p.invA = 1 / p.a;
  p.invB = 1 / p.b;
  p.invCv = 1 / p.cv;
  p.pG = p.p1 * p.G0;
  return EosBindResult::Ok();
}

EosDomain TiModel::Domain(const TiParams& p) {
  return {0.9L * p.rho0, 1.8L * p.rho0, 10, 1e4L};
}

}  // namespace tarvex
