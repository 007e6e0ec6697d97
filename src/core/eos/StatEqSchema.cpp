// The equation-of-state dialog's keys.
#include "core/eos/StatEqSchema.h"

#include <algorithm>

#include <charconv>
#include <string>

#include "core/common/NumStringFormat.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosConductivity.h"

namespace tarvex {

namespace {

std::string Quoted(std::string_view s) {
  return "`\"" + std::string(s) + "\"`";
}

std::string Joined(const std::vector<std::string>& parts, const char* sep = ", ") {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : sep) + p;
  return out;
}

FieldSchema ModelListField() {
  FieldSchema f = ChoiceField("EqType", -1, TStatEqDialog::ModelCaptions());
  std::vector<std::string> captions, ids;
  for (const EosModelInfo& m : EosCatalog()) {
    f.aliases.emplace_back(m.id);
    captions.push_back(Quoted(m.caption));
    ids.push_back(Quoted(m.id));
  }
  f.doc.kindText = "choice: the model captions (" + Joined(captions) + ") or their ids (" +
                   Joined(ids) + "), or the index 0 .. " + std::to_string(f.hi);
  f.doc.defaultText = "none (-1)";
  f.doc.meaning = "the model; must be chosen";
  return f;
}

// Every material a model of the catalog lists, each name once: the key names the
// material, the chosen model says what it sets.
const std::vector<std::string>& MaterialNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (const EosModelInfo& m : EosCatalog()) {
      for (const EosPreset& p : m.presets) {
        if (std::find(out.begin(), out.end(), p.name) == out.end()) out.emplace_back(p.name);
      }
    }
    return out;
  }();
  return names;
}

int32_t MaterialIndex(std::string_view name) {
  const auto& names = MaterialNames();
  const auto it = std::find(names.begin(), names.end(), name);
  return it == names.end() ? -1 : static_cast<int32_t>(it - names.begin());
}

FieldSchema MetalField() {
  FieldSchema f = ChoiceField("Metal", -1, MaterialNames());
  std::string models;
  for (const EosModelInfo& m : EosCatalog()) {
    if (m.presets.empty()) continue;
    std::string list;
    for (const EosPreset& p : m.presets) list += (list.empty() ? "" : ", ") + std::string(p.name);
    models += (models.empty() ? "" : "; ") + Quoted(m.caption) + ": " + list;
  }
  f.doc.defaultText = "none (-1)";
  f.doc.meaning =
      "the material of the chosen model, which sets that model's parameters (" + models + ")";
  return f;
}

// The shortest text that reads back to x.
std::string ExactText(Real x) {
  char buf[80];
  const auto r = std::to_chars(buf, buf + sizeof buf, x);
  return std::string(buf, r.ptr);
}

// The unit of a field: its own, else the one every model that reads it gives.
std::string UnitOf(const EosDialogFieldInfo& info) {
  if (*info.unit != '\0') return info.unit;
  std::string unit;
  bool first = true;
  for (const EosModelInfo& m : EosCatalog()) {
    for (const EosParamInfo& p : m.params) {
      if (info.name != std::string_view(p.name)) continue;
      if (!first && unit != p.unit) return {};
      unit = p.unit;
      first = false;
    }
  }
  return unit;
}

// A numeric field: its own description, then what each available model reads from it.
FieldSchema NumberField(const EosDialogFieldInfo& info) {
  const TNumStringFormat format;
  FieldSchema f = SimpleField(info.name, FieldKind::Number);
  f.doc.unit = UnitOf(info);
  f.doc.defaultText = ExactText(info.initial);
  f.doc.meaning = info.help;
  for (const EosModelInfo& m : EosCatalog()) {
    for (const EosPresetValue& v : m.onSelect) {
      if (info.name == std::string_view(v.param)) {
        f.doc.defaultText +=
            ", " + format.FormatValue(v.value) + " after choosing " + Quoted(m.caption);
      }
    }
    if (!m.Available()) continue;
    for (const EosParamInfo& p : m.params) {
      if (info.name != std::string_view(p.name)) continue;
      f.doc.meaning += "; with " + Quoted(m.caption) + ": " + p.help;
      if (*p.unit != '\0') f.doc.meaning += " [" + std::string(p.unit) + "]";
      f.doc.meaning += ", " + EosParamRequirement(p);
    }
  }
  return f;
}

std::string CheckMeaning(std::string_view key) {
  if (key == "CheckKappa") {
    return "the medium conducts heat (the lattice conductivity the conduction solvers read): "
           "`kappaEdit` constant, or the option of `kappaFnTCheck` / `kappaMultChec`. "
           "`\"Water2MG\"` and `\"LiF\"` have a conductivity of their own and uncheck it";
  }
  if (key == "kappaFnTCheck") {
    return "with `CheckKappa`: the \"FnT\" law kappa(T) = 1e-5 [(k0 - kT (T - Tr))/(1 + e) + "
           "(k1 + k2 (T - Tm))/(1 + 1/e)] kW/cm/K, e = exp((T - Tm)/Td), from `k0` .. `k2` in "
           "W/m/K (the solid below Tm, the liquid above)";
  }
  if (key == "kappaMultChec") {
    return "with `CheckKappa` and without `kappaFnTCheck`: kappa = `kappaEdit` `kMultT0Edit` / T";
  }
  return "(film only) the film's model holds the lattice alone: the film totals add the "
         "electron part of `[thermal]` (the label ends in \" - NoEl\")";
}

