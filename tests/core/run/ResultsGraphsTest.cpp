// The graphs of the main window keep their ranges while the data stay inside them: a
// refresh of an unchanged state leaves every axis where it was (a range that widened at
// every refresh would leave the film a sliver at the edge of its graph).
#include <gtest/gtest.h>

#include "core/app/AppModel.h"
#include "core/run/ResultsGraphs.h"
#include "support/HydroFixture.h"
#include "support/IdealGasBinding.h"

namespace tarvex {
namespace {

TEST(ResultsGraphs, RefreshOfAnUnchangedStateKeepsTheRanges) {
  ScriptedPrompter prompter;
  AppModel app(prompter);
  ASSERT_TRUE(BindIdealGasFilm(app.session.eos, 1.4L, 1));
  testing::UniformGrid(app.session, 50, 269, 1, 1, 1, -219);  // an awkward span
  TResultsGraphs graphs;
  for (int32_t i = 0; i < 4; ++i) graphs.SetGraphSize(i, 300, 200);  // few labels
  graphs.SetUp(app.session, app.main, false);
  struct Range {
    Real lo, hi;
  };
  auto ranges = [&] {
    std::vector<Range> r;
    for (int32_t i = 0; i < 4; ++i) {
      for (int32_t axis : {0, 1})
        r.push_back({graphs.Graph(i).Axis(axis).Min(), graphs.Graph(i).Axis(axis).Max()});
    }
    return r;
  };
  const std::vector<Range> first = ranges();
  EXPECT_LE(first[0].lo, -219);
  EXPECT_GE(first[0].hi, 50);
  for (int k = 0; k < 5; ++k) graphs.Refresh(app.session);
  const std::vector<Range> later = ranges();
  for (size_t j = 0; j < first.size(); ++j) {
    EXPECT_EQ(later[j].lo, first[j].lo) << j;
    EXPECT_EQ(later[j].hi, first[j].hi) << j;
  }
}

}  // namespace
}  // namespace tarvex
