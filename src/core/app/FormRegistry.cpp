// The registry of the run-file tables and the bindings that open and accept each form the
// way its window does.
#include "core/app/FormRegistry.h"

#include <array>
#include <filesystem>
#include <string>
#include <system_error>

#include "core/app/AppModel.h"
#include "core/electron/ThermParamSchema.h"
#include "core/eos/StatEqSchema.h"
#include "core/files/SaveOptionsSchema.h"
#include "core/hydro/ViscositySchema.h"
#include "core/laser/QextSchema.h"
#include "core/optics/ReflectanceSchema.h"
#include "core/run/MainFormSchema.h"
#include "core/setup/InitialSchema.h"
#include "core/spall/SpallSchema.h"

namespace tarvex {

namespace {

// ---- the equation-of-state dialog, for one medium --------------------------------------

class EosBinding : public FormBinding {
 public:
  EosBinding(AppModel& app, bool left, std::string runDir)
      : FormBinding(std::make_unique<TStatEqSchema>(app.eos, app.session.eos, left)),
        app_(app),
        left_(left),
        runDir_(std::move(runDir)) {
    static_cast<TStatEqSchema&>(Schema()).SetTableLoader(
        [this](const std::string& text) { return LoadTable(text); });
  }

  // Each medium starts from a freshly opened dialog, so that a table says everything
  // about its medium and the order of the tables does not matter.
  void Open() override {
    app_.eos = TStatEqDialog{};
    app_.eos.SetLeft(left_);
  }
  FormRefusal Accept() override {
    TStatEqContext context;
    context.electron = &app_.session.electron.model;
    context.prompter = &app_.session.prompter;
    context.NoConduct = &app_.session.NoConduct;
    const TStatEqResult ok = app_.eos.Ok(app_.session.eos, context);
    return ok ? FormRefusal::None() : FormRefusal::At(ok.focus, ok.message);
  }
  bool TablePrinted() override {
    return static_cast<TStatEqSchema&>(Schema()).Record().model != nullptr;
  }

 private:
  // "TabFiles": the medium's table dialog loads the description and, with "&Continue",
  // its grids and tables (asking its questions), and its OK hands the set to the dialog.
  // A refused load leaves the set in use as it was.
  FormRefusal LoadTable(const std::string& text) {
    if (text.empty()) return FormRefusal::At({}, "an empty file name");
    if (const std::string c = ControlCharacterIn(text); !c.empty()) {
      return FormRefusal::At({}, "the file name holds the control character " + c);
    }
    std::filesystem::path path(text);
    if (path.is_relative() && !runDir_.empty()) path = std::filesystem::path(runDir_) / path;
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (!ec) path = full.lexically_normal();
    TStatEqTables& tables = left_ ? app_.leftTables : app_.filmTables;
    const std::string what = "cannot load the table set \"" + path.string() + "\"";
    if (const TTablesResult r = tables.LoadDescription(path); !r) {
      return FormRefusal::At({}, what, r.message);
    }
    if (const TTablesResult r = tables.Continue(app_.session.prompter); !r) {
      return FormRefusal::At({}, what, r.message);
    }
    if (const TTablesResult r = tables.Ok(); !r) return FormRefusal::At({}, what, r.message);
    app_.eos.SetTable(tables.Table(), path.string());
    return FormRefusal::None();
  }

  AppModel& app_;
  bool left_;
  std::string runDir_;
};

// ---- the main window ----------------------------------------------------------------------

class MainBinding : public FormBinding {
 public:
  MainBinding(AppModel& app, std::string outDir)
      : FormBinding(std::make_unique<TMainFormSchema>(app.main)),
        app_(app),
        outDir_(std::move(outDir)) {}

  // The output directory is the window's before its times are typed: leaving EndTime
  // picks one from the file dialogs only while none is set.
  void Open() override {
    if (outDir_.empty()) return;
    TMainForm& m = app_.main;
    m.SaveDir = outDir_;
    if (m.SaveDir.back() != '/') m.SaveDir.push_back('/');
    m.HistoryFileName = m.SaveDir + "Surf.dat";
  }

