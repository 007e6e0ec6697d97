// Slot clearing, composed slots, the medium record and the phase code of film and
// left-medium cells.
#include "core/eos/EosSlots.h"

#include <limits>

#include "core/eos/EosCatalog.h"

namespace tarvex {

Real EosMediumRecord::Value(std::string_view name) const {
  if (model != nullptr) {
    for (size_t i = 0; i < model->params.size() && i < values.size(); ++i) {
      if (name == model->params[i].name) return values[i];
    }
  }
  return std::numeric_limits<Real>::quiet_NaN();
}

Real SlotSum(const SlotPair& s, Real rho, Real x) {
  return s.a(rho, x) + s.b(rho, x);
}

Real SlotDifference(const SlotPair& s, Real rho, Real x) {
  return s.a(rho, x) - s.b(rho, x);
}

Real FreeElectronPressureDT(const ElectronPressureDT& s, Real rho, Real T) {
  return 2 * rho * s.ElHeatCap(rho, T) / 3;
}

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
  if (eos.FilmTableFlag) {
    if (tablePhase) return tablePhase(rho, T);
    return eos.FilmEos.PhaseId ? eos.FilmEos.PhaseId(rho, T) : kPhaseNone;
  }
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
  if (eos.LeftTableFlag && tablePhase) return tablePhase(rho, T);
  if (eos.LeftEos.PhaseId) return eos.LeftEos.PhaseId(rho, T);
  return kPhaseNone;
}

}  // namespace tarvex
