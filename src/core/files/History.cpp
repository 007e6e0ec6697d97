// Time-history layouts, the record and the append rules.
#include "core/files/History.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <span>
#include <system_error>

#include "core/common/AppendFile.h"
#include "core/common/NumStringFormat.h"
#include "core/eos/EosSlots.h"
#include "core/files/SaveOptions.h"
#include "core/hydro/HydrStat.h"
#include "core/run/IntegralValues.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "core/session/Session.h"
#include "core/spall/SpallCheck.h"

namespace tarvex {

namespace {

namespace fs = std::filesystem;
using CK = TColumnKind;

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kSame = " - \"\" -";  // "the same, of ..." in the legend

// ---- layouts ------------------------------------------------------------------------------

// A title with the length unit: "x[nm]", "x[mkm]" or "x[]".
std::string WithUnit(const std::string& name, const HistoryLayout& l) {
  return name + "[" + l.lengthUnit + "]";
}

void Add(std::vector<HistoryColumn>& out, bool named, std::string namedTitle,
         std::string shortTitle, size_t width, std::string legend) {
  out.push_back({named ? std::move(namedTitle) : std::move(shortTitle), width, std::move(legend)});
}

}  // namespace

std::vector<HistoryColumn> HistoryColumns(const HistoryLayout& l) {
  std::vector<HistoryColumn> c;
  if (l.kind == HistoryKind::Xrc) return c;
  const bool n = l.kind == HistoryKind::Named;
  const std::string same(kSame);
  if (l.frozen) {
    Add(c, n, "rho[g/cm3]", "rho   ", 15, "Dencity");
    if (l.twoT) {
      Add(c, n, "Ti[K] ", "Ti    ", 12, "Ion temperature on surface");
      Add(c, n, "Te[K] ", "Te    ", 12, "Electron temperature" + same);
    } else {
      Add(c, n, " T[K] ", " T    ", 12, "Temperature on surface");
    }
    Add(c, n, " PhaseId", " PhaseId", 0, "PhaseId");
    if (l.twoT) {
      Add(c, n, "Ti_sm[K] ", "Ti_sm ", 12, "Ion temperature averaged over thickness of skin");
      Add(c, n, "Te_sm[K] ", "Te_sm ", 12, "Electron temperature" + same);
    } else {
      // Written after a TAB like every other column: a title glued to " PhaseId" would
      // leave the header one column short of its records.
      Add(c, n, "T_sm[K]  ", "T_sm  ", 12, "Temperature averaged over thickness of skin");
    }
  } else {
    Add(c, n, WithUnit("x", l), "Lx0-x ", 15,
        "Condenced matter surface position relative to initial surface");
    if (l.rightSurface) {
      Add(c, n, "-v[km/s]", "-v    ", 15, "Velocity on condenced matter surface");
    } else {
      Add(c, n, "v[km/s]", "v     ", 15, "Velocity on condenced matter surface");
      Add(c, n, "p[GPa]", "p     ", 12, "Pressure" + same);
    }
    if (l.twoT) {
      Add(c, n, "Ti[K] ", "Ti    ", 12, "Ion temperature" + same);
      Add(c, n, "Te[K] ", "Te    ", 12, "Electron temperature" + same);
    } else {
      Add(c, n, " T[K] ", " T    ", 12, "Temperature" + same);
    }
    Add(c, n, "rho[g/cm3]", "rho   ", 15, "Dencity" + same);
    Add(c, n, "r_1-rho/rho0", "r_1-rho/rho0", 15, " - 1-Dencity/initional");
    Add(c, n, " PhaseId", " PhaseId", 0, "PhaseId" + same);
    Add(c, n, WithUnit("Lx0-x_g", l), "Lx0-x_g", 18,
        "Deepest gap position relative to the initial surface of material\t(crater depth)");
    Add(c, n, WithUnit("Lx0-x0g", l), "Lx0-x0g  ", 15,
        same + " in initial (Lagrangian) coordinates");
    Add(c, n, WithUnit("x_sm0-x_sm", l), "x_sm0-x_sm", n ? 18 : 15,
        "Coordinate averaged over condensed substance to thickness of skin");
    Add(c, n, "-v_sm[km/s]", "-v_sm   ", 15, "Velocity" + same + " ");
    if (l.twoT) {
      Add(c, n, "Ti_sm[K] ", "Ti_sm ", 12, "Ion temperature" + same + " ");
      Add(c, n, "Te_sm[K] ", "Te_sm ", 12, "Electron temperature" + same);
    } else {
      Add(c, n, "T_sm[K]  ", "T_sm  ", 12, "Temperature" + same + " ");
    }
    Add(c, n, "rho[g/cm3]", "rho_sm    ", 15, "Dencity" + same + " ");
    Add(c, n, "r_1-rho/rho0", "rho[/rho0]", 15, " - 1-Dencity/initional");
  }
  if (l.InGlass == 0) return c;
  if (l.frozen) {
    Add(c, n, WithUnit("x_gl-f", l), "x_gl-f    ", 15, "Coordinate of glass - film boundary");
  } else {
    Add(c, n, "v_gl-f[km/s]", "v_gl-fs", 18, "Velocity of glass surface to film");
    Add(c, n, WithUnit("x_gl-f", l), "x_gl-f    ", 15, "Shift of glass - film boundary");
    Add(c, n, WithUnit("d_gl-f", l), "d_gl-f    ", 15, "Distance between glass and film");
    Add(c, n, "v_f_sg[km/c]", "v_f_sg    ", 15, "Velocity of film surace to glass");
    if (l.InGlass >= 1) Add(c, n, " v_f_m[km/s]", "v_f_m     ", 15, "Median velocity of film");
    Add(c, n, "P_gl-f[GPa]", "P_gl-f    ", 15, "Pressure on glass - film boundary");
    if (l.twoT) {
      Add(c, n, "Pi[GPA] ", "Pi        ", 12, "Ion pressure in film at glass - film boundary");
      Add(c, n, "Pe[GPa] ", "Pe        ", 12, "Electron pressure" + same);
    }
  }
  if (l.twoT) {
    Add(c, n, "Ti[K]   ", "Ti        ", 12, "Ion temperature" + same);
    Add(c, n, "Te[K]   ", "Te        ", 12, "Electron tempetature" + same);
  } else {
    Add(c, n, "T[K]    ", "T         ", 12, "Temperature in film at glass - film boundary");
  }
  if (!l.frozen) Add(c, n, "rho[g/cm3]", "rho       ", 15, "Dencity" + same);
  Add(c, n, " PhaseId", " PhaseId", 0, "PhaseId" + same);
  return c;
}

std::string HistoryHeader(const HistoryLayout& l) {
  if (l.kind == HistoryKind::Xrc) {
    return "   time     x(rho = " + l.rhoCText + " ) - L" + kLineEnd;
  }
  std::string out = RightAligned("time[" + l.timeUnit + "]      ", 12);
  for (const HistoryColumn& c : HistoryColumns(l)) {
    out += '\t';
    out += RightAligned(c.title, c.width);
  }
  // The short layout closes its substrate group with a TAB.
  if (l.kind == HistoryKind::Short && l.InGlass != 0) out += '\t';
  out += kLineEnd;
  return out;
}

std::string LegendLetters(int32_t k) {
  auto letter = [](int32_t i) -> char {  // 0..51
    return static_cast<char>(i < 26 ? 'A' + i : 'a' + (i - 26));
  };
  if (k >= 1 && k <= 52) return std::string(1, letter(k - 1));
  const int32_t hi = std::clamp((k - 1) / 26, 1, 52);
  return std::string{letter(hi - 1), letter((k - 1) % 26)};
}

std::string HistoryLegend(const HistoryLayout& l) {
  if (l.kind != HistoryKind::Named) return {};
  std::string out = std::string(" 1 A\tCurrent time") + kLineEnd;
  int32_t k = 2;
  for (const HistoryColumn& c : HistoryColumns(l)) {
    out += RightAligned(std::to_string(k), 2) + RightAligned(LegendLetters(k), 2) + '\t' +
           c.legend + kLineEnd;
    ++k;
  }
  return out;
}

std::string PhaseIdText(PhaseCode code, bool substrate) {
  static constexpr const char* kLabels[] = {" mS+G", " mVap",  " mL+G", " mLiq", " mS+L", " mSol",
                                            "   Nn", "  Sol",  "  S+L", "  Liq", "  L+G", "  Gas",
                                            "  S+G", " S:a+e", "  S:e", " Se+L"};
  std::string out;
  if (code >= -6 && code <= 9) {
    const std::string label = kLabels[code + 6];
    if (substrate) {
      out = " " + label;
    } else {
      out = label;
      // Every label but the metastable ones and " S:a+e" ends with "=".
      if (code >= 0 && code != 7) out += '=';
    }
  }
  return out + std::to_string(code);
}

// ---- the record -----------------------------------------------------------------------------

namespace {

// The state and the texts a record reads, with the cell densities computed once.
struct RecordInputs {
  const HistorySources& in;
  const Session& s;
  const THydrStat& A;
  const TResultsTable& t;
  const TNumStringFormat& fmt;
  int32_t N = 0;
  int32_t d = 0;  // first film node
  int32_t e = 0;  // last film node
  Real x1 = 1;    // cm per display length unit
  Real vScale = 1;
  std::vector<Real> rho;  // N cell densities [g/cm3]

