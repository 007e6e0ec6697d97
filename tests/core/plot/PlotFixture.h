// A small graph used by the plot model and EPS tests: 201 x 151 pixels, the plot area
// x 40..160, y 121 (bottom) .. 21 (top); x linear 0..1.2 (100 px per unit), y logarithmic
// 1..1e4 (25 px per decade); two curves "Ti" and "Te", the latter labelled at its end.
#pragma once

#include "core/plot/PlotModel.h"

namespace tarvex::testing_plot {

inline PlotGeometry FixtureGeometry() {
  PlotGeometry g;
  g.left = 40;
  g.right = 41;
  g.top = 21;
  g.bottom = 30;
  g.tickLength = 4;
  return g;
}

// The frame with its axes and no curves.
inline PlotModel FixtureFrame() {
  PlotModel m(201, 151, FixtureGeometry(), PlotFont{"Courier", 10, PlotColors::kBlack});
  m.SetTitle("Temperature");
  m.XAxis().SetLabelCount(3);
  m.XAxis().SetUnit("x");
  m.XAxis().SetColor(PlotColors::kGray);
  m.SetRange(0, 0, 1.2L);
  m.YAxis().SetLabelCount(2);
  m.YAxis().SetLogCapable(true);
  m.YAxis().SetUnit("T [K]");
  m.YAxis().SetFont(PlotFont{"Courier", 8, PlotColors::kBlack});
  m.YAxis().SetColor(PlotColors::kBlue);
  m.SetRange(1, 1, 1e4L);
  return m;
}

inline PlotModel FixturePlot() {
  PlotModel m = FixtureFrame();
  PlotSeries ti;
  ti.name = "Ti";
  ti.color = PlotColors::kGreen;
  ti.x = {0, 0.5L, 1.2L};
  ti.y = {1, 100, 1e4L};
  m.AddSeries(ti);
  PlotSeries te;
  te.name = "Te";
  te.color = PlotColors::kMagenta;
  te.x = {0, 0.6L};
  te.y = {10, 1000};
  te.labelAt = CurveLabelAt::Last;
  m.AddSeries(te);
  return m;
}

}  // namespace tarvex::testing_plot
