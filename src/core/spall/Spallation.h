// TSpallation: the form model of the "Spallation" dialog, without a display.
//
// One instance per material. The user switches the failure criteria on (nucleation time,
// spall time and strength, liquid and solid strength limits), edits their parameters or
// picks a material preset, and presses OK, which validates every input before anything
// changes and then stores the model state (TSpallParams, with every per-material
// constant precomputed) for SpallCheck. A refusal names the control that takes the focus
// and says why in a short text (the batch runner reports it for a run file); the dialog
// never shows a message itself.
//
// Fields, captions, units, defaults and one-line descriptions are listed in
// SpallFields(); the presets in SpallMaterials(). The view mirrors the fields to its
// widgets and asks Visible()/Enabled() for each control by name.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/common/Prompter.h"
#include "core/common/RealField.h"
#include "core/common/Slot.h"
#include "core/spall/SpallCheck.h"

namespace tarvex {

enum class TSpallFieldKind : uint8_t {
  Check,   // check box: on/off
  Number,  // numeric edit (RealField)
  Radio,   // RadioGroup1: item 0 "sigma(Ti)", 1 "sigma(rho,Ti)"
  List,    // Materials: a preset index, -1 for none
};

struct TSpallFieldInfo {
  const char* name;  // the control's name, also the run-file key
  TSpallFieldKind kind;
  const char* caption;  // the text on or beside the control
  const char* unit;     // "" when dimensionless
  Real initial;         // number; 0/1 for a check box; the item for the radio group; -1 list
  const char* help;     // one line with the unit (tooltips, run-file documentation)
};

// Every control of the dialog, in layout order.
std::span<const TSpallFieldInfo> SpallFields();
const TSpallFieldInfo* FindSpallField(std::string_view name);

// A material preset of the list. Blank items have an empty name.
struct TSpallPreset {
  const char* name;
  bool defined;    // false: choosing the item sets nothing
  bool vCalc;      // checks V=(cs*tau_nucl)^3 (otherwise it is left as it is)
  bool checkPliq;  // the state CheckPliq gets
  bool sigmaRhoT;  // offers and chooses sigma(rho,Ti); otherwise sigma(Ti), group hidden
  Real eta;        // [Pa·s]
  Real Tc;         // [K]
  Real Tm;         // [K]
  bool setRhoBl;   // false: rho_bl unchanged
  Real rhoBl;      // [g/cm³]
  Real sigmaM;     // [erg/cm²]
  Real mAt;        // [g], set only when no atomic mass is set yet
  bool setPliq;
  std::array<Real, 3> pliq;  // p_liq coefficients [GPa, GPa/K, GPa/K²]
  bool setPsol;
  std::array<Real, 3> psol;
  bool setEi0;
  Real Ei0;  // [kJ/g]
};

// The eleven items of the Materials list, in order.
std::span<const TSpallPreset> SpallMaterials();

// Outcome of a handler: on refusal `focus` names the control that gets the focus and
// `message` says why; nothing changed.
struct TSpallResult {
  bool accepted = true;
  std::string focus;
  std::string message;

  explicit operator bool() const { return accepted; }
  static TSpallResult Accepted() { return {}; }
  static TSpallResult Refused(std::string focus, std::string message) {
    return {false, std::move(focus), std::move(message)};
  }
  // Accepted, with the control that takes the focus next (checking Foam focuses Pf).
  static TSpallResult FocusOn(std::string focus) { return {true, std::move(focus), {}}; }
};

// How OK ended.
enum class TSpallClose : uint8_t {
  Open,    // refused: the dialog stays open with the focus on `result.focus`
  Ok,      // parameters stored; the dialog closes with OK
  Cancel,  // "Save(print) settings?" answered Cancel: closes with Cancel, nothing stored
};

struct TSpallOkResult {
  TSpallResult result;
  TSpallClose close = TSpallClose::Open;
  bool print = false;  // the view prints the dialog before closing (answer Yes)
};

// What the dialog needs of the material beyond its own fields; the caller passes the
// current values to every handler that derives or stores.
struct TSpallMaterialEnv {
  // E(ρ, T) [kJ/g]: the energy the solver passes to the check as Ei (ActiveEos.Eion in
  // two-temperature runs, ActiveEos.E otherwise); calibrates sigma(rho,Ti). Empty before
  // an equation of state is chosen.
  Slot2 Energy;
  // Velocity scale EosScale [cm/s per km/s]; 0 before an equation of state is chosen.
  Real v1 = 0;
};

class TSpallation {
 public:
  static constexpr const char* kCaption = "Spallation";
  static constexpr std::array<const char*, 2> kSigmaModels = {"sigma(Ti)", "sigma(rho,Ti)"};
  static constexpr const char* kSaveQuestion = "Save(print) settings?";

