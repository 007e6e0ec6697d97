// The "Q external" dialog's keys.
#include "core/laser/QextSchema.h"

#include <string>

namespace tarvex {

namespace {

std::vector<std::string> Items(std::string_view name) {
  std::vector<std::string> out;
  for (const char* c : TQextDialog::ChoiceItems(name)) out.emplace_back(c);
  return out;
}

FieldSchema FromControl(const char* name) {
  const QextControlInfo& c = *TQextDialog::FindControl(name);
  FieldSchema f = c.kind == QextControlKind::Choice ? ChoiceField(name, -1, Items(name))
                                                    : SimpleField(name, FieldKind::Number);
  std::string def = c.initial;
  if (c.kind == QextControlKind::Choice) def = "`\"" + def + "\"`";
  return Documented(std::move(f), c.unit, def, c.help);
}

}  // namespace

const std::vector<FieldSchema>& TQextSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    std::vector<FieldSchema> out;
    for (const char* name : {"AEdit", "tSelect", "tEdit", "xSelect", "dEdit"}) {
      out.push_back(FromControl(name));
    }
    out.push_back(Documented(SimpleField("PreHtF", FieldKind::Number), "mJ/cm^2", "0",
                             "pre-heating (\"PreHt\", needs d < 0): fluence absorbed in the "
                             "substrate next to the film; 0 removes the pre-heating"));
    out.push_back(Documented(SimpleField("PreHtD", FieldKind::Number), "nm", "0",
                             "pre-heating: its depth below the film-substrate boundary, > 0"));
    out.push_back(Documented(ChoiceField("PreHtShape", 0, Items("xSelect")), "",
                             "`\"exp((x-x0)/d)\"`",
                             "pre-heating: its shape, distance from the film in units of its "
                             "depth"));
    return out;
  }();
  return fields;
}

FormRefusal TQextSchema::Set(const FieldSchema& field, const FormValue& value) {
  if (field.key == "PreHtF" || field.key == "PreHtD" || field.key == "PreHtShape") {
    if (!preGiven_) pre_ = d_.PreHeatSet() ? d_.PreHeat() : TQextDialog::PreHeatValues{};
    preGiven_ = true;
    if (field.key == "PreHtF") pre_.F = value.number;
    if (field.key == "PreHtD") pre_.d = value.number;
    if (field.key == "PreHtShape") pre_.item = value.index;
    return FormRefusal::None();
  }
  if (field.kind == FieldKind::Choice) {
    const TQextResult r = d_.SetChoice(field.key, value.index);
    return r ? FormRefusal::None() : FormRefusal::At(field.key, "an item of the list", r.message);
  }
  RealField* f = d_.RealFieldByName(field.key);
  if (FormRefusal r = SetNumberText(*f, value); r.refused) return r;
  d_.LeaveField(field.key);
  return FormRefusal::None();
}

std::optional<FormValue> TQextSchema::Get(const FieldSchema& field) {
  const TQextDialog::PreHeatValues& p = d_.PreHeat();
  if (field.key == "PreHtF") return FormValue::Of(d_.PreHeatSet() ? p.F : 0);
  if (field.key == "PreHtD") return FormValue::Of(p.d);
  if (field.key == "PreHtShape") return FormValue::OfIndex(FieldKind::Choice, p.item);
  if (field.key == "tSelect") return FormValue::OfIndex(FieldKind::Choice, d_.tSelect);
  if (field.key == "xSelect") return FormValue::OfIndex(FieldKind::Choice, d_.xSelect);
  RealField* f = d_.RealFieldByName(field.key);
  if (f == nullptr) return std::nullopt;
  FormValue v = FormValue::Of(f->Value());
  v.text = f->Text();
  return v;
}

std::optional<FormValue> TQextSchema::Held(const FieldSchema& field) {
  // The pre-heating keys take effect in the PreHt round at OK: until then the form holds
  // what they gave.
  if (preGiven_) {
    if (field.key == "PreHtF") return FormValue::Of(pre_.F);
    if (field.key == "PreHtD") return FormValue::Of(pre_.d);
    if (field.key == "PreHtShape") return FormValue::OfIndex(FieldKind::Choice, pre_.item);
  }
  return Get(field);
}

bool TQextSchema::Printed(const FieldSchema& field) {
  if (field.key == "PreHtF" || field.key == "PreHtD" || field.key == "PreHtShape") {
    return d_.PreHeatSet();
  }
  return true;
}

FormRefusal TQextSchema::ApplyPreHeating() {
  if (!preGiven_) return FormRefusal::None();
  preGiven_ = false;
  if (pre_.F == 0) {
    // A zero fluence removes the pre-heating, as the second instance's OK with F = 0 does.
    if (d_.PreHeatSet()) {
      if (TQextResult r = d_.PreHtBtnClick(); !r) return Refusal(r);
      d_.PreHeatClosed(false);
    }
    return FormRefusal::None();
  }
  const TQextResult r = d_.DefinePreHeating(pre_.F, pre_.d, pre_.item);
  if (r) return FormRefusal::None();
  // A refusal of the pre-heating instance's own fields, at the key that gave the field.
  if (r.message == kBadPreD.reason) return FormRefusal::At("PreHtD", r.message);
  if (r.message == kBadPreShape.reason) return FormRefusal::At("PreHtShape", r.message);
  return Refusal(r);
}

FormRefusal TQextSchema::Refusal(const TQextResult& ok) {
  std::string key = ok.focus;
  if (key == "PreHtBtn") key = "PreHtF";
  return FormRefusal::At(key, ok.message);
}

}  // namespace tarvex
