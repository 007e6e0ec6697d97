// The standard problems of ideal-gas dynamics that every viscosity kind must hold on, set
// up directly in a session, run through AdvanceStep and measured against the exact
// solutions of support/ExactSolutions.h and support/ExactRiemann.h. The verification
// tests run them on small grids; the report generator (tools/verification_report) runs
// them on larger ones and draws the profiles.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "core/hydro/IterateStep.h"
#include "core/hydro/Viscosity.h"
#include "core/session/Session.h"
#include "support/ExactRiemann.h"
#include "support/ExactSolutions.h"
#include "support/HydroFixture.h"
#include "support/SodTube.h"

namespace tarvex::testing {

enum class ProblemId {
  Noise,     // gas at rest with 1e-6 pressure noise: must stay bounded
  Tube,      // shock tube of two ideal gases (Sod states)
  Piston,    // strong shock driven by the outer pressure into cold gas
  Wall,      // cold gas streaming into a wall: reflected shock
  SedovCyl,  // point explosion, cylindrical
  SedovSph,  // point explosion, spherical
  NohCyl,    // implosion, cylindrical
  NohSph,    // implosion, spherical
  Vacuum,    // hot slab expanding into vacuum: rarefaction fan
};

struct ProblemInfo {
  ProblemId id;
  const char* key;    // short name for file names and test names
  const char* title;  // what the problem is, for the report
};

inline constexpr ProblemInfo kProblems[] = {
    {ProblemId::Noise, "noise", "Gas at rest with 1e-6 pressure noise"},
    {ProblemId::Tube, "tube", "Shock tube of two ideal gases (Sod states)"},
    {ProblemId::Piston, "piston", "Strong shock driven by the outer pressure into cold gas"},
    {ProblemId::Wall, "wall", "Cold gas streaming into a wall: reflected shock"},
    {ProblemId::SedovCyl, "sedov_cyl", "Sedov blast, cylindrical"},
    {ProblemId::SedovSph, "sedov_sph", "Sedov blast, spherical"},
    {ProblemId::NohCyl, "noh_cyl", "Noh implosion, cylindrical"},
    {ProblemId::NohSph, "noh_sph", "Noh implosion, spherical"},
    {ProblemId::Vacuum, "vacuum", "Hot slab expanding into vacuum"},
};

struct ViscKindInfo {
  int32_t kind;
  const char* name;
};
inline constexpr ViscKindInfo kViscKinds[] = {
    {ViscNo, "No"}, {ViscSymm, "Symm"}, {ViscLoc, "Loc"}, {ViscLimOnly, "LimOnly"}};

// Measured figures of one run. NaN marks a figure the problem does not have.
struct ProblemFigures {
  double L1 = NAN;          // L1 norm of the density error (tube: absolute; vacuum,
                            // Sedov: relative to the mass)
  double ripple = NAN;      // largest odd-even component of the density in the gas the
                            // shock left behind, beyond its wake (see ShockRipple),
                            // relative to the plateau
  double ringing = NAN;     // the same within the shock's wake, 3 to 12 cells behind it
  double plateau = NAN;     // mean density of the plateau / exact - 1
  double shockSpeed = NAN;  // measured / exact shock speed - 1
  double radius = NAN;      // measured / exact shock radius (or position) - 1
  double peak = NAN;        // largest density / exact post-shock density
  double growth = NAN;      // noise: final / initial largest pressure deviation
};

// One run: how it ended, what it cost and what it measured, and the density profile with
// the exact one for the pictures.
struct ProblemRun {
  bool reachedEnd = false;
  bool finite = true;  // every quantity of the final state is a number
  double tEnd = 0;
  double tReached = 0;
  int64_t steps = 0;     // AdvanceStep calls
  int64_t accepted = 0;  // accepted steps
  ProblemFigures fig;
  std::vector<double> x, rho, rhoExact;  // cell centres, density, exact density
  const char* xTitle = "x";
};

namespace detail {

constexpr double kCq = 2;       // Cq of the bundled examples
constexpr Real kColdT = 1e-6L;  // temperature of "cold" gas: P = rho T / M with M = 1

inline double D(Real x) {
  return static_cast<double>(x);
}

// Sets T, E, P of cell i in every instance from density and temperature.
inline void SetCell(Session& s, int32_t i, Real T, const Slot2& E, const Slot2& P) {
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    const Real rho = st->Density(i);
    st->T[i] = T;
    st->E[i] = E(rho, T);
    st->P[i] = P(rho, T);
  }
}

inline void SetVelocity(Session& s, int32_t j, Real v) {
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) st->v[j] = v;
}

