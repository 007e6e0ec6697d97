// The fields, the atom-density rules and the closing questions of the thermal-parameter
// pages.
#include "core/electron/ElPageForm.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

using electron::NAv;

namespace {

constexpr std::string_view kNat = "NatEdit";
constexpr std::string_view kRho = "rhoEdit";
constexpr std::string_view kMatNo = "mEdit";
constexpr std::string_view kZ = "ZEdit";
constexpr std::string_view kKi = "k_iEdit";
constexpr std::string_view kBr = "kirEdit";

constexpr Real kDefaultNat = 6E22L;  // [1/cm3]
// Entering an empty ion-conductivity coefficient proposes these.
constexpr Real kProposedKi = 0.8L;
constexpr Real kProposedBr = 0.2142L;

}  // namespace

TElPageForm::TElPageForm(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format)
    : page_(page),
      params_(PageParams(page)),
      checks_(PageChecks(page)),
      buttons_(PageButtons(page)) {
  fields_.reserve(params_.size());
  for (const ElParamInfo& p : params_) {
    RealField field = format ? RealField(format) : RealField();
    field.SetValue(p.role == ElFieldRole::Display ? 0 : p.defaultValue);
    fields_.push_back(std::move(field));
  }
  for (const ElCheckInfo& c : checks_) checkValues_.push_back(c.initial);
  edited_.assign(params_.size(), false);
  hidden_.assign(params_.size(), false);
}

int32_t TElPageForm::Index(std::string_view name) const {
  for (size_t i = 0; i < params_.size(); ++i) {
    if (name == params_[i].name) return static_cast<int32_t>(i);
  }
  return -1;
}

RealField* TElPageForm::FieldByName(std::string_view name) {
  const int32_t i = Index(name);
  return i >= 0 ? &fields_[static_cast<size_t>(i)] : nullptr;
}

const RealField* TElPageForm::FieldByName(std::string_view name) const {
  const int32_t i = Index(name);
  return i >= 0 ? &fields_[static_cast<size_t>(i)] : nullptr;
}

const ElParamInfo* TElPageForm::ParamByName(std::string_view name) const {
  const int32_t i = Index(name);
  return i >= 0 ? &params_[static_cast<size_t>(i)] : nullptr;
}

std::optional<bool> TElPageForm::Check(std::string_view name) const {
  for (size_t i = 0; i < checks_.size(); ++i) {
    if (name == checks_[i].name) return checkValues_[i];
  }
  return std::nullopt;
}

bool TElPageForm::SetCheck(std::string_view name, bool on) {
  for (size_t i = 0; i < checks_.size(); ++i) {
    if (name == checks_[i].name) {
      checkValues_[i] = on;
      return true;
    }
  }
  return false;
}

bool TElPageForm::Visible(std::string_view name) const {
  const int32_t i = Index(name);
  return i >= 0 && !hidden_[static_cast<size_t>(i)];
}

void TElPageForm::SetVisible(std::string_view name, bool visible) {
  const int32_t i = Index(name);
  if (i >= 0) hidden_[static_cast<size_t>(i)] = !visible;
}

bool TElPageForm::Edited(std::string_view name) const {
  const int32_t i = Index(name);
  return i >= 0 && edited_[static_cast<size_t>(i)];
}

void TElPageForm::MarkEdited(std::string_view name, bool edited) {
  const int32_t i = Index(name);
  if (i >= 0) edited_[static_cast<size_t>(i)] = edited;
}

Real TElPageForm::Value(std::string_view name) {
  RealField* f = FieldByName(name);
  if (f == nullptr) return 0;
  Real v = 0;
  f->TryGetValue(v);
  return v;
}

void TElPageForm::Show(std::string_view name, Real value) {
  if (RealField* f = FieldByName(name)) f->SetValue(value);
}

void TElPageForm::FieldChanged(std::string_view name) {
  MarkEdited(name, true);
}

void TElPageForm::CheckChanged(std::string_view) {}

void TElPageForm::EnterField(std::string_view name) {
  if (name == kKi && FieldByName(kKi) != nullptr && Value(kKi) == 0) {
    Show(kKi, kProposedKi);
    if (Value(kBr) == 0) Show(kBr, kProposedBr);
  }
}

void TElPageForm::LeaveField(std::string_view name) {
  // A text changed without a change notice still counts as the user's edit.
  if (const RealField* f = FieldByName(name); f != nullptr && f->Modified()) {
    MarkEdited(name, true);
  }
  if (FieldByName(kNat) == nullptr) return;  // a page without the atom-density fields
  if (name == kNat) {
    LeaveNat();
  } else if (name == kRho) {
    LeaveRho();
  } else if (name == kMatNo) {
    LeaveMatNo();
  } else if (name == kZ) {
    if (Value(kZ) > 0) DensityDisplays();
  }
}

bool TElPageForm::SetFieldValue(std::string_view name, Real value, bool edited) {
  const int32_t i = Index(name);
  if (i < 0 || params_[static_cast<size_t>(i)].role == ElFieldRole::Display) return false;
  fields_[static_cast<size_t>(i)].SetValue(value);
  // The change handler of the page (it marks the field edited); a preset's plain value
  // does not count as the user's edit.
  FieldChanged(name);
  MarkEdited(name, edited);
  return true;
}

void TElPageForm::ApplyPreset(const ElPresetInfo& preset) {
  for (const ElPresetStep& step : preset.steps) {
    switch (step.op) {
      case ElPresetOp::Set:
        SetFieldValue(step.field, step.value, false);
        break;
      case ElPresetOp::SetEdited:
        SetFieldValue(step.field, step.value, true);
        break;
      case ElPresetOp::Leave:
        LeaveField(step.field);
        break;
      case ElPresetOp::Check:
        if (SetCheck(step.field, step.value != 0)) CheckChanged(step.field);
        break;
    }
  }
}

