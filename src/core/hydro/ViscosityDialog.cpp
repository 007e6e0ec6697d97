// The "Artifical Viscosity" dialog's form model.
#include "core/hydro/ViscosityDialog.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/hydro/HydrStat.h"

namespace tarvex {

namespace {

constexpr std::string_view kViscMult = "ViscMult";
constexpr std::string_view kViscType = "ViscType";

// min(0, smallest velocity jump of the state) [cm/s]; 0 without a state.
Real InitialViscRef(const THydrStat* state) {
  Real ref = 0;
  if (state == nullptr) return ref;
  const int32_t N = state->CellCount();
  for (int32_t k = 0; k < N; ++k) ref = std::min(ref, state->VelocityJump(k));
  return ref;
}

ViscosityDialogResult Refuse(std::string_view field) {
  return ViscosityDialogResult{false, field, 0};
}

}  // namespace

void TViscosityDialogModel::Open(const ViscosityState& vs, Real EosScale) {
  if (vs.ViscCoef != 0) {
    ViscMult.SetValue(vs.ViscCoef * EosScale * EosScale);
    ViscType = std::max(vs.ViscKind, ViscSymm);
  } else {
    ViscMult.SetValue(1);
    ViscType = vs.ViscKind == ViscNo ? ViscLoc : vs.ViscKind;
  }
}

ViscosityDialogResult TViscosityDialogModel::Ok(ViscosityState& vs, Real EosScale,
                                                const THydrStat* StateA) {
  Real mult = 0;
  if (!ViscMult.TryGetValue(mult) || !std::isfinite(mult) || mult < 0) return Refuse(kViscMult);
  // EosScale is 0 until an equation of state is chosen: there is no unit to scale by.
  if (!(EosScale > 0) || !std::isfinite(EosScale)) return Refuse(kViscMult);
  if (ViscType < ViscNo || ViscType > ViscLimOnly) return Refuse(kViscType);

  vs.ViscCoef = mult / (EosScale * EosScale);
  if (vs.ViscCoef != 0) {
    if (vs.ViscKind == ViscNo && ViscType > ViscNo) vs.ViscRef = InitialViscRef(StateA);
    vs.ViscKind = ViscType;
  } else {
    vs.ViscKind = ViscNo;
  }
  return ViscosityDialogResult{true, {}, vs.ViscKind};
}

}  // namespace tarvex
