// The main window's "&Init/Shift" and "Vis" round trips between the forms.
#include "core/app/AppModel.h"

#include <cmath>
#include <cstdlib>

#include "core/eos/EosBind.h"

namespace tarvex {

void AppModel::PrepareInitialDialog() {
  initial.Len.SetValue(main.Len.Value());
  initial.x1Edit.SetValue(main.x1Edit.Value());
  initial.Dimension = main.Dimension;
  initial.Rho0.SetValue(main.Rho0.Value());
  initial.Pout.SetValue(main.Pout.Value());
  // What the thermal-parameter dialog installed, for the electron check of OK.
  const ElectronModel& em = session.electron.model;
  initial.electron.ElConductivity = static_cast<bool>(em.ElConductivity);
  initial.electron.ElEnergy = static_cast<bool>(em.ElEnergy);
  initial.Qext = SourceDefined(session.laser);
  const SimParams& sp = session.sim;
  initial.xShiftDiv = std::abs(sp.InGlass);
  initial.CheckOut = sp.InGlass < 0;
  const Real x1 = main.x1Edit.Value();
  if (sp.InGlass != 0 && x1 != 0) initial.x0Shift.SetValue(std::fabs(sp.x0shift) / x1);
}

void AppModel::FinishInitialDialog() {
  const InitShiftValues v = ApplyInitShift(session, initial, session.closures);
  main.SetDimension(v.Dimension);
  main.Len.SetValue(v.Len);
  main.x1Edit.SetValue(initial.x1Edit.Value());
  main.Rho0.SetValue(initial.Rho0.Value());
  main.Pout.SetValue(v.Pout);
  main.EosInfo = eos.FilmInfoLabel();
  main.CalculateEnabled = session.StateA != nullptr;
  main.TotalTime.SetValue(session.sim.SimTime);
  files.RefreshDisplay(true);
  // Eadd counts from the accepted initial state; a loaded one goes on from the Eadd its
  // header gives (0 when it gives none).
  if (!afterLoad_) {
    integrals.StoreInitialEnergy();
  } else {
    integrals.StoreInitialEnergy(loadedEadd_);
    files.RefreshDisplay(false);
  }
  afterLoad_ = false;
}

void AppModel::ApplySaveOptions() {
  main.PicturesAsJpeg = saveOptions.PicturesAsJpeg();
  if (!saveOptions.SaveDir.empty()) {
    main.SaveDir = saveOptions.SaveDir;
    main.HistoryFileName = main.SaveDir + (integrals.RCPanelVisible ? "xrc.dat" : "Surf.dat");
  }
}

ProfileLoadResult AppModel::LoadProfile(const std::string& path, bool silent) {
  ProfileLoadResult r =
      tarvex::LoadProfile({session, main, table, initial, saveOptions}, path, silent);
  if (!r) return r;
  files.RefreshDisplay(true);
  ConvergenceState& cs = session.conv;
  if (!silent && (cs.Eps1 != 0 || cs.Eps2 != 0) &&
      session.prompter.Ask("Reset Err R-to-True, R-to-False?", AnswerSet::OkNo()) == Answer::Ok) {
    cs.Eps1 = cs.Eps2 = 0;
  }
  PrepareInitialDialog();
  initial.BeginAfterLoad();
  afterLoad_ = true;
  loadedEadd_ = r.Eadd.value_or(0);
  return r;
}

std::string AppModel::Context_::SaveDialogFileName() const {
  const std::string& b = app_.files.SaveDialogFileName;
  return b.empty() ? b : b + ".DAT";
}

bool AppModel::SaveResults() {
  Prompter& pr = session.prompter;
  std::string name = files.SaveDialogFileName;
  if (name.empty()) name = files.ProfileBaseName(main.SaveDir, main.TotalTime.StoredValue(), false);
  const bool saved = files.WriteProfile(name + ".DAT", true);
  if (saved) {
    main.Unsaved = false;
    if (pr.Ask("Save multi2x2 picture?", AnswerSet::OkNo()) == Answer::Ok) {
      files.SavePicture(files.SaveDialogFileName + (main.PicturesAsJpeg ? ".jpg" : ".BMP"), true);
    }
  }
  if (pr.Ask("Reset Save File Options?", AnswerSet::OkNo()) == Answer::Ok) {
    if (!files.ShowSaveOptions || files.ShowSaveOptions(saveOptions.SaveDir)) ApplySaveOptions();
  }
  ConvergenceState& cs = session.conv;
  if ((cs.Eps1 > 0 || cs.Eps2 > 0) &&
      pr.Ask("Reset Err R-to-True, R-to-False?", AnswerSet::OkNo()) == Answer::Ok) {
    cs.Eps1 = cs.Eps2 = 0;
  }
  return saved;
}

ElOkResult AppModel::ApplyThermParam(ElOkSource source) {
  ElTargets t{session.electron, session.eos.FilmEos, session.switches, session.prompter};
  const ElOkResult r = thermParam.Ok(t, source);
  if (r.installed) {
    ComposeActiveEos(session.eos, &session.electron.model);
    // The initial-conditions dialog that opened this one checks the model at its OK.
    const ElectronModel& em = session.electron.model;
    initial.electron.ElConductivity = static_cast<bool>(em.ElConductivity);
    initial.electron.ElEnergy = static_cast<bool>(em.ElEnergy);
  }
  return r;
}

void AppModel::ApplyElectronChoice(const ElChoiceResult& r) {
  if (!r.accepted) return;
  const TSpallMaterialEnv env = SpallEnv();
  if (r.spallMaterial >= 0) spallation.SelectMaterial(r.spallMaterial, env);
  for (const ElSideValue& v : r.side) {
    if (std::string_view(v.dialog) != "Spall") continue;
    const std::string name = std::string(v.field) + "Edit";
    if (RealField* f = spallation.FieldByName(name)) {
      f->SetValue(v.value);
      spallation.LeaveField(name, env);
    }
  }
}

TQextResult AppModel::ApplyQext() {
  const TQextResult r = qext.OkPressed(session.laser);
  // The table of the previous pulse must not be used with the new one.
  if (r.accepted) session.laser.builtCells = -1;
  return r;
}

TSpallMaterialEnv AppModel::SpallEnv() const {
  const TActiveEos& a = session.eos.ActiveEos;
  return TSpallMaterialEnv{a.Eion ? a.Eion : a.E, session.eos.EosScale};
}

TSpallResult AppModel::ApplySpallation() {
  const TSpallResult r = spallation.Validate(SpallEnv(), session.spall);
  if (r) session.SpallOn = true;
  return r;
}

TSpallOkResult AppModel::SpallationOk() {
  const TSpallOkResult r = spallation.Ok(session.prompter, SpallEnv(), session.spall);
  if (r.close == TSpallClose::Ok) session.SpallOn = true;
  return r;
}

ViscosityDialogResult AppModel::ApplyViscosityDialog() {
  const ViscosityDialogResult r = viscosity.Ok(session.visc, session.eos.EosScale, session.StateA);
  if (r.accepted) main.Vis = session.visc.ViscKind != ViscNo;
  return r;
}

}  // namespace tarvex
