// Applying run files to the forms (in the order a person fills the dialogs) and writing
// the forms' settings back as a run file.
#include "runfile/RunSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "core/eos/EosCatalog.h"
#include "core/hydro/ViscosityDialog.h"
#include "core/run/ResultsGraphs.h"

namespace tarvex::runfile {

namespace {

// The initial-conditions dialog's fields in the order they are applied: the dialog's
// layout, with the controls whose handlers change other controls before those they
// change (the geometry before the boundary modes, the temperature model before the
// electron temperature, which the fixed-Te box reads). Keys of the form's list missing
// here are applied after these, in the list's order.
constexpr std::string_view kInitialOrder[] = {
    "DspcUpDown",  "Len",          "x1Edit",     "Dimension",  "Rho0",          "RadioGroup1",
    "Pini",        "Tini",         "xf",         "Pgr",        "Tgr",           "GrouthFunc",
    "Dist",        "MoveType",     "Bound0",     "T0",         "BoundQ",        "Tq",
    "InitProfile", "TeEdit",       "FixTe",      "Pout",       "PoutMultCheck", "PoutMultEdit",
    "xShiftDiv",   "CheckOut",     "x0Shift",    "P0l",        "rho0l",         "T0l",
    "PadhEdit",    "QegCheck",     "CheckElast", "Qext",       "V00",           "x00",
    "CheckKeepVL", "V_PPoutCheck", "VL",         "xRightEdit",
};

// [initial] keys applied after a load, in the dialog's order.
constexpr std::string_view kAfterLoadOrder[] = {"MoveType",    "Bound0",       "T0", "BoundQ", "Tq",
                                                "CheckKeepVL", "V_PPoutCheck", "VL", "Qext"};

// [main] keys a loaded profile sets: the grid, the densities, the outer pressure and the
// start time (read from the file name).
constexpr std::string_view kMainLoaded[] = {"Len",       "x1Edit",    "Rho0",  "Pout",
                                            "Dimension", "TotalTime", "TimeLV"};

// Save-option keys in the order they are applied: the unit factor before the suffix (its
// leave handler sets the suffix of a known unit, which a suffix given in the file
// replaces).
constexpr std::string_view kSaveOrder[] = {"RadioGroup1", "FormatType", "Press",    "FWidth",
                                           "Scal",        "AddStr",     "GraphType"};

// Intervals checked for distinct file names before a run.
constexpr int32_t kNameCheckIntervals = 100000;

template <size_t n>
bool Among(const std::string_view (&list)[n], std::string_view key) {
  return std::find(std::begin(list), std::end(list), key) != std::end(list);
}

// Fields the initial-conditions dialog fills when OK builds the state.
constexpr std::string_view kInitialOutputs[] = {"x0Shift", "xRightEdit"};

// Main-window keys typed before "Init/Shift" (the dialog takes them over) ...
constexpr std::string_view kMainBefore[] = {"Len", "x1Edit", "Rho0", "Pout", "Dimension"};
// ... and after the set-up, in the order their leave handlers need each other.
constexpr std::string_view kMainAfter[] = {"dt1",     "dtLV",    "TotalTime", "TimeLV",
                                           "EndTime", "EndTmLV", "MnStepDiv", "StepDiv"};
// Main-window keys written back (the reduced-unit twins follow from these).
constexpr std::string_view kMainWritten[] = {"Len",       "x1Edit", "Rho0",    "Pout",
                                             "Dimension", "dt1",    "EndTime", "TotalTime",
                                             "MnStepDiv", "StepDiv"};

std::vector<std::string> InitialApplyOrder() {
  std::vector<std::string> order(std::begin(kInitialOrder), std::end(kInitialOrder));
  for (const InitFieldKey& k : TInitional::SettableKeys()) {
    if (std::find(order.begin(), order.end(), k.name) == order.end()) order.emplace_back(k.name);
  }
  // Only keys the form has (a name dropped from the form drops out here too).
  std::erase_if(order, [](const std::string& key) {
    const auto keys = TInitional::SettableKeys();
    return std::none_of(keys.begin(), keys.end(),
                        [&](const InitFieldKey& k) { return k.name == key; });
  });
  return order;
}

std::string Quoted(std::string_view s) {
  std::string q;
  q.reserve(s.size() + 2);
  q.push_back('"');
  q.append(s);
  q.push_back('"');
  return q;
}

bool Close(Real a, Real b) {
  if (a == b) return true;
  const Real scale = std::max(std::fabs(a), std::fabs(b));
  return std::fabs(a - b) <= 1e-12L * scale;
}

// The OK check's focus names the control, not the key; these are the two that differ.
std::string KeyOfFocus(std::string_view focus) {
  if (focus == "DimensionEdit") return "Dimension";
  if (focus == "xShiftDivEdit") return "xShiftDiv";
  return std::string(focus);
}

// Why the initial-conditions dialog keeps the focus on a control after OK.
std::string InitialRefusal(std::string_view key) {
  if (key == "Len") return "the length must be greater than 0";
  if (key == "x1Edit") return "the length unit must be greater than 0";
  if (key == "Dimension") return "the grid needs 1 .. 10000 cells";
  if (key == "Rho0") return "the density must be greater than 0";
  if (key == "RadioGroup1") return "choose what the profile prescribes: \"Press\" or \"Temp\"";
  if (key == "Tini") return "the temperature must be greater than 0 when the profile prescribes it";
  if (key == "Tgr") return "the temperature the profile grows to must be greater than 0";
  if (key == "GrouthFunc")
    return "choose a growth shape that suits the initial and final values (the profile grows "
           "beyond xf)";
  if (key == "Dist") return "the growth length must not be 0";
  if (key == "InitProfile") return "choose a temperature model";
  if (key == "MoveType") return "an elastic solid needs a grid that moves (not \"No move\")";
  if (key == "CheckElast") return "the existing instances are elastic";
  if (key == "xShiftDiv") return "the substrate must leave film cells: xShiftDiv < Dimension";
  if (key == "rho0l") return "the substrate density must be greater than 0";
  return "the dialog refuses this value";
}

// Why the initial-conditions dialog refuses a control of a given state.
std::string DisabledReason(std::string_view key) {
  if (key == "Bound0")
    return "the dialog disables it in cylindrical and spherical geometry (DspcUpDown > 1): no "
           "heat crosses the centre";
  if (key == "InitProfile")
    return "the dialog disables it while FixTe is checked (FixTe selects \"Ti, Te = T0\")";
  if (key == "CheckElast") return "the elastic model is not available with the non-metal model";
  return "the dialog disables this control";
}

class Applier {
 public:
  Applier(const RunFile& file, AppModel& app, const ScriptedPrompter& prompter, ApplyResult& result)
      : file_(file), app_(app), prompter_(prompter), result_(result) {}

