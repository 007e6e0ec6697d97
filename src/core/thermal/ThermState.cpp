// TThermState: the two systems of the two-temperature model and their frozen-grid step.
//
// Per film cell of mass m, linearised about the latest iterate (Te', Ti'), with δ the
// change from it, over one step dt:
//   electrons  Ce δTe = Re - [X + Gth (δTe - δTi)] + conduction of the electrons,
//   ions       Cvi δTi = Ri + [X + Gth (δTe - δTi)] + conduction of the lattice,
// Re = Ee0 - Ee(Te') - work of the electron pressure + dt S / m (the laser heats the
// electrons), Ri = Ei0 - Ei(Ti') - work of the ion pressure, and the exchange over the
// step X + Gth (δTe - δTi) [kJ/g]: X the exchange at the latest iterate, time-centred with
// the old one where the temperature difference shrinks, Gth its implicit share (a weight
// theta of dt G, G the coupling per unit mass [kW/g/K]). Without lattice conduction the
// ion equation is local: δTi = (Ri + X + Gth δTe) / (Cvi + Gth), which eliminated from the
// electron equation leaves one tridiagonal system for Te with the effective heat capacity
// Ce + Gth Cvi / (Cvi + Gth); the ion system then follows with the new Te. With lattice
// conduction the first pass takes the lattice flux explicitly into the electron system,
// the corrector passes decouple the two (exchange at the latest iterate) and iterate.
// Substrate cells carry one temperature in the ion system.
//
// Units: x cm, rho g/cm3, T K, E kJ/g, P GPa, k kW/cm/K, Ce, Cvi kJ/g/K, G kW/g/K, dt s.
#include "core/thermal/ThermState.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/eos/EosSlots.h"
#include "core/hydro/Convergence.h"
#include "core/laser/LaserSource.h"
#include "core/thermal/ThermalState.h"

