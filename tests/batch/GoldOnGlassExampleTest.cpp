// The bundled typical run gold_on_glass, shortened to its first picoseconds: it runs
// through the pulse on the two-temperature solver with every table it sets (equations of
// state of film and glass, the gold electron model, spallation with its log, the laser),
// and the film's electrons take the pulse's energy while its lattice stays cold; the
// time history has one record per output interval.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "batch/BatchSupport.h"
#include "batch/Examples.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::Replaced;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(GoldOnGlassExample, ElectronsTakeThePulseAndTheHistoryFollows) {
  const BundledExample* example = FindExample("gold_on_glass");
  ASSERT_NE(example, nullptr);
  TempDir dir;
  std::string text = Replaced(std::string(example->text), "EndTime = 3e-11", "EndTime = 2e-12");
  // The table sets, named relative to the example's folder.
  const std::string data = std::string(example->folder) + "/../data/eos/";
  for (const char* set : {"gold", "glass"}) {
    text = Replaced(text, std::string("\"../data/eos/") + set, "\"" + data + set);
  }
  const fs::path out = dir.path() / "out";
  const testing::MainResult r =
      CallMain({dir.Write("gog.toml", text), "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;

  // At 0.7 ps: the film's surface cell (1399) has hot electrons over a cold lattice; the
  // glass (cells below 400) has neither.
  std::ifstream in(out / "7E-13.DAT");
  ASSERT_TRUE(in) << "no set at 0.7 ps";
  double TiSurface = 0, TeSurface = 0, TeGlass = 0;
  for (std::string line; std::getline(in, line);) {
    std::istringstream row(line);
    double no = 0, x = 0, rho = 0, v = 0, P = 0, E = 0, Ti = 0, Te = 0;
    if (!(row >> no >> x >> rho >> v >> P >> E >> Ti >> Te)) continue;
    if (no == 1399) {
      TiSurface = Ti;
      TeSurface = Te;
    }
    if (no == 200) TeGlass = Te;
  }
  EXPECT_GT(TeSurface, 5000);
  EXPECT_LT(TiSurface, 500);
  EXPECT_GT(TiSurface, 300);
  EXPECT_NEAR(TeGlass, 300, 1);

  // One history record per output interval (-0.3 ps to 2 ps: 0.7, 1.7 and the end).
  std::ifstream history(out / "Surf.dat");
  ASSERT_TRUE(history);
  int records = 0;
  for (std::string line; std::getline(history, line);) records += line.empty() ? 0 : 1;
  EXPECT_EQ(records - 1, 3);
  // At this fluence no cell fails: no spallation log.
  EXPECT_FALSE(fs::exists(out / "Spall.dat"));
}

}  // namespace
}  // namespace tarvex::batch