// The viscosity as the dialog's OK sets it: the reference jump from the current flow.
inline void SetViscosity(Session& s, int32_t kind) {
  s.visc.ViscKind = kind;
  s.visc.ViscCoef = kCq;
  Real ref = 0;
  const THydrStat& A = *s.StateA;
  for (int32_t k = 0; k < A.CellCount(); ++k) ref = std::min(ref, A.VelocityJump(k));
  s.visc.ViscRef = kind == ViscNo ? 0 : ref;
}

// Advances to tEnd in output intervals that double from 2^-12 tEnd (the minimum step
// follows the interval end, and a flow started from a discontinuity needs far shorter
// steps at first), each with the largest sub-step min(interval / 10, dtCap).
inline void RunTo(Session& s, Real tEnd, Real dtCap, ProblemRun& run) {
  s.sim.Running = true;
  Real target = tEnd / 4096;
  while (target <= s.sim.SimTime && target < tEnd) target = std::min(2 * target, tEnd);
  Real step = std::min(dtCap, (target - s.sim.SimTime) / 10);
  for (; s.sim.Running && s.sim.SimTime < tEnd; target = std::min(2 * target, tEnd)) {
    s.sim.dtMax = std::min((target - s.sim.SimTime) / 10, dtCap);
    step = std::min(step, s.sim.dtMax);
    while (s.sim.SimTime < target && s.sim.Running) {
      const Real before = s.sim.SimTime;
      AdvanceStep(s, s.sim.SimTime, step, false, target);
      ++run.steps;
      if (s.sim.SimTime > before) ++run.accepted;
    }
  }
  run.tEnd = D(tEnd);
  run.tReached = D(s.sim.SimTime);
  run.reachedEnd = s.sim.SimTime >= tEnd;
  const THydrStat& A = *s.StateA;
  for (const RealArray* a : {&A.x, &A.v, &A.P, &A.T, &A.E})
    for (Real q : *a) run.finite = run.finite && std::isfinite(q);
}

inline void Profile(const Session& s, ProblemRun& run, auto exactRho) {
  const THydrStat& A = *s.StateA;
  for (int32_t i = 0; i < A.CellCount(); ++i) {
    const double xc = D(A.CellCentre(i));
    run.x.push_back(xc);
    run.rho.push_back(D(A.Density(i)));
    run.rhoExact.push_back(exactRho(xc));
  }
}

// The odd-even component of the density over cells [i0, i1], relative to rhoRef: the
// largest |rho_i - (rho_{i-1} + 2 rho_i + rho_{i+1}) / 4|, which is the amplitude a of a
// pattern +-a and vanishes on linear profiles.
inline double Ripple(const std::vector<double>& rho, int32_t i0, int32_t i1, double rhoRef) {
  double r = 0;
  for (int32_t i = std::max(i0, 1);
       i <= std::min<int32_t>(i1, static_cast<int32_t>(rho.size()) - 2); ++i) {
    const double smooth = (rho[i - 1] + 2 * rho[i] + rho[i + 1]) / 4;
    r = std::max(r, std::fabs(rho[i] - smooth) / rhoRef);
  }
  return r;
}

