// The bundled example laser_heating_1t: its settings print back to themselves, and the run
// shows what a physicist checks by eye: the surface temperature rises during the pulse
// and decays afterwards while the heat spreads into the film.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchSupport.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(LaserExample, PrintSettingsRoundTrip) {
  TempDir dir;
  const testing::MainResult r = CallMain(
      {"--example", "laser_heating_1t", "--print-settings", "--out", (dir.path() / "o").string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  for (const char* table : {"[thermal]", "[laser]", "Page = \"Constant\"", "tEdit = 100"}) {
    EXPECT_NE(r.out.find(table), std::string::npos) << table;
  }
  const std::string path = dir.Write("printed.toml", r.out);
  const testing::MainResult again = CallMain({path, "--print-settings"});
  ASSERT_EQ(again.code, kExitOk) << again.err;
  EXPECT_EQ(again.out.substr(again.out.find("\n[")), r.out.substr(r.out.find("\n[")));
}

// The temperature column of the last row (the surface cell) and of the row `fromEnd`
// rows above it in a result table.
std::vector<double> Temperatures(const fs::path& file, int32_t fromEnd) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  std::vector<double> out;
  for (int32_t back : {0, fromEnd}) {
    std::istringstream row(lines[lines.size() - 1 - static_cast<size_t>(back)]);
    double no = 0, x = 0, T = 0;
    row >> no >> x >> T;
    out.push_back(T);
  }
  return out;
}

TEST(LaserExample, SurfaceTemperatureRisesAndDecays) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const testing::MainResult r =
      CallMain({"--example", "laser_heating_1t", "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  // Intervals end at 0.7, 4.7 and 19.7 ps after the peak of the pulse.
  const std::vector<double> early = Temperatures(out / "7E-13.DAT", 60);
  const std::vector<double> mid = Temperatures(out / "4p7E-12.DAT", 60);
  const std::vector<double> late = Temperatures(out / "1p97E-11.DAT", 60);
  EXPECT_GT(early[0], 600);     // heated well above 300 K by the pulse
  EXPECT_LT(mid[0], early[0]);  // then cooling by conduction into the film
  EXPECT_LT(late[0], mid[0]);
  EXPECT_GT(late[0], 380);      // the heat stays in the film (no conducting substrate)
  EXPECT_LT(early[1], mid[1]);  // 60 nm deep the film warms meanwhile
  EXPECT_LT(mid[1], late[1]);
  EXPECT_GT(early[1], 299);
}

}  // namespace
}  // namespace tarvex::batch