  bool Eos(bool left) {
    const std::string_view table = left ? kTableEosLeft : kTableEosFilm;
    const TableSettings& t = left ? file_.eosLeft : file_.eosFilm;
    EosDialogSnapshot& snap = left ? result_.applied.left : result_.applied.film;
    if (!t.present) return true;
    // Each medium starts from a freshly opened dialog, so that a table says everything
    // about its medium and the order of the tables does not matter.
    app_.eos = TStatEqDialog{};
    TStatEqDialog& d = app_.eos;
    d.SetLeft(left);
    for (const TStatEqKey& k : TStatEqDialog::SettableKeys()) {
      const Setting* s = t.Find(k.name);
      if (s == nullptr) continue;
      TStatEqResult r;
      switch (k.kind) {
        case TStatEqKeyKind::ModelList:
          r = d.SelectModel(s->value.index);
          break;
        case TStatEqKeyKind::Metal:
          if (!d.Enabled("Metal")) return Fail(table, s, "the selected model has no metal choice");
          r = d.SetMetal(s->value.index);
          break;
        case TStatEqKeyKind::Number:
          if (!d.Enabled(k.name)) {
            return Fail(
                table, s,
                "not used by the selected model (the field is disabled)" + SelectedModelNote(d));
          }
          if (!SetNumber(*d.FieldByName(k.name), table, *s)) return false;
          break;
        case TStatEqKeyKind::Check:
          if (!d.Visible(k.name)) return Fail(table, s, "the dialog does not show it here");
          r = d.SetCheck(k.name, s->value.on);
          break;
      }
      if (!r) return Fail(table, s, r.message);
    }
    snap.eqType = d.EqType();
    snap.metal = d.Metal();
    snap.checkKappa = d.CheckKappa();
    snap.noElEOS = d.NoElEOS();
    const TStatEqResult ok = d.Ok(app_.session.eos);
    if (!ok) {
      const Setting* s = t.Find(ok.focus);
      const bool field = s == nullptr && d.FieldByName(ok.focus) != nullptr;
      return Fail(table, s, s == nullptr ? ok.focus : "",
                  ok.message + (field ? " (not given)" : ""), t.pos);
    }
    if (snap.eqType >= 0) {
      for (const EosParamInfo& p : EosCatalog()[static_cast<size_t>(snap.eqType)].params) {
        if (const RealField* f = d.FieldByName(p.name))
          snap.fields.emplace_back(p.name, f->StoredValue());
      }
    }
    snap.applied = true;
    return true;
  }

