// The "Spallation" dialog: fields, presets, leave handlers, validation and storing.
#include "core/spall/Spallation.h"

#include <cmath>
#include <iterator>

#include "core/common/FpGuard.h"
#include "core/common/NumStringFormat.h"

namespace tarvex {

namespace {

using K = TSpallFieldKind;

constexpr TSpallFieldInfo kFields[] = {
    {"CheckNucl", K::Check, "Check tau_n&ucl", "", 1,
     "Nucleation criterion: the cell fails when its tension lasts longer than the cavity "
     "nucleation time tau_nucl"},
    {"CheckSpall", K::Check, "Check p, tau_spall", "", 0,
     "Spall criterion: the cell fails when the spall time is shorter than the available time "
     "and the tension exceeds the dynamic strength"},
    {"CheckPliq", K::Check, "Check p_liq", "", 0,
     "Liquid strength limit: a liquid cell fails when p <= p_liq(T)"},
    {"CheckPsol", K::Check, "Check p_sol", "", 0,
     "Solid strength limit: a solid cell fails when p < p_sol(T)"},
    {"CheckSol", K::Check, "CheckSol", "", 0,
     "Apply the liquid criteria also to cells the equation of state reports as solid"},
    {"etaEdit", K::Number, "&eta", "Pa*s", 0.0013L,
     "Viscosity eta of the liquid [Pa*s]; the nucleation time grows in proportion to it"},
    {"VEdit", K::Number, "&V", "cm3", 1e-15L,
     "Nucleation volume V [cm3] (hidden while V=(cs*tau_nucl)^3 is checked)"},
    {"VCalcCheck", K::Check, "V=(cs*tau_nucl)^3", "", 0,
     "Nucleation volume (4pi/3)(c*tau)^3 from the sound speed c and the available time tau "
     "instead of V"},
    {"sigma0Edit", K::Number, "sigma0=", "erg/cm2", 830,
     "sigma0 of sigma(T) = sigma0 (1 - T/Tc)^1.25 [erg/cm2]; derived on leaving sigma_m"},
    {"TcEdit", K::Number, "Tc=", "K", 6595,
     "Critical temperature Tc [K]; the surface tension vanishes there"},
    {"TmEdit", K::Number, "Tm=", "K", 933, "Melting temperature Tm [K]"},
    {"rho_blEdit", K::Number, "rho_bl=", "g/cm3", 2.3738L,
     "Density of the liquid at Tm [g/cm3]; calibrates sigma(rho,Ti)"},
    {"sigma_mEdit", K::Number, "sigma_m=", "erg/cm2", 830,
     "Surface tension at Tm [erg/cm2]; leaving it derives sigma0 (and sigma0r)"},
    {"RadioGroup1", K::Radio, "", "", 0,
     "Surface tension model: sigma(Ti) or sigma(rho,Ti) (offered for the materials that have "
     "it)"},
    {"sigmaREdit", K::Number, "sigma0r =", "erg/cm2 per (g/cm3)^(2/3) kJ/g", 830,
     "Factor sigma0r of sigma(rho,Ti); derived on leaving sigma_m"},
    {"Ei0Edit", K::Number, "Ei0 =", "kJ/g", 1.68742L,
     "Reference energy Ei0 of sigma(rho,Ti) [kJ/g]"},
    {"CSpall", K::Number, "c_sp&all =", "", 100,
     "Constant c_spall of the spall time tau_sp = (c_spall sigma/(rho eps^2))^(1/3)/c"},
    {"Pliq0Edit", K::Number, "p_liq =", "GPa", -5.04L,
     "p_liq(T) = Pliq0 + PliqT T + PliqT2 T^2: constant term [GPa]"},
    {"PliqTEdit", K::Number, "+ T *", "GPa/K", 0.0017L, "p_liq(T): coefficient of T [GPa/K]"},
    {"PliqT2Edit", K::Number, "+ T^2 *", "GPa/K2", 0, "p_liq(T): coefficient of T^2 [GPa/K2]"},
    {"Psol0Edit", K::Number, "p_sol =", "GPa", -8.3L,
     "p_sol(T) = Psol0 + PsolT T + PsolT2 T^2: constant term [GPa]"},
    {"PsolTEdit", K::Number, "+ T *", "GPa/K", 0.0029L, "p_sol(T): coefficient of T [GPa/K]"},
    {"PsolT2Edit", K::Number, "+ T^2 *", "GPa/K2", 0, "p_sol(T): coefficient of T^2 [GPa/K2]"},
    {"pTeUEdit", K::Number, "pTe =", "GPa", 0,
     "Numerator of pTe = pTeU/pTeD, the tension added per kelvin of Te - T [GPa]"},
    {"pTeDEdit", K::Number, "/", "K", 0,
     "Denominator of pTe [K]; pTe is 0 unless both are non-zero"},
    {"Foam", K::Check, "Foam:", "", 0, "Failed cells carry the foam strength instead of 0"},
    {"Pf", K::Number, "Pf", "GPa", -0.05L,
     "Foam strength [GPa] at densities from Rf up; a tension, so not above 0"},
    {"Rf", K::Number, "Rf", "g/cm3", 10,
     "Density [g/cm3] from which the foam has its full strength; below it the strength falls "
     "in proportion to the density"},
    {"Rfc", K::Number, "Rfc", "g/cm3", 0.02L,
     "Density [g/cm3] below which the foam has no strength"},
    {"Materials", K::List, "", "", -1, "Material presets: the parameters of the chosen metal"},
};

// Melting points and atomic masses (A/NAv with NAv = 6.02497e23, as in the electron
// models) are standard values; critical temperatures, surface tensions at the melting
// point, viscosities and strength limits are the calibration of this model. The blank
// items carry a gold calibration of the sigma(rho,Ti) model.
constexpr std::array<Real, 3> kNone = {0, 0, 0};
constexpr std::array<Real, 3> kGoldLimit = {-10.6L, 0.003L, -2.16e-7L};
constexpr TSpallPreset kGoldRhoT = {
    "",   true,       true, true,       true, 0.005L,
    7770, 1336,       true, 17.330351L, 1070, 3.2747051022660696e-22L,
    true, kGoldLimit, true, kGoldLimit, true, 1.68742L};
constexpr TSpallPreset kMaterials[] = {
    {"Al", true, true, false, false, 0.013L, 6595, 933, true, 2.5643L, 830, 4.4780e-23L, false,
     kNone, false, kNone, false, 0},
    kGoldRhoT,
    {"Ni", true, true, false, false, 0.005L, 6841, 1728, true, 7.7806867L, 1730,
     9.741691659875485e-23L, false, kNone, false, kNone, false, 0},
    {"", false, false, false, false, 0, 0, 0, false, 0, 0, 0, false, kNone, false, kNone, false, 0},
    {"Fe", true, true, false, false, 0.005L, 7300, 1881, false, 0, 1800, 9.274237050142989e-23L,
     false, kNone, false, kNone, false, 0},
    {"Ta", true, true, false, true, 0.005L, 16100, 3288, true, 14.632258L, 2400,
     3.0032996014917916e-22L, false, kNone, false, kNone, false, 0},
    {"Au",
     true,
     false,
     true,
     false,
     0.005L,
     7764,
     1336,
     true,
     17.330351L,
     530,
     3.269171298778251e-22L,
     true,
     {-5.04L, 0.0017L, -1.49e-7L},
     false,
     kNone,
     false,
     0},
    kGoldRhoT,
    {"Ag", true, true, false, true, 0.005L, 6380, 1234, true, 9.33895L, 930,
     1.7903524830829033e-22L, false, kNone, false, kNone, false, 0},
    {"Ru", true, true, false, false, 0.005L, 10670, 2607, false, 0, 1730, 1.6775187262343215e-22L,
     false, kNone, false, kNone, false, 0},
    {"Mo", true, true, false, false, 0.005L, 11850, 2896, false, 0, 2250, 1.5927050259171414e-22L,
     false, kNone, false, kNone, false, 0},
};

std::string Quoted(std::string_view text) {
  std::string q = "\"";
  q.append(text);
  q += '"';
  return q;
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string Number(Real x) {
  return TNumStringFormat().FormatValue(x);
}

// The caption without its accelerator '&', for messages.
std::string Label(std::string_view name) {
  const TSpallFieldInfo* info = FindSpallField(name);
  std::string label;
  for (const char* c = info != nullptr ? info->caption : ""; *c != '\0'; ++c) {
    if (*c != '&') label += *c;
  }
  while (!label.empty() && (label.back() == ' ' || label.back() == '=')) label.pop_back();
  return label.empty() ? std::string(name) : label;
}

// The σ(ρ, T) parameters of a material with critical temperature Tc.
TSpallParams SigmaRhoTModel(Real Tc, Real Ei0, Real mAt, Real sigma0r) {
  TSpallParams sp;
  sp.SigmaOfT = false;
  sp.Tc = Tc;
  sp.invTc = 1 / Tc;
  sp.rhoC = BinodalGasDensity(Tc, sp.invTc);
  sp.Ei0 = Ei0;
  sp.kBOverM = kBoltzmannKJ / mAt;
  sp.sigma0r = sigma0r;
  return sp;
}

// σ(ρ_bl, Tm, E(ρ_bl, Tm)) of the model `sp`; 0 where it is not defined, also when the
// energy function faults or gives no finite value there.
Real SigmaAtMelting(const TSpallParams& sp, Slot2 energy, Real rhoBl, Real Tm) {
  const FpGuard guard;
  const Real E = energy(rhoBl, Tm);
  Real sigma = 0;
  if (!guard.Faulted() && std::isfinite(E)) sigma = SigmaOfRhoT(sp, rhoBl, Tm, E);
  if (guard.Faulted() || !std::isfinite(sigma)) sigma = 0;
  guard.Reset();
  return sigma;
}

}  // namespace

std::span<const TSpallFieldInfo> SpallFields() {
  return kFields;
}

const TSpallFieldInfo* FindSpallField(std::string_view name) {
  for (const TSpallFieldInfo& f : kFields) {
    if (name == f.name) return &f;
  }
  return nullptr;
}

std::span<const TSpallPreset> SpallMaterials() {
  return kMaterials;
}

TSpallation::TSpallation() : numbers_(std::size(kFields)), checks_(std::size(kFields), false) {
  for (size_t i = 0; i < std::size(kFields); ++i) {
    const TSpallFieldInfo& f = kFields[i];
    if (f.kind == K::Number) numbers_[i].SetValue(f.initial);
    if (f.kind == K::Check) checks_[i] = f.initial != 0;
  }
}

int32_t TSpallation::Index(std::string_view name, TSpallFieldKind kind) const {
  for (size_t i = 0; i < std::size(kFields); ++i) {
    if (kFields[i].kind == kind && name == kFields[i].name) return static_cast<int32_t>(i);
  }
  return -1;
}

bool TSpallation::Check(std::string_view name) const {
  const int32_t i = Index(name, K::Check);
  return i >= 0 && checks_[static_cast<size_t>(i)];
}

void TSpallation::SetCheckValue(std::string_view name, bool on) {
  const int32_t i = Index(name, K::Check);
  if (i >= 0) checks_[static_cast<size_t>(i)] = on;
}

TSpallResult TSpallation::SetCheck(std::string_view name, bool on) {
  if (Index(name, K::Check) < 0) {
    return TSpallResult::Refused("", "There is no check box " + Quoted(name));
  }
  SetCheckValue(name, on);
  if (name == "Foam" && on) return TSpallResult::FocusOn("Pf");
  return TSpallResult::Accepted();
}

RealField* TSpallation::FieldByName(std::string_view name) {
  const int32_t i = Index(name, K::Number);
  return i >= 0 ? &numbers_[static_cast<size_t>(i)] : nullptr;
}

const RealField* TSpallation::FieldByName(std::string_view name) const {
  const int32_t i = Index(name, K::Number);
  return i >= 0 ? &numbers_[static_cast<size_t>(i)] : nullptr;
}

Real TSpallation::Value(std::string_view name) const {
  const RealField* f = FieldByName(name);
  return f != nullptr ? f->StoredValue() : 0;
}

void TSpallation::SetNumber(std::string_view name, Real x) {
  if (RealField* f = FieldByName(name)) f->SetValue(x);
}

bool TSpallation::Visible(std::string_view name) const {
  if (name == "VEdit") return !Check("VCalcCheck");
  if (name == "RadioGroup1") return groupVisible_;
  if (name == "sigmaREdit" || name == "Ei0Edit") return SigmaRhoTShown();
  return FindSpallField(name) != nullptr;
}

void TSpallation::DeriveSigma(const TSpallMaterialEnv& env) {
  const Real Tc = Value("TcEdit");
  const Real Tm = Value("TmEdit");
  const Real sigmaM = Value("sigma_mEdit");
  if (!(Tc > 0)) return;
  // σ0 = σ_m/(1 − Tm/Tc)^1.25: σ(T) of the model with σ0 = 1 at Tm, defined below Tc.
  TSpallParams unit;
  unit.sigma0 = 1;
  unit.invTc = 1 / Tc;
  const Real atMelting = SigmaOfT(unit, Tm);
  if (atMelting > 0) SetNumber("sigma0Edit", sigmaM / atMelting);

  if (!SigmaRhoTShown() || !env.Energy || !(mAt_ > 0)) return;
  const TSpallParams model = SigmaRhoTModel(Tc, Value("Ei0Edit"), mAt_, 1);
  const Real sigmaUnit = SigmaAtMelting(model, env.Energy, Value("rho_blEdit"), Tm);
  if (sigmaUnit != 0) SetNumber("sigmaREdit", sigmaM / sigmaUnit);
}

void TSpallation::FormShow(const TSpallMaterialEnv& env) {
  groupVisible_ = !storedSigmaOfT_;
  DeriveSigma(env);
}

TSpallResult TSpallation::LeaveField(std::string_view name, const TSpallMaterialEnv& env) {
  RealField* field = FieldByName(name);
  if (field == nullptr) return TSpallResult::Refused("", "There is no field " + Quoted(name));
  const bool edited = field->Modified();
  const std::string typed = Trimmed(field->Text());
  Real value = 0;
  if (!field->TryGetValue(value)) {
    return TSpallResult::Refused(std::string(name),
                                 Label(name) + ": " + Quoted(typed) + " is not a number");
  }
  if (name == "sigma_mEdit") DeriveSigma(env);
  if (name == "Pliq0Edit" && edited) SetCheckValue("CheckPliq", true);
  if (name == "Psol0Edit" && edited) SetCheckValue("CheckPsol", true);
  return TSpallResult::Accepted();
}

TSpallResult TSpallation::SetSigmaModel(int32_t item, const TSpallMaterialEnv& env) {
  if (!groupVisible_) {
    return TSpallResult::Refused("RadioGroup1",
                                 "The surface tension model sigma(rho,Ti) is not offered for "
                                 "this material: choose a material that has it");
  }
  if (item != 0 && item != 1) {
    return TSpallResult::Refused(
        "RadioGroup1", "There is no surface tension model number " + std::to_string(item));
  }
  sigmaModel_ = item;
  DeriveSigma(env);
  return TSpallResult::Accepted();
}

TSpallResult TSpallation::SetSigmaModel(std::string_view caption, const TSpallMaterialEnv& env) {
  for (size_t i = 0; i < kSigmaModels.size(); ++i) {
    if (caption == kSigmaModels[i]) return SetSigmaModel(static_cast<int32_t>(i), env);
  }
  return TSpallResult::Refused(
      "RadioGroup1",
      "There is no surface tension model " + Quoted(caption) + " (sigma(Ti) or sigma(rho,Ti))");
}

void TSpallation::ApplyPreset(const TSpallPreset& m, const TSpallMaterialEnv& env) {
  SetCheckValue("CheckNucl", true);
  if (m.vCalc) SetCheckValue("VCalcCheck", true);
  SetCheckValue("CheckPliq", m.checkPliq);
  SetNumber("etaEdit", m.eta);
  SetNumber("TcEdit", m.Tc);
  SetNumber("TmEdit", m.Tm);
  if (m.setRhoBl) SetNumber("rho_blEdit", m.rhoBl);
  SetNumber("sigma_mEdit", m.sigmaM);
  if (mAt_ == 0) mAt_ = m.mAt;
  if (m.setPliq) {
    SetNumber("Pliq0Edit", m.pliq[0]);
    SetNumber("PliqTEdit", m.pliq[1]);
    SetNumber("PliqT2Edit", m.pliq[2]);
  }
  if (m.setPsol) {
    SetNumber("Psol0Edit", m.psol[0]);
    SetNumber("PsolTEdit", m.psol[1]);
    SetNumber("PsolT2Edit", m.psol[2]);
  }
  if (m.setEi0) SetNumber("Ei0Edit", m.Ei0);
  groupVisible_ = m.sigmaRhoT;
  sigmaModel_ = m.sigmaRhoT ? 1 : 0;
  DeriveSigma(env);
}

TSpallResult TSpallation::SelectMaterial(int32_t index, const TSpallMaterialEnv& env) {
  if (index < -1 || index >= static_cast<int32_t>(std::size(kMaterials))) {
    return TSpallResult::Refused("Materials", "There is no material number " +
                                                  std::to_string(index) + " (0.." +
                                                  std::to_string(std::size(kMaterials) - 1) + ")");
  }
  material_ = index;
  if (index >= 0 && kMaterials[index].defined) ApplyPreset(kMaterials[index], env);
  return TSpallResult::Accepted();
}

TSpallResult TSpallation::SelectMaterial(std::string_view name, const TSpallMaterialEnv& env) {
  std::string known;
  for (size_t i = 0; i < std::size(kMaterials); ++i) {
    const std::string_view item = kMaterials[i].name;
    if (item.empty()) continue;
    if (name == item) return SelectMaterial(static_cast<int32_t>(i), env);
    known += (known.empty() ? "" : ", ") + std::string(item);
  }
  return TSpallResult::Refused(
      "Materials", "There is no spallation preset for " + Quoted(name) + " (one of " + known + ")");
}

TSpallResult TSpallation::Validate(const TSpallMaterialEnv& env, TSpallParams& out) {
  // Every shown number must read; hidden ones are not used.
  for (size_t i = 0; i < std::size(kFields); ++i) {
    const TSpallFieldInfo& f = kFields[i];
    if (f.kind != K::Number || !Visible(f.name)) continue;
    const std::string typed = Trimmed(numbers_[i].Text());
    Real value = 0;
    if (!numbers_[i].TryGetValue(value) || !std::isfinite(value)) {
      return TSpallResult::Refused(f.name,
                                   Label(f.name) + ": " + Quoted(typed) + " is not a number");
    }
  }
  const auto refuse = [](std::string_view field, const std::string& why) {
    return TSpallResult::Refused(std::string(field), Label(field) + ": " + why);
  };

  const bool nucl = Check("CheckNucl");
  const bool spall = Check("CheckSpall");
  const bool pliq = Check("CheckPliq");
  const bool psol = Check("CheckPsol");
  const bool vCalc = Check("VCalcCheck");
  const bool foam = Check("Foam");
  const bool sigmaOfT = !SigmaRhoTShown();
  if (!(nucl || spall || pliq || psol)) {
    return TSpallResult::Refused("CheckNucl",
                                 "No failure criterion is checked: check tau_nucl, p and "
                                 "tau_spall, p_liq or p_sol (or Cancel)");
  }

  const Real eta = Value("etaEdit");
  const Real V = Value("VEdit");
  const Real Tc = Value("TcEdit");
  const Real Tm = Value("TmEdit");
  const Real sigmaM = Value("sigma_mEdit");
  const Real sigma0 = Value("sigma0Edit");
  const Real rhoBl = Value("rho_blEdit");
  const Real sigma0r = Value("sigmaREdit");
  const Real Ei0 = Value("Ei0Edit");
  const Real cSpall = Value("CSpall");
  if (nucl) {
    // The nucleation time is proportional to η/V: neither may be 0 or negative.
    if (!(eta > 0)) return refuse("etaEdit", "the viscosity must be above 0 Pa*s");
    if (!vCalc && !(V > 0)) return refuse("VEdit", "the nucleation volume must be above 0 cm3");
    if (!(mAt_ > 0)) {
      return TSpallResult::Refused("Materials",
                                   "The atomic mass of the material is not set: choose a "
                                   "material here or set MatNo in the thermal parameters");
    }
  }
  if (spall && !(cSpall > 0)) {
    return refuse("CSpall", "c_spall must be above 0 (the spall time grows with its cube root)");
  }
  if (((nucl && vCalc) || spall) && !(env.v1 > 0)) {
    return TSpallResult::Refused(spall ? "CSpall" : "VCalcCheck",
                                 "The sound speed has no scale yet: choose the film's equation "
                                 "of state first");
  }
  if (nucl || spall) {
    if (!(sigmaM > 0)) return refuse("sigma_mEdit", "the surface tension must be above 0 erg/cm2");
    if (!(Tc > 0)) return refuse("TcEdit", "the critical temperature must be above 0 K");
    if (!(Tm > 0)) return refuse("TmEdit", "the melting temperature must be above 0 K");
    if (!(Tm < Tc)) return refuse("TmEdit", "the melting temperature must be below Tc");
    if (sigmaOfT && !(sigma0 > 0)) return refuse("sigma0Edit", "sigma0 must be above 0 erg/cm2");
    if (!sigmaOfT) {
      if (!(rhoBl > 0)) return refuse("rho_blEdit", "the liquid density must be above 0 g/cm3");
      if (!(mAt_ > 0)) {
        return TSpallResult::Refused("Materials",
                                     "sigma(rho,Ti) needs the atomic mass of the material: "
                                     "choose a material here or set MatNo in the thermal "
                                     "parameters");
      }
      if (!env.Energy) {
        return TSpallResult::Refused("RadioGroup1",
                                     "sigma(rho,Ti) needs the film's equation of state (its "
                                     "energy at Tm): choose it first or use sigma(Ti)");
      }
      if (sigma0r == 0) return refuse("sigmaREdit", "sigma0r must not be 0");
      const Real atMelting =
          SigmaAtMelting(SigmaRhoTModel(Tc, Ei0, mAt_, sigma0r), env.Energy, rhoBl, Tm);
      if (!(atMelting > 0)) {
        return refuse("sigmaREdit",
                      "sigma(rho,Ti) is " +
                          std::string(atMelting == 0 ? "not defined"
                                                     : "negative (" + Number(atMelting) + ")") +
                          " at rho_bl and Tm with these parameters: correct "
                          "sigma0r, Ei0, rho_bl or Tc, or use sigma(Ti)");
      }
    }
  }
  const Real pliq0 = Value("Pliq0Edit"), pliqT = Value("PliqTEdit"), pliqT2 = Value("PliqT2Edit");
  const Real psol0 = Value("Psol0Edit"), psolT = Value("PsolTEdit"), psolT2 = Value("PsolT2Edit");
  if (pliq && pliq0 == 0 && pliqT == 0 && pliqT2 == 0) {
    return refuse("Pliq0Edit", "give at least one non-zero coefficient of p_liq(T)");
  }
  if (psol && psol0 == 0 && psolT == 0 && psolT2 == 0) {
    return refuse("Psol0Edit", "give at least one non-zero coefficient of p_sol(T)");
  }
  const Real Pf = Value("Pf"), Rf = Value("Rf"), Rfc = Value("Rfc");
  if (foam) {
    if (!(Pf <= 0)) return refuse("Pf", "the foam strength is a tension: not above 0 GPa");
    if (!(Rf > 0)) return refuse("Rf", "the density must be above 0 g/cm3");
    if (!(Rfc >= 0) || !(Rfc <= Rf)) return refuse("Rfc", "the density must lie from 0 to Rf");
  }

  TSpallParams sp;
  sp.CheckNucl = nucl;
  sp.CheckSpall = spall;
  sp.CheckPliq = pliq;
  sp.CheckPsol = psol;
  sp.CheckSol = Check("CheckSol");
  sp.VCalc = vCalc;
  sp.SigmaOfT = sigmaOfT;
  sp.Foam = foam;
  sp.mAt = mAt_;
  if (mAt_ > 0) {
    sp.invMAt = 1 / mAt_;
    sp.kBOverM = kBoltzmannKJ / mAt_;
  }
  if (nucl) sp.NuclVFactor = (vCalc ? 4 * std::numbers::pi_v<Real> / 3 : V) * 1e-6L / eta;
  sp.v1 = env.v1;
  sp.cSpall = cSpall;
  if (Tc > 0) {
    sp.Tc = Tc;
    sp.invTc = 1 / Tc;
  }
  sp.sigma0 = sigma0;
  if (!sigmaOfT && Tc > 0) {
    sp.rhoC = BinodalGasDensity(Tc, sp.invTc);
    sp.Ei0 = Ei0;
    sp.sigma0r = sigma0r;
  }
  if (pliq) {
    sp.Pliq0 = pliq0;
    sp.PliqT = pliqT;
    sp.PliqT2 = pliqT2;
  }
  if (psol) {
    sp.Psol0 = psol0;
    sp.PsolT = psolT;
    sp.PsolT2 = psolT2;
  }
  const Real pTeU = Value("pTeUEdit"), pTeD = Value("pTeDEdit");
  sp.pTe = pTeU != 0 && pTeD != 0 ? pTeU / pTeD : 0;
  sp.Pf = Pf;
  sp.Rf = Rf;
  sp.Rfc = Rfc;
  sp.PfOverRf = Rf > 0 ? Pf / Rf : 0;
  out = sp;
  return TSpallResult::Accepted();
}

TSpallOkResult TSpallation::Ok(Prompter& prompter, const TSpallMaterialEnv& env,
                               TSpallParams& params) {
  TSpallParams fresh;
  TSpallOkResult r;
  r.result = Validate(env, fresh);
  if (!r.result) return r;
  const Answer answer = prompter.Ask(kSaveQuestion, AnswerSet::YesNoCancel());
  if (answer == Answer::Cancel) {
    r.close = TSpallClose::Cancel;
    return r;
  }
  params = fresh;
  storedSigmaOfT_ = fresh.SigmaOfT;
  r.close = TSpallClose::Ok;
  r.print = answer == Answer::Yes;
  return r;
}

}  // namespace tarvex
