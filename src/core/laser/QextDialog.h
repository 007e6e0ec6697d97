// TQextDialog: the form model of the laser-source dialog "Q external", without a display.
//
// The user gives the absorbed fluence F (AEdit, mJ/cm^2), the duration tau (tEdit, fs),
// the depth d (dEdit, nm; its sign selects the irradiated face) and picks a time shape
// (tSelect) and a space shape (xSelect). OK turns them into the source record of the
// session (LaserSource.h); a refused OK changes nothing and names the control that takes
// the focus with a short reason. "No" (BitBtn2) changes nothing either: the caller then
// unchecks "Q external".
//
// "&PreHt" (shown while d < 0) opens a second instance of the dialog, the pre-heating
// instance, in which the time controls are disabled: its F, d and space shape define a
// pre-heating of the substrate next to the film. Its result is held by the main instance
// and takes effect with the main OK, together with the rest of the source.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/common/RealField.h"
#include "core/laser/LaserSource.h"

namespace tarvex {

// Outcome of OK, of the PreHt button or of setting a control: when refused, `focus` names
// the control that takes the focus and `message` says why in a few words (for run-file
// errors and status-bar hints). The dialog stays open.
struct TQextResult {
  bool accepted = true;
  std::string focus;
  std::string message;

  explicit operator bool() const { return accepted; }
  static TQextResult Accepted() { return {}; }
  static TQextResult Refused(std::string_view focus, std::string_view message) {
    return {false, std::string(focus), std::string(message)};
  }
};

enum class QextControlKind : uint8_t { Number, Choice, Button, Label };

// One control of the dialog: its name (also the run-file key of the inputs), kind,
// caption, unit, initial value as shown, and one line for tooltips and documentation
// (`help` in the main dialog, `preHelp` in the pre-heating instance).
struct QextControlInfo {
  const char* name;
  QextControlKind kind;
  const char* caption;
  const char* unit;
  const char* initial;
  const char* help;
  const char* preHelp;
};

class TQextDialog {
 public:
  static constexpr const char* kCaption = "Q external";
  static constexpr std::array<const char*, kTimeShapeCount> tSelectItems{
      "exp(-(t/tau)^2)/sqrt(pi)", "exp(-t/tau)", "[1,t<=tau, 0,t>tau]", "2*(1-t/tau)", "2*t/tau"};
  // The space Gaussian starts at the irradiated face: a half Gaussian, normalised by
  // 2/sqrt(pi) so that it deposits F like the other shapes.
  static constexpr std::array<const char*, kSpaceShapeCount> xSelectItems{
      "2*exp(-((x-x0)/d)^2)/sqrt(pi)", "exp((x-x0)/d)", "[1, (x0-x)/d <= 1]", "2*(1+(x-x0)/d)"};
  static constexpr const char* kTimeGroupCaption = "* Ft(tau)";
  static constexpr const char* kSpaceGroupCaption = "* Fx(dx)";
  static constexpr const char* kFluenceLabel =
      "Q = ( &F =                       [mJ/cm^2] ) / (d*tau)";
  static constexpr const char* kSideLabel = "x0 = L, d>0,  x0 = 0, d<0";
  static constexpr const char* kGaussGaussFormula =
      "2F/(pi*d*tau) * exp(-(t/tau)^2) * exp(-((x-x0)/d)^2)";
  static constexpr int32_t kDefaultTimeItem = 0;
  static constexpr int32_t kDefaultSpaceItem = 1;

  // The main instance. The fields share `format` (the session's number format) when
  // given, else one format of their own.
  explicit TQextDialog(std::shared_ptr<TNumStringFormat> format = nullptr);
  TQextDialog(const TQextDialog&) = delete;
  TQextDialog& operator=(const TQextDialog&) = delete;
  ~TQextDialog();

  // ---- fields ----
  RealField AEdit;                      // F [mJ/cm^2], 0 at start
  RealField dEdit;                      // d [nm], 0 at start
  RealField tEdit;                      // tau [fs], 0 at start
  int32_t tSelect = kDefaultTimeItem;   // time shape item, -1 none
  int32_t xSelect = kDefaultSpaceItem;  // space shape item, -1 none
  std::string QFLabel;                  // the formula of the source
  std::string PrehtLabel;               // summary of the pre-heating in force

  // ---- visibility and enabled state ----
  bool PrehtLabelVisible = false;
  bool PreHtBtnVisible = false;
  bool TimeGroupEnabled = true;  // tSelect
  bool TauEnabled = true;        // tEdit

  bool PreHeating() const { return preHeating_; }

