// The two-temperature step's safeguard against negative temperatures: a pass whose ions
// cool below zero (here under the work of an enormous pressure on an expanding cell) asks
// whether to repair the cell; the answers repair it, fail the pass, or stop asking.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/laser/LaserSource.h"
#include "core/thermal/Hydro2T.h"
#include "core/thermal/ThermState.h"
#include "support/HydroFixture.h"
#include "support/IdealGasBinding.h"
#include "support/StepLoop.h"
#include "support/ThermalFixture.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

struct NegativeFixture {
  testing::SessionFixture f;
  Session& s = f.s;
  ScriptedPrompter& prompter = f.prompter;

  NegativeFixture() {
    EXPECT_TRUE(BindIdealGasFilm(s.eos, 5.0L / 3, 1));
    testing::BindConstantElectrons(s, {1, 10, 1, 0});
    testing::ThermalLayers g;
    g.nFilm = 3;
    g.filmL = 3;
    EXPECT_TRUE(testing::ThermalGrid(
        s, g, [](Real) { return Real(1); }, SolverClass::Hydro2T));
    testing::SetElectronState(s, [](Real, Real) { return Real(2); });
    // Self: the middle cell expands fast under a pressure far beyond its energy.
    THydrStat& B = *s.StateB;
    B.v[2] = 1;
    B.P[1] = 1e6;
  }

  // One pass from StateA into StateB.
  bool Pass(Real& residual) {
    residual = 0;
    return s.StateB->EnergyStep(*s.StateA, *s.StateA, 1e-2L, s.sim.h0, false, residual, false, 0);
  }
};

bool IsFirstQuestion(const std::string& q) {
  return q.rfind("dt=", 0) == 0 && q.find(" I=1 ") != std::string::npos &&
         IsNegativeTemperatureQuestion(q);
}

TEST(NegativeTemperature, UnansweredQuestionFailsThePass) {
  NegativeFixture x;
  Real residual = 0;
  EXPECT_FALSE(x.Pass(residual));
  EXPECT_EQ(residual, -1);
  ASSERT_EQ(x.prompter.asked.size(), 1u);
  EXPECT_TRUE(IsFirstQuestion(x.prompter.asked[0].text)) << x.prompter.asked[0].text;
  EXPECT_FALSE(x.s.NegativeTNeverAsk);
}

TEST(NegativeTemperature, OkThenYesTakesTheLatestIterate) {
  NegativeFixture x;
  x.prompter.Script("dt=", Answer::Ok);
  x.prompter.Script("Set Ti[I] to It.Ti[I]=", Answer::Yes);
  Real residual = 0;
  x.Pass(residual);
  EXPECT_NE(residual, -1);
  ASSERT_EQ(x.prompter.asked.size(), 2u);
  EXPECT_TRUE(IsNegativeTemperatureQuestion(x.prompter.asked[1].text));
  const THydrStat& B = *x.s.StateB;
  EXPECT_EQ(B.T[1], x.s.StateA->T[1]);  // the repaired cell: Ti of the latest iterate
  for (int32_t i = 0; i < 3; ++i) EXPECT_GT(B.T[i], 0) << i;
}

TEST(NegativeTemperature, OkThenOkTakesTheElectronTemperature) {
  NegativeFixture x;
  x.prompter.Script("dt=", Answer::Ok);
  x.prompter.Script("Set Ti[I] to It.Ti[I]=", Answer::Ok);
  Real residual = 0;
  x.Pass(residual);
  const auto& B = static_cast<const THydro2T&>(*x.s.StateB);
  EXPECT_EQ(B.T[1], B.Te[1]);
}

TEST(NegativeTemperature, NoToAllStopsAsking) {
  NegativeFixture x;
  x.prompter.Script("dt=", Answer::NoToAll);
  Real residual = 0;
  EXPECT_FALSE(x.Pass(residual));
  EXPECT_EQ(residual, -1);
  EXPECT_TRUE(x.s.NegativeTNeverAsk);
  EXPECT_FALSE(x.Pass(residual));
  EXPECT_EQ(residual, -1);
  EXPECT_EQ(x.prompter.asked.size(), 1u);  // the second pass failed without a question
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// An electron model that gives no number above 1000 K (a fit used beyond its range): the
// passes that reach it fail, the step shrinks to its minimum and the run ends in order,
// StateA keeping the last accepted, finite state.
Real NaNAbove1000(const void*, Real, Real Te) {
  return Te > 1000 ? std::numeric_limits<Real>::quiet_NaN() : Real(1e-5L);
}

TEST(TwoTemperatureFaults, ANaNFromTheElectronModelEndsTheRunInOrder) {
  testing::SessionFixture f;
  Session& s = f.s;
  const std::array<Real, 2> gold{5.0L / 3, 196.97L};
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *FindEosModel("ideal_gas_of"), gold));
  testing::BindConstantElectrons(s, {1e-5L, 1e6L, 3e-3L, 0});
  s.electron.model.ElHeatCap = Slot2{&NaNAbove1000, nullptr};
  s.bounds.SetLeftMode(3);
  testing::ThermalLayers g;
  g.nFilm = 20;
  g.filmL = 20e-7L;
  g.rho = 19.3L;
  ASSERT_TRUE(testing::ThermalGrid(
      s, g, [](Real) { return Real(300); }, SolverClass::ThermState));
  testing::SetElectronState(s, [](Real, Real Ti) { return Ti; });
  LaserPulse p;
  p.F = 5;
  p.d = 15;
  p.tau = 100;
  ASSERT_FALSE(SetLaserPulse(s.laser, p).Refused());
  ASSERT_EQ(BuildSourceProfile(s.laser, {s.StateA->x, 0, 1, 0}), SourceStatus::Ok);
  s.sim.SimTime = -300e-15L;
  EXPECT_FALSE(testing::RunUntil(s, 1e-12L, 5e-15L, 1e-15L));
  const auto& A = static_cast<const TThermState&>(*s.StateA);
  for (int32_t i = 0; i < g.nFilm; ++i) {
    EXPECT_TRUE(std::isfinite(A.Te[i]) && A.Te[i] > 0 && A.Te[i] <= 1000) << i;
    EXPECT_TRUE(std::isfinite(A.T[i]) && A.T[i] > 0) << i;
  }
}

}  // namespace
}  // namespace tarvex
