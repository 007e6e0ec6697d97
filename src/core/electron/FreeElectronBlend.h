// Blends of a solid-state electron model with the free-electron gas (the transition-metal
// and tantalum frames).
//
// With d = rho s(rho/rho_md) and x = rho VeC:
// - the table case (film EOS tabulated and Te < TeC) follows the film's phase at
//   (rho, Te): liquid+gas mixes the solid-state and the free-electron parts with the
//   mixture fraction m, gas and solid+gas have no electron part, any other phase is the
//   solid-state model;
// - otherwise a density window: the solid-state model from x = 2 on, nothing up to
//   x = 1, linear energy weights (x - 1, 2 - x) and a weighted harmonic mean of the two
//   pressures (weight x - 1, never above the solid-state pressure) in between.
//
// A model supplies its solid-state part as four free functions overloaded on its
// parameter block P (which holds a BlendParams named `blend`):
//   SolidEe(p, rho, Te) [kJ/g], SolidCe = dSolidEe/dTe [kJ/g/K],
//   SolidPe(p, rho, Te) [GPa],  SolidPeDT = dSolidPe/dTe [GPa/K].
// The blended heat capacity and dPe/dTe are the Te-derivatives of the blended energy and
// pressure (the weights and m taken as constant in Te).
#pragma once

#include <cstdint>

#include "core/common/Real.h"
#include "core/electron/FilmPhase.h"
#include "core/electron/FreeElectronGas.h"

namespace tarvex {

struct BlendParams {
  FegParams feg;
  Real TeC = 0;                            // below it a tabulated film decides by phase [K]
  Real TeHalf = 0;                         // TeC/2 [K]
  Real VeC = 0;                            // specific volume placing the window [cm3/g]
  const FilmPhaseSource* phase = nullptr;  // the film's phase (owned by the session)
};

// Ee = wS SolidEe(dS, Te) + wF FegEnergy(rho, Te) (and Ce likewise).
struct EnergyBlend {
  Real wS = 0;
  Real wF = 0;
  Real dS = 0;
};

// Pe = 0 (kind Zero), SolidPe(d, Te) (kind Solid), or min(Ps, H) with
// 1/H = w/Ps + (1 - w)/Pf, Ps = SolidPe(d, Te), Pf = f(Te) FegPressure(rho, Te).
struct PressureBlend {
  enum Kind : uint8_t { Zero, Solid, Harmonic };
  Kind kind = Zero;
  Real w = 0;
  Real d = 0;
  Real f = 1;   // switch of the free-electron pressure in thin liquid-gas states
  Real df = 0;  // df/dTe [1/K]
};

// d = rho s(rho/rho_md) (rho when rho_md = 0) [g/cm3].
Real BlendDensity(const BlendParams& b, Real rho);
EnergyBlend EnergyWeights(const BlendParams& b, Real rho, Real Te);
PressureBlend PressureWeights(const BlendParams& b, Real rho, Real Te);

template <class P>
Real BlendEe(const P& p, Real rho, Real Te) {
  const EnergyBlend e = EnergyWeights(p.blend, rho, Te);
  Real Ee = 0;
  if (e.wS != 0) Ee += e.wS * SolidEe(p, e.dS, Te);
  if (e.wF != 0) Ee += e.wF * FegEnergy(p.blend.feg, rho, Te);
  return Ee;
}

template <class P>
Real BlendCe(const P& p, Real rho, Real Te) {
  const EnergyBlend e = EnergyWeights(p.blend, rho, Te);
  Real Ce = 0;
  if (e.wS != 0) Ce += e.wS * SolidCe(p, e.dS, Te);
  if (e.wF != 0) Ce += e.wF * FegHeatCap(p.blend.feg, rho, Te);
  return Ce;
}

// The blended pressure and, with `dPdT`, its Te-derivative.
template <class P>
Real BlendPressure(const P& p, Real rho, Real Te, Real* dPdT) {
  const PressureBlend b = PressureWeights(p.blend, rho, Te);
  if (dPdT != nullptr) *dPdT = 0;
  if (b.kind == PressureBlend::Zero) return 0;
  const Real Ps = SolidPe(p, b.d, Te);
  if (b.kind == PressureBlend::Solid) {
    if (dPdT != nullptr) *dPdT = SolidPeDT(p, b.d, Te);
    return Ps;
  }
  const Real Pf = b.f * FegPressure(p.blend.feg, rho, Te);
  if (!(Ps > 0 && Pf > 0)) return 0;  // a harmonic mean with a zero part is zero
  const Real A = b.w / Ps + (1 - b.w) / Pf;
  const Real H = 1 / A;
  if (Ps <= H) {
    if (dPdT != nullptr) *dPdT = SolidPeDT(p, b.d, Te);
    return Ps;
  }
  if (dPdT != nullptr) {
    const Real dPs = SolidPeDT(p, b.d, Te);
    const Real dPf =
        b.f * FegPressureDT(p.blend.feg, rho, Te) + b.df * FegPressure(p.blend.feg, rho, Te);
    *dPdT = (b.w * dPs / (Ps * Ps) + (1 - b.w) * dPf / (Pf * Pf)) * (H * H);
  }
  return H;
}

template <class P>
Real BlendPe(const P& p, Real rho, Real Te) {
  return BlendPressure(p, rho, Te, nullptr);
}

template <class P>
Real BlendPeDT(const P& p, Real rho, Real Te) {
  Real dPdT = 0;
  BlendPressure(p, rho, Te, &dPdT);
  return dPdT;
}

}  // namespace tarvex
