// The viscosity dialog's keys.
#include "core/hydro/ViscositySchema.h"

#include <string>

namespace tarvex {

const std::vector<FieldSchema>& TViscositySchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    std::vector<std::string> items(TViscosityDialogModel::ViscTypeItems.begin(),
                                   TViscosityDialogModel::ViscTypeItems.end());
    return std::vector<FieldSchema>{
        Documented(ChoiceField("ViscType", 0, items), "", "`\"Loc\"`",
                   "where the quadratic viscous pressure acts: nowhere; in compressed cells, "
                   "spread symmetrically as half a second difference; in compressed cells and "
                   "their immediate neighbours; in the compressed cells alone"),
        Documented(SimpleField("ViscMult", FieldKind::Number), "", "1",
                   "coefficient Cq of the viscous pressure Cq rho D^2 (D the velocity jump "
                   "across a cell); must be >= 0"),
    };
  }();
  return fields;
}

FormRefusal TViscositySchema::Set(const FieldSchema& field, const FormValue& value) {
  if (field.key == "ViscType") {
    d_.ViscType = value.index;
    return FormRefusal::None();
  }
  return SetNumberText(d_.ViscMult, value);
}

std::optional<FormValue> TViscositySchema::Get(const FieldSchema& field) {
  if (field.key == "ViscType") return FormValue::OfIndex(FieldKind::Choice, d_.ViscType);
  FormValue v = FormValue::Of(d_.ViscMult.Value());
  v.text = d_.ViscMult.Text();
  return v;
}

void TViscositySchema::Open() {
  d_.Open(s_.visc, s_.eos.EosScale);
}

FormRefusal TViscositySchema::Check() const {
  ViscosityState probe = s_.visc;
  TViscosityDialogModel copy = d_;
  const ViscosityDialogResult r = copy.Ok(probe, s_.eos.EosScale, s_.StateA);
  if (r.accepted) return FormRefusal::None();
  const std::string key(r.focus);
  return FormRefusal::At(key, key == "ViscMult" ? "the coefficient must be a number >= 0"
                                                : "choose one of the viscosity kinds");
}

}  // namespace tarvex
