// The four graphs of the main window: set-up, refresh from StateA, marker.
#include "core/run/ResultsGraphs.h"

#include <cmath>
#include <limits>
#include <vector>

#include "core/hydro/HydrStat.h"
#include "core/run/MainForm.h"
#include "core/session/Session.h"

namespace tarvex {

namespace {

constexpr Real kPhysicalScale = 1e5L;  // EosScale of the physical models: cm/s per km/s

bool Near(Real a, Real b) {
  return std::fabs(a - b) <= 1e-9L * std::fabs(b);
}

// Widens a graph's axis to the finite extremes of the values, then to whole label steps.
void IncludeValues(PlotModel& g, int32_t axis, const std::vector<Real>& values) {
  bool any = false;
  Real lo = 0;
  Real hi = 0;
  for (Real v : values) {
    if (!std::isfinite(v)) continue;
    lo = any ? std::min(lo, v) : v;
    hi = any ? std::max(hi, v) : v;
    any = true;
  }
  if (!any) return;
  const Real min0 = g.Axis(axis).Min();
  const Real max0 = g.Axis(axis).Max();
  g.Include(axis, lo);
  g.Include(axis, hi);
  // Rounded only when the data reached beyond the range: rounding a range it already
  // holds would widen it to the next step each refresh (a wider range, a longer step, a
  // wider rounding), and the graph would drift away from its data.
  if (g.Axis(axis).Min() == min0 && g.Axis(axis).Max() == max0) return;
  // The coordinate axis needs no room beyond the grid's ends.
  const Real none = std::numeric_limits<Real>::quiet_NaN();
  RoundRangeToSteps(g, axis, axis == 0 ? none : lo, axis == 0 ? none : hi);
}

}  // namespace

void FitLabelCounts(PlotModel& graph) {
  const PlotRect area = graph.PlotArea();
  const Real width = area.right - area.left;
  const Real height = area.bottom - area.top;
  auto count = [](Real length, int32_t perLabel) {
    return std::max<int32_t>(2, static_cast<int32_t>(length / perLabel));
  };
  graph.XAxis().SetLabelCount(count(width, kPixelsPerXLabel));
  for (int32_t i = 1; i < graph.AxisCount(); ++i)
    graph.Axis(i).SetLabelCount(count(height, kPixelsPerYLabel));
}

void RoundRangeToSteps(PlotModel& graph, int32_t axis, Real dataMin, Real dataMax) {
  const TGraphAxis& a = graph.Axis(axis);
  const TickLayout& layout = a.Layout();
  if (layout.logarithmic || !(layout.step > 0)) return;
  const Real step = layout.step;
  // Quotients within this tolerance of a whole number count as whole: 1.2 / 0.2 must not
  // round up to 7 steps.
  constexpr Real kWhole = 1e-9L;
  Real lo = std::floor(a.Min() / step + kWhole) * step;
  Real hi = std::ceil(a.Max() / step - kWhole) * step;
  constexpr Real kTouch = 0.02L;  // of a step
  if (std::isfinite(dataMax) && dataMax != 0 && hi - dataMax < kTouch * step) hi += step;
  if (std::isfinite(dataMin) && dataMin != 0 && dataMin - lo < kTouch * step) lo -= step;
  if (!(lo < a.Min()) && !(hi > a.Max())) return;
  lo = std::min(lo, a.Min());
  hi = std::max(hi, a.Max());
  const bool autoRange = graph.AutoRange(axis);
  if (a.Reversed()) {
    graph.SetRange(axis, hi, lo);
  } else {
    graph.SetRange(axis, lo, hi);
  }
  if (autoRange) graph.SetAutoRange(axis, true);
}

std::string LengthUnitName(Real x1Edit) {
  if (Near(x1Edit, 1e-7L)) return "nm";
  if (Near(x1Edit, 1e-4L)) return "mkm";
  return {};
}

bool PhysicalUnits(Real EosScale, Real x1Edit) {
  return EosScale == kPhysicalScale && !LengthUnitName(x1Edit).empty();
}

TResultsGraphs::TResultsGraphs()
    : RGraph(kDefaultWidth, kDefaultHeight),
      VGraph(kDefaultWidth, kDefaultHeight),
      PGraph(kDefaultWidth, kDefaultHeight),
      TGraph(kDefaultWidth, kDefaultHeight) {
  RGraph.SetTitle("rho ");
  VGraph.SetTitle("v ");
  PGraph.SetTitle("P ");
  TGraph.SetTitle("T ");
  for (int32_t i = 0; i < 4; ++i) {
    Graph(i).XAxis().SetUnit(" x");
    FitLabelCounts(Graph(i));
  }
}

void TResultsGraphs::SetGraphSize(int32_t i, int32_t width, int32_t height) {
  PlotModel& g = Graph(i);
  if (g.Width() == width && g.Height() == height) return;
  g.SetSize(width, height);
  FitLabelCounts(g);
  const Real none = std::numeric_limits<Real>::quiet_NaN();
  for (int32_t axis = 0; axis < g.AxisCount(); ++axis) RoundRangeToSteps(g, axis, none, none);
  ++version_;
}

PlotModel& TResultsGraphs::Graph(int32_t i) {
  switch (i) {
    case 0:
      return RGraph;
    case 1:
      return VGraph;
    case 2:
      return PGraph;
    default:
      return TGraph;
  }
}

const PlotModel& TResultsGraphs::Graph(int32_t i) const {
  return const_cast<TResultsGraphs*>(this)->Graph(i);
}

Real TResultsGraphs::DisplayX(const Session& s, int32_t j) const {
  return (s.StateA->x[static_cast<size_t>(j)] + shift_) / x1_;
}

void TResultsGraphs::SetUp(const Session& s, const TMainForm& f, bool shiftX0) {
  const Real x1 = f.x1Edit.StoredValue();
  x1_ = x1 != 0 ? x1 : 1;
  const Real scale = s.eos.EosScale;
  vScale_ = scale != 0 ? scale : 1;
  shift_ = shiftX0 ? s.sim.L0 : 0;
  frozen_ = s.bounds.NoMove;
  markerNode_.reset();

  const bool physical = PhysicalUnits(scale, x1);
  const std::string xUnit = physical ? " x [" + LengthUnitName(x1) + "]" : " x";
  const char* units[4] = {"[g/cm3]", "[km/s]", "[GPa]", "[K]"};
  for (int32_t i = 0; i < 4; ++i) {
    PlotModel& g = Graph(i);
    g.ClearSeries();
    g.ClearMarker();
    g.XAxis().SetUnit(xUnit);
    g.YAxis().SetUnit(physical ? units[i] : "");
    PlotSeries curve;
    curve.name = "";
    curve.color = PlotColors::kBlue;
    g.AddSeries(std::move(curve));
  }
  setUp_ = s.StateA != nullptr;
  // Two temperatures: the electrons' (magenta) and the ions' (green) temperature and
  // pressure beside the totals, at the nodes like them.
  twoT_ = setUp_ && s.StateA->ArrayByName("Te") != nullptr;
  twoP_ = setUp_ && s.StateA->ArrayByName("Pe") != nullptr;
  if (twoT_) {
    TGraph.AddSeries(PlotSeries{"Te", PlotColors::kMagenta, {}, {}, CurveLabelAt::Last});
    TGraph.AddSeries(PlotSeries{"Ti", PlotColors::kGreen, {}, {}, CurveLabelAt::Last});
  }
  if (twoP_) {
    PGraph.AddSeries(PlotSeries{"Pe", PlotColors::kMagenta, {}, {}, CurveLabelAt::Last});
    PGraph.AddSeries(PlotSeries{"Pi", PlotColors::kGreen, {}, {}, CurveLabelAt::Last});
  }
  if (!setUp_) {
    ++version_;
    return;
  }

  const THydrStat& A = *s.StateA;
  const int32_t N = A.CellCount();
  const Real xa = DisplayX(s, 0);
  const Real xb = DisplayX(s, N);
  const Real first[4] = {A.Density(0), A.v[0] / vScale_, A.NodePressure(0), A.NodeTemperature(0)};
  for (int32_t i = 0; i < 4; ++i) {
    PlotModel& g = Graph(i);
    g.SetRange(0, xa, xb);
    if (i == 0) {
      g.SetRange(1, first[0], 0);
    } else {
      g.SetRange(1, first[i], 0.9L * first[i]);
    }
  }
  // The first refresh widens the ranges to the data and rounds them to whole label steps;
  // a coordinate range the grid already fills is rounded here, once.
  const Real none = std::numeric_limits<Real>::quiet_NaN();
  for (int32_t i = 0; i < 4; ++i) RoundRangeToSteps(Graph(i), 0, none, none);
  Refresh(s);
}

void TResultsGraphs::Refresh(const Session& s) {
  if (!setUp_ || s.StateA == nullptr) return;
  const THydrStat& A = *s.StateA;
  const int32_t nodes = A.CellCount() + 1;
  std::vector<Real> x(static_cast<size_t>(nodes));
  std::vector<Real> y[4];
  for (std::vector<Real>& v : y) v.resize(static_cast<size_t>(nodes));
  for (int32_t j = 0; j < nodes; ++j) {
    const size_t k = static_cast<size_t>(j);
    x[k] = DisplayX(s, j);
    y[0][k] = A.NodeDensity(j);
    y[1][k] = A.v[k] / vScale_;
    y[2][k] = A.NodePressure(j);
    y[3][k] = A.NodeTemperature(j);
  }
  // A cell array at the nodes: the mean of the two cells beside a node, the end cell's
  // value at the ends.
  auto atNodes = [&](const RealArray& c) {
    std::vector<Real> out(static_cast<size_t>(nodes));
    const int32_t last = nodes - 2;
    for (int32_t j = 0; j < nodes; ++j) {
      out[static_cast<size_t>(j)] =
          j <= 0 ? c[0] : (j > last ? c[static_cast<size_t>(last)] : (c[j] + c[j - 1]) / 2);
    }
    return out;
  };
  auto addPair = [&](PlotModel& g, const char* a, const char* b) {
    int32_t series = 1;
    for (const char* name : {a, b}) {
      std::vector<Real> values = atNodes(*A.ArrayByName(name));
      IncludeValues(g, 1, values);
      g.SetSeriesPoints(series++, x, std::move(values));
    }
  };
  if (twoT_) {
    // Ti is the T array of the two-temperature classes.
    std::vector<Real> te = atNodes(*A.ArrayByName("Te"));
    std::vector<Real> ti = atNodes(A.T);
    IncludeValues(TGraph, 1, te);
    IncludeValues(TGraph, 1, ti);
    TGraph.SetSeriesPoints(1, x, std::move(te));
    TGraph.SetSeriesPoints(2, x, std::move(ti));
  }
  if (twoP_) addPair(PGraph, "Pe", "Pi");
  for (int32_t i = 0; i < 4; ++i) {
    PlotModel& g = Graph(i);
    IncludeValues(g, 0, x);
    IncludeValues(g, 1, y[i]);
    g.SetSeriesPoints(0, x, std::move(y[i]));
    if (markerNode_ && *markerNode_ < nodes) g.SetMarker(x[static_cast<size_t>(*markerNode_)]);
  }
  ++version_;
}

void TResultsGraphs::SetMarker(const Session& s, bool useIndex, Real value) {
  markerNode_.reset();
  if (s.StateA != nullptr) {
    const int32_t nodes = s.StateA->CellCount() + 1;
    if (useIndex) {
      const Real r = std::round(value);
      if (r >= 0 && r < nodes) markerNode_ = static_cast<int32_t>(r);
    } else if (std::isfinite(value)) {
      // The node nearest to the coordinate.
      int32_t best = 0;
      Real bestDistance = std::fabs(DisplayX(s, 0) - value);
      for (int32_t j = 1; j < nodes; ++j) {
        const Real d = std::fabs(DisplayX(s, j) - value);
        if (d < bestDistance) {
          best = j;
          bestDistance = d;
        }
      }
      markerNode_ = best;
    }
  }
  for (int32_t i = 0; i < 4; ++i) {
    if (markerNode_) {
      Graph(i).SetMarker(DisplayX(s, *markerNode_));
    } else {
      Graph(i).ClearMarker();
    }
  }
  ++version_;
}

}  // namespace tarvex
