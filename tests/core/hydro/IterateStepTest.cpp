// Step-size control of the iterated step: growth after easy steps, the two halves at
// the interval end, failure handling at the minimum step, arithmetic faults, and the
// iteration trace.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>

#include "core/hydro/IterateStep.h"
#include "core/hydro/Viscosity.h"
#include "support/HydroFixture.h"
#include "support/StepLoop.h"

namespace tarvex {
namespace {

using testing::SessionFixture;

struct RecordingSink : TraceSink {
  std::string text;
  void Append(std::string_view t) override { text += t; }
};

// Uniform gas at rest under an outer pressure equal to its own: an equilibrium. With 16
// cells the node coordinates are exact binary fractions, so the state is at rest to the
// last bit. T sets the pressure P = T: the step bound of the sound speed is 0.5 h / c =
// 0.019 at T = 2, and far above every step of these tests at T = 2^-40.
void Equilibrium(Session& s, int32_t N = 16, Real T = 2) {
  testing::UseIdealGas(s, 1.4L);
  s.sim.Pout = T;
  testing::UniformGrid(s, N, 1.0L, 1.0L, T);
}
constexpr Real kCold = 0x1p-40L;

TEST(AdvanceStep, EquilibriumConvergesAtOnceAndTheStepGrowsBy27) {
  SessionFixture f;
  Session& s = f.s;
  Equilibrium(s);
  s.sim.Running = true;
  s.sim.dtMax = 0.02L;  // below the sound crossing time of a cell (0.037)
  Real step = 0.005L;
  AdvanceStep(s, s.sim.SimTime, step, false, 100);
  EXPECT_EQ(s.conv.IterCount, 0);
  EXPECT_EQ(s.sim.SimTime, 0.005L);
  EXPECT_NEAR(static_cast<double>(step), 0.0135, 1e-15);
  // Growth is capped by dtMax.
  for (int k = 0; k < 6; ++k) {
    AdvanceStep(s, s.sim.SimTime, step, false, 100);
    EXPECT_EQ(s.conv.IterCount, 0);
  }
  EXPECT_EQ(step, 0.02L);
  EXPECT_TRUE(s.sim.Running);
  EXPECT_TRUE(f.prompter.asked.empty());
}

TEST(AdvanceStep, IntervalEndIsReachedInTwoHalves) {
  SessionFixture f;
  Session& s = f.s;
  Equilibrium(s, 16, kCold);
  s.sim.Running = true;
  s.sim.dtMax = 1;
  Real step = 0.4L;
  // The rest (0.6) lies between 0.9 and 2 steps: two halves of 0.3.
  AdvanceStep(s, s.sim.SimTime, step, false, 0.6L);
  EXPECT_EQ(s.sim.SimTime, 0.3L);
  EXPECT_EQ(step, 0.4L);  // the step itself is not grown near the end
  AdvanceStep(s, s.sim.SimTime, step, false, 0.6L);
  EXPECT_EQ(s.sim.SimTime, 0.6L);  // exactly the interval end
}

// Nodes driven into each other faster than any allowed step can resolve.
void Colliding(Session& s) {
  Equilibrium(s, 10);
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    st->v[4] = 1e6;
    st->v[5] = -1e6;
  }
}

TEST(AdvanceStep, FoldingAtTheMinimumStepStopsTheRunWithoutAQuestion) {
  SessionFixture f;
  Session& s = f.s;
  Colliding(s);
  s.sim.Running = true;
  s.sim.dtMax = 0.1L;
  Real step = 0.05L;
  testing::LoopStats stats;
  EXPECT_FALSE(testing::RunUntil(s, 1, 0.1L, step, &stats));
  EXPECT_FALSE(s.sim.Running);
  EXPECT_EQ(s.sim.SimTime, 0);
  EXPECT_EQ(stats.accepted, 0);
  EXPECT_TRUE(f.prompter.asked.empty());
  // StateA still holds the initial state.
  EXPECT_EQ(s.StateA->v[4], 1e6L);
  EXPECT_EQ(s.StateA->x[4], 0.4L);
}

TEST(AdvanceStep, FailedStepIsHalvedAndTraced) {
  SessionFixture f;
  Session& s = f.s;
  Colliding(s);
  RecordingSink sink;
  s.conv.trace = &sink;
  s.sim.Running = true;
  s.sim.dtMax = 1;
  Real step = 0.01L;  // well above the minimum step 0.001
  AdvanceStep(s, s.sim.SimTime, step, false, 10);
  EXPECT_EQ(step, 0.005L);
  EXPECT_EQ(s.sim.SimTime, 0);
  EXPECT_TRUE(s.sim.Running);
  // The predictor folded: lines T5 and T6, byte for byte in their layouts.
  const std::string expectT5 = " It. 1 t 0.00000E+00 + 1.000E-02\r\n";
  ASSERT_EQ(sink.text.substr(0, expectT5.size()), expectT5);
  const std::string t6 = sink.text.substr(expectT5.size());
  const std::string num8 = "[ -]\\d\\.\\dE[+-]\\d\\d";
  const std::string num12 = "[ -]\\d\\.\\d{5}E[+-]\\d\\d";
  const std::regex layout("V " + num8 + "/" + num8 + " x " + num8 + "/" + num8 + " T " + num8 +
                          "/" + num8 + " E " + num8 + "/" + num8 + " p " + num8 + "/" + num8 +
                          " R " + num12 + " - " + num12 + "\r\n");
  EXPECT_TRUE(std::regex_match(t6, layout)) << t6;
}

// Pressure of an ideal gas that overflows once a cell is compressed by more than 5 %.
Real BrittleP(const Real&, Real rho, Real T) {
  if (rho > 1.05L) {
    volatile Real huge = std::numeric_limits<Real>::max();
    return huge * 16 * T;
  }
  return rho * T;
}
const Real kNoParams = 0;

TEST(AdvanceStep, OverflowInTheEquationOfStateIsRetriedShorter) {
  SessionFixture f;
  Session& s = f.s;
  testing::UseIdealGas(s, 1.4L);
  testing::UniformGrid(s, 20, 1.0L, 1.0L, 1.0L);
  s.sim.Pout = 1;
  s.eos.ActiveEos.P = MakeSlot<Real, &BrittleP>(kNoParams);
  // A converging flow towards the middle, fast against sound (c = 1.18): the stable step
  // (0.021) still compresses the middle cells by 21 %.
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= 20; ++j) st->v[j] = -5 * static_cast<Real>(j - 10) / 10;
  }
  s.sim.Running = true;
  s.sim.dtMax = 1;
  Real step = 0.5L;
  int32_t attempts = 0;
  while (s.sim.SimTime == 0 && s.sim.Running && attempts < 40) {
    AdvanceStep(s, s.sim.SimTime, step, false, 10);
    ++attempts;
  }
  EXPECT_TRUE(s.sim.Running);
  EXPECT_GT(attempts, 1);
  EXPECT_GT(s.sim.SimTime, 0);
  EXPECT_LT(s.sim.SimTime, 0.05L);
  for (int32_t i = 0; i < 20; ++i) EXPECT_TRUE(std::isfinite(s.StateA->P[i]));
}

