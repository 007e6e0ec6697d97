// THydrTherm: the energy step with implicit heat conduction.
//
// Per cell i of mass m_i (per unit area, or per unit solid angle on curved grids) the
// step solves, linearised about the latest iterate T' of the cell,
//   Cv (T_i - T'_i) + E(rho_i, T'_i) = E0_i - W_i + dt S_i / m_i
//                                      + dt / m_i (G_i a_i (T_{i-1} - T_i)
//                                                  + G_{i+1} a_{i+1} (T_{i+1} - T_i)),
// E0 the energy at the start of the step, W_i the work of the driving pressure
// (CellWork), S_i the laser source over the cell [kW/cm2], a_j the area of node j
// (x_j^RadialPower) and G_j the conductance of the face between cells j-1 and j: for the
// lattice (or substrate) and for the electrons of the film, which conduct in parallel,
// each the series resistance of the two half cells, 2 k_{j-1} k_j / (h_{j-1} k_j +
// h_j k_{j-1}), with k of each cell at its latest iterate [kW/cm/K]; the electrons' face
// flux at the latest iterate is limited to HeatFluxLimit. The flux is taken on the new
// temperatures (backward Euler), which keeps the temperatures positive and smooth at any
// step, and every face flux leaves one cell and enters its neighbour, so the energy of the
// whole grid changes only by the source, the work and the flux through the two ends.
//
// Units: x cm, rho g/cm3, T K, E kJ/g, P GPa, k kW/cm/K, fluxes kW/cm2, dt s.
#include "core/thermal/HydrTherm.h"

#include <algorithm>
#include <cmath>

#include "core/eos/EosSlots.h"
#include "core/laser/LaserSource.h"
#include "core/thermal/ThermalState.h"

