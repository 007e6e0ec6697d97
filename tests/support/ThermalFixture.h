// Planar grids of the one-temperature conduction class set up directly (without the
// dialogs): a substrate layer of nSub cells left of a film of nFilm cells, cells of equal
// mass, every cell at the temperature a function of its centre gives, at rest.
#pragma once

#include <functional>

#include "core/common/Slot.h"
#include "core/hydro/HydrStat.h"
#include "core/session/Session.h"

namespace tarvex::testing {

// A constant conductivity [kW/cm/K] (or any constant) as a two-argument slot.
inline Real ConstantSlotValue(const void* p, Real, Real) {
  return *static_cast<const Real*>(p);
}
inline Slot2 ConstantSlot(const Real& value) {
  return Slot2{&ConstantSlotValue, &value};
}

struct ThermalLayers {
  int32_t nSub = 0;     // substrate cells, left of the film
  int32_t nFilm = 100;  // film cells
  Real filmL = 1;       // film thickness [cm]
  Real rho = 1;         // film density [g/cm3]
  Real rhoSub = 1;      // substrate density [g/cm3]
  Real x0 = 0;          // left end of the grid [cm]
};

// Builds instances of `cls` (THydrTherm unless said otherwise) on the layers with T(x_centre); E
// and P from the medium's equation of state (the substrate's LeftEos when it is bound).
inline bool ThermalGrid(Session& s, const ThermalLayers& g, const std::function<Real(Real)>& T0,
                        SolverClass cls = SolverClass::HydrTherm) {
  const int32_t N = g.nSub + g.nFilm;
  if (!s.EnsureInstances(cls, N)) return false;
  const Real h0 = g.filmL / g.nFilm;
  SetGrid(s, {N, N * h0, h0, g.rho, g.rhoSub, g.nSub, 1});
  const Real hSub = h0 * g.rho / g.rhoSub;  // equal cell masses
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    Real xj = g.x0;
    for (int32_t j = 0; j <= N; ++j) {
      st->x[j] = xj;
      st->v[j] = 0;
      if (j < N) xj += j < g.nSub ? hSub : h0;
    }
    for (int32_t i = 0; i < N; ++i) {
      const bool sub = i < g.nSub;
      const Slot2& E = sub ? s.eos.LeftEos.E : s.eos.ActiveEos.E;
      const Slot2& P = sub ? s.eos.LeftEos.P : s.eos.ActiveEos.P;
      const Real rho = st->Density(i);
      st->T[i] = T0(st->CellCentre(i));
      st->E[i] = E(rho, st->T[i]);
      st->P[i] = P(rho, st->T[i]);
    }
    st->P[N] = s.sim.Pout;
  }
  return true;
}

}  // namespace tarvex::testing
