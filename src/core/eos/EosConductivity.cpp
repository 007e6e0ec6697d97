// The heat conductivity options of the equation-of-state dialog.
#include "core/eos/EosConductivity.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/eos/EosMath.h"

namespace tarvex {

Real KappaConstant(const KappaParams& p, Real, Real) {
  return p.kappa;
}

Real KappaMult(const KappaParams& p, Real, Real T) {
  return p.kappaT0 / T;
}

Real KappaFnT(const KappaParams& p, Real, Real T) {
  // lower = 1/(1 + e), upper = 1/(1 + 1/e)
  const eosmath::LogisticPair w = eosmath::LogisticWeights((T - p.Tm) * p.invTd);
  return Real(1e-5) * ((p.k0 - p.kT * (T - p.Tr)) * w.lower + (p.k1 + p.k2 * (T - p.Tm)) * w.upper);
}

EosBindResult PrepareKappa(TKappaKind kind, KappaParams& p) {
  if (!(std::isfinite(p.kappa) && p.kappa >= 0) && kind != TKappaKind::FnT) {
    return EosBindResult::Fail("kappaEdit", "the conductivity must not be negative");
  }
  if (kind == TKappaKind::Mult && !(std::isfinite(p.T0) && p.T0 > 0)) {
    return EosBindResult::Fail("kMultT0Edit", "T0 must be positive");
  }
  if (kind == TKappaKind::FnT && !(std::isfinite(p.Td) && p.Td > 0)) {
    return EosBindResult::Fail("Td", "the switch width Td must be positive");
  }
  p.kappaT0 = p.kappa * p.T0;
  p.invTd = p.Td > 0 ? 1 / p.Td : 0;
  return EosBindResult::Ok();
}

bool IsKappaFnTParam(std::string_view name) {
  return std::any_of(std::begin(kKappaFnTParams), std::end(kKappaFnTParams),
                     [&](const EosParamInfo& p) { return name == p.name; });
}

bool IsKappaParam(std::string_view name) {
  return IsKappaFnTParam(name) ||
         std::any_of(std::begin(kKappaParams), std::end(kKappaParams),
                     [&](const EosParamInfo& p) { return name == p.name; });
}

Slot2 BindKappa(TKappaKind kind, const KappaParams& p) {
  switch (kind) {
    case TKappaKind::Mult:
      return MakeSlot<KappaParams, &KappaMult>(p);
    case TKappaKind::FnT:
      return MakeSlot<KappaParams, &KappaFnT>(p);
    case TKappaKind::Constant:
      break;
  }
  return MakeSlot<KappaParams, &KappaConstant>(p);
}

}  // namespace tarvex
