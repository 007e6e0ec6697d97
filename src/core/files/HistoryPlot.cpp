// Reading a time history back and plotting one of its columns against the time.
#include "core/files/HistoryPlot.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "core/common/NumStringFormat.h"

namespace tarvex {

namespace {

std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(" \r\n");
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \r\n") - a + 1);
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> out;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, '\t')) out.push_back(Trimmed(field));
  while (!out.empty() && out.back().empty()) out.pop_back();  // a closing TAB
  return out;
}

std::vector<std::string> SplitBlanks(const std::string& line) {
  std::vector<std::string> out;
  std::istringstream in(line);
  for (std::string f; in >> f;) out.push_back(f);
  return out;
}

// A number, or the code at the end of a phase field ("  Liq=3", " mSol-1"), or NaN.
Real FieldValue(const TNumStringFormat& fmt, const std::string& text) {
  Real v = 0;
  if (fmt.Parse(text, v) == TConvertStatus::Ok) return v;
  size_t at = text.size();
  while (at > 0 && text[at - 1] >= '0' && text[at - 1] <= '9') --at;
  if (at < text.size()) {
    if (at > 0 && text[at - 1] == '-') --at;
    if (fmt.Parse(text.substr(at), v) == TConvertStatus::Ok) return v;
  }
  return std::numeric_limits<Real>::quiet_NaN();
}

}  // namespace

HistoryTable ParseHistoryText(const std::string& text) {
  HistoryTable t;
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line)) return t;
  const bool tabs = line.find('\t') != std::string::npos;
  if (tabs) {
    t.titles = SplitTabs(line);
  } else {
    // "   time     x(rho = 0.9 ) - L": the time and the critical-density position.
    const std::string header = Trimmed(line);
    const size_t gap = header.find("  ");
    t.titles = {Trimmed(header.substr(0, gap)),
                gap == std::string::npos ? std::string() : Trimmed(header.substr(gap))};
  }
  const TNumStringFormat fmt;
  while (std::getline(in, line)) {
    const std::vector<std::string> fields = tabs ? SplitTabs(line) : SplitBlanks(line);
    if (fields.empty()) continue;
    std::vector<Real> values(t.titles.size(), std::numeric_limits<Real>::quiet_NaN());
    bool any = false;
    for (size_t k = 0; k < fields.size() && k < values.size(); ++k) {
      values[k] = FieldValue(fmt, fields[k]);
      any = any || std::isfinite(values[k]);
    }
    if (any && std::isfinite(values[0])) t.records.push_back(std::move(values));
  }
  return t;
}

namespace {

// Room after the time axis for its last label.
PlotGeometry HistoryGeometry() {
  PlotGeometry g;
  g.right = 40;
  return g;
}

}  // namespace

THistoryPlot::THistoryPlot() : graph(kDefaultWidth, kDefaultHeight, HistoryGeometry()) {
  graph.AddSeries(PlotSeries{"", PlotColors::kBlue, {}, {}, CurveLabelAt::None});
  graph.SetAutoRange(0, true);
  graph.SetAutoRange(1, true);
}

bool THistoryPlot::Reload() {
  error_.clear();
  const std::vector<std::string> before = ColumnTitles();
  std::ifstream in(path_, std::ios::binary);
  if (path_.empty() || !in) {
    table_ = {};
    error_ = path_.empty() ? std::string("No history: no output directory is set")
                           : "Cannot read \"" + path_ + "\"";
    Plot();
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  table_ = ParseHistoryText(text.str());
  // Another layout (a new history): start again from its first column.
  if (ColumnTitles() != before) column_ = 0;
  Plot();
  return true;
}

std::vector<std::string> THistoryPlot::ColumnTitles() const {
  if (table_.titles.size() < 2) return {};
  return {table_.titles.begin() + 1, table_.titles.end()};
}

bool THistoryPlot::SelectColumn(int32_t k) {
  if (k < 0 || k >= static_cast<int32_t>(ColumnTitles().size())) return false;
  column_ = k;
  Plot();
  return true;
}

void THistoryPlot::Plot() {
  const std::vector<std::string> titles = ColumnTitles();
  const bool has = column_ >= 0 && column_ < static_cast<int32_t>(titles.size());
  // "T[K] against time[ps]": the time's unit in the title, where the labels of the time
  // axis leave it room.
  const std::string time = table_.titles.empty() ? std::string("time") : table_.titles[0];
  graph.SetTitle(has ? titles[static_cast<size_t>(column_)] + " against " + time : std::string());
  std::vector<Real> x, y;
  if (has) {
    x.reserve(table_.records.size());
    y.reserve(table_.records.size());
    for (const std::vector<Real>& r : table_.records) {
      x.push_back(r[0]);
      y.push_back(r[static_cast<size_t>(column_) + 1]);
    }
  }
  graph.SetSeriesPoints(0, std::move(x), std::move(y));
}

}  // namespace tarvex
