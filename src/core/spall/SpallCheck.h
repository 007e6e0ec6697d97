// The failure test of a stretched cell (spallation) and the foam strength of failed cells.
//
// A stretched liquid breaks when the tension lasts long enough for vapour cavities to
// nucleate (homogeneous nucleation through the barrier W = 16π/3 σ³/p²), when the
// tension of a dynamic spall (Grady-type strength from the strain rate) is exceeded, or
// when the pressure falls below a strength limit p_liq(T) (liquid) or p_sol(T) (solid).
// A failed cell carries no tension any more: its pressure becomes the foam strength (or 0).
//
// TSpallParams is the model state the spallation dialog stores on OK: every per-material
// constant is computed there, so that SpallCheck, called per cell under tension, needs
// no power and no hoistable logarithm. What the check needs of the equation of state
// comes in TSpallEos; the cell state in TSpallCell. No session, no globals.
//
// Units: ρ g/cm³, T K, p GPa, E kJ/g, σ erg/cm² (= g/s²), times s, strain rate 1/s,
// sound speed km/s (v1 = the velocity scale EosScale, cm/s per km/s), m_at g, η Pa·s,
// V cm³.
#pragma once

#include <numbers>

#include "core/common/Real.h"
#include "core/common/Slot.h"

namespace tarvex {

// Boltzmann constant [kJ/K].
inline constexpr Real kBoltzmannKJ = 1.3806504e-26L;

// WFactor·σ³/(p²·T) = −W/(kB·T) for σ in erg/cm², p in GPa, T in K: −(16π/3)·1e-30/kB,
// 1e-30 turning (erg/cm²)³/GPa² into kJ (= −1.21357012746641e-3).
inline constexpr Real kWFactor = -(16 * std::numbers::pi_v<Real> / 3) * 1e-30L / kBoltzmannKJ;

// The model state of one material, written by the spallation dialog's OK.
struct TSpallParams {
  // ---- criteria ----
  bool CheckNucl = false;   // nucleation time
  bool CheckSpall = false;  // spall time and strength
  bool CheckPliq = false;   // liquid strength limit p_liq(T)
  bool CheckPsol = false;   // solid strength limit p_sol(T)
  bool CheckSol = false;    // apply the liquid criteria also where the EOS reports solid
  bool VCalc = false;       // nucleation volume (4π/3)(c·τa)³ instead of V
  bool SigmaOfT = true;     // σ(T); false: σ(ρ, T, Ei)
  bool Foam = false;        // failed cells carry the foam strength instead of 0

  // ---- nucleation ----
  Real NuclVFactor = 0;  // V·1e-6/η, with VCalc (4π/3)·1e-6/η; 1e-6 turns the rate into GPa
  Real mAt = 0;          // atomic mass [g]
  Real invMAt = 0;       // 1/m_at [1/g]: number density n = ρ/m_at [1/cm³]
  Real v1 = 0;           // velocity scale [cm/s per km/s]

  // ---- spall time: τ_sp = (c_spall·σ/(ρ·εt²))^(1/3) / (c·v1) ----
  Real cSpall = 0;

  // ---- σ(T) = σ0 (1 − T/Tc)^1.25 ----
  Real sigma0 = 0;  // [erg/cm²]
  Real Tc = 0;      // critical temperature [K]
  Real invTc = 0;   // 1/Tc [1/K]

  // ---- σ(ρ, T, Ei) ----
  Real sigma0r = 0;  // scale factor of σ(ρ, T)
  Real Ei0 = 0;      // reference energy [kJ/g]
  Real rhoC = 0;     // critical density ρ_bg(Tc) [g/cm³]
  Real kBOverM = 0;  // kB/m_at [kJ/g/K]: the entropy term of Φ is (kB T/m_at)·ln(...)

  // ---- strength limits p(T) = p0 + p1·T + p2·T² [GPa] ----
  Real Pliq0 = 0, PliqT = 0, PliqT2 = 0;
  Real Psol0 = 0, PsolT = 0, PsolT2 = 0;

  // ---- hot electrons: p ← p + pTe·(T − Te) while T < Te [GPa/K] ----
  Real pTe = 0;

