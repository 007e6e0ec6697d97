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
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/common/Real.h"
#include "core/common/Slot.h"
#include "core/eos/ElectronSlots.h"
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

// The prepared parameters of a medium's model, owned by its record. The slots point at
// the block, so it stays at one address until the next accepted selection replaces it.
class EosParamBlock {
 public:
  EosParamBlock() = default;
  template <class P>
  static EosParamBlock Of(P&& params) {
    using T = std::decay_t<P>;
    EosParamBlock b;
    b.p_ = Owned(new T(std::forward<P>(params)), [](void* q) { delete static_cast<T*>(q); });
    return b;
  }
  explicit operator bool() const { return p_ != nullptr; }
  const void* Get() const { return p_.get(); }
  template <class T>
  const T& As() const {
    return *static_cast<const T*>(p_.get());
  }

 private:
  using Owned = std::unique_ptr<void, void (*)(void*)>;
  Owned p_{nullptr, [](void*) {}};
};

struct EosModelInfo;
class TEosTableSet;

// One medium's accepted model: the catalog entry, its parameter values in the order of
// the entry's parameters (names, units and ranges are the entry's), the chosen preset
// and the prepared block the medium's slots are bound to.
struct EosMediumRecord {
  const EosModelInfo* model = nullptr;  // nullptr before any accepted selection
  std::vector<Real> values;
  int32_t preset = -1;   // the preset chosen with the model (the metal of "Ideal gas of:")
  bool NoElEOS = false;  // film: the model holds no electron part (totals add it)
  EosParamBlock block;
  // A tabulated model: its table set and the description file (".man") it was read
  // from, as given to the dialog (empty for the other models).
  std::shared_ptr<const TEosTableSet> table;
  std::string tableFile;
  // The heat conductivity chosen on the dialog (CheckKappa): its option (a TKappaKind,
  // -1 while the medium's Kappa is not the dialog's) and the parameter block (a
  // KappaParams) the medium's Kappa slot is bound to. It outlives later selections that
  // leave Kappa as it is.
  int32_t kappaKind = -1;
  EosParamBlock kappa;

  // The value of a parameter by name; NaN when the model has none of that name.
  Real Value(std::string_view name) const;
};

// Two slots combined by a sum or a difference (film and electron parts).
struct SlotPair {
  Slot2 a;
  Slot2 b;
};
Real SlotSum(const SlotPair& s, Real rho, Real x);
Real SlotDifference(const SlotPair& s, Real rho, Real x);

// The electron dP/dT where the electron model gives none: (2/3) rho Ce(rho, T), the
// free-electron gas (Pe = 2/3 rho Ee).
struct ElectronPressureDT {
  Slot2 ElHeatCap;
};
Real FreeElectronPressureDT(const ElectronPressureDT& s, Real rho, Real T);

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
  // The sub-choice of the film model (the metal of "Ideal gas of:", the material of a
  // frame); 0 for models without one.
  int32_t FilmMaterialIndex = 0;

  // The accepted model of each medium, so that choosing a model for one medium never
  // changes the other's.
  EosMediumRecord Film;
  EosMediumRecord Left;

  // Composed slots of the film totals with the electron part (ComposeActiveEos).
  SlotPair TotalE, TotalP, TotalCv, TotalDPDT, IonE, IonP, IonCv;
  ElectronPressureDT ElectronDPDT;
  // Newton inversions of the film totals (temperature from total E and from total P).
  NewtonInverseParams FilmTofENewton;
  NewtonInverseParams FilmTofPNewton;
};

// Empties the slots a film selection rewrites: every FilmEos member but Kappa and every
// ActiveEos member.
void ClearFilmSlots(EosState& eos);
// Empties every LeftEos member but Kappa.
void ClearLeftSlots(EosState& eos);

// Phase colour of the film from the predicates: green if ActiveEos.HasVapour is set
// and true, else blue if ActiveEos.IsMelted is set and true, else maroon.
int32_t ColorFromPredicates(const TActiveEos& active, Real rho, Real T);

// Phase code of a film cell. While the film table flag is set: `tablePhase` when given,
// else the table's own code (FilmEos.PhaseId; 0 without one). Otherwise FilmEos.PhaseId,
// else the ActiveEos predicates, else the FilmEos colour.
PhaseCode FilmPhaseCode(const EosState& eos, Real rho, Real T, IntSlot2 tablePhase = {});

// Phase code of a left-medium cell: `tablePhase` when given while the left table flag is
// set, else LeftEos.PhaseId (a table's lower-corner code), else 0.
PhaseCode LeftPhaseCode(const EosState& eos, Real rho, Real T, IntSlot2 tablePhase = {});

}  // namespace tarvex
