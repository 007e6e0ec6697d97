// The grid of the table writer: the [table] section of a run file, which
// `tarvex1l-run --write-eos-table` reads to tabulate the film's equation of state. A form
// without a window: its fields, its check and its schema.
//
// Temperatures [K] from Tmin to Tmax in NT nodes, densities [g/cm3] from RhoMin to RhoMax
// in NV nodes (written as their volumes 1/rho), each axis linear or logarithmic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/common/RealField.h"
#include "core/eos/EosTableWriter.h"

namespace tarvex {

class TEosTableGridForm {
 public:
  static constexpr int32_t kMaxNodes = 2000;  // per axis; the table files stay readable

  TEosTableGridForm();

  RealField Tmin, Tmax;      // [K]
  int32_t NT = 60;           // temperatures
  int32_t TSpacing = 1;      // 0 "Lin", 1 "Log"
  RealField RhoMin, RhoMax;  // [g/cm3]
  int32_t NV = 60;           // volumes (densities)
  int32_t VSpacing = 1;      // 0 "Lin", 1 "Log" (of the volumes)
  bool given = false;        // accepted from a run file

  // The grid, or false with the field to blame and why.
  bool Grid(TEosTableGrid& grid, std::string& field, std::string& message);
};

class TEosTableGridSchema : public FormSchema {
 public:
  explicit TEosTableGridSchema(TEosTableGridForm& form) : f_(form) {}
  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;

 private:
  TEosTableGridForm& f_;
};

}  // namespace tarvex