  bool MainBefore() {
    for (std::string_view key : kMainBefore) {
      const Setting* s = file_.main.Find(key);
      if (s == nullptr) continue;
      if (key == "Dimension") {
        app_.main.SetDimension(s->value.index);
      } else {
        if (!CheckNumber(*app_.main.FieldByName(key), kTableMain, *s)) return false;
        app_.main.UserEdit(key, s->value.text);
      }
    }
    return true;
  }

  bool Initial() {
    const TableSettings& t = file_.initial;
    if (!t.present) {
      return Fail(kTableInitial, nullptr, "",
                  "the run file has no [initial] table: the initial-conditions dialog builds "
                  "the grid and the state, nothing can run without it");
    }
    app_.PrepareInitialDialog();
    TInitional& d = app_.initial;
    d.FormShow(false);
    const std::vector<std::string> order = InitialApplyOrder();
    for (const std::string& key : order) {
      const Setting* s = t.Find(key);
      if (s != nullptr && !ApplyInitialSetting(*s)) return false;
    }
    // Values a leave-field or click handler replaced: the run would use another number
    // than the file says.
    for (const Setting& s : t.settings) {
      if (!Kept(kTableInitial, s)) return false;
    }
    const InitialOkResult ok = d.OkPressed();
    if (!ok.accepted) {
      if (!ok.focus.empty()) return InitialFocus(ok.focus, ok.message);
      if (!ok.message.empty()) return Fail(kTableInitial, nullptr, "", ok.message, t.pos);
      return Fail(kTableInitial, nullptr, "",
                  "the dialog stayed open: the answer to " + Quoted(kAskSavePrint) +
                      " kept it open; answer \"Yes\" or \"No\" in [answers]",
                  t.pos);
    }
    // Fields OK computes (shown only): a value given for them must be the one it shows.
    for (std::string_view key : kInitialOutputs) {
      const Setting* s = t.Find(key);
      if (s != nullptr && !Close(d.RealFieldByName(key)->Value(), s->value.number)) {
        return Fail(kTableInitial, s,
                    "computed by the dialog (" + ExactText(d.RealFieldByName(key)->Value()) +
                        "), not set: leave the key out");
      }
    }
    app_.FinishInitialDialog();
    return true;
  }

  bool Viscosity() {
    const TableSettings& t = file_.viscosity;
    if (!t.present) return true;
    TViscosityDialogModel& d = app_.viscosity;
    Session& s = app_.session;
    d.Open(s.visc, s.eos.EosScale);
    if (const Setting* type = t.Find("ViscType")) d.ViscType = type->value.index;
    if (const Setting* mult = t.Find("ViscMult")) {
      if (!SetNumber(d.ViscMult, kTableViscosity, *mult)) return false;
    }
    // AppModel::ApplyViscosityDialog does not report a refusal; OK on a copy of the
    // state tells beforehand, with no effect on the session.
    ViscosityState probe = s.visc;
    const ViscosityDialogResult r = d.Ok(probe, s.eos.EosScale, s.StateA);
    if (!r.accepted) {
      const std::string key(r.focus);
      const std::string why = key == "ViscMult" ? "the coefficient must be a number >= 0"
                                                : "choose one of the viscosity kinds";
      return Fail(kTableViscosity, t.Find(key), t.Find(key) == nullptr ? key : "", why, t.pos);
    }
    app_.ApplyViscosityDialog();
    result_.applied.viscosity = true;
    return true;
  }

