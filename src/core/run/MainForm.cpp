// Main window handlers: time conversions, output directory, close questions.
#include "core/run/MainForm.h"

#include <algorithm>

#include "core/session/Session.h"

namespace tarvex {

namespace {

// A field showing values with `digits` significant digits (width 0 unless given).
RealField Field(uint8_t digits, Real value, int8_t width = 0) {
  RealField f(std::make_shared<TNumStringFormat>(TFloatFormat::ffGeneral, digits, width));
  f.SetValue(value);
  return f;
}

// Directory part of a path, with its trailing separator; "./" for a bare file name.
std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

}  // namespace

TMainForm::TMainForm(Session& s)
    : Len(Field(5, 1)),
      x1Edit(Field(3, 1)),
      Rho0(Field(5, 1)),
      Pout(Field(6, 0)),
      dt1(Field(3, 0)),
      dtLV(Field(3, 0.1L)),
      EndTime(Field(8, 0)),
      EndTmLV(Field(8, 0)),
      TotalTime(Field(4, 0, 10)),
      TimeLV(Field(8, 0)),
      tableFormat(std::make_shared<TNumStringFormat>()),
      s_(s) {}

const std::vector<std::string>& TMainForm::RealFieldNames() {
  static const std::vector<std::string> names{"Len",  "x1Edit",  "Rho0",    "Pout",      "dt1",
                                              "dtLV", "EndTime", "EndTmLV", "TotalTime", "TimeLV"};
  return names;
}

RealField* TMainForm::FieldByName(std::string_view name) {
  RealField* fields[] = {&Len,  &x1Edit,  &Rho0,    &Pout,      &dt1,
                         &dtLV, &EndTime, &EndTmLV, &TotalTime, &TimeLV};
  const auto& names = RealFieldNames();
  for (size_t k = 0; k < names.size(); ++k)
    if (names[k] == name) return fields[k];
  return nullptr;
}

void TMainForm::UserEdit(std::string_view field, std::string text) {
  RealField* f = FieldByName(field);
  if (f == nullptr) return;
  f->SetText(std::move(text));
  if (f == &dtLV) dtLVEdited = true;
  if (f == &TimeLV) TimeLVEdited = true;
  if (f == &TotalTime) TotalTimeEdited = true;
}

// reduced = physical / Len / x1Edit * EosScale; physical = reduced * Len * x1Edit / EosScale.
void TMainForm::LeaveDt1() {
  const Real scale = s_.eos.EosScale;
  if (scale == 0) return;
  const Real length = L0();
  if (length == 0) return;
  dtLV.SetValue(dt1.Value() / length * scale);
}

void TMainForm::LeaveDtLV() {
  const Real scale = s_.eos.EosScale;
  if (scale == 0) return;
  dt1.SetValue(dtLV.Value() * L0() / scale);
}

void TMainForm::LeaveTotalTime() {
  const Real scale = s_.eos.EosScale;
  const Real length = L0();
  if (scale == 0 || length == 0) return;
  TimeLV.SetValue(TotalTime.Value() / length * scale);
}

void TMainForm::LeaveTimeLV() {
  const Real scale = s_.eos.EosScale;
  if (scale == 0) return;
  TotalTime.SetValue(TimeLV.Value() * L0() / scale);
}

void TMainForm::LeaveEndTime(MainFormContext& ctx) {
  const bool changed = EndTime.Modified();
  const Real scale = s_.eos.EosScale;
  const Real length = L0();
  if (scale != 0 && length != 0) EndTmLV.SetValue(EndTime.Value() / length * scale);
  if (changed) EndTimeChanged(ctx);
}

void TMainForm::LeaveEndTmLV(MainFormContext& ctx) {
  const bool changed = EndTmLV.Modified();
  const Real scale = s_.eos.EosScale;
  if (scale != 0) EndTime.SetValue(EndTmLV.Value() * L0() / scale);
  if (changed) EndTimeChanged(ctx);
}

void TMainForm::Leave(std::string_view field, MainFormContext& ctx) {
  if (field == "dt1") LeaveDt1();
  if (field == "dtLV") LeaveDtLV();
  if (field == "EndTime") LeaveEndTime(ctx);
  if (field == "EndTmLV") LeaveEndTmLV(ctx);
  if (field == "TotalTime") LeaveTotalTime();
  if (field == "TimeLV") LeaveTimeLV();
}

void TMainForm::EndTimeChanged(MainFormContext& ctx) {
  if (!(EndTime.Value() > TotalTime.Value()) || !SaveDir.empty()) return;
  std::string name = ctx.SaveDialogFileName();
  if (name.empty()) name = ctx.OpenDialogFileName();
  if (name.empty()) return;
  SaveDir = DirectoryOf(name);
  PicturesAsJpeg = ctx.PicturesAsJpeg();
  HistoryFileName = SaveDir + (ctx.CriticalDensityPanelVisible() ? "xrc.dat" : "Surf.dat");
}

void TMainForm::SetMnStepDiv(int32_t value) {
  if (std::clamp(value, 1, kMnStepDivMax) != MnStepDiv) s_.run.StepInUse = 0;
  MnStepDiv = std::clamp(value, 1, kMnStepDivMax);
  StepDiv = std::max(StepDiv, MnStepDiv);
  s_.sim.dtMax = dt1.Value() / MnStepDiv;
}

void TMainForm::SetStepDiv(int32_t value) {
  // A step division chosen by hand replaces the step the last interval ended with.
  if (std::clamp(value, 1, kStepDivMax) != StepDiv) s_.run.StepInUse = 0;
  StepDiv = std::clamp(value, 1, kStepDivMax);
}

void TMainForm::SetDimension(int32_t value) {
  Dimension = std::clamp(value, 0, kDimensionMax);
}

bool TMainForm::CommitRun() {
  SimParams& sp = s_.sim;
  SetFilmDensity(s_, Rho0.Value());
  const Real TimeScale = sp.L0 / s_.eos.EosScale;
  const Real lv = dtLV.Value();
  if (dtLVEdited && lv > 0) {
    dt1.SetValue(lv * TimeScale);
    dtLVEdited = false;
  } else if (dt1.Value() == 0) {
    focus = "dt1";
    return false;
  } else {
    dtLV.SetValue(dt1.Value() / TimeScale);
  }
  if (TimeLVEdited) {
    sp.SimTime = TimeLV.Value() * TimeScale;
  } else if (TotalTimeEdited) {
    sp.SimTime = TotalTime.Value();
  }
  TimeLVEdited = TotalTimeEdited = false;
  TotalTime.SetValue(sp.SimTime);
  StepDiv = std::max(StepDiv, MnStepDiv);
  RunParams& rp = s_.run;
  rp.dt1 = dt1.Value();
  rp.EndTime = EndTime.Value();
  rp.StepDiv = StepDiv;
  rp.MnStepDiv = MnStepDiv;
  sp.dtMax = rp.dt1 / rp.MnStepDiv;
  s_.SpallTrace = SpallTrace;
  s_.spallLog.SetPath(SaveDir + kSpallLogName);
  return true;
}

void TMainForm::ShowTime() {
  const Real t = s_.sim.SimTime;
  TotalTime.SetValue(t);
  TotalTimeEdited = false;
  TimeLV.SetValue(t / (s_.sim.L0 / s_.eos.EosScale));
  TimeLVEdited = false;
}

void TMainForm::ShowRunParams() {
  const RunParams& rp = s_.run;
  if (EndTime.StoredValue() != rp.EndTime || EndTime.Modified()) EndTime.SetValue(rp.EndTime);
  if (dt1.StoredValue() != rp.dt1 || dt1.Modified()) dt1.SetValue(rp.dt1);
  StepDiv = rp.StepDiv;
}

void TMainForm::BreakCalc() {
  s_.sim.Running = false;
  BreakRequested = true;
  CalculateEnabled = false;
}

std::string TMainForm::Trc(const std::string& dateTime) {
  std::string error;
  s_.conv.trace = nullptr;
  traceFile.reset();
  if (s_.prompter.Ask("Trace iterations", AnswerSet::OkCancel()) == Answer::Ok) {
    const std::optional<std::string> name =
        s_.prompter.ChooseSaveFile("Trace", "Text|*.txt", SaveDir + "Trace.txt");
    if (name && !name->empty()) {
      auto file = std::make_unique<TraceFile>(*name);
      error = file->Create(dateTime);
      if (error.empty()) {
        traceFile = std::move(file);
        s_.conv.trace = traceFile.get();
      }
    }
  }
  SpallTrace = s_.prompter.Ask("Trace spallation", AnswerSet::OkCancel()) == Answer::Ok;
  return error;
}

bool TMainForm::CloseRequest(MainFormContext& ctx) {
  if (s_.sim.Running) {
    if (s_.prompter.Ask("Break calculations?", AnswerSet::YesNo()) != Answer::No) BreakCalc();
    return false;  // the run ends first; the user closes again afterwards
  }
  if (Unsaved) {
    switch (s_.prompter.Ask("Results not saved! Save now?", AnswerSet::YesNoCancel())) {
      case Answer::Yes:
        return ctx.SaveResults() && !Unsaved;
      case Answer::No:
        return true;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace tarvex
