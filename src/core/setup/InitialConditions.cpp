// TInitional: fields, access by name, field handlers, the Enter-key walk and the checks
// of OK. Building the state is in InitialBuild.cpp.
#include "core/setup/InitialConditions.h"

#include <algorithm>
#include <cmath>

#include "core/common/Prompter.h"
#include "core/eos/EosSlots.h"
#include "core/hydro/HydrStat.h"
#include "core/laser/LaserSource.h"
#include "core/session/Session.h"
#include "core/session/SolverCatalog.h"

namespace tarvex {

namespace {

// ---- generic access tables ------------------------------------------------------------

struct RealEntry {
  std::string_view name;
  RealField TInitional::*field;
};

constexpr std::array<RealEntry, 21> kRealFields{{
    {"Len", &TInitional::Len},
    {"x1Edit", &TInitional::x1Edit},
    {"Rho0", &TInitional::Rho0},
    {"Pini", &TInitional::Pini},
    {"Tini", &TInitional::Tini},
    {"xf", &TInitional::xf},
    {"Pgr", &TInitional::Pgr},
    {"Tgr", &TInitional::Tgr},
    {"Dist", &TInitional::Dist},
    {"Pout", &TInitional::Pout},
    {"PoutMultEdit", &TInitional::PoutMultEdit},
    {"T0", &TInitional::T0},
    {"Tq", &TInitional::Tq},
    {"TeEdit", &TInitional::TeEdit},
    {"rho0l", &TInitional::rho0l},
    {"T0l", &TInitional::T0l},
    {"P0l", &TInitional::P0l},
    {"PadhEdit", &TInitional::PadhEdit},
    {"VL", &TInitional::VL},
    {"x0Shift", &TInitional::x0Shift},
    {"xRightEdit", &TInitional::xRightEdit},
}};

struct IntEntry {
  std::string_view name;
  int32_t TInitional::*field;
  InitFieldKind kind;
  int32_t lo;
  int32_t hi;
};

constexpr std::array<IntEntry, 9> kIntFields{{
    {"Dimension", &TInitional::Dimension, InitFieldKind::UpDown, 1, 10000},
    {"xShiftDiv", &TInitional::xShiftDiv, InitFieldKind::UpDown, 0, 10000},
    {"DspcUpDown", &TInitional::DspcUpDown, InitFieldKind::UpDown, 1, 3},
    {"RadioGroup1", &TInitional::RadioGroup1, InitFieldKind::Choice, -1, 1},
    {"GrouthFunc", &TInitional::GrouthFunc, InitFieldKind::Choice, -1, 5},
    {"MoveType", &TInitional::MoveType, InitFieldKind::Choice, -1, 3},
    {"Bound0", &TInitional::Bound0, InitFieldKind::Choice, 0, 2},
    {"BoundQ", &TInitional::BoundQ, InitFieldKind::Choice, 0, 2},
    {"InitProfile", &TInitional::InitProfile, InitFieldKind::Choice, -1, 5},
}};

struct CheckEntry {
  std::string_view name;
  bool TInitional::*field;
};

constexpr std::array<CheckEntry, 10> kCheckFields{{
    {"PoutMultCheck", &TInitional::PoutMultCheck},
    {"FixTe", &TInitional::FixTe},
    {"CheckOut", &TInitional::CheckOut},
    {"QegCheck", &TInitional::QegCheck},
    {"CheckElast", &TInitional::CheckElast},
    {"Qext", &TInitional::Qext},
    {"V00", &TInitional::V00},
    {"x00", &TInitional::x00},
    {"CheckKeepVL", &TInitional::CheckKeepVL},
    {"V_PPoutCheck", &TInitional::V_PPoutCheck},
}};

constexpr std::array<InitFieldKey, kRealFields.size() + kIntFields.size() + kCheckFields.size()>
MakeKeys() {
  std::array<InitFieldKey, kRealFields.size() + kIntFields.size() + kCheckFields.size()> keys{};
  size_t i = 0;
  for (const RealEntry& e : kRealFields) keys[i++] = {e.name, InitFieldKind::Number, 0, 0};
  for (const IntEntry& e : kIntFields) keys[i++] = {e.name, e.kind, e.lo, e.hi};
  for (const CheckEntry& e : kCheckFields) keys[i++] = {e.name, InitFieldKind::Check, 0, 1};
  return keys;
}

constexpr auto kKeys = MakeKeys();

// The Enter-key walk in dialog order. "Shift" is the "S&hift existing" button.
constexpr std::array<std::string_view, 24> kWalk{"Len",
                                                 "Shift",
                                                 "x1Edit",
                                                 "DimensionEdit",
                                                 "Rho0",
                                                 "RadioGroup1",
                                                 "Pini",
                                                 "Tini",
                                                 "xf",
                                                 "Pgr",
                                                 "Tgr",
                                                 "GrouthFunc",
                                                 "Dist",
                                                 "MoveType",
                                                 "Bound0",
                                                 "T0",
                                                 "BoundQ",
                                                 "Tq",
                                                 "InitProfile",
                                                 "TeEdit",
                                                 "xShiftDivEdit",
                                                 "rho0l",
                                                 "T0l",
                                                 "PadhEdit"};

// Stores v in a field only when it is a finite number (an EOS outside its range leaves
// the field as it was).
void SetIfFinite(RealField& f, Real v) {
  if (std::isfinite(v)) f.SetValue(v);
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Construction and access

TInitional::TInitional(Session& s, std::shared_ptr<TNumStringFormat> format) : s_(s) {
  if (!format) format = std::make_shared<TNumStringFormat>();
  for (const RealEntry& e : kRealFields) (this->*e.field).SetFormatControl(format);
  x1Edit.SetValue(1);
  Rho0.SetValue(1);
  Dist.SetValue(100);
  PoutMultEdit.SetValue(1);
}

std::span<const InitFieldKey> TInitional::SettableKeys() {
  return kKeys;
}

std::span<const char* const> TInitional::ChoiceItems(std::string_view name) {
  if (name == "RadioGroup1") return kRadioGroup1Items;
  if (name == "GrouthFunc") return kGrouthFuncItems;
  if (name == "MoveType") return kMoveTypeItems;
  if (name == "Bound0" || name == "BoundQ") return kBoundItems;
  if (name == "InitProfile") return kInitProfileItems;
  return {};
}

RealField* TInitional::RealFieldByName(std::string_view name) {
  for (const RealEntry& e : kRealFields)
    if (e.name == name) return &(this->*e.field);
  return nullptr;
}

std::optional<int32_t> TInitional::IntByName(std::string_view name) const {
  for (const IntEntry& e : kIntFields)
    if (e.name == name) return this->*e.field;
  return std::nullopt;
}

std::optional<bool> TInitional::CheckByName(std::string_view name) const {
  for (const CheckEntry& e : kCheckFields)
    if (e.name == name) return this->*e.field;
  return std::nullopt;
}

FieldSetStatus TInitional::SetInt(std::string_view name, int32_t value) {
  for (const IntEntry& e : kIntFields) {
    if (e.name != name) continue;
    if (value < e.lo || value > e.hi) return FieldSetStatus::OutOfRange;
    if (name == "DspcUpDown") {
      ChangeDspc(value);
    } else if (name == "InitProfile") {
      if (!InitProfileEnabled) return FieldSetStatus::Refused;
      ChooseInitProfile(value);
    } else if (name == "xShiftDiv") {
      ChangeGlassCells(value);
    } else if (name == "Bound0" && !Bound0Enabled) {
      return FieldSetStatus::Refused;
    } else {
      this->*e.field = value;
    }
    return FieldSetStatus::Ok;
  }
  if (RealFieldByName(name) != nullptr || CheckByName(name)) return FieldSetStatus::WrongKind;
  return FieldSetStatus::UnknownKey;
}

FieldSetStatus TInitional::SetCheck(std::string_view name, bool on) {
  for (const CheckEntry& e : kCheckFields) {
    if (e.name != name) continue;
    if (name == "FixTe") {
      if (FixTe != on) ClickFixTe(on);
    } else if (name == "CheckElast") {
      if (on && (s_.setup.NonMetal || !CheckElastVisible)) return FieldSetStatus::Refused;
      CheckElast = on;
    } else {
      this->*e.field = on;
    }
    return FieldSetStatus::Ok;
  }
  if (RealFieldByName(name) != nullptr || IntByName(name)) return FieldSetStatus::WrongKind;
  return FieldSetStatus::UnknownKey;
}

void TInitional::FormShow(bool addLayerMode) {
  StatEqButtonVisible = !addLayerMode;
  if (addLayerMode && s_.StateA != nullptr) {
    const THydrStat& A = *s_.StateA;
    RightDiv = A.CellCount();
    Real x1 = x1Edit.Value();
    if (!(x1 > 0)) x1 = 1;
    xRightEdit.SetValue(A.x[static_cast<size_t>(RightDiv)] / x1);
  }
  ChangeGlassCells(xShiftDiv);
}

// ---------------------------------------------------------------------------------------
// Field handlers

void TInitional::ResetRadioCaptions() {
  RadioGroup1Captions = {kRadioGroup1Items[0], kRadioGroup1Items[1]};
}

void TInitional::PiniFromTemperatures() {
  const TActiveEos& a = s_.eos.ActiveEos;
  const Real rho = Rho0.Value();
  const Real Ti = Tini.Value();
  if (!(rho != 0 && Ti > 0)) return;
  if (FixTe) {
    // Ions at Tini, electrons at the fixed Te. The electron pressure is the part of the
    // total the lattice does not give: Pe(Te) = P(Te) - Pion(Te).
    if (!a.Pion || !a.P) return;
    const Real Te = TeEdit.Value();
    SetIfFinite(Pini, a.Pion(rho, Ti) + (a.P(rho, Te) - a.Pion(rho, Te)));
    return;
  }
  if (a.P) SetIfFinite(Pini, a.P(rho, Ti));
}

void TInitional::LeavePini() {
  ResetRadioCaptions();
  const TActiveEos& a = s_.eos.ActiveEos;
  const Real rho = Rho0.Value();
  if (!a.TofP || !(rho > 0)) return;
  const Real T = a.TofP(rho, Pini.Value());
  if (!std::isfinite(T)) return;
  Tini.SetValue(T);
  T0.SetValue(T);
}

void TInitional::LeaveTemperature(bool fromTini) {
  ResetRadioCaptions();
  // With the pressure prescribed ("Press") it stays as typed: Tini, T0 and Te follow from
  // it, and taking it back through P(rho, T(P)) would replace 0.1 by 0.09999999999999999997.
  if (fromTini || FixTe || RadioGroup1 != kProfilePress) PiniFromTemperatures();
  if (fromTini) {
    const Real T = Tini.Value();
    T0.SetValue(T);
    TeEdit.SetValue(T);
  }
}

void TInitional::LeaveGrowth(bool pressure) {
  ResetRadioCaptions();
  RealField& own = pressure ? Pgr : Tgr;
  RealField& init = pressure ? Pini : Tini;
  if (own.Value() == init.Value()) {
    // No growth: the profile is the initial value throughout.
    Pgr.SetValue(Pini.Value());
    Tgr.SetValue(Tini.Value());
    xf.SetValue(Len.Value());
    return;
  }
  const TActiveEos& a = s_.eos.ActiveEos;
  const Real rho = Rho0.Value();
  if (pressure) {
    if (a.TofP && rho > 0) SetIfFinite(Tgr, a.TofP(rho, Pgr.Value()));
  } else {
    const Real T = Tgr.Value();
    if (a.P && rho != 0 && T > 0) SetIfFinite(Pgr, a.P(rho, T));
  }
}

void TInitional::LeaveXf() {
  ResetRadioCaptions();
  const Real L = Len.Value();
  if (xf.Value() >= L) {
    xf.SetValue(L);
    Pgr.SetValue(Pini.Value());
    Tgr.SetValue(Tini.Value());
  }
}

const EosSet* TInitional::GlassEos() const {
  const EosState& e = s_.eos;
  if (GlassUsesFilmEos && e.FilmEos.P && e.FilmEos.E) return &e.FilmEos;
  if (e.LeftEos.P && e.LeftEos.E) return &e.LeftEos;
  return nullptr;
}

void TInitional::LeaveRho0l() {
  const Real rho = rho0l.Value();
  if (GlassEosDensity && *GlassEosDensity > 0 && std::isfinite(*GlassEosDensity) &&
      std::fabs(*GlassEosDensity - rho) > 1e-12L * std::fabs(*GlassEosDensity)) {
    const std::string q =
        std::string(kAskGlassDensity) + rho0l.Format().FormatValue(*GlassEosDensity) + "?";
    if (s_.prompter.Ask(q, AnswerSet::YesNo()) == Answer::Yes) {
      rho0l.SetValue(*GlassEosDensity);
      GlassDensityFromEos = true;
    }
  }
  // Keep the substrate pressure consistent with the new density.
  const EosSet* g = GlassEos();
  const Real r = rho0l.Value();
  const Real T = T0l.Value();
  if (g != nullptr && r > 0 && T > 0) SetIfFinite(P0l, g->P(r, T));
}

void TInitional::LeaveT0l() {
  if (s_.eos.FilmEos.P && s_.eos.FilmEos.E) {
    GlassUsesFilmEos = s_.prompter.Ask(kAskGlassUsesFilmEos, AnswerSet::YesNo()) == Answer::Yes;
  }
  const EosSet* g = GlassEos();
  const Real r = rho0l.Value();
  const Real T = T0l.Value();
  if (g != nullptr && r > 0) SetIfFinite(P0l, g->P(r, T));
}

void TInitional::LeaveField(std::string_view name) {
  if (name == "Pini") {
    LeavePini();
  } else if (name == "Tini") {
    LeaveTemperature(true);
  } else if (name == "T0" || name == "Tq" || name == "TeEdit") {
    LeaveTemperature(false);
  } else if (name == "Pgr") {
    LeaveGrowth(true);
  } else if (name == "Tgr") {
    LeaveGrowth(false);
  } else if (name == "xf") {
    LeaveXf();
  } else if (name == "rho0l") {
    LeaveRho0l();
  } else if (name == "T0l") {
    LeaveT0l();
  }
}

void TInitional::ChooseInitProfile(int32_t item) {
  InitProfile = item;
  switch (item) {
    case kModelTiTeT0:
    case kModelTeTiT0:
      TeEdit.SetValue(Tini.Value());
      break;
    case kModelTiTeTlast:
    case kModelTeTiTlast:
      TeEdit.SetValue(Tgr.Value());
      break;
    case kModel1T:
    case kModelEq:
      TeEdit.SetValue(std::min(Tgr.Value(), Tini.Value()));
      break;
    default:
      break;
  }
}

void TInitional::ClickFixTe(bool on) {
  FixTe = on;
  if (on) {
    s_.setup.FixTeOn = true;
    s_.setup.FixedTe = TeEdit.Value();
    PiniFromTemperatures();
    s_.NoConduct = true;
    if (s_.prompter.Ask(kAskEiExchange, AnswerSet::YesNo()) == Answer::No) s_.NoThermo = true;
    InitProfile = kModelTiTeT0;
    InitProfileEnabled = false;
  } else {
    s_.setup.FixTeOn = false;
    PiniFromTemperatures();
    InitProfileEnabled = true;
  }
}

void TInitional::ChangeDspc(int32_t position) {
  DspcUpDown = std::clamp(position, 1, 3);
  const int32_t D = DspcUpDown;
  if (D == 1) {
    Bound0Enabled = true;
    return;
  }
  // The centre of a cylinder or sphere is a symmetry point: it cannot move and no heat
  // crosses it.
  if (MoveType < kMoveV0Zero) MoveType = kMoveV0Zero;
  Bound0 = kBoundNoFlux;
  Bound0Enabled = false;
}

void TInitional::ChangeGlassCells(int32_t count) {
  xShiftDiv = std::clamp(count, 0, 10000);
  GlassFieldsVisible = xShiftDiv > 0 || !StatEqButtonVisible || static_cast<bool>(s_.eos.LeftEos.P);
}

bool TInitional::ClickCheckElast() {
  if (s_.setup.NonMetal) {
    CheckElast = false;
    CheckElastVisible = false;
    return false;
  }
  return true;
}

void TInitional::ElasticDialogClosed(std::optional<Real> G) {
  if (G) CheckElast = *G != 0;
}

// ---------------------------------------------------------------------------------------
// Enter-key walk

std::string TInitional::EnterPressed(std::string_view focused) {
  LeaveField(focused);
  const auto at = std::find(kWalk.begin(), kWalk.end(), focused);
  if (at == kWalk.end()) return "OkBtn";

  // Obvious defaults on the way.
  if (focused == "Len") {
    const Real L = Len.Value();
    const Real x = xf.Value();
    if (x > L || x == 0) xf.SetValue(L);
  } else if (focused == "Pini" || focused == "Tini") {
    if (Pgr.Value() == 0) Pgr.SetValue(Pini.Value());
    if (Tgr.Value() == 0) Tgr.SetValue(Tini.Value());
  }

  const bool growth = GrowthNeeded();
  const bool glass = xShiftDiv > 0 || !StatEqButtonVisible;
  auto relevant = [&](std::string_view f) {
    if (f == "Shift") return s_.StateA != nullptr && StatEqButtonVisible;
    if (f == "RadioGroup1") return RadioGroup1 < 0;
    if (f == "Pini") return RadioGroup1 != kProfileTemp;
    if (f == "Tini") return RadioGroup1 != kProfilePress;
    if (f == "Pgr") return growth && RadioGroup1 != kProfileTemp;
    if (f == "Tgr") return growth && RadioGroup1 != kProfilePress;
    if (f == "GrouthFunc" || f == "Dist") return growth;
    if (f == "Bound0") return Bound0Enabled;
    if (f == "T0") return Bound0Enabled && Bound0 == kBoundFixedT;
    if (f == "Tq") return BoundQ == kBoundFixedT;
    if (f == "InitProfile") return InitProfileEnabled;
    if (f == "TeEdit")
      return FixTe || InitProfile == kModelTiTeT0 || InitProfile == kModelTiTeTlast;
    if (f == "rho0l" || f == "T0l" || f == "PadhEdit") return glass;
    return true;
  };
  for (auto it = at + 1; it != kWalk.end(); ++it) {
    if (!relevant(*it)) continue;
    if (*it == "T0" && T0.Value() == 0) T0.SetValue(Tini.Value());
    if (*it == "Tq" && Tq.Value() == 0) Tq.SetValue(Tgr.Value());
    return std::string(*it);
  }
  return "OkBtn";
}

// ---------------------------------------------------------------------------------------
// Checks of OK

SolverClass TInitional::ChosenSolverClass() const {
  SolverChoice c;
  c.thermalItem = InitProfile < 0 ? kModel1T : InitProfile;
  c.NoConduct = s_.NoConduct;
  c.NoThermo = s_.NoThermo;
  c.elastic = CheckElast;
  c.noMove = MoveType == kMoveNone;
  c.nonMetal = s_.setup.NonMetal;
  SolverClass cls = SelectSolverClass(c);
  // One-temperature heat conduction (THydrTherm) is what "1T" means whenever conduction
  // or thermodynamics is on. When neither medium conducts heat (no conductivity in the
  // film or substrate EOS and none in the electron model) and no laser source heats the
  // film, that solver reduces to the plain hydrodynamic one, which is then built.
  if (cls == SolverClass::HydrTherm && !AnyConductivity() && !Qext) cls = SolverClass::HydrStat;
  // The laser source is absorbed only by the energy step of the thermal classes: a heated
  // film without conduction and thermodynamics still takes THydrTherm (which then heats
  // each cell on its own) rather than losing the pulse.
  if (cls == SolverClass::HydrStat && Qext) cls = SolverClass::HydrTherm;
  return cls;
}

bool TInitional::AnyConductivity() const {
  return s_.eos.FilmEos.Kappa || s_.eos.LeftEos.Kappa || electron.ElConductivity ||
         s_.electron.model.ElConductivity;
}

bool TInitional::FilmEosReady() const {
  const TActiveEos& a = s_.eos.ActiveEos;
  return a.E && a.P && a.TofP;
}

std::string TInitional::Validate() {
  const bool addLayer = !StatEqButtonVisible;

  if (!(Len.Value() > 0)) return "Len";
  // A negative unit would turn every cell inside out; only positive units are lengths.
  if (!(x1Edit.Value() > 0)) {
    x1Edit.SetValue(1);
    return "x1Edit";
  }
  if (Dimension <= 0 || Dimension > 10000) return "DimensionEdit";

  if (!electron.ElConductivity && !s_.setup.NonMetal && electron.CheckKappa &&
      !s_.eos.FilmEos.Kappa &&
      (!s_.NoConduct || (!electron.ElEnergy && (!s_.NoThermo || electron.NoElEOS)))) {
    return "ThermParam";
  }
  // Conduction between cells needs at least two of them.
  if (Dimension < 2 && ChosenSolverClass() == SolverClass::HydrTherm) return "DimensionEdit";
  // "Q external" checked needs a source the laser dialog accepted.
  if (Qext && !SourceDefined(s_.laser)) return "Qext";
  // A heated film that conducts must have something to conduct with.
  if (Qext && !s_.NoConduct && !AnyConductivity()) return "ThermParam";
  if (!FilmEosReady()) return "StatEqButton";
  if (!(Rho0.Value() > 0)) return "Rho0";

  if (addLayer) {
    if (s_.StateA == nullptr) return "OkBtn";
    if (xShiftDiv <= 0 || s_.StateA->CellCount() + xShiftDiv > 10000) return "xShiftDivEdit";
    if (!(rho0l.Value() > 0)) return "rho0l";
  }

  if (RadioGroup1 < 0) return "RadioGroup1";
  if (RadioGroup1 == kProfileTemp && !(Tini.Value() > 0)) return "Tini";
  if (GrowthNeeded()) {
    if (!(Tgr.Value() > 0)) return "Tgr";
    if (GrouthFunc < 0) return "GrouthFunc";
    if (Dist.Value() == 0) return "Dist";
    const bool press = RadioGroup1 == kProfilePress;
    const Real Y0 = press ? Pini.Value() : Tini.Value();
    const Real Y1 = press ? Pgr.Value() : Tgr.Value();
    if (!GrowthShapeApplicable(GrouthFunc, Y0, Y1)) return "GrouthFunc";
  }
  if (InitProfile < 0) return "InitProfile";
  if (InitProfile != kModel1T) {
    // Two temperatures need an electron model with an energy (the thermal-parameter
    // dialog's OK installs one) and a positive electron temperature where it is given.
    if (!electron.ElEnergy && !ElectronModelDefined(s_.electron.model)) return "ThermParam";
    const bool takesTe = FixTe || InitProfile == kModelTiTeT0 || InitProfile == kModelTiTeTlast;
    if (takesTe && !(TeEdit.Value() > 0)) return "TeEdit";
  }

  const bool elasticInstances = s_.StateA != nullptr && SolverClassOf(s_.stateClass).elastic;
  if (elasticInstances && !CheckElast) return "CheckElast";
  if (CheckElast && MoveType == kMoveNone) {
    // An elastic solid needs a grid that moves.
    MoveType = kMoveV0Zero;
    return "MoveType";
  }

  if (!addLayer && xShiftDiv > 0) {
    if (xShiftDiv >= Dimension) return "xShiftDivEdit";  // no film cell would remain
    if (!(rho0l.Value() > 0)) return "rho0l";
    if (!(T0l.Value() > 0)) return "T0l";  // an absolute temperature
    if (GlassEos() == nullptr) return "EOSlButton";
    // "x >= 0" keeps the grid's left end at x >= 0, but a substrate before the film puts it
    // below 0 from the start: no step could be accepted.
    if (MoveType == kMoveNonNegative && !CheckOut) return "MoveType";
  }
  return {};
}

InitialOkResult TInitional::OkPressed() {
  InitialOkResult r;
  // A changed text that does not read as a finite number keeps the focus.
  for (const RealEntry& e : kRealFields) {
    Real v = 0;
    if (!(this->*e.field).TryGetValue(v) || !std::isfinite(v)) {
      r.focus = e.name;
      return r;
    }
  }
  if (AfterLoadMode) return AfterLoadOk();
  // Pairs next, as leaving their fields would have made them: a run file or a field
  // left with Enter-less focus changes still gets the state the EOS gives.
  const TActiveEos& a = s_.eos.ActiveEos;
  Real rho = 0;
  if (Rho0.TryGetValue(rho) && rho > 0) {
    if (FixTe || RadioGroup1 == kProfileTemp) {
      PiniFromTemperatures();
      const Real Tg = Tgr.Value();
      if (a.P && Tg > 0) SetIfFinite(Pgr, a.P(rho, Tg));
    } else if (RadioGroup1 == kProfilePress && a.TofP) {
      SetIfFinite(Tini, a.TofP(rho, Pini.Value()));
      SetIfFinite(Tgr, a.TofP(rho, Pgr.Value()));
    }
  }

  r.focus = Validate();
  if (!r.focus.empty()) {
    if (r.focus == "OkBtn") r.message = "Add layer needs an existing state";
    return r;
  }
  return StatEqButtonVisible ? BuildNewState() : BuildAddLayer();
}

}  // namespace tarvex
