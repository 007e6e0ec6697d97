// The film-reflectance dialog's form model.
#include "core/optics/ReflectanceDialog.h"

#include <cmath>

#include "core/common/FpGuard.h"
#include "core/common/Prompter.h"

namespace tarvex {

namespace {

TreflectanceResult Refuse(std::string_view field, std::string reason) {
  TreflectanceResult r;
  r.focus = std::string(field);
  r.reason = std::move(reason);
  return r;
}

TreflectanceResult Done() {
  TreflectanceResult r;
  r.accepted = true;
  return r;
}

}  // namespace

std::string RDatHeader() {
  return RightAligned("time[ps]", 8) + "\t-dR/R0\r\n";
}

std::string RDatRecord(Real time_ps, Real dRR0, const TNumStringFormat& format) {
  return RightAligned(format.FormatValue(time_ps), 8) + "\t" + format.FormatValue(dRR0) + "\r\n";
}

Treflectance::Treflectance(std::shared_ptr<TNumStringFormat> format)
    : lambdaEdit(format),
      HHEdit(format),
      Rho00Edit(format),
      Rho0Edit(format),
      ensEdit(format),
      ksissEdit(format),
      ksisdEdit(format),
      R0Edit(format) {
  ReflectanceState defaults;
  Open(defaults);
}

RealField* Treflectance::Field(std::string_view name) {
  std::array<RealField*, 8> fields{&lambdaEdit, &HHEdit,    &Rho00Edit, &Rho0Edit,
                                   &ensEdit,    &ksissEdit, &ksisdEdit, &R0Edit};
  for (size_t k = 0; k < FieldNames.size(); ++k) {
    if (FieldNames[k] == name) return fields[k];
  }
  return nullptr;
}

void Treflectance::Open(const ReflectanceState& st) {
  const FilmReflectanceParams& p = st.model.Params();
  lambdaEdit.SetValue(p.lambda);
  HHEdit.SetValue(p.HH);
  Rho00Edit.SetValue(p.rho00);
  Rho0Edit.SetValue(p.rho0);
  ensEdit.SetValue(p.ens);
  ksissEdit.SetValue(p.ksiss);
  ksisdEdit.SetValue(p.ksisd);
  R0Edit.SetValue(p.R0);
}

std::variant<FilmReflectanceParams, ParamRefusal> Treflectance::ReadFields() {
  FilmReflectanceParams p;
  std::array<Real*, 8> targets{&p.lambda, &p.HH,    &p.rho00, &p.rho0,
                               &p.ens,    &p.ksiss, &p.ksisd, &p.R0};
  for (size_t k = 0; k < FieldNames.size(); ++k) {
    if (!Field(FieldNames[k])->TryGetValue(*targets[k])) {
      return ParamRefusal{FieldNames[k], std::string(FieldLabels[k]) + " is not a number"};
    }
  }
  if (std::optional<ParamRefusal> refusal = CheckFilmReflectanceParams(p)) return *refusal;
  return p;
}

TreflectanceResult Treflectance::SetR0(ReflectanceState& st,
                                       const std::optional<FilmCell>& lastCell, bool pressed) {
  if (!lastCell) return Refuse("", "No grid: there is no surface to take R0 from");
  FilmReflectance model = st.model;
  if (pressed) {
    std::variant<FilmReflectanceParams, ParamRefusal> read = ReadFields();
    if (const ParamRefusal* bad = std::get_if<ParamRefusal>(&read)) {
      return Refuse(bad->field, bad->reason);
    }
    model.Set(std::get<FilmReflectanceParams>(read));
  }
  // R0 := 1 - (-dR/R0 at R0 = 1) is the present reflectance itself; taking R directly makes
  // the first -dR/R0 exactly 0.
  Real R = 0;
  {
    FpGuard guard;
    R = model.Reflectance(lastCell->Ti, lastCell->Te, lastCell->rho);
    if (guard.Faulted()) R = std::nan("");
  }
  if (!model.SetR0(R)) {
    return Refuse("R0Edit",
                  "The last cell has no reflectance (density <= 0 or a temperature out of "
                  "range): R0 is not changed");
  }
  st.model = model;
  Open(st);
  return Done();
}

TreflectanceResult Treflectance::Ok(ReflectanceState& st, const std::optional<FilmCell>& lastCell,
                                    Prompter& prompter, bool pressed, bool askPrint) {
  std::variant<FilmReflectanceParams, ParamRefusal> read = ReadFields();
  if (const ParamRefusal* bad = std::get_if<ParamRefusal>(&read)) {
    return Refuse(bad->field, bad->reason);
  }
  const FilmReflectanceParams p = std::get<FilmReflectanceParams>(read);
  if (pressed && p.R0 == 0 && lastCell) {
    ReflectanceState trial = st;
    trial.model.Set(p);
    TreflectanceResult r = SetR0(trial, lastCell, false);
    if (!r.accepted) return r;
    st.model = trial.model;
  } else {
    st.model.Set(p);
  }
  TreflectanceResult r = Done();
  if (st.model.Params().R0 != 0) {
    r.print = askPrint && prompter.Ask(kAskPrintSave, {Answer::No, Answer::Ok}) == Answer::Ok;
    st.ReflectanceOn = true;
  } else {
    st.ReflectanceOn = false;
  }
  return r;
}

TreflectanceResult Treflectance::CalcCurrent(ReflectanceState& st,
                                             const std::optional<FilmCell>& lastCell,
                                             Prompter& prompter) {
  if (!lastCell) return Refuse("", "No grid: there is no surface to evaluate");
  std::variant<FilmReflectanceParams, ParamRefusal> read = ReadFields();
  if (const ParamRefusal* bad = std::get_if<ParamRefusal>(&read)) {
    return Refuse(bad->field, bad->reason);
  }
  st.model.Set(std::get<FilmReflectanceParams>(read));
  if (st.model.Params().R0 == 0) return SetR0(st, lastCell, false);
  Real value = 0;
  {
    FpGuard guard;
    value = st.model(lastCell->Ti, lastCell->Te, lastCell->rho);
    if (guard.Faulted()) value = std::nan("");
  }
  if (!std::isfinite(value)) {
    return Refuse("",
                  "The last cell has no reflectance (density <= 0 or a temperature out of "
                  "range)");
  }
  prompter.Inform(R0Edit.Format().FormatValue(value));
  return Done();
}

}  // namespace tarvex