  // `load`: the profile replaces the state [initial] would build; the dialog then opens
  // in its after-load mode, takes the boundary settings and is accepted.
  bool Load() {
    const Setting& l = *file_.load;
    for (std::string_view key : kMainLoaded) {
      if (const Setting* s = file_.main.Find(key)) {
        return Fail(kTableMain, s,
                    "the loaded profile sets it (with `load` the grid, densities, outer "
                    "pressure and start time come from the profile): leave it out");
      }
    }
    const TableSettings& t = file_.initial;
    for (const Setting& s : t.settings) {
      if (!Among(kAfterLoadOrder, s.key)) {
        return Fail(kTableInitial, &s,
                    "not used after `load`: the loaded profile replaces the state it would "
                    "build; only " +
                        AfterLoadKeyList() + " apply");
      }
    }
    const size_t askedBefore = prompter_.asked.size();
    const ProfileLoadResult r = app_.LoadProfile(l.value.text, true);
    if (!r) {
      std::string why = r.message;
      if (why.empty()) {
        why = "the load was cancelled";
        for (size_t k = askedBefore; k < prompter_.asked.size(); ++k) {
          const ScriptedPrompter::Asked& q = prompter_.asked[k];
          if (q.answer == Answer::Cancel) {
            why += " by the answer \"Cancel\" to " + Quoted(q.text) + "; answer it in [answers]";
            break;
          }
        }
      }
      return Fail("", &l, "cannot load " + Quoted(l.value.text) + ": " + why);
    }
    result_.applied.load = l.value.text;

    TInitional& d = app_.initial;
    const bool frozen = app_.session.bounds.NoMove;
    for (std::string_view key : kAfterLoadOrder) {
      const Setting* s = t.Find(key);
      if (s == nullptr) continue;
      if (key == "MoveType" && (s->value.index == kMoveNone) != frozen) {
        return Fail(kTableInitial, s,
                    frozen ? "the loaded profile was written on a frozen grid: only \"No move\" "
                             "continues it"
                           : "\"No move\" freezes the grid, but the loaded profile was written "
                             "on a moving one");
      }
      if (!ApplyInitialSetting(*s)) return false;
    }
    for (const Setting& s : t.settings) {
      if (!Kept(kTableInitial, s)) return false;
    }
    const InitialOkResult ok = d.OkPressed();
    if (!ok.accepted) {
      if (!ok.focus.empty()) return InitialFocus(ok.focus, ok.message);
      return Fail("", &l,
                  ok.message.empty() ? "the after-load dialog stayed open: the answer to " +
                                           Quoted(kAskSavePrint) + " kept it open"
                                     : ok.message);
    }
    app_.FinishInitialDialog();
    return true;
  }

  bool Save(const std::string& outDir) {
    TSaveFileOptions& o = app_.saveOptions;
    const TableSettings& t = file_.save;
    for (std::string_view key : kSaveOrder) {
      const Setting* s = t.Find(key);
      if (s == nullptr) continue;
      if (key == "RadioGroup1") o.RadioGroup1 = s->value.index;
      if (key == "FormatType") o.FormatType = s->value.index;
      if (key == "Press") o.SetPress(s->value.index);
      if (key == "FWidth") o.SetFWidth(s->value.index);
      if (key == "GraphType") o.GraphType = s->value.index;
      if (key == "Scal") {
        if (!(s->value.number > 0)) {
          return Fail(kTableSave, s,
                      "the time factor must be greater than 0 (with 0 every interval would get "
                      "the same file name)");
        }
        if (!SetNumber(o.Scal, kTableSave, *s)) return false;
        o.LeaveScal();
      }
      if (key == "AddStr") {
        if (s->value.text.find_first_of("/\\:") != std::string::npos) {
          return Fail(kTableSave, s,
                      "the suffix is part of a file name: no \"/\", \"\\\" or \":\" (the "
                      "directory is SaveDir)");
        }
        o.AddStr = s->value.text;
      }
    }
    if (!outDir.empty()) {
      o.SaveDir = WithTrailingSeparator(outDir);
      app_.ApplySaveOptions();
    } else {
      app_.main.PicturesAsJpeg = o.PicturesAsJpeg();
    }
    return DistinctNames();
  }

