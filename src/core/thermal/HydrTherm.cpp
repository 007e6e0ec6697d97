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
// flux at the latest iterate is limited to HeatFluxLimit. At the film-substrate face the
// film's electrons and lattice together carry the heat to the face, the substrate takes
// it away: there the film's total conductivity is in series with the substrate's. The flux
// is taken on the new temperatures (backward Euler), which keeps the temperatures positive
// and smooth at any step, and every face flux leaves one cell and enters its neighbour, so
// the energy of the whole grid changes only by the source, the work and the flux through
// the two ends.
//
// Units: x cm, rho g/cm3, T K, E kJ/g, P GPa, k kW/cm/K, fluxes kW/cm2, dt s.
#include "core/thermal/HydrTherm.h"

#include <algorithm>
#include <cmath>

#include "core/eos/EosSlots.h"
#include "core/laser/LaserSource.h"
#include "core/spall/SpallCheck.h"
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
  invMass_.resize(n);
  kappa_.resize(n);
  kappaE_.resize(n);
  cFace_.resize(n + 1);
  cFaceE_.resize(n + 1);
  Tsol_.resize(n);
  cv_.resize(n);
  eLatest_.resize(n);
}

// ---- stages ----------------------------------------------------------------------------------

void THydrTherm::AdvanceTension(const THydrStat& Old, const Real* Pt0, Real dt, int32_t f1,
                                int32_t f2) {
  TTensionRecord& tr = ts_.tension;
  const SimParams& sp = s_.sim;
  const Real* v0 = Old.v.data();
  const int32_t N = CellCount();
  if (!tr.Exists() || tr.Size() != N + 1) {
    // First use: cells already stretched, expanding and metastable count from one step.
    tr.StartFresh(N, sp.SimTime, dt);
    const EosState& eos = s_.eos;
    for (int32_t i = f1; i <= f2; ++i) {
      if (!(v0[i] < v0[i + 1])) continue;
      if (FilmPhaseCode(eos, Old.Density(i), Old.T[i]) < 0 && Pt0[i] < 0) {
        tr.SetTensionTime(i, dt);
      }
    }
  }
  const TTensionAdvance adv = tr.BeginAdvance(sp.SimTime, dt);
  if (!adv.due) return;
  for (int32_t i = f1; i <= f2; ++i) {
    const bool expanding = v0[i] < v0[i + 1];
    if (Pt0[i] > 0) {
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
      if (Pt0[i] < 0) tr.ClearFailure(i);
    } else if (tr[i] > 0 && (adv.delta < 0 || (expanding && Pt0[i] < 0))) {
      tr.AdvanceTension(i, adv);
    }
  }
  tr.FinishAdvance(sp.SimTime);
}

bool THydrTherm::BeginPass(Real dt, bool Converging, Real& StepResidual, Pass& p) {
  const int32_t N = CellCount();
  if (rows_.size() < static_cast<size_t>(N)) Resize(N);
  const SimParams& sp = s_.sim;
  const int32_t InGlass = sp.InGlass;
  p.N = N;
  p.f1 = FirstFilmCell(InGlass);
  p.f2 = LastFilmCell(N, InGlass);
  p.M = InGlass > 0 ? InGlass - 1 : (InGlass < 0 ? p.f2 + 1 : -1);
  p.F = InGlass > 0 ? InGlass : (InGlass < 0 ? p.f2 : -1);
  p.curved = sp.Dspc > 1;
  p.rp = sp.RadialPower;
  p.dt = dt;
  p.half = dt / 2;

  // The source of this step: its time factor once per step, before the cell loops.
  LaserSource& laser = ts_.laser;
  const bool source = SourceDefined(laser);
  if (source && !Converging) {
    // The table belongs to the initial grid (uniform film cells of h0), not to the moved
    // nodes: a run continued from a saved set deposits exactly what the uninterrupted one
    // does.
    const SourceLayout grid = InitialSourceLayout(s_, N);
    if (UpdateSourceTime(laser, sp.SimTime, sp.SimTime + dt, grid) != SourceStatus::Ok) {
      StepResidual = -1;
      return false;
    }
  }
  p.withSource = source && laser.QCell.size() >= static_cast<size_t>(N);
  if (p.withSource) {
    p.qCell = laser.QCell.data();
    p.qFactor = laser.QTimeFactor;
  }

  CellDensities(*this, rho_.data());
  Real* invM = invMass_.data();
  if (p.curved) {
    const Real* cellMass = s_.mass.CellMass.data();
    for (int32_t i = 0; i < N; ++i) invM[i] = 1 / cellMass[i];
  } else {
    // Planar cells share one mass: one division for the whole grid.
    std::fill(invM, invM + N, 1 / sp.CellMassUniform);
  }
  Real* rho = rho_.data();
  p.rho = rho;
  p.invMass = invM;
  return true;
}

