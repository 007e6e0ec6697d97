// The schema of the save-options dialog (TSaveFileOptions): the [save] table of run
// files.
#pragma once

#include <vector>

#include "core/common/FormSchema.h"
#include "core/files/SaveOptions.h"

namespace tarvex {

class TSaveFileOptionsSchema : public FormSchema {
 public:
  explicit TSaveFileOptionsSchema(TSaveFileOptions& options) : o_(options) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  // A time factor must be positive (0 would give every interval the same name); a
  // suffix is part of a file name and holds no directory separator.
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;

 private:
  TSaveFileOptions& o_;
};

}  // namespace tarvex