 private:
  AppModel& app_;
  std::string outDir_;
};

// ---- the initial-conditions dialog ---------------------------------------------------------

class InitialBinding : public FormBinding {
 public:
  explicit InitialBinding(AppModel& app)
      : FormBinding(std::make_unique<TInitionalSchema>(app.initial)), app_(app) {}

  // "Init/Shift" hands the main window's values to the dialog; after a load the dialog is
  // already open in its after-load mode.
  void Open() override {
    if (app_.initial.AfterLoadMode) return;
    app_.PrepareInitialDialog();
    app_.initial.FormShow(false);
  }

  FormRefusal Set(const FieldSchema& field, const FormValue& value) override {
    if (app_.initial.AfterLoadMode && field.key == "MoveType") {
      const bool frozen = app_.session.bounds.NoMove;
      if ((value.index == kMoveNone) != frozen) {
        return FormRefusal::At(
            {}, frozen ? "the loaded profile was written on a frozen grid: only \"No move\" "
                         "continues it"
                       : "\"No move\" freezes the grid, but the loaded profile was written on a "
                         "moving one");
      }
    }
    return FormBinding::Set(field, value);
  }

  FormRefusal Accept() override {
    TInitional& d = app_.initial;
    const bool afterLoad = d.AfterLoadMode;
    // NoElEOS was accepted before the electron model ([eos.film] comes before
    // [thermal]); a film without either part of its electrons must not run.
    if (app_.session.eos.Film.NoElEOS && !app_.session.electron.model.ElEnergy) {
      return FormRefusal::At({},
                             "[eos.film] says NoElEOS = true (the film's equation of state "
                             "holds no electrons), but no electron model gives them: add a "
                             "[thermal] table with an electron model");
    }
    const InitialOkResult ok = d.OkPressed();
    if (ok.accepted) {
      app_.FinishInitialDialog();
      return FormRefusal::None();
    }
    const std::string kept = "the " + std::string(afterLoad ? "after-load " : "") +
                             "dialog stayed open: the answer to \"" + kAskSavePrint +
                             "\" kept it open";
    if (ok.focus.empty()) {
      if (!ok.message.empty()) return FormRefusal::At({}, ok.message);
      return FormRefusal::At({},
                             afterLoad ? kept : kept + "; answer \"Yes\" or \"No\" in [answers]");
    }
    // Buttons that open other dialogs: the table that sets what they would.
    if (ok.focus == "StatEqButton") {
      return FormRefusal::At({}, "the film has no equation of state: add an [eos.film] table");
    }
    if (ok.focus == "EOSlButton") {
      return FormRefusal::At("xShiftDiv",
                             "the substrate cells (xShiftDiv > 0) have no equation of state: add "
                             "an [eos.left] table");
    }
    if (ok.focus == "ThermParam") {
      return FormRefusal::At({},
                             "the heated film conducts heat, but neither medium has a "
                             "conductivity: add a [thermal] table (or choose Button = "
                             "\"NoConduct\" there)");
    }
    if (ok.focus == "DimensionEdit" && d.Dimension < 2) {
      return FormRefusal::At("Dimension",
                             "heat conduction runs between cells: a conducting grid needs at "
                             "least 2 cells");
    }
    if (ok.focus == "Qext") {
      return FormRefusal::At("Qext",
                             "\"Q external\" is checked, but no laser source was accepted: add "
                             "a [laser] table");
    }
    if (ok.focus == "OkBtn") return FormRefusal::At({}, ok.message);
    return static_cast<TInitionalSchema&>(Schema()).Refusal(ok);
  }

 private:
  AppModel& app_;
};

// ---- the thermal-parameter dialog ---------------------------------------------------------

class ThermParamBinding : public FormBinding {
 public:
  ThermParamBinding(AppModel& app, std::string runDir)
      : FormBinding(std::make_unique<TThermParamSchema>(
            app.thermParam, [&app](const ElChoiceResult& r) { app.ApplyElectronChoice(r); },
            std::move(runDir))),
        app_(app) {}

