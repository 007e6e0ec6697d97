// The table of electron-model pages and frames.
#include "core/electron/ElectronCatalog.h"

#include <limits>

#include "core/electron/ThermParFrames.h"
#include "core/electron/ThermParamDialog.h"
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

// ---- the fitted-conductivity metals ("Met_kab") -------------------------------------------

constexpr ElParamInfo kMetEFParams[] = {
    Shown("gEdit", "gamma(rho0)", "kJ/g/K2",
          "Sommerfeld coefficient of the free electrons at rho0"),
    NonNegative("rho_mdEdit", "rho_md", "g/cm3", 0,
                "density below which the electrons are switched off (1/VeC unless edited)"),
    NonNegative("TeCEdit", "TeC", "K", 0,
                "below it a tabulated film EOS switches the electrons by phase"),
    NonNegative("VeCEdit", "VeC", "cm3/g", 0,
                "specific volume of the switch: rho_md = 1/VeC when rho_md was not edited"),
};

constexpr ElParamInfo kMetKabParams[] = {
    // Electron-electron resistivity.
    Positive("rho00Edit", "rho00", "g/cm3", 0, "reference density of the conductivity fit"),
    NonNegative("k0eEdit", "k0e", "m K/W", 0,
                "keem = (k0e/xk) t (1 + a1 t)/(1 + b0 sqrt(t) + b1 t + b2 t^2), t = 6 Te/T_F"),
    AnyFinite("a1Edit", "a1", "", 0, "keem: a1"),
    AnyFinite("b0Edit", "b0", "", 0, "keem: b0"),
    AnyFinite("b1Edit", "b1", "", 0, "keem: b1"),
    AnyFinite("b2Edit", "b2", "", 0, "keem: b2"),
    // Solid electron-ion conductivity.
    Positive("k0sEdit", "k0s", "W/m/K", 0, "solid electron-ion conductivity at rho_rt and Tr"),
    NonNegative("k0sxrtEdit", "k0sxrt", "W/m/K", 0,
                "k0s/xrt/y(xrt): follows k0s (leaving it sets k0s back)"),
    Positive("rhoRtEdit", "rho_rt", "g/cm3", 0, "density of the solid reference point"),
    Positive("TrEdit", "Tr", "K", 0, "temperature of the solid reference point"),
    AnyFinite("aEdit", "a", "", 0, "density shape y(x) = (1 + cab) x^(2a+1)/(1 + cab x^(a+1)): a"),
    Range("bEdit", "b", "", 0, -1, true, kInf, true, "density shape: b, cab = (a - b)/(b + 1)"),
    AnyFinite("am1Edit", "am1", "", 0, "cvr(t) = t (1 + am1 t + am2 t^2)/(1 + bm t^pm): am1"),
    AnyFinite("am2Edit", "am2", "", 0, "cvr: am2"),
    NonNegative("bmEdit", "bm", "", 0, "cvr: bm"),
    AnyFinite("pmEdit", "pm", "", 0, "cvr: pm"),
    // Liquid electron-ion conductivity.
    Positive("k0lEdit", "k0l", "W/m/K", 0, "liquid electron-ion conductivity at rho_lm and Tm"),
    NonNegative("k0lxlmEdit", "k0lxlm", "W/m/K", 0,
                "k0l/xlm/cvl(tlm): follows k0l (leaving it sets k0l back)"),
    Positive("rho_lmEdit", "rho_lm", "g/cm3", 0, "density of the liquid reference point"),
    Positive("TmEdit", "Tm", "K", 0, "temperature of the liquid reference point (melting)"),
    AnyFinite("aml1Edit", "aml1", "", 0,
              "cvl(t) = t (1 + aml1 t + aml2 t^2)/(1 + bml t^pml): aml1"),
    AnyFinite("aml2Edit", "aml2", "", 0, "cvl: aml2"),
    NonNegative("bmlEdit", "bml", "", 0, "cvl: bml"),
    AnyFinite("pmlEdit", "pml", "", 0, "cvl: pml"),
    AnyFinite("al1Edit", "al1", "K", 0, "kTi(T) = (1 + al1/T)/(1 + al2/T): al1"),
    AnyFinite("al2Edit", "al2", "K", 0, "kTi: al2"),
    // Transition-metal panel (Ni, Fe).
    Positive("gammaEdit", "gamma x1e-9", "kJ/K2/cm3", 0, "d band: K = (gamma/2) Te^2, x1e9"),
    Positive("S0Edit", "s0 x1e-9", "kJ/K2.3/cm3", 0,
             "s band: S = s0 Te^1.3, x1e9 (changing it sets s'0 = 1.3 s0)"),
    NonNegative("S1Edit", "s'0 x1e-9", "kJ/K2.3/cm3", 0, "s band: S' = s'0 Te^0.3, x1e9"),
    // Titanium panel.
    NonNegative("P0Edit", "P0", "GPa", 5.2644L,
                "Pe = P0 x^(5/3) t^2 (1 - (rho_md/rho)^2)^2 (t^P1p + P1)/(t^P2p + P2): P0"),
    Positive("P1Edit", "P1", "", 10.6345L, "Pe: P1"),
    Positive("P2Edit", "P2", "", 3.75573L, "Pe: P2"),
    NonNegative("P1pEdit", "P1p", "", 2.18182L, "Pe: exponent P1p"),
    NonNegative("P2pEdit", "P2p", "", 2.72098L, "Pe: exponent P2p"),
    NonNegative("E0Edit", "E0", "kJ/g", 1.41754L,
                "Ee = E0 x^(2/3) t^2 (t^E1p + E1)/(t^E2p + E2): E0"),
    Positive("E1Edit", "E1", "", 14.6469L, "Ee: E1"),
    Positive("E2Edit", "E2", "", 4.01304L, "Ee: E2"),
    NonNegative("E1pEdit", "E1p", "", 2.13453L, "Ee: exponent E1p"),
    NonNegative("E2pEdit", "E2p", "", 2.62742L, "Ee: exponent E2p"),
    Positive("g0Edit", "g0", "", 3.91607L,
             "G = (g0 + g1 t^h1/(1 + g2 t^h2) x^(2/3)) 1e8/rho00 kW/g/K: g0"),
    NonNegative("g1Edit", "g1", "", 0.389498L, "G: g1"),
    AnyFinite("h1Edit", "h1", "", 2.10814L, "G: exponent h1"),
    NonNegative("g2Edit", "g2", "", 0.263153L, "G: g2"),
    AnyFinite("h2Edit", "h2", "", 1.93247L, "G: exponent h2"),
};
constexpr ElCheckInfo kMetKabChecks[] = {
    {"TransMetPanel", "TransMet", false,
     "shown panel: the transition-metal electrons and the coupling alpha (Tr/Te)^(1/4) (Ni, Fe)"},
    {"TiEOSPanel", "TiEOS", false,
     "shown panel: the fitted titanium electrons and coupling (Ti); neither: free electrons (Al)"},
};

