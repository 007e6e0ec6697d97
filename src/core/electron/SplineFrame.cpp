// The "Spline" page: the input file, "&Init Spline" with its table, and the OK that
// installs the data-file model.
#include <cmath>
#include <cstdio>

#include "core/electron/Materials.h"
#include "core/electron/ThermParFrames.h"

namespace tarvex {

namespace {

constexpr const char* kGrAdd = "GrAddCheck";
constexpr const char* kGrMult = "GrMultCheck";
constexpr const char* kKappa = "KappaCheck";
constexpr const char* kConstAlpha = "ConstAlphaCheck";
constexpr const char* kAddFields[] = {"G1Edit", "G2Edit", "G3Edit"};
// Rows of the table of an analytic kind, which has no temperatures of its own, up to:
constexpr int32_t kAnalyticRows = 20;
constexpr Real kAnalyticTeMax = 5e4L;  // [K]

}  // namespace

TSplineEOSFrame::TSplineEOSFrame(const ElPageInfo& page, std::shared_ptr<TNumStringFormat> format)
    : TElThermParFrame(page, format), format_(format) {
  SetVisible("alEdit", false);
  for (const char* f : kAddFields) SetVisible(f, false);
}

ElChoiceResult TSplineEOSFrame::ChooseMaterial(int32_t index) {
  ElChoiceResult r = TElThermParFrame::ChooseMaterial(index);
  if (r && r.page == Page().index && index == FindMaterial("Spline") && Value("ZEdit") == 0) {
    Show("ZEdit", 1);
  }
  return r;
}

void TSplineEOSFrame::LeaveField(std::string_view name) {
  TElThermParFrame::LeaveField(name);
  if (name == "GammaEdit" || name == "kappa0Edit" || name == "G1Edit" || name == "G2Edit" ||
      name == "G3Edit") {
    RefreshPressureColumn();
  }
}

void TSplineEOSFrame::CheckChanged(std::string_view name) {
  TElThermParFrame::CheckChanged(name);
  if (name == kGrAdd) {
    for (const char* f : kAddFields) SetVisible(f, Check(kGrAdd).value_or(false));
  }
  if (name == kConstAlpha) SetVisible("alEdit", Check(kConstAlpha).value_or(false));
  if (name == kGrAdd || name == kGrMult) RefreshPressureColumn();
}

ElSplineResult TSplineEOSFrame::LoadSplineIn(Prompter& prompter) {
  const auto path = prompter.ChooseOpenFile("Load Spline In file", "Text files (*.txt);;All (*)",
                                            inFile_.empty() ? kDefaultInFile : inFile_);
  if (!path) return {};  // cancelled: nothing changes
  ElSplineResult r = LoadSplineIn(*path);
  if (!r) prompter.Inform(r.message, MessageKind::Error);
  return r;
}

ElButtonResult TSplineEOSFrame::PressButton(std::string_view name, Prompter& prompter) {
  if (name == "SplineInButton") return LoadSplineIn(prompter);
  if (name == "InitSpline" && initVisible_) {
    ElButtonResult r = InitSpline();
    if (!r) prompter.Inform(r.message, MessageKind::Error);
    return r;
  }
  return TElThermParFrame::PressButton(name, prompter);
}

bool TSplineEOSFrame::ButtonVisible(std::string_view name) const {
  return name != "InitSpline" || initVisible_;
}

std::vector<ElNote> TSplineEOSFrame::Notes() const {
  return {{"CefileLabel", "Cefile: " + cefile_, initVisible_ || dataVisible_},
          {"GefileLabel", "Gefile: " + gefile_, initVisible_ || dataVisible_}};
}

ElGrid TSplineEOSFrame::Grid() const {
  ElGrid g;
  g.visible = dataVisible_;
  g.titles.assign(kDataTitles.begin(), kDataTitles.end());
  for (size_t row = 0; row < data_.size(); ++row) {
    std::vector<std::string> cells;
    for (size_t col = 0; col < kDataTitles.size(); ++col) cells.push_back(DataText(row, col));
    g.rows.push_back(std::move(cells));
  }
  return g;
}

ElSplineResult TSplineEOSFrame::LoadSplineIn(const std::string& path) {
  ElSplineResult r;
  const SplineInFile in = ReadSplineIn(path);
  if (!in.ok) {
    r.message = in.message;
    return r;
  }
  inFile_ = path;
  cefile_ = ResolveBeside(path, in.Cefile);
  gefile_ = ResolveBeside(path, in.Gefile);
  // The atomic mass, as typed and left.
  SetFieldValue("mEdit", in.Amass, true);
  LeaveField("mEdit");
  initVisible_ = true;
  r.ok = true;
  r.focus = "InitSpline";
  return r;
}

ElSplineResult TSplineEOSFrame::InitSpline() {
  ElSplineResult r;
  CeModel ce;
  ElTableResult read = INITCe(cefile_, ce);
  if (!read) {
    initVisible_ = false;
    r.message = read.message;
    return r;
  }
  LeaveField("mEdit");
  GeModel ge;
  read = INITGe(gefile_, ge);
  if (!read) {
    initVisible_ = false;
    r.message = read.message;
    return r;
  }
  ce_ = std::move(ce);
  ge_ = std::move(ge);
  // The model density is the file's; the atomic mass from the input file stays (n_at
  // follows).
  MarkEdited("mEdit", true);
  SetFieldValue("rhoEdit", ce_.density, true);
  LeaveField("rhoEdit");
  FillData();
  dataVisible_ = true;
  r.ok = true;
  return r;
}

SplineGruneisen TSplineEOSFrame::FieldGruneisen() {
  SplineGruneisen g;
  g.rho0 = ce_.density;
  g.Gamma0 = Value("GammaEdit");
  g.G1 = Value("G1Edit");
  g.G2 = Value("G2Edit");
  g.G3 = Value("G3Edit");
  g.add = Check(kGrAdd).value_or(false);
  g.mult = Check(kGrMult).value_or(false);
  return g;
}

void TSplineEOSFrame::FillData() {
  const bool table = ce_.kind == kElTableRows;
  const int32_t n = table ? ce_.spline.Rows() : kAnalyticRows;
  const Real TeMax = table ? ce_.TeMax : kAnalyticTeMax;
  const Real rho0 = ce_.density;
  data_.clear();
  data_.reserve(static_cast<size_t>(n) + 1);
  for (int32_t k = 0; k <= n; ++k) {
    const Real Te = TeMax * static_cast<Real>(k) / static_cast<Real>(n);
    const Real G = ge_.kind == kElTableNone ? 0 : TableCoupling(ge_, rho0, Te);
    data_.push_back({Te, TableCe(ce_, rho0, Te), TableEe(ce_, rho0, Te), 0, G, rho0 * G});
  }
  RefreshPressureColumn();
}

void TSplineEOSFrame::RefreshPressureColumn() {
  if (data_.empty()) return;
  const SplineGruneisen g = FieldGruneisen();
  const Real rho0 = ce_.density;
  const Real Gamma = GruneisenOf(g, rho0);
  for (auto& row : data_) row[3] = rho0 * Gamma * row[2];
}

std::string TSplineEOSFrame::DataText(size_t row, size_t col) const {
  if (row >= data_.size() || col >= kDataTitles.size()) return {};
  const Real v = data_[row][col];
  if (format_) return format_->FormatValue(v);
  char buf[48];
  std::snprintf(buf, sizeof buf, "%.6Lg", v);
  return buf;
}

ElOkResult TSplineEOSFrame::Validate() {
  if (!dataVisible_) {
    return Refuse("SplineInButton",
                  "no data files read yet: \"&Load Spline In file\", then \"&Init Spline\"");
  }
  return TElThermParFrame::Validate();
}

void TSplineEOSFrame::Install(ElTargets& t) {
  TElThermParFrame::Install(t);
  ElectronState& e = t.electron;
  SplineElParams& p = e.Block<SplineElParams>();
  p.ce = ce_;
  p.ge = ge_;
  p.gr = FieldGruneisen();
  ElectronModel& m = e.model;
  BindElectronThermo<SplineElParams, &SplineEnergy, &SplineHeatCap, &SplinePressure,
                     &SplinePressureDT>(m, p);
  m.ElTofE = MakeSlot<SplineElParams, &SplineTofE>(p);
  // A coupling file that names no coupling keeps the constant one of the base frame.
  if (!Check(kConstAlpha).value_or(false) && p.ge.kind != kElTableNone) {
    m.Coupling = MakeSlot<SplineElParams, &SplineCoupling>(p);
  }
  if (Check(kKappa).value_or(false)) {
    e.conductivity.value = 1e-5L * Value("kappa0Edit");  // W/m/K -> kW/cm/K
    m.ElConductivity = MakeSlot3<ConstParams, &ConstValue3>(e.conductivity);
  }
}

}  // namespace tarvex
