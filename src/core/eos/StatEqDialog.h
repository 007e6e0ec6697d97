// TStatEqDialog: the form model of the "Equation of state" dialog, without a display.
//
// One instance serves both media: opened in film mode it fills FilmEos and ActiveEos and
// sets EosScale; opened in left mode it fills LeftEos only. The user picks a model in
// the list EqType (index = model number of the catalog), edits the numeric fields of the
// model, and presses OK. OK validates every input before anything is changed: a refused
// OK leaves the slots, the selection state and the labels as they were and names the
// field that gets the focus. The model number is stored (FilmEosType / LeftEosType) only
// together with the slots it describes.
//
// Captions, parameter names, units, defaults, valid ranges and presets are read from the
// model catalog (EosCatalog.h); the dialog keeps only the values the user entered.
//
// Every model the catalog marks available can be accepted; the others are refused with a
// message that names them. The label (InfoLabel) comes from the model's catalog entry.
// CheckKappa installs the medium's heat conductivity (constant, kappa0 T0/T or the "FnT"
// law, EosConductivity.h) in its Kappa slot, which the conduction solvers read. NoElEOS
// says that the film's model holds the lattice alone: the totals add the electron part of
// the electron model, now or when the thermal-parameter dialog installs one.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/Prompter.h"
#include "core/common/RealField.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosConductivity.h"
#include "core/eos/EosSlots.h"
#include "core/eos/EosTableSet.h"

namespace tarvex {

// Outcome of OK or of setting a control: on refusal `focus` names the control that gets
// the focus (a field name, "EqType", "Metal", "CheckKappa", "NoElEOS") and `message`
// says why. The dialog itself never shows a message.
struct TStatEqResult {
  bool accepted = true;
  std::string focus;
  std::string message;

  explicit operator bool() const { return accepted; }
  static TStatEqResult Accepted() { return {}; }
  static TStatEqResult Refused(std::string focus, std::string message) {
    return {false, std::move(focus), std::move(message)};
  }
};

// The kinds of values a run file can give the dialog.
enum class TStatEqKeyKind : uint8_t {
  ModelList,   // EqType: the model number or its caption (or its catalog id)
  Metal,       // Metal: the index 0.. or the name of a metal of "Ideal gas of:"
  Number,      // a numeric field (RealField)
  Check,       // a check box: CheckKappa, NoElEOS
  TableFiles,  // TabFiles: the description file (".man") of the medium's table set
};

struct TStatEqKey {
  const char* name;
  TStatEqKeyKind kind;
};

// What OK reaches besides the slots. Everything is optional: without a prompter no
// question is asked (the answers that leave things as they are), without `openThermal`
// NoElEOS is accepted before an electron model exists (a run file gives the equation of
// state before [thermal]; the totals are composed again when the electron model arrives).
struct TStatEqContext {
  const ElectronModel* electron = nullptr;  // the film's electron model, nullptr: none
  Prompter* prompter = nullptr;             // "Save(print) settings?", "Use Ion ThermoCond?"
  bool* NoConduct = nullptr;                // the run's switch that excludes ion conduction
  // Shows the thermal-parameter dialog and returns the electron model it leaves (the
  // desktop program, when NoElEOS needs an electron energy that is not defined yet).
  std::function<const ElectronModel*()> openThermal;
};

class TStatEqDialog {
 public:
  static constexpr const char* kCaption = "Equation of state";

  // Fields at their initial values, no model selected, film mode.
  TStatEqDialog();

  // ---- mode ----
  // Records the medium the dialog serves and clears InfoLabel. NoElEOS and "Sp&all"
  // exist only in film mode.
  void SetLeft(bool left);
  bool Left() const { return left_; }

  // ---- model list (EqType) ----
  // The 18 captions in list order.
  static std::vector<std::string> ModelCaptions();
  // The selected model number, -1 when none is selected.
  int32_t EqType() const { return eqType_; }
  // Selects a model and applies its presets to the fields (e.g. "Ideal gas": M atom 1;
  // "Solid": gamma 4/3). -1 clears the selection. Refused for any other number.
  TStatEqResult SelectModel(int32_t index);
  // By caption as listed, or by the catalog's stable id.
  TStatEqResult SelectModel(std::string_view captionOrId);

  // ---- metal choice of "Ideal gas of:" ----
  // The metals (Al, Cu, Au) with the atom mass each presets.
  // The materials of the chosen model (none while no model or one without materials).
  std::span<const EosPreset> Metals() const;
  int32_t Metal() const { return metal_; }  // -1: none chosen
  // Clicking a metal sets M atom to its atomic mass; -1 clears the choice.
  TStatEqResult SetMetal(int32_t index);
  TStatEqResult SetMetal(std::string_view name);

  // ---- check boxes and buttons ----
  // CheckKappa: the medium conducts heat with the option of kappaFnTCheck ("FnT", the
  // frame kappaFnTFrame) or else kappaMultChec ("*": kappaEdit kMultT0Edit / T), or else
  // the constant kappaEdit.
  bool CheckKappa() const { return checkKappa_; }
  void SetCheckKappa(bool on) { checkKappa_ = on; }
  bool KappaFnTCheck() const { return kappaFnT_; }
  bool KappaMultCheck() const { return kappaMult_; }
  bool NoElEOS() const { return noElEOS_; }
  void SetNoElEOS(bool on) { noElEOS_ = on; }
  // State of the "Sp&all" button (down = spallation on); read by the caller after OK.
  bool Spall() const { return spall_; }
  void SetSpall(bool down) { spall_ = down; }
  // Sets CheckKappa, kappaFnTCheck, kappaMultChec or NoElEOS by name; refused for any
  // other name.
  TStatEqResult SetCheck(std::string_view name, bool on);

