// The equation-of-state slots through which every solver reaches the thermodynamics of
// a medium, and the state the session keeps for them.
//
// EosSet holds the functions of one medium (the film, the left medium); TActiveEos what
// the solvers call for the film: totals of ions and electrons, the ion part alone, sound
// speed and phase predicates. All slots take density first: f(rho, T) for forward
// functions, f(rho, E) or f(rho, P) for inverses. Units: rho g/cm3, T K, E kJ/g, P GPa,
// Cv kJ/g/K, dP/dT GPa/K, conductivity kW/cm/K, sound speed km/s (dimensionless models
// use reduced units throughout).
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/IdealGasParams.h"
#include "core/eos/NewtonInverse.h"
#include "core/eos/PhaseCode.h"

namespace tarvex {

struct EosSet {
  Slot2 E;              // specific internal energy E(rho, T) [kJ/g]
  Slot2 P;              // pressure P(rho, T) [GPa]
  Slot2 Cv;             // dE/dT at constant rho [kJ/g/K]
  Slot2 dPdT;           // dP/dT at constant rho [GPa/K]
  Slot2 TofE;           // T with E(rho, T) = E
  Slot2 TofP;           // T with P(rho, T) = P
  Slot2 Kappa;          // heat conductivity of the medium [kW/cm/K]
  IntSlot2 PhaseColor;  // display colour 0x00BBGGRR of the phase state
  IntSlot2 PhaseId;     // phase code, for models with an explicit phase function
};

struct TActiveEos {
  Slot2 E;                  // total (ions and electrons at one temperature) energy [kJ/g]
  Slot2 P;                  // total pressure [GPa]
  Slot2 Cv;                 // total heat capacity [kJ/g/K]
  Slot2 TofE;               // T from the total energy
  Slot2 TofP;               // T from the total pressure
  Slot2 Eion;               // lattice energy alone, at the ion temperature
  Slot2 Pion;               // lattice pressure alone
  Slot2 Cvion;              // lattice heat capacity alone
  Slot2 SoundSpeed;         // [km/s], tabulated models only
  Slot2 LiquidFraction;     // mass fraction of liquid, 0..1
  Slot2 SolidFraction;      // mass fraction of solid, 0..1
  PredSlot2 IsMelted;       // the state holds liquid or gas
  PredSlot2 HasVapour;      // phase code 4, 5 or 6
  PredSlot2 IsFluidVapour;  // phase code 4 or 5
  // Total dP/dT (film dPdT plus the electron part); serves only the Newton inversion
  // of TofP.
  Slot2 dPdT;
};

// Everything the session keeps about equations of state. Slots point into this struct
// (parameter blocks, composed-slot blocks), so it is neither copyable nor movable.
struct EosState {
  EosState() = default;
  EosState(const EosState&) = delete;
  EosState& operator=(const EosState&) = delete;
  EosState(EosState&&) = delete;
  EosState& operator=(EosState&&) = delete;

  EosSet FilmEos;
  EosSet LeftEos;
  TActiveEos ActiveEos;
  // Velocity scale of the film model: 1 for the dimensionless models, 1e5 for the
  // physical ones (km/s, the velocity of GPa / (g/cm3), in cm/s); 0 before any selection.
  Real EosScale = 0;
  bool FilmTableFlag = false;  // film model is tabulated
  bool LeftTableFlag = false;  // left model is tabulated
  int32_t FilmEosType = -1;    // model number last accepted for the film, -1 before any
  int32_t LeftEosType = -1;    // model number last accepted for the left medium

  // Parameter blocks of the models, one per medium, so that choosing a model for one
  // medium never changes the other's.
  IdealGasParams FilmIdealGas;
  IdealGasParams LeftIdealGas;

  // Newton inversions of the film totals (temperature from total E and from total P).
  NewtonInverseParams FilmTofENewton;
  NewtonInverseParams FilmTofPNewton;
};

// Outcome of binding a model: on failure `field` names the parameter (as the dialog
// field is named) that is invalid, and no slot was changed.
struct EosBindResult {
  bool ok = true;
  std::string field;
  std::string message;

  explicit operator bool() const { return ok; }
  static EosBindResult Ok() { return {}; }
  static EosBindResult Fail(std::string field, std::string message) {
    return {false, std::move(field), std::move(message)};
  }
};

// Empties the slots a film selection rewrites: every FilmEos member but Kappa and every
// ActiveEos member.
void ClearFilmSlots(EosState& eos);
// Empties every LeftEos member but Kappa.
void ClearLeftSlots(EosState& eos);

// Phase colour of the film from the predicates: green if ActiveEos.HasVapour is set
// and true, else blue if ActiveEos.IsMelted is set and true, else maroon.
int32_t ColorFromPredicates(const TActiveEos& active, Real rho, Real T);

// Phase code of a film cell. `tablePhase` gives the table's code while the film table
// flag is set (an empty slot then means no phase-code table: 0). Otherwise
// FilmEos.PhaseId, else the ActiveEos predicates, else the FilmEos colour.
PhaseCode FilmPhaseCode(const EosState& eos, Real rho, Real T, IntSlot2 tablePhase = {});

// Phase code of a left-medium cell: the left table's code while the left table flag is
// set, else LeftEos.PhaseId, else 0.
PhaseCode LeftPhaseCode(const EosState& eos, Real rho, Real T, IntSlot2 tablePhase = {});

}  // namespace tarvex
