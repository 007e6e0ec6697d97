// The session: ownership of the three solver instances.
#include "core/session/Session.h"

#include "core/hydro/HydrStat.h"

namespace tarvex {

Session::Session(Prompter& p) : ThermalState(p) {}

Session::~Session() = default;

bool Session::EnsureInstances(SolverClass cls, int32_t N) {
  return EnsureInstances(SolverClassOf(cls), N);
}

bool Session::EnsureInstances(const SolverClassInfo& info, int32_t N) {
  if (StateA != nullptr) {
    // Existing instances keep their class; only their size follows N.
    for (THydrStat* st : {StateA, StateB, StateC}) st->Resize(N);
    return true;
  }
  if (!info.Available()) return false;
  for (auto& inst : owned_) inst = info.create(*this, N);
  StateA = owned_[0].get();
  StateB = owned_[1].get();
  StateC = owned_[2].get();
  stateClass = info.cls;
  stateInfo = &info;
  return true;
}

}  // namespace tarvex
