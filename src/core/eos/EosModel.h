// What an equation-of-state model module supplies, and the glue that turns it into a
// catalog entry.
//
// A model is a parameter struct plus free functions F(const Params&, Real rho, Real x),
// bound to the slots with MakeSlot. Its module declares a traits struct:
//
//   struct IdealGasModel {
//     using Params = IdealGasParams;
//     static constexpr EosParamInfo kParams[] = {...};        // the dialog fields it reads
//     static constexpr EosPreset kPresets[] = {...};          // optional: named value sets
//     static constexpr EosPresetValue kOnSelect[] = {...};    // optional: set on choosing it
//     static constexpr EosTestDomain kTest = {...};           // where the model is checked
//     // Values by name, already inside their ranges -> the block; a refusal names the field.
//     static EosBindResult Prepare(const EosValues& v, Params& p);
//     // The model's functions bound to `p` (the block the session keeps).
//     static void Fill(const Params& p, EosFillTarget& target);
//     // The dialog's InfoLabel for the accepted model.
//     static std::string Label(const EosLabelInput& in);
//   };
//
// and EosCatalog.cpp lists it with one line: EosEntry<IdealGasModel>(0, "ideal_gas", ...).
// Binding (EosBind.h) is the same for every model: range checks from kParams, Prepare
// into a block owned by the medium's record, Fill, then the film totals are composed
// with the electron part in one place.
#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "core/common/Real.h"
#include "core/eos/EosSlots.h"

namespace tarvex {

class TEosTableSet;

// One parameter of a model: a numeric field of the selection dialog.
struct EosParamInfo {
  const char* name;   // the dialog field's name, also the run-file key
  const char* unit;   // "" for dimensionless quantities
  Real defaultValue;  // the value the field holds when the model is chosen
  Real lower;         // valid range; +-infinity when open-ended
  Real upper;
  bool lowerOpen;    // lower bound excluded
  bool upperOpen;    // upper bound excluded
  bool nonZero;      // 0 is refused even inside the range
  bool required;     // the default is not a valid value: the user must give one
  const char* help;  // one line for the documentation
};

inline constexpr Real kEosInf = std::numeric_limits<Real>::infinity();

// Open interval (lo, +inf).
constexpr EosParamInfo EosParamAbove(const char* name, const char* unit, Real def, Real lo,
                                     bool required, const char* help) {
  return {name, unit, def, lo, kEosInf, true, true, false, required, help};
}
// Any finite value.
constexpr EosParamInfo EosParamAny(const char* name, const char* unit, Real def, const char* help) {
  return {name, unit, def, -kEosInf, kEosInf, true, true, false, false, help};
}
// Any finite value but 0.
constexpr EosParamInfo EosParamNonZero(const char* name, const char* unit, Real def, bool required,
                                       const char* help) {
  return {name, unit, def, -kEosInf, kEosInf, true, true, true, required, help};
}

struct EosPresetValue {
  const char* param;
  Real value;
};

// A named set of parameter values (e.g. a metal choice); it sets only the listed ones.
struct EosPreset {
  const char* name;
  std::span<const EosPresetValue> values;
};

// Where the consistency suite checks a model: densities [rhoMin, rhoMax] and
// temperatures [Tmin, Tmax] (spread logarithmically), the relative tolerance of
// T(rho, E(rho, T)) = T and T(rho, P(rho, T)) = T, and that of Cv and dP/dT against
// central differences of E and P. `values` are put on top of the defaults (required
// parameters need one); the presets are checked too.
struct EosTestDomain {
  Real rhoMin = 0.01L;
  Real rhoMax = 20;
  Real Tmin = 10;
  Real Tmax = 2e4L;
  Real inverseTol = 1e-15L;
  Real derivativeTol = 1e-9L;
  std::span<const EosPresetValue> values;
  // A tabulated model: the table set the suites bind it with (nullptr for the others).
  std::shared_ptr<const TEosTableSet> (*table)() = nullptr;
};

// The parameter values of one binding by name, in the order of the model's parameters.
class EosValues {
 public:
  EosValues(std::span<const EosParamInfo> params, std::span<const Real> values, int32_t preset = -1,
            std::shared_ptr<const TEosTableSet> table = {})
      : params_(params), values_(values), preset_(preset), table_(std::move(table)) {}
  // The material chosen in the model's list (index into its presets), -1 for none.
  int32_t Preset() const { return preset_; }
  // The table set chosen with the table dialog (the tabulated models read it); empty
  // for the analytic models and while none is loaded.
  const std::shared_ptr<const TEosTableSet>& Table() const { return table_; }
  // The value of a parameter; NaN for a name the model does not have.
  Real operator[](std::string_view name) const {
    for (size_t i = 0; i < params_.size() && i < values_.size(); ++i) {
      if (name == params_[i].name) return values_[i];
    }
    return std::numeric_limits<Real>::quiet_NaN();
  }
  std::span<const EosParamInfo> Params() const { return params_; }
  std::span<const Real> Values() const { return values_; }

 private:
  std::span<const EosParamInfo> params_;
  std::span<const Real> values_;
  int32_t preset_ = -1;
  std::shared_ptr<const TEosTableSet> table_;
};

// What a model's Fill writes: the medium's set and, for the film, the phase functions of
// ActiveEos (SoundSpeed, the fractions and predicates; nullptr for the left medium).
// The totals, inverses and ion parts of ActiveEos are composed afterwards
// (ComposeActiveEos), never by a model.
struct EosFillTarget {
  EosSet& set;
  TActiveEos* phase = nullptr;
};

// What a label function reads: the values, the trimmed texts of the dialog's fields
// (the values formatted when no dialog is involved), the chosen preset (-1: none) and
// the medium.
struct EosLabelInput {
  const EosValues& values;
  std::span<const std::string> texts;  // parallel to values
  int32_t preset = -1;
  bool left = false;
  // The text of a parameter, "" for a name the model does not have.
  std::string Text(std::string_view name) const {
    const auto params = values.Params();
    for (size_t i = 0; i < params.size() && i < texts.size(); ++i) {
      if (name == params[i].name) return texts[i];
    }
    return {};
  }
};

// The operations of an available model, type-erased over its traits.
struct EosModelOps {
  EosBindResult (*prepare)(const EosValues& values, EosParamBlock& block);
  void (*fill)(const EosParamBlock& block, EosFillTarget& target);
  std::string (*label)(const EosLabelInput& in);
  // The states inside which the bound model is meant to be valid and stable, from its
  // prepared block; nullptr for the models that describe it by their test domain.
  bool (*domain)(const EosParamBlock& block, Real& rhoMin, Real& rhoMax, Real& Tmin,
                 Real& Tmax) = nullptr;
};

template <class Model>
struct EosOpsOf {
  static EosBindResult Prepare(const EosValues& values, EosParamBlock& block) {
    typename Model::Params p{};
    EosBindResult r = Model::Prepare(values, p);
    if (r) block = EosParamBlock::Of(std::move(p));
    return r;
  }
  static void Fill(const EosParamBlock& block, EosFillTarget& target) {
    Model::Fill(block.As<typename Model::Params>(), target);
  }
  static constexpr EosModelOps kOps{&Prepare, &Fill, &Model::Label};
};

}  // namespace tarvex
