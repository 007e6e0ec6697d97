// Artificial viscosity: the viscosity state of a session and the driving-pressure stage
// that fills the pressure array of a work instance before the velocity step of a pass.
//
// The driving pressure is a time-centred mix of the old level (Old, the accepted state)
// and the latest iterate (Third); in compressed cells a quadratic viscous pressure
// Cq rho D^2 spreads shocks over a few cells. D is the velocity jump across a cell
// [cm/s], rho its density [g/cm3]; Cq is stored divided by EosScale^2, so that
// Cq rho D^2 comes out in the pressure unit of the equation of state [GPa].
#pragma once

#include <cstdint>

#include "core/common/Real.h"

namespace tarvex {

struct SimParams;
class THydrStat;

// The viscosity kinds, in the order of the items of the dialog's radio group.
constexpr int32_t ViscNo = 0;       // centred pressure only
constexpr int32_t ViscSymm = 1;     // viscous term spread as half a second difference
constexpr int32_t ViscLoc = 2;      // compressed cells and their immediate neighbours
constexpr int32_t ViscLimOnly = 3;  // the compressed cells alone

struct ViscosityState {
  int32_t ViscKind = ViscNo;  // 0..3; also the tag of the Vis button
  Real ViscCoef = 0;          // Cq / EosScale^2 [GPa / (g/cm3 (cm/s)^2)]
  Real ViscRef = 0;           // reference velocity jump [cm/s], <= 0 in practice
};

// The centred pressure A = 3/4 Third.P + 1/4 Old.P that drives the nodes of every kind but
// "Symm" (which takes equal weights). The weight of the new level must exceed 1/2: the
// velocity update uses A while the coordinates move with the trapezoidal mean of the old
// and new velocities, and for a short sound wave with a = (c dt k)^2 the two roots of the
// amplification of that pair have the product (1 + (1 - w) a / 2) / (1 + w a / 2) for the
// new-level weight w. With w = 1/4 it exceeds 1 at every step length (noise on a gas at
// rest grows into a cell-to-cell zigzag); with w = 3/4 short waves are damped, and a long
// wave of wave number k loses amplitude only at the rate (c k)^2 dt / 8 per unit time.
constexpr Real CentringNewWeight = 0.75L;
inline Real CentredPressure(Real Pthird, Real Pold) {
  return CentringNewWeight * Pthird + (1 - CentringNewWeight) * Pold;
}

// A cell is compressed beyond the threshold when D < Theta = 0.3 * ViscRef.
constexpr Real ViscThresholdFactor = 0.3L;
inline Real ViscThreshold(const ViscosityState& vs) {
  return ViscThresholdFactor * vs.ViscRef;
}

// Tells whether cell i of the old state is broken: a spalled cell of a two-temperature
// class whose pressure sits at its stored fracture pressure. The "Loc" kind excludes
// such cells like layer boundaries. Empty (no cell is broken) for the classes without
// fracture; the class that has it binds `params` to what its test needs.
struct BrokenCellSlot {
  bool (*fn)(const void* params, const THydrStat& Old, int32_t i) = nullptr;
  const void* params = nullptr;

  bool operator()(const THydrStat& Old, int32_t i) const { return fn(params, Old, i); }
  explicit operator bool() const { return fn != nullptr; }
};

// The driving-pressure stage of one pass: writes Self.P[0..N-1] by the kind in vs,
// Self.P[N] := the current outer pressure (the ramp is applied first when it is on) and
// replaces vs.ViscRef by the candidate of the active kind; on curved grids also
// Self.Qvisc, the viscous part of Self.P. Reads D and rho of Third,
// the pressures of Old and Third, the layer boundaries from sim.InGlass. Self must be
// a different instance from Old and Third. Works on every grid with N >= 1 cells and
// allocates nothing. An unknown kind acts as "No".
void DrivingPressure(ViscosityState& vs, SimParams& sim, THydrStat& Self, const THydrStat& Old,
                     const THydrStat& Third, BrokenCellSlot broken = {});

// Before every step while the kind is "No": ViscRef relaxes towards 0 by 0.9, so that a
// kind switched on later starts from a threshold near the current flow. "LimOnly" relaxes
// the same way: its reference can only fall within a pass, and after a strong start-up
// compression later, weaker shocks stayed below the threshold, got no viscosity and ended
// the run (or took 30 times the steps of "Loc").
constexpr Real ViscRefRelax = 0.9L;
inline void ApplyViscosityRelax(ViscosityState& vs) {
  if (vs.ViscKind == ViscNo || vs.ViscKind == ViscLimOnly) vs.ViscRef *= ViscRefRelax;
}

// Before every step: while the Vis button is up the run goes without viscosity.
inline void ForceNoViscosity(ViscosityState& vs, bool visButtonDown) {
  if (!visButtonDown) vs.ViscKind = ViscNo;
}

}  // namespace tarvex
