// The reflectance outputs of a run: the gold-film example writes "R.dat" with one record
// per output interval (R = R0 (1 - value) a reflectance), every profile set with its
// refraction and layer table; a run continued from a set appends exactly the missing
// records and continues the phase; a reflectance history that cannot be written fails the
// summary (exit code 5) while the run goes on; bad [reflectance] and [refract] values are
// refused naming the key; the printed settings read back to themselves.
#include <gtest/gtest.h>

#include <algorithm>
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

struct Record {
  Real t = 0;      // [ps]
  Real value = 0;  // -dR/R0
};

std::vector<Record> RDat(const fs::path& file) {
  const std::vector<std::string> lines = Lines(file);
  EXPECT_FALSE(lines.empty());
  if (lines.empty()) return {};
  EXPECT_EQ(lines[0], "time[ps]\t-dR/R0");
  std::vector<Record> out;
  for (size_t k = 1; k < lines.size(); ++k) {
    const size_t tab = lines[k].find('\t');
    EXPECT_NE(tab, std::string::npos) << lines[k];
    out.push_back({testing::FieldNumber(lines[k].substr(0, tab)),
                   testing::FieldNumber(lines[k].substr(tab + 1))});
  }
  return out;
}

std::string Example(const std::string& end = "1e-11") {
  const BundledExample* e = FindExample("gold_film_reflectance");
  if (e == nullptr) throw std::runtime_error("gold_film_reflectance is not bundled");
  return Replaced(std::string(e->text), "EndTime = 1e-11", "EndTime = " + end);
}

// The value of `key` in the printed settings' table `table`.
Real PrintedValue(const std::string& printed, const std::string& table, const std::string& key) {
  const size_t at = printed.find("[" + table + "]\n");
  EXPECT_NE(at, std::string::npos) << printed;
  const size_t k = printed.find("\n" + key + " = ", at);
  EXPECT_NE(k, std::string::npos) << printed;
  const size_t from = k + key.size() + 4;
  return testing::FieldNumber(printed.substr(from, printed.find('\n', from) - from));
}

// "Refract = R +_i* h" of a set's header: {R, h}.
std::pair<Real, Real> Refract(const fs::path& header) {
  for (const std::string& line : Lines(header)) {
    if (line.rfind("Refract = ", 0) != 0) continue;
    const size_t mark = line.find("+_i*");
    return {testing::FieldNumber(line.substr(10, mark - 10)),
            testing::FieldNumber(line.substr(mark + 4))};
  }
  ADD_FAILURE() << header << " has no Refract line";
  return {0, 0};
}

// A run file that continues the example from the set 2p7E-12 in `part` up to 4 ps: the
// dialogs again, the state from the set, and the R0 of the run that wrote it (R0Edit = 0
// would take the heated surface as the reference).
std::string Continuation(const TempDir& dir, const fs::path& part) {
  const MainResult printed =
      CallMain({dir.Write("first.toml", Example("2e-12")), "--print-settings"});
  EXPECT_EQ(printed.code, kExitOk) << printed.err;
  const size_t r0 = printed.out.find("\nR0Edit = ") + 1;
  const std::string r0Line = printed.out.substr(r0, printed.out.find('\n', r0) - r0);
  const std::string text = Example("4e-12");
  const size_t from = text.find("[eos.film]");
  const std::string dialogs = text.substr(from, text.find("[main]") - from);
  const std::string optics = text.substr(text.find("[reflectance]"));
  return "load = \"" + (part / "2p7E-12.DAT").string() + "\"\n\n" + dialogs +
         "[main]\ndt1 = 1e-12\nEndTime = 4e-12\n[initial]\nMoveType = \"P0 = Pout\"\nQext = "
         "true\n\n" +
         Replaced(optics, "R0Edit = 0          #", r0Line + " #") +
         "\n[answers]\n\"2 Temp\" = \"Yes\"\n\"With Hydrodyn\" = \"Yes\"\n";
}

