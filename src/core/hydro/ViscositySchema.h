// The schema of the artificial-viscosity dialog (TViscosityDialogModel): the
// [viscosity] table of run files.
#pragma once

#include <vector>

#include "core/common/FormSchema.h"
#include "core/hydro/HydroState.h"
#include "core/hydro/ViscosityDialog.h"

namespace tarvex {

class TViscositySchema : public FormSchema {
 public:
  TViscositySchema(TViscosityDialogModel& dialog, HydroState& s) : d_(dialog), s_(s) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;

  // Opens the dialog on the session's viscosity state, as the Vis button does.
  void Open();
  // What OK would refuse, found on a copy of the state (the session does not change).
  FormRefusal Check() const;

 private:
  TViscosityDialogModel& d_;
  HydroState& s_;
};

}  // namespace tarvex
