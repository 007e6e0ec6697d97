// A copy of everything a profile load may change, to show that a refused load changed
// nothing.
#pragma once

#include <string>
#include <vector>

#include "core/app/AppModel.h"
#include "core/hydro/HydrStat.h"

namespace tarvex::testing {

struct SessionSnapshot {
  std::vector<Real> x, v, P, T, E, cellMass;
  SolverClass cls = SolverClass::None;
  bool hasState = false;
  bool noMove = false;
  Real L0 = 0, rho0 = 0, rho0l = 0, SimTime = 0, h0 = 0, CellMassUniform = 0, Pout = 0, x0shift = 0,
       Ipdt = 0;
  int32_t InGlass = 0, Dspc = 0, nFrom = 0, Dimension = 0;
  std::string Len, x1, Rho0, TotalTime, SaveDir;
  bool TotalTimeEdited = false;

  static SessionSnapshot Of(const AppModel& app) {
    SessionSnapshot s;
    const Session& ses = app.session;
    s.hasState = ses.StateA != nullptr;
    if (s.hasState) {
      s.x = ses.StateA->x;
      s.v = ses.StateA->v;
      s.P = ses.StateA->P;
      s.T = ses.StateA->T;
      s.E = ses.StateA->E;
    }
    s.cellMass = ses.mass.CellMass;
    s.cls = ses.stateClass;
    s.noMove = ses.bounds.NoMove;
    const SimParams& sp = ses.sim;
    s.L0 = sp.L0;
    s.rho0 = sp.rho0;
    s.rho0l = sp.rho0l;
    s.SimTime = sp.SimTime;
    s.h0 = sp.h0;
    s.CellMassUniform = sp.CellMassUniform;
    s.Pout = sp.Pout;
    s.x0shift = sp.x0shift;
    s.Ipdt = ses.Ipdt;
    s.InGlass = sp.InGlass;
    s.Dspc = sp.Dspc;
    s.nFrom = app.table.nFrom;
    s.Dimension = app.main.Dimension;
    s.Len = app.main.Len.Text();
    s.x1 = app.main.x1Edit.Text();
    s.Rho0 = app.main.Rho0.Text();
    s.TotalTime = app.main.TotalTime.Text();
    s.TotalTimeEdited = app.main.TotalTimeEdited;
    s.SaveDir = app.saveOptions.SaveDir;
    return s;
  }

  bool operator==(const SessionSnapshot&) const = default;
};

}  // namespace tarvex::testing
