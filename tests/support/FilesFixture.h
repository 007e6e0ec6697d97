// Helpers of the result-file tests: a temporary directory that cleans up after itself,
// and a state set up through the form models (equation-of-state dialog, main window,
// initial-conditions dialog) and optionally advanced by the calculation driver.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "core/app/AppModel.h"
#include "core/hydro/HydrStat.h"

namespace tarvex::testing {

// A fresh directory below the system's temporary directory, removed with its contents.
class TempDir {
 public:
  TempDir() {
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "tarvex-files-";
    if (info != nullptr) {
      name += info->test_suite_name();
      name += '-';
      name += info->name();
    }
    name += '-';
    name += std::to_string(stamp);
    for (char& c : name) {
      if (c == '/' || c == ' ') c = '_';
    }
    path_ = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The directory with its trailing separator, as SaveDir holds it.
  std::string Dir() const { return path_.string() + "/"; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

// The state of a test: a film of ideal gas (gamma 1.4) with a pressure that grows
// linearly from 1 to 2 over its second half, optionally on a substrate of density 2.
struct StateSetup {
  int32_t N = 60;           // cells, substrate included
  int32_t Dspc = 1;         // geometry
  int32_t glass = 0;        // substrate cells
  bool glassAfter = false;  // substrate after the film ("o&ut")
  bool frozen = false;      // "No move"
};

// Both equations of state through the dialog; nothing else.
inline void ChooseEquationsOfState(AppModel& app) {
  for (bool left : {true, false}) {
    app.eos.SetLeft(left);
    ASSERT_TRUE(app.eos.SelectModel("Ideal gas"));
    app.eos.FieldByName("gamma")->SetText("1.4");
    const TStatEqResult r = app.eos.Ok(app.session.eos);
    ASSERT_TRUE(r) << r.message;
  }
}

inline void SetUpState(AppModel& app, ScriptedPrompter& prompter, const StateSetup& setup) {
  prompter.Script("Save(print) settings?", Answer::No);
  ChooseEquationsOfState(app);
  if (::testing::Test::HasFatalFailure()) return;
  app.main.Len.SetText("1");
  app.main.SetDimension(setup.N);
  app.main.Rho0.SetText("1");
  app.PrepareInitialDialog();

  TInitional& d = app.initial;
  d.FormShow(false);
  ASSERT_EQ(d.SetInt("DspcUpDown", setup.Dspc), FieldSetStatus::Ok);
  ASSERT_EQ(d.SetInt("RadioGroup1", kProfilePress), FieldSetStatus::Ok);
  d.Pini.SetText("1");
  d.LeaveField("Pini");
  d.xf.SetText("0.5");
  d.LeaveField("xf");
  d.Pgr.SetText("2");
  d.LeaveField("Pgr");
  ASSERT_EQ(d.SetInt("GrouthFunc", 1), FieldSetStatus::Ok);  // "L&near"
  d.Dist.SetText("0.5");
  ASSERT_EQ(d.SetInt("InitProfile", kModel1T), FieldSetStatus::Ok);
  if (setup.frozen) {
    ASSERT_EQ(d.SetInt("MoveType", kMoveNone), FieldSetStatus::Ok);
  } else if (setup.Dspc == 1) {
    ASSERT_EQ(d.SetInt("MoveType", kMoveFree), FieldSetStatus::Ok);
  }
  if (setup.glass > 0) {
    ASSERT_EQ(d.SetInt("xShiftDiv", setup.glass), FieldSetStatus::Ok);
    ASSERT_EQ(d.SetCheck("CheckOut", setup.glassAfter), FieldSetStatus::Ok);
    d.rho0l.SetText("2");
    d.LeaveField("rho0l");
    d.T0l.SetText("0.7");
    d.LeaveField("T0l");
  }
  const InitialOkResult ok = d.OkPressed();
  ASSERT_TRUE(ok.accepted) << ok.focus << ": " << ok.message;
  app.FinishInitialDialog();
}

// Advances the state by `intervals` output intervals of dt1 (no files written).
inline void Advance(AppModel& app, const std::string& dt1, const std::string& endTime) {
  app.main.UserEdit("dt1", dt1);
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", endTime);
  app.files.AskOnFinal = false;
  const RunOutcome r = Calculations(app.session, app.main, app.files);
  ASSERT_TRUE(r.reachedEnd) << r.error;
}

// Loads `path` into `app` and presses OK in the after-load mode.
inline void LoadAndAccept(AppModel& app, ScriptedPrompter& prompter, const std::string& path) {
  prompter.Script("With Thermocond", Answer::No);
  prompter.Script("Save(print) settings?", Answer::No);
  const ProfileLoadResult r = app.LoadProfile(path);
  ASSERT_TRUE(r.ok) << r.message;
  const InitialOkResult ok = app.initial.OkPressed();
  ASSERT_TRUE(ok.accepted) << ok.focus << ": " << ok.message;
  app.FinishInitialDialog();
}

}  // namespace tarvex::testing
