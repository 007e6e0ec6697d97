// "Spall.dat" of a run that breaks: the laser-heated aluminium film, free to move, is
// stretched behind its heated surface; with a small solid strength and the trace on, every
// failed cell is logged under the header with its temperature, pressure, density and the
// time inside the run. An output directory where the log cannot be written ends the run
// with exit code 5 and a message naming the file, the profiles written.
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
using testing::MainResult;
using testing::Replaced;
using testing::TempDir;
namespace fs = std::filesystem;

// Aluminium as "Rose" is a solid to the check: the solid strength applies, here a
// constant -0.05 GPa, with the time criteria off.
std::string BreakingRun(bool trace) {
  const BundledExample* example = FindExample("laser_heating_1t");
  if (example == nullptr) throw std::runtime_error("laser_heating_1t is not bundled");
  std::string text(example->text);
  text = Replaced(text, "MoveType = \"No move\"", "MoveType = \"P0 = Pout\"");
  text = Replaced(text, "AEdit = 2 ", "AEdit = 20 ");
  text = Replaced(text, "EndTime = 2e-11", "EndTime = 5.7e-12");
  return Replaced(text, "[main]",
                  std::string("[spall]\nCheckNucl = false\nCheckPsol = true\nPsol0Edit = -0.05\n"
                              "PsolTEdit = 0\nPsolT2Edit = 0\nSpallTrace = ") +
                      (trace ? "true" : "false") + "\n\n[main]");
}

std::vector<std::string> Lines(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

TEST(SpallTraceRun, ARunThatBreaksLogsEveryFailedCell) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const MainResult r =
      CallMain({dir.Write("run.toml", BreakingRun(true)), "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  const std::vector<std::string> lines = Lines(out / "Spall.dat");
  ASSERT_GE(lines.size(), 2u) << "the film did not break";
  // The header of a log without the time criteria, the line ending CR LF.
  EXPECT_EQ(lines[0], "\"T, K \"  \"P, GPa\" \"rho, g/cm3\"   \"time, ps\"\r");
  for (size_t k = 1; k < lines.size(); ++k) {
    SCOPED_TRACE(lines[k]);
    ASSERT_FALSE(lines[k].empty());
    EXPECT_EQ(lines[k].back(), '\r');
    std::istringstream fields(lines[k]);
    double T = 0, p = 0, rho = 0, t = 0;
    ASSERT_TRUE(fields >> T >> p >> rho >> t);
    std::string more;
    EXPECT_FALSE(fields >> more) << "no time-criterion columns expected";
    EXPECT_GE(T, 299.0);  // heated from 300 K
    EXPECT_LE(T, 5000.0);
    EXPECT_LT(p, -0.05);  // failed below the solid strength [GPa]
    EXPECT_GT(rho, 1.0);  // aluminium, hot and stretched [g/cm3]
    EXPECT_LT(rho, 2.7);
    EXPECT_GT(t, -0.3);  // inside the run [ps]: from -0.3 ps to 5.7 ps
    EXPECT_LE(t, 5.7);
  }
  // The tension times go with the profiles; without the trace there is no log.
  EXPECT_TRUE(fs::exists(out / "Tneg.dat"));
  const fs::path quiet = dir.path() / "q";
  ASSERT_EQ(
      CallMain({dir.Write("quiet.toml", BreakingRun(false)), "--quiet", "--out", quiet.string()})
          .code,
      kExitOk);
  EXPECT_TRUE(fs::exists(quiet / "5p7E-12.DAT"));
  EXPECT_FALSE(fs::exists(quiet / "Spall.dat"));
}

TEST(SpallTraceRun, ALogThatCannotBeWrittenEndsWithAnIoFailure) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  fs::create_directories(out / "Spall.dat");  // the name is taken by a directory
  const MainResult r =
      CallMain({dir.Write("run.toml", BreakingRun(true)), "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitIoFailure) << r.err;
  EXPECT_NE(r.err.find("Spall.dat"), std::string::npos) << r.err;
  for (const char* profile : {"7E-13.DAT", "1p7E-12.DAT", "5p7E-12.DAT"})
    EXPECT_TRUE(fs::exists(out / profile)) << profile;  // the run went on
  EXPECT_TRUE(fs::is_directory(out / "Spall.dat"));
}

}  // namespace
}  // namespace tarvex::batch
