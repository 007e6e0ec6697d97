// The "Constant" electron model.
#include "core/electron/ConstantModel.h"

namespace tarvex {

Real ConstantEnergy(const ConstantElParams& p, Real, Real Te) {
  return p.ce * Te;
}
Real ConstantHeatCap(const ConstantElParams& p, Real, Real) {
  return p.ce;
}
Real ConstantPressure(const ConstantElParams& p, Real rho, Real Te) {
  return p.Gr * rho * p.ce * Te;
}
Real ConstantPressureDT(const ConstantElParams& p, Real rho, Real) {
  return p.Gr * rho * p.ce;
}

}  // namespace tarvex
