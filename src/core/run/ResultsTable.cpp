// The results table: column layouts per solver class, titles, and the refresh from StateA.
#include "core/run/ResultsTable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "core/common/NumStringFormat.h"
#include "core/eos/EosSlots.h"
#include "core/eos/PhaseCode.h"
#include "core/hydro/HydrStat.h"
#include "core/run/MainForm.h"
#include "core/session/Session.h"

namespace tarvex {

namespace {

using K = TColumnKind;

const std::string kEmptyText;

std::string ColumnTitle(const TColumnDesc& d, bool unit, bool curved, bool nm) {
  if (d.kind == K::X) {
    if (!unit) return curved ? "r(n)    " : "x(n)    ";
    std::string title(1, curved ? 'r' : 'x');
    title += nm ? "(n)[nm]" : "(n)[mkm]";
    return title;
  }
  if (d.kind == K::Depth && unit) return nm ? "xGr0-x(n+1/2)[nm]" : "xGr0-x(n+1/2)[mkm]";
  return unit ? d.unitTitle : d.plainTitle;
}

}  // namespace

bool TResultsTable::UsesUnitTitles(Real EosScale, Real x1Edit) {
  return EosScale == 1e5L && (x1Edit == 1e-7L || x1Edit == 1e-4L);
}

Real InitialFilmLeft(const Session& s) {
  const SimParams& sp = s.sim;
  const int32_t N = s.StateA != nullptr ? s.StateA->CellCount() : 0;
  const int32_t nGlass = std::abs(sp.InGlass);
  if (sp.Dspc == 1) return sp.InGlass < 0 ? -static_cast<Real>(N - nGlass) * sp.h0 : 0;
  return sp.InGlass > 0 ? static_cast<Real>(nGlass) * sp.h0 : 0;
}

Real InitialFilmRight(const Session& s) {
  const SimParams& sp = s.sim;
  const int32_t N = s.StateA != nullptr ? s.StateA->CellCount() : 0;
  const int32_t nGlass = std::abs(sp.InGlass);
  if (sp.Dspc == 1) return sp.InGlass < 0 ? 0 : static_cast<Real>(N - nGlass) * sp.h0;
  return sp.InGlass > 0 ? static_cast<Real>(N) * sp.h0 : static_cast<Real>(N - nGlass) * sp.h0;
}

// ---- derived columns ------------------------------------------------------------------

void ComputeThermalColumns(const ThermalColumnInputs& in, std::span<Real> Qx, std::span<Real> kappa,
                           std::span<Real> alpha, std::span<uint8_t> alphaShown) {
  const int32_t N = static_cast<int32_t>(in.T.size());
  if (N == 0) return;
  const bool twoT = in.Te.size() == in.T.size();
  auto Te = [&](int32_t i) { return twoT ? in.Te[i] : in.T[i]; };
  auto film = [&](int32_t i) { return !IsSubstrateCell(i, N, in.InGlass); };
  // Lattice (or medium) and electron conductivities of cell i; `evaluated` tells whether
  // the electron conductivity applies to the cell at all.
  auto kL = [&](int32_t i) -> Real {
    if (in.NoConduct) return 0;
    const Slot2& k = (!film(i) && in.leftKappa) ? in.leftKappa : in.filmKappa;
    return k ? k(in.rho[i], in.T[i]) : 0;
  };
  auto keApplies = [&](int32_t i) {
    return film(i) && !in.NoConduct && !in.nonMetal && static_cast<bool>(in.ElConductivity);
  };
  auto ke = [&](int32_t i) -> Real {
    return keApplies(i) ? in.ElConductivity(in.rho[i], Te(i), in.T[i]) : 0;
  };
  // Face conductance between cells n-1 and n: harmonic mean over the two half widths.
  auto face = [&](int32_t n, Real kPrev, Real kHere) -> Real {
    if (kPrev == 0) return 0;
    const Real den = (in.x[n + 1] - in.x[n]) * kPrev + (in.x[n] - in.x[n - 1]) * kHere;
    return den != 0 ? 2 * kPrev * kHere / den : 0;
  };

  Real kLPrev = kL(0);
  Real kePrev = ke(0);
  if (in.leftBoundFixedT && N > 1) {
    const Real w = in.x[1] - in.x[0];
    Qx[0] = w != 0 ? (kLPrev * (in.T[0] - in.T[1]) + kePrev * (Te(0) - Te(1))) / w : 0;
  } else {
    Qx[0] = 0;
  }
  kappa[0] = kePrev + kLPrev;
  for (int32_t n = 1; n < N; ++n) {
    const Real kLn = kL(n);
    const Real ken = ke(n);
    const Real GL = face(n, kLPrev, kLn);
    if (!keApplies(n)) {
      Qx[n] = -GL * (in.T[n] - in.T[n - 1]);
      kappa[n] = kLn;
    } else {
      const Real Ge = face(n, kePrev, ken);
      Real q = Ge * (Te(n) - Te(n - 1)) + GL * (in.T[n] - in.T[n - 1]);
      if (in.HeatFluxLimit != 0 && std::fabs(q) >= in.HeatFluxLimit) {
        q = std::copysign(std::fabs(in.HeatFluxLimit), q);
      }
      if (in.QegOn && in.InGlass > 0 && n == in.InGlass) q += 2 * in.QegFlux;
      Qx[n] = -q;
      kappa[n] = ken + kLn;
    }
    kLPrev = kLn;
    kePrev = ken;
  }
  for (int32_t n = 0; n < N; ++n) {
    const bool shown = film(n) && !in.NoThermo && static_cast<bool>(in.Coupling);
    alphaShown[n] = shown ? 1 : 0;
    if (!shown) {
      alpha[n] = 0;
    } else if (in.nonMetal) {
      alpha[n] = in.rho[n] * in.Coupling(in.Z.empty() ? 0 : in.Z[n], Te(n));
    } else {
      alpha[n] = in.rho[n] * in.Coupling(in.rho[n], Te(n));
    }
  }
}

// ---- the table --------------------------------------------------------------------------

const std::string& TResultsTable::Cell(int32_t row, int32_t col) const {
  if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return kEmptyText;
  return cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)];
}

