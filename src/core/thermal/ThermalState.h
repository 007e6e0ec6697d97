// ThermalState: the part of a session the thermal solvers read beyond the hydrodynamic
// core's: the electron model as the thermal-parameter dialog's OK left it (slots, common
// parameters, heat-flux limit), the switches NoConduct / NoThermo, the laser source with
// its per-cell table, and the tension-time record of the film cells.
//
// Only the dialogs' OK handlers (or code acting as one) write the electron record and the
// laser source; the solvers read them. Session derives from this class.
#pragma once

#include "core/common/Prompter.h"
#include "core/electron/ElectronCommon.h"
#include "core/electron/ElectronState.h"
#include "core/hydro/HydroState.h"
#include "core/laser/LaserSource.h"
#include "core/spall/SpallCheck.h"
#include "core/spall/SpallLog.h"
#include "core/spall/TensionRecord.h"

namespace tarvex {

// Run-wide values the initial conditions set; the thermal, laser and spallation parts
// read them.
struct SetupParams {
  Real AdhesionLimit = 0;      // -|Padh|: the film-substrate bond breaks below it [GPa]
  Real AdhesionPairLimit = 0;  // 2 AdhesionLimit, limit of the sum of the two cell pressures
  bool QegOn = false;          // electron heat flux from the film into the substrate
  Real QSurfX = 0;             // film thickness seen by the laser source [cm]
  bool FixTeOn = false;        // electron temperature held fixed
  Real FixedTe = 0;            // that temperature [K]
  bool NonMetal = false;       // the instances were last of the non-metal class
};

class ThermalState : public HydroState {
 public:
  // The electron models read the film's phase from the film's equation of state in
  // force (in 1T and 2T alike).
  explicit ThermalState(Prompter& p) : HydroState(p) { LinkFilmPhase(electron.FilmPhase, eos); }

  SetupParams setup;

  ElectronState electron;     // the electron model of the film
  ElectronSwitches switches;  // NoConduct, NoThermo
  // The switches under the names the rest of the program reads.
  bool& NoConduct = switches.NoConduct;  // heat conduction off
  bool& NoThermo = switches.NoThermo;    // no electron thermodynamics (only with NoConduct)

  LaserSource laser;  // the source of the "Q external" dialog and its per-cell table

  // Tension times of the film cells; kept and advanced only while SpallOn is set, when
  // the energy steps also test stretched cells for spallation with the criteria of
  // `spall` (written by the spallation dialog's OK).
  TTensionRecord tension;
  bool SpallOn = false;
  TSpallParams spall;
  // The main window's "Trace spallation": every failed cell is appended to spallLog
  // ("Spall.dat" in the output directory, set when a run starts).
  bool SpallTrace = false;
  TSpallLog spallLog;

  // The two-temperature solvers' question on a negative temperature was answered "No to
  // All": every later negative temperature fails its pass without asking.
  bool NegativeTNeverAsk = false;
  // Heat flux from the film's electrons into the substrate in the last pass ("Add Qe->g")
  // [kW/cm2]; positive from the film into the substrate.
  Real QegFlux = 0;

 protected:
  ~ThermalState() = default;
};

}  // namespace tarvex
