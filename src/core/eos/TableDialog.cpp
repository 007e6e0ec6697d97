// The "StatEquation Tables" dialog: loading steps, pages, shared selection, editing and
// saving of a table set.
#include "core/eos/TableDialog.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

std::string Shown(Real v) {
  return TableValueFormat().FormatValue(v);
}

std::string Quoted(std::string_view text) {
  std::string q;
  q.reserve(text.size() + 2);
  q.push_back('"');
  q.append(text);
  q.push_back('"');
  return q;
}

std::string Short(Real v) {
  std::string s = TNumStringFormat(TFloatFormat::ffGeneral, 8).FormatValue(v);
  const size_t a = s.find_first_not_of(' ');
  return a == std::string::npos ? s : s.substr(a);
}

}  // namespace

TTablesResult TStatEqTables::LoadFile(Prompter& prompter) {
  const std::optional<std::string> file =
      prompter.ChooseOpenFile("Load tables description", kFilter, "");
  if (!file || file->empty()) return TTablesResult::Refused("&Load File", "");
  return LoadDescription(*file);
}

TTablesResult TStatEqTables::LoadDescription(const std::filesystem::path& manPath) {
  TEosTableDescriptionRead read = ReadEosTableDescription(manPath);
  okVisible_ = false;
  if (!read.ok) {
    memo_ = read.description.lines;
    memo_.push_back(read.message);
    desc_ = TEosTableDescriptionRead{};
    continueVisible_ = false;
    loadFileVisible_ = true;
    focus_ = "&Load File";
    return TTablesResult::Refused("&Load File", read.message);
  }
  desc_ = std::move(read);
  manPath_ = manPath;
  memo_ = desc_.description.lines;
  label1_ = desc_.label;
  FillFields(desc_.description);
  loadFileVisible_ = false;
  continueVisible_ = true;
  focus_ = "&Continue";
  return TTablesResult::Accepted();
}

TTablesResult TStatEqTables::Continue(Prompter& prompter) {
  if (!desc_.ok) return TTablesResult::Refused("&Load File", "Load a description file first");
  TEosTableLoad load = LoadEosTables(desc_, prompter);
  memo_.insert(memo_.end(), load.memo.begin(), load.memo.end());
  if (!load.ok) {
    if (load.memo.empty() || load.memo.back() != load.message) memo_.push_back(load.message);
    continueVisible_ = false;
    okVisible_ = false;
    resetVisible_ = true;
    focus_ = "ReSet";
    return TTablesResult::Refused("ReSet", load.message);
  }
  FillFields(load.set->description);
  table_ = load.set;
  shown_ = table_;
  edited_.reset();
  tableLabel_ = load.set->label;
  tableFile_ = manPath_;
  BuildPages();
  okVisible_ = true;
  resetVisible_ = false;
  focus_ = "OK";
  return TTablesResult::Accepted();
}

TTablesResult TStatEqTables::Ok() {
  if (!okVisible_ || !shown_) {
    return TTablesResult::Refused(continueVisible_ ? "&Continue" : "&Load File",
                                  "No table set with both a pressure and an energy table");
  }
  if (edited_) {
    table_ = shown_;
    edited_.reset();
  }
  continueVisible_ = false;
  resetVisible_ = true;
  result_ = Result::Ok;
  return TTablesResult::Accepted();
}

void TStatEqTables::Cancel() {
  if (edited_) {
    shown_ = table_;
    edited_.reset();
  }
  result_ = Result::Cancel;
}

void TStatEqTables::ReSet() {
  result_ = Result::Retry;
}

void TStatEqTables::Edit() {
  if (shown_) editing_ = true;
}

TTablesResult TStatEqTables::Save(Prompter& prompter) {
  if (!editing_ || !shown_) return TTablesResult::Refused("&Edit", "Nothing to save");
  const std::optional<std::string> file =
      prompter.ChooseSaveFile("Save tables", kFilter, "data.man");
  if (!file || file->empty()) return TTablesResult::Refused("&Save", "");
  std::filesystem::path path(*file);
  if (!path.has_extension()) path += ".man";
  const TEosTableSave saved = SaveEosTableSet(*shown_, memo_, path, &prompter);
  if (!saved.ok) return TTablesResult::Refused("&Save", saved.message);
  return TTablesResult::Accepted();
}

bool TStatEqTables::Visible(std::string_view control) const {
  if (control == "&Load File") return loadFileVisible_;
  if (control == "&Continue") return continueVisible_;
  if (control == "OK") return okVisible_;
  if (control == "ReSet") return resetVisible_;
  if (control == "&Edit") return shown_ != nullptr;
  if (control == "&Save") return editing_ && shown_ != nullptr;
  return control == "Cancel";
}

void TStatEqTables::FillFields(const TTableDescription& d) {
  fields_.Material = d.Material;
  fields_.T_ini = Short(d.TIni);
  fields_.T_fin = Short(d.TFin);
  fields_.T_dim = d.TUnit;
  fields_.R_ini = d.VIni != 0 ? Short(1 / d.VIni) : "";
  fields_.R_fin = d.VFin != 0 ? Short(1 / d.VFin) : "";
  fields_.R_dim = d.RhoUnit;
  fields_.NT = std::to_string(d.NT);
  fields_.NV = std::to_string(d.NV);
  fields_.TGrid = d.TGridLabel;
  fields_.VGrid = d.VGridLabel;
}

