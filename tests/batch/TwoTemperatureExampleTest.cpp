// The bundled two-temperature examples: their settings print back to themselves, and the
// runs show what a physicist checks first: the electrons far hotter than the lattice
// during the pulse, the heat spread through the film by the electrons, the two
// temperatures approaching each other as the electrons pass the energy to the lattice.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchSupport.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::TempDir;
namespace fs = std::filesystem;

class TwoTemperatureExample : public ::testing::TestWithParam<const char*> {};

TEST_P(TwoTemperatureExample, PrintSettingsRoundTrip) {
  TempDir dir;
  const testing::MainResult r =
      CallMain({"--example", GetParam(), "--print-settings", "--out", (dir.path() / "o").string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_NE(r.out.find("InitProfile = \"Eq: Te = Ti\""), std::string::npos);
  const std::string path = dir.Write("printed.toml", r.out);
  const testing::MainResult again = CallMain({path, "--print-settings"});
  ASSERT_EQ(again.code, kExitOk) << again.err;
  EXPECT_EQ(again.out.substr(again.out.find("\n[")), r.out.substr(r.out.find("\n[")));
}

// Columns of a result table by title (the unit-labelled titles), one vector per column.
std::map<std::string, std::vector<double>> Columns(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  std::vector<std::string> titles;
  std::istringstream t(line);
  for (std::string s; std::getline(t, s, '\t');) {
    s.erase(0, s.find_first_not_of(' '));
    titles.push_back(s);
  }
  std::map<std::string, std::vector<double>> cols;
  while (std::getline(in, line)) {
    std::istringstream row(line);
    std::string f;
    for (size_t c = 0; c < titles.size() && std::getline(row, f, '\t'); ++c) {
      cols[titles[c]].push_back(std::strtod(f.c_str(), nullptr));
    }
  }
  return cols;
}

TEST_P(TwoTemperatureExample, ElectronsHeatFirstAndPassTheEnergyToTheLattice) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const testing::MainResult r =
      CallMain({"--example", GetParam(), "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  auto early = Columns(out / "7E-13.DAT");
  auto late = Columns(out / "1p97E-11.DAT");
  const std::vector<double>& Te0 = early["Te(n+1/2)[K]"];
  const std::vector<double>& Ti0 = early["Ti(n+1/2)[K]"];
  ASSERT_GE(Te0.size(), 150u);
  // Cells 50..149 are the film, 0..49 the substrate.
  const size_t surface = 149, rear = 50;
  EXPECT_GT(Te0[surface], 1500);
  EXPECT_LT(Ti0[surface], 400);
  // Electron diffusion has spread the heat over the 50 nm within 0.7 ps.
  EXPECT_NEAR(Te0[rear] / Te0[surface], 1.0, 0.1);
  EXPECT_EQ(Te0[0], 300);
  EXPECT_EQ(Ti0[0], 300);
  const std::vector<double>& Te1 = late["Te(n+1/2)[K]"];
  const std::vector<double>& Ti1 = late["Ti(n+1/2)[K]"];
  // The lattice of the rear cell (the surface cell of the moving film expands and cools)
  // takes the electrons' heat.
  EXPECT_LT(Te1[rear], Te0[rear]);
  EXPECT_GT(Ti1[rear], Ti0[rear] + 150);
  EXPECT_LT(Te1[rear] - Ti1[rear], (Te0[rear] - Ti0[rear]) / 4);
}

INSTANTIATE_TEST_SUITE_P(Examples, TwoTemperatureExample,
                         ::testing::Values("film_2t_constant", "film_2t_constant_frozen"),
                         [](const ::testing::TestParamInfo<const char*>& p) {
                           return std::string(p.param);
                         });

}  // namespace
}  // namespace tarvex::batch
