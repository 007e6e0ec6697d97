// EPS export: the page placement rule, the file layout of a small plot against an expected
// file written by hand, PostScript string safety, and the atomic file write with its
// failure reports.
#include "core/plot/EpsWriter.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "core/plot/PlotFixture.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using testing_plot::FixturePlot;

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Listing(const fs::path& dir) {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
  return names;
}

// A fresh folder under the system temporary folder, removed with its content at the end.
class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "tarvex-eps-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

TEST(EpsPageLayout, ImageSizeRule) {
  const struct {
    int32_t w, h, screen;
    EpsPageLayout want;
  } cases[] = {
      // 640 px on a 1280 px screen: k = 14400 div 1280 = 11, Xoff = 7200 - 7040/2.
      {640, 480, 1280, {11, 3680, 11640, 147, 254, 429, 466}},
      {201, 151, 1440, {10, 6195, 9755, 247, 329, 329, 391}},
      // Wider than the page: Xoff stops at 0; taller than 2 * 9000: Ytop = height.
      {1400, 2000, 1024, {14, 0, 28000, 0, 0, 784, 1120}},
      // A screen wider than 14400 px would give k = 0; k stays 1.
      {100, 100, 20000, {1, 7150, 9050, 286, 358, 290, 362}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " on " << c.screen);
    const EpsPageLayout p = ComputeEpsPageLayout(c.w, c.h, c.screen);
    EXPECT_EQ(p.k, c.want.k);
    EXPECT_EQ(p.Xoff, c.want.Xoff);
    EXPECT_EQ(p.Ytop, c.want.Ytop);
    EXPECT_EQ(p.bboxLeft, c.want.bboxLeft);
    EXPECT_EQ(p.bboxBottom, c.want.bboxBottom);
    EXPECT_EQ(p.bboxRight, c.want.bboxRight);
    EXPECT_EQ(p.bboxTop, c.want.bboxTop);
  }
}

EpsOptions FixtureOptions() {
  EpsOptions o;
  o.title = "fixture.eps";
  o.creationDate = "2024-05-01 12:00:00";
  o.screenWidth = 1440;
  return o;
}

TEST(WriteEps, SmallPlotMatchesTheExpectedFile) {
  const std::string want = ReadFile(fs::path(TARVEX_TEST_DATA) / "plot" / "two_series.eps");
  ASSERT_FALSE(want.empty());
  const std::string got = WriteEps(FixturePlot(), FixtureOptions());
  if (got != want) {
    // Point at the first line that differs.
    std::istringstream g(got), w(want);
    std::string gl, wl;
    for (int line = 1; std::getline(w, wl); ++line) {
      if (!std::getline(g, gl) || gl != wl) {
        ADD_FAILURE() << "line " << line << ": expected [" << wl << "] got [" << gl << "]";
        break;
      }
    }
    FAIL() << "EPS text differs from the expected file";
  }
}

TEST(WriteEps, FirstLineIdentifiesAnEpsFile) {
  // Readers take a file as EPS only with a version after "%!PS-Adobe-"; without it the
  // bounding box is ignored and the picture is placed as a whole page.
  const std::string eps = WriteEps(FixturePlot(), FixtureOptions());
  EXPECT_EQ(eps.substr(0, eps.find("\r\n")), "%!PS-Adobe-2.0 EPSF-2.0");
}

TEST(WriteEps, TextsAreSafePostScriptStrings) {
  PlotModel m = FixturePlot();
  m.SetTitle("a(b))\\c \xC2\xB5m");
  EpsOptions o = FixtureOptions();
  o.title = "two\nlines.eps";
  o.creationDate = "today\r\n%%EOF";
  const std::string eps = WriteEps(m, o);
  EXPECT_NE(eps.find(" (a\\(b\\)\\)\\\\c \\302\\265m) sh\r\n"), std::string::npos);
  EXPECT_NE(eps.find("%%Title: two?lines.eps\r\n"), std::string::npos);
  EXPECT_NE(eps.find("%%CreationDate: today??%%EOF\r\n"), std::string::npos);
}