  explicit RecordInputs(const HistorySources& src)
      : in(src),
        s(src.s),
        A(*src.s.StateA),
        t(src.table),
        fmt(*src.main.tableFormat),
        N(A.CellCount()),
        d(std::max(s.sim.InGlass, 0)),
        e(N + std::min(s.sim.InGlass, 0)),
        x1(src.main.x1Edit.StoredValue() != 0 ? src.main.x1Edit.StoredValue() : 1),
        vScale(s.eos.EosScale != 0 ? s.eos.EosScale : 1),
        rho(static_cast<size_t>(N)) {
    for (int32_t i = 0; i < N; ++i) rho[static_cast<size_t>(i)] = A.Density(i);
  }

  Real Rho(int32_t i) const { return i >= 0 && i < N ? rho[static_cast<size_t>(i)] : Real(0); }
  bool HasVapour(int32_t i) const {
    const PredSlot2& hv = s.eos.ActiveEos.HasVapour;
    return hv && i >= 0 && i < N && hv(Rho(i), A.T[i]);
  }
  // A cell broken by spallation: the two-temperature classes mark a failed cell in the
  // tension record and give it the pressure a failed cell carries (0, or the foam
  // strength). With spallation off no cell is broken.
  bool Broken(int32_t i) const {
    if (!t.TwoTemperature() || !s.SpallOn || !s.tension.Exists()) return false;
    if (i < 0 || i >= N || i >= s.tension.Size() - 1) return false;
    return s.tension.Failed(i) && A.P[i] == FailedCellPressure(s.spall, Rho(i));
  }
  // Text of a column kind (or class array) in the row of node / cell i.
  const std::string& Text(int32_t col, int32_t i) const { return t.Cell(i + 1, col); }
  int32_t Col(CK kind) const { return t.ColumnOf(kind); }
  int32_t TeCol() const { return t.ColumnOfArray("Te"); }
  std::string Num(Real v) const { return fmt.FormatValue(v); }
};

void Field(std::string& out, std::string_view text, size_t width) {
  out += '\t';
  out += RightAligned(std::string(text), width);
}

// The surface search of a right surface on cells indexed from the film's left end
// outwards; a left surface runs the same search on the mirrored grid (cell i <-> N-1-i,
// node j <-> N-j). Rt is the density threshold of a rarefied tail cell [g/cm3].
int32_t SearchSurface(const RecordInputs& r, bool mirrored, Real tailFraction) {
  const int32_t N = r.N;
  auto cell = [&](int32_t i) { return mirrored ? N - 1 - i : i; };
  auto rho = [&](int32_t i) { return r.Rho(cell(i)); };
  auto vapour = [&](int32_t i) { return i >= 0 && i < N && r.HasVapour(cell(i)); };
  auto broken = [&](int32_t i) { return i >= 0 && i < N && r.Broken(cell(i)); };
  const int32_t d = mirrored ? N - r.e : r.d;
  int32_t e = mirrored ? N - r.d : r.e;
  if (e - d < 2) return e;
  const Real width = std::fabs(r.A.x[r.e] - r.A.x[r.d]);
  // Rt: a fraction of the mean film density.
  const Real meanRho = width > 0 ? r.s.sim.rho0 * (e - d) * r.s.sim.h0 / width : r.s.sim.rho0;
  const Real Rt = tailFraction * std::fabs(meanRho);
  if (vapour(e - 1) && !vapour(e - 2)) --e;
  // Strip the rarefied tail.
  while (e > d + 1 && rho(e - 2) > 0 && rho(e - 1) * rho(e - 1) / rho(e - 2) <= Rt) --e;
  Real sum = 0;
  for (int32_t m = d; m < e; ++m) sum += rho(m);
  Real B = sum / (e - d) / 2;  // half the mean density of the remaining film
  int32_t s = e;
  if (!r.s.eos.ActiveEos.HasVapour) {
    B *= Real(0.3);
    while (s > d + 1 && rho(s - 1) < B) --s;
    return s;
  }
  auto light = [&](int32_t i) { return vapour(i) && rho(i) < B; };
  auto gone = [&](int32_t i) { return light(i) || broken(i); };
  const int32_t low = std::min(d, 3);
  for (int32_t guard = 0; guard <= N; ++guard) {
    s = e;
    while (s > low && s - 3 >= d && rho(s - 1) + rho(s - 3) >= 2 * rho(s - 2) && gone(s - 2)) --s;
    if (gone(s - 1)) {
      const int32_t stop = std::max({low, s - N / 4, N / 2, d + 1});
      for (int32_t i = s - 1; i >= stop; --i) {
        if (!gone(i) || (rho(i - 1) - rho(i) > rho(s - 2) - rho(s - 1) &&
                         rho(i - 1) - rho(i + 1) > rho(s - 2) - rho(s))) {
          e = i + 1;
          break;
        }
      }
    }
    if (e >= s) break;
  }
  return s;
}

// Whether the free surface is the film's right end: the grid moves freely on the right,
// or the right thermal end is not held at a fixed temperature, or the left one is (on a
// planar grid, where that choice is offered) with the left end held in place.
bool RightSurface(const Session& s) {
  if (!s.bounds.KeepVL && !s.bounds.NoMove) return true;
  if (s.closures.last != BoundClosure::Fixed) return true;
  return s.sim.Dspc == 1 && s.closures.first == BoundClosure::Fixed && s.bounds.LeftFixed;
}

// The deepest gap ("crater depth") on the table's rows: row r holds node r - 1 and cell
// r - 1. Gas rows show a phase with "G"; broken rows the table's "-0 " pressure.
void CraterDepth(std::string& out, const RecordInputs& r, bool right, int32_t s) {
  const TResultsTable& t = r.t;
  const int32_t phase = r.Col(CK::Phase);
  const int32_t pCol = r.Col(CK::P);
  int32_t piCol = r.Col(CK::Pi);
  if (piCol < 0 && t.TwoTemperature()) piCol = t.ColumnOfArray("Pi");
  const int32_t lastRow = r.N;  // rows of the cells
  auto gas = [&](int32_t row) {
    return row >= 1 && row <= lastRow && t.Cell(row, phase).find('G') != std::string::npos;
  };
  auto brokenRow = [&](int32_t row) {
    if (row < 1 || row > lastRow) return false;
    return t.Cell(row, pCol).rfind("-0 ", 0) == 0 ||
           (piCol >= 0 && t.Cell(row, piCol).rfind("-0 ", 0) == 0);
  };
  auto marked = [&](int32_t row) { return gas(row) || brokenRow(row); };
  const Real h0 = r.s.sim.h0;
  const int32_t nFrom = t.nFrom;
  auto node = [&](int32_t j) { return r.A.x[std::clamp(j, 0, r.N)]; };
  auto gapAt = [&](int32_t D) {
    Field(out, r.Num(node(D) / r.x1), 18);
    Field(out, r.Num((D + nFrom) * h0 / r.x1), 15);
  };
  if (!right) {
    int32_t h = r.e;
    for (int32_t row = r.e; row >= s; --row) {
      if (marked(row)) {
        h = row - 1;
        break;
      }
    }
    gapAt(h);
    return;
  }
  int32_t g = gas(1) + gas(2);
  const int32_t outer = gas(3) + gas(4) + gas(5);
  if (g == 2) {
    g = 10;
  } else {
    g += outer;
    if (g == 1 || g == 2) g += outer;
  }
  if (g >= 3) {
    // The far end is gaseous: the gap is the first gas row below the surface.
    int32_t G = 0;
    for (int32_t row = s; row >= 2; --row) {
      if (gas(row)) {
        G = row - 1;
        break;
      }
    }
    gapAt(G);
    return;
  }
  int32_t h = std::max(r.s.sim.InGlass, 0);
  while (h < s && marked(h)) ++h;
  for (int32_t row = h; row <= s; ++row) {
    if (marked(row)) {
      h = row - 1;
      break;
    }
  }
  int32_t D = 0;
  if (h < s / 10) {
    for (int32_t row = s; row >= (3 * h) / 2 && row >= 1; --row) {
      if (gas(row)) {
        D = row - 1;
        break;
      }
    }
  }
  if (h < D) {
    gapAt(D);
  } else {
    Field(out, r.Num((InitialFilmRight(r.s) - node(h)) / r.x1), 18);
    Field(out, r.Num((r.N + std::min(r.s.sim.InGlass, 0) - h) * h0 / r.x1), 15);
  }
}

// Averages over the optical skin layer below the surface cell: the cells within the skin
// thickness that are neither vapour nor broken; too few of them (a surface turned to
// vapour) average the layer of 2 K2 cells below the surface instead.
void SkinAverages(std::string& out, const RecordInputs& r, const HistoryLayout& l, int32_t sc) {
  const bool right = l.rightSurface;
  const bool frozen = l.frozen;
  const THydrStat& A = r.A;
  const Real h0 = r.s.sim.h0;
  const int32_t step = right ? -1 : 1;
  const int32_t filmLo = r.d;
  const int32_t filmHi = r.e - 1;
  auto inFilm = [&](int32_t i) { return i >= filmLo && i <= filmHi; };
  // The skin lies in the film, also where the surface cell stands for the grid's end.
  sc = std::clamp(sc, filmLo, std::max(filmLo, filmHi));
  // Cells from the surface to the far end of the film.
  const int32_t depthCells = right ? sc - filmLo : filmHi - sc;
  const Real skinCells = h0 > 0 ? std::round(std::fabs(r.in.skinDepth) * Real(1e-7) / h0) : 0;
  const int32_t K = std::min(
      depthCells, std::max<int32_t>(10, static_cast<int32_t>(std::min<Real>(skinCells, 1e9))));
  const int32_t K2 = std::max(K / 2, 10);
  const RealArray* TeArr = A.ArrayByName("Te");
  Real sx = 0, sv = 0, srho = 0, sT = 0, sTe = 0;
  int32_t j = 0;
  auto add = [&](int32_t i) {
    sx += A.x[i] + A.x[i + 1];
    sv += A.v[i] + A.v[i + 1];
    srho += r.Rho(i);
    sT += A.T[i];
    sTe += TeArr != nullptr ? (*TeArr)[static_cast<size_t>(i)] : A.T[i];
    ++j;
  };
  auto skipped = [&](int32_t i) { return r.HasVapour(i) || r.Broken(i); };
  int32_t i = sc;
  for (int32_t k = 0; k <= K && inFilm(i); ++k, i += step) {
    if (!skipped(i)) add(i);
  }
  const int32_t half = (filmLo + filmHi + 1) / 2;
  const bool nextAboveHalf = right ? i > half : i < half;
  if (j > 0 && (j >= std::max(K2 / 5, 5) || nextAboveHalf)) {
    for (; j < K2 && inFilm(i); i += step) {
      if (!skipped(i)) add(i);
    }
  } else {
    sx = sv = srho = sT = sTe = 0;
    j = 0;
    for (int32_t k = 0; k < 2 * K2 && inFilm(sc + k * step); ++k) add(sc + k * step);
  }
  const Real m = std::max(j, 1);
  if (!frozen) {
    // Displacement of the layer: its mean centre against where the same number of cells
    // stood initially below the surface (zero for an undisturbed film).
    const Real centre = sx / m / 2;
    const Real initialCentre =
        right ? InitialFilmRight(r.s) - m * h0 / 2 : InitialFilmLeft(r.s) + m * h0 / 2;
    const Real shift = right ? initialCentre - centre : centre - initialCentre;
    Field(out, r.Num(shift / r.x1), l.kind == HistoryKind::Named ? 18 : 15);
    Field(out, r.Num(sv / m / 2 / r.vScale), 15);
  }
  Field(out, r.Num(sT / m), 12);
  if (r.t.TwoTemperature()) Field(out, r.Num(sTe / m), 12);
  if (!frozen) {
    const Real meanRho = srho / m;
    Field(out, r.Num(meanRho), 15);
    Field(out, r.Num(1 - meanRho / r.s.sim.rho0), 15);
  }
}

PhaseCode PhaseOfRow(const RecordInputs& r, int32_t cell) {
  Real code = 0;
  const int32_t col = r.Col(CK::Ind);
  if (col < 0 || r.fmt.Parse(r.Text(col, cell), code) != TConvertStatus::Ok) return 0;
  return static_cast<PhaseCode>(code);
}

// The film-substrate interface group.
void SubstrateGroup(std::string& out, const RecordInputs& r, bool frozen) {
  const int32_t G = r.s.sim.InGlass;
  const bool left = G > 0;
  const THydrStat& A = r.A;
  const int32_t k = left ? G : r.N + G;            // interface node
  const int32_t outerNode = left ? k - 1 : k + 1;  // node inside the substrate
  const int32_t glassCell = left ? k - 1 : k;
  const int32_t step = left ? 1 : -1;  // into the film
  const int32_t cT = r.Col(CK::T);
  const int32_t cTe = r.TeCol();
  // The first film node past the vapour cells at the interface, and the film cell beyond it.
  int32_t f = k;
  auto filmCell = [&](int32_t node) { return left ? node : node - 1; };
  while (filmCell(f + step) >= r.d && filmCell(f + step) < r.e && r.HasVapour(filmCell(f)))
    f += step;
  const int32_t fc = filmCell(f);
  auto temperatures = [&](int32_t cell) {
    Field(out, r.Text(cT, cell), 12);
    if (cTe >= 0) Field(out, r.Text(cTe, cell), 12);
  };
  if (frozen) {
    Field(out, r.Text(r.Col(CK::X), std::clamp(outerNode, 0, r.N)), 15);
    temperatures(left ? k : k - 1);
    out += '\t';
    out += PhaseIdText(PhaseOfRow(r, left ? k : k - 1), true);
    return;
  }
  const Real h0 = r.s.sim.h0;
  Field(out, r.Text(r.Col(CK::V), std::clamp(outerNode, 0, r.N)), 18);
  const Real initialInterface = left ? InitialFilmLeft(r.s) : InitialFilmRight(r.s);
  Field(out, r.Num((A.x[k] - initialInterface) / r.x1), 15);
  const int32_t firstFilm = left ? k : k - 1;
  Real gap = 0;
  if (r.s.sim.Dspc == 1) {
    gap = ((r.Rho(glassCell) / r.s.sim.rho0l - 1) + (r.Rho(firstFilm) / r.s.sim.rho0 - 1)) * h0;
  } else {
    gap = A.x[std::min(k + 1, r.N)] - A.x[std::max(k - 1, 0)] - 2 * h0;
  }
  Field(out, r.Num(gap / r.x1), 15);
  Field(out, r.Text(r.Col(CK::V), f), 15);
  if (left) {
    // Mass-weighted mean velocity of the film's coherent part behind the interface.
    Real mv = 0, mass = 0;
    for (int32_t i = fc; i < r.e; ++i) {
      if (i > fc && (r.Rho(i) < Real(0.7) * r.Rho(i - 1) || r.HasVapour(i))) break;
      const Real mi = A.CellMassAt(i);
      mv += mi * (A.v[i] + A.v[i + 1]);
      mass += mi;
    }
    Field(out, r.Num(mass > 0 ? mv / mass / 2 / r.vScale : Real(0)), 15);
  }
  const Real Pa = A.P[glassCell];
  const Real Pb = A.P[firstFilm];
  Field(out, Pa != 0 && Pb != 0 ? r.Num((Pa + Pb) / 2) : std::string("0"), 15);
  if (r.t.TwoTemperature()) {
    int32_t cPi = r.Col(CK::Pi);
    int32_t cPe = r.Col(CK::Pe);
    if (cPi < 0) cPi = r.t.ColumnOfArray("Pi");
    if (cPe < 0) cPe = r.t.ColumnOfArray("Pe");
    Field(out, r.Text(cPi, fc), 12);
    Field(out, r.Text(cPe, fc), 12);
  }
  temperatures(fc);
  Field(out, r.Text(r.Col(CK::Rho), fc), 15);
  out += '\t';
  out += PhaseIdText(PhaseOfRow(r, fc), true);
}

}  // namespace

bool FreeSurfaceIsRight(const Session& s) {
  return RightSurface(s);
}

HistoryLayout HistoryLayoutOf(const HistorySources& in) {
  HistoryLayout l;
  const Real x1 = in.main.x1Edit.StoredValue();
  if (in.integrals.RCPanelVisible) {
    l.kind = HistoryKind::Xrc;
  } else if (in.s.eos.EosScale == 1e5L && (x1 == 1e-7L || x1 == 1e-4L)) {
    l.kind = HistoryKind::Named;
  }
  l.timeUnit = in.options.AddStr;
  l.lengthUnit = x1 == 1e-7L ? "nm" : (x1 == 1e-4L ? "mkm" : "");
  l.frozen = in.s.bounds.NoMove;
  l.twoT = in.table.TwoTemperature();
  l.rightSurface = RightSurface(in.s);
  l.InGlass = in.s.sim.InGlass;
  l.rhoCText = in.integrals.Rho_C.Text();
  return l;
}

HistorySurface FindSurface(const HistorySources& in, bool right) {
  const RecordInputs r(in);
  HistorySurface out;
  if (in.s.bounds.NoMove || (!right && in.s.sim.InGlass > 0)) {
    // A frozen grid keeps its surface; a film behind a substrate is described at the
    // grid's left end.
    out.node = right ? r.e : 0;
    out.cell = right ? r.e - 1 : 0;
    return out;
  }
  if (right) {
    out.node = SearchSurface(r, false, Real(0.01));
    out.cell = out.node - 1;
  } else {
    out.node = r.N - SearchSurface(r, true, Real(0.1));
    out.cell = out.node;
  }
  return out;
}

std::string HistoryRecord(const HistorySources& in, const HistoryLayout& l) {
  const TMainForm& main = in.main;
  if (l.kind == HistoryKind::Xrc) {
    return main.TotalTime.Text() + "  " + in.integrals.x_rc.Text() + kLineEnd;
  }
  std::string out = RightAligned(main.TotalTime.Format().FormatValue(main.TotalTime.StoredValue() *
                                                                     in.options.Scal.StoredValue()),
                                 12);
  if (in.s.StateA == nullptr || in.table.RowCount() == 0) return out + kLineEnd;
  const RecordInputs r(in);
  const HistorySurface surf = FindSurface(in, l.rightSurface);
  const int32_t sc = std::clamp(surf.cell, 0, r.N - 1);
  const int32_t cT = r.Col(CK::T);
  const int32_t cTe = r.TeCol();
  if (l.frozen) {
    Field(out, main.Rho0.Text(), 15);
    Field(out, r.Text(cT, sc), 12);
    if (l.twoT) Field(out, r.Text(cTe, sc), 12);
    out += '\t';
    out += PhaseIdText(PhaseOfRow(r, sc), false);
    SkinAverages(out, r, l, sc);
  } else {
    const int32_t node = std::clamp(surf.node, 0, r.N);
    if (l.rightSurface) {
      Field(out, r.Num((InitialFilmRight(in.s) - r.A.x[node]) / r.x1), 15);
      Field(out, r.Text(r.Col(CK::V), node), 15);
    } else {
      Field(out, r.Text(r.Col(CK::X), node), 15);
      Field(out, r.Text(r.Col(CK::V), node), 15);
      Field(out, r.Text(r.Col(CK::P), sc), 12);
    }
    Field(out, r.Text(cT, sc), 12);
    if (l.twoT) Field(out, r.Text(cTe, sc), 12);
    Field(out, r.Text(r.Col(CK::Rho), sc), 15);
    Field(out, r.Num(1 - r.Rho(sc) / in.s.sim.rho0), 15);
    out += '\t';
    out += PhaseIdText(PhaseOfRow(r, sc), false);
    CraterDepth(out, r, l.rightSurface, node);
    SkinAverages(out, r, l, sc);
  }
  if (l.InGlass != 0) SubstrateGroup(out, r, l.frozen);
  if (l.kind == HistoryKind::Short && l.InGlass != 0) out += '\t';
  out += kLineEnd;
  return out;
}

// ---- appending ------------------------------------------------------------------------------

namespace {

std::string FirstToken(std::string_view line) {
  const size_t from = line.find_first_not_of(" \t");
  if (from == std::string_view::npos) return {};
  const size_t to = line.find_first_of(" \t\r\n", from);
  return std::string(line.substr(from, to == std::string_view::npos ? to : to - from));
}

std::string WithoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

// NAME_k.EXT for the first k whose name is free (for both the history and its legend).
bool FreeNames(const fs::path& path, const fs::path& legend, fs::path& toPath, fs::path& toLegend) {
  for (int32_t k = 1; k < 100000; ++k) {
    const std::string suffix = "_" + std::to_string(k);
    toPath = path.parent_path() / (path.stem().string() + suffix + path.extension().string());
    toLegend =
        legend.parent_path() / (legend.stem().string() + suffix + legend.extension().string());
    std::error_code ec1, ec2;
    if (!fs::exists(fs::symlink_status(toPath, ec1)) &&
        !fs::exists(fs::symlink_status(toLegend, ec2))) {
      return true;
    }
  }
  return false;
}

bool SameStem(const fs::path& history, const fs::path& legend) {
  return history.stem() == legend.stem();
}

FileWriteResult Failure(const std::string& path, const std::string& why) {
  return {false, "Cannot write file \"" + path + "\": " + why};
}

}  // namespace

HistoryAppendResult AppendHistoryRecord(const std::string& path, const std::string& legendPath,
                                        const std::string& header, const std::string& legend,
                                        const std::string& record,
                                        const TNumStringFormat& timeFormat) {
  HistoryAppendResult out;
  std::error_code ec;
  const bool exists = fs::exists(fs::symlink_status(path, ec));
  if (exists && fs::is_regular_file(path, ec)) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      out.write = Failure(path, "cannot be read");
      return out;
    }
    std::string first;
    std::getline(in, first);
    if (WithoutLineEnd(first) != WithoutLineEnd(header)) {
      // A history of another layout (another solver class, substrate side or units):
      // records of this run would not fit its columns. It is kept under a free name and a
      // new history starts.
      fs::path toPath, toLegend;
      if (!FreeNames(path, legendPath, toPath, toLegend)) {
        out.write = Failure(path, "no free name to keep the history of another layout");
        return out;
      }
      in.close();
      fs::rename(path, toPath, ec);
      if (ec) {
        out.write = Failure(path, "cannot keep the history of another layout: " + ec.message());
        return out;
      }
      out.keptAs = toPath.string();
      // The legend goes with the history it describes ("Surf.txt" with "Surf.dat").
      if (SameStem(path, legendPath) && fs::exists(legendPath, ec)) {
        fs::rename(legendPath, toLegend, ec);
      }
    } else {
      // The last record's time: a record not after it is already in the history.
      std::string line, last;
      while (std::getline(in, line)) {
        if (!FirstToken(line).empty()) last = line;
      }
      Real lastTime = 0, time = 0;
      if (!last.empty() && timeFormat.Parse(FirstToken(last), lastTime) == TConvertStatus::Ok &&
          timeFormat.Parse(FirstToken(record), time) == TConvertStatus::Ok && time <= lastTime) {
        out.skipped = true;
        return out;
      }
    }
  }
  const bool create = !fs::exists(fs::symlink_status(path, ec));
  out.write = AppendRecord(path, header, record);
  if (out.write && create && !legend.empty()) {
    const FileWriteResult l = WriteFileAtomically(legendPath, legend);
    if (!l) out.write = l;
  }
  return out;
}

}  // namespace tarvex
