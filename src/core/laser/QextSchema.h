// The schema of the laser-source dialog "Q external" (TQextDialog): the [laser] table of
// run files. The main dialog's controls under their names; the pre-heating of the
// substrate (the PreHt button's second instance) as PreHtF, PreHtD and PreHtShape, applied
// as one round of that button before OK.
#pragma once

#include <vector>

#include "core/common/FormSchema.h"
#include "core/laser/QextDialog.h"

namespace tarvex {

class TQextSchema : public FormSchema {
 public:
  explicit TQextSchema(TQextDialog& dialog) : d_(dialog) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;
  std::optional<FormValue> Held(const FieldSchema& field) override;
  bool Printed(const FieldSchema& field) override;

  // Before OK: the PreHt round with the pre-heating keys the table gave (none given: the
  // pre-heating in force stays). A refusal names the key to blame.
  FormRefusal ApplyPreHeating();
  // A refused OK as the key to blame.
  static FormRefusal Refusal(const TQextResult& ok);
  void Reset() { preGiven_ = false; }

 private:
  TQextDialog& d_;
  bool preGiven_ = false;
  TQextDialog::PreHeatValues pre_;
};

}  // namespace tarvex
