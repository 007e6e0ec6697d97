// The main window's "&Init/Shift" and "Vis" round trips between the forms.
#include "core/app/AppModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/eos/EosBind.h"
#include "core/hydro/HydrStat.h"
#include "core/run/ResultsTable.h"

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
  // The optics measure the phase against the cold material of a new initial state.
  if (!afterLoad_) session.optics.Tini = initial.Tini.StoredValue();
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
  // The layered optics goes on from the phase the set was written with, and shows the
  // set's optical table; a damaged table is reported (a warning, also when silent) and the
  // profile is loaded all the same.
  if (r.RefractPhase) session.optics.PrevPhase = *r.RefractPhase;
  if (r.RefractTini) session.optics.Tini = *r.RefractTini;
  {
    namespace fs = std::filesystem;
    fs::path opt(path);
    opt.replace_extension();
    opt += "_opt.dat";
    std::error_code ec;
    if (fs::is_regular_file(opt, ec)) {
      std::ifstream in(opt, std::ios::binary);
      std::ostringstream text;
      text << in.rdbuf();
      const OptFileRead read = in ? refract.LoadOptFile(text.str()) : OptFileRead{};
      if (!read.ok) {
        session.prompter.Inform("The optical table \"" + opt.string() + "\" is not loaded: " +
                                    (read.reason.empty() ? "it cannot be read" : read.reason),
                                MessageKind::Warning);
      }
    }
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

TreflectanceResult AppModel::ReflectanceOk(bool pressed, bool askPrint) {
  return reflectance.Ok(session.reflectance, files.SurfaceCell(), session.prompter, pressed,
                        askPrint);
}

std::optional<OpticalTarget> AppModel::OpticsTarget(OpticsBuffer& b) const {
  if (session.StateA == nullptr || session.StateA->CellCount() == 0) return std::nullopt;
  const THydrStat& A = *session.StateA;
  const int32_t N = A.CellCount();
  // The film alone: a substrate is not part of the optical stack.
  const int32_t d = std::max(session.sim.InGlass, 0);
  const int32_t e = std::clamp(N + std::min(session.sim.InGlass, 0), d + 1, N);
  const RealArray* Te = A.ArrayByName("Te");
  const RealArray& Ti = A.T;
  const int32_t n = e - d;
  b.x.resize(static_cast<size_t>(n + 1));
  b.rho.resize(static_cast<size_t>(n));
  b.Ti.resize(static_cast<size_t>(n));
  b.Te.resize(static_cast<size_t>(n));
  // The probe comes from the film's free surface, which the stack has at its upper end: a
  // film whose free surface is its left end is mirrored (x -> -x).
  const bool right = files.RightSurface();
  for (int32_t k = 0; k <= n; ++k) {
    const size_t node = static_cast<size_t>(right ? d + k : e - k);
    b.x[static_cast<size_t>(k)] = right ? A.x[node] : -A.x[node];
  }
  for (int32_t k = 0; k < n; ++k) {
    const int32_t c = right ? d + k : e - 1 - k;
    const size_t i = static_cast<size_t>(c);
    b.rho[static_cast<size_t>(k)] = A.Density(c);
    b.Ti[static_cast<size_t>(k)] = Ti[i];
    b.Te[static_cast<size_t>(k)] = Te != nullptr ? (*Te)[i] : Ti[i];
  }
  OpticalTarget t;
  t.x = b.x;
  t.rho = b.rho;
  t.Ti = b.Ti;
  t.Te = b.Te;
  t.x_ref = right ? InitialFilmRight(session) : -InitialFilmLeft(session);
  t.rho_min = session.electron.optics.rho_c;
  t.rho0 = session.sim.rho0;
  t.Tini = session.optics.Tini > 0 ? session.optics.Tini : initial.Tini.StoredValue();
  t.epsilon = FilmDielectric(session.reflectance.model);
  return t;
}

RefractCalcResult AppModel::CalcRefraction() {
  OpticsBuffer buffer;
  const std::optional<OpticalTarget> target = OpticsTarget(buffer);
  if (!target) {
    RefractCalcResult r;
    r.reason = "No grid: there is no profile to cut into optical layers";
    return r;
  }
  const RefractCalcResult r =
      refract.Calc(*target, session.optics, integrals.Refr, session.sim.SimTime, *main.tableFormat,
                   session.prompter);
  if (r.accepted) {
    integrals.RefrVisible = true;
    opticsFailure_.clear();
  }
  return r;
}

void AppModel::ConnectOptics() {
  files.OpticsRefresh = [this] {
    if (!integrals.RefrVisible || session.StateA == nullptr) return;
    const RefractCalcResult r = CalcRefraction();
    if (r.accepted || r.reason == opticsFailure_) return;
    opticsFailure_ = r.reason;
    session.prompter.Inform("The layered optics cannot follow this state: " + r.reason,
                            MessageKind::Warning);
  };
  // The optical table goes with a set while the refraction is shown and belongs to the
  // state.
  files.OpticalTableText = [this]() -> std::optional<std::string> {
    if (!integrals.RefrVisible || !opticsFailure_.empty() || refract.Media().empty()) {
      return std::nullopt;
    }
    return refract.OptFileText();
  };
}

ViscosityDialogResult AppModel::ApplyViscosityDialog() {
  const ViscosityDialogResult r = viscosity.Ok(session.visc, session.eos.EosScale, session.StateA);
  if (r.accepted) main.Vis = session.visc.ViscKind != ViscNo;
  return r;
}

}  // namespace tarvex
