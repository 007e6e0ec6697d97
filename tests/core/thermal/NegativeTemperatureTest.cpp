// The two-temperature step's safeguard against negative temperatures: a pass whose ions
// cool below zero (here under the work of an enormous pressure on an expanding cell) asks
// whether to repair the cell; the answers repair it, fail the pass, or stop asking.
#include <gtest/gtest.h>

#include <string>

#include "core/thermal/Hydro2T.h"
#include "core/thermal/ThermState.h"
#include "support/HydroFixture.h"
#include "support/IdealGasBinding.h"
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