ElChoiceResult TElPageForm::ChooseMaterial(int32_t) {
  ElChoiceResult r;
  r.accepted = false;
  r.message = "The page \"" + std::string(page_.caption) + "\" has no material list";
  return r;
}

void TElPageForm::No(ElTargets&) {}

ElButtonResult TElPageForm::PressButton(std::string_view name, Prompter&) {
  ElButtonResult r;
  r.message = "The page \"" + std::string(page_.caption) + "\" has no button " + std::string(name);
  return r;
}

ElOkResult TElPageForm::Refuse(std::string focus, std::string message) {
  ElOkResult r;
  r.focus = std::move(focus);
  r.message = std::move(message);
  return r;
}

ElOkResult TElPageForm::ValidateInputs() {
  for (size_t i = 0; i < params_.size(); ++i) {
    const ElParamInfo& p = params_[i];
    if (p.role != ElFieldRole::Input || hidden_[i]) continue;
    RealField& f = fields_[i];
    const std::string text = f.Text();
    Real v = 0;
    if (!f.TryGetValue(v)) {
      return Refuse(p.name, std::string(p.name) + ": \"" + text + "\" is not a number");
    }
    if (!ElParamValid(p, v)) {
      return Refuse(p.name,
                    std::string(p.symbol) + " (" + p.name + ") must be " + ElParamRequirement(p));
    }
  }
  ElOkResult ok;
  ok.installed = true;
  return ok;
}

ElOkResult TElPageForm::Finish(ElTargets& t, ElOkSource source, bool okClearsNoConduct) {
  ElOkResult r;
  r.installed = true;
  if (source == ElOkSource::Code) {
    r.closes = true;
    return r;
  }
  if (source == ElOkSource::NoConductBtn) {
    const Answer a = t.prompter.Ask(kAskNoAllThermo, AnswerSet::YesNoCancel());
    if (a == Answer::Cancel) return r;  // the slots stay installed; the dialog stays open
    t.switches.NoConduct = true;
    t.switches.NoThermo = a == Answer::Yes;
  } else if (okClearsNoConduct) {
    // No electron thermodynamics only ever goes with no conduction.
    t.switches.NoConduct = false;
    t.switches.NoThermo = false;
  }
  const Answer s = t.prompter.Ask(kAskSaveSettings, AnswerSet::YesNoCancel());
  if (s == Answer::Cancel) return r;
  if (s == Answer::Yes) t.prompter.PrintForm(page_.caption);
  r.closes = true;
  return r;
}

// ---- atom density, reference density, atomic mass ---------------------------------------

void TElPageForm::LeaveNat() {
  Real nat = Value(kNat);
  Real rho0 = Value(kRho);
  Real M = Value(kMatNo);
  // Consistent to the rounding of the product (a few units of the last place of an
  // 80-bit real): leaving the field changes nothing, so that values read back do not move.
  if (!Edited(kNat) && std::fabs(rho0 - M * nat / NAv) <= 1e-17L * std::fabs(rho0)) return;
  if (nat == 0) {
    nat = (Edited(kRho) && Edited(kMatNo) && rho0 > 0 && M > 0) ? rho0 * NAv / M : kDefaultNat;
  }
  const Real a = nat / NAv;  // [mol/cm3]
  if (Edited(kMatNo) && M > 1) {
    rho0 = a * M;
  } else if (!Edited(kRho) || a > rho0) {
    M = std::max(M, Real(1));
    rho0 = a * M;
  } else {
    M = rho0 / a;
  }
  ExitDensity(nat, rho0, M);
}

void TElPageForm::LeaveRho() {
  Real nat = Value(kNat);
  Real rho0 = Value(kRho);
  Real M = Value(kMatNo);
  if (rho0 == 0) {
    // The density of the given atoms (a mass number of at least 1).
    rho0 = std::max(M, Real(1)) * nat / NAv;
  } else if (Edited(kRho)) {
    if ((Edited(kMatNo) && M >= 1 && !Edited(kNat)) || rho0 * NAv <= nat) {
      M = std::max(M, Real(1));
      nat = rho0 * NAv / M;
    } else {
      M = rho0 * NAv / nat;
    }
  }
  ExitDensity(nat, rho0, M);
}

void TElPageForm::LeaveMatNo() {
  Real nat = Value(kNat);
  Real rho0 = Value(kRho);
  Real M = Value(kMatNo);
  if (M == 0) {
    M = (rho0 > 0 && nat > 0) ? rho0 * NAv / nat : 1;
  } else if (Edited(kMatNo)) {
    if (Edited(kRho) && !Edited(kNat)) {
      nat = rho0 * NAv / M;
    } else {
      rho0 = nat * M / NAv;
    }
  }
  ExitDensity(nat, rho0, M);
}

void TElPageForm::ExitDensity(Real nat, Real rho0, Real M) {
  Show(kNat, nat);
  Show(kRho, rho0);
  Show(kMatNo, M);
  MarkEdited(kNat, false);
  MarkEdited(kRho, false);
  MarkEdited(kMatNo, false);
  DensityDisplays();
}

Real TElPageForm::ZValue() {
  const Real Z = Value(kZ);
  return Z == 0 ? 1 : Z;
}

FermiParameters TElPageForm::FieldFermi() {
  const Real M = Value(kMatNo);
  if (!(M > 0)) return {};
  return FermiFromElectronsPerGram(ZValue() / (M / NAv));
}

}  // namespace tarvex
