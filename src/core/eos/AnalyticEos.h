// The frame every analytic equation-of-state model fills in: a traits struct per model
// that describes it completely (parameters, presets, slots, domain, labels), and the
// generic code that reads such a struct (parameter blocks from values, slot binding).
//
// A model is a plain parameter struct plus free functions f(params, rho, x); its traits
// struct (derived from EosModelTraits<Params>) names those functions as static constexpr
// pointers, nullptr for a slot the model does not define:
//
//   struct RoseModel : EosModelTraits<RoseParams> {
//     static constexpr int32_t kIndex = 10;             // number in the model list
//     static constexpr RealFn E = &RoseE;  ...
//     static EosBindResult Prepare(RoseParams& p);      // validate, cache derived values
//     static EosDomain Domain(const RoseParams& p);
//     static std::optional<std::string> Label(const RoseParams&, const EosFieldText&, bool);
//   };
//
// MakeModelParams<M>(values, p) fills the block from values in the order of M::kParams
// and prepares it; BindModelSlots<M>(p) binds every slot the model defines to `p` (which
// must outlive the slots). Units: rho g/cm3, T K, E kJ/g, P GPa, Cv kJ/g/K, dP/dT GPa/K,
// kappa kW/cm/K for the physical models (EosScale 1e5); reduced units throughout for the
// dimensionless ones (EosScale 1).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosSlots.h"

namespace tarvex {

// The slots of EosSet and TActiveEos a model can define, as bits.
enum EosSlotBit : uint32_t {
  kSlotE = 1u << 0,
  kSlotP = 1u << 1,
  kSlotCv = 1u << 2,
  kSlotdPdT = 1u << 3,
  kSlotTofE = 1u << 4,
  kSlotTofP = 1u << 5,
  kSlotKappa = 1u << 6,
  kSlotPhaseId = 1u << 7,
  kSlotPhaseColor = 1u << 8,
  kSlotIsMelted = 1u << 9,
  kSlotHasVapour = 1u << 10,
  kSlotIsFluidVapour = 1u << 11,
  kSlotLiquidFraction = 1u << 12,
  kSlotSolidFraction = 1u << 13,
};
using EosSlotMask = uint32_t;

// Where the film's display colour comes from.
enum class EosColorRule : uint8_t {
  None,            // no colour slot (the film phase code falls back to 0)
  FromPredicates,  // ColorFromPredicates over the ActiveEos predicates (EosSlots.h)
  Constant,        // kColorNoPhase, through the model's PhaseColor function
  Model,           // the model's own PhaseColor function
};

// The states inside which a model is meant to be valid, thermodynamically consistent and
// mechanically stable (sound speed squared positive): rho in [rhoMin, rhoMax], T in
// [TMin, TMax]. Outside, the functions still return finite values or raise a fault the
// step's FpGuard sees (each model says which), but the values carry no promise.
struct EosDomain {
  Real rhoMin;
  Real rhoMax;
  Real TMin;
  Real TMax;
};

// The text a number has in an info label: the trimmed text of the dialog field `field`,
// whose value is `value`; `field` is empty for a computed number (e.g. 0.001 Cv), which
// the callee formats with the number format in force.
using EosFieldText = std::function<std::string(std::string_view field, Real value)>;

// Formats every number with `format` (trimmed), ignoring the field name: the texts the
// fields show when they hold exactly their values.
EosFieldText FieldTextOf(const TNumStringFormat& format);

// `prefix` followed by the name of the chosen material (index into `presets`), or by
// nothing when none is chosen: "MieGrun Mo", "Metal - Cu".
std::string MaterialLabel(std::string prefix, std::span<const EosPreset> presets, int32_t material);

// ---- parameter descriptions ----

inline constexpr Real kOpenInfinity = std::numeric_limits<Real>::infinity();

// Any finite value.
constexpr EosParamInfo ParamAny(const char* name, const char* unit, Real def, const char* help) {
  return {name, unit, def, -kOpenInfinity, kOpenInfinity, true, true, false, false, help};
}
// A finite value above `lower`.
constexpr EosParamInfo ParamAbove(const char* name, const char* unit, Real def, Real lower,
                                  const char* help) {
  return {name, unit, def, lower, kOpenInfinity, true, true, false, false, help};
}
// A finite value not below `lower`.
constexpr EosParamInfo ParamAtLeast(const char* name, const char* unit, Real def, Real lower,
                                    const char* help) {
  return {name, unit, def, lower, kOpenInfinity, false, true, false, false, help};
}
// Any finite value but 0.
constexpr EosParamInfo ParamNonZero(const char* name, const char* unit, Real def,
                                    const char* help) {
  return {name, unit, def, -kOpenInfinity, kOpenInfinity, true, true, true, false, help};
}
// A finite value in the open interval (lower, upper).
constexpr EosParamInfo ParamBetween(const char* name, const char* unit, Real def, Real lower,
                                    Real upper, const char* help) {
  return {name, unit, def, lower, upper, true, true, false, false, help};
}
// A shown/hidden panel or a check box of a frame: 0 or 1 (Prepare refuses other values).
constexpr EosParamInfo ParamFlag(const char* name, Real def, const char* help) {
  return {name, "", def, 0, 1, false, false, false, false, help};
}

// The same description, marked as one whose default is not a valid value (the user or a
// preset must give one).
constexpr EosParamInfo Required(EosParamInfo info) {
  info.required = true;
  return info;
}

// ---- the traits frame ----

template <class ParamsT>
struct EosModelTraits {
  using Params = ParamsT;
  using RealFn = Real (*)(const ParamsT&, Real, Real);
  using PredFn = bool (*)(const ParamsT&, Real, Real);
  using IntFn = int32_t (*)(const ParamsT&, Real, Real);

