// The main window's keys.
#include "core/run/MainFormSchema.h"

namespace tarvex {

namespace {

FieldSchema Number(const char* key, const char* unit, const char* def, const char* meaning,
                   LoadRule load = LoadRule::Applies) {
  FieldSchema f = Documented(SimpleField(key, FieldKind::Number), unit, def, meaning);
  f.load = load;
  return f;
}

FieldSchema UpDown(const char* key, int32_t lo, int32_t hi, const char* unit, const char* def,
                   const char* meaning, LoadRule load = LoadRule::Applies) {
  FieldSchema f = Documented(IntegerField(key, lo, hi), unit, def, meaning);
  f.load = load;
  return f;
}

std::vector<FieldSchema> MakeFields() {
  constexpr LoadRule kLoaded = LoadRule::SetByLoad;
  return {
      Number("Len", "user length unit", "1", "initial length of the grid, film and substrate",
             kLoaded),
      Number("x1Edit", "cm", "1", "the user length unit: 1e-7 for nm, 1e-4 for micrometres",
             kLoaded),
      Number("Rho0", "g/cm3", "1", "reference (film) density", kLoaded),
      Number("Pout", "GPa", "0", "outer pressure on the free ends", kLoaded),
      UpDown("Dimension", 0, TMainForm::kDimensionMax, "cells", "1000",
             "number of cells, film and substrate (the dialog needs at least 1)", kLoaded),
      Number("dt1", "s", "0", "output interval: results are written after each; must end up > 0"),
      Number("dtLV", "reduced", "0.1", "the output interval in reduced units (instead of `dt1`)"),
      Number("TotalTime", "s", "0", "the time the run starts from", kLoaded),
      Number("TimeLV", "reduced", "0", "the start time in reduced units (instead of `TotalTime`)",
             kLoaded),
      Number("EndTime", "s", "0",
             "end of the run; with 0 (or a time already reached) one interval is computed"),
      Number("EndTmLV", "reduced", "0", "the end time in reduced units (instead of `EndTime`)"),
      UpDown("MnStepDiv", 1, TMainForm::kMnStepDivMax, "", "100",
             "the largest sub-step is `dt1` / `MnStepDiv`; raises `StepDiv` to at least this"),
      UpDown("StepDiv", 1, TMainForm::kStepDivMax, "", "100",
             "the first sub-step is `dt1` / `StepDiv`"),
  };
}

}  // namespace

const std::vector<FieldSchema>& TMainFormSchema::FieldList() {
  static const std::vector<FieldSchema> fields = MakeFields();
  return fields;
}

FormRefusal TMainFormSchema::Set(const FieldSchema& field, const FormValue& value) {
  if (field.kind == FieldKind::Integer) {
    if (field.key == "Dimension") form_.SetDimension(value.index);
    if (field.key == "MnStepDiv") form_.SetMnStepDiv(value.index);
    if (field.key == "StepDiv") form_.SetStepDiv(value.index);
    return FormRefusal::None();
  }
  if (FormRefusal r = CheckNumberText(*form_.FieldByName(field.key), value.text); r.refused) {
    return r;
  }
  // Values no run can start from, refused at their own key rather than later at a key
  // that depends on them.
  const std::string& key = field.key;
  if ((key == "Len" || key == "x1Edit") && !(value.number > 0)) {
    return FormRefusal::At({}, key == "Len" ? "the grid length must be greater than 0"
                                            : "the length unit must be greater than 0");
  }
  // 0 leaves the interval to the other of the pair (dt1, dtLV); the driver asks for one.
  if ((key == "dt1" || key == "dtLV") && value.number < 0) {
    return FormRefusal::At({}, "the output interval must be greater than 0");
  }
  if ((key == "EndTime" || key == "EndTmLV") && value.number < 0) {
    return FormRefusal::At({}, "the end time must not be negative");
  }
  form_.UserEdit(field.key, value.text);
  form_.Leave(field.key, ctx_);
  return FormRefusal::None();
}

std::optional<FormValue> TMainFormSchema::Get(const FieldSchema& field) {
  if (field.key == "Dimension") return FormValue::OfIndex(field.kind, form_.Dimension);
  if (field.key == "MnStepDiv") return FormValue::OfIndex(field.kind, form_.MnStepDiv);
  if (field.key == "StepDiv") return FormValue::OfIndex(field.kind, form_.StepDiv);
  RealField* f = form_.FieldByName(field.key);
  if (f == nullptr) return std::nullopt;
  // After a break the window marks the interrupted run by a negative end time, which a
  // settings file may not give: the settings name the end itself.
  if ((field.key == "EndTime" || field.key == "EndTmLV") && f->Value() < 0) {
    return FormValue::Of(-f->Value());
  }
  FormValue v = FormValue::Of(f->Value());
  v.text = f->Text();
  return v;
}

bool TMainFormSchema::Printed(const FieldSchema& field) {
  return field.key != "dtLV" && field.key != "EndTmLV" && field.key != "TimeLV";
}

}  // namespace tarvex
