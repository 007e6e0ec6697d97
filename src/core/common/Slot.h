// Function slots: a plain function bound to the parameter block of its model.
//
// A model is a parameter struct plus free functions. Accepting a dialog binds the
// slots to the session's copy of the parameters. One indirect call, no allocation,
// no virtual dispatch on the hot paths.
#pragma once

#include "core/common/Real.h"

namespace tarvex {

// f(rho, x): density first, then temperature (forward functions) or E / P (inverses).
struct Slot2 {
  Real (*fn)(const void* params, Real rho, Real x) = nullptr;
  const void* params = nullptr;

  Real operator()(Real rho, Real x) const { return fn(params, rho, x); }
  explicit operator bool() const { return fn != nullptr; }
};

// Predicate slot: f(rho, T) -> bool.
struct PredSlot2 {
  bool (*fn)(const void* params, Real rho, Real x) = nullptr;
  const void* params = nullptr;

  bool operator()(Real rho, Real x) const { return fn(params, rho, x); }
  explicit operator bool() const { return fn != nullptr; }
};

// Integer slot: f(rho, T) -> int32_t (phase codes, display colours).
struct IntSlot2 {
  int32_t (*fn)(const void* params, Real rho, Real x) = nullptr;
  const void* params = nullptr;

  int32_t operator()(Real rho, Real x) const { return fn(params, rho, x); }
  explicit operator bool() const { return fn != nullptr; }
};

// Binds a typed function to a typed parameter block without casts at the call site.
template <class Params, Real (*F)(const Params&, Real, Real)>
Slot2 MakeSlot(const Params& p) {
  return Slot2{
      [](const void* q, Real rho, Real x) { return F(*static_cast<const Params*>(q), rho, x); },
      &p};
}

template <class Params, bool (*F)(const Params&, Real, Real)>
PredSlot2 MakePredSlot(const Params& p) {
  return PredSlot2{
      [](const void* q, Real rho, Real x) { return F(*static_cast<const Params*>(q), rho, x); },
      &p};
}

template <class Params, int32_t (*F)(const Params&, Real, Real)>
IntSlot2 MakeIntSlot(const Params& p) {
  return IntSlot2{
      [](const void* q, Real rho, Real x) { return F(*static_cast<const Params*>(q), rho, x); },
      &p};
}

}  // namespace tarvex
