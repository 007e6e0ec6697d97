// A profile file set written and loaded back reproduces the state to the precision of the
// table texts: planar and curved grids, with a substrate before or after the film or
// none, a frozen grid, a row-number offset; into a session with a grid and into a fresh
// one. A write that cannot be done names the file and the reason and leaves nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>

#include "core/files/ProfileWriter.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

using testing::StateSetup;
using testing::TempDir;

// |a - b| within `rel` of the larger magnitude, or within `abs`.
::testing::AssertionResult Near(const char* what, int32_t i, Real a, Real b, Real rel, Real abs) {
  const Real tol = rel * std::max(std::fabs(a), std::fabs(b)) + abs;
  if (std::fabs(a - b) <= tol) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << what << "[" << i << "]: " << static_cast<double>(a) << " vs " << static_cast<double>(b)
         << " (tolerance " << static_cast<double>(tol) << ")";
}

// Every cell quantity of two sessions agrees to `rel` (relative); coordinates to `xRel`
// of the grid length.
void ExpectSameState(const Session& a, const Session& b, Real rel, Real xRel) {
  ASSERT_NE(b.StateA, nullptr);
  const THydrStat& A = *a.StateA;
  const THydrStat& B = *b.StateA;
  ASSERT_EQ(A.CellCount(), B.CellCount());
  EXPECT_EQ(a.sim.InGlass, b.sim.InGlass);
  EXPECT_EQ(a.sim.Dspc, b.sim.Dspc);
  EXPECT_EQ(a.bounds.NoMove, b.bounds.NoMove);
  EXPECT_TRUE(Near("rho0", 0, a.sim.rho0, b.sim.rho0, rel, 0));
  EXPECT_TRUE(Near("h0", 0, a.sim.h0, b.sim.h0, rel, 0));
  EXPECT_TRUE(Near("x0shift", 0, a.sim.x0shift, b.sim.x0shift, rel, 0));
  if (a.sim.InGlass != 0) {
    EXPECT_TRUE(Near("rho0l", 0, a.sim.rho0l, b.sim.rho0l, rel, 0));
  }
  const int32_t N = A.CellCount();
  const Real L = A.x[N] - A.x[0];
  Real vMax = 0;
  for (int32_t j = 0; j <= N; ++j) vMax = std::max(vMax, std::fabs(A.v[j]));
  for (int32_t j = 0; j <= N; ++j) {
    EXPECT_TRUE(Near("x", j, A.x[j], B.x[j], 0, xRel * L));
    EXPECT_TRUE(Near("v", j, A.v[j], B.v[j], rel, rel * vMax));
  }
  EXPECT_TRUE(Near("Pout", N, A.P[N], B.P[N], rel, 0));
  for (int32_t i = 0; i < N; ++i) {
    EXPECT_TRUE(Near("rho", i, A.Density(i), B.Density(i), 4 * rel, 0));
    EXPECT_TRUE(Near("P", i, A.P[i], B.P[i], rel, 0));
    EXPECT_TRUE(Near("T", i, A.T[i], B.T[i], rel, 0));
    EXPECT_TRUE(Near("E", i, A.E[i], B.E[i], rel, 0));
  }
}

struct RoundTripCase {
  const char* name;
  StateSetup setup;
  int32_t nFrom;
};

class ProfileRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Writes the state of a run, then loads it into a session that has a grid of the same
// kind and (moving grids) into a fresh one; with the default 6-digit format and with 18
// digits, where the load must be all but exact.
TEST_P(ProfileRoundTrip, LoadReproducesTheWrittenState) {
  const RoundTripCase& c = GetParam();
  for (const uint8_t digits : {uint8_t{6}, uint8_t{18}}) {
    SCOPED_TRACE(::testing::Message() << c.name << ", " << int{digits} << " digits");
    TempDir dir;
    ScriptedPrompter p1;
    AppModel app(p1);
    testing::SetUpState(app, p1, c.setup);
    if (HasFatalFailure()) return;
    if (!c.setup.frozen) {
      testing::Advance(app, "0.02", "0.04");
      if (HasFatalFailure()) return;
    }
    app.main.tableFormat->SetPressigion(digits);
    app.table.nFrom = c.nFrom;
    app.files.RefreshDisplay(true);
    const std::string path = dir.File("0000p040.DAT");
    ASSERT_TRUE(app.files.WriteProfile(path, false)) << app.files.LastError();

    // Text layout: title row, N cell rows and, on a moving grid, the node row; CR LF.
    const std::string text = testing::ReadFile(path);
    const int32_t N = app.session.StateA->CellCount();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), N + (c.setup.frozen ? 1 : 2));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'),
              std::count(text.begin(), text.end(), '\r'));

    const Real rel = digits == 6 ? 6e-6L : 1e-15L;
    const Real xRel = digits == 6 ? 2e-5L : 1e-14L;
    {
      ScriptedPrompter p2;
      AppModel same(p2);
      testing::SetUpState(same, p2, c.setup);
      if (HasFatalFailure()) return;
      same.main.tableFormat->SetPressigion(digits);
      testing::LoadAndAccept(same, p2, path);
      if (HasFatalFailure()) return;
      ExpectSameState(app.session, same.session, rel, xRel);
      EXPECT_EQ(same.table.nFrom, c.nFrom);
      if (!c.setup.frozen) {
        // The pressure integral comes back from the header to its 4 digits.
        EXPECT_NEAR(static_cast<double>(same.session.Ipdt / app.session.Ipdt), 1.0, 5e-4);
      }
      EXPECT_NEAR(static_cast<double>(same.session.sim.SimTime), 0.04, 1e-18);
      EXPECT_TRUE(same.main.TotalTimeEdited);
    }
    if (!c.setup.frozen) {
      ScriptedPrompter p3;
      AppModel fresh(p3);
      testing::ChooseEquationsOfState(fresh);
      if (HasFatalFailure()) return;
      testing::LoadAndAccept(fresh, p3, path);
      if (HasFatalFailure()) return;
      ExpectSameState(app.session, fresh.session, rel, xRel);
      EXPECT_EQ(fresh.session.stateClass, SolverClass::HydrStat);
      // The table shows what was written.
      fresh.main.tableFormat->SetPressigion(digits);
      fresh.files.RefreshDisplay(false);
      EXPECT_EQ(fresh.table.Cell(0, 1), app.table.Cell(0, 1));
      EXPECT_EQ(fresh.table.Cell(1, 0), app.table.Cell(1, 0));
      EXPECT_EQ(fresh.table.Cell(N + 1, 4), app.table.Cell(N + 1, 4));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Grids, ProfileRoundTrip,
    ::testing::Values(RoundTripCase{"planar", {60, 1, 0, false, false}, 0},
                      RoundTripCase{"planar_glass_before", {60, 1, 20, false, false}, 0},
                      RoundTripCase{"planar_glass_after", {60, 1, 20, true, false}, 0},
                      RoundTripCase{"planar_glass_before_from", {60, 1, 20, false, false}, 7},
                      RoundTripCase{"cylindrical", {60, 2, 0, false, false}, 0},
                      RoundTripCase{"cylindrical_glass_before", {60, 2, 20, false, false}, 3},
                      RoundTripCase{"spherical_glass_after", {60, 3, 15, true, false}, 0},
                      RoundTripCase{"frozen", {40, 1, 0, false, true}, 2}),
    [](const ::testing::TestParamInfo<RoundTripCase>& p) { return p.param.name; });

TEST(ProfileWrite, HeaderNamesGeometryLayersAndIntegrals) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {60, 2, 20, true, false});
  if (HasFatalFailure()) return;
  app.table.nFrom = 4;
  app.files.RefreshDisplay(true);
  const std::string path = dir.File("state.DAT");
  ASSERT_TRUE(app.files.WriteProfile(path, false));
  const std::string header = testing::ReadFile(dir.File("state.TXT"));
  EXPECT_EQ(header.rfind("2D\r\n", 0), 0u) << header;
  EXPECT_NE(header.find("L0 = 1 x 1  Div 60 from 4 InGlass "), std::string::npos) << header;
  EXPECT_NE(header.find(" div -20\r\n"), std::string::npos) << header;
  EXPECT_NE(header.find("rho0 =  1.00000000000000E+0000, glass  2.00000000000000E+0000\r\n"),
            std::string::npos)
      << header;
  EXPECT_NE(header.find("Int P dt = "), std::string::npos);
  EXPECT_NE(header.find("Etherm = "), std::string::npos);
}

