// Small helpers that set up sessions and grids directly (without the dialogs) for the
// hydrodynamics tests and benchmarks.
#pragma once

#include <memory>

#include "core/common/Prompter.h"
#include "core/hydro/HydrStat.h"
#include "core/session/Session.h"
#include "support/IdealGasBinding.h"

namespace tarvex::testing {

struct SessionFixture {
  ScriptedPrompter prompter;
  std::unique_ptr<Session> session = std::make_unique<Session>(prompter);
  Session& s = *session;
};

// Film of ideal gas (dimensionless units, EosScale = 1).
inline void UseIdealGas(Session& s, Real gamma, Real M = 1) {
  BindIdealGasFilm(s.eos, gamma, M);
}

// A uniform grid of N cells on [x0, x0 + L0] at rest, density rho0, temperature T0,
// in geometry Dspc; state filled in all three instances. The mass arrays of curved grids
// describe shells of the grid that starts at the centre, so x0 != 0 with Dspc > 1 only
// suits tests of pure geometry.
inline void UniformGrid(Session& s, int32_t N, Real L0, Real rho0, Real T0, int32_t Dspc = 1,
                        Real x0 = 0) {
  s.EnsureInstances(SolverClass::HydrStat, N);
  SetGrid(s, {N, L0, L0 / N, rho0, rho0, s.sim.InGlass, Dspc});
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= N; ++j) {
      st->x[j] = x0 + j * s.sim.h0;
      st->v[j] = 0;
    }
    for (int32_t i = 0; i < N; ++i) {
      const Real rho = st->Density(i);
      st->T[i] = T0;
      st->E[i] = s.eos.ActiveEos.E(rho, T0);
      st->P[i] = s.eos.ActiveEos.P(rho, T0);
    }
    st->P[N] = s.sim.Pout;
  }
}

// Internal plus kinetic energy of StateA (per unit area, or per unit solid angle on
// curved grids) [kJ/cm2 with a physical equation of state].
inline Real TotalEnergy(const Session& s) {
  const THydrStat& A = *s.StateA;
  const int32_t N = A.CellCount();
  Real internal = 0, kinetic = 0;
  for (int32_t i = 0; i < N; ++i) internal += A.CellMassAt(i) * A.E[i];
  for (int32_t j = 0; j <= N; ++j) kinetic += A.NodeMassAt(j) * A.v[j] * A.v[j] / 2;
  const Real scale2 = s.eos.EosScale * s.eos.EosScale;
  return internal + kinetic / scale2;
}

}  // namespace tarvex::testing