void THydrTherm::CellDensities(const THydrStat& st, Real* out) const {
  const SimParams& sp = s_.sim;
  const int32_t N = st.CellCount();
  const Real* xs = st.x.data();
  if (sp.Dspc > 1) {
    const Real* cellMass = s_.mass.CellMass.data();
    for (int32_t i = 0; i < N; ++i) {
      out[i] = cellMass[i] * sp.Dspc / PowerDifference(sp.Dspc, xs[i], xs[i + 1]);
    }
  } else {
    const Real m = sp.CellMassUniform;
    for (int32_t i = 0; i < N; ++i) out[i] = m / (xs[i + 1] - xs[i]);
  }
}

Real THydrTherm::CellWorkOf(const THydrStat& Old, const THydrStat& Third, const Pass& p,
                            int32_t i) const {
  const Real* cellMass = s_.mass.CellMass.data();
  const Real invMassUniform = 1 / s_.sim.CellMassUniform;
  return p.curved
             ? CellWork<true>(Old.x.data(), Old.v.data(), Third.x.data(), x.data(), v.data(),
                              P.data(), Qvisc.data(), cellMass, invMassUniform, p.rp, i, p.half)
             : CellWork<false>(Old.x.data(), Old.v.data(), Third.x.data(), x.data(), v.data(),
                               P.data(), Qvisc.data(), cellMass, invMassUniform, p.rp, i, p.half);
}

Real THydrTherm::WorkFactorCurved(const THydrStat& Old, const Pass& p, int32_t i) const {
  const int32_t rp = p.rp;
  auto rate = [&](const RealArray& xs, const RealArray& vs) {
    return ((IntPow(xs[i], rp) + IntPow(xs[i + 1], rp)) * (vs[i + 1] - vs[i]) +
            PowerDifference(rp, xs[i], xs[i + 1]) * (vs[i] + vs[i + 1])) /
           2;
  };
  return p.half * (rate(Old.x, Old.v) + rate(x, v)) * p.invMass[i];
}

void THydrTherm::FaceCoefficients(const Pass& p, const Real* k, const Real* Tk, Real qMax, Real* c,
                                  int32_t j0, int32_t j1) const {
  const Real* xn = x.data();
  for (int32_t j = j0; j < j1; ++j) {
    const Real hl = xn[j] - xn[j - 1];
    const Real hr = xn[j + 1] - xn[j];
    Real G = SeriesConductance(k[j - 1], hl, k[j], hr);  // [kW/cm2/K]
    if (qMax > 0 && G > 0) {
      const Real dT = std::fabs(Tk[j] - Tk[j - 1]);
      if (G * dT > qMax) G = qMax / dT;
    }
    Real cj = p.dt * G;  // [kJ/K per unit area or solid angle]
    if (p.curved) cj *= IntPow(xn[j], p.rp);
    c[j] = cj;
  }
}

Real THydrTherm::InterfaceCoefficient(const Pass& p, Real kFilm, Real kSub) const {
  const int32_t F = p.F, M = p.M;
  return p.dt * InterfaceArea(p) * SeriesConductance(kFilm, x[F + 1] - x[F], kSub, x[M + 1] - x[M]);
}

