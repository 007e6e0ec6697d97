// Solver class selection from the thermal model of the initial conditions.
#include "core/hydro/SolverClass.h"

namespace tarvex {

const char* SolverClassName(SolverClass c) {
  switch (c) {
    case SolverClass::HydrStat:
      return "THydrStat";
    case SolverClass::HydrTherm:
      return "THydrTherm";
    case SolverClass::ThermState:
      return "TThermState";
    case SolverClass::Hydro2T:
      return "THydro2T";
    case SolverClass::Hydro2Telast:
      return "THydro2Telast";
    case SolverClass::NoMet:
      return "TNoMet";
    case SolverClass::Hydro1elast:
      return "THydro1elast";
    case SolverClass::None:
      break;
  }
  return "";
}

SolverClass SelectSolverClass(const SolverChoice& c) {
  if (c.thermalItem == 0) {
    if (c.NoConduct && c.NoThermo) return SolverClass::HydrStat;
    if (c.elastic) return SolverClass::Hydro1elast;
    return SolverClass::HydrTherm;
  }
  if (c.noMove) return SolverClass::ThermState;
  if (c.nonMetal) return SolverClass::NoMet;
  if (c.elastic) return SolverClass::Hydro2Telast;
  return SolverClass::Hydro2T;
}

}  // namespace tarvex
