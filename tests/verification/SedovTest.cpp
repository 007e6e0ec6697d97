// Spherical point explosion (Sedov-Taylor): the shock radius against the self-similar
// law R = xi0 (E t^2 / rho)^(1/5), xi0 = 1.0328 for gamma = 1.4.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "support/HydroFixture.h"
#include "support/StepLoop.h"

namespace tarvex {
namespace {

TEST(Sedov, ShockRadiusFollowsTheSelfSimilarLaw) {
  testing::SessionFixture f;
  Session& s = f.s;
  testing::UseIdealGas(s, 1.4L);
  const int32_t N = 200;
  const Real Tcold = 1e-5L;  // background: P = 1e-5, negligible against the blast
  testing::UniformGrid(s, N, 1.0L, 1.0L, Tcold, 3);
  s.bounds.SetLeftMode(2);  // the centre does not move

  // E_total = 1, i.e. 1 / (4 pi) per unit solid angle, into the two innermost cells.
  const Real eOmega = 1 / (4 * std::numbers::pi_v<Real>);
  const Real mass = s.mass.CellMass[0] + s.mass.CellMass[1];
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t i = 0; i < 2; ++i) {
      st->E[i] = eOmega / mass;
      st->T[i] = s.eos.ActiveEos.TofE(st->Density(i), st->E[i]);
      st->P[i] = s.eos.ActiveEos.P(st->Density(i), st->T[i]);
    }
  }
  s.visc.ViscKind = 1;  // "Symm"
  s.visc.ViscCoef = 1;

  // Output intervals that double from 2^-20 tEnd: the minimum step follows the interval
  // end, and the young blast needs steps far below those of the grown one.
  const Real tEnd = 0.25L;
  Real step = 1e-8L;
  for (Real target = tEnd / 1048576; s.sim.SimTime < tEnd; target = std::min(2 * target, tEnd)) {
    const Real dtMax = (target - s.sim.SimTime) / 20;
    ASSERT_TRUE(testing::RunUntil(s, target, dtMax, std::min(step, dtMax)))
        << "stopped at t = " << static_cast<double>(s.sim.SimTime);
  }

  // Shock front: the outermost cell whose density exceeds halfway between the peak and
  // the undisturbed density, interpolated between cell centres.
  const THydrStat& A = *s.StateA;
  Real peak = 0;
  for (int32_t i = 0; i < N; ++i) peak = std::max(peak, A.Density(i));
  const Real half = (peak + 1) / 2;
  int32_t k = N - 1;
  while (k > 0 && A.Density(k) < half) --k;
  const Real r0 = A.CellCentre(k), r1 = A.CellCentre(k + 1);
  const Real d0 = A.Density(k), d1 = A.Density(k + 1);
  const Real radius = r0 + (half - d0) / (d1 - d0) * (r1 - r0);

  const Real expected = 1.0328L * std::pow(1.0L * tEnd * tEnd / 1.0L, 0.2L);
  std::printf("Sedov: shock radius %.4Lf, self-similar %.4Lf, peak density %.3Lf\n", radius,
              expected, peak);
  EXPECT_NEAR(static_cast<double>(radius / expected), 1.0, 0.04);
  // The compression of a strong shock is (gamma + 1) / (gamma - 1) = 6; a viscous
  // front on 200 cells reaches a good part of it.
  EXPECT_GT(peak, 3.0L);
}

}  // namespace
}  // namespace tarvex
