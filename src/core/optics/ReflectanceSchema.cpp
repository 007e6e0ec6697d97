// The keys of the "reflectance" and "RefractData" dialogs.
#include "core/optics/ReflectanceSchema.h"

#include <array>
#include <string>

namespace tarvex {

namespace {

FormValue ValueOf(RealField& f) {
  FormValue v = FormValue::Of(f.Value());
  v.text = f.Text();
  return v;
}

struct FieldText {
  const char* unit;
  const char* defaultText;
  const char* meaning;
};

// In the order of Treflectance::FieldNames.
constexpr std::array<FieldText, 8> kReflectanceDocs{{
    {"nm", "800", "probe wavelength lambda (> 0)"},
    {"nm", "800", "initial film thickness HH (> 0); the optical thickness follows the density"},
    {"g/cm3", "19.5", "reference density rho00 of the collision-rate fit (> 0)"},
    {"g/cm3", "19.3", "initial film density rho0 (> 0)"},
    {"eV", "-9.2", "s-band energy ens (< 0)"},
    {"", "0.75", "weight of the s-s collisions (>= 0)"},
    {"", "1", "weight of the s-d collisions (>= 0)"},
    {"", "0",
     "reference reflectance R0 in [0, 1]; 0 takes the reflectance of the surface cell of the "
     "state [initial] built (the first record of \"R.dat\" is then 0)"},
}};

}  // namespace

const std::vector<FieldSchema>& TreflectanceSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    std::vector<FieldSchema> out;
    for (size_t k = 0; k < Treflectance::FieldNames.size(); ++k) {
      const FieldText& d = kReflectanceDocs[k];
      out.push_back(
          Documented(SimpleField(std::string(Treflectance::FieldNames[k]), FieldKind::Number),
                     d.unit, d.defaultText, d.meaning));
    }
    return out;
  }();
  return fields;
}

FormRefusal TreflectanceSchema::Set(const FieldSchema& field, const FormValue& value) {
  return SetNumberText(*d_.Field(field.key), value);
}

std::optional<FormValue> TreflectanceSchema::Get(const FieldSchema& field) {
  return ValueOf(*d_.Field(field.key));
}

FormRefusal TreflectanceSchema::Refusal(const TreflectanceResult& r) {
  return FormRefusal::At(r.focus, "a value the dialog accepts", r.reason);
}

const std::vector<FieldSchema>& TRefractDataSchema::FieldList() {
  static const std::vector<FieldSchema> fields{
      Documented(SimpleField("Lambda", FieldKind::Number), "nm", "620",
                 "probe wavelength of the layered optics (> 0)")};
  return fields;
}

FormRefusal TRefractDataSchema::Set(const FieldSchema&, const FormValue& value) {
  return SetNumberText(d_.Lambda, value);
}

std::optional<FormValue> TRefractDataSchema::Get(const FieldSchema&) {
  return ValueOf(d_.Lambda);
}

FormRefusal TRefractDataSchema::Refusal(const RefractCalcResult& r) {
  return FormRefusal::At(r.focus, "a state and a wavelength the layered optics can use", r.reason);
}

}  // namespace tarvex
