// The "Equation of state" dialog: model selection, presets, validation and binding.
#include "core/eos/StatEqDialog.h"

#include <iterator>

#include "core/common/NumStringFormat.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosConductivity.h"

namespace tarvex {

namespace {

constexpr TStatEqKey kLeadingKeys[] = {
    {"EqType", TStatEqKeyKind::ModelList},
    {"Metal", TStatEqKeyKind::Metal},
    {"TabFiles", TStatEqKeyKind::TableFiles},
};
constexpr TStatEqKey kCheckKeys[] = {
    {"CheckKappa", TStatEqKeyKind::Check},
    {"kappaFnTCheck", TStatEqKeyKind::Check},
    {"kappaMultChec", TStatEqKeyKind::Check},
    {"NoElEOS", TStatEqKeyKind::Check},
};

// The models from "MieGrun" on keep their parameters in a frame of their own; after their
// OK the dialog offers to print the form with the values.
constexpr int32_t kFirstFrameModel = 9;
constexpr const char* kAskSavePrint = "Save(print) settings?";
constexpr const char* kAskIonConduction = "Use Ion ThermoCond?";

bool HasElectronEnergy(const ElectronModel* electron) {
  return electron != nullptr && static_cast<bool>(electron->ElEnergy);
}

std::string Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted.push_back('"');
  quoted.append(text);
  quoted.push_back('"');
  return quoted;
}

// A field with an own format that shows `info.digits` significant digits (general style).
RealField MakeField(const EosDialogFieldInfo& info) {
  TNumStringFormat format;
  if (info.digits != 0) format.SetPressigion(info.digits);
  RealField field;
  field.SetStringFormat(format);
  field.SetValue(info.initial);
  return field;
}

// Position of a field in EosDialogFields(), -1 when there is none of that name.
int32_t FieldIndex(std::string_view name) {
  const auto infos = EosDialogFields();
  for (size_t i = 0; i < infos.size(); ++i) {
    if (name == infos[i].name) return static_cast<int32_t>(i);
  }
  return -1;
}

bool IsParamOf(const EosModelInfo& model, std::string_view name) {
  for (const EosParamInfo& p : model.params) {
    if (name == p.name) return true;
  }
  return false;
}

}  // namespace

TStatEqDialog::TStatEqDialog() {
  const auto infos = EosDialogFields();
  fields_.reserve(infos.size());
  for (const EosDialogFieldInfo& info : infos) fields_.push_back(MakeField(info));
}

void TStatEqDialog::SetLeft(bool left) {
  left_ = left;
  infoLabel_.clear();
}

std::vector<std::string> TStatEqDialog::ModelCaptions() {
  std::vector<std::string> captions;
  for (const EosModelInfo& m : EosCatalog()) captions.emplace_back(m.caption);
  return captions;
}

TStatEqResult TStatEqDialog::SelectModel(int32_t index) {
  const auto catalog = EosCatalog();
  if (index < -1 || index >= static_cast<int32_t>(catalog.size())) {
    return TStatEqResult::Refused("EqType", "There is no equation of state number " +
                                                std::to_string(index) + " (0.." +
                                                std::to_string(catalog.size() - 1) + ")");
  }
  if (index != eqType_) metal_ = -1;  // a material belongs to the model that lists it
  eqType_ = index;
  if (index < 0) return TStatEqResult::Accepted();
  const EosModelInfo& model = catalog[static_cast<size_t>(index)];
  // A model's own frame fields show its defaults when it is chosen (the fields several
  // models share keep what they hold).
  for (const EosParamInfo& p : model.params) {
    if (!EosSharedDialogField(p.name)) {
      if (RealField* field = FieldByName(p.name)) field->SetValue(p.defaultValue);
    }
  }
  Apply(model.onSelect);
  return TStatEqResult::Accepted();
}

TStatEqResult TStatEqDialog::SelectModel(std::string_view captionOrId) {
  for (const EosModelInfo& m : EosCatalog()) {
    if (captionOrId == m.caption || captionOrId == m.id) return SelectModel(m.index);
  }
  return TStatEqResult::Refused("EqType", "There is no equation of state " + Quoted(captionOrId));
}