// ---- the fitted electron models of gold, ruthenium and tin -------------------------------

constexpr ElParamInfo kAu1Params[] = {
    NonNegative("alEdit", "al", "", 0.2L,
                "coupling: constant term of (al + (4.3/Kal) shape) 1e8/rho0e (rho/rho0)^(2/3)"),
    NonNegative("TeCEdit", "TeC", "K", 0, "below it a tabulated film EOS decides the blend"),
    NonNegative("VeCEdit", "VeC", "cm3/g", 0,
                "specific volume of the blend window; rho_md = 0.5/VeC"),
    Shown("rho_mdEdit", "rho_md", "g/cm3", "free-electron cut-off density 0.5/VeC"),
    NonNegative("qTlimEdit", "q_lim", "kW/cm2", 0, "largest electron heat flux; 0: no limit"),
    Positive("rho0eEdit", "rho0e", "g/cm3", 19.3L, "reference density of the fit"),
    Positive("E0FEdit", "EF0", "kJ/g", 88.736L, "energy scale of the fit"),
    Positive("tEdit", "tau", "1/K", 1.835E-5L, "t = tau Te"),
    NonNegative("GammaeEdit", "Gammae", "", 0.72L, "Pe = Gammae rho Ee"),
    Positive("e1Edit", "e1", "", 2.33349L, "Ehigh = e1 t^(1+de) (...): e1"),
    Positive("e2Edit", "e2", "", 1.13095L, "Elow = e2 t^2/x1 + e4 t^4/x1^3: e2"),
    NonNegative("e4Edit", "e4", "", 86.7435L, "Elow: e4"),
    Range("deltaeEdit", "de", "", 0.730093L, -1, true, kInf, true, "Ehigh: exponent 1 + de"),
    AnyFinite("z0Edit", "z0", "", 0.880896L,
              "Ehigh density shape z0 + (1 - z0 - z2)/x1^m1 + z2/x1^m2"),
    AnyFinite("z2Edit", "z2", "", -0.0364397L, "Ehigh density shape: z2"),
    AnyFinite("m1Edit", "m1", "", 4.6121L, "Ehigh density shape: m1"),
    AnyFinite("m2Edit", "m2", "", 9.75613L, "Ehigh density shape: m2"),
    Positive("k_scalEdit", "k_scal", "kW/cm/K per W/m/K", 1E-5L,
             "conductivity scale (the constant conductivity with \"Const kappa_e\")"),
    NonNegative("keEdit", "ke", "", 1, "weight of the electron-electron resistivity"),
    Positive("KalEdit", "Kal", "", 4, "coupling: weight 4.3/Kal of the d-band term"),
    // Phase fit of the conductivity.
    Positive("rho0kEdit", "rho0k", "g/cm3", 19.5L, "reference density of the conductivity fit"),
    Positive("kEdit", "k", "", 6, "tk = k T/(TF0 eV_KB x)"),
    Positive("TF0Edit", "TF0", "eV", 9.2L, "Fermi energy of the fit"),
    Positive("eV_KBEdit", "eV_KB", "K/eV", 11605, "kelvin per eV"),
    Positive("a0Edit", "a0", "m K/W", 0.0009294L, "Se = a0 tk/(1 + b0 sqrt(tk) + b1 tk + b2 tk^2)"),
    AnyFinite("b0Edit", "b0", "", -0.2688L, "Se: b0"),
    AnyFinite("b1Edit", "b1", "", 0.03L, "Se: b1"),
    AnyFinite("b2Edit", "b2", "", 0.9722L, "Se: b2"),
    Positive("ke1Edit", "ke1", "W/m/K", 318, "solid electron-ion conductivity at brm and 293 K"),
    Positive("ke2Edit", "ke2", "K", 293, "solid electron-ion term: ke2/Ti"),
    Positive("brm1Edit", "brm1", "g/cm3", 19.3L, "brm = brm1/brm2"),
    Positive("brm2Edit", "brm2", "g/cm3", 19.5L, "brm = brm1/brm2"),
    AnyFinite("aEdit", "a", "", 3.92004L, "density shape y(x): a"),
    Range("bEdit", "b", "", 1.9471L, -1, true, kInf, true, "density shape y(x): b"),
    Positive("k01Edit", "k01", "", 131.597L, "k0 = k01 tk (1 + k02 tk^2)/(1 + k03 tk^2.07)"),
    NonNegative("k02Edit", "k02", "", 3.06667L, "k0: k02"),
    NonNegative("k03Edit", "k03", "", 1.07927L, "k0: k03"),
    Positive("r0Edit", "r0", "", 3254, "liquid: kei = k0 r0/rbl(Ti) (xk/xbl(Ti))^g xk"),
    AnyFinite("gEdit", "g", "", 2, "liquid: exponent g"),
    AnyFinite("rbl0Edit", "rbl0", "", 148.5L, "rbl(T) = rbl0 + rbl1 T (Ts + Tm)/(Ts + T)"),
    AnyFinite("rbl1Edit", "rbl1", "1/K", 0.1193L, "rbl: rbl1"),
    Positive("TsEdit", "Ts", "K", 14000, "rbl: Ts"),
    Positive("TmEdit", "Tm", "K", 1337, "melting temperature of the liquid fit"),
    AnyFinite("xbl0Edit", "xbl0", "", 0.887179L, "xbl(T) = xbl0 + xbl1 dT + xbl2 dT^2 + xbl3 dT^3"),
    AnyFinite("xbl1Edit", "xbl1", "1/K", -3.28321E-5L, "xbl: xbl1"),
    AnyFinite("xbl2Edit", "xbl2", "1/K2", -3.0982E-9L, "xbl: xbl2"),
    AnyFinite("xbl3Edit", "xbl3", "1/K3", -1.64884E-13L, "xbl: xbl3"),
    // New fits ("New kappa_e", "NewExtr").
    Positive("NewRho0k", "NewRho0k", "g/cm3", 19.5L, "reference density of the new fits"),
    Positive("Te1Edit", "Te1", "1/K", 5.61977E-5L, "t = Te1 Te/xk"),
    Positive("kee1Edit", "kee1", "", 1.1502L, "keem = (1e-4/xk) kee1 t (...)"),
    NonNegative("keeaEdit", "keea", "", 462.469L, "keem: (1 + keea t^2)"),
    NonNegative("keeb2Edit", "keeb2", "", 14.7423L, "keem: 1 + keeb2 t^2 + keeb4 t^4"),
    NonNegative("keeb4Edit", "keeb4", "", 10.6581L, "keem: keeb4"),
    Positive("ya1Edit", "ya1", "", 1.1963L, "ya(x) = ya1 x^yap/(1 + yb1 x^ybp)"),
    AnyFinite("yapEdit", "yap", "", 4.6932L, "ya: yap"),
    NonNegative("yb1Edit", "yb1", "", 0.196302L, "ya: yb1"),
    AnyFinite("ybpEdit", "ybp", "", 2.8466L, "ya: ybp"),
    Positive("ksei1Edit", "ksei1", "W/m", 5923130, "kei = xk^(4/3) ksei1 ya(xk) cy(t)/Ti"),
    NonNegative("ca1Edit", "ca1", "", 6.82443L, "cy(t) = t (1 + ca1 t^cap)/(1 + cb1 t^cbp)"),
    AnyFinite("capEdit", "cap", "", 2, "cy: cap"),
    NonNegative("cb1Edit", "cb1", "", 2.22157L, "cy: cb1"),
    AnyFinite("cbpEdit", "cbp", "", 2.02402L, "cy: cbp"),
    AnyFinite("Sb0Edit", "Sb0", "", 0.03L, "extrapolated keem: 1 + Sb0 sqrt(t) - Sb1 t + Sb2 t^2"),
    AnyFinite("Sb1Edit", "Sb1", "", 0.2688L, "extrapolated keem: Sb1"),
    AnyFinite("Sb2Edit", "Sb2", "", 0.9722L, "extrapolated keem: Sb2"),
    Positive("TrEdit", "Tr", "K", 300, "extrapolated kei: Tr/Ti"),
    Positive("cyEdit", "cy", "", 1.05905L, "extrapolated kei: cy t"),
    AnyFinite("cra1Edit", "cra1", "", 1.82427L, "extrapolated kei: (1 - cra1 t + cra2 t^2)"),
    AnyFinite("cra2Edit", "cra2", "", 2.22019L, "extrapolated kei: cra2"),
    AnyFinite("crb1Edit", "crb1", "", 1.14826L, "extrapolated kei: /(1 - crb1 t + crb2 t^2)"),
    AnyFinite("crb2Edit", "crb2", "", 6.72599L, "extrapolated kei: crb2"),
    Positive("at1Edit", "at1", "K", 5060,
             "extrapolated coupling ((Te/at1)^2 + 1) al/((Te/at2)^5 + 1)"),
    Positive("at2Edit", "at2", "K", 7050, "extrapolated coupling: at2"),
};
constexpr ElCheckInfo kAu1Checks[] = {
    {"ConstKappaCheck", "Const kappa_e", false, "constant conductivity k_scal"},
    {"NewKappaCheck", "New kappa_e", false, "the new conductivity fit"},
    {"NewExtrCheck", "NewExtr", false,
     "the extrapolated new fit and coupling (with \"New kappa_e\"); sets kee1 and ksei1"},
};

