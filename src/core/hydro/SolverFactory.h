// Creation of solver instances by class: the one place that knows every class.
#pragma once

#include <memory>

#include "core/hydro/SolverClass.h"

namespace tarvex {

class HydroState;
class THydrStat;

// A new instance of `cls` with N cells, or nullptr when this build has no such class.
std::unique_ptr<THydrStat> CreateSolver(SolverClass cls, HydroState& s, int32_t N);

// True for the classes this build can create.
bool SolverClassAvailable(SolverClass cls);

}  // namespace tarvex
