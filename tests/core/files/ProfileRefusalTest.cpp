// The loader's refusals: each malformed or mismatching file set is refused with its
// message, and the session, the main window and the other forms stay as they were.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/FilesFixture.h"
#include "support/SessionSnapshot.h"

namespace tarvex {
namespace {

using testing::StateSetup;
using testing::TempDir;

// Lines of a text, each without its CR LF.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return out;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\r\n";
  return s;
}

std::string ReplaceFirst(std::string s, const std::string& from, const std::string& to) {
  const size_t k = s.find(from);
  if (k != std::string::npos) s.replace(k, from.size(), to);
  return s;
}

struct Files {
  std::string table;
  std::string header;
};

struct RefusalCase {
  const char* name;
  StateSetup target;                   // the session the set is loaded into
  bool freshTarget;                    // no grid yet (only the EOS chosen)
  std::function<void(Files&)> mutate;  // what is wrong with the set
  std::function<void(ScriptedPrompter&)> answers;
  std::string message;  // expected message ("" = a question cancelled)
  bool prefixOnly;      // the message starts with `message`
};

// The valid set: 20 planar cells after two intervals, with a substrate of 6 cells when
// asked for.
Files ValidSet(const StateSetup& setup) {
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, setup);
  testing::Advance(app, "0.02", "0.04");
  app.files.RefreshDisplay(true);
  TempDir dir;
  const std::string path = dir.File("0000p040.DAT");
  EXPECT_TRUE(app.files.WriteProfile(path, false));
  return {testing::ReadFile(path), testing::ReadFile(dir.File("0000p040.TXT"))};
}

