// Graph axes: tick layouts and label formats of linear and logarithmic axes, the switch
// to logarithmic, pixel <-> data mapping, widening a range, label and unit placement.
#include "core/plot/Axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace tarvex {
namespace {

std::vector<std::string> Texts(const TickLayout& t) {
  std::vector<std::string> out;
  for (Real v : t.values) out.push_back(FormatAxisNumber(v, t.format));
  return out;
}

struct LinearCase {
  Real min, max;
  int32_t n;
  Real step, minorStep;
  const char* format;
  std::vector<std::string> labels;
};

TEST(LinearTickLayout, StepsFormatsAndLabels) {
  const LinearCase cases[] = {
      // D*W = 2.5 rounds to even: step 2/D.
      {0, 1, 5, 0.2L, 0.1L, "%.1f", {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
      // Coarse step, labels "%g"; the range ends are labels too.
      {-3.7L, 12.2L, 5, 5, 1, "%g", {"-3.7", "0", "5", "10", "12.2"}},
      // k = 10 > 5: "%g", exponent rewritten.
      {1e-9L, 3e-9L, 5, 5e-10L, 1e-10L, "%g", {"1E-9", "1.5E-9", "2E-9", "2.5E-9", "3E-9"}},
      // Y = 10: step 1/D with D reduced to 1, k = 0, half-step minor ticks.
      {0, 4, 5, 1, 0.5L, "%.0f", {"0", "1", "2", "3", "4"}},
      // Range ends between multiples carry the format of the labels.
      {0.13L, 0.87L, 4, 0.2L, 0.1L, "%.1f", {"0.1", "0.2", "0.4", "0.6", "0.8", "0.9"}},
      {2.5L, 2.6L, 3, 0.05L, 0.01L, "%.2f", {"2.50", "2.55", "2.60"}},
      // k = 5 is the last fixed-point format ...
      {0, 8e-5L, 5, 2e-5L, 1e-5L, "%.5f", {"0.00000", "0.00002", "0.00004", "0.00006", "0.00008"}},
      // ... also when the 1/D step brings k back from 6 to 5,
      {0, 4e-5L, 5, 1e-5L, 5e-6L, "%.5f", {"0.00000", "0.00001", "0.00002", "0.00003", "0.00004"}},
      // ... and k = 7 gives "%g".
      {0, 8e-7L, 5, 2e-7L, 1e-7L, "%g", {"0", "2E-7", "4E-7", "6E-7", "8E-7"}},
      // Coarse steps follow the same 2, 3, 5, 10 ladder: W = 10 gives 10, not 20.
      {0, 40, 5, 10, 5, "%g", {"0", "10", "20", "30", "40"}},
      {0, 1e6L, 5, 2e5L, 1e5L, "%g", {"0", "200000", "400000", "600000", "800000", "1E6"}},
      {-30, 30, 3, 30, 10, "%g", {"-30", "0", "30"}},
  };
  for (const LinearCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max << " n=" << c.n);
    const TickLayout t = LinearTickLayout(c.min, c.max, c.n);
    EXPECT_FALSE(t.logarithmic);
    EXPECT_NEAR(static_cast<double>(t.step / c.step), 1.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(t.minorStep / c.minorStep), 1.0, 1e-12);
    EXPECT_EQ(t.format.Text(), c.format);
    EXPECT_EQ(Texts(t), c.labels);
  }
}

TEST(LinearTickLayout, SingleValueHasNoTicks) {
  const TickLayout t = LinearTickLayout(3.5L, 3.5L, 5);
  EXPECT_EQ(t.step, 0);
  EXPECT_TRUE(t.values.empty());
  EXPECT_EQ(t.format.Text(), "%g");
}

struct LogCase {
  Real min, max;
  int32_t n;
  int32_t decadesPerLabel, labelsPerDecade;
  const char* format;
  std::vector<std::string> labels;
};

TEST(LogTickLayout, DecadesFormatsAndLabels) {
  const LogCase cases[] = {
      // 6 decades, n = 5: 1.5 decades per label rounds to 2, "%.1e" with "1.0" -> "1".
      {1, 1e6L, 5, 2, 0, "%.1e", {"1E0", "1E2", "1E4", "1E6"}},
      // Ends off the decades keep their mantissa digit.
      {2, 5e5L, 4, 2, 0, "%.1e", {"2.0E0", "1E2", "1E4", "5.0E5"}},
      {-1e6L, -1, 5, 2, 0, "%.1e", {"-1E6", "-1E4", "-1E2", "-1E0"}},
      // Labels per decade, at 10^(j/m) rounded to the shown digit.
      {1, 1000, 5, 0, 1, "%.1g", {"1", "1E1", "1E2", "1E3"}},
      {1, 100, 5, 0, 2, "%.1g", {"1", "3", "1E1", "3E1", "1E2"}},
      {1, 10, 5, 0, 4, "%.1g", {"1", "2", "3", "6", "1E1"}},
      // More than 4 per decade: two digits.
      {1,
       100,
       11,
       0,
       5,
       "%.2g",
       {"1", "1.6", "2.5", "4", "6.3", "10", "16", "25", "40", "63", "1E2"}},
  };
  for (const LogCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max << " n=" << c.n);
    const TickLayout t = LogTickLayout(c.min, c.max, c.n);
    EXPECT_TRUE(t.logarithmic);
    EXPECT_EQ(t.decadesPerLabel, c.decadesPerLabel);
    EXPECT_EQ(t.labelsPerDecade, c.labelsPerDecade);
    EXPECT_EQ(t.format.Text(), c.format);
    EXPECT_EQ(Texts(t), c.labels);
  }
}

TEST(LogTickLayout, TicksStandAtTheValuesTheirLabelsShow) {
  // 10^(1/3) = 2.15... is labelled "2" and therefore placed at 2.
  const TickLayout t = LogTickLayout(1, 10, 4);  // a third of a decade per label
  ASSERT_EQ(t.labelsPerDecade, 3);
  EXPECT_EQ(Texts(t), (std::vector<std::string>{"1", "2", "5", "1E1"}));
  EXPECT_NEAR(static_cast<double>(t.values[1]), 2.0, 1e-15);
  EXPECT_NEAR(static_cast<double>(t.values[2]), 5.0, 1e-15);
}

TEST(UsesLogScale, RangeSignAndDecadeRule) {
  struct Case {
    bool capable;
    Real min, max;
    int32_t n;
    bool log;
  };
  const Case cases[] = {
      {true, 1, 1e6L, 5, true},            // 42 > 5
      {false, 1, 1e6L, 5, false},          // not log-capable
      {true, 0, 1e6L, 5, false},           // zero end
      {true, -1, 1e6L, 5, false},          // sign change
      {true, -1e6L, -1, 5, true},          // both negative
      {true, 1, 10, 7, false},             // 7 is not > 7
      {true, 1, 10, 6, true},              // 7 > 6
      {true, 1e-4000L, 1e4000L, 5, true},  // ratio beyond the type: still decided
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << " .. " << c.max << " n=" << c.n);
    EXPECT_EQ(UsesLogScale(c.capable, c.min, c.max, c.n), c.log);
  }
}

