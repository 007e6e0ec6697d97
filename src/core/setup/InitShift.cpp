// The "Init/Shift" step of the main window after the initial-conditions dialog.
#include "core/setup/InitShift.h"

#include "core/session/Session.h"
#include "core/setup/InitialConditions.h"

namespace tarvex {

InitShiftValues ApplyInitShift(Session& s, TInitional& dialog, ThermalClosures& closures) {
  InitShiftValues out;
  out.Dimension = dialog.Dimension;
  out.Len = dialog.Len.Value();
  out.Pout = dialog.Pout.Value();

  BoundaryFlags& b = s.bounds;
  b.SetLeftMode(dialog.MoveType);
  b.KeepVL = dialog.CheckKeepVL;
  b.VPPout = dialog.CheckKeepVL && dialog.V_PPoutCheck;
  b.VLcoef = dialog.VL.Value() * s.eos.EosScale;

  SetThermalClosures(closures, dialog.Bound0 == kBoundFixedT, dialog.BoundQ == kBoundFixedT,
                     dialog.Tq.Value(), dialog.T0.Value());
  if (dialog.Bound0 == kBoundMirror) SetMirrorClosure(closures, TriSide::First);
  if (dialog.BoundQ == kBoundMirror) SetMirrorClosure(closures, TriSide::Last);

  if (s.StateA != nullptr) s.EnsureInstances(s.stateClass, dialog.Dimension);
  return out;
}

}  // namespace tarvex