// The dialog's own list of settable keys, with the documentation of each.
std::vector<FieldSchema> MakeFields(bool left) {
  TStatEqDialog probe;
  probe.SetLeft(left);
  std::vector<FieldSchema> fields;
  for (const TStatEqKey& k : TStatEqDialog::SettableKeys()) {
    switch (k.kind) {
      case TStatEqKeyKind::ModelList:
        fields.push_back(ModelListField());
        break;
      case TStatEqKeyKind::Metal:
        fields.push_back(MetalField());
        break;
      case TStatEqKeyKind::TableFiles:
        fields.push_back(Documented(
            SimpleField(k.name, FieldKind::Text), "", "none",
            "with `\"Table\"` and `\"Scaled Tab\"`: the description file (`.man`) of the table "
            "set, relative to the run file's folder; its grids and tables are read from the "
            "same folder (the questions of the table dialog are answered in [answers]). A "
            "damaged or truncated table is refused naming the file and line"));
        break;
      case TStatEqKeyKind::Number:
        fields.push_back(NumberField(*FindEosDialogField(k.name)));
        break;
      case TStatEqKeyKind::Check:
        // The dialog shows NoElEOS only for the film.
        if (!probe.Visible(k.name)) break;
        fields.push_back(
            Documented(SimpleField(k.name, FieldKind::Check), "", "false", CheckMeaning(k.name)));
        break;
    }
  }
  return fields;
}

std::string SelectedModelNote(const TStatEqDialog& d) {
  if (d.EqType() < 0) return "; no model is selected (EqType)";
  return "; the model is \"" + std::string(EosCatalog()[static_cast<size_t>(d.EqType())].caption) +
         "\"";
}

}  // namespace

const std::vector<FieldSchema>& TStatEqSchema::FieldList(bool left) {
  static const std::vector<FieldSchema> film = MakeFields(false);
  static const std::vector<FieldSchema> leftFields = MakeFields(true);
  return left ? leftFields : film;
}

FormRefusal TStatEqSchema::Set(const FieldSchema& field, const FormValue& value) {
  TStatEqResult r;
  if (field.key == "EqType") {
    r = d_.SelectModel(value.index);
  } else if (field.key == "Metal") {
    if (!d_.Enabled("Metal")) return FormRefusal::At({}, "the selected model has no metal choice");
    const auto& names = MaterialNames();
    if (value.index < 0 || static_cast<size_t>(value.index) >= names.size()) {
      r = d_.SetMetal(-1);
    } else {
      r = d_.SetMetal(std::string_view(names[static_cast<size_t>(value.index)]));
    }
  } else if (field.key == "TabFiles") {
    if (!d_.Enabled("TabFiles")) {
      return FormRefusal::At({},
                             "only the tabulated models read a table set" + SelectedModelNote(d_));
    }
    if (!loader_) return FormRefusal::At({}, "table sets are loaded with the table dialog");
    return loader_(value.text);
  } else if (field.kind == FieldKind::Number && IsKappaParam(field.key)) {
    if (!d_.Enabled(field.key)) {
      return FormRefusal::At({},
                             "the heat conductivity does not read it: check `CheckKappa` "
                             "and the option that uses it (`kappaFnTCheck`, "
                             "`kappaMultChec`)");
    }
    return SetNumberText(*d_.FieldByName(field.key), value);
  } else if (field.kind == FieldKind::Number) {
    if (!d_.Enabled(field.key)) {
      return FormRefusal::At(
          {}, "not used by the selected model (the field is disabled)" + SelectedModelNote(d_));
    }
    return SetNumberText(*d_.FieldByName(field.key), value);
  } else if (field.kind == FieldKind::Check) {
    if (!d_.Visible(field.key)) return FormRefusal::At({}, "the dialog does not show it here");
    if (value.on && !d_.Enabled(field.key)) {
      return FormRefusal::At({}, "an option of the heat conductivity: check `CheckKappa` too");
    }
    r = d_.SetCheck(field.key, value.on);
  }
  return r ? FormRefusal::None() : FormRefusal::At({}, r.message);
}

