// One simulation session: everything the program treats as run-wide state.
//
// The hydrodynamic core's part (run parameters of the grid, boundary flags, mass arrays,
// equation-of-state slots, viscosity and convergence state, thermal closures, the three
// solver instances) is the base HydroState, the thermal solvers' part (electron model,
// switches, laser source, tension record) ThermalState; the session adds the ownership of the
// instances and the run-wide values the core does not read. Code receives the parts it
// needs by reference; two sessions in one process never interfere.
#pragma once

#include <array>
#include <memory>

#include "core/common/Prompter.h"
#include "core/common/Real.h"
#include "core/hydro/HydroState.h"
#include "core/hydro/SolverClass.h"
#include "core/optics/ReflectanceDialog.h"
#include "core/optics/RefractData.h"
#include "core/session/SolverCatalog.h"
#include "core/thermal/ThermalState.h"

namespace tarvex {

// Run-wide values of the calculation: the main window edits and shows them, the driver
// reads them at every Calculate and writes back what a run changes.
// The step control's state at the end of an interval beyond the profiles: what a run
// continued from a saved set needs to take the steps the uninterrupted run takes. A
// profile set stores it; the next Calculate takes it over once.
struct StepControlState {
  bool pending = false;         // loaded and not yet taken over
  int32_t ViscKind = 0;         // the viscosity kind it was learnt with
  Real ViscRef = 0;             // learnt reference velocity jump [cm/s]
  Real R1 = 0, R2 = 0;          // residuals of the last passes
  std::array<Real, 20> conv{};  // Floor, Max, Num, SumSq of the groups V, X, E, T, p
};

struct RunParams {
  Real dt1 = 0;                // output interval [s]
  Real EndTime = 0;            // end of the run [s]; negative after an interrupted interval
  int32_t StepDiv = 100;       // the first sub-step of an interval is dt1 / StepDiv
  int32_t MnStepDiv = 100;     // the largest sub-step is dt1 / MnStepDiv
  Real BrokenIntervalEnd = 0;  // end of the interval a break interrupted [s]; 0 = none
  // The sub-step length the last interval ended with [s]: the next Calculate starts with
  // it (not with dt1 / StepDiv, which rounds it) unless StepDiv was changed since; 0 =
  // none.
  Real StepInUse = 0;
  StepControlState resume;
};

class Session : public ThermalState {
 public:
  explicit Session(Prompter& prompter);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  RunParams run;
  Real Ipdt = 0;  // pressure integral at the left surface, sum P dt EosScale^2

  // The optics of the run: the film-reflectance model with the "R.dat" switch, and the
  // layered optics' phase memory and R(t) series.
  ReflectanceState reflectance;
  LayeredOpticsState optics;

  // The class of the three instances (None and nullptr before they exist).
  SolverClass stateClass = SolverClass::None;
  const SolverClassInfo* stateInfo = nullptr;

  // Creates the instances of `cls` with N cells through the class's catalog entry, or
  // resizes the existing ones (StateA, StateB, StateC in that order; they keep their
  // class). Returns false when the class is not available.
  bool EnsureInstances(SolverClass cls, int32_t N);
  // The same for a class described by `info` (the catalog's entries, or a test's).
  bool EnsureInstances(const SolverClassInfo& info, int32_t N);

 private:
  std::array<std::unique_ptr<THydrStat>, 3> owned_;
};

}  // namespace tarvex