TEST(ProfileLoad, RefusalsLeaveEverythingAsItWas) {
  const StateSetup planar{20, 1, 0, false, false};
  const Files valid = ValidSet(planar);
  const Files glassy = ValidSet({26, 1, 6, true, false});
  ASSERT_FALSE(valid.table.empty());
  const std::string file = "0000p040.DAT";

  const RefusalCase cases[] = {
      {"missing", planar, false, [](Files& f) { f.table.clear(); }, nullptr, "Cannot open file ",
       true},
      {"empty", planar, false, [](Files& f) { f.table = "\r\n\r\n"; }, nullptr,
       "Unexpected file format", false},
      {"first title", planar, false, [](Files& f) { f.table = ReplaceFirst(f.table, "No", "Mo"); },
       nullptr, "Unexpected file format", false},
      {"third title", planar, false,
       [](Files& f) { f.table = ReplaceFirst(f.table, "rho", "foo"); }, nullptr,
       "Unexpected format of file ", true},
      {"planar into spherical",
       {20, 3, 0, false, false},
       false,
       nullptr,
       nullptr,
       "1D data",
       false},
      {"radial into planar", planar, false,
       [](Files& f) {
         f.table = ReplaceFirst(f.table, "x(n)", "r(n)");
         f.header = "2D\r\n" + f.header;
       },
       nullptr, "1D data", false},
      {"dimension mismatch", planar, false, [](Files& f) { f.header = "2D\r\n" + f.header; },
       nullptr, "Dimension mismatch", false},
      {"glass layer mismatch",
       {60, 1, 0, false, false},
       false,
       [](Files& f) { f.header = ReplaceFirst(f.header, "Div 20", "Div 60 InGlass 20 div -20"); },
       nullptr,
       "Glass layer mismatch -20 - 0",
       false},
      {"glass file into a plain grid", planar, false, nullptr, nullptr, "", false},  // below
      {"row number gap", planar, false,
       [](Files& f) {
         std::vector<std::string> l = Lines(f.table);
         l.erase(l.begin() + 6);  // the row of node 5
         f.table = Join(l);
       },
       nullptr, "Unexpected file format on line 7\r     6\t", true},
      {"fewer than three rows", planar, false,
       [](Files& f) {
         std::vector<std::string> l = Lines(f.table);
         std::string node = l.back();
         node.replace(0, 6, "     1");
         f.table = Join({l[0], l[1], node});
         f.header = ReplaceFirst(f.header, "Div 20", "Div 1");
       },
       nullptr, "Unexpected format of file ", true},
      {"node row missing", planar, false,
       [](Files& f) {
         std::vector<std::string> l = Lines(f.table);
         l.pop_back();
         f.table = Join(l);
       },
       nullptr, "Unexpected format of file ", true},
      {"rows not as many as Div", planar, false,
       [](Files& f) { f.header = ReplaceFirst(f.header, "Div 20", "Div 25"); }, nullptr, "", false},
      {"not a number", planar, false,
       [](Files& f) {
         std::vector<std::string> l = Lines(f.table);
         l[4] = ReplaceFirst(l[4], "\t", "\tabc");
         f.table = Join(l);
       },
       nullptr, "Unexpected file format on line 5\r", true},
      {"huge number", planar, false,
       [](Files& f) {
         std::vector<std::string> l = Lines(f.table);
         l[3] += "";
         const size_t tab = l[3].find('\t', 8);
         l[3].replace(tab + 1, 15, "        1E99999");
         f.table = Join(l);
       },
       nullptr, "Unexpected file format on line 4\r", true},
      {"negative density", planar, false,
       [](Files& f) {
         std::vector<std::string> l = Lines(f.table);
         const size_t tab = l[9].find('\t', 8);
         l[9].replace(tab + 1, 15, "             -1");
         f.table = Join(l);
       },
       nullptr, "Unexpected file format on line 10\r", true},
      {"header without Div", planar, false,
       [](Files& f) { f.header = ReplaceFirst(f.header, "Div 20", "Dim 20"); }, nullptr,
       "Unexpected format of file ", true},
      {"curved without header",
       {20, 2, 0, false, false},
       false,
       [](Files& f) {
         f.table = ReplaceFirst(f.table, "x(n)", "r(n)");
         f.header.clear();
       },
       nullptr,
       "Cannot find ",
       true},
      {"solver question unanswered", planar, true, nullptr, nullptr, "", false},
  };

  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    Files f = std::string(c.name) == "glass file into a plain grid" ? glassy : valid;
    std::string expected = c.message;
    if (std::string(c.name) == "glass file into a plain grid") {
      expected = "Glass layer mismatch -6 - 0";
    }
    if (c.mutate) c.mutate(f);
    const std::string path = dir.File(file);
    if (!f.table.empty()) testing::WriteFile(path, f.table);
    if (!f.header.empty()) testing::WriteFile(dir.File("0000p040.TXT"), f.header);

    ScriptedPrompter p;
    AppModel app(p);
    if (c.freshTarget) {
      testing::ChooseEquationsOfState(app);
    } else {
      testing::SetUpState(app, p, c.target);
    }
    if (HasFatalFailure()) return;
    if (c.answers) c.answers(p);
    const testing::SessionSnapshot before = testing::SessionSnapshot::Of(app);
    const size_t informed = p.informed.size();

    const ProfileLoadResult r = app.LoadProfile(path);
    EXPECT_FALSE(r.ok);
    if (c.prefixOnly) {
      EXPECT_EQ(r.message.substr(0, expected.size()), expected) << r.message;
    } else {
      EXPECT_EQ(r.message, expected);
    }
    // The refusal is shown (a cancelled question says nothing more).
    EXPECT_EQ(p.informed.size(), informed + (expected.empty() ? 0 : 1));
    EXPECT_TRUE(testing::SessionSnapshot::Of(app) == before);
    EXPECT_FALSE(app.initial.AfterLoadMode);

    // Silent mode: the same refusal without a message box.
    const size_t informedSilent = p.informed.size();
    const ProfileLoadResult silent = app.LoadProfile(path, true);
    EXPECT_FALSE(silent.ok);
    EXPECT_EQ(silent.message, r.message);
    EXPECT_EQ(p.informed.size(), informedSilent);
  }
}