  void Open() override {
    static_cast<TThermParamSchema&>(Schema()).Reset();
    app_.thermParam.FormShow(app_.session.sim.rho0);
  }
  FormRefusal Accept() override {
    const ElOkResult ok = app_.ApplyThermParam(ElOkSource::Code);
    if (!ok) return TThermParamSchema::Refusal(ok);
    const auto& schema = static_cast<TThermParamSchema&>(Schema());
    // The button pressed: "OK" conducts, "NoConduct" with the answer NoThermo.
    app_.session.NoConduct = schema.NoConductButton();
    app_.session.NoThermo = schema.NoConductButton() && schema.NoThermoAnswer();
    accepted_ = true;
    return FormRefusal::None();
  }
  bool TablePrinted() override {
    return accepted_ || ElectronModelDefined(app_.session.electron.model);
  }

 private:
  AppModel& app_;
  bool accepted_ = false;
};

// ---- the laser-source dialog ---------------------------------------------------------------

class QextBinding : public FormBinding {
 public:
  explicit QextBinding(AppModel& app)
      : FormBinding(std::make_unique<TQextSchema>(app.qext)), app_(app) {}

  // "Q external" clicked in the initial-conditions dialog opens it with the time controls
  // enabled.
  void Open() override {
    static_cast<TQextSchema&>(Schema()).Reset();
    app_.qext.QextClicked();
  }
  FormRefusal Accept() override {
    if (FormRefusal r = static_cast<TQextSchema&>(Schema()).ApplyPreHeating(); r.refused) return r;
    const TQextResult ok = app_.ApplyQext();
    return ok ? FormRefusal::None() : TQextSchema::Refusal(ok);
  }
  bool TablePrinted() override { return SourceDefined(app_.session.laser); }

 private:
  AppModel& app_;
};

// ---- the spallation dialog ------------------------------------------------------------

class SpallBinding : public FormBinding {
 public:
  explicit SpallBinding(AppModel& app)
      : FormBinding(std::make_unique<TSpallSchema>(app.spallation, app.main.SpallTrace,
                                                   [&app] { return app.SpallEnv(); })),
        app_(app) {}

  // "Sp&all" in the equation-of-state dialog opens it on the film's material.
  void Open() override { app_.spallation.FormShow(app_.SpallEnv()); }
  FormRefusal Accept() override {
    const TSpallResult r = app_.ApplySpallation();
    return r ? FormRefusal::None() : TSpallSchema::Refusal(r);
  }
  bool TablePrinted() override { return app_.session.SpallOn; }

 private:
  AppModel& app_;
};

// ---- the optics dialogs ------------------------------------------------------------------

// "reflectance" on the state [initial] built: OK takes R0 from the surface while R0 = 0 and
// switches "R.dat" on (without the dialog's print question).
class ReflectanceBinding : public FormBinding {
 public:
  explicit ReflectanceBinding(AppModel& app)
      : FormBinding(std::make_unique<TreflectanceSchema>(app.reflectance)), app_(app) {}

  void Open() override { app_.reflectance.Open(app_.session.reflectance); }
  FormRefusal Accept() override {
    const TreflectanceResult r = app_.ReflectanceOk(true, false);
    return r.accepted ? FormRefusal::None() : TreflectanceSchema::Refusal(r);
  }
  bool TablePrinted() override { return app_.session.reflectance.ReflectanceOn; }

 private:
  AppModel& app_;
};

// "RefractData": "Calculate" on the state [initial] built; the refraction is then shown and
// computed again by every display refresh.
class RefractBinding : public FormBinding {
 public:
  explicit RefractBinding(AppModel& app)
      : FormBinding(std::make_unique<TRefractDataSchema>(app.refract)), app_(app) {}

  FormRefusal Accept() override {
    const RefractCalcResult r = app_.CalcRefraction();
    return r.accepted ? FormRefusal::None() : TRefractDataSchema::Refusal(r);
  }
  bool TablePrinted() override { return app_.integrals.RefrVisible; }

 private:
  AppModel& app_;
};

// ---- the artificial-viscosity dialog -----------------------------------------------------

class ViscosityBinding : public FormBinding {
 public:
  explicit ViscosityBinding(AppModel& app)
      : FormBinding(std::make_unique<TViscositySchema>(app.viscosity, app.session)), app_(app) {}

