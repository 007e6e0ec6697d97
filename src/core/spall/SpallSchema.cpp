// The "Spallation" dialog's keys.
#include "core/spall/SpallSchema.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <string_view>

namespace tarvex {

namespace {

constexpr const char* kTraceKey = "SpallTrace";

std::string Unit(const TSpallFieldInfo& f) {
  return f.unit[0] == '\0' ? std::string() : std::string(f.unit);
}

FieldSchema FromField(const TSpallFieldInfo& f) {
  const TNumStringFormat format;
  switch (f.kind) {
    case TSpallFieldKind::Check:
      return Documented(SimpleField(f.name, FieldKind::Check), "",
                        f.initial != 0 ? "true" : "false", f.help);
    case TSpallFieldKind::Radio: {
      std::vector<std::string> items(TSpallation::kSigmaModels.begin(),
                                     TSpallation::kSigmaModels.end());
      return Documented(ChoiceField(f.name, 0, items), "", "`\"sigma(Ti)\"`",
                        std::string(f.help) +
                            "; `\"sigma(rho,Ti)\"` only for the materials "
                            "that offer it");
    }
    case TSpallFieldKind::List: {
      std::vector<std::string> items;
      for (const TSpallPreset& p : SpallMaterials()) items.emplace_back(p.name);
      return Documented(ChoiceField(f.name, -1, items), "", "none",
                        std::string(f.help) +
                            " (a name, or the item's index from 0 for the unnamed gold "
                            "calibrations 1 and 7; item 3 sets nothing)");
    }
    case TSpallFieldKind::Number:
      break;
  }
  return Documented(SimpleField(f.name, FieldKind::Number), Unit(f), format.FormatValue(f.initial),
                    f.help);
}

}  // namespace

const std::vector<FieldSchema>& TSpallSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    std::vector<FieldSchema> out;
    // The preset first: it sets the criteria and the material's constants. The other keys
    // in the order of the dialog's fields, but for two kinds of dependence:
    // - VCalcCheck before VEdit: a volume given while it is calculated from the sound
    //   speed would go unused, so it is refused whatever order the keys stand in;
    // - Tc, Tm, rho_bl and Ei0 before sigma_m and the model choice, and the derived sigma0
    //   and sigma0r after them: leaving sigma_m (and choosing the model) derives sigma0 and
    //   sigma0r from the values then in the dialog, and a sigma0 or sigma0r given keeps its
    //   value. Printed settings so read back to the same surface tension.
    constexpr std::string_view kMoved[] = {"VCalcCheck", "sigma0Edit", "sigmaREdit", "Ei0Edit"};
    const auto add = [&out](std::string_view name) {
      out.push_back(FromField(*FindSpallField(name)));
    };
    add("Materials");
    for (const TSpallFieldInfo& f : SpallFields()) {
      const std::string_view name = f.name;
      if (f.kind == TSpallFieldKind::List) continue;
      if (std::find(std::begin(kMoved), std::end(kMoved), name) != std::end(kMoved)) continue;
      if (name == "VEdit") add("VCalcCheck");
      if (name == "sigma_mEdit") add("Ei0Edit");
      add(name);
      if (name == "RadioGroup1") {
        add("sigma0Edit");
        add("sigmaREdit");
      }
    }
    out.push_back(Documented(SimpleField(kTraceKey, FieldKind::Check), "", "false",
                             "append every failed cell (T, p, rho, time, and the available time "
                             "and surface tension of the time criteria) to \"Spall.dat\" in the "
                             "output directory (the main window's \"Trace spallation\")"));
    return out;
  }();
  return fields;
}

FormRefusal TSpallSchema::Refusal(const TSpallResult& r) {
  return FormRefusal::At(r.focus, "a value the dialog accepts", r.message);
}

FormRefusal TSpallSchema::Set(const FieldSchema& field, const FormValue& value) {
  if (field.key == kTraceKey) {
    trace_ = value.on;
    return FormRefusal::None();
  }
  const TSpallFieldInfo& f = *FindSpallField(field.key);
  const TSpallMaterialEnv env = env_();
  switch (f.kind) {
    case TSpallFieldKind::Check: {
      const TSpallResult r = d_.SetCheck(field.key, value.on);
      return r ? FormRefusal::None() : Refusal(r);
    }
    case TSpallFieldKind::Radio: {
      const TSpallResult r = d_.SetSigmaModel(value.index, env);
      return r ? FormRefusal::None()
               : FormRefusal::At(field.key, "\"sigma(Ti)\", or \"sigma(rho,Ti)\" where offered",
                                 r.message);
    }
    case TSpallFieldKind::List: {
      const TSpallResult r = d_.SelectMaterial(value.index, env);
      return r ? FormRefusal::None() : Refusal(r);
    }
    case TSpallFieldKind::Number:
      break;
  }
  if (!d_.Visible(field.key)) {
    return FormRefusal::At(field.key, "a field the dialog shows",
                           field.key == "VEdit"
                               ? "hidden while VCalcCheck is true"
                               : "shown only with RadioGroup1 = \"sigma(rho,Ti)\"");
  }
  RealField* r = d_.FieldByName(field.key);
  // A value the field already holds is no edit: leaving p_liq or p_sol unchanged must not
  // check their criterion (printed settings give every shown field back).
  Real held = 0;
  if (!(r->TryGetValue(held) && held == value.number)) {
    if (FormRefusal bad = SetNumberText(*r, value); bad.refused) return bad;
  }
  const TSpallResult left = d_.LeaveField(field.key, env);
  return left ? FormRefusal::None() : Refusal(left);
}

std::optional<FormValue> TSpallSchema::Get(const FieldSchema& field) {
  if (field.key == kTraceKey) return FormValue::OfCheck(trace_);
  const TSpallFieldInfo& f = *FindSpallField(field.key);
  switch (f.kind) {
    case TSpallFieldKind::Check:
      return FormValue::OfCheck(d_.Check(field.key));
    case TSpallFieldKind::Radio:
      return FormValue::OfIndex(FieldKind::Choice, d_.SigmaModel());
    case TSpallFieldKind::List:
      return FormValue::OfIndex(FieldKind::Choice, d_.Material());
    case TSpallFieldKind::Number:
      break;
  }
  RealField* r = d_.FieldByName(field.key);
  FormValue v = FormValue::Of(r->Value());
  v.text = r->Text();
  return v;
}

bool TSpallSchema::Printed(const FieldSchema& field) {
  if (field.key == kTraceKey) return true;
  const TSpallFieldInfo& f = *FindSpallField(field.key);
  // A material is printed when one was chosen; the fields it set follow it, so that the
  // printed table reads back to the same dialog.
  if (f.kind == TSpallFieldKind::List) return d_.Material() >= 0;
  return d_.Visible(field.key);
}

}  // namespace tarvex
