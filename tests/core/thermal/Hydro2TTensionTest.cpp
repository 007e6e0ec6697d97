// The moving two-temperature class under tension: a film expanding from its middle is
// stretched; with spallation on, its cells count their tension time and fail at the
// strength limit, after which they carry no tension (their ion pressure released).
#include <gtest/gtest.h>

#include "core/thermal/Hydro2T.h"
#include "support/HydroFixture.h"
#include "support/StepLoop.h"
#include "support/StretchableMedium.h"
#include "support/ThermalFixture.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

TEST(Hydro2TTension, StretchedCellsFailAtTheStrengthLimitAndLetGo) {
  testing::SessionFixture f;
  Session& s = f.s;
  testing::BindStretchable(s.eos);  // the lattice
  // Electrons with a small heat capacity and no pressure, strongly coupled.
  testing::BindConstantElectrons(s, {0.01L, 100, 0, 0});
  testing::ThermalLayers g;
  g.nFilm = 20;
  ASSERT_TRUE(testing::ThermalGrid(
      s, g, [](Real) { return Real(1); }, SolverClass::Hydro2T));
  testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= 20; ++j) st->v[j] = 0.5L * (st->x[j] - 0.5L);
  }
  s.SpallOn = true;
  s.spall.CheckPliq = true;
  s.spall.Pliq0 = -0.05L;
  ASSERT_TRUE(testing::RunUntil(s, 0.05L, 0.005L, 0.005L));
  ASSERT_TRUE(s.tension.Exists());
  const auto& A = static_cast<const THydro2T&>(*s.StateA);
  for (int32_t i = 1; i < 19; ++i) {
    EXPECT_LT(A.P[i], 0) << i;  // stretched and holding
    EXPECT_GT(s.tension[i], 0) << i;
  }
  ASSERT_TRUE(testing::RunUntil(s, 0.3L, 0.005L, 0.005L));
  int32_t failed = 0;
  for (int32_t i = 0; i < 20; ++i) {
    EXPECT_GT(A.T[i], 0) << i;
    EXPECT_GT(A.Te[i], 0) << i;
    if (!s.tension.Failed(i)) continue;
    ++failed;
    EXPECT_GE(A.Pi[i], 0) << i;  // a failed cell carries no tension
    EXPECT_EQ(A.P[i], A.Pe[i] + A.Pi[i]) << i;
  }
  EXPECT_GT(failed, 10);
}

}  // namespace
}  // namespace tarvex
