// The base solver class: geometry, Lagrangian sub-steps, convergence scales.
#include "core/hydro/HydrStat.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/hydro/HydroState.h"

namespace tarvex {

namespace {

// The thermodynamic functions serving one range of cells.
struct CellThermo {
  const Slot2* E;
  const Slot2* P;
  const Slot2* Cv;
  const Slot2* TofE;
};

}  // namespace

THydrStat::THydrStat(HydroState& session, int32_t N) : s_(session) {
  Resize(N);
}

THydrStat::~THydrStat() = default;

void THydrStat::Resize(int32_t N) {
  if (N == CellCount()) return;
  const size_t n = static_cast<size_t>(N);
  x.resize(n + 1);
  v.resize(n + 1);
  P.resize(n + 1);
  T.resize(n);
  E.resize(n);
  rhoScratch_.resize(n);
  soundScratch_.resize(n);
  c2_.resize(n);
  Qvisc.resize(n);
  P[n] = s_.sim.Pout;
  LastCell = N - 1;
  s_.sim.h0 = s_.sim.L0 / N;
}

// ---------------------------------------------------------------------------------------
// Geometry

Real THydrStat::Volume(int32_t i) const {
  const int32_t d = s_.sim.Dspc;
  return PowerDifference(d, x[i], x[i + 1]) / d;
}

Real THydrStat::CellMassAt(int32_t i) const {
  return s_.sim.Dspc == 1 ? s_.sim.CellMassUniform : s_.mass.CellMass[i];
}

Real THydrStat::Density(int32_t i) const {
  if (s_.sim.Dspc == 1) return s_.sim.CellMassUniform / (x[i + 1] - x[i]);
  return s_.mass.CellMass[i] / Volume(i);
}

Real THydrStat::SpecificVolume(int32_t i) const {
  return s_.sim.Dspc == 1 ? (x[i + 1] - x[i]) / s_.sim.CellMassUniform
                          : Volume(i) / s_.mass.CellMass[i];
}

Real THydrStat::NodeMassAt(int32_t j) const {
  if (s_.sim.Dspc == 1) {
    const Real m = s_.sim.CellMassUniform;
    return (j < 1 || j > LastCell) ? m / 2 : m;
  }
  return s_.mass.NodeMass[j];
}

Real THydrStat::NodeVolume(int32_t j) const {
  const int32_t d = s_.sim.Dspc;
  const int32_t N = CellCount();
  if (j < 1) return Volume(0) / IntPow(2, d);
  if (j > LastCell) return PowerDifference(d, (x[N - 1] + x[N]) / 2, x[N]) / d;
  return PowerDifference(d, (x[j - 1] + x[j]) / 2, (x[j] + x[j + 1]) / 2) / d;
}

Real THydrStat::NodeDensity(int32_t j) const {
  if (s_.sim.Dspc == 1) {
    const Real m = s_.sim.CellMassUniform;
    const int32_t N = CellCount();
    if (j < 1) return m / (x[1] - x[0]);
    if (j > LastCell) return m / (x[N] - x[N - 1]);
    return 2 * m / (x[j + 1] - x[j - 1]);
  }
  return s_.mass.NodeMass[j] / NodeVolume(j);
}

Real THydrStat::HalfCell(int32_t i) const {
  return s_.sim.Dspc == 1 ? s_.sim.h0 / 2 : s_.mass.HalfVolume[i];
}

Real THydrStat::VolumeRate(int32_t i) const {
  const int32_t rp = s_.sim.RadialPower;
  if (rp == 0) return VelocityJump(i) / s_.sim.CellMassUniform;
  return ((IntPow(x[i], rp) + IntPow(x[i + 1], rp)) * (v[i + 1] - v[i]) +
          PowerDifference(rp, x[i], x[i + 1]) * (v[i] + v[i + 1])) /
         2 / s_.mass.CellMass[i];
}

Real THydrStat::NodeTemperature(int32_t j) const {
  if (j < 1) return T[0];
  if (j > LastCell) return T[LastCell];
  return (T[j] + T[j - 1]) / 2;
}

// ---------------------------------------------------------------------------------------
// Velocity step: momentum equation on the staggered grid.

bool THydrStat::VelocityStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0,
                             Real& StepResidual, bool Converging, Real Relax) {
  SimParams& sp = s_.sim;
  const BoundaryFlags& bf = s_.bounds;
  const Real Pout = sp.CurrentPout();
  const int32_t N = CellCount();
  const Real scale2 = s_.eos.EosScale * s_.eos.EosScale;
  ChangeStats st;
  // Relaxation towards the latest iterate and the change statistics; v_j is stored once.
  auto store = [&](int32_t j, Real vj) {
    const Real d = Third.v[j] - vj;
    v[j] = vj + Relax * d;
    st.Add(d);
  };

  Real vFree;  // free-surface velocity of node N
  if (sp.Dspc == 1) {
    // Acceleration of a node of mass m: EosScale^2 * (pressure jump) / m.
    const Real k = scale2 * dt / sp.CellMassUniform;
    Real v0 = 0;
    if (!bf.LeftFixed) {
      v0 = Old.v[0] + 2 * k * (Pout - P[0]);
      if (bf.LeftNonNegative) v0 = std::max(v0, -2 * Old.x[0] / dt - Old.v[0]);
    }
    store(0, v0);
    for (int32_t j = 1; j < N; ++j) {
      Real vj = Old.v[j] + k * (P[j - 1] - P[j]);
      if (vj * dt + h0 == h0) vj = 0;  // round-off level motion
      store(j, vj);
    }
    vFree = Old.v[N] + 2 * k * (P[N - 1] - Pout);
  } else {
    // Curved grids. The centred pressure Pc = P - q acts on the node's area r^RP; the
    // viscous part q of a cell is a radial stress of the shock and acts on the cell's
    // mean area a on both of its nodes. As an isotropic pressure it would also heat the
    // cell through the hoop part 2 v / r of a converging compression: a shock of width w
    // at radius R then leaves an entropy excess of relative order w / R behind it (Noh's
    // spherical implosion on 400 cells: density 6 % low, shock radius 2.5 % out; Sedov's
    // blast: density L1 error 0.08 against 0.016 with the radial stress).
    if (Qvisc.size() < static_cast<size_t>(N)) Qvisc.resize(static_cast<size_t>(N));
    const int32_t rp = sp.RadialPower;
    const Real* nodeMass = s_.mass.NodeMass.data();
    const Real* q = Qvisc.data();
    const Real k = scale2 * dt;
    // Node positions at the middle of the step, the area r^RP of node j and the mean
    // area of the cell right of it.
    auto mid = [&](int32_t j) { return (Old.x[j] + Third.x[j]) / 2; };
    Real xj = mid(0);
    Real xRight = mid(1);
    Real aRight = MeanArea(rp, xj, xRight);
    Real rj = IntPow(xj, rp);
    Real v0 = 0;
    if (!bf.LeftFixed) {
      v0 = Old.v[0] + k * (rj * (Pout - (P[0] - q[0])) - aRight * q[0]) / nodeMass[0];
      if (bf.LeftNonNegative) v0 = std::max(v0, -2 * Old.x[0] / dt - Old.v[0]);
    }
    store(0, v0);
    for (int32_t j = 1; j < N; ++j) {
      const Real aLeft = aRight;
      xj = xRight;
      xRight = mid(j + 1);
      aRight = MeanArea(rp, xj, xRight);
      rj = IntPow(xj, rp);
      const Real force =
          rj * ((P[j - 1] - q[j - 1]) - (P[j] - q[j])) + aLeft * q[j - 1] - aRight * q[j];
      Real vj = Old.v[j] + k * force / nodeMass[j];
      if (vj * dt + h0 == h0) vj = 0;
      store(j, vj);
    }
    rj = IntPow(xRight, rp);
    vFree = Old.v[N] + k * (rj * ((P[N - 1] - q[N - 1]) - Pout) + aRight * q[N - 1]) / nodeMass[N];
  }

  Real vN;
  if (bf.KeepVL) {
    vN = bf.VPPout ? (Old.P[N - 1] - Pout) * bf.VLcoef : Old.v[N];
  } else {
    if (vFree * dt + h0 == h0) vFree = 0;
    vN = vFree;
  }
  store(N, vN);
  return ConvergenceMeasure(s_.conv, s_.conv.V, Converging, StepResidual, st.maxAbs, st.sumSq);
}

