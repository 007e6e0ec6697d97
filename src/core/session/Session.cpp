// The session: ownership of the three solver instances.
#include "core/session/Session.h"

#include "core/hydro/HydrStat.h"
#include "core/hydro/SolverFactory.h"

namespace tarvex {

Session::Session(Prompter& p) : HydroState(p) {}

Session::~Session() = default;

bool Session::EnsureInstances(SolverClass cls, int32_t N) {
  if (StateA != nullptr) {
    // Existing instances keep their class; only their size follows N.
    for (THydrStat* st : {StateA, StateB, StateC}) st->Resize(N);
    return true;
  }
  if (!SolverClassAvailable(cls)) return false;
  for (auto& inst : owned_) inst = CreateSolver(cls, *this, N);
  StateA = owned_[0].get();
  StateB = owned_[1].get();
  StateC = owned_[2].get();
  stateClass = cls;
  return true;
}

}  // namespace tarvex