std::span<const EosPreset> TStatEqDialog::Metals() const {
  // The materials of the chosen model ("Ideal gas of:", "MieGrun", "Rose", ...).
  const auto catalog = EosCatalog();
  if (eqType_ < 0 || eqType_ >= static_cast<int32_t>(catalog.size())) return {};
  return catalog[static_cast<size_t>(eqType_)].presets;
}

TStatEqResult TStatEqDialog::SetMetal(int32_t index) {
  const auto metals = Metals();
  if (index < -1 || index >= static_cast<int32_t>(metals.size())) {
    return TStatEqResult::Refused("Metal", "There is no metal number " + std::to_string(index));
  }
  metal_ = index;
  if (index >= 0) Apply(metals[static_cast<size_t>(index)].values);
  return TStatEqResult::Accepted();
}

TStatEqResult TStatEqDialog::SetMetal(std::string_view name) {
  const auto metals = Metals();
  for (size_t i = 0; i < metals.size(); ++i) {
    if (name == metals[i].name) return SetMetal(static_cast<int32_t>(i));
  }
  std::string known;
  for (const EosPreset& m : metals) known += (known.empty() ? "" : ", ") + std::string(m.name);
  return TStatEqResult::Refused("Metal",
                                "There is no metal " + Quoted(name) + " (one of " + known + ")");
}

TStatEqResult TStatEqDialog::SetCheck(std::string_view name, bool on) {
  if (name == "CheckKappa") {
    checkKappa_ = on;
  } else if (name == "kappaFnTCheck") {
    kappaFnT_ = on;
  } else if (name == "kappaMultChec") {
    kappaMult_ = on;
  } else if (name == "NoElEOS") {
    noElEOS_ = on;
  } else {
    return TStatEqResult::Refused("", "There is no check box " + Quoted(name));
  }
  return TStatEqResult::Accepted();
}

void TStatEqDialog::SetTable(std::shared_ptr<const TEosTableSet> table, std::string file) {
  MediumTable& m = tables_[left_ ? 1 : 0];
  m.label = table ? table->label : std::string();
  m.file = table ? std::move(file) : std::string();
  m.table = std::move(table);
}

RealField* TStatEqDialog::FieldByName(std::string_view name) {
  const int32_t i = FieldIndex(name);
  return i >= 0 ? &fields_[static_cast<size_t>(i)] : nullptr;
}

const RealField* TStatEqDialog::FieldByName(std::string_view name) const {
  const int32_t i = FieldIndex(name);
  return i >= 0 ? &fields_[static_cast<size_t>(i)] : nullptr;
}

bool TStatEqDialog::Visible(std::string_view name) const {
  if (name == "NoElEOS" || name == "Spall") return !left_;
  return name == "EqType" || name == "Metal" || name == "CheckKappa" || name == "kappaFnTCheck" ||
         name == "kappaMultChec" || name == "kappaFnTFrame" || name == "InfoLabel" ||
         name == "InfoLabel1" || name == "TabFiles" || name == "TabLabel" ||
         FindEosDialogField(name) != nullptr;
}

bool TStatEqDialog::Enabled(std::string_view name) const {
  if (!Visible(name)) return false;
  const EosModelInfo* model = eqType_ >= 0 ? &EosCatalog()[static_cast<size_t>(eqType_)] : nullptr;
  if (name == "Metal") return model != nullptr && !model->presets.empty();
  if (name == "TabFiles") return model != nullptr && model->tabulated;
  // The conductivity: the options while CheckKappa is checked, each field while the
  // option in force reads it.
  const TKappaKind kind = KappaKindFromChecks(kappaFnT_, kappaMult_);
  if (name == "kappaFnTCheck" || name == "kappaMultChec") return checkKappa_;
  if (name == "kappaFnTFrame" || IsKappaFnTParam(name)) {
    return checkKappa_ && kind == TKappaKind::FnT;
  }
  if (name == "kappaEdit") return checkKappa_ && kind != TKappaKind::FnT;
  if (name == "kMultT0Edit") return checkKappa_ && kind == TKappaKind::Mult;
  // A field some model reads is enabled while that model is selected; the others (the
  // heat-conductivity fields) always.
  bool modelField = false;
  for (const EosModelInfo& m : EosCatalog()) modelField = modelField || IsParamOf(m, name);
  if (modelField) return model != nullptr && IsParamOf(*model, name);
  return true;
}

