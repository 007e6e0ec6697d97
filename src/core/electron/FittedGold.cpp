// The fitted gold electron model.
#include "core/electron/FittedGold.h"

#include <cmath>

#include "core/electron/ElectronConstants.h"

namespace tarvex {

using electron::kBeV;

namespace {

constexpr Real kXSwitch = 0.77L;  // below it the density shape is frozen

const Au1Params::RhoValues& Au1Rho(const Au1Params& p, Real rho) {
  if (rho != p.rhoMemo.key) {
    const Real x = rho * p.invRho0e;
    Real x1, f;
    if (x >= kXSwitch) {
      x1 = (x + 0.2L) / 1.2L;
      f = 1;
    } else {
      x1 = (kXSwitch + 0.2L) / 1.2L;
      f = 2 * kXSwitch / (x + kXSwitch);
    }
    const Real L = std::log(static_cast<double>(x1));
    p.rhoMemo.x1inv = 1 / x1;
    p.rhoMemo.f = f;
    p.rhoMemo.zShape = p.z0 + (1 - p.z0 - p.z2) * FitExp(-p.m1 * L) + p.z2 * FitExp(-p.m2 * L);
    p.rhoMemo.key = rho;
  }
  return p.rhoMemo;
}

// t^(1 + de).
Real HighPower(const Au1Params& p, Real Te) {
  if (Te != p.teMemo.key) {
    const Real t = p.tau * Te;
    p.teMemo.tHigh = t > 0 ? t * FitPow(t, p.de) : 0;
    p.teMemo.key = Te;
  }
  return p.teMemo.tHigh;
}

struct Branches {
  Real low = 0, high = 0;  // Elow, Ehigh
  Real scale = 0;          // f EF0/rho0e
};

Branches Au1Branches(const Au1Params& p, Real rho, Real Te) {
  const auto& r = Au1Rho(p, rho);
  const Real t = p.tau * Te;
  const Real tx = t * r.x1inv;
  Branches b;
  b.low = (p.e2 * t + p.e4 * tx * tx * t) * tx;  // e2 t^2/x1 + e4 t^4/x1^3
  b.high = p.e1 * HighPower(p, Te) * r.zShape;
  b.scale = r.f * p.E0r;
  return b;
}

}  // namespace

Real SolidEe(const Au1Params& p, Real rho, Real Te) {
  const Branches b = Au1Branches(p, rho, Te);
  if (!(b.low > 0 && b.high > 0)) return 0;
  // f E0r/(1/Elow + 1/Ehigh), written without the reciprocals of small branches.
  return b.scale * b.low * b.high / (b.low + b.high);
}

Real SolidCe(const Au1Params& p, Real rho, Real Te) {
  const Branches b = Au1Branches(p, rho, Te);
  if (!(b.low > 0 && b.high > 0 && Te > 0)) return 0;
  const auto& r = Au1Rho(p, rho);
  const Real t = p.tau * Te;
  const Real tx = t * r.x1inv;
  const Real dLow = p.tau * (2 * p.e2 * tx + 4 * p.e4 * tx * tx * tx);  // dElow/dTe
  const Real dHigh = (1 + p.de) * b.high / Te;                          // dEhigh/dTe
  // d/dTe [L H/(L + H)] = (L'H^2 + H'L^2)/(L + H)^2.
  const Real sum = b.low + b.high;
  return b.scale * (dLow * b.high * b.high + dHigh * b.low * b.low) / (sum * sum);
}

Real SolidPe(const Au1Params& p, Real rho, Real Te) {
  return p.Gammae * rho * SolidEe(p, rho, Te);
}

Real SolidPeDT(const Au1Params& p, Real rho, Real Te) {
  return p.Gammae * rho * SolidCe(p, rho, Te);
}

Real Au1Coupling(const Au1Params& p, Real rho, Real Te) {
  const Real scale = p.couplingScale * p.rho23.Rho23(rho);
  if (p.extrapolatedCoupling) {
    const Real u = Te * p.invAt1;
    const Real v = Te * p.invAt2;
    const Real v2 = v * v;
    return (u * u + 1) * p.al / (v2 * v2 * v + 1) * scale;
  }
  return (p.al + p.kalCoef * DBandCouplingShape(Te * kBeV)) * scale;
}

Real Au1CollisionShape(const Au1Params& p, Real tk) {
  const Real tk2 = tk * tk;
  return tk * (1 + p.k02 * tk2) / (1 + p.k03 * tk2 * FitPow(tk, 0.07L));
}

namespace {

const Au1Params::KappaRho& KappaAt(const Au1Params& p, Real rho) {
  if (rho != p.kappaMemo.key) {
    const Real xk = rho * p.invRho0k;
    p.kappaMemo.xk = xk;
    p.kappaMemo.xk43 = xk * std::cbrt(xk);
    if (p.kappa == Au1Kappa::PhaseFit) {
      p.kappaMemo.yShape = ConductivityShape(xk, p.a, p.cab);
    } else {
      p.kappaMemo.yShape = p.ya1 * FitPow(xk, p.yap) / (1 + p.yb1 * FitPow(xk, p.ybp));
    }
    p.kappaMemo.key = rho;
  }
  return p.kappaMemo;
}

Real PhaseFitConductivity(const Au1Params& p, Real rho, Real Te, Real Ti) {
  const auto& r = KappaAt(p, rho);
  const Real tk = p.tkCoef * Te / r.xk;
  const Real Se = p.a0 * tk / (1 + p.b0 * std::sqrt(tk) + (p.b1 + p.b2 * tk) * tk);
  const Real invKee = Se / r.xk43;  // electron-electron resistivity [m K/W]
  const Real k0 = Au1CollisionShape(p, tk);
  const int32_t code = ReducedPhase(p.blend.phase, rho, Ti);
  const auto solid = [&] {
    const Real kei = p.solScale * r.xk43 * r.yShape * k0 / Ti;
    return p.kScal / (p.ke * invKee + 1 / kei);
  };
  const auto liquid = [&] {
    const Real dT = Ti - p.Tm;
    const Real rbl = p.rbl0 + p.rbl1 * Ti * (p.Ts + p.Tm) / (p.Ts + Ti);
    const Real xbl = p.xbl0 + (p.xbl1 + (p.xbl2 + p.xbl3 * dT) * dT) * dT;
    const Real kei = p.k01 * k0 * p.r0 / rbl * FitPow(r.xk / xbl, p.g) * r.xk;
    return p.kScal / (p.ke * invKee + 1 / kei);
  };
  if (code == 1) return solid();
  if (code == 2 || code == 6) {
    const Real m = MixtureFraction(p.blend.phase, rho, Ti);
    return m * solid() + (1 - m) * liquid();
  }
  return liquid();
}

Real NewFitConductivity(const Au1Params& p, Real rho, Real Te, Real Ti) {
  const auto& r = KappaAt(p, rho);
  const Real t = p.Te1 * Te / r.xk;
  const Real t2 = t * t;
  const Real pre = 1e-4L / r.xk * p.kee1 * t;
  Real keem, kei;
  if (p.kappa == Au1Kappa::NewFit) {
    keem = pre * (1 + p.keea * t2) / (1 + (p.keeb2 + p.keeb4 * t2) * t2);
    const Real cy = t * (1 + p.ca1 * FitPow(t, p.cap)) / (1 + p.cb1 * FitPow(t, p.cbp));
    kei = r.xk43 * p.ksei1 * r.yShape * cy / Ti;
  } else {
    keem = pre / (1 + p.Sb0 * std::sqrt(t) - p.Sb1 * t + p.Sb2 * t2);
    kei = r.xk43 * p.ksei1 * r.yShape * p.cy * t * (p.Tr / Ti) * (1 + (p.cra2 * t - p.cra1) * t) /
          (1 + (p.crb2 * t - p.crb1) * t);
  }
  return p.kScal / (1 / kei + p.ke * keem);
}

}  // namespace

Real Au1Conductivity(const Au1Params& p, Real rho, Real Te, Real Ti) {
  switch (p.kappa) {
    case Au1Kappa::Constant:
      return p.kScal;
    case Au1Kappa::PhaseFit:
      return PhaseFitConductivity(p, rho, Te, Ti);
    default:
      return NewFitConductivity(p, rho, Te, Ti);
  }
}

}  // namespace tarvex