// ---------------------------------------------------------------------------------------
// Coordinate step: x moves with the time-centred node velocity.

bool THydrStat::CoordinateStep(const THydrStat& Old, const THydrStat& Third, Real dt,
                               Real& StepResidual, bool Converging, Real Relax) {
  const int32_t N = CellCount();
  const Real half = dt / 2;
  ChangeStats st;
  for (int32_t j = 0; j <= N; ++j) {
    Real xj = Old.x[j] + half * (Old.v[j] + v[j]);
    if (j >= 1 && x[j - 1] >= xj) return false;  // the grid folded
    const Real d = Third.x[j] - xj;
    xj += Relax * d;
    x[j] = xj;
    st.Add(d);
  }
  if (s_.bounds.LeftNonNegative && x[0] <= 0) {
    x[0] = 0;
    v[0] = 0;
  }
  return ConvergenceMeasure(s_.conv, s_.conv.X, Converging, StepResidual, st.maxAbs, st.sumSq);
}

// ---------------------------------------------------------------------------------------
// Energy step: dE = -P dV with the time-centred compression rate, then T and P from the
// equation of state of the cell's medium.

namespace {

// The range is swept three times: the energy equation (pure arithmetic), the equation
// of state (the slot calls), the change statistics of T and P. x87 registers are all
// caller-saved, so every value live across an opaque EOS call is spilled to memory;
// keeping the calls in a loop of their own makes the sweep markedly faster than one
// fused loop.
template <bool Curved>
void EnergyRange(THydrStat& self, const THydrStat& Old, const THydrStat& Third,
                 const MassArrays& mass, Real cellMassUniform, int32_t rp, int32_t dspc, int32_t i0,
                 int32_t i1, const CellThermo& eos, bool newtonT, Real dt, Real Relax,
                 Real* rhoScratch, ChangeStats& statE, ChangeStats& statT, ChangeStats& statP) {
  const Real* oldX = Old.x.data();
  const Real* oldV = Old.v.data();
  const Real* oldE = Old.E.data();
  const Real* thirdE = Third.E.data();
  const Real* thirdX = Third.x.data();
  const Real* thirdT = Third.T.data();
  const Real* thirdP = Third.P.data();
  const Real* cellMass = mass.CellMass.data();
  const Real* x = self.x.data();
  const Real* v = self.v.data();
  const Real* qVisc = self.Qvisc.data();
  Real* E = self.E.data();
  Real* T = self.T.data();
  Real* P = self.P.data();

  // Density of cell i from the new coordinates [g/cm3].
  auto density = [&](int32_t i) {
    if constexpr (Curved) {
      return cellMass[i] * dspc / PowerDifference(dspc, x[i], x[i + 1]);
    } else {
      return cellMassUniform / (x[i + 1] - x[i]);
    }
  };

  // 1. E' = Old.E - dt/2 (VolumeRate_Old + VolumeRate_Self) P, P the driving pressure;
  //    on curved grids its viscous part Qvisc does work with the radial rate only.
  {
    const Real half = dt / 2;
    const Real invCellMass = 1 / cellMassUniform;
    ChangeStats sE = statE;
    for (int32_t i = i0; i < i1; ++i) {
      const Real Ep = oldE[i] - CellWork<Curved>(oldX, oldV, thirdX, x, v, P, qVisc, cellMass,
                                                 invCellMass, rp, i, half);
      const Real dE = thirdE[i] - Ep;
      E[i] = Ep + Relax * dE;
      sE.Add(dE);
    }
    statE = sE;
  }

  // 2. Temperature from the energy, pressure from the temperature.
  const Slot2 fP = *eos.P;
  if (newtonT) {
    // One Newton step from the latest iterate per pass.
    const Slot2 fE = *eos.E;
    const Slot2 fCv = *eos.Cv;
    for (int32_t i = i0; i < i1; ++i) {
      const Real rho = density(i);
      const Real T3 = thirdT[i];
      T[i] = T3 + (E[i] - fE(rho, T3)) / fCv(rho, T3);
      P[i] = fP(rho, T[i]);
    }
  } else {
    // Whole range per slot call: densities first, then T(rho, E), then P(rho, T).
    for (int32_t i = i0; i < i1; ++i) rhoScratch[i] = density(i);
    const int32_t n = i1 - i0;
    eos.TofE->Eval(rhoScratch + i0, E + i0, T + i0, n);
    fP.Eval(rhoScratch + i0, T + i0, P + i0, n);
  }

  // 3. Changes against the latest iterate.
  ChangeStats sT = statT, sP = statP;
  for (int32_t i = i0; i < i1; ++i) {
    sT.Add(T[i] - thirdT[i]);
    sP.Add(P[i] - thirdP[i]);
  }
  statT = sT;
  statP = sP;
}

}  // namespace

