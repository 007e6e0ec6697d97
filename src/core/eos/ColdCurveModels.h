// The cold-curve and Grueneisen equations of state: "MieGrun" (Mie-Grueneisen with the
// presets Mo, Ru, Ta, Sn, Ni), "Rose" (universal binding curve, presets Al, Au),
// "SilGlass" (silicon and silica glass with an anharmonic thermal part) and "Ti".
//
// Each: a cold (zero-temperature) curve plus a thermal part, in g/cm3, K, kJ/g, GPa
// (EosScale 1e5). Parameter struct, slot functions, Prepare, label and traits struct as
// in SimpleModels.h; the field names are the names of the model's frame controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Real.h"
#include "core/eos/AnalyticEos.h"

namespace tarvex {

// Energy of 1 Hartree in K and R Tat, the energy unit of 1 Hartree per atom per g/mol.
inline constexpr Real kTat = 315642.53856008733L;             // K
inline constexpr Real kHartreePerAtom = 2625.6337088880864L;  // kJ/g per (Hartree/atom / (g/mol))

// =======================================================================================
// "MieGrun": x = rho/rho0, energies in Hartree per atom times M = R Tat/Mat.
//   cold energy  ec(x) = A0 (x^a/a - x^b/b),    cold pressure  rho M A0 (x^a - x^b)
//   Grueneisen   Gr(x) = Gr0 + (al1 + al2c1 x^bet1)/(2 (1 + c1 x^bet1))
//                (the second term unless Gr_noabPanel is shown; at x = 1 it is the
//                 Dugdale-MacDonald value of the cold curve)
//   thermal      et = 3 T/Tat (Dulong-Petit), or with etPanel shown
//                et = a0t t (1 + a1t t)/(1 + a2t t), t = T/(Tat (ec(x) + en))
//   E = M (ec + et),  P = rho M (A0 (x^a - x^b) + Gr(x) et).
// P is -dE/dV of the cold curve plus the Mie-Grueneisen thermal pressure, so that E and P
// belong together; dP/dT = rho Gr Cv is its exact derivative and TofP its exact inverse.
// (V01 and V02 give the atomic volume of the frame's "29400 [GPa]" unit; the functions do
// not use them.) Without etPanel the model derives from the free energy
// F = M ec(x) - 3 (M/Tat) T ln(T/Theta(x)) with dln Theta/dln rho = Gr; with etPanel the
// thermal energy depends on x and P is the Mie-Grueneisen form only.
// Finite for every state with x > 0 and 1 + c1 x^bet1 != 0; x <= 0 gives a fault (log).
// =======================================================================================
struct MieGrunParams {
  Real rho0 = 10.3000142895547L;   // Rho0Edit [g/cm3]
  Real A0 = 0.7858406145856518L;   // A0Edit [Hartree/atom]
  Real a = 1.9866099L;             // aEdit
  Real b = 0.9243577L;             // bEdit
  Real Mat = 95.96L;               // MatEdit [g/mol]
  Real V01 = 15.61L;               // V01Edit [A^3, two-atom cell]
  Real V02 = 0.148L;               // V02Edit [A^3 per bohr^3]
  Real Gr1 = 0;                    // Gr1Edit: Gr0 = Gr1/Gr2
  Real Gr2 = 1;                    // Gr2Edit
  Real al11 = 1;                   // al11Edit
  Real al21 = 0;                   // al21Edit
  Real a0t = 3, a1t = 0, a2t = 0;  // etPanel: thermal energy coefficients
  Real en = 0;                     // enEdit [Hartree/atom]
  Real Gr = 0;                     // GrEdit: constant Grueneisen (Gr_noabPanel)
  Real etPanel = 0;                // 1: the thermal-energy panel is shown
  Real Gr_noabPanel = 0;           // 1: constant Grueneisen GrEdit instead of the ab form
  Real AltLabels = 0;              // 1: the alternative al1, bet1, c1 labels are shown
  int32_t material = -1;           // index into kMieGrunPresets, -1 none chosen
  // derived
  Real M = 0;  // R Tat / Mat [kJ/g per Hartree/atom]
  Real invM = 0;
  Real al1 = 0, bet1 = 0, c1 = 0, al2c1 = 0, Gr0 = 0;
  bool abTerm = false;     // Gr_noabPanel hidden
  bool betPlusOne = true;  // bet1 = a + 1 (else a - b)
  bool thermalPanel = false;
  Real invA = 0, invB = 0;
  Real a0a1 = 0;  // a0t a1t
};

Real MieGrunE(const MieGrunParams& p, Real rho, Real T);
Real MieGrunP(const MieGrunParams& p, Real rho, Real T);
Real MieGrunCv(const MieGrunParams& p, Real rho, Real T);
Real MieGrundPdT(const MieGrunParams& p, Real rho, Real T);
Real MieGrunTofE(const MieGrunParams& p, Real rho, Real E);
Real MieGrunTofP(const MieGrunParams& p, Real rho, Real P);
Real MieGrunGamma(const MieGrunParams& p, Real rho);  // Gr(x)
EosBindResult PrepareMieGrun(MieGrunParams& p);
std::string MieGrunLabel(const MieGrunParams& p);

inline constexpr EosParamInfo kMieGrunParams[] = {
    ParamAbove("Rho0Edit", "g/cm3", 10.3000142895547L, 0, "reference density rho0 (x = rho/rho0)"),
    ParamAny("A0Edit", "Hartree/atom", 0.7858406145856518L, "cold-curve amplitude A0"),
    ParamNonZero("aEdit", "", 1.9866099L, "cold-curve exponent a"),
    ParamNonZero("bEdit", "", 0.9243577L, "cold-curve exponent b (not -1)"),
    ParamAbove("MatEdit", "g/mol", 95.96L, 0, "atomic mass"),
    ParamAny("V01Edit", "A3", 15.61L, "volume of the two-atom cell (display only)"),
    ParamAny("V02Edit", "A3/bohr3", 0.148L, "bohr^3 in A^3 (display only)"),
    ParamAny("Gr1Edit", "", 0, "Gr0 = Gr1/Gr2"),
    ParamAny("Gr2Edit", "", 1, "Gr0 = Gr1/Gr2"),
    ParamAny("al11Edit", "", 1, "al1 = al11 + 2a"),
    ParamAny("al21Edit", "", 0, "al2c1 = (a - al21) c1"),
    ParamAny("a0tEdit", "", 3, "thermal energy: a0t (etPanel)"),
    ParamAny("a1tEdit", "", 0, "thermal energy: a1t (etPanel)"),
    ParamAny("a2tEdit", "", 0, "thermal energy: a2t (etPanel)"),
    ParamAny("enEdit", "Hartree/atom", 0, "thermal energy scale ec(x) + en (etPanel)"),
    ParamAny("GrEdit", "", 0, "constant Grueneisen parameter (Gr_noabPanel)"),
    ParamFlag("etPanel", 0, "1: thermal energy a0t t (1 + a1t t)/(1 + a2t t); 0: 3 T/Tat"),
    ParamFlag("Gr_noabPanel", 0, "1: Grueneisen parameter GrEdit; 0: Gr1/Gr2 + the ab form"),
    ParamFlag("AltLabels", 0, "1: al1 = a (a + al11)/b, bet1 = a - b, c1 = a (a+1)/(b (b+1))"),
};
inline constexpr Real MieGrunParams::*kMieGrunFields[] = {
    &MieGrunParams::rho0,     &MieGrunParams::A0,      &MieGrunParams::a,
    &MieGrunParams::b,        &MieGrunParams::Mat,     &MieGrunParams::V01,
    &MieGrunParams::V02,      &MieGrunParams::Gr1,     &MieGrunParams::Gr2,
    &MieGrunParams::al11,     &MieGrunParams::al21,    &MieGrunParams::a0t,
    &MieGrunParams::a1t,      &MieGrunParams::a2t,     &MieGrunParams::en,
    &MieGrunParams::Gr,       &MieGrunParams::etPanel, &MieGrunParams::Gr_noabPanel,
    &MieGrunParams::AltLabels};

inline constexpr EosPresetValue kMieGrunMo[] = {
    {"MatEdit", 95.96L},   {"Rho0Edit", 10.3099212935452609L},
    {"A0Edit", 4.647275L}, {"aEdit", 0.638768L},
    {"bEdit", 0.538768L},  {"V01Edit", 31.22L},
    {"V02Edit", 0.148L},   {"Gr1Edit", 5},
    {"Gr2Edit", 6},        {"al11Edit", 0},
    {"al21Edit", 1},       {"etPanel", 0},
    {"Gr_noabPanel", 0},   {"AltLabels", 0}};
inline constexpr EosPresetValue kMieGrunRu[] = {{"MatEdit", 101.07L},
                                                {"Rho0Edit", 12.480171729676L},
                                                {"A0Edit", 2.024682220294127L},
                                                {"aEdit", 1.6569036734344376L},
                                                {"bEdit", 1.1736399604338026L},
                                                {"V01Edit", 26.832841786296512L},
                                                {"V02Edit", 0.148L},
                                                {"Gr1Edit", 0},
                                                {"al11Edit", 1},
                                                {"al21Edit", 0},
                                                {"etPanel", 0},
                                                {"Gr_noabPanel", 0},
                                                {"AltLabels", 0}};
inline constexpr EosPresetValue kMieGrunTa[] = {
    {"MatEdit", 180.95L}, {"Rho0Edit", 16.8070997018240788L},
    {"A0Edit", 2.16151L}, {"aEdit", 2.17983L},
    {"bEdit", 1.81877L},  {"V01Edit", 35.9432L},
    {"V02Edit", 0.148L},  {"Gr1Edit", 0},
    {"al11Edit", 1},      {"al21Edit", 0},
    {"etPanel", 0},       {"Gr_noabPanel", 0},
    {"AltLabels", 0}};
inline constexpr EosPresetValue kMieGrunSn[] = {{"MatEdit", 118.71L},
                                                {"Rho0Edit", 7.2L},
                                                {"A0Edit", 1},
                                                {"aEdit", 1.315419L},
                                                {"bEdit", 1.015419L},
                                                {"V01Edit", 54.7516528L},
                                                {"V02Edit", 0.148L},
                                                {"Gr1Edit", 5},
                                                {"Gr2Edit", 6},
                                                {"al11Edit", 0},
                                                {"al21Edit", 1},
                                                {"a0tEdit", 1.4796475365333677L},
                                                {"a1tEdit", 2.1330467353630067L},
                                                {"a2tEdit", 9.094688323710425L},
                                                {"enEdit", 0.7427L},
                                                {"etPanel", 1},
                                                {"Gr_noabPanel", 0},
                                                {"AltLabels", 0}};
inline constexpr EosPresetValue kMieGrunNi[] = {{"MatEdit", 58.6934L},
                                                {"Rho0Edit", 9.015923046858549L},
                                                {"A0Edit", 3.9084568164L},
                                                {"aEdit", 1.64403665L},
                                                {"bEdit", 1.53346795L},
                                                {"V01Edit", 35.9432L},
                                                {"V02Edit", 0.148L},
                                                {"GrEdit", 1.820765L},
                                                {"al11Edit", 1},
                                                {"al21Edit", 0},
                                                {"etPanel", 0},
                                                {"Gr_noabPanel", 1},
                                                {"AltLabels", 0}};
inline constexpr EosPreset kMieGrunPresets[] = {{"Mo", kMieGrunMo},
                                                {"Ru", kMieGrunRu},
                                                {"Ta", kMieGrunTa},
                                                {"Sn", kMieGrunSn},
                                                {"Ni", kMieGrunNi}};

struct MieGrunModel : EosModelTraits<MieGrunParams> {
  static constexpr int32_t kIndex = 9;
  static constexpr const char* kId = "mie_grun";
  static constexpr const char* kCaption = "MieGrun";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kMieGrunParams;
  static constexpr std::span<Real MieGrunParams::*const> kFields = kMieGrunFields;
  static constexpr std::span<const EosPreset> kPresets = kMieGrunPresets;
  static constexpr const char* kMaterialList = "Metalls";
  static constexpr RealFn E = &MieGrunE;
  static constexpr RealFn P = &MieGrunP;
  static constexpr RealFn Cv = &MieGrunCv;
  static constexpr RealFn dPdT = &MieGrundPdT;
  static constexpr RealFn TofE = &MieGrunTofE;
  static constexpr RealFn TofP = &MieGrunTofP;
  static constexpr PredFn IsMelted = &EosFalse<MieGrunParams>;
  static constexpr PredFn HasVapour = &EosFalse<MieGrunParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<MieGrunParams>;
  static constexpr EosColorRule kColor = EosColorRule::FromPredicates;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  // OK needs a material chosen in the list.
  static EosBindResult Precheck(const MieGrunParams& p);
  static EosBindResult Prepare(MieGrunParams& p) { return PrepareMieGrun(p); }
  static EosDomain Domain(const MieGrunParams& p);
  static std::optional<std::string> Label(const MieGrunParams& p, const EosFieldText&, bool) {
    return MieGrunLabel(p);
  }
};

// =======================================================================================
// "Rose": the universal binding curve with a constant Grueneisen parameter.
// x = (rho0/rho)^(1/3) - 1, u = eta x, E0' = -(3/eta)^2 B/rho0:
//   E = E0' (1 + u + beta u^3) e^-u + Cv T,
//   P = -3 B x/(x + 1)^2 (1 + beta u (u - 3)) e^-u + Gr Cv rho T,
// the exact derivatives of F = E0'(...) e^-u - Cv T ln(T/Theta), Theta ~ rho^Gr. Closed-form
// inverses; finite for every rho > 0 (rho <= 0 gives a fault).
// =======================================================================================
struct RoseParams {
  Real rho0 = 0;          // Rho0Edit [g/cm3]
  Real B = 0;             // BEdit: bulk modulus [GPa]
  Real eta = 0;           // etaEdit
  Real beta = 0;          // betaEdit
  Real Gr = 0;            // GrEdit: Grueneisen parameter
  Real Cv = 0;            // CvEdit [kJ/g/K]
  int32_t material = -1;  // index into kRosePresets (Al, Au), -1 none chosen
  // derived
  Real E0p = 0;  // -(3/eta)^2 B/rho0 [kJ/g]
  Real GC = 0;   // Gr Cv
  Real invCv = 0;
};

Real RoseE(const RoseParams& p, Real rho, Real T);
Real RoseP(const RoseParams& p, Real rho, Real T);
Real RoseCv(const RoseParams& p, Real rho, Real T);
Real RosedPdT(const RoseParams& p, Real rho, Real T);
Real RoseTofE(const RoseParams& p, Real rho, Real E);
Real RoseTofP(const RoseParams& p, Real rho, Real P);
EosBindResult PrepareRose(RoseParams& p);
std::string RoseLabel(const RoseParams& p);

inline constexpr EosParamInfo kRoseParams[] = {
    Required(ParamAbove("Rho0Edit", "g/cm3", 0, 0, "density of zero cold pressure")),
    Required(ParamAbove("BEdit", "GPa", 0, 0, "bulk modulus B")),
    Required(ParamAbove("etaEdit", "", 0, 0, "anharmonicity eta of the binding curve")),
    ParamAny("betaEdit", "", 0, "cubic coefficient beta of the binding curve"),
    ParamAny("GrEdit", "", 0, "Grueneisen parameter"),
    Required(ParamAbove("CvEdit", "kJ/g/K", 0, 0, "heat capacity")),
};
inline constexpr Real RoseParams::*kRoseFields[] = {&RoseParams::rho0, &RoseParams::B,
                                                    &RoseParams::eta,  &RoseParams::beta,
                                                    &RoseParams::Gr,   &RoseParams::Cv};
inline constexpr EosPresetValue kRoseAl[] = {{"Rho0Edit", 2.7757670319533582384L},
                                             {"BEdit", 74.4L},
                                             {"etaEdit", 6.75L},
                                             {"betaEdit", 0.05L},
                                             {"GrEdit", 2.068L},
                                             {"CvEdit", 9.2e-4L}};
inline constexpr EosPresetValue kRoseAu[] = {{"Rho0Edit", 19.562551267613050594L},
                                             {"BEdit", 180.3L},
                                             {"etaEdit", 4.71L},
                                             {"betaEdit", 0.05L},
                                             {"GrEdit", 2.97L},
                                             {"CvEdit", 1.3e-4L}};
inline constexpr EosPreset kRosePresets[] = {{"Al", kRoseAl}, {"Au", kRoseAu}};

struct RoseModel : EosModelTraits<RoseParams> {
  static constexpr int32_t kIndex = 10;
  static constexpr const char* kId = "rose";
  static constexpr const char* kCaption = "Rose";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kRoseParams;
  static constexpr std::span<Real RoseParams::*const> kFields = kRoseFields;
  static constexpr std::span<const EosPreset> kPresets = kRosePresets;
  static constexpr const char* kMaterialList = "Metalls";
  static constexpr RealFn E = &RoseE;
  static constexpr RealFn P = &RoseP;
  static constexpr RealFn Cv = &RoseCv;
  static constexpr RealFn dPdT = &RosedPdT;
  static constexpr RealFn TofE = &RoseTofE;
  static constexpr RealFn TofP = &RoseTofP;
  static constexpr IntFn PhaseColor = &EosConstantColor<RoseParams>;
  static constexpr PredFn IsMelted = &EosFalse<RoseParams>;
  static constexpr PredFn HasVapour = &EosFalse<RoseParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<RoseParams>;
  static constexpr EosColorRule kColor = EosColorRule::Constant;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  // The frame's check: when rho0, B or eta is 0 the focus goes to the list if no
  // material is chosen, else to rho0 when it is 0, else to eta when B is not 0, else B.
  static EosBindResult Precheck(const RoseParams& p);
  static EosBindResult Prepare(RoseParams& p) { return PrepareRose(p); }
  static EosDomain Domain(const RoseParams& p);
  static std::optional<std::string> Label(const RoseParams& p, const EosFieldText&, bool) {
    return RoseLabel(p);
  }
};

// =======================================================================================
// "SilGlass": sigma = V0 rho, sigma_c = V0c rho, x = ln sigma, k = Ta sigma^(2/3):
//   ya(x)  = yia + K/((x + Dsa)^2 + Bsa^2),  K = (Dsa^2 + Bsa^2)(y0a - yia)
//   Theta  = Teta0a sigma^yia exp((atan((x + Dsa)/Bsa) - phi0) K/Bsa),  phi0 = atan(Dsa/Bsa)
//   Ec     = B0c V0c (sigma_c^m/m - sigma_c^n/n)/(m - n) + Esub
//   E      = Ec + 1.5 Ra T (1 + Theta^2/(Theta^2 + T k))
//   P      = rho [B0c V0c (sigma_c^m - sigma_c^n)/(m - n) + Ra T (1 + (3 ya - 1) Theta^2/(Theta^2 +
//   T k))]
// ya is the Grueneisen parameter dln Theta/dln rho (the integral of ya has K/Bsa), and E
// and P derive from F = Ec - 1.5 Ra T (2 ln T - ln(1 + T k/Theta^2)) + 3 Ra T ln Theta.
// Closed-form inverses (both quadratics in T, solved without cancellation). Finite for
// every rho > 0; rho <= 0 faults (logarithm of sigma).
// =======================================================================================
struct SilGlassParams {
  Real B0c = 39.506972675108L;     // B0cEdit [GPa]
  Real V0c = 0.4448936193387147L;  // V0cEdit [cm3/g]
  Real V0 = 0.4550976554583771L;   // V0Edit [cm3/g]
  Real m = 0.23592586L;            // mEdit
  Real n = 0.10207414L;            // nEdit
  Real Esub = 729.8584706566351L;  // EsubEdit [kJ/g]
  Real Ra = 0.000415417258751L;    // RaEdit [kJ/g/K]
  Real Ta = 100;                   // TaEdit [K]
  Real Teta0a = 1000;              // Teta0aEdit [K]
  Real yia = 0.5L;                 // yiaEdit
  Real y0a = 1.05L;                // y0aEdit
  Real Bsa = 1;                    // BsaEdit
  Real Dsa = 0.223143551314L;      // DsaEdit
  int32_t material = 1;            // index into kSilGlassPresets (Si, Glass)
  // derived
  Real coldScale = 0;  // B0c V0c/(m - n) [kJ/g]
  Real invM = 0, invN = 0;
  Real lnV0 = 0;     // ln V0
  Real lnRatio = 0;  // ln(V0c/V0): ln sigma_c = x + lnRatio
  Real Ra15 = 0;     // 1.5 Ra
  Real K = 0;
  Real KB = 0;  // K/Bsa
  Real invBsa = 0;
  Real phi0 = 0;
  Real lnTheta0 = 0;  // ln Teta0a
  Real lnTa = 0;      // ln Ta
};

Real SilGlassE(const SilGlassParams& p, Real rho, Real T);
Real SilGlassP(const SilGlassParams& p, Real rho, Real T);
Real SilGlassCv(const SilGlassParams& p, Real rho, Real T);
Real SilGlassdPdT(const SilGlassParams& p, Real rho, Real T);
Real SilGlassTofE(const SilGlassParams& p, Real rho, Real E);
Real SilGlassTofP(const SilGlassParams& p, Real rho, Real P);
Real SilGlassTheta(const SilGlassParams& p, Real rho);  // [K]
Real SilGlassGamma(const SilGlassParams& p, Real rho);  // ya
EosBindResult PrepareSilGlass(SilGlassParams& p);
std::string SilGlassLabel(const SilGlassParams& p);
// Choosing a material in the list: its V0 and V0c, then Esub = B0c V0c/(m n) from the
// B0c, m and n in force (the cold energy is 0 at sigma_c = 1).
void ApplySilGlassMaterial(SilGlassParams& p, int32_t material);

inline constexpr EosParamInfo kSilGlassParams[] = {
    ParamAbove("B0cEdit", "GPa", 39.506972675108L, 0, "bulk modulus of the cold curve"),
    ParamAbove("V0cEdit", "cm3/g", 0.4448936193387147L, 0, "specific volume of the cold curve"),
    ParamAbove("V0Edit", "cm3/g", 0.4550976554583771L, 0, "reference specific volume"),
    ParamNonZero("mEdit", "", 0.23592586L, "cold-curve exponent m (not n)"),
    ParamNonZero("nEdit", "", 0.10207414L, "cold-curve exponent n (not m)"),
    ParamAny("EsubEdit", "kJ/g", 729.8584706566351L, "sublimation energy Esub"),
    ParamAbove("RaEdit", "kJ/g/K", 0.000415417258751L, 0, "specific gas constant Ra"),
    ParamAbove("TaEdit", "K", 100, 0, "anharmonic temperature Ta"),
    ParamAbove("Teta0aEdit", "K", 1000, 0, "characteristic temperature at sigma = 1"),
    ParamAny("yiaEdit", "", 0.5L, "Grueneisen parameter at large |ln sigma|"),
    ParamAny("y0aEdit", "", 1.05L, "Grueneisen parameter at ln sigma = 0"),
    ParamAbove("BsaEdit", "", 1, 0, "width of the Grueneisen peak in ln sigma"),
    ParamAny("DsaEdit", "", 0.223143551314L, "position -Dsa of the Grueneisen peak in ln sigma"),
};
inline constexpr Real SilGlassParams::*kSilGlassFields[] = {
    &SilGlassParams::B0c,    &SilGlassParams::V0c,  &SilGlassParams::V0,  &SilGlassParams::m,
    &SilGlassParams::n,      &SilGlassParams::Esub, &SilGlassParams::Ra,  &SilGlassParams::Ta,
    &SilGlassParams::Teta0a, &SilGlassParams::yia,  &SilGlassParams::y0a, &SilGlassParams::Bsa,
    &SilGlassParams::Dsa};

// Esub = B0c V0c/(m n) with the default B0c, m, n (ApplySilGlassMaterial recomputes it
// from the values in force).
inline constexpr Real kSilGlassSiV0c = 0.449697419617272127L;
inline constexpr Real kSilGlassGlassV0c = 0.444893619338714716L;
inline constexpr Real kSilGlassEsubPerV0c = 39.506972675108L / 0.23592586L / 0.10207414L;
inline constexpr EosPresetValue kSilGlassSi[] = {{"V0Edit", 0.460011643751580914L},
                                                 {"V0cEdit", kSilGlassSiV0c},
                                                 {"EsubEdit", kSilGlassEsubPerV0c* kSilGlassSiV0c}};
inline constexpr EosPresetValue kSilGlassGlass[] = {
    {"V0Edit", 0.455097655458377147L},
    {"V0cEdit", kSilGlassGlassV0c},
    {"EsubEdit", kSilGlassEsubPerV0c* kSilGlassGlassV0c}};
inline constexpr EosPreset kSilGlassPresets[] = {{"Si", kSilGlassSi}, {"Glass", kSilGlassGlass}};

struct SilGlassModel : EosModelTraits<SilGlassParams> {
  static constexpr int32_t kIndex = 11;
  static constexpr const char* kId = "sil_glass";
  static constexpr const char* kCaption = "SilGlass";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kSilGlassParams;
  static constexpr std::span<Real SilGlassParams::*const> kFields = kSilGlassFields;
  static constexpr std::span<const EosPreset> kPresets = kSilGlassPresets;
  static constexpr const char* kMaterialList = "Materials";
  static constexpr RealFn E = &SilGlassE;
  static constexpr RealFn P = &SilGlassP;
  static constexpr RealFn Cv = &SilGlassCv;
  static constexpr RealFn dPdT = &SilGlassdPdT;
  static constexpr RealFn TofE = &SilGlassTofE;
  static constexpr RealFn TofP = &SilGlassTofP;
  static constexpr IntFn PhaseColor = &EosConstantColor<SilGlassParams>;
  static constexpr PredFn IsMelted = &EosFalse<SilGlassParams>;
  static constexpr PredFn IsFluidVapour = &EosFalse<SilGlassParams>;
  static constexpr EosColorRule kColor = EosColorRule::Constant;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(SilGlassParams& p) { return PrepareSilGlass(p); }
  static EosDomain Domain(const SilGlassParams& p);
  static std::optional<std::string> Label(const SilGlassParams& p, const EosFieldText&, bool) {
    return SilGlassLabel(p);
  }
};

// =======================================================================================
// "Ti": x = rho/rho0, Es = E0 (x^a/a - x^b/b), E = Es + cv T, ps = p0 x (x^a - x^b),
// P = ps + p1 G0 x T. Closed-form inverses; finite for every rho > 0. The cold pressure's
// p0 is fitted independently of E0 rho0 (0.4 % apart with the defaults), so E and P do not
// derive from one free energy.
// =======================================================================================
struct TiParams {
  Real rho0 = 4.55709636L;  // Rho0Edit [g/cm3]
  Real E0 = 102.871L;       // E0Edit [kJ/g]
  Real a = 0.767317L;       // aEdit
  Real b = 0.529457L;       // bEdit
  Real cv = 0.000524L;      // cvEdit [kJ/g/K]
  Real p0 = 467.086L;       // p0Edit [GPa]
  Real G0 = 0.6L;           // G0Edit
  Real p1 = 0.00236451L;    // p1Edit [GPa/K]
  // derived
  Real invRho0 = 0, invA = 0, invB = 0, invCv = 0;
  Real pG = 0;  // p1 G0
};

Real TiE(const TiParams& p, Real rho, Real T);
Real TiP(const TiParams& p, Real rho, Real T);
Real TiCv(const TiParams& p, Real rho, Real T);
Real TidPdT(const TiParams& p, Real rho, Real T);
Real TiTofE(const TiParams& p, Real rho, Real E);
Real TiTofP(const TiParams& p, Real rho, Real P);
EosBindResult PrepareTi(TiParams& p);

inline constexpr EosParamInfo kTiParams[] = {
    ParamAbove("Rho0Edit", "g/cm3", 4.55709636L, 0, "reference density rho0 (x = rho/rho0)"),
    ParamAny("E0Edit", "kJ/g", 102.871L, "cold-energy amplitude E0"),
    ParamNonZero("aEdit", "", 0.767317L, "cold-curve exponent a"),
    ParamNonZero("bEdit", "", 0.529457L, "cold-curve exponent b"),
    ParamAbove("cvEdit", "kJ/g/K", 0.000524L, 0, "heat capacity"),
    ParamAny("p0Edit", "GPa", 467.086L, "cold-pressure amplitude p0"),
    ParamAny("G0Edit", "", 0.6L, "Grueneisen factor G0"),
    ParamAny("p1Edit", "GPa/K", 0.00236451L, "thermal-pressure coefficient p1"),
};
inline constexpr Real TiParams::*kTiFields[] = {&TiParams::rho0, &TiParams::E0, &TiParams::a,
                                                &TiParams::b,    &TiParams::cv, &TiParams::p0,
                                                &TiParams::G0,   &TiParams::p1};

struct TiModel : EosModelTraits<TiParams> {
  static constexpr int32_t kIndex = 16;
  static constexpr const char* kId = "ti";
  static constexpr const char* kCaption = "Ti";
  static constexpr Real kEosScale = 1e5L;
  static constexpr bool kLeftVariant = true;
  static constexpr std::span<const EosParamInfo> kParams = kTiParams;
  static constexpr std::span<Real TiParams::*const> kFields = kTiFields;
  static constexpr RealFn E = &TiE;
  static constexpr RealFn P = &TiP;
  static constexpr RealFn Cv = &TiCv;
  static constexpr RealFn dPdT = &TidPdT;
  static constexpr RealFn TofE = &TiTofE;
  static constexpr RealFn TofP = &TiTofP;
  static constexpr IntFn PhaseColor = &EosConstantColor<TiParams>;
  static constexpr EosColorRule kColor = EosColorRule::Constant;
  static constexpr EosSlotMask kHot = kSlotE | kSlotP | kSlotCv | kSlotdPdT | kSlotTofE;
  static EosBindResult Prepare(TiParams& p) { return PrepareTi(p); }
  static EosDomain Domain(const TiParams& p);
  static std::optional<std::string> Label(const TiParams&, const EosFieldText&, bool) {
    return std::string("Ti");
  }
};

}  // namespace tarvex
