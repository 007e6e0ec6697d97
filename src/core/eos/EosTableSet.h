// A table set of a tabulated equation of state in memory: the temperature grid (rows),
// the specific-volume grid (columns) with the densities 1/V, the required pressure and
// energy tables, the optional lookup tables (phase codes, phase mixture, heat capacity,
// sound velocity) and the display-only ones (entropy and any further table).
//
// A set is built once (by the loader, the table writer or the table dialog) and then
// only read: the lookups keep their search hints outside it, so one set can serve any
// number of media and sessions. Building precomputes, for every interval of both axes,
// the grid factors of the interpolation kernel used there, so a lookup multiplies and
// never divides.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/Real.h"
#include "core/eos/EosTableFiles.h"
#include "core/eos/PhaseCode.h"

namespace tarvex {

// The kernel of one interval of an axis, with its grid factors. On the segment from x_i
// to x_{i+1}, with t = (x - x_i) / (x_{i+1} - x_i) and dy = y_{i+1} - y_i,
//   y = (1 - t) y_i + t y_{i+1} + t (1 - t) (t K1 + (1 - t) K2),
//   K1 = a1 dy - b1 (y_{i+2} - y_{i+1})   (dy when y_{i+2} = y_{i+1}),
//   K2 = c2 (y_i - y_{i-1}) - a2 dy       (-dy when y_{i-1} = y_i; 0 one-sided),
// which is the cubic with the three-point slope estimates of the grid-function kernels.
// The first interval takes the one-sided kernel from node 0, the last one from the end
// node backwards (x_i = x_n, x_{i+1} = x_{n-1}, x_{i+2} = x_{n-2}); outside the grid the
// line through the two end nodes continues (beyond the last node also taken from it).
struct TTableStencil {
  enum Kind : int32_t { Linear, OneSided, TwoSided };
  Kind kind = Linear;
  int32_t node[4] = {0, 0, 0, 0};  // table indices of x_{i-1}, x_i, x_{i+1}, x_{i+2}
  Real xi = 0, xi1 = 0;            // the segment ends in the kernel's orientation
  Real invDelta = 0;               // 1 / (x_{i+1} - x_i)
  Real a1 = 0, b1 = 0, a2 = 0, c2 = 0;
};

// One axis: its nodes and the kernel of each interval k = -1 (before the first node) to
// n (at or beyond the last), stored at k + 1.
struct TTableAxisData {
  RealArray x;
  bool increasing = true;
  std::vector<TTableStencil> stencils;

  int32_t Last() const { return static_cast<int32_t>(x.size()) - 1; }
  const TTableStencil& Stencil(int32_t k) const { return stencils[static_cast<size_t>(k + 1)]; }
  // Fills `stencils` from `x` (at least two strictly monotonic nodes).
  void Build();
};

// A table that only the dialog shows (entropy and further tables).
struct TEosDisplayTable {
  std::string name;     // file name without ".tab", as saved
  std::string caption;  // page caption with its accelerator mark
  RealArray values;     // NT * NV, row after row
};

class TEosTableSet {
 public:
  // Sets both grids after checking them: 2 to kMaxTableAxisPoints nodes each and at
  // most kMaxTablePoints cells, finite temperatures strictly increasing, volumes
  // positive and strictly increasing or decreasing. False with a message otherwise.
  bool SetGrids(RealArray TGrid, RealArray VGrid, std::string& message);

  int32_t NT() const { return static_cast<int32_t>(tAxis.x.size()); }
  int32_t NV() const { return static_cast<int32_t>(vGrid.size()); }
  const RealArray& TGrid() const { return tAxis.x; }      // [K]
  const RealArray& VGrid() const { return vGrid; }        // [cm3/g]
  const RealArray& RhoGrid() const { return rhoAxis.x; }  // 1/V [g/cm3]
  const TTableAxisData& TAxis() const { return tAxis; }
  const TTableAxisData& RhoAxis() const { return rhoAxis; }

  // Both required tables hold NT * NV values.
  bool Complete() const;
  size_t Cells() const { return static_cast<size_t>(NT()) * static_cast<size_t>(NV()); }
  size_t Index(int32_t i, int32_t j) const {
    return static_cast<size_t>(i) * static_cast<size_t>(NV()) + static_cast<size_t>(j);
  }

  // Tables, NT * NV values row after row (row i = TGrid[i]); empty when not loaded.
  RealArray Pressure;              // "pressu" [GPa], required
  RealArray Energy;                // "energy" [kJ/g], required
  RealArray PhaseMix;              // "PhsMix": fraction of the first phase of a mixture, 0..1
  RealArray HeatCapacity;          // "hcapav": isochoric heat capacity [J/g/K]
  RealArray SoundVelocity;         // "sndvls": adiabatic sound velocity [km/s]
  std::vector<PhaseCode> PhaseId;  // "physid"
  std::vector<TEosDisplayTable> Others;

  // The description the set was loaded from or written with, its folder, and the label
  // the equation-of-state dialog shows after "Table: ".
  TTableDescription description;
  std::string folder;
  std::string label;

 private:
  TTableAxisData tAxis;
  TTableAxisData rhoAxis;
  RealArray vGrid;
};

}  // namespace tarvex
