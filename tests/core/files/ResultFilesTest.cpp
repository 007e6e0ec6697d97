// The driver's hooks: one profile set and one picture per output interval under names
// made from the time, the final save dialog, tracked points appended after every interval.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "core/common/AppendFile.h"
#include "core/files/SaveOptions.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

using testing::TempDir;

struct Picture {
  std::string path;
  std::string caption;
  bool jpeg;
};

TEST(ResultFiles, DriverWritesASetAndAPicturePerInterval) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {30, 1, 0, false, false});
  if (HasFatalFailure()) return;
  std::vector<Picture> pictures;
  app.files.SetPictureWriter([&](const std::string& path, const std::string& caption, bool jpeg) {
    pictures.push_back({path, caption, jpeg});
    return FileWriteResult{};
  });
  app.saveOptions.Scal.SetValue(1000);
  app.saveOptions.LeaveScal();  // "ms"
  app.main.SaveDir = dir.Dir();
  app.main.PicturesAsJpeg = false;
  // The last interval is final: the save dialogs propose the name; the scripted one keeps
  // it.
  p.ScriptFile(dir.File("last.DAT"));
  app.main.UserEdit("dt1", "0.02");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", "0.06");
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  ASSERT_TRUE(r.reachedEnd) << r.error;
  EXPECT_FALSE(r.writeFailed);
  EXPECT_FALSE(app.main.Unsaved);

  // t = 0.02 and 0.04 in the automatic fixed layout, scaled to ms.
  for (const char* name : {"0020p000ms", "0040p000ms"}) {
    EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(name) + ".DAT"))) << name;
    EXPECT_TRUE(std::filesystem::exists(dir.File(std::string(name) + ".TXT"))) << name;
  }
  EXPECT_TRUE(std::filesystem::exists(dir.File("last.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("last.TXT")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("0060p000ms.DAT")));

  ASSERT_EQ(pictures.size(), 3u);
  EXPECT_EQ(pictures[0].path, dir.File("0020p000ms.BMP"));
  EXPECT_EQ(pictures[0].caption, "0020 ,000ms");
  EXPECT_FALSE(pictures[0].jpeg);
  // The final picture went through the dialog: its name decides the format, and a name
  // of the table file becomes a picture name instead of overwriting the table.
  EXPECT_EQ(pictures[2].path, dir.File("last.jpg"));
  EXPECT_TRUE(pictures[2].jpeg);
  EXPECT_TRUE(app.main.PicturesAsJpeg);
  EXPECT_EQ(pictures[2].caption, "last");
}

TEST(ResultFiles, CancelledFinalDialogWritesNothingAndLeavesResultsUnsaved) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.main.SaveDir = dir.Dir();
  app.main.UserEdit("dt1", "0.02");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", "0.02");
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  EXPECT_TRUE(r.writeFailed);
  EXPECT_TRUE(app.main.Unsaved);
  EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ResultFiles, TrackedPointsAppendUnderOneHeader) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.files.AskOnFinal = false;
  app.main.SaveDir = dir.Dir();
  app.saveOptions.AddStr = "s";
  ASSERT_FALSE(app.files.tracking.SetRows({3, 2}, app.table.RowCount()));
  ASSERT_FALSE(app.files.tracking.SetRows({0}, app.table.RowCount()));
  ASSERT_FALSE(app.files.tracking.SetRows({22}, app.table.RowCount()));
  ASSERT_TRUE(app.files.tracking.SetRows({1, 11}, app.table.RowCount()));
  app.main.TrackedPoints = 2;
  app.main.UserEdit("dt1", "0.02");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", "0.04");
  ASSERT_TRUE(Calculations(app.session, app.main, app.files).reachedEnd);

  const std::string text = testing::ReadFile(dir.File("pTrack.dat"));
  const std::string header =
      "     time[s]\t              x\t         rho\t           v\t           P\t      T"
      "\t              x\t         rho\t           v\t           P\t      T\r\n";
  ASSERT_EQ(text.substr(0, header.size()), header);
  EXPECT_EQ(text.find("time[", header.size()), std::string::npos);  // one header only
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
  // The last record holds the table's texts of the tracked rows.
  const std::string last = text.substr(text.rfind("\r\n", text.size() - 3) + 2);
  const std::string time = app.main.TotalTime.Text();
  EXPECT_EQ(last.substr(0, 12), std::string(12 - time.size(), ' ') + time);
  std::string second = "\t";
  second += std::string(15 - app.table.Cell(11, 1).size(), ' ') + app.table.Cell(11, 1);
  second += "\t" + std::string(12 - app.table.Cell(11, 2).size(), ' ') + app.table.Cell(11, 2);
  EXPECT_NE(last.find(second), std::string::npos) << last;

  // An empty list writes nothing and releases the button.
  app.files.tracking.TrackedRows.clear();
  app.files.AppendTrackedPoints();
  EXPECT_EQ(app.main.TrackedPoints, 0);
  EXPECT_EQ(testing::ReadFile(dir.File("pTrack.dat")), text);
}

