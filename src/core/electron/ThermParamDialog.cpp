// The thermal-parameter dialog, its "Constant" and "Simple metall" pages.
#include "core/electron/ThermParamDialog.h"

#include <cmath>

#include "core/electron/ElectronConstants.h"
#include "core/electron/Materials.h"
#include "core/electron/SimpleMetal.h"
#include "core/eos/EosSlots.h"

namespace tarvex {

using electron::NAv;

namespace {

constexpr Real kSolidRateTemperature = 933;  // [K]: nu_ei = nu0 Ti/933 in the solid

}  // namespace

// ---- "Constant" ---------------------------------------------------------------------------

TConstantPage::TConstantPage(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format)
    : TElPageForm(page, std::move(format)) {}

void TConstantPage::LeaveField(std::string_view name) {
  TElPageForm::LeaveField(name);
  if (name == "Gr1Edit") SetVisible("Gr2Edit", Value("Gr1Edit") != 0);
}

ElOkResult TConstantPage::Ok(ElTargets& t, ElOkSource source) {
  ElOkResult r = ValidateInputs();
  if (!r) return r;
  ElectronState& e = t.electron;
  ElectronCommon& c = e.common;
  // The page's own density and coupling: what its fields show is what the model uses.
  const Real rho0 = Value("rho0Edit");
  c.ElRho0 = rho0;
  c.CouplingConst = Value("aEdit") / rho0;
  const Real Gr1 = Value("Gr1Edit");
  const Real Gr2 = Visible("Gr2Edit") ? Value("Gr2Edit") : 0;
  e.Block<ConstantElParams>() = ConstantElParams{Value("ceEdit"), Gr2 != 0 ? Gr1 / Gr2 : Gr1};
  e.coupling.value = c.CouplingConst;
  e.conductivity.value = Value("kEdit");
  ElectronModel& m = e.model;
  BindElectronThermo<ConstantElParams, &ConstantEnergy, &ConstantHeatCap, &ConstantPressure,
                     &ConstantPressureDT>(m, e.Block<ConstantElParams>());
  m.Coupling = MakeSlot<ConstParams, &ConstValue>(e.coupling);
  m.ElConductivity = MakeSlot3<ConstParams, &ConstValue3>(e.conductivity);
  m.ElTofE = {};
  c.ElMaterialIndex = 0;
  c.ElMaterialName = "==";
  return Finish(t, source, false);
}

// ---- "Simple metall" ----------------------------------------------------------------------

TSimpleMetPage::TSimpleMetPage(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format)
    : TElPageForm(page, std::move(format)) {}

void TSimpleMetPage::DensityDisplays() {
  const FermiParameters f = FieldFermi();
  const Real rho0 = Value("rhoEdit");
  const Real r23 = rho0 > 0 ? std::cbrt(rho0 * rho0) : 0;
  Show("TFEdit", f.TFcoef * r23);
  // gamma(rho0) = (pi^2/2) kB^2 (Z/m_at)/E_F(rho0).
  const Real EF = f.EFcoef * r23;
  const Real M = Value("mEdit");
  Show("gEdit", EF > 0 ? electron::SommerfeldCoef * ZValue() * NAv / M / EF : 0);
}

void TSimpleMetPage::PresetFromRun(Real filmRho0) {
  Real rho0 = Value("rhoEdit");
  if (rho0 == 0) {
    rho0 = filmRho0 > 0 ? filmRho0 : 1;
    Show("rhoEdit", rho0);
  }
  const Real nat = Value("NatEdit");
  if (Value("mEdit") == 0 && nat > 0) Show("mEdit", rho0 / nat * NAv);
  DensityDisplays();
}

ElChoiceResult TSimpleMetPage::ChooseMaterial(int32_t item) {
  ElChoiceResult r;
  if (item < -1 || item >= static_cast<int32_t>(kMetalls.size())) {
    r.accepted = false;
    r.message = "There is no metal number " + std::to_string(item) + " (0.." +
                std::to_string(kMetalls.size() - 1) + ")";
    return r;
  }
  SetMaterialChoice(item);
  r.page = Page().index;
  r.material = item;
  if (item < 0) return r;
  const ElMetallInfo& info = kMetalls[static_cast<size_t>(item)];
  r.spallMaterial = SpallMaterialIndex(info.spallName);
  if (info.page != nullptr) {
    if (const ElPageInfo* target = FindElectronPage(info.page)) r.page = target->index;
    r.material = info.materialIndex;
    return r;
  }
  if (const ElPresetInfo* preset = FindPreset(Page(), info.name)) {
    ApplyPreset(*preset);
    r.side = preset->side;
  }
  return r;
}

ElOkResult TSimpleMetPage::Ok(ElTargets& t, ElOkSource source) {
  ElOkResult r = ValidateInputs();
  if (!r) return r;
  LeaveMatNo();  // the leave logic of MatNo, as leaving the field runs it
  r = ValidateInputs();
  if (!r) return r;
  const Real rho0 = Value("rhoEdit");
  const Real rhoMd = Value("Rho_mdEdit");
  if (!(rhoMd < rho0)) {
    return Refuse("Rho_mdEdit",
                  "the density rho_md subtracted in the energy must lie below the reference "
                  "density rho0");
  }
  ElectronState& e = t.electron;
  ElectronCommon& c = e.common;
  const Real Z = ZValue();
  const Real x = Z * NAv / Value("mEdit");  // electrons per gram
  const FermiParameters f = FermiFromElectronsPerGram(x);
  c.ElRho0 = rho0;
  c.CouplingConst = Value("alEdit") / rho0;
  c.IonKappaCoef = Value("k_iEdit");
  c.IonKappaB = Value("kirEdit");

  SimpleMetParams& p = e.Block<SimpleMetParams>();
  p = SimpleMetParams{};
  p.rho0 = rho0;
  p.invCbrtRho0 = 1 / std::cbrt(rho0);
  p.RhoMd = rhoMd;
  p.GammaCoef = electron::SommerfeldCoef * x / f.EFcoef;
  p.ccl = f.a;
  p.ccl2 = f.a2;
  p.EFcoef = f.EFcoef;
  p.KappaPlCoef = electron::PlasmaKappaCoef / Z;
  p.nuSolid = Value("nu0Edit") / kSolidRateTemperature;
  p.nuS = Value("nuTEdit");
  p.A = Value("nuAEdit");
  p.B = Value("nuBEdit");
  p.C = Value("nuCEdit");
  p.bMin = -2 * p.C / p.A;
  p.nus = Value("nusEdit");
  p.nui = Value("nuiEdit");
  const Real kz = Value("kzEdit");
  p.kzRatio = kz / (1 - kz);
  p.phase = &e.FilmPhase;

  ElectronModel& m = e.model;
  e.coupling.value = c.CouplingConst;
  m.Coupling = MakeSlot<ConstParams, &ConstValue>(e.coupling);
  BindElectronThermo<SimpleMetParams, &SimpleEnergy, &SimpleHeatCap, &SimplePressure,
                     &SimplePressureDT>(m, p);
  m.ElConductivity = MakeSlot3<SimpleMetParams, &SimpleConductivity>(p);
  m.ElTofE = {};
  // This page takes b_r as entered (the coefficient of rho^(2/3) itself).
  e.ionKappa = MakeIonKappaParams(c.IonKappaCoef, c.IonKappaB, 0);
  t.FilmEos.Kappa = MakeSlot<IonKappaParams, &IonKappa>(e.ionKappa);

  e.optics =
      SimpleOptics{Value("Rho_cEdit"), Value("Mopt_me"),   Value("Deps_Re"),
                   Value("Deps_Im"),   Value("c_optEdit"), Check("CalcDepsCheck").value_or(true)};

  if (source != ElOkSource::Code && MaterialChoice() >= 0) {
    const ElMetallInfo& info = kMetalls[static_cast<size_t>(MaterialChoice())];
    c.ElMaterialIndex = info.materialIndex;
    c.ElMaterialName = info.name;
  }
  return Finish(t, source, true);
}

void TSimpleMetPage::No(ElTargets& t) {
  ElectronState& e = t.electron;
  if (!e.model.ElConductivity) return;
  e.conductivity.value = 0;
  e.coupling.value = 0;
  e.common.CouplingConst = 0;
  e.Block<SimpleMetParams>().C = 0;
  e.Block<SimpleMetParams>().bMin = 0;
}

// ---- the dialog -----------------------------------------------------------------------------

TThermParamDialog::TThermParamDialog(std::shared_ptr<TNumStringFormat> format) {
  for (const ElPageInfo& info : ElectronPages()) {
    pages_.push_back(info.Available() ? info.create(info, format) : nullptr);
  }
  acceptedInputs_.resize(pages_.size());
  Accept();
}

void TThermParamDialog::Accept() {
  acceptedPage_ = active_;
  for (size_t k = 0; k < pages_.size(); ++k) {
    if (pages_[k] != nullptr) acceptedInputs_[k] = pages_[k]->SaveInputs();
  }
}

void TThermParamDialog::Cancel() {
  active_ = acceptedPage_;
  for (size_t k = 0; k < pages_.size(); ++k) {
    if (pages_[k] != nullptr) pages_[k]->RestoreInputs(acceptedInputs_[k]);
  }
}

TElPageForm* TThermParamDialog::Page(int32_t index) {
  if (index < 0 || index >= PageCount()) return nullptr;
  return pages_[static_cast<size_t>(index)].get();
}

TElPageForm* TThermParamDialog::Page(std::string_view idOrCaption) {
  const ElPageInfo* info = FindElectronPage(idOrCaption);
  return info != nullptr ? Page(info->index) : nullptr;
}

ElChoiceResult TThermParamDialog::ShowPage(int32_t index) {
  ElChoiceResult r;
  if (index < 0 || index >= PageCount()) {
    r.accepted = false;
    r.message = "There is no page number " + std::to_string(index);
    return r;
  }
  if (Page(index) == nullptr) {
    r.accepted = false;
    r.message = "The page \"" + std::string(ElectronPages()[static_cast<size_t>(index)].caption) +
                "\" is not available yet";
    return r;
  }
  active_ = index;
  r.page = index;
  return r;
}

ElChoiceResult TThermParamDialog::ShowPage(std::string_view idOrCaption) {
  const ElPageInfo* info = FindElectronPage(idOrCaption);
  if (info == nullptr) {
    ElChoiceResult r;
    r.accepted = false;
    r.message = "There is no page \"" + std::string(idOrCaption) + "\"";
    return r;
  }
  return ShowPage(info->index);
}

ElChoiceResult TThermParamDialog::ChooseMaterial(int32_t index) {
  ElChoiceResult r = Page(active_)->ChooseMaterial(index);
  if (!r || r.page == active_) return r;
  // Another page implements the material: show it and let it preset the material.
  const ElChoiceResult shown = ShowPage(r.page);
  if (!shown) return shown;
  ElChoiceResult handed = Page(active_)->ChooseMaterial(r.material);
  if (handed.spallMaterial < 0) handed.spallMaterial = r.spallMaterial;
  return handed;
}

ElChoiceResult TThermParamDialog::ChooseMaterial(std::string_view name) {
  if (active_ == SimpleMetall().Page().index) {
    for (size_t i = 0; i < kMetalls.size(); ++i) {
      if (name == kMetalls[i].name) return ChooseMaterial(static_cast<int32_t>(i));
    }
  } else if (const int32_t index = FindMaterial(name); index >= 0) {
    return ChooseMaterial(index);
  }
  ElChoiceResult r;
  r.accepted = false;
  r.message = "There is no material \"" + std::string(name) + "\" in the list of the page \"" +
              Page(active_)->Page().caption + "\"";
  return r;
}

ElOkResult TThermParamDialog::Ok(ElTargets& t, ElOkSource source) {
  const ElOkResult r = Page(active_)->Ok(t, source);
  if (r.installed) Accept();
  return r;
}

void TThermParamDialog::No(ElTargets& t) {
  Page(active_)->No(t);
}

bool TThermParamDialog::Print(Prompter& prompter) {
  return prompter.PrintForm(kCaption);
}

}  // namespace tarvex