namespace tarvex {

namespace {

// f over the cells [i0, i1) of a slot that may be empty (then 0).
inline void EvalOr0(const Slot2& f, const Real* rho, const Real* T, Real* out, int32_t i0,
                    int32_t i1) {
  if (i1 <= i0) return;
  if (f) {
    f.Eval(rho + i0, T + i0, out + i0, i1 - i0);
  } else {
    std::fill(out + i0, out + i1, Real(0));
  }
}

}  // namespace

bool IsNegativeTemperatureQuestion(const std::string& text) {
  const std::string tail = "set to positive?";
  const bool first = text.rfind("dt=", 0) == 0 && text.size() >= tail.size() &&
                     text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
  return first || text.rfind("Set Ti[I] to", 0) == 0 || text.rfind("Set Te[I] to", 0) == 0;
}

void TThermState::SubsystemGroups::Merge(ConvergenceState& cs) const {
  cs.T.Floor = std::max(cs.T.Floor, Te.Floor);
  cs.T.Num = std::max(cs.T.Num, Te.Num);
  cs.E.Floor = std::max({cs.E.Floor, Ee.Floor, Ei.Floor});
  cs.E.Num = std::max({cs.E.Num, Ee.Num, Ei.Num});
  cs.p.Floor = std::max({cs.p.Floor, Pi.Floor, Pe.Floor});
  cs.p.Num = std::max({cs.p.Num, Pi.Num, Pe.Num});
}

TThermState::TThermState(ThermalState& session, int32_t N) : THydrTherm(session, N) {
  TThermState::Resize(N);
}

void TThermState::Resize(int32_t N) {
  THydrTherm::Resize(N);
  oldOf_ = nullptr;
  const size_t n = static_cast<size_t>(std::max(N, 0));
  Te.resize(n);
  Ei.resize(n);
  Ee.resize(n);
  for (RealArray* a :
       {&CviL_, &CeL_, &EeL_, &EiL_, &GL_, &G0_, &rho0_, &RiX_, &Denom_, &Gs_, &pin_, &Tisol_}) {
    a->resize(n);
  }
  rowsI_.resize(n);
}

Real TThermState::NodeElectronTemperature(int32_t j) const {
  if (j <= 0) return Te[0];
  if (j > LastCell) return Te[static_cast<size_t>(LastCell)];
  return (Te[j] + Te[j - 1]) / 2;
}

void TThermState::UpdateScales(bool Reset) {
  ConvergenceState& cs = s_.conv;
  const Real savedE = Reset ? 0 : cs.E.SumSq;
  const Real savedT = Reset ? 0 : cs.T.SumSq;
  if (!Reset) cs.E.SumSq = cs.T.SumSq = 0;
  THydrTherm::UpdateScales(Reset);
  Real sTe = 0, sEe = 0, sEi = 0;
  Real maxT = cs.T.Max, maxE = cs.E.Max;
  const int32_t N = CellCount();
  for (int32_t i = 0; i < N; ++i) {
    maxT = std::max(maxT, std::fabs(Te[i]));
    maxE = std::max({maxE, std::fabs(Ee[i]), std::fabs(Ei[i])});
    sTe += Te[i] * Te[i];
    sEe += Ee[i] * Ee[i];
    sEi += Ei[i] * Ei[i];
  }
  cs.T.Max = maxT;
  cs.E.Max = maxE;
  cs.E.SumSq = std::max({cs.E.SumSq, sEe, sEi}) + savedE;
  cs.T.SumSq = std::max(cs.T.SumSq, sTe) + savedT;
}

void TThermState::SolveTwoTemperature(const THydrStat& Old, const THydrStat& Third, Pass& p,
                                      const Real* PeThird, const Real* PiOld, bool Converging) {
  const auto& O = static_cast<const TThermState&>(Old);
  const auto& L = static_cast<const TThermState&>(Third);
  const int32_t N = p.N;
  const int32_t f1 = p.f1;
  const int32_t f2 = p.f2;
  const bool motion = PeThird != nullptr;
  const Real dt = p.dt;
  const EosState& eos = s_.eos;
  const TActiveEos& a = eos.ActiveEos;
  const ElectronModel& em = ts_.electron.model;
  const SetupParams& up = ts_.setup;
  const bool conduct = !ts_.NoConduct;
  const bool exchange = !ts_.NoThermo && static_cast<bool>(em.Coupling);
  const Real Tscale = s_.conv.T.Max;

  const Real* rho = p.rho;
  const Real* Til = L.T.data();
  const Real* Tel = L.Te.data();
  const Real* Ti0 = O.T.data();
  const Real* Te0 = O.Te.data();
  // The old state's densities and coupling do not change over the passes of a step (the
  // predictor, Converging false, starts every step): evaluated once per step.
  Real* rho0 = rho0_.data();
  Real* G0 = G0_.data();
  const bool oldKnown = Converging && oldOf_ == &Old;
  oldOf_ = &Old;
  if (!oldKnown) {
    if (motion) {
      CellDensities(Old, rho0);
    } else {
      std::copy(rho, rho + N, rho0);
    }
  }

  // Slots over whole ranges: the film's, then the substrate's.
  Real* Cvi = CviL_.data();
  Real* Ce = CeL_.data();
  Real* EeL = EeL_.data();
  Real* EiL = EiL_.data();
  Real* GL = GL_.data();
  Real* Etot = eLatest_.data();  // substrate: energy at the latest iterate
  Real* Cv = cv_.data();         // substrate heat capacity
  Real* k = kappa_.data();       // lattice or substrate conductivity
  Real* kE = kappaE_.data();     // film electrons
  const int32_t n1 = f2 + 1;
  EvalOr0(a.Cvion, rho, Til, Cvi, f1, n1);
  EvalOr0(a.Eion, rho, Til, EiL, f1, n1);
  EvalOr0(em.ElHeatCap, rho, Tel, Ce, f1, n1);
  EvalOr0(em.ElEnergy, rho, Tel, EeL, f1, n1);
  EvalOr0(em.Coupling, rho, Tel, GL, f1, n1);
  if (!oldKnown) EvalOr0(em.Coupling, rho0, Te0, G0, f1, n1);
  const Slot2& leftE = eos.LeftEos.E ? eos.LeftEos.E : a.E;
  const Slot2& leftCv = eos.LeftEos.Cv ? eos.LeftEos.Cv : a.Cv;
  for (auto [i0, i1] : {std::pair{0, f1}, std::pair{n1, N}}) {
    EvalOr0(leftCv, rho, Til, Cv, i0, i1);
    EvalOr0(leftE, rho, Til, Etot, i0, i1);
    EvalOr0(conduct ? eos.LeftEos.Kappa : Slot2{}, rho, Til, k, i0, i1);
    std::fill(kE + i0, kE + i1, Real(0));
  }
  EvalOr0(conduct ? eos.FilmEos.Kappa : Slot2{}, rho, Til, k, f1, n1);
  if (conduct && em.ElConductivity && n1 > f1) {
    em.ElConductivity.Eval(rho + f1, Tel + f1, Til + f1, kE + f1, n1 - f1);
  } else {
    std::fill(kE + f1, kE + n1, Real(0));
  }
  bool lattice = false;
  for (int32_t i = f1; i < n1; ++i) lattice = lattice || k[i] > 0;

  // Face coefficients dt a_j G_j: the lattice (and substrate) on every face, the
  // electrons between film cells with their flux limit. No electron conductance crosses
  // the film-substrate face: the flux of "Add Qe->g" below stands for it.
  Real* cL = cFace_.data();
  Real* cE = cFaceE_.data();
  if (conduct) {
    FaceCoefficients(p, k, Til, 0, cL, 1, N);
    FaceCoefficients(p, kE, Tel, ts_.electron.HeatFluxLimit, cE, f1 + 1, f2 + 1);
  } else {
    std::fill(cL, cL + N + 1, Real(0));
    std::fill(cE, cE + N + 1, Real(0));
  }

  // "Add Qe->g": the film's electrons carry heat across the film-substrate face, in series
  // with the substrate's conductivity. The flux is driven by the film's lattice
  // temperature (with the coupling strong enough to matter the two temperatures agree) and
  // enters the ion system as one more implicit face: stable at any step and conservative.
  const bool qeg = up.QegOn && p.M >= 0 && conduct;
  Real cQeg = 0;
  if (qeg) {
    const int32_t J = std::max(p.M, p.F);
    // The film's electrons and lattice in parallel, in series with the substrate.
    cQeg = InterfaceCoefficient(p, kE[p.F] + k[p.F], k[p.M]);
    cL[J] = cQeg;
  }

  // Electron rows. NaN in pin_ marks a solved row; a value pins Te of the row to it.
  const Real kSolved = std::numeric_limits<Real>::quiet_NaN();
  TriRow* rE = rows_.data();
  Real* pin = pin_.data();
  Real* RiX = RiX_.data();
  Real* Denom = Denom_.data();
  Real* Gs = Gs_.data();
  for (auto [i0, i1] : {std::pair{0, f1}, std::pair{n1, N}}) {
    for (int32_t i = i0; i < i1; ++i) {
      rE[i] = TriRow{0, 1, 0, Til[i]};
      pin[i] = Til[i];  // substrate cells: one temperature
    }
  }
  const Real* Ee0 = O.Ee.data();
  const Real* Ei0 = O.Ei.data();
  for (int32_t i = f1; i <= f2; ++i) {
    const Real TiL = Til[i];
    const Real TeL = Tel[i];
    // A floor on the lattice's heat capacity where its model gives (next to) none.
    Real cvi = Cvi[i];
    if (!(cvi * TiL >= Real(0.01L) * std::fabs(EiL[i]))) {
      cvi = std::max(cvi, Real(0.01L) * std::fabs(EiL[i] / TiL));
    }
    Real ce = Ce[i];
    Real Gth = 0;
    Real X = 0;
    if (exchange) {
      Gth = dt * GL[i];
      const Real dl = TeL - TiL;
      X = dl * Gth;
      const Real d0 = Te0[i] - Ti0[i];
      const Real X0 = dt * d0 * G0[i];
      Real theta = 0.5L;
      if (dl > std::fabs(d0)) {
        // The difference grew: implicit enough to stay stable, time-centred where it can.
        theta = 1;
        if (cvi * d0 > Gth * dl) {
          theta = std::max(1 - cvi / (2 * (cvi + Gth)), Gth / (Gth + ce));
          X = theta * X + (1 - theta) * X0;
        }
      } else {
        X = (X + X0) / 2;
      }
      Gth *= theta;
    }
    const Real cviG = cvi + Gth;
    Real PeW = motion ? PeThird[i] : 0;
    // Work per unit pressure dt/2 (W + W0), and the work of the whole driving pressure.
    const Real Wt = motion ? WorkFactor(Old, p, i) : 0;
    const Real work = !motion ? 0 : (p.curved ? CellWorkOf(Old, Third, p, i) : Wt * P[i]);
    // Electrons that hold (next to) no heat: their energy goes to the lattice.
    if (!(ce * std::max(Te0[i], Tscale) > Real(0.1L) * Ee0[i]) || !std::isfinite(ce)) {
      ce = 0;
      PeW = 0;
    }
    const Real Re = Ee0[i] - EeL[i] - Wt * PeW + SourceEnergy(p, i);
    // A released cell (its lattice let go: broken, or detached from the substrate) is
    // material and void, and its mean density changes with the void while the material
    // keeps its own: its lattice exchanges heat but neither works nor feels the change of
    // the mean density. (Taken at the new mean density, the cold energy of a stretched
    // lattice became heat as the void closed: thousands of kelvin in the cell next to the
    // substrate once a film had let go of it.)
    const bool released = motion && PiOld[i] == 0;
    const Real Ri = released ? Ei0[i] - (a.Eion ? a.Eion(rho0[i], TiL) : EiL[i])
                             : Ei0[i] - EiL[i] - (work - Wt * PeW);
    pin[i] = kSolved;
    if (up.FixTeOn) {
      pin[i] = up.FixedTe;
      RiX[i] = X + Ri;
      Denom[i] = cvi;
      Gs[i] = 0;
    } else if (ce == 0) {
      pin[i] = TiL;
      RiX[i] = Ri + Re;
      Denom[i] = cvi;
      Gs[i] = 0;
    } else if (!lattice || !Converging) {
      const Real invG = 1 / cviG;
      const Real r = Gth * invG;  // share of an electron change that the ions follow
      const Real Ceff = ce + r * cvi;
      Real D = Ceff * TeL + Re + r * Ri - cvi * X * invG;
      {
        // The ions' face fluxes at the latest iterate (lattice conduction on the first pass,
        // the film-substrate face of "Add Qe->g"): what the eliminated ions receive.
        const Real in = (i > 0 ? cL[i] * (Til[i - 1] - TiL) : 0) +
                        (i + 1 < N ? cL[i + 1] * (Til[i + 1] - TiL) : 0);
        D += r * in * p.invMass[i];
      }
      rE[i] = TriRow{0, Ceff, 0, D};
      if (!(D > 0)) pin[i] = TiL;
      RiX[i] = X + Ri;
      Denom[i] = cviG;
      Gs[i] = Gth;
    } else {
      // Corrector passes with lattice conduction: the two systems decoupled, the
      // exchange at the latest iterate.
      rE[i] = TriRow{0, ce, 0, Re - X + ce * TeL};
      RiX[i] = X + Ri;
      Denom[i] = cvi;
      Gs[i] = 0;
    }
  }
  CoupleRows(p, cE, f1 + 1, f2 + 1, rE);
  // Pinned rows: Te fixed, the neighbours' coupling to it moved to their right-hand sides.
  for (int32_t i = 0; i < N; ++i) {
    const Real vi = pin[i];
    if (std::isnan(vi)) continue;
    // (A pinned neighbour is rewritten whole in its own turn.)
    if (i > 0 && std::isnan(pin[i - 1])) {
      rE[i - 1].D -= rE[i - 1].C * vi;
      rE[i - 1].C = 0;
    }
    if (i + 1 < N && std::isnan(pin[i + 1])) {
      rE[i + 1].D -= rE[i + 1].A * vi;
      rE[i + 1].A = 0;
    }
    rE[i] = TriRow{0, 1, 0, vi};
  }
  SolveRows(p, rE, Tsol_.data());
  const Real* TeNew = Tsol_.data();

  // Ion rows with the new electron temperatures.
  TriRow* rI = rowsI_.data();
  const Real* E0 = Old.E.data();
  for (int32_t i = 0; i < N; ++i) {
    if (i >= f1 && i <= f2) {
      rI[i] = TriRow{0, Denom[i], 0, Til[i] * Denom[i] + RiX[i] + Gs[i] * (TeNew[i] - Tel[i])};
    } else {
      const Real work = motion ? CellWorkOf(Old, Third, p, i) : 0;
      rI[i] = TriRow{0, Cv[i], 0, Til[i] * Cv[i] + E0[i] - Etot[i] + SourceEnergy(p, i) - work};
    }
  }
  CoupleRows(p, cL, 1, N, rI);
  SolveRows(p, rI, Tisol_.data());
  if (qeg) {
    // The heat flux across the face in this pass [kW/cm2], for the results table.
    ts_.QegFlux = cQeg / (dt * InterfaceArea(p)) * (Tisol_[p.F] - Tisol_[p.M]);
  }
}

bool TThermState::EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real, bool,
                             Real& StepResidual, bool Converging, Real Relax) {
  const int32_t N = CellCount();
  // Without an electron model the electrons have no energy: nothing to step (the initial
  // conditions refuse such a state; a profile loaded without a model fails here).
  if (N <= 0 || !ElectronModelDefined(ts_.electron.model)) {
    StepResidual = -1;
    return false;
  }
  Pass p;
  if (!BeginPass(dt, Converging, StepResidual, p)) return false;
  SolveTwoTemperature(Old, Third, p, nullptr, nullptr, Converging);

  const auto& L = static_cast<const TThermState&>(Third);
  const EosState& eos = s_.eos;
  const ElectronModel& em = ts_.electron.model;
  const Real* rho = p.rho;
  const int32_t f1 = p.f1;
  const int32_t n1 = p.f2 + 1;
  ConvergenceState& cs = s_.conv;
  SubsystemGroups g(cs);
  auto fail = [&] {
    g.Merge(cs);
    StepResidual = -1;
    return false;
  };

  // Electron stage: relaxation towards the latest iterate (as every quantity of the step),
  // the electron energy.
  ChangeStats sTe, sEe, sTi, sEi, sE;
  for (int32_t i = f1; i < n1; ++i) {
    const Real Ts = Tsol_[i];
    const Real Tn = Ts + Relax * (L.Te[i] - Ts);
    if (!(Tn > 0) || !std::isfinite(Tn)) return fail();
    Te[i] = Tn;
    sTe.Add(Tn - L.Te[i]);
  }
  EvalOr0(em.ElEnergy, rho, Te.data(), Ee.data(), f1, n1);
  for (int32_t i = f1; i < n1; ++i) sEe.Add(Ee[i] - L.Ee[i]);
  const bool eOk = ConvergenceMeasure(cs, g.Te, Converging, StepResidual, sTe.maxAbs, sTe.sumSq) &&
                   ConvergenceMeasure(cs, g.Ee, Converging, StepResidual, sEe.maxAbs, sEe.sumSq);

  // Ion stage.
  for (int32_t i = 0; i < N; ++i) {
    const Real Ts = Tisol_[i];
    const Real Tn = Ts + Relax * (L.T[i] - Ts);
    if (!(Tn > 0) || !std::isfinite(Tn)) return fail();
    T[i] = Tn;
    sTi.Add(Tn - L.T[i]);
  }
  const Slot2& leftE = eos.LeftEos.E ? eos.LeftEos.E : eos.ActiveEos.E;
  for (auto [i0, i1] : {std::pair{0, f1}, std::pair{n1, N}}) {
    EvalOr0(leftE, rho, T.data(), Ei.data(), i0, i1);
    for (int32_t i = i0; i < i1; ++i) {
      E[i] = Ei[i];
      Ee[i] = 0;
      Te[i] = T[i];
      sEi.Add(Ei[i] - L.Ei[i]);
      sE.Add(E[i] - L.E[i]);
    }
  }
  EvalOr0(eos.ActiveEos.Eion, rho, T.data(), Ei.data(), f1, n1);
  for (int32_t i = f1; i < n1; ++i) {
    E[i] = Ee[i] + Ei[i];
    sEi.Add(Ei[i] - L.Ei[i]);
    sE.Add(E[i] - L.E[i]);
  }
  cs.p.Num = 0;
  // The ions are measured only once the electrons passed.
  const bool ok = eOk &&
                  ConvergenceMeasure(cs, cs.T, Converging, StepResidual, sTi.maxAbs, sTi.sumSq) &&
                  ConvergenceMeasure(cs, g.Ei, Converging, StepResidual, sEi.maxAbs, sEi.sumSq) &&
                  ConvergenceMeasure(cs, cs.E, Converging, StepResidual, sE.maxAbs, sE.sumSq);
  g.Merge(cs);
  return ok;
}

}  // namespace tarvex
