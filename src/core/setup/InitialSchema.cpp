// The initial-conditions dialog's keys.
#include "core/setup/InitialSchema.h"

#include <algorithm>
#include <string_view>

namespace tarvex {

namespace {

// The order of application (keys of the dialog missing here follow in its own order).
constexpr std::string_view kOrder[] = {
    "DspcUpDown",  "Len",          "x1Edit",     "Dimension",  "Rho0",          "RadioGroup1",
    "Pini",        "Tini",         "xf",         "Pgr",        "Tgr",           "GrouthFunc",
    "Dist",        "MoveType",     "Bound0",     "T0",         "BoundQ",        "Tq",
    "InitProfile", "TeEdit",       "FixTe",      "Pout",       "PoutMultCheck", "PoutMultEdit",
    "xShiftDiv",   "CheckOut",     "x0Shift",    "P0l",        "rho0l",         "T0l",
    "PadhEdit",    "QegCheck",     "CheckElast", "Qext",       "V00",           "x00",
    "CheckKeepVL", "V_PPoutCheck", "VL",         "xRightEdit",
};

// What the after-load dialog and the main window's Init/Shift step read from the
// dialog: boundary motion and thermal conditions, the right end, the laser switch.
constexpr std::string_view kAfterLoad[] = {"MoveType",    "Bound0",       "T0", "BoundQ", "Tq",
                                           "CheckKeepVL", "V_PPoutCheck", "VL", "Qext"};

// Shown by the dialog, computed by OK.
constexpr std::string_view kComputed[] = {"x0Shift", "xRightEdit"};

struct KeyDoc {
  const char* key;
  const char* unit;
  const char* defaultText;
  const char* meaning;
};

constexpr KeyDoc kDocs[] = {
    {"Len", "user length", "from `[main]`", "length of the grid (give it in `[main]` or here)"},
    {"x1Edit", "cm", "from `[main]`", "the user length unit"},
    {"Dimension", "cells", "from `[main]`", "total number of cells, film and substrate"},
    {"Rho0", "g/cm3", "from `[main]`", "initial film density"},
    {"RadioGroup1", "", "none (-1)", "which quantity the profile prescribes; must be chosen"},
    {"Pini", "GPa", "0",
     "pressure of the initial region (`\"Press\"`); leaving it sets `Tini` and `T0` through the "
     "equation of state"},
    {"Tini", "K", "0",
     "temperature of the initial region (`\"Temp\"`); leaving it sets `Pini`, `T0` and `TeEdit`"},
    {"xf", "user length", "0",
     "end of the initial region; at or beyond `Len` there is no growth region"},
    {"Pgr", "GPa", "0", "pressure the profile grows to beyond `xf`"},
    {"Tgr", "K", "0", "temperature the profile grows to beyond `xf`"},
    {"GrouthFunc", "", "none (-1)",
     "shape of the growth from the initial to the final value; needed when there is a growth "
     "region"},
    {"Dist", "user length", "100", "growth length (signed)"},
    {"Pout", "GPa", "from `[main]`", "outer pressure on the free ends"},
    {"PoutMultCheck", "", "false", "the outer pressure grows with time"},
    {"PoutMultEdit", "GPa/s", "1", "its growth rate"},
    {"MoveType", "", "none (-1, acts as `\"P0 = Pout\"`)",
     "motion of the left end: free under the outer pressure, kept at x >= 0, a wall, or the whole "
     "grid frozen"},
    {"Bound0", "", "`\"k = 0\"`",
     "thermal condition at the left end: fixed temperature `T0`, mirror, no heat flux; disabled "
     "(no flux) in cylindrical and spherical geometry"},
    {"T0", "K", "0", "temperature of the left end with `\"T0 =\"`"},
    {"BoundQ", "", "`\"k = 0\"`", "thermal condition at the right end"},
    {"Tq", "K", "0", "temperature of the right end with `\"T0 =\"`"},
    {"InitProfile", "", "none (-1)",
     "the temperature model: one temperature, or how ions and electrons start (the two-"
     "temperature models need an electron model, `[thermal]`, and run as THydro2T, or as "
     "TThermState with `MoveType = \"No move\"`); must be chosen; choosing it sets `TeEdit`"},
    {"TeEdit", "K", "0",
     "electron temperature of the models that take it (`\"Ti, Te = T0\"`, `\"Ti, Te = Tlast\"`, "
     "`FixTe`); must be > 0 there"},
    {"FixTe", "", "false",
     "the electron temperature is held at `TeEdit`; selects `\"Ti, Te = T0\"` and disables "
     "`InitProfile`; asks \"With e-i heat exchange (alpha)?\""},
    {"xShiftDiv", "cells", "0", "substrate cells (fewer than `Dimension`); 0: film only"},
    {"CheckOut", "", "false", "the substrate lies after (right of) the film instead of before it"},
    {"x0Shift", "user length", "computed",
     "substrate thickness; computed by OK (a value given must be the computed one)"},
    {"rho0l", "g/cm3", "0",
     "initial substrate density; must be > 0 with substrate cells. Each substrate cell has the "
     "mass of a film cell"},
    {"T0l", "K", "0",
     "initial substrate temperature; 0: the temperature of the film next to it. Leaving it asks "
     "\"Use I EOS for glass?\" when the film has an equation of state"},
    {"P0l", "GPa", "computed", "substrate pressure, follows from `rho0l` and `T0l`"},
    {"PadhEdit", "GPa", "0", "adhesion strength between film and substrate; stored as -abs(value)"},
    {"QegCheck", "", "false", "electron heat flows from the film into the substrate"},
    {"DspcUpDown", "", "1", "geometry: 1 planar, 2 cylindrical, 3 spherical"},
    {"CheckElast", "", "false", "elastic-plastic solver"},
    {"Qext", "", "false", "laser source on"},
    {"V00", "", "false",
     "\"V0 to 0\", an option of \"Shift existing\" (not used when a new state is built)"},
    {"x00", "", "false",
     "\"x0 to 0\", an option of \"Shift existing\" (not used when a new state is built)"},
    {"CheckKeepVL", "", "false",
     "the right end node keeps its velocity (a wall when the grid starts at rest)"},
    {"V_PPoutCheck", "", "false",
     "with `CheckKeepVL`: the right end moves with v = (P - Pout) `VL`"},
    {"VL", "cm/s/GPa", "0", "velocity coefficient of `V_PPoutCheck`"},
    {"xRightEdit", "user length", "computed",
     "right end of the grid, shown by the dialog; computed by OK"},
};

template <size_t n>
bool Among(const std::string_view (&list)[n], std::string_view key) {
  return std::find(std::begin(list), std::end(list), key) != std::end(list);
}

FieldSchema MakeField(const InitFieldKey& k) {
  FieldSchema f;
  switch (k.kind) {
    case InitFieldKind::Number:
      f = SimpleField(std::string(k.name), FieldKind::Number);
      break;
    case InitFieldKind::UpDown:
      f = IntegerField(std::string(k.name), k.lo, k.hi);
      break;
    case InitFieldKind::Choice: {
      std::vector<std::string> items;
      for (const char* c : TInitional::ChoiceItems(k.name)) items.emplace_back(c);
      f = ChoiceField(std::string(k.name), k.lo, items);
      f.hi = k.hi;
      break;
    }
    case InitFieldKind::Check:
      f = SimpleField(std::string(k.name), FieldKind::Check);
      break;
  }
  f.load = Among(kAfterLoad, k.name) ? LoadRule::Applies : LoadRule::NotAfterLoad;
  f.computed = Among(kComputed, k.name);
  for (const KeyDoc& d : kDocs) {
    if (k.name == d.key) f = Documented(std::move(f), d.unit, d.defaultText, d.meaning);
  }
  return f;
}

std::vector<FieldSchema> MakeFields() {
  const auto keys = TInitional::SettableKeys();
  std::vector<FieldSchema> fields;
  for (std::string_view name : kOrder) {
    for (const InitFieldKey& k : keys) {
      if (k.name == name) fields.push_back(MakeField(k));
    }
  }
  for (const InitFieldKey& k : keys) {
    if (!Among(kOrder, k.name)) fields.push_back(MakeField(k));
  }
  return fields;
}

// Why the dialog refuses a control in its current state.
std::string DisabledReason(std::string_view key) {
  if (key == "Bound0")
    return "the dialog disables it in cylindrical and spherical geometry (DspcUpDown > 1): no "
           "heat crosses the centre";
  if (key == "InitProfile")
    return "the dialog disables it while FixTe is checked (FixTe selects \"Ti, Te = T0\")";
  if (key == "CheckElast") return "the elastic model is not available with the non-metal model";
  return "the dialog disables this control";
}

// What a field needs when OK keeps the focus on it.
std::string NeedOf(std::string_view key) {
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
  if (key == "MoveType")
    return "a grid that moves for an elastic solid (not \"No move\"), and not \"x >= 0\" "
           "with a substrate before the film (the grid starts below x = 0)";
  if (key == "CheckElast")
    return "false: the elastic-plastic solvers are not part of this version (true only where "
           "the existing instances are elastic)";
  if (key == "xShiftDiv") return "the substrate must leave film cells: xShiftDiv < Dimension";
  if (key == "rho0l") return "the substrate density must be greater than 0";
  if (key == "T0l") return "the substrate temperature must be greater than 0 K";
  return "the dialog refuses this value";
}

// The OK check's focus names the control, not the key; these are the two that differ.
std::string KeyOfFocus(std::string_view focus) {
  if (focus == "DimensionEdit") return "Dimension";
  if (focus == "xShiftDivEdit") return "xShiftDiv";
  return std::string(focus);
}

FormRefusal FromStatus(FieldSetStatus st, bool alreadyThere, std::string_view key) {
  switch (st) {
    case FieldSetStatus::Ok:
      return FormRefusal::None();
    case FieldSetStatus::Refused:
      return alreadyThere ? FormRefusal::None() : FormRefusal::At({}, DisabledReason(key));
    case FieldSetStatus::OutOfRange:
      return FormRefusal::At({}, "out of the control's range");
    case FieldSetStatus::UnknownKey:
    case FieldSetStatus::WrongKind:
      break;
  }
  return FormRefusal::At({}, "the dialog has no such control");
}

}  // namespace

const std::vector<FieldSchema>& TInitionalSchema::FieldList() {
  static const std::vector<FieldSchema> fields = MakeFields();
  return fields;
}

FormRefusal TInitionalSchema::Set(const FieldSchema& field, const FormValue& value) {
  switch (field.kind) {
    case FieldKind::Number: {
      FormRefusal r = SetNumberText(*d_.RealFieldByName(field.key), value);
      if (!r.refused) d_.LeaveField(field.key);
      return r;
    }
    case FieldKind::Integer:
    case FieldKind::Choice:
      return FromStatus(d_.SetInt(field.key, value.index), d_.IntByName(field.key) == value.index,
                        field.key);
    case FieldKind::Check:
      return FromStatus(d_.SetCheck(field.key, value.on), d_.CheckByName(field.key) == value.on,
                        field.key);
    case FieldKind::Text:
      break;
  }
  return FormRefusal::None();
}

std::optional<FormValue> TInitionalSchema::Get(const FieldSchema& field) {
  switch (field.kind) {
    case FieldKind::Number: {
      RealField* f = d_.RealFieldByName(field.key);
      FormValue v = FormValue::Of(f->Value());
      v.text = f->Text();
      return v;
    }
    case FieldKind::Integer:
    case FieldKind::Choice:
      return FormValue::OfIndex(field.kind, d_.IntByName(field.key).value_or(-1));
    case FieldKind::Check:
      return FormValue::OfCheck(d_.CheckByName(field.key).value_or(false));
    case FieldKind::Text:
      break;
  }
  return std::nullopt;
}

bool TInitionalSchema::Printed(const FieldSchema& field) {
  const std::string_view key = field.key;
  if (key == "P0l" || field.computed) return false;
  // Without growth the end values are the initial ones. Giving them would press the
  // growth fields' leave handler, which then sets xf to the whole length: a region xf
  // the dialog holds would not read back.
  if ((key == "Pgr" || key == "Tgr") && d_.Pgr.Value() == d_.Pini.Value() &&
      d_.Tgr.Value() == d_.Tini.Value()) {
    return false;
  }
  if (d_.FixTe || d_.RadioGroup1 == kProfileTemp) return key != "Pini" && key != "Pgr";
  if (d_.RadioGroup1 == kProfilePress) return key != "Tini" && key != "Tgr";
  return true;
}

bool TInitionalSchema::ReplacementAccepted(const FieldSchema& field) const {
  return field.key == "rho0l" && d_.GlassDensityFromEos;
}

FormRefusal TInitionalSchema::Refusal(const InitialOkResult& ok) const {
  const std::string key = KeyOfFocus(ok.focus);
  FormRefusal r = FormRefusal::At(key, NeedOf(key), ok.message);
  if (const RealField* f = d_.RealFieldByName(key)) r.shown = f->Text();
  return r;
}

}  // namespace tarvex