// The after-load OK checks the density field against the loaded rho0 and asks.
TEST(ProfileLoad, AfterLoadDensityQuestion) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.files.RefreshDisplay(true);
  const std::string path = dir.File("0000p000.DAT");
  ASSERT_TRUE(app.files.WriteProfile(path, false));
  const Real h0 = app.session.sim.h0;

  for (const Answer a : {Answer::No, Answer::Ok}) {
    ASSERT_TRUE(app.LoadProfile(path).ok);
    ASSERT_TRUE(app.initial.AfterLoadMode);
    app.initial.Rho0.SetText("2");
    p.Script("Reset rho0 1 to 2 * 2", a);
    p.Script("To Rho_ini 2", Answer::No);
    const InitialOkResult ok = app.initial.OkPressed();
    ASSERT_TRUE(ok.accepted) << ok.focus << ok.message;
    EXPECT_FALSE(app.initial.AfterLoadMode);
    app.FinishInitialDialog();
    const Real expected = a == Answer::Ok ? 2 : 1;
    EXPECT_EQ(app.session.sim.rho0, expected);
    EXPECT_EQ(app.initial.Rho0.StoredValue(), expected);
    EXPECT_EQ(app.session.sim.CellMassUniform, h0 * expected);
  }
}

TEST(ProfileWrite, Sci23Form) {
  EXPECT_EQ(Sci23(2.7L), " 2.70000000000000E+0000");
  EXPECT_EQ(Sci23(-1.5e-12L), "-1.50000000000000E-0012");
  EXPECT_EQ(Sci23(0), " 0.00000000000000E+0000");
  EXPECT_EQ(Sci23(1e300L).size(), 23u);
}

// A set that cannot be written reports the file and the reason, marks the results
// unsaved and leaves neither a half-written file nor a temporary one.
TEST(ProfileWrite, FailedWriteNamesFileAndLeavesNothing) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.files.RefreshDisplay(true);

  // A folder that does not exist.
  const std::string missing = dir.File("no/such/dir/0001p000.DAT");
  EXPECT_FALSE(app.files.WriteProfile(missing, false));
  EXPECT_NE(app.files.LastError().find(missing), std::string::npos) << app.files.LastError();
  EXPECT_NE(app.files.LastError().find("No such file"), std::string::npos) << app.files.LastError();
  EXPECT_TRUE(app.main.Unsaved);
  ASSERT_FALSE(p.informed.empty());
  EXPECT_EQ(p.informed.back(), app.files.LastError());

  // The header's name is taken by a directory: the table file must not appear either, and
  // an older table file stays as it was.
  const std::string table = dir.File("0001p000.DAT");
  testing::WriteFile(table, "old contents");
  std::filesystem::create_directory(dir.File("0001p000.TXT"));
  app.main.Unsaved = false;
  EXPECT_FALSE(app.files.WriteProfile(table, false));
  EXPECT_NE(app.files.LastError().find("0001p000.TXT"), std::string::npos) << app.files.LastError();
  EXPECT_TRUE(app.main.Unsaved);
  EXPECT_EQ(testing::ReadFile(table), "old contents");
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) {
    const std::string name = e.path().filename().string();
    EXPECT_EQ(name.find(".~"), std::string::npos) << "left behind: " << name;
  }

  // After a success the results count as saved again.
  std::filesystem::remove(dir.File("0001p000.TXT"));
  EXPECT_TRUE(app.files.WriteProfile(table, false));
  EXPECT_FALSE(app.main.Unsaved);
  EXPECT_TRUE(app.files.LastError().empty());
}

