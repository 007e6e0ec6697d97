// What every electron model of a metal shares: the common parameters written by the
// thermal-parameter dialog's OK, the run switches, the Fermi-parameter routine and the
// helper functions of the models (hypot, harmonic, the density switches, E_F and T_F,
// Pe from Ee), the cached rho^(2/3), and the ion (lattice) conductivity of the film.
//
// Units: rho g/cm3, T K, energies kJ/g (E_F in kJ per electron), pressure GPa, heat
// capacity kJ/g/K, conductivity kW/cm/K.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/electron/ElectronConstants.h"

namespace tarvex {

// Common parameters of the metal models, as the last accepted page left them.
struct ElectronCommon {
  Real ElRho0 = 0;               // reference density rho0 [g/cm3]
  Real AtomMassG = 0;            // mass of one atom m_at = MatNo / NAv [g]
  Real ElZ = 1;                  // free electrons per atom Z
  Real TFcoef = 0;               // T_F(rho) = TFcoef rho^(2/3) [K]
  Real EFcoef = 0;               // E_F(rho) = EFcoef rho^(2/3) [kJ per electron]
  Real CouplingConst = 0;        // alpha / rho0 [kW/g/K]
  Real IonKappaCoef = 0;         // k_i of the ion conductivity [kW/cm]
  Real IonKappaB = 0;            // b_r of the ion conductivity
  Real RhoMd = 0;                // density below which the free-electron gas is off [g/cm3]
  int32_t ElMaterialIndex = -1;  // entry of Materials; -1 before any choice
  std::string ElMaterialName;    // its caption ("==" for the "Constant" model)
  Real FermiA = 0;               // a = 1.5 kB Z/m_at: classical heat capacity c_cl [kJ/g/K]
  Real FermiA2 = 0;              // a^2
};

// Run switches of the thermal solvers.
struct ElectronSwitches {
  bool NoConduct = false;  // no heat conduction
  bool NoThermo = false;   // no electron thermodynamics at all (only with NoConduct)
};

// The Fermi parameters of a free-electron gas with x electrons per gram.
struct FermiParameters {
  Real EFcoef = 0;  // hbar^2/(2 m_e) (3 pi^2 x)^(2/3) [kJ (cm3/g)^(2/3)]
  Real TFcoef = 0;  // EFcoef / kB [K (cm3/g)^(2/3)]
  Real a = 0;       // 1.5 kB x [kJ/g/K]
  Real a2 = 0;      // a^2
};

// x = Z / m_at [electrons per gram]. Not for per-cell use (one cube root).
FermiParameters FermiFromElectronsPerGram(Real x);

// Stores the Fermi parameters of Z / m_at of `c` in `c`.
void SetFermiParameters(ElectronCommon& c);

// ---- helper functions ------------------------------------------------------------------

// sqrt(a^2 + b^2), the plain form: the models' arguments are far from overflow, and the
// library hypot costs several times more on the 80-bit type.
inline Real Hypot(Real a, Real b) {
  return std::sqrt(a * a + b * b);
}

// Combines two rates or conductivities: 1 / hypot(1/a, 1/b).
inline Real Harmonic(Real a, Real b) {
  return 1 / Hypot(1 / a, 1 / b);
}

// Switch s(y) for y = rho/rho_md: 0 below 1, 1 - (2 - y)^2 on [1, 2), 1 from 2 on.
inline Real SwitchS(Real y) {
  if (y < 1) return 0;
  if (y >= 2) return 1;
  const Real u = 2 - y;
  return 1 - u * u;
}

// Second switch s'(y) = 2 - y on [1, 2), else 0; ds/dy = 2 s'(y).
inline Real SwitchSPrime(Real y) {
  return (y >= 1 && y < 2) ? 2 - y : 0;
}

// x^N for a non-negative integer N, by repeated squaring.
template <int N>
constexpr Real IntPow(Real x) {
  if constexpr (N == 0) {
    return 1;
  } else if constexpr (N % 2 == 0) {
    const Real h = IntPow<N / 2>(x);
    return h * h;
  } else {
    return x * IntPow<N - 1>(x);
  }
}

// The cube root to the rounding of the 80-bit type at under half the cost of the 80-bit
// library root: the double-precision root refined by one Newton step on z^3 = x (the
// error goes from 1e-16 to its square).
inline Real CubeRoot(Real x) {
  const Real a = std::fabs(x);
  if (!(a > 1e-300L && a < 1e300L)) return std::cbrt(x);  // 0, NaN, beyond double's range
  const Real z = static_cast<Real>(std::cbrt(static_cast<double>(x)));
  return z - (z * z * z - x) / (3 * z * z);
}

// x^(A/B) for x > 0 and small positive integers A, B, to the rounding of the 80-bit type:
// the double-precision power (a logarithm and an exponential of the double type, a third
// of the cost of the 80-bit pair) refined by one Newton step on y^B = x^A. Used for the
// fixed fractional exponents of the fits (Te^0.1 = Te^(1/10), x^0.6 = x^(3/5), ...), so
// that no slot pays for powl or for an 80-bit logarithm and exponential.
template <int A, int B>
Real RationalPow(Real x) {
  static_assert(A > 0 && B > 1, "a positive fraction");
  constexpr Real p = static_cast<Real>(A) / B;
  // Outside double's range (and for x <= 0 or NaN, which fault as the 80-bit power would).
  if (!(x > 1e-300L && x < 1e300L)) return std::exp(p * std::log(x));
  const Real y =
      static_cast<Real>(std::exp(static_cast<double>(p) * std::log(static_cast<double>(x))));
  const Real yB1 = IntPow<B - 1>(y);
  return y - (yB1 * y - IntPow<A>(x)) / (B * yB1);
}

// x^p for x > 0 and a fitted, non-rational exponent p (the exponents of the conductivity
// and heat-capacity fits): the logarithm and exponential of the double type, a fraction of
// the cost of powl on the 80-bit type, to a relative 1e-16 that no fit resolves. x = 0
// gives 0 for p > 0; a negative x or NaN gives NaN (the caller's FpGuard sees it).
inline Real FitPow(Real x, Real p) {
  if (!(x > 1e-300L && x < 1e300L)) return std::exp(p * std::log(x));
  return static_cast<Real>(std::exp(static_cast<double>(p) * std::log(static_cast<double>(x))));
}

// exp(x) through the double type, for exponents assembled from cached logarithms
// (|x| < 700; beyond, the 80-bit exponential).
inline Real FitExp(Real x) {
  if (!(std::fabs(x) < 700)) return std::exp(x);
  return static_cast<Real>(std::exp(static_cast<double>(x)));
}

// The d-band shape of the gold coupling, TeV^3.6/(1 + TeV^3.5 + 0.9 TeV^4.1) with TeV = kB Te
// [eV]: TeV^3.5 = TeV^3 sqrt(TeV), TeV^3.6 = TeV^3.5 TeV^0.1, TeV^4.1 = TeV^3.6 sqrt(TeV).
inline Real DBandCouplingShape(Real TeV) {
  if (!(TeV > 0)) return 0;
  const Real r = std::sqrt(TeV);
  const Real t35 = TeV * TeV * TeV * r;
  const Real t36 = t35 * RationalPow<1, 10>(TeV);
  return t36 / (1 + t35 + 0.9L * t36 * r);
}

// The key of a memo that has not seen an argument yet: NaN compares unequal to every
// argument (quietly, so a fresh memo raises no floating-point flag).
inline constexpr Real kNoKey = std::numeric_limits<Real>::quiet_NaN();

// rho^(1/3) and rho^(2/3) of the last density asked for. The energy step calls several
// slots of one model at the density of one cell; the cube root is computed once. A cache
// belongs to the parameter block of one model (which the session owns), never to a
// static: two sessions never share one.
class Rho23Cache {
 public:
  Real Rho23(Real rho) const {
    Update(rho);
    return r23_;
  }
  Real Rho13(Real rho) const {
    Update(rho);
    return r13_;
  }

