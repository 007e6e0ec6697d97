// Creation of solver instances by class.
#include "core/hydro/SolverFactory.h"

#include "core/hydro/HydrStat.h"

namespace tarvex {

std::unique_ptr<THydrStat> CreateSolver(SolverClass cls, HydroState& s, int32_t N) {
  switch (cls) {
    case SolverClass::HydrStat:
      return std::make_unique<THydrStat>(s, N);
    default:
      return nullptr;
  }
}

bool SolverClassAvailable(SolverClass cls) {
  switch (cls) {
    case SolverClass::HydrStat:
      return true;
    default:
      return false;
  }
}

}  // namespace tarvex