namespace {

// The cell ranges of the grid in order, each with the thermodynamic functions of its
// medium: [0, f1) substrate, [f1, f2] film, (f2, N) substrate. The substrate has an
// equation of state of its own once one was chosen for it.
struct MediumRange {
  int32_t i0, i1;
  CellThermo eos;
};
std::array<MediumRange, 3> MediumRanges(const EosState& eos, int32_t N, int32_t InGlass) {
  const CellThermo film{&eos.ActiveEos.E, &eos.ActiveEos.P, &eos.ActiveEos.Cv, &eos.ActiveEos.TofE};
  const bool leftSet = eos.LeftEos.E && eos.LeftEos.P && eos.LeftEos.Cv;
  const CellThermo left =
      leftSet ? CellThermo{&eos.LeftEos.E, &eos.LeftEos.P, &eos.LeftEos.Cv, &eos.LeftEos.TofE}
              : film;
  const int32_t f1 = FirstFilmCell(InGlass);
  const int32_t f2 = LastFilmCell(N, InGlass);
  return {{{0, f1, left}, {f1, f2 + 1, film}, {f2 + 1, N, left}}};
}

}  // namespace

bool THydrStat::EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real, bool NoTofE,
                           Real& StepResidual, bool Converging, Real Relax) {
  const int32_t N = CellCount();
  const SimParams& sp = s_.sim;
  const std::array<MediumRange, 3> ranges = MediumRanges(s_.eos, N, sp.InGlass);

  // A derived class that resizes its arrays without the base Resize still gets the
  // scratch on its first pass.
  if (rhoScratch_.size() < static_cast<size_t>(N)) rhoScratch_.resize(static_cast<size_t>(N));
  Real* rhoScratch = rhoScratch_.data();
  if (sp.Dspc > 1 && Qvisc.size() < static_cast<size_t>(N)) Qvisc.resize(static_cast<size_t>(N));
  ChangeStats sE, sT, sP;
  for (const MediumRange& r : ranges) {
    if (r.i0 >= r.i1) continue;
    const bool newtonT = NoTofE || !*r.eos.TofE;
    if (sp.Dspc == 1) {
      EnergyRange<false>(*this, Old, Third, s_.mass, sp.CellMassUniform, 0, 1, r.i0, r.i1, r.eos,
                         newtonT, dt, Relax, rhoScratch, sE, sT, sP);
    } else {
      EnergyRange<true>(*this, Old, Third, s_.mass, sp.CellMassUniform, sp.RadialPower, sp.Dspc,
                        r.i0, r.i1, r.eos, newtonT, dt, Relax, rhoScratch, sE, sT, sP);
    }
  }

  ConvergenceState& cs = s_.conv;
  if (!ConvergenceMeasure(cs, cs.E, Converging, StepResidual, sE.maxAbs, sE.sumSq)) return false;
  if (!ConvergenceMeasure(cs, cs.T, Converging, StepResidual, sT.maxAbs, sT.sumSq)) return false;
  return ConvergenceMeasure(cs, cs.p, Converging, StepResidual, sP.maxAbs, sP.sumSq);
}