  // Every interval of the run gets a file set of its own: two intervals whose times give
  // the same name would overwrite the earlier set.
  bool DistinctNames() {
    TMainForm& m = app_.main;
    const TSaveFileOptions& o = app_.saveOptions;
    const Real dt1 = m.dt1.Value();
    const Real t0 = m.TotalTime.Value();
    const Real end = std::fabs(m.EndTime.Value());
    if (!(dt1 > 0) || !std::isfinite(t0) || !std::isfinite(end)) return true;
    std::string previous;
    Real previousT = t0;
    for (int32_t k = 1; k <= kNameCheckIntervals; ++k) {
      const Real t = t0 + k * dt1;
      std::string name = o.NumberText(t);
      if (k > 1 && name == previous) {
        const Setting* at = file_.save.Find("Press");
        if (at == nullptr) at = file_.save.Find("RadioGroup1");
        return Fail(kTableSave, at, at == nullptr ? "Press" : "",
                    "the intervals ending at t = " + ExactText(previousT) + " and " + ExactText(t) +
                        " would get the same file name " + Quoted(name + o.AddStr) +
                        ", the later set overwriting the earlier; give more digits "
                        "(RadioGroup1 = \"Fixed\" with a larger Press) or a larger Scal",
                    file_.save.present ? file_.save.pos : file_.main.pos);
      }
      if (t + dt1 / 4 > end) break;
      previous = std::move(name);
      previousT = t;
    }
    return true;
  }

  bool MainAfter(const std::string& outDir) {
    TMainForm& m = app_.main;
    if (!outDir.empty()) {
      m.SaveDir = outDir;
      if (m.SaveDir.back() != '/') m.SaveDir.push_back('/');
      m.HistoryFileName = m.SaveDir + "Surf.dat";
    }
    MainFormContext ctx;
    for (std::string_view key : kMainAfter) {
      const Setting* s = file_.main.Find(key);
      if (s == nullptr) continue;
      if (key == "MnStepDiv") {
        m.SetMnStepDiv(s->value.index);
        continue;
      }
      if (key == "StepDiv") {
        m.SetStepDiv(s->value.index);
        continue;
      }
      if (!CheckNumber(*m.FieldByName(key), kTableMain, *s)) return false;
      m.UserEdit(key, s->value.text);
      if (key == "dt1") m.LeaveDt1();
      if (key == "dtLV") m.LeaveDtLV();
      if (key == "TotalTime") m.LeaveTotalTime();
      if (key == "TimeLV") m.LeaveTimeLV();
      if (key == "EndTime") m.LeaveEndTime(ctx);
      if (key == "EndTmLV") m.LeaveEndTmLV(ctx);
    }
    for (const Setting& s : file_.main.settings) {
      if (!Kept(kTableMain, s)) return false;
    }
    return Save(outDir);
  }

 private:
  static std::string AfterLoadKeyList() {
    std::string list;
    for (std::string_view k : kAfterLoadOrder) list += (list.empty() ? "" : ", ") + std::string(k);
    return list;
  }

  // One [initial] setting through the dialog's own parsing and handlers.
  bool ApplyInitialSetting(const Setting& s) {
    TInitional& d = app_.initial;
    switch (s.value.kind) {
      case KeyKind::Number:
        if (!SetNumber(*d.RealFieldByName(s.key), kTableInitial, s)) return false;
        d.LeaveField(s.key);
        return true;
      case KeyKind::Integer:
      case KeyKind::Choice:
        return Status(d.SetInt(s.key, s.value.index), d.IntByName(s.key) == s.value.index, s);
      case KeyKind::Check:
        return Status(d.SetCheck(s.key, s.value.on), d.CheckByName(s.key) == s.value.on, s);
      case KeyKind::Text:
        return true;
    }
    return true;
  }

  // An error at a setting (or at `pos` / the table when the setting is not given).
  bool Fail(std::string_view table, const Setting* s, std::string message) {
    return Fail(table, s, "", std::move(message), {});
  }
  bool Fail(std::string_view table, const Setting* s, const std::string& key, std::string message,
            SourcePos pos = {}) {
    RunFileError e;
    e.file = file_.name;
    e.table = std::string(table);
    if (s != nullptr) {
      e.line = s->pos.line;
      e.key = s->key;
    } else {
      e.line = pos.line;
      e.key = key;
    }
    e.message = std::move(message);
    result_.error = std::move(e);
    return false;
  }

  static std::string SelectedModelNote(const TStatEqDialog& d) {
    if (d.EqType() < 0) return "; no model is selected (EqType)";
    return "; the model is " + Quoted(EosCatalog()[static_cast<size_t>(d.EqType())].caption);
  }

