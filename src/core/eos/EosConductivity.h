// The heat conductivity of a medium chosen on the equation-of-state dialog (CheckKappa):
//   "FnT"     kappa(T) = 1e-5 [(k0 - kT (T - Tr))/(1 + e) + (k1 + k2 (T - Tm))/(1 + 1/e)],
//             e = exp((T - Tm)/Td): the solid law below the melting temperature Tm, the
//             liquid law above, switched smoothly over Td (input W/m/K, kappa kW/cm/K);
//   "*"       kappa(T) = kappa0 T0/T (a phonon conductivity);
//   constant  kappa = kappa0.
// The parameters are the dialog's fields; BindKappa binds the chosen option's function.
// Finite by construction for T > 0 (the switch weights are formed
// from exp(-|z|), so they never overflow); "*" at T = 0 divides by zero (FpGuard).
#pragma once

#include <cstdint>
#include <string_view>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/AnalyticEos.h"

namespace tarvex {

enum class TKappaKind : uint8_t {
  Constant,  // kappaEdit
  Mult,      // "*": kappaEdit kMultT0Edit / T
  FnT,       // "FnT": the frame kappaFnTFrame
};

// The option the check boxes select: "FnT" when kappaFnTCheck is checked, else "*" when
// kappaMultChec is, else the constant.
constexpr TKappaKind KappaKindFromChecks(bool kappaFnTCheck, bool kappaMultChec) {
  return kappaFnTCheck ? TKappaKind::FnT : kappaMultChec ? TKappaKind::Mult : TKappaKind::Constant;
}

struct KappaParams {
  Real kappa = 1.5E-5L;  // kappaEdit [kW/cm/K]
  Real T0 = 300;         // kMultT0Edit [K]
  // "FnT" frame [W/m/K, W/m/K^2, K]
  Real k0 = 402.4L, kT = 0.07L, Tr = 273, Tm = 1357.77L, Td = 50, k1 = 150.49L, k2 = 0.07041L;
  // derived
  Real kappaT0 = 0;  // kappa T0
  Real invTd = 0;
};

Real KappaConstant(const KappaParams& p, Real rho, Real T);
Real KappaMult(const KappaParams& p, Real rho, Real T);
Real KappaFnT(const KappaParams& p, Real rho, Real T);
// Checks the fields the chosen option uses and caches kappa T0 and 1/Td.
EosBindResult PrepareKappa(TKappaKind kind, KappaParams& p);

// The Kappa slot of an option bound to `p` (which must outlive the slot).
Slot2 BindKappa(TKappaKind kind, const KappaParams& p);

inline constexpr EosParamInfo kKappaParams[] = {
    ParamAtLeast("kappaEdit", "kW/cm/K", 1.5E-5L, 0,
                 "conductivity: the constant, or its value at T0 for kappa T0 / T"),
    ParamAbove("kMultT0Edit", "K", 300, 0, "reference temperature of kappa T0 / T"),
};
inline constexpr Real KappaParams::*kKappaFields[] = {&KappaParams::kappa, &KappaParams::T0};

inline constexpr EosParamInfo kKappaFnTParams[] = {
    ParamAny("k0", "W/m/K", 402.4L, "solid conductivity at Tr"),
    ParamAny("kT", "W/m/K2", 0.07L, "its decrease per K"),
    ParamAny("Tr", "K", 273, "reference temperature of the solid law"),
    ParamAny("Tm", "K", 1357.77L, "melting temperature: centre of the switch"),
    ParamAbove("Td", "K", 50, 0, "width of the switch"),
    ParamAny("k1", "W/m/K", 150.49L, "liquid conductivity at Tm"),
    ParamAny("k2", "W/m/K2", 0.07041L, "its increase per K"),
};
inline constexpr Real KappaParams::*kKappaFnTFields[] = {
    &KappaParams::k0, &KappaParams::kT, &KappaParams::Tr, &KappaParams::Tm,
    &KappaParams::Td, &KappaParams::k1, &KappaParams::k2};

// Whether a dialog field is a parameter of the conductivity: of any option, or of the
// "FnT" frame.
bool IsKappaParam(std::string_view name);
bool IsKappaFnTParam(std::string_view name);

// Which functions are hot: every kappa is called per cell by the conduction solvers.
inline constexpr EosSlotMask kKappaHot = kSlotKappa;

}  // namespace tarvex
