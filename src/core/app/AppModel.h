// Everything one running program holds: the session (simulation state and run-wide
// parameters) and the form models of its windows and dialogs. The desktop program and
// the batch runner each create one AppModel and drive the same forms, so both produce
// the same files from the same settings.
#pragma once

#include <memory>

#include "core/app/ResultFiles.h"
#include "core/common/NumFormatForm.h"
#include "core/common/Prompter.h"
#include "core/electron/ThermParamDialog.h"
#include "core/eos/EosTableGridForm.h"
#include "core/eos/StatEqDialog.h"
#include "core/eos/TableDialog.h"
#include "core/files/HistoryPlot.h"
#include "core/files/ProfileReader.h"
#include "core/files/ProfileWriter.h"
#include "core/files/SaveOptions.h"
#include "core/hydro/ViscosityDialog.h"
#include "core/laser/QextDialog.h"
#include "core/optics/ReflectanceDialog.h"
#include "core/optics/RefractData.h"
#include "core/run/Driver.h"
#include "core/run/IntegralValues.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "core/session/Session.h"
#include "core/setup/InitShift.h"
#include "core/setup/InitialConditions.h"
#include "core/spall/Spallation.h"

namespace tarvex {

class AppModel {
 public:
  explicit AppModel(Prompter& prompter)
      : session(prompter),
        main(session),
        initial(session, main.tableFormat),
        thermParam(main.tableFormat),
        qext(main.tableFormat),
        reflectance(main.tableFormat),
        refract(main.tableFormat) {
    // The tension record goes with the profile set while it exists.
    files.TnegText = [this]() -> std::optional<std::string> {
      const TTensionRecord& t = session.tension;
      if (!t.Exists()) return std::nullopt;
      return TnegFileText(t.TnegTime(), t.Tneg());
    };
    files.SkinDepth = [this] { return qext.SkinDepth(); };
    ConnectOptics();
  }
  AppModel(const AppModel&) = delete;
  AppModel& operator=(const AppModel&) = delete;

  Session session;
  TMainForm main;
  TInitional initial;               // "Initional"
  TStatEqDialog eos;                // "Equation of state"
  TStatEqTables filmTables;         // "StatEquation Tables" of the film (TabFiles, film mode)
  TStatEqTables leftTables;         // ... and of the left medium
  TEosTableGridForm tableGrid;      // [table]: the grid of --write-eos-table
  TViscosityDialogModel viscosity;  // "Artifical Viscosity"
  TThermParamDialog thermParam;     // "ThermParamDialog": the electron model of the film
  TQextDialog qext;                 // "Q external": the laser source
  TSpallation spallation;           // "Spallation": the failure criteria of the film
  Treflectance reflectance;         // "reflectance": the film model and "R.dat"
  TRefractData refract;             // "RefractData": the layered optics
  TResultsTable table;              // the main window's results table
  TIntegralValues integrals;        // "IntegrValues"
  TSaveFileOptions saveOptions;     // "SaveFileOptions"
  THistoryPlot histories;           // "Histories": a column of the time history against time
  TNumFormatForm numFormat;         // "Format", opened on the table's number format
  // The driver's hooks: table and integral refresh, profile sets, pictures, tracked
  // points. Pass it to Calculations.
  ResultFiles files{session, main, table, integrals, saveOptions};

  // "&Init/Shift": hands the main window's values to the initial-conditions dialog
  // (the caller shows it and presses its buttons), then copies the results back.
  void PrepareInitialDialog();
  // After the dialog closed with OK: copies Dimension, Len and Pout back, sets
  // the boundary flags and thermal closures, resizes the instances.
  void FinishInitialDialog();

  // The thermal-parameter dialog's OK (or its "NoConduct" button) on the page shown: the
  // page installs the electron model and the switches into the session, and the film
  // totals of the equation of state follow the new electron part. A refusal changes
  // nothing.
  ElOkResult ApplyThermParam(ElOkSource source = ElOkSource::Code);

