// Table set in memory: grid checks and the precomputed interval kernels.
#include "core/eos/EosTableSet.h"

#include <cmath>

#include "core/common/FpGuard.h"

namespace tarvex {

namespace {

TTableStencil MakeStencil(const RealArray& x, TTableStencil::Kind kind, int32_t im, int32_t i,
                          int32_t i1, int32_t i2) {
  TTableStencil s;
  s.kind = kind;
  s.node[0] = im;
  s.node[1] = i;
  s.node[2] = i1;
  s.node[3] = i2;
  const auto X = [&x](int32_t k) { return x[static_cast<size_t>(k)]; };
  s.xi = X(i);
  s.xi1 = X(i1);
  const Real Delta = s.xi1 - s.xi;
  s.invDelta = 1 / Delta;
  if (kind == TTableStencil::Linear) return s;
  const Real x1 = X(i), x2 = X(i1), x3 = X(i2);
  s.a1 = Delta / (x3 - x1);
  s.b1 = Delta * Delta / ((x3 - x2) * (x3 - x1));
  if (kind == TTableStencil::TwoSided) {
    const Real x0 = X(im);
    s.a2 = Delta / (x2 - x0);
    s.c2 = Delta * Delta / ((x1 - x0) * (x2 - x0));
  }
  return s;
}

bool StrictlyMonotonic(const RealArray& x, bool& increasing) {
  increasing = x[0] < x[1];
  for (size_t k = 1; k < x.size(); ++k) {
    if (increasing ? !(x[k - 1] < x[k]) : !(x[k - 1] > x[k])) return false;
  }
  return true;
}

bool Finite(const TTableAxisData& a) {
  for (const TTableStencil& s : a.stencils) {
    if (!std::isfinite(s.invDelta) || !std::isfinite(s.a1) || !std::isfinite(s.b1) ||
        !std::isfinite(s.a2) || !std::isfinite(s.c2)) {
      return false;
    }
  }
  return true;
}

std::string Num(Real v) {
  return std::string(TNumStringFormat(TFloatFormat::ffGeneral, 10).FormatValue(v));
}

}  // namespace

void TTableAxisData::Build() {
  const int32_t n = Last();
  increasing = x[0] < x[static_cast<size_t>(n)];
  stencils.assign(static_cast<size_t>(n + 2), TTableStencil{});
  stencils[0] = MakeStencil(x, TTableStencil::Linear, 0, 0, 1, 1);
  // Beyond the last node the line is taken from the end node backwards, so that a flat
  // end inverts to the end node.
  stencils[static_cast<size_t>(n + 1)] = MakeStencil(x, TTableStencil::Linear, n, n, n - 1, n - 1);
  for (int32_t k = 0; k < n; ++k) {
    TTableStencil& s = stencils[static_cast<size_t>(k + 1)];
    if (n == 1) {
      s = MakeStencil(x, TTableStencil::Linear, 0, 0, 1, 1);
    } else if (k == 0) {
      s = MakeStencil(x, TTableStencil::OneSided, 0, 0, 1, 2);
    } else if (k == n - 1) {
      s = MakeStencil(x, TTableStencil::OneSided, n, n, n - 1, n - 2);
    } else {
      s = MakeStencil(x, TTableStencil::TwoSided, k - 1, k, k + 1, k + 2);
    }
  }
}

bool TEosTableSet::SetGrids(RealArray TGrid, RealArray VGrid, std::string& message) {
  const auto nt = static_cast<int64_t>(TGrid.size());
  const auto nv = static_cast<int64_t>(VGrid.size());
  if (nt < 2 || nv < 2 || nt > kMaxTableAxisPoints || nv > kMaxTableAxisPoints) {
    message = "a table needs 2 to " + std::to_string(kMaxTableAxisPoints) +
              " temperatures and volumes, not " + std::to_string(nt) + " and " + std::to_string(nv);
    return false;
  }
  if (nt * nv > kMaxTablePoints) {
    message = "a table of " + std::to_string(nt) + " x " + std::to_string(nv) +
              " values is larger than the " + std::to_string(kMaxTablePoints) + " a set may hold";
    return false;
  }
  for (size_t k = 0; k < TGrid.size(); ++k) {
    if (!std::isfinite(TGrid[k])) {
      message = "temperature " + std::to_string(k + 1) + " is not a finite number";
      return false;
    }
    if (k > 0 && !(TGrid[k - 1] < TGrid[k])) {
      message = "the temperatures must increase: temperature " + std::to_string(k + 1) + " (" +
                Num(TGrid[k]) + ") is not above temperature " + std::to_string(k) + " (" +
                Num(TGrid[k - 1]) + ")";
      return false;
    }
  }
  bool increasing = true;
  for (size_t k = 0; k < VGrid.size(); ++k) {
    if (!std::isfinite(VGrid[k]) || !(VGrid[k] > 0) || !std::isfinite(1 / VGrid[k])) {
      message = "volume " + std::to_string(k + 1) + " (" + Num(VGrid[k]) +
                ") is not a positive number with a finite density";
      return false;
    }
  }
  if (!StrictlyMonotonic(VGrid, increasing)) {
    message = "the volumes must increase or decrease strictly";
    return false;
  }
  RealArray rho(VGrid.size());
  for (size_t k = 0; k < VGrid.size(); ++k) rho[k] = 1 / VGrid[k];
  bool rhoIncreasing = true;
  if (!StrictlyMonotonic(rho, rhoIncreasing)) {
    message = "two volumes give the same density";
    return false;
  }
  TTableAxisData t;
  t.x = std::move(TGrid);
  TTableAxisData r;
  r.x = std::move(rho);
  {
    // Node spacings near the ends of the number range give kernels that overflow.
    FpGuard guard;
    t.Build();
    r.Build();
    const bool finite = Finite(t) && Finite(r);
    if (guard.Faulted() || !finite) {
      guard.Reset();
      message = "the grid spacing is beyond what the interpolation can handle";
      return false;
    }
  }
  tAxis = std::move(t);
  rhoAxis = std::move(r);
  vGrid = std::move(VGrid);
  return true;
}

bool TEosTableSet::Complete() const {
  return NT() >= 2 && Pressure.size() == Cells() && Energy.size() == Cells();
}

}  // namespace tarvex
