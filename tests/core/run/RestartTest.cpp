// Restart: a run computed to 2T in one go and a run computed to T, written by the driver,
// loaded into a fresh program and continued to 2T agree to the precision of the written
// texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "core/files/ProfileWriter.h"
#include "core/files/SaveOptions.h"
#include "core/hydro/Viscosity.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

using testing::StateSetup;
using testing::TempDir;

// Fixed sub-steps (dt1 / 40), so that both runs take the same steps from equal states.
void FixSteps(AppModel& app) {
  app.main.SetMnStepDiv(40);
  app.main.SetStepDiv(40);
}

void RunTo(AppModel& app, const std::string& end) {
  FixSteps(app);
  app.main.UserEdit("dt1", "0.02");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", end);
  app.files.AskOnFinal = false;
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  ASSERT_TRUE(r.reachedEnd) << r.error;
  ASSERT_FALSE(r.writeFailed) << app.files.LastError();
}

// Largest difference of the cell and node quantities, relative to each quantity's scale.
Real Disagreement(const Session& a, const Session& b) {
  const THydrStat& A = *a.StateA;
  const THydrStat& B = *b.StateA;
  const int32_t N = A.CellCount();
  auto scale = [&](const RealArray& q) {
    Real m = 0;
    for (Real x : q) m = std::max(m, std::fabs(x));
    return m > 0 ? m : 1;
  };
  Real worst = 0;
  auto cmp = [&](const RealArray& qa, const RealArray& qb) {
    const Real s = scale(qa);
    for (size_t k = 0; k < qa.size(); ++k) worst = std::max(worst, std::fabs(qa[k] - qb[k]) / s);
  };
  cmp(A.x, B.x);
  cmp(A.v, B.v);
  cmp(A.P, B.P);
  cmp(A.T, B.T);
  cmp(A.E, B.E);
  for (int32_t i = 0; i < N; ++i) {
    worst = std::max(worst, std::fabs(A.Density(i) - B.Density(i)) / A.Density(i));
  }
  return worst;
}

struct RestartCase {
  const char* name;
  StateSetup setup;
  uint8_t digits;
  double tolerance;
};

class Restart : public ::testing::TestWithParam<RestartCase> {};

