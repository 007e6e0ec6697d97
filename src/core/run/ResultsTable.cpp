// The results table: column layouts per solver class, titles, and the refresh from StateA.
#include "core/run/ResultsTable.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/common/NumStringFormat.h"
#include "core/eos/EosSlots.h"
#include "core/eos/PhaseCode.h"
#include "core/hydro/HydrStat.h"
#include "core/run/MainForm.h"
#include "core/session/Session.h"

namespace tarvex {

namespace {

using K = TColumnKind;

// ---- the layouts ---------------------------------------------------------------------
// Titles of columns 1 (x or r) and of the depth column depend on the geometry and the
// length unit; their descriptors carry the planar nanometre form, the code picks the rest.
// A class that gets its own quantities adds its layouts here and nowhere else.

constexpr TColumnDesc kNo{K::No, "No(n)", "   No"};
constexpr TColumnDesc kX{K::X, "x(n)[nm]", "x(n)    "};
constexpr TColumnDesc kRho{K::Rho, "rho[g/cm3]", "rho     "};
constexpr TColumnDesc kV{K::V, "v(n)[km/s]", "v(n)/v1 "};
constexpr TColumnDesc kP{K::P, "P(n+1/2)[GPa]", "P(n+1/2)"};
constexpr TColumnDesc kE{K::E, "E(n+1/2)[kJ/g]", "E(n+1/2)"};
constexpr TColumnDesc kT{K::T, "T(n+1/2)[K]", "T(n+1/2)"};
constexpr TColumnDesc kPiFix{K::Pi, "Pi(n+1/2)", "Pi(n+1/2)"};
constexpr TColumnDesc kPeFix{K::Pe, "Pe(n+1/2)", "Pe(n+1/2)"};
constexpr TColumnDesc kPhase{K::Phase, "Phase", "Phase"};
constexpr TColumnDesc kInd{K::Ind, "Ind", "Ind"};
constexpr TColumnDesc kQx{K::Qx, "Qx(n)[kW/cm2]", "Qx(n)   "};
constexpr TColumnDesc kKappa{K::Kappa, "kappa[kW/cm/K]", "kappa   "};
constexpr TColumnDesc kDepth{K::Depth, "xGr0-x(n+1/2)[nm]", "L-x(n+1/2)"};

// THydrStat: pure hydrodynamics (NoConduct and NoThermo).
constexpr std::array kHydrStatMoving{kNo, kX, kRho, kV, kP, kE, kT, kPhase, kInd, kDepth};
constexpr std::array kHydrStatMovingFixTe{kNo, kX,     kRho,   kV,     kP,   kE,
                                          kT,  kPiFix, kPeFix, kPhase, kInd, kDepth};
constexpr std::array kHydrStatFrozen{kNo, kX, kT, kE, kPhase, kInd, kDepth};
// THydrTherm: one temperature with heat conduction (only base-class quantities).
constexpr std::array kHydrThermMoving{kNo, kX,     kRho, kV,  kP,     kE,
                                      kT,  kPhase, kInd, kQx, kKappa, kDepth};
constexpr std::array kHydrThermFrozen{kNo, kX, kT, kE, kPhase, kInd, kQx, kKappa, kDepth};
// The two-temperature, elastic and non-metal classes add their layouts here once their
// quantities exist (column counts: 20 moving two-temperature, 14 elastic one-temperature,
// 13 or 14 frozen two-temperature).

constexpr std::array kLayouts{
    TTableLayout{SolverClass::HydrStat, false, false, kHydrStatMoving},
    TTableLayout{SolverClass::HydrStat, false, true, kHydrStatMovingFixTe},
    TTableLayout{SolverClass::HydrStat, true, false, kHydrStatFrozen},
    TTableLayout{SolverClass::HydrStat, true, true, kHydrStatFrozen},
    TTableLayout{SolverClass::HydrTherm, false, false, kHydrThermMoving},
    TTableLayout{SolverClass::HydrTherm, false, true, kHydrThermMoving},
    TTableLayout{SolverClass::HydrTherm, true, false, kHydrThermFrozen},
    TTableLayout{SolverClass::HydrTherm, true, true, kHydrThermFrozen},
};

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

const TTableLayout* FindTableLayout(SolverClass cls, bool noMove, bool fixTe) {
  for (const TTableLayout& l : kLayouts)
    if (l.cls == cls && l.noMove == noMove && l.fixTe == fixTe) return &l;
  return nullptr;
}

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
  if (layout_ == nullptr) return -1;
  for (size_t c = 0; c < layout_->columns.size(); ++c)
    if (layout_->columns[c].kind == kind) return static_cast<int32_t>(c);
  return -1;
}

void TResultsTable::SetUpTable(const Session& s, const TMainForm& form) {
  const THydrStat* A = s.StateA;
  const TTableLayout* layout =
      A != nullptr ? FindTableLayout(s.stateClass, s.bounds.NoMove, s.setup.FixTeOn) : nullptr;
  const Real x1 = form.x1Edit.StoredValue();
  const bool unit = UsesUnitTitles(s.eos.EosScale, x1);
  const bool curved = s.sim.Dspc != 1;
  const bool nm = x1 != 1e-4L;
  const int32_t cols = layout != nullptr ? static_cast<int32_t>(layout->columns.size()) : 0;
  const int32_t rows = layout != nullptr ? A->CellCount() - (layout->noMove ? 1 : 0) + 2 : 0;

  const bool titlesChanged =
      layout != layout_ || unit != unitTitles_ || curved != curved_ || nm != nm_ || cols != cols_;
  if (!titlesChanged && rows == rows_) return;
  if (cols != cols_) {
    // A new column count reorders every row: start from empty rows.
    cells_.clear();
  }
  layout_ = layout;
  unitTitles_ = unit;
  curved_ = curved;
  nm_ = nm;
  cols_ = cols;
  rows_ = rows;
  cells_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(cols_));
  for (int32_t c = 0; c < cols_; ++c) {
    At(0, c) = ColumnTitle(layout_->columns[static_cast<size_t>(c)], unit, curved, nm);
  }
  ++version_;
}