TEST(ReflectanceRun, ExampleWritesOneReflectanceRecordPerInterval) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  const std::string run = dir.Write("run.toml", Example());
  const MainResult r = CallMain({run, "--quiet", "--out", out.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;

  // R0 is the reflectance of the initial surface, which the printed settings give.
  const MainResult printed = CallMain({run, "--print-settings"});
  ASSERT_EQ(printed.code, kExitOk) << printed.err;
  const Real R0 = PrintedValue(printed.out, "reflectance", "R0Edit");
  EXPECT_GT(R0, 0.5);  // cold gold reflects well at 800 nm
  EXPECT_LT(R0, 1);

  const std::vector<Record> rec = RDat(out / "R.dat");
  ASSERT_EQ(rec.size(), 11u);  // -0.3 ps to 10.7 ps in intervals of 1 ps
  for (size_t k = 0; k < rec.size(); ++k) {
    EXPECT_NEAR(rec[k].t, 0.7L + static_cast<Real>(k), 1e-9L);
    const Real R = R0 * (1 - rec[k].value);
    EXPECT_GE(R, 0) << rec[k].t;
    EXPECT_LE(R, 1) << rec[k].t;
    EXPECT_GT(rec[k].value, 0) << "the heated film reflects less than the cold one";
  }
  // The same times as the time history.
  const std::vector<std::string> surf = Lines(out / "Surf.dat");
  ASSERT_EQ(surf.size(), 1 + rec.size());

  // Every set carries the layered optics: its table, and the refraction in the header.
  for (const char* set : {"7E-13", "5p7E-12", "1p07E-11"}) {
    const std::vector<std::string> opt = Lines(out / (std::string(set) + "_opt.dat"));
    ASSERT_GE(opt.size(), 3u) << set;  // the titles, the vacuum, at least the bulk
    EXPECT_EQ(opt[0].substr(0, 10), "        No");
    const auto [R, h] = Refract(out / (std::string(set) + ".TXT"));
    EXPECT_GT(R, 0.9) << set;
    EXPECT_LT(R, 1) << set;
    EXPECT_TRUE(std::isfinite(h)) << set;
  }
}

TEST(ReflectanceRun, ContinuedRunAppendsTheMissingRecordsAndKeepsThePhase) {
  TempDir dir;
  const fs::path full = dir.path() / "full";
  const fs::path part = dir.path() / "part";
  ASSERT_EQ(
      CallMain({dir.Write("full.toml", Example("4e-12")), "--quiet", "--out", full.string()}).code,
      kExitOk);
  ASSERT_EQ(
      CallMain({dir.Write("part.toml", Example("2e-12")), "--quiet", "--out", part.string()}).code,
      kExitOk);
  ASSERT_EQ(RDat(part / "R.dat").size(), 3u);
  const std::string cont = Continuation(dir, part);
  const MainResult r = CallMain({dir.Write("cont.toml", cont), "--quiet", "--out", part.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_EQ(r.err.find("optical table"), std::string::npos) << r.err;  // "_opt.dat" was read

  const std::vector<Record> a = RDat(full / "R.dat");
  const std::vector<Record> b = RDat(part / "R.dat");
  ASSERT_EQ(b.size(), a.size());
  for (size_t k = 0; k < a.size(); ++k) {
    EXPECT_NEAR(b[k].t, a[k].t, 1e-9L);
    EXPECT_NEAR(b[k].value, a[k].value, 2e-3L * std::fabs(a[k].value)) << a[k].t;
  }
  // The phase goes on from the loaded set's instead of starting again from 0.
  const auto [Ra, ha] = Refract(full / "4p7E-12.TXT");
  const auto [Rb, hb] = Refract(part / "4p7E-12.TXT");
  EXPECT_NEAR(Rb, Ra, 1e-4L);
  EXPECT_NEAR(hb, ha, 1e-3L);
}

// A damaged layer table of the set is reported, and the set is loaded and continued all
// the same (the next sets get a table of their own).
TEST(ReflectanceRun, ADamagedOpticalTableIsReportedAndTheLoadGoesOn) {
  TempDir dir;
  const fs::path part = dir.path() / "part";
  ASSERT_EQ(
      CallMain({dir.Write("part.toml", Example("2e-12")), "--quiet", "--out", part.string()}).code,
      kExitOk);
  std::ofstream(part / "2p7E-12_opt.dat", std::ios::binary)
      << "No L-x rho Ti Te n k\r\n0 0 0 0 0 1 0\r\n1 0 -19.3 300 300 0.08 4.8\r\n";
  const MainResult r = CallMain(
      {dir.Write("cont.toml", Continuation(dir, part)), "--quiet", "--out", part.string()});
  ASSERT_EQ(r.code, kExitOk) << r.err;
  EXPECT_NE(r.err.find("2p7E-12_opt.dat"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("negative rho"), std::string::npos) << r.err;
  EXPECT_GE(Lines(part / "4p7E-12_opt.dat").size(), 3u);
}

TEST(ReflectanceRun, AReflectanceHistoryThatCannotBeWrittenFailsTheSummary) {
  TempDir dir;
  const fs::path out = dir.path() / "o";
  fs::create_directories(out / "R.dat");  // the name is taken by a directory
  const MainResult r =
      CallMain({dir.Write("run.toml", Example("2e-12")), "--quiet", "--out", out.string()});
  EXPECT_EQ(r.code, kExitIoFailure) << r.err;
  EXPECT_NE(r.err.find("R.dat"), std::string::npos) << r.err;
  EXPECT_TRUE(fs::exists(out / "7E-13.DAT"));  // the run went on
  EXPECT_TRUE(fs::exists(out / "2p7E-12.DAT"));
  EXPECT_EQ(Lines(out / "Surf.dat").size(), 1u + 3u);
}

TEST(ReflectanceRun, PrintedSettingsReadBackToThemselves) {
  TempDir dir;
  const MainResult printed = CallMain({dir.Write("run.toml", Example()), "--print-settings"});
  ASSERT_EQ(printed.code, kExitOk) << printed.err;
  EXPECT_NE(printed.out.find("[reflectance]\nlambdaEdit = 800\nHHEdit = 50\n"), std::string::npos)
      << printed.out;
  EXPECT_NE(printed.out.find("[refract]\nLambda = 800\n"), std::string::npos) << printed.out;
  const MainResult again = CallMain({dir.Write("printed.toml", printed.out), "--print-settings"});
  ASSERT_EQ(again.code, kExitOk) << again.err;
  EXPECT_EQ(again.out.substr(again.out.find("\n[")), printed.out.substr(printed.out.find("\n[")));
}

struct BadOptics {
  const char* name;
  std::string from, to;  // an edit of the example
  std::string marker;    // the line the message names holds it
  std::vector<std::string> expected;
};

class BadOpticsTable : public ::testing::TestWithParam<BadOptics> {};

TEST_P(BadOpticsTable, IsRefusedNamingTheKey) {
  const BadOptics& c = GetParam();
  TempDir dir;
  const std::string text = Replaced(Example(), c.from, c.to);
  const std::string path = dir.Write("case.toml", text);
  const fs::path out = dir.path() / "out";
  const MainResult r = CallMain({path, "--out", out.string(), "--quiet"});
  EXPECT_EQ(r.code, kExitBadRunFile) << r.err;
  const size_t at = text.find(c.marker);
  ASSERT_NE(at, std::string::npos);
  const auto line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(at), '\n');
  EXPECT_NE(r.err.find(path + ":" + std::to_string(line) + ": error: "), std::string::npos)
      << "expected line " << line << " in: " << r.err;
  for (const std::string& e : c.expected) EXPECT_NE(r.err.find(e), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(out / "R.dat"));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BadOpticsTable,
    ::testing::Values(BadOptics{"PositiveSBandEnergy",
                                "R0Edit = 0          #",
                                "R0Edit = 0\nensEdit = 9.2 #",
                                "ensEdit = 9.2",
                                {"[reflectance] ensEdit", "negative s-band energy"}},
                      BadOptics{"ReflectanceAboveOne",
                                "R0Edit = 0          #",
                                "R0Edit = 1.5 #",
                                "R0Edit = 1.5",
                                {"[reflectance] R0Edit", "between 0 and 1"}},
                      BadOptics{"NegativeThickness",
                                "HHEdit = 50 ",
                                "HHEdit = -50 ",
                                "HHEdit = -50",
                                {"[reflectance] HHEdit", "positive film thickness"}},
                      BadOptics{"ZeroWavelength",
                                "Lambda = 800 ",
                                "Lambda = 0 ",
                                "Lambda = 0",
                                {"[refract] Lambda", "positive wavelength"}},
                      BadOptics{"NotANumber",
                                "Lambda = 800 ",
                                "Lambda = \"red\" ",
                                "Lambda = \"red\"",
                                {"[refract] Lambda"}}),
    [](const ::testing::TestParamInfo<BadOptics>& p) { return p.param.name; });

}  // namespace
}  // namespace tarvex::batch
