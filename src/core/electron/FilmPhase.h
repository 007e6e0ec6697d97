// The film's phase state as the electron models see it.
//
// The free-electron blends and the collision rates of several metal models depend on
// the phase of the film's equation of state at the cell (solid, melting, liquid, vapour)
// and, in two-phase states, on the mixture fraction. The session links this record to
// its equation-of-state state once (LinkFilmPhase): the slots then read the film's model
// in force at each call, so a later change of the film's EOS reaches the models without
// a new electron OK (they keep a pointer to the record).
#pragma once

#include <cstdint>
#include <cstdlib>

#include "core/common/Real.h"
#include "core/common/Slot.h"

namespace tarvex {

struct EosState;

struct FilmPhaseSource {
  // The film's EOS is a table set: below each model's TeC its blends follow the table's
  // phase instead of the density window. Linked: the session's flag (FilmTableFlag).
  bool Tabulated = false;
  const bool* TabulatedFlag = nullptr;
  // The film phase code at (rho, T) (solid 1, solid+liquid 2, liquid 3, liquid+gas 4,
  // gas 5, solid+gas 6, further table states above); empty: no phase information (0).
  IntSlot2 Code;
  // The fraction of the first phase of a two-phase code at (rho, T), 0..1 (the solid of
  // "SL" and "SG", the liquid of "LG"); empty: 1.
  Slot2 Mixture;
};

// Links `s` to the film of `eos`: the code of its phase-aware model or table (or, for a
// model with phase predicates only, solid, liquid or gas from them), the table's mixture
// fraction (else the solid or liquid fraction of the model's two-phase states), the
// table flag. `eos` must outlive `s`.
void LinkFilmPhase(FilmPhaseSource& s, const EosState& eos);

// Whether the film's EOS is a table set.
inline bool FilmTabulated(const FilmPhaseSource* s) {
  if (s == nullptr) return false;
  return s->TabulatedFlag != nullptr ? *s->TabulatedFlag : s->Tabulated;
}

// The phase code reduced as the phase predicates reduce it: |code| mod 7 (a metastable
// state counts as its stable one; the further table states 7, 8, 9 as 0, 1, 2).
inline int32_t ReducedPhase(const FilmPhaseSource* s, Real rho, Real T) {
  if (s == nullptr || !s->Code) return 0;
  return std::abs(s->Code(rho, T)) % 7;
}

inline Real MixtureFraction(const FilmPhaseSource* s, Real rho, Real T) {
  if (s == nullptr || !s->Mixture) return 1;
  return s->Mixture(rho, T);
}

}  // namespace tarvex
