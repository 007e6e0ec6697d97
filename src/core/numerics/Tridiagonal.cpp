// The tridiagonal solver of implicit heat conduction and its end-row closures.
#include "core/numerics/Tridiagonal.h"

#include <stdexcept>

namespace tarvex {

void SetThermalClosures(ThermalClosures& closures, bool leftFixed, bool rightFixed, Real Tq,
                        Real T0) {
  closures.first = leftFixed ? BoundClosure::Fixed : BoundClosure::Ordinary;
  closures.last = rightFixed ? BoundClosure::Fixed : BoundClosure::Ordinary;
  closures.T0 = T0;
  closures.Tq = Tq;
}

void SetMirrorClosure(ThermalClosures& closures, TriSide side) {
  if (side == TriSide::First) {
    closures.first = BoundClosure::Mirror;
  } else {
    closures.last = BoundClosure::Mirror;
  }
}

TriPair FirstRowClosure(const ThermalClosures& closures, Real B0, Real C0, Real D0) {
  switch (closures.first) {
    case BoundClosure::Fixed:
      return {0, closures.T0};
    case BoundClosure::Mirror:
      // Mirror node x_{-1} = x_1 with the same coupling as x_1: B0 x0 + 2 C0 x1 = D0.
      return {-2 * C0 / B0, D0 / B0};
    case BoundClosure::Ordinary:
      break;
  }
  return {-C0 / B0, D0 / B0};
}

Real LastRowClosure(const ThermalClosures& closures, TriPair prev, Real Dn, Real Bn, Real An) {
  switch (closures.last) {
    case BoundClosure::Fixed:
      return closures.Tq;
    case BoundClosure::Mirror:
      // Mirror node x_{n+1} = x_{n-1}: 2 An x_{n-1} + Bn xn = Dn.
      return (Dn - 2 * An * prev.beta) / (Bn + 2 * An * prev.alpha);
    case BoundClosure::Ordinary:
      break;
  }
  return (Dn - An * prev.beta) / (Bn + An * prev.alpha);
}

void TridiagonalSolve(const ThermalClosures& closures, std::span<const TriRow> rows,
                      std::span<Real> X, int32_t n, TriWork& work) {
  if (X.empty()) throw std::invalid_argument("TridiagonalSolve: empty solution array");
  if (n == 0) n = static_cast<int32_t>(X.size()) - 1;
  if (n < 0 || static_cast<size_t>(n) >= X.size() || static_cast<size_t>(n) >= rows.size()) {
    throw std::invalid_argument("TridiagonalSolve: fewer rows or unknowns than the last index");
  }

  if (n == 0) {
    // One node is both ends: a fixed temperature pins it, the last row's first (as in
    // the general case, where the last closure writes x_n); otherwise it has no
    // neighbour and row 0 reduces to B0 x0 = D0.
    if (closures.last == BoundClosure::Fixed) {
      X[0] = closures.Tq;
    } else if (closures.first == BoundClosure::Fixed) {
      X[0] = closures.T0;
    } else {
      X[0] = rows[0].D / rows[0].B;
    }
    return;
  }

  work.Reserve(n);
  TriPair* pair = work.pairs.data();
  // The running pair and solution are carried in locals: an 80-bit value stored and read
  // back in the next row cannot be forwarded from the store buffer, and the chain would
  // wait for the store at every row.
  TriPair prev = FirstRowClosure(closures, rows[0].B, rows[0].C, rows[0].D);
  pair[0] = prev;
  for (int32_t i = 1; i < n; ++i) {
    const TriRow& r = rows[i];
    // One division per row: on the x87 unit a division holds the chain for as long as a
    // dozen multiplications.
    const Real inv = 1 / (r.A * prev.alpha + r.B);
    prev = TriPair{-r.C * inv, (r.D - r.A * prev.beta) * inv};
    pair[i] = prev;
  }
  Real xi = LastRowClosure(closures, prev, rows[n].D, rows[n].B, rows[n].A);
  X[n] = xi;
  for (int32_t i = n - 1; i >= 0; --i) {
    xi = pair[i].alpha * xi + pair[i].beta;
    X[i] = xi;
  }
}

}  // namespace tarvex
