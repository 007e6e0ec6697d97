// Two-temperature targets set up directly (without the dialogs): the "Constant" electron
// model bound into a session, and the electron state of the instances made consistent
// with their temperatures.
#pragma once

#include "core/electron/ConstantModel.h"
#include "core/electron/ElectronCommon.h"
#include "core/electron/ElectronState.h"
#include "core/eos/EosBind.h"
#include "core/hydro/HydrStat.h"
#include "core/session/Session.h"

namespace tarvex::testing {

// Constant electron properties: Ee = ce Te, Pe = Gr rho ce Te.
struct ConstantElectrons {
  Real ce = 0;  // electron heat capacity [kJ/g/K]
  Real G = 0;   // coupling per unit mass [kW/g/K]
  Real ke = 0;  // electron conductivity [kW/cm/K]; 0: none
  Real Gr = 0;  // electron Grueneisen coefficient
};

// Binds the model as the thermal-parameter dialog's "Constant" page does and composes the
// film totals. With `latticeOnly` the film's equation of state holds the lattice alone
// (the electrons are added to it), so that Eion, Pion and Cvion are the film model's own.
inline void BindConstantElectrons(Session& s, const ConstantElectrons& c, bool latticeOnly = true) {
  ElectronState& e = s.electron;
  e.Block<ConstantElParams>() = ConstantElParams{c.ce, c.Gr};
  e.coupling.value = c.G;
  e.conductivity.value = c.ke;
  ElectronModel& m = e.model;
  BindElectronThermo<ConstantElParams, &ConstantEnergy, &ConstantHeatCap, &ConstantPressure,
                     &ConstantPressureDT>(m, e.Block<ConstantElParams>());
  m.Coupling = MakeSlot<ConstParams, &ConstValue>(e.coupling);
  m.ElConductivity = c.ke > 0 ? MakeSlot3<ConstParams, &ConstValue3>(e.conductivity) : Slot3{};
  m.ElTofE = {};
  s.eos.Film.NoElEOS = latticeOnly;
  ComposeActiveEos(s.eos, &m);
}

// Sets Te of every film cell from Te(x_centre), and Ee, Ei, E (and Pe, Pi, P when the
// class has them) of every instance from the temperatures; substrate cells carry one
// temperature.
template <class Fn>
void SetElectronState(Session& s, Fn TeOf) {
  const TActiveEos& a = s.eos.ActiveEos;
  const ElectronModel& m = s.electron.model;
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    RealArray& Te = *st->ArrayByName("Te");
    RealArray& Ei = *st->ArrayByName("Ei");
    RealArray& Ee = *st->ArrayByName("Ee");
    RealArray* Pe = st->ArrayByName("Pe");
    RealArray* Pi = st->ArrayByName("Pi");
    const int32_t N = st->CellCount();
    for (int32_t i = 0; i < N; ++i) {
      const Real rho = st->Density(i);
      if (IsSubstrateCell(i, N, s.sim.InGlass)) {
        Te[i] = st->T[i];
        Ee[i] = 0;
        Ei[i] = st->E[i];
        if (Pe != nullptr) (*Pe)[i] = 0;
        if (Pi != nullptr) (*Pi)[i] = st->P[i];
        continue;
      }
      Te[i] = TeOf(st->CellCentre(i), st->T[i]);
      Ee[i] = m.ElEnergy(rho, Te[i]);
      Ei[i] = a.Eion(rho, st->T[i]);
      st->E[i] = Ee[i] + Ei[i];
      if (Pe != nullptr) {
        (*Pe)[i] = m.ElPressure(rho, Te[i]);
        (*Pi)[i] = a.Pion(rho, st->T[i]);
        st->P[i] = (*Pe)[i] + (*Pi)[i];
      } else {
        st->P[i] = 0;
      }
    }
  }
}

}  // namespace tarvex::testing
