// The simple analytic equations of state: functions, preparation and labels.
#include "core/eos/SimpleModels.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/eos/EosMath.h"
#include "core/eos/MonotoneNewton.h"

namespace tarvex {

using eosmath::DomainFault;
using eosmath::ExpR;
using eosmath::LogR;

namespace {

// ---- "LJ - Ree" coefficients and their weighted forms ----

constexpr Real kC1[5] = {3.629L, 7.2641L, 10.4924L, 11.459L, 2.17619L};
constexpr Real kC2[5] = {5.3692L, 6.5797L, 6.1745L, -4.2685L, 1.6841L};
constexpr Real kC3[5] = {-3.4921L, 18.698L, -35.5049L, 31.8151L, -11.1953L};

// c_i * w(i) for i = 1..5.
template <class W>
constexpr std::array<Real, 5> Weighted(const Real (&c)[5], W w) {
  std::array<Real, 5> r{};
  for (int i = 1; i <= 5; ++i) r[i - 1] = c[i - 1] * w(static_cast<Real>(i));
  return r;
}
constexpr auto kC3E = Weighted(kC3, [](Real i) { return (i + 4) / i; });
constexpr auto kC2E = Weighted(kC2, [](Real i) { return i + 2; });
constexpr auto kC2P = Weighted(kC2, [](Real i) { return i; });
constexpr auto kC3P = Weighted(kC3, [](Real) { return Real(1); });
constexpr auto kC1Cv = Weighted(kC1, [](Real i) { return 4 - i; });  // i = 5 unused
constexpr auto kC2Cv = Weighted(kC2, [](Real i) { return 4 - i * i; });
constexpr auto kC3Cv = Weighted(kC3, [](Real i) { return i + 4; });
constexpr auto kC2dP = Weighted(kC2, [](Real i) { return i * (2 - i); });
constexpr auto kC3dP = Weighted(kC3, [](Real i) { return i; });

// sum_{i=1..5} c_i y^i
inline Real Poly5(const std::array<Real, 5>& c, Real y) {
  return y * (c[0] + y * (c[1] + y * (c[2] + y * (c[3] + y * c[4]))));
}
// sum_{i=1..4} c_i y^i
inline Real Poly4(const std::array<Real, 5>& c, Real y) {
  return y * (c[0] + y * (c[1] + y * (c[2] + y * c[3])));
}
constexpr std::array<Real, 5> kC1a = {kC1[0], kC1[1], kC1[2], kC1[3], kC1[4]};

// Sigma1 = sum_{i=1..4} C1_i y^i + C1_5 y^10
inline Real LjSigma1(Real y) {
  const Real y2 = y * y;
  const Real y5 = y2 * y2 * y;
  return Poly4(kC1a, y) + kC1[4] * y5 * y5;
}

// The state variables of the fit: sqrt(T) and y = n T^(-1/4).
struct LjState {
  Real n, sqrtT, y;
};
inline LjState LjAt(const LjReeParams& p, Real rho, Real T) {
  const Real s = std::sqrt(T);  // T < 0: invalid operation (NaN), seen by the FpGuard
  return {rho * p.invM, s, rho * p.invM / std::sqrt(s)};
}

inline Real LjEnergy(const LjReeParams& p, Real T, const LjState& st) {
  return p.cv * T + Real(0.25) * p.invM *
                        (Poly5(kC3E, st.y) + T * LjSigma1(st.y) - st.sqrtT * Poly5(kC2E, st.y));
}

inline Real LjHeatCap(const LjReeParams& p, Real T, const LjState& st) {
  const Real y = st.y;
  const Real y2 = y * y;
  const Real y5 = y2 * y2 * y;
  return p.cv + p.invM * (Real(1) / 16) *
                    (Poly4(kC1Cv, y) - 6 * kC1[4] * y5 * y5 - Poly5(kC2Cv, y) / st.sqrtT -
                     Poly5(kC3Cv, y) / T);
}

inline Real LjPressure(Real T, const LjState& st) {
  return st.n * (Poly5(kC3P, st.y) + T * (1 + LjSigma1(st.y)) - st.sqrtT * Poly5(kC2P, st.y));
}

inline Real LjPressureDT(Real T, const LjState& st) {
  const Real y = st.y;
  const Real y2 = y * y;
  const Real y5 = y2 * y2 * y;
  return st.n * Real(0.25) *
         (4 + Poly4(kC1Cv, y) - 6 * kC1[4] * y5 * y5 - Poly5(kC2dP, y) / st.sqrtT -
          Poly5(kC3dP, y) / T);
}

// y0 = n / u^(1/4) limited to at most 1 (1 when u <= 0).
inline Real LjStartY(Real n, Real u) {
  if (!(u > 0)) return 1;
  return std::min(Real(1), n / std::sqrt(std::sqrt(u)));
}

}  // namespace

// =======================================================================================
// "LJ - Ree"
// =======================================================================================

Real LjReeE(const LjReeParams& p, Real rho, Real T) {
  return LjEnergy(p, T, LjAt(p, rho, T));
}
Real LjReeP(const LjReeParams& p, Real rho, Real T) {
  return LjPressure(T, LjAt(p, rho, T));
}
Real LjReeCv(const LjReeParams& p, Real rho, Real T) {
  return LjHeatCap(p, T, LjAt(p, rho, T));
}
Real LjReedPdT(const LjReeParams& p, Real rho, Real T) {
  return LjPressureDT(T, LjAt(p, rho, T));
}

// The fit solved for sqrt(T) with y frozen:
//   4 M E = (4 M cv + Sigma1) T - sqrt(T) sum (i + 2) C2_i y^i + sum C3_i y^i (i + 4)/i,
// a quadratic in sqrt(T); first at y0 (the y of the ideal-gas temperature, at most 1),
// then twice more at the y of the temperature found, which brings the start within a
// fraction of a percent of the root.
Real LjReeStartTofE(const LjReeParams& p, Real rho, Real E) {
  const Real n = rho * p.invM;
  Real y = LjStartY(n, E / p.cv);
  Real T = 0;
  for (int round = 0; round < 3; ++round) {
    const Real d = 4 * p.cv / p.invM + LjSigma1(y);
    const Real f = Poly5(kC2E, y) / (2 * d);
    const Real a = (4 * E / p.invM - Poly5(kC3E, y)) / d;
    const Real r = f + std::sqrt(std::max(Real(0), a + f * f));
    T = r * r;
    if (!(T > 0)) break;
    y = n / std::sqrt(std::sqrt(T));
  }
  return T;
}

// P/n = T (1 + Sigma1) - sqrt(T) sum i C2_i y^i + sum C3_i y^i with y frozen, solved for
// sqrt(T): first at y0 = n/(P/n)^(1/4) (at most 1) without the C3 sum, then twice at the
// y of the temperature found, with it.
Real LjReeStartTofP(const LjReeParams& p, Real rho, Real P) {
  const Real n = rho * p.invM;
  Real y = LjStartY(n, P / n);
  Real c3 = 0;
  Real T = 0;
  for (int round = 0; round < 3; ++round) {
    const Real e = 1 + LjSigma1(y);
    const Real g = Poly5(kC2P, y) / (2 * e);
    const Real h = std::max(Real(0), (P / n - c3) / e + g * g);
    const Real r = g + std::sqrt(h);
    T = r * r;
    if (!(T > 0)) break;
    y = n / std::sqrt(std::sqrt(T));
    c3 = Poly5(kC3P, y);
  }
  return T;
}

Real LjReeTofE(const LjReeParams& p, Real rho, Real E) {
  return IncreasingRoot(LjReeStartTofE(p, rho, E), E, [&p, rho](Real T, Real& F, Real& D) {
    const LjState st = LjAt(p, rho, T);
    F = LjEnergy(p, T, st);
    D = LjHeatCap(p, T, st);
  });
}

Real LjReeTofP(const LjReeParams& p, Real rho, Real P) {
  return IncreasingRoot(LjReeStartTofP(p, rho, P), P, [&p, rho](Real T, Real& F, Real& D) {
    const LjState st = LjAt(p, rho, T);
    F = LjPressure(T, st);
    D = LjPressureDT(T, st);
  });
}

namespace {
// The heat capacity 1/((gamma - 1) M) of the reduced models and 1/M.
EosBindResult ReducedHeatCapacity(Real gamma, Real AtomMass, Real& c, Real& invM) {
  if (!(AtomMass > 0)) return EosBindResult::Fail("AtomMass", "the atom mass must be positive");
  if (!(gamma > 1)) return EosBindResult::Fail("gamma", "gamma must be greater than 1");
  c = 1 / ((gamma - 1) * AtomMass);
  invM = 1 / AtomMass;
  if (!std::isfinite(c)) {
    return EosBindResult::Fail("gamma", "gamma and the atom mass give no finite heat capacity");
  }
  return EosBindResult::Ok();
}
}  // namespace

EosBindResult PrepareLjRee(LjReeParams& p) {
  return ReducedHeatCapacity(p.gamma, p.AtomMass, p.cv, p.invM);
}

std::string LjReeLabel(const LjReeParams& p, const EosFieldText& text) {
  return "LJ, Mat = " + text("AtomMass", p.AtomMass);
}

// Above the critical temperature of the fluid (about 1.3), from dilute gas to the
// density of the triple-point liquid, where the fit holds and no van der Waals loop makes
// the fluid unstable.
EosDomain LjReeModel::Domain(const LjReeParams& p) {
  return {0.02L * p.AtomMass, 0.9L * p.AtomMass, 1.5L, 20};
}

// =======================================================================================
// "Solid"
// =======================================================================================

namespace {
// Cold energy x^2 (6.06593 x^2 - 14.4516)/M and the factor of T in P/x.
inline Real SolidColdE(const SolidParams& p, Real x) {
  const Real x2 = x * x;
  return x2 * (6.06593L * x2 - 14.4516L) * p.invM;
}
inline Real SolidColdPx(Real x) {  // P_cold / x
  const Real x2 = x * x;
  return x2 * (24.26372L * x2 - 28.9032L);
}
inline Real SolidThermalPx(Real x) {  // (dP/dT) / x
  const Real x2 = x * x;
  return 7 * (x2 + Real(5) / 11) / (x2 + Real(20) / 77);
}
}  // namespace

Real SolidE(const SolidParams& p, Real rho, Real T) {
  return SolidColdE(p, rho * p.invM) + p.cs * T;
}
Real SolidP(const SolidParams& p, Real rho, Real T) {
  const Real x = rho * p.invM;
  return x * (SolidColdPx(x) + T * SolidThermalPx(x));
}
Real SolidCv(const SolidParams& p, Real, Real) {
  return p.cs;
}
Real SoliddPdT(const SolidParams& p, Real rho, Real) {
  const Real x = rho * p.invM;
  return x * SolidThermalPx(x);
}
Real SolidTofE(const SolidParams& p, Real rho, Real E) {
  return (E - SolidColdE(p, rho * p.invM)) / p.cs;
}
Real SolidTofP(const SolidParams& p, Real rho, Real P) {
  const Real x = rho * p.invM;
  return (P / x - SolidColdPx(x)) / SolidThermalPx(x);
}

EosBindResult PrepareSolid(SolidParams& p) {
  return ReducedHeatCapacity(p.gamma, p.AtomMass, p.cs, p.invM);
}

std::string SolidLabel(const SolidParams& p, const EosFieldText& text) {
  return "Sol, Mat = " + text("AtomMass", p.AtomMass);
}

// Around the density of zero cold pressure (x^2 = 28.9032/24.26372, x = 1.09), where the
// cold curve is stiff (it softens below x = 0.85).
EosDomain SolidModel::Domain(const SolidParams& p) {
  return {0.95L * p.AtomMass, 1.4L * p.AtomMass, 0.01L, 2};
}

// =======================================================================================
// "Comb L+S"
// =======================================================================================

Real CombTsl(const CombParams& p, Real rho) {
  return p.T_0 + p.TslSlope * rho;
}

namespace {

// E (or P) of both phases and its T-derivative, mixed with the logistic weights.
struct CombMix {
  Real value;
  Real derivative;
};

inline eosmath::LogisticPair CombWeights(const CombParams& p, Real rho, Real T) {
  return eosmath::LogisticWeights((T - CombTsl(p, rho)) * p.invDT);
}

inline CombMix CombEnergy(const CombParams& p, Real rho, Real T) {
  const eosmath::LogisticPair w = CombWeights(p, rho, T);  // lower = solid
  const LjState st = LjAt(p.fluid, rho, T);
  const Real El = LjEnergy(p.fluid, T, st);
  const Real Es = SolidE(p.solid, rho, T);
  return {w.lower * Es + w.upper * El, w.lower * p.solid.cs + w.upper * LjHeatCap(p.fluid, T, st) +
                                           w.lower * w.upper * (El - Es) * p.invDT};
}

inline CombMix CombPressure(const CombParams& p, Real rho, Real T) {
  const eosmath::LogisticPair w = CombWeights(p, rho, T);
  const LjState st = LjAt(p.fluid, rho, T);
  const Real Pl = LjPressure(T, st);
  const Real Ps = SolidP(p.solid, rho, T);
  return {w.lower * Ps + w.upper * Pl, w.lower * SoliddPdT(p.solid, rho, T) +
                                           w.upper * LjPressureDT(T, st) +
                                           w.lower * w.upper * (Pl - Ps) * p.invDT};
}

}  // namespace

Real CombE(const CombParams& p, Real rho, Real T) {
  return CombEnergy(p, rho, T).value;
}
Real CombP(const CombParams& p, Real rho, Real T) {
  return CombPressure(p, rho, T).value;
}
Real CombCv(const CombParams& p, Real rho, Real T) {
  return CombEnergy(p, rho, T).derivative;
}
Real CombdPdT(const CombParams& p, Real rho, Real T) {
  return CombPressure(p, rho, T).derivative;
}

namespace {
// T with E (or P) = y: Newton on the mixture from the fluid's start value, or halfway
// between it and the solid's temperature below the melting line; from the solid's
// temperature for a bound state (y <= 0).
template <class Mix>
Real CombInverse(const CombParams& p, Real rho, Real y,
                 Real (*fluidStart)(const LjReeParams&, Real, Real),
                 Real (*solidT)(const SolidParams&, Real, Real), Mix mix) {
  Real T0;
  if (y > 0) {
    T0 = fluidStart(p.fluid, rho, y);
    if (T0 <= CombTsl(p, rho)) T0 = (T0 + solidT(p.solid, rho, y)) / 2;
  } else {
    T0 = solidT(p.solid, rho, y);
  }
  return IncreasingRoot(T0, y, [&p, rho, &mix](Real T, Real& F, Real& D) {
    const CombMix m = mix(p, rho, T);
    F = m.value;
    D = m.derivative;
  });
}
}  // namespace

Real CombTofE(const CombParams& p, Real rho, Real E) {
  return CombInverse(p, rho, E, &LjReeStartTofE, &SolidTofE, CombEnergy);
}
Real CombTofP(const CombParams& p, Real rho, Real P) {
  return CombInverse(p, rho, P, &LjReeStartTofP, &SolidTofP, CombPressure);
}

bool CombIsMelted(const CombParams& p, Real rho, Real T) {
  return T >= CombTsl(p, rho);
}

EosBindResult PrepareComb(CombParams& p) {
  if (!(p.AtomMass > 0)) return EosBindResult::Fail("AtomMass", "the atom mass must be positive");
  if (!(p.DisT > 0))
    return EosBindResult::Fail("DisT", "the transition width DisT must be positive");
  p.fluid.gamma = p.gamma;
  p.fluid.AtomMass = p.AtomMass;
  if (EosBindResult r = PrepareLjRee(p.fluid); !r) return r;
  // The solid of the mixture has the Dulong-Petit heat capacity 3/M.
  p.solid.gamma = Real(4) / 3;
  p.solid.AtomMass = p.AtomMass;
  if (EosBindResult r = PrepareSolid(p.solid); !r) return r;
  p.solid.cs = 3 / p.AtomMass;  // exactly, not through the rounded 4/3
  p.TslSlope = p.T_rho / p.AtomMass;
  p.invDT = 2 / p.DisT;
  return EosBindResult::Ok();
}

std::string CombLabel(const CombParams& p, const EosFieldText& text) {
  return "LJ-Sol+Lq, Mat = " + text("AtomMass", p.AtomMass) + ", Tsl = " + text("T_0", p.T_0) +
         " + " + text("T_rho", p.T_rho) + "n, DT = " + text("DisT", p.DisT);
}

// The dense states around the melting line, solid below it and fluid above.
EosDomain CombModel::Domain(const CombParams& p) {
  return {0.95L * p.AtomMass, 1.2L * p.AtomMass, 0.5L, 5};
}

// =======================================================================================
// "Ideal gas of:"
// =======================================================================================

Real IdealGasOfE(const IdealGasOfParams& p, Real, Real T) {
  return p.cv * T;
}
Real IdealGasOfP(const IdealGasOfParams& p, Real rho, Real T) {
  return rho * p.Rm * T;
}
Real IdealGasOfCv(const IdealGasOfParams& p, Real, Real) {
  return p.cv;
}
Real IdealGasOfdPdT(const IdealGasOfParams& p, Real rho, Real) {
  return rho * p.Rm;
}
Real IdealGasOfTofE(const IdealGasOfParams& p, Real, Real E) {
  return E * p.invCv;
}
Real IdealGasOfTofP(const IdealGasOfParams& p, Real rho, Real P) {
  return P * p.invRm / rho;
}

EosBindResult PrepareIdealGasOf(IdealGasOfParams& p) {
  if (!(p.AtomMass > 0)) return EosBindResult::Fail("AtomMass", "the atomic mass must be positive");
  if (!(p.gamma > 1)) return EosBindResult::Fail("gamma", "gamma must be greater than 1");
  p.Rm = kRgas / p.AtomMass;
  p.cv = p.Rm / (p.gamma - 1);
  p.invCv = 1 / p.cv;
  p.invRm = 1 / p.Rm;
  if (!(std::isfinite(p.cv) && std::isfinite(p.invCv))) {
    return EosBindResult::Fail("gamma", "gamma and the atomic mass give no finite heat capacity");
  }
  return EosBindResult::Ok();
}

std::string IdealGasOfLabel(const IdealGasOfParams& p, const EosFieldText& text) {
  switch (p.material) {
    case 0:
      return "Ideal gas of Al";
    case 1:
      return "Ideal gas of Cu";
    case 2:
      return "Idela gas of Au";  // the label as the program has always written it
    default:
      return "Ideal gas of AtMass = " + text("AtomMass", p.AtomMass);
  }
}

EosDomain MetalVapourModel::Domain(const IdealGasOfParams&) {
  return {1e-4L, 30, 10, 1e5L};
}

// =======================================================================================
// "PGlass"
// =======================================================================================

Real PGlassE(const PGlassParams& p, Real, Real T) {
  return p.c * T;
}
Real PGlassP(const PGlassParams& p, Real rho, Real) {
  const Real d = rho - p.RhoM;
  return (d * d * p.B + p.A) * (rho - p.Rho0) * ExpR(p.Eexp * rho);
}
Real PGlassCv(const PGlassParams& p, Real, Real) {
  return p.c;
}
Real PGlassdPdT(const PGlassParams&, Real, Real) {
  return 0;
}
Real PGlassTofE(const PGlassParams& p, Real, Real E) {
  return E * p.invC;
}

EosBindResult PreparePGlass(PGlassParams& p) {
  if (!(p.C > 0)) return EosBindResult::Fail("C", "the heat capacity C must be positive");
  p.c = Real(0.001) * p.C;
  p.invC = 1 / p.c;
  return EosBindResult::Ok();
}

std::string PGlassFormula(const PGlassParams& p, const EosFieldText& text) {
  return "P=(rho-" + text("Rho0", p.Rho0) + ")*(" + text("A", p.A) + "+" + text("B", p.B) +
         "*(rho-" + text("RhoM", p.RhoM) + ")^2)*exp(" + text("E", p.Eexp) +
         "*rho), E=" + text("", Real(0.001) * p.C) + "*T";
}

// Compressed and slightly stretched glass; P(rho) is stiff throughout.
EosDomain PGlassModel::Domain(const PGlassParams& p) {
  const Real r0 = p.Rho0 > 0 ? p.Rho0 : 2.23L;
  return {0.9L * r0, 1.6L * r0, 1, 5000};
}

// =======================================================================================
// "Water-a"
// =======================================================================================

Real WaterAE(const WaterAParams& p, Real, Real T) {
  return p.c * T;
}
Real WaterAP(const WaterAParams& p, Real rho, Real) {
  const Real x = rho - p.rho0;
  return x * (p.A + x * (p.B + x * (p.C + x * p.D)));
}
Real WaterACv(const WaterAParams& p, Real, Real) {
  return p.c;
}
Real WaterAdPdT(const WaterAParams&, Real, Real) {
  return 0;
}
Real WaterATofE(const WaterAParams& p, Real, Real E) {
  return E * p.invC;
}

EosBindResult PrepareWaterA(WaterAParams& p) {
  if (!(p.Cv > 0)) return EosBindResult::Fail("Cv", "the heat capacity Cv must be positive");
  p.c = Real(0.001) * p.Cv;
  p.invC = 1 / p.c;
  return EosBindResult::Ok();
}

namespace {
// "+" before a coefficient that is not negative (a negative one brings its "-").
std::string Signed(const EosFieldText& text, const char* field, Real v) {
  std::string s = v < 0 ? "" : "+";
  s += text(field, v);
  return s;
}
}  // namespace

std::string WaterAFormula(const WaterAParams& p, const EosFieldText& text) {
  return "P=x*(" + text("A", p.A) + " " + Signed(text, "B", p.B) + "*x" + Signed(text, "C", p.C) +
         "*x^2" + Signed(text, "D", p.D) + "*x^3), x=rho-(rho0=" + text("rho0", p.rho0) +
         "), E=" + text("", Real(0.001) * p.Cv) + "*T";
}

// From slight tension to about twice the reference density, where the fitted polynomial
// stays stiff (dP/drho > 0; it turns over near x = 3 with the default coefficients).
EosDomain WaterAModel::Domain(const WaterAParams& p) {
  const Real r0 = p.rho0 > 0 ? p.rho0 : 1;
  return {0.9L * r0, 2 * r0, 1, 5000};
}

// =======================================================================================
// "LinEOS"
// =======================================================================================

Real LinEosE(const LinEosParams& p, Real, Real T) {
  return p.C * T;
}
Real LinEosP(const LinEosParams& p, Real rho, Real T) {
  return p.C2 * (rho - p.rho0) + rho * (T - p.Tr) * p.GC;
}
Real LinEosCv(const LinEosParams& p, Real, Real) {
  return p.C;
}
Real LinEosdPdT(const LinEosParams& p, Real rho, Real) {
  return rho * p.GC;
}
Real LinEosTofE(const LinEosParams& p, Real, Real E) {
  return E * p.invC;
}
Real LinEosTofP(const LinEosParams& p, Real rho, Real P) {
  return (P - p.C2 * (rho - p.rho0)) / (rho * p.GC) + p.Tr;
}

EosBindResult PrepareLinEos(LinEosParams& p) {
  if (!(p.C2 != 0 || (p.G != 0 && p.C != 0))) {
    return EosBindResult::Fail("LinEOSPanel", "C2 must not be 0, or G and C must both not be 0");
  }
  // E = C T: without a positive heat capacity there is no temperature to E.
  if (!(p.C > 0)) return EosBindResult::Fail("CEdit", "the heat capacity C must be positive");
  p.GC = p.G * p.C;
  p.invC = 1 / p.C;
  return EosBindResult::Ok();
}

std::string LinEosLabel(const LinEosParams& p, const EosFieldText& text) {
  return "P=" + text("C2Edit", p.C2) + "*(rho-" + text("rho0Edit", p.rho0) + ")+" +
         text("GEdit", p.G) + "*(E-E0)*rho, E=" + text("CEdit", p.C) +
         "*T, T0=" + text("TrEdit", p.Tr);
}

EosDomain LinEosModel::Domain(const LinEosParams& p) {
  const Real lo = p.rho0 > 0 ? 0.8L * p.rho0 : Real(0.1);
  const Real hi = p.rho0 > 0 ? 1.5L * p.rho0 : Real(10);
  const Real T0 = p.Tr > 1 ? p.Tr : Real(1);
  return {lo, hi, T0, T0 + 3000};
}

// =======================================================================================
// "Metal"
// =======================================================================================

namespace {

constexpr Real kAtomicPressure = 29400;       // GPa per Hartree/bohr^3
constexpr Real kInvTHartree = 1 / 315656.0L;  // t = T / 315656 K

// The cold curve at x = rho_c/rho.
struct MetalCold {
  Real L;   // ln x
  Real xa;  // x^-alpha
  Real xb;  // x^-beta
};
inline MetalCold MetalColdAt(const MetalParams& p, Real rho) {
  const Real L = LogR(p.rho_c / rho);  // rho <= 0: fault seen by the FpGuard
  return {L, ExpR(-p.alpha * L), ExpR(-p.beta * L)};
}
inline Real MetalColdPressure(const MetalParams& p, const MetalCold& c) {
  return kAtomicPressure * (p.PA * c.xa - p.SB * c.xb);
}
inline Real MetalColdEnergy(const MetalParams& p, Real rho, const MetalCold& c) {
  const Real x = p.rho_c / rho;
  return p.EcScale * x * (p.PAa * c.xa - p.SBb * c.xb);
}

// The Grueneisen parameter g = -dln Theta/dln x = (m1 q + 2 m2 q^2 + 3 m3 q^3 + 4 m4 q^4)
// / (3 Theta) with q = x^(-1/3). Without m2 and m3 (the presets) it is rational in
// q^3 = rho/rho_c and needs no root (`L` = ln x is used otherwise). Theta <= 0: a state
// beyond the lattice's range, a fault for the FpGuard.
inline Real MetalGamma(const MetalParams& p, Real rho, Real L) {
  Real den, num;  // Theta/q and its weighted form
  if (p.twoTerm) {
    const Real q3 = rho * p.invRhoC;
    den = p.m1 + p.m4 * q3;
    num = p.m1 + 4 * p.m4 * q3;
  } else {
    const Real q = ExpR(-L / 3);
    den = p.m1 + q * (p.m2 + q * (p.m3 + q * p.m4));
    num = p.m1 + q * (2 * p.m2 + q * (3 * p.m3 + q * 4 * p.m4));
  }
  if (!(den > 0)) return DomainFault();
  return num / (3 * den);
}
inline Real MetalTheta(const MetalParams& p, Real L) {
  const Real q = ExpR(-L / 3);
  const Real Theta = q * (p.m1 + q * (p.m2 + q * (p.m3 + q * p.m4)));
  return Theta > 0 ? Theta : DomainFault();
}

// D(t) and t D'(t).
inline Real MetalD(const MetalParams& p, Real t) {
  return 3 + t * (p.d1 + t * p.d2);
}
inline Real MetalTDprime(const MetalParams& p, Real t) {
  return t * (p.d1 + 2 * t * p.d2);
}

// Thermal energy and heat capacity for given ln(Theta/T).
inline Real MetalThermalE(const MetalParams& p, Real T, Real lnTau) {
  const Real t = T * kInvTHartree;
  return p.Rm * T * (MetalD(p, t) - lnTau * MetalTDprime(p, t));
}
inline Real MetalThermalCv(const MetalParams& p, Real T, Real lnTau) {
  const Real t = T * kInvTHartree;
  return p.Rm * (3 + t * (3 * p.d1 + 5 * t * p.d2) - lnTau * t * (2 * p.d1 + 6 * t * p.d2));
}

}  // namespace

Real MetalColdP(const MetalParams& p, Real rho) {
  return MetalColdPressure(p, MetalColdAt(p, rho));
}

Real MetalE(const MetalParams& p, Real rho, Real T) {
  const MetalCold c = MetalColdAt(p, rho);
  const Real Ec = MetalColdEnergy(p, rho, c);
  if (!p.anharmonic) return Ec + 3 * p.Rm * T;
  return Ec + MetalThermalE(p, T, LogR(MetalTheta(p, c.L) / T));
}

Real MetalP(const MetalParams& p, Real rho, Real T) {
  const MetalCold c = MetalColdAt(p, rho);
  return MetalColdPressure(p, c) +
         rho * p.Rm * T * MetalD(p, T * kInvTHartree) * MetalGamma(p, rho, c.L);
}

Real MetalCv(const MetalParams& p, Real rho, Real T) {
  if (!p.anharmonic) return 3 * p.Rm;
  return MetalThermalCv(p, T, LogR(MetalTheta(p, LogR(p.rho_c / rho)) / T));
}

Real MetaldPdT(const MetalParams& p, Real rho, Real T) {
  const Real g = MetalGamma(p, rho, p.twoTerm ? Real(0) : LogR(p.rho_c / rho));
  const Real t = T * kInvTHartree;
  return rho * p.Rm * g * (3 + t * (2 * p.d1 + 3 * t * p.d2));
}

// Closed forms for the classical lattice; with the anharmonic terms a Newton iteration
// from the classical temperature.
Real MetalTofE(const MetalParams& p, Real rho, Real E) {
  const MetalCold c = MetalColdAt(p, rho);
  const Real Ec = MetalColdEnergy(p, rho, c);
  const Real T0 = (E - Ec) / (3 * p.Rm);
  if (!p.anharmonic) return T0;
  const Real Theta = MetalTheta(p, c.L);
  return IncreasingRoot(T0, E - Ec, [&p, Theta](Real T, Real& F, Real& D) {
    const Real lnTau = LogR(Theta / T);
    F = MetalThermalE(p, T, lnTau);
    D = MetalThermalCv(p, T, lnTau);
  });
}

Real MetalTofP(const MetalParams& p, Real rho, Real P) {
  const MetalCold c = MetalColdAt(p, rho);
  const Real Pth = P - MetalColdPressure(p, c);
  const Real k = rho * p.Rm * MetalGamma(p, rho, c.L);  // Pth = k T D(t)
  const Real T0 = Pth / (3 * k);
  if (!p.anharmonic) return T0;
  return IncreasingRoot(T0, Pth, [&p, k](Real T, Real& F, Real& D) {
    const Real t = T * kInvTHartree;
    F = k * T * MetalD(p, t);
    D = k * (3 + t * (2 * p.d1 + 3 * t * p.d2));
  });
}

EosBindResult PrepareMetal(MetalParams& p) {
  // In the order the metal dialog checks them, then what the formulas divide by.
  if (p.PA == 0) return EosBindResult::Fail("PA", "PA must not be 0");
  if (p.alpha == 0) return EosBindResult::Fail("alpha", "alpha must not be 0");
  if (p.SB == 0) return EosBindResult::Fail("SB", "SB must not be 0");
  if (p.beta == 0) return EosBindResult::Fail("beta", "beta must not be 0");
  if (!(p.rho_c > 0)) return EosBindResult::Fail("rho_c", "rho_c must be positive");
  if (p.alpha == 1)
    return EosBindResult::Fail("alpha", "alpha must not be 1 (the cold energy has alpha - 1)");
  if (p.beta == 1)
    return EosBindResult::Fail("beta", "beta must not be 1 (the cold energy has beta - 1)");
  if (!(p.AtomMass > 0)) return EosBindResult::Fail("AtomMass", "the atomic mass must be positive");
  p.alpha1 = p.alpha - 1;
  p.beta1 = p.beta - 1;
  p.PAa = p.PA / p.alpha1;
  p.SBb = p.SB / p.beta1;
  p.EcScale = kAtomicPressure / p.rho_c;
  p.invRhoC = 1 / p.rho_c;
  p.Rm = kRgas / p.AtomMass;
  p.anharmonic = p.d1 != 0 || p.d2 != 0;
  p.twoTerm = p.m2 == 0 && p.m3 == 0;
  // Zero of the cold pressure, PA x^-alpha = SB x^-beta, when there is one.
  p.rhoZero = 0;
  Real xZero = 1;
  if (p.PA * p.SB > 0 && p.alpha != p.beta) {
    xZero = std::exp(std::log(p.SB / p.PA) / (p.beta - p.alpha));
    p.rhoZero = p.rho_c / xZero;
  }
  const Real q = std::exp(-std::log(xZero) / 3);
  const Real Theta = q * (p.m1 + q * (p.m2 + q * (p.m3 + q * p.m4)));
  if (!(Theta > 0)) {
    return EosBindResult::Fail("m1",
                               "m1..m4 must give a positive lattice temperature at the density of "
                               "zero cold pressure");
  }
  return EosBindResult::Ok();
}

// No choice counts as "Any": the parameters typed by hand.
std::string MetalLabel(const MetalParams& p) {
  return MaterialLabel("Metal - ", kMetalPresets, p.material < 0 ? 0 : p.material);
}

// From 20 % stretched (above the spinodal of the cold curve, near 0.68 of the zero
// density for Al and Cu) to twofold compression.
EosDomain MetalModel::Domain(const MetalParams& p) {
  const Real r0 = p.rhoZero > 0 ? p.rhoZero : p.rho_c;
  return {0.8L * r0, 2 * r0, 10, 1e4L};
}

// =======================================================================================
// "TConduct"
// =======================================================================================

Real TConductE(const TConductParams& p, Real rho, Real T) {
  return p.ElEnergy(rho, T);
}
Real TConductP(const TConductParams& p, Real, Real) {
  return *p.Pout;
}
Real TConductCv(const TConductParams& p, Real rho, Real T) {
  return p.ElHeatCap(rho, T);
}

EosBindResult PrepareTConduct(TConductParams& p) {
  if (!p.ElEnergy || !p.ElHeatCap) {
    return EosBindResult::Fail(
        "",
        "\"TConduct\" needs the electron energy and heat capacity of an electron "
        "model");
  }
  if (p.Pout == nullptr)
    return EosBindResult::Fail("", "\"TConduct\" needs the run's outer pressure");
  return EosBindResult::Ok();
}

}  // namespace tarvex
