// Function slots: a plain function bound to the parameter block of its model.
//
// A model is a parameter struct plus free functions. Accepting a dialog binds the
// slots to the session's copy of the parameters. One indirect call, no allocation,
// no virtual dispatch on the hot paths.
#pragma once

#include <cstdint>

#include "core/common/Real.h"

namespace tarvex {

// f(rho, x): density first, then temperature (forward functions) or E / P (inverses).
//
// `range` optionally evaluates the function over n cells in one call, out[i] = f(rho[i],
// x[i]): the energy step calls the equation of state per cell in every pass, and an
// indirect call with 80-bit arguments costs two stores and a load per value besides the
// call. MakeSlot fills it for every model; a slot bound by hand (a composite of other
// slots) may leave it empty, and Eval then falls back to the per-point function.
struct Slot2 {
  using RangeFn = void (*)(const void* params, const Real* rho, const Real* x, Real* out,
                           int32_t n);
  Real (*fn)(const void* params, Real rho, Real x) = nullptr;
  const void* params = nullptr;
  RangeFn range = nullptr;

  Real operator()(Real rho, Real x) const { return fn(params, rho, x); }
  explicit operator bool() const { return fn != nullptr; }

  // out[i] = f(rho[i], x[i]) for i < n; out may alias x.
  void Eval(const Real* rho, const Real* x, Real* out, int32_t n) const {
    if (range) {
      range(params, rho, x, out, n);
      return;
    }
    for (int32_t i = 0; i < n; ++i) out[i] = fn(params, rho[i], x[i]);
  }
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
// The range function is a loop over the inlined model function.
template <class Params, Real (*F)(const Params&, Real, Real)>
Slot2 MakeSlot(const Params& p) {
  return Slot2{
      [](const void* q, Real rho, Real x) { return F(*static_cast<const Params*>(q), rho, x); }, &p,
      [](const void* q, const Real* rho, const Real* x, Real* out, int32_t n) {
        const Params& params = *static_cast<const Params*>(q);
        for (int32_t i = 0; i < n; ++i) out[i] = F(params, rho[i], x[i]);
      }};
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
