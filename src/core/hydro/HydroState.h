// HydroState: the part of a simulation session that the hydrodynamic core reads and
// writes: the run-wide quantities of the grid, the boundary modes, the mass arrays of
// curved grids, the equation-of-state slots, the convergence and viscosity state, the
// thermal closures and the three solver instances.
//
// The session (core/session/Session.h) derives from it and adds what the core never
// touches: ownership of the instances through the solver-class catalog, the forms' run
// parameters, the electron model. Hydro code receives a HydroState& under the member
// names the rest of the program uses, so it never sees the layers above it.
#pragma once

#include <cstdint>
#include <utility>

#include "core/common/Prompter.h"
#include "core/common/Real.h"
#include "core/eos/EosSlots.h"
#include "core/hydro/Convergence.h"
#include "core/hydro/Viscosity.h"
#include "core/numerics/Tridiagonal.h"

namespace tarvex {

class THydrStat;

// Run-wide quantities of the simulation state. Units with a physical equation of state:
// cm, s, cm/s, g/cm3, GPa, kJ/g, K; dimensionless with the dimensionless models.
struct SimParams {
  Real L0 = 1;               // initial physical length of the grid [cm]
  Real rho0 = 1;             // reference (film) density [g/cm3]
  Real rho0l = 1;            // initial density of the substrate layer [g/cm3]
  Real SimTime = 0;          // current time [s]
  Real IntervalEnd = 0;      // end of the output interval being computed [s]
  Real dtMax = 0;            // largest sub-step, dt1 / MnStepDiv [s]
  Real h0 = 0;               // uniform initial cell size L0 / N [cm]
  Real CellMassUniform = 0;  // rho0 * h0, mass of a planar cell per unit area [g/cm2]
  Real Pout = 0;             // outer pressure on the free boundaries [GPa]
  bool PoutRamp = false;     // Pout = Pout0 + PoutRate * SimTime when set
  Real Pout0 = 0;            // the outer pressure the initial conditions gave [GPa]
  Real PoutRate = 0;         // [GPa/s]
  bool Running = false;
  int32_t InGlass = 0;      // substrate cells: >0 left of the film, <0 right of it
  Real x0shift = 0;         // offset of the coordinate origin from the film surface [cm]
  int32_t Dspc = 1;         // 1 planar, 2 cylindrical, 3 spherical
  int32_t RadialPower = 0;  // Dspc - 1
  Real EnergyFactor = 1;    // per unit solid angle -> whole body: 1, 2 pi, 4 pi

  // Outer pressure at the current time: advances Pout along the ramp when it is on (the
  // passes call it before every use, so Pout always holds the value of the last pass).
  Real CurrentPout() {
    if (PoutRamp) Pout = Pout0 + PoutRate * SimTime;
    return Pout;
  }
};

// Mechanical boundary modes (chosen in the initial-conditions dialog).
struct BoundaryFlags {
  bool NoMove = false;           // grid frozen; steps update only the thermal state
  bool LeftFixed = false;        // v_0 held at 0
  bool LeftNonNegative = false;  // x_0 kept >= 0
  bool KeepVL = false;           // v_N keeps its old value
  bool VPPout = false;           // with KeepVL: v_N = (P_{N-1} - Pout) * VLcoef
  Real VLcoef = 0;               // [cm/s/GPa]

  // Maps the left-boundary item ("P0 = Pout", "x >= 0", "v0 = 0", "No move") to flags.
  void SetLeftMode(int32_t item) {
    NoMove = item == 3;
    LeftFixed = item == 2 || item == 3;
    LeftNonNegative = item == 1 || item == 3;
  }
};

// Mass arrays of curved grids (Dspc > 1), shared by the three instances.
struct MassArrays {
  RealArray CellMass;    // N entries [g per unit solid angle]
  RealArray NodeMass;    // N + 1 entries
  RealArray HalfVolume;  // 2N + 2 entries: left and right halves of each initial cell
};

class HydroState {
 public:
  explicit HydroState(Prompter& p) : prompter(p) {}
  HydroState(const HydroState&) = delete;
  HydroState& operator=(const HydroState&) = delete;

  Prompter& prompter;

  SimParams sim;
  BoundaryFlags bounds;
  MassArrays mass;
  EosState eos;
  ConvergenceState conv;
  ViscosityState visc;
  ThermalClosures closures;  // thermal boundary conditions of the implicit conduction

  // The three solver instances. StateA holds the accepted state at SimTime; StateB and
  // StateC are the work instances of the iterated step. Accepting a step swaps the
  // StateA and StateB references; no data are copied.
  THydrStat* StateA = nullptr;
  THydrStat* StateB = nullptr;
  THydrStat* StateC = nullptr;
  void SwapAB() { std::swap(StateA, StateB); }

 protected:
  ~HydroState() = default;
};

// The grid constants of a state: cell count N, initial length L0 = N h0 [cm] (h0 given
// with it, so that a loaded cell width stays exact), film and substrate densities, the
// substrate cell count and the geometry.
struct GridSpec {
  int32_t N = 0;
  Real L0 = 0;
  Real h0 = 0;
  Real rho0 = 1;
  Real rho0l = 1;
  int32_t InGlass = 0;
  int32_t Dspc = 1;
};

// The one place that derives the grid constants: L0, h0, the densities, InGlass, Dspc,
// RadialPower = Dspc - 1, EnergyFactor (1, 2 pi, 4 pi), CellMassUniform = rho0 h0 and,
// in curved geometry, the mass arrays of the initial uniform grid (planar grids have
// none).
void SetGrid(HydroState& s, const GridSpec& g);

// A new film density on the same grid: rho0 and CellMassUniform = rho0 h0.
void SetFilmDensity(HydroState& s, Real rho0);

// EnergyFactor of a geometry: 1 planar, 2 pi cylindrical, 4 pi spherical.
Real EnergyFactorOf(int32_t Dspc);

}  // namespace tarvex
