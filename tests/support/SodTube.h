// The Sod shock tube set up directly in a session (no dialogs): two ideal gases with
// gamma 1.4, walls at both ends, for the verification tests and the benchmarks.
#pragma once

#include <cmath>

#include "support/HydroFixture.h"

namespace tarvex::testing {

// Walls at both ends, interface at x = 0.5 on a grid of equal cell masses: the left gas
// (rho 1, P 1) takes 8/9 of the cells, the right gas (rho 0.125, P 0.1) the rest. With
// leftMedium the left gas is a substrate layer with an equation of state of its own (the
// same ideal gas), as in the bundled example.
inline void SetUpSod(Session& s, int32_t N, int32_t viscKind, bool leftMedium = false) {
  UseIdealGas(s, 1.4L);
  const int32_t nLeft = static_cast<int32_t>(std::lround(N * 8.0 / 9.0));
  const Real m = 0.5L / nLeft;  // cell mass per unit area
  if (leftMedium) BindIdealGasLeft(s.eos, 1.4L, 1);
  s.bounds.SetLeftMode(2);  // "v0 = 0"
  s.bounds.KeepVL = true;   // right wall: v_N keeps 0
  s.EnsureInstances(SolverClass::HydrStat, N);
  // Cells of equal mass m: the film density rho0 gives the cell width h0 = m / rho0.
  const Real rho0 = leftMedium ? 0.125L : 1;
  SetGrid(s, {N, 1, m / rho0, rho0, 1, leftMedium ? nLeft : 0, 1});
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    st->x[0] = 0;
    for (int32_t i = 0; i < N; ++i) {
      const bool left = i < nLeft;
      const Real rho = left ? 1.0L : 0.125L;
      const Real P = left ? 1.0L : 0.1L;
      const EosSet& eos = left && leftMedium ? s.eos.LeftEos : s.eos.FilmEos;
      st->x[i + 1] = st->x[i] + m / rho;
      st->T[i] = P / rho;  // P = rho T / M with M = 1
      st->E[i] = eos.E(rho, st->T[i]);
      st->P[i] = P;
    }
    st->v.assign(N + 1, 0);
    st->P[N] = 0;
  }
  s.visc.ViscKind = viscKind;
  s.visc.ViscCoef = 2;
  s.visc.ViscRef = 0;
}

}  // namespace tarvex::testing
