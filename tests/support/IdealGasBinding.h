// The ideal gas bound to one medium through the generic binding, for tests that set up
// equations of state directly (without the dialog).
#pragma once

#include <array>

#include "core/eos/EosBind.h"
#include "core/eos/IdealGas.h"

namespace tarvex {

inline EosBindResult BindIdealGasFilm(EosState& eos, Real gamma, Real AtomMass) {
  const std::array<Real, 2> values{gamma, AtomMass};
  return BindEos(eos, EosMedium::Film, *FindEosModel("ideal_gas"), values);
}

inline EosBindResult BindIdealGasLeft(EosState& eos, Real gamma, Real AtomMass) {
  const std::array<Real, 2> values{gamma, AtomMass};
  return BindEos(eos, EosMedium::Left, *FindEosModel("ideal_gas"), values);
}

}  // namespace tarvex
