// THydro2T: the two-temperature energy step on a moving grid and its post-processing.
//
// The electrons do the work of their own pressure Pe, the ions the rest of the driving
// pressure (viscosity included), so that the total work is the one the momentum equation
// used and the energy of the grid changes only by the source and the end fluxes. After
// the two systems: relaxation, the negative-temperature safeguard, the energies and
// pressures of both subsystems, the substrate cell and the film cell at the interface
// (adhesion), then the film's release, tension and spallation rules with the tension
// pressure Pt = Pi + Pe(rho, min(Ti, Te)): hot electrons do not hold a stretched lattice
// together, so only the electron pressure of the colder subsystem counts against tension.
//
// Units: rho g/cm3, T K, E kJ/g, P GPa, dt s.
#include "core/thermal/Hydro2T.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/common/Prompter.h"
#include "core/eos/EosSlots.h"
#include "core/hydro/Convergence.h"
#include "core/spall/SpallCheck.h"
#include "core/thermal/ThermalState.h"

namespace tarvex {

namespace {

std::string General(Real x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%Lg", x);
  return buf;
}

inline Real SlotOr0(const Slot2& f, Real rho, Real T) {
  return f ? f(rho, T) : 0;
}

}  // namespace

THydro2T::THydro2T(ThermalState& session, int32_t N) : TThermState(session, N) {
  THydro2T::Resize(N);
}

void THydro2T::Resize(int32_t N) {
  TThermState::Resize(N);
  const size_t n = static_cast<size_t>(std::max(N, 0));
  Pe.resize(n);
  Pi.resize(n);
  PtOld_.resize(n + 1);
  PeOld_.resize(n);
  Tmin_.resize(n);
  PeMin_.resize(n);
  counted_.resize(n);
}

void THydro2T::UpdateScales(bool Reset) {
  ConvergenceState& cs = s_.conv;
  const Real savedP = Reset ? 0 : cs.p.SumSq;
  if (!Reset) cs.p.SumSq = 0;
  TThermState::UpdateScales(Reset);
  Real sPe = 0, sPi = 0;
  Real maxP = cs.p.Max;
  const int32_t N = CellCount();
  for (int32_t i = 0; i < N; ++i) {
    maxP = std::max({maxP, std::fabs(Pe[i]), std::fabs(Pi[i])});
    sPe += Pe[i] * Pe[i];
    sPi += Pi[i] * Pi[i];
  }
  cs.p.Max = maxP;
  cs.p.SumSq = std::max({cs.p.SumSq, sPe, sPi}) + savedP;
}

bool THydro2T::RepairNegative(const THydro2T& Old, const THydro2T& Third, Real dt, int32_t i) {
  const TActiveEos& a = s_.eos.ActiveEos;
  // A cell released in the last steps whose ions cooled below zero under the work of a
  // pressure they no longer carry: back to the latest iterate.
  if (T[i] <= 0 && Old.Pi[i] == 0 && a.Pion(Old.Density(i), Old.T[i]) != 0 && Third.T[i] > 0 &&
      Third.Pi[i] == 0 && a.Pion(Third.Density(i), Third.T[i]) != 0) {
    T[i] = Third.T[i];
    if (Te[i] > 0) return true;
  }
  if (ts_.NegativeTNeverAsk || (T[i] <= 0 && Te[i] <= 0) || Third.T[i] < 0 || Third.Te[i] < 0) {
    return false;
  }
  Prompter& prompter = s_.prompter;
  const std::string q1 = "dt=" + General(dt) + " Iter" + std::to_string(s_.conv.IterCount) +
                         " I=" + std::to_string(i) + " Ti[I]=" + General(T[i]) +
                         " Te[I]=" + General(Te[i]) + " set to positive?";
  const Answer a1 = prompter.Ask(q1, AnswerSet::OkCancelNoToAll(), MessageKind::Error);
  if (a1 == Answer::Cancel) return false;
  if (a1 != Answer::Ok) {
    ts_.NegativeTNeverAsk = true;
    return false;
  }
  const AnswerSet yesOkCancel{Answer::Yes, Answer::Ok, Answer::Cancel};
  if (T[i] <= 0) {
    const std::string q2 = "Set Ti[I] to It.Ti[I]=" + General(Third.T[i]) +
                           " - Yes or to Te[I]=" + General(Te[i]) + " Ok ?";
    const Answer a2 = prompter.Ask(q2, yesOkCancel, MessageKind::Question);
    if (a2 == Answer::Yes) {
      T[i] = Third.T[i];
    } else if (a2 == Answer::Ok) {
      T[i] = Te[i];
    } else {
      return false;
    }
  } else {
    const std::string q2 = "Set Te[I] to Ti[I]=" + General(T[i]) +
                           " - Yes or to It.Te[I]=" + General(Third.Te[i]) + " - Ok ?";
    const Answer a2 = prompter.Ask(q2, yesOkCancel, MessageKind::Question);
    if (a2 == Answer::Yes) {
      Te[i] = T[i];
    } else if (a2 == Answer::Ok) {
      Te[i] = Third.Te[i];
    } else {
      return false;
    }
  }
  return T[i] > 0 && Te[i] > 0;
}

void THydro2T::FilmSoundSpeed2(int32_t i0, int32_t i1, Real* c2, Real*, Real*) {
  const TActiveEos& a = s_.eos.ActiveEos;
  const ElectronModel& em = ts_.electron.model;
  // Pressure rise [GPa] of one subsystem (energy e, heat capacity cv, pressure p at its own
  // temperature t) when the density rises from rho to rho1 along its adiabat: one Newton
  // step from t, the energy change eps P0 V being small.
  auto rise = [](const Slot2& e, const Slot2& cv, const Slot2& p, Real rho, Real rho1, Real V,
                 Real t) {
    const Real P0 = p(rho, t);
    const Real c = cv(rho1, t);
    const Real t1 = c > 0 ? t + (e(rho, t) + kSoundEps * P0 * V - e(rho1, t)) / c : t;
    return p(rho1, t1) - P0;
  };
  const bool lattice = a.Pion && a.Eion && a.Cvion;
  const bool electrons = em.ElPressure && em.ElEnergy && em.ElHeatCap;
  for (int32_t i = i0; i < i1; ++i) {
    const Real rho = Density(i);
    const Real V = SpecificVolume(i);
    const Real rho1 = rho * (1 + kSoundEps);
    Real dP = 0;
    if (lattice) dP += rise(a.Eion, a.Cvion, a.Pion, rho, rho1, V, T[i]);
    if (electrons) dP += rise(em.ElEnergy, em.ElHeatCap, em.ElPressure, rho, rho1, V, Te[i]);
    c2[i] = lattice ? dP * V * kSoundInvEps : 0;
  }
}

bool THydro2T::EnergyStep(const THydrStat& OldBase, const THydrStat& ThirdBase, Real dt, Real, bool,
                          Real& StepResidual, bool Converging, Real Relax) {
  const int32_t N = CellCount();
  // Without an electron model the electrons have no energy: nothing to step (the initial
  // conditions refuse such a state; a profile loaded without a model fails here).
  if (N <= 0 || !ElectronModelDefined(ts_.electron.model)) {
    StepResidual = -1;
    return false;
  }
  const auto& Old = static_cast<const THydro2T&>(OldBase);
  const auto& L = static_cast<const THydro2T&>(ThirdBase);
  const EosState& eos = s_.eos;
  const TActiveEos& a = eos.ActiveEos;
  const ElectronModel& em = ts_.electron.model;
  const int32_t f1 = FirstFilmCell(s_.sim.InGlass);
  const int32_t f2 = LastFilmCell(N, s_.sim.InGlass);

  // Tension pressure of the old state, and the tension record advanced to this time.
  if (ts_.SpallOn) {
    for (int32_t i = f1; i <= f2; ++i) {
      PeOld_[i] = SlotOr0(em.ElPressure, Old.Density(i), std::min(Old.T[i], Old.Te[i]));
      PtOld_[i] = Old.Pi[i] + PeOld_[i];
    }
    AdvanceTension(Old, PtOld_.data(), dt, f1, f2);
  }
  Pass p;
  if (!BeginPass(dt, Converging, StepResidual, p)) return false;
  SolveTwoTemperature(Old, L, p, L.Pe.data(), Old.Pi.data(), Converging);

  const Real* rho = p.rho;
  ConvergenceState& cs = s_.conv;
  SubsystemGroups g(cs);
  auto fail = [&] {
    g.Merge(cs);
    StepResidual = -1;
    return false;
  };
  ChangeStats sTi, sTe, sEe, sEi, sPi, sPe, sE, sP;
  const Real pZero = 1e-8L * cs.p.Max;
  const Real AL = ts_.setup.AdhesionLimit;
  const int32_t M = p.M;
  const int32_t F = p.F;

  // 1. Temperatures: relaxation towards the latest iterate; a substrate cell must stay
  //    positive, a film cell may be repaired.
  for (int32_t i = 0; i < N; ++i) {
    const Real Ts = Tisol_[i];
    T[i] = Ts + Relax * (L.T[i] - Ts);
    const bool film = i >= f1 && i <= f2;
    if (!film) {
      if (!(T[i] > 0) || !std::isfinite(T[i])) return fail();
      Te[i] = T[i];
      continue;
    }
    const Real Tes = Tsol_[i];
    Te[i] = Tes + Relax * (L.Te[i] - Tes);
    if (!std::isfinite(T[i]) || !std::isfinite(Te[i])) return fail();
    Real dTe = Te[i] - L.Te[i];
    if (T[i] <= 0 || Te[i] <= 0) {
      if (!RepairNegative(Old, L, dt, i)) return fail();
      dTe = 0;  // a repaired cell's electron change is not measured
    }
    sTe.Add(dTe);
  }

  // 2. Energies and pressures: the substrate's one temperature, the film's two subsystems.
  const Slot2& leftE = eos.LeftEos.E ? eos.LeftEos.E : a.E;
  const Slot2& leftP = eos.LeftEos.P ? eos.LeftEos.P : a.P;
  for (auto [i0, i1] : {std::pair{0, f1}, std::pair{f2 + 1, N}}) {
    if (i1 <= i0) continue;
    leftE.Eval(rho + i0, T.data() + i0, E.data() + i0, i1 - i0);
    leftP.Eval(rho + i0, T.data() + i0, P.data() + i0, i1 - i0);
  }
  const int32_t n = f2 + 1 - f1;
  if (n > 0) {
    em.ElEnergy.Eval(rho + f1, Te.data() + f1, Ee.data() + f1, n);
    if (em.ElPressure) {
      em.ElPressure.Eval(rho + f1, Te.data() + f1, Pe.data() + f1, n);
    } else {
      std::fill(Pe.begin() + f1, Pe.begin() + f2 + 1, Real(0));
    }
    a.Eion.Eval(rho + f1, T.data() + f1, Ei.data() + f1, n);
    a.Pion.Eval(rho + f1, T.data() + f1, Pi.data() + f1, n);
    // The electron pressure at the colder subsystem's temperature, for the tension rules.
    for (int32_t i = f1; i <= f2; ++i) Tmin_[i] = std::min(T[i], Te[i]);
    if (em.ElPressure) {
      em.ElPressure.Eval(rho + f1, Tmin_.data() + f1, PeMin_.data() + f1, n);
    } else {
      std::fill(PeMin_.begin() + f1, PeMin_.begin() + f2 + 1, Real(0));
    }
  }
  // Cells whose changes are measured (a released or just spalled cell is not).
  uint8_t* counted = counted_.data();
  std::fill(counted, counted + N, uint8_t{0});

  // 3. Substrate cells; the one at the interface breaks away under tension beyond the
  //    adhesion limit (or when its equation of state gives tension at a released pressure).
  auto substrateCell = [&](int32_t i) {
    if (std::fabs(P[i]) < pZero) P[i] = 0;
    Ei[i] = E[i];
    Ee[i] = 0;
    Pe[i] = 0;
    Pi[i] = P[i];
    if (i == M) {
      const bool breaks = P[M] < AL || (L.P[M] == 0 && leftP(ThirdBase.Density(M), L.T[M]) < 0);
      if (breaks) {
        ReleaseTemperature(T.data(), L.T.data(), M, N);
        Te[M] = T[M];
        if (P[M] < AL || (P[M] < 0 && Old.P[M] == 0 && leftP(Old.Density(M), L.T[M]) < 0)) {
          P[M] = Pi[M] = 0;
        }
        return;
      }
    }
    counted[i] = 1;
  };
  for (int32_t i = 0; i < f1; ++i) substrateCell(i);
  for (int32_t i = f2 + 1; i < N; ++i) substrateCell(i);

  // 4. Film cells.
  auto release = [&](int32_t i) {
    ReleaseTemperature(T.data(), L.T.data(), i, N);
    Pi[i] = 0;
    P[i] = Pe[i];
  };
  const TSpallParams& crit = ts_.spall;
  for (int32_t i = f1; i <= f2; ++i) {
    if (std::fabs(Pe[i]) < pZero) Pe[i] = 0;
    if (std::fabs(Pi[i]) < pZero) Pi[i] = 0;
    E[i] = Ee[i] + Ei[i];
    P[i] = Pe[i] + Pi[i];
    // Tension pressure: the electrons count at the colder subsystem's temperature.
    const Real Pt = Pi[i] + (Te[i] <= T[i] ? Pe[i] : PeMin_[i]);

    if (i != F && Pt >= 0 && !ts_.SpallOn) {
      counted[i] = 1;  // under pressure: none of the tension rules applies
      continue;
    }
    if (i == F) {
      const Real PF = P[F];
      const bool detached = PF < AL || P[M] + PF <= 2 * AL ||
                            (Old.Pi[F] == 0 && a.Pion(Old.Density(F), Old.T[F]) < 0);
      if (detached) {
        if (PF < 0) {
          release(F);
        } else {
          ReleaseTemperature(T.data(), L.T.data(), F, N);
        }
        if (P[M] < 0 && P[M] + PF < 2 * AL) P[M] = Pi[M] = 0;
        continue;
      }
    }
    // The old state's tension pressure as held (Pt0) and as its equation of state gives it
    // (pEos0), its lattice's pressure and vapour, only where a rule needs them.
    Real pEos0 = 0;
    Real pIon0 = 0;
    Real Pt0 = 0;
    bool vapourOld = false;
    bool vapourNow = false;
    if (Pt < 0 || ts_.SpallOn) {
      const Real rho0 = Old.Density(i);
      pIon0 = a.Pion(rho0, Old.T[i]);
      // (With spallation on, the pass began with it for every film cell.)
      const Real pe0 =
          ts_.SpallOn ? PeOld_[i] : SlotOr0(em.ElPressure, rho0, std::min(Old.T[i], Old.Te[i]));
      Pt0 = Old.Pi[i] + pe0;
      pEos0 = pIon0 + pe0;
      vapourOld = a.HasVapour && a.HasVapour(rho0, Old.T[i]);
      vapourNow = a.HasVapour && a.HasVapour(rho[i], T[i]);
    }
    // Released in the old state: its ion pressure was set to 0 while its lattice gives
    // tension. (Its tension pressure is no mark of it: in a film at rest at zero pressure
    // the lattice's tension holds the electrons' pressure, and Pi + Pe is 0 in every cell.)
    const bool releasedOld = Old.Pi[i] == 0 && pIon0 < -pZero;
    const Real p0 = Old.Pi[i] == 0 ? Real(0) : Pt0;
    TSpallCell cell;
    cell.rho = rho[i];
    cell.T = T[i];
    cell.Ei = Ei[i];
    cell.Te = Te[i];
    Real carried = 0;
    switch (
        FilmTension(Old, p, i, Pt, p0, pEos0, releasedOld, vapourOld, vapourNow, cell, carried)) {
      case Fate::Count:
        counted[i] = 1;
        break;
      case Fate::Release:
        release(i);
        break;
      case Fate::Failed:
        Pi[i] = carried;
        if (crit.Foam) Pe[i] = 0;
        P[i] = Pe[i] + Pi[i];
        break;
      case Fate::Foam:
        Pi[i] = carried;
        Pe[i] = 0;
        P[i] = Pi[i];
        counted[i] = 1;
        break;
    }
  }

  // 5. The changes of the pass, one statistic per loop (its two sums stay in registers).
  auto measure = [&](ChangeStats& st, const RealArray& now, const RealArray& before, int32_t i0,
                     int32_t i1, bool countedOnly) {
    ChangeStats acc = st;
    for (int32_t i = i0; i < i1; ++i) {
      if (!countedOnly || counted[i] != 0) acc.Add(now[i] - before[i]);
    }
    st = acc;
  };
  // The ion temperature the pass keeps (a released cell's was raised after its solve; the
  // solved value would differ from it in every pass and the step never converge).
  measure(sTi, T, L.T, 0, N, false);
  measure(sEe, Ee, L.Ee, f1, f2 + 1, false);
  measure(sPe, Pe, L.Pe, f1, f2 + 1, false);
  measure(sPi, Pi, L.Pi, 0, N, true);
  measure(sEi, Ei, L.Ei, 0, N, true);
  measure(sE, E, L.E, 0, N, true);
  measure(sP, P, L.P, 0, N, true);

  // 6. Convergence: ion temperature (a jump ten times larger tolerated than the electrons'),
  //    electron temperature, both energies and both pressures, then the totals.
  bool ok = ConvergenceMeasure(cs, cs.T, Converging, StepResidual, sTi.maxAbs / 10, sTi.sumSq) &&
            ConvergenceMeasure(cs, g.Te, Converging, StepResidual, sTe.maxAbs, sTe.sumSq) &&
            ConvergenceMeasure(cs, g.Ee, Converging, StepResidual, sEe.maxAbs, sEe.sumSq) &&
            ConvergenceMeasure(cs, g.Ei, Converging, StepResidual, sEi.maxAbs, sEi.sumSq) &&
            ConvergenceMeasure(cs, g.Pi, Converging, StepResidual, sPi.maxAbs, sPi.sumSq) &&
            ConvergenceMeasure(cs, g.Pe, Converging, StepResidual, sPe.maxAbs, sPe.sumSq);
  g.Merge(cs);
  if (ok && !ElasticStep) {
    ok = ConvergenceMeasure(cs, cs.E, Converging, StepResidual, sE.maxAbs, sE.sumSq) &&
         ConvergenceMeasure(cs, cs.p, Converging, StepResidual, sP.maxAbs, sP.sumSq);
  }
  return ok;
}

}  // namespace tarvex
