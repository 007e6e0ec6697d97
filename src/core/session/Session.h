// One simulation session: everything the program treats as run-wide state.
//
// The hydrodynamic core's part (run parameters of the grid, boundary flags, mass arrays,
// equation-of-state slots, viscosity and convergence state, thermal closures, the three
// solver instances) is the base HydroState; the session adds the ownership of the
// instances and the run-wide values the core does not read. Code receives the parts it
// needs by reference; two sessions in one process never interfere.
#pragma once

#include <array>
#include <memory>

#include "core/common/Prompter.h"
#include "core/common/Real.h"
#include "core/hydro/HydroState.h"
#include "core/hydro/SolverClass.h"

namespace tarvex {

class Session : public HydroState {
 public:
  explicit Session(Prompter& prompter);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  Real Ipdt = 0;  // pressure integral at the left surface, sum P dt EosScale^2
  bool NoConduct = false;
  bool NoThermo = false;

  SolverClass stateClass = SolverClass::None;

  // Creates the instances of `cls` with N cells, or resizes the existing ones when they
  // are already of that class (StateA, StateB, StateC in that order). Returns false
  // when the class is not available.
  bool EnsureInstances(SolverClass cls, int32_t N);

 private:
  std::array<std::unique_ptr<THydrStat>, 3> owned_;
};

}  // namespace tarvex
