// The tridiagonal solver of implicit heat conduction and its end-row closures.
//
// Row i of the system reads A_i x_{i-1} + B_i x_i + C_i x_{i+1} = D_i for unknowns 0..n.
// The elimination runs forward with pairs (alpha_i, beta_i), x_i = alpha_i x_{i+1} + beta_i,
// and back-substitutes from the last unknown. The first and the last row are closed by the
// thermal boundary conditions of the two surfaces:
//   "T0 ="   fixed temperature (T0 at the first node, Tq at the last),
//   "T' = 0" zero gradient through a mirror node (x_{-1} = x_1, x_{n+1} = x_{n-1}),
//   "k = 0"  no flux: the coupling to the missing neighbour is dropped.
// The closure choice lives in ThermalClosures, which the session owns.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/common/Real.h"

namespace tarvex {

// One row of the system: coefficients of x_{i-1}, x_i, x_{i+1} and the right-hand side.
struct TriRow {
  Real A = 0;
  Real B = 0;
  Real C = 0;
  Real D = 0;
};

// Elimination pair: x_i = alpha x_{i+1} + beta.
struct TriPair {
  Real alpha = 0;
  Real beta = 0;
};

// Closure of an end row. The values are the indices of the boundary radio groups
// "0 Bound" / "End Bound" of the initial-conditions dialog.
enum class BoundClosure : int32_t {
  Fixed = 0,     // "T0 =": the end node holds the fixed temperature
  Mirror = 1,    // "T' = 0": zero gradient, mirror node beyond the end
  Ordinary = 2,  // "k = 0": no heat flux through the end
};

enum class TriSide : int32_t { First, Last };

// The thermal boundary conditions as seen by the solver.
struct ThermalClosures {
  BoundClosure first = BoundClosure::Ordinary;  // row 0 (the left surface, "0 Bound")
  BoundClosure last = BoundClosure::Ordinary;   // row n (the rear end, "End Bound")
  Real T0 = 0;                                  // fixed temperature of node 0 [K]
  Real Tq = 0;                                  // fixed temperature of node n [K]
};

// Caller-owned scratch for the elimination pairs. It only grows, so repeated solves of
// systems no larger than before allocate nothing.
struct TriWork {
  std::vector<TriPair> pairs;

  void Reserve(int32_t count) {
    if (count > 0 && pairs.size() < static_cast<size_t>(count)) {
      pairs.resize(static_cast<size_t>(count));
    }
  }
};

// Installs "T0 =" on the sides whose flag is set (remembering T0 and Tq) and "k = 0" on
// the others.
void SetThermalClosures(ThermalClosures& closures, bool leftFixed, bool rightFixed, Real Tq,
                        Real T0);

// Replaces the closure of one side by the mirror ("T' = 0") variant.
void SetMirrorClosure(ThermalClosures& closures, TriSide side);

// (alpha_0, beta_0) of the first row.
TriPair FirstRowClosure(const ThermalClosures& closures, Real B0, Real C0, Real D0);

// x_n from the last row and the pair of the row before it.
Real LastRowClosure(const ThermalClosures& closures, TriPair prev, Real Dn, Real Bn, Real An);

// Solves rows 0..n and writes X[0..n]. When n is 0 the highest index of X is used
// instead, so a caller may pass X sized to the system. A single unknown (X of one element)
// is fixed by the closures alone: Tq when the last row is "T0 =", else T0 when the first
// row is, else D_0 / B_0 (no neighbour to exchange heat with).
// No pivoting and no test of the pivots: the callers build diagonally dominant systems.
// Throws std::invalid_argument when rows or X are shorter than n + 1 or X is empty.
void TridiagonalSolve(const ThermalClosures& closures, std::span<const TriRow> rows,
                      std::span<Real> X, int32_t n, TriWork& work);

}  // namespace tarvex
