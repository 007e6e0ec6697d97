// The laser source: a volumetric heat source separable in time and space,
//   Q(x, t) = QAmp * Ft(t) * Fx(x),
// the per-cell table QCell of its space integral, and the two calls of the energy step
// (UpdateSourceTime once per step, SourceInCell per cell).
//
// The user gives the absorbed fluence F [mJ/cm^2], the absorption depth d [nm] (its sign
// selects the irradiated face of the film) and the duration tau [fs]; QAmp [kW/cm^3]
// carries F / (|d| tau) and the normalisation of the shapes, so that the film absorbs F
// per unit area when the space shape ends inside the film and the run lasts until the
// pulse is over, whatever time it starts at. A second space shape (pre-heating) deposits
// its own fluence in the substrate next to the film, with the same time shape.
//
// Everything is integrated exactly: QCell[i] is the closed-form integral of the space
// shape between the faces of cell i (no sampling, so a cell much thicker than d still
// gets its exact share), and the time factor of a step is the exact mean of Ft over the
// step, so the energy put in over any sequence of steps is the integral of Ft over their
// union. In cylindrical and spherical geometry QCell is per unit solid angle: the film
// receives F * R^RadialPower per unit solid angle, R the radius of the film's outer face,
// and the pre-heating shape is a density per unit volume of the substrate.
//
// The solvers build the table on the grid as the initial conditions laid it out
// (SourceLayout), not on the nodes where the motion has taken them: the grid is
// Lagrangian, a cell keeps its matter, and the energy the light puts into that matter is
// fixed by where it was when the film was made. The table is then a function of the
// cell count, the layers, the geometry, h0 and rho0l/rho0 alone: rebuilt at any time,
// after a load of a saved profile included, it is the same table.
//
// State lives in a LaserSource record owned by the session; nothing here is global.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "core/common/Real.h"

namespace tarvex {

class HydroState;

// Time shapes, numbered as the items of the dialog's time list; Zero is the zero function
// (no source). t and tau in s. The pulse begins at t = 0: the one-sided shapes are 0
// before it, so a run started earlier (to have the film at rest when the light arrives)
// receives the same fluence as one started at 0. Only the Gaussian, centred on t = 0, has
// a rising half before it.
enum class TimeShape : int8_t {
  Zero = -1,
  Gauss = 0,       // exp(-(t/tau)^2), all t
  Exp = 1,         // exp(-t/tau) for t >= 0, 0 before
  Step = 2,        // 1 for 0 <= t <= tau, 0 outside
  LinearDown = 3,  // 1 - t/tau for 0 <= t <= tau, 0 outside (never negative)
  LinearUp = 4,    // t/tau for 0 <= t <= tau, 0 outside
};

// Space shapes as functions of the depth u >= 0 below the irradiated face in units of the
// depth: u = (L - x)/d for d > 0, u = x/|d| for d < 0 (x the film coordinate, 0 at the
// film's left face, L at its right face). Numbered as the items of the space list.
enum class SpaceShape : int8_t {
  Zero = -1,
  Gauss = 0,   // exp(-u^2)
  Exp = 1,     // exp(-u)
  Step = 2,    // 1 for u <= 1, else 0
  Linear = 3,  // 1 - u for u <= 1, else 0 (never negative)
};

inline constexpr int32_t kTimeShapeCount = 5;
inline constexpr int32_t kSpaceShapeCount = 4;

// Unit conversions of the dialog.
inline constexpr Real kFluenceUnit = 1e-6L;  // mJ/cm^2 -> kJ/cm^2
inline constexpr Real kDepthUnit = 1e-7L;    // nm -> cm
inline constexpr Real kTauUnit = 1e-15L;     // fs -> s

// The pulse as the dialog accepts it, in the dialog's units.
struct LaserPulse {
  Real F = 0;             // absorbed fluence [mJ/cm^2], > 0
  Real d = 0;             // absorption depth [nm], != 0; > 0 light enters at the right face
  Real tau = 0;           // duration [fs], > 0
  int32_t timeItem = 0;   // TimeShape item 0..4
  int32_t spaceItem = 1;  // SpaceShape item 0..3
  // Pre-heating of the substrate next to the film; none while preF = 0.
  Real preF = 0;  // its fluence [mJ/cm^2], >= 0
  Real preD = 0;  // its depth into the substrate [nm], != 0 with preF (sign ignored)
  int32_t preSpaceItem = 1;
};

// Why a pulse was refused: the dialog field that takes the focus and a short reason.
// An empty field means accepted.
struct LaserRefusal {
  std::string_view field;
  std::string_view reason;