TEST(TGraphAxis, SingleValueRangeHasNoTicksZeroScalesAndOriginInTheMiddle) {
  TGraphAxis axis("", 4, 4, 0, 1, {40, 121}, {160, 121});
  ASSERT_TRUE(axis.SetRange(2.5L, 2.5L));
  EXPECT_TRUE(axis.Labels().empty());
  EXPECT_EQ(axis.Layout().format.Text(), "%g");
  EXPECT_EQ(axis.Scale().x, 0);
  EXPECT_EQ(axis.Scale().y, 0);
  EXPECT_EQ(axis.Origin(), (PlotPoint{100, 121}));
  EXPECT_EQ(*axis.DataToPixel(7), (PlotPoint{100, 121}));
  EXPECT_EQ(axis.PixelToData({40, 121}), 2.5L);
}

TEST(TGraphAxis, LogCapableAxisSwitchesWithTheRange) {
  TGraphAxis axis("", 4, 4, 1, 2, {0, 0}, {100, 0});  // n = 5
  axis.SetLogCapable(true);
  ASSERT_TRUE(axis.SetRange(1, 1e6L));
  EXPECT_TRUE(axis.LogActive());
  EXPECT_EQ(axis.Layout().decadesPerLabel, 2);
  ASSERT_TRUE(axis.SetRange(0, 1e6L));
  EXPECT_FALSE(axis.LogActive());
  EXPECT_EQ(axis.Layout().format.Text(), "%g");
}

// One axis set-up of the mapping table.
struct MapCase {
  const char* name;
  PlotPoint start, end;
  Real first, second;
  bool log;
  Real value;
  PlotPoint pixel;
};

