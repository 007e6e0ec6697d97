// The "Q external" dialog: fields, the focus walk, OK and the pre-heating instance.
#include "core/laser/QextDialog.h"

#include <cmath>
#include <limits>
#include <utility>

namespace tarvex {

namespace {

constexpr std::string_view kA = "AEdit";
constexpr std::string_view kD = "dEdit";
constexpr std::string_view kTau = "tEdit";
constexpr std::string_view kTime = "tSelect";
constexpr std::string_view kSpace = "xSelect";
constexpr std::string_view kPreHt = "PreHtBtn";
constexpr std::string_view kOk = "OkBitBtn";

constexpr std::string_view kFNotNumber = "F is not a number";
constexpr std::string_view kDNotNumber = "d is not a number";
constexpr std::string_view kTauNotNumber = "tau is not a number";
constexpr std::string_view kPreHeatNeedsLeftFace =
    "The pre-heating is for light through the substrate: d < 0";
constexpr std::string_view kNoSuchChoice = "There is no such list in this dialog";
constexpr std::string_view kNoSuchItem = "There is no such item in the list";
constexpr std::string_view kDisabled = "The list is disabled";

constexpr QextControlInfo kControls[] = {
    {"AEdit", QextControlKind::Number, "&F =", "mJ/cm^2", "0",
     "Absorbed fluence F: laser energy the film absorbs per unit area [mJ/cm^2], > 0",
     "Fluence absorbed in the substrate next to the film [mJ/cm^2]; 0 removes the pre-heating"},
    {"tSelect", QextControlKind::Choice, TQextDialog::kTimeGroupCaption, "",
     "exp(-(t/tau)^2)/sqrt(pi)",
     "Time shape Ft of the pulse, t [s] from the run's zero time, where the pulse begins (the "
     "Gaussian peaks there); the other shapes are 0 before it, the step and the lines after tau",
     "Time shape of the main source (the pre-heating follows it)"},
    {"tEdit", QextControlKind::Number, "tau =", "fs", "0", "Duration tau of the pulse [fs], > 0",
     "Duration tau of the main source [fs]"},
    {"xSelect", QextControlKind::Choice, TQextDialog::kSpaceGroupCaption, "", "exp((x-x0)/d)",
     "Space shape Fx below the irradiated face x0, depth in units of |d|; each deposits F",
     "Shape of the pre-heating in the substrate, distance from the film in units of d"},
    {"dEdit", QextControlKind::Number, "d =", "nm", "0",
     "Absorption depth d [nm], not 0: d > 0 light enters at the film's right face (x0 = L), "
     "d < 0 at its left face (x0 = 0)",
     "Depth of the pre-heating below the film-substrate boundary [nm], > 0"},
    {"PreHtBtn", QextControlKind::Button, "&PreHt", "", "",
     "Pre-heating: own fluence [mJ/cm^2] and depth [nm] deposited in the substrate next to "
     "the film (light through the substrate, d < 0)",
     ""},
    {"QFLabel", QextControlKind::Label, "", "", "", "Formula of the source Q [kW/cm^3]", ""},
    {"PrehtLabel", QextControlKind::Label, "", "", "",
     "Pre-heating in force: its fluence [mJ/cm^2] and depth [nm]", ""},
    {"OkBitBtn", QextControlKind::Button, "&OK", "", "", "Accept the laser source",
     "Accept the pre-heating"},
    {"BitBtn2", QextControlKind::Button, "&No", "", "",
     "No laser source (\"Q external\" is unchecked)", "No pre-heating"},
};

// The closing text of PrehtLabel for each pre-heating shape.
constexpr std::array<const char*, kSpaceShapeCount> kPreLabelEnd{" ()^2)", ")", " [=])", ""};

const char* ItemText(std::span<const char* const> items, int32_t item) {
  return (item >= 0 && item < static_cast<int32_t>(items.size())) ? items[static_cast<size_t>(item)]
                                                                  : "";
}

// The value of a field, NaN when its text does not read.
Real ReadOrNaN(RealField& field) {
  Real v = 0;
  return field.TryGetValue(v) ? v : std::numeric_limits<Real>::quiet_NaN();
}

}  // namespace

TQextDialog::TQextDialog(std::shared_ptr<TNumStringFormat> format)
    : TQextDialog(std::move(format), false) {}

TQextDialog::TQextDialog(std::shared_ptr<TNumStringFormat> format, bool preHeating)
    : format_(format ? std::move(format) : std::make_shared<TNumStringFormat>()),
      preHeating_(preHeating) {
  for (RealField* f : {&AEdit, &dEdit, &tEdit}) f->SetFormatControl(format_);
  if (preHeating_) {
    TimeGroupEnabled = false;
    TauEnabled = false;
  }
  RefreshFormula();
}

TQextDialog::~TQextDialog() = default;

// ---------------------------------------------------------------------------------------
// Controls by name

std::span<const QextControlInfo> TQextDialog::Controls() {
  return kControls;
}

const QextControlInfo* TQextDialog::FindControl(std::string_view name) {
  for (const QextControlInfo& c : kControls)
    if (name == c.name) return &c;
  return nullptr;
}

std::span<const char* const> TQextDialog::ChoiceItems(std::string_view name) {
  if (name == kTime) return tSelectItems;
  if (name == kSpace) return xSelectItems;
  return {};
}

RealField* TQextDialog::RealFieldByName(std::string_view name) {
  if (name == kA) return &AEdit;
  if (name == kD) return &dEdit;
  if (name == kTau) return &tEdit;
  return nullptr;
}

TQextResult TQextDialog::SetChoice(std::string_view name, int32_t item) {
  const auto items = ChoiceItems(name);
  if (items.empty()) return TQextResult::Refused(name, kNoSuchChoice);
  if (item < -1 || item >= static_cast<int32_t>(items.size())) {
    return TQextResult::Refused(name, kNoSuchItem);
  }
  if (!Enabled(name)) return TQextResult::Refused(name, kDisabled);
  (name == kTime ? tSelect : xSelect) = item;
  return TQextResult::Accepted();
}

TQextResult TQextDialog::SetChoice(std::string_view name, std::string_view itemCaption) {
  const auto items = ChoiceItems(name);
  for (size_t i = 0; i < items.size(); ++i) {
    if (itemCaption == items[i]) return SetChoice(name, static_cast<int32_t>(i));
  }
  return TQextResult::Refused(name, items.empty() ? kNoSuchChoice : kNoSuchItem);
}

bool TQextDialog::Visible(std::string_view name) const {
  if (name == kPreHt) return !preHeating_ && PreHtBtnVisible;
  if (name == "PrehtLabel") return !preHeating_ && PrehtLabelVisible;
  return FindControl(name) != nullptr;
}

bool TQextDialog::Enabled(std::string_view name) const {
  if (!Visible(name)) return false;
  if (name == kTime) return TimeGroupEnabled;
  if (name == kTau) return TauEnabled;
  return true;
}

// ---------------------------------------------------------------------------------------
// Handlers

void TQextDialog::QextClicked() {
  TimeGroupEnabled = true;
  TauEnabled = true;
}

void TQextDialog::RefreshFormula() {
  if (tSelect == 0 && xSelect == 0) {
    QFLabel = kGaussGaussFormula;
    return;
  }
  QFLabel = "F/(d*tau) * ";
  QFLabel += ItemText(tSelectItems, tSelect);
  QFLabel += " * ";
  QFLabel += ItemText(xSelectItems, xSelect);
}

std::string TQextDialog::LeaveField(std::string_view name) {
  if (name != kD) return {};
  Real d = 0;
  if (!dEdit.TryGetValue(d) || !std::isfinite(d)) return {};
  if (preHeating_) return d != 0 ? std::string(kOk) : std::string();
  PreHtBtnVisible = d < 0;
  return std::string(d < 0 ? kPreHt : kOk);
}

std::string TQextDialog::EnterPressed(std::string_view focused) {
  RefreshFormula();
  auto positive = [](RealField& f) {
    Real v = 0;
    return f.TryGetValue(v) && v > 0;
  };
  if (focused == kA) {
    if (!positive(AEdit)) return std::string(kA);
    return std::string(TimeGroupEnabled ? kTime : kSpace);
  }
  if (focused == kTime) {
    if (!positive(AEdit)) return std::string(kA);
    return std::string(TauEnabled ? kTau : kSpace);
  }
  if (focused == kTau) {
    Real tau = 0;
    if (!tEdit.TryGetValue(tau) || tau == 0) return std::string(kTau);
    return std::string(kSpace);
  }
  if (focused == kSpace) return std::string(kD);
  if (focused == kD) {
    std::string next = LeaveField(kD);
    return next.empty() ? std::string(kD) : next;
  }
  return std::string(kOk);
}

TQextResult TQextDialog::OkPressed(LaserSource& src) {
  RefreshFormula();
  if (preHeating_) return PreHeatOk();

  LaserPulse p;
  p.F = ReadOrNaN(AEdit);
  p.tau = ReadOrNaN(tEdit);
  p.d = ReadOrNaN(dEdit);
  const bool fRead = !std::isnan(p.F);
  const bool tauRead = !std::isnan(p.tau);
  const bool dRead = !std::isnan(p.d);
  p.timeItem = tSelect;
  p.spaceItem = xSelect;
  p.preF = preOn_ ? pre_.F : 0;
  p.preD = pre_.d;
  p.preSpaceItem = pre_.item;
  const LaserRefusal r = SetLaserPulse(src, p);
  if (!r.Refused()) return TQextResult::Accepted();
  // A text that does not read is refused at its field's turn, saying so.
  std::string_view why = r.reason;
  if (r.field == kA && !fRead) why = kFNotNumber;
  if (r.field == kTau && !tauRead) why = kTauNotNumber;
  if (r.field == kD && !dRead) why = kDNotNumber;
  return TQextResult::Refused(r.field, why);
}

TQextResult TQextDialog::PreHeatOk() {
  const Real F = ReadOrNaN(AEdit);
  if (std::isnan(F)) return TQextResult::Refused(kA, kFNotNumber);
  Real d = ReadOrNaN(dEdit);
  if (std::isnan(d)) return TQextResult::Refused(kD, kDNotNumber);
  if (d < 0) {
    d = -d;
    dEdit.SetValue(d);
  }
  const LaserRefusal r = CheckPreHeating(F, d, xSelect, tEdit.StoredValue());
  if (r.Refused()) return TQextResult::Refused(r.field, r.reason);
  return TQextResult::Accepted();
}

// ---------------------------------------------------------------------------------------
// Pre-heating

TQextResult TQextDialog::PreHtBtnClick() {
  if (preHeating_) return TQextResult::Refused(kOk, "The pre-heating has no pre-heating");
  Real tau = 0;
  if (!tEdit.TryGetValue(tau)) return TQextResult::Refused(kTau, kTauNotNumber);
  if (!(tau > 0) || !std::isfinite(tau)) {
    return TQextResult::Refused(kTau, kBadTau.reason);
  }
  Real d = 0;
  if (!dEdit.TryGetValue(d)) return TQextResult::Refused(kD, kDNotNumber);
  PreHtBtnVisible = d < 0;
  if (!(d < 0)) return TQextResult::Refused(kD, kPreHeatNeedsLeftFace);
  if (!preDialog_) preDialog_.reset(new TQextDialog(format_, true));
  TQextDialog& pre = *preDialog_;
  pre.tSelect = tSelect;
  pre.tEdit.SetValue(tau);
  if (preOn_) {
    pre.AEdit.SetValue(pre_.F);
    pre.dEdit.SetValue(pre_.d);
    pre.xSelect = pre_.item;
  }
  pre.RefreshFormula();
  return TQextResult::Accepted();
}

std::string TQextDialog::PreHeatClosed(bool ok) {
  std::unique_ptr<TQextDialog> pre = std::move(preDialog_);
  Real F = 0;
  Real d = 0;
  const bool set = ok && pre && pre->AEdit.TryGetValue(F) && pre->dEdit.TryGetValue(d) && F != 0 &&
                   d != 0 && pre->xSelect >= 0 && pre->xSelect < kSpaceShapeCount;
  if (set) {
    preOn_ = true;
    pre_ = PreHeatValues{F, std::fabs(d), pre->xSelect};
    PrehtLabel = "( -: F=" + pre->AEdit.Text() + "mJ/cm^2, d=" + pre->dEdit.Text() + "nm" +
                 kPreLabelEnd[static_cast<size_t>(pre->xSelect)];
    PrehtLabelVisible = true;
    // The pre-heating is defined against this time shape and tau.
    TimeGroupEnabled = false;
    TauEnabled = false;
  } else {
    preOn_ = false;
    pre_ = PreHeatValues{};
    PrehtLabelVisible = false;
    TimeGroupEnabled = true;
    TauEnabled = true;
  }
  return std::string(kOk);
}

TQextResult TQextDialog::DefinePreHeating(Real F, Real d, int32_t item) {
  if (TQextResult r = PreHtBtnClick(); !r) return r;
  TQextDialog& pre = *preDialog_;
  pre.AEdit.SetValue(F);
  pre.dEdit.SetValue(d);
  pre.xSelect = item;
  const TQextResult r = pre.PreHeatOk();
  if (!r) {
    preDialog_.reset();  // the pre-heating in force stays
    return TQextResult::Refused(kPreHt, r.message);
  }
  PreHeatClosed(true);
  return TQextResult::Accepted();
}

// ---------------------------------------------------------------------------------------
// Labels of the initial-conditions dialog

std::string TQextDialog::QILabelText() const {
  return "Q = " + QFLabel;
}

std::string TQextDialog::QLabelText() const {
  return "(F=" + AEdit.Text() + "mJ/cm^2, d=" + dEdit.Text() + "nm, tau=" + tEdit.Text() + "fsec)";
}

std::string TQextDialog::QPrLabelText() const {
  return PrehtLabelVisible ? PrehtLabel : std::string();
}

}  // namespace tarvex
