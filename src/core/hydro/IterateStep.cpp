// Predictor-corrector iteration of one implicit step, the acceptance dialogue and the
// adaptive step length.
#include "core/hydro/IterateStep.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/common/FpGuard.h"
#include "core/hydro/HydrStat.h"
#include "core/hydro/HydroState.h"
#include "core/hydro/Viscosity.h"

namespace tarvex {

namespace {

// --- Constants of the iteration and of the step-size control ---------------------------

// Acceptance: the pass pair is converged when no group's last change exceeds its scale
// (Rho_q <= 1) and max(R1, R2) * S * R2, the contraction of the last two passes weighted
// by the size of the changes, is below 0.1. A damped pair is good already below 1.
constexpr Real kRhoLimit = 1;
constexpr Real kConvergedResidual = 0.1L;
constexpr Real kDampedResidual = 1;

// Relaxation towards the previous iterate: IterCount / 50 in restarts and plain
// iterations (none in the first ones, growing slowly), IterCount / 100 + 0.5 in the
// damped pairs at the minimum step (at least half of the previous iterate kept).
constexpr Real kRelaxIterations = 50;
constexpr Real kDampedRelaxIterations = 100;
constexpr Real kDampedRelaxBase = 0.5L;

Real IterationRelax(int32_t IterCount) {
  return static_cast<Real>(IterCount) / kRelaxIterations;
}
Real DampedRelax(int32_t IterCount) {
  return static_cast<Real>(IterCount) / kDampedRelaxIterations + kDampedRelaxBase;
}

// Iterations allowed per step: few at a normal step (a step that does not converge
// soon is cheaper halved), many at the minimum step, where halving is no longer possible.
constexpr int32_t kMaxIterNormal = 7;
constexpr int32_t kMaxIterAtMinStep = 50;

// Growth of the step after an accepted one: 0.7 + 2 / sqrt(iterations), i.e. 2.7 after
// at most one iteration, 1.7 after 4, 1.2 after 16; below 1 from 45 iterations on.
constexpr Real kGrowthBase = 0.7L;
constexpr Real kGrowthPerRootIter = 2;

Real GrownStep(Real dt, Real dtMax, int32_t IterCount) {
  const Real growth =
      kGrowthBase + kGrowthPerRootIter / std::sqrt(static_cast<Real>(std::max(IterCount, 1)));
  return std::min(dtMax, dt * growth);
}

// Minimum step: 1e-5 of the time reached (the step that still advances the time visibly),
// but at least 0.001 and at most 0.1 of the largest step.
constexpr Real kMinStepCeiling = 0.1L;
constexpr Real kMinStepFloor = 0.001L;
constexpr Real kMinStepPerTime = 1e-5L;

Real MinimumStep(Real dtMax, Real SimTime, Real TargetTime) {
  return std::min(kMinStepCeiling * dtMax,
                  std::max(kMinStepFloor * dtMax,
                           kMinStepPerTime * std::max(std::fabs(SimTime), std::fabs(TargetTime))));
}

// Near the interval end: the rest is taken in two halves when it lies between 0.9 and 2
// step lengths, so that no step but the very last is shorter than 0.45 of the current one.
constexpr Real kFullStepsLeft = 2;
constexpr Real kHalvesAbove = 0.9L;

// Stability bound of the step. A pass maps the latest iterate to the next one; for a
// disturbance from cell to cell, the most sensitive one, its gain is 2 w (c dt / h)^2
// through the centred pressure (the nodes move with the weight w = CentringNewWeight of
// the iterate's pressure, the pressure follows the cell width) and 8 s Cq |D| dt / h
// through the viscous pressure Cq rho D^2 of a compressed cell (s = 2 for "Symm", whose
// spread doubles the term of such a disturbance, else 1). A step is mostly accepted after
// the predictor and two correctors, and that three-pass result, an explicit scheme, grows
// short sound waves once c dt / h exceeds 0.58 (w = 3/4) even though the iteration itself
// converges up to 0.82: a gas at rest with 1e-6 noise and a free step length ended with a
// cell-to-cell zigzag of 1e-4. The convergence test does not see it while the changes
// stay below its scales. With the viscous gain near 1 the iteration stops converging:
// the step grew into it and halved again, and half of all attempts failed. So, per cell,
//   (c dt / h)^2 / kCourant^2 + 8 s Cq |D| dt / (kViscousGain h) <= 1.
constexpr Real kCourant = 0.5L;
constexpr Real kViscousGain = 1;
constexpr Real kSymmSpread = 2;

// An answer to the disagreement question teaches a tolerance of 1/50 of the product of
// the residuals it was asked about.
constexpr Real kToleranceShare = 50;

// --- Trace file ---------------------------------------------------------------------------

std::string Int(int32_t n) {
  return std::to_string(n);
}

std::string General(Real x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%Lg", x);
  return buf;
}

void Trace(HydroState& s, const std::string& text) {
  if (s.conv.Tracing()) s.conv.trace->Append(text);
}

// Ratio of the squared changes of the last pass to the magnitude scale of a group (zero
// for a quantity that is identically zero and did not change).
Real Rho(const ConvergenceGroup& g) {
  return ChangeRatio(g.Num, g.SumSq);
}

std::string TimeAndStep(Real t, Real dt, int32_t tw, int32_t dtw) {
  std::string line = TraceExp(t, tw);
  line += " +";
  line += TraceExp(dt, dtw);
  line += "\r\n";
  return line;
}
}  // namespace

std::string TraceT1(Real t, Real dt) {
  return " - Err. It. 0  t" + TimeAndStep(t, dt, 15, 12);
}

std::string TraceT2(int32_t IterCount, Real t, Real dt) {
  std::string line = " - Err. It. 0";
  if (IterCount > 0) line.append(" - ").append(Int(IterCount));
  line.append("  t").append(TimeAndStep(t, dt, 15, 12));
  return line;
}

std::string TraceT3(int32_t IterCount, Real t, Real dt) {
  return " - Err. It. " + Int(IterCount + 1) + "  t" + TimeAndStep(t, dt, 15, 12);
}

std::string TraceT4(int32_t IterCount, Real t, Real dt) {
  return " - Err.  It. " + Int(IterCount + 1) + " + #$  t" + TimeAndStep(t, dt, 15, 12);
}

std::string TraceT5(int32_t IterCount, Real t, Real dt) {
  return " It. " + Int(IterCount + 1) + " t" + TimeAndStep(t, dt, 12, 10);
}

std::string TraceT6(const ConvergenceState& cs, Real R1, Real R2) {
  std::string line;
  for (const ConvergenceGroup* g : {&cs.V, &cs.X, &cs.T, &cs.E, &cs.p}) {
    const char* name = g == &cs.V   ? "V "
                       : g == &cs.X ? " x "
                       : g == &cs.T ? " T "
                       : g == &cs.E ? " E "
                                    : " p ";
    line.append(name).append(TraceExp(g->Num, 8)).append("/").append(TraceExp(g->SumSq, 8));
  }
  line.append(" R ").append(TraceExp(R1, 12)).append(" - ").append(TraceExp(R2, 12)).append("\r\n");
  return line;
}

Real StableStep(HydroState& s, THydrStat& A) {
  // Faults of the equation of state at unusual states only leave a cell without a
  // sound speed here; they must not reach the passes' fault detection.
  FpGuard guard;
  const RealArray& c2 = A.SoundSpeed2();
  const Real scale2 = s.eos.EosScale * s.eos.EosScale;
  const ViscosityState& vs = s.visc;
  const Real spread = vs.ViscKind == ViscSymm ? kSymmSpread : 1;
  // With alpha = c^2 / (kCourant h)^2 and beta = V |D| / h, V = 8 s Cq / kViscousGain
  // [1/(cm/s)], the rate 1 / dt of a cell is the positive root of alpha dt^2 + beta dt
  // = 1: (beta + sqrt(beta^2 + 4 alpha)) / 2 = (V |D| + sqrt((V D)^2 + 4 K c^2)) / (2 h)
  // with K = 1 / kCourant^2. An uncompressed cell (or one without viscosity) has the rate
  // sqrt(K c^2) / h; the largest c^2 / h^2 of those is found without a root or a
  // division per cell, by comparing cross products.
  const Real V = vs.ViscKind == ViscNo ? 0 : 8 * spread * vs.ViscCoef * scale2 / kViscousGain;
  const Real K = 1 / (kCourant * kCourant);
  Real c2Sound = 0, hSound = 1;  // largest c^2 / h^2 of the uncompressed cells
  Real sShock = 0, hShock = 1;   // largest s / h of the compressed ones
  const int32_t N = A.CellCount();
  const Real* x = A.x.data();
  const Real* v = A.v.data();
  for (int32_t i = 0; i < N; ++i) {
    const Real h = x[i + 1] - x[i];
    const Real D = v[i + 1] - v[i];
    if (D < 0 && V > 0) {
      const Real VD = V * D;
      const Real sCell = -VD + std::sqrt(VD * VD + 4 * K * c2[i]);
      if (sCell * hShock > sShock * h) {
        sShock = sCell;
        hShock = h;
      }
    } else if (c2[i] * (hSound * hSound) > c2Sound * (h * h)) {
      c2Sound = c2[i];
      hSound = h;
    }
  }
  guard.Reset();
  const Real rate = std::max(std::sqrt(K * c2Sound) / hSound, sShock / (2 * hShock));
  return rate > 0 ? 1 / rate : std::numeric_limits<Real>::infinity();
}

bool FinalTolerance(ConvergenceState& cs, Prompter& prompter, int32_t IterCount, Real R1, Real R2,
                    bool AtMinStep) {
  if (R1 < 0 || R2 < 0) return false;
  const Real n = static_cast<Real>(IterCount);
  const Real Eps1 = cs.Eps1;
  const Real Rmax = std::max(R1, R2);
  if ((R2 <= 1 && n * Eps1 >= R1 * R2) || (R1 > R2 && n * Eps1 > R1 * R1) ||
      (n * Eps1 / 2 > Rmax * Rmax)) {
    return true;
  }
  if (!AtMinStep) return false;
  prompter.Beep(MessageKind::Error);
  // Ask only while no tolerance was learnt or the disagreement is within it.
  if (!(n * cs.Eps2 > R1 * R2 || cs.Eps2 == 0)) return false;
  const Real r12 = std::fabs(R1 * R2);
  switch (prompter.Ask(DisagreementQuestion(IterCount, R1, R2), AnswerSet::SixWay(),
                       MessageKind::Error)) {
    case Answer::Yes:
      return true;
    case Answer::Retry:
      if (cs.Eps2 != 0) {
        cs.Eps1 = std::min(cs.Eps1, r12 / kToleranceShare);
        cs.Eps2 = std::min(cs.Eps2, r12 / kToleranceShare);
      }
      return false;
    case Answer::NoToAll:
      cs.Eps2 = cs.Eps2 == 0 ? r12 / kToleranceShare : std::min(cs.Eps2, r12 / kToleranceShare);
      return false;
    case Answer::YesToAll:
      cs.Eps1 = std::max(cs.Eps1, r12 / std::max<Real>(n, 1));
      return true;
    default:
      return false;
  }
}

bool StepAttempt(HydroState& s, THydrStat& Self, const THydrStat& Old, const THydrStat& Third,
                 Real dt, bool NoTofE, Real& StepResidual, bool Converging, bool CompleteAll,
                 Real Relax) {
  if (!Converging) CompleteAll = true;
  ++s.conv.passes;
  const Real h0 = s.sim.h0;
  bool result;
  FpGuard guard;
  if (s.bounds.NoMove) {
    // Frozen grid: the time-centred compression rate vanishes with v = -Old.v.
    const size_t nodes = Old.x.size();
    for (size_t j = 0; j < nodes; ++j) {
      Self.x[j] = Old.x[j];
      Self.v[j] = -Old.v[j];
      Self.P[j] = 0;
    }
    std::fill(Self.Qvisc.begin(), Self.Qvisc.end(), Real(0));
    s.conv.V.Num = s.conv.X.Num = Converging ? 0 : 1;
    StepResidual = 0;
    result = true;
  } else {
    DrivingPressure(s.visc, s.sim, Self, Old, Third);
    StepResidual = 0;
    result = Self.VelocityStep(Old, Third, dt, h0, StepResidual, Converging, Relax);
    if (CompleteAll || result) {
      if (!Self.CoordinateStep(Old, Third, dt, StepResidual, Converging, Relax)) result = false;
    }
  }
  if (CompleteAll || result) {
    if (!Self.EnergyStep(Old, Third, dt, h0, NoTofE, StepResidual, Converging, Relax)) {
      result = false;
    }
  } else {
    StepResidual = -std::fabs(StepResidual);
  }
  if (guard.Faulted()) {
    // Overflow, division by zero or an invalid operation somewhere in the pass: the
    // step will be retried shorter.
    guard.Reset();
    StepResidual = -1;
    return false;
  }
  return result;
}

void ScaleSetup(HydroState& s, Real dt) {
  ConvergenceState& cs = s.conv;
  THydrStat& B = *s.StateB;
  s.StateA->UpdateScales(true);
  B.UpdateScales(false);
  const int32_t N = B.CellCount();

  auto normalise = [N](ConvergenceGroup& g, Real extraSumSqFloor = 0) {
    g.SumSq = std::max(g.SumSq, N * g.Max * g.Max * 0.5L);
    g.Max = std::max(g.Floor, std::sqrt(g.SumSq / N));
    g.Floor = std::max(g.Floor, 0.001L * g.Max);
    g.SumSq = std::min(std::max(1e-4L * g.Num, 1e-8L * g.SumSq), 1e-5L * g.SumSq);
    g.SumSq = std::max(g.SumSq, extraSumSqFloor);
    g.Num = std::max(g.Num, 1e-5L * g.SumSq);
  };

  normalise(cs.V);
  normalise(cs.X);
  if (s.eos.ActiveEos.Cv) {
    // Energy scale from the temperature scale through the heat capacity at the two
    // ends of the film.
    const int32_t f1 = FirstFilmCell(s.sim.InGlass);
    const int32_t f2 = LastFilmCell(N, s.sim.InGlass);
    const Real c1 = s.eos.ActiveEos.Cv(B.Density(f1), B.T[f1]);
    const Real c2 = s.eos.ActiveEos.Cv(B.Density(f2), B.T[f2]);
    cs.E.Max = std::max(cs.E.Max, std::max(std::fabs(c1), std::fabs(c2)) * cs.T.Max);
    cs.E.SumSq = std::max(cs.E.SumSq, std::max(c1 * c1, c2 * c2) * cs.T.Max);
  }
  normalise(cs.T);
  normalise(cs.E);
  const Real rhoMax = std::max(s.sim.rho0l, s.sim.rho0);
  normalise(cs.p, cs.E.SumSq / (rhoMax * rhoMax));

  // Pressure changes move the nodes: keep the velocity scale consistent with them.
  const Real scale2 = s.eos.EosScale * s.eos.EosScale;
  const Real q = scale2 * dt / s.sim.CellMassUniform;
  const Real k = 0.1L * q * q * cs.p.SumSq;
  if (cs.V.SumSq < k) {
    ConvergenceGroup& g = cs.V;
    g.SumSq = k;
    g.Max = std::max(g.Floor, std::sqrt(g.SumSq / N));
    g.Floor = std::max(g.Floor, 0.001L * g.Max);
    g.Num = std::max(g.Num, 1e-5L * g.SumSq);
  }
}

std::string DisagreementQuestion(int32_t IterCount, Real R1, Real R2) {
  return "Iteration did not agree! " + Int(IterCount) + " iterations, R1 =" + General(R1) +
         ", R2 =" + General(R2) + " Ignore and continue?";
}

bool IterateStep(HydroState& s, Real& dt, bool NoTofE) {
  ConvergenceState& cs = s.conv;
  THydrStat& A = *s.StateA;
  THydrStat& B = *s.StateB;
  THydrStat& C = *s.StateC;
  Real& R1 = cs.R1;
  Real& R2 = cs.R2;
  int32_t& IterCount = cs.IterCount;
  const bool AtMinStep = cs.AtMinStep;
  const int32_t MaxIter = cs.MaxIter;

  auto passB = [&](const THydrStat& third, bool conv, bool all, Real relax, Real& R) {
    return StepAttempt(s, B, A, third, dt, NoTofE, R, conv, all, relax);
  };
  auto passC = [&](const THydrStat& third, bool conv, bool all, Real relax, Real& R) {
    return StepAttempt(s, C, A, third, dt, NoTofE, R, conv, all, relax);
  };
  auto predictor = [&] { return passB(A, false, true, 0, R1); };
  auto S = [&] { return Rho(cs.V) + Rho(cs.X) + Rho(cs.T) + Rho(cs.E) + Rho(cs.p); };
  auto maxRho = [&] { return std::max({Rho(cs.V), Rho(cs.X), Rho(cs.T), Rho(cs.E), Rho(cs.p)}); };
  // Pending events (the Break button); false when the run was broken meanwhile.
  auto stillRunning = [&] {
    s.prompter.ProcessEvents();
    return s.sim.Running;
  };

  auto fail = [&] {
    if (cs.Tracing()) {
      Trace(s, TraceT5(IterCount, s.sim.SimTime, dt));
      Trace(s, TraceT6(cs, R1, R2));
    }
    return false;
  };
  auto accept = [&] {
    if (s.bounds.NoMove) B.v = A.v;
    dt = AtMinStep ? s.sim.dtMax : GrownStep(dt, s.sim.dtMax, IterCount);
    if (cs.Tracing()) {
      std::string mark = "-";
      mark += Int(IterCount);
      Trace(s, mark);
    }
    return true;
  };

  // 1. Predictor.
  if (!predictor()) return fail();
  // 2. Scales.
  ScaleSetup(s, dt);
  // 3. First correction.
  bool last;
  if (passC(B, true, true, 0, R1)) {
    last = passB(C, true, false, 0, R2);
  } else {
    if (R1 < 0) return fail();
    last = passB(C, true, false, 0, R2);
    if (last && cs.Tracing()) Trace(s, TraceT1(s.sim.SimTime, dt));
  }
  IterCount = 0;

  enum class Stage { Check, Recover, Iterate, Final };
  Stage stage = last ? Stage::Check : Stage::Recover;
  bool damped = false;      // Final was reached from the damped pass pair
  bool dampedGood = false;  // that pair was good
  for (;;) {
    switch (stage) {
      case Stage::Recover:
        if ((R1 < 0 || R2 < 0) && IterCount < MaxIter / 2) {
          // Restart from a fresh predictor with growing relaxation.
          ++IterCount;
          const Real relax = IterationRelax(IterCount);
          predictor();
          cs.FloorReset();
          passC(B, true, true, relax, R2);
          if (R1 < 0) R1 = 1;
          R1 = std::max(R1, R2);
          last = R2 < 0 ? false : passB(C, true, true, relax, R2);
          if (!stillRunning()) return fail();
          stage = Stage::Recover;
          break;
        }
        if (!last) {
          if (R1 < 0 || R2 < 0) return fail();
          R2 = std::max(R1, R2);
        }
        if (cs.Tracing()) Trace(s, TraceT2(IterCount, s.sim.SimTime, dt));
        stage = Stage::Check;
        break;

      case Stage::Check:
        if (IterCount >= MaxIter) {
          stage = Stage::Final;
        } else if (!last || maxRho() > kRhoLimit ||
                   std::max(R1, R2) * S() * R2 > kConvergedResidual) {
          stage = Stage::Iterate;
        } else {
          stage = Stage::Final;
        }
        break;

      case Stage::Iterate: {
        Real relax = IterationRelax(IterCount);
        const bool okC = passC(B, true, AtMinStep, relax, R1);
        const bool okB = okC && passB(C, true, AtMinStep, relax, R2);
        if (!stillRunning()) return fail();
        if (okC && okB) {
          ++IterCount;
          last = true;
          stage = Stage::Check;
          break;
        }
        if (!AtMinStep) {
          if (cs.Tracing()) Trace(s, TraceT3(IterCount, s.sim.SimTime, dt));
          return fail();
        }
        if (R1 < 0 || R2 < 0) {
          do {
            ++IterCount;
            relax = IterationRelax(IterCount);
            predictor();
            cs.FloorReset();
            passC(B, true, true, relax, R1);
            passB(C, true, true, relax, R2);
            if (!stillRunning()) return fail();
          } while ((R1 < 0 || R2 < 0) && IterCount < MaxIter / 2);
        } else {
          relax = DampedRelax(IterCount);
          passC(B, true, false, relax, R1);
          cs.FloorReset();
          passB(C, true, true, relax, R2);
        }
        // Damped pass pair: strong relaxation towards the previous iterate.
        ++IterCount;
        if (!stillRunning()) return fail();
        relax = DampedRelax(IterCount);
        passC(B, true, true, relax, R1);
        last = passB(C, true, true, relax, R2);
        if (cs.Tracing()) {
          Trace(s, TraceT4(IterCount, s.sim.SimTime, dt));
        }
        dampedGood = R1 >= 0 && R2 >= 0 && std::max(R1, R2) * S() * R2 < kDampedResidual;
        const bool running = stillRunning();
        if (dampedGood || !running) {
          damped = true;
          stage = Stage::Final;
        } else {
          ++IterCount;
          stage = Stage::Check;
        }
        break;
      }

      case Stage::Final: {
        const bool good = damped ? dampedGood
                                 : last && maxRho() <= kRhoLimit &&
                                       std::max(R1, R2) * S() * R2 <= kConvergedResidual;
        if (good && IterCount <= MaxIter) return accept();
        return FinalTolerance(cs, s.prompter, IterCount, R1, R2, AtMinStep) ? accept() : fail();
      }
    }
  }
}

void AdvanceStep(HydroState& s, Real& SimTime, Real& Step, bool NoTofE, Real TargetTime) {
  s.prompter.ProcessEvents();
  if (!s.sim.Running) return;
  ConvergenceState& cs = s.conv;
  ApplyViscosityRelax(s.visc);
  // A frozen grid carries no sound waves.
  if (!s.bounds.NoMove) Step = std::min(Step, StableStep(s, *s.StateA));

  const Real dtMin = MinimumStep(s.sim.dtMax, SimTime, TargetTime);
  cs.AtMinStep = dtMin >= Step;
  if (cs.AtMinStep) {
    cs.MaxIter = kMaxIterAtMinStep;
    Step = dtMin;
  } else {
    cs.MaxIter = kMaxIterNormal;
  }

  if (TargetTime - SimTime >= kFullStepsLeft * Step) {
    const Real used = Step;
    if (IterateStep(s, Step, NoTofE)) {
      s.SwapAB();
      SimTime += used;
      s.sim.SimTime = SimTime;
      return;
    }
    Step = used;
    if (cs.AtMinStep) {
      s.sim.Running = false;
    } else {
      Step /= 2;
    }
    return;
  }

  // Near the interval end.
  Real dt;
  Real newTime;
  if (TargetTime - SimTime > kHalvesAbove * Step) {
    dt = (TargetTime - SimTime) / 2;
    newTime = SimTime + dt;
  } else {
    dt = TargetTime - SimTime;
    newTime = TargetTime;
  }
  Real local = dt;
  if (IterateStep(s, local, NoTofE)) {
    s.SwapAB();
    SimTime = newTime;
    s.sim.SimTime = SimTime;
  } else if (cs.AtMinStep) {
    s.sim.Running = false;
  } else {
    Step = dt / 2;
  }
}

}  // namespace tarvex
