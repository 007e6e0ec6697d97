// The Newton iteration with two-cycle protection used wherever a function is inverted
// numerically (temperature from energy or pressure, the inverse of a table segment).
//
// Tolerance scheme: tol starts at 1e-20 and the iteration stops when
//   scale(x_new) * tol >= |x_new - x| + |x_new - x_prev|,
// where scale is |x_new| (relative test) or 1 (absolute test). While it has not
// stopped, tol grows by 1.2 per step, so the loop ends even when round-off keeps the
// iterates wandering. When an iterate returns to the one before (a two-cycle,
// x_new == x_prev) tol doubles and the next iterate is the midpoint of the two.
// An arithmetic fault inside a Newton step also takes the midpoint instead, as long as
// there is a distinct previous iterate; otherwise the fault is left raised for the
// caller's FpGuard. The loop also ends when an iterate repeats the previous one.
#pragma once

#include <cmath>

#include "core/common/FpGuard.h"
#include "core/common/Real.h"

namespace tarvex {

enum class NewtonScale { Relative, Absolute };

struct NewtonStats {
  int32_t steps = 0;
  int32_t midpoints = 0;  // two-cycles or faults resolved by bisection of the cycle
};

// step(x) returns the next Newton iterate from x.
template <class Step>
Real NewtonWithCycleGuard(Real x0, Step step, NewtonScale scaleKind = NewtonScale::Relative,
                          NewtonStats* stats = nullptr) {
  constexpr int32_t kMaxSteps = 2000;  // tol reaches 1 after ~250 steps; this is a backstop
  Real x = x0;
  Real xPrev = x0;
  Real tol = 1e-20L;
  bool midpoint = false;
  for (int32_t k = 0; k < kMaxSteps; ++k) {
    Real xNew;
    if (midpoint) {
      xNew = (x + xPrev) / 2;
      midpoint = false;
      if (stats) ++stats->midpoints;
    } else {
      bool faulted;
      {
        FpGuard guard;
        xNew = step(x);
        faulted = guard.Faulted();
        if (faulted && x != xPrev) guard.Reset();  // handled here: do not report upward
      }
      if (faulted) {
        if (x == xPrev) return xNew;  // nothing to fall back on: the caller's guard sees it
        xNew = (x + xPrev) / 2;
        if (stats) ++stats->midpoints;
      }
    }
    if (stats) ++stats->steps;
    const Real scale = scaleKind == NewtonScale::Relative ? std::fabs(xNew) : Real(1);
    if (scale * tol >= std::fabs(xNew - x) + std::fabs(xNew - xPrev)) return xNew;
    if (xNew == xPrev) {
      tol *= 2;
      midpoint = true;
    } else {
      tol *= 1.2L;
    }
    xPrev = x;
    x = xNew;
    if (x == xPrev) return x;
  }
  return x;
}

}  // namespace tarvex