  bool Refused() const { return !field.empty(); }
};

// The refusals, in the order CheckLaserPulse applies them. The pre-heating ones name the
// fields of the pre-heating dialog; in the main dialog they focus "PreHtBtn".
inline constexpr LaserRefusal kBadF{"AEdit",
                                    "The absorbed fluence F must be greater than 0 mJ/cm^2"};
inline constexpr LaserRefusal kBadTimeShape{"tSelect", "Choose a time shape Ft"};
inline constexpr LaserRefusal kBadTau{"tEdit", "The duration tau must be greater than 0 fs"};
inline constexpr LaserRefusal kBadSpaceShape{"xSelect", "Choose a space shape Fx"};
inline constexpr LaserRefusal kBadD{
    "dEdit", "The depth d must not be 0 nm (its sign selects the irradiated face)"};
inline constexpr LaserRefusal kAmpRange{"AEdit", "F/(d*tau) is outside the range of numbers"};
inline constexpr LaserRefusal kBadPreF{"AEdit", "The pre-heating fluence F must not be negative"};
inline constexpr LaserRefusal kBadPreD{"dEdit", "The pre-heating depth d must not be 0 nm"};
inline constexpr LaserRefusal kBadPreShape{"xSelect", "Choose a pre-heating shape"};
inline constexpr LaserRefusal kPreAmpRange{
    "AEdit", "F/(d*tau) of the pre-heating is outside the range of numbers"};

// The source record of a session.
struct LaserSource {
  // ---- the source as the dialog's OK left it ----
  TimeShape FtFn = TimeShape::Zero;      // time shape
  SpaceShape FxFn = SpaceShape::Zero;    // space shape in the film
  SpaceShape FpreFn = SpaceShape::Zero;  // pre-heating shape in the substrate
  Real QAmp = 0;       // amplitude of the main source, normalisation included [kW/cm^3]
  Real QDepth = 0;     // d of the main source, signed [cm]
  Real QTau = 0;       // tau [s]
  Real QPreAmp = 0;    // amplitude of the pre-heating shape [kW/cm^3]
  Real QPreDepth = 0;  // depth of the pre-heating shape, > 0 [cm]
  Real QSurfX = 0;     // film thickness the table was built for [cm]