// The odd-even component behind a shock, in two parts. A shock of the quadratic viscosity
// is a transition over about four cells followed by a ringing of about three cells'
// period that moves with it and dies out over some ten cells, the same number of cells
// on every grid. `ringing` is measured in that wake, 3 to 12 cells behind the
// half-height crossing at `shockCell`; `ripple` from there on up to cell `farEnd`, in
// the gas the shock left behind. `behind` is +1 when that gas lies at larger indices.
constexpr int32_t kWakeFrom = 3;
constexpr int32_t kWakeTo = 12;
inline void ShockRipple(ProblemRun& run, int32_t shockCell, int32_t behind, int32_t farEnd,
                        double rhoRef) {
  auto over = [&](int32_t a, int32_t b) {
    return Ripple(run.rho, std::min(a, b), std::max(a, b), rhoRef);
  };
  run.fig.ringing = over(shockCell + behind * kWakeFrom, shockCell + behind * kWakeTo);
  run.fig.ripple = over(shockCell + behind * (kWakeTo + 1), farEnd);
}

inline double MeanOver(const std::vector<double>& rho, int32_t i0, int32_t i1) {
  double sum = 0;
  int32_t n = 0;
  for (int32_t i = std::max(i0, 0);
       i <= std::min<int32_t>(i1, static_cast<int32_t>(rho.size()) - 1); ++i, ++n)
    sum += rho[i];
  return n > 0 ? sum / n : NAN;
}

// Position where the density crosses `level`, searched from cell `from` in direction
// `dir` (+1 or -1) for the first cell at or above it, interpolated between cell centres.
// NaN when it never does.
inline double Crossing(const ProblemRun& run, int32_t from, int32_t dir, double level,
                       int32_t* cell = nullptr) {
  const int32_t n = static_cast<int32_t>(run.rho.size());
  for (int32_t i = from; i >= 0 && i < n; i += dir) {
    if (run.rho[i] >= level) {
      if (cell) *cell = i;
      const int32_t k = i - dir;
      if (k < 0 || k >= n) return run.x[i];
      const double w = (level - run.rho[k]) / (run.rho[i] - run.rho[k]);
      return run.x[k] + w * (run.x[i] - run.x[k]);
    }
  }
  return NAN;
}

// --- the problems -------------------------------------------------------------------

// Box at rest (rho 1, P 1, walls), pressure noise of relative size 1e-6 from a fixed
// pseudo-random sequence, until t = 2 (2.4 sound crossings). The largest step is
// `crossings` times the sound-crossing time of a cell.
inline void Noise(Session& s, int32_t N, int32_t kind, ProblemRun& run, Real crossings = 0.5L) {
  UseIdealGas(s, 1.4L);
  UniformGrid(s, N, 1, 1, 1);
  s.bounds.SetLeftMode(2);
  s.bounds.KeepVL = true;
  s.sim.Pout = 1;
  uint32_t seed = 12345;
  auto noise = [&] {
    seed = seed * 1664525u + 1013904223u;
    return (static_cast<Real>(seed >> 8) / 16777216.0L) * 2 - 1;
  };
  for (int32_t i = 0; i < N; ++i)
    SetCell(s, i, 1 + 1e-6L * noise(), s.eos.ActiveEos.E, s.eos.ActiveEos.P);
  auto deviation = [&] {
    Real d = 0;
    for (int32_t i = 0; i < N; ++i) d = std::max(d, std::fabs(s.StateA->P[i] - 1));
    return D(d);
  };
  const double d0 = deviation();
  SetViscosity(s, kind);
  // A disturbance this small converges in the first correction, so a step is the
  // predictor and two correctors: an explicit three-stage scheme, stable up to
  // c dt / h = 0.58 with the centred pressure A (and unstable at every step with the
  // weights transposed). The step control keeps c dt / h below 0.5 (StableStep).
  RunTo(s, 2, crossings / (1.1832L * N), run);
  run.fig.growth = deviation() / d0;
  Profile(s, run, [](double) { return 1.0; });
}