TEST(AppendFile, NewFileGetsItsHeaderOnceAndFailuresAreNamed) {
  TempDir dir;
  const std::string path = dir.File("h.dat");
  ASSERT_TRUE(AppendRecord(path, "H\r\n", "1\r\n"));
  ASSERT_TRUE(AppendRecord(path, "H\r\n", "2\r\n"));
  EXPECT_EQ(testing::ReadFile(path), "H\r\n1\r\n2\r\n");
  const FileWriteResult bad = AppendRecord(dir.File("none/h.dat"), "H", "1");
  EXPECT_FALSE(bad);
  EXPECT_NE(bad.message.find("none/h.dat"), std::string::npos);
  std::filesystem::create_directory(dir.File("d.dat"));
  EXPECT_FALSE(AppendRecord(dir.File("d.dat"), "H", "1"));
}

}  // namespace
}  // namespace tarvex

namespace tarvex {
namespace {

// "&Save": the set through the dialog, the picture on request, and the directory rule
// when the chosen folder is not the output directory.
TEST(SaveAction, WritesThroughTheDialogAndFollowsANewDirectory) {
  testing::TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  std::vector<std::string> pictures;
  app.files.SetPictureWriter([&](const std::string& path, const std::string& caption, bool) {
    pictures.push_back(path + "|" + caption);
    return FileWriteResult{};
  });
  std::vector<std::string> proposed;
  app.files.ShowSaveOptions = [&](const std::string& d) {
    proposed.push_back(d);
    app.saveOptions.SaveDir = d;
    return true;
  };
  app.main.SaveDir = dir.Dir();
  app.main.Unsaved = true;
  p.ScriptFile(dir.File("mysave.DAT"));
  p.Script("Save multi2x2 picture?", Answer::Ok);
  p.Script("ReAssign to other xrs/Surf file", Answer::Ok);
  // The close question saves through the same action.
  p.Script("Results not saved! Save now?", Answer::Yes);
  EXPECT_TRUE(app.main.CloseRequest(app.Context()));
  EXPECT_FALSE(app.main.Unsaved);
  EXPECT_TRUE(std::filesystem::exists(dir.File("mysave.DAT")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("mysave.TXT")));
  ASSERT_EQ(pictures.size(), 1u);
  EXPECT_EQ(pictures[0], dir.File("mysave.jpg") + "|mysave");
  EXPECT_TRUE(proposed.empty());  // same directory: no save options
  EXPECT_EQ(app.Context().SaveDialogFileName(), dir.File("mysave.DAT"));

  // Another folder: the save options open with it, the history moves there on OK.
  std::filesystem::create_directory(dir.File("other"));
  p.ScriptFile(dir.File("other/b.DAT"));
  p.Script("Save multi2x2 picture?", Answer::No);
  EXPECT_TRUE(app.SaveResults());
  ASSERT_EQ(proposed.size(), 1u);
  EXPECT_EQ(proposed[0], dir.File("other") + "/");
  EXPECT_EQ(app.main.SaveDir, dir.File("other") + "/");
  EXPECT_EQ(app.main.HistoryFileName, dir.File("other") + "/Surf.dat");
  EXPECT_TRUE(std::filesystem::exists(dir.File("other/b.TXT")));
}

// After a run of failures (a disk that ran full) the first failure is kept for the
// summary; the last one and a later success do not replace it.
TEST(ResultFiles, FirstFailureIsKeptForTheSummary) {
  testing::TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  if (HasFatalFailure()) return;
  app.files.RefreshDisplay(true);
  std::filesystem::create_directory(dir.File("0001p000.TXT"));
  std::filesystem::create_directory(dir.File("0002p000.TXT"));
  EXPECT_FALSE(app.files.WriteProfile(dir.File("0001p000.DAT"), false));
  EXPECT_FALSE(app.files.WriteProfile(dir.File("0002p000.DAT"), false));
  EXPECT_NE(app.files.LastError().find("0002p000.TXT"), std::string::npos);
  EXPECT_NE(app.files.FirstError().find("0001p000.TXT"), std::string::npos)
      << app.files.FirstError();
  EXPECT_TRUE(app.files.WriteProfile(dir.File("0003p000.DAT"), false));
  EXPECT_TRUE(app.files.LastError().empty());
  EXPECT_NE(app.files.FirstError().find("0001p000.TXT"), std::string::npos);
}

// A break inside the first half of an interval rounds to the name of the finished interval
// before it. The broken set is written beside it under "_break" ("_break2" when a file of
// that name is there already), the finished set and the foreign file stay as they were,
// and both sets load at their own times.
struct BreakNameCase {
  const char* name;
  const char* dt1;
  Real breakAfter;  // [s] Break at the first event past this time
  Real finished;    // [s] end of the last finished interval
  void (*names)(TSaveFileOptions&);
  bool occupied;  // a file already holds the "_break" name
};

// Names of whole milliseconds: t = 0.02 is "20ms".
void WholeMilliseconds(TSaveFileOptions& o) {
  o.RadioGroup1 = kNameFixed;
  o.FormatType = 2;
  o.SetPress(0);
  o.Scal.SetValue(1000);
  o.LeaveScal();
}

class BrokenIntervalName : public ::testing::TestWithParam<BreakNameCase> {};

TEST_P(BrokenIntervalName, NeverReplacesAnExistingSet) {
  const BreakNameCase& c = GetParam();
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {30, 1, 0, false, false});
  if (HasFatalFailure()) return;
  if (c.names != nullptr) c.names(app.saveOptions);
  app.main.SaveDir = dir.Dir();
  app.saveOptions.SaveDir = dir.Dir();
  // Short sub-steps, so that the break comes soon after breakAfter.
  app.main.SetMnStepDiv(100);
  app.main.SetStepDiv(100);
  const std::string finished = app.saveOptions.MakeOutputName(c.finished);
  const std::string foreign = "not a profile set";
  if (c.occupied) testing::WriteFile(finished + "_break.DAT", foreign);
  struct Hook {
    AppModel* app;
    Real after;
  } hook{&app, c.breakAfter};
  p.OnProcessEvents(
      [](void* ctx) {
        auto* h = static_cast<Hook*>(ctx);
        if (h->app->session.sim.SimTime > h->after) h->app->main.BreakCalc();
      },
      &hook);
  app.main.UserEdit("dt1", c.dt1);
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", "1");
  app.files.AskOnFinal = false;
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  ASSERT_TRUE(r.broken);
  ASSERT_FALSE(r.writeFailed) << app.files.LastError();
  const Real t = app.session.sim.SimTime;
  // The fixture shows the collision: the broken time rounds to the finished set's name.
  ASSERT_EQ(app.saveOptions.MakeOutputName(t), finished) << t;
  ASSERT_GT(t, c.finished);

