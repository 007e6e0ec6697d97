// The laser source: shapes with their closed-form integrals, the amplitudes, the per-cell
// table and the time factor of a step.
#include "core/laser/LaserSource.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/hydro/HydrStat.h"
#include "core/hydro/HydroState.h"

namespace tarvex {

namespace {

constexpr Real kSqrtPi = 1 / std::numbers::inv_sqrtpi_v<Real>;

constexpr LaserRefusal kNoRefusal{};
constexpr std::string_view kPreHtBtn = "PreHtBtn";

bool Positive(Real v) {
  return std::isfinite(v) && v > 0;
}

// erf(q) - erf(p) for p <= q without cancellation in the tails.
Real ErfDifference(Real p, Real q) {
  if (p >= 0) return std::erfc(p) - std::erfc(q);
  if (q <= 0) return std::erfc(-q) - std::erfc(-p);
  return std::erf(q) + std::erf(-p);
}

// Moments of the space shape: the integral of u^k f(u) over [ua, ub], k = 0, 1, 2
// (0 <= ua <= ub). k = 0 is SpaceShapeIntegral; the higher ones weight the substrate
// cells of curved grids by their radius.
Real SpaceShapeMoment(SpaceShape shape, int32_t k, Real ua, Real ub) {
  if (k == 0) return SpaceShapeIntegral(shape, ua, ub);
  switch (shape) {
    case SpaceShape::Gauss: {
      // u exp(-u^2) -> -exp(-u^2)/2;  u^2 exp(-u^2) -> sqrt(pi)/4 erf(u) - u exp(-u^2)/2
      const Real ea = std::exp(-ua * ua);
      const Real eb = std::exp(-ub * ub);
      if (k == 1) return (ea - eb) / 2;
      return kSqrtPi / 4 * ErfDifference(ua, ub) + (ua * ea - ub * eb) / 2;
    }
    case SpaceShape::Exp: {
      // u exp(-u) -> -(1 + u) exp(-u);  u^2 exp(-u) -> -(u^2 + 2u + 2) exp(-u)
      const Real ea = std::exp(-ua);
      const Real eb = std::exp(-ub);
      if (k == 1) return (1 + ua) * ea - (1 + ub) * eb;
      return (ua * ua + 2 * ua + 2) * ea - (ub * ub + 2 * ub + 2) * eb;
    }
    case SpaceShape::Step: {
      const Real a = std::min(ua, Real{1});
      const Real b = std::min(ub, Real{1});
      return k == 1 ? (b * b - a * a) / 2 : (b * b * b - a * a * a) / 3;
    }
    case SpaceShape::Linear: {
      const Real a = std::min(ua, Real{1});
      const Real b = std::min(ub, Real{1});
      if (k == 1) return (b * b - a * a) / 2 - (b * b * b - a * a * a) / 3;
      return (b * b * b - a * a * a) / 3 - (b * b * b * b - a * a * a * a) / 4;
    }
    case SpaceShape::Zero:
      break;
  }
  return 0;
}

// Depth in units of the depth scale, from a distance [cm] below the irradiated face.
Real Depth(Real distance, Real scale) {
  return std::max(distance, Real{0}) / scale;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Shapes

// The pulse begins at t = 0. The one-sided shapes (the exponential, the step and both
// lines) are 0 before it: a run started at -3 tau to let the film settle must not see a
// step that has been on since -infinity, nor an exponential that grows without bound
// towards the past; with the cut-off every shape deposits its fluence F whatever the start
// time. The step and the lines also end at tau. The Gaussian is centred on t = 0 and keeps
// both halves: its rising half is part of the pulse.
Real TimeShapeValue(TimeShape shape, Real t, Real tau) {
  const Real s = t / tau;
  const bool inPulse = t >= 0 && t <= tau;
  switch (shape) {
    case TimeShape::Gauss:
      return std::exp(-s * s);
    case TimeShape::Exp:
      return t >= 0 ? std::exp(-s) : 0;
    case TimeShape::Step:
      return inPulse ? 1 : 0;
    case TimeShape::LinearDown:
      return inPulse ? 1 - s : 0;
    case TimeShape::LinearUp:
      return inPulse ? s : 0;
    case TimeShape::Zero:
      break;
  }
  return 0;
}

// The exact integral over [a, b], the one-sided shapes over the part of [a, b] inside
// their support, so that a step's time factor (this over the step) is the exact mean of
// TimeShapeValue over the step, also for a step that straddles 0 or tau.
Real TimeShapeIntegral(TimeShape shape, Real a, Real b, Real tau) {
  if (b < a) return -TimeShapeIntegral(shape, b, a, tau);
  switch (shape) {
    case TimeShape::Gauss:
      return tau * kSqrtPi / 2 * ErfDifference(a / tau, b / tau);
    case TimeShape::Exp: {
      // tau (exp(-p/tau) - exp(-q/tau)) over [p, q] = [a, b] from 0 on, exact also for a
      // step much shorter than tau
      const Real p = std::max(a, Real{0});
      const Real q = std::max(b, Real{0});
      return -tau * std::exp(-p / tau) * std::expm1((p - q) / tau);
    }
    case TimeShape::Step: {
      const Real p = std::clamp(a, Real{0}, tau);
      const Real q = std::clamp(b, Real{0}, tau);
      return q - p;
    }
    case TimeShape::LinearDown: {
      const Real p = std::clamp(a, Real{0}, tau);
      const Real q = std::clamp(b, Real{0}, tau);
      return (q - p) * (1 - (p + q) / (2 * tau));
    }
    case TimeShape::LinearUp: {
      const Real p = std::clamp(a, Real{0}, tau);
      const Real q = std::clamp(b, Real{0}, tau);
      return (q - p) * (p + q) / (2 * tau);
    }
    case TimeShape::Zero:
      break;
  }
  return 0;
}

// tau over the integral of the shape over all times, so that QAmp Ft integrates to
// F / (|d| tau) * tau: the fluence F.
Real TimeShapeNorm(TimeShape shape) {
  switch (shape) {
    case TimeShape::Gauss:
      return std::numbers::inv_sqrtpi_v<Real>;  // the integral over all t is tau sqrt(pi)
    case TimeShape::LinearDown:
    case TimeShape::LinearUp:
      return 2;            // triangles on [0, tau] of area tau/2
    case TimeShape::Exp:   // tau over [0, inf)
    case TimeShape::Step:  // tau over [0, tau]
      return 1;
    case TimeShape::Zero:
      break;
  }
  return 0;
}

Real SpaceShapeValue(SpaceShape shape, Real u) {
  if (u < 0) return 0;
  switch (shape) {
    case SpaceShape::Gauss:
      return std::exp(-u * u);
    case SpaceShape::Exp:
      return std::exp(-u);
    case SpaceShape::Step:
      return u <= 1 ? 1 : 0;
    case SpaceShape::Linear:
      return u <= 1 ? 1 - u : 0;
    case SpaceShape::Zero:
      break;
  }
  return 0;
}

Real SpaceShapeIntegral(SpaceShape shape, Real ua, Real ub) {
  switch (shape) {
    case SpaceShape::Gauss:
      return kSqrtPi / 2 * ErfDifference(ua, ub);
    case SpaceShape::Exp:
      return -std::exp(-ua) * std::expm1(ua - ub);
    case SpaceShape::Step:
      return std::min(ub, Real{1}) - std::min(ua, Real{1});
    case SpaceShape::Linear: {
      const Real a = std::min(ua, Real{1});
      const Real b = std::min(ub, Real{1});
      return (b - a) * (1 - (a + b) / 2);
    }
    case SpaceShape::Zero:
      break;
  }
  return 0;
}

Real SpaceShapeNorm(SpaceShape shape) {
  switch (shape) {
    case SpaceShape::Gauss:
      return 2 * std::numbers::inv_sqrtpi_v<Real>;  // a half Gaussian: area sqrt(pi)/2
    case SpaceShape::Linear:
      return 2;  // a triangle of area 1/2
    case SpaceShape::Exp:
    case SpaceShape::Step:
      return 1;
    case SpaceShape::Zero:
      break;
  }
  return 0;
}

Real FtValue(const LaserSource& src, Real t) {
  return TimeShapeValue(src.FtFn, t, src.QTau);
}

Real FxValue(const LaserSource& src, Real xi) {
  if (src.FxFn == SpaceShape::Zero || xi < 0 || xi > src.QSurfX) return 0;
  const Real d = std::fabs(src.QDepth);
  const Real u = src.QDepth >= 0 ? (src.QSurfX - xi) / d : xi / d;
  return src.QAmp * SpaceShapeValue(src.FxFn, u);
}

Real FpreValue(const LaserSource& src, Real s) {
  if (src.FpreFn == SpaceShape::Zero || s < 0) return 0;
  return src.QPreAmp * SpaceShapeValue(src.FpreFn, s / src.QPreDepth);
}

// ---------------------------------------------------------------------------------------
// The pulse

LaserRefusal CheckLaserPulse(const LaserPulse& p) {
  if (!Positive(p.F)) return kBadF;
  if (p.timeItem < 0 || p.timeItem >= kTimeShapeCount) return kBadTimeShape;
  if (!Positive(p.tau)) return kBadTau;
  if (p.spaceItem < 0 || p.spaceItem >= kSpaceShapeCount) return kBadSpaceShape;
  if (!std::isfinite(p.d) || p.d == 0) return kBadD;
  const Real amp = p.F * kFluenceUnit / (std::fabs(p.d * kDepthUnit) * (p.tau * kTauUnit));
  if (!Positive(amp)) return kAmpRange;
  const LaserRefusal pre = CheckPreHeating(p.preF, p.preD, p.preSpaceItem, p.tau);
  if (pre.Refused()) return LaserRefusal{kPreHtBtn, pre.reason};
  return kNoRefusal;
}

LaserRefusal CheckPreHeating(Real preF, Real preD, int32_t item, Real tau) {
  if (!std::isfinite(preF) || preF < 0) return kBadPreF;
  if (preF == 0) return kNoRefusal;
  if (!std::isfinite(preD) || preD == 0) return kBadPreD;
  if (item < 0 || item >= kSpaceShapeCount) return kBadPreShape;
  const Real preAmp = preF * kFluenceUnit / (std::fabs(preD * kDepthUnit) * (tau * kTauUnit));
  if (!Positive(preAmp)) return kPreAmpRange;
  return kNoRefusal;
}

LaserRefusal SetLaserPulse(LaserSource& src, const LaserPulse& p) {
  const LaserRefusal refusal = CheckLaserPulse(p);
  if (refusal.Refused()) return refusal;
  src.FtFn = static_cast<TimeShape>(p.timeItem);
  src.FxFn = static_cast<SpaceShape>(p.spaceItem);
  src.QDepth = p.d * kDepthUnit;
  src.QTau = p.tau * kTauUnit;
  const Real timeNorm = TimeShapeNorm(src.FtFn);
  // F [kJ/cm^2] / (|d| [cm] tau [s]) = kW/cm^3
  src.QAmp =
      p.F * kFluenceUnit / (std::fabs(src.QDepth) * src.QTau) * timeNorm * SpaceShapeNorm(src.FxFn);
  if (p.preF != 0) {
    src.FpreFn = static_cast<SpaceShape>(p.preSpaceItem);
    src.QPreDepth = std::fabs(p.preD) * kDepthUnit;
    src.QPreAmp =
        p.preF * kFluenceUnit / (src.QPreDepth * src.QTau) * timeNorm * SpaceShapeNorm(src.FpreFn);
  } else {
    src.FpreFn = SpaceShape::Zero;
    src.QPreDepth = 0;
    src.QPreAmp = 0;
  }
  src.builtCells = -1;  // the table holds the old shapes
  return kNoRefusal;
}

void SwitchOffSource(LaserSource& src) {
  src.FtFn = TimeShape::Zero;
  src.FxFn = SpaceShape::Zero;
  src.FpreFn = SpaceShape::Zero;
  src.QAmp = 0;
  src.QPreAmp = 0;
  src.QTimeFactor = 0;
  src.builtCells = -1;
}

bool SourceDefined(const LaserSource& src) {
  return src.FxFn != SpaceShape::Zero && src.FtFn != TimeShape::Zero && src.QAmp != 0;
}

// ---------------------------------------------------------------------------------------
// The per-cell table

const char* SourceStatusText(SourceStatus status) {
  switch (status) {
    case SourceStatus::Ok:
      return "Ok";
    case SourceStatus::NoCells:
      return "The laser source needs a grid of at least one cell";
    case SourceStatus::BadCoordinates:
      return "The laser source needs finite, increasing node coordinates (radii >= 0)";
    case SourceStatus::BadLayers:
      return "The substrate has more cells than the grid";
    case SourceStatus::BadGeometry:
      return "The space dimension must be 1, 2 or 3";
    case SourceStatus::BadFirstCell:
      return "The added layer starts outside the grid";
    case SourceStatus::NonFinite:
      return "The laser source is not finite";
  }
  return "Unknown laser source status";
}

namespace {

SourceStatus CheckGrid(const SourceGrid& g) {
  if (g.x.size() < 2) return SourceStatus::NoCells;
  const int32_t N = static_cast<int32_t>(g.x.size()) - 1;
  if (g.Dspc < 1 || g.Dspc > 3) return SourceStatus::BadGeometry;
  if (g.InGlass < -N || g.InGlass > N) return SourceStatus::BadLayers;
  if (g.firstCell < 0 || g.firstCell >= N) return SourceStatus::BadFirstCell;
  if (!std::isfinite(g.x[0]) || (g.Dspc > 1 && g.x[0] < 0)) return SourceStatus::BadCoordinates;
  for (int32_t k = 1; k <= N; ++k) {
    if (!std::isfinite(g.x[k]) || !(g.x[k] > g.x[k - 1])) return SourceStatus::BadCoordinates;
  }
  return SourceStatus::Ok;
}

// The main shape over the film cells [first, last]: the film's own coordinate runs from
// its left face x[first] to its right face x[last + 1].
void FillFilm(LaserSource& src, std::span<const Real> x, int32_t first, int32_t last,
              int32_t RadialPower) {
  const Real xl = x[first];
  const Real xr = x[last + 1];
  src.QSurfX = xr - xl;
  const bool fromRight = src.QDepth >= 0;
  const Real d = std::fabs(src.QDepth);
  // Energy per unit solid angle: the fluence on the film's outer face times R^RadialPower.
  const Real scale = src.FxFn == SpaceShape::Zero ? 0 : src.QAmp * d * IntPow(xr, RadialPower);
  for (int32_t i = first; i <= last; ++i) {
    Real ua;
    Real ub;
    if (fromRight) {
      ua = Depth(xr - x[i + 1], d);
      ub = Depth(xr - x[i], d);
    } else {
      ua = Depth(x[i] - xl, d);
      ub = Depth(x[i + 1] - xl, d);
    }
    src.QCell[static_cast<size_t>(i)] =
        scale == 0 ? 0 : scale * SpaceShapeIntegral(src.FxFn, ua, ub);
  }
}

// The pre-heating shape over the substrate cells [first, last], s the distance from the
// film face xb; the substrate lies below xb (towardsLower) or above it. In curved
// geometry the shape is a density per unit volume: the integral of Fpre(s) r^RadialPower
// dr with r = xb -+ s, expanded in the moments of the shape.
void FillSubstrate(LaserSource& src, std::span<const Real> x, int32_t first, int32_t last, Real xb,
                   bool towardsLower, int32_t RadialPower) {
  const Real d = src.QPreDepth;
  const bool on = src.FpreFn != SpaceShape::Zero && d > 0;
  const Real sigmaD = towardsLower ? -d : d;  // dr/du
  for (int32_t i = first; i <= last; ++i) {
    if (!on) {
      src.QCell[static_cast<size_t>(i)] = 0;
      continue;
    }
    const Real sa = towardsLower ? xb - x[i + 1] : x[i] - xb;
    const Real sb = towardsLower ? xb - x[i] : x[i + 1] - xb;
    const Real ua = Depth(sa, d);
    const Real ub = Depth(sb, d);
    Real integral = SpaceShapeIntegral(src.FpreFn, ua, ub);
    if (RadialPower > 0) {
      // (xb + sigma d u)^rp = sum C(rp, k) xb^(rp - k) (sigma d)^k u^k
      Real radial = IntPow(xb, RadialPower) * integral;
      radial += RadialPower * IntPow(xb, RadialPower - 1) * sigmaD *
                SpaceShapeMoment(src.FpreFn, 1, ua, ub);
      if (RadialPower == 2) radial += sigmaD * sigmaD * SpaceShapeMoment(src.FpreFn, 2, ua, ub);
      integral = radial;
    }
    src.QCell[static_cast<size_t>(i)] = src.QPreAmp * d * integral;
  }
}

}  // namespace

SourceStatus BuildSourceProfile(LaserSource& src, const SourceGrid& grid) {
  const SourceStatus status = CheckGrid(grid);
  if (status != SourceStatus::Ok) {
    src.QCell.clear();
    src.builtCells = -1;
    return status;
  }
  // A whole table on given nodes belongs to no layout; a layer added to a table keeps the
  // layout of the cells before it.
  if (grid.firstCell == 0) {
    src.builtH0 = 0;
    src.builtWidthRatio = 0;
  }
  const std::span<const Real> x = grid.x;
  const int32_t N = static_cast<int32_t>(x.size()) - 1;
  const int32_t rp = grid.Dspc - 1;
  // A layer added after the grid keeps the entries of the existing cells (they stay at
  // their indices); entries the table never had are zero.
  src.QCell.resize(static_cast<size_t>(N), Real{0});
  if (grid.firstCell > 0) {
    FillFilm(src, x, grid.firstCell, N - 1, rp);
  } else {
    const int32_t first = FirstFilmCell(grid.InGlass);
    const int32_t last = LastFilmCell(N, grid.InGlass);
    if (last >= first) {
      FillFilm(src, x, first, last, rp);
    } else {
      src.QSurfX = 0;  // the grid is all substrate
    }
    if (grid.InGlass > 0) {
      FillSubstrate(src, x, 0, grid.InGlass - 1, x[grid.InGlass], true, rp);
    } else if (grid.InGlass < 0) {
      FillSubstrate(src, x, N + grid.InGlass, N - 1, x[N + grid.InGlass], false, rp);
    }
  }
  for (const Real q : src.QCell) {
    if (!std::isfinite(q)) {
      src.QCell.clear();
      src.builtCells = -1;
      return SourceStatus::NonFinite;
    }
  }
  src.builtCells = N;
  src.builtInGlass = grid.InGlass;
  src.builtDspc = grid.Dspc;
  return SourceStatus::Ok;
}

SourceLayout InitialSourceLayout(const HydroState& s, int32_t N) {
  const SimParams& sp = s.sim;
  SourceLayout l;
  l.N = N;
  l.InGlass = sp.InGlass;
  l.Dspc = sp.Dspc;
  l.h0 = sp.h0;
  // Planar substrate cells hold the mass of a film cell: rho0l w = rho0 h0. Curved grids
  // give every cell the width h0 (the masses follow the layer densities instead).
  l.widthRatio = (sp.Dspc == 1 && sp.InGlass != 0) ? sp.rho0l / sp.rho0 : 1;
  return l;
}

void LayoutNodes(const SourceLayout& l, std::span<Real> x) {
  const int32_t N = l.N;
  if (l.Dspc != 1) {
    for (int32_t k = 0; k <= N; ++k) x[static_cast<size_t>(k)] = static_cast<Real>(k) * l.h0;
    return;
  }
  // x = 0 at the interface node f; film nodes (k - f) h0, substrate nodes (k - f) w.
  const int32_t nGlass = l.InGlass < 0 ? -l.InGlass : l.InGlass;
  const int32_t f = l.InGlass < 0 ? N - nGlass : nGlass;
  const Real w = l.h0 / l.widthRatio;
  for (int32_t k = 0; k <= N; ++k) {
    const bool glass = l.InGlass > 0 ? k < f : (l.InGlass < 0 && k > f);
    x[static_cast<size_t>(k)] = static_cast<Real>(k - f) * (glass ? w : l.h0);
  }
}

SourceStatus BuildSourceProfile(LaserSource& src, const SourceLayout& layout) {
  if (layout.N < 1) {
    src.QCell.clear();
    src.builtCells = -1;
    return SourceStatus::NoCells;
  }
  src.layoutNodes.resize(static_cast<size_t>(layout.N) + 1);
  LayoutNodes(layout, src.layoutNodes);
  const SourceStatus status =
      BuildSourceProfile(src, SourceGrid{src.layoutNodes, layout.InGlass, layout.Dspc, 0});
  if (status == SourceStatus::Ok) {
    src.builtH0 = layout.h0;
    src.builtWidthRatio = layout.widthRatio;
  }
  return status;
}

namespace {

// The time factor of the step [tOld, tNew] into src.QTimeFactor.
SourceStatus SetTimeFactor(LaserSource& src, Real tOld, Real tNew) {
  const Real dt = tNew - tOld;
  Real factor;
  if (src.FtFn == TimeShape::Zero) {
    factor = 0;
  } else if (dt != 0) {
    factor = TimeShapeIntegral(src.FtFn, tOld, tNew, src.QTau) / dt;
  } else {
    factor = TimeShapeValue(src.FtFn, tOld, src.QTau);
  }
  if (!std::isfinite(factor)) {
    src.QTimeFactor = 0;
    return SourceStatus::NonFinite;
  }
  src.QTimeFactor = factor;
  return SourceStatus::Ok;
}

SourceStatus Failed(LaserSource& src, SourceStatus status) {
  src.QTimeFactor = 0;
  return status;
}

}  // namespace

SourceStatus UpdateSourceTime(LaserSource& src, Real tOld, Real tNew, const SourceLayout& layout) {
  if (src.builtCells != layout.N || src.builtInGlass != layout.InGlass ||
      src.builtDspc != layout.Dspc || src.builtH0 != layout.h0 ||
      src.builtWidthRatio != layout.widthRatio ||
      static_cast<int32_t>(src.QCell.size()) != layout.N) {
    const SourceStatus status = BuildSourceProfile(src, layout);
    if (status != SourceStatus::Ok) return Failed(src, status);
  }
  return SetTimeFactor(src, tOld, tNew);
}

SourceStatus UpdateSourceTime(LaserSource& src, Real tOld, Real tNew, const SourceGrid& grid) {
  const int32_t N = static_cast<int32_t>(grid.x.size()) - 1;
  if (src.builtCells != N || src.builtInGlass != grid.InGlass || src.builtDspc != grid.Dspc ||
      static_cast<int32_t>(src.QCell.size()) != N) {
    SourceGrid whole = grid;
    whole.firstCell = 0;
    const SourceStatus status = BuildSourceProfile(src, whole);
    if (status != SourceStatus::Ok) return Failed(src, status);
  }
  return SetTimeFactor(src, tOld, tNew);
}

}  // namespace tarvex
