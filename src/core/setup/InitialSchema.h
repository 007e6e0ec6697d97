// The schema of the initial-conditions dialog (TInitional): its fields as keys of the
// [initial] table of run files.
#pragma once

#include <string>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/setup/InitialConditions.h"

namespace tarvex {

class TInitionalSchema : public FormSchema {
 public:
  explicit TInitionalSchema(TInitional& dialog) : d_(dialog) {}

  // The dialog's layout, with the controls whose handlers change other controls before
  // those they change: the geometry before the boundary modes, the temperature model
  // before the electron temperature, which the fixed-Te box reads. After a load only the
  // boundary settings, the right end and the laser switch apply.
  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  // Numbers are typed and left (their leave handlers keep the pairs consistent), choices
  // and check boxes clicked; a control the dialog refuses is fine when it already shows
  // the value.
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;
  // Not printed: what follows from other fields when OK reads them (P0l from rho0l and
  // T0l; Pini and Pgr from the temperatures of a "Temp" or fixed-Te profile, Tini and Tgr
  // from the pressures of a "Press" one) and what OK computes.
  bool Printed(const FieldSchema& field) override;
  // rho0l taken from the substrate model's own density on a Yes to the question.
  bool ReplacementAccepted(const FieldSchema& field) const override;

  // Why OK kept the focus on a field: the key, what the field needs, the dialog's own
  // message and the text it shows. Focuses on buttons are the caller's to explain.
  FormRefusal Refusal(const InitialOkResult& ok) const;

 private:
  TInitional& d_;
};

}  // namespace tarvex
