// The integral-values window ("IntegrValues") as a form model: conserved and accumulated
// quantities of the whole target, updated by every display refresh, and the position of a
// chosen critical density.
//
// Energies are sums over StateA of cell masses (per unit area in planar geometry, per unit
// solid angle otherwise) times specific quantities; EosScale^2 turns kJ/g into the unit of
// v^2, and the session's EnergyFactor (1, 2 pi, 4 pi) turns "per unit solid angle" into a whole
// cylinder or sphere. Ipdt, the time integral of the left-boundary pressure, is accumulated by the
// driver into Session::Ipdt and only shown here.
#pragma once

#include "core/common/Real.h"
#include "core/common/RealField.h"
#include "core/optics/ComplexField.h"

namespace tarvex {

class Session;
class TMainForm;
class THydrStat;

// The sums of one refresh, in full precision.
struct TIntegralSums {
  Real Et = 0;    // thermal energy
  Real Ek = 0;    // kinetic energy (mean of the node- and cell-based sums)
  Real Es = 0;    // Ek + Et (+ Ed for the non-metal class)
  Real Ee = 0;    // electron energy (two-temperature classes)
  Real Ei = 0;    // Et - Ee
  Real Ed = 0;    // energy of the electron-ion disequilibrium
  Real Ivdx = 0;  // momentum per unit area, trapezoidal over the mass grid
};

// The sums over a state. EnergyFactor as above; scale2 = EosScale^2.
TIntegralSums ComputeIntegralSums(const THydrStat& A, Real EnergyFactor, Real scale2);

// Position [cm] where the density profile, scanned from the right end, rises through
// Rho_C (quadratic interpolation at the crossing; never beyond node j+1). CellMassUniform
// is the planar cell mass [g/cm2].
Real CriticalDensityPosition(const THydrStat& A, Real Rho_C, Real CellMassUniform);

class TIntegralValues {
 public:
  TIntegralValues();

  // Edits, 4 significant digits (the texts go into the profile header).
  RealField Et, Ek, Es, Ipdt, Ivdx, Ei, Ee, Ed, Eadd, Rho_C, x_rc;

  bool Visible = false;         // the window is shown ("Integr"; "&Ok" hides it)
  bool EkVisible = true;        // hidden in frozen-grid runs
  bool T2PanelVisible = false;  // Eion, Eel, Ed: two-temperature runs
  bool RCPanelVisible = false;  // critical-density panel
  bool RefrVisible = false;     // the refraction edit (refractive data present)
  // The refraction of the layered optics: reflectance R + i phase shift h [nm].
  TComplexField Refr;

  // Total energy of the accepted initial state; Eadd is measured from it.
  Real InitialEnergy = 0;

  // The last sums in full precision.
  const TIntegralSums& Sums() const { return sums_; }

  // RefreshIntegrals: recomputes every value from StateA.
  void Refresh(Session& s, const TMainForm& form);
  // Stores the current total energy as the initial one (after "Init/Shift").
  void StoreInitialEnergy() { InitialEnergy = sums_.Es; }
  // After a load: Eadd goes on from what the saved run had added.
  void StoreInitialEnergy(Real alreadyAdded) { InitialEnergy = sums_.Es - alreadyAdded; }

  // "&rho_c": shows the panel and proposes rho0 / 3.
  void RhoCButton(Real rho0);
  // Leaving Rho_C: the panel stays visible only for a positive value.
  void LeaveRho_C();

 private:
  TIntegralSums sums_;
};

}  // namespace tarvex