std::vector<TStatEqKey> TStatEqDialog::SettableKeys() {
  std::vector<TStatEqKey> keys(std::begin(kLeadingKeys), std::end(kLeadingKeys));
  keys.insert(keys.end(), std::begin(kCheckKeys), std::end(kCheckKeys));
  for (const EosDialogFieldInfo& f : EosDialogFields()) {
    keys.push_back({f.name, TStatEqKeyKind::Number});
  }
  return keys;
}

bool TStatEqDialog::FindKey(std::string_view name, TStatEqKeyKind& kind) {
  for (const TStatEqKey& k : SettableKeys()) {
    if (name == k.name) {
      kind = k.kind;
      return true;
    }
  }
  return false;
}

void TStatEqDialog::Apply(std::span<const EosPresetValue> values) {
  for (const EosPresetValue& v : values) {
    if (RealField* field = FieldByName(v.param)) field->SetValue(v.value);
  }
}

TStatEqResult TStatEqDialog::ReadParams(std::span<const EosParamInfo> params, std::string_view what,
                                        std::vector<Real>& values) {
  values.assign(params.size(), 0);
  for (size_t i = 0; i < params.size(); ++i) {
    const EosParamInfo& param = params[i];
    const EosDialogFieldInfo* info = FindEosDialogField(param.name);
    RealField* field = FieldByName(param.name);
    if (info == nullptr || field == nullptr) {
      return TStatEqResult::Refused(
          "EqType", "The dialog has no field " + Quoted(param.name) + " for " + std::string(what));
    }
    const std::string typed = Trimmed(field->Text());
    if (!field->TryGetValue(values[i])) {
      Real ignored = 0;
      const bool tooLarge = field->Format().Parse(typed, ignored) == TConvertStatus::OutOfRange;
      return TStatEqResult::Refused(
          param.name, std::string(info->label) + ": " + Quoted(typed) +
                          (tooLarge ? " is beyond the range of numbers" : " is not a number"));
    }
    if (!EosParamValid(param, values[i])) {
      return TStatEqResult::Refused(
          param.name, std::string(info->label) + " must be " + EosParamRequirement(param));
    }
  }
  return TStatEqResult::Accepted();
}

TStatEqResult TStatEqDialog::ReadKappa(KappaParams& p, int32_t& kind) {
  kind = -1;
  if (!checkKappa_) return TStatEqResult::Accepted();
  const TKappaKind k = KappaKindFromChecks(kappaFnT_, kappaMult_);
  std::vector<Real> values;
  if (TStatEqResult r = ReadParams(kKappaParams, "the heat conductivity", values); !r) return r;
  for (size_t i = 0; i < values.size(); ++i) p.*kKappaFields[i] = values[i];
  if (k == TKappaKind::FnT) {
    if (TStatEqResult r = ReadParams(kKappaFnTParams, "the heat conductivity", values); !r) {
      return r;
    }
    for (size_t i = 0; i < values.size(); ++i) p.*kKappaFnTFields[i] = values[i];
  }
  if (const EosBindResult r = PrepareKappa(k, p); !r) {
    return TStatEqResult::Refused(r.field, r.message);
  }
  kind = static_cast<int32_t>(k);
  return TStatEqResult::Accepted();
}