TEST(EpsProposedName, DropsTheExtension) {
  EXPECT_EQ(EpsProposedName("graph.BMP"), "graph");
  EXPECT_EQ(EpsProposedName("out/t1.5ps.jpg"), "out/t1.5ps");
  EXPECT_EQ(EpsProposedName("noext"), "noext");
}

TEST(SaveEps, WritesTheFileAndReplacesAnOldOne) {
  TempFolder dir;
  const fs::path file = dir.Path() / "graph.eps";
  { std::ofstream(file) << "old content"; }
  const FileWriteResult r = SaveEps(file, FixturePlot(), "2024-05-01 12:00:00", 1440);
  ASSERT_TRUE(r.ok) << r.message;
  EpsOptions o = FixtureOptions();
  o.title = "graph.eps";  // the title line names the file
  EXPECT_EQ(ReadFile(file), WriteEps(FixturePlot(), o));
  EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"graph.eps"}));  // no temporary left
}

TEST(SaveEps, MissingFolderIsReportedWithTheFileName) {
  TempFolder dir;
  const fs::path file = dir.Path() / "no-such-folder" / "graph.eps";
  const FileWriteResult r = SaveEps(file, FixturePlot(), "d", 1440);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("No such file or directory"), std::string::npos) << r.message;
  EXPECT_TRUE(Listing(dir.Path()).empty());
}

TEST(SaveEps, UnwritableFolderLeavesNothingBehind) {
  TempFolder dir;
  const fs::path folder = dir.Path() / "locked";
  fs::create_directory(folder);
  const fs::path file = folder / "graph.eps";
  { std::ofstream(file) << "good picture"; }
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(folder.c_str(), W_OK) == 0) {
    GTEST_SKIP() << "permissions do not restrict this user (root)";
  }
  const FileWriteResult r = SaveEps(file, FixturePlot(), "d", 1440);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("Permission denied"), std::string::npos) << r.message;
  EXPECT_EQ(Listing(folder), (std::set<std::string>{"graph.eps"}));
  EXPECT_EQ(ReadFile(file), "good picture");
}

TEST(SaveEps, FailedRenameRemovesTheTemporaryFile) {
  // The target name is taken by a folder: everything is written, the rename fails.
  TempFolder dir;
  const fs::path file = dir.Path() / "graph.eps";
  fs::create_directory(file);
  const FileWriteResult r = SaveEps(file, FixturePlot(), "d", 1440);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
  EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"graph.eps"}));
  EXPECT_TRUE(fs::is_directory(file));
}

// Runs in a child process: limits the file size so that the write of the temporary file
// fails part-way, then checks that the good file is intact and no temporary is left.
[[noreturn]] void WriteBeyondFileSizeLimit(const fs::path& file) {
  ::signal(SIGXFSZ, SIG_IGN);  // report EFBIG instead of ending the process
  rlimit limit{64, 64};
  if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) std::_Exit(10);
  const FileWriteResult r = SaveEps(file, FixturePlot(), "d", 1440);
  if (r.ok) std::_Exit(11);
  if (r.message.find(file.string()) == std::string::npos) std::_Exit(12);
  if (r.message.find("File too large") == std::string::npos) std::_Exit(13);
  if (ReadFile(file) != "good picture") std::_Exit(14);
  if (Listing(file.parent_path()) != std::set<std::string>{"graph.eps"}) std::_Exit(15);
  std::_Exit(0);
}

TEST(SaveEps, FailedWriteKeepsTheGoodFile) {
  TempFolder dir;
  const fs::path file = dir.Path() / "graph.eps";
  { std::ofstream(file) << "good picture"; }
  EXPECT_EXIT(WriteBeyondFileSizeLimit(file), testing::ExitedWithCode(0), "");
  EXPECT_EQ(ReadFile(file), "good picture");
  EXPECT_EQ(Listing(dir.Path()), (std::set<std::string>{"graph.eps"}));
}

}  // namespace
}  // namespace tarvex
