// The table writer's grid and its run-file keys.
#include "core/eos/EosTableGridForm.h"

namespace tarvex {

namespace {

const std::vector<std::string> kSpacings{"Lin", "Log"};

}  // namespace

TEosTableGridForm::TEosTableGridForm() {
  Tmin.SetValue(100);
  Tmax.SetValue(20000);
  RhoMin.SetValue(0);
  RhoMax.SetValue(0);
}

bool TEosTableGridForm::Grid(TEosTableGrid& grid, std::string& field, std::string& message) {
  const Real t0 = Tmin.Value(), t1 = Tmax.Value(), r0 = RhoMin.Value(), r1 = RhoMax.Value();
  if (!(t0 > 0)) {
    field = "Tmin";
    message = "the lowest temperature must be above 0 K";
    return false;
  }
  if (!(t1 > t0)) {
    field = "Tmax";
    message = "the highest temperature must be above Tmin";
    return false;
  }
  if (!(r0 > 0)) {
    field = "RhoMin";
    message = "the lowest density must be above 0 (give RhoMin)";
    return false;
  }
  if (!(r1 > r0)) {
    field = "RhoMax";
    message = "the highest density must be above RhoMin (give RhoMax)";
    return false;
  }
  if (!MakeEosTableGrid(t0, t1, NT, TSpacing == 1, r0, r1, NV, VSpacing == 1, grid, message)) {
    field = message.rfind("temperatures", 0) == 0 ? "NT" : "NV";
    return false;
  }
  return true;
}

const std::vector<FieldSchema>& TEosTableGridSchema::FieldList() {
  static const std::vector<FieldSchema> fields{
      Documented(SimpleField("Tmin", FieldKind::Number), "K", "100", "lowest temperature"),
      Documented(SimpleField("Tmax", FieldKind::Number), "K", "20000", "highest temperature"),
      Documented(IntegerField("NT", 2, TEosTableGridForm::kMaxNodes), "", "60",
                 "number of temperatures"),
      Documented(ChoiceField("TSpacing", 0, kSpacings), "", "`\"Log\"`",
                 "spacing of the temperatures: `\"Lin\"` equal steps, `\"Log\"` equal ratios"),
      Documented(SimpleField("RhoMin", FieldKind::Number), "g/cm3", "none",
                 "lowest density (required)"),
      Documented(SimpleField("RhoMax", FieldKind::Number), "g/cm3", "none",
                 "highest density (required)"),
      Documented(IntegerField("NV", 2, TEosTableGridForm::kMaxNodes), "", "60",
                 "number of densities (columns of specific volume 1/rho)"),
      Documented(ChoiceField("VSpacing", 0, kSpacings), "", "`\"Log\"`",
                 "spacing of the volumes 1/rho: `\"Lin\"` equal steps, `\"Log\"` equal ratios"),
  };
  return fields;
}

FormRefusal TEosTableGridSchema::Set(const FieldSchema& field, const FormValue& value) {
  const std::string& k = field.key;
  if (k == "Tmin") return SetNumberText(f_.Tmin, value);
  if (k == "Tmax") return SetNumberText(f_.Tmax, value);
  if (k == "RhoMin") return SetNumberText(f_.RhoMin, value);
  if (k == "RhoMax") return SetNumberText(f_.RhoMax, value);
  if (k == "NT") f_.NT = value.index;
  if (k == "NV") f_.NV = value.index;
  if (k == "TSpacing") f_.TSpacing = value.index;
  if (k == "VSpacing") f_.VSpacing = value.index;
  return FormRefusal::None();
}

std::optional<FormValue> TEosTableGridSchema::Get(const FieldSchema& field) {
  const std::string& k = field.key;
  if (k == "Tmin") return FormValue::Of(f_.Tmin.Value());
  if (k == "Tmax") return FormValue::Of(f_.Tmax.Value());
  if (k == "RhoMin") return FormValue::Of(f_.RhoMin.Value());
  if (k == "RhoMax") return FormValue::Of(f_.RhoMax.Value());
  if (k == "NT") return FormValue::OfIndex(field.kind, f_.NT);
  if (k == "NV") return FormValue::OfIndex(field.kind, f_.NV);
  if (k == "TSpacing") return FormValue::OfIndex(field.kind, f_.TSpacing);
  return FormValue::OfIndex(field.kind, f_.VSpacing);
}

}  // namespace tarvex