int32_t TResultsTable::ColumnOf(TColumnKind kind) const {
  for (size_t c = 0; c < columns_.size(); ++c)
    if (columns_[c].kind == kind) return static_cast<int32_t>(c);
  return -1;
}

int32_t TResultsTable::ColumnOfArray(std::string_view name) const {
  for (size_t c = 0; c < columns_.size(); ++c)
    if (columns_[c].kind == K::Array && name == columns_[c].array) return static_cast<int32_t>(c);
  return -1;
}

void TResultsTable::SetUpTable(const Session& s, const TMainForm& form) {
  const THydrStat* A = s.StateA;
  const SolverClassInfo* cls = A != nullptr ? s.stateInfo : nullptr;
  const bool frozen = s.bounds.NoMove;
  const std::span<const TColumnDesc> columns =
      cls != nullptr ? cls->Columns(frozen, s.setup.FixTeOn) : std::span<const TColumnDesc>{};
  const Real x1 = form.x1Edit.StoredValue();
  const bool unit = UsesUnitTitles(s.eos.EosScale, x1);
  const bool curved = s.sim.Dspc != 1;
  const bool nm = x1 != 1e-4L;
  const int32_t cols = static_cast<int32_t>(columns.size());
  const int32_t rows = cols > 0 ? A->CellCount() - (frozen ? 1 : 0) + 2 : 0;
  twoT_ = cls != nullptr && cls->twoTemperature;

  const bool titlesChanged = columns.data() != columns_.data() || frozen != frozen_ ||
                             unit != unitTitles_ || curved != curved_ || nm != nm_ || cols != cols_;
  if (!titlesChanged && rows == rows_) return;
  if (cols != cols_) {
    // A new column count reorders every row: start from empty rows.
    cells_.clear();
  }
  columns_ = columns;
  frozen_ = frozen;
  unitTitles_ = unit;
  curved_ = curved;
  nm_ = nm;
  cols_ = cols;
  rows_ = rows;
  cells_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(cols_));
  for (int32_t c = 0; c < cols_; ++c) {
    At(0, c) = ColumnTitle(columns_[static_cast<size_t>(c)], unit, curved, nm);
  }
  ++version_;
}

