// Slot clearing and the phase code of film and left-medium cells.
#include "core/eos/EosSlots.h"

namespace tarvex {

void ClearFilmSlots(EosState& eos) {
  const Slot2 kappa = eos.FilmEos.Kappa;
  eos.FilmEos = EosSet{};
  eos.FilmEos.Kappa = kappa;
  eos.ActiveEos = TActiveEos{};
}

void ClearLeftSlots(EosState& eos) {
  const Slot2 kappa = eos.LeftEos.Kappa;
  eos.LeftEos = EosSet{};
  eos.LeftEos.Kappa = kappa;
}

int32_t ColorFromPredicates(const TActiveEos& active, Real rho, Real T) {
  if (active.HasVapour && active.HasVapour(rho, T)) return kColorGreen;
  if (active.IsMelted && active.IsMelted(rho, T)) return kColorBlue;
  return kColorMaroon;
}

PhaseCode FilmPhaseCode(const EosState& eos, Real rho, Real T, IntSlot2 tablePhase) {
  if (eos.FilmTableFlag) return tablePhase ? tablePhase(rho, T) : kPhaseNone;
  if (eos.FilmEos.PhaseId) return eos.FilmEos.PhaseId(rho, T);
  const TActiveEos& active = eos.ActiveEos;
  if (active.HasVapour) {
    if (active.HasVapour(rho, T)) return kPhaseGas;
    return active.IsMelted && active.IsMelted(rho, T) ? kPhaseLiquid : kPhaseSolid;
  }
  if (active.IsMelted) return active.IsMelted(rho, T) ? kPhaseLiquid : kPhaseSolid;
  if (eos.FilmEos.PhaseColor) {
    switch (eos.FilmEos.PhaseColor(rho, T)) {
      case kColorMaroon:
        return kPhaseSolid;
      case kColorBlue:
        return kPhaseLiquid;
      case kColorGreen:
        return kPhaseGas;
      default:
        return kPhaseNone;
    }
  }
  return kPhaseNone;
}

PhaseCode LeftPhaseCode(const EosState& eos, Real rho, Real T, IntSlot2 tablePhase) {
  if (eos.LeftTableFlag) return tablePhase ? tablePhase(rho, T) : kPhaseNone;
  if (eos.LeftEos.PhaseId) return eos.LeftEos.PhaseId(rho, T);
  return kPhaseNone;
}

}  // namespace tarvex
