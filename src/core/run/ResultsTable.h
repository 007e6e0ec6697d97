// The results table of the main window: StateA shown as text, one row per node.
//
// Row 0 holds the column titles; rows 1..N+1 hold the nodes n = 0..N, a cell quantity
// (n+1/2) standing in the row of node n (the last row of a moving grid carries only node
// quantities). A frozen grid has one row less. The texts are part of the contract: the
// profile file writes them as they stand and the time histories and tracked points read
// them back, so the special texts "-0      " (a broken cell without pressure) and
// "00      " (no electron-ion coupling in this cell) are kept exactly.
//
// The columns of each solver class are part of its entry in the solver-class catalog
// (core/session/SolverCatalog.h): a list of column descriptors (what the column holds, its
// unit-labelled and plain titles); a column of a class array is reached by the array's
// name. Classes whose columns are not there yet show none.
//
// Units of the texts: coordinates in units of x1Edit, velocities / EosScale (km/s with a
// physical equation of state), density g/cm3, pressure GPa, energy kJ/g, temperature K,
// heat flux kW/cm2, conductivity kW/cm/K, coupling kW/cm3/K.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/ElectronSlots.h"
#include "core/hydro/SolverClass.h"
#include "core/session/SolverCatalog.h"

namespace tarvex {

class Session;
class TMainForm;
class THydrStat;
class TNumStringFormat;

// Special cell texts.
inline constexpr const char* kBrokenPressureText = "-0      ";
inline constexpr const char* kNoCouplingText = "00      ";

// ---- derived node columns (heat flux, conductivity, coupling) ----------------------------

// Everything the derived columns read. Arrays are indexed by cell (x by node).
struct ThermalColumnInputs {
  std::span<const Real> x;    // N + 1 node coordinates [cm]
  std::span<const Real> T;    // N cell (ion) temperatures [K]
  std::span<const Real> Te;   // N electron temperatures [K]; empty for one temperature
  std::span<const Real> rho;  // N cell densities [g/cm3]
  std::span<const Real> Z;    // N ionisations (non-metal class); empty otherwise
  int32_t InGlass = 0;        // substrate cells (signed)
  bool NoConduct = false;
  bool NoThermo = false;
  bool nonMetal = false;
  bool leftBoundFixedT = false;  // the left thermal item is "T0 ="
  Real HeatFluxLimit = 0;        // |q| limit [kW/cm2]; 0 = none
  bool QegOn = false;            // "Add Qe->g" with the medium on the left
  Real QegFlux = 0;              // [kW/cm2]
  Slot2 filmKappa;               // lattice conductivity of the film
  Slot2 leftKappa;               // of the medium (film slot when empty)
  Slot3 ElConductivity;
  Slot2 Coupling;  // electron-ion coupling per mass, f(rho or Z, Te)
};

// Qx [kW/cm2], the kappa column [kW/cm/K] and alpha [kW/cm3/K] of node row n (node n,
// cell n to its right), for n = 0..N-1. alphaShown[n] is false where the table shows
// "00      ". The outputs must have N entries; nothing is allocated.
void ComputeThermalColumns(const ThermalColumnInputs& in, std::span<Real> Qx, std::span<Real> kappa,
                           std::span<Real> alpha, std::span<uint8_t> alphaShown);

// ---- the table --------------------------------------------------------------------------

class TResultsTable {
 public:
  TResultsTable() = default;

  int32_t RowCount() const { return rows_; }
  int32_t ColumnCount() const { return cols_; }
  // The text of a cell; an empty text outside the table.
  const std::string& Cell(int32_t row, int32_t col) const;
  // Fills the table from StateA with the main window's number format (tableFormat).
  void Refresh(Session& s, const TMainForm& form);
  // Increments on every refresh and layout change.
  uint64_t Version() const { return version_; }

  // Sets the layout, the titles and the row count for the current state without filling
  // the numbers (the "Init/Shift" set-up). Refresh calls it when anything changed.
  void SetUpTable(const Session& s, const TMainForm& form);

  // Row-number offset of the first node (changed by grid shifts, read from profiles).
  int32_t nFrom = 0;

  // The columns now shown (empty when the class has none).
  std::span<const TColumnDesc> Columns() const { return columns_; }
  bool UnitTitles() const { return unitTitles_; }
  bool FrozenGrid() const { return !columns_.empty() && frozen_; }
  // Column of a kind in the current layout, -1 when absent.
  int32_t ColumnOf(TColumnKind kind) const;
  // Column of a class array, -1 when absent.
  int32_t ColumnOfArray(std::string_view name) const;
  bool HasColumn(TColumnKind kind) const { return ColumnOf(kind) >= 0; }
  // The class keeps an electron temperature (two-temperature classes).
  bool TwoTemperature() const { return twoT_; }

  // The unit-labelled title set applies: EosScale 1e5 and x1Edit 1e-7 or 1e-4.
  static bool UsesUnitTitles(Real EosScale, Real x1Edit);

 private:
  std::string& At(int32_t row, int32_t col) {
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
  }
  struct RowSource;
  // FillRows: the derived columns once per refresh, then the cell rows and the node row.
  void FillRows(Session& s, const TMainForm& form);
  void ComputeDerived(const Session& s, const THydrStat& A);
  void FillCellRow(const RowSource& src, int32_t n);
  void FillNodeRow(const RowSource& src);

  std::span<const TColumnDesc> columns_;
  bool frozen_ = false;
  bool twoT_ = false;
  bool unitTitles_ = false;
  bool curved_ = false;
  bool nm_ = true;  // nanometre variant of the unit titles (else micrometres)
  int32_t rows_ = 0;
  int32_t cols_ = 0;
  uint64_t version_ = 0;
  std::vector<std::string> cells_;  // rows_ * cols_, reused between refreshes
  // Scratch of the derived columns, reused between refreshes.
  std::vector<Real> rho_, Qx_, kappa_, alpha_;
  std::vector<uint8_t> alphaShown_;
};

// Initial positions [cm] of the film's left and right ends on the grid that the initial
// conditions build (planar: x = 0 at the film-substrate interface; curved: from the
// centre). The depth column and the critical-density position are measured from them.
Real InitialFilmLeft(const Session& s);
Real InitialFilmRight(const Session& s);

}  // namespace tarvex