 private:
  void Update(Real rho) const {
    if (rho != rho_) {
      r13_ = CubeRoot(rho);
      r23_ = r13_ * r13_;
      rho_ = rho;
    }
  }

  mutable Real rho_ = kNoKey;
  mutable Real r13_ = 0;
  mutable Real r23_ = 0;
};

// The Fermi energy with the density switch: EFcoef (rho s(rho/rho_md))^(2/3) when
// rho_md != 0, else EFcoef rho^(2/3) [kJ].
inline Real FermiEnergy(Real EFcoef, Real rhoMd, Real rho, const Rho23Cache& cache) {
  const Real e = EFcoef * cache.Rho23(rho);
  if (rhoMd == 0 || rho >= 2 * rhoMd) return e;
  const Real s = SwitchS(rho / rhoMd);
  return s > 0 ? e * CubeRoot(s * s) : 0;
}

// T_F(rho) = TFcoef rho^(2/3) [K].
inline Real FermiTemperature(Real TFcoef, Real rho, const Rho23Cache& cache) {
  return TFcoef * cache.Rho23(rho);
}

// Electron pressure of an ideal Fermi gas from its energy: (2/3) rho Ee [GPa].
inline Real PeFromEe(Real rho, Real Ee) {
  return (2 * rho * Ee) / 3;
}

// The same as slots over a model's energy and heat-capacity slots: Pe = (2/3) rho Ee and
// dPe/dTe = (2/3) rho Ce, for models whose electrons are an ideal Fermi gas.
struct PeFromEeParams {
  Slot2 ElEnergy;
  Slot2 ElHeatCap;
};
Real PeOfEnergySlot(const PeFromEeParams& p, Real rho, Real Te);
Real PeDTOfHeatCapSlot(const PeFromEeParams& p, Real rho, Real Te);

// Density shape of the electron-ion conductivity fits (silver, tantalum), x = rho/rho_ref:
//   y(x) = (1 + cab) x^(2a+1)/(1 + cab x^(a+1)),  cab = (a - b)/(b + 1),
// so that y(1) = 1. One logarithm and one exponential (of the double type, FitPow): callers
// keep it per density.
Real ConductivityShape(Real x, Real a, Real cab);

// ---- simple parameter blocks -------------------------------------------------------------

// A constant slot (the coupling constant, the constant conductivity).
struct ConstParams {
  Real value = 0;
};
Real ConstValue(const ConstParams& p, Real rho, Real x);
Real ConstValue3(const ConstParams& p, Real rho, Real Te, Real Ti);

// The ion (lattice) conductivity of the film:
//   kappa_i(rho, Ti) = k_i/Ti (b' rho^(2/3) + Ti/Tat)^(7/2)  [kW/cm/K],
// b' = b_r/rho0^(2/3) for the frames (so that b_r acts at the reference density) and
// b' = b_r for the "Simple metall" page, which takes b_r as entered.
struct IonKappaParams {
  Real k_i = 0;                             // [kW/cm]
  Real bPrime = 0;                          // [(cm3/g)^(2/3)]
  Real invTat = 1 / electron::IonKappaTat;  // [1/K]
  Rho23Cache rho23;
};

// rho0 = 0 takes b_r as entered.
IonKappaParams MakeIonKappaParams(Real k_i, Real b_r, Real rho0);
Real IonKappa(const IonKappaParams& p, Real rho, Real Ti);

}  // namespace tarvex