// ---------------------------------------------------------------------------------------
// Sound speed and the longest stable step.

namespace {

// (P1 - P0) V / eps over the cells [i0, i1) of one medium: P0 = P(rho, T) and, along the
// adiabat dE = -P dV, rho1 = rho (1 + eps), E1 = E + eps P0 V, T1 = T(rho1, E1),
// P1 = P(rho1, T1). V = 1 / rho [cm3/g]; P [GPa] times V is kJ/g, the unit of E.
void AdiabaticQuotient(const THydrStat& A, const CellThermo& eos, int32_t i0, int32_t i1, Real* c2,
                       Real* rho1, Real* work) {
  const int32_t n = i1 - i0;
  const Real* T = A.T.data();
  const Real* E = A.E.data();
  auto specificVolume = [&A](int32_t i) { return A.SpecificVolume(i); };
  for (int32_t i = i0; i < i1; ++i) rho1[i] = A.Density(i);
  eos.P->Eval(rho1 + i0, T + i0, c2 + i0, n);
  for (int32_t i = i0; i < i1; ++i) {
    work[i] = E[i] + THydrStat::kSoundEps * c2[i] * specificVolume(i);
    rho1[i] *= 1 + THydrStat::kSoundEps;
  }
  if (*eos.TofE) {
    eos.TofE->Eval(rho1 + i0, work + i0, work + i0, n);
  } else {
    // One Newton step from the cell's temperature: E1 - E is of order eps.
    for (int32_t i = i0; i < i1; ++i)
      work[i] = T[i] + (work[i] - (*eos.E)(rho1[i], T[i])) / (*eos.Cv)(rho1[i], T[i]);
  }
  eos.P->Eval(rho1 + i0, work + i0, work + i0, n);
  for (int32_t i = i0; i < i1; ++i)
    c2[i] = (work[i] - c2[i]) * specificVolume(i) * THydrStat::kSoundInvEps;
}

}  // namespace