  void Open() override { static_cast<TViscositySchema&>(Schema()).Open(); }
  FormRefusal Accept() override {
    // The window's OK reports no refusal; the check on a copy of the state tells first.
    if (FormRefusal r = static_cast<TViscositySchema&>(Schema()).Check(); r.refused) return r;
    app_.ApplyViscosityDialog();
    return FormRefusal::None();
  }
  // The viscosity is on (the Vis button is down) only after an accepted dialog.
  bool TablePrinted() override { return app_.main.Vis; }

 private:
  AppModel& app_;
};

// ---- the save-options dialog -------------------------------------------------------------

class SaveBinding : public FormBinding {
 public:
  SaveBinding(AppModel& app, std::string outDir)
      : FormBinding(std::make_unique<TSaveFileOptionsSchema>(app.saveOptions)),
        app_(app),
        outDir_(std::move(outDir)) {}

  // The output directory is the main window's.
  std::optional<FormValue> Get(const FieldSchema& field) override {
    if (field.key != "SaveDir") return FormBinding::Get(field);
    if (app_.main.SaveDir.empty()) return std::nullopt;
    return FormValue::OfText(app_.main.SaveDir);
  }
  // OK: the directory given to the run becomes the options' and the window's; the
  // window follows the picture format.
  FormRefusal Accept() override {
    if (!outDir_.empty()) {
      app_.saveOptions.SaveDir = WithTrailingSeparator(outDir_);
      app_.ApplySaveOptions();
    } else {
      app_.main.PicturesAsJpeg = app_.saveOptions.PicturesAsJpeg();
    }
    return FormRefusal::None();
  }

 private:
  AppModel& app_;
  std::string outDir_;
};

// ---- the number-format dialog ----------------------------------------------------------

// The main window's "Format" button: the dialog opens on the table's format (the format
// of the result files); OK applies it to that format.
class FormatBinding : public FormBinding {
 public:
  explicit FormatBinding(AppModel& app)
      : FormBinding(std::make_unique<TNumFormatSchema>(app.numFormat)), app_(app) {}

  void Open() override { app_.numFormat.Open(*app_.main.tableFormat); }
  FormRefusal Accept() override {
    if (!app_.numFormat.Ok(*app_.main.tableFormat)) {
      return FormRefusal::At("Dec", "the decimal separator cannot be used");
    }
    return FormRefusal::None();
  }
  std::optional<FormValue> Get(const FieldSchema& field) override {
    TNumFormatForm shown;
    shown.Open(*app_.main.tableFormat);
    return TNumFormatSchema(shown).Get(field);
  }

 private:
  AppModel& app_;
};

// ---- the grid of the table writer ---------------------------------------------------------

class TableGridBinding : public FormBinding {
 public:
  explicit TableGridBinding(AppModel& app)
      : FormBinding(std::make_unique<TEosTableGridSchema>(app.tableGrid)), app_(app) {}
  FormRefusal Accept() override {
    TEosTableGrid grid;
    std::string field, message;
    if (!app_.tableGrid.Grid(grid, field, message)) return FormRefusal::At(field, message);
    app_.tableGrid.given = true;
    return FormRefusal::None();
  }
  bool TablePrinted() override { return app_.tableGrid.given; }