void TResultsTable::Refresh(Session& s, const TMainForm& form) {
  SetUpTable(s, form);
  if (layout_ != nullptr) FillRows(s, form);
  ++version_;
}

void TResultsTable::FillRows(Session& s, const TMainForm& form) {
  const THydrStat& A = *s.StateA;
  const TNumStringFormat& fmt = *form.tableFormat;
  const int32_t N = A.CellCount();
  const bool frozen = layout_->noMove;
  const Real x1 = form.x1Edit.StoredValue() != 0 ? form.x1Edit.StoredValue() : 1;
  const Real vScale = s.eos.EosScale != 0 ? s.eos.EosScale : 1;
  const EosState& eos = s.eos;
  const int32_t InGlass = s.sim.InGlass;
  const Real depthRef = InitialFilmRight(s);

  // Densities once per refresh; the derived columns and several texts need them.
  rho_.resize(static_cast<size_t>(N));
  for (int32_t i = 0; i < N; ++i) rho_[i] = A.Density(i);

  const bool thermal = HasColumn(K::Qx) || HasColumn(K::Kappa) || HasColumn(K::Alpha);
  if (thermal) {
    Qx_.resize(static_cast<size_t>(N));
    kappa_.resize(static_cast<size_t>(N));
    alpha_.resize(static_cast<size_t>(N));
    alphaShown_.resize(static_cast<size_t>(N));
    ThermalColumnInputs in;
    in.x = A.x;
    in.T = A.T;
    in.rho = rho_;
    in.InGlass = InGlass;
    in.NoConduct = s.NoConduct;
    in.NoThermo = s.NoThermo;
    in.leftBoundFixedT = s.closures.first == BoundClosure::Fixed;
    in.filmKappa = eos.FilmEos.Kappa;
    in.leftKappa = eos.LeftEos.Kappa;
    ComputeThermalColumns(in, Qx_, kappa_, alpha_, alphaShown_);
  }

  // The pressure of a cell whose equation of state gives a negative value at its state
  // but which holds exactly 0 has broken: it shows "-0      ".
  auto cellPressureEos = [&](int32_t i) -> const Slot2& {
    if (IsSubstrateCell(i, N, InGlass) && eos.LeftEos.P) return eos.LeftEos.P;
    return eos.ActiveEos.P;
  };
  auto broken = [&](int32_t i) {
    const Slot2& p = cellPressureEos(i);
    return p && p(rho_[i], A.T[i]) < 0;
  };
  auto phase = [&](int32_t i) {
    return IsSubstrateCell(i, N, InGlass) ? LeftPhaseCode(eos, rho_[i], A.T[i])
                                          : FilmPhaseCode(eos, rho_[i], A.T[i]);
  };

  const auto& columns = layout_->columns;
  for (int32_t n = 0; n < N; ++n) {  // rows 1..N carry the cells
    const int32_t row = n + 1;
    PhaseCode code = 0;
    bool codeDone = false;
    for (int32_t c = 0; c < cols_; ++c) {
      std::string& cell = At(row, c);
      switch (columns[static_cast<size_t>(c)].kind) {
        case K::No:
          cell = std::to_string(nFrom + n);
          break;
        case K::X:
          cell = fmt.FormatValue(A.x[n] / x1);
          break;
        case K::Rho:
          cell = fmt.FormatValue(rho_[n]);
          break;
        case K::V:
          cell = fmt.FormatValue(A.v[n] / vScale);
          break;
        case K::P:
          if (A.P[n] == 0 && broken(n)) {
            cell = kBrokenPressureText;
          } else {
            cell = fmt.FormatValue(A.P[n]);
          }
          break;
        case K::E:
          cell = fmt.FormatValue(A.E[n]);
          break;
        case K::T:
          cell = fmt.FormatValue(A.T[n]);
          break;
        case K::Pi: {
          // The fixed-Te variant of pure hydrodynamics: the lattice part of the pressure
          // and the rest.
          const Slot2& pion = eos.ActiveEos.Pion;
          const Real pi =
              (pion && !IsSubstrateCell(n, N, InGlass)) ? pion(rho_[n], A.T[n]) : A.P[n];
          cell =
              (A.P[n] == 0 && broken(n)) ? std::string(kBrokenPressureText) : fmt.FormatValue(pi);
          break;
        }
        case K::Pe: {
          const Slot2& pion = eos.ActiveEos.Pion;
          const Real pi =
              (pion && !IsSubstrateCell(n, N, InGlass)) ? pion(rho_[n], A.T[n]) : A.P[n];
          cell = fmt.FormatValue(A.P[n] - pi);
          break;
        }
        case K::Phase:
          if (!codeDone) code = phase(n), codeDone = true;
          cell = PhaseText(code);
          break;
        case K::Ind:
          if (!codeDone) code = phase(n), codeDone = true;
          cell = std::to_string(code);
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
          cell = fmt.FormatValue((depthRef - A.CellCentre(n)) / x1);
          break;
        default:
          // Quantities of classes whose layouts are not defined yet.
          cell.clear();
          break;
      }
    }
  }
  if (!frozen) {
    // The node row: coordinate, the density placeholder "0", velocity and the outer
    // pressure; nothing else.
    const int32_t row = N + 1;
    for (int32_t c = 0; c < cols_; ++c) {
      std::string& cell = At(row, c);
      switch (columns[static_cast<size_t>(c)].kind) {
        case K::No:
          cell = std::to_string(nFrom + N);
          break;
        case K::X:
          cell = fmt.FormatValue(A.x[N] / x1);
          break;
        case K::Rho:
          cell.assign(1, '0');
          break;
        case K::V:
          cell = fmt.FormatValue(A.v[N] / vScale);
          break;
        case K::P:
          cell = fmt.FormatValue(A.P[N]);
          break;
        default:
          cell.clear();
          break;
      }
    }
  }
}

}  // namespace tarvex