  // Every control at its default; no material chosen; atomic mass not set.
  TSpallation();

  // ---- check boxes: CheckNucl, CheckSpall, CheckPliq, CheckPsol, CheckSol, VCalcCheck,
  // Foam ----
  bool Check(std::string_view name) const;  // false for an unknown name
  // Checking Foam focuses Pf. Refused for an unknown name.
  TSpallResult SetCheck(std::string_view name, bool on);

  // ---- numeric fields ----
  RealField* FieldByName(std::string_view name);
  const RealField* FieldByName(std::string_view name) const;

  // ---- RadioGroup1 ----
  int32_t SigmaModel() const { return sigmaModel_; }
  // A click: "sigma(rho,Ti)" shows the sigma(rho,Ti) fields; both recompute sigma0 and
  // sigma0r as leaving sigma_m does. Refused while the group is hidden and for items
  // other than 0 and 1.
  TSpallResult SetSigmaModel(int32_t item, const TSpallMaterialEnv& env);
  TSpallResult SetSigmaModel(std::string_view caption, const TSpallMaterialEnv& env);

  // ---- Materials ----
  int32_t Material() const { return material_; }
  // Choosing an item applies its preset. By name: the item with that caption (the
  // thermal-parameter dialog selects the same metal here by name); refused, with nothing
  // changed, when no item has it.
  TSpallResult SelectMaterial(int32_t index, const TSpallMaterialEnv& env);
  TSpallResult SelectMaterial(std::string_view name, const TSpallMaterialEnv& env);

  // Atomic mass of the material [g], shared with the equation of state and the electron
  // model: the caller copies it in before showing and back after OK (a preset sets it only
  // while it is 0).
  Real AtomMass() const { return mAt_; }
  void SetAtomMass(Real mAt) { mAt_ = mAt; }

  // ---- visibility and enabled state, by control name ----
  // VEdit is hidden while VCalcCheck is checked; RadioGroup1 is shown for the materials
  // that offer sigma(rho,Ti); its fields (sigmaREdit, Ei0Edit) while it is shown with
  // "sigma(rho,Ti)" chosen. Every shown control is enabled. Unknown names: false.
  bool Visible(std::string_view name) const;
  bool Enabled(std::string_view name) const { return Visible(name); }

  // ---- handlers ----
  // Showing the dialog: RadioGroup1 is shown unless the stored model is sigma(Ti); sigma0
  // and sigma0r are derived as leaving sigma_m does.
  void FormShow(const TSpallMaterialEnv& env);
  // Leaving a numeric field: refused (focus stays) when its text is not a number.
  // sigma_mEdit derives sigma0 = sigma_m/(1 − Tm/Tc)^1.25 (Tm < Tc) and, while the
  // sigma(rho,Ti) fields are shown, sigma0r = sigma_m/σ(rho_bl, Tm, E(rho_bl, Tm)) with
  // sigma0r = 1; a value that cannot be derived is left as it is. Leaving Pliq0Edit or
  // Psol0Edit after an edit checks CheckPliq or CheckPsol.
  TSpallResult LeaveField(std::string_view name, const TSpallMaterialEnv& env);
  // Validates every input and, when all pass, fills `out` (StoreSpallParams). A refusal
  // leaves `out` untouched.
  TSpallResult Validate(const TSpallMaterialEnv& env, TSpallParams& out);
  // OK: Validate, then "Save(print) settings?": Yes stores and prints, No stores, Cancel
  // closes with Cancel and stores nothing.
  TSpallOkResult Ok(Prompter& prompter, const TSpallMaterialEnv& env, TSpallParams& params);
  // Cancel changes nothing stored.
  void Cancel() {}

 private:
  int32_t Index(std::string_view name, TSpallFieldKind kind) const;
  Real Value(std::string_view name) const;  // stored value of a numeric field
  void SetNumber(std::string_view name, Real x);
  void SetCheckValue(std::string_view name, bool on);
  bool SigmaRhoTShown() const { return groupVisible_ && sigmaModel_ == 1; }
  // sigma0 and, with the sigma(rho,Ti) fields shown, sigma0r from sigma_m.
  void DeriveSigma(const TSpallMaterialEnv& env);
  void ApplyPreset(const TSpallPreset& preset, const TSpallMaterialEnv& env);

  std::vector<RealField> numbers_;  // parallel to SpallFields(); used for Number entries
  std::vector<bool> checks_;        // parallel to SpallFields(); used for Check entries
  int32_t sigmaModel_ = 0;
  bool groupVisible_ = false;
  bool storedSigmaOfT_ = true;  // model of the last OK
  int32_t material_ = -1;
  Real mAt_ = 0;
};

}  // namespace tarvex
