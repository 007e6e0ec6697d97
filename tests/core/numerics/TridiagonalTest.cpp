// Tridiagonal solver: every pair of end-row closures against a dense reference solution,
// the mirror closures against the unfolded symmetric system, the single-unknown case and
// the reuse of the caller's workspace.
#include "core/numerics/Tridiagonal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

namespace tarvex {
namespace {

using Matrix = std::vector<std::vector<Real>>;

// Dense Gaussian elimination with partial pivoting: solves M x = rhs.
std::vector<Real> DenseSolve(Matrix M, std::vector<Real> rhs) {
  const size_t n = rhs.size();
  for (size_t k = 0; k < n; ++k) {
    size_t p = k;
    for (size_t i = k + 1; i < n; ++i) {
      if (std::fabs(M[i][k]) > std::fabs(M[p][k])) p = i;
    }
    std::swap(M[k], M[p]);
    std::swap(rhs[k], rhs[p]);
    for (size_t i = k + 1; i < n; ++i) {
      const Real f = M[i][k] / M[k][k];
      for (size_t j = k; j < n; ++j) M[i][j] -= f * M[k][j];
      rhs[i] -= f * rhs[k];
    }
  }
  std::vector<Real> x(n);
  for (size_t k = n; k-- > 0;) {
    Real s = rhs[k];
    for (size_t j = k + 1; j < n; ++j) s -= M[k][j] * x[j];
    x[k] = s / M[k][k];
  }
  return x;
}

// The closed system written out explicitly: the end rows as the boundary conditions say.
std::vector<Real> ReferenceSolution(const std::vector<TriRow>& rows, const ThermalClosures& c) {
  const size_t n = rows.size() - 1;
  Matrix M(n + 1, std::vector<Real>(n + 1, 0));
  std::vector<Real> rhs(n + 1);
  for (size_t i = 1; i < n; ++i) {
    M[i][i - 1] = rows[i].A;
    M[i][i] = rows[i].B;
    M[i][i + 1] = rows[i].C;
    rhs[i] = rows[i].D;
  }
  switch (c.first) {
    case BoundClosure::Fixed:  // x_0 = T0
      M[0][0] = 1;
      rhs[0] = c.T0;
      break;
    case BoundClosure::Mirror:  // x_{-1} = x_1 couples like x_1
      M[0][0] = rows[0].B;
      M[0][1] = 2 * rows[0].C;
      rhs[0] = rows[0].D;
      break;
    case BoundClosure::Ordinary:  // no neighbour to the left
      M[0][0] = rows[0].B;
      M[0][1] = rows[0].C;
      rhs[0] = rows[0].D;
      break;
  }
  switch (c.last) {
    case BoundClosure::Fixed:
      M[n][n] = 1;
      rhs[n] = c.Tq;
      break;
    case BoundClosure::Mirror:
      M[n][n - 1] = 2 * rows[n].A;
      M[n][n] = rows[n].B;
      rhs[n] = rows[n].D;
      break;
    case BoundClosure::Ordinary:
      M[n][n - 1] = rows[n].A;
      M[n][n] = rows[n].B;
      rhs[n] = rows[n].D;
      break;
  }
  return DenseSolve(M, rhs);
}

// A diagonally dominant system with uneven coefficients. A_0 and C_n carry values that
// no closure may use.
std::vector<TriRow> RandomRows(int32_t n, uint32_t seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> coupling(0.1, 3.0), extra(0.0, 2.0), rhs(-5, 5);
  std::vector<TriRow> rows(static_cast<size_t>(n) + 1);
  for (TriRow& r : rows) {
    r.A = -coupling(gen);
    r.C = -coupling(gen);
    r.B = -r.A - r.C + 0.05L + extra(gen);
    r.D = rhs(gen);
  }
  rows.front().A = 1e6L;
  rows.back().C = -1e6L;
  return rows;
}

Real MaxRelativeDifference(const std::vector<Real>& a, const std::vector<Real>& b) {
  Real worst = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    worst = std::max(worst, std::fabs(a[i] - b[i]) / std::max(Real(1), std::fabs(b[i])));
  }
  return worst;
}

constexpr BoundClosure kAllClosures[] = {BoundClosure::Fixed, BoundClosure::Mirror,
                                         BoundClosure::Ordinary};

TEST(Tridiagonal, EveryClosurePairMatchesDenseSolution) {
  const std::vector<TriRow> rows = RandomRows(7, 11);
  TriWork work;
  for (BoundClosure first : kAllClosures) {
    for (BoundClosure last : kAllClosures) {
      const ThermalClosures c{first, last, 1234.5L, -87.25L};
      std::vector<Real> X(rows.size());
      TridiagonalSolve(c, rows, X, static_cast<int32_t>(rows.size()) - 1, work);
      const std::vector<Real> ref = ReferenceSolution(rows, c);
      EXPECT_LT(MaxRelativeDifference(X, ref), 1e-16L)
          << "first " << static_cast<int>(first) << " last " << static_cast<int>(last);
    }
  }
}

// Unfolds the half system 0..n about node 0 into the symmetric system -n..n (indices
// 0..2n): node -i is the mirror image of node i, the centre row couples to both
// neighbours with C_0.
std::vector<TriRow> UnfoldAboutFirstNode(const std::vector<TriRow>& half) {
  const size_t n = half.size() - 1;
  std::vector<TriRow> full(2 * n + 1);
  for (size_t i = 1; i <= n; ++i) {
    full[n + i] = half[i];
    full[n - i] = {half[i].C, half[i].B, half[i].A, half[i].D};
  }
  full[n] = {half[0].C, half[0].B, half[0].C, half[0].D};
  return full;
}

std::vector<TriRow> Reversed(const std::vector<TriRow>& rows) {
  std::vector<TriRow> out;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it)
    out.push_back({it->C, it->B, it->A, it->D});
  return out;
}