  // ---- the table set of the tabulated models ("Table", "Scaled Tab") ----
  // "TabFiles" opens the medium's table dialog; its OK hands the set over here (with the
  // description file it was read from), and TabLabel shows the set's label after
  // "Table: ". Each medium keeps its own set; an empty set clears it (any other ending of
  // the table dialog than OK).
  void SetTable(std::shared_ptr<const TEosTableSet> table, std::string file);
  const std::shared_ptr<const TEosTableSet>& Table() const { return Medium().table; }
  const std::string& TabLabel() const { return Medium().label; }
  const std::string& TableFile() const { return Medium().file; }

  // ---- labels read by the caller ----
  const std::string& InfoLabel() const { return infoLabel_; }
  const std::string& InfoLabel1() const { return infoLabel1_; }
  // The label of the film's equation of state, as its last OK in film mode wrote it (the
  // substrate's OK, which writes InfoLabel too, leaves it): what the main window and the
  // result files describe the film with.
  const std::string& FilmInfoLabel() const { return filmInfoLabel_; }

  // ---- numeric fields ----
  // The field with the catalog name (EosDialogFields), or nullptr.
  RealField* FieldByName(std::string_view name);
  const RealField* FieldByName(std::string_view name) const;

  // ---- visibility and enabled state of the controls, by name ----
  // A model's parameter fields are enabled while it is selected (the ideal gas enables
  // gamma and M atom), the metal choice while a model with materials is, "TabFiles" while
  // a tabulated model is; the conductivity fields while CheckKappa is checked and its
  // option reads them (kappaFnTFrame: the fields of "FnT"); NoElEOS and "Spall" are
  // visible only in film mode. Unknown names: false.
  bool Visible(std::string_view name) const;
  bool Enabled(std::string_view name) const;

  // ---- run files ----
  // Every key a run file may set, in the order a reader applies them: the model list
  // first and the metal next, because both preset numeric fields, then the check boxes
  // (they enable the conductivity fields), then the fields.
  static std::vector<TStatEqKey> SettableKeys();
  // The kind of a settable key; false for an unknown key.
  static bool FindKey(std::string_view name, TStatEqKeyKind& kind);

  // ---- handlers ----
  // OK: validates the selected model's inputs and the conductivity fields and, when all
  // pass, binds the model to the medium (BindEos: the record, the slots and, for the
  // film, ActiveEos composed with the electron model), installs the checked conductivity
  // in the medium's Kappa ("Water2MG" and "LiF" install their own and uncheck
  // CheckKappa), writes InfoLabel (" - NoEl" appended with NoElEOS) and clears the list
  // selection (the next opening shows none selected). Then the questions: "Save(print)
  // settings?" after the models with a frame of their own (Yes prints the form; every
  // answer closes the dialog accepted), and "Use Ion ThermoCond?" while the run excludes
  // ion conduction and the film has a conductivity (NoConduct stays set unless Yes).
  // With NoElEOS and an electron model without energy, `openThermal` is shown first; if
  // the model still has none, NoElEOS is unchecked and OK refused. A refusal changes
  // neither `eos` nor the labels.
  TStatEqResult Ok(EosState& eos, const TStatEqContext& context);
  TStatEqResult Ok(EosState& eos, const ElectronModel* electron = nullptr) {
    TStatEqContext context;
    context.electron = electron;
    return Ok(eos, context);
  }
  // Cancel. In left mode the left medium is left without an equation of state: LeftEos.E
  // and LeftEos.P are cleared here, so that no caller can forget it. Film mode: nothing
  // changes.
  void Cancel(EosState& eos);

 private:
  struct MediumTable {
    std::shared_ptr<const TEosTableSet> table;
    std::string label;
    std::string file;
  };
  const MediumTable& Medium() const { return tables_[left_ ? 1 : 0]; }

  TStatEqResult ReadParams(std::span<const EosParamInfo> params, std::string_view what,
                           std::vector<Real>& values);
  // The conductivity fields of the checked option into `p` (prepared); kind -1 while
  // CheckKappa is unchecked.
  TStatEqResult ReadKappa(KappaParams& p, int32_t& kind);
  void BindMediumKappa(EosState& eos, const KappaParams& kappa, int32_t kind);
  void AskAfterOk(EosState& eos, const EosModelInfo& model, const TStatEqContext& context);
  void Apply(std::span<const EosPresetValue> values);

  MediumTable tables_[2];  // film, left medium

  std::vector<RealField> fields_;  // parallel to EosDialogFields()
  bool left_ = false;
  std::string filmInfoLabel_;
  int32_t eqType_ = -1;
  int32_t metal_ = -1;
  bool checkKappa_ = false;
  bool kappaFnT_ = false;
  bool kappaMult_ = false;
  bool noElEOS_ = false;
  bool spall_ = false;
  std::string infoLabel_;
  std::string infoLabel1_;
};

}  // namespace tarvex
