// The weights of the solid-state / free-electron blends.
#include "core/electron/FreeElectronBlend.h"

namespace tarvex {

namespace {

bool TableCase(const BlendParams& b, Real Te) {
  return FilmTabulated(b.phase) && Te < b.TeC;
}

}  // namespace

Real BlendDensity(const BlendParams& b, Real rho) {
  const Real rhoMd = b.feg.RhoMd;
  return rhoMd == 0 ? rho : rho * SwitchS(rho / rhoMd);
}

EnergyBlend EnergyWeights(const BlendParams& b, Real rho, Real Te) {
  if (rho <= b.feg.RhoMd) return {};
  if (TableCase(b, Te)) {
    const int32_t code = ReducedPhase(b.phase, rho, Te);
    if (code == 5 || code == 6) return {};
    if (code == 4) {
      const Real m = MixtureFraction(b.phase, rho, Te);
      return {m, 1 - m, BlendDensity(b, rho)};
    }
    return {1, 0, BlendDensity(b, rho)};
  }
  if (b.VeC <= 0) return {1, 0, BlendDensity(b, rho)};
  const Real x = rho * b.VeC;
  if (x >= 2) return {1, 0, rho};
  if (x <= 1) return {};
  return {x - 1, 2 - x, BlendDensity(b, rho)};
}

PressureBlend PressureWeights(const BlendParams& b, Real rho, Real Te) {
  PressureBlend p;
  if (rho <= b.feg.RhoMd) return p;
  p.d = BlendDensity(b, rho);
  if (TableCase(b, Te)) {
    const int32_t code = ReducedPhase(b.phase, rho, Te);
    if (code == 5 || code == 6) return p;
    if (code != 4) {
      p.kind = PressureBlend::Solid;
      return p;
    }
    p.kind = PressureBlend::Harmonic;
    p.w = MixtureFraction(b.phase, rho, Te);
    // Below 2 rho_md the free electrons of a liquid-gas mixture switch on with Te.
    if (rho < b.feg.RhoMd2 && b.TeHalf > 0) {
      const Real y = Te / b.TeHalf;
      p.f = SwitchS(y);
      p.df = 2 * SwitchSPrime(y) / b.TeHalf;
    }
    return p;
  }
  const Real x = rho * b.VeC;
  if (b.VeC <= 0 || x >= 2) {
    p.kind = PressureBlend::Solid;
    return p;
  }
  if (x <= 1) return p;
  p.kind = PressureBlend::Harmonic;
  p.w = x - 1;
  return p;
}

}  // namespace tarvex
