// Integral values and the critical-density position.
#include "core/run/IntegralValues.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "core/common/FpGuard.h"
#include "core/hydro/HydrStat.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "core/session/Session.h"

namespace tarvex {

namespace {

RealField FourDigits() {
  RealField f(std::make_shared<TNumStringFormat>(TFloatFormat::ffGeneral, 4));
  f.SetValue(0);
  return f;
}

}  // namespace

TIntegralSums ComputeIntegralSums(const THydrStat& A, Real EnergyFactor, Real scale2) {
  TIntegralSums r;
  const int32_t N = A.CellCount();
  Real thermal = 0;
  Real cellKinetic = 0;
  for (int32_t i = 0; i < N; ++i) {
    const Real m = A.CellMassAt(i);
    thermal += m * A.E[i];
    const Real vc = A.CellVelocity(i);
    cellKinetic += m * vc * vc;
  }
  Real nodeKinetic = 0;
  Real momentum = 0;
  for (int32_t j = 0; j <= N; ++j) {
    const Real m = A.NodeMassAt(j);
    nodeKinetic += m * A.v[j] * A.v[j];
    // The node masses are the trapezoidal weights of the mass grid (half a cell at the
    // ends), so this is the trapezoidal rule for the integral of v dm.
    momentum += m * A.v[j];
  }
  r.Et = scale2 * thermal * EnergyFactor;
  r.Ek = (nodeKinetic + cellKinetic) / 4 * EnergyFactor;
  r.Es = r.Ek + r.Et;
  r.Ee = 0;  // no electron energy in the one-temperature classes
  r.Ei = r.Et - r.Ee;
  r.Ed = 0;
  r.Ivdx = momentum;
  return r;
}

Real CriticalDensityPosition(const THydrStat& A, Real Rho_C, Real CellMassUniform) {
  const int32_t N = A.CellCount();
  if (N < 2) return A.x[N];
  int32_t c = N - 2;
  while (c >= 0 && Rho_C > A.Density(c)) --c;
  const int32_t j = c + 1;  // 0 .. N-1
  const Real xNext = A.x[j + 1];
  Real X = xNext;
  if (j >= 1 && j + 1 < N && A.Density(j + 1) < A.Density(j)) {
    FpGuard guard;
    const Real d = (A.x[j + 1] - A.x[j - 1]) / 2;
    const Real w = CellMassUniform / Rho_C;
    const Real q = (w * w - d * d) / (A.x[j - 1] - 2 * A.x[j] + A.x[j + 1]) / 2;
    const Real candidate = A.x[j] + q;
    if (!guard.Faulted() && std::isfinite(candidate)) X = candidate;
    guard.Reset();
  }
  return std::min(xNext, X);
}

TIntegralValues::TIntegralValues()
    : Et(FourDigits()),
      Ek(FourDigits()),
      Es(FourDigits()),
      Ipdt(FourDigits()),
      Ivdx(FourDigits()),
      Ei(FourDigits()),
      Ee(FourDigits()),
      Ed(FourDigits()),
      Eadd(FourDigits()),
      Rho_C(FourDigits()),
      x_rc(FourDigits()) {}

void TIntegralValues::Refresh(Session& s, const TMainForm& form) {
  if (s.StateA == nullptr) return;
  const THydrStat& A = *s.StateA;
  const Real scale2 = s.eos.EosScale * s.eos.EosScale;
  sums_ = ComputeIntegralSums(A, s.sim.EnergyFactor, scale2);
  Et.SetValue(sums_.Et);
  Ek.SetValue(sums_.Ek);
  Es.SetValue(sums_.Es);
  Ee.SetValue(sums_.Ee);
  Ei.SetValue(sums_.Ei);
  Ed.SetValue(sums_.Ed);
  Eadd.SetValue(sums_.Es - InitialEnergy);
  Ivdx.SetValue(sums_.Ivdx);
  Ipdt.SetValue(s.Ipdt);
  EkVisible = !s.bounds.NoMove;
  T2PanelVisible = false;  // set by the two-temperature classes
  if (RCPanelVisible && Rho_C.StoredValue() > 0) {
    const Real x1 = form.x1Edit.StoredValue() != 0 ? form.x1Edit.StoredValue() : 1;
    const Real X = CriticalDensityPosition(A, Rho_C.StoredValue(), s.sim.CellMassUniform);
    x_rc.SetValue((X - InitialFilmLeft(s)) / x1);
  }
}

void TIntegralValues::RhoCButton(Real rho0) {
  RCPanelVisible = true;
  Rho_C.SetValue(rho0 / 3);
}

void TIntegralValues::LeaveRho_C() {
  Real v = 0;
  RCPanelVisible = Rho_C.TryGetValue(v) && v > 0;
}

}  // namespace tarvex
