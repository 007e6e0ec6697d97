// The driving-pressure stage: centred pressures plus the quadratic artificial viscosity
// of the four kinds.
#include "core/hydro/Viscosity.h"

#include <algorithm>
#include <cmath>

#include "core/hydro/HydrStat.h"
#include "core/hydro/HydroState.h"

namespace tarvex {

namespace {

// What a pass reads of the old level and of the latest iterate, cell by cell. Nothing
// is cached: each kind evaluates density only where it needs a viscous term.
struct PassCells {
  const THydrStat& Old;
  const THydrStat& Third;
  Real Cq;  // ViscCoef [GPa / (g/cm3 (cm/s)^2)]

  // Velocity jump across cell k [cm/s]: negative in compression.
  Real D(int32_t k) const { return Third.VelocityJump(k); }
  // Centred pressure weighted towards the new level [GPa] (see CentredPressure).
  Real A(int32_t k) const { return CentredPressure(Third.P[k], Old.P[k]); }
  // Centred pressure with equal weights [GPa].
  Real M(int32_t k) const { return (Third.P[k] + Old.P[k]) / 2; }
  // C_k = Cq rho D |D|: negative in compression [GPa].
  Real C(int32_t k) const {
    const Real d = D(k);
    return Cq * Third.Density(k) * d * std::fabs(d);
  }
  // Q_k = -C_k: the viscous pressure of a compressed cell, Cq rho D^2 > 0 [GPa].
  Real Q(int32_t k) const { return -C(k); }
};

void NoViscosity(const PassCells& c, RealArray& P, int32_t N) {
  for (int32_t k = 0; k < N; ++k) P[k] = c.A(k);
}

// "LimOnly": the viscous pressure acts in the compressed cells alone; ViscRef can only
// decrease within a step (it relaxes between steps, see ApplyViscosityRelax). It learns
// only from the predictor pass (Third is the accepted state): the corrector passes of
// a step then share one threshold. Learning from every iterate let the first corrector
// of a blast, whose predicted compression had no viscosity yet, set a threshold that the
// damped iterates no longer reached; the iteration never settled and the step failed
// down to its minimum (a Sedov blast stopped after 25 steps).
void LimOnlyViscosity(ViscosityState& vs, const PassCells& c, RealArray& P, int32_t N) {
  const Real theta = ViscThreshold(vs);
  Real cand = vs.ViscRef;
  for (int32_t k = 0; k < N; ++k) {
    const Real d = c.D(k);
    if (d < theta) {
      P[k] = c.A(k) + c.Cq * c.Third.Density(k) * d * d;
      cand = std::min(cand, d);
    } else {
      P[k] = c.A(k);
    }
  }
  if (&c.Third == &c.Old) vs.ViscRef = cand;
}

// "Symm": the viscous term of a cell is spread over the cell and its two neighbours as
// half a second difference, so the added terms sum to zero over the grid (the end cells
// keep half of their own term). The first two cells are tested jointly.
//
// The base is the centred pressure A of the other kinds. With equal weights of the two
// levels the pressure-velocity pair is neutral for short waves, and the entropy ripple a
// shock leaves behind it was never damped: on the shock tube L1(rho) fell with order 0.40
// between 400 and 1600 cells (0.00394, 0.00284, 0.00227); with A it falls with order
// 0.91 (0.00273, 0.00141, 0.00078).
void SymmViscosity(ViscosityState& vs, const PassCells& c, RealArray& P, int32_t N) {
  const Real theta = ViscThreshold(vs);
  if (N == 1) {
    // A single cell has no neighbour to exchange the term with: the zero-sum spread
    // leaves its centred pressure.
    const Real d0 = c.D(0);
    P[0] = c.A(0);
    vs.ViscRef = d0 < theta ? d0 : theta;
    return;
  }
  const Real d0 = c.D(0);
  const Real d1 = c.D(1);
  const bool pairViscous = d0 < theta || d1 < theta;
  Real cand = pairViscous ? std::min(d0, d1) : theta;
  // c_k of the cells from 2 on; the minimum of the viscous jumps follows along.
  auto term = [&](int32_t k) -> Real {
    const Real d = c.D(k);
    if (!(d < theta)) return 0;
    cand = std::min(cand, d);
    return c.C(k);
  };
  // The spread puts -|c|/2 of a compressed neighbour into a cell that is not compressed
  // itself: ahead of a strong shock into cold gas that is a tension of the order of the
  // viscous pressure, which tears the cold cell open and folds the grid (a Sedov blast or
  // a pressure-driven piston stopped within the first steps). Such a cell therefore keeps
  // at least its centred pressure, or zero where that is positive.
  auto uncompressed = [&](int32_t k, Real p) { return std::max(p, std::min(c.A(k), Real(0))); };
  // The first pair is tested jointly, but an expanding cell of the pair takes no term of
  // its own: C = Cq rho D |D| of an expanding cell is a tension. At the centre of a
  // spherical blast, where the hot cell 0 expands at D = +2000 while cell 1 compresses
  // near the threshold, that tension (1.9e6 against a pressure of 1.3e6) switched on and
  // off from one iterate to the next, and the iteration cycled until the minimum step.
  Real cPrev = pairViscous && d0 < 0 ? c.C(0) : 0;  // c_{k-1}
  Real cCur = pairViscous && d1 < 0 ? c.C(1) : 0;   // c_k
  P[0] = c.A(0) - cPrev / 2 + cCur / 2;
  if (cPrev == 0) P[0] = uncompressed(0, P[0]);
  for (int32_t k = 1; k < N - 1; ++k) {
    const Real cNext = term(k + 1);
    P[k] = c.A(k) - cCur + (cPrev + cNext) / 2;
    if (cCur == 0) P[k] = uncompressed(k, P[k]);
    cPrev = cCur;
    cCur = cNext;
  }
  P[N - 1] = c.A(N - 1) - cCur / 2 + cPrev / 2;
  if (cCur == 0) P[N - 1] = uncompressed(N - 1, P[N - 1]);
  vs.ViscRef = cand;
}

// "Loc": one left-to-right scan. A run of viscous cells starts at a compressed cell
// (D < 0) that is neither a layer-boundary cell nor broken, continues through every
// following cell with D < Theta, and gives the neighbours on both sides their own term
// Q (negative where they expand). The last cell always keeps its centred pressure.
//
// Index safety: the first pair reads D_1 and D_2 only where they exist (a missing cell
// counts as not compressed). The scan itself starts a run only at i < L and handles the
// run's right end separately while L - i <= 3; otherwise it reaches at most cell i + 4
// <= L. So no index beyond L is read on any grid.
void LocViscosity(ViscosityState& vs, const PassCells& c, RealArray& P, int32_t N, int32_t inGlass,
                  const BrokenCellSlot& broken) {
  const Real theta = ViscThreshold(vs);
  const int32_t L = N - 1;
  // The film cells next to a layer interface (with no substrate: both end cells).
  auto boundary = [&](int32_t k) { return k == inGlass || k == L + inGlass; };
  auto excluded = [&](int32_t k) { return boundary(k) || (broken && broken(c.Old, k)); };

  // First pair.
  Real cand;
  int32_t i;
  const Real d0 = c.D(0);
  P[0] = c.A(0);
  if (d0 < theta && (L < 1 || c.D(1) >= theta)) {
    cand = d0;
    P[0] = c.A(0) + c.Q(0);
    if (L >= 1) {
      P[1] = c.A(1);
      // Opposite sign of the neighbour term. With L = 1 the end rule below replaces it.
      if (L >= 2 && c.D(2) >= 0) P[1] = c.A(1) + c.C(1);
    }
    i = 2;
  } else {
    cand = L >= 1 ? std::min(c.D(1), vs.ViscRef) : vs.ViscRef;
    i = 1;
  }

  bool viscous = false;  // cell i is viscous (continuation of a run)
  for (;;) {
    if (!viscous) {
      // Scan test: only a compressed cell that is not excluded starts a run.
      while (i < L && (excluded(i) || c.D(i) >= 0)) {
        P[i] = c.A(i);
        ++i;
      }
      if (i >= L) break;
    }
    // Viscous cell i (1 <= i < L): its own term, and the left neighbour's.
    cand = std::min(cand, c.D(i - 1));
    if (!excluded(i - 1)) P[i - 1] += c.Q(i - 1);
    P[i] = c.A(i) + c.Q(i);

    const int32_t rest = L - i;
    if (rest <= 3) {
      // The run's right end lies within the last cells.
      if (rest == 2) {
        cand = std::min(cand, c.D(L - 1));
        P[L - 1] = c.A(L - 1) + c.Q(L - 1);
      } else if (rest == 3) {
        P[L - 2] = c.A(L - 2) + c.Q(L - 2);
        P[L - 1] = c.A(L - 1);
        if (c.D(L - 2) < theta || c.D(L - 1) < theta) P[L - 1] += c.Q(L - 1);
      }
      break;
    }

    // Right neighbour j (here j + 1 <= L - 2).
    const int32_t j = i + 1;
    const Real dj = c.D(j);
    cand = std::min(cand, dj);
    int32_t k;
    if (excluded(j)) {
      P[j] = c.A(j);
      k = j + 1;
    } else {
      P[j] = c.A(j) + c.Q(j);
      P[j + 1] = c.A(j + 1);
      k = j + 2;
    }

    // Cell k (k <= L - 1, so k + 1 <= L): does the run go on?
    const Real dk = c.D(k);
    const Real dPrev = c.D(k - 1);
    if (dk < theta) {
      cand = std::min(cand, dk);
      i = k;
      viscous = true;
    } else if (excluded(k)) {
      P[k] = c.A(k);
      if (dPrev <= theta) cand = std::min(cand, dPrev);
      i = k;
      viscous = false;
    } else if (dPrev >= theta) {
      P[k] = c.A(k);
      if (!boundary(k - 1) && dj < theta) P[k - 1] += c.Q(k - 1);
      i = k;
      viscous = false;
    } else {
      cand = std::min(cand, dPrev);
      if (!boundary(k - 1)) P[k - 1] += c.Q(k - 1);
      P[k] = c.A(k);
      i = k + 1;
      viscous = false;
      if (c.D(k + 1) < theta) {
        // Cell k + 1 continues the run; viscous-cell handling then adds Q_k to P_k a
        // second time as its left neighbour's term.
        P[k] = c.A(k) + c.Q(k);
        viscous = i < L;
      }
    }
  }
  P[L] = c.A(L);
  // The scan never starts a run at a layer-boundary cell and ends with the plain centred
  // pressure in the last cell, so a compressed end or boundary cell got no viscosity of
  // its own: a shock formed at a driven free surface crushed the surface cell (density
  // 1700 times its start) and a shock reflected at a wall ended the run. Such a cell now
  // gets at least its own term when it is compressed beyond the threshold.
  for (const int32_t k : {int32_t{0}, inGlass, L + inGlass, L}) {
    if (k < 0 || k > L || (broken && broken(c.Old, k))) continue;
    if (c.D(k) < theta) P[k] = std::max(P[k], c.A(k) + c.Q(k));
  }
  vs.ViscRef = cand;
}

}  // namespace

void DrivingPressure(ViscosityState& vs, SimParams& sim, THydrStat& Self, const THydrStat& Old,
                     const THydrStat& Third, BrokenCellSlot broken) {
  const int32_t N = Self.CellCount();
  RealArray& P = Self.P;
  if (N >= 1) {
    const PassCells cells{Old, Third, vs.ViscCoef};
    switch (vs.ViscKind) {
      case ViscSymm:
        SymmViscosity(vs, cells, P, N);
        break;
      case ViscLoc:
        LocViscosity(vs, cells, P, N, sim.InGlass, broken);
        break;
      case ViscLimOnly:
        LimOnlyViscosity(vs, cells, P, N);
        break;
      default:
        NoViscosity(cells, P, N);
        break;
    }
  }
  // On curved grids the velocity and energy steps apply the viscous part as a radial
  // stress (see THydrStat::Qvisc): it is what the kind added to the centred pressure.
  if (sim.Dspc > 1 && N >= 1) {
    if (Self.Qvisc.size() < static_cast<size_t>(N)) Self.Qvisc.resize(static_cast<size_t>(N));
    const PassCells cells{Old, Third, vs.ViscCoef};
    for (int32_t k = 0; k < N; ++k) Self.Qvisc[k] = P[k] - cells.A(k);
  }
  // The boundary entry always holds the current outer pressure (an instance that was
  // never given cells has no entry to hold it).
  if (static_cast<size_t>(N) < P.size()) P[N] = sim.CurrentPout();
}

}  // namespace tarvex
