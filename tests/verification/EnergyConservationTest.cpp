// In a closed box the scheme conserves internal plus kinetic energy to round-off: the
// energy equation uses the same driving pressure and the same time-centred velocities
// as the momentum equation, so the work terms cancel by summation by parts.
#include <gtest/gtest.h>

#include <cmath>

#include "support/HydroFixture.h"
#include "support/StepLoop.h"

namespace tarvex {
namespace {

using testing::TotalEnergy;

TEST(EnergyConservation, ClosedBoxKeepsTotalEnergy) {
  for (int32_t kind : {0, 1}) {  // "No", "Symm"
    testing::SessionFixture f;
    Session& s = f.s;
    testing::UseIdealGas(s, 5.0L / 3);
    const int32_t N = 100;
    testing::UniformGrid(s, N, 1.0L, 1.0L, 1.0L);
    s.bounds.SetLeftMode(2);
    s.bounds.KeepVL = true;
    // A smooth pressure bump that launches waves towards both walls.
    for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
      for (int32_t i = 0; i < N; ++i) {
        const Real xc = st->CellCentre(i);
        st->T[i] = 1 + 0.5L * std::exp(-(xc - 0.4L) * (xc - 0.4L) / 0.005L);
        st->E[i] = s.eos.ActiveEos.E(st->Density(i), st->T[i]);
        st->P[i] = s.eos.ActiveEos.P(st->Density(i), st->T[i]);
      }
    }
    s.visc.ViscKind = kind;
    s.visc.ViscCoef = 1;
    const Real before = TotalEnergy(s);
    testing::LoopStats stats;
    ASSERT_TRUE(testing::RunUntil(s, 0.5L, 0.002L, 0.0005L, &stats));
    const Real after = TotalEnergy(s);
    EXPECT_GT(stats.accepted, 100);
    // Kinetic energy was really exchanged.
    Real kinetic = 0;
    for (Real vj : s.StateA->v) kinetic += vj * vj;
    EXPECT_GT(kinetic, 1e-6L);
    EXPECT_NEAR(static_cast<double>((after - before) / before), 0.0, 1e-14) << "kind " << kind;
  }
}

}  // namespace
}  // namespace tarvex
