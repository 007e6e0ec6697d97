// The schema of the equation-of-state dialog (TStatEqDialog) for one medium: the
// [eos.film] and [eos.left] tables of run files. The keys are set on the dialog; the
// accepted settings are read back from the medium's record in the session (the dialog
// forgets its model on OK and serves both media).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/eos/EosSlots.h"
#include "core/eos/StatEqDialog.h"

namespace tarvex {

class TStatEqSchema : public FormSchema {
 public:
  TStatEqSchema(TStatEqDialog& dialog, const EosState& eos, bool left)
      : d_(dialog), eos_(eos), left_(left) {}

  // The model list first and the metal next, because both preset numeric fields, then
  // the check boxes (NoElEOS for the film only; CheckKappa and its options enable the
  // conductivity fields), then the numeric fields.
  const std::vector<FieldSchema>& Fields() const override { return FieldList(left_); }
  static const std::vector<FieldSchema>& FieldList(bool left);
  // A field the selected model does not use is disabled and refused; so is a check box
  // the dialog does not show for the medium.
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  // The medium's accepted model, preset, parameter values, conductivity and NoElEOS;
  // nothing for the fields the model (or the conductivity option) does not read.
  std::optional<FormValue> Get(const FieldSchema& field) override;
  // The dialog's own fields.
  std::optional<FormValue> Held(const FieldSchema& field) override;
  // The metal only for a model with presets, the numbers only of the accepted model and
  // of the conductivity option in force.
  bool Printed(const FieldSchema& field) override;

  // Loads the table set named by a `TabFiles` text (the description file) into the
  // medium's table dialog and hands it to the dialog; the refusal says why. Without a
  // loader `TabFiles` is refused.
  using TableLoader = std::function<FormRefusal(const std::string& text)>;
  void SetTableLoader(TableLoader loader) { loader_ = std::move(loader); }

  // The accepted model of the medium (nullptr before any).
  const EosMediumRecord& Record() const { return left_ ? eos_.Left : eos_.Film; }
  // "In this version the dialog accepts ..." for the documentation.
  static std::string AvailabilityNote();

 private:
  // Whether the medium's conductivity, installed by the dialog, reads this field.
  bool KappaFieldInForce(std::string_view key);

  TStatEqDialog& d_;
  const EosState& eos_;
  bool left_;
  TableLoader loader_;
};

}  // namespace tarvex