TEST(Tridiagonal, MirrorClosureEqualsUnfoldedSymmetricSystem) {
  // "T' = 0" must give the same temperatures as the physical mirror image of the body
  // solved as a whole; checked for both ends, each with the other end fixed or insulated.
  const int32_t n = 6;
  const std::vector<TriRow> half = RandomRows(n, 5);
  TriWork work;
  for (BoundClosure far : {BoundClosure::Fixed, BoundClosure::Ordinary}) {
    for (TriSide side : {TriSide::First, TriSide::Last}) {
      const std::vector<TriRow> rows = side == TriSide::First ? half : Reversed(half);
      // The system with the mirror at node 0 of `rows`.
      const std::vector<TriRow> full = UnfoldAboutFirstNode(rows);
      std::vector<Real> fullX(full.size());
      TridiagonalSolve(ThermalClosures{far, far, 400, 400}, full, fullX, 2 * n, work);

      // The far end keeps its closure and its fixed temperature of 400.
      ThermalClosures c{far, far, 400, 400};
      SetMirrorClosure(c, side);
      std::vector<Real> X(half.size());
      TridiagonalSolve(c, half, X, n, work);
      for (int32_t i = 0; i <= n; ++i) {
        const size_t node =
            side == TriSide::First ? static_cast<size_t>(i) : static_cast<size_t>(n - i);
        EXPECT_NEAR(static_cast<double>(X[node]),
                    static_cast<double>(fullX[static_cast<size_t>(n + i)]),
                    1e-15 * std::max(1.0, std::fabs(static_cast<double>(X[node]))))
            << "side " << static_cast<int>(side) << " far " << static_cast<int>(far) << " i " << i;
      }
    }
  }
}

TEST(Tridiagonal, SingleUnknownIsSetByClosures) {
  const std::vector<TriRow> rows = {{7, 4, 9, 10}};  // A and C have no neighbour to act on
  struct Case {
    BoundClosure first, last;
    Real expected;
  };
  const Case cases[] = {
      {BoundClosure::Ordinary, BoundClosure::Ordinary, 2.5L},
      {BoundClosure::Mirror, BoundClosure::Mirror, 2.5L},
      {BoundClosure::Mirror, BoundClosure::Ordinary, 2.5L},
      {BoundClosure::Fixed, BoundClosure::Ordinary, 300},
      {BoundClosure::Fixed, BoundClosure::Mirror, 300},
      {BoundClosure::Ordinary, BoundClosure::Fixed, 900},
      {BoundClosure::Fixed, BoundClosure::Fixed, 900},
  };
  TriWork work;
  for (const Case& k : cases) {
    std::vector<Real> X = {-1};
    TridiagonalSolve(ThermalClosures{k.first, k.last, 300, 900}, rows, X, 0, work);  // T0, Tq
    EXPECT_EQ(X[0], k.expected) << static_cast<int>(k.first) << "/" << static_cast<int>(k.last);
  }
}

