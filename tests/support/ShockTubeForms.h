// The shock tube of two ideal gases set up through the form models only, the way a
// person fills the windows and dialogs (and the way the bundled example's run file does).
#pragma once

#include <gtest/gtest.h>

#include "core/app/AppModel.h"

namespace tarvex::testing {

// Left: the substrate ("glass") rho 1, P 1 on [-0.5, 0]; right: the film rho 0.125,
// P 0.1 on [0, 0.5]. Both ideal gases with gamma 1.4; walls at both ends.
inline void SetUpShockTubeThroughForms(AppModel& app, ScriptedPrompter& prompter) {
  prompter.Script("Save(print) settings?", Answer::No);

  // Film and substrate equations of state.
  for (bool left : {true, false}) {
    app.eos.SetLeft(left);
    ASSERT_TRUE(app.eos.SelectModel("Ideal gas"));
    app.eos.FieldByName("gamma")->SetText("1.4");
    const TStatEqResult r = app.eos.Ok(app.session.eos);
    ASSERT_TRUE(r) << r.message;
  }

  // Main window: 900 cells, the film is 100 of them, 0.005 wide: Len = 900 * 0.005.
  app.main.Len.SetText("4.5");
  app.main.SetDimension(900);
  app.main.Rho0.SetText("0.125");
  app.PrepareInitialDialog();

  TInitional& d = app.initial;
  d.FormShow(false);
  ASSERT_EQ(d.SetInt("RadioGroup1", kProfilePress), FieldSetStatus::Ok);
  d.Pini.SetText("0.1");
  d.LeaveField("Pini");
  d.xf.SetText("4.5");
  d.LeaveField("xf");
  ASSERT_EQ(d.SetInt("InitProfile", kModel1T), FieldSetStatus::Ok);
  ASSERT_EQ(d.SetInt("MoveType", kMoveV0Zero), FieldSetStatus::Ok);
  ASSERT_EQ(d.SetCheck("CheckKeepVL", true), FieldSetStatus::Ok);
  ASSERT_EQ(d.SetInt("xShiftDiv", 800), FieldSetStatus::Ok);
  d.rho0l.SetText("1");
  d.LeaveField("rho0l");
  d.T0l.SetText("1");  // P0l = rho T / M = 1
  d.LeaveField("T0l");
  const InitialOkResult ok = d.OkPressed();
  ASSERT_TRUE(ok.accepted) << ok.focus << ": " << ok.message;
  app.FinishInitialDialog();

  // Viscosity "Loc", Cq = 2, as in the bundled example.
  app.viscosity.Open(app.session.visc, app.session.eos.EosScale);
  app.viscosity.ViscType = ViscLoc;
  app.viscosity.ViscMult.SetText("2");
  app.ApplyViscosityDialog();
  ASSERT_TRUE(app.main.Vis);

  app.main.UserEdit("dt1", "0.05");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", "0.2");
}

}  // namespace tarvex::testing