const RealArray& THydrStat::SoundSpeed2() {
  const int32_t N = CellCount();
  const Real scale2 = s_.eos.EosScale * s_.eos.EosScale;
  if (rhoScratch_.size() < static_cast<size_t>(N)) rhoScratch_.resize(static_cast<size_t>(N));
  if (soundScratch_.size() < static_cast<size_t>(N)) soundScratch_.resize(static_cast<size_t>(N));
  if (c2_.size() != static_cast<size_t>(N)) c2_.resize(static_cast<size_t>(N));
  Real* c2 = c2_.data();
  const int32_t f1 = FirstFilmCell(s_.sim.InGlass);
  const int32_t f2 = LastFilmCell(N, s_.sim.InGlass);
  const std::array<MediumRange, 3> ranges = MediumRanges(s_.eos, N, s_.sim.InGlass);
  for (const MediumRange& r : ranges) {
    if (r.i1 <= r.i0) continue;
    if (r.i0 == f1 && r.i1 == f2 + 1) {
      FilmSoundSpeed2(r.i0, r.i1, c2, rhoScratch_.data(), soundScratch_.data());
    } else if (!*r.eos.P || (!*r.eos.TofE && !(*r.eos.E && *r.eos.Cv))) {
      std::fill(c2 + r.i0, c2 + r.i1, Real(0));
    } else {
      AdiabaticQuotient(*this, r.eos, r.i0, r.i1, c2, rhoScratch_.data(), soundScratch_.data());
    }
  }
  for (int32_t i = 0; i < N; ++i) {
    const Real q = scale2 * c2[i];
    c2[i] = q > 0 && std::isfinite(q) ? q : 0;  // no sound speed from a failed evaluation
  }
  return c2_;
}

