// The main window's "&Init/Shift" and "Vis" round trips between the forms.
#include "core/run/AppModel.h"

#include <cmath>
#include <cstdlib>

namespace tarvex {

void AppModel::PrepareInitialDialog() {
  initial.Len.SetValue(main.Len.Value());
  initial.x1Edit.SetValue(main.x1Edit.Value());
  initial.Dimension = main.Dimension;
  initial.Rho0.SetValue(main.Rho0.Value());
  initial.Pout.SetValue(main.Pout.Value());
  const SimParams& sp = session.sim;
  initial.xShiftDiv = std::abs(sp.InGlass);
  initial.CheckOut = sp.InGlass < 0;
  const Real x1 = main.x1Edit.Value();
  if (sp.InGlass != 0 && x1 != 0) initial.x0Shift.SetValue(std::fabs(sp.x0shift) / x1);
}

void AppModel::FinishInitialDialog() {
  const InitShiftValues v = ApplyInitShift(session, initial, session.closures);
  main.SetDimension(v.Dimension);
  main.Len.SetValue(v.Len);
  main.x1Edit.SetValue(initial.x1Edit.Value());
  main.Rho0.SetValue(initial.Rho0.Value());
  main.Pout.SetValue(v.Pout);
  session.sim.x0shift = v.x0shift;
  main.EosInfo = eos.InfoLabel();
  main.CalculateEnabled = session.StateA != nullptr;
  main.TotalTime.SetValue(session.sim.SimTime);
}

ViscosityDialogResult AppModel::ApplyViscosityDialog() {
  const ViscosityDialogResult r = viscosity.Ok(session.visc, session.eos.EosScale, session.StateA);
  if (r.accepted) main.Vis = session.visc.ViscKind != ViscNo;
  return r;
}

}  // namespace tarvex
