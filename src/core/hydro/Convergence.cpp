// The convergence measure of one pass and the number layouts of the iteration trace.
#include "core/hydro/Convergence.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tarvex {

Real ChangeRatio(Real a, Real b) {
  if (b > 0) return a / b;
  return a == 0 ? Real(0) : Real(1e30L);
}

bool ConvergenceMeasure(ConvergenceState& cs, ConvergenceGroup& group, bool Converging,
                        Real& StepResidual, Real MaxChange, Real SumChange) {
  if (!Converging) {
    // Predictor: the changes of this pass become the reference of the first corrector.
    group.Floor = MaxChange;
    group.Num = SumChange;
    StepResidual = 1;
    return !std::isnan(SumChange);
  }
  if (std::isnan(SumChange)) {
    if (cs.Tracing()) cs.trace->Append(std::string(group.name) + " N/E out of range\r\n");
    StepResidual = -2;
    return false;
  }
  Real g = ChangeRatio(SumChange, std::max(1e-5L * group.SumSq, group.Num));
  group.Num = SumChange;
  if (MaxChange <= group.Floor) {
    group.Floor = std::max(0.001L * group.Max, MaxChange);
  } else if (MaxChange <= group.Max) {
    // The change grew but stays within the magnitude of the quantity: count it as an
    // extra iteration so that a slowly diverging iteration ends in time.
    g = ChangeRatio(MaxChange * g, group.Floor);
    if (!cs.AtMinStep) ++cs.IterCount;
    group.Floor = MaxChange;
  } else {
    g = ChangeRatio(MaxChange * std::max(Real(1), g), group.Floor);
    group.Floor = MaxChange;
  }
  if (cs.Tracing() && g > 1) {
    cs.trace->Append(std::string(group.name) + " N/E " + TraceFixed(g, 6, 4) +
                     TraceExp(ChangeRatio(SumChange, group.SumSq), 10) + "\r\n");
  }
  if (StepResidual >= 0 && g > StepResidual) StepResidual = g;
  return StepResidual >= 0 && StepResidual <= 1;
}

std::string TraceFixed(Real x, int32_t width, int32_t decimals) {
  char buf[96];
  std::snprintf(buf, sizeof buf, "%*.*Lf", static_cast<int>(width), static_cast<int>(decimals), x);
  return buf;
}

std::string TraceExp(Real x, int32_t width) {
  // " d.dE+dd" takes 7 characters beside the decimals.
  const int decimals = std::max<int32_t>(1, width - 7);
  char buf[96];
  if (std::isfinite(x)) {
    std::snprintf(buf, sizeof buf, "% .*LE", decimals, x);
  } else {
    std::snprintf(buf, sizeof buf, "% LE", x);
  }
  std::string s(buf);
  if (static_cast<int32_t>(s.size()) < width)
    s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
  return s;
}

}  // namespace tarvex
