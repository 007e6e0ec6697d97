// The main window's "Init/Shift" step after the initial-conditions dialog: the values it
// copies back, the boundary flags, the thermal closures and the instance size.
#pragma once

#include <cstdint>

#include "core/common/Real.h"
#include "core/numerics/Tridiagonal.h"

namespace tarvex {

class Session;
class TInitional;

// The values the main window reads back from the dialog.
struct InitShiftValues {
  int32_t Dimension = 0;  // cells
  Real Len = 0;           // user units
  Real Pout = 0;          // [GPa]
  Real x0shift = 0;       // [cm], minus the substrate thickness (0 without one)
};

// Copies Dimension, Len, Pout and x0shift back; sets the boundary flags from MoveType
// (none selected counts as "P0 = Pout") and the right-end options KeepVL, VPPout (only
// with KeepVL) and VLcoef = VL * EosScale; installs "0 Bound" and "End Bound" into
// `closures` ("T0 =" fixed at T0 / Tq, "T' = 0" mirror, "k = 0" no flux); resizes the
// three instances to Dimension when they exist.
InitShiftValues ApplyInitShift(Session& s, TInitional& dialog, ThermalClosures& closures);

}  // namespace tarvex