TEST(Tridiagonal, LastIndexZeroMeansWholeSolutionArray) {
  const std::vector<TriRow> rows = RandomRows(4, 3);
  const ThermalClosures c{BoundClosure::Fixed, BoundClosure::Mirror, 0, 50};
  TriWork work;
  std::vector<Real> explicitN(5), implicitN(5);
  TridiagonalSolve(c, rows, explicitN, 4, work);
  TridiagonalSolve(c, rows, implicitN, 0, work);
  EXPECT_EQ(implicitN, explicitN);
}

TEST(Tridiagonal, RejectsArraysShorterThanTheSystem) {
  const std::vector<TriRow> rows = RandomRows(4, 3);  // 5 rows
  const ThermalClosures c;
  TriWork work;
  std::vector<Real> big(8), small(3), none;
  // Last index 0 with an array of 8 would read rows that were never built.
  EXPECT_THROW(TridiagonalSolve(c, rows, big, 0, work), std::invalid_argument);
  EXPECT_THROW(TridiagonalSolve(c, rows, small, 4, work), std::invalid_argument);
  EXPECT_THROW(TridiagonalSolve(c, rows, big, 6, work), std::invalid_argument);
  EXPECT_THROW(TridiagonalSolve(c, rows, none, 0, work), std::invalid_argument);
  EXPECT_THROW(TridiagonalSolve(c, rows, big, -1, work), std::invalid_argument);
}

TEST(Tridiagonal, FixedEndsReproduceFixedValuesExactly) {
  // Implicit conduction step with uniform right-hand side between two fixed walls.
  const int32_t n = 40;
  const Real k = 3.7L;
  std::vector<TriRow> rows(static_cast<size_t>(n) + 1, TriRow{-k, 1 + 2 * k, -k, 300});
  ThermalClosures c;
  SetThermalClosures(c, true, true, 312.345678901234567L, 1873.1L);
  std::vector<Real> X(rows.size());
  TriWork work;
  TridiagonalSolve(c, rows, X, n, work);
  EXPECT_EQ(X[0], 1873.1L);
  EXPECT_EQ(X[static_cast<size_t>(n)], 312.345678901234567L);
  for (size_t i = 1; i < X.size() - 1; ++i) {
    EXPECT_GT(X[i], 300) << i;  // heat flows in from both walls
    EXPECT_LT(X[i], 1873.1L) << i;
  }
}

TEST(Tridiagonal, RepeatedSolvesReuseTheWorkspace) {
  const std::vector<TriRow> rows = RandomRows(200, 9);
  const ThermalClosures c;
  TriWork work;
  std::vector<Real> X(rows.size());
  TridiagonalSolve(c, rows, X, 200, work);
  const size_t capacity = work.pairs.capacity();
  const TriPair* data = work.pairs.data();
  for (int32_t n : {200, 120, 200, 1, 200}) {
    TridiagonalSolve(c, rows, X, n, work);
    EXPECT_EQ(work.pairs.capacity(), capacity);
    EXPECT_EQ(work.pairs.data(), data);
  }
  // A larger system grows it once.
  const std::vector<TriRow> bigger = RandomRows(400, 9);
  std::vector<Real> Y(bigger.size());
  TridiagonalSolve(c, bigger, Y, 400, work);
  EXPECT_GE(work.pairs.size(), 400u);
}

TEST(Tridiagonal, ClosureSetupOfTheMainWindow) {
  ThermalClosures c;
  EXPECT_EQ(c.first, BoundClosure::Ordinary);
  EXPECT_EQ(c.last, BoundClosure::Ordinary);

  // "0 Bound" at "T0 =", "End Bound" at "T' = 0".
  SetThermalClosures(c, true, false, 290, 1500);
  SetMirrorClosure(c, TriSide::Last);
  EXPECT_EQ(c.first, BoundClosure::Fixed);
  EXPECT_EQ(c.last, BoundClosure::Mirror);
  EXPECT_EQ(c.T0, 1500);
  EXPECT_EQ(c.Tq, 290);

  // Installing again resets the mirror of a side that is no longer fixed.
  SetThermalClosures(c, false, true, 280, 1400);
  EXPECT_EQ(c.first, BoundClosure::Ordinary);
  EXPECT_EQ(c.last, BoundClosure::Fixed);
  SetMirrorClosure(c, TriSide::First);
  EXPECT_EQ(c.first, BoundClosure::Mirror);
  EXPECT_EQ(c.last, BoundClosure::Fixed);
}

}  // namespace
}  // namespace tarvex