std::optional<FormValue> TStatEqSchema::Get(const FieldSchema& field) {
  const EosMediumRecord& rec = Record();
  if (field.key == "EqType") {
    return FormValue::OfIndex(FieldKind::Choice, rec.model != nullptr ? rec.model->index : -1);
  }
  if (field.key == "Metal") {
    const bool chosen = rec.model != nullptr && rec.preset >= 0 &&
                        static_cast<size_t>(rec.preset) < rec.model->presets.size();
    return FormValue::OfIndex(
        FieldKind::Choice,
        chosen ? MaterialIndex(rec.model->presets[static_cast<size_t>(rec.preset)].name) : -1);
  }
  const bool kappaOn = rec.kappaKind >= 0 && rec.kappa;
  const auto kind = static_cast<TKappaKind>(rec.kappaKind);
  if (field.key == "CheckKappa") return FormValue::OfCheck(kappaOn);
  if (field.key == "kappaFnTCheck") return FormValue::OfCheck(kappaOn && kind == TKappaKind::FnT);
  if (field.key == "kappaMultChec") return FormValue::OfCheck(kappaOn && kind == TKappaKind::Mult);
  if (field.kind == FieldKind::Number && IsKappaParam(field.key)) {
    if (!KappaFieldInForce(field.key)) return std::nullopt;
    const KappaParams& k = rec.kappa.As<KappaParams>();
    const auto member = [&](std::span<const EosParamInfo> params,
                            std::span<Real KappaParams::*const> members) -> std::optional<Real> {
      for (size_t i = 0; i < params.size(); ++i) {
        if (field.key == params[i].name) return k.*members[i];
      }
      return std::nullopt;
    };
    std::optional<Real> v = member(kKappaParams, kKappaFields);
    if (!v) v = member(kKappaFnTParams, kKappaFnTFields);
    return v ? std::optional<FormValue>(FormValue::Of(*v)) : std::nullopt;
  }
  if (field.key == "NoElEOS") return FormValue::OfCheck(rec.NoElEOS);
  if (rec.model == nullptr) return std::nullopt;
  if (field.key == "TabFiles") {
    if (!rec.model->tabulated) return std::nullopt;
    return FormValue::OfText(rec.tableFile);
  }
  for (const EosParamInfo& p : rec.model->params) {
    if (field.key == p.name) return FormValue::Of(rec.Value(p.name));
  }
  return std::nullopt;
}

std::optional<FormValue> TStatEqSchema::Held(const FieldSchema& field) {
  if (field.key == "EqType") return FormValue::OfIndex(FieldKind::Choice, d_.EqType());
  if (field.key == "Metal") {
    const auto metals = d_.Metals();
    const int32_t m = d_.Metal();
    return FormValue::OfIndex(FieldKind::Choice, m >= 0 && static_cast<size_t>(m) < metals.size()
                                                     ? MaterialIndex(metals[m].name)
                                                     : -1);
  }
  if (field.key == "CheckKappa") return FormValue::OfCheck(d_.CheckKappa());
  if (field.key == "kappaFnTCheck") return FormValue::OfCheck(d_.KappaFnTCheck());
  if (field.key == "kappaMultChec") return FormValue::OfCheck(d_.KappaMultCheck());
  if (field.key == "NoElEOS") return FormValue::OfCheck(d_.NoElEOS());
  if (field.key == "TabFiles") return FormValue::OfText(d_.TableFile());
  RealField* f = d_.FieldByName(field.key);
  if (f == nullptr) return std::nullopt;
  FormValue v = FormValue::Of(f->Value());
  v.text = f->Text();
  return v;
}

bool TStatEqSchema::Printed(const FieldSchema& field) {
  const EosMediumRecord& rec = Record();
  if (field.key == "Metal") return rec.model != nullptr && !rec.model->presets.empty();
  if (field.key == "TabFiles") return rec.model != nullptr && rec.model->tabulated;
  if (field.key == "kappaFnTCheck" || field.key == "kappaMultChec") return rec.kappaKind >= 0;
  if (IsKappaParam(field.key)) return KappaFieldInForce(field.key);
  return true;
}

bool TStatEqSchema::KappaFieldInForce(std::string_view key) {
  const EosMediumRecord& rec = Record();
  if (rec.kappaKind < 0 || !rec.kappa) return false;
  const auto kind = static_cast<TKappaKind>(rec.kappaKind);
  if (IsKappaFnTParam(key)) return kind == TKappaKind::FnT;
  if (key == "kMultT0Edit") return kind == TKappaKind::Mult;
  return kind != TKappaKind::FnT;  // kappaEdit
}

std::string TStatEqSchema::AvailabilityNote() {
  std::vector<std::string> available;
  for (const EosModelInfo& m : EosCatalog()) {
    if (m.Available()) available.push_back(Quoted(m.caption));
  }
  std::string list;
  for (size_t i = 0; i < available.size(); ++i) {
    list += (i == 0 ? "" : (i + 1 == available.size() ? " and " : ", ")) + available[i];
  }
  return "In this version the dialog accepts the model" +
         std::string(available.size() == 1 ? " " : "s ") + list +
         "; every other model is refused with its name.";
}

}  // namespace tarvex
