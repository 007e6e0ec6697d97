// The free-electron gas of the metal frames.
#include "core/electron/FreeElectronGas.h"

namespace tarvex {

FegParams MakeFegParams(const ElectronCommon& c, Real plasmaFactor) {
  FegParams p;
  const Real x = c.ElZ / c.AtomMassG;  // electrons per gram
  // gamma(rho) = (pi^2/2) kB^2 x / E_F(rho) and E_F(rho) = EFcoef (rho s)^(2/3).
  p.Gamma = electron::SommerfeldCoef * x / c.EFcoef;
  p.ccl = c.FermiA;
  p.ccl2 = c.FermiA2;
  p.RhoMd = c.RhoMd;
  p.RhoMd2 = 2 * c.RhoMd;
  p.EFcoef = c.EFcoef;
  p.TFcoef = c.TFcoef;
  p.KappaPlCoef = plasmaFactor * electron::PlasmaKappaCoef / c.ElZ;
  return p;
}

Real FegGamma(const FegParams& p, Real rho) {
  if (rho <= p.RhoMd) return 0;
  Real d23 = p.rho23.Rho23(rho);  // (rho s)^(2/3) with s = 1 from 2 rho_md on
  if (rho < p.RhoMd2) {
    const Real s = SwitchS(rho / p.RhoMd);
    if (!(s > 0)) return 0;
    d23 *= CubeRoot(s * s);
  }
  return p.Gamma / d23;
}

Real FegEnergy(const FegParams& p, Real rho, Real Te) {
  const Real g = FegGamma(p, rho);
  if (g == 0) return 0;
  const Real y = g * Te;
  // (c/g)(sqrt(c^2 + y^2) - c) written without the cancellation of its degenerate limit.
  return p.ccl * g * Te * Te / (p.ccl + std::sqrt(p.ccl2 + y * y));
}

Real FegHeatCap(const FegParams& p, Real rho, Real Te) {
  const Real y = FegGamma(p, rho) * Te;
  return y * p.ccl / std::sqrt(y * y + p.ccl2);
}

Real FegPressure(const FegParams& p, Real rho, Real Te) {
  return PeFromEe(rho, FegEnergy(p, rho, Te));
}

Real FegPressureDT(const FegParams& p, Real rho, Real Te) {
  return PeFromEe(rho, FegHeatCap(p, rho, Te));
}

}  // namespace tarvex
