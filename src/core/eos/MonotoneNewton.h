// Temperature from a quantity that increases with temperature (E or P at fixed density),
// by the cycle-guarded Newton iteration of NewtonCycle.h with a safeguarded step.
//
// Every evaluation F(T) tells on which side of the root T lies, so the evaluations build a
// bracket [lo, hi]; a Newton step that leaves the bracket (overshooting a kink of a
// piecewise model, a melting band with its latent heat, or a negative temperature) is
// replaced by the bracket's midpoint. Inside one smooth piece the steps are Newton's and
// converge quadratically; across pieces the bracket halves at worst, and the growing
// tolerance of NewtonWithCycleGuard ends the iteration within about 55 steps even then.
#pragma once

#include <cmath>
#include <limits>

#include "core/common/NewtonCycle.h"
#include "core/common/Real.h"

namespace tarvex {

// Relative size of a Newton correction below which it is rounding noise (4 ulp).
inline constexpr Real kSnap = 4 * std::numeric_limits<Real>::epsilon();

// T with F(T) = y, F increasing in T, from the start T0; `fd(T, F, D)` evaluates F and
// dF/dT together. The root is sought above `lo` (0 for models defined at T > 0 only).
template <class FD>
Real IncreasingRoot(Real T0, Real y, FD fd, Real lo = 0) {
  Real hi = std::numeric_limits<Real>::infinity();
  if (!(T0 > lo)) T0 = lo > 0 ? 2 * lo : Real(1);
  return NewtonWithCycleGuard(T0, [&fd, &lo, &hi, y](Real T) {
    Real F, D;
    fd(T, F, D);
    if (F < y) {
      lo = T;
    } else if (F > y) {
      hi = T;
    } else if (F == y) {
      return T;
    } else {  // not a number: back into the bracket when there is one
      return std::isfinite(hi) ? (lo + hi) / 2 : F;
    }
    Real Tn = T + (y - F) / D;
    if (!(Tn > lo && Tn < hi)) {  // outside the bracket, or not a number
      return std::isfinite(hi) ? (lo + hi) / 2 : 2 * std::fabs(T) + 1;
    }
    // A correction of a few ulp is rounding noise of F: T is the root. Returning T itself
    // ends the iteration at the next test instead of after the tolerance has grown past
    // the noise (some 17 steps from its start at 1e-20).
    if (std::fabs(Tn - T) <= kSnap * std::fabs(T)) return T;
    return Tn;
  });
}

}  // namespace tarvex