// Sod states: left gas rho 1, P 1; right gas rho 0.125, P 0.1; both gamma 1.4, each with
// its own equation of state (the left one as the substrate). Cells of equal mass, walls
// at both ends, interface at x = 0.5; t = 0.2.
inline void Tube(Session& s, int32_t N, int32_t kind, ProblemRun& run) {
  SetUpSod(s, N, kind, /*leftMedium=*/true);
  const int32_t nLeft = s.sim.InGlass;
  const Real m = s.sim.CellMassUniform;
  SetViscosity(s, kind);
  const Real tEnd = 0.2L;
  RunTo(s, tEnd, m / 1.2L, run);
  const ExactRiemann exact({1, 0, 1}, {0.125, 0, 0.1}, 1.4, 1.4);
  Profile(s, run, [&](double x) { return exact.Sample((x - 0.5) / D(tEnd)).rho; });

  const THydrStat& A = *s.StateA;
  double l1 = 0;
  for (int32_t i = 0; i < N; ++i)
    l1 += std::fabs(run.rho[i] - run.rhoExact[i]) * D(A.x[i + 1] - A.x[i]);
  run.fig.L1 = l1;
  // Shocked gas: right of the contact (cell nLeft on), left of the shock.
  const double rhoPost = exact.Sample(exact.uStar() + 1e-9).rho;
  int32_t shockCell = N - 1;
  const double xs = Crossing(run, N - 1, -1, (rhoPost + 0.125) / 2, &shockCell);
  run.fig.plateau = MeanOver(run.rho, nLeft + 3, shockCell - 3) / rhoPost - 1;
  // Exact shock position from the jump conditions into the right state.
  const ShockJump jump = ShockFromPressure(0.125, 0.1, 1.4, exact.pStar());
  ShockRipple(run, shockCell, -1, nLeft + 3, rhoPost);
  run.fig.radius = (xs - 0.5) / (jump.W * D(tEnd)) - 1;
}

// Planar cold gas (rho 1, P 1e-6, gamma 5/3) on [0, 1] at a wall; the right end is a free
// surface under Pout = 1. The shock runs into the gas at W = 1.155; its speed is measured
// between t = 0.3 and 0.6.
inline void Piston(Session& s, int32_t N, int32_t kind, ProblemRun& run) {
  const double g = 5.0 / 3;
  UseIdealGas(s, 5.0L / 3);
  UniformGrid(s, N, 1, 1, kColdT);
  s.bounds.SetLeftMode(2);
  s.sim.Pout = 1;
  SetViscosity(s, kind);
  const ShockJump jump = ShockFromPressure(1, D(kColdT), g, 1);
  const double level = (1 + jump.rho) / 2;
  RunTo(s, 0.3L, 1.0L / N, run);
  if (!run.reachedEnd) return;
  ProblemRun mid;
  Profile(s, mid, [](double) { return 0.0; });
  const double x1 = Crossing(mid, 0, 1, level);
  RunTo(s, 0.6L, 1.0L / N, run);
  const double t = 0.6;
  Profile(s, run, [&](double x) { return x >= 1 - jump.W * t ? jump.rho : 1.0; });
  int32_t shockCell = 0;
  const double x2 = Crossing(run, 0, 1, level, &shockCell);
  run.fig.shockSpeed = (x1 - x2) / 0.3 / jump.W - 1;
  run.fig.radius = (1 - x2) / (jump.W * t) - 1;
  run.fig.plateau = MeanOver(run.rho, shockCell + 3, N - 4) / jump.rho - 1;
  // The five cells at the surface, where the shock formed, keep a start-up error of 2 %
  // that is the same on every grid, like the wall-heating layer.
  ShockRipple(run, shockCell, +1, N - 6, jump.rho);
  run.fig.peak = *std::max_element(run.rho.begin(), run.rho.end()) / jump.rho;
}

