// The grid constants of a state.
#include "core/hydro/HydroState.h"

#include <numbers>

#include "core/hydro/HydrStat.h"

namespace tarvex {

Real EnergyFactorOf(int32_t Dspc) {
  return Dspc <= 1 ? 1 : static_cast<Real>(1 << (Dspc - 1)) * std::numbers::pi_v<Real>;
}

void SetFilmDensity(HydroState& s, Real rho0) {
  s.sim.rho0 = rho0;
  s.sim.CellMassUniform = rho0 * s.sim.h0;
}

void SetGrid(HydroState& s, const GridSpec& g) {
  SimParams& sp = s.sim;
  sp.L0 = g.L0;
  sp.h0 = g.h0;
  sp.rho0l = g.rho0l;
  sp.InGlass = g.InGlass;
  sp.Dspc = g.Dspc;
  sp.RadialPower = g.Dspc - 1;
  sp.EnergyFactor = EnergyFactorOf(g.Dspc);
  SetFilmDensity(s, g.rho0);
  if (g.Dspc > 1) {
    BuildMassArrays(s, g.N, 0, g.InGlass, g.h0, g.rho0, g.InGlass != 0 ? g.rho0l : g.rho0);
  } else {
    s.mass = MassArrays{};
  }
}

}  // namespace tarvex