void TResultsTable::Refresh(Session& s, const TMainForm& form) {
  SetUpTable(s, form);
  if (cols_ > 0) FillRows(s, form);
  ++version_;
}

// What the rows are filled from: the state, the number format, the display units and,
// per column, the class array it shows.
struct TResultsTable::RowSource {
  const THydrStat& A;
  const EosState& eos;
  const TNumStringFormat& fmt;
  int32_t N;
  int32_t InGlass;
  Real x1;                               // cm per display length unit
  Real vScale;                           // velocity display divisor
  Real depthRef;                         // initial right end of the film [cm]
  std::vector<const RealArray*> arrays;  // per column; nullptr when not a class array
};

void TResultsTable::ComputeDerived(const Session& s, const THydrStat& A) {
  const int32_t N = A.CellCount();
  // Densities once per refresh; the derived columns and several texts need them.
  rho_.resize(static_cast<size_t>(N));
  for (int32_t i = 0; i < N; ++i) rho_[i] = A.Density(i);
  if (!HasColumn(K::Qx) && !HasColumn(K::Kappa) && !HasColumn(K::Alpha)) return;
  Qx_.resize(static_cast<size_t>(N));
  kappa_.resize(static_cast<size_t>(N));
  alpha_.resize(static_cast<size_t>(N));
  alphaShown_.resize(static_cast<size_t>(N));
  ThermalColumnInputs in;
  in.x = A.x;
  in.T = A.T;
  if (const RealArray* Te = A.ArrayByName("Te")) in.Te = *Te;
  if (const RealArray* Z = A.ArrayByName("Z")) in.Z = *Z;
  in.rho = rho_;
  in.InGlass = s.sim.InGlass;
  in.NoConduct = s.NoConduct;
  in.NoThermo = s.NoThermo;
  in.leftBoundFixedT = s.closures.first == BoundClosure::Fixed;
  in.filmKappa = s.eos.FilmEos.Kappa;
  in.leftKappa = s.eos.LeftEos.Kappa;
  // The electron model the thermal-parameter dialog installed.
  in.nonMetal = s.setup.NonMetal;
  in.HeatFluxLimit = s.electron.HeatFluxLimit;
  in.QegOn = s.setup.QegOn && s.sim.InGlass > 0;
  in.QegFlux = s.QegFlux;
  in.ElConductivity = s.electron.model.ElConductivity;
  in.Coupling = s.electron.model.Coupling;
  ComputeThermalColumns(in, Qx_, kappa_, alpha_, alphaShown_);
}

void TResultsTable::FillRows(Session& s, const TMainForm& form) {
  const THydrStat& A = *s.StateA;
  ComputeDerived(s, A);
  RowSource src{A,
                s.eos,
                *form.tableFormat,
                A.CellCount(),
                s.sim.InGlass,
                form.x1Edit.StoredValue() != 0 ? form.x1Edit.StoredValue() : 1,
                s.eos.EosScale != 0 ? s.eos.EosScale : 1,
                InitialFilmRight(s),
                {}};
  for (const TColumnDesc& c : columns_) {
    src.arrays.push_back(c.kind == K::Array ? A.ArrayByName(c.array) : nullptr);
  }
  for (int32_t n = 0; n < src.N; ++n) FillCellRow(src, n);  // rows 1..N carry the cells
  if (!frozen_) FillNodeRow(src);
}