constexpr ElParamInfo kRuParams[] = {
    NonNegative("alEdit", "alpha", "kW/K/cm3", 1.8e10L,
                "coupling (rho/Rho0k)^(2/3) (alpha - al1 Te/(Te + Tal))/rho0"),
    AnyFinite("al1Edit", "al1", "kW/K/cm3", 1.25e10L, "coupling: al1"),
    Positive("TalEdit", "Tal", "K", 5e4L, "coupling: Tal"),
    AnyFinite("c0PEdit", "c0P", "GPa cm3/g", 8991.130238193502L,
              "Pe = F rho (c0P/rho0) t^2 (t^2 - a1P t + a0P)/(t^3 + b2P t^2 + b1P t + b0P)"),
    AnyFinite("a1PEdit", "a1P", "eV", 6.979336759481536L, "Pe fit: a1P"),
    AnyFinite("a0PEdit", "a0P", "eV2", 40.19966255395834L, "Pe fit: a0P"),
    AnyFinite("b0PEdit", "b0P", "eV3", 2984.8340210165725L, "Pe fit: b0P"),
    AnyFinite("b1PEdit", "b1P", "eV2", 3431.1962480372663L, "Pe fit: b1P"),
    AnyFinite("b2PEdit", "b2P", "eV", 0.0010140561030524036L, "Pe fit: b2P"),
    AnyFinite("c0EEdit", "c0E", "kJ/g g/cm3", 85340.41225568096L,
              "Ee = F (c0E/rho0) t^2 (t^2 - a1e t + a0e)/(t^3 + b2E t^2 + b1E t + b0E)"),
    AnyFinite("a1eEdit", "a1e", "eV", 6.828937851402031L, "Ee fit: a1e"),
    AnyFinite("a0eEdit", "a0e", "eV2", 20.940078095697814L, "Ee fit: a0e"),
    AnyFinite("b2EEdit", "b2E", "eV", 0.2743821807884884L, "Ee fit: b2E"),
    AnyFinite("b1EEdit", "b1E", "eV2", 0.7281833220243675L, "Ee fit: b1E"),
    AnyFinite("b0EEdit", "b0E", "eV3", 35303.19610102105L, "Ee fit: b0E"),
    NoEffect("c0cEdit", "c0c", "", 18.57845620068677L,
             "separate heat-capacity fit (shown only: Ce is the Te-derivative of the Ee fit)"),
    NoEffect("a1cEdit", "a1c", "", 5.124947000669504L, "separate heat-capacity fit (shown only)"),
    NoEffect("a0cEdit", "a0c", "", 10.47593736909107L, "separate heat-capacity fit (shown only)"),
    NoEffect("b2cEdit", "b2c", "", 0.012781385054488083L,
             "separate heat-capacity fit (shown only)"),
    NoEffect("b1cEdit", "b1c", "", 0.038717898531078286L,
             "separate heat-capacity fit (shown only)"),
    NoEffect("b0cEdit", "b0c", "", 29744.096666881647L, "separate heat-capacity fit (shown only)"),
    Positive("krtEdit", "krt", "W/m/K", 117, "electron-ion conductivity at rho0 and Trt0"),
    Positive("Rho0kEdit", "Rho0k", "g/cm3", 12.4906702661455L,
             "reference density of the conductivity and coupling"),
    Positive("Trt0Edit", "Trt0", "K", 293, "room temperature of the conductivity fit"),
    AnyFinite("aEdit", "a", "", 1.6569036734344376L, "density shape y(x): a"),
    Range("bEdit", "b", "", 1.1736399604338026L, -1, true, kInf, true, "density shape y(x): b"),
    AnyFinite("am2Edit", "am2", "", 0.27046824537560393L, "cv(t) = t (1 + am2 t^2)/(1 + am t^bm)"),
    NonNegative("amEdit", "am", "", 0.1991637915011424L, "cv: am"),
    AnyFinite("bmEdit", "bm", "", 1.937141548654876L, "cv: bm"),
    AnyFinite("a0Edit", "a0", "", 25.123052588773383L,
              "keem = (1e-3/x) t (a0 + a1 t)/(1 + b1 t + b2 t^2 + b3 t^3)"),
    AnyFinite("a1Edit", "a1", "", 0.2524851528775459L, "keem: a1"),
    AnyFinite("b1Edit", "b1", "", 0.40172793052485617L, "keem: b1"),
    AnyFinite("b2Edit", "b2", "", 1.787755373843094L, "keem: b2"),
    AnyFinite("b3Edit", "b3", "", 0.3725238860898682L, "keem: b3"),
};

