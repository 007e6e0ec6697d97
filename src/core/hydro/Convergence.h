// Convergence bookkeeping of the iterated implicit step.
//
// Five groups, one per tested quantity: "V" node velocities, "X" node coordinates,
// "E" cell energies, "T" cell temperatures, "p" cell pressures. Each pass of the
// iteration measures how far its result moved from the previous iterate; the ratio of
// successive changes (the step residual) tells whether the iteration contracts.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/Real.h"

namespace tarvex {

struct ConvergenceGroup {
  const char* name;
  Real Floor = 0;  // largest absolute change of the previous pass
  Real Max = 0;    // largest magnitude of the quantity
  Real Num = 0;    // sum of squared changes of the previous pass
  Real SumSq = 0;  // sum-of-squares scale of the quantity
};

// Receives the lines of the iteration trace. The file implementation opens the trace
// file for appending, writes and closes on every call, so a crash loses nothing.
class TraceSink {
 public:
  virtual ~TraceSink() = default;
  virtual void Append(std::string_view text) = 0;
};

// Largest absolute change and sum of squared changes of one quantity over a pass, for
// ConvergenceMeasure.
struct ChangeStats {
  Real maxAbs = 0;
  Real sumSq = 0;
  void Add(Real d) {
    const Real a = std::fabs(d);
    if (a > maxAbs) maxAbs = a;
    sumSq += d * d;
  }
};

struct ConvergenceState {
  ConvergenceGroup V{"V"}, X{"X"}, E{"E"}, T{"T"}, p{"p"};
  int32_t IterCount = 0;   // iterations of the current time step
  int32_t MaxIter = 7;     // 50 at the minimum step length
  bool AtMinStep = false;  // the step length is at its minimum
  Real Eps1 = 0;           // tolerances learnt from the user's answers; kept for the session
  Real Eps2 = 0;
  Real R1 = 0;  // step residuals of the last passes into StateC and StateB
  Real R2 = 0;
  TraceSink* trace = nullptr;  // tracing is on while a sink is set
  int64_t passes = 0;          // passes made in the session (for statistics)

  bool Tracing() const { return trace != nullptr; }
  void FloorReset() {
    for (ConvergenceGroup* g : {&V, &X, &E, &T, &p}) g->Floor = g->Max;
  }
};

// a / b for the non-negative change ratios of the convergence test. A quantity that is
// identically zero (the velocities of a state at rest) has zero scales: a change that
// stays zero against a zero reference is perfect convergence, a change out of nothing
// is none (1e30). Neither raises an arithmetic fault, which would fail the whole pass.
Real ChangeRatio(Real a, Real b);

// Updates `group` from the largest absolute change and the sum of squared changes of a
// pass and folds the ratio of changes into StepResidual. Returns whether the pass is
// acceptable (StepResidual in [0, 1]).
bool ConvergenceMeasure(ConvergenceState& cs, ConvergenceGroup& group, bool Converging,
                        Real& StepResidual, Real MaxChange, Real SumChange);

// Number layouts of the trace file: fixed with `decimals` in `width`, and the exponent
// form of `width` characters (sign or blank, one digit, point, as many decimals as fit,
// at least one, "E", signed two-or-more-digit exponent).
std::string TraceFixed(Real x, int32_t width, int32_t decimals);
std::string TraceExp(Real x, int32_t width);

}  // namespace tarvex
