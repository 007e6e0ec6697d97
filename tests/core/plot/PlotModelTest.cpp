// The graph frame model: placement of the axes, curve polylines with gaps and clipping,
// ranges that follow the data, the marker line, the mouse readout and the drawing calls.
#include "core/plot/PlotModel.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "core/plot/PlotFixture.h"

namespace tarvex {
namespace {

using testing_plot::FixtureFrame;
using testing_plot::FixtureGeometry;
using testing_plot::FixturePlot;

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

// Clipped ends may lie up to 1e-6 px outside the plot area.
void ExpectPolyline(const std::vector<PlotPoint>& got, const std::vector<PlotPoint>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_NEAR(static_cast<double>(got[i].x), static_cast<double>(want[i].x), 1e-5) << i;
    EXPECT_NEAR(static_cast<double>(got[i].y), static_cast<double>(want[i].y), 1e-5) << i;
  }
}

// The fixture frame with a linear y axis 0..10 (10 px per unit).
PlotModel LinearFrame() {
  PlotModel m = FixtureFrame();
  m.YAxis().SetLogCapable(false);
  m.SetRange(1, 0, 10);
  return m;
}

TEST(PlotModel, AxesFollowTheFrameSize) {
  PlotModel m = FixtureFrame();
  EXPECT_EQ(m.XAxis().Start(), (PlotPoint{40, 121}));
  EXPECT_EQ(m.XAxis().End(), (PlotPoint{160, 121}));
  EXPECT_EQ(m.YAxis().End(), (PlotPoint{40, 21}));
  m.SetSize(301, 251);
  EXPECT_EQ(m.XAxis().End(), (PlotPoint{260, 221}));
  EXPECT_EQ(m.YAxis().End(), (PlotPoint{40, 21}));
  EXPECT_NEAR(static_cast<double>(m.DataToPixel(1.2L, 1e4L)->x), 260, 1e-12);
  // A vertical axis on the right takes its room from the plot area.
  const int32_t z = m.AddYAxis(" Z ", PlotColors::kMagenta);
  EXPECT_EQ(z, 2);
  EXPECT_EQ(m.XAxis().End().x, 260 - FixtureGeometry().extraAxisSpacing);
  EXPECT_EQ(m.Axis(z).Start(), m.XAxis().End());
  EXPECT_EQ(m.Axis(z).TickVector(), (PlotPoint{4, 0}));  // labels to the right
}

TEST(PlotModel, ReadoutText) {
  const PlotModel m = FixturePlot();
  EXPECT_EQ(m.ReadoutText(100, 71), "(100, 71) : (0.6, 100)");
  EXPECT_EQ(m.ReadoutText(40, 121), "(40, 121) : (0, 1)");
  EXPECT_EQ(m.ReadoutText(47, 30), "(47, 30) : (0.07, 4365)");  // 10^3.64
  const PlotModel lin = LinearFrame();
  EXPECT_EQ(lin.ReadoutText(160, 118), "(160, 118) : (1.2, 0.3)");
  EXPECT_EQ(lin.ReadoutText(-23, 9), "(-23, 9) : (-0.63, 11.2)");  // outside: extrapolated
}

TEST(PlotModel, CurvePolylinesBreakAtPointsThatCannotBeShown) {
  PlotModel m = FixtureFrame();  // log y: zero and negative values cannot be shown
  PlotSeries s;
  s.x = {0, 0.1L, 0.2L, 0.3L, 0.4L, 0.5L, 0.6L, 0.7L};
  s.y = {1, 10, 0, 100, 1000, kNaN, 10, -1};
  const int32_t i = m.AddSeries(s);
  const std::vector<std::vector<PlotPoint>> pieces = m.CurvePolylines(i);
  // (0.6, 10) stands alone between two gaps: a single point draws nothing.
  ASSERT_EQ(pieces.size(), 2u);
  ExpectPolyline(pieces[0], {{40, 121}, {50, 96}});
  ExpectPolyline(pieces[1], {{70, 71}, {80, 46}});
}

TEST(PlotModel, CurvePolylinesAreClippedToThePlotArea) {
  PlotModel m = LinearFrame();
  PlotSeries s;
  // Enters through the bottom, leaves through the top, comes back, ends right of the area.
  s.x = {0, 0.6L, 1.2L, 1.0L, 1.1L, 1.8L};
  s.y = {-5, 5, 20, 30, 5, 5};
  const int32_t i = m.AddSeries(s);
  const std::vector<std::vector<PlotPoint>> pieces = m.CurvePolylines(i);
  ASSERT_EQ(pieces.size(), 2u);
  ExpectPolyline(pieces[0], {{70, 121}, {100, 71}, {120, 21}});
  ExpectPolyline(pieces[1], {{148, 21}, {150, 71}, {160, 71}});
  // Entirely outside: nothing.
  PlotSeries out;
  out.x = {2, 3};
  out.y = {5, 5};
  EXPECT_TRUE(m.CurvePolylines(m.AddSeries(out)).empty());
}

TEST(PlotModel, AutoRangesFollowTheDataOfTheirCurves) {
  PlotModel m = LinearFrame();
  m.SetAutoRange(0, true);
  m.SetAutoRange(1, true);
  PlotSeries s;
  s.x = {0.5L, 2, 1};
  s.y = {3, kNaN, -4};
  const int32_t i = m.AddSeries(s);
  EXPECT_EQ(m.XAxis().Min(), 0.5L);
  EXPECT_EQ(m.XAxis().Max(), 2);
  EXPECT_EQ(m.YAxis().Min(), -4);  // the NaN is ignored
  EXPECT_EQ(m.YAxis().Max(), 3);
  m.SetSeriesPoints(i, {0, 1}, {7, 8});
  EXPECT_EQ(m.YAxis().Min(), 7);
  // Fixing a range ends its automatic fit.
  m.SetRange(1, 0, 100);
  EXPECT_FALSE(m.AutoRange(1));
  m.SetSeriesPoints(i, {0, 1}, {-50, 500});
  EXPECT_EQ(m.YAxis().Max(), 100);
  EXPECT_EQ(m.XAxis().Max(), 1);
}

TEST(PlotModel, AutoRangeOfAnExtraAxisUsesOnlyItsCurves) {
  PlotModel m = LinearFrame();
  const int32_t z = m.AddYAxis(" Z ", PlotColors::kMagenta);
  m.SetAutoRange(z, true);
  PlotSeries rho;
  rho.x = {0, 1};
  rho.y = {100, 200};
  m.AddSeries(rho);
  PlotSeries charge;
  charge.x = {0, 1};
  charge.y = {0.5L, 2.5L};
  charge.yAxis = z;
  m.AddSeries(charge);
  EXPECT_EQ(m.Axis(z).Min(), 0.5L);
  EXPECT_EQ(m.Axis(z).Max(), 2.5L);
}

TEST(PlotModel, MarkerLineAcrossTheImage) {
  PlotModel m = FixturePlot();
  EXPECT_FALSE(m.MarkerLine().has_value());
  m.SetMarker(0.6L);
  const std::optional<PlotSegment> line = m.MarkerLine();
  ASSERT_TRUE(line.has_value());
  EXPECT_NEAR(static_cast<double>(line->a.x), 100, 1e-12);
  EXPECT_EQ(line->a.y, 0);
  EXPECT_EQ(line->b.y, 151);
  m.SetMarker(5);  // 540 px: beyond the image
  EXPECT_FALSE(m.MarkerLine().has_value());
  m.ClearMarker();
  EXPECT_FALSE(m.Marker().has_value());
}

// Records the drawing calls as text.
class RecordingCanvas : public PlotCanvas {
 public:
  std::vector<std::string> calls;
  void BeginPicture(const PictureSetup& s) override {
    calls.push_back("picture " + std::to_string(s.width) + "x" + std::to_string(s.height));
  }
  void EndPicture() override { calls.push_back("end"); }
  void BeginAxis() override { calls.push_back("axis"); }
  void BeginCurve() override { calls.push_back("curve"); }
  void EndCurve() override { calls.push_back("/curve"); }
  void SetPenWidth(Real) override { calls.push_back("pen"); }
  void SetFont(const PlotFont& f) override { calls.push_back("font " + f.name); }
  void SetColor(PlotColor c) override { calls.push_back("color " + std::to_string(c.Rgb())); }
  void Line(PlotPoint, PlotPoint) override { calls.push_back("line"); }
  void Polyline(std::span<const PlotPoint> p) override {
    calls.push_back("polyline " + std::to_string(p.size()));
  }
  void Text(PlotPoint, std::string_view t, TextAlign) override {
    calls.push_back("text " + std::string(t));
  }
};

TEST(PlotModel, DrawOrder) {
  RecordingCanvas c;
  FixturePlot().Draw(c);
  const std::vector<std::string> want = {
      "picture 201x151", "text Temperature",
      // x axis: line, four labels, unit
      "axis", "pen", "font Courier", "color 8421504", "line", "line", "text 0.0", "line",
      "text 0.5", "line", "text 1.0", "line", "text 1.2", "text x",
      // y axis: line, three labels, unit
      "axis", "pen", "font Courier", "color 255", "line", "line", "text 1E0", "line", "text 1E2",
      "line", "text 1E4", "text T [K]",
      // curves
      "curve", "color 32768", "polyline 3", "/curve", "curve", "color 16711935", "polyline 2",
      "line", "text Te", "/curve", "end"};
  EXPECT_EQ(c.calls, want);
}

}  // namespace
}  // namespace tarvex
