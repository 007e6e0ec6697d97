// TElPageForm: what every page of the thermal-parameter dialog has in common, as a form
// model without a display.
//
// A page holds its numeric fields (RealField, created from the electron-model catalog
// with their defaults) and check boxes under their dialog names, the "edited" marks of
// the atom-density fields, the selection of its material list, and the handlers: a field's
// text changed, entering and leaving a field, choosing a material, OK, No. A handler that
// refuses input names the field to focus and never shows a message; questions go through
// the Prompter of the OK's targets.
//
// The pages with atom density, reference density and atomic mass (the frames and the
// "Simple metall" page) keep the three consistent on leaving each field:
// rho0 = MatNo n_at / NAv, with the user's last edits taking precedence.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/common/Prompter.h"
#include "core/common/Real.h"
#include "core/common/RealField.h"
#include "core/electron/ElectronCatalog.h"
#include "core/electron/ElectronCommon.h"
#include "core/electron/ElectronState.h"

namespace tarvex {

struct EosSet;

// The questions of an OK (Prompter texts).
inline constexpr const char* kAskNoAllThermo = "No all thermodinamic?";
inline constexpr const char* kAskSaveSettings = "Save(print) settings?";

// What an OK of a page writes.
struct ElTargets {
  ElectronState& electron;     // slots, common parameters, parameter blocks
  EosSet& FilmEos;             // FilmEos.Kappa: the ion conductivity of the film
  ElectronSwitches& switches;  // NoConduct, NoThermo
  Prompter& prompter;          // the questions after the slots are installed
};

// Who pressed OK: code (run-file application, tests) asks nothing and stamps no
// material; the two buttons ask their questions.
enum class ElOkSource : uint8_t { Code, OkBtn, NoConductBtn };

struct ElOkResult {
  bool installed = false;  // the page's parameters and slots were installed
  bool closes = false;     // the dialog closes with OK
  std::string focus;       // after a refusal: the field that takes the focus
  std::string message;     // after a refusal: why

  explicit operator bool() const { return installed; }
};

// Outcome of a choice in a material list or of showing a page.
struct ElChoiceResult {
  bool accepted = true;
  std::string message;         // why it was refused
  int32_t page = -1;           // the page to show afterwards
  int32_t material = -1;       // the entry that page's list selects
  int32_t spallMaterial = -1;  // the entry of the spallation dialog's list; -1 none
  // Values the chosen preset sets in other dialogs (elastic G, spallation, non-metal).
  std::span<const ElSideValue> side;

  explicit operator bool() const { return accepted; }
};

// Outcome of a page's own button.
struct ElButtonResult {
  bool ok = false;
  std::string message;  // why not (names the file and the line)
  std::string focus;    // the control that takes the focus afterwards

  explicit operator bool() const { return ok; }
};

// A line of text a page shows (a file name), by control name.
struct ElNote {
  std::string name;
  std::string text;
  bool visible = false;
};

// A table a page shows: column titles and the cells as text.
struct ElGrid {
  bool visible = false;
  std::vector<std::string> titles;
  std::vector<std::vector<std::string>> rows;
};

class TElPageForm {
 public:
  // The fields share `format` (the session's number format) when given.
  TElPageForm(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format);
  virtual ~TElPageForm() = default;
  TElPageForm(const TElPageForm&) = delete;
  TElPageForm& operator=(const TElPageForm&) = delete;

  const ElPageInfo& Page() const { return page_; }
  const std::vector<ElParamInfo>& Params() const { return params_; }
  const std::vector<ElCheckInfo>& Checks() const { return checks_; }

  // ---- fields and check boxes, by name ---------------------------------------------------
  RealField* FieldByName(std::string_view name);
  const RealField* FieldByName(std::string_view name) const;
  const ElParamInfo* ParamByName(std::string_view name) const;
  std::optional<bool> Check(std::string_view name) const;
  bool SetCheck(std::string_view name, bool on);  // false for an unknown name
  // Hidden fields (e.g. the divisor of the "Constant" page while Gr1 is 0).
  bool Visible(std::string_view name) const;
  // Whether saved settings give the field: not a field that the page's OK derives from
  // others (it would be typed back after them and change them by its rounding).
  virtual bool Saved(std::string_view) const { return true; }