  // ---- foam: Pf for ρ ≥ Rf, Pf·ρ/Rf for Rfc ≤ ρ < Rf, 0 below Rfc ----
  Real Pf = 0;        // [GPa], ≤ 0 (a tension)
  Real Rf = 1;        // [g/cm³]
  Real Rfc = 0;       // [g/cm³]
  Real PfOverRf = 0;  // Pf/Rf [GPa·cm³/g]
};

// What the check needs of the material's equation of state (filled from ActiveEos).
struct TSpallEos {
  PredSlot2 IsMelted;  // liquid test (ρ, T); empty: every cell counts as liquid
  Slot2 SoundSpeed;    // c(ρ, T) [km/s]; empty, not finite or ≤ 0: √(|p|/ρ) is used
};

// One cell under tension, as the solver passes it.
struct TSpallCell {
  Real epsT = 0;  // rate of expansion (velocity difference over cell width) [1/s]
  Real rho = 0;   // density [g/cm³]
  Real T = 0;     // ion temperature [K]
  Real p = 0;     // pressure [GPa]; the tension pressure Pt in two-temperature solvers
  Real Ei = 0;    // ion specific energy [kJ/g] (total energy in one-temperature solvers)
  Real Te = 0;    // electron temperature [K] (= T in one-temperature solvers)
  // Time the cell has been under tension, |Tneg[i]| [s]; it limits the available time
  // 1/εt. Infinity when there is no tension record.
  Real tensionTime = 0;
};

// Outcome of the check, with what the spallation log writes.
struct TSpallVerdict {
  bool failed = false;
  Real p = 0;      // the pressure after the hot-electron shift [GPa]
  Real tauA = 0;   // available time [s]; 0 when no time criterion was decisive
  Real sigma = 0;  // surface tension used [erg/cm²]; 0 where it is not defined
};

// σ(T) = σ0 (1 − T/Tc)^1.25; 0 at and above Tc, where the liquid-vapour interface is gone.
Real SigmaOfT(const TSpallParams& sp, Real T);

// Density of the gas on the binodal ρ_bg(T) [g/cm³] and energy on the binodal E_bg(T)
// [kJ/g] (fits of the σ(ρ, T) model); T < Tc.
Real BinodalGasDensity(Real T, Real invTc);
Real BinodalEnergy(Real T, Real invTc);

// σ(ρ, T, Ei) = σ0r [ ρ_bg/ρ^(1/3) (Φ(ρ_bg/ρc, T/Tc, E_bg) − Ei0)
//                     − ρ^(2/3) (Φ(ρ/ρc, T/Tc, Ei) − Ei0) ],
// Φ(r, τ, E) = E − (kB·T/m_at)·ln(τ^1.5 (3.5/r − 1)). 0 outside the model's domain
// (T ≥ Tc, T ≤ 0, ρ ≤ 0, or a density at or above 3.5 ρc), where it is not defined.
Real SigmaOfRhoT(const TSpallParams& sp, Real rho, Real T, Real Ei);

// The sound speed the time criteria use [km/s]: the EOS value, √(|p|/ρ) where the EOS
// gives none (not finite or ≤ 0), and the geometric mean of both where the tension
// speed √(|p|/ρ) is the larger.
Real EffectiveSoundSpeed(Real cEos, Real p, Real rho);

// Strength limits [GPa] at temperature T [K].
inline Real LiquidStrength(const TSpallParams& sp, Real T) {
  return sp.Pliq0 + T * (sp.PliqT + T * sp.PliqT2);
}
inline Real SolidStrength(const TSpallParams& sp, Real T) {
  return sp.Psol0 + T * (sp.PsolT + T * sp.PsolT2);
}

// Foam strength P_f(ρ) [GPa].
inline Real FoamStrength(const TSpallParams& sp, Real rho) {
  if (rho >= sp.Rf) return sp.Pf;
  if (rho >= sp.Rfc) return sp.PfOverRf * rho;
  return 0;
}

// The pressure a failed cell carries: the foam strength with Foam, else 0.
inline Real FailedCellPressure(const TSpallParams& sp, Real rho) {
  return sp.Foam ? FoamStrength(sp, rho) : Real(0);
}

// Decides whether the cell fails. In order: the hot-electron shift of p; a cell that is
// not stretched after it (p ≥ 0), or has no positive density or temperature, does not
// fail; a cell the liquid test reports as solid (unless CheckSol) is judged by p_sol
// only; otherwise the nucleation criterion, then the spall criterion, then p_liq. Raises
// no floating-point fault for finite input.
TSpallVerdict SpallCheck(const TSpallParams& sp, const TSpallEos& eos, const TSpallCell& cell);

}  // namespace tarvex
