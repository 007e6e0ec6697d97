// The "Histories" view's model: a history read back column by column (phase fields as
// their codes, the critical-density layout separated by blanks), the chosen column
// plotted against the time, and a history that cannot be read shown as an empty plot
// with the reason.
#include "core/files/HistoryPlot.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/FilesFixture.h"

namespace tarvex {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(HistoryPlot, ReadsEveryLayoutBack) {
  const HistoryTable named = ParseHistoryText(
      "time[ps]      \t          x[nm]\t PhaseId\t      T_sm[K]\t\r\n"
      "         0.7\t        -0.1008\t  Sol=1\t       645.9\t\r\n"
      "\r\n"
      "         1.7\t        -0.1854\t mLiq-3\t         NAN\t\r\n");
  ASSERT_EQ(named.titles, (std::vector<std::string>{"time[ps]", "x[nm]", "PhaseId", "T_sm[K]"}));
  ASSERT_EQ(named.records.size(), 2u);
  EXPECT_EQ(named.records[0][0], Real(0.7L));
  EXPECT_EQ(named.records[1][1], Real(-0.1854L));
  EXPECT_EQ(named.records[0][2], 1);
  EXPECT_EQ(named.records[1][2], -3);
  EXPECT_TRUE(std::isnan(named.records[1][3]));

  const HistoryTable xrc =
      ParseHistoryText("   time     x(rho = 0.9 ) - L\r\n1E-12  3.25\r\n2E-12  3.5\r\n");
  ASSERT_EQ(xrc.titles, (std::vector<std::string>{"time", "x(rho = 0.9 ) - L"}));
  ASSERT_EQ(xrc.records.size(), 2u);
  EXPECT_EQ(xrc.records[1][1], Real(3.5L));
}

TEST(HistoryPlot, PlotsTheChosenColumnAgainstTime) {
  TempDir dir;
  const std::string path = dir.File("Surf.dat");
  WriteFile(path, "time[]      \ta\tb\r\n1\t10\t5\r\n2\t20\t6\r\n");
  THistoryPlot p;
  p.SetFile(path);
  ASSERT_TRUE(p.Reload()) << p.Error();
  EXPECT_EQ(p.ColumnTitles(), (std::vector<std::string>{"a", "b"}));
  ASSERT_TRUE(p.SelectColumn(1));
  EXPECT_EQ(p.graph.Title(), "b against time[]");
  EXPECT_EQ(p.graph.Series(0).x, (std::vector<Real>{1, 2}));
  EXPECT_EQ(p.graph.Series(0).y, (std::vector<Real>{5, 6}));
  EXPECT_FALSE(p.SelectColumn(2));
  // A record appended after the next interval: the same column, one point more.
  WriteFile(path, "time[]      \ta\tb\r\n1\t10\t5\r\n2\t20\t6\r\n3\t30\t7\r\n");
  ASSERT_TRUE(p.Reload());
  EXPECT_EQ(p.Column(), 1);
  EXPECT_EQ(p.graph.Series(0).y, (std::vector<Real>{5, 6, 7}));

  p.SetFile(dir.File("none.dat"));
  EXPECT_FALSE(p.Reload());
  EXPECT_NE(p.Error().find("none.dat"), std::string::npos);
  EXPECT_TRUE(p.ColumnTitles().empty());
  EXPECT_TRUE(p.graph.Series(0).x.empty());
}

}  // namespace
}  // namespace tarvex
