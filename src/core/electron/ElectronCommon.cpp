// The Fermi-parameter routine, the constant slots and the ion conductivity.
#include "core/electron/ElectronCommon.h"

namespace tarvex {

using electron::ClassicalCoef;
using electron::FermiPrefactor;
using electron::kB;
using electron::ThreePi2;

FermiParameters FermiFromElectronsPerGram(Real x) {
  const Real n = ThreePi2 * x;  // 3 pi^2 x
  FermiParameters f;
  f.EFcoef = FermiPrefactor * std::cbrt(n * n);
  f.TFcoef = f.EFcoef / kB;
  f.a = ClassicalCoef * x;
  f.a2 = f.a * f.a;
  return f;
}

void SetFermiParameters(ElectronCommon& c) {
  const FermiParameters f = FermiFromElectronsPerGram(c.ElZ / c.AtomMassG);
  c.EFcoef = f.EFcoef;
  c.TFcoef = f.TFcoef;
  c.FermiA = f.a;
  c.FermiA2 = f.a2;
}

Real ConductivityShape(Real x, Real a, Real cab) {
  const Real xa1 = FitPow(x, a + 1);  // x^(a+1)
  return (1 + cab) * (xa1 * xa1 / x) / (1 + cab * xa1);
}

Real PeOfEnergySlot(const PeFromEeParams& p, Real rho, Real Te) {
  return PeFromEe(rho, p.ElEnergy(rho, Te));
}

Real PeDTOfHeatCapSlot(const PeFromEeParams& p, Real rho, Real Te) {
  return PeFromEe(rho, p.ElHeatCap(rho, Te));
}

Real ConstValue(const ConstParams& p, Real, Real) {
  return p.value;
}

Real ConstValue3(const ConstParams& p, Real, Real, Real) {
  return p.value;
}

IonKappaParams MakeIonKappaParams(Real k_i, Real b_r, Real rho0) {
  IonKappaParams p;
  p.k_i = k_i;
  p.bPrime = rho0 > 0 ? b_r / std::cbrt(rho0 * rho0) : b_r;
  return p;
}

Real IonKappa(const IonKappaParams& p, Real rho, Real Ti) {
  const Real x = p.bPrime * p.rho23.Rho23(rho) + Ti * p.invTat;
  return p.k_i / Ti * (x * x * x * std::sqrt(x));  // x^(7/2)
}

}  // namespace tarvex
