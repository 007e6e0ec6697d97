// The catalog of equation-of-state models: one entry per model of the selection list, in
// the list's order (the index is the model number stored in FilmEosType / LeftEosType).
//
// Each entry names the model (stable id for run files, the caption the dialog shows),
// describes its parameters (the dialog field name, unit, default, valid range), its
// presets (named sets, and the values choosing the model sets), where the consistency
// suite checks it, and its operations (prepare a parameter block, fill the slots, write
// the dialog's label). The numeric fields of the selection dialog, which the models
// share, are listed here too (EosDialogFields). The selection dialog, the binding, the
// batch runner, the run-file documentation and the model tests all read this one table.
// Models not implemented yet are listed without operations.
//
// Adding a model: its module (a traits struct, see EosModel.h) and one EosEntry line in
// EosCatalog.cpp.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/common/Real.h"
#include "core/eos/EosModel.h"
#include "core/eos/EosSlots.h"

namespace tarvex {

// A numeric field of the selection dialog. The fields are shared between the models (the
// "gamma" of the ideal gas is the "gamma" of "LJ - Ree"); a model's parameters name the
// fields they are read from. The heat-conductivity fields belong to no model.
struct EosDialogFieldInfo {
  const char* name;   // the field's name, also the run-file key
  const char* label;  // the text shown beside the field
  const char* unit;   // "" when dimensionless or when it depends on the model (see its params)
  Real initial;       // the value the field holds when the dialog is created
  uint8_t digits;     // significant digits shown; 0 for the number format's default
  const char* help;   // one line for the documentation
};

struct EosModelInfo {
  int32_t index;        // model number (position in the selection list)
  const char* id;       // stable identifier for run files
  const char* caption;  // as the dialog's model list shows it
  Real eosScale;        // EosScale a film selection sets: 1 dimensionless, 1e5 physical
  bool leftVariant;     // the model can serve the left medium
  bool tabulated;       // a table model: sets the medium's table flag
  std::span<const EosParamInfo> params;
  std::span<const EosPreset> presets;
  // Field values the dialog sets when the model is chosen in the list (the other fields
  // keep what they hold).
  std::span<const EosPresetValue> onSelect;
  const EosModelOps* ops;  // nullptr while not available in this build
  EosTestDomain test;      // where the consistency suite checks the model
  const char* note;        // where the parameters come from when not listed above

  bool Available() const { return ops != nullptr; }
};

// The catalog entry of a model module (see EosModel.h for the traits).
template <class Model>
constexpr EosModelInfo EosEntry(int32_t index, const char* id, const char* caption, Real eosScale,
                                bool leftVariant, bool tabulated = false) {
  EosModelInfo m{index,
                 id,
                 caption,
                 eosScale,
                 leftVariant,
                 tabulated,
                 Model::kParams,
                 {},
                 {},
                 &EosOpsOf<Model>::kOps,
                 Model::kTest,
                 ""};
  if constexpr (requires { Model::kPresets; }) m.presets = Model::kPresets;
  if constexpr (requires { Model::kOnSelect; }) m.onSelect = Model::kOnSelect;
  return m;
}

// All 18 models in list order.
std::span<const EosModelInfo> EosCatalog();

// The entry with the given stable id, or nullptr.
const EosModelInfo* FindEosModel(std::string_view id);

// True when `value` is finite and inside the parameter's valid range.
bool EosParamValid(const EosParamInfo& param, Real value);

// The valid range in words, e.g. "a finite number greater than 1".
std::string EosParamRequirement(const EosParamInfo& param);

// The numeric fields of the selection dialog, in the order the dialog lays them out.
std::span<const EosDialogFieldInfo> EosDialogFields();

// The dialog field with the given name, or nullptr.
const EosDialogFieldInfo* FindEosDialogField(std::string_view name);

// Whether a field is one of the dialog's common fields (read by several models, like gamma
// and the atom mass, or by none, like the conductivity) rather than a field of one model's
// frame; a frame field takes its model's default when the model is chosen.
bool EosSharedDialogField(std::string_view name);

// The defaults of a model's parameters, in order, with a preset applied on top
// (nullptr: none). `out` must have room for every parameter.
void EosDefaultValues(const EosModelInfo& model, const EosPreset* preset, std::span<Real> out);

}  // namespace tarvex