  // ---- controls by name (views, run files, documentation) ----
  static std::span<const QextControlInfo> Controls();
  static const QextControlInfo* FindControl(std::string_view name);
  // Item captions of tSelect and xSelect (empty for other names).
  static std::span<const char* const> ChoiceItems(std::string_view name);
  RealField* RealFieldByName(std::string_view name);
  // Selects an item of tSelect or xSelect by number (-1: none) or by its caption;
  // refused for another name, an item outside the list or a disabled list.
  TQextResult SetChoice(std::string_view name, int32_t item);
  TQextResult SetChoice(std::string_view name, std::string_view itemCaption);
  bool Visible(std::string_view name) const;
  bool Enabled(std::string_view name) const;

  // ---- handlers ----
  // The initial-conditions dialog's "Q external" click: the time controls are enabled.
  void QextClicked();
  // Leaving a field; returns the control that takes the focus, "" when it stays. dEdit:
  // main instance d >= 0 hides PreHtBtn (focus "OkBitBtn"), d < 0 shows it (focus
  // "PreHtBtn"); pre-heating instance: a non-zero d moves to "OkBitBtn".
  std::string LeaveField(std::string_view name);
  // Enter in `focused`: OK is the default button, but from an input it only walks the
  // focus: F (when > 0) -> time shape (space shape while the time group is disabled) ->
  // tau (when F > 0, else back to F) -> space shape (when tau != 0) -> d -> as leaving d.
  // Another control: "OkBitBtn" (the view then presses OK). Refreshes QFLabel.
  std::string EnterPressed(std::string_view focused);
  // The OK button. Main instance: checks F, time shape, tau, space shape, d in this order
  // and sets the source (with the pre-heating held); the table must be rebuilt by the
  // caller (the initial-conditions OK does). Pre-heating instance: a negative d becomes
  // |d|, the input is checked, `src` is not touched. Refreshes QFLabel.
  TQextResult OkPressed(LaserSource& src);
  // The No button: nothing changes.
  void NoPressed() {}

  // ---- pre-heating (main instance) ----
  // Refused with the focus on tEdit while tau is not > 0 and on dEdit while d is not < 0
  // (the pre-heating is for light that comes through the substrate); otherwise creates the
  // pre-heating instance (time item and tau copied, time controls disabled, F and d of the
  // pre-heating in force shown) for the view to show modally.
  TQextResult PreHtBtnClick();
  // The open pre-heating instance, nullptr when none.
  TQextDialog* PreHeatDialog() { return preDialog_.get(); }
  // The pre-heating instance closed with OK (true) or No (false); it is destroyed. OK with
  // F != 0 and d != 0 sets the pre-heating and PrehtLabel and disables the time controls;
  // any other close removes the pre-heating and enables them. Returns the focus ("OkBitBtn").
  std::string PreHeatClosed(bool ok);
  bool PreHeatSet() const { return preOn_; }
  // The pre-heating held for the next OK (meaningful while PreHeatSet()).
  struct PreHeatValues {
    Real F = 0;  // fluence [mJ/cm^2]
    Real d = 0;  // depth [nm] > 0
    int32_t item = kDefaultSpaceItem;
  };
  const PreHeatValues& PreHeat() const { return pre_; }
  // The whole PreHt round in one call (run files): the button, the pre-heating instance's
  // fields and its OK, then its close. A refusal names a control of this dialog
  // ("tEdit", "dEdit", or "PreHtBtn" for the pre-heating's own fields) and keeps the
  // pre-heating that was in force.
  TQextResult DefinePreHeating(Real F, Real d, int32_t item);

  // ---- what the initial-conditions dialog shows while "Q external" is checked ----
  std::string QILabelText() const;   // "Q = " + QFLabel
  std::string QLabelText() const;    // "(F=" F "mJ/cm^2, d=" d "nm, tau=" tau "fsec)"
  std::string QPrLabelText() const;  // PrehtLabel when visible, else ""

  // |d| of the field [nm]: the skin thickness of the time histories.
  Real SkinDepth() const {
    return dEdit.StoredValue() < 0 ? -dEdit.StoredValue() : dEdit.StoredValue();
  }

 private:
  TQextDialog(std::shared_ptr<TNumStringFormat> format, bool preHeating);
  void RefreshFormula();
  TQextResult PreHeatOk();

  std::shared_ptr<TNumStringFormat> format_;
  bool preHeating_ = false;
  bool preOn_ = false;
  PreHeatValues pre_;
  std::unique_ptr<TQextDialog> preDialog_;
};

}  // namespace tarvex