  // The field's own format must read the text (the reader checked it with the default
  // format; a form may use another decimal separator).
  bool CheckNumber(const RealField& f, std::string_view table, const Setting& s) {
    Real v = 0;
    const TConvertStatus st = f.Format().Parse(s.value.text, v);
    if (st == TConvertStatus::Ok && std::isfinite(v)) return true;
    return Fail(
        table, &s,
        Quoted(s.value.text) + (st == TConvertStatus::OutOfRange ? " is beyond the range of numbers"
                                                                 : " is not a number"));
  }

  bool SetNumber(RealField& f, std::string_view table, const Setting& s) {
    if (!CheckNumber(f, table, s)) return false;
    f.SetText(s.value.text);
    return true;
  }

  // A control the dialog refuses to change is fine when it already shows the value.
  bool Status(FieldSetStatus st, bool alreadyThere, const Setting& s) {
    switch (st) {
      case FieldSetStatus::Ok:
        return true;
      case FieldSetStatus::Refused:
        if (alreadyThere) return true;
        return Fail(kTableInitial, &s, DisabledReason(s.key));
      case FieldSetStatus::OutOfRange:
        return Fail(kTableInitial, &s, "out of the control's range");
      case FieldSetStatus::UnknownKey:
      case FieldSetStatus::WrongKind:
        return Fail(kTableInitial, &s, "the dialog has no such control");
    }
    return false;
  }

  bool InitialFocus(const std::string& focus, const std::string& message) {
    const TableSettings& t = file_.initial;
    if (focus == "StatEqButton") {
      return Fail(kTableInitial, nullptr, "",
                  "the film has no equation of state: add an [eos.film] table", t.pos);
    }
    if (focus == "EOSlButton") {
      return Fail(kTableInitial, t.Find("xShiftDiv"), "",
                  "the substrate cells (xShiftDiv > 0) have no equation of state: add an "
                  "[eos.left] table",
                  t.pos);
    }
    if (focus == "ThermParam") {
      return Fail(kTableInitial, nullptr, "",
                  "the film conducts heat only with thermal parameters, which are not "
                  "available in this version",
                  t.pos);
    }
    if (focus == "OkBtn") return Fail(kTableInitial, nullptr, "", message, t.pos);
    const std::string key = KeyOfFocus(focus);
    const bool shared = std::find(SharedMainInitialKeys().begin(), SharedMainInitialKeys().end(),
                                  key) != SharedMainInitialKeys().end();
    const Setting* s = t.Find(key);
    std::string_view table = kTableInitial;
    SourcePos pos = t.pos;
    if (s == nullptr && shared && file_.main.Find(key) != nullptr) {
      s = file_.main.Find(key);
      table = kTableMain;
    }
    std::string why = InitialRefusal(key);
    if (const RealField* f = app_.initial.RealFieldByName(key); f != nullptr && s == nullptr) {
      why += " (not given; the dialog holds " + f->Text() + ")";
    }
    if (!message.empty()) why += ": " + message;
    return Fail(table, s, s == nullptr ? key : "", why, pos);
  }

  // After OK: the form still holds the value the file gave.
  bool Kept(std::string_view table, const Setting& s) {
    const bool main = table == kTableMain;
    switch (s.value.kind) {
      case KeyKind::Number: {
        RealField* f = main ? app_.main.FieldByName(s.key) : app_.initial.RealFieldByName(s.key);
        if (f == nullptr) return true;
        const Real now = f->Value();
        if (Close(now, s.value.number)) return true;
        if (!main && s.key == "rho0l" && GlassDensityTaken()) return true;
        return Fail(table, &s,
                    "the form replaced " + s.value.text + " by " + ExactText(now) +
                        ": the value follows from other settings; leave the key out or give a "
                        "value consistent with them");
      }
      case KeyKind::Integer:
      case KeyKind::Choice: {
        int32_t now = s.value.index;
        if (main) {
          if (s.key == "Dimension") now = app_.main.Dimension;
          if (s.key == "StepDiv") now = app_.main.StepDiv;
          if (s.key == "MnStepDiv") now = app_.main.MnStepDiv;
        } else {
          now = app_.initial.IntByName(s.key).value_or(now);
        }
        if (now == s.value.index) return true;
        return Fail(table, &s,
                    "the form changed " + std::to_string(s.value.index) + " to " +
                        std::to_string(now) +
                        " (another setting overrides it); leave the key out or make it "
                        "consistent");
      }
      case KeyKind::Check: {
        const bool now = app_.initial.CheckByName(s.key).value_or(s.value.on);
        if (now == s.value.on) return true;
        return Fail(table, &s,
                    std::string("the form changed it to ") + (now ? "true" : "false") +
                        " (another setting overrides it)");
      }
      case KeyKind::Text:
        return true;
    }
    return true;
  }