  // ---- the per-cell table and the current step ----
  RealArray QCell;       // space integral of the source over each cell [kW/cm^2]
  Real QTimeFactor = 0;  // mean of Ft over the current step
  // Grid layout the table was built for; a different one makes UpdateSourceTime rebuild.
  int32_t builtCells = -1;
  int32_t builtInGlass = 0;
  int32_t builtDspc = 0;
  Real builtH0 = 0;          // h0 of the SourceLayout; 0 for a table built on given nodes
  Real builtWidthRatio = 0;  // widthRatio of the SourceLayout; 0 likewise
  RealArray layoutNodes;     // the nodes of that layout [cm], kept so that a rebuild allocates
                             // only when the grid grew
};

// ---- the pulse -----------------------------------------------------------------------

// The first refusal in the dialog's order (F, time shape, tau, space shape, d, then the
// pre-heating), or none.
LaserRefusal CheckLaserPulse(const LaserPulse& p);
// The pre-heating dialog's check of its fluence [mJ/cm^2], depth [nm] and shape item with
// the main duration tau [fs]: a zero fluence is accepted (no pre-heating), a negative
// depth stands for its magnitude. Fields are those of the pre-heating dialog.
LaserRefusal CheckPreHeating(Real preF, Real preD, int32_t item, Real tau);
// Checks the pulse and, when it passes, sets the shapes and the amplitudes; the table
// must then be rebuilt (UpdateSourceTime does it when the caller does not). A refusal
// changes nothing.
LaserRefusal SetLaserPulse(LaserSource& src, const LaserPulse& p);
// No source: every shape becomes the zero function (the check box "Q external" off).
void SwitchOffSource(LaserSource& src);
// A source is defined (the initial-conditions dialog shows "Q external" checked).
bool SourceDefined(const LaserSource& src);

// ---- shape functions -----------------------------------------------------------------

Real TimeShapeValue(TimeShape shape, Real t, Real tau);
// Integral of Ft over [a, b] [s]; negative for b < a.
Real TimeShapeIntegral(TimeShape shape, Real a, Real b, Real tau);
// The factor QAmp carries for the time shape: tau over the integral of Ft over all times
// (the whole Gaussian; [0, inf) for the exponential; [0, tau] for the step and the lines).
Real TimeShapeNorm(TimeShape shape);

Real SpaceShapeValue(SpaceShape shape, Real u);
// Integral of the shape over the depths [ua, ub] (in units of the depth), 0 <= ua <= ub.
Real SpaceShapeIntegral(SpaceShape shape, Real ua, Real ub);
// The factor QAmp carries for the space shape: one over its integral over all depths.
Real SpaceShapeNorm(SpaceShape shape);

// Ft(t) of the record.
Real FtValue(const LaserSource& src, Real t);
// QAmp Fx at the film coordinate xi [cm] (0 at the film's left face, QSurfX at its right
// face; 0 outside the film) [kW/cm^3].
Real FxValue(const LaserSource& src, Real xi);
// QPreAmp Fpre at the distance s >= 0 [cm] from the film into the substrate [kW/cm^3].
Real FpreValue(const LaserSource& src, Real s);

// ---- the per-cell table --------------------------------------------------------------

// A grid given by its node coordinates x_0 .. x_N [cm] (radii when curved), the layer
// bookkeeping and the geometry: any cell widths, for a grid that does not move (and for
// a layer just added). firstCell > 0 extends the table to the cells firstCell .. N-1 of a
// layer added after the existing grid: that layer is irradiated as a film of its own and
// the entries of the cells before it stay as they are.
struct SourceGrid {
  std::span<const Real> x;
  int32_t InGlass = 0;  // substrate cells: > 0 the first InGlass cells, < 0 the last |InGlass|
  int32_t Dspc = 1;     // 1 planar, 2 cylindrical, 3 spherical
  int32_t firstCell = 0;
};

enum class SourceStatus : uint8_t {
  Ok,
  NoCells,         // fewer than two node coordinates
  BadCoordinates,  // not finite, not strictly increasing, or negative radii
  BadLayers,       // |InGlass| larger than the cell count
  BadGeometry,     // Dspc outside 1..3
  BadFirstCell,    // firstCell outside 0..N-1
  NonFinite,       // the source over a cell or the time factor is not finite
};
const char* SourceStatusText(SourceStatus status);

// The grid the solvers' table is built on: the grid of N cells as the initial conditions
// lay it out, before any motion. Planar: x = 0 at the film-substrate interface, film cells
// of width h0, substrate cells of width h0 / widthRatio (cells of equal mass); the film
// coordinate runs from 0 at its left face to QSurfX = (N - |InGlass|) h0 at its right
// face. Curved: every cell h0 wide, radii k h0 from the centre.
struct SourceLayout {
  int32_t N = 0;        // cells, substrate included
  int32_t InGlass = 0;  // substrate cells: > 0 the first InGlass cells, < 0 the last |InGlass|
  int32_t Dspc = 1;     // 1 planar, 2 cylindrical, 3 spherical
  Real h0 = 0;          // initial film cell width [cm]
  Real widthRatio = 1;  // film over substrate cell width: rho0l / rho0 planar with a
                        // substrate, 1 otherwise
};

// The layout of a state of N cells: sim.InGlass, sim.Dspc, sim.h0 and sim.rho0l / sim.rho0.
SourceLayout InitialSourceLayout(const HydroState& s, int32_t N);

// The node coordinates x_0 .. x_N of the layout [cm]; x must hold N + 1 entries.
void LayoutNodes(const SourceLayout& layout, std::span<Real> x);

// Fills QCell with the exact integral of the source over every cell of the grid (sized to
// the cell count; an allocation only when the grid grew) and records the layout. On a
// refusal the table is left empty, so that no stale entry is ever used.
SourceStatus BuildSourceProfile(LaserSource& src, const SourceGrid& grid);
// The same on the nodes of the layout (kept in src.layoutNodes).
SourceStatus BuildSourceProfile(LaserSource& src, const SourceLayout& layout);

// Once per step, before the cell loops: the time factor of the step [tOld, tNew] (the
// exact mean of Ft over it; Ft(tOld) when the step is empty). Rebuilds the table first
// when it was built for another layout (cell count, InGlass, Dspc, and for the
// SourceLayout h0 and widthRatio). Not Ok: the source of this step is zero and the caller
// fails the pass. The solvers pass InitialSourceLayout(state, N): on a moving grid a table
// rebuilt on the current nodes would depend on how far the grid has moved.
SourceStatus UpdateSourceTime(LaserSource& src, Real tOld, Real tNew, const SourceLayout& layout);
// The same for a grid given by its nodes, which the table is rebuilt on.
SourceStatus UpdateSourceTime(LaserSource& src, Real tOld, Real tNew, const SourceGrid& grid);

// The source of cell i over the current step [kW/cm^2]: the solver adds
// dt * SourceInCell(i) / m_i to the specific energy of the cell.
inline Real SourceInCell(const LaserSource& src, int32_t i) {
  return src.QCell[static_cast<size_t>(i)] * src.QTimeFactor;
}

}  // namespace tarvex
