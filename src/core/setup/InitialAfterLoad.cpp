// TInitional in its after-load mode: a loaded profile is adjusted instead of a new state
// being built.
//
// The loaded coordinates and velocities already stand in cm and cm/s (the reader converts
// the file's units), and the loaded cells keep their state: the substrate and the
// electrons are not refilled with the initial values, since that would throw away the
// very state a restart file carries.
#include <algorithm>
#include <cmath>

#include "core/common/NumStringFormat.h"
#include "core/common/Prompter.h"
#include "core/hydro/HydrStat.h"
#include "core/session/Session.h"
#include "core/setup/InitialConditions.h"

namespace tarvex {

void TInitional::BeginAfterLoad() {
  AfterLoadMode = true;
  StatEqButtonVisible = true;
  const SimParams& sp = s_.sim;
  GlassFieldsVisible = sp.InGlass != 0;
  DspcUpDown = sp.Dspc;
  xShiftDiv = std::abs(sp.InGlass);
  CheckOut = sp.InGlass < 0;
}

InitialOkResult TInitional::AfterLoadOk() {
  Session& s = s_;
  SimParams& sp = s.sim;
  InitialOkResult r;
  if (s.StateA == nullptr) {
    AfterLoadMode = false;
    r.message = "No loaded state";
    return r;
  }
  Real len = 0;
  if (!Len.TryGetValue(len) || !(len > 0)) {
    r.focus = "Len";
    return r;
  }
  Real x1 = 0;
  if (!x1Edit.TryGetValue(x1) || x1 == 0) {
    x1Edit.SetValue(1);
    r.focus = "x1Edit";
    return r;
  }
  if (Dimension <= 0) {
    r.focus = "DimensionEdit";
    return r;
  }
  Real rhoNew = 0;
  if (!Rho0.TryGetValue(rhoNew) || !(rhoNew > 0)) {
    r.focus = "Rho0";
    return r;
  }

  // 1. A changed cell count re-initialises the arrays to Div cells.
  if (s.StateA->CellCount() != Dimension) {
    sp.L0 = len * x1;
    s.EnsureInstances(s.stateClass, Dimension);
    sp.h0 = sp.L0 / Dimension;
  }
  const int32_t N = s.StateA->CellCount();

  // 3. Density consistency between the field and the stored rho0.
  const Real stored = sp.rho0;
  if (std::fabs(rhoNew - stored) > 1e-4L * stored) {
    const TNumStringFormat fmt;
    const bool up = rhoNew > stored;
    const Real ratio = up ? rhoNew / stored : stored / rhoNew;
    const Real m = std::round(ratio);
    const bool integral = m >= 2 && std::fabs(ratio - m) <= 1e-3L * m;
    std::string q = "Reset rho0 " + fmt.FormatValue(stored) + " to " + fmt.FormatValue(rhoNew);
    if (integral) q += (up ? " * " : " / ") + fmt.FormatValue(m);
    Real chosen = stored;
    if (s.prompter.Ask(q, {Answer::No, Answer::Ok}) == Answer::Ok) {
      chosen = rhoNew;
    } else if (integral) {
      // The stored density times (or over) the near-integer factor.
      const Real scaled = up ? stored * m : stored / m;
      if (s.prompter.Ask("To Rho_ini " + fmt.FormatValue(scaled), {Answer::No, Answer::Ok}) ==
          Answer::Ok) {
        chosen = scaled;
      }
    }
    Rho0.SetValue(chosen);
    SetFilmDensity(s, chosen);
  }

  // 6. The grid constants of the final values (in curved geometry the masses).
  SetGrid(s, {N, sp.L0, sp.h0, sp.rho0, sp.rho0l, sp.InGlass, sp.Dspc});

  LaserSetup laser;
  laser.Qext = Qext;
  laser.QSurfX = static_cast<Real>(N - std::abs(sp.InGlass)) * sp.h0;
  laser.cellCount = N;
  laser.widthRatio = (sp.Dspc == 1 && sp.InGlass != 0) ? sp.rho0l / sp.rho0 : 0;
  r = FinalSteps(laser, false);
  if (r.accepted) AfterLoadMode = false;
  return r;
}

}  // namespace tarvex
