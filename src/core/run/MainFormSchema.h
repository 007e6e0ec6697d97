// The schema of the main window (TMainForm): its run parameters as keys of the [main]
// table of run files.
#pragma once

#include <vector>

#include "core/common/FormSchema.h"
#include "core/run/MainForm.h"

namespace tarvex {

class TMainFormSchema : public FormSchema {
 public:
  explicit TMainFormSchema(TMainForm& form) : form_(form) {}

  // Len, x1Edit, Rho0, Pout, Dimension (which the window hands to the initial-conditions
  // dialog), then the times and step divisions in the order their leave handlers need
  // each other.
  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  // Numbers are typed and the field left (dt1 sets dtLV, EndTime sets EndTmLV, ...);
  // up-downs are set within their ranges.
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;
  // The reduced-unit twins (dtLV, EndTmLV, TimeLV) follow from the physical values.
  bool Printed(const FieldSchema& field) override;

 private:
  TMainForm& form_;
  MainFormContext ctx_;  // no save or open dialog: the output directory stays as it is
};

}  // namespace tarvex
