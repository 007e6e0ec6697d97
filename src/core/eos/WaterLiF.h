// The phase-aware equations of state with their own phase diagram and heat conductivity:
// "Water2MG" (water with a liquid-vapour coexistence region bounded by fitted saturation
// densities) and "LiF" (lithium fluoride with fitted solidus and liquidus densities).
// Physical units (EosScale 1e5): rho g/cm3, T K, P GPa, E kJ/g, Cv kJ/g/K, kappa kW/cm/K.
//
// Both models are piecewise in (rho, T): every function first finds the phase of the
// state, then evaluates that phase's formulas. Cv and dP/dT are the exact T-derivatives of
// E and P in every phase, the two-phase (latent-heat) terms included, and the inverses
// are cycle-guarded Newton iterations on E and P with them, from the start values of the
// models' closed-form single-phase estimates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Real.h"
#include "core/eos/AnalyticEos.h"
#include "core/eos/PhaseCode.h"

namespace tarvex {

// =======================================================================================
// "Water2MG". x = rho/rho0.
//   cold     P0(x) = A x^-bet exp(b (1 - x^-bet)) - K x^ksi,
//            E0(x) = A/(bet b rho0) (exp(b (1 - x^-bet)) + 1) - K/(ksi rho0) (x^ksi + 1)
//   Grueneisen-type G(x) = (rho0 R/m_at)(a0 + (1 - a0) e^-(x/re0)^pe0 + a1 e^-(x/re1)^pe1
//                                        + a2 e^-(x/re2)^pe2)
//   single phase  Ps(rho, T) = x (P0(x) + T G(x));  E = E0(x) + Cv_phase T + e_phase
//            (liquid Cvl, e_l = (Cvg - Cvl) Tc; gas Cvg, 0; fluid Cvf, e_f = (Cvg - Cvf) Tc,
//             so that all three meet at Tc)
//   saturation densities rho_l(T), rho_g(T) (fits in tau = T/Tc), both rho_c at Tc
//   coexistence (phase 4): P = Ps(rho_g, T), E = (1 - w) Eg(rho_g) + w El(rho_l) with the
//            liquid mass fraction w = (1 - rho_g/rho)/(1 - rho_g/rho_l).
// Single phases derive from one free energy each (E linear in T, P linear in T); the
// coexistence region uses the fitted saturation curves. The conductivity blends a liquid
// and a gas law with the exponent sk.
// Phase codes: 0 fluid (T >= Tc), 3 liquid, 4 liquid + vapour, 5 gas; -3 and -5 where the
// fitted saturation densities cross (no coexistence width).
// Finite by construction for every state: at T <= 0 the saturation densities take their
// limits (rho_l = rho_c, rho_g = 0), at rho <= 0 the cold part its limit x -> 0 (P0 = G =
// 0); only the conductivity at T <= 0 faults (logarithm). The saturation fits hold above
// the triple point: the inverses seek T there and continue below linearly.
// =======================================================================================
struct Water2MGParams {
  Real rho0 = 0.9982L;                                  // rho0Edit [g/cm3]
  Real A = 0.6726L, bet = 0.3333L, b = 11.55L;          // AEdit, betEdit, bEdit [GPa, -, -]
  Real K = 1.15L, ksi = 0.85L;                          // KEdit [GPa], ksiEdit
  Real m_at = 18.01528L;                                // matEdit [g/mol]
  Real a0 = 2.95L, re0 = 0.5273L, pe0 = 1.7L;           // G(x)
  Real a1 = 2.408L, re1 = 1.0904L, pe1 = -3.5L;         // G(x)
  Real a2 = 12.151L, re2 = 1.3927L, pe2 = -5;           // G(x)
  Real Cvl = 0.00415L, Cvg = 0.00143L, Cvf = 0.00244L;  // [kJ/g/K]
  Real Tc = 647.27L, rho_c = 0.3178L;                   // critical point [K, g/cm3]
  Real lw = 3.87435386293515L;                          // liquid saturation density
  Real bl0 = 77.5286012901242L, bl1 = -224.338791288592L, bl2 = 463.694546493624L;
  Real bl3 = -663.000909095326L, bl4 = 497.736478516289L;
  Real pgb = 1.68629860119783L, az0 = 8.38861286608115L;  // gas saturation density
  Real bz0 = -3.80691366510148L, bz1 = 7.57753915729423L, bz2 = 2.4342926080669L;
  Real Meta = 0;                                        // CheckMeta: 1 = metastable liquid
  Real ak = 2993.05303385956L, bk = 1.17944727140307L;  // liquid conductivity
  Real ck = 3.42892394038596E-007L, dk = 2.73382680883969E-007L, hk = 13.0155961023242L;
  Real p0k = 0.025L;                                    // [GPa]
  Real k0 = 2373.96055272624L, T0k = 7842.2141452454L;  // gas conductivity [-, K]
  // derived
  Real invRho0 = 0;
  Real EA = 0, EK = 0;  // A/(bet b rho0), K/(ksi rho0)
  Real Gs = 0;          // rho0 R/m_at
  Real lnRe0 = 0, lnRe1 = 0, lnRe2 = 0;
  int32_t halfPe0 = 0, halfPe1 = 0, halfPe2 = 0;  // 2 pe when it is a small integer, else 0
  Real bl5 = 0;
  Real invLw = 0, invPgb = 0, invTc = 0;
  Real Tfloor = 0;  // K: lowest temperature the inverses seek (the triple point)
  Real e_l = 0, e_f = 0;
  bool meta = false;
  Real lnAk = 0, lnK0 = 0, lnT0k = 0, invP0k = 0;
};

// The phase state of (rho, T): the code and, below Tc, the saturation densities and the
// liquid mass fraction of the coexistence region.
struct WaterPhaseState {
  PhaseCode code = 0;
  Real rho_g = 0;  // g/cm3 (0 where not needed)
  Real rho_l = 0;
  Real w = 0;  // liquid mass fraction (phase 4)
};
WaterPhaseState Water2MGPhase(const Water2MGParams& p, Real rho, Real T);
Real Water2MGLiquidDensity(const Water2MGParams& p, Real T);           // rho_l(T)
Real Water2MGGasDensity(const Water2MGParams& p, Real T);              // rho_g(T)
Real Water2MGSinglePhaseP(const Water2MGParams& p, Real rho, Real T);  // Ps(rho, T)

Real Water2MGE(const Water2MGParams& p, Real rho, Real T);
Real Water2MGP(const Water2MGParams& p, Real rho, Real T);
Real Water2MGCv(const Water2MGParams& p, Real rho, Real T);
Real Water2MGdPdT(const Water2MGParams& p, Real rho, Real T);
Real Water2MGTofE(const Water2MGParams& p, Real rho, Real E);
Real Water2MGTofP(const Water2MGParams& p, Real rho, Real P);
Real Water2MGKappa(const Water2MGParams& p, Real rho, Real T);
int32_t Water2MGPhaseId(const Water2MGParams& p, Real rho, Real T);
int32_t Water2MGPhaseColor(const Water2MGParams& p, Real rho, Real T);
bool Water2MGHasVapour(const Water2MGParams& p, Real rho, Real T);  // phase is not 3
Real Water2MGLiquidFraction(const Water2MGParams& p, Real rho, Real T);
EosBindResult PrepareWater2MG(Water2MGParams& p);

inline constexpr EosParamInfo kWater2MGParams[] = {
    ParamAbove("rho0Edit", "g/cm3", 0.9982L, 0, "reference density (x = rho/rho0)"),
    ParamAny("AEdit", "GPa", 0.6726L, "cold pressure: A"),
    ParamNonZero("betEdit", "", 0.3333L, "cold pressure: exponent bet"),
    ParamNonZero("bEdit", "", 11.55L, "cold pressure: b"),
    ParamAny("KEdit", "GPa", 1.15L, "cold pressure: K"),
    ParamNonZero("ksiEdit", "", 0.85L, "cold pressure: exponent ksi"),
    ParamAbove("matEdit", "g/mol", 18.01528L, 0, "molar mass"),
    ParamAny("a0Edit", "", 2.95L, "G(x): a0"),
    ParamAbove("re0Edit", "", 0.5273L, 0, "G(x): re0"),
    ParamAny("pe0Edit", "", 1.7L, "G(x): pe0"),
    ParamAny("a1Edit", "", 2.408L, "G(x): a1"),
    ParamAbove("re1Edit", "", 1.0904L, 0, "G(x): re1"),
    ParamAny("pe1Edit", "", -3.5L, "G(x): pe1"),
    ParamAny("a2Edit", "", 12.151L, "G(x): a2"),
    ParamAbove("re2Edit", "", 1.3927L, 0, "G(x): re2"),
    ParamAny("pe2Edit", "", -5, "G(x): pe2"),
    ParamAbove("CvlEdit", "kJ/g/K", 0.00415L, 0, "heat capacity of the liquid"),
    ParamAbove("CvgEdit", "kJ/g/K", 0.00143L, 0, "heat capacity of the gas"),
    ParamAbove("CvfEdit", "kJ/g/K", 0.00244L, 0, "heat capacity of the supercritical fluid"),
    ParamAbove("TcEdit", "K", 647.27L, 0, "critical temperature"),
    ParamAbove("rhocEdit", "g/cm3", 0.3178L, 0, "critical density"),
    ParamAbove("lwEdit", "", 3.87435386293515L, 0, "liquid saturation density: lw"),
    ParamAny("bl0Edit", "", 77.5286012901242L, "liquid saturation density: bl0"),
    ParamAny("bl1Edit", "", -224.338791288592L, "liquid saturation density: bl1"),
    ParamAny("bl2Edit", "", 463.694546493624L, "liquid saturation density: bl2"),
    ParamAny("bl3Edit", "", -663.000909095326L, "liquid saturation density: bl3"),
    ParamAny("bl4Edit", "", 497.736478516289L, "liquid saturation density: bl4"),
    ParamAbove("pgbEdit", "", 1.68629860119783L, 0, "gas saturation density: pgb"),
    ParamAny("az0Edit", "", 8.38861286608115L, "gas saturation density: az0"),
    ParamAny("bz0Edit", "", -3.80691366510148L, "gas saturation density: bz0"),
    ParamAny("bz1Edit", "", 7.57753915729423L, "gas saturation density: bz1"),
    ParamAny("bz2Edit", "", 2.4342926080669L, "gas saturation density: bz2"),
    ParamFlag("CheckMeta", 0, "1: metastable liquid (no coexistence on the dense side)"),
    ParamAbove("akEdit", "", 2993.05303385956L, 0, "liquid conductivity: ak"),
    ParamAny("bkEdit", "", 1.17944727140307L, "liquid conductivity: bk"),
    ParamAny("ckEdit", "", 3.42892394038596E-007L, "liquid conductivity: ck"),
    ParamAny("dkEdit", "", 2.73382680883969E-007L, "liquid conductivity: dk"),
    ParamAny("hkEdit", "", 13.0155961023242L, "liquid conductivity: hk"),
    ParamAbove("p0kEdit", "GPa", 0.025L, 0, "pressure below which the liquid conductivity drops"),
    ParamAbove("k0Edit", "", 2373.96055272624L, 0, "gas conductivity: k0"),
    ParamAbove("T0kEdit", "K", 7842.2141452454L, 0, "gas conductivity: T0k"),
};
inline constexpr Real Water2MGParams::*kWater2MGFields[] = {
    &Water2MGParams::rho0,  &Water2MGParams::A,   &Water2MGParams::bet,  &Water2MGParams::b,
    &Water2MGParams::K,     &Water2MGParams::ksi, &Water2MGParams::m_at, &Water2MGParams::a0,
    &Water2MGParams::re0,   &Water2MGParams::pe0, &Water2MGParams::a1,   &Water2MGParams::re1,
    &Water2MGParams::pe1,   &Water2MGParams::a2,  &Water2MGParams::re2,  &Water2MGParams::pe2,
    &Water2MGParams::Cvl,   &Water2MGParams::Cvg, &Water2MGParams::Cvf,  &Water2MGParams::Tc,
    &Water2MGParams::rho_c, &Water2MGParams::lw,  &Water2MGParams::bl0,  &Water2MGParams::bl1,
    &Water2MGParams::bl2,   &Water2MGParams::bl3, &Water2MGParams::bl4,  &Water2MGParams::pgb,
    &Water2MGParams::az0,   &Water2MGParams::bz0, &Water2MGParams::bz1,  &Water2MGParams::bz2,
    &Water2MGParams::Meta,  &Water2MGParams::ak,  &Water2MGParams::bk,   &Water2MGParams::ck,
    &Water2MGParams::dk,    &Water2MGParams::hk,  &Water2MGParams::p0k,  &Water2MGParams::k0,
    &Water2MGParams::T0k};

struct Water2MGModel : EosModelTraits<Water2MGParams> {
  static constexpr int32_t kIndex = 14;
  static constexpr const char* kId = "water2mg";
  static constexpr const char* kCaption = "Water2MG";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kWater2MGParams;
  static constexpr std::span<Real Water2MGParams::*const> kFields = kWater2MGFields;
  static constexpr RealFn E = &Water2MGE;
  static constexpr RealFn P = &Water2MGP;
  static constexpr RealFn Cv = &Water2MGCv;
  static constexpr RealFn dPdT = &Water2MGdPdT;
  static constexpr RealFn TofE = &Water2MGTofE;
  static constexpr RealFn TofP = &Water2MGTofP;
  static constexpr RealFn Kappa = &Water2MGKappa;
  static constexpr IntFn PhaseId = &Water2MGPhaseId;
  static constexpr IntFn PhaseColor = &Water2MGPhaseColor;
  static constexpr PredFn IsMelted = &EosTrue<Water2MGParams>;
  static constexpr PredFn HasVapour = &Water2MGHasVapour;
  static constexpr PredFn IsFluidVapour = &Water2MGHasVapour;
  static constexpr RealFn LiquidFraction = &Water2MGLiquidFraction;
  static constexpr EosColorRule kColor = EosColorRule::Model;
  static constexpr EosSlotMask kHot =
      kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE | kSlotKappa;
  static EosBindResult Prepare(Water2MGParams& p) { return PrepareWater2MG(p); }
  // Vapour, liquid and dense fluid from 280 K to twice the critical temperature.
  static EosDomain Domain(const Water2MGParams& p) { return {1e-4L, 1.2L * p.rho0, 280, 2 * p.Tc}; }
  static std::optional<std::string> Label(const Water2MGParams&, const EosFieldText&, bool) {
    return std::string("Water MG");
  }
};

// =======================================================================================
// "LiF". x = rho/rho0; two branches (s = solid, l = liquid) with
//   Pc(x) = P00 x (ra x^a - rb x^b),  PT(x) = P0T x ((a0 + a1 x)/(1 + b2 x^2) + CG),
//   Ec(x) = E00 (ra x^a/a - rb x^b/b),  E = Ec + C T,  P = Pc + T PT,
// solidus  xs(T) = x0s + x1s sqrt(t1s^2 + cts),             t1s = T/T0s - 1,
// liquidus xl(T) = x0l + x2l t1l^2 + x3l t1l^3 + x4l t1l^4,  t1l = T/T0l - 1
// (one form of each curve for every function: these put the melting of LiF at normal
// pressure near 1120 K between the densities 2.35 (solid) and 1.82 (liquid)).
// Phases: x >= xs solid (1); xl < x < xs melting band (2): the pressure of the liquid at
// xl, the energy interpolated linearly in x between El(xl) and Es(xs); x <= xl liquid (3),
// or 5 below x0l where the liquid pressure is positive. kappa = rho kappa_Tr Tr/(rho0 T).
// Finite for every rho > 0 and finite T; rho <= 0 faults (logarithm of x), and so does
// kappa at T = 0 (division by zero). The inverses return at least 0.
// =======================================================================================
struct LiFBranch {
  Real P00, E00, ra, a, rb, b;  // cold curve
  Real P0T, a0, a1, b2, CG;     // thermal pressure
  Real invA, invB;              // 1/a, 1/b
};

struct LiFParams {
  Real rho0 = 2.64L;    // g/cm3
  Real C = 0.0019222L;  // kJ/g/K
  Real P00s = 60.5065L, E00s = 22.9191L, P00l = 36.153L, E00l = 13.1622L;
  Real ras = 0.94507L, as = 1.73419L, rbs = 0.983977L, bs = 0.49582L;
  Real ral = 1.58905L, al = 1.81591L, rbl = 1.1226L, bl = 0.453437L;
  Real P0Ts = 0.00507442L, a0s = 0.248464L, a1s = 3.84065L, b2s = 2.55916L, G0s = 0.418203L;
  Real P0Tl = 0.00507442L, a0l = 0.3L, a1l = 0.490835L, b2l = 0.287992L, G0l = 0.366667L;
  Real x0s = 0.000103186L, x1s = 0.525254L, cts = 2.87343L, T0s = 977.639L;
  Real x0l = 0.655402L, x2l = 0.0820433L, x3l = -0.0106093L, x4l = 0.000550099L;
  Real T0l = 675.001L;
  Real kappa_Tr = 0.00014L;  // kW/cm/K at Tr and rho0
  Real Tr = 300;             // K
  // derived
  LiFBranch solid{}, liquid{};
  Real invRho0 = 0, invC = 0, invT0s = 0, invT0l = 0;
  Real kappaScale = 0;  // kappa_Tr Tr/rho0
};

// The phase of (rho, T) and the boundary densities at T (as ratios to rho0).
struct LiFPhaseState {
  PhaseCode code = 0;
  Real x = 0, xs = 0, xl = 0;
};
LiFPhaseState LiFPhase(const LiFParams& p, Real rho, Real T);
Real LiFSolidus(const LiFParams& p, Real T);   // xs(T)
Real LiFLiquidus(const LiFParams& p, Real T);  // xl(T)

Real LiFE(const LiFParams& p, Real rho, Real T);
Real LiFP(const LiFParams& p, Real rho, Real T);
Real LiFCv(const LiFParams& p, Real rho, Real T);
Real LiFdPdT(const LiFParams& p, Real rho, Real T);
Real LiFTofE(const LiFParams& p, Real rho, Real E);
Real LiFTofP(const LiFParams& p, Real rho, Real P);
Real LiFKappa(const LiFParams& p, Real rho, Real T);
int32_t LiFPhaseId(const LiFParams& p, Real rho, Real T);
int32_t LiFPhaseColor(const LiFParams& p, Real rho, Real T);
bool LiFIsMelted(const LiFParams& p, Real rho, Real T);  // rho < xs(T) rho0
Real LiFSolidFraction(const LiFParams& p, Real rho, Real T);
Real LiFLiquidFraction(const LiFParams& p, Real rho, Real T);
EosBindResult PrepareLiF(LiFParams& p);

inline constexpr EosParamInfo kLiFParams[] = {
    ParamAbove("rho0Edit", "g/cm3", 2.64L, 0, "reference density (x = rho/rho0)"),
    ParamAbove("CvEdit", "kJ/g/K", 0.0019222L, 0, "heat capacity C"),
    ParamAny("P00sEdit", "GPa", 60.5065L, "solid cold pressure: P00s"),
    ParamAny("E00sEdit", "kJ/g", 22.9191L, "solid cold energy: E00s"),
    ParamAny("P00lEdit", "GPa", 36.153L, "liquid cold pressure: P00l"),
    ParamAny("E00lEdit", "kJ/g", 13.1622L, "liquid cold energy: E00l"),
    ParamAny("rasEdit", "", 0.94507L, "solid cold curve: ras"),
    ParamNonZero("asEdit", "", 1.73419L, "solid cold curve: exponent as"),
    ParamAny("rbsEdit", "", 0.983977L, "solid cold curve: rbs"),
    ParamNonZero("bsEdit", "", 0.49582L, "solid cold curve: exponent bs"),
    ParamAny("ralEdit", "", 1.58905L, "liquid cold curve: ral"),
    ParamNonZero("alEdit", "", 1.81591L, "liquid cold curve: exponent al"),
    ParamAny("rblEdit", "", 1.1226L, "liquid cold curve: rbl"),
    ParamNonZero("blEdit", "", 0.453437L, "liquid cold curve: exponent bl"),
    ParamAny("P0TsEdit", "GPa/K", 0.00507442L, "solid thermal pressure: P0Ts"),
    ParamAny("a0sEdit", "", 0.248464L, "solid thermal pressure: a0s"),
    ParamAny("a1sEdit", "", 3.84065L, "solid thermal pressure: a1s"),
    ParamAtLeast("b2sEdit", "", 2.55916L, 0, "solid thermal pressure: b2s"),
    ParamAny("G0sEdit", "", 0.418203L, "solid thermal pressure: CGs"),
    ParamAny("P0TlEdit", "GPa/K", 0.00507442L, "liquid thermal pressure: P0Tl"),
    ParamAny("a0lEdit", "", 0.3L, "liquid thermal pressure: a0l"),
    ParamAny("a1lEdit", "", 0.490835L, "liquid thermal pressure: a1l"),
    ParamAtLeast("b2lEdit", "", 0.287992L, 0, "liquid thermal pressure: b2l"),
    ParamAny("G0lEdit", "", 0.366667L, "liquid thermal pressure: CGl"),
    ParamAny("x0sEdit", "", 0.000103186L, "solidus: x0s"),
    ParamAbove("x1sEdit", "", 0.525254L, 0, "solidus: x1s"),
    ParamAtLeast("ctsEdit", "", 2.87343L, 0, "solidus: cts"),
    ParamAbove("T0sEdit", "K", 977.639L, 0, "solidus: T0s"),
    ParamAny("x0lEdit", "", 0.655402L, "liquidus: x0l"),
    ParamAny("x2lEdit", "", 0.0820433L, "liquidus: x2l"),
    ParamAny("x3lEdit", "", -0.0106093L, "liquidus: x3l"),
    ParamAny("x4lEdit", "", 0.000550099L, "liquidus: x4l"),
    ParamAbove("T0lEdit", "K", 675.001L, 0, "liquidus: T0l"),
    ParamAtLeast("kappa_TrEdit", "kW/cm/K", 0.00014L, 0, "conductivity at Tr and rho0"),
    ParamAbove("TrEdit", "K", 300, 0, "reference temperature of the conductivity"),
};
inline constexpr Real LiFParams::*kLiFFields[] = {
    &LiFParams::rho0, &LiFParams::C,   &LiFParams::P00s, &LiFParams::E00s,     &LiFParams::P00l,
    &LiFParams::E00l, &LiFParams::ras, &LiFParams::as,   &LiFParams::rbs,      &LiFParams::bs,
    &LiFParams::ral,  &LiFParams::al,  &LiFParams::rbl,  &LiFParams::bl,       &LiFParams::P0Ts,
    &LiFParams::a0s,  &LiFParams::a1s, &LiFParams::b2s,  &LiFParams::G0s,      &LiFParams::P0Tl,
    &LiFParams::a0l,  &LiFParams::a1l, &LiFParams::b2l,  &LiFParams::G0l,      &LiFParams::x0s,
    &LiFParams::x1s,  &LiFParams::cts, &LiFParams::T0s,  &LiFParams::x0l,      &LiFParams::x2l,
    &LiFParams::x3l,  &LiFParams::x4l, &LiFParams::T0l,  &LiFParams::kappa_Tr, &LiFParams::Tr};

struct LiFModel : EosModelTraits<LiFParams> {
  static constexpr int32_t kIndex = 15;
  static constexpr const char* kId = "lif";
  static constexpr const char* kCaption = "LiF";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kLiFParams;
  static constexpr std::span<Real LiFParams::*const> kFields = kLiFFields;
  static constexpr RealFn E = &LiFE;
  static constexpr RealFn P = &LiFP;
  static constexpr RealFn Cv = &LiFCv;
  static constexpr RealFn dPdT = &LiFdPdT;
  static constexpr RealFn TofE = &LiFTofE;
  static constexpr RealFn TofP = &LiFTofP;
  static constexpr RealFn Kappa = &LiFKappa;
  static constexpr IntFn PhaseId = &LiFPhaseId;
  static constexpr IntFn PhaseColor = &LiFPhaseColor;
  static constexpr PredFn IsMelted = &LiFIsMelted;
  static constexpr PredFn HasVapour = &EosFalse<LiFParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<LiFParams>;
  static constexpr RealFn LiquidFraction = &LiFLiquidFraction;
  static constexpr RealFn SolidFraction = &LiFSolidFraction;
  static constexpr EosColorRule kColor = EosColorRule::Model;
  static constexpr EosSlotMask kHot =
      kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE | kSlotKappa;
  static EosBindResult Prepare(LiFParams& p) { return PrepareLiF(p); }
  // The crystal at room temperature, its melting band and the compressed liquid.
  static EosDomain Domain(const LiFParams& p) {
    return {0.97L * p.rho0, 1.25L * p.rho0, 300, 3000};
  }
  static std::optional<std::string> Label(const LiFParams&, const EosFieldText&, bool) {
    return std::string("LiF");
  }
};

}  // namespace tarvex