// Planar gas (rho 1, P 0.01, gamma 5/3) on [0, 3] streaming at -1 into a wall at x = 0;
// the right end keeps v = -1. The reflected shock leaves the gas at rest and runs out at
// W - 1 = 0.346; measured between t = 0.5 and 1, its plateau away from the wall-heating
// layer (the inner quarter of the shocked gas).
inline void Wall(Session& s, int32_t N, int32_t kind, ProblemRun& run) {
  const double g = 5.0 / 3;
  UseIdealGas(s, 5.0L / 3);
  UniformGrid(s, N, 3, 1, 0.01L);
  s.bounds.SetLeftMode(2);
  s.bounds.KeepVL = true;
  s.sim.Pout = 0.01L;
  for (int32_t j = 1; j <= N; ++j) SetVelocity(s, j, -1);
  SetViscosity(s, kind);
  const ShockJump jump = ShockFromPiston(1, 0.01, g, 1);
  const double level = (1 + jump.rho) / 2;
  const double speed = jump.W - 1;
  RunTo(s, 0.5L, 3.0L / N, run);
  if (!run.reachedEnd) return;
  ProblemRun mid;
  Profile(s, mid, [](double) { return 0.0; });
  const double x1 = Crossing(mid, N - 1, -1, level);
  RunTo(s, 1, 3.0L / N, run);
  const double t = 1;
  Profile(s, run, [&](double x) { return x <= speed * t ? jump.rho : 1.0; });
  int32_t shockCell = 0;
  const double x2 = Crossing(run, N - 1, -1, level, &shockCell);
  run.fig.shockSpeed = (x2 - x1) / 0.5 / speed - 1;
  run.fig.radius = x2 / (speed * t) - 1;
  run.fig.plateau = MeanOver(run.rho, shockCell / 4, shockCell - 3) / jump.rho - 1;
  ShockRipple(run, shockCell, -1, shockCell / 4, jump.rho);
  run.fig.peak = *std::max_element(run.rho.begin(), run.rho.end()) / jump.rho;
}

// Point explosion in cylindrical (j = 2) or spherical (j = 3) geometry: unit energy per
// unit of the grid's measure in the two innermost cells of cold gas (rho 1, P 1e-6,
// gamma 1.4) on [0, 1], until the exact shock stands at r = 0.75.
inline void Sedov(Session& s, int32_t N, int32_t kind, int32_t j, ProblemRun& run) {
  const double g = 1.4;
  UseIdealGas(s, 1.4L);
  UniformGrid(s, N, 1, 1, kColdT, j);
  s.bounds.SetLeftMode(2);
  const Real E0 = 1;
  const Real mass = s.mass.CellMass[0] + s.mass.CellMass[1];
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t i = 0; i < 2; ++i) {
      st->E[i] = E0 / mass;
      st->T[i] = s.eos.ActiveEos.TofE(st->Density(i), st->E[i]);
      st->P[i] = s.eos.ActiveEos.P(st->Density(i), st->T[i]);
    }
  }
  SetViscosity(s, kind);
  const SedovSolution exact(j, g);
  const double R = 0.75;
  const double t = std::pow(R / exact.Xi0(), (j + 2) / 2.0);
  RunTo(s, static_cast<Real>(t), 0.5L / N, run);
  Profile(s, run, [&](double r) { return exact.Sample(r, R, t, 1).rho; });
  const double peak = *std::max_element(run.rho.begin(), run.rho.end());
  const double rs = Crossing(run, N - 1, -1, (peak + 1) / 2);
  run.fig.radius = rs / R - 1;
  run.fig.peak = peak / exact.PeakDensity(1);
  // Density error in the blast, relative to its mass.
  const THydrStat& A = *s.StateA;
  double err = 0, ref = 0;
  for (int32_t i = 0; i < N; ++i) {
    const double vol = D(A.Volume(i));
    err += std::fabs(run.rho[i] - run.rhoExact[i]) * vol;
    if (run.x[i] < R) ref += run.rhoExact[i] * vol;
  }
  run.fig.L1 = err / ref;
}