TEST(TGraphAxis, DataToPixelAndBack) {
  const MapCase cases[] = {
      {"horizontal", {40, 121}, {160, 121}, 0, 1.2L, false, 0.6L, {100, 121}},
      {"vertical up", {40, 121}, {40, 21}, 0, 10, false, 2.5L, {40, 96}},
      {"reversed", {0, 0}, {100, 0}, 10, 0, false, 7.5L, {25, 0}},
      {"log", {40, 121}, {40, 21}, 1, 1e4L, true, 100, {40, 71}},
      {"log negative", {0, 0}, {60, 0}, -1e6L, -1, true, -1e4L, {20, 0}},
      {"oblique", {0, 0}, {30, 40}, 0, 5, false, 2.5L, {15, 20}},
  };
  for (const MapCase& c : cases) {
    SCOPED_TRACE(c.name);
    TGraphAxis axis("", 4, 2, c.first, c.second, c.start, c.end);
    axis.SetLogCapable(c.log);
    ASSERT_EQ(axis.LogActive(), c.log);
    const std::optional<PlotPoint> p = axis.DataToPixel(c.value);
    ASSERT_TRUE(p.has_value());
    EXPECT_NEAR(static_cast<double>(p->x), static_cast<double>(c.pixel.x), 1e-12);
    EXPECT_NEAR(static_cast<double>(p->y), static_cast<double>(c.pixel.y), 1e-12);
    // Round trip through the readout's inverse, for values across the range.
    for (int32_t i = 0; i <= 10; ++i) {
      const Real f = static_cast<Real>(i) / 10;
      const Real v =
          c.log ? c.first * std::pow(c.second / c.first, f) : c.first + (c.second - c.first) * f;
      const std::optional<PlotPoint> q = axis.DataToPixel(v);
      ASSERT_TRUE(q.has_value());
      EXPECT_NEAR(static_cast<double>(axis.PixelToData(*q)), static_cast<double>(v),
                  1e-15 * std::fabs(static_cast<double>(v)) + 1e-15);
    }
  }
}

TEST(TGraphAxis, PixelToDataProjectsOnTheAxisDirection) {
  TGraphAxis oblique("", 4, 2, 0, 5, {0, 0}, {30, 40});
  // Moving perpendicular to the axis does not change the value.
  EXPECT_NEAR(static_cast<double>(oblique.PixelToData({15 + 8, 20 - 6})), 2.5, 1e-15);
  TGraphAxis x("", 4, 2, 0, 1.2L, {40, 121}, {160, 121});
  EXPECT_NEAR(static_cast<double>(x.PixelToData({100, 5})), 0.6, 1e-15);
}

TEST(TGraphAxis, ValuesALogAxisCannotShow) {
  TGraphAxis axis("", 4, 2, 1, 1e4L, {0, 100}, {0, 0});
  axis.SetLogCapable(true);
  ASSERT_TRUE(axis.LogActive());
  EXPECT_FALSE(axis.DataToPixel(0).has_value());
  EXPECT_FALSE(axis.DataToPixel(-5).has_value());
  EXPECT_FALSE(axis.DataToPixel(std::numeric_limits<Real>::quiet_NaN()).has_value());
  EXPECT_FALSE(axis.DataToPixel(std::numeric_limits<Real>::infinity()).has_value());
}

TEST(TGraphAxis, SetRangeRefusesWhatItCannotMap) {
  TGraphAxis axis("", 4, 2, 0, 1, {0, 0}, {100, 0});
  EXPECT_FALSE(axis.SetRange(0, std::numeric_limits<Real>::infinity()));
  EXPECT_FALSE(axis.SetRange(-std::numeric_limits<Real>::max(), std::numeric_limits<Real>::max()));
  EXPECT_EQ(axis.Min(), 0);
  EXPECT_EQ(axis.Max(), 1);
}

TEST(TGraphAxis, IncludeWidensOnlyWhenThePixelChanges) {
  TGraphAxis axis("", 4, 4, 0, 1, {0, 0}, {100, 0});
  EXPECT_FALSE(axis.Include(0.5L));    // inside
  EXPECT_FALSE(axis.Include(1.004L));  // 100.4 px: the pixel of the end
  EXPECT_EQ(axis.Max(), 1);
  EXPECT_TRUE(axis.Include(1.02L));  // 102 px
  EXPECT_EQ(axis.Max(), 1.02L);
  EXPECT_TRUE(axis.Include(-3));
  EXPECT_EQ(axis.Min(), -3);
  EXPECT_FALSE(axis.Include(std::numeric_limits<Real>::quiet_NaN()));
}

