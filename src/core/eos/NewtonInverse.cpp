// Newton inversion of a total along temperature at fixed density.
#include "core/eos/NewtonInverse.h"

#include "core/common/NewtonCycle.h"

namespace tarvex {

Real NewtonInverse(const NewtonInverseParams& p, Real rho, Real y) {
  const Real x0 = p.Start ? p.Start(rho, y) : p.T0;
  return NewtonWithCycleGuard(
      x0, [&p, rho, y](Real T) { return T + (y - p.F(rho, T)) / p.D(rho, T); },
      NewtonScale::Relative);
}

Slot2 BindNewtonInverse(NewtonInverseParams& block, Slot2 F, Slot2 D, Real T0, Slot2 start) {
  block.F = F;
  block.D = D;
  block.Start = start;
  block.T0 = T0;
  return MakeSlot<NewtonInverseParams, &NewtonInverse>(block);
}

}  // namespace tarvex