  // Slot functions; a derived traits struct hides the ones its model defines.
  static constexpr std::nullptr_t E = nullptr;
  static constexpr std::nullptr_t P = nullptr;
  static constexpr std::nullptr_t Cv = nullptr;
  static constexpr std::nullptr_t dPdT = nullptr;
  static constexpr std::nullptr_t TofE = nullptr;
  static constexpr std::nullptr_t TofP = nullptr;
  static constexpr std::nullptr_t Kappa = nullptr;
  static constexpr std::nullptr_t PhaseId = nullptr;
  static constexpr std::nullptr_t PhaseColor = nullptr;
  static constexpr std::nullptr_t IsMelted = nullptr;
  static constexpr std::nullptr_t HasVapour = nullptr;
  static constexpr std::nullptr_t IsFluidVapour = nullptr;
  static constexpr std::nullptr_t LiquidFraction = nullptr;
  static constexpr std::nullptr_t SolidFraction = nullptr;

  static constexpr EosColorRule kColor = EosColorRule::None;
  // The functions the energy step calls per cell and pass (E, P, Cv, dPdT, TofE, Kappa
  // among those defined); they avoid powl and keep their transcendental calls few.
  static constexpr EosSlotMask kHot = 0;
  static constexpr std::span<const EosPreset> kPresets{};
  // Field values choosing the model in the list sets (e.g. gamma 5/3).
  static constexpr std::span<const EosPresetValue> kOnSelect{};
  // The list control of the material presets ("" without one).
  static constexpr const char* kMaterialList = "";
  // The formula line (InfoLabel1) of the model, empty for most.
  static std::string Formula(const ParamsT&, const EosFieldText&) { return {}; }
};

// Constant slot functions shared by several models.
template <class ParamsT>
bool EosFalse(const ParamsT&, Real, Real) {
  return false;
}
template <class ParamsT>
bool EosTrue(const ParamsT&, Real, Real) {
  return true;
}
template <class ParamsT>
int32_t EosConstantColor(const ParamsT&, Real, Real) {
  return kColorNoPhase;
}

// True when a traits struct defines the slot function F. The base leaves the slots as
// std::nullptr_t, so the test is on the type: comparing a function address with nullptr
// is not a constant expression under the sanitizers (they keep null-pointer checks).
template <auto F>
inline constexpr bool kSlotDefined = !std::is_null_pointer_v<decltype(F)>;

// The slots a model defines, as a mask.
template <class M>
constexpr EosSlotMask SlotsOf() {
  EosSlotMask m = 0;
  if constexpr (kSlotDefined<M::E>) m |= kSlotE;
  if constexpr (kSlotDefined<M::P>) m |= kSlotP;
  if constexpr (kSlotDefined<M::Cv>) m |= kSlotCv;
  if constexpr (kSlotDefined<M::dPdT>) m |= kSlotdPdT;
  if constexpr (kSlotDefined<M::TofE>) m |= kSlotTofE;
  if constexpr (kSlotDefined<M::TofP>) m |= kSlotTofP;
  if constexpr (kSlotDefined<M::Kappa>) m |= kSlotKappa;
  if constexpr (kSlotDefined<M::PhaseId>) m |= kSlotPhaseId;
  if constexpr (kSlotDefined<M::PhaseColor>) m |= kSlotPhaseColor;
  if constexpr (kSlotDefined<M::IsMelted>) m |= kSlotIsMelted;
  if constexpr (kSlotDefined<M::HasVapour>) m |= kSlotHasVapour;
  if constexpr (kSlotDefined<M::IsFluidVapour>) m |= kSlotIsFluidVapour;
  if constexpr (kSlotDefined<M::LiquidFraction>) m |= kSlotLiquidFraction;
  if constexpr (kSlotDefined<M::SolidFraction>) m |= kSlotSolidFraction;
  return m;
}

// Every slot a model can fill, bound or empty.
struct EosModelSlots {
  Slot2 E, P, Cv, dPdT, TofE, TofP, Kappa;
  IntSlot2 PhaseId, PhaseColor;
  PredSlot2 IsMelted, HasVapour, IsFluidVapour;
  Slot2 LiquidFraction, SolidFraction;
};

// Binds the model's functions to `p`; `p` must outlive the slots.
template <class M>
EosModelSlots BindModelSlots(const typename M::Params& p) {
  using Params = typename M::Params;
  EosModelSlots s;
  if constexpr (kSlotDefined<M::E>) s.E = MakeSlot<Params, M::E>(p);
  if constexpr (kSlotDefined<M::P>) s.P = MakeSlot<Params, M::P>(p);
  if constexpr (kSlotDefined<M::Cv>) s.Cv = MakeSlot<Params, M::Cv>(p);
  if constexpr (kSlotDefined<M::dPdT>) s.dPdT = MakeSlot<Params, M::dPdT>(p);
  if constexpr (kSlotDefined<M::TofE>) s.TofE = MakeSlot<Params, M::TofE>(p);
  if constexpr (kSlotDefined<M::TofP>) s.TofP = MakeSlot<Params, M::TofP>(p);
  if constexpr (kSlotDefined<M::Kappa>) s.Kappa = MakeSlot<Params, M::Kappa>(p);
  if constexpr (kSlotDefined<M::PhaseId>) s.PhaseId = MakeIntSlot<Params, M::PhaseId>(p);
  if constexpr (kSlotDefined<M::PhaseColor>) s.PhaseColor = MakeIntSlot<Params, M::PhaseColor>(p);
  if constexpr (kSlotDefined<M::IsMelted>) s.IsMelted = MakePredSlot<Params, M::IsMelted>(p);
  if constexpr (kSlotDefined<M::HasVapour>) s.HasVapour = MakePredSlot<Params, M::HasVapour>(p);
  if constexpr (kSlotDefined<M::IsFluidVapour>) {
    s.IsFluidVapour = MakePredSlot<Params, M::IsFluidVapour>(p);
  }
  if constexpr (kSlotDefined<M::LiquidFraction>) {
    s.LiquidFraction = MakeSlot<Params, M::LiquidFraction>(p);
  }
  if constexpr (kSlotDefined<M::SolidFraction>) {
    s.SolidFraction = MakeSlot<Params, M::SolidFraction>(p);
  }
  return s;
}

// Checks `values` (one per entry of `params`, in that order) against the descriptions.
EosBindResult CheckParamValues(std::span<const EosParamInfo> params, std::span<const Real> values);

// Copies `values` (one per entry of M::kParams, in that order) into `p` through M::kFields,
// checks them against the descriptions and prepares the block. On failure `field` names
// the control that gets the focus and `p` holds the copied values but is not prepared.

// A model whose dialog checks something before the fields' ranges (a material chosen in
// its list, say) has `static EosBindResult Precheck(const Params&)`; it runs first, on
// the copied values.
template <class M>
EosBindResult MakeModelParams(std::span<const Real> values, typename M::Params& p) {
  static_assert(M::kParams.size() == M::kFields.size(), "one member per parameter");
  if (values.size() != M::kFields.size()) return CheckParamValues(M::kParams, values);
  for (size_t i = 0; i < M::kFields.size(); ++i) p.*(M::kFields[i]) = values[i];
  if constexpr (requires { M::Precheck(p); }) {
    if (EosBindResult r = M::Precheck(p); !r) return r;
  }
  if (EosBindResult r = CheckParamValues(M::kParams, values); !r) return r;
  return M::Prepare(p);
}

// The parameter values of a model with its defaults, and preset `preset` (an index into
// M::kPresets, -1 for none) applied on top.
template <class M>
std::vector<Real> ModelValues(int32_t preset = -1) {
  std::vector<Real> v(M::kParams.size());
  const EosPreset* pr = preset >= 0 && static_cast<size_t>(preset) < M::kPresets.size()
                            ? &M::kPresets[preset]
                            : nullptr;
  for (size_t i = 0; i < v.size(); ++i) v[i] = M::kParams[i].defaultValue;
  if (pr == nullptr) return v;
  for (const EosPresetValue& pv : pr->values) {
    for (size_t i = 0; i < v.size(); ++i) {
      if (std::string_view(pv.param) == M::kParams[i].name) v[i] = pv.value;
    }
  }
  return v;
}

// Fills `p` from the defaults with preset `preset` applied, records the material choice
// when the model has one, and prepares it.
template <class M>
EosBindResult MakeModelPreset(int32_t preset, typename M::Params& p) {
  if constexpr (requires { p.material; }) p.material = preset;
  return MakeModelParams<M>(ModelValues<M>(preset), p);
}

}  // namespace tarvex