constexpr ElParamInfo kSnParams[] = {
    NonNegative(
        "alEdit", "alpha", "kW/K/cm3", 1e8L,
        "coupling (rho/r00)^(2/3) (alpha al0/r00)(1 + al1 t + al2 t^2)/(1 + al3 t + al4 t^2)"),
    AnyFinite("a0Edit", "a0", "GPa", 10.781658L,
              "Pe = (rho/rho0)^(5/3) a0 t^2 (1 + a1 t + a2 t^2)/(1 + b1 t + b2 t^2 + b3 t^3)"),
    AnyFinite("a1Edit", "a1", "", 0.7289172962531099L, "Pe fit: a1"),
    AnyFinite("a2Edit", "a2", "", 1.1947645224014498L, "Pe fit: a2"),
    AnyFinite("b1Edit", "b1", "", 0.9391853674611821L, "Pe fit: b1"),
    AnyFinite("b2Edit", "b2", "", 0.8903469202608709L, "Pe fit: b2"),
    AnyFinite("b3Edit", "b3", "", 0.3406860230701975L, "Pe fit: b3"),
    Positive("IGr0eEdit", "IGr_e", "", 1.5L, "Ee = IGr_e Pe/rho"),
    Positive("k_scallEdit", "k_scal", "kW/cm/K per W/m/K", 1e-5L, "conductivity scale"),
    Positive("AeeEdit", "Aee", "W/m/K", 1000,
             "kee = Aee x (1 + b1k t + b2k t^2 + b3k t^3)/(b0k + b4k t^2)"),
    AnyFinite("b1kEdit", "b1k", "", 102.59392398522215L, "kee: b1k"),
    AnyFinite("b2kEdit", "b2k", "", 33.244947138095256L, "kee: b2k"),
    AnyFinite("b3kEdit", "b3k", "", 11.079393208863747L, "kee: b3k"),
    Positive("b0kEdit", "b0k", "", 0.0011L, "kee: b0k"),
    NonNegative("b4kEdit", "b4k", "", 77.11174294489554L, "kee: b4k"),
    AnyFinite("aEdit", "a", "", 1.3154194974919315L, "density shape y(x): a (b + 0.3 in the fit)"),
    Range("bEdit", "b", "", 1.0154194974919315L, -1, true, kInf, true, "density shape y(x): b"),
    Positive("c0kEdit", "c0k", "", 9.5997910145443L, "c(t) = c0k t (1 + c1k t)/(1 + c2k t^c3k)"),
    AnyFinite("c1kEdit", "c1k", "", 0.5689468063848107L, "c: c1k"),
    NonNegative("c2kEdit", "c2k", "", 0.4724208387158974L, "c: c2k"),
    AnyFinite("c3kEdit", "c3k", "", 1.6116303185654834L, "c: c3k"),
    Positive("AeiEdit", "Aei", "W/m/K", 34.1L, "electron-ion conductivity at rho0 and Trm"),
    NonNegative("gamEdit", "gam", "", 0.5L,
                "temperature-independent part of the electron-ion term"),
    Positive("TrmEdit", "Trm", "K", 505, "reference temperature of the electron-ion term"),
    Positive("r00Edit", "r00", "g/cm3", 7.2L,
             "reference density of the density shape and coupling"),
    AnyFinite("al0Edit", "al0", "", 0.5382735076099557L, "coupling: al0"),
    AnyFinite("al1Edit", "al1", "", 0.029995691822374864L, "coupling: al1"),
    AnyFinite("al2Edit", "al2", "", 0.23669113327315816L, "coupling: al2"),
    AnyFinite("al3Edit", "al3", "", 0.03244687639492274L, "coupling: al3"),
    AnyFinite("al4Edit", "al4", "", 0.188143136039558L, "coupling: al4"),
};