// Noh implosion in cylindrical (j = 2) or spherical (j = 3) geometry: cold gas (rho 1,
// P 1e-6, gamma 5/3) on [0, 1] streaming at -1 to the centre, the outer node kept at -1;
// until t = 0.6, when the shock stands at r = 0.2. Density measured between 0.4 and 0.9 of
// the shock radius, away from the wall-heating layer at the centre.
inline void Noh(Session& s, int32_t N, int32_t kind, int32_t j, ProblemRun& run) {
  UseIdealGas(s, 5.0L / 3);
  UniformGrid(s, N, 1, 1, kColdT, j);
  s.bounds.SetLeftMode(2);
  s.bounds.KeepVL = true;
  for (int32_t n = 1; n <= N; ++n) SetVelocity(s, n, -1);
  SetViscosity(s, kind);
  const NohSolution exact{j, 5.0 / 3};
  const double t = 0.6;
  RunTo(s, static_cast<Real>(t), 0.25L / N, run);
  Profile(s, run, [&](double r) { return exact.Density(r, t); });
  const double R = exact.ShockRadius(t);
  const double rhoIn = exact.PostShockDensity();
  const double rhoOut = exact.Density(R * 1.0001, t);
  int32_t shockCell = N - 1;
  const double rs = Crossing(run, N - 1, -1, (rhoIn + rhoOut) / 2, &shockCell);
  run.fig.radius = rs / R - 1;
  int32_t i0 = 0, i1 = 0;
  while (i0 < N && run.x[i0] < 0.4 * R) ++i0;
  while (i1 + 1 < N && run.x[i1 + 1] < 0.9 * R) ++i1;
  i1 = std::min(i1, shockCell - 3);
  run.fig.plateau = MeanOver(run.rho, i0, i1) / rhoIn - 1;
  run.fig.ripple = Ripple(run.rho, i0, i1, rhoIn);
  run.fig.peak = *std::max_element(run.rho.begin(), run.rho.end()) / rhoIn;
}

// Hot slab (rho 1, P 1, gamma 1.4) on [0, 1] at a wall; the right end opens to vacuum
// (Pout = 0). At t = 0.5 the rarefaction head stands at x = 0.41.
inline void Vacuum(Session& s, int32_t N, int32_t kind, ProblemRun& run) {
  UseIdealGas(s, 1.4L);
  UniformGrid(s, N, 1, 1, 1);
  s.bounds.SetLeftMode(2);
  s.sim.Pout = 0;
  SetViscosity(s, kind);
  const double t = 0.5;
  RunTo(s, static_cast<Real>(t), 0.5L / N, run);
  const VacuumFan exact{1, 1, 1.4, 1};
  Profile(s, run, [&](double x) { return exact.Density(x, t); });
  const THydrStat& A = *s.StateA;
  double err = 0;
  for (int32_t i = 0; i < N; ++i)
    err += std::fabs(run.rho[i] - run.rhoExact[i]) * D(A.x[i + 1] - A.x[i]);
  run.fig.L1 = err;  // the slab has unit mass
}

}  // namespace detail

// Runs problem `id` on N cells with viscosity kind `kind` (Cq = 2) in a fresh session.
inline ProblemRun RunProblem(ProblemId id, int32_t N, int32_t kind) {
  SessionFixture f;
  ProblemRun run;
  switch (id) {
    case ProblemId::Noise:
      detail::Noise(f.s, N, kind, run);
      break;
    case ProblemId::Tube:
      detail::Tube(f.s, N, kind, run);
      break;
    case ProblemId::Piston:
      detail::Piston(f.s, N, kind, run);
      break;
    case ProblemId::Wall:
      detail::Wall(f.s, N, kind, run);
      break;
    case ProblemId::SedovCyl:
      detail::Sedov(f.s, N, kind, 2, run);
      run.xTitle = "r";
      break;
    case ProblemId::SedovSph:
      detail::Sedov(f.s, N, kind, 3, run);
      run.xTitle = "r";
      break;
    case ProblemId::NohCyl:
      detail::Noh(f.s, N, kind, 2, run);
      run.xTitle = "r";
      break;
    case ProblemId::NohSph:
      detail::Noh(f.s, N, kind, 3, run);
      run.xTitle = "r";
      break;
    case ProblemId::Vacuum:
      detail::Vacuum(f.s, N, kind, run);
      break;
  }
  return run;
}

}  // namespace tarvex::testing