TEST(TGraphAxis, IncludeKeepsTheSenseOfAReversedAxis) {
  TGraphAxis axis("", 4, 4, 1, 0, {0, 0}, {100, 0});
  ASSERT_TRUE(axis.Reversed());
  EXPECT_TRUE(axis.Include(2));
  EXPECT_EQ(axis.Min(), 0);
  EXPECT_EQ(axis.Max(), 2);
  EXPECT_NEAR(static_cast<double>(axis.DataToPixel(2)->x), 0, 1e-15);
  EXPECT_NEAR(static_cast<double>(axis.DataToPixel(0)->x), 100, 1e-15);
}

TEST(TGraphAxis, IncludeGrowsARangeOfASingleValue) {
  // Every value maps to the middle pixel of such an axis; comparing pixels would keep a
  // graph that starts from a zero profile stuck at zero for ever.
  TGraphAxis axis("", 4, 4, 0, 0, {0, 0}, {100, 0});
  EXPECT_FALSE(axis.Include(0));
  EXPECT_TRUE(axis.Include(300));
  EXPECT_EQ(axis.Min(), 0);
  EXPECT_EQ(axis.Max(), 300);
}

TEST(TGraphAxis, IncludeOfTheOtherSignTurnsALogAxisLinear) {
  TGraphAxis axis("", 4, 4, 1, 1e6L, {0, 0}, {100, 0});
  axis.SetLogCapable(true);
  ASSERT_TRUE(axis.LogActive());
  EXPECT_TRUE(axis.Include(-1));
  EXPECT_FALSE(axis.LogActive());
  EXPECT_EQ(axis.Min(), -1);
}

TEST(TGraphAxis, LabelsTicksAndAlignment) {
  // x axis below the plot: ticks down, labels centred under them.
  TGraphAxis x("nm", 4, 3, 0, 1.2L, {40, 121}, {160, 121});
  EXPECT_EQ(x.TickVector(), (PlotPoint{0, 4}));
  EXPECT_EQ(x.MinorTickVector(), (PlotPoint{0, 3}));
  EXPECT_EQ(x.LabelAlign(), (TextAlign{TextShift::Center, TextShift::Start}));
  const std::vector<AxisLabel> labels = x.Labels();
  ASSERT_EQ(labels.size(), 4u);
  EXPECT_EQ(labels[1].text, "0.5");
  EXPECT_NEAR(static_cast<double>(labels[1].tickStart.x), 90, 1e-12);
  EXPECT_NEAR(static_cast<double>(labels[1].tickEnd.y), 125, 1e-12);
  // Unit after the end of the axis, one character height beyond it.
  const std::optional<PlacedText> unit = x.UnitText();
  ASSERT_TRUE(unit.has_value());
  EXPECT_EQ(unit->text, "nm");
  EXPECT_EQ(unit->anchor, (PlotPoint{172, 125}));
  EXPECT_EQ(unit->align, (TextAlign{TextShift::Start, TextShift::Start}));

  // y axis on the left, drawn upwards: ticks to the left, labels right-aligned to them.
  TGraphAxis y("T", -4, 2, 0, 10, {40, 121}, {40, 21});
  EXPECT_EQ(y.TickVector(), (PlotPoint{-4, 0}));
  EXPECT_EQ(y.LabelAlign(), (TextAlign{TextShift::End, TextShift::Center}));
  ASSERT_TRUE(y.UnitText().has_value());
  EXPECT_EQ(y.UnitText()->align, (TextAlign{TextShift::End, TextShift::End}));

  // Oblique axis: the signs of the tick vector choose.
  TGraphAxis o("", 5, 2, 0, 1, {0, 0}, {30, 40});
  EXPECT_NEAR(static_cast<double>(o.TickVector().x), -4, 1e-15);
  EXPECT_NEAR(static_cast<double>(o.TickVector().y), 3, 1e-15);
  EXPECT_EQ(o.LabelAlign(), (TextAlign{TextShift::End, TextShift::Start}));
}

TEST(TGraphAxis, UnitPlacements) {
  TGraphAxis axis("nm", 4, 1, 0, 2, {0, 0}, {100, 0});  // labels 0, 2 (n = 2)
  axis.SetUnitPlacement(UnitPlacement::Append);
  EXPECT_EQ(axis.Labels().back().text, "2nm");
  EXPECT_FALSE(axis.UnitText().has_value());
  axis.SetUnitPlacement(UnitPlacement::Prepend);
  EXPECT_EQ(axis.Labels().back().text, "nm2");
  axis.SetUnitPlacement(UnitPlacement::Separate);
  EXPECT_EQ(axis.Labels().back().text, "2");
  EXPECT_TRUE(axis.UnitText().has_value());
}

}  // namespace
}  // namespace tarvex
