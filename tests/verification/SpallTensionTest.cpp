// Planar tension with a liquid strength limit: a free film of the stretchable medium
// (P = rho - 1, sound speed 1, reduced units) starts at rho = 1 with the velocity profile
// v = a (x - x_mid). Away from its surfaces the film expands homogeneously,
//   rho(t) = 1 / (1 + a t),  P(t) = rho(t) - 1,
// and it stays so until the rarefactions from the two free surfaces arrive; they travel
// the Lagrangian distance  s(t) = integral of rho c dt = ln(1 + a t) / a  into the film.
// With only the p_liq criterion and a constant p_liq, the film first fails when
//   t* = (1/(1 + p_liq) - 1) / a,
// in the cells farther than s(t*) from both surfaces. The criteria are set through the
// spallation dialog's form; the one-temperature class and the moving two-temperature
// class (electrons without pressure) must break there, within one step and one cell, and
// with the test off nothing breaks.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/hydro/IterateStep.h"
#include "core/spall/Spallation.h"
#include "support/HydroFixture.h"
#include "support/StepLoop.h"
#include "support/StretchableMedium.h"
#include "support/ThermalFixture.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

constexpr int32_t kCells = 40;
constexpr Real kLength = 1;     // film thickness (reduced)
constexpr Real kA = 0.5L;       // velocity gradient a (reduced 1/time)
constexpr Real kPliq = -0.05L;  // liquid strength (reduced pressure)
constexpr Real kStep = 0.002L;  // largest step
constexpr Real kH = kLength / kCells;

// The failure criteria as a person sets them: tau_nucl off, p_liq on with a constant
// limit, OK.
TSpallParams LiquidLimitThroughTheDialog() {
  TSpallation d;
  const TSpallMaterialEnv env;  // p_liq alone needs nothing of the material
  EXPECT_TRUE(d.SetCheck("CheckNucl", false));
  EXPECT_TRUE(d.SetCheck("CheckPliq", true));
  for (const auto& [field, text] : {std::pair{"Pliq0Edit", "-0.05"}, std::pair{"PliqTEdit", "0"},
                                    std::pair{"PliqT2Edit", "0"}}) {
    d.FieldByName(field)->SetText(text);
    EXPECT_TRUE(d.LeaveField(field, env)) << field;
  }
  TSpallParams sp;
  const TSpallResult r = d.Validate(env, sp);
  EXPECT_TRUE(r) << r.message;
  return sp;
}

void StretchedFilm(Session& s, SolverClass cls) {
  testing::BindStretchable(s.eos);
  if (cls == SolverClass::Hydro2T) {
    // Electrons with a small heat capacity and no pressure, strongly coupled: the ions
    // carry the whole pressure, as in one temperature.
    testing::BindConstantElectrons(s, {0.01L, 100, 0, 0});
  }
  testing::ThermalLayers g;
  g.nFilm = kCells;
  g.filmL = kLength;
  ASSERT_TRUE(testing::ThermalGrid(
      s, g, [](Real) { return Real(1); }, cls));
  if (cls == SolverClass::Hydro2T) testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= kCells; ++j) st->v[j] = kA * (st->x[j] - kLength / 2);
  }
}

struct FirstFailure {
  Real before = -1;  // time at the start of the step in which cells first failed
  Real after = -1;   // and at its end
  std::vector<int32_t> cells;
};

// Steps until cells fail or tEnd; the failed cells of the first step that has any.
FirstFailure RunToFirstFailure(Session& s, Real tEnd) {
  FirstFailure out;
  s.sim.Running = true;
  s.sim.dtMax = kStep;
  Real step = kStep;
  while (s.sim.SimTime < tEnd && s.sim.Running) {
    const Real before = s.sim.SimTime;
    AdvanceStep(s, s.sim.SimTime, step, false, tEnd);
    if (!s.tension.Exists()) continue;
    for (int32_t i = 0; i < kCells; ++i) {
      if (s.tension.Failed(i)) out.cells.push_back(i);
    }
    if (!out.cells.empty()) {
      out.before = before;
      out.after = s.sim.SimTime;
      return out;
    }
  }
  return out;
}

class SpallTension : public ::testing::TestWithParam<SolverClass> {};

TEST_P(SpallTension, FirstCellsFailWhereAndWhenTheTensionReachesTheLiquidStrength) {
  testing::SessionFixture f;
  Session& s = f.s;
  StretchedFilm(s, GetParam());
  if (HasFatalFailure()) return;
  s.spall = LiquidLimitThroughTheDialog();
  s.SpallOn = true;

  const Real tStar = (1 / (1 + kPliq) - 1) / kA;
  const Real reach = std::log(1 + kA * tStar) / kA;  // rarefaction front from each surface
  const FirstFailure first = RunToFirstFailure(s, 3 * tStar);
  ASSERT_FALSE(first.cells.empty()) << "nothing failed up to " << static_cast<double>(3 * tStar);
  // When: the step that crosses t*, give or take one step.
  const Real step = first.after - first.before;
  EXPECT_GT(first.after, tStar - step) << "failed early: t* = " << static_cast<double>(tStar);
  EXPECT_LT(first.before, tStar + step) << "failed late: t* = " << static_cast<double>(tStar);
  // Where: every cell clear of both rarefactions by more than a cell, and none that the
  // rarefactions reached by more than a cell.
  std::vector<bool> failed(kCells, false);
  for (int32_t i : first.cells) failed[static_cast<size_t>(i)] = true;
  for (int32_t i = 0; i < kCells; ++i) {
    const Real centre = (i + 0.5L) * kH;
    const Real fromSurface = std::min(centre, kLength - centre);
    if (fromSurface > reach + kH) {
      EXPECT_TRUE(failed[static_cast<size_t>(i)]) << "cell " << i;
    }
    if (fromSurface < reach - kH) {
      EXPECT_FALSE(failed[static_cast<size_t>(i)]) << "cell " << i;
    }
  }
  // A failed cell carries no tension.
  for (int32_t i : first.cells) EXPECT_GE(s.StateA->P[i], 0) << "cell " << i;
}

TEST_P(SpallTension, WithTheTestOffNothingFails) {
  testing::SessionFixture f;
  Session& s = f.s;
  StretchedFilm(s, GetParam());
  if (HasFatalFailure()) return;
  s.spall = LiquidLimitThroughTheDialog();  // criteria set, the test switched off
  s.SpallOn = false;
  const Real tStar = (1 / (1 + kPliq) - 1) / kA;
  const FirstFailure first = RunToFirstFailure(s, 2 * tStar);
  EXPECT_TRUE(first.cells.empty());
  EXPECT_FALSE(s.tension.Exists());
  // The middle of the film is stretched beyond the strength it would have failed at, as
  // the homogeneous expansion says.
  const Real P = s.StateA->P[kCells / 2];
  EXPECT_LT(P, kPliq);
  EXPECT_NEAR(static_cast<double>(P), static_cast<double>(1 / (1 + kA * s.sim.SimTime) - 1), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Classes, SpallTension,
                         ::testing::Values(SolverClass::HydrTherm, SolverClass::Hydro2T),
                         [](const ::testing::TestParamInfo<SolverClass>& i) {
                           return std::string(i.param == SolverClass::HydrTherm ? "OneT" : "TwoT");
                         });

}  // namespace
}  // namespace tarvex
