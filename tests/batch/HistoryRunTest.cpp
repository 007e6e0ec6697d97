// The time history of a run: the laser-heating example on a moving grid writes one record
// per output interval whose surface position and velocity are those of the profile set of
// the same time; a run continued from one of its sets appends exactly the missing
// records; a history that cannot be written fails the run's summary (exit code 5) while
// every profile set is still written.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchSupport.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::MainResult;
using testing::Replaced;
using testing::TempDir;
namespace fs = std::filesystem;

std::vector<std::string> Lines(const fs::path& file) {
  return testing::FileLines(file);
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string f; std::getline(in, f, '\t');) {
    const size_t a = f.find_first_not_of(' ');
    out.push_back(a == std::string::npos ? std::string() : f.substr(a));
  }
  return out;
}

// The example on a moving grid (free left end), ending at `end`.
std::string MovingLaserRun(const std::string& end) {
  const BundledExample* example = FindExample("laser_heating_1t");
  if (example == nullptr) throw std::runtime_error("laser_heating_1t is not bundled");
  std::string text(example->text);
  text = Replaced(text, "MoveType = \"No move\"", "MoveType = \"P0 = Pout\"");
  return Replaced(text, "EndTime = 2e-11", "EndTime = " + end);
}

// Continues from `profile` into the same directory up to `end`.
std::string Continuation(const std::string& profile, const std::string& end) {
  const std::string text = MovingLaserRun(end);
  const size_t from = text.find("[eos.film]");
  const std::string dialogs = text.substr(from, text.find("[main]") - from);
  return "load = \"" + profile + "\"\n\n" + dialogs + "[main]\ndt1 = 1e-12\nEndTime = " + end +
         "\n[initial]\nMoveType = \"P0 = Pout\"\nQext = true\n"
         "[answers]\n\"With Thermocond\" = \"Yes\"\n";
}

// Record times of a history (the header skipped).
std::vector<Real> Times(const fs::path& history) {
  std::vector<Real> out;
  const std::vector<std::string> lines = Lines(history);
  for (size_t k = 1; k < lines.size(); ++k)
    out.push_back(testing::FieldNumber(Fields(lines[k])[0]));
  return out;
}

TEST(HistoryRun, OneRecordPerIntervalAgreeingWithTheProfiles) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const MainResult r = CallMain(
      {dir.Write("run.toml", MovingLaserRun("2.7e-12")), "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const std::vector<std::string> lines = Lines(out / "Surf.dat");
  // Named layout with a substrate on the left: the legend, and the film's mean velocity.
  ASSERT_EQ(lines.size(), 1u + 3u);
  EXPECT_NE(lines[0].find(" v_f_m[km/s]"), std::string::npos) << lines[0];
  EXPECT_TRUE(fs::exists(out / "Surf.txt"));
  const std::vector<std::string> header = Fields(lines[0]);
  const char* profiles[] = {"7E-13.DAT", "1p7E-12.DAT", "2p7E-12.DAT"};
  const Real times[] = {7e-13L, 1.7e-12L, 2.7e-12L};
  for (size_t k = 0; k < 3; ++k) {
    const std::vector<std::string> rec = Fields(lines[k + 1]);
    ASSERT_EQ(rec.size(), header.size()) << lines[k + 1];
    EXPECT_NEAR(testing::FieldNumber(rec[0]), times[k], 1e-6L * times[k]);
    // The surface is the film's free end, the last node of the profile: 100 nm above the
    // interface at the start.
    const std::vector<std::string> table = Lines(out / profiles[k]);
    ASSERT_EQ(table.size(), 1u + 151u) << profiles[k];
    const std::vector<std::string> last = Fields(table.back());
    // The profile's six digits of x near 100 nm hold it to half a unit of 1e-3 nm.
    EXPECT_NEAR(testing::FieldNumber(rec[1]), 100 - testing::FieldNumber(last[1]), 5.01e-4L)
        << profiles[k];
    EXPECT_LT(testing::FieldNumber(rec[1]), -0.1) << profiles[k];  // the heated film has expanded
    EXPECT_EQ(rec[2], last[3]) << profiles[k];  // the velocity as the profile shows it
  }
}

TEST(HistoryRun, ContinuedRunAppendsExactlyTheMissingRecords) {
  TempDir dir;
  const fs::path full = dir.path() / "full";
  const fs::path part = dir.path() / "part";
  ASSERT_EQ(CallMain({dir.Write("full.toml", MovingLaserRun("3.7e-12")), "--quiet", "--out",
                      full.string()})
                .code,
            kExitOk);
  ASSERT_EQ(CallMain({dir.Write("part.toml", MovingLaserRun("1.7e-12")), "--quiet", "--out",
                      part.string()})
                .code,
            kExitOk);
  ASSERT_EQ(Times(part / "Surf.dat").size(), 2u);
  // Continued from the last set, then once more from an earlier one: the second run
  // repeats times that are already there (and replaces their sets: --overwrite).
  for (const char* from : {"1p7E-12.DAT", "7E-13.DAT"}) {
    const MainResult r =
        CallMain({dir.Write("cont.toml", Continuation((part / from).string(), "3.7e-12")),
                  "--quiet", "--overwrite", "--out", part.string()});
    ASSERT_EQ(r.code, kExitOk) << r.err;
    const std::vector<Real> a = Times(full / "Surf.dat");
    const std::vector<Real> b = Times(part / "Surf.dat");
    ASSERT_EQ(b.size(), a.size()) << from;
    for (size_t k = 0; k < a.size(); ++k) EXPECT_NEAR(b[k], a[k], 1e-6L * a[k]) << from;
  }
  EXPECT_EQ(Lines(part / "Surf.dat")[0], Lines(full / "Surf.dat")[0]);
}

TEST(HistoryRun, AHistoryThatCannotBeWrittenFailsTheSummary) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  fs::create_directories(out / "Surf.dat");  // the name is taken by a directory
  const MainResult r = CallMain(
      {dir.Write("run.toml", MovingLaserRun("1.7e-12")), "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitIoFailure) << r.err;
  EXPECT_NE(r.err.find("Surf.dat"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(out / "7E-13.DAT"));  // the run went on
  EXPECT_TRUE(fs::exists(out / "1p7E-12.DAT"));
  EXPECT_TRUE(fs::is_directory(out / "Surf.dat"));
}

}  // namespace
}  // namespace tarvex::batch
