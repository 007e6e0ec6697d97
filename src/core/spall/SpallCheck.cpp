// The spallation test of one cell and the surface-tension models it uses.
#include "core/spall/SpallCheck.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// Nucleation criterion: cavities of the critical size appear in the volume V' within the
// available time τa faster than the tension can relax,
//   (ρ/m_at)² V' σ √(σ kB T) exp(−W/(kB T)) > |p|,  W = 16π/3 σ³/p²,
// which is τa > τ_nucl = η|p| / (V n² σ √(σ kB T)) · exp(W/(kB T)). V' = V·1e-6·τa/η
// (NuclVFactor holds V·1e-6/η; 1e-6 brings n² V τa σ √(σ kB T)/η with kB in kJ to GPa).
bool Nucleates(const TSpallParams& sp, Real rho, Real T, Real p, Real sigma, Real tauA, Real c) {
  const Real n = rho * sp.invMAt;  // atoms per cm³
  Real V = sp.NuclVFactor * tauA;
  if (sp.VCalc) {
    // The volume a sound wave crosses in τa: (4π/3)(c·v1·τa)³, 4π/3 in NuclVFactor.
    const Real R = c * sp.v1 * tauA;  // [cm]
    V *= R * R * R;
  }
  const Real tension = -p;
  const Real rate = n * n * V * sigma * std::sqrt(sigma * kBoltzmannKJ * T);  // [GPa]
  // exp(−W/(kB T)) ≤ 1: no barrier factor can make a smaller prefactor exceed |p|.
  if (!(rate > tension)) return false;
  // A barrier of more than 1e4000·σ/T·|WFactor| is beyond the exponent range: exp = 0.
  if (tension * 1e2000L < sigma) return false;
  const Real sOverP = sigma / p;
  return rate * std::exp(kWFactor * sOverP * sOverP * sigma / T) > tension;
}

// Spall criterion: the spall time τ_sp = X^(1/3)/(c·v1) with X = c_spall σ/(ρ εt²) [cm³]
// must be shorter than τa, and the tension must exceed the dynamic strength
// τ_sp ρ εt c². Both read "X^(1/3) is below a length": the sound path c·v1·τa and
// |p|·v1/(ρ εt c) [cm]; they are compared as cubes, which spares the cube root.
bool Spalls(const TSpallParams& sp, Real rho, Real p, Real sigma, Real tauA, Real c, Real epsT) {
  const Real X = sp.cSpall * sigma / (rho * epsT * epsT);
  const Real soundPath = c * sp.v1 * tauA;
  const Real strengthPath = -p * sp.v1 / (rho * epsT * c);
  const Real l = std::min(soundPath, strengthPath);
  return X < l * l * l;
}

}  // namespace

Real SigmaOfT(const TSpallParams& sp, Real T) {
  const Real u = 1 - T * sp.invTc;
  if (!(u > 0)) return 0;
  return sp.sigma0 * u * std::sqrt(std::sqrt(u));  // u^1.25
}

Real BinodalGasDensity(Real T, Real invTc) {
  const Real u = 1 - T * invTc;
  const Real fit =
      -32.790713L + T * (0.018426L + T * (-3.9716e-6L + T * (3.941555e-10L - 1.477247e-14L * T)));
  return std::exp(fit - std::sqrt(u * 8.39029L * (u * 2.7L + 1)));
}

Real BinodalEnergy(Real T, Real invTc) {
  const Real u = 1 - T * invTc;
  return 0.9665L + T * (5.82666e-6L + T * (1.95074e-8L - 1.0332e-12L * T)) +
         std::sqrt(u * 3.3477L * (u * 2.51377L + 1));
}

Real SigmaOfRhoT(const TSpallParams& sp, Real rho, Real T, Real Ei) {
  if (!(rho > 0) || !(T > 0)) return 0;
  const Real tau = T * sp.invTc;
  if (!(tau < 1)) return 0;
  const Real rhoBg = BinodalGasDensity(T, sp.invTc);
  if (!(rhoBg > 0)) return 0;
  // 3.5/r − 1 with r = ρ/ρc, written without dividing by ρc; the entropy term needs it > 0.
  const Real gBg = 3.5L * sp.rhoC / rhoBg - 1;
  const Real g = 3.5L * sp.rhoC / rho - 1;
  if (!(gBg > 0) || !(g > 0)) return 0;
  const Real tau15 = tau * std::sqrt(tau);
  const Real kTm = sp.kBOverM * T;  // kB·Tc·τ/m_at [kJ/g]
  const Real phiBg = BinodalEnergy(T, sp.invTc) - kTm * std::log(tau15 * gBg);
  const Real phi = Ei - kTm * std::log(tau15 * g);
  const Real rho13 = std::cbrt(rho);
  return sp.sigma0r * (rhoBg / rho13 * (phiBg - sp.Ei0) - rho13 * rho13 * (phi - sp.Ei0));
}

Real EffectiveSoundSpeed(Real cEos, Real p, Real rho) {
  const Real cTension = std::sqrt(std::fabs(p) / rho);  // √(GPa/(g/cm³)) = km/s
  if (!std::isfinite(cEos) || !(cEos > 0)) return cTension;
  if (cTension > cEos) return std::sqrt(cTension * cEos);
  return cEos;
}

TSpallVerdict SpallCheck(const TSpallParams& sp, const TSpallEos& eos, const TSpallCell& cell) {
  TSpallVerdict v;
  const Real rho = cell.rho;
  const Real T = cell.T;
  // Hot electrons: the electron pressure taken at T rather than at Te, with a linear
  // coefficient pTe [GPa/K] (pTe > 0 makes the effective tension larger).
  Real p = cell.p;
  if (T < cell.Te) p += sp.pTe * (T - cell.Te);
  v.p = p;
  if (!(p < 0) || !(rho > 0) || !(T > 0)) return v;

  // A solid cell is judged by the solid strength only, unless CheckSol applies the liquid
  // criteria everywhere.
  if (!sp.CheckSol && eos.IsMelted && !eos.IsMelted(rho, T)) {
    v.failed = sp.CheckPsol && p < SolidStrength(sp, T);
    return v;
  }

  if (sp.CheckNucl || sp.CheckSpall) {
    const Real c = EffectiveSoundSpeed(eos.SoundSpeed ? eos.SoundSpeed(rho, T) : 0, p, rho);
    // Available time: the inverse strain rate, at most the time spent under tension.
    Real tauA = cell.tensionTime;
    if (cell.epsT > 0) tauA = std::min(tauA, 1 / cell.epsT);
    if (!(std::isfinite(tauA) && tauA > 0)) tauA = 0;
    const Real sigma = sp.SigmaOfT ? SigmaOfT(sp, T) : SigmaOfRhoT(sp, rho, T, cell.Ei);
    v.tauA = tauA;
    v.sigma = sigma;
    // Without a surface tension (at and above Tc) there is no cavity to nucleate and no
    // spall time: these criteria do not fail the cell.
    const bool surface = sigma > 0;
    if (sp.CheckNucl && surface) v.failed = Nucleates(sp, rho, T, p, sigma, tauA, c);
    if (sp.CheckSpall && !v.failed) {
      if (surface && cell.epsT > 0 && Spalls(sp, rho, p, sigma, tauA, c, cell.epsT)) {
        v.failed = true;
      } else {
        v.tauA = 0;
      }
    }
  }
  if (sp.CheckPliq && !v.failed) v.failed = p <= LiquidStrength(sp, T);
  return v;
}

}  // namespace tarvex