// Staging files left by a killed write (enough of them to use up every temporary name)
// are removed before a set is written into their folder; files that only resemble them,
// and fresh staging files of other names, stay.
TEST(ProfileWrite, StaleStagingFilesOfThisProgramAreCleanedFirst) {
  namespace fs = std::filesystem;
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.files.RefreshDisplay(true);

  std::vector<std::string> stale{".0001p000.DAT.~set", ".0001p000.TXT.~set",
                                 "..0001p000.TXT.~set.~3", ".other.DAT.~7"};
  for (int k = 0; k < 100; ++k) stale.push_back(".0001p000.DAT.~" + std::to_string(k));
  const std::vector<std::string> kept{".other.DAT.~8", ".notes.~abc", "a.DAT.~1", ".hidden",
                                      ".x.~set.bak"};
  for (const std::string& n : stale) testing::WriteFile(dir.File(n), "x");
  for (const std::string& n : kept) testing::WriteFile(dir.File(n), "x");
  // Another name's staging file is stale only when old.
  fs::last_write_time(dir.File(".other.DAT.~7"),
                      fs::file_time_type::clock::now() - std::chrono::hours(2));

  ASSERT_TRUE(app.files.WriteProfile(dir.File("0001p000.DAT"), false)) << app.files.LastError();
  for (const std::string& n : stale) EXPECT_FALSE(fs::exists(dir.File(n))) << n;
  for (const std::string& n : kept) EXPECT_TRUE(fs::exists(dir.File(n))) << n;
  EXPECT_TRUE(fs::is_regular_file(dir.File("0001p000.TXT")));

  EXPECT_TRUE(IsStagingName(".a.DAT.~set"));
  EXPECT_TRUE(IsStagingName(".a.DAT.~12"));
  EXPECT_FALSE(IsStagingName("a.DAT.~12"));
  EXPECT_FALSE(IsStagingName(".~set"));
  EXPECT_FALSE(IsStagingName(".a.DAT.~"));
  EXPECT_FALSE(IsStagingName(".a.DAT.~1x"));
}

