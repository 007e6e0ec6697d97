// THydrStat: the base solver class. It owns the grid state of one instance (node
// coordinates and velocities, cell pressures, temperatures and energies), offers the
// geometric operations every other part uses, and implements the three sub-steps of one
// Lagrangian pass for an inviscid, non-conducting medium.
//
// Indexing: nodes 0..N carry x [cm] and v [cm/s]; cells 0..N-1 carry T [K], E [kJ/g] and
// P [GPa]; P has an extra entry N holding the outer pressure Pout. Cell i lies between
// nodes i and i+1. Density is never stored: it follows from coordinates and cell masses.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/common/Real.h"
#include "core/hydro/SolverClass.h"

namespace tarvex {

class HydroState;

// b^n - a^n without cancellation for the small n of the geometries.
inline Real PowerDifference(int32_t n, Real a, Real b) {
  switch (n) {
    case 0:
      return 0;
    case 1:
      return b - a;
    case 2:
      return (b - a) * (a + b);
    case 3:
      return (b - a) * (b * b + a * b + a * a);
    default: {
      // sum over k of b^(n-1-k) a^k, by Horner's rule in b
      Real sum = 1;
      Real ak = 1;
      for (int32_t m = 1; m < n; ++m) {
        ak *= a;
        sum = sum * b + ak;
      }
      return (b - a) * sum;
    }
  }
}

// x^n for the radial powers 0, 1, 2.
inline Real IntPow(Real x, int32_t n) {
  Real r = 1;
  for (int32_t k = 0; k < n; ++k) r *= x;
  return r;
}

// Mean of r^n over [a, b], (b^(n+1) - a^(n+1)) / ((n + 1)(b - a)), without the division:
// the area (per unit solid angle) on which a radial stress in a shell between the radii
// a and b acts, so that this area times the shell's width is its volume.
inline Real MeanArea(int32_t n, Real a, Real b) {
  switch (n) {
    case 0:
      return 1;
    case 1:
      return (a + b) / 2;
    case 2:
      return (a * a + a * b + b * b) / 3;
    default: {
      Real sum = 1;
      Real ak = 1;
      for (int32_t m = 1; m <= n; ++m) {
        ak *= a;
        sum = sum * b + ak;
      }
      return sum / (n + 1);
    }
  }
}

// Work of the driving pressure on cell i over a step of dt per unit mass [kJ/g]: dt/2
// (VolumeRate_Old + VolumeRate_new) P. On curved grids the viscous part Qvisc of P does
// work with the radial rate over the cell's mean area at the middle of the step (as in the
// velocity step), per unit solid angle. The energy steps of every class subtract it.
template <bool Curved>
inline Real CellWork(const Real* oldX, const Real* oldV, const Real* thirdX, const Real* x,
                     const Real* v, const Real* P, const Real* qVisc, const Real* cellMass,
                     Real invCellMassUniform, int32_t rp, int32_t i, Real half) {
  if constexpr (Curved) {
    auto rate = [&](const Real* xs, const Real* vs) {
      return ((IntPow(xs[i], rp) + IntPow(xs[i + 1], rp)) * (vs[i + 1] - vs[i]) +
              PowerDifference(rp, xs[i], xs[i + 1]) * (vs[i] + vs[i + 1])) /
             2;
    };
    const Real area = MeanArea(rp, (oldX[i] + thirdX[i]) / 2, (oldX[i + 1] + thirdX[i + 1]) / 2);
    const Real q = qVisc[i];
    const Real work = (rate(oldX, oldV) + rate(x, v)) * (P[i] - q) +
                      ((oldV[i + 1] - oldV[i]) + (v[i + 1] - v[i])) * area * q;
    return half * (work / cellMass[i]);
  } else {
    (void)thirdX;
    (void)qVisc;
    (void)cellMass;
    (void)rp;
    const Real rateSum = ((oldV[i + 1] - oldV[i]) + (v[i + 1] - v[i])) * invCellMassUniform;
    return half * rateSum * P[i];
  }
}

class THydrStat {
 public:
  // Create(N): an empty instance resized to N cells.
  THydrStat(HydroState& session, int32_t N);
  virtual ~THydrStat();
  THydrStat(const THydrStat&) = delete;
  THydrStat& operator=(const THydrStat&) = delete;

  virtual SolverClass Class() const { return SolverClass::HydrStat; }

  // --- virtual operations, in slot order ---------------------------------------------
  virtual void Resize(int32_t N);
  // Momentum equation. Self's P holds the driving pressure (incl. P_N = Pout).
  virtual bool VelocityStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0,
                            Real& StepResidual, bool Converging, Real Relax);
  // x := Old.x + dt/2 (Old.v + v); fails when two neighbouring nodes cross.
  virtual bool CoordinateStep(const THydrStat& Old, const THydrStat& Third, Real dt,
                              Real& StepResidual, bool Converging, Real Relax);
  // Energy equation closed by the equation of state.
  virtual bool EnergyStep(const THydrStat& Old, const THydrStat& Third, Real dt, Real h0,
                          bool NoTofE, Real& StepResidual, bool Converging, Real Relax);
  // Folds this state's magnitudes into the convergence scales.
  virtual void UpdateScales(bool Reset);

