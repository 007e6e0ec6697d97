// The solver class family rooted at THydrStat, by name. What each class is (its parent,
// its arrays, how it is created, shown and loaded) is its entry in the solver-class
// catalog (core/session/SolverCatalog.h).
#pragma once

#include <cstdint>

namespace tarvex {

enum class SolverClass : int32_t {
  None = -1,
  HydrStat,      // hydrodynamics only, no thermodynamics beyond the EOS
  HydrTherm,     // one-temperature heat conduction
  ThermState,    // two temperatures on a fixed grid
  Hydro2T,       // two temperatures
  Hydro2Telast,  // two temperatures with elastic-plastic stress
  NoMet,         // two temperatures, non-metal with ionisation
  Hydro1elast,   // one temperature with elastic-plastic stress
};

}  // namespace tarvex