namespace tarvex {

namespace {

// The thermodynamic functions of one medium.
struct MediumFns {
  const Slot2* E;
  const Slot2* Cv;
  const Slot2* P;
};

}  // namespace

THydrTherm::THydrTherm(ThermalState& session, int32_t N) : THydrStat(session, N), ts_(session) {
  THydrTherm::Resize(N);
}

THydrTherm::~THydrTherm() {
  ts_.tension.Clear();
  ts_.laser.builtCells = -1;
}

void THydrTherm::Resize(int32_t N) {
  THydrStat::Resize(N);
  const size_t n = static_cast<size_t>(std::max(N, 0));
  rows_.resize(n);
  tri_.Reserve(std::max(N, 1));
  rho_.resize(n);
  kappa_.resize(n);
  Tsol_.resize(n);
  cv_.resize(n);
  kappaE_.resize(n);
  eLatest_.resize(n);
}

void THydrTherm::AdvanceTension(const THydrStat& Old, Real dt, int32_t f1, int32_t f2) {
  TTensionRecord& tr = ts_.tension;
  const SimParams& sp = s_.sim;
  const Real* v0 = Old.v.data();
  const Real* P0 = Old.P.data();
  const int32_t N = CellCount();
  if (!tr.Exists() || tr.Size() != N + 1) {
    tr.StartFresh(N, sp.SimTime, dt);
    const EosState& eos = s_.eos;
    for (int32_t i = f1; i <= f2; ++i) {
      if (!(v0[i] < v0[i + 1])) continue;
      const Real rho0 = Old.Density(i);
      if (FilmPhaseCode(eos, rho0, Old.T[i]) < 0 && eos.ActiveEos.P(rho0, Old.T[i]) < 0) {
        tr.SetTensionTime(i, dt);
      }
    }
  }
  const TTensionAdvance adv = tr.BeginAdvance(sp.SimTime, dt);
  if (!adv.due) return;
  for (int32_t i = f1; i <= f2; ++i) {
    const bool expanding = v0[i] < v0[i + 1];
    if (P0[i] > 0) {
      tr.ClearTension(i);
    } else if (tr[i] < 0 && adv.delta > 0) {
      // The right neighbour must be compressing, the left one expanding.
      if (expanding) {
        const bool right = i < f2 && v0[i + 2] < v0[i + 1];
        const bool left = i > 0 && tr[i - 1] != 0 && v0[i - 1] < v0[i];
        tr.AdvanceFailed(i, adv, right, left);
      }
    } else if (tr[i] < 0) {
      tr.RewindFailed(i, adv);
      if (P0[i] < 0) tr.ClearFailure(i);
    } else if (tr[i] > 0 && (adv.delta < 0 || (expanding && P0[i] < 0))) {
      tr.AdvanceTension(i, adv);
    }
  }
  tr.FinishAdvance(sp.SimTime);
}

bool THydrTherm::EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real, bool,
                            Real& StepResidual, bool Converging, Real Relax) {
  const int32_t N = CellCount();
  if (N <= 0) return false;
  if (rows_.size() < static_cast<size_t>(N)) Resize(N);
  SimParams& sp = s_.sim;
  const EosState& eos = s_.eos;
  const ElectronState& el = ts_.electron;
  LaserSource& laser = ts_.laser;
  const int32_t InGlass = sp.InGlass;
  const int32_t f1 = FirstFilmCell(InGlass);
  const int32_t f2 = LastFilmCell(N, InGlass);
  const bool curved = sp.Dspc > 1;
  const int32_t rp = sp.RadialPower;

  const MediumFns film{&eos.ActiveEos.E, &eos.ActiveEos.Cv, &eos.ActiveEos.P};
  const bool leftSet = eos.LeftEos.E && eos.LeftEos.P && eos.LeftEos.Cv;
  const MediumFns medium =
      leftSet ? MediumFns{&eos.LeftEos.E, &eos.LeftEos.Cv, &eos.LeftEos.P} : film;

  // 0. The tension times of the film cells, with spallation on: started at the first
  //    step (cells already stretched, expanding and metastable count from one step) and
  //    advanced once per time level.
  const Real* v0 = Old.v.data();
  if (ts_.SpallOn) AdvanceTension(Old, dt, f1, f2);

  // 1. The source of this step: its time factor once per step, before the cell loops.
  const bool source = SourceDefined(laser);
  if (source && !Converging) {
    const SourceGrid grid{std::span<const Real>(Old.x.data(), static_cast<size_t>(N) + 1), InGlass,
                          sp.Dspc, 0};
    if (UpdateSourceTime(laser, sp.SimTime, sp.SimTime + dt, grid) != SourceStatus::Ok) {
      StepResidual = -1;
      return false;
    }
  }
  const bool withSource = source && laser.QCell.size() >= static_cast<size_t>(N);

  // 2. Densities, heat capacities, energies and conductivities at the latest iterate,
  //    each slot over a whole medium range per call (the calls are opaque; a loop of its
  //    own per slot keeps the arithmetic loops free of spills), then the rows without the
  //    conduction terms.
  const Real* xn = x.data();  // the new node coordinates
  const Real* Tl = Third.T.data();
  const Real* cellMass = s_.mass.CellMass.data();
  const Real mUniform = sp.CellMassUniform;
  const Real invMassUniform = 1 / mUniform;
  const Real half = dt / 2;
  const bool conduct = !ts_.NoConduct;
  const Slot3 ke = el.model.ElConductivity;
  const Slot2 kFilm = eos.FilmEos.Kappa;
  const Slot2 kMedium = eos.LeftEos.Kappa;
  const Real qMax = el.HeatFluxLimit;
  TriRow* row = rows_.data();
  Real* rho = rho_.data();
  Real* k = kappa_.data();    // the lattice's (or the substrate's) conductivity
  Real* kE = kappaE_.data();  // the electrons' (film cells only)
  if (conduct) std::fill(kE, kE + N, Real(0));
  Real* Cv = cv_.data();
  Real* El = eLatest_.data();
  for (int32_t i = 0; i < N; ++i) {
    rho[i] = curved ? cellMass[i] * sp.Dspc / PowerDifference(sp.Dspc, xn[i], xn[i + 1])
                    : mUniform / (xn[i + 1] - xn[i]);
  }
  struct Range {
    int32_t i0, i1;
    const MediumFns* f;
    bool film;
  };
  const Range ranges[3] = {
      {0, f1, &medium, false}, {f1, f2 + 1, &film, true}, {f2 + 1, N, &medium, false}};
  for (const Range& r : ranges) {
    const int32_t n = r.i1 - r.i0;
    if (n <= 0) continue;
    r.f->Cv->Eval(rho + r.i0, Tl + r.i0, Cv + r.i0, n);
    r.f->E->Eval(rho + r.i0, Tl + r.i0, El + r.i0, n);
    if (!conduct) continue;
    const Slot2& kl = r.film ? kFilm : kMedium;
    if (kl) {
      kl.Eval(rho + r.i0, Tl + r.i0, k + r.i0, n);
    } else {
      std::fill(k + r.i0, k + r.i1, Real(0));
    }
    if (!r.film || !ke) continue;
    ke.Eval(rho + r.i0, Tl + r.i0, Tl + r.i0, kE + r.i0, n);
  }
  {
    const Real* oldX = Old.x.data();
    const Real* oldV = Old.v.data();
    const Real* oldE = Old.E.data();
    const Real* thirdX = Third.x.data();
    const Real* vn = v.data();
    const Real* Pd = P.data();  // the driving pressure
    const Real* qv = Qvisc.data();
    for (int32_t i = 0; i < N; ++i) {
      const Real work = curved ? CellWork<true>(oldX, oldV, thirdX, xn, vn, Pd, qv, cellMass,
                                                invMassUniform, rp, i, half)
                               : CellWork<false>(oldX, oldV, thirdX, xn, vn, Pd, qv, cellMass,
                                                 invMassUniform, rp, i, half);
      Real rhs = oldE[i] - El[i] - work + Cv[i] * Tl[i];
      if (withSource) {
        const Real S = dt * SourceInCell(laser, i);
        rhs += curved ? S / cellMass[i] : S * invMassUniform;
      }
      row[i] = TriRow{0, Cv[i], 0, rhs};
    }
  }

  // 3. The conduction terms: dt G_j a_j / m on the two cells of every inner face.
  if (conduct) {
    // Planar cells share one mass: one division for the whole grid.
    Real invPrev = curved ? 1 / cellMass[0] : invMassUniform;
    for (int32_t j = 1; j < N; ++j) {
      const Real invM = curved ? 1 / cellMass[j] : invMassUniform;
      const Real hl = xn[j] - xn[j - 1];
      const Real hr = xn[j + 1] - xn[j];
      // The lattice and the electrons conduct in parallel, each through the two half
      // cells in series. The electrons' face flux at the latest iterate stays within
      // HeatFluxLimit (0: no limit).
      Real G = 0;  // conductance of the face [kW/cm2/K]
      if (k[j - 1] > 0 && k[j] > 0) G = 2 * k[j - 1] * k[j] / (hl * k[j] + hr * k[j - 1]);
      if (kE[j - 1] > 0 && kE[j] > 0) {
        Real Ge = 2 * kE[j - 1] * kE[j] / (hl * kE[j] + hr * kE[j - 1]);
        const Real dT = std::fabs(Tl[j] - Tl[j - 1]);
        if (qMax != 0 && Ge * dT > qMax) Ge = qMax / dT;
        G += Ge;
      }
      Real c = dt * G;  // [kJ/K per unit area or solid angle]
      if (curved) c *= IntPow(xn[j], rp);
      const Real cl = c * invPrev;  // per unit mass of the left cell [kJ/g/K]
      const Real cr = c * invM;
      row[j - 1].C = -cl;
      row[j - 1].B += cl;
      row[j].A = -cr;
      row[j].B += cr;
      invPrev = invM;
    }
    // "T' = 0" closes an end through a mirror cell beyond it, which the closure couples
    // with the conductance of the first inner face; "k = 0" lets no heat through.
    const ThermalClosures& cl = s_.closures;
    if (cl.first == BoundClosure::Mirror && N > 1) row[0].B -= row[0].C;
    if (cl.last == BoundClosure::Mirror && N > 1) row[N - 1].B -= row[N - 1].A;
    TridiagonalSolve(cl, std::span<const TriRow>(rows_.data(), static_cast<size_t>(N)),
                     std::span<Real>(Tsol_.data(), static_cast<size_t>(N)), N - 1, tri_);
  } else {
    for (int32_t i = 0; i < N; ++i) Tsol_[i] = row[i].D / row[i].B;
  }

  // 4. Relaxation towards the latest iterate (as in the base class), then E and P from
  //    the new temperatures over each range, then adhesion and release: the substrate
  //    cells first, so that the film cell at the interface sees the substrate's pressure.
  Real* Tn = T.data();
  Real* En = E.data();
  Real* Pn = P.data();
  ChangeStats sT, sE, sP;
  for (int32_t i = 0; i < N; ++i) {
    const Real Ts = Tsol_[i];
    const Real Ti = Ts + Relax * (Tl[i] - Ts);
    if (!(Ti > 0) || !std::isfinite(Ti)) {
      StepResidual = -1;
      return false;
    }
    Tn[i] = Ti;
    sT.Add(Ti - Tl[i]);
  }
  for (const Range& r : ranges) {
    const int32_t n = r.i1 - r.i0;
    if (n <= 0) continue;
    r.f->E->Eval(rho + r.i0, Tn + r.i0, En + r.i0, n);
    r.f->P->Eval(rho + r.i0, Tn + r.i0, Pn + r.i0, n);
  }
  const Real* P0 = Old.P.data();
  const Real* Pl = Third.P.data();
  const Real* vNew = v.data();
  const Real pZero = 1e-8L * s_.conv.p.Max;
  for (int32_t i = 0; i < N; ++i) {
    if (std::fabs(Pn[i]) < pZero) Pn[i] = 0;
  }
  const Real AL = ts_.setup.AdhesionLimit;
  const int32_t M = InGlass > 0 ? InGlass - 1 : (InGlass < 0 ? f2 + 1 : -1);
  const int32_t F = InGlass > 0 ? InGlass : (InGlass < 0 ? f2 : -1);
  auto release = [&](int32_t i) {
    Real lo = Tl[i];
    if (i > 0) lo = std::min(lo, Tn[i - 1]);
    if (i + 1 < N) lo = std::min(lo, Tn[i + 1]);
    Tn[i] = std::max(Tn[i], lo);
  };
  auto count = [&](int32_t i) {
    sE.Add(En[i] - Third.E[i]);
    sP.Add(Pn[i] - Pl[i]);
  };
  // The substrate cell at the interface breaks away under tension beyond the adhesion
  // limit (or when its equation of state gives tension at a released pressure).
  auto substrateCell = [&](int32_t i) {
    if (i != M) {
      count(i);
      return;
    }
    const Slot2& Pm = *medium.P;
    const bool breaks = Pn[M] < AL || (Pl[M] == 0 && Pm(Third.Density(M), Tl[M]) < 0);
    if (!breaks) {
      count(M);
      return;
    }
    release(M);
    if (Pn[M] < AL || (Pn[M] < 0 && P0[M] == 0 && Pm(Old.Density(M), Tl[M]) < 0)) Pn[M] = 0;
  };
  for (int32_t i = 0; i < f1; ++i) substrateCell(i);
  for (int32_t i = f2 + 1; i < N; ++i) substrateCell(i);
  const TActiveEos& a = eos.ActiveEos;
  for (int32_t i = f1; i <= f2; ++i) {
    if (i == F) {
      const Real PF = Pn[F];
      const bool detached =
          PF < AL || Pn[M] + PF <= 2 * AL || (P0[F] == 0 && a.P(Old.Density(F), Old.T[F]) < 0);
      if (detached) {
        release(F);
        if (PF < 0) Pn[F] = 0;
        if (Pn[M] < 0 && Pn[M] + PF < 2 * AL) Pn[M] = 0;
        continue;
      }
    }
    // A stretched cell cannot carry tension once it has broken before (its old pressure
    // was released to 0 while the equation of state gives tension) or when it is being
    // compressed while it holds vapour.
    if (Pn[i] < 0) {
      const bool broken = P0[i] == 0 && a.P(Old.Density(i), Old.T[i]) < -pZero;
      const bool vapour = P0[i] >= 0 && vNew[i] > vNew[i + 1] && a.HasVapour &&
                          a.HasVapour(Old.Density(i), Old.T[i]);
      if (broken || vapour) {
        release(i);
        Pn[i] = 0;
        continue;
      }
    }
    if (!ts_.SpallOn) {
      count(i);
      continue;
    }
    TTensionRecord& tr = ts_.tension;
    const TSpallParams& crit = ts_.spall;
    if (tr[i] >= 0) {
      if (Pn[i] >= 0) {
        count(i);
        tr.ClearTension(i);
      } else if (vNew[i + 1] <= vNew[i]) {
        // Stretched but not expanding: a cell that was not stretched before breaks at
        // once where it holds vapour or its old state gives tension.
        const Real rho0i = Old.Density(i);
        if (P0[i] >= 0 &&
            ((a.HasVapour && a.HasVapour(rho0i, Old.T[i])) || a.P(rho0i, Old.T[i]) < 0)) {
          release(i);
          Pn[i] = 0;
        } else {
          count(i);
        }
      } else {
        tr.StartTension(i, dt, Pn[i], P0[i]);
        const Real dv = vNew[i + 1] - vNew[i];
        const Real dv0 = v0[i + 1] - v0[i];
        TSpallCell cell;
        cell.epsT = std::max(dv, (dv + dv0) / 2) / (xn[i + 1] - xn[i]) / 2;
        cell.rho = rho[i];
        cell.T = Tn[i];
        cell.p = Pn[i];
        cell.Ei = En[i];
        cell.Te = Tn[i];
        cell.tensionTime = tr.TensionTime(i);
        if (SpallCheck(crit, TSpallEos{a.IsMelted, a.SoundSpeed}, cell).failed) {
          tr.MarkFailed(i);
          Pn[i] = FailedCellPressure(crit, rho[i]);
        } else {
          count(i);
        }
      }
    } else if (crit.Foam) {
      // A spalled cell of foam carries the foam strength, and heals when it is compressed
      // above it again without vapour.
      const Real Pf = FoamStrength(crit, rho[i]);
      const bool vapourNow = a.HasVapour && a.HasVapour(rho[i], Tn[i]);
      if (!vapourNow && Pn[i] > Pf) {
        if (Pn[i] > 0) {
          tr.ClearTension(i);
        } else {
          tr.ClearFailure(i);
        }
      } else {
        if (Pf == 0 && Pn[i] >= 0) tr.ClearTension(i);
        Pn[i] = Pf;
      }
      count(i);
    } else if (Pn[i] >= 0) {
      count(i);
      if (Pn[i] > 0) tr.ClearTension(i);
    } else {
      release(i);
      Pn[i] = 0;
    }
  }

  ConvergenceState& c = s_.conv;
  if (!ConvergenceMeasure(c, c.T, Converging, StepResidual, sT.maxAbs, sT.sumSq)) return false;
  if (!ConvergenceMeasure(c, c.E, Converging, StepResidual, sE.maxAbs, sE.sumSq)) return false;
  return ConvergenceMeasure(c, c.p, Converging, StepResidual, sP.maxAbs, sP.sumSq);
}

}  // namespace tarvex
