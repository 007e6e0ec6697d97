// The solver class family and the rule that picks a class from the thermal model.
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

const char* SolverClassName(SolverClass c);

// What the initial-conditions dialog knows when it creates the instances.
struct SolverChoice {
  int32_t thermalItem = 0;  // 0 "1T", 1..5 the two-temperature profiles
  bool NoConduct = false;
  bool NoThermo = false;
  bool elastic = false;   // check "Elast"
  bool noMove = false;    // boundary mode "No move"
  bool nonMetal = false;  // the instances were last of the non-metal class
};

// The one place where a thermal model is mapped to a solver class.
SolverClass SelectSolverClass(const SolverChoice& c);

}  // namespace tarvex
