// A medium that carries tension, in reduced units: E = T, Cv = 1, P = rho - 1 (a film at
// rho < 1 is stretched), bound as the film's equation of state.
#pragma once

#include "core/common/Slot.h"
#include "core/eos/EosSlots.h"

namespace tarvex::testing {

inline Real StretchableE(const void*, Real, Real T) {
  return T;
}
inline Real StretchableCv(const void*, Real, Real) {
  return 1;
}
inline Real StretchableP(const void*, Real rho, Real) {
  return rho - 1;
}

// The film set and its totals (no electron part).
inline void BindStretchable(EosState& eos) {
  eos.EosScale = 1;
  for (Slot2* e : {&eos.ActiveEos.E, &eos.FilmEos.E}) *e = Slot2{&StretchableE, nullptr};
  for (Slot2* c : {&eos.ActiveEos.Cv, &eos.FilmEos.Cv}) *c = Slot2{&StretchableCv, nullptr};
  for (Slot2* p : {&eos.ActiveEos.P, &eos.FilmEos.P}) *p = Slot2{&StretchableP, nullptr};
}

}  // namespace tarvex::testing