void THydrTherm::CoupleRows(const Pass& p, const Real* c, int32_t j0, int32_t j1,
                            TriRow* rows) const {
  if (j1 <= j0) return;
  const Real* invM = p.invMass;
  // The diagonal of the row between two faces is carried in a local: it receives from
  // both, and an 80-bit value stored and read back at once stalls the loop.
  Real B = rows[j0 - 1].B;
  for (int32_t j = j0; j < j1; ++j) {
    const Real cl = c[j] * invM[j - 1];  // per unit mass of the left cell [kJ/g/K]
    const Real cr = c[j] * invM[j];
    rows[j - 1].C -= cl;
    rows[j - 1].B = B + cl;
    rows[j].A -= cr;
    B = rows[j].B + cr;
  }
  rows[j1 - 1].B = B;
}

void THydrTherm::SolveRows(const Pass& p, TriRow* rows, Real* out) {
  ThermalClosures cl = s_.closures;
  if (cl.first == BoundClosure::Mirror) cl.first = BoundClosure::Ordinary;
  if (cl.last == BoundClosure::Mirror) cl.last = BoundClosure::Ordinary;
  const size_t n = static_cast<size_t>(p.N);
  TridiagonalSolve(cl, std::span<const TriRow>(rows, n), std::span<Real>(out, n), p.N - 1, tri_);
}

void THydrTherm::ReleaseTemperature(Real* Tn, const Real* Tl, int32_t i, int32_t N) {
  Real lo = Tl[i];
  if (i > 0) lo = std::min(lo, Tn[i - 1]);
  if (i + 1 < N) lo = std::min(lo, Tn[i + 1]);
  Tn[i] = std::max(Tn[i], lo);
}

THydrTherm::Fate THydrTherm::FilmTension(const THydrStat& Old, const Pass& p, int32_t i, Real pNew,
                                         Real p0, Real pEos0, bool releasedOld, bool vapourOld,
                                         bool vapourNow, TSpallCell& cell, Real& carried) {
  // A stretched cell cannot carry tension once it has broken before (released in the old
  // state) or when it is being compressed while it holds vapour.
  const Real* vNew = v.data();
  if (pNew < 0) {
    const bool vapour = p0 >= 0 && vNew[i] > vNew[i + 1] && vapourOld;
    if (releasedOld || vapour) return Fate::Release;
  }
  if (!ts_.SpallOn) return Fate::Count;
  TTensionRecord& tr = ts_.tension;
  const TSpallParams& crit = ts_.spall;
  if (tr[i] >= 0) {
    if (pNew >= 0) {
      tr.ClearTension(i);
      return Fate::Count;
    }
    if (vNew[i + 1] <= vNew[i]) {
      // Stretched but not expanding: a cell that was not stretched before breaks at once
      // where it holds vapour or its old state gives tension.
      if (p0 >= 0 && (vapourOld || pEos0 < 0)) return Fate::Release;
      return Fate::Count;
    }
    tr.StartTension(i, p.dt, pNew, p0);
    const Real dv = vNew[i + 1] - vNew[i];
    const Real dv0 = Old.v[i + 1] - Old.v[i];
    cell.epsT = std::max(dv, (dv + dv0) / 2) / (x[i + 1] - x[i]) / 2;
    cell.p = pNew;
    cell.tensionTime = tr.TensionTime(i);
    const TActiveEos& a = s_.eos.ActiveEos;
    const TSpallVerdict verdict = SpallCheck(crit, TSpallEos{a.IsMelted, a.SoundSpeed}, cell);
    if (verdict.failed) {
      // A failed append is kept by the log and reported after the interval.
      if (ts_.SpallTrace) ts_.spallLog.Append(crit, cell, verdict, s_.sim.SimTime + p.dt);
      tr.MarkFailed(i);
      carried = FailedCellPressure(crit, p.rho[i]);
      return Fate::Failed;
    }
    return Fate::Count;
  }
  if (crit.Foam) {
    // A spalled cell of foam carries the foam strength, and heals when it is compressed
    // above it again without vapour.
    const Real Pf = FoamStrength(crit, p.rho[i]);
    if (!vapourNow && pNew > Pf) {
      if (pNew > 0) {
        tr.ClearTension(i);
      } else {
        tr.ClearFailure(i);
      }
      carried = pNew;
    } else {
      if (Pf == 0 && pNew >= 0) tr.ClearTension(i);
      carried = Pf;
    }
    return Fate::Foam;
  }
  if (pNew >= 0) {
    if (pNew > 0) tr.ClearTension(i);
    return Fate::Count;
  }
  return Fate::Release;
}

