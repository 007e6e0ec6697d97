// Helpers of the table-set tests: a set filled from functions of (rho, T), text files in
// a folder, and a smooth equation of state with a cold curve to tabulate.
#pragma once

#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "core/common/Real.h"
#include "core/eos/EosTableSet.h"

namespace tarvex::testing {

using TableFn = std::function<Real(Real rho, Real T)>;

// A complete set on the given grids (volumes from the densities, in the order given),
// the pressure and energy tables filled from the functions.
inline std::shared_ptr<TEosTableSet> MakeTableSet(const RealArray& T, const RealArray& rho,
                                                  const TableFn& P, const TableFn& E) {
  auto set = std::make_shared<TEosTableSet>();
  RealArray V(rho.size());
  for (size_t j = 0; j < rho.size(); ++j) V[j] = 1 / rho[j];
  std::string message;
  if (!set->SetGrids(T, V, message)) return nullptr;
  set->Pressure.resize(set->Cells());
  set->Energy.resize(set->Cells());
  for (int32_t i = 0; i < set->NT(); ++i) {
    for (int32_t j = 0; j < set->NV(); ++j) {
      const Real r = set->RhoGrid()[static_cast<size_t>(j)];
      const Real t = set->TGrid()[static_cast<size_t>(i)];
      set->Pressure[set->Index(i, j)] = P(r, t);
      set->Energy[set->Index(i, j)] = E(r, t);
    }
  }
  return set;
}

inline RealArray Linspace(Real a, Real b, int32_t n) {
  RealArray x(static_cast<size_t>(n));
  for (int32_t k = 0; k < n; ++k) x[static_cast<size_t>(k)] = a + (b - a) * k / (n - 1);
  return x;
}

inline void WriteText(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
}

// A solid with a cold curve of the Murnaghan form (n = 4) and a thermal part whose heat
// capacity grows with T (as with an electron contribution), in Mie-Grueneisen form with
// Gamma rho = g const:
//   Pc = B/4 (x^4 - 1),  Ec = B/(4 rho0) (x^3/3 + 1/x - 4/3),  x = rho/rho0 (Pc = rho^2 Ec'),
//   Eth = cv (T - T0) + a (T^{3/2} - T0^{3/2}),
//   E(rho, T) = Ec + Eth,  P(rho, T) = Pc + g rho Eth.
// Neither part is a polynomial of degree 2 or less, which the interpolation would
// reproduce exactly. Units: rho g/cm3, T K, E kJ/g, P GPa. Smooth and monotonic in
// both variables for rho > rho0 and T > T0.
struct SmoothSolid {
  static constexpr Real rho0 = 8;
  static constexpr Real B = 150;
  static constexpr Real cv = 4e-4L;
  static constexpr Real a = 4e-6L;
  static constexpr Real g = 2;
  static constexpr Real T0 = 300;

  static Real Eth(Real T) { return cv * (T - T0) + a * (T * std::sqrt(T) - T0 * std::sqrt(T0)); }
  static Real E(Real rho, Real T) {
    const Real x = rho / rho0;
    return B / (4 * rho0) * (x * x * x / 3 + 1 / x - Real(4) / 3) + Eth(T);
  }
  static Real Pc(Real rho) {
    const Real x = rho / rho0;
    return B / 4 * (x * x * x * x - 1);
  }
  static Real P(Real rho, Real T) { return Pc(rho) + g * rho * Eth(T); }
  static Real Cv(Real, Real T) { return cv + Real(1.5) * a * std::sqrt(T); }
  static Real dPdT(Real rho, Real T) { return g * rho * Cv(rho, T); }
  static Real dPdrho(Real rho, Real T) {
    const Real x = rho / rho0;
    return B / rho0 * x * x * x + g * Eth(T);
  }
  static Real dEdrho(Real rho, Real) { return Pc(rho) / (rho * rho); }
  // c^2 = dP/drho + (P/rho^2 - dE/drho) dP/dT / Cv [km^2/s^2], the formula the table
  // lookup applies to its interpolated derivatives.
  static Real SoundSpeed(Real rho, Real T) {
    return std::sqrt(dPdrho(rho, T) +
                     (P(rho, T) / (rho * rho) - dEdrho(rho, T)) * dPdT(rho, T) / Cv(rho, T));
  }
};

}  // namespace tarvex::testing
