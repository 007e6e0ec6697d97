// The simple analytic equations of state: "LJ - Ree" (Lennard-Jones fluid), "Solid",
// "Comb L+S" (smooth mixture of the two), "Metal" (cold curve with a quasi-harmonic
// lattice), "TConduct" (heat conduction without mechanics), "Ideal gas of:", "PGlass",
// "Water-a" and "LinEOS".
//
// Each model: a parameter struct (the user-facing parameters, then the constants its
// Prepare function derives once when the model is accepted), free functions
// f(params, rho, x) for its slots, a label function, and a traits struct (see
// AnalyticEos.h) that describes it for the catalog. "LJ - Ree", "Solid", "Comb L+S" and
// "TConduct" work in reduced units (EosScale 1); the others in g/cm3, K, kJ/g, GPa.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/AnalyticEos.h"

namespace tarvex {

// Gas constant per gram-atom [kJ/(g K) per g/mol]: R / M is the specific gas constant.
inline constexpr Real kRgas = 0.008318377240488L;

// =======================================================================================
// "LJ - Ree": Lennard-Jones fluid, reduced units. n = rho/M, y = n T^(-1/4); the fit of
// the excess free energy gives E, P, Cv and dP/dT (mutually exact derivatives of one free
// energy; the coefficients C1, C2, C3 are in SimpleModels.cpp). The inverses are Newton
// iterations from the closed-form start values of the fit with y frozen. Out of range:
// T < 0 takes the root of a negative number and T = 0 divides by zero, both faults the
// FpGuard sees; rho = 0 is the ideal gas.
// =======================================================================================
struct LjReeParams {
  Real gamma = 5.0L / 3;  // adiabatic exponent of the ideal part
  Real AtomMass = 0;      // M
  // derived
  Real cv = 0;    // 1/((gamma - 1) M)
  Real invM = 0;  // 1/M
};

Real LjReeE(const LjReeParams& p, Real rho, Real T);
Real LjReeP(const LjReeParams& p, Real rho, Real T);
Real LjReeCv(const LjReeParams& p, Real rho, Real T);
Real LjReedPdT(const LjReeParams& p, Real rho, Real T);
Real LjReeTofE(const LjReeParams& p, Real rho, Real E);  // Newton, cycle-guarded
Real LjReeTofP(const LjReeParams& p, Real rho, Real P);  // Newton, cycle-guarded
// The start temperatures of the two inversions.
Real LjReeStartTofE(const LjReeParams& p, Real rho, Real E);
Real LjReeStartTofP(const LjReeParams& p, Real rho, Real P);
EosBindResult PrepareLjRee(LjReeParams& p);
std::string LjReeLabel(const LjReeParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kLjReeParams[] = {
    ParamAbove("gamma", "", 5.0L / 3, 1, "adiabatic exponent of the ideal part"),
    Required(ParamAbove("AtomMass", "", 0, 0, "atom mass M (n = rho / M)")),
};
inline constexpr Real LjReeParams::*kLjReeFields[] = {&LjReeParams::gamma, &LjReeParams::AtomMass};
inline constexpr EosPresetValue kMonatomicOnSelect[] = {{"gamma", 5.0L / 3}};

struct LjReeModel : EosModelTraits<LjReeParams> {
  static constexpr int32_t kIndex = 3;
  static constexpr const char* kId = "lj_ree";
  static constexpr const char* kCaption = "LJ - Ree";
  static constexpr Real kEosScale = 1;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kLjReeParams;
  static constexpr std::span<Real LjReeParams::*const> kFields = kLjReeFields;
  static constexpr std::span<const EosPresetValue> kOnSelect = kMonatomicOnSelect;
  static constexpr RealFn E = &LjReeE;
  static constexpr RealFn P = &LjReeP;
  static constexpr RealFn Cv = &LjReeCv;
  static constexpr RealFn dPdT = &LjReedPdT;
  static constexpr RealFn TofE = &LjReeTofE;
  static constexpr RealFn TofP = &LjReeTofP;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(LjReeParams& p) { return PrepareLjRee(p); }
  static EosDomain Domain(const LjReeParams& p);
  static std::optional<std::string> Label(const LjReeParams& p, const EosFieldText& t, bool) {
    return LjReeLabel(p, t);
  }
};

// =======================================================================================
// "Solid": reduced units, x = rho/M. E = x^2 (6.06593 x^2 - 14.4516)/M + cs T,
// P = x [x^2 (24.26372 x^2 - 28.9032) + 7 T (x^2 + 5/11)/(x^2 + 20/77)]; closed-form
// inverses. Finite for every finite state (rational in x and linear in T).
// =======================================================================================
struct SolidParams {
  Real gamma = 4.0L / 3;  // lattice exponent: cs = 1/((gamma - 1) M)
  Real AtomMass = 0;      // M
  // derived
  Real cs = 0;  // lattice heat capacity
  Real invM = 0;
};

Real SolidE(const SolidParams& p, Real rho, Real T);
Real SolidP(const SolidParams& p, Real rho, Real T);
Real SolidCv(const SolidParams& p, Real rho, Real T);
Real SoliddPdT(const SolidParams& p, Real rho, Real T);
Real SolidTofE(const SolidParams& p, Real rho, Real E);
Real SolidTofP(const SolidParams& p, Real rho, Real P);
EosBindResult PrepareSolid(SolidParams& p);
std::string SolidLabel(const SolidParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kSolidParams[] = {
    ParamAbove("gamma", "", 4.0L / 3, 1, "lattice exponent: cs = 1/((gamma - 1) M)"),
    Required(ParamAbove("AtomMass", "", 0, 0, "atom mass M (x = rho / M)")),
};
inline constexpr Real SolidParams::*kSolidFields[] = {&SolidParams::gamma, &SolidParams::AtomMass};
inline constexpr EosPresetValue kSolidOnSelect[] = {{"gamma", 4.0L / 3}};

struct SolidModel : EosModelTraits<SolidParams> {
  static constexpr int32_t kIndex = 4;
  static constexpr const char* kId = "solid";
  static constexpr const char* kCaption = "Solid";
  static constexpr Real kEosScale = 1;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kSolidParams;
  static constexpr std::span<Real SolidParams::*const> kFields = kSolidFields;
  static constexpr std::span<const EosPresetValue> kOnSelect = kSolidOnSelect;
  static constexpr RealFn E = &SolidE;
  static constexpr RealFn P = &SolidP;
  static constexpr RealFn Cv = &SolidCv;
  static constexpr RealFn dPdT = &SoliddPdT;
  static constexpr RealFn TofE = &SolidTofE;
  static constexpr RealFn TofP = &SolidTofP;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(SolidParams& p) { return PrepareSolid(p); }
  static EosDomain Domain(const SolidParams& p);
  static std::optional<std::string> Label(const SolidParams& p, const EosFieldText& t, bool) {
    return SolidLabel(p, t);
  }
};

// =======================================================================================
// "Comb L+S": the "Solid" functions (cs = 3/M) and the "LJ - Ree" functions mixed with the
// logistic weights ws = 1/(1 + w), wl = w/(1 + w), w = exp((T - Tsl(rho))/DT), with the
// melting line Tsl = T_0 + (T_rho/M) rho and DT = DisT/2. Cv and dP/dT include the
// derivative of the weights, so they are the exact T-derivatives of E and P. The weights
// are formed from exp(-|z|) only and never overflow; T <= 0 faults through the fluid part.
// =======================================================================================
struct CombParams {
  Real gamma = 5.0L / 3;  // adiabatic exponent of the fluid
  Real AtomMass = 0;      // M
  Real T_0 = -4.87773L;   // melting line: offset
  Real T_rho = 6.09091L;  // melting line: slope per n = rho/M
  Real DisT = 0.5L;       // width of the transition
  // derived
  LjReeParams fluid;  // the "LJ - Ree" part with cv = 1/((gamma - 1) M)
  SolidParams solid;  // the "Solid" part with cs = 3/M
  Real TslSlope = 0;  // T_rho / M
  Real invDT = 0;     // 2 / DisT
};

Real CombE(const CombParams& p, Real rho, Real T);
Real CombP(const CombParams& p, Real rho, Real T);
Real CombCv(const CombParams& p, Real rho, Real T);
Real CombdPdT(const CombParams& p, Real rho, Real T);
Real CombTofE(const CombParams& p, Real rho, Real E);
Real CombTofP(const CombParams& p, Real rho, Real P);
bool CombIsMelted(const CombParams& p, Real rho, Real T);  // T >= Tsl(rho)
Real CombTsl(const CombParams& p, Real rho);
EosBindResult PrepareComb(CombParams& p);
std::string CombLabel(const CombParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kCombParams[] = {
    ParamAbove("gamma", "", 5.0L / 3, 1, "adiabatic exponent of the fluid"),
    Required(ParamAbove("AtomMass", "", 0, 0, "atom mass M (n = rho / M)")),
    ParamAny("T_0", "", -4.87773L, "melting line Tsl = T_0 + T_rho n: offset"),
    ParamAny("T_rho", "", 6.09091L, "melting line Tsl = T_0 + T_rho n: slope"),
    ParamAbove("DisT", "", 0.5L, 0, "width of the solid-liquid transition"),
};
inline constexpr Real CombParams::*kCombFields[] = {&CombParams::gamma, &CombParams::AtomMass,
                                                    &CombParams::T_0, &CombParams::T_rho,
                                                    &CombParams::DisT};

struct CombModel : EosModelTraits<CombParams> {
  static constexpr int32_t kIndex = 5;
  static constexpr const char* kId = "comb_ls";
  static constexpr const char* kCaption = "Comb L+S";
  static constexpr Real kEosScale = 1;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kCombParams;
  static constexpr std::span<Real CombParams::*const> kFields = kCombFields;
  static constexpr std::span<const EosPresetValue> kOnSelect = kMonatomicOnSelect;
  static constexpr RealFn E = &CombE;
  static constexpr RealFn P = &CombP;
  static constexpr RealFn Cv = &CombCv;
  static constexpr RealFn dPdT = &CombdPdT;
  static constexpr RealFn TofE = &CombTofE;
  static constexpr RealFn TofP = &CombTofP;
  static constexpr PredFn IsMelted = &CombIsMelted;
  static constexpr PredFn HasVapour = &EosFalse<CombParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<CombParams>;
  static constexpr EosColorRule kColor = EosColorRule::FromPredicates;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(CombParams& p) { return PrepareComb(p); }
  static EosDomain Domain(const CombParams& p);
  static std::optional<std::string> Label(const CombParams& p, const EosFieldText& t, bool) {
    return CombLabel(p, t);
  }
};

// =======================================================================================
// "Ideal gas of:": a monatomic (gamma 5/3) gas of a metal's atoms in physical units.
// Rm = R/M; E = Rm T/(gamma - 1), P = rho Rm T. Finite for every finite state (TofP at
// rho = 0 divides by zero, a fault the FpGuard sees).
// =======================================================================================
struct IdealGasOfParams {
  Real gamma = 5.0L / 3;
  Real AtomMass = 0;      // g/mol
  int32_t material = -1;  // index into kIdealGasOfPresets (Al, Cu, Au), -1 none chosen
  // derived
  Real Rm = 0;  // R/M [kJ/g/K]
  Real cv = 0;  // Rm/(gamma - 1)
  Real invCv = 0;
  Real invRm = 0;
};

Real IdealGasOfE(const IdealGasOfParams& p, Real rho, Real T);
Real IdealGasOfP(const IdealGasOfParams& p, Real rho, Real T);
Real IdealGasOfCv(const IdealGasOfParams& p, Real rho, Real T);
Real IdealGasOfdPdT(const IdealGasOfParams& p, Real rho, Real T);
Real IdealGasOfTofE(const IdealGasOfParams& p, Real rho, Real E);
Real IdealGasOfTofP(const IdealGasOfParams& p, Real rho, Real P);
EosBindResult PrepareIdealGasOf(IdealGasOfParams& p);
std::string IdealGasOfLabel(const IdealGasOfParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kIdealGasOfParams[] = {
    ParamAbove("gamma", "", 5.0L / 3, 1, "adiabatic exponent"),
    Required(ParamAbove("AtomMass", "g/mol", 0, 0, "atomic mass")),
};
inline constexpr Real IdealGasOfParams::*kIdealGasOfFields[] = {&IdealGasOfParams::gamma,
                                                                &IdealGasOfParams::AtomMass};
inline constexpr EosPresetValue kIdealGasAl[] = {{"AtomMass", 26.98L}};
inline constexpr EosPresetValue kIdealGasCu[] = {{"AtomMass", 63.54L}};
inline constexpr EosPresetValue kIdealGasAu[] = {{"AtomMass", 197.2L}};
inline constexpr EosPreset kIdealGasOfPresets[] = {
    {"Al", kIdealGasAl}, {"Cu", kIdealGasCu}, {"Au", kIdealGasAu}};

struct MetalVapourModel : EosModelTraits<IdealGasOfParams> {
  static constexpr int32_t kIndex = 8;
  static constexpr const char* kId = "ideal_gas_of";
  static constexpr const char* kCaption = "Ideal gas of:";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kIdealGasOfParams;
  static constexpr std::span<Real IdealGasOfParams::*const> kFields = kIdealGasOfFields;
  static constexpr std::span<const EosPreset> kPresets = kIdealGasOfPresets;
  static constexpr std::span<const EosPresetValue> kOnSelect = kMonatomicOnSelect;
  static constexpr const char* kMaterialList = "Metal";
  static constexpr RealFn E = &IdealGasOfE;
  static constexpr RealFn P = &IdealGasOfP;
  static constexpr RealFn Cv = &IdealGasOfCv;
  static constexpr RealFn dPdT = &IdealGasOfdPdT;
  static constexpr RealFn TofE = &IdealGasOfTofE;
  static constexpr RealFn TofP = &IdealGasOfTofP;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(IdealGasOfParams& p) { return PrepareIdealGasOf(p); }
  static EosDomain Domain(const IdealGasOfParams& p);
  static std::optional<std::string> Label(const IdealGasOfParams& p, const EosFieldText& t, bool) {
    return IdealGasOfLabel(p, t);
  }
};

// =======================================================================================
// "PGlass": a glass with a barotropic pressure
//   P(rho) = ((rho - RhoM)^2 B + A) (rho - Rho0) exp(E rho)   [GPa],
// E = c T, c = 0.001 C (C in J/K/g). Also defines TofE = E/c and dP/dT = 0 (exact).
// Finite by construction up to the overflow of exp(E rho), which the FpGuard sees.
// =======================================================================================
struct PGlassParams {
  Real Rho0 = 2.23L;  // g/cm3, zero of the pressure
  Real A = 10.3L;     // GPa cm3/g
  Real B = 5.047L;    // GPa (cm3/g)^3
  Real RhoM = 3.52L;  // g/cm3
  Real Eexp = 0.13L;  // cm3/g: the exponent coefficient (field "E")
  Real C = 0.83L;     // J/K/g
  // derived
  Real c = 0;  // 0.001 C [kJ/g/K]
  Real invC = 0;
};

Real PGlassE(const PGlassParams& p, Real rho, Real T);
Real PGlassP(const PGlassParams& p, Real rho, Real T);
Real PGlassCv(const PGlassParams& p, Real rho, Real T);
Real PGlassdPdT(const PGlassParams& p, Real rho, Real T);
Real PGlassTofE(const PGlassParams& p, Real rho, Real E);
EosBindResult PreparePGlass(PGlassParams& p);
// The formula line (InfoLabel1).
std::string PGlassFormula(const PGlassParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kPGlassParams[] = {
    ParamAny("Rho0", "g/cm3", 2.23L, "density of zero pressure"),
    ParamAny("A", "GPa cm3/g", 10.3L, "P = ((rho - RhoM)^2 B + A)(rho - Rho0) exp(E rho): A"),
    ParamAny("B", "GPa cm9/g3", 5.047L, "coefficient B of (rho - RhoM)^2"),
    ParamAny("RhoM", "g/cm3", 3.52L, "density RhoM of the quadratic term"),
    ParamAny("E", "cm3/g", 0.13L, "exponent coefficient of exp(E rho)"),
    ParamAbove("C", "J/K/g", 0.83L, 0, "heat capacity (E = 0.001 C T)"),
};
inline constexpr Real PGlassParams::*kPGlassFields[] = {&PGlassParams::Rho0, &PGlassParams::A,
                                                        &PGlassParams::B,    &PGlassParams::RhoM,
                                                        &PGlassParams::Eexp, &PGlassParams::C};

struct PGlassModel : EosModelTraits<PGlassParams> {
  static constexpr int32_t kIndex = 12;
  static constexpr const char* kId = "p_glass";
  static constexpr const char* kCaption = "PGlass";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kPGlassParams;
  static constexpr std::span<Real PGlassParams::*const> kFields = kPGlassFields;
  static constexpr RealFn E = &PGlassE;
  static constexpr RealFn P = &PGlassP;
  static constexpr RealFn Cv = &PGlassCv;
  static constexpr RealFn dPdT = &PGlassdPdT;
  static constexpr RealFn TofE = &PGlassTofE;
  static constexpr IntFn PhaseColor = &EosConstantColor<PGlassParams>;
  static constexpr PredFn IsMelted = &EosFalse<PGlassParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<PGlassParams>;
  static constexpr EosColorRule kColor = EosColorRule::Constant;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(PGlassParams& p) { return PreparePGlass(p); }
  static EosDomain Domain(const PGlassParams& p);
  // Film: "PGlass " + the formula line; left medium: "PGlass".
  static std::optional<std::string> Label(const PGlassParams& p, const EosFieldText& t, bool left) {
    return left ? std::string("PGlass") : "PGlass " + PGlassFormula(p, t);
  }
  static std::string Formula(const PGlassParams& p, const EosFieldText& t) {
    return PGlassFormula(p, t);
  }
};

// =======================================================================================
// "Water-a": water with the barotropic pressure P = x (A + B x + C x^2 + D x^3) [GPa],
// x = rho - rho0, and E = c T, c = 0.001 Cv (Cv in J/K/g). Also defines TofE and
// dP/dT = 0 (exact). Finite for every finite state.
// =======================================================================================
struct WaterAParams {
  Real rho0 = 1;           // g/cm3
  Real A = 2.25L;          // GPa cm3/g
  Real B = 7.072826918L;   // GPa (cm3/g)^2
  Real C = 25.08229325L;   // GPa (cm3/g)^3
  Real D = -7.042079289L;  // GPa (cm3/g)^4
  Real Cv = 4.2L;          // J/K/g
  // derived
  Real c = 0;  // 0.001 Cv [kJ/g/K]
  Real invC = 0;
};

Real WaterAE(const WaterAParams& p, Real rho, Real T);
Real WaterAP(const WaterAParams& p, Real rho, Real T);
Real WaterACv(const WaterAParams& p, Real rho, Real T);
Real WaterAdPdT(const WaterAParams& p, Real rho, Real T);
Real WaterATofE(const WaterAParams& p, Real rho, Real E);
EosBindResult PrepareWaterA(WaterAParams& p);
std::string WaterAFormula(const WaterAParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kWaterAParams[] = {
    ParamAny("rho0", "g/cm3", 1, "density of zero pressure"),
    ParamAny("A", "GPa cm3/g", 2.25L, "P = x (A + B x + C x^2 + D x^3), x = rho - rho0: A"),
    ParamAny("B", "GPa cm6/g2", 7.072826918L, "coefficient B"),
    ParamAny("C", "GPa cm9/g3", 25.08229325L, "coefficient C"),
    ParamAny("D", "GPa cm12/g4", -7.042079289L, "coefficient D"),
    ParamAbove("Cv", "J/K/g", 4.2L, 0, "heat capacity (E = 0.001 Cv T)"),
};
inline constexpr Real WaterAParams::*kWaterAFields[] = {&WaterAParams::rho0, &WaterAParams::A,
                                                        &WaterAParams::B,    &WaterAParams::C,
                                                        &WaterAParams::D,    &WaterAParams::Cv};

struct WaterAModel : EosModelTraits<WaterAParams> {
  static constexpr int32_t kIndex = 13;
  static constexpr const char* kId = "water_a";
  static constexpr const char* kCaption = "Water-a";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kWaterAParams;
  static constexpr std::span<Real WaterAParams::*const> kFields = kWaterAFields;
  static constexpr RealFn E = &WaterAE;
  static constexpr RealFn P = &WaterAP;
  static constexpr RealFn Cv = &WaterACv;
  static constexpr RealFn dPdT = &WaterAdPdT;
  static constexpr RealFn TofE = &WaterATofE;
  static constexpr IntFn PhaseColor = &EosConstantColor<WaterAParams>;
  static constexpr PredFn IsMelted = &EosFalse<WaterAParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<WaterAParams>;
  static constexpr EosColorRule kColor = EosColorRule::Constant;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(WaterAParams& p) { return PrepareWaterA(p); }
  static EosDomain Domain(const WaterAParams& p);
  // Film: "Water " + the formula line; left medium: "Water".
  static std::optional<std::string> Label(const WaterAParams& p, const EosFieldText& t, bool left) {
    return left ? std::string("Water") : "Water " + WaterAFormula(p, t);
  }
  static std::string Formula(const WaterAParams& p, const EosFieldText& t) {
    return WaterAFormula(p, t);
  }
};

// =======================================================================================
// "LinEOS": P = C2 (rho - rho0) + rho (T - Tr) G C, E = C T. Closed-form inverses; TofP
// divides by rho G C, so with G = 0 it returns an infinity the FpGuard sees.
// =======================================================================================
struct LinEosParams {
  Real C2 = 0;    // GPa cm3/g: bulk stiffness (c^2 at constant T)
  Real rho0 = 0;  // g/cm3
  Real G = 0;     // Grueneisen coefficient
  Real C = 0;     // kJ/g/K
  Real Tr = 293;  // K
  // derived
  Real GC = 0;
  Real invC = 0;
};

Real LinEosE(const LinEosParams& p, Real rho, Real T);
Real LinEosP(const LinEosParams& p, Real rho, Real T);
Real LinEosCv(const LinEosParams& p, Real rho, Real T);
Real LinEosdPdT(const LinEosParams& p, Real rho, Real T);
Real LinEosTofE(const LinEosParams& p, Real rho, Real E);
Real LinEosTofP(const LinEosParams& p, Real rho, Real P);
EosBindResult PrepareLinEos(LinEosParams& p);
std::string LinEosLabel(const LinEosParams& p, const EosFieldText& text);

inline constexpr EosParamInfo kLinEosParams[] = {
    ParamAny("C2Edit", "GPa cm3/g", 0, "bulk stiffness C2"),
    ParamAny("rho0Edit", "g/cm3", 0, "reference density"),
    ParamAny("GEdit", "", 0, "Grueneisen coefficient G"),
    Required(ParamAbove("CEdit", "kJ/g/K", 0, 0, "heat capacity C")),
    ParamAny("TrEdit", "K", 293, "reference temperature"),
};
inline constexpr Real LinEosParams::*kLinEosFields[] = {
    &LinEosParams::C2, &LinEosParams::rho0, &LinEosParams::G, &LinEosParams::C, &LinEosParams::Tr};

struct LinEosModel : EosModelTraits<LinEosParams> {
  static constexpr int32_t kIndex = 17;
  static constexpr const char* kId = "lin_eos";
  static constexpr const char* kCaption = "LinEOS";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kLinEosParams;
  static constexpr std::span<Real LinEosParams::*const> kFields = kLinEosFields;
  static constexpr RealFn E = &LinEosE;
  static constexpr RealFn P = &LinEosP;
  static constexpr RealFn Cv = &LinEosCv;
  static constexpr RealFn dPdT = &LinEosdPdT;
  static constexpr RealFn TofE = &LinEosTofE;
  static constexpr RealFn TofP = &LinEosTofP;
  static constexpr IntFn PhaseColor = &EosConstantColor<LinEosParams>;
  static constexpr PredFn IsMelted = &EosFalse<LinEosParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<LinEosParams>;
  static constexpr EosColorRule kColor = EosColorRule::Constant;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(LinEosParams& p) { return PrepareLinEos(p); }
  static EosDomain Domain(const LinEosParams& p);
  static std::optional<std::string> Label(const LinEosParams& p, const EosFieldText& t, bool) {
    return LinEosLabel(p, t);
  }
};

// =======================================================================================
// "Metal": a cold curve in atomic units plus a quasi-harmonic lattice.
//
// Cold part, x = rho_c/rho (a volume ratio):
//   Pc = 29400 (PA x^-alpha - SB x^-beta)                                  [GPa]
//   Ec = (29400/rho_c) (PA/(alpha-1) x^(1-alpha) - SB/(beta-1) x^(1-beta))  [kJ/g]
// so that Pc = -dEc/dV exactly (29400 GPa is the atomic unit of pressure).
//
// Thermal part: the ions in the free energy F = Ec + (R/M) T D(t) ln(Theta(x)/T), with the
// characteristic lattice temperature Theta(x) = m1 x^(-1/3) + m2 x^(-2/3) + m3 x^(-1) +
// m4 x^(-4/3) [K] and D(t) = 3 + d1 t + d2 t^2, t = T/315656 K (3 = the classical lattice,
// d1 and d2 its anharmonic corrections). Hence
//   E = Ec + (R/M) T (D - ln(Theta/T) (d1 t + 2 d2 t^2)),
//   P = Pc + rho (R/M) T D(t) g(x),  g = -dln Theta/dln x  (the Grueneisen parameter),
//   Cv = (R/M) (3 + 3 d1 t + 5 d2 t^2 - ln(Theta/T) (2 d1 t + 6 d2 t^2)).
// With d1 = d2 = 0 this is the Mie-Grueneisen solid with the Dulong-Petit heat capacity
// and the inverses are closed forms; otherwise they are Newton iterations. The electrons
// are not part of this model: in a two-temperature run they come from the electron model.
// Theta <= 0 (a state expanded beyond the lattice's range) gives a fault the FpGuard sees.
// =======================================================================================
struct MetalParams {
  Real PA = 0;                          // Hartree/bohr^3: repulsive cold-pressure coefficient
  Real alpha = 0;                       // its exponent
  Real SB = 0;                          // Hartree/bohr^3: attractive coefficient
  Real beta = 0;                        // its exponent
  Real rho_c = 0;                       // g/cm3: density of x = 1
  Real m1 = 0, m2 = 0, m3 = 0, m4 = 0;  // K: Theta(x) coefficients
  Real d1 = 0, d2 = 0;                  // anharmonic corrections of D(t)
  Real AtomMass = 0;                    // g/mol
  int32_t material = -1;                // index into kMetalPresets ("Any", "Al", "Cu")
  // derived
  Real alpha1 = 0, beta1 = 0;  // alpha - 1, beta - 1
  Real PAa = 0, SBb = 0;       // PA/(alpha - 1), SB/(beta - 1)
  Real EcScale = 0;            // 29400/rho_c [kJ/g per atomic unit]
  Real invRhoC = 0;
  Real Rm = 0;              // R/M [kJ/g/K]
  bool anharmonic = false;  // d1 or d2 not 0
  bool twoTerm = false;     // m2 = m3 = 0: Theta = x^(-1/3) (m1 + m4/x)
  Real rhoZero = 0;         // g/cm3: density of zero cold pressure (0 if none)
};

Real MetalE(const MetalParams& p, Real rho, Real T);
Real MetalP(const MetalParams& p, Real rho, Real T);
Real MetalCv(const MetalParams& p, Real rho, Real T);
Real MetaldPdT(const MetalParams& p, Real rho, Real T);
Real MetalTofE(const MetalParams& p, Real rho, Real E);
Real MetalTofP(const MetalParams& p, Real rho, Real P);
Real MetalColdP(const MetalParams& p, Real rho);  // Pc [GPa]
EosBindResult PrepareMetal(MetalParams& p);
std::string MetalLabel(const MetalParams& p);

inline constexpr EosParamInfo kMetalParams[] = {
    Required(ParamNonZero("PA", "Hartree/bohr3", 0, "repulsive cold-pressure coefficient")),
    Required(ParamNonZero("alpha", "", 0, "exponent of the repulsive term (not 1)")),
    Required(ParamNonZero("SB", "Hartree/bohr3", 0, "attractive cold-pressure coefficient")),
    Required(ParamNonZero("beta", "", 0, "exponent of the attractive term (not 1)")),
    Required(ParamAbove("rho_c", "g/cm3", 0, 0, "density of x = rho_c / rho = 1")),
    ParamAny("m1", "K", 0, "lattice temperature Theta: coefficient of x^(-1/3)"),
    ParamAny("m2", "K", 0, "lattice temperature Theta: coefficient of x^(-2/3)"),
    ParamAny("m3", "K", 0, "lattice temperature Theta: coefficient of x^(-1)"),
    ParamAny("m4", "K", 0, "lattice temperature Theta: coefficient of x^(-4/3)"),
    ParamAny("d1", "", 0, "anharmonic correction: D(t) = 3 + d1 t + d2 t^2, t = T/315656 K"),
    ParamAny("d2", "", 0, "anharmonic correction of D(t), coefficient of t^2"),
    Required(ParamAbove("AtomMass", "g/mol", 0, 0, "atomic mass")),
};
inline constexpr Real MetalParams::*kMetalFields[] = {
    &MetalParams::PA,    &MetalParams::alpha, &MetalParams::SB, &MetalParams::beta,
    &MetalParams::rho_c, &MetalParams::m1,    &MetalParams::m2, &MetalParams::m3,
    &MetalParams::m4,    &MetalParams::d1,    &MetalParams::d2, &MetalParams::AtomMass};

// Cold curves (PA, SB, alpha, beta) as the metal parameter dialog presets them. The rest
// is this model's: rho_c puts the zero of pressure at the room-temperature density
// (Al 2.70, Cu 8.96 g/cm3) at 293.15 K; Theta(x) = m1 x^(-1/3) + m4 x^(-4/3) has there
// the Debye temperature (Al 428 K, Cu 343 K; C. Kittel, Introduction to Solid State
// Physics) and the Grueneisen parameter gamma = beta_V K_T/(rho c_v) of handbook
// room-temperature data (Al 2.2, Cu 2.0).
inline constexpr EosPresetValue kMetalAl[] = {{"PA", 4.483e-5L},
                                              {"SB", 1.378e-4L},
                                              {"alpha", 2.98L},
                                              {"beta", 2.2L},
                                              {"rho_c", 0.654669600641L},
                                              {"m1", -231.303390728L},
                                              {"m2", 0},
                                              {"m3", 0},
                                              {"m4", 120.796705304L},
                                              {"d1", 0},
                                              {"d2", 0},
                                              {"AtomMass", 26.98L}};
inline constexpr EosPresetValue kMetalCu[] = {{"PA", 6.434e-4L},
                                              {"SB", 8.532e-4L},
                                              {"alpha", 2.608L},
                                              {"beta", 2.4L},
                                              {"rho_c", 2.34376495929L},
                                              {"m1", -146.241806583L},
                                              {"m2", 0},
                                              {"m3", 0},
                                              {"m4", 95.6351623471L},
                                              {"d1", 0},
                                              {"d2", 0},
                                              {"AtomMass", 63.54L}};
inline constexpr EosPreset kMetalPresets[] = {{"Any", {}}, {"Al", kMetalAl}, {"Cu", kMetalCu}};

struct MetalModel : EosModelTraits<MetalParams> {
  static constexpr int32_t kIndex = 6;
  static constexpr const char* kId = "metal";
  static constexpr const char* kCaption = "Metal";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kMetalParams;
  static constexpr std::span<Real MetalParams::*const> kFields = kMetalFields;
  static constexpr std::span<const EosPreset> kPresets = kMetalPresets;
  static constexpr const char* kMaterialList = "Metals";
  static constexpr RealFn E = &MetalE;
  static constexpr RealFn P = &MetalP;
  static constexpr RealFn Cv = &MetalCv;
  static constexpr RealFn dPdT = &MetaldPdT;
  static constexpr RealFn TofE = &MetalTofE;
  static constexpr RealFn TofP = &MetalTofP;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(MetalParams& p) { return PrepareMetal(p); }
  static EosDomain Domain(const MetalParams& p);
  static std::optional<std::string> Label(const MetalParams& p, const EosFieldText&, bool) {
    return MetalLabel(p);
  }
};

// =======================================================================================
// "TConduct": heat conduction without mechanics. E and Cv are the electron model's
// energy and heat capacity, P the run's outer pressure. No inverses; finite as long as
// the electron functions are.
// =======================================================================================
struct TConductParams {
  Slot2 ElEnergy;              // electron energy Ee(rho, T)
  Slot2 ElHeatCap;             // electron heat capacity Ce(rho, T)
  const Real* Pout = nullptr;  // the run's outer pressure
};

Real TConductE(const TConductParams& p, Real rho, Real T);
Real TConductP(const TConductParams& p, Real rho, Real T);
Real TConductCv(const TConductParams& p, Real rho, Real T);
EosBindResult PrepareTConduct(TConductParams& p);

struct TConductModel : EosModelTraits<TConductParams> {
  static constexpr int32_t kIndex = 7;
  static constexpr const char* kId = "tconduct";
  static constexpr const char* kCaption = "TConduct";
  static constexpr Real kEosScale = 1;
  // Its energy is the film's electron model: no left-medium variant.
  static constexpr bool kLeftVariant = false;
  static constexpr std::span<const EosParamInfo> kParams{};
  static constexpr std::span<Real TConductParams::*const> kFields{};
  static constexpr RealFn E = &TConductE;
  static constexpr RealFn P = &TConductP;
  static constexpr RealFn Cv = &TConductCv;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv;
  static EosBindResult Prepare(TConductParams& p) { return PrepareTConduct(p); }
  // The electron model decides; the generic range of a heated film.
  static EosDomain Domain(const TConductParams&) { return {0.01L, 100, 1, 1e5L}; }
  // The info label stays as it was.
  static std::optional<std::string> Label(const TConductParams&, const EosFieldText&, bool) {
    return std::nullopt;
  }
};

}  // namespace tarvex