// ---- the one-temperature step ------------------------------------------------------------------

bool THydrTherm::EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real, bool,
                            Real& StepResidual, bool Converging, Real Relax) {
  const int32_t N = CellCount();
  if (N <= 0) return false;
  const EosState& eos = s_.eos;
  const ElectronState& el = ts_.electron;

  // 1. Tension record, source, densities and masses.
  if (ts_.SpallOn) {
    AdvanceTension(Old, Old.P.data(), dt, FirstFilmCell(s_.sim.InGlass),
                   LastFilmCell(N, s_.sim.InGlass));
  }
  Pass p;
  if (!BeginPass(dt, Converging, StepResidual, p)) return false;
  const int32_t f1 = p.f1;
  const int32_t f2 = p.f2;

  const MediumFns film{&eos.ActiveEos.E, &eos.ActiveEos.Cv, &eos.ActiveEos.P};
  const bool leftSet = eos.LeftEos.E && eos.LeftEos.P && eos.LeftEos.Cv;
  const MediumFns medium =
      leftSet ? MediumFns{&eos.LeftEos.E, &eos.LeftEos.Cv, &eos.LeftEos.P} : film;

  // 2. Heat capacities, energies and conductivities at the latest iterate, each slot over
  //    a whole medium range per call (the calls are opaque; a loop of its own per slot
  //    keeps the arithmetic loops free of spills), then the rows without conduction.
  const Real* Tl = Third.T.data();
  const bool conduct = !ts_.NoConduct;
  const Slot3 ke = el.model.ElConductivity;
  const Slot2 kFilm = eos.FilmEos.Kappa;
  const Slot2 kMedium = eos.LeftEos.Kappa;
  TriRow* row = rows_.data();
  const Real* rho = p.rho;
  Real* k = kappa_.data();    // the lattice's (or the substrate's) conductivity
  Real* kE = kappaE_.data();  // the electrons' (film cells only)
  if (conduct) std::fill(kE, kE + N, Real(0));
  Real* Cv = cv_.data();
  Real* El = eLatest_.data();
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
    const Real* oldE = Old.E.data();
    const Real* oldP = Old.P.data();
    const bool moving = !s_.bounds.NoMove;
    for (int32_t i = 0; i < N; ++i) {
      // A released film cell (broken, or let go of the substrate) is material and void:
      // the material keeps its density while the void changes the mean one, so its energy
      // is taken at its old density (taken at the mean density, the cold energy of the
      // stretched material became heat as the void closed).
      const bool released = moving && oldP[i] == 0 && i >= f1 && i <= f2;
      const Real Ei = released ? (*film.E)(Old.Density(i), Tl[i]) : El[i];
      const Real rhs =
          oldE[i] - Ei - CellWorkOf(Old, Third, p, i) + Cv[i] * Tl[i] + SourceEnergy(p, i);
      row[i] = TriRow{0, Cv[i], 0, rhs};
    }
  }

  // 3. Conduction: the lattice (or substrate) and the film's electrons in parallel on
  //    every face, the electrons' flux limited; at a film-substrate face the film's total
  //    conductivity in series with the substrate's, the part beyond the lattice's own
  //    limited like the electrons' flux.
  if (conduct) {
    Real* c = cFace_.data();
    Real* cE = cFaceE_.data();
    const Real qMax = el.HeatFluxLimit;  // [kW/cm2]; 0: no limit
    FaceCoefficients(p, k, Tl, 0, c, 1, N);
    if (ke && f2 > f1) {
      FaceCoefficients(p, kE, Tl, qMax, cE, f1 + 1, f2 + 1);
      for (int32_t j = f1 + 1; j <= f2; ++j) c[j] += cE[j];
    }
    if (p.M >= 0 && ke) {
      // The face between substrate cell M and film cell F (node j).
      const int32_t j = std::max(p.M, p.F);
      const Real a = InterfaceArea(p);
      const Real cT = InterfaceCoefficient(p, k[p.F] + kE[p.F], k[p.M]);
      Real e = cT - c[j];  // the electrons' share
      if (qMax > 0 && e > 0) {
        const Real dT = std::fabs(Tl[p.F] - Tl[p.M]);
        if (e * dT > dt * a * qMax) e = dt * a * qMax / dT;
      }
      if (e > 0) c[j] += e;
    }
    CoupleRows(p, c, 1, N, row);
    SolveRows(p, row, Tsol_.data());
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
  }
  for (const Range& r : ranges) {
    const int32_t n = r.i1 - r.i0;
    if (n <= 0) continue;
    r.f->E->Eval(rho + r.i0, Tn + r.i0, En + r.i0, n);
    r.f->P->Eval(rho + r.i0, Tn + r.i0, Pn + r.i0, n);
  }
  const Real* P0 = Old.P.data();
  const Real* Pl = Third.P.data();
  const Real pZero = 1e-8L * s_.conv.p.Max;
  for (int32_t i = 0; i < N; ++i) {
    if (std::fabs(Pn[i]) < pZero) Pn[i] = 0;
  }
  const Real AL = ts_.setup.AdhesionLimit;
  const int32_t M = p.M;
  const int32_t F = p.F;
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
    ReleaseTemperature(Tn, Tl, M, N);
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
        ReleaseTemperature(Tn, Tl, F, N);
        if (PF < 0) Pn[F] = 0;
        if (Pn[M] < 0 && Pn[M] + PF < 2 * AL) Pn[M] = 0;
        continue;
      }
    }
    // The old state's tension pressure and vapour, only where a rule needs them.
    Real pEos0 = 0;
    bool vapourOld = false;
    bool vapourNow = false;
    if (Pn[i] < 0 || ts_.SpallOn) {
      const Real rho0i = Old.Density(i);
      pEos0 = a.P(rho0i, Old.T[i]);
      vapourOld = a.HasVapour && a.HasVapour(rho0i, Old.T[i]);
      vapourNow = a.HasVapour && a.HasVapour(rho[i], Tn[i]);
    }
    TSpallCell cell;
    cell.rho = rho[i];
    cell.T = Tn[i];
    cell.Ei = En[i];
    cell.Te = Tn[i];
    Real carried = 0;
    switch (FilmTension(Old, p, i, Pn[i], P0[i], pEos0, P0[i] == 0 && pEos0 < -pZero, vapourOld,
                        vapourNow, cell, carried)) {
      case Fate::Count:
        count(i);
        break;
      case Fate::Release:
        ReleaseTemperature(Tn, Tl, i, N);
        Pn[i] = 0;
        break;
      case Fate::Failed:
        Pn[i] = carried;
        break;
      case Fate::Foam:
        Pn[i] = carried;
        count(i);
        break;
    }
  }

  // The temperature change the pass keeps: a released cell's temperature is raised above
  // what its solved row gave (the work of a pressure it no longer carries), and measuring
  // the solved value would see that difference in every pass of the step, so the
  // iteration could never converge.
  for (int32_t i = 0; i < N; ++i) sT.Add(Tn[i] - Tl[i]);
  ConvergenceState& cs = s_.conv;
  if (!ConvergenceMeasure(cs, cs.T, Converging, StepResidual, sT.maxAbs, sT.sumSq)) return false;
  if (!ConvergenceMeasure(cs, cs.E, Converging, StepResidual, sE.maxAbs, sE.sumSq)) return false;
  return ConvergenceMeasure(cs, cs.p, Converging, StepResidual, sP.maxAbs, sP.sumSq);
}

}  // namespace tarvex
