// The iterated implicit time step and its step-size control.
//
// One time step is implicit: the new state enters its own pressure, compression rate and
// temperature. It is solved by a predictor pass followed by corrector passes that
// alternate between the work instances StateB and StateC until the changes between
// successive passes stop shrinking and become small against adaptive scales
// (IterateStep). AdvanceStep chooses the step length, halves it after a failure and ends
// the run when even the minimum step fails.
#pragma once

#include <string>

#include "core/common/Prompter.h"
#include "core/common/Real.h"
#include "core/hydro/Convergence.h"

namespace tarvex {

class HydroState;
class THydrStat;

// One pass into Self from Old (always StateA) and Third (the latest iterate; Old itself
// for the predictor). Returns whether the pass is acceptable; StepResidual < 0 marks a
// pass that could not be evaluated (folded grid, NaN, arithmetic fault = -1).
bool StepAttempt(HydroState& s, THydrStat& Self, const THydrStat& Old, const THydrStat& Third,
                 Real dt, bool NoTofE, Real& StepResidual, bool Converging, bool CompleteAll,
                 Real Relax);

// Convergence scales for the iteration of one step, after the predictor.
void ScaleSetup(HydroState& s, Real dt);

// The longest step from state A that the iteration converges in a few passes and whose
// accepted result stays stable: the sound-crossing time of a cell times a Courant
// number, shortened where a compressed cell's viscous pressure stiffens the iteration.
// Infinite when no cell bounds it (a state at rest without pressure).
Real StableStep(HydroState& s, THydrStat& A);

// Computes the new state into StateB. On success dt holds the proposed next step.
bool IterateStep(HydroState& s, Real& dt, bool NoTofE);

// Advances StateA by one accepted step towards TargetTime (or fails and shortens Step;
// at the minimum step a failure clears Running).
void AdvanceStep(HydroState& s, Real& SimTime, Real& Step, bool NoTofE, Real TargetTime);

// The acceptance rules of a step whose iteration did not converge: the tolerances
// learnt from earlier answers (Eps1), and at the minimum step the disagreement question
// with its six answers, which teach Eps1 and Eps2. Returns whether to accept.
bool FinalTolerance(ConvergenceState& cs, Prompter& prompter, int32_t IterCount, Real R1, Real R2,
                    bool AtMinStep);

// Lines of the iteration trace file (t the time, dt the step):
// T1 first correction failed but recovered; T2 recovered by restarts; T3 iteration
// failed; T4 damped pass pair; T5 and T6 the failed step with its convergence scales.
std::string TraceT1(Real t, Real dt);
std::string TraceT2(int32_t IterCount, Real t, Real dt);
std::string TraceT3(int32_t IterCount, Real t, Real dt);
std::string TraceT4(int32_t IterCount, Real t, Real dt);
std::string TraceT5(int32_t IterCount, Real t, Real dt);
std::string TraceT6(const ConvergenceState& cs, Real R1, Real R2);

// The question asked when the iteration at the minimum step did not agree.
std::string DisagreementQuestion(int32_t IterCount, Real R1, Real R2);

}  // namespace tarvex
