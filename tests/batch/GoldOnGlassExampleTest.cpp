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

// A prescribed pressure stays as typed: the dialog derives the temperatures from it
// through the equation of state's inverse, and taking the pressure back from them once
// printed 0.1 as 0.099999999999999999974 (and then a growth pressure Pgr that the next
// print dropped again). The settings print is a fixed point from the first print.
TEST(GoldOnGlassExample, PrescribedPressurePrintsAsTyped) {
  const BundledExample* example = FindExample("gold_on_glass");
  ASSERT_NE(example, nullptr);
  std::string text(example->text);
  text = Replaced(text, "EqType = \"Table\"\nTabFiles = \"../data/eos/gold/data.man\"",
                  "EqType = \"Rose\"\nMetal = \"Au\"");
  text = Replaced(text, "EqType = \"Table\"\nTabFiles = \"../data/eos/glass/data.man\"",
                  "EqType = \"SilGlass\"\nMetal = \"Glass\"");
  text = Replaced(text, "Pini = 0 ", "Pini = 0.1 ");
  TempDir dir;
  const testing::MainResult first = CallMain({dir.Write("gog.toml", text), "--print-settings"});
  ASSERT_EQ(first.code, kExitOk) << first.err;
  EXPECT_NE(first.out.find("\nPini = 0.1\n"), std::string::npos) << first.out;
  EXPECT_EQ(first.out.find("\nPgr ="), std::string::npos);
  const testing::MainResult second =
      CallMain({dir.Write("printed.toml", first.out), "--print-settings"});
  ASSERT_EQ(second.code, kExitOk) << second.err;
  EXPECT_EQ(second.out.substr(second.out.find("\n[")), first.out.substr(first.out.find("\n[")));
}

}  // namespace
}  // namespace tarvex::batch
