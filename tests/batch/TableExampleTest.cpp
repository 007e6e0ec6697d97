// The bundled example film_table_gold: a gold film on glass, both from the shipped table
// sets (data/eos/gold, data/eos/glass). Its settings print back to themselves (naming the
// sets), the run heats the surface and spreads the heat through the film, and the same run
// with the analytic models the sets were made from ("Rose" Au, "SilGlass" Glass) gives the
// same temperatures to within 1 %.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "batch/BatchSupport.h"
#include "batch/Examples.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::TempDir;
namespace fs = std::filesystem;

TEST(TableExample, PrintSettingsRoundTrip) {
  TempDir dir;
  const testing::MainResult r = CallMain(
      {"--example", "film_table_gold", "--print-settings", "--out", (dir.path() / "o").string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  for (const char* text :
       {"EqType = \"Table\"", "data/eos/gold/data.man", "data/eos/glass/data.man"}) {
    EXPECT_NE(r.out.find(text), std::string::npos) << text;
  }
  const std::string path = dir.Write("printed.toml", r.out);
  const testing::MainResult again = CallMain({path, "--print-settings"});
  ASSERT_EQ(again.code, kExitOk) << again.err;
  EXPECT_EQ(again.out.substr(again.out.find("\n[")), r.out.substr(r.out.find("\n[")));
}

// The temperatures of the film's last cell (149, its surface) and of its first cell (50,
// its back, 50 nm deeper) in a result table.
std::vector<double> SurfaceAndBack(const fs::path& file) {
  std::ifstream in(file);
  std::vector<double> out(2, 0.0);
  for (std::string line; std::getline(in, line);) {
    std::istringstream row(line);
    double no = 0, x = 0, rho = 0, v = 0, P = 0, E = 0, T = 0;
    if (!(row >> no >> x >> rho >> v >> P >> E >> T)) continue;
    if (no == 149) out[0] = T;
    if (no == 50) out[1] = T;
  }
  return out;
}

TEST(TableExample, TablesRunAsTheModelsTheyWereMadeFrom) {
  TempDir dir;
  const fs::path tables = dir.path() / "tables";
  const testing::MainResult r =
      CallMain({"--example", "film_table_gold", "--quiet", "--out", tables.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  std::string header;
  std::getline(std::ifstream(tables / "7E-13.TXT"), header);
  EXPECT_EQ(header.substr(0, header.find('\r')), "Table: gold");
  const std::vector<double> early = SurfaceAndBack(tables / "7E-13.DAT");
  const std::vector<double> late = SurfaceAndBack(tables / "4p7E-12.DAT");
  EXPECT_GT(early[0], 600);          // the pulse heated the surface
  EXPECT_LT(late[0], early[0]);      // conduction carries the heat inwards
  EXPECT_GT(late[1], early[1]);      // and the back warms meanwhile
  EXPECT_LT(late[0] - late[1], 50);  // nearly uniform after a few picoseconds

  // The same run with the analytic models.
  std::string text(FindExample("film_table_gold")->text);
  text = testing::Replaced(text, "EqType = \"Table\"\nTabFiles = \"../data/eos/gold/data.man\"",
                           "EqType = \"Rose\"\nMetal = \"Au\"");
  text = testing::Replaced(text, "EqType = \"Table\"\nTabFiles = \"../data/eos/glass/data.man\"",
                           "EqType = \"SilGlass\"\nMetal = \"Glass\"");
  ASSERT_EQ(text.find("TabFiles"), std::string::npos);
  const std::string run = dir.Write("analytic.toml", text);
  const fs::path analytic = dir.path() / "analytic";
  const testing::MainResult a = CallMain({run, "--quiet", "--out", analytic.string()});
  ASSERT_EQ(a.code, kExitOk) << a.err;
  for (const char* t : {"7E-13.DAT", "4p7E-12.DAT"}) {
    const std::vector<double> tab = SurfaceAndBack(tables / t);
    const std::vector<double> exact = SurfaceAndBack(analytic / t);
    for (size_t k = 0; k < 2; ++k) {
      EXPECT_NEAR(tab[k], exact[k], 0.01 * (exact[k] - 300) + 0.5) << t << " cell " << k;
    }
  }
}

}  // namespace
}  // namespace tarvex::batch
