// The schemas of the two optics dialogs for run files: "reflectance" (Treflectance, the
// film model and the "R.dat" output) as the [reflectance] table, and "RefractData"
// (TRefractData, the layered optics) as the [refract] table. Their keys are the dialogs'
// fields; the application accepts them on the state that [initial] built.
#pragma once

#include <vector>

#include "core/common/FormSchema.h"
#include "core/optics/ReflectanceDialog.h"
#include "core/optics/RefractData.h"

namespace tarvex {

class TreflectanceSchema : public FormSchema {
 public:
  explicit TreflectanceSchema(Treflectance& dialog) : d_(dialog) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;

  // A refused press as the key to blame.
  static FormRefusal Refusal(const TreflectanceResult& r);

 private:
  Treflectance& d_;
};

class TRefractDataSchema : public FormSchema {
 public:
  explicit TRefractDataSchema(TRefractData& dialog) : d_(dialog) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;

  // A refused "Calculate" as the key to blame.
  static FormRefusal Refusal(const RefractCalcResult& r);

 private:
  TRefractData& d_;
};

}  // namespace tarvex