 private:
  AppModel& app_;
};

// ---- the lines -----------------------------------------------------------------------------

constexpr std::string_view kMainSetUpKeys[] = {"Len", "x1Edit", "Rho0", "Pout", "Dimension"};
constexpr std::string_view kMainRunKeys[] = {"dt1",     "dtLV",    "TotalTime", "TimeLV",
                                             "EndTime", "EndTmLV", "MnStepDiv", "StepDiv"};

std::unique_ptr<FormBinding> BindEosLeft(AppModel& app, const ApplyContext& ctx) {
  return std::make_unique<EosBinding>(app, true, ctx.runDir);
}
std::unique_ptr<FormBinding> BindEosFilm(AppModel& app, const ApplyContext& ctx) {
  return std::make_unique<EosBinding>(app, false, ctx.runDir);
}
std::unique_ptr<FormBinding> BindMainSetUp(AppModel& app, const ApplyContext&) {
  return std::make_unique<MainBinding>(app, std::string());
}
std::unique_ptr<FormBinding> BindMainRun(AppModel& app, const ApplyContext& ctx) {
  return std::make_unique<MainBinding>(app, ctx.outDir);
}
std::unique_ptr<FormBinding> BindInitial(AppModel& app, const ApplyContext&) {
  return std::make_unique<InitialBinding>(app);
}
std::unique_ptr<FormBinding> BindThermParam(AppModel& app, const ApplyContext& ctx) {
  return std::make_unique<ThermParamBinding>(app, ctx.runDir);
}
std::unique_ptr<FormBinding> BindQext(AppModel& app, const ApplyContext&) {
  return std::make_unique<QextBinding>(app);
}
std::unique_ptr<FormBinding> BindSpall(AppModel& app, const ApplyContext&) {
  return std::make_unique<SpallBinding>(app);
}
std::unique_ptr<FormBinding> BindReflectance(AppModel& app, const ApplyContext&) {
  return std::make_unique<ReflectanceBinding>(app);
}
std::unique_ptr<FormBinding> BindRefract(AppModel& app, const ApplyContext&) {
  return std::make_unique<RefractBinding>(app);
}
std::unique_ptr<FormBinding> BindViscosity(AppModel& app, const ApplyContext&) {
  return std::make_unique<ViscosityBinding>(app);
}
std::unique_ptr<FormBinding> BindSave(AppModel& app, const ApplyContext& ctx) {
  return std::make_unique<SaveBinding>(app, ctx.outDir);
}
std::unique_ptr<FormBinding> BindFormat(AppModel& app, const ApplyContext&) {
  return std::make_unique<FormatBinding>(app);
}
std::unique_ptr<FormBinding> BindTableGrid(AppModel& app, const ApplyContext&) {
  return std::make_unique<TableGridBinding>(app);
}

std::string TableGridIntro() {
  return "The grid on which `tarvex1l-run --write-eos-table RUNFILE --out DIR` tabulates the "
         "film's\nequation of state (`[eos.film]`) into a table set that the models "
         "`\"Table\"` and\n`\"Scaled Tab\"` load (`TabFiles`): the description `data.man`, "
         "the grids `temper.in` and\n`volume.in`, the tables `pressu.tab`, `energy.tab` and the "
         "phase codes `physid.tab`. A\nrun ignores it.";
}

std::string FormatIntro() {
  return "The number format of the results table and so of the result files (the main "
         "window's\n\"Format\" button). Without the table the files are written with six "
         "significant digits;\n`Press = 21` writes every extended real exactly, and a run "
         "continued from such a set\nrepeats the uninterrupted run.";
}

const std::vector<FieldSchema>& EosLeftFields() {
  return TStatEqSchema::FieldList(true);
}
const std::vector<FieldSchema>& EosFilmFields() {
  return TStatEqSchema::FieldList(false);
}

std::string EosIntro() {
  return "`[eos.film]` chooses the equation of state of the film (it also sets the velocity "
         "scale\nEosScale: 1 for the dimensionless models, 1e5 for the physical ones); "
         "`[eos.left]` that of\nthe substrate, needed when `[initial]` has substrate cells. Each "
         "table starts from a\nfreshly opened dialog: a field left out takes the value the "
         "dialog shows after the model\nis selected (the model's preset, else the dialog's "
         "initial value). A number field that the\nselected model does not use is disabled in "
         "the dialog and refused here.\n\n" +
         TStatEqSchema::AvailabilityNote() +
         " `NoElEOS = true` says that the film's model holds the\nlattice alone: the film's "
         "totals then add the electrons of `[thermal]` (composed when that table is\napplied). "
         "`CheckKappa` installs the medium's heat conductivity, which the conduction\nsolvers "
         "read in one- and two-temperature runs; a `[thermal]` page with an ion\nconductivity "
         "of its own replaces the film's when it is applied after `[eos.film]`.";
}

std::string MainIntro() {
  return "Units: with a physical equation of state lengths are in user units (`x1Edit` cm "
         "each),\ndensity g/cm3, pressure GPa, time s; with the dimensionless models (the ideal "
         "gas among\nthem) every quantity is in reduced units. The reduced-unit fields (`dtLV`, "
         "`EndTmLV`,\n`TimeLV`) hold physical time / (`Len` `x1Edit`) * EosScale; give either "
         "the physical or the\nreduced value of a pair.\n\n`Len`, `x1Edit`, `Rho0`, `Pout` and "
         "`Dimension` are handed to the initial-conditions\ndialog; give each of them in `[main]` "
         "or in `[initial]`, not in both.";
}

std::string InitialIntro() {
  return "Builds the grid, the layers and the initial profiles. Lengths in user units "
         "(`x1Edit` cm\neach); pressures GPa, temperatures K, densities g/cm3 with a physical "
         "equation of state,\nreduced units with the dimensionless models. The substrate "
         "(\"glass\") is a second layer of\n`xShiftDiv` cells before the film (after it with "
         "`CheckOut`), with its own density,\ntemperature and equation of state "
         "(`[eos.left]`).";
}

std::string ThermalIntro() {
  return "The electron model of the film and the heat conduction switches (the "
         "thermal-parameter\ndialog). `Page` is shown first; the fields after it are that "
         "page's (a key the page\ndoes not have is refused). On the \"Constant\" page the "
         "model uses the page's own density\n`rho0Edit` and coupling `aEdit` (coupling per "
         "gram aEdit/rho0Edit). Units: conductivity\nkW/cm/K, heat capacity kJ/g/K, coupling "
         "kW/K/cm3, density g/cm3. Without this table the\nfilm conducts only through the "
         "conductivity of its equation of state.\n\n`Materials` shows the page of the "
         "material and presets it (the keys after it override the\npreset); it also selects "
         "the metal in `[spall]` and sets the preset's spallation values there\n(a `[spall]` "
         "table then changes them). A key that several pages have is described for each\npage "
         "where it means something else (`rho00Edit`, `gEdit`, `alEdit`, ...). The film's "
         "phase\nreaches the models from `[eos.film]`: a table set's phase and mixture, an "
         "analytic model's\nphase code.";
}

std::string LaserIntro() {
  return "The laser source (the \"Q external\" dialog): absorbed fluence `AEdit` [mJ/cm^2], "
         "duration\n`tEdit` [fs], depth `dEdit` [nm] (d > 0: light enters at the film's right "
         "face, d < 0 at its\nleft face, next to a substrate before the film), time and "
         "space shapes. It acts when\n`[initial]` checks `Qext`.";
}

std::string SpallIntro() {
  return "Spallation of the film (the \"Spallation\" dialog, opened with \"Sp&all\" in the\n"
         "equation-of-state dialog). With the table the solvers test every stretched film cell "
         "for\nfailure by the checked criteria; a failed cell carries no tension any more (the "
         "foam\nstrength with `Foam`). `Materials` sets a metal's constants and criteria first; "
         "the keys\nafter it change them, in the order of this list: `sigma_mEdit` derives "
         "`sigma0Edit`\n(and `sigmaREdit`) from the `TcEdit`, `TmEdit`, `rho_blEdit` and "
         "`Ei0Edit` then in force,\nand a `sigma0Edit` or `sigmaREdit` given keeps its value; "
         "`VEdit` is refused while\n`VCalcCheck` is true (the volume then follows from the "
         "sound speed). The tension times\ngo with every profile set as \"Tneg.dat\".";
}

std::string ReflectanceIntro() {
  return "The relative reflectance change -dR/R0 of the film (the \"reflectance\" dialog): a "
         "Drude\nmetal whose electron collision rate follows Ti and Te, with an interband part "
         "fitted to\ngold, probed at `lambdaEdit` on a film of thickness `HHEdit` (which "
         "follows the density).\nWith the table \"R.dat\" in the output directory gets one "
         "record per output interval: the\ntime [ps] and -dR/R0 = 1 - R/R0 of the surface "
         "cell (the cell the time history describes;\nTe = Ti with one temperature). "
         "`R0Edit = 0` (the default) takes R0 from the state that\n`[initial]` built, so the "
         "first record is 0; a run continued from a saved profile gives the R0 of\nthe run it "
         "continues. A continued run appends the records after the last one the file\nholds.";
}

std::string RefractIntro() {
  return "The layered optics (the \"RefractData\" dialog): the film is cut into optically "
         "uniform\nlayers from its surface down to its uniform bulk, each with the index "
         "N = sqrt(eps) of the\npermittivity of `[reflectance]`'s model at its density, Ti "
         "and Te; cells below the optical\ncut-off density of `[thermal]`'s \"Simple metall\" "
         "page (0.1 g/cm3 unless set) are vacuum. The\nreflectance R and the phase shift h "
         "[nm] (the outward displacement of the reflecting\nsurface) of a probe of wavelength "
         "`Lambda` are computed for the state `[initial]` built and\nagain after every "
         "output interval; every profile set gets \"Refract = R +_i* h\" in its\nheader and "
         "its layer table as B + \"_opt.dat\".";
}

std::string ViscosityIntro() {
  return "Without this table the run has no artificial viscosity (the main window's \"Vis\" "
         "button is\nup). With it the dialog opens as the desktop program opens it (kind "
         "`\"Loc\"`, coefficient 1\non a fresh session), takes the values and is accepted; a "
         "coefficient of 0 switches the\nviscosity off.";
}

std::string SaveIntro() {
  return "How the result files are named, where they go and the format of the pictures. The "
         "name of\nan interval's files is the time at its end times `Scal`, written with the "
         "decimal\nseparator `p`, a minus sign as `#`, leading blanks as `0`, followed by "
         "`AddStr`.";
}

const FormEntry kRegistry[] = {
    {"eos.left",
     "the equation-of-state dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "eos.film",
     &BindEosLeft,
     &EosLeftFields,
     nullptr},
    {"eos.film",
     "the equation-of-state dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindEosFilm,
     &EosFilmFields,
     &EosIntro},
    {"thermal",
     "the thermal-parameter dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindThermParam,
     &TThermParamSchema::FieldList,
     &ThermalIntro},
    {"laser",
     "the laser-source dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindQext,
     &TQextSchema::FieldList,
     &LaserIntro},
    {"spall",
     "the spallation dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindSpall,
     &TSpallSchema::FieldList,
     &SpallIntro},
    {"main", "the main window", TablePresence::Always, "", kMainSetUpKeys, true, "", "",
     &BindMainSetUp, &TMainFormSchema::FieldList, &MainIntro},
    {"initial",
     "the initial-conditions dialog",
     TablePresence::Required,
     "the initial-conditions dialog builds the grid and the state, nothing can run without it",
     {},
     true,
     "main",
     "",
     &BindInitial,
     &TInitionalSchema::FieldList,
     &InitialIntro},
    {"reflectance",
     "the film-reflectance dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindReflectance,
     &TreflectanceSchema::FieldList,
     &ReflectanceIntro},
    {"refract",
     "the refractive-data dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindRefract,
     &TRefractDataSchema::FieldList,
     &RefractIntro},
    {"viscosity",
     "the artificial-viscosity dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindViscosity,
     &TViscositySchema::FieldList,
     &ViscosityIntro},
    {"main", "the main window", TablePresence::Always, "", kMainRunKeys, false, "", "",
     &BindMainRun, &TMainFormSchema::FieldList, &MainIntro},
    {"save",
     "the save-options dialog",
     TablePresence::Always,
     "",
     {},
     false,
     "",
     "",
     &BindSave,
     &TSaveFileOptionsSchema::FieldList,
     &SaveIntro},
    {"format",
     "the number-format dialog",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindFormat,
     &TNumFormatSchema::FieldList,
     &FormatIntro},
    {"table",
     "the grid of the table writer",
     TablePresence::Optional,
     "",
     {},
     false,
     "",
     "",
     &BindTableGrid,
     &TEosTableGridSchema::FieldList,
     &TableGridIntro},
};

// Forms still to come (none at present; a line here refuses its table with the note).
constexpr std::array<PlannedForm, 0> kPlanned{};

}  // namespace

std::span<const FormEntry> FormRegistry() {
  return kRegistry;
}

const FormEntry* FindFormEntry(std::string_view table) {
  for (const FormEntry& e : kRegistry) {
    if (e.table == table) return &e;
  }
  return nullptr;
}

bool LastEntryOfTable(const FormEntry& entry) {
  bool after = false;
  for (const FormEntry& e : kRegistry) {
    if (&e == &entry) {
      after = true;
    } else if (after && e.table == entry.table) {
      return false;
    }
  }
  return true;
}

std::span<const PlannedForm> PlannedForms() {
  return kPlanned;
}

}  // namespace tarvex