constexpr ElParamInfo kSplineParams[] = {
    NonNegative("alEdit", "alpha", "kW/K/cm3", 0,
                "constant coupling (read with \"Const\" checked, hidden otherwise)"),
    AnyFinite("GammaEdit", "Gamma0", "", 0.6666667L,
              "Pe = Gamma(rho) rho Ee, Gamma = (Gamma0 + Add) Mult"),
    AnyFinite("G1Edit", "G1", "", 0.17L, "Add = G1/(G2 max(0, rho0/rho - G3)^2 + 1) with \"+\""),
    NonNegative("G2Edit", "G2", "", 12, "Add: G2"),
    AnyFinite("G3Edit", "G3", "", 0.7L, "Add: G3"),
    NonNegative("kappa0Edit", "kappa0", "W/m/K", 2700,
                "constant electron conductivity with \"&Kappa\" (times 1e-5 in kW/cm/K)"),
};
constexpr ElCheckInfo kSplineChecks[] = {
    {"GrAddCheck", "+", false, "add the density term Add to Gamma"},
    {"GrMultCheck", "*", false, "multiply Gamma by (1 - min(1, 0.1 rho0/rho)^6)^3"},
    {"KappaCheck", "&Kappa", true, "constant electron conductivity kappa0"},
    {"ConstAlphaCheck", "Const", false, "keep the constant coupling alpha instead of the file's"},
};

constexpr std::span<const ElCheckInfo> kNoChecks{};

constexpr std::span<const ElButtonInfo> kNoButtons{};

constexpr ElButtonInfo kSplineButtons[] = {
    {"SplineInButton", "&Load Spline In file",
     "the input file naming the heat-capacity file (Cefile), the coupling file (Gefile) and the "
     "atomic mass (Amass)"},
    {"InitSpline", "&Init Spline",
     "read the two data files and show the table of the model (shown once the input file is read)"},
};