void TStatEqTables::BuildPages() {
  pages_.assign(1, Page{"Data", PageKind::Data, TTableKind::Other, -1});
  const TEosTableSet& s = *shown_;
  pages_.push_back({"&Pressu", PageKind::Values, TTableKind::Pressure, -1});
  pages_.push_back({"&Energy", PageKind::Values, TTableKind::Energy, -1});
  if (!s.PhaseId.empty()) pages_.push_back({"Phys&Id", PageKind::Phase, TTableKind::PhaseId, -1});
  if (!s.PhaseMix.empty())
    pages_.push_back({"PhsMi&x", PageKind::Values, TTableKind::PhaseMix, -1});
  if (!s.HeatCapacity.empty()) {
    pages_.push_back({"&HcapaV", PageKind::Values, TTableKind::HeatCapacity, -1});
  }
  if (!s.SoundVelocity.empty()) {
    pages_.push_back({"&SndVls", PageKind::Values, TTableKind::SoundVelocity, -1});
  }
  for (size_t k = 0; k < s.Others.size(); ++k) {
    pages_.push_back(
        {s.Others[k].caption, PageKind::Values, TTableKind::Other, static_cast<int32_t>(k)});
  }
  selRow_ = 2;
  selCol_ = 1;
}

namespace {

// The values of a real page in a set (const or not); nullptr for the phase page.
template <class Set>
auto* ValuesOf(Set& s, const TStatEqTables::Page& p) {
  return p.table == TTableKind::Other && p.other >= 0
             ? &s.Others[static_cast<size_t>(p.other)].values
             : TableValues(s, p.table);
}

}  // namespace

const RealArray* TStatEqTables::RealTable(const Page& p) const {
  return ValuesOf(*shown_, p);
}

int32_t TStatEqTables::RowCount(int32_t page) const {
  if (page <= 0 || page >= PageCount() || !shown_) return 0;
  return shown_->NT() + 2;
}

int32_t TStatEqTables::ColCount(int32_t page) const {
  if (page <= 0 || page >= PageCount() || !shown_) return 0;
  return shown_->NV() + 1;
}

std::string TStatEqTables::Cell(int32_t page, int32_t row, int32_t col) const {
  if (row < 0 || col < 0 || row >= RowCount(page) || col >= ColCount(page)) return {};
  const TEosTableSet& s = *shown_;
  if (col == 0) {
    if (row == 0) return "     \\rho";
    if (row == 1) return "T \\ P \\ V";
    return Shown(s.TGrid()[static_cast<size_t>(row - 2)]);
  }
  if (row == 0) return Shown(s.RhoGrid()[static_cast<size_t>(col - 1)]);
  if (row == 1) return Shown(s.VGrid()[static_cast<size_t>(col - 1)]);
  const Page& p = pages_[static_cast<size_t>(page)];
  const size_t k = s.Index(row - 2, col - 1);
  if (p.kind == PageKind::Phase) return PhaseText(s.PhaseId[k]);
  const RealArray* t = RealTable(p);
  return t != nullptr ? Shown((*t)[k]) : std::string();
}

bool TStatEqTables::CellEditable(int32_t page, int32_t row, int32_t col) const {
  return editing_ && row >= 2 && col >= 1 && row < RowCount(page) && col < ColCount(page);
}

TTablesResult TStatEqTables::SetCell(int32_t page, int32_t row, int32_t col,
                                     std::string_view text) {
  if (!CellEditable(page, row, col)) {
    return TTablesResult::Refused("&Edit", "This cell cannot be edited");
  }
  const Page& p = pages_[static_cast<size_t>(page)];
  Real value = 0;
  PhaseCode code = 0;
  if (p.kind == PageKind::Phase) {
    if (!PhaseTextToSavedCode(text, code) || code < -99 || code > 99) {
      return TTablesResult::Refused(p.caption, Quoted(text) + " is not a phase code");
    }
  } else if (TableValueFormat().Parse(text, value) != TConvertStatus::Ok || !std::isfinite(value)) {
    return TTablesResult::Refused(p.caption, Quoted(text) + " is not a number");
  }
  if (!edited_) {
    edited_ = std::make_shared<TEosTableSet>(*shown_);
    shown_ = edited_;
  }
  const size_t k = edited_->Index(row - 2, col - 1);
  if (p.kind == PageKind::Phase) {
    edited_->PhaseId[k] = code;
  } else {
    (*ValuesOf(*edited_, p))[k] = value;
  }
  return TTablesResult::Accepted();
}

void TStatEqTables::Select(int32_t row, int32_t col) {
  if (!shown_) return;
  selRow_ = std::clamp(row, int32_t{0}, shown_->NT() + 1);
  selCol_ = std::clamp(col, int32_t{0}, shown_->NV());
}

std::vector<std::string> TStatEqTables::Extremes() const {
  std::vector<std::string> lines;
  if (!shown_) return lines;
  const TEosTableSet& s = *shown_;
  const auto describe = [&](const char* name, const RealArray& f) {
    if (f.size() != s.Cells()) return;
    const int32_t last = s.NT() - 1;
    const auto row = [&](int32_t i) {
      const auto first = f.begin() + static_cast<ptrdiff_t>(s.Index(i, 0));
      const auto [lo, hi] = std::minmax_element(first, first + s.NV());
      return "min " + Short(*lo) + ", max " + Short(*hi);
    };
    lines.push_back(std::string(name) + ": corners " + Short(f[s.Index(0, 0)]) + ", " +
                    Short(f[s.Index(0, s.NV() - 1)]) + ", " + Short(f[s.Index(last, 0)]) + ", " +
                    Short(f[s.Index(last, s.NV() - 1)]) + "; first row " + row(0) + "; last row " +
                    row(last));
  };
  describe("pressu", s.Pressure);
  describe("energy", s.Energy);
  for (const TEosDisplayTable& t : s.Others) {
    if (t.name == "entrop") describe("entrop", t.values);
  }
  return lines;
}

}  // namespace tarvex