TEST(AdvanceStep, BreakBeforeTheStepLeavesTheStateUnchanged) {
  SessionFixture f;
  Session& s = f.s;
  Equilibrium(s);
  s.sim.Running = true;
  s.sim.dtMax = 1;
  // The user pressed Break; the pending event is processed first.
  f.prompter.OnProcessEvents([](void* ctx) { static_cast<Session*>(ctx)->sim.Running = false; },
                             &s);
  Real step = 0.01L;
  AdvanceStep(s, s.sim.SimTime, step, false, 100);
  EXPECT_EQ(s.sim.SimTime, 0);
  EXPECT_FALSE(s.sim.Running);
}

TEST(DisagreementQuestion, Text) {
  EXPECT_EQ(DisagreementQuestion(12, 0.5L, 1.25L),
            "Iteration did not agree! 12 iterations, R1 =0.5, R2 =1.25 Ignore and continue?");
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// Every trace line, byte for byte: t is written in the exponent form of width 15 (12 in
// the failure line), dt of width 12 (10), integers plainly, CR LF line ends.
TEST(TraceLines, Layouts) {
  const Real t = 1.5e-12L, dt = 2.5e-15L;
  EXPECT_EQ(TraceT1(t, dt), " - Err. It. 0  t 1.50000000E-12 + 2.50000E-15\r\n");
  EXPECT_EQ(TraceT2(0, t, dt), " - Err. It. 0  t 1.50000000E-12 + 2.50000E-15\r\n");
  EXPECT_EQ(TraceT2(3, t, dt), " - Err. It. 0 - 3  t 1.50000000E-12 + 2.50000E-15\r\n");
  EXPECT_EQ(TraceT3(6, t, dt), " - Err. It. 7  t 1.50000000E-12 + 2.50000E-15\r\n");
  EXPECT_EQ(TraceT4(6, t, dt), " - Err.  It. 7 + #$  t 1.50000000E-12 + 2.50000E-15\r\n");
  EXPECT_EQ(TraceT5(0, t, dt), " It. 1 t 1.50000E-12 + 2.500E-15\r\n");
  EXPECT_EQ(TraceT5(0, -t, dt), " It. 1 t-1.50000E-12 + 2.500E-15\r\n");
  ConvergenceState cs;
  cs.V.Num = 1;
  cs.V.SumSq = 2;
  cs.X.Num = 3e-10L;
  cs.X.SumSq = 4;
  cs.T.Num = 5;
  cs.T.SumSq = 6e7L;
  cs.E.Num = 7;
  cs.E.SumSq = 8;
  cs.p.Num = 9;
  cs.p.SumSq = 1e-3L;
  EXPECT_EQ(TraceT6(cs, 0.5L, -2),
            "V  1.0E+00/ 2.0E+00 x  3.0E-10/ 4.0E+00 T  5.0E+00/ 6.0E+07 E  7.0E+00/ 8.0E+00"
            " p  9.0E+00/ 1.0E-03 R  5.00000E-01 - -2.00000E+00\r\n");
}

// The disagreement question at the minimum step and what its answers teach.
TEST(FinalTolerance, AnswersAndLearntTolerances) {
  const std::string question = "Iteration did not agree!";
  struct Case {
    Answer answer;
    bool accepted;
  };
  for (const Case c :
       {Case{Answer::Yes, true}, Case{Answer::No, false}, Case{Answer::Cancel, false}}) {
    ScriptedPrompter p;
    p.Script(question, c.answer);
    ConvergenceState cs;
    EXPECT_EQ(FinalTolerance(cs, p, 10, 2, 3, true), c.accepted) << AnswerName(c.answer);
    EXPECT_EQ(p.asked.size(), 1u);
    EXPECT_EQ(cs.Eps1, 0);
    EXPECT_EQ(cs.Eps2, 0);
  }
  // Not at the minimum step: no question, the step fails.
  {
    ScriptedPrompter p;
    ConvergenceState cs;
    EXPECT_FALSE(FinalTolerance(cs, p, 10, 2, 3, false));
    EXPECT_TRUE(p.asked.empty());
    // A failed pass never passes.
    EXPECT_FALSE(FinalTolerance(cs, p, 10, -1, 3, true));
    EXPECT_TRUE(p.asked.empty());
  }
  // Yes to All: Eps1 = |R1 R2| / IterCount; later disagreements of similar size are
  // accepted without a question.
  {
    ScriptedPrompter p;
    p.Script(question, Answer::YesToAll);
    ConvergenceState cs;
    EXPECT_TRUE(FinalTolerance(cs, p, 10, 0.8L, 0.9L, true));
    EXPECT_NEAR(static_cast<double>(cs.Eps1), 0.72 / 10, 1e-18);
    EXPECT_TRUE(FinalTolerance(cs, p, 10, 0.8L, 0.85L, true));
    EXPECT_TRUE(FinalTolerance(cs, p, 10, 0.8L, 0.85L, false));  // also off the minimum
    EXPECT_EQ(p.asked.size(), 1u);
  }
  // No to All: Eps2 = |R1 R2| / 50; bigger disagreements fail without a question.
  {
    ScriptedPrompter p;
    p.Script(question, Answer::NoToAll);
    ConvergenceState cs;
    EXPECT_FALSE(FinalTolerance(cs, p, 10, 2, 3, true));
    EXPECT_NEAR(static_cast<double>(cs.Eps2), 6.0 / 50, 1e-18);
    EXPECT_FALSE(FinalTolerance(cs, p, 10, 20, 30, true));  // 10 * 0.12 < 600
    EXPECT_EQ(p.asked.size(), 1u);
    EXPECT_FALSE(FinalTolerance(cs, p, 10, 0.5L, 0.2L, true));  // within: asked again
    EXPECT_EQ(p.asked.size(), 2u);
    EXPECT_NEAR(static_cast<double>(cs.Eps2), 0.1 / 50, 1e-18);
  }
  // Retry tightens both tolerances once Eps2 exists.
  {
    ScriptedPrompter p;
    p.Script(question, Answer::Retry);
    ConvergenceState cs;
    cs.Eps1 = 1e-3L;
    cs.Eps2 = 1;
    EXPECT_FALSE(FinalTolerance(cs, p, 10, 2, 3, true));
    EXPECT_NEAR(static_cast<double>(cs.Eps2), 6.0 / 50, 1e-18);
    EXPECT_EQ(cs.Eps1, 1e-3L);
  }
}

// The stable step: at rest the sound-crossing time of a cell times the Courant number
// 0.5; a compressed cell with viscosity shortens it to the root of
// (c dt / h)^2 / 0.25 + 8 s Cq |D| dt / h = 1, with s = 2 for "Symm"; without viscosity
// the compression does not count, and a gas without pressure sets no bound.
TEST(StableStep, SoundCrossingTimeShortenedByTheViscousStiffness) {
  SessionFixture f;
  Session& s = f.s;
  Equilibrium(s, 16, 1);  // P = 1, c = sqrt(1.4)
  THydrStat& A = *s.StateA;
  const Real h = 1.0L / 16;
  const Real c = std::sqrt(1.4L);
  EXPECT_NEAR(static_cast<double>(StableStep(s, A) / (0.5L * h / c)), 1, 1e-6);

  // Node 8 moves inwards: cell 7 compresses with D = -0.05 (the cell keeps its width).
  A.v[8] = -0.05L;
  s.visc.ViscCoef = 2;
  auto root = [&](Real spread) {
    const Real alpha = c * c / (0.25L * h * h);
    const Real beta = 8 * spread * 2 * 0.05L / h;
    return 2 / (beta + std::sqrt(beta * beta + 4 * alpha));
  };
  for (int32_t kind : {ViscNo, ViscSymm, ViscLoc, ViscLimOnly}) {
    s.visc.ViscKind = kind;
    const Real expected = kind == ViscNo ? 0.5L * h / c : kind == ViscSymm ? root(2) : root(1);
    EXPECT_NEAR(static_cast<double>(StableStep(s, A) / expected), 1, 1e-6) << "kind " << kind;
  }

  SessionFixture g;
  Equilibrium(g.s, 16, 0);
  EXPECT_TRUE(std::isinf(StableStep(g.s, *g.s.StateA)));
}

}  // namespace
}  // namespace tarvex