void THydrStat::FilmSoundSpeed2(int32_t i0, int32_t i1, Real* c2, Real* rho1, Real* work) {
  const TActiveEos& a = s_.eos.ActiveEos;
  const CellThermo film{&a.E, &a.P, &a.Cv, &a.TofE};
  if (!a.P || (!a.TofE && !(a.E && a.Cv))) {
    std::fill(c2 + i0, c2 + i1, Real(0));
    return;
  }
  AdiabaticQuotient(*this, film, i0, i1, c2, rho1, work);
}

// ---------------------------------------------------------------------------------------

void THydrStat::UpdateScales(bool Reset) {
  ConvergenceState& cs = s_.conv;
  if (Reset) {
    for (ConvergenceGroup* g : {&cs.V, &cs.X, &cs.E, &cs.T, &cs.p}) {
      g->Max = 0;
      g->SumSq = 0;
    }
  }
  // Totals kept in locals over the sweep and written back once.
  struct Totals {
    Real max, sumSq;
    explicit Totals(const ConvergenceGroup& g) : max(g.Max), sumSq(g.SumSq) {}
    void Fold(Real q) {
      max = std::max(max, std::fabs(q));
      sumSq += q * q;
    }
    void Store(ConvergenceGroup& g) const {
      g.Max = max;
      g.SumSq = sumSq;
    }
  };
  Totals tv(cs.V), tx(cs.X), tT(cs.T), tE(cs.E), tp(cs.p);
  const int32_t N = CellCount();
  for (int32_t i = 0; i < N; ++i) {
    tv.Fold(v[i]);
    tx.Fold(x[i]);
    tT.Fold(T[i]);
    tE.Fold(E[i]);
    tp.Fold(P[i]);
  }
  tv.Fold(v[N]);
  tx.Fold(x[N]);
  tv.Store(cs.V);
  tx.Store(cs.X);
  tT.Store(cs.T);
  tE.Store(cs.E);
  tp.Store(cs.p);
}

// ---------------------------------------------------------------------------------------

void BuildMassArrays(HydroState& s, int32_t N, int32_t First, int32_t InGlass, Real h0, Real rho0,
                     Real rho0l) {
  MassArrays& m = s.mass;
  const int32_t d = s.sim.Dspc;
  First = std::clamp(First, 0, N);
  // Right-half mass of cell First-1 carried over from the existing arrays.
  Real carried = 0;
  if (First > 0 && static_cast<int32_t>(m.CellMass.size()) >= First &&
      static_cast<int32_t>(m.HalfVolume.size()) >= 2 * First) {
    const Real left = m.HalfVolume[2 * First - 2];
    const Real right = m.HalfVolume[2 * First - 1];
    carried = m.CellMass[First - 1] * right / (left + right);
  }
  m.CellMass.resize(static_cast<size_t>(N));
  m.NodeMass.resize(static_cast<size_t>(N) + 1);
  m.HalfVolume.resize(2 * static_cast<size_t>(N) + 2);
  for (int32_t i = First; i <= N; ++i) {
    m.HalfVolume[2 * i] = PowerDifference(d, i * h0, (i + 0.5L) * h0) / d;
    m.HalfVolume[2 * i + 1] = PowerDifference(d, (i + 0.5L) * h0, (i + 1) * h0) / d;
  }
  auto density = [&](int32_t i) { return IsSubstrateCell(i, N, InGlass) ? rho0l : rho0; };
  for (int32_t i = First; i < N; ++i)
    m.CellMass[i] = density(i) * (m.HalfVolume[2 * i] + m.HalfVolume[2 * i + 1]);
  for (int32_t j = First; j <= N; ++j) {
    Real leftHalf = 0;
    if (j == First && First > 0) {
      leftHalf = carried;
    } else if (j > 0) {
      leftHalf = density(j - 1) * m.HalfVolume[2 * j - 1];
    }
    const Real rightHalf = j < N ? density(j) * m.HalfVolume[2 * j] : 0;
    m.NodeMass[j] = leftHalf + rightHalf;
  }
}

}  // namespace tarvex