TStatEqResult TStatEqDialog::Ok(EosState& eos, const TStatEqContext& context) {
  if (eqType_ < 0) return TStatEqResult::Refused("EqType", "Choose an equation of state");
  const EosModelInfo& model = EosCatalog()[static_cast<size_t>(eqType_)];
  if (!model.Available() || (left_ && !model.leftVariant)) {
    const std::string which = "The equation of state " + Quoted(model.caption);
    return TStatEqResult::Refused(
        "EqType", which + (model.Available() ? " is not available for the left medium"
                                             : " is not available in this version"));
  }

  // A tabulated model needs the medium's table set, loaded with "TabFiles".
  if (model.tabulated && (!Table() || TabLabel().empty())) {
    return TStatEqResult::Refused("TabFiles", "The equation of state " + Quoted(model.caption) +
                                                  " needs a table set: load one with TabFiles");
  }
  std::vector<Real> values;
  if (TStatEqResult read = ReadParams(model.params, Quoted(model.caption), values); !read) {
    return read;
  }
  KappaParams kappa;
  int32_t kappaKind = -1;
  if (TStatEqResult read = ReadKappa(kappa, kappaKind); !read) return read;

  // NoElEOS: the model holds the lattice alone, and the film's totals add the electrons of
  // the electron model. Where the thermal-parameter dialog can be shown (the desktop
  // program) it is, when no electron energy is defined; a run file gives the equation of
  // state before the thermal parameters, and the totals are composed again when the
  // thermal-parameter dialog installs the electron model.
  const bool noElEOS = !left_ && noElEOS_;
  const ElectronModel* electron = context.electron;
  if (noElEOS && !HasElectronEnergy(electron) && context.openThermal) {
    electron = context.openThermal();
    if (!HasElectronEnergy(electron)) {
      noElEOS_ = false;
      return TStatEqResult::Refused(
          "NoElEOS",
          "NoElEOS: the film's equation of state would hold no electrons, and no electron "
          "model gives them (choose one with the thermal parameters)");
    }
  }

  // The label reads the fields' texts as validated; it is written only with the slots.
  const int32_t preset = model.presets.empty() ? -1 : metal_;
  std::vector<std::string> texts;
  for (const EosParamInfo& p : model.params) texts.push_back(Trimmed(FieldByName(p.name)->Text()));
  const std::shared_ptr<const TEosTableSet> table = model.tabulated ? Table() : nullptr;
  std::string label = EosInfoLabel(model, values, texts, preset, left_, table);
  EosBindOptions options;
  options.table = table;
  options.tableFile = model.tabulated ? TableFile() : std::string();
  options.preset = preset;
  options.NoElEOS = noElEOS;
  options.electron = electron;
  const EosMedium medium = left_ ? EosMedium::Left : EosMedium::Film;
  const EosBindResult bound = BindEos(eos, medium, model, values, options);
  if (!bound) {
    return TStatEqResult::Refused(bound.field.empty() ? "EqType" : bound.field, bound.message);
  }
  BindMediumKappa(eos, kappa, kappaKind);
  if (noElEOS) label += " - NoEl";
  infoLabel_ = std::move(label);
  if (!left_) filmInfoLabel_ = infoLabel_;
  // No formula line for these models: a line left from an earlier model would mislabel
  // the medium.
  infoLabel1_.clear();
  eqType_ = -1;
  AskAfterOk(eos, model, context);
  return TStatEqResult::Accepted();
}

void TStatEqDialog::BindMediumKappa(EosState& eos, const KappaParams& kappa, int32_t kind) {
  EosMediumRecord& rec = left_ ? eos.Left : eos.Film;
  EosSet& set = left_ ? eos.LeftEos : eos.FilmEos;
  if (set.Kappa && set.Kappa.params == rec.block.Get()) {
    // The model installs a conductivity of its own ("Water2MG", "LiF"): it replaces the
    // checked one, and the box shows that.
    checkKappa_ = false;
    rec.kappaKind = -1;
    return;
  }
  if (kind < 0) return;  // unchecked: Kappa stays as it was
  rec.kappa = EosParamBlock::Of(kappa);
  rec.kappaKind = kind;
  set.Kappa = BindKappa(static_cast<TKappaKind>(kind), rec.kappa.As<KappaParams>());
}

void TStatEqDialog::AskAfterOk(EosState& eos, const EosModelInfo& model,
                               const TStatEqContext& context) {
  if (context.prompter == nullptr) return;
  Prompter& prompter = *context.prompter;
  // Every answer closes the dialog accepted; Yes prints the form first.
  if (model.index >= kFirstFrameModel &&
      prompter.Ask(kAskSavePrint, AnswerSet::YesNoCancel()) == Answer::Yes) {
    prompter.PrintForm(kCaption);
  }
  if (context.NoConduct != nullptr && *context.NoConduct && eos.FilmEos.Kappa) {
    *context.NoConduct = prompter.Ask(kAskIonConduction, AnswerSet::YesNo()) != Answer::Yes;
  }
}

void TStatEqDialog::Cancel(EosState& eos) {
  if (!left_) return;
  eos.LeftEos.E = Slot2{};
  eos.LeftEos.P = Slot2{};
}

}  // namespace tarvex