TEST_P(Restart, SavedLoadedAndContinuedRunAgreesWithOneRun) {
  const RestartCase& c = GetParam();
  ScriptedPrompter p1;
  AppModel oneGo(p1);
  testing::SetUpState(oneGo, p1, c.setup);
  if (HasFatalFailure()) return;
  RunTo(oneGo, "0.04");
  if (HasFatalFailure()) return;

  TempDir dir;
  ScriptedPrompter p2;
  AppModel first(p2);
  testing::SetUpState(first, p2, c.setup);
  if (HasFatalFailure()) return;
  first.main.tableFormat->SetPressigion(c.digits);
  first.main.SaveDir = dir.Dir();
  RunTo(first, "0.02");
  if (HasFatalFailure()) return;
  // The driver named the set after the time: 0.02 in the automatic fixed layout.
  const std::string path = dir.File("0000p020.DAT");
  ASSERT_TRUE(std::filesystem::exists(path));
  ASSERT_TRUE(std::filesystem::exists(dir.File("0000p020.TXT")));

  ScriptedPrompter p3;
  AppModel second(p3);
  testing::ChooseEquationsOfState(second);
  if (HasFatalFailure()) return;
  testing::LoadAndAccept(second, p3, path);
  if (HasFatalFailure()) return;
  EXPECT_NEAR(static_cast<double>(second.session.sim.SimTime), 0.02, 1e-18);
  RunTo(second, "0.04");
  if (HasFatalFailure()) return;
  EXPECT_NEAR(static_cast<double>(second.session.sim.SimTime),
              static_cast<double>(oneGo.session.sim.SimTime), 1e-15);

  const Real d = Disagreement(oneGo.session, second.session);
  std::printf("Restart %s: largest relative disagreement %.3g\n", c.name, static_cast<double>(d));
  EXPECT_LT(d, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Restart,
    ::testing::Values(RestartCase{"planar_6digits", {80, 1, 0, false, false}, 6, 2e-5},
                      RestartCase{"planar_glass_18digits", {80, 1, 20, false, false}, 18, 1e-14},
                      RestartCase{"planar_glass_after_6digits", {80, 1, 20, true, false}, 6, 2e-5},
                      RestartCase{"cylindrical_18digits", {60, 2, 0, false, false}, 18, 1e-14}),
    [](const ::testing::TestParamInfo<RestartCase>& p) { return p.param.name; });

// ---- exact restart under step control ----------------------------------------------------

// The step control free: a first sub-step of dt1 / 10 that grows up to dt1 (bounded by the
// sound speed), and the viscosity "Loc" learning its threshold on the shock.
void FreeSteps(AppModel& app) {
  app.main.SetMnStepDiv(1);
  app.main.SetStepDiv(10);
}

void ShockViscosity(AppModel& app) {
  app.viscosity.Open(app.session.visc, app.session.eos.EosScale);
  app.viscosity.ViscType = ViscLoc;
  app.viscosity.ViscMult.SetText("2");
  ASSERT_TRUE(app.ApplyViscosityDialog().accepted);
}

void RunFreeTo(AppModel& app, const std::string& end) {
  app.main.UserEdit("dt1", "0.02");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", end);
  app.files.AskOnFinal = false;
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  ASSERT_TRUE(r.reachedEnd) << r.error;
  ASSERT_FALSE(r.writeFailed) << app.files.LastError();
}

class ExactRestart : public ::testing::TestWithParam<RestartCase> {};

// With full precision (21 digits) a run continued from its saved set takes the steps of
// the uninterrupted run: the step in use and the step control's learnt state travel
// with the set, and every column agrees to 1e-12.
TEST_P(ExactRestart, ContinuedRunRepeatsTheUninterruptedOne) {
  const RestartCase& c = GetParam();
  ScriptedPrompter p1;
  AppModel oneGo(p1);
  testing::SetUpState(oneGo, p1, c.setup);
  if (HasFatalFailure()) return;
  FreeSteps(oneGo);
  ShockViscosity(oneGo);
  RunFreeTo(oneGo, "0.06");
  if (HasFatalFailure()) return;

  TempDir dir;
  ScriptedPrompter p2;
  AppModel first(p2);
  testing::SetUpState(first, p2, c.setup);
  if (HasFatalFailure()) return;
  FreeSteps(first);
  ShockViscosity(first);
  first.main.tableFormat->SetPressigion(c.digits);
  first.main.SaveDir = dir.Dir();
  RunFreeTo(first, "0.02");
  if (HasFatalFailure()) return;
  const std::string path = dir.File("0000p020.DAT");
  ASSERT_TRUE(std::filesystem::exists(path));

  ScriptedPrompter p3;
  AppModel second(p3);
  testing::ChooseEquationsOfState(second);
  if (HasFatalFailure()) return;
  FreeSteps(second);
  testing::LoadAndAccept(second, p3, path);
  if (HasFatalFailure()) return;
  ShockViscosity(second);
  RunFreeTo(second, "0.06");
  if (HasFatalFailure()) return;
  EXPECT_EQ(second.session.sim.SimTime, oneGo.session.sim.SimTime);

  const Real d = Disagreement(oneGo.session, second.session);
  std::printf("Exact restart %s: largest relative disagreement %.3g\n", c.name,
              static_cast<double>(d));
  EXPECT_LT(d, c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, ExactRestart,
    ::testing::Values(RestartCase{"planar_shock", {80, 1, 20, false, false}, 21, 1e-12},
                      RestartCase{"spherical_shock", {60, 3, 20, true, false}, 21, 1e-12}),
    [](const ::testing::TestParamInfo<RestartCase>& p) { return p.param.name; });

// A set written by an interrupted interval is named after the rounded time with "_break";
// the load starts from the time the state has.
TEST(ExactRestart, InterruptedIntervalContinuesFromTheStateTime) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel first(p);
  testing::SetUpState(first, p, {40, 1, 0, false, false});
  if (HasFatalFailure()) return;
  FreeSteps(first);
  first.main.SaveDir = dir.Dir();
  struct Hook {
    AppModel* app;
    int32_t calls = 0;
  } hook{&first};
  p.OnProcessEvents(
      [](void* ctx) {
        auto* h = static_cast<Hook*>(ctx);
        // Well into the second interval.
        if (h->app->session.sim.SimTime > 0.0301L && ++h->calls == 1) h->app->main.BreakCalc();
      },
      &hook);
  first.main.UserEdit("dt1", "0.02");
  first.main.LeaveDt1();
  first.main.UserEdit("EndTime", "0.06");
  first.files.AskOnFinal = false;
  const RunOutcome r = Calculations(first.session, first.main, first.files);
  ASSERT_TRUE(r.broken);
  const Real t = first.session.sim.SimTime;
  ASSERT_GT(t, 0.03L);
  ASSERT_LT(t, 0.04L);
  // The set's name carries t to three decimals and marks the broken interval.
  const std::string path =
      dir.Dir() + first.saveOptions.NumberText(t) + first.saveOptions.AddStr + "_break.DAT";
  ASSERT_TRUE(std::filesystem::is_regular_file(path)) << path;

  ScriptedPrompter p2;
  AppModel second(p2);
  testing::ChooseEquationsOfState(second);
  if (HasFatalFailure()) return;
  testing::LoadAndAccept(second, p2, path);
  if (HasFatalFailure()) return;
  EXPECT_EQ(second.session.sim.SimTime, t) << path;
  EXPECT_EQ(second.main.TotalTime.Value(), t);

  // A set written before the header carried the restart line still loads, at the time of
  // its name.
  std::filesystem::path header(path);
  header.replace_extension(".TXT");
  std::string text = testing::ReadFile(header.string());
  const size_t at = text.find(kRestartKey);
  ASSERT_NE(at, std::string::npos);
  text.erase(at);
  testing::WriteFile(header.string(), text);
  ScriptedPrompter p3;
  AppModel third(p3);
  testing::ChooseEquationsOfState(third);
  if (HasFatalFailure()) return;
  testing::LoadAndAccept(third, p3, path);
  if (HasFatalFailure()) return;
  EXPECT_EQ(third.session.sim.SimTime, TimeFromName(path, third.saveOptions.NameStr).value());
  EXPECT_EQ(third.session.run.StepInUse, 0);
}

}  // namespace
}  // namespace tarvex