  // --- the arrays by name, for generic code (results table, profile files, remeshing) --
  struct NamedArray {
    std::string_view name;  // the member's name
    RealArray* values;
  };
  // Appends the arrays of the class: x, v, P, T and E here; a derived class appends its
  // parent's first, then its own (their descriptions are in the solver-class catalog).
  virtual void ListArrays(std::vector<NamedArray>& out) {
    for (NamedArray a : {NamedArray{"x", &x}, NamedArray{"v", &v}, NamedArray{"P", &P},
                         NamedArray{"T", &T}, NamedArray{"E", &E}}) {
      out.push_back(a);
    }
  }
  // The array of that name, nullptr when the class has none.
  RealArray* ArrayByName(std::string_view name) {
    std::vector<NamedArray> arrays;
    ListArrays(arrays);
    for (const NamedArray& a : arrays) {
      if (a.name == name) return a.values;
    }
    return nullptr;
  }
  const RealArray* ArrayByName(std::string_view name) const {
    return const_cast<THydrStat*>(this)->ArrayByName(name);
  }

  // Squared isentropic sound speed of every cell [(cm/s)^2], N entries, by a difference
  // quotient of the pressure along the adiabat from the equation of state of the cell's
  // medium; 0 where it is not positive or cannot be evaluated. The array belongs to the
  // instance and holds until the next call; allocates only on the first call.
  const RealArray& SoundSpeed2();
  // Relative density step of the sound speed's difference quotients, a power of two so
  // that dividing by it is exact: far above the round-off of the 80-bit state (1e-19) and
  // of the inverse functions, far below any change of slope.
  static constexpr Real kSoundEps = 0x1p-20L;
  static constexpr Real kSoundInvEps = 0x1p20L;

  // --- geometry (valid for every class) -----------------------------------------------
  int32_t CellCount() const { return LastCell + 1; }
  Real Volume(int32_t i) const;  // per unit solid angle (per unit area when planar)
  Real CellMassAt(int32_t i) const;
  Real Density(int32_t i) const;  // [g/cm3]
  // 1 / Density(i) [cm3/g].
  Real SpecificVolume(int32_t i) const;
  Real NodeMassAt(int32_t j) const;
  Real NodeVolume(int32_t j) const;
  Real NodeDensity(int32_t j) const;
  Real HalfCell(int32_t i) const;
  Real CellCentre(int32_t i) const { return (x[i] + x[i + 1]) / 2; }
  Real CellVelocity(int32_t i) const { return (v[i] + v[i + 1]) / 2; }
  Real VelocityJump(int32_t i) const { return v[i + 1] - v[i]; }
  // Rate of change of the specific volume of cell i [cm3/g/s].
  Real VolumeRate(int32_t i) const;
  Real NodePressure(int32_t j) const { return j < 1 ? P[0] : (P[j] + P[j - 1]) / 2; }
  Real NodeTemperature(int32_t j) const;

  int32_t LastCell = -1;
  RealArray x;  // N + 1 node coordinates [cm]
  RealArray v;  // N + 1 node velocities [cm/s]
  RealArray P;  // N cell pressures [GPa] + Pout at index N
  RealArray T;  // N cell temperatures [K]
  RealArray E;  // N specific internal energies [kJ/g]
  // The viscous part of the driving pressure P of the pass [GPa], N entries. The
  // viscosity stage fills it on curved grids, where the viscous term acts as a radial
  // stress: the velocity and energy steps apply it over the cell's mean area (MeanArea)
  // rather than as an isotropic pressure (zero: P is all isotropic).
  RealArray Qvisc;

 protected:
  // c^2 of the film cells [i0, i1) into c2 [(cm/s)^2, before the EOS scale], rho1 and
  // work being free scratch of N entries. Here the film follows the adiabat of its one
  // temperature; the two-temperature classes override it, each subsystem following its
  // own. A cell without a sound speed gets 0 or any value that is not positive.
  virtual void FilmSoundSpeed2(int32_t i0, int32_t i1, Real* c2, Real* rho1, Real* work);

  HydroState& s_;
  // Densities of the cells of the energy step's current range, for the range evaluation
  // of the equation of state; N entries, sized by Resize.
  RealArray rhoScratch_;
  RealArray soundScratch_;  // N entries for SoundSpeed2
  RealArray c2_;            // its result
};

// Fills the shared mass arrays of curved grids from the initial uniform grid of cell size
// h0, the substrate cell count InGlass and the two layer densities. Cells below First
// keep their masses (a partial rebuild).
void BuildMassArrays(HydroState& s, int32_t N, int32_t First, int32_t InGlass, Real h0, Real rho0,
                     Real rho0l);

// First and last film cell under the layer rule of InGlass.
inline int32_t FirstFilmCell(int32_t InGlass) {
  return InGlass > 0 ? InGlass : 0;
}
inline int32_t LastFilmCell(int32_t N, int32_t InGlass) {
  return InGlass < 0 ? N - 1 + InGlass : N - 1;
}
inline bool IsSubstrateCell(int32_t i, int32_t N, int32_t InGlass) {
  return InGlass > 0 ? i < InGlass : (InGlass < 0 && i >= N + InGlass);
}

}  // namespace tarvex
