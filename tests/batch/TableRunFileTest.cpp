// Run files with a tabulated equation of state: `TabFiles` names the description file
// relative to the run file's folder, the printed settings name it so that they reload the
// same set, a damaged table is refused naming its file and line, and
// `--write-eos-table` writes a set that a run then loads.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "batch/BatchSupport.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::TempDir;
namespace fs = std::filesystem;

// A 100 nm gold film at rest, its equation of state from the table set `man`.
std::string FilmRun(const std::string& eosLines) {
  return "[eos.film]\n" + eosLines +
         "\n[main]\nLen = 100\nx1Edit = 1e-7\nDimension = 50\nRho0 = 19.3\ndt1 = 1e-12\n"
         "EndTime = 2e-12\n\n[initial]\nRadioGroup1 = \"Temp\"\nTini = 300\nxf = 100\n"
         "InitProfile = \"1T\"\nMoveType = \"No move\"\n";
}

const fs::path kGoldSet = fs::path(TARVEX_SOURCE_DIR) / "data" / "eos" / "gold";

TEST(TableRunFile, RelativeTabFilesLoadsAndPrintsBack) {
  TempDir dir;
  fs::create_directories(dir.path() / "sets");
  fs::copy(kGoldSet, dir.path() / "sets" / "gold", fs::copy_options::recursive);
  const std::string run =
      dir.Write("film.toml", FilmRun("EqType = \"Table\"\nTabFiles = \"sets/gold/data.man\""));
  const testing::MainResult printed = CallMain({run, "--print-settings"});
  ASSERT_EQ(printed.code, kExitOk) << printed.err;
  const std::string full = (dir.path() / "sets" / "gold" / "data.man").lexically_normal().string();
  EXPECT_NE(printed.out.find("TabFiles = \"" + full + "\""), std::string::npos) << printed.out;
  // The printed settings, saved elsewhere, load the same set.
  fs::create_directories(dir.path() / "elsewhere");
  const std::string again = dir.Write("elsewhere/printed.toml", printed.out);
  const testing::MainResult second = CallMain({again, "--print-settings"});
  ASSERT_EQ(second.code, kExitOk) << second.err;
  EXPECT_EQ(second.out.substr(second.out.find("\n[")), printed.out.substr(printed.out.find("\n[")));

  const testing::MainResult ran = CallMain({run, "--quiet", "--out", (dir.path() / "o").string()});
  ASSERT_EQ(ran.code, kExitOk) << ran.err;
  std::ifstream header(dir.path() / "o" / "2E-12.TXT");
  std::string first;
  std::getline(header, first);
  EXPECT_EQ(first.substr(0, first.find('\r')), "Table: gold") << first;

  // The profile set continues with the printed settings of the film, which name the set.
  const size_t film = printed.out.find("[eos.film]");
  const std::string eos = printed.out.substr(film, printed.out.find("\n\n", film) - film);
  const std::string cont = dir.Write(
      "elsewhere/continue.toml", "load = \"" + (dir.path() / "o" / "2E-12.DAT").string() +
                                     "\"\n\n" + eos + "\n\n[main]\ndt1 = 1e-12\nEndTime = 4e-12\n");
  const testing::MainResult more =
      CallMain({cont, "--quiet", "--out", (dir.path() / "o2").string()});
  ASSERT_EQ(more.code, kExitOk) << more.err;
  std::ifstream later(dir.path() / "o2" / "4E-12.TXT");
  std::getline(later, first);
  EXPECT_EQ(first.substr(0, first.find('\r')), "Table: gold") << first;
}

TEST(TableRunFile, BadTableSetsAreRefusedNamingFileAndLine) {
  TempDir dir;
  fs::copy(kGoldSet, dir.path() / "gold", fs::copy_options::recursive);
  fs::copy(kGoldSet, dir.path() / "broken", fs::copy_options::recursive);
  std::string pressure;
  {
    std::ifstream in(kGoldSet / "pressu.tab", std::ios::binary);
    pressure.assign(std::istreambuf_iterator<char>(in), {});
  }
  std::ofstream(dir.path() / "broken" / "pressu.tab", std::ios::binary)
      << pressure.substr(0, pressure.size() / 3);
  struct Case {
    std::string eos;
    std::string expect;
  };
  const Case cases[] = {
      {"EqType = \"Table\"\nTabFiles = \"broken/data.man\"", "pressu.tab:"},
      {"EqType = \"Table\"\nTabFiles = \"nowhere/data.man\"", "nowhere/data.man"},
      {"EqType = \"Table\"", "needs a table set"},
      {"EqType = \"Rose\"\nMetal = \"Au\"\nTabFiles = \"gold/data.man\"",
       "only the tabulated models read a table set"},
      {"EqType = \"Scaled Tab\"\nTabFiles = \"gold/data.man\"\nTScall = 0", "TScall"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.eos);
    const std::string run = dir.Write("bad.toml", FilmRun(c.eos));
    const testing::MainResult r = CallMain({run, "--print-settings"});
    EXPECT_EQ(r.code, kExitBadRunFile);
    EXPECT_NE(r.err.find(c.expect), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("bad.toml:"), std::string::npos) << r.err;
  }
}

TEST(TableRunFile, WrittenSetIsLoadedByARun) {
  TempDir dir;
  const std::string source = dir.Write(
      "make.toml", FilmRun("EqType = \"Rose\"\nMetal = \"Au\"") +
                       "\n[table]\nTmin = 200\nTmax = 4000\nNT = 12\nRhoMin = 15\nRhoMax = 24\n"
                       "NV = 10\nVSpacing = \"Lin\"\n");
  const std::string out = (dir.path() / "set").string();
  const testing::MainResult w = CallMain({"--write-eos-table", source, "--out", out});
  ASSERT_EQ(w.code, kExitOk) << w.err;
  std::ifstream man(dir.path() / "set" / "data.man");
  std::string title;
  std::getline(man, title);
  EXPECT_NE(title.find("--write-eos-table " + source), std::string::npos) << title;
  for (const char* f : {"temper.in", "volume.in", "pressu.tab", "energy.tab", "physid.tab"}) {
    EXPECT_TRUE(fs::exists(dir.path() / "set" / f)) << f;
  }
  const std::string run = dir.Write(
      "use.toml", FilmRun("EqType = \"Scaled Tab\"\nTabFiles = \"set/data.man\"\nTScall = 1\n"
                          "TSchift = 0"));
  const testing::MainResult r = CallMain({run, "--quiet", "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitOk) << r.err;

  // Without [table], or with a grid that cannot be made, nothing is written.
  const std::string noGrid = dir.Write("nogrid.toml", FilmRun("EqType = \"Rose\"\nMetal = \"Au\""));
  const testing::MainResult n =
      CallMain({"--write-eos-table", noGrid, "--out", (dir.path() / "none").string()});
  EXPECT_EQ(n.code, kExitBadRunFile);
  EXPECT_NE(n.err.find("[table]"), std::string::npos) << n.err;
  const std::string badGrid = dir.Write(
      "badgrid.toml", FilmRun("EqType = \"Rose\"\nMetal = \"Au\"") + "\n[table]\nRhoMin = 15\n");
  const testing::MainResult b =
      CallMain({"--write-eos-table", badGrid, "--out", (dir.path() / "none").string()});
  EXPECT_EQ(b.code, kExitBadRunFile);
  EXPECT_NE(b.err.find("RhoMax"), std::string::npos) << b.err;
  EXPECT_FALSE(fs::exists(dir.path() / "none"));
}

}  // namespace
}  // namespace tarvex::batch
