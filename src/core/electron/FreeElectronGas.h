// The free-electron gas of the metal frames: a Fermi gas whose Sommerfeld coefficient
// follows the density, switched off below the density rho_md, with the classical limit
// c_cl = 1.5 kB Z/m_at at high temperature; and the plasma conductivity and velocity term
// the conductivities of the frames build on.
//
//   gamma(rho) = Gamma / (rho s(rho/rho_md))^(2/3)        (0 for rho <= rho_md)
//   Ee = (c_cl/gamma) (sqrt(c_cl^2 + y^2) - c_cl),  y = gamma Te
//   Ce = dEe/dTe = c_cl y / sqrt(c_cl^2 + y^2),     Pe = (2/3) rho Ee
//
// so that Ee -> gamma Te^2/2 in the degenerate limit and -> c_cl Te in the classical one.
// Units: rho g/cm3, Te K, Ee kJ/g, Ce kJ/g/K, Pe GPa, conductivity kW/cm/K.
#pragma once

#include "core/common/Real.h"
#include "core/electron/ElectronCommon.h"

namespace tarvex {

struct FegParams {
  Real Gamma = 0;        // gamma(rho) rho^(2/3) at full switch [kJ/g/K^2 (g/cm3)^(2/3)]
  Real ccl = 0;          // classical heat capacity c_cl [kJ/g/K]
  Real ccl2 = 0;         // c_cl^2
  Real RhoMd = 0;        // rho_md [g/cm3]; 0: no cut-off
  Real RhoMd2 = 0;       // 2 rho_md, where the switch reaches 1
  Real EFcoef = 0;       // E_F(rho) = EFcoef (rho s)^(2/3) [kJ]
  Real TFcoef = 0;       // T_F(rho) = TFcoef rho^(2/3) [K]
  Real KappaPlCoef = 0;  // C_pl: kappa_pl = C_pl Te^(5/2) [kW/cm/K^(7/2)]
  Rho23Cache rho23;
};

// From the common parameters (Fermi parameters, Z, RhoMd set). `plasmaFactor` scales
// the Spitzer coefficient (0.5 for the frames, 1 for the "Simple metall" page).
FegParams MakeFegParams(const ElectronCommon& c, Real plasmaFactor);

// gamma(rho) [kJ/g/K^2]; 0 at and below rho_md.
Real FegGamma(const FegParams& p, Real rho);

Real FegEnergy(const FegParams& p, Real rho, Real Te);      // [kJ/g]
Real FegHeatCap(const FegParams& p, Real rho, Real Te);     // [kJ/g/K]
Real FegPressure(const FegParams& p, Real rho, Real Te);    // [GPa]
Real FegPressureDT(const FegParams& p, Real rho, Real Te);  // [GPa/K]

// E_F(rho) with the density switch [kJ] and T_F(rho) [K].
inline Real FegFermiEnergy(const FegParams& p, Real rho) {
  return FermiEnergy(p.EFcoef, p.RhoMd, rho, p.rho23);
}
inline Real FegFermiTemperature(const FegParams& p, Real rho) {
  return FermiTemperature(p.TFcoef, rho, p.rho23);
}

// Plasma (Spitzer) conductivity C_pl Te^(5/2) [kW/cm/K].
inline Real PlasmaKappa(const FegParams& p, Real Te) {
  return p.KappaPlCoef * Te * Te * std::sqrt(Te);
}

// The v^2/3 of the conductivities [cm2/s2]: sqrt((kB Te)^2 + (0.4 E_F)^2) / m_e with the
// energies in erg (kB Te/m_e for a classical gas, 0.4 E_F/m_e for a degenerate one).
inline Real VelocityTerm(Real Te, Real EF) {
  return Hypot(electron::kBerg * Te, 0.4L * electron::ErgPerKJ * EF) / electron::ElectronMass;
}

}  // namespace tarvex
