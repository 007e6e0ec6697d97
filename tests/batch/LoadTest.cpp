// Starting a run from a saved profile (`load`): a run stopped at half its end time and
// continued from the profile it wrote ends with the same final table as one run, to the
// precision of the written texts; a profile that cannot be loaded refuses the run file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "batch/BatchSupport.h"
#include "core/common/NumStringFormat.h"
#include "core/files/SaveOptions.h"

namespace tarvex::batch {
namespace {

using testing::CallMain;
using testing::Replaced;
using testing::ShockTubeText;
using testing::TempDir;

namespace fs = std::filesystem;

// The shock tube with fixed sub-steps (dt1 / 1000), so that both runs take the same
// steps from equal states, and the smoothing viscosity "Symm": the comparison below is at
// the precision of the six-digit texts, which a shock kept within fewer cells ("Loc")
// turns into larger differences at the front.
std::string FixedSteps(const std::string& endTime) {
  std::string text = Replaced(ShockTubeText(), "EndTime = 0.2", "EndTime = " + endTime);
  text = Replaced(text, "ViscType = \"Loc\"", "ViscType = \"Symm\"");
  return Replaced(text, "dt1 = 0.05", "dt1 = 0.05\nMnStepDiv = 1000\nStepDiv = 1000");
}

// The continuation: the equations of state and the viscosity as before, the boundary
// settings of the after-load dialog, the times; the state comes from the profile.
std::string Continuation(const std::string& profile) {
  return "load = \"" + profile +
         "\"\n"
         "[eos.film]\nEqType = \"Ideal gas\"\ngamma = 1.4\n"
         "[eos.left]\nEqType = \"Ideal gas\"\ngamma = 1.4\n"
         "[main]\ndt1 = 0.05\nEndTime = 0.2\nMnStepDiv = 1000\nStepDiv = 1000\n"
         "[initial]\nMoveType = \"v0 = 0\"\nCheckKeepVL = true\n"
         "[viscosity]\nViscType = \"Symm\"\nViscMult = 2\n"
         "[answers]\n\"With Thermocond\" = \"No\"\n";
}

std::vector<std::vector<Real>> ReadTable(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::vector<std::vector<Real>> rows;
  std::string line;
  std::getline(in, line);  // titles
  const TNumStringFormat format;
  while (std::getline(in, line)) {
    std::vector<Real> row;
    std::istringstream fields(line);
    std::string f;
    while (std::getline(fields, f, '\t')) {
      Real v = 0;
      if (format.Parse(f, v) == TConvertStatus::Ok) row.push_back(v);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

TEST(Load, ContinuedRunEndsLikeOneRun) {
  TempDir dir;
  const fs::path full = dir.path() / "full";
  const fs::path half = dir.path() / "half";
  const fs::path cont = dir.path() / "cont";
  const testing::MainResult one =
      CallMain({dir.Write("full.toml", FixedSteps("0.2")), "--quiet", "--out", full.string()});
  ASSERT_EQ(one.code, kExitOk) << one.err;
  const testing::MainResult first =
      CallMain({dir.Write("half.toml", FixedSteps("0.1")), "--quiet", "--out", half.string()});
  ASSERT_EQ(first.code, kExitOk) << first.err;

  TSaveFileOptions names;
  names.SaveDir = WithTrailingSeparator(half.string());
  const std::string profile = names.MakeOutputName(0.1L) + ".DAT";
  ASSERT_TRUE(fs::is_regular_file(profile));
  const testing::MainResult second =
      CallMain({dir.Write("cont.toml", Continuation(profile)), "--quiet", "--out", cont.string()});
  ASSERT_EQ(second.code, kExitOk) << second.err;
  // The continuation writes only its own intervals.
  names.SaveDir = WithTrailingSeparator(cont.string());
  EXPECT_FALSE(fs::exists(names.MakeOutputName(0.1L) + ".DAT"));
  EXPECT_TRUE(fs::exists(names.MakeOutputName(0.15L) + ".DAT"));

  names.SaveDir = WithTrailingSeparator(full.string());
  const auto a = ReadTable(names.MakeOutputName(0.2L) + ".DAT");
  names.SaveDir = WithTrailingSeparator(cont.string());
  const auto b = ReadTable(names.MakeOutputName(0.2L) + ".DAT");
  ASSERT_EQ(a.size(), 900u + 1);  // a row per cell and the last node's row
  ASSERT_EQ(a.size(), b.size());
  // Each column against its own scale. The profile was read back from six-digit texts,
  // and the continuation's sub-steps follow their own step control from there: the
  // shock, a jump across a few cells, sits a fraction of a cell apart, so a cell at the
  // front differs by a fraction of the jump while the mean difference stays at the
  // precision of the texts. A lost setting (viscosity, a wall) or a wrong start time
  // moves whole regions by far more.
  const size_t columns = a.front().size();
  for (size_t c = 0; c < columns; ++c) {
    Real scale = 0;
    for (const auto& row : a)
      if (c < row.size()) scale = std::max(scale, std::fabs(row[c]));
    if (scale == 0) continue;
    Real worst = 0;
    Real sum = 0;
    int32_t n = 0;
    for (size_t r = 0; r < a.size(); ++r) {
      if (c >= a[r].size()) continue;
      ASSERT_LT(c, b[r].size()) << "row " << r;
      const Real d = std::fabs(a[r][c] - b[r][c]) / scale;
      worst = std::max(worst, d);
      sum += d;
      ++n;
    }
    std::printf("Load: column %zu: mean relative difference %.3g, largest %.3g\n", c,
                static_cast<double>(sum / n), static_cast<double>(worst));
    EXPECT_LT(sum / n, 2e-5) << "column " << c;
    EXPECT_LT(worst, 1e-3) << "column " << c;
  }
}

// A laser example on a moving grid with a pulse of 1 ps, stopped at 0.7 ps while the
// pulse still heats and continued from its full-precision profile: the continuation
// heats the cells as the uninterrupted run does (the laser table belongs to the initial
// grid, not to the moved nodes of the profile) and carries every array of its class (the
// electrons' temperature, energy and pressure in two temperatures), so every column of the
// last table agrees to the last digits.
struct PulseRestart {
  const char* example;
  const char* moveFrom;  // the example's motion
  const char* move;      // the motion of both runs
  const char* answers;   // the loader's questions
};

void ContinuedDuringThePulseEndsLikeOneRun(const PulseRestart& c) {
  const BundledExample* example = FindExample(c.example);
  ASSERT_NE(example, nullptr);
  std::string text(example->text);
  text = Replaced(text, "tEdit = 100 ", "tEdit = 1000 ");
  text = Replaced(text, std::string("MoveType = \"") + c.moveFrom + "\"",
                  std::string("MoveType = \"") + c.move + "\"");
  text = Replaced(text, "dt1 = 1e-12 ", "dt1 = 1e-12\nMnStepDiv = 200\nStepDiv = 200 ");
  text = Replaced(text, "[answers]", "[format]\nPress = 21\n\n[answers]");
  auto ending = [&](const std::string& end) {
    return Replaced(text, "EndTime = 2e-11", "EndTime = " + end);
  };
  TempDir dir;
  const fs::path full = dir.path() / "full";
  const fs::path half = dir.path() / "half";
  const fs::path cont = dir.path() / "cont";
  const testing::MainResult one =
      CallMain({dir.Write("full.toml", ending("2.7e-12")), "--quiet", "--out", full.string()});
  ASSERT_EQ(one.code, kExitOk) << one.err;
  const testing::MainResult first =
      CallMain({dir.Write("half.toml", ending("7e-13")), "--quiet", "--out", half.string()});
  ASSERT_EQ(first.code, kExitOk) << first.err;

  // The dialogs as before (the example's tables up to [main]), the times, the after-load
  // keys; the state comes from the profile.
  const size_t from = text.find("[eos.film]");
  const std::string dialogs = text.substr(from, text.find("[main]") - from);
  const std::string continuation = "load = \"" + (half / "7E-13.DAT").string() + "\"\n\n" +
                                   dialogs +
                                   "[main]\ndt1 = 1e-12\nMnStepDiv = 200\nStepDiv = 200\n"
                                   "EndTime = 2.7e-12\n"
                                   "[initial]\nMoveType = \"" +
                                   c.move +
                                   "\"\nQext = true\n"
                                   "[format]\nPress = 21\n"
                                   "[answers]\n" +
                                   c.answers;
  const testing::MainResult second =
      CallMain({dir.Write("cont.toml", continuation), "--quiet", "--out", cont.string()});
  ASSERT_EQ(second.code, kExitOk) << second.err;

  const auto a = ReadTable((full / "2p7E-12.DAT").string());
  const auto b = ReadTable((cont / "2p7E-12.DAT").string());
  ASSERT_EQ(a.size(), 150u + 1);
  ASSERT_EQ(a.size(), b.size());
  for (size_t col = 0; col < a.front().size(); ++col) {
    Real scale = 0;
    for (const auto& row : a)
      if (col < row.size()) scale = std::max(scale, std::fabs(row[col]));
    if (scale == 0) continue;
    Real worst = 0;
    for (size_t r = 0; r < a.size(); ++r) {
      if (col >= a[r].size()) continue;
      ASSERT_LT(col, b[r].size()) << "row " << r;
      worst = std::max(worst, std::fabs(a[r][col] - b[r][col]) / scale);
    }
    EXPECT_LT(worst, 1e-12) << c.example << " column " << col;
  }
  // The energy the laser added goes on counting from the saved run's (its header gives
  // Eadd to four digits), not from 0 and not from the whole energy of the loaded state.
  auto eadd = [](const fs::path& txt) {
    std::ifstream in(txt);
    std::string line;
    while (std::getline(in, line)) {
      const size_t at = line.find("Eadd = ");
      if (line.rfind("Etherm", 0) == 0 && at != std::string::npos) {
        return std::stod(line.substr(at + 7));
      }
    }
    return std::nan("");
  };
  const double added = eadd(full / "2p7E-12.TXT");
  ASSERT_GT(added, 0) << c.example;
  EXPECT_NEAR(eadd(cont / "2p7E-12.TXT") / added, 1.0, 2e-3) << c.example;
}

TEST(Load, LaserRunContinuedDuringThePulseEndsLikeOneRun) {
  ContinuedDuringThePulseEndsLikeOneRun(
      {"laser_heating_1t", "No move", "P0 = Pout", "\"With Thermocond\" = \"Yes\"\n"});
}

TEST(Load, TwoTemperatureRunContinuedDuringThePulseEndsLikeOneRun) {
  ContinuedDuringThePulseEndsLikeOneRun({"film_2t_constant", "v0 = 0", "v0 = 0",
                                         "\"2 Temp\" = \"Yes\"\n\"With Hydrodyn\" = \"Yes\"\n"});
}

TEST(Load, UnreadableProfileIsABadRunFile) {
  TempDir dir;
  const std::string missing = (dir.path() / "0000p100.DAT").string();
  const std::string bad = dir.Write("0000p050.DAT", "No\tx\r\n1\tnot a number\r\n");
  for (const std::string& profile : {missing, bad}) {
    const std::string path = dir.Write("c.toml", Continuation(profile));
    const fs::path out = dir.path() / "o";
    const testing::MainResult r = CallMain({path, "--quiet", "--out", out.string()});
    EXPECT_EQ(r.code, kExitBadRunFile) << profile;
    EXPECT_NE(r.err.find(path + ":1: error: load: cannot load \"" + profile + "\": "),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(out));
  }
  // A line error quotes the line after a CR in the dialog; on the terminal it stays one
  // line, so that nothing overwrites the "file:line:" prefix.
  const std::string rows = dir.Write("0000p070.DAT",
                                     "No\tx(n)\trho\tv(n)\tP\tE\tT\tL-x\r\n"
                                     "     7\t0\t1\t0\t1\t1\t1\t0\r\n");
  dir.Write("0000p070.TXT", "EOS\r\nL0 = 1 x 1  Div 3\r\nrho0 = 1\r\n");
  const std::string path = dir.Write("c.toml", Continuation(rows));
  const testing::MainResult r = CallMain({path, "--quiet", "--out", (dir.path() / "o").string()});
  EXPECT_EQ(r.code, kExitBadRunFile);
  EXPECT_NE(r.err.find("Unexpected file format on line 2:      7 0 1"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\r'), std::string::npos);
}

// After a load only the boundary settings of [initial] apply; a key that would build a
// state is refused, and so is a question answered so that the load stops.
TEST(Load, RefusesWhatTheProfileDecides) {
  TempDir dir;
  const testing::MainResult first = CallMain({dir.Write("half.toml", FixedSteps("0.05")), "--quiet",
                                              "--out", (dir.path() / "h").string()});
  ASSERT_EQ(first.code, kExitOk) << first.err;
  const std::string profile = (dir.path() / "h" / "0000p050.DAT").string();
  ASSERT_TRUE(fs::is_regular_file(profile));

  struct Case {
    std::string from, to;
    std::string expected;
  };
  const Case cases[] = {
      {"CheckKeepVL = true\n", "CheckKeepVL = true\nPini = 0.2\n",
       "[initial] Pini: not used after `load`"},
      {"MoveType = \"v0 = 0\"", "MoveType = \"No move\"",
       "[initial] MoveType: \"No move\" freezes the grid"},
      {"\"With Thermocond\" = \"No\"", "\"With Thermocond\" = \"Cancel\"",
       "load: cannot load \"" + profile +
           "\": the load was cancelled by the answer \"Cancel\" to \"With Thermocond\""},
  };
  for (const Case& c : cases) {
    const std::string path = dir.Write("c.toml", Replaced(Continuation(profile), c.from, c.to));
    const testing::MainResult r = CallMain({path, "--quiet", "--out", (dir.path() / "o").string()});
    EXPECT_EQ(r.code, kExitBadRunFile) << c.to;
    EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
  }
}

// The printed settings of a continuation are a continuation again: `load` at the top, the
// after-load keys of [initial] only, no grid in [main].
TEST(Load, PrintedSettingsReadBack) {
  TempDir dir;
  const testing::MainResult first = CallMain({dir.Write("half.toml", FixedSteps("0.05")), "--quiet",
                                              "--out", (dir.path() / "h").string()});
  ASSERT_EQ(first.code, kExitOk) << first.err;
  const std::string profile = (dir.path() / "h" / "0000p050.DAT").string();
  const std::string out = (dir.path() / "o").string();
  const testing::MainResult printed =
      CallMain({dir.Write("c.toml", Continuation(profile)), "--print-settings", "--out", out});
  ASSERT_EQ(printed.code, kExitOk) << printed.err;
  EXPECT_NE(printed.out.find("\nload = \"" + profile + "\"\n"), std::string::npos) << printed.out;
  EXPECT_EQ(printed.out.find("Len = "), std::string::npos) << printed.out;
  EXPECT_EQ(printed.out.find("Pini = "), std::string::npos) << printed.out;
  const testing::MainResult again =
      CallMain({dir.Write("p.toml", printed.out), "--print-settings", "--out", out});
  ASSERT_EQ(again.code, kExitOk) << again.err;
  EXPECT_EQ(again.out.substr(again.out.find("\nload")),
            printed.out.substr(printed.out.find("\nload")));
}

}  // namespace
}  // namespace tarvex::batch
