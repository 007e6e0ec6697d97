// The schema of the "Spallation" dialog (TSpallation): the [spall] table of run files.
// Its keys are the dialog's controls, the material preset first (it sets the others),
// then the surface-tension model, the criteria and their parameters in the dialog's
// order; and `SpallTrace`, the main window's "Trace spallation" switch, which appends
// every failed cell to "Spall.dat" in the output directory.
#pragma once

#include <functional>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/spall/Spallation.h"

namespace tarvex {

class TSpallSchema : public FormSchema {
 public:
  // `env` gives what the dialog needs of the material when a handler runs; `trace` is the
  // main window's switch.
  TSpallSchema(TSpallation& dialog, bool& trace, std::function<TSpallMaterialEnv()> env)
      : d_(dialog), trace_(trace), env_(std::move(env)) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;
  bool Printed(const FieldSchema& field) override;

  // A refusal of the dialog as the key to blame.
  static FormRefusal Refusal(const TSpallResult& r);

 private:
  TSpallation& d_;
  bool& trace_;
  std::function<TSpallMaterialEnv()> env_;
};

}  // namespace tarvex