  // What a choice in the thermal-parameter dialog's material list sets in other dialogs
  // (the view and the run files call it after the dialog's ChooseMaterial): the
  // spallation dialog selects the same metal and takes the preset's "Spall" values (a
  // value sigma_m derives sigma0 as leaving the field does). The preset's elastic shear
  // modulus G ("Elastic") and non-metal flag ("Initial") have no consumer in this
  // version: the elastic-plastic solvers and the non-metal model are not built, and they
  // will read the side values of the chosen preset from here.
  void ApplyElectronChoice(const ElChoiceResult& r);

  // The "Q external" dialog's OK: the source of the session; its per-cell table is built
  // by the initial conditions' OK (or rebuilt by the first step on a changed grid).
  TQextResult ApplyQext();

  // What the spallation dialog needs of the film: the energy the solvers hand the check
  // (the lattice's) and the velocity scale.
  TSpallMaterialEnv SpallEnv() const;
  // The spallation dialog's OK (without its print question): the criteria go into the
  // session and the check is on. A refusal changes nothing.
  TSpallResult ApplySpallation();
  // The dialog's OK on screen: the same validation, then "Save(print) settings?" through
  // the session's prompter; closed with OK the criteria are in the session and the check
  // is on (Yes also asks the view to print), Cancel leaves the session as it was.
  TSpallOkResult SpallationOk();

  // The reflectance dialog's OK on the present state (R0 = 0 with a grid takes R0 from
  // the surface cell when `pressed`); `askPrint` asks "Print/Save?" as the dialog on
  // screen does.
  TreflectanceResult ReflectanceOk(bool pressed = true, bool askPrint = true);
  // The refractive-data dialog's "Calculate": the layered optics of the present state.
  // Accepted, the integral values show the refraction and "_opt.dat" goes with every
  // profile set; while it is shown every display refresh computes it again.
  RefractCalcResult CalcRefraction();
  // The film as the layered optics reads it (spans into `buffer`), nothing without a state.
  struct OpticsBuffer {
    std::vector<Real> x, rho, Ti, Te;
  };
  std::optional<OpticalTarget> OpticsTarget(OpticsBuffer& buffer) const;

  // The Vis button's viscosity dialog: OK applies it (refused: the dialog stays open).
  ViscosityDialogResult ApplyViscosityDialog();

  // The save-options dialog closed with OK: the main window follows its directory and
  // picture format.
  void ApplySaveOptions();

  // "LoadFile": loads the profile set and, on success, refreshes the table and opens the
  // initial-conditions dialog in its after-load mode (the caller shows it; its OK runs
  // AfterLoadOk, then FinishInitialDialog as for "Init/Shift"). A refused load changes
  // nothing.
  ProfileLoadResult LoadProfile(const std::string& path, bool silent = false);

  // "&Save": the profile set through the save dialog, then the picture, the save options
  // and the learnt tolerances on request. True when the set was written.
  bool SaveResults();

  // What the main window's handlers (end time, close) need of the other forms.
  MainFormContext& Context() { return context_; }

 private:
  class Context_ : public MainFormContext {
   public:
    explicit Context_(AppModel& app) : app_(app) {}
    std::string SaveDialogFileName() const override;
    bool PicturesAsJpeg() const override { return app_.saveOptions.PicturesAsJpeg(); }
    bool CriticalDensityPanelVisible() const override { return app_.integrals.RCPanelVisible; }
    bool SaveResults() override { return app_.SaveResults(); }

   private:
    AppModel& app_;
  };

  // Hands the optics to the result files: the refresh of the layered optics, "_opt.dat".
  void ConnectOptics();
  // The last refresh of the layered optics failed: its table and refraction are not
  // those of the state (reported once per reason, not written with a set).
  std::string opticsFailure_;

  bool afterLoad_ = false;  // the initial-conditions dialog was opened after a load
  Real loadedEadd_ = 0;     // the loaded set's Eadd
  Context_ context_{*this};
};

}  // namespace tarvex