// A process killed between the renames of a set must not leave the table visible with its
// header still staged (the load would be refused, or the substrate lost): the table is
// published last. At every rename the folder holds the table only with all of its set.
TEST(ProfileWrite, TableIsPublishedAfterTheRestOfItsSet) {
  namespace fs = std::filesystem;
  TempDir dir;
  const std::vector<ProfileFilePart> parts{{dir.File("a.DAT"), "table"},
                                           {dir.File("a.TXT"), "header"},
                                           {dir.File("a_opt.dat"), "optics"},
                                           {dir.File("Tneg.dat"), "tension"}};
  std::vector<std::string> order;
  const FileWriteResult r = WriteFileSet(parts, [&](const std::string& path) {
    order.push_back(fs::path(path).filename().string());
    if (fs::exists(parts[0].path)) {
      for (const ProfileFilePart& part : parts) EXPECT_TRUE(fs::exists(part.path)) << part.path;
    }
  });
  ASSERT_TRUE(r) << r.message;
  ASSERT_EQ(order.size(), parts.size());
  EXPECT_EQ(order.back(), "a.DAT");
  for (const ProfileFilePart& part : parts) EXPECT_EQ(testing::ReadFile(part.path), part.content);
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// A conducting film (THydrTherm through the "Constant" page's conductivity) written and
// loaded into a fresh session: "With Thermocond" answered Yes continues it with its class,
// and the table's conductivity column shows what was written.
TEST(ProfileRoundTrip, ConductingFilmKeepsItsClass) {
  auto thermal = [](AppModel& app) {
    ASSERT_TRUE(app.thermParam.ShowPage("Constant"));
    TConstantPage& c = app.thermParam.Constant();
    ASSERT_TRUE(c.SetFieldValue("kEdit", 0.5L));
    ASSERT_TRUE(c.SetFieldValue("rho0Edit", 1));
    const ElOkResult r = app.ApplyThermParam();
    ASSERT_TRUE(r) << r.focus << ": " << r.message;
  };
  TempDir dir;
  ScriptedPrompter p1;
  AppModel app(p1);
  thermal(app);
  if (HasFatalFailure()) return;
  testing::SetUpState(app, p1, {40, 1, 0, false, false});
  if (HasFatalFailure()) return;
  ASSERT_EQ(app.session.stateClass, SolverClass::HydrTherm);
  testing::Advance(app, "0.02", "0.04");
  if (HasFatalFailure()) return;
  app.files.RefreshDisplay(true);
  const std::string path = dir.File("0000p040.DAT");
  ASSERT_TRUE(app.files.WriteProfile(path, false)) << app.files.LastError();

  ScriptedPrompter p2;
  AppModel fresh(p2);
  thermal(fresh);
  testing::ChooseEquationsOfState(fresh);
  if (HasFatalFailure()) return;
  p2.Script("With Thermocond", Answer::Yes);
  p2.Script("Save(print) settings?", Answer::No);
  const ProfileLoadResult r = fresh.LoadProfile(path);
  ASSERT_TRUE(r.ok) << r.message;
  const InitialOkResult ok = fresh.initial.OkPressed();
  ASSERT_TRUE(ok.accepted) << ok.focus << ": " << ok.message;
  fresh.FinishInitialDialog();
  EXPECT_EQ(fresh.session.stateClass, SolverClass::HydrTherm);
  ExpectSameState(app.session, fresh.session, 6e-6L, 2e-5L);
  fresh.files.RefreshDisplay(false);
  const int32_t kc = app.table.ColumnOf(TColumnKind::Kappa);
  const int32_t qc = app.table.ColumnOf(TColumnKind::Qx);
  ASSERT_GE(kc, 0);
  ASSERT_GE(qc, 0);
  EXPECT_EQ(fresh.table.Cell(0, kc), app.table.Cell(0, kc));
  EXPECT_EQ(fresh.table.Cell(10, kc), "0.5");
  EXPECT_EQ(fresh.table.Cell(10, kc), app.table.Cell(10, kc));
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// The tension record goes with the profile set as "Tneg.dat" and comes back with it; a
// "Tneg.dat" that does not read refuses the whole load.
TEST(ProfileRoundTrip, TensionRecordTravelsWithTheSet) {
  TempDir dir;
  ScriptedPrompter p1;
  AppModel app(p1);
  testing::SetUpState(app, p1, {40, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.main.SaveDir = dir.File("");
  TTensionRecord& t = app.session.tension;
  t.StartFresh(40, 0, 1e-3L);
  t.SetTensionTime(3, 2e-3L);
  t.SetTensionTime(7, 5e-4L);
  t.MarkFailed(7);
  app.files.RefreshDisplay(true);
  const std::string path = dir.File("0000p000.DAT");
  ASSERT_TRUE(app.files.WriteProfile(path, false)) << app.files.LastError();
  ASSERT_TRUE(std::filesystem::exists(dir.File("Tneg.dat")));

  ScriptedPrompter p2;
  AppModel fresh(p2);
  testing::ChooseEquationsOfState(fresh);
  testing::LoadAndAccept(fresh, p2, path);
  if (HasFatalFailure()) return;
  const TTensionRecord& back = fresh.session.tension;
  ASSERT_TRUE(back.Exists());
  for (int32_t i = 0; i < 40; ++i) EXPECT_EQ(back[i], t[i]) << i;
  EXPECT_EQ(back.TnegTime(), 0);
  EXPECT_EQ(back.TnegOrigin(), -2e-3L);

  testing::WriteFile(dir.File("Tneg.dat"), "0\r\n1e-3\r\nbroken\r\n");
  ScriptedPrompter p3;
  AppModel refused(p3);
  testing::ChooseEquationsOfState(refused);
  p3.Script("With Thermocond", Answer::No);
  const ProfileLoadResult r = refused.LoadProfile(path, true);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find("Tneg.dat"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("line 3"), std::string::npos) << r.message;
  EXPECT_EQ(refused.session.StateA, nullptr);
  EXPECT_FALSE(refused.session.tension.Exists());
}

}  // namespace
}  // namespace tarvex