  const std::string broken = finished + (c.occupied ? "_break2" : "_break");
  EXPECT_TRUE(std::filesystem::exists(broken + ".DAT")) << broken;
  EXPECT_TRUE(std::filesystem::exists(broken + ".TXT")) << broken;
  if (c.occupied) {
    EXPECT_EQ(testing::ReadFile(finished + "_break.DAT"), foreign);
  }

  for (const auto& [path, time] : {std::pair{finished, c.finished}, std::pair{broken, t}}) {
    ScriptedPrompter p2;
    AppModel loaded(p2);
    testing::ChooseEquationsOfState(loaded);
    if (HasFatalFailure()) return;
    testing::LoadAndAccept(loaded, p2, path + ".DAT");
    if (HasFatalFailure()) return;
    EXPECT_NEAR(static_cast<double>(loaded.session.sim.SimTime), static_cast<double>(time), 1e-15)
        << path;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, BrokenIntervalName,
    ::testing::Values(
        // Default names, three decimals: t = 0.0685 is "0000p068", the set of t = 0.068.
        BreakNameCase{"default_names", "0.002", 0.0682L, 0.068L, nullptr, false},
        // Whole milliseconds, like "1ps", "2ps": a break in the first half of an interval
        // takes the previous interval's name.
        BreakNameCase{"whole_units", "0.01", 0.0201L, 0.02L, WholeMilliseconds, false},
        BreakNameCase{"break_name_taken", "0.002", 0.0682L, 0.068L, nullptr, true}),
    [](const ::testing::TestParamInfo<BreakNameCase>& p) { return p.param.name; });

// Names rounded coarser than the output interval: a later interval never replaces the
// set an earlier one of the same run wrote; it gets "_2".
TEST(ResultFiles, LaterIntervalOfTheRunKeepsAnEarlierSetOfTheSameName) {
  TempDir dir;
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {30, 1, 0, false, false});
  if (HasFatalFailure()) return;
  WholeMilliseconds(app.saveOptions);
  app.main.SaveDir = dir.Dir();
  app.saveOptions.SaveDir = dir.Dir();
  // Intervals of 0.4 ms: 0.8 ms and 1.2 ms are both "1ms".
  const std::string name = app.saveOptions.MakeOutputName(0.0008L);
  ASSERT_EQ(app.saveOptions.MakeOutputName(0.0012L), name);
  testing::Advance(app, "0.0004", "0.0012");
  if (HasFatalFailure()) return;
  for (const auto& [base, time] : {std::pair{name, 0.0008}, std::pair{name + "_2", 0.0012}}) {
    ScriptedPrompter p2;
    AppModel loaded(p2);
    testing::ChooseEquationsOfState(loaded);
    if (HasFatalFailure()) return;
    testing::LoadAndAccept(loaded, p2, base + ".DAT");
    if (HasFatalFailure()) return;
    EXPECT_NEAR(static_cast<double>(loaded.session.sim.SimTime), time, 1e-15) << base;
  }
}

}  // namespace
}  // namespace tarvex