void TResultsTable::FillCellRow(const RowSource& src, int32_t n) {
  const THydrStat& A = src.A;
  const EosState& eos = src.eos;
  const TNumStringFormat& fmt = src.fmt;
  const bool substrate = IsSubstrateCell(n, src.N, src.InGlass);
  // The pressure of a cell whose equation of state gives a negative value at its state
  // but which holds exactly 0 has broken: it shows "-0      ".
  auto broken = [&] {
    const Slot2& p = (substrate && eos.LeftEos.P) ? eos.LeftEos.P : eos.ActiveEos.P;
    return A.P[n] == 0 && p && p(rho_[n], A.T[n]) < 0;
  };
  // The lattice part of the pressure in the fixed-Te variant of pure hydrodynamics.
  auto lattice = [&] {
    const Slot2& pion = eos.ActiveEos.Pion;
    return (pion && !substrate) ? pion(rho_[n], A.T[n]) : A.P[n];
  };
  std::optional<PhaseCode> code;
  auto phase = [&] {
    if (!code) {
      code = substrate ? LeftPhaseCode(eos, rho_[n], A.T[n]) : FilmPhaseCode(eos, rho_[n], A.T[n]);
    }
    return *code;
  };
  const int32_t row = n + 1;
  for (int32_t c = 0; c < cols_; ++c) {
    std::string& cell = At(row, c);
    switch (columns_[static_cast<size_t>(c)].kind) {
      case K::No:
        cell = std::to_string(nFrom + n);
        break;
      case K::X:
        cell = fmt.FormatValue(A.x[n] / src.x1);
        break;
      case K::Rho:
        cell = fmt.FormatValue(rho_[n]);
        break;
      case K::V:
        cell = fmt.FormatValue(A.v[n] / src.vScale);
        break;
      case K::P:
        cell = broken() ? std::string(kBrokenPressureText) : fmt.FormatValue(A.P[n]);
        break;
      case K::E:
        cell = fmt.FormatValue(A.E[n]);
        break;
      case K::T:
        cell = fmt.FormatValue(A.T[n]);
        break;
      case K::Array: {
        const RealArray* values = src.arrays[static_cast<size_t>(c)];
        if (values != nullptr && static_cast<size_t>(n) < values->size()) {
          cell = fmt.FormatValue((*values)[static_cast<size_t>(n)]);
        } else {
          cell.clear();
        }
        break;
      }
      case K::Pi:
        cell = broken() ? std::string(kBrokenPressureText) : fmt.FormatValue(lattice());
        break;
      case K::Pe:
        cell = fmt.FormatValue(A.P[n] - lattice());
        break;
      case K::P1T:
        // The one-temperature pressure at the ion temperature, and its electron part.
        cell = fmt.FormatValue(substrate || !eos.ActiveEos.P ? A.P[n]
                                                             : eos.ActiveEos.P(rho_[n], A.T[n]));
        break;
      case K::PeRhoTi:
        cell = fmt.FormatValue(
            substrate || !eos.ActiveEos.P ? Real(0) : eos.ActiveEos.P(rho_[n], A.T[n]) - lattice());
        break;
      case K::Phase:
        cell = PhaseText(phase());
        break;
      case K::Ind:
        cell = std::to_string(phase());
        break;
      case K::Qx:
        cell = fmt.FormatValue(Qx_[n]);
        break;
      case K::Kappa:
        cell = fmt.FormatValue(kappa_[n]);
        break;
      case K::Alpha:
        cell = alphaShown_[n] != 0 ? fmt.FormatValue(alpha_[n]) : std::string(kNoCouplingText);
        break;
      case K::Depth:
        cell = fmt.FormatValue((src.depthRef - A.CellCentre(n)) / src.x1);
        break;
      default:
        // Quantities of classes whose columns are not defined yet.
        cell.clear();
        break;
    }
  }
}

// The node row of a moving grid: coordinate, the density placeholder "0", velocity and
// the outer pressure; nothing else.
void TResultsTable::FillNodeRow(const RowSource& src) {
  const THydrStat& A = src.A;
  const int32_t N = src.N;
  const int32_t row = N + 1;
  for (int32_t c = 0; c < cols_; ++c) {
    std::string& cell = At(row, c);
    switch (columns_[static_cast<size_t>(c)].kind) {
      case K::No:
        cell = std::to_string(nFrom + N);
        break;
      case K::X:
        cell = src.fmt.FormatValue(A.x[N] / src.x1);
        break;
      case K::Rho:
        cell.assign(1, '0');
        break;
      case K::V:
        cell = src.fmt.FormatValue(A.v[N] / src.vScale);
        break;
      case K::P:
        cell = src.fmt.FormatValue(A.P[N]);
        break;
      default:
        cell.clear();
        break;
    }
  }
}

}  // namespace tarvex
