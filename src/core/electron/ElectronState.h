// Everything the session keeps about the electrons of the film: the slots, the common
// parameters, the parameter block of every model accepted so far (the slots point into
// them), the film's phase as the models see it, and the heat-flux limit of the electron
// conduction.
//
// Slots point into this record, so it is neither copyable nor movable. Only the OK of a
// page of the thermal-parameter dialog (or code that acts as one) writes it.
#pragma once

#include <memory>
#include <vector>

#include "core/common/Real.h"
#include "core/electron/ConstantModel.h"
#include "core/electron/ElectronCommon.h"
#include "core/electron/FilmPhase.h"
#include "core/eos/ElectronSlots.h"

namespace tarvex {

// The optical parameters of the "Simple metall" page, for the film's permittivity.
struct SimpleOptics {
  Real rho_c = 0.1L;    // below this density the film is optically vacuum [g/cm3]
  Real Mopt_me = 1.5L;  // optical effective mass / m_e
  Real Deps_Re = 0;     // interband permittivity of the solid
  Real Deps_Im = 0;
  Real c_opt = 0;        // weight of electron-electron collisions in the optical rate
  bool CalcDeps = true;  // "Calc": compute the interband part
};

struct ElectronState {
  ElectronState() = default;
  ElectronState(const ElectronState&) = delete;
  ElectronState& operator=(const ElectronState&) = delete;
  ElectronState(ElectronState&&) = delete;
  ElectronState& operator=(ElectronState&&) = delete;

  ElectronModel model;
  ElectronCommon common;
  // The film's phase, filled by the equation-of-state side (the blends and collision
  // rates read it through a pointer).
  FilmPhaseSource FilmPhase;
  // Largest heat flux the electron conduction carries [kW/cm2]; 0 switches the limit off.
  Real HeatFluxLimit = 1e30L;

  // What every model may share.
  ConstParams coupling;      // the constant coupling CouplingConst [kW/g/K]
  ConstParams conductivity;  // a constant conductivity [kW/cm/K]
  IonKappaParams ionKappa;   // the film's ion conductivity (FilmEos.Kappa)
  SimpleOptics optics;

  // The parameter block of a model family (its type names it): created by the family's
  // first OK and kept at one address for the life of the session, because a slot that a
  // later page leaves in place still points into it. A model's module declares its block;
  // nothing here lists the models.
  template <class P>
  P& Block() {
    for (Held& h : blocks_) {
      if (h.type == TypeKey<P>()) return *static_cast<P*>(h.block.get());
    }
    blocks_.push_back(
        Held{TypeKey<P>(), Owned(new P{}, [](void* q) { delete static_cast<P*>(q); })});
    return *static_cast<P*>(blocks_.back().block.get());
  }

 private:
  template <class P>
  static const void* TypeKey() {
    static constexpr char key = 0;
    return &key;
  }
  using Owned = std::unique_ptr<void, void (*)(void*)>;
  struct Held {
    const void* type;
    Owned block;
  };
  std::vector<Held> blocks_;
};

// Binds the four thermodynamic slots of a model to its parameter block.
template <class P, Real (*Ee)(const P&, Real, Real), Real (*Ce)(const P&, Real, Real),
          Real (*Pe)(const P&, Real, Real), Real (*PeDT)(const P&, Real, Real)>
void BindElectronThermo(ElectronModel& m, const P& p) {
  m.ElEnergy = MakeSlot<P, Ee>(p);
  m.ElHeatCap = MakeSlot<P, Ce>(p);
  m.ElPressure = MakeSlot<P, Pe>(p);
  m.ElPressureDT = MakeSlot<P, PeDT>(p);
}

}  // namespace tarvex
