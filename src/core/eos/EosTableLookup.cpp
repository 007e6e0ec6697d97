// Table lookups: hinted search, interval kernels, inverses, sound speed and phases.
#include "core/eos/EosTableLookup.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/common/FpGuard.h"
#include "core/common/NewtonCycle.h"
#include "core/numerics/GridFunctions.h"

namespace tarvex {

namespace {

constexpr Real kZeroBelow = 1e-8L;  // table results smaller in magnitude are exactly 0

Real ZeroRule(Real v) {
  return std::fabs(v) < kZeroBelow ? Real(0) : v;
}

// ---- one interval kernel on the values y[0..3] at the stencil's nodes ----

struct KernelTerms {
  Real dy = 0, K1 = 0, K2 = 0;
};

KernelTerms Terms(const TTableStencil& s, const Real* y) {
  KernelTerms k;
  k.dy = y[2] - y[1];
  k.K1 = y[3] != y[2] ? s.a1 * k.dy - s.b1 * (y[3] - y[2]) : k.dy;
  if (s.kind == TTableStencil::TwoSided) {
    k.K2 = y[0] != y[1] ? s.c2 * (y[1] - y[0]) - s.a2 * k.dy : -k.dy;
  }
  return k;
}

Real Cubic(const KernelTerms& k, Real y1, Real t) {
  const Real u = 1 - t;
  return u * y1 + t * (y1 + k.dy) + t * u * (t * k.K1 + u * k.K2);
}

Real CubicSlopeT(const KernelTerms& k, Real t) {
  return k.dy + k.K1 * t * (2 - 3 * t) + k.K2 * (1 - t) * (1 - 3 * t);
}

// The limited cubic: the median of the cubic and the two band lines, L1 from y_i to the
// midpoint value and L2 from the midpoint value to y_{i+1} (the one-sided kernel: L1 and
// the chord).
Real Limited(const TTableStencil& s, const KernelTerms& k, Real y1, Real t, Real cubic) {
  const Real half = k.dy / 2;
  const Real L1 = y1 + t * half;
  const Real L2 = s.kind == TTableStencil::TwoSided ? y1 + half + t * half : y1 + t * k.dy;
  const Real lo = std::min(L1, L2);
  const Real hi = std::max(L1, L2);
  return std::min(hi, std::max(lo, cubic));
}

// The kernel at a point x of its interval: t and, for the cubics, the weights with which
// the cubic is the sum of w[m] y[m] as long as no neighbouring segment is flat. A value
// lookup computes them once per axis and applies them to every row it needs.
struct Weights {
  Real t = 0;
  Real w[4] = {0, 0, 0, 0};
};

Weights MakeWeights(const TTableStencil& s, Real x) {
  Weights W;
  W.t = (x - s.xi) * s.invDelta;
  if (s.kind == TTableStencil::Linear) return W;
  const Real t = W.t;
  const Real u = 1 - t;
  const Real A = t * t * u;  // the factor of K1
  const Real B = t * u * u;  // the factor of K2 (K2 = 0 one-sided: c2 = a2 = 0)
  W.w[0] = -B * s.c2;
  W.w[1] = u - A * s.a1 + B * (s.c2 + s.a2);
  W.w[2] = t + A * (s.a1 + s.b1) - B * s.a2;
  W.w[3] = -A * s.b1;
  return W;
}

[[gnu::always_inline]] inline Real WeightedValue(const TTableStencil& s, const Weights& W,
                                                 const Real* y) {
  const Real t = W.t;
  const Real dy = y[2] - y[1];
  if (s.kind == TTableStencil::Linear) {
    // Measured from the nearer node, so both nodes and constants come out exactly.
    return t <= Real(0.5) ? y[1] + t * dy : y[2] - (1 - t) * dy;
  }
  if (dy == 0) return y[1];
  const bool twoSided = s.kind == TTableStencil::TwoSided;
  Real cubic;
  if (y[3] == y[2] || (twoSided && y[0] == y[1])) {
    cubic = Cubic(Terms(s, y), y[1], t);  // a flat neighbour: zero slope at the shared node
  } else {
    cubic = W.w[1] * y[1] + W.w[2] * y[2] + W.w[3] * y[3];
    if (twoSided) cubic += W.w[0] * y[0];
  }
  const Real half = dy / 2;
  const Real L1 = y[1] + t * half;
  const Real L2 = twoSided ? y[1] + half + t * half : y[1] + t * dy;
  return std::min(std::max(L1, L2), std::max(std::min(L1, L2), cubic));
}

[[gnu::always_inline]] inline Real KernelValue(const TTableStencil& s, const Real* y, Real x) {
  return WeightedValue(s, MakeWeights(s, x), y);
}

// The slope of the limited curve: the cubic's where the cubic is inside the band, the
// band line's where the limiter holds the curve on it (so that a derivative is always
// the slope of the values a lookup returns).
Real KernelSlope(const TTableStencil& s, const Real* y, Real x) {
  const Real dy = y[2] - y[1];
  if (s.kind == TTableStencil::Linear) return dy * s.invDelta;
  if (dy == 0) return 0;
  const KernelTerms k = Terms(s, y);
  const Real t = (x - s.xi) * s.invDelta;
  const Real cubic = Cubic(k, y[1], t);
  const bool twoSided = s.kind == TTableStencil::TwoSided;
  const Real half = dy / 2;
  const Real L1 = y[1] + t * half;
  const Real L2 = twoSided ? y[1] + half + t * half : y[1] + t * dy;
  const Real slopeL2 = twoSided ? half : dy;  // dL/dt of L2 (the chord one-sided)
  const bool L1Lower = L1 <= L2;
  if (cubic < std::min(L1, L2)) return (L1Lower ? half : slopeL2) * s.invDelta;
  if (cubic > std::max(L1, L2)) return (L1Lower ? slopeL2 : half) * s.invDelta;
  return CubicSlopeT(k, t) * s.invDelta;
}

// x at the local coordinate t, measured from the nearer node.
Real KernelX(const TTableStencil& s, Real t) {
  const Real Delta = s.xi1 - s.xi;
  return t <= Real(0.5) ? s.xi + Delta * t : s.xi1 - Delta * (1 - t);
}

// The x on the interval where the limited kernel takes the value `target`.
Real KernelInverse(const TTableStencil& s, const Real* y, Real target) {
  const Real y1 = y[1];
  const Real dy = y[2] - y[1];
  if (dy == 0) {
    // A flat interval: the grid-function kernels' answer (the midpoint of a two-sided
    // segment, x_i of a one-sided one or of the line).
    SegmentPoints p;
    for (int k = 0; k < 4; ++k) p.y[k] = y[k];
    p.x[1] = s.xi;
    p.x[2] = s.xi1;
    return s.kind == TTableStencil::TwoSided ? InvertSegment(p, target)
                                             : InvertSegmentOneSided(p, target);
  }
  if (target == y1) return s.xi;
  if (target == y[2]) return s.xi1;
  if (s.kind == TTableStencil::Linear) return KernelX(s, (target - y1) / dy);

  const KernelTerms k = Terms(s, y);
  // The residual is taken relative to y_i, cubic - y_i = t (dy + (1 - t)(t K1 + (1 - t) K2)),
  // so that its round-off scales with dy and not with y_i: a table value far from zero
  // then still lets the iteration settle on one t within a few steps.
  const Real d = target - y1;
  const Real tNewton = NewtonWithCycleGuard(
      d / dy,
      [&k, d](Real tk) {
        const Real u = 1 - tk;
        const Real r = tk * (k.dy + u * (tk * k.K1 + u * k.K2)) - d;
        if (r == 0) return tk;
        return tk - r / CubicSlopeT(k, tk);
      },
      NewtonScale::Absolute);
  // The point on the cubic, where the iteration converged inside the band (the common
  // case).
  if (tNewton >= 0 && tNewton <= 1) {
    const Real cubic = Cubic(k, y1, tNewton);
    const Real L1 = y1 + tNewton * (dy / 2);
    const Real L2 = s.kind == TTableStencil::TwoSided ? L1 + dy / 2 : y1 + tNewton * dy;
    const Real tol = 64 * std::numeric_limits<Real>::epsilon() * (std::fabs(y1) + std::fabs(dy));
    if (std::fabs(cubic - target) <= tol && cubic >= std::min(L1, L2) &&
        cubic <= std::max(L1, L2)) {
      return KernelX(s, tNewton);
    }
  }
  // Where the limiter holds the curve on a band line the point lies on that line: of the
  // point on the cubic and the points on the two lines, the one where the limited curve
  // takes the value (the cubic's first; the lines' only when the cubic is cut off).
  const Real tL1 = 2 * (target - y1) / dy;
  const Real tL2 = s.kind == TTableStencil::TwoSided ? tL1 - 1 : (target - y1) / dy;
  Real best = std::clamp((target - y1) / dy, Real(0), Real(1));
  Real bestErr = std::numeric_limits<Real>::infinity();
  for (const Real tc : {tNewton, tL1, tL2}) {
    if (!(tc >= 0 && tc <= 1)) continue;  // also skips NaN
    const Real err = std::fabs(Limited(s, k, y1, tc, Cubic(k, y1, tc)) - target);
    if (err < bestErr) {
      best = tc;
      bestErr = err;
    }
  }
  return KernelX(s, best);
}

// ---- gathering node values ----

// Values of row i at the stencil's nodes along rho.
inline void GatherRow(const Real* f, int32_t NV, int32_t i, const TTableStencil& s, Real* y) {
  const Real* row = f + static_cast<ptrdiff_t>(i) * NV;
  for (int k = 0; k < 4; ++k) y[k] = row[s.node[k]];
}

// Values of column j at the stencil's nodes along T.
inline void GatherColumn(const Real* f, int32_t NV, int32_t j, const TTableStencil& s, Real* y) {
  for (int k = 0; k < 4; ++k) y[k] = f[static_cast<ptrdiff_t>(s.node[k]) * NV + j];
}

// Which stencil nodes a kernel reads: the line 1 and 2, one-sided 1 to 3, two-sided all.
inline int FirstNode(const TTableStencil& s) {
  return s.kind == TTableStencil::TwoSided ? 0 : 1;
}
inline int LastNode(const TTableStencil& s) {
  return s.kind == TTableStencil::Linear ? 2 : 3;
}

// Where (rho, T) lies on both axes.
struct Located {
  const TTableStencil* sT;
  const TTableStencil* sR;
  int32_t kT;
  int32_t kR;
  bool TAtNode;
  bool rhoAtNode;
  Weights wR;  // the density kernel at rho, shared by the rows
};

Located Locate(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T) {
  const TTableAxisData& ta = set.TAxis();
  const TTableAxisData& ra = set.RhoAxis();
  Located p;
  p.kT = TableSearch(ta, T, hints.THint);
  p.kR = TableSearch(ra, rho, hints.RhoHint);
  p.sT = &ta.Stencil(p.kT);
  p.sR = &ra.Stencil(p.kR);
  p.TAtNode = p.kT >= 0 && ta.x[static_cast<size_t>(p.kT)] == T;
  p.rhoAtNode = p.kR >= 0 && ra.x[static_cast<size_t>(p.kR)] == rho;
  p.wR = MakeWeights(*p.sR, rho);
  return p;
}

// f of row i at rho (the density weights of p).
inline Real RowAt(const TEosTableSet& set, const Real* f, const Located& p, int32_t i) {
  const int32_t NV = set.NV();
  if (p.rhoAtNode) return f[static_cast<ptrdiff_t>(i) * NV + p.kR];
  Real y[4];
  GatherRow(f, NV, i, *p.sR, y);
  return WeightedValue(*p.sR, p.wR, y);
}

// f of column j at T.
inline Real ColumnAt(const TEosTableSet& set, const Real* f, const Located& p, int32_t j, Real T) {
  const int32_t NV = set.NV();
  if (p.TAtNode) return f[static_cast<ptrdiff_t>(p.kT) * NV + j];
  Real y[4];
  GatherColumn(f, NV, j, *p.sT, y);
  return KernelValue(*p.sT, y, T);
}

// The row values at rho at the nodes of the temperature stencil.
inline void RowsAt(const TEosTableSet& set, const Real* f, const Located& p, Real* y) {
  const TTableStencil& s = *p.sT;
  for (int k = FirstNode(s); k <= LastNode(s); ++k) y[k] = RowAt(set, f, p, s.node[k]);
}

}  // namespace

int32_t TableSearch(const TTableAxisData& axis, Real x, int32_t& hint) {
  const Real* g = axis.x.data();
  const int32_t n = axis.Last();
  // "At or before" in the axis direction: g <= x on an increasing axis, g >= x otherwise.
  const bool inc = axis.increasing;
  const auto atOrBefore = [inc](Real gk, Real v) { return inc ? gk <= v : gk >= v; };
  if (!atOrBefore(g[0], x)) return hint = -1;  // before the grid (or NaN)
  if (atOrBefore(g[n], x)) return hint = n;
  // Now g[0] <= x < g[n]: the answer is an interval 0..n-1. Try the hint and its
  // neighbours, then bisect.
  int32_t k = std::clamp(hint, int32_t{0}, n - 1);
  if (atOrBefore(g[k], x)) {
    if (!atOrBefore(g[k + 1], x)) return hint = k;
    if (k + 2 <= n && !atOrBefore(g[k + 2], x)) return hint = k + 1;
  } else if (k >= 1 && atOrBefore(g[k - 1], x)) {
    return hint = k - 1;
  }
  int32_t lo = 0;
  int32_t hi = n;  // g[lo] at or before x, g[hi] after it
  while (hi - lo > 1) {
    const int32_t mid = lo + (hi - lo) / 2;
    if (atOrBefore(g[mid], x)) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return hint = lo;
}

Real TableValue(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho, Real T) {
  const Located p = Locate(set, hints, rho, T);
  if (p.TAtNode) return RowAt(set, f, p, p.kT);
  if (p.rhoAtNode) return ColumnAt(set, f, p, p.kR, T);
  Real y[4];
  RowsAt(set, f, p, y);
  return KernelValue(*p.sT, y, T);
}

Real TableDerivT(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho, Real T) {
  const Located p = Locate(set, hints, rho, T);
  Real y[4];
  RowsAt(set, f, p, y);
  return KernelSlope(*p.sT, y, T);
}

Real TableDerivRho(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho,
                   Real T) {
  const Located p = Locate(set, hints, rho, T);
  const TTableStencil& s = *p.sR;
  Real y[4];
  for (int k = FirstNode(s); k <= LastNode(s); ++k) y[k] = ColumnAt(set, f, p, s.node[k], T);
  return KernelSlope(s, y, rho);
}

Real TableInverseT(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho,
                   Real y) {
  const TTableAxisData& ta = set.TAxis();
  const TTableAxisData& ra = set.RhoAxis();
  const int32_t NV = set.NV();
  const int32_t n = ta.Last();
  Located p;
  p.kR = TableSearch(ra, rho, hints.RhoHint);
  p.sR = &ra.Stencil(p.kR);
  p.rhoAtNode = p.kR >= 0 && ra.x[static_cast<size_t>(p.kR)] == rho;
  p.wR = MakeWeights(*p.sR, rho);
  p.TAtNode = false;
  p.kT = 0;
  p.sT = nullptr;
  const auto row = [&](int32_t i) { return RowAt(set, f, p, i); };

  // Direction of the column: values rising or falling with T.
  const int32_t c = std::clamp(p.kR, int32_t{0}, NV - 1);
  const bool rising = !(f[static_cast<ptrdiff_t>(n) * NV + c] < f[c]);

  // The interval [i, i+1] whose row values at rho bracket y: from the hint, else from a
  // bisection of the column, then row by row in the column's direction.
  int32_t i = std::clamp(hints.THint, int32_t{0}, n - 1);
  Real a = row(i);
  Real b = row(i + 1);
  const auto brackets = [&y](Real lo, Real hi) {
    return std::min(lo, hi) <= y && y <= std::max(lo, hi);
  };
  if (!brackets(a, b)) {
    int32_t lo = 0;
    int32_t hi = n;
    while (hi - lo > 1) {
      const int32_t mid = lo + (hi - lo) / 2;
      const Real v = f[static_cast<ptrdiff_t>(mid) * NV + c];
      if (rising ? v <= y : v >= y) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    if (lo != i) {
      i = lo;
      a = row(i);
      b = row(i + 1);
    }
  }
  int32_t guard = n + 1;  // each step moves one row in one direction
  while (!brackets(a, b) && guard-- > 0) {
    if (std::isnan(y)) break;
    const bool up = (y > std::max(a, b)) == rising;
    if (up) {
      if (i + 1 >= n) {
        i = n;  // beyond the last row: the line through rows n-1 and n
        break;
      }
      ++i;
      a = b;
      b = row(i + 1);
    } else {
      if (i == 0) {
        i = -1;  // before the first row: the line through rows 0 and 1
        break;
      }
      --i;
      b = a;
      a = row(i);
    }
  }
  hints.THint = i;
  const TTableStencil& s = ta.Stencil(i);
  Real v[4] = {0, 0, 0, 0};
  if (s.kind == TTableStencil::Linear) {
    v[1] = row(s.node[1]);
    v[2] = row(s.node[2]);
    v[0] = v[1];
    v[3] = v[2];
  } else {
    for (int k = FirstNode(s); k <= LastNode(s); ++k) {
      const int32_t node = s.node[k];
      v[k] = node == i ? a : node == i + 1 ? b : row(node);
    }
  }
  return KernelInverse(s, v, y);
}

Real TableHeatCapacity(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T) {
  if (!set.HeatCapacity.empty()) {
    return ZeroRule(Real(0.001) * TableValue(set, set.HeatCapacity.data(), hints, rho, T));
  }
  return TableDerivT(set, set.Energy.data(), hints, rho, T);
}

Real TableSoundSpeedAt(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T) {
  if (!set.SoundVelocity.empty()) {
    return ZeroRule(TableValue(set, set.SoundVelocity.data(), hints, rho, T));
  }
  const Real* P = set.Pressure.data();
  const Real* E = set.Energy.data();
  const Real dPdrho = TableDerivRho(set, P, hints, rho, T);
  const Real Cv = TableHeatCapacity(set, hints, rho, T);
  Real thermal = 0;
  if (Cv != 0) {
    const Real p = TableValue(set, P, hints, rho, T);
    const Real dEdrho = TableDerivRho(set, E, hints, rho, T);
    const Real dPdT = TableDerivT(set, P, hints, rho, T);
    FpGuard guard;
    thermal = (p / (rho * rho) - dEdrho) * dPdT / Cv;
    if (guard.Faulted() || !std::isfinite(thermal)) {
      guard.Reset();  // an unusable thermal term is left out, not reported
      thermal = 0;
    }
  }
  const Real c2 = dPdrho + thermal;
  return c2 > 0 ? std::sqrt(c2) : Real(0);
}

PhaseCode TableFilmPhase(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T) {
  if (set.PhaseId.empty()) return 0;
  const int32_t kR = TableSearch(set.RhoAxis(), rho, hints.RhoHint);
  const int32_t kT = TableSearch(set.TAxis(), T, hints.THint);
  const int32_t a = std::max(kR, int32_t{0});
  const int32_t b = std::min(a + 1, set.NV() - 1);
  const int32_t lo = std::max(kT, int32_t{0});
  const int32_t hi = std::min(lo + 1, set.NT() - 1);
  const PhaseCode* code = set.PhaseId.data();
  const PhaseCode c00 = code[set.Index(lo, a)];
  const PhaseCode c01 = code[set.Index(lo, b)];
  const PhaseCode c10 = code[set.Index(hi, a)];
  const PhaseCode c11 = code[set.Index(hi, b)];
  if (c01 == c00 && c10 == c00 && c11 == c00) return c00;

  const RealArray& Vg = set.VGrid();
  const RealArray& Tg = set.TGrid();
  const Real Va = Vg[static_cast<size_t>(a)];
  const Real Vb = Vg[static_cast<size_t>(b)];
  // Fractional position f of V = 1/rho between the columns (0 on a degenerate cell).
  Real V = Va;
  Real f = 0;
  if (a != b && rho > 0) {
    V = 1 / rho;
    f = (V - Va) / (Vb - Va);
  }
  const Real Vm = (Va + Vb) / 2;
  const Real dT = Tg[static_cast<size_t>(hi)] - Tg[static_cast<size_t>(lo)];
  const Real Tm = (Tg[static_cast<size_t>(lo)] + Tg[static_cast<size_t>(hi)]) / 2;
  // On a decreasing volume axis "beyond the middle" is on the other side.
  const bool pastMiddle = Vb > Va ? V > Vm : V < Vm;

  PhaseCode result = c00;
  if (c01 == c00 && c10 == c00) {
    if (c11 != c00 && T > Tm + dT * (1 - f)) result = c11;
  } else if (c01 == c00) {  // c10 differs: the upper row
    if (T > Tm) {
      if (c11 == c00) {
        if (T > Tm + dT * f) result = c10;
      } else {
        result = pastMiddle ? c11 : c10;
      }
    }
  } else if (!pastMiddle) {  // c01 differs, V in the first half
    if (c10 != c00 && ((c10 == c01 && T > Tm - dT * f) || T > Tm)) result = c10;
  } else {  // c01 differs, V in the second half
    if (c11 == c00) {
      if (T < Tm - dT * (1 - f)) result = c01;
    } else {
      result = T > Tm ? c11 : c01;
    }
  }
  return result;
}

PhaseCode TableLeftPhase(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T) {
  if (set.PhaseId.empty()) return 0;
  const int32_t kR = TableSearch(set.RhoAxis(), rho, hints.RhoHint);
  const int32_t kT = TableSearch(set.TAxis(), T, hints.THint);
  return set.PhaseId[set.Index(std::max(kT, int32_t{0}), std::max(kR, int32_t{0}))];
}

Real TableMixFraction(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T) {
  if (!set.PhaseMix.empty()) return TableValue(set, set.PhaseMix.data(), hints, rho, T);
  const PhaseCode c = TableFilmPhase(set, hints, rho, T);
  const PhaseCode a = c < 0 ? -c : c;
  if (a == 0 || a == 1) return 1;
  if (a == 3 || a == 5) return 0;
  return Real(0.5);
}

int32_t TableFilmColor(PhaseCode c) {
  switch (PhaseReduced(c)) {
    case 1:
      return 0x000080;
    case 2:
      return 0xC0C0C0;
    case 3:
      return 0xFF0000;
    case 4:
      return 0x808000;
    case 5:
      return 0x008000;
    case 6:
      return 0xFF00FF;
    default:
      return 0x808080;
  }
}

int32_t TableLeftColor(PhaseCode c) {
  switch (c < 0 ? -static_cast<int64_t>(c) : c) {
    case 1:
      return 0x000080;
    case 3:
      return 0x00FF00;
    case 4:
      return 0x808000;
    case 5:
      return 0xFFFF00;
    case 6:
      return 0x800080;
    default:
      return 0x808080;
  }
}

bool TableCodeMelted(PhaseCode c) {
  return PhaseReduced(c) > 1;
}

bool TableCodeVapour(PhaseCode c) {
  const int64_t a = c < 0 ? -static_cast<int64_t>(c) : c;
  return a >= 4 && a <= 6;
}

bool TableCodeFluidVapour(PhaseCode c) {
  const int64_t a = c < 0 ? -static_cast<int64_t>(c) : c;
  return a == 4 || a == 5;
}

Real TableLiquidShare(PhaseCode c, Real m) {
  switch (PhaseReduced(c)) {
    case 2:
      return 1 - m;
    case 3:
      return 1;
    case 4:
      return m;
    default:
      return 0;
  }
}

Real TableSolidShare(PhaseCode c, Real m) {
  const int64_t a = c < 0 ? -static_cast<int64_t>(c) : c;
  if (a == 1 || a == 7) return 1;
  if (a == 2 || a == 9) return m;
  if (a == 6) return c < 0 ? m : Real(0);  // metastable sublimation keeps its solid share
  return 0;
}

bool BindTableParams(TEosTableParams& p, std::shared_ptr<const TEosTableSet> table, Real s,
                     Real t) {
  if (!table || !table->Complete() || s == 0 || !std::isfinite(s) || !std::isfinite(t)) {
    return false;
  }
  p.table = std::move(table);
  p.s = s;
  p.t = t;
  p.hints = TEosTableHints{};
  return true;
}

Real TableE(const TEosTableParams& p, Real rho, Real T) {
  const TEosTableSet& set = *p.table;
  return ZeroRule(TableValue(set, set.Energy.data(), p.hints, rho, p.s * T + p.t));
}

Real TableP(const TEosTableParams& p, Real rho, Real T) {
  const TEosTableSet& set = *p.table;
  return ZeroRule(TableValue(set, set.Pressure.data(), p.hints, rho, p.s * T + p.t));
}

Real TableCv(const TEosTableParams& p, Real rho, Real T) {
  return p.s * TableHeatCapacity(*p.table, p.hints, rho, p.s * T + p.t);
}

Real TabledPdT(const TEosTableParams& p, Real rho, Real T) {
  const TEosTableSet& set = *p.table;
  return p.s * TableDerivT(set, set.Pressure.data(), p.hints, rho, p.s * T + p.t);
}

Real TableTofE(const TEosTableParams& p, Real rho, Real E) {
  const TEosTableSet& set = *p.table;
  return (TableInverseT(set, set.Energy.data(), p.hints, rho, E) - p.t) / p.s;
}

Real TableTofP(const TEosTableParams& p, Real rho, Real P) {
  const TEosTableSet& set = *p.table;
  return (TableInverseT(set, set.Pressure.data(), p.hints, rho, P) - p.t) / p.s;
}

Real TableSoundSpeed(const TEosTableParams& p, Real rho, Real T) {
  return TableSoundSpeedAt(*p.table, p.hints, rho, p.s * T + p.t);
}

int32_t TablePhaseId(const TEosTableParams& p, Real rho, Real T) {
  return TableFilmPhase(*p.table, p.hints, rho, p.s * T + p.t);
}

int32_t TableLeftPhaseId(const TEosTableParams& p, Real rho, Real T) {
  return TableLeftPhase(*p.table, p.hints, rho, p.s * T + p.t);
}

int32_t TablePhaseColor(const TEosTableParams& p, Real rho, Real T) {
  return TableFilmColor(TablePhaseId(p, rho, T));
}

int32_t TableLeftPhaseColor(const TEosTableParams& p, Real rho, Real T) {
  return TableLeftColor(TableLeftPhaseId(p, rho, T));
}

bool TableIsMelted(const TEosTableParams& p, Real rho, Real T) {
  return TableCodeMelted(TablePhaseId(p, rho, T));
}

bool TableHasVapour(const TEosTableParams& p, Real rho, Real T) {
  return TableCodeVapour(TablePhaseId(p, rho, T));
}

bool TableIsFluidVapour(const TEosTableParams& p, Real rho, Real T) {
  return TableCodeFluidVapour(TablePhaseId(p, rho, T));
}

Real TableMixture(const TEosTableParams& p, Real rho, Real T) {
  return TableMixFraction(*p.table, p.hints, rho, p.s * T + p.t);
}

Real TableLiquidFraction(const TEosTableParams& p, Real rho, Real T) {
  const Real Tt = p.s * T + p.t;
  const PhaseCode c = TableFilmPhase(*p.table, p.hints, rho, Tt);
  return TableLiquidShare(c, TableMixFraction(*p.table, p.hints, rho, Tt));
}

Real TableSolidFraction(const TEosTableParams& p, Real rho, Real T) {
  const Real Tt = p.s * T + p.t;
  const PhaseCode c = TableFilmPhase(*p.table, p.hints, rho, Tt);
  return TableSolidShare(c, TableMixFraction(*p.table, p.hints, rho, Tt));
}

}  // namespace tarvex
