// TResultsGraphs: the four graphs of the main window as plot models, without a display:
// density (RGraph, "rho "), velocity (VGraph, "v "), pressure (PGraph, "P ") and
// temperature (TGraph, "T ") against the coordinate (" x"), plotted at the nodes of
// StateA. The Qt view draws them on screen; the renderer composes the picture that is
// written with the result files; both read the same models.
//
// Units: with a physical equation of state (EosScale 1e5) the graphs show x in nm or mkm
// (after the length unit x1Edit), rho in g/cm3, v in km/s (v / EosScale), P in GPa and T
// in K; with the dimensionless models the plain quantity names only.
//
// Ranges: SetUp starts each value range at the value of node 0 and 0.9 of it (density:
// from the density of cell 0 down to 0) and the coordinate range at the grid's ends;
// every Refresh widens the ranges to the data (they never shrink during a run, so the
// picture of one run keeps its scale from interval to interval).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Real.h"
#include "core/plot/PlotModel.h"

namespace tarvex {

class Session;
class TMainForm;

// The question asked when the graphs are set up; Yes shifts the coordinate axes of the
// graphs by the initial length L0.
inline constexpr const char* kAskShiftGraphX0 = "Shift graph x0 to right (L0)?";

class TResultsGraphs {
 public:
  // Default size of each graph [px], used when no view has sized them (batch runs).
  static constexpr int32_t kDefaultWidth = 480;
  static constexpr int32_t kDefaultHeight = 300;

  TResultsGraphs();

  PlotModel RGraph;  // density
  PlotModel VGraph;  // velocity
  PlotModel PGraph;  // pressure
  PlotModel TGraph;  // temperature

  // Titles, axis units and curves for the session's state, initial ranges from StateA.
  // shiftX0: plot x + L0 instead of x. Without a state the graphs stay empty.
  void SetUp(const Session& s, const TMainForm& f, bool shiftX0);
  bool IsSetUp() const { return setUp_; }

  // Curves from StateA; the ranges widen to the new data.
  void Refresh(const Session& s);

  // The frozen grid (NoMove) shows the temperature graph only.
  bool FrozenGrid() const { return frozen_; }
  // The state has two temperatures: TGraph carries "Te" and "Ti" (series 1 and 2) and, on
  // a moving grid, PGraph "Pe" and "Pi".
  bool TwoTemperatures() const { return twoT_; }

  // The vertical marker in all four graphs: at a node (useIndex) or at a coordinate in
  // display units. A node outside the grid removes the marker.
  void SetMarker(const Session& s, bool useIndex, Real value);
  std::optional<int32_t> MarkerNode() const { return markerNode_; }

  // The coordinate of node j in display units.
  Real DisplayX(const Session& s, int32_t j) const;
  // Changes whenever the curves or ranges changed (views repaint on a new value).
  uint64_t Version() const { return version_; }

  PlotModel& Graph(int32_t i);  // 0 R, 1 V, 2 P, 3 T
  // Resizes one graph and fits its label counts to the new size.
  void SetGraphSize(int32_t i, int32_t width, int32_t height);
  const PlotModel& Graph(int32_t i) const;

 private:
  Real x1_ = 1;     // cm per display length unit
  Real shift_ = 0;  // added to x before display [cm]
  Real vScale_ = 1;
  bool setUp_ = false;
  bool frozen_ = false;
  bool twoT_ = false;  // Te and Ti curves in TGraph
  bool twoP_ = false;  // Pe and Pi curves in PGraph
  std::optional<int32_t> markerNode_;
  uint64_t version_ = 0;
};

// Requests as many axis labels as fit the frame: one per kPixelsPerXLabel along the
// horizontal axis, one per kPixelsPerYLabel along the vertical ones (at least two).
inline constexpr int32_t kPixelsPerXLabel = 80;
inline constexpr int32_t kPixelsPerYLabel = 50;
void FitLabelCounts(PlotModel& graph);

// Widens the range of a linear axis outwards to whole label steps, so that the range
// ends are labelled values (no label squeezed next to a range end). When the data
// [dataMin, dataMax] reach a rounded end (a plateau at the maximum, say), one more step
// is added there so that the curve is not drawn on the frame; an end at exactly 0 (a
// density or temperature bound) stays. Logarithmic and empty ranges stay.
void RoundRangeToSteps(PlotModel& graph, int32_t axis, Real dataMin, Real dataMax);

// The length unit's name for the display: "nm" for 1e-7 cm, "mkm" for 1e-4 cm, "" else.
std::string LengthUnitName(Real x1Edit);
// True when the display shows physical units (EosScale 1e5 and a named length unit).
bool PhysicalUnits(Real EosScale, Real x1Edit);

}  // namespace tarvex
