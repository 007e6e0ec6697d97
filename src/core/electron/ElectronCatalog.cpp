// The table of electron-model pages and frames.
#include "core/electron/ElectronCatalog.h"

#include <limits>

#include "core/eos/EosCatalog.h"

namespace tarvex {

namespace {

constexpr Real kInf = std::numeric_limits<Real>::infinity();

// ---- field constructors ------------------------------------------------------------------

// (0, inf)
constexpr ElParamInfo Positive(const char* name, const char* symbol, const char* unit, Real def,
                               const char* help) {
  return {name, symbol, unit, def, 0, kInf, true, true, ElFieldRole::Input, help};
}
// [0, inf)
constexpr ElParamInfo NonNegative(const char* name, const char* symbol, const char* unit, Real def,
                                  const char* help) {
  return {name, symbol, unit, def, 0, kInf, false, true, ElFieldRole::Input, help};
}
constexpr ElParamInfo AnyFinite(const char* name, const char* symbol, const char* unit, Real def,
                                const char* help) {
  return {name, symbol, unit, def, -kInf, kInf, true, true, ElFieldRole::Input, help};
}
constexpr ElParamInfo Range(const char* name, const char* symbol, const char* unit, Real def,
                            Real lo, bool loOpen, Real hi, bool hiOpen, const char* help) {
  return {name, symbol, unit, def, lo, hi, loOpen, hiOpen, ElFieldRole::Input, help};
}
constexpr ElParamInfo Shown(const char* name, const char* symbol, const char* unit,
                            const char* help) {
  return {name, symbol, unit, 0, -kInf, kInf, true, true, ElFieldRole::Display, help};
}
constexpr ElParamInfo NoEffect(const char* name, const char* symbol, const char* unit, Real def,
                               const char* help) {
  return {name, symbol, unit, def, -kInf, kInf, true, true, ElFieldRole::Unused, help};
}

// ---- fields of the base frame and the "Simple metall" page -----------------------------

constexpr ElParamInfo kNatField = Positive("NatEdit", "n_at", "1/cm3", 6E22L, "atom density");
constexpr ElParamInfo kRhoField = Positive("rhoEdit", "rho0", "g/cm3", 0, "reference density");
constexpr ElParamInfo kMatNoField = Positive("mEdit", "MatNo", "g/mol", 0, "atomic mass (MatNo)");
constexpr ElParamInfo kZField = Positive("ZEdit", "Z", "", 0, "free electrons per atom (valence)");
constexpr ElParamInfo kTFField = Shown("TFEdit", "T_F", "K", "Fermi temperature at rho0");
constexpr ElParamInfo kAlphaField =
    NonNegative("alEdit", "alpha", "kW/K/cm3", 0, "electron-ion coupling coefficient");
constexpr ElCheckInfo kCalcRefrCheck = {"CalcRefr", "CalcRefr", false,
                                        "calculate the reflectance (opens the reflectance dialog)"};

// ---- frames ------------------------------------------------------------------------------

// The order of the first four is the order OK validates them in.
constexpr ElParamInfo kBaseParams[] = {
    kNatField,
    kRhoField,
    kMatNoField,
    kZField,
    Shown("EF0eVEdit", "E_F0", "eV", "Fermi energy at rho0"),
    kTFField,
    kAlphaField,
    NonNegative("k_iEdit", "k_i", "kW/cm", 0,
                "ion conductivity k_i/Ti (b_r (rho/rho0)^(2/3) + Ti/Tat)^(7/2): coefficient"),
    NonNegative("kirEdit", "b_r", "", 0, "ion conductivity: density term at rho0"),
};
constexpr ElCheckInfo kBaseChecks[] = {kCalcRefrCheck};

constexpr ElParamInfo kMetParams[] = {
    Shown("gEdit", "gamma(rho0)", "kJ/g/K2",
          "Sommerfeld coefficient of the free electrons at rho0"),
    NonNegative("rho_mdEdit", "rho_md", "g/cm3", 0,
                "density below which the free-electron gas is switched off"),
    NoEffect("Mopt_me", "m_opt/m_e", "", 1.5L, "optical effective mass (shown only)"),
    NoEffect("Rho_cEdit", "rho_c", "g/cm3", 0.1L, "optical cut-off density (shown only)"),
    NoEffect("c_optEdit", "c_opt", "", 0, "optical weight of e-e collisions (shown only)"),
    NoEffect("Deps_Re", "Re deps", "", 0, "interband permittivity, real part (shown only)"),
    NoEffect("Deps_Im", "Im deps", "", 0, "interband permittivity, imaginary part (shown only)"),
};
constexpr ElCheckInfo kMetChecks[] = {
    {"CalcDepsCheck", "Calc", true, "calculate the interband permittivity (shown only)"},
};

constexpr ElParamInfo kTransMetParams[] = {
    // This frame's gamma is the d-band coefficient it reads, not the free-electron display.
    Positive("gEdit", "gamma x1e-9", "kJ/K2/cm3", 0, "d band: K = (gamma/2) Te^2, x1e9"),
    Shown("rho_mdEdit", "rho_md", "g/cm3", "free-electron cut-off density 1/VeC (0 when VeC <= 0)"),
    Positive("S0Edit", "s0 x1e-9", "kJ/K2.3/cm3", 0,
             "s band: S = s0 Te^1.3, x1e9 (changing it sets s'0 = 1.3 s0)"),
    NonNegative("S1Edit", "s'0 x1e-9", "kJ/K2.3/cm3", 0, "s band: S' = s'0 Te^0.3, x1e9"),
    Positive("csEdit", "gs x1e-9", "kJ/K2/cm3", 180, "s electrons: Ks = (gs/2) Te^2, x1e9"),
    NonNegative("v0Edit", "v0", "", 1.8L,
                "v_s^2 = (v0 (rho/rho0)^(5/6) + vT Te^1.25)^0.8 1e16 cm2/s2: v0"),
    NonNegative("vTEdit", "vT", "", 3.86E-6L, "v_s^2: temperature term vT"),
    Positive("nusEdit", "ns", "1/s/K", 1.9E11L,
             "s-electron rate nu_se = 1/(1/(ns Te) + 1/(nd Te^0.1))"),
    Positive("nudEdit", "nd", "1/s/K^0.1", 1.47E15L, "s-electron rate: nd"),
    NonNegative("nu_rEdit", "nu_r", "1/s", 5.06E21L, "electron-ion rate nu_ei = nu_r 1e-6 r"),
    AnyFinite("rl0Edit", "rl0", "", -0.042L, "solid ratio r_l = rl0 + rl1 Ti + rl2 Ti^2"),
    AnyFinite("rl1Edit", "rl1", "1/K", 0.000208L, "r_l: rl1"),
    AnyFinite("rl2Edit", "rl2", "1/K2", 5.126E-7L, "r_l: rl2"),
    AnyFinite("rh0Edit", "rh0", "", 0.094L, "solid ratio r_h = rh0 + rh1 Ti + rh2 Ti^2"),
    AnyFinite("rh1Edit", "rh1", "1/K", 0.0003764L, "r_h: rh1"),
    AnyFinite("rh2Edit", "rh2", "1/K2", 5.644E-8L, "r_h: rh2"),
    AnyFinite("r_ll0Edit", "r_ll0", "", 0.67L, "liquid ratio r_ll = r_ll0 + r_ll1 Ti"),
    AnyFinite("r_ll1Edit", "r_ll1", "1/K", 0.0001L, "r_ll: r_ll1"),
    Positive("r_hl0Edit", "r_hl", "", 2, "liquid ratio r_hl"),
    NonNegative("TeCEdit", "TeC", "K", 0,
                "below it a tabulated film EOS decides the blend by phase"),
    AnyFinite("VeCEdit", "VeC", "cm3/g", 0,
              "specific volume of the blend window (x = rho VeC from 1 to 2); rho_md = 1/VeC"),
};

constexpr ElParamInfo kTaParams[] = {
    Shown("rho_mdEdit", "rho_md", "g/cm3",
          "free-electron cut-off density 0.5/VeC (0 when VeC <= 0)"),
    NonNegative("ApEdit", "Ap", "GPa", 180, "Pe = (Bp Te^4.7 + Ap Te^2)/(Te^2 + Cp) F(rho): Ap"),
    NonNegative("BpEdit", "Bp", "GPa/K^2.7", 2.145E-11L, "Pe: Bp"),
    Positive("CpEdit", "Cp", "K2", 2E9L, "Pe: Cp"),
    NonNegative("TeCEdit", "TeC", "K", 15000,
                "below it a tabulated film EOS decides the blend by phase"),
    AnyFinite("VeCEdit", "VeC", "cm3/g", 0.25L,
              "specific volume of the pressure blend window; rho_md = 0.5/VeC"),
    Positive("rho0kEdit", "rho0k", "g/cm3", 16.67L, "reference density of the conductivity fit"),
    AnyFinite("amEdit", "am", "W/m/K", 22.3948L,
              "kappa_ee = x (am/t + aq/sqrt(t) + a0 + a1 t): am"),
    AnyFinite("aqEdit", "aq", "W/m/K", 72.1959L, "kappa_ee: aq"),
    AnyFinite("a0Edit", "a0", "W/m/K", -248.719L, "kappa_ee: a0"),
    AnyFinite("a1Edit", "a1", "W/m/K", 1479.3L, "kappa_ee: a1"),
    Positive("c0Edit", "c0", "", 317.977L, "Fe(t) = c0 t (1 + c1 t)/(1 + c2 t): c0"),
    NonNegative("c1Edit", "c1", "", 0.334861L, "Fe(t): c1"),
    NonNegative("c2Edit", "c2", "", 1.00525L, "Fe(t): c2"),
    AnyFinite("aEdit", "a", "", 1.06925L, "density shape y(x): a"),
    Range("bEdit", "b", "", 0.559359L, -1, true, kInf, true, "density shape y(x): b"),
    Positive("ksiEdit", "ksi", "W/m/K", 58, "kappa_ei = ksi x y(x) Fe(t) T0/Ti: ksi"),
    Positive("T0Edit", "T0", "K", 293, "kappa_ei: T0"),
};

// The gold coupling and collision rates, shared by the two gold frames.
// Their alpha field holds k_al of the gold coupling.
constexpr ElParamInfo kGoldKal =
    Positive("alEdit", "k_al", "", 4, "gold coupling: weight 4.3/k_al of the d-band term");
constexpr ElParamInfo kGoldNu0 =
    NonNegative("nu_dsolEdit", "nu0", "1/s", 3.7E13L, "solid electron-ion rate at 300 K");
constexpr ElParamInfo kGoldNuDl0 =
    NonNegative("nu_dl0Edit", "nu_dl0", "1/s", 1.1E14L, "liquid rate nu_dl0 + nu_dl1 Ti: nu_dl0");
constexpr ElParamInfo kGoldNuDl1 =
    NonNegative("un_dl1Edit", "nu_dl1", "1/s/K", 1.5E11L, "liquid rate: nu_dl1");
constexpr ElParamInfo kGoldBeta =
    NonNegative("dbetaEdit", "beta", "", 1, "weight of electron-electron scattering");
constexpr ElParamInfo kGoldEFh = Shown("EFhEdit", "E_F/hbar", "1/s", "Fermi frequency at rho0");
constexpr ElParamInfo kGoldNuP1 =
    Shown("nuP1Edit", "E_F/hbar/T_F^1.5", "1/s/K^1.5", "plasma rate coefficient");

constexpr ElParamInfo kNobleParams[] = {kGoldKal,  kGoldNu0, kGoldNuDl0, kGoldNuDl1,
                                        kGoldBeta, kGoldEFh, kGoldNuP1};

constexpr ElParamInfo kNewNobleParams[] = {
    kGoldKal,
    Positive("kPEdit", "kP", "", 0.367L, "Pe high-temperature branch: TeV^(1+kP)"),
    Positive("a2PEdit", "a2P", "GPa/eV2", 36.8L, "Pe degenerate branch: a2P TeV^2"),
    NonNegative("a4PEdit", "a4P", "GPa/eV4", 96, "Pe degenerate branch: (a4P/x^2) TeV^4"),
    Positive("akPEdit", "akP", "GPa", 152, "Pe high-temperature branch: akP"),
    AnyFinite("z0PEdit", "z0P", "", 0.1L, "Pe density shape: z0P"),
    AnyFinite("z2PEdit", "z2P", "", 0.01L, "Pe density shape: z2P"),
    AnyFinite("m1PEdit", "m1P", "", 0.29L, "Pe density shape: exponent m1P"),
    AnyFinite("m2PEdit", "m2P", "", 1.3L, "Pe density shape: exponent m2P"),
    Positive("kEEdit", "kE", "", 0.795L, "Ee high-temperature branch: TeV^(1+kE)"),
    Positive("a2EEdit", "a2E", "1/eV", 0.419L, "Ee degenerate branch: (a2E/x) TeV^2"),
    NonNegative("a4EEdit", "a4E", "1/eV3", 2.34894L, "Ee degenerate branch: (a4E/x^3) TeV^4"),
    Positive("akEEdit", "akE", "", 1.33468L, "Ee high-temperature branch: akE"),
    AnyFinite("z0EEdit", "z0E", "", 0.8L, "Ee density shape: z0E"),
    AnyFinite("z2EEdit", "z2E", "", 0.01L, "Ee density shape: z2E"),
    AnyFinite("m1EEdit", "m1E", "", 1.6L, "Ee density shape: exponent m1E"),
    AnyFinite("m2EEdit", "m2E", "", 2.6L, "Ee density shape: exponent m2E"),
    kGoldNu0,
    kGoldNuDl0,
    kGoldNuDl1,
    kGoldBeta,
    kGoldEFh,
    kGoldNuP1,
};

constexpr ElParamInfo kAgParams[] = {
    Positive("rho0kEdit", "rho0k", "g/cm3", 10.6179L, "reference density of the conductivity fit"),
    Positive("kEdit", "k", "", 6, "t = k Te/(TF0 eV_KB x^(2/3)): k"),
    Positive("TF0Edit", "TF0", "eV", 7.3L, "Fermi energy of the fit"),
    Positive("eV_KBEdit", "eV/kB", "K/eV", 11605, "temperature of one eV"),
    AnyFinite("a0Edit", "a0", "", 5.60227L, "Se = a0 t/(1 + b0 sqrt(t) + b1 t + b2 t^2): a0"),
    AnyFinite("b0Edit", "b0", "", -1.22765L, "Se: b0"),
    AnyFinite("b1Edit", "b1", "", 0.526228L, "Se: b1"),
    AnyFinite("b2Edit", "b2", "", 0.118109L, "Se: b2"),
    Positive("cv1Edit", "cv1", "", 3.45701L, "cv(t) = cv1 t (1 + cv2 t^2)/(1 + cv3 t^cvp): cv1"),
    NonNegative("cv2Edit", "cv2", "", 1.53683L, "cv(t): cv2"),
    NonNegative("cv3Edit", "cv3", "", 0.466642L, "cv(t): cv3"),
    AnyFinite("cvpEdit", "cvp", "", 2.09692L, "cv(t): exponent cvp"),
    AnyFinite("aEdit", "a", "", 1.82477L, "density shape y(x): a"),
    Range("bEdit", "b", "", 1.75469L, -1, true, kInf, true, "density shape y(x): b"),
    Positive("TksolEdit", "Tksol", "W/m/K", 429, "electron-ion conductivity at Trt"),
    Positive("TrtEdit", "Trt", "K", 293, "room temperature of the fit"),
    Positive("xrt1Edit", "xrt1", "g/cm3", 10.5L, "density of the room-temperature point"),
    Positive("xrt2Edit", "xrt2", "g/cm3", 10.6179L, "x_rt = xrt1/xrt2"),
    NonNegative("qTlimEdit", "q_lim", "kW/cm2", 1E7L,
                "largest electron heat flux of the conduction step; 0: no limit"),
    NoEffect("r0Edit", "r0", "", 3254, "liquid conductivity fit (shown only)"),
    NoEffect("rbl0Edit", "rbl0", "", 148.5L, "liquid conductivity fit (shown only)"),
    NoEffect("rbl1Edit", "rbl1", "", 0.1193L, "liquid conductivity fit (shown only)"),
    NoEffect("TsEdit", "Ts", "K", 14000, "liquid conductivity fit (shown only)"),
    NoEffect("TmEdit", "Tm", "K", 1337, "liquid conductivity fit (shown only)"),
    NoEffect("xbl0Edit", "xbl0", "", 0, "liquid conductivity fit (shown only)"),
    NoEffect("xbl1Edit", "xbl1", "", 0, "liquid conductivity fit (shown only)"),
    NoEffect("xbl2Edit", "xbl2", "", 0, "liquid conductivity fit (shown only)"),
    NoEffect("xbl3Edit", "xbl3", "", 0, "liquid conductivity fit (shown only)"),
    NoEffect("TeCEdit", "TeC", "K", 0, "preset with the metal (shown only)"),
    NoEffect("VeCEdit", "VeC", "cm3/g", 0, "preset with the metal (shown only)"),
};

constexpr ElParamInfo kMoParams[] = {
    Positive("rho00Edit", "rho00", "g/cm3", 10.3115927648672L, "reference density of the fit"),
    NonNegative("apEdit", "ap", "GPa", 235.097513092555L,
                "Pe = ap x^(5/3) (sqrt(t^2 + bp^2) - bp): ap"),
    Positive("bpEdit", "bp", "", 0.0850704444442175L, "Pe: bp"),
    NonNegative("aeEdit", "ae", "GPa", 243.704423802702L,
                "Ee = (ae/rho0) x^(2/3) (sqrt(t^2 + be^2) - be): ae"),
    Positive("beEdit", "be", "", 0.13212611962914L, "Ee: be"),
    NonNegative("kappaEdit", "kappa", "kW/K/cm", 0.007L, "constant electron conductivity"),
    NoEffect("ceEdit", "c_e", "kJ/g/K", 0, "shown only"),
    NoEffect("T0Edit", "T0", "K", 0, "shown only"),
};

constexpr std::span<const ElCheckInfo> kNoChecks{};

constexpr ElFrameInfo kFrames[] = {
    {"TElThermParFrame", nullptr, kBaseParams, kBaseChecks},
    {"TMetParFrame", "TElThermParFrame", kMetParams, kMetChecks},
    {"TTransMetFrame", "TMetParFrame", kTransMetParams, kNoChecks},
    {"TTaParFrame", "TMetParFrame", kTaParams, kNoChecks},
    {"TNobleMetFrame", "TMetParFrame", kNobleParams, kNoChecks},
    {"TNewNobleMetFrame", "TMetParFrame", kNewNobleParams, kNoChecks},
    {"TAgParFrame", "TMetParFrame", kAgParams, kNoChecks},
    {"TMoParFrame", "TMetParFrame", kMoParams, kNoChecks},
    // Frames of pages not built yet: their fields are still to be described.
    {"TNoMetFrame", "TElThermParFrame", {}, kNoChecks},
    {"TAu1ParFrame", "TElThermParFrame", {}, kNoChecks},
    {"TRuElParFrame", "TElThermParFrame", {}, kNoChecks},
    {"TElRextr", "TElThermParFrame", {}, kNoChecks},
    {"TSplineEOSFrame", "TElThermParFrame", {}, kNoChecks},
    {"TMetEFFrame", "TElThermParFrame", {}, kNoChecks},
    {"TMet_kabFrame", "TMetEFFrame", {}, kNoChecks},
};

// ---- the dialog's own pages ------------------------------------------------------------

constexpr ElParamInfo kConstantParams[] = {
    NonNegative("kEdit", "kappa", "kW/K/cm", 0, "constant electron conductivity"),
    NonNegative("ceEdit", "c_e", "kJ/g/K", 0, "constant electron heat capacity"),
    AnyFinite("Gr1Edit", "Gr1", "", 2, "Pe = Gr rho c_e Te with Gr = Gr1/Gr2 (Gr1 when Gr2 = 0)"),
    AnyFinite("Gr2Edit", "Gr2", "", 3, "divisor of Gr (shown while Gr1 is not 0)"),
    NonNegative("aEdit", "alpha", "kW/K/cm3", 0, "electron-ion coupling coefficient"),
    Positive("rho0Edit", "rho_0", "g/cm3", 0, "reference density: coupling per gram alpha/rho_0"),
};

constexpr ElParamInfo kSimpleParams[] = {
    kNatField,
    kRhoField,
    kMatNoField,
    kZField,
    kTFField,
    Shown("gEdit", "gamma(rho0)", "kJ/g/K2", "Sommerfeld coefficient at rho0"),
    kAlphaField,
    NonNegative("k_iEdit", "k_i", "kW/cm", 0,
                "ion conductivity k_i/Ti (b_r rho^(2/3) + Ti/Tat)^(7/2): coefficient"),
    NonNegative("kirEdit", "b_r", "(cm3/g)^(2/3)", 0, "ion conductivity: density term"),
    NonNegative("Rho_mdEdit", "rho_md", "g/cm3", 0, "density subtracted in the energy"),
    NonNegative("nu0Edit", "nu0", "1/s", 4.2E14L, "solid electron-ion rate at 933 K"),
    NonNegative("nuTEdit", "nu_s", "1/s", 1.1E14L, "liquid rate nu_s T/(A + B T + C/T)"),
    Positive("nuAEdit", "A", "", 130, "liquid rate: A"),
    NonNegative("nuBEdit", "B", "1/K", 0.0367L, "liquid rate: B"),
    AnyFinite("nuCEdit", "C", "K", -6.67E4L, "liquid rate: C"),
    Positive("nusEdit", "nus", "1/s/eV2", 0.247E15L, "electron-electron rate: nus TeV^2"),
    Positive("nuiEdit", "nui", "1/s/eV^0.28", 1.15E15L, "electron-electron rate: nui TeV^0.28"),
    Range("kzEdit", "kz", "", 0.7L, 0, false, 1, true,
          "weight of the plasma rate in the electron-electron term"),
    NonNegative("Rho_cEdit", "rho_c", "g/cm3", 0.1L,
                "optical cut-off: below it the film is optically vacuum"),
    AnyFinite("Mopt_me", "m_opt/m_e", "", 1.5L, "optical effective mass"),
    AnyFinite("Deps_Re", "Re deps", "", 0, "interband permittivity of the solid, real part"),
    AnyFinite("Deps_Im", "Im deps", "", 0, "interband permittivity of the solid, imaginary part"),
    AnyFinite("c_optEdit", "c_opt", "", 0, "optical weight of electron-electron collisions"),
};
constexpr ElCheckInfo kSimpleChecks[] = {
    kCalcRefrCheck,
    {"CalcDepsCheck", "Calc", true, "calculate the interband permittivity"},
};

// ---- presets -----------------------------------------------------------------------------

using enum ElPresetOp;

constexpr ElPresetStep kSimpleAl[] = {
    {Set, "ZEdit", 3},
    {SetEdited, "rhoEdit", 2.712117513786L},
    {SetEdited, "mEdit", 26.98L},
    {Leave, "mEdit", 0},
    {Set, "alEdit", 3.5e8L},
    {Set, "k_iEdit", 0.8L},
    {Set, "kirEdit", 0.2142L},
};
constexpr ElSideValue kSimpleAlSide[] = {{"Initial", "NonMetal", 0}, {"Elastic", "G", 26}};
constexpr ElPresetStep kSimpleAg[] = {
    {Set, "ZEdit", 1},
    {SetEdited, "rhoEdit", 10.489790276807L},
    {SetEdited, "mEdit", 107.8682L},
    {Leave, "mEdit", 0},
    {Set, "alEdit", 4e7L},
    {Set, "k_iEdit", 0},
    {Set, "kirEdit", 0},
};
constexpr ElSideValue kSimpleAgSide[] = {{"Initial", "NonMetal", 0}, {"Elastic", "G", 30}};
constexpr ElPresetInfo kSimplePresets[] = {
    {"Al", 0, kSimpleAl, kSimpleAlSide},
    {"Ag", 8, kSimpleAg, kSimpleAgSide},
};

// Transition metals: MatNo and rho0 first (the leave logic of rhoEdit keeps rho0 and
// makes n_at consistent), then the rest; gamma after the leave logic, which would show
// the free-electron value in its place on the other frames.
constexpr ElPresetStep kNi[] = {
    {SetEdited, "mEdit", 58.6934L}, {SetEdited, "rhoEdit", 8.9074292748L},
    {Leave, "rhoEdit", 0},          {Set, "ZEdit", 1.237L},
    {Set, "gEdit", 1077},           {Set, "TeCEdit", 6700},
    {Set, "VeCEdit", 0.574L},       {Set, "S0Edit", 1.275e5L},
    {Set, "alEdit", 3.9e9L},        {Set, "k_iEdit", 0.8L},
    {Set, "kirEdit", 0.2142L},
};
constexpr ElSideValue kNiSide[] = {{"Elastic", "G", 73}};
constexpr ElPresetStep kFe[] = {
    {SetEdited, "mEdit", 55.877L}, {SetEdited, "rhoEdit", 7.870622104441285704L},
    {Leave, "rhoEdit", 0},         {Set, "ZEdit", 1.3638L},
    {Set, "gEdit", 1077},          {Set, "TeCEdit", 6700},
    {Set, "VeCEdit", 0.45L},       {Set, "S0Edit", 1.7e5L},
    {Set, "alEdit", 3.9e9L},       {Set, "k_iEdit", 0.8L},
    {Set, "kirEdit", 0.2142L},
};
constexpr ElSideValue kFeSide[] = {{"Elastic", "G", 84}};
constexpr ElPresetInfo kTransMetPresets[] = {
    {"Ni", 2, kNi, kNiSide},
    {"Fe", 4, kFe, kFeSide},
};

constexpr ElPresetStep kTa[] = {
    {SetEdited, "rhoEdit", 16.65487384665951972L},
    {SetEdited, "mEdit", 180.9479L},
    {Set, "ZEdit", 5},
    {Leave, "mEdit", 0},
    {Set, "alEdit", 1.27e8L},
};
constexpr ElPresetInfo kTaPresets[] = {{"Ta", 5, kTa, {}}};

constexpr ElPresetStep kAu[] = {
    {SetEdited, "rhoEdit", 19.301066L},
    {SetEdited, "mEdit", 197.3L},
    {Set, "ZEdit", 1},
    {Leave, "mEdit", 0},
};
constexpr ElPresetInfo kNoblePresets[] = {{"Au", 1, kAu, {}}};

constexpr ElPresetStep kNAu[] = {
    {SetEdited, "rhoEdit", 19.30103208886L},
    {SetEdited, "mEdit", 197.3L},
    {Set, "ZEdit", 1},
    {Leave, "mEdit", 0},
};
constexpr ElSideValue kNAuSide[] = {{"Spall", "eta", 0.005L},
                                    {"Spall", "Tc", 7764},
                                    {"Spall", "Tm", 1336},
                                    {"Spall", "sigma_m", 500}};
constexpr ElPresetInfo kNewNoblePresets[] = {{"NAu", 6, kNAu, kNAuSide}};

constexpr ElPresetStep kAg1[] = {
    {Set, "ZEdit", 1},
    {SetEdited, "rhoEdit", 10.489789L},
    {SetEdited, "mEdit", 107.8682L},
    {Leave, "mEdit", 0},
    {Set, "TeCEdit", 6000},
    {Set, "VeCEdit", 0.53L},
    {Set, "alEdit", 4e7L},
    {Set, "k_iEdit", 0},
    {Set, "kirEdit", 0},
};
constexpr ElSideValue kAg1Side[] = {{"Elastic", "G", 30}};
constexpr ElPresetInfo kAgPresets[] = {{"Ag1", 8, kAg1, kAg1Side}};

constexpr ElPresetStep kMo[] = {
    {SetEdited, "rhoEdit", 10.22L},
    {SetEdited, "mEdit", 95.96L},
    {Set, "ZEdit", 5},
    {Leave, "mEdit", 0},
    {Set, "alEdit", 3e9L},
    {Set, "rho00Edit", 10.4024529278930795L},
};
constexpr ElSideValue kMoSide[] = {{"Elastic", "G", 126}};
constexpr ElPresetInfo kMoPresets[] = {{"Mo", 10, kMo, kMoSide}};

// ---- pages ---------------------------------------------------------------------------------

constexpr uint16_t kThermo =
    kFillsElEnergy | kFillsElHeatCap | kFillsElPressure | kFillsElPressureDT;
constexpr uint16_t kMetal = kThermo | kFillsCoupling | kFillsElConductivity | kFillsFilmKappa;

constexpr int32_t kAuMaterials[] = {1};
constexpr int32_t kTransMetMaterials[] = {2, 4};
constexpr int32_t kLiFMaterials[] = {3};
constexpr int32_t kTaMaterials[] = {5};
constexpr int32_t kNAuMaterials[] = {6};
constexpr int32_t kAu1Materials[] = {7};
constexpr int32_t kAgMaterials[] = {8};
constexpr int32_t kRuMaterials[] = {9};
constexpr int32_t kMoMaterials[] = {10};
constexpr int32_t kSnMaterials[] = {12};
constexpr int32_t kMetKabMaterials[] = {0, 2, 4, 11};
constexpr int32_t kSplineMaterials[] = {13};

constexpr std::span<const int32_t> kNone{};

constexpr ElPageInfo Frame(int32_t index, const char* id, const char* caption,
                           const char* frameClass, std::span<const int32_t> materials,
                           std::span<const ElPresetInfo> presets, uint16_t fills,
                           const char* note) {
  return {index, id, caption, frameClass, true, {}, {}, materials, presets, fills, note};
}

constexpr ElPageInfo Planned(int32_t index, const char* id, const char* caption,
                             const char* frameClass, std::span<const int32_t> materials,
                             const char* note) {
  return {index, id, caption, frameClass, false, {}, {}, materials, {}, 0, note};
}

constexpr ElPageInfo kPages[] = {
    {0,
     "constant",
     "Constant",
     nullptr,
     true,
     kConstantParams,
     kNoChecks,
     kNone,
     {},
     kThermo | kFillsCoupling | kFillsElConductivity,
     "constant heat capacity, conductivity and coupling; Pe = Gr rho c_e Te"},
    {1, "simple_metal", "Simple metall", nullptr, true, kSimpleParams, kSimpleChecks, kNone,
     kSimplePresets, kMetal,
     "free-electron gas with rho - rho_md in the energy, Wiedemann-type conductivity"},
    Frame(2, "noble_metal", "Noble Metall", "TNobleMetFrame", kAuMaterials, kNoblePresets, kMetal,
          "gold: d-band heat capacity, gold coupling and conductivity"),
    Frame(3, "trans_metal", "TransMetall", "TTransMetFrame", kTransMetMaterials, kTransMetPresets,
          kMetal, "transition metals: two-band solid model blended with the free-electron gas"),
    Planned(4, "no_metal", "NoMetall", "TNoMetFrame", kLiFMaterials, "non-metal electron model"),
    Frame(5, "ta", "Ta", "TTaParFrame", kTaMaterials, kTaPresets, kMetal,
          "tantalum: fitted pressure blended with the free-electron gas, fitted conductivity"),
    Frame(6, "new_au", "NewAu", "TNewNobleMetFrame", kNAuMaterials, kNewNoblePresets, kMetal,
          "gold: fitted energy and pressure, gold coupling and conductivity"),
    Planned(7, "au1", "Au1", "TAu1ParFrame", kAu1Materials, "fitted gold model"),
    Frame(8, "ag1", "Ag1", "TAgParFrame", kAgMaterials, kAgPresets, kMetal | kFillsHeatFluxLimit,
          "silver: free-electron gas, fitted conductivity"),
    Planned(9, "ru", "Ru", "TRuElParFrame", kRuMaterials, "fitted ruthenium model"),
    Frame(10, "mo", "Mo", "TMoParFrame", kMoMaterials, kMoPresets, kMetal,
          "molybdenum: fitted energy and pressure, constant conductivity"),
    Planned(11, "rextr", "Rextr", "TElRextr", kSnMaterials, "fitted tin model"),
    Planned(12, "met_kab", "Met_kab", "TMet_kabFrame", kMetKabMaterials,
            "fitted-conductivity metals Al, Ni, Fe, Ti"),
    Planned(13, "spline", "Spline", "TSplineEOSFrame", kSplineMaterials,
            "spline electron model from \"In.txt\""),
};

// Appends a frame's fields (and its ancestors', first) to `out`, a redeclared field in
// its ancestor's place.
void AppendFrame(const ElFrameInfo& frame, std::vector<ElParamInfo>& out,
                 std::vector<ElCheckInfo>& checks) {
  if (frame.parentClass != nullptr) {
    if (const ElFrameInfo* parent = FindElectronFrame(frame.parentClass)) {
      AppendFrame(*parent, out, checks);
    }
  }
  for (const ElParamInfo& p : frame.params) {
    bool replaced = false;
    for (ElParamInfo& q : out) {
      if (std::string_view(q.name) == p.name) {
        q = p;
        replaced = true;
      }
    }
    if (!replaced) out.push_back(p);
  }
  for (const ElCheckInfo& c : frame.checks) checks.push_back(c);
}

void Collect(const ElPageInfo& page, std::vector<ElParamInfo>& params,
             std::vector<ElCheckInfo>& checks) {
  params.assign(page.params.begin(), page.params.end());
  checks.assign(page.checks.begin(), page.checks.end());
  if (page.frameClass == nullptr) return;
  if (const ElFrameInfo* frame = FindElectronFrame(page.frameClass)) {
    AppendFrame(*frame, params, checks);
  }
}

}  // namespace

std::span<const ElPageInfo> ElectronPages() {
  return kPages;
}

std::span<const ElFrameInfo> ElectronFrames() {
  return kFrames;
}

const ElPageInfo* FindElectronPage(std::string_view idOrCaption) {
  for (const ElPageInfo& p : kPages) {
    if (idOrCaption == p.id || idOrCaption == p.caption) return &p;
  }
  return nullptr;
}

const ElFrameInfo* FindElectronFrame(std::string_view frameClass) {
  for (const ElFrameInfo& f : kFrames) {
    if (frameClass == f.frameClass) return &f;
  }
  return nullptr;
}

std::vector<ElParamInfo> PageParams(const ElPageInfo& page) {
  std::vector<ElParamInfo> params;
  std::vector<ElCheckInfo> checks;
  Collect(page, params, checks);
  return params;
}

std::vector<ElCheckInfo> PageChecks(const ElPageInfo& page) {
  std::vector<ElParamInfo> params;
  std::vector<ElCheckInfo> checks;
  Collect(page, params, checks);
  return checks;
}

const ElPresetInfo* FindPreset(const ElPageInfo& page, std::string_view material) {
  for (const ElPresetInfo& p : page.presets) {
    if (material == p.material) return &p;
  }
  return nullptr;
}

namespace {

// The same range as an equation-of-state parameter, whose checks and wording serve both.
EosParamInfo AsEosParam(const ElParamInfo& p) {
  return {p.name,      p.unit,      p.defaultValue, p.lower, p.upper,
          p.lowerOpen, p.upperOpen, false,          false,   p.help};
}

}  // namespace

bool ElParamValid(const ElParamInfo& param, Real value) {
  return EosParamValid(AsEosParam(param), value);
}

std::string ElParamRequirement(const ElParamInfo& param) {
  return EosParamRequirement(AsEosParam(param));
}

}  // namespace tarvex