  // The substrate density replaced by its model's own, because the question asked
  // whether to do so was answered Yes.
  bool GlassDensityTaken() const {
    return std::any_of(prompter_.asked.begin(), prompter_.asked.end(), [](const auto& q) {
      return q.text.rfind(kAskGlassDensity, 0) == 0 && q.answer == Answer::Yes;
    });
  }

  const RunFile& file_;
  AppModel& app_;
  const ScriptedPrompter& prompter_;
  ApplyResult& result_;
};

// ---- writing back ----------------------------------------------------------------------

std::string TomlString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A number as TOML: a plain TOML number where its text is one that toml++ reads (the
// reader takes the text as written, so no precision is lost), a text otherwise.
std::string TomlNumber(Real x) {
  if (x == 0 && std::signbit(x)) return "-0.0";
  const std::string t = ExactText(x);
  const Real a = std::fabs(x);
  const bool inDoubleRange = std::isfinite(x) && a < 1e300L && (x == 0 || a > 1e-300L);
  const bool bigInteger = t.find_first_of(".e") == std::string::npos && a >= 1e15L;
  if (inDoubleRange && !bigInteger) return t;
  return TomlString(t);
}

std::string ChoiceText(std::string_view table, std::string_view key, int32_t index) {
  if (index < 0) return std::to_string(index);
  for (const KeyInfo& k : TableKeys(table)) {
    if (k.key == key && index < static_cast<int32_t>(k.items.size())) {
      return TomlString(k.items[static_cast<size_t>(index)]);
    }
  }
  return std::to_string(index);
}

void WriteEos(std::ostringstream& out, std::string_view table, const EosDialogSnapshot& s) {
  if (!s.applied) return;
  out << "\n[" << table << "]\n";
  out << "EqType = " << ChoiceText(table, "EqType", s.eqType) << "\n";
  TStatEqDialog probe;
  probe.SetLeft(table == kTableEosLeft);
  if (s.eqType >= 0) probe.SelectModel(s.eqType);
  if (probe.Enabled("Metal")) out << "Metal = " << ChoiceText(table, "Metal", s.metal) << "\n";
  for (const auto& [name, value] : s.fields) out << name << " = " << TomlNumber(value) << "\n";
  out << "CheckKappa = " << (s.checkKappa ? "true" : "false") << "\n";
  if (probe.Visible("NoElEOS")) out << "NoElEOS = " << (s.noElEOS ? "true" : "false") << "\n";
}

// Fields of the initial-conditions dialog that follow from others when OK reads them:
// writing them would give the reader two sources for one number.
bool DerivedInitialField(const TInitional& d, std::string_view key) {
  // P0l follows from rho0l and T0l; x0Shift and xRightEdit are computed by OK.
  if (key == "P0l" || key == "x0Shift" || key == "xRightEdit") return true;
  const bool fromTemperatures = d.FixTe || d.RadioGroup1 == kProfileTemp;
  if (fromTemperatures) return key == "Pini" || key == "Pgr";
  if (d.RadioGroup1 == kProfilePress) return key == "Tini" || key == "Tgr";
  return false;
}

}  // namespace

const std::vector<std::pair<std::string, Answer>>& DefaultAnswers() {
  static const std::vector<std::pair<std::string, Answer>> answers{{kAskSavePrint, Answer::No},
                                                                   {kAskShiftGraphX0, Answer::No}};
  return answers;
}

const std::vector<std::string>& AfterLoadInitialKeys() {
  static const std::vector<std::string> keys(std::begin(kAfterLoadOrder),
                                             std::end(kAfterLoadOrder));
  return keys;
}

ApplyResult ApplyRunFile(const RunFile& file, AppModel& app, ScriptedPrompter& prompter,
                         const std::string& outDir) {
  ApplyResult result;
  std::vector<std::pair<std::string, Answer>>& answers = result.applied.answers;
  answers = DefaultAnswers();
  for (const AnswerSetting& a : file.answers) {
    const auto same = std::find_if(answers.begin(), answers.end(),
                                   [&](const auto& p) { return p.first == a.question; });
    if (same != answers.end()) {
      same->second = a.answer;
    } else {
      answers.emplace_back(a.question, a.answer);
    }
  }
  for (const auto& [question, answer] : answers) prompter.Script(question, answer);

  Applier a(file, app, prompter, result);
  if (!a.Eos(true) || !a.Eos(false)) return result;
  const bool state = file.load ? a.Load() : a.MainBefore() && a.Initial();
  if (state && a.Viscosity()) a.MainAfter(outDir);
  return result;
}

std::string SettingsText(AppModel& app, const AppliedSettings& applied, const std::string& origin) {
  std::ostringstream out;
  out << "# Tarvex_1l run file: the settings of " << origin << ",\n"
      << "# every key with the value the forms hold (defaults included).\n";

  const bool loaded = !applied.load.empty();
  if (loaded) out << "\n" << kKeyLoad << " = " << TomlString(applied.load) << "\n";

  out << "\n[" << kTableAnswers << "]\n";
  for (const auto& [question, answer] : applied.answers) {
    out << TomlString(question) << " = " << TomlString(AnswerName(answer)) << "\n";
  }

  WriteEos(out, kTableEosFilm, applied.film);
  WriteEos(out, kTableEosLeft, applied.left);

  TMainForm& m = app.main;
  out << "\n[" << kTableMain << "]\n";
  for (std::string_view key : kMainWritten) {
    if (loaded && Among(kMainLoaded, key)) continue;
    out << key << " = ";
    if (key == "Dimension") {
      out << m.Dimension;
    } else if (key == "StepDiv") {
      out << m.StepDiv;
    } else if (key == "MnStepDiv") {
      out << m.MnStepDiv;
    } else {
      out << TomlNumber(m.FieldByName(key)->Value());
    }
    out << "\n";
  }

  TInitional& d = app.initial;
  const auto& shared = SharedMainInitialKeys();
  out << "\n[" << kTableInitial << "]\n";
  for (const std::string& key : InitialApplyOrder()) {
    if (std::find(shared.begin(), shared.end(), key) != shared.end()) continue;
    if (DerivedInitialField(d, key)) continue;
    if (loaded && !Among(kAfterLoadOrder, key)) continue;
    const auto keys = TInitional::SettableKeys();
    const auto k = std::find_if(keys.begin(), keys.end(),
                                [&](const InitFieldKey& x) { return x.name == key; });
    out << key << " = ";
    switch (k->kind) {
      case InitFieldKind::Number:
        out << TomlNumber(d.RealFieldByName(key)->Value());
        break;
      case InitFieldKind::UpDown:
        out << *d.IntByName(key);
        break;
      case InitFieldKind::Choice:
        out << ChoiceText(kTableInitial, key, *d.IntByName(key));
        break;
      case InitFieldKind::Check:
        out << (*d.CheckByName(key) ? "true" : "false");
        break;
    }
    out << "\n";
  }

  if (applied.viscosity) {
    TViscosityDialogModel& v = app.viscosity;
    out << "\n[" << kTableViscosity << "]\n";
    out << "ViscType = " << ChoiceText(kTableViscosity, "ViscType", v.ViscType) << "\n";
    out << "ViscMult = " << TomlNumber(v.ViscMult.Value()) << "\n";
  }

  TSaveFileOptions& o = app.saveOptions;
  out << "\n[" << kTableSave << "]\n";
  if (!app.main.SaveDir.empty()) out << "SaveDir = " << TomlString(app.main.SaveDir) << "\n";
  out << "Scal = " << TomlNumber(o.Scal.Value()) << "\n";
  out << "RadioGroup1 = " << ChoiceText(kTableSave, "RadioGroup1", o.RadioGroup1) << "\n";
  out << "FormatType = " << ChoiceText(kTableSave, "FormatType", o.FormatType) << "\n";
  out << "Press = " << o.Press << "\n";
  out << "FWidth = " << o.FWidth << "\n";
  out << "AddStr = " << TomlString(o.AddStr) << "\n";
  out << "GraphType = " << ChoiceText(kTableSave, "GraphType", o.GraphType) << "\n";
  return out.str();
}

}  // namespace tarvex::runfile