// The row-count question goes on with OK: the cell count is the number of rows read.
TEST(ProfileLoad, DataDimensionQuestionAcceptedLoadsTheRowsRead) {
  const Files f0 = ValidSet({20, 1, 0, false, false});
  Files f = f0;
  f.header = ReplaceFirst(f.header, "Div 20", "Div 25");
  TempDir dir;
  testing::WriteFile(dir.File("0000p040.DAT"), f.table);
  testing::WriteFile(dir.File("0000p040.TXT"), f.header);
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  p.Script("Data dimension 20 not equal 25", Answer::Ok);
  const ProfileLoadResult r = app.LoadProfile(dir.File("0000p040.DAT"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(app.session.StateA->CellCount(), 20);
  // The cell width of the header (Len / Div) is kept; the length follows the rows.
  EXPECT_NEAR(static_cast<double>(app.session.sim.h0), 1.0 / 25, 1e-18);
  EXPECT_NEAR(static_cast<double>(app.main.Len.StoredValue()), 20.0 / 25, 1e-15);
}

// Without a header a planar moving file still loads: the cell width comes from the fit.
TEST(ProfileLoad, PlanarWithoutHeaderFitsTheCellWidth) {
  const Files f = ValidSet({20, 1, 0, false, false});
  TempDir dir;
  testing::WriteFile(dir.File("0000p040.DAT"), f.table);
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, {20, 1, 0, false, false});
  p.Script("Cannot find ", Answer::Ok);
  const ProfileLoadResult r = app.LoadProfile(dir.File("0000p040.DAT"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_NEAR(static_cast<double>(app.session.sim.h0), 0.05, 1e-15);
  EXPECT_NEAR(static_cast<double>(app.session.sim.rho0), 1.0, 1e-5);
  EXPECT_NEAR(static_cast<double>(app.main.Len.StoredValue()), 1.0, 1e-15);
}

// A damaged table never loads as a smaller grid: a file cut inside a row, a row that lost
// its last fields, and (without the header) a table whose substrate cells have another
// mass are refused, with and without the header file, and nothing changes.
TEST(ProfileLoad, DamagedTablesAreRefusedNeverShrunk) {
  struct Damage {
    const char* name;
    StateSetup setup;
    std::function<void(std::string&)> mutate;
    std::string message;  // start of the message
  };
  // The fields of line k up to (not including) field `keep`, TAB-separated.
  auto shortRow = [](const std::string& line, size_t keep) {
    size_t at = 0;
    for (size_t k = 0; k < keep && at != std::string::npos; ++k) at = line.find('\t', at + 1);
    return line.substr(0, at);
  };
  const StateSetup planar{20, 1, 0, false, false};
  const StateSetup glassy{26, 1, 6, true, false};
  const Damage damages[] = {
      {"cut inside a cell row", planar,
       [](std::string& t) { t.resize(t.find("\r\n    10\t") + 30); }, "Unexpected format of file "},
      {"cut inside the last cell row, leaving x, rho, v", planar,
       [&](std::string& t) {
         std::vector<std::string> l = Lines(t);
         const std::string cut = shortRow(l[20], 4);
         l.resize(20);
         t = Join(l) + cut;
       },
       "Unexpected format of file "},
      {"cut inside the node row", planar, [](std::string& t) { t.resize(t.size() - 5); },
       "Unexpected format of file "},
      {"one short row", planar,
       [&](std::string& t) {
         std::vector<std::string> l = Lines(t);
         l[9] = shortRow(l[9], 4);
         t = Join(l);
       },
       "Unexpected file format on line 11\r"},
      {"one short row with the node row's zero", planar,
       [&](std::string& t) {
         std::vector<std::string> l = Lines(t);
         l[9] = shortRow(l[9], 2) + "\t              0" + l[9].substr(shortRow(l[9], 3).size());
         l[9] = shortRow(l[9], 5);
         t = Join(l);
       },
       "Unexpected file format on line 11\r"},
      {"one short row in a set with a substrate", glassy,
       [&](std::string& t) {
         std::vector<std::string> l = Lines(t);
         l[15] = shortRow(l[15], 4);
         t = Join(l);
       },
       "Unexpected file format on line 17\r"},
  };
  for (const Damage& d : damages) {
    for (bool withHeader : {true, false}) {
      SCOPED_TRACE(std::string(d.name) + (withHeader ? ", with header" : ", without header"));
      Files f = ValidSet(d.setup);
      d.mutate(f.table);
      TempDir dir;
      testing::WriteFile(dir.File("0000p040.DAT"), f.table);
      if (withHeader) testing::WriteFile(dir.File("0000p040.TXT"), f.header);
      ScriptedPrompter p;
      AppModel app(p);
      testing::SetUpState(app, p, d.setup);
      if (HasFatalFailure()) return;
      // Even a question about the row count, answered to go on, may not shrink the grid.
      p.Script("Data dimension", Answer::Ok);
      p.Script("Cannot find ", Answer::Ok);
      const testing::SessionSnapshot before = testing::SessionSnapshot::Of(app);
      const ProfileLoadResult r = app.LoadProfile(dir.File("0000p040.DAT"));
      EXPECT_FALSE(r.ok);
      EXPECT_EQ(r.message.substr(0, d.message.size()), d.message) << r.message;
      EXPECT_TRUE(testing::SessionSnapshot::Of(app) == before);
    }
  }

  // A complete table with a substrate layer but no header: the layer cannot be rebuilt
  // from the table alone, so the load says so instead of making it film.
  Files f = ValidSet(glassy);
  TempDir dir;
  testing::WriteFile(dir.File("0000p040.DAT"), f.table);
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, glassy);
  const testing::SessionSnapshot before = testing::SessionSnapshot::Of(app);
  const ProfileLoadResult r = app.LoadProfile(dir.File("0000p040.DAT"));
  EXPECT_FALSE(r.ok);
  ASSERT_FALSE(p.asked.empty());
  EXPECT_EQ(p.asked.back().text, "Cannot find " + dir.File("0000p040.TXT") + kAskWithoutHeaderTail);
  EXPECT_TRUE(testing::SessionSnapshot::Of(app) == before);
  // With its header the same table loads whole.
  testing::WriteFile(dir.File("0000p040.TXT"), f.header);
  const ProfileLoadResult withHeader = app.LoadProfile(dir.File("0000p040.DAT"));
  ASSERT_TRUE(withHeader.ok) << withHeader.message;
  EXPECT_EQ(app.session.StateA->CellCount(), 26);
  EXPECT_EQ(app.session.sim.InGlass, -6);
}

// A frozen-grid table has no node row, so a table cut at a line end reads whole: only the
// header's Div tells that cells are missing. A table and a header that disagree on the
// cell count, or on the substrate's, are refused, naming both files and the counts, and
// nothing changes.
TEST(ProfileLoad, FrozenGridTableDisagreeingWithItsHeaderIsRefused) {
  struct Disagreement {
    const char* name;
    StateSetup setup;
    std::function<void(Files&)> mutate;
    std::string counts;  // what the message says of the two
    bool fresh = false;  // loaded into a program with no state yet (nothing to compare with)
  };
  const StateSetup frozen{20, 1, 0, false, true};
  const StateSetup frozenGlassy{26, 1, 6, true, true};
  auto dropRows = [](size_t rows) {
    return [rows](Files& f) {
      std::vector<std::string> l = Lines(f.table);
      l.resize(l.size() - rows);
      f.table = Join(l);  // every line still ends with CR LF
    };
  };
  // The header's " div <count>" of the substrate changed by `delta` cells (same sign).
  auto substrateCells = [](int delta) {
    return [delta](Files& f) {
      const size_t at = f.header.find(" div ");
      ASSERT_NE(at, std::string::npos) << f.header;
      const size_t from = at + 5;
      const size_t to = f.header.find_first_not_of("-0123456789", from);
      const int count = std::stoi(f.header.substr(from, to - from));
      const int changed = count < 0 ? count - delta : count + delta;
      f.header.replace(from, to - from, std::to_string(changed));
    };
  };
  const Disagreement cases[] = {
      {"cut at a line end", frozen, dropRows(7), "its table has 13 cells"},
      {"cut at a line end, substrate after the film", frozenGlassy, dropRows(4),
       "its table has 22 cells"},
      {"header of one cell fewer", frozen,
       [](Files& f) { f.header = ReplaceFirst(f.header, "Div 20", "Div 19"); },
       "its table has 20 cells"},
      // The substrate's cell count one more than the table's: a film cell would become
      // substrate (the grid's cell count agrees).
      {"header of one substrate cell more", frozenGlassy, substrateCells(1),
       "gives the substrate 7 cells", true},
      {"header of one substrate cell fewer", frozenGlassy, substrateCells(-1),
       "gives the substrate 5 cells", true},
  };
  for (const Disagreement& c : cases) {
    SCOPED_TRACE(c.name);
    Files f = ValidSet(c.setup);
    c.mutate(f);
    TempDir dir;
    const std::string path = dir.File("0000p040.DAT");
    testing::WriteFile(path, f.table);
    testing::WriteFile(dir.File("0000p040.TXT"), f.header);
    ScriptedPrompter p;
    AppModel app(p);
    if (!c.fresh) testing::SetUpState(app, p, c.setup);
    if (HasFatalFailure()) return;
    // A question answered to go on may not load it either.
    p.Script("Data dimension", Answer::Ok);
    const testing::SessionSnapshot before = testing::SessionSnapshot::Of(app);
    const ProfileLoadResult r = app.LoadProfile(path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message.rfind("Unexpected format of file " + path + ": ", 0), 0u) << r.message;
    EXPECT_NE(r.message.find(c.counts), std::string::npos) << r.message;
    EXPECT_NE(r.message.find(dir.File("0000p040.TXT")), std::string::npos) << r.message;
    EXPECT_TRUE(testing::SessionSnapshot::Of(app) == before);
  }
  // The whole set loads.
  const Files whole = ValidSet(frozenGlassy);
  TempDir dir;
  testing::WriteFile(dir.File("0000p040.DAT"), whole.table);
  testing::WriteFile(dir.File("0000p040.TXT"), whole.header);
  ScriptedPrompter p;
  AppModel app(p);
  testing::SetUpState(app, p, frozenGlassy);
  if (HasFatalFailure()) return;
  const ProfileLoadResult r = app.LoadProfile(dir.File("0000p040.DAT"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(app.session.StateA->CellCount(), 26);
}

}  // namespace
}  // namespace tarvex