  // ---- handlers ------------------------------------------------------------------------------
  // The text of a field was changed by the user (the view calls it after RealField::SetText).
  virtual void FieldChanged(std::string_view name);
  virtual void EnterField(std::string_view name);
  // A check box was clicked (the view calls it after SetCheck).
  virtual void CheckChanged(std::string_view name);
  virtual void LeaveField(std::string_view name);
  // Shows `value` in a field as if it had been typed: the change handler runs, and with
  // `edited` the field counts as edited by the user. False for an unknown or display field.
  bool SetFieldValue(std::string_view name, Real value, bool edited = true);
  // Runs the steps of a preset of this page.
  void ApplyPreset(const ElPresetInfo& preset);

  // ---- the page's own buttons, notes and table (the catalog names the buttons) ------------
  const std::vector<ElButtonInfo>& Buttons() const { return buttons_; }
  virtual bool ButtonVisible(std::string_view) const { return true; }
  // A click on a button of the page; what needs a person (a file chooser, an error box)
  // goes through `prompter`. The default: the page has no such button.
  virtual ElButtonResult PressButton(std::string_view name, Prompter& prompter);
  virtual std::vector<ElNote> Notes() const { return {}; }
  virtual ElGrid Grid() const { return {}; }

  // The selection of the page's material list (-1: none).
  int32_t MaterialChoice() const { return material_; }
  // A choice in the page's material list. The default: the page has no list.
  virtual ElChoiceResult ChooseMaterial(int32_t index);

  // OK: validates every input (a refusal installs nothing), installs the page's model
  // into the targets, then asks the questions a button asks.
  virtual ElOkResult Ok(ElTargets& t, ElOkSource source) = 0;
  // The page's No button (the dialog then closes with No). The default does nothing.
  virtual void No(ElTargets& t);

  // The page's inputs as they stand (texts, check boxes, marks, material), for the
  // dialog's Cancel to bring back what the last OK accepted.
  struct Inputs {
    std::vector<RealField> fields;
    std::vector<bool> checks, edited, hidden;
    int32_t material = -1;
  };
  Inputs SaveInputs() const { return {fields_, checkValues_, edited_, hidden_, material_}; }
  void RestoreInputs(const Inputs& in) {
    fields_ = in.fields;
    checkValues_ = in.checks;
    edited_ = in.edited;
    hidden_ = in.hidden;
    material_ = in.material;
  }

 protected:
  // The value of a field (a text that does not read leaves the field at its value).
  Real Value(std::string_view name);
  // Shows a computed value (not an edit).
  void Show(std::string_view name, Real value);
  void SetVisible(std::string_view name, bool visible);
  bool Edited(std::string_view name) const;
  void MarkEdited(std::string_view name, bool edited);
  void SetMaterialChoice(int32_t index) { material_ = index; }

  static ElOkResult Refuse(std::string focus, std::string message);
  // Every visible input field in order: the text reads and the value is in range.
  ElOkResult ValidateInputs();

  // The questions after the slots are installed. From a button: "NoConduct" asks
  // "No all thermodinamic?" (Cancel abandons the rest: the dialog stays open), "&OK"
  // switches conduction back on when `okClearsNoConduct`; then "Save(print) settings?"
  // (Yes prints the page and closes, No closes, Cancel stays open).
  ElOkResult Finish(ElTargets& t, ElOkSource source, bool okClearsNoConduct);

  // ---- the atom-density rules (pages with NatEdit, rhoEdit, mEdit, ZEdit) --------------------
  void LeaveNat();
  void LeaveRho();
  void LeaveMatNo();
  // After each of them: the three values shown, the edited marks cleared, the displays
  // of the Fermi parameters (with Z taken as 1 when its field is 0).
  void ExitDensity(Real nat, Real rho0, Real M);
  // Valence from the field (1 when it is 0) and the Fermi parameters of the fields.
  Real ZValue();
  FermiParameters FieldFermi();
  // The displays that follow the Fermi parameters (T_F, E_F, gamma ...).
  virtual void DensityDisplays() {}

 private:
  int32_t Index(std::string_view name) const;

  const ElPageInfo& page_;
  std::vector<ElParamInfo> params_;
  std::vector<ElCheckInfo> checks_;
  std::vector<ElButtonInfo> buttons_;
  std::vector<RealField> fields_;  // parallel to params_
  std::vector<bool> checkValues_;  // parallel to checks_
  std::vector<bool> edited_;       // parallel to params_
  std::vector<bool> hidden_;       // parallel to params_
  int32_t material_ = -1;
};

}  // namespace tarvex