constexpr ElFrameInfo kFrames[] = {
    {"TElThermParFrame", nullptr, kBaseParams, kBaseChecks, kNoButtons},
    {"TMetParFrame", "TElThermParFrame", kMetParams, kMetChecks, kNoButtons},
    {"TTransMetFrame", "TMetParFrame", kTransMetParams, kNoChecks, kNoButtons},
    {"TTaParFrame", "TMetParFrame", kTaParams, kNoChecks, kNoButtons},
    {"TNobleMetFrame", "TMetParFrame", kNobleParams, kNoChecks, kNoButtons},
    {"TNewNobleMetFrame", "TMetParFrame", kNewNobleParams, kNoChecks, kNoButtons},
    {"TAgParFrame", "TMetParFrame", kAgParams, kNoChecks, kNoButtons},
    {"TMoParFrame", "TMetParFrame", kMoParams, kNoChecks, kNoButtons},
    // The frame of the page not built yet: its fields are still to be described.
    {"TNoMetFrame", "TElThermParFrame", {}, kNoChecks, kNoButtons},
    {"TAu1ParFrame", "TElThermParFrame", kAu1Params, kAu1Checks, kNoButtons},
    {"TRuElParFrame", "TElThermParFrame", kRuParams, kNoChecks, kNoButtons},
    {"TElRextr", "TElThermParFrame", kSnParams, kNoChecks, kNoButtons},
    {"TSplineEOSFrame", "TElThermParFrame", kSplineParams, kSplineChecks, kSplineButtons},
    {"TMetEFFrame", "TElThermParFrame", kMetEFParams, kNoChecks, kNoButtons},
    {"TMet_kabFrame", "TMetEFFrame", kMetKabParams, kMetKabChecks, kNoButtons},
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

// The fitted-conductivity metals: MatNo and rho0 first (the leave logic of rhoEdit), then
// the fields; rho_md is cleared (the OK takes 1/VeC) except for Ni, whose 0.5/VeC counts
// as edited; the shown panel; last the leave logic of k0s and k0l, which derives k0sxrt
// and k0lxlm at the reference points just set.
constexpr ElPresetStep kKabAl[] = {
    {SetEdited, "mEdit", 26.98L},
    {SetEdited, "rhoEdit", 2.7121175137286021352L},
    {Leave, "rhoEdit", 0},
    {Set, "ZEdit", 3},
    {Set, "TeCEdit", 6050},
    {Set, "VeCEdit", 1.14L},
    {Set, "rho_mdEdit", 0},
    {Check, "TransMetPanel", 0},
    {Check, "TiEOSPanel", 0},
    {Set, "rho00Edit", 2.75L},
    {Set, "TrEdit", 298},
    {Set, "rhoRtEdit", 2.7L},
    {Set, "k0eEdit", 0.0004771105L},
    {Set, "a1Edit", 0},
    {Set, "b0Edit", -0.509672L},
    {Set, "b1Edit", 0.530706L},
    {Set, "b2Edit", 0.0644133L},
    {Set, "k0sEdit", 237.5L},
    {Set, "aEdit", 1.269368L},
    {Set, "bEdit", 0.942559L},
    {Set, "am1Edit", 0},
    {Set, "am2Edit", 0.345296L},
    {Set, "bmEdit", 0.36856L},
    {Set, "pmEdit", 2.408902L},
    {Set, "TmEdit", 933.6L},
    {Set, "rho_lmEdit", 2.35L},
    {Set, "k0lEdit", 98.3L},
    {Set, "al1Edit", 4138.536L},
    {Set, "al2Edit", 1396.242L},
    {Set, "aml1Edit", 1.544367L},
    {Set, "aml2Edit", 1.376759L},
    {Set, "bmlEdit", 2.995889L},
    {Set, "pmlEdit", 2.163359L},
    {Set, "alEdit", 3.5e8L},
    {Leave, "k0sEdit", 0},
    {Leave, "k0lEdit", 0},
};
constexpr ElSideValue kKabAlSide[] = {{"Elastic", "G", 26}};
constexpr ElPresetStep kKabNi[] = {
    {SetEdited, "mEdit", 58.6934L},
    {SetEdited, "rhoEdit", 8.9074292748L},
    {Leave, "rhoEdit", 0},
    {Set, "ZEdit", 1.237L},
    {Set, "TeCEdit", 6700},
    {Set, "VeCEdit", 0.574L},
    {SetEdited, "rho_mdEdit", 0.5L / 0.574L},
    {Check, "TransMetPanel", 1},
    {Set, "gammaEdit", 1077},
    {Set, "S0Edit", 1.275e5L},
    {Set, "rho00Edit", 9.0191L},
    {Set, "TrEdit", 300},
    {Set, "rhoRtEdit", 8.9092L},
    {Set, "k0eEdit", 0.0421403L},
    {Set, "a1Edit", 0},
    {Set, "b0Edit", 0},
    {Set, "b1Edit", 17.321557L},
    {Set, "b2Edit", 11.550811L},
    {Set, "k0sEdit", 96},
    {Set, "aEdit", 2.01969L},
    {Set, "bEdit", 0.680616L},
    {Set, "am1Edit", 0},
    {Set, "am2Edit", 5.269902L},
    {Set, "bmEdit", 3.059328L},
    {Set, "pmEdit", 2.094269L},
    {Set, "TmEdit", 1726},
    {Set, "rho_lmEdit", 7.81L},
    {Set, "k0lEdit", 61},
    {Set, "al1Edit", 7656},
    {Set, "al2Edit", 2583},
    {Set, "aml1Edit", 0},
    {Set, "aml2Edit", 5.269902L},
    {Set, "bmlEdit", 3.059328L},
    {Set, "pmlEdit", 2.094269L},
    {Set, "alEdit", 3.9e9L},
    {Set, "k_iEdit", 0.8L},
    {Set, "kirEdit", 0.2142L},
    {Leave, "k0sEdit", 0},
    {Leave, "k0lEdit", 0},
};
constexpr ElPresetStep kKabFe[] = {
    {SetEdited, "mEdit", 55.877L},
    {SetEdited, "rhoEdit", 7.870622104441285704L},
    {Leave, "rhoEdit", 0},
    {Set, "ZEdit", 1.3638L},
    {Set, "TeCEdit", 6700},
    {Set, "VeCEdit", 0.45L},
    {Set, "rho_mdEdit", 0},
    {Check, "TransMetPanel", 1},
    {Set, "gammaEdit", 1077},
    {Set, "S0Edit", 1.7e5L},
    {Set, "rho00Edit", 7.923L},
    {Set, "TrEdit", 300},
    {Set, "rhoRtEdit", 7.874L},
    {Set, "k0eEdit", 0.0135892L},
    {Set, "a1Edit", 0},
    {Set, "b0Edit", 0},
    {Set, "b1Edit", 0.817065L},
    {Set, "b2Edit", 3.25992L},
    {Set, "k0sEdit", 82},
    {Set, "aEdit", 2.234922L},
    {Set, "bEdit", 0.624002L},
    {Set, "am1Edit", 0},
    {Set, "am2Edit", 1.221772L},
    {Set, "bmEdit", 0.979219L},
    {Set, "pmEdit", 2.058057L},
    {Set, "TmEdit", 1812},
    {Set, "rho_lmEdit", 7.04L},
    {Set, "k0lEdit", 41.5L},
    {Set, "al1Edit", 7500},
    {Set, "al2Edit", 2500},
    {Set, "aml1Edit", 0},
    {Set, "aml2Edit", 1.221772L},
    {Set, "bmlEdit", 0.979219L},
    {Set, "pmlEdit", 2.058057L},
    {Set, "alEdit", 3.9e9L},
    {Set, "k_iEdit", 0.8L},
    {Set, "kirEdit", 0.2142L},
    {Leave, "k0sEdit", 0},
    {Leave, "k0lEdit", 0},
};
constexpr ElPresetStep kKabTi[] = {
    {SetEdited, "mEdit", 47.9L},  {SetEdited, "rhoEdit", 4.504499613L},
    {Leave, "rhoEdit", 0},        {Set, "ZEdit", 1.22746316578L},
    {Set, "TeCEdit", 8635},       {Set, "VeCEdit", 0.887L},
    {Set, "rho_mdEdit", 0},       {Check, "TiEOSPanel", 1},
    {Set, "rho00Edit", 4.54L},    {Set, "TrEdit", 300},
    {Set, "rhoRtEdit", 4.54L},    {Set, "k0eEdit", 0.00131771L},
    {Set, "a1Edit", 0},           {Set, "b0Edit", 0},
    {Set, "b1Edit", 0.895193L},   {Set, "b2Edit", 0.045837L},
    {Set, "k0sEdit", 21.9L},      {Set, "aEdit", 0.767317L},
    {Set, "bEdit", 0.529457L},    {Set, "am1Edit", 0},
    {Set, "am2Edit", 0.0796192L}, {Set, "bmEdit", 0.332576L},
    {Set, "pmEdit", 1.59006L},    {Set, "TmEdit", 1943},
    {Set, "rho_lmEdit", 4.11L},   {Set, "k0lEdit", 24},
    {Set, "al1Edit", 1.1e4L},     {Set, "al2Edit", 3e3L},
    {Set, "aml1Edit", 0},         {Set, "aml2Edit", 1.221772L},
    {Set, "bmlEdit", 0.979219L},  {Set, "pmlEdit", 2.058057L},
    {Set, "k_iEdit", 0},          {Set, "kirEdit", 0},
    {Set, "P0Edit", 12.2837L},    {Set, "P1Edit", 0.805728L},
    {Set, "P2Edit", 0.640835L},   {Set, "E0Edit", 3.52637L},
    {Set, "E1Edit", 1.57607L},    {Set, "E2Edit", 0.940415L},
    {Set, "g0Edit", 3.91607L},    {Set, "g1Edit", 0.389498L},
    {Set, "h1Edit", 2.10814L},    {Set, "g2Edit", 0.263153L},
    {Set, "h2Edit", 1.93247L},    {Leave, "k0sEdit", 0},
    {Leave, "k0lEdit", 0},
};
constexpr ElPresetInfo kMetKabPresets[] = {
    {"Al", 0, kKabAl, kKabAlSide},
    {"Ni", 2, kKabNi, kNiSide},
    {"Fe", 4, kKabFe, kFeSide},
    {"Ti", 11, kKabTi, {}},
};

constexpr ElPresetStep kAu1[] = {
    {SetEdited, "rhoEdit", 19.3010787368725L},
    {SetEdited, "mEdit", 196.966569L},
    {Set, "ZEdit", 1},
    {Leave, "mEdit", 0},
    {Set, "eV_KBEdit", 11604.505094120857822L},
    {Set, "TeCEdit", 7200},
    {Set, "VeCEdit", 0.21L},
    {Set, "alEdit", 0.2L},
    {Set, "KalEdit", 4},
};
constexpr ElSideValue kAu1Side[] = {{"Elastic", "G", 27}};
constexpr ElPresetInfo kAu1Presets[] = {{"Au1", 7, kAu1, kAu1Side}};

// The preset gives the form's values but for the conductivity's reference density and
// room temperature.
constexpr ElPresetStep kRu[] = {
    {Set, "ZEdit", 3},      {SetEdited, "rhoEdit", 12.41L}, {SetEdited, "mEdit", 101.07L},
    {Leave, "mEdit", 0},    {Set, "alEdit", 1.8e10L},       {Set, "al1Edit", 1.25e10L},
    {Set, "TalEdit", 5e4L}, {Set, "krtEdit", 117},          {Set, "Rho0kEdit", 12.480171729676L},
    {Set, "Trt0Edit", 298},
};
constexpr ElSideValue kRuSide[] = {{"Elastic", "G", 173}};
constexpr ElPresetInfo kRuPresets[] = {{"Ru", 9, kRu, kRuSide}};

constexpr ElPresetStep kSn[] = {
    {SetEdited, "rhoEdit", 7.57543815L},
    {SetEdited, "mEdit", 118.71L},
    {Set, "ZEdit", 4},
    {Leave, "mEdit", 0},
    {Set, "a0Edit", 11.859274404210810466L},
};
constexpr ElPresetInfo kSnPresets[] = {{"Sn", 12, kSn, {}}};

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

// The form model of a page of class `Form`.
template <class Form>
std::unique_ptr<TElPageForm> Make(const ElPageInfo& page,
                                  std::shared_ptr<TNumStringFormat> format) {
  return std::make_unique<Form>(page, std::move(format));
}

template <class Form>
constexpr ElPageInfo Frame(int32_t index, const char* id, const char* caption,
                           const char* frameClass, std::span<const int32_t> materials,
                           std::span<const ElPresetInfo> presets, uint16_t fills,
                           const char* note) {
  return {index, id, caption, frameClass, &Make<Form>, {}, {}, materials, presets, fills, note};
}

constexpr ElPageInfo Planned(int32_t index, const char* id, const char* caption,
                             const char* frameClass, std::span<const int32_t> materials,
                             const char* note) {
  return {index, id, caption, frameClass, nullptr, {}, {}, materials, {}, 0, note};
}

constexpr ElPageInfo kPages[] = {
    {0,
     "constant",
     "Constant",
     nullptr,
     &Make<TConstantPage>,
     kConstantParams,
     kNoChecks,
     kNone,
     {},
     kThermo | kFillsCoupling | kFillsElConductivity,
     "constant heat capacity, conductivity and coupling; Pe = Gr rho c_e Te"},
    {1, "simple_metal", "Simple metall", nullptr, &Make<TSimpleMetPage>, kSimpleParams,
     kSimpleChecks, kNone, kSimplePresets, kMetal,
     "free-electron gas with rho - rho_md in the energy, Wiedemann-type conductivity"},
    Frame<TNobleMetFrame>(2, "noble_metal", "Noble Metall", "TNobleMetFrame", kAuMaterials,
                          kNoblePresets, kMetal,
                          "gold: d-band heat capacity, gold coupling and conductivity"),
    Frame<TTransMetFrame>(
        3, "trans_metal", "TransMetall", "TTransMetFrame", kTransMetMaterials, kTransMetPresets,
        kMetal, "transition metals: two-band solid model blended with the free-electron gas"),
    Planned(4, "no_metal", "NoMetall", "TNoMetFrame", kLiFMaterials, "non-metal electron model"),
    Frame<TTaParFrame>(
        5, "ta", "Ta", "TTaParFrame", kTaMaterials, kTaPresets, kMetal,
        "tantalum: fitted pressure blended with the free-electron gas, fitted conductivity"),
    Frame<TNewNobleMetFrame>(6, "new_au", "NewAu", "TNewNobleMetFrame", kNAuMaterials,
                             kNewNoblePresets, kMetal,
                             "gold: fitted energy and pressure, gold coupling and conductivity"),
    Frame<TAu1ParFrame>(
        7, "au1", "Au1", "TAu1ParFrame", kAu1Materials, kAu1Presets, kMetal | kFillsHeatFluxLimit,
        "gold fitted to ab-initio data, blended with the free-electron gas; four conductivities"),
    Frame<TAgParFrame>(8, "ag1", "Ag1", "TAgParFrame", kAgMaterials, kAgPresets,
                       kMetal | kFillsHeatFluxLimit,
                       "silver: free-electron gas, fitted conductivity"),
    Frame<TRuElParFrame>(
        9, "ru", "Ru", "TRuElParFrame", kRuMaterials, kRuPresets, kMetal,
        "ruthenium: rational fits of energy and pressure, fitted coupling and conductivity"),
    Frame<TMoParFrame>(10, "mo", "Mo", "TMoParFrame", kMoMaterials, kMoPresets, kMetal,
                       "molybdenum: fitted energy and pressure, constant conductivity"),
    Frame<TElRextr>(11, "rextr", "Rextr", "TElRextr", kSnMaterials, kSnPresets, kMetal,
                    "tin: rational fit of the pressure, fitted coupling and conductivity"),
    Frame<TMet_kabFrame>(12, "met_kab", "Met_kab", "TMet_kabFrame", kMetKabMaterials,
                         kMetKabPresets, kMetal,
                         "Al, Ni, Fe, Ti: switched solid-state electrons, fitted conductivity"),
    Frame<TSplineEOSFrame>(
        13, "spline", "Spline", "TSplineEOSFrame", kSplineMaterials, {},
        kThermo | kFillsElTofE | kFillsCoupling | kFillsElConductivity | kFillsFilmKappa,
        "heat capacity and coupling from data files named in \"In.txt\""),
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

std::vector<ElButtonInfo> PageButtons(const ElPageInfo& page) {
  std::vector<ElButtonInfo> out;
  for (const ElFrameInfo* f = page.frameClass ? FindElectronFrame(page.frameClass) : nullptr;
       f != nullptr; f = f->parentClass ? FindElectronFrame(f->parentClass) : nullptr) {
    out.insert(out.begin(), f->buttons.begin(), f->buttons.end());
  }
  return out;
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
