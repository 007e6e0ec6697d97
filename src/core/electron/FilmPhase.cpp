// The film's phase read from the session's equation of state.
#include "core/electron/FilmPhase.h"

#include "core/eos/EosSlots.h"
#include "core/eos/EosTableLookup.h"

namespace tarvex {

namespace {

int32_t LinkedCode(const EosState& eos, Real rho, Real T) {
  return FilmPhaseCode(eos, rho, T);
}

// The fraction of the first phase: the table's own, else the model's solid fraction in
// the solid-liquid and solid-gas states and its liquid fraction in the liquid-gas state.
Real LinkedMixture(const EosState& eos, Real rho, Real T) {
  if (eos.FilmTableFlag && eos.Film.table && eos.Film.block) {
    return TableMixture(eos.Film.block.As<TEosTableParams>(), rho, T);
  }
  const TActiveEos& a = eos.ActiveEos;
  switch (PhaseReduced(FilmPhaseCode(eos, rho, T))) {
    case 2:
    case 6:
      return a.SolidFraction ? a.SolidFraction(rho, T) : Real(1);
    case 4:
      return a.LiquidFraction ? a.LiquidFraction(rho, T) : Real(1);
    default:
      return 1;
  }
}

}  // namespace

void LinkFilmPhase(FilmPhaseSource& s, const EosState& eos) {
  s.Code = MakeIntSlot<EosState, &LinkedCode>(eos);
  s.Mixture = MakeSlot<EosState, &LinkedMixture>(eos);
  s.TabulatedFlag = &eos.FilmTableFlag;
}

}  // namespace tarvex
