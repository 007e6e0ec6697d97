// Point tracking texts.
#include "core/run/PointTracking.h"

#include <span>
#include <string_view>

#include "core/run/ResultsTable.h"

namespace tarvex {

namespace {

void Field(std::string& out, std::string_view text, size_t width) {
  out += '\t';
  if (text.size() < width) out.append(width - text.size(), ' ');
  out += text;
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

bool TPointTracking::SetRows(std::vector<int32_t> rows, int32_t rowCount) {
  for (size_t k = 0; k < rows.size(); ++k) {
    if (rows[k] < 1 || rows[k] >= rowCount) return false;
    if (k > 0 && rows[k] <= rows[k - 1]) return false;
  }
  TrackedRows = std::move(rows);
  return true;
}

std::string TrackedPointsHeader(const TResultsTable& table, const std::vector<int32_t>& rows,
                                const std::string& AddStr, bool unitTitles) {
  std::string out;
  const std::string time = "time[" + AddStr + "]";
  if (time.size() < 12) out.append(12 - time.size(), ' ');
  out += time;
  // Columns of one tracked point: unit-labelled title, plain title, width.
  struct Column {
    std::string_view unit, plain;
    size_t width;
  };
  static constexpr Column kOneT[] = {{"x[nm]     ", "x", 15},
                                     {"rho[g/cm3]", "rho", 12},
                                     {"v[km/s]   ", "v", 12},
                                     {"P[GPa]    ", "P", 12},
                                     {"T[K]", "T", 7}};
  static constexpr Column kTwoT[] = {{"x[nm]     ", "x", 15}, {"rho[g/cm3]", "rho", 12},
                                     {"v[km/s]   ", "v", 12}, {"P[GPa]    ", "P", 12},
                                     {"Ti[K]", "Ti", 7},      {"Te[K]", "Te", 7}};
  const std::span<const Column> columns =
      table.TwoTemperature() ? std::span<const Column>(kTwoT) : std::span<const Column>(kOneT);
  for (size_t k = 0; k < rows.size(); ++k) {
    for (const Column& c : columns) Field(out, unitTitles ? c.unit : c.plain, c.width);
  }
  out += "\r\n";
  return out;
}

std::string TrackedPointsRecord(const TResultsTable& table, const std::vector<int32_t>& rows,
                                const std::string& timeText, const std::string& poutText) {
  std::string out;
  if (timeText.size() < 12) out.append(12 - timeText.size(), ' ');
  out += timeText;
  const int32_t cx = table.ColumnOf(TColumnKind::X);
  const int32_t crho = table.ColumnOf(TColumnKind::Rho);
  const int32_t cv = table.ColumnOf(TColumnKind::V);
  const int32_t cp = table.ColumnOf(TColumnKind::P);
  const int32_t cT = table.ColumnOf(TColumnKind::T);
  const int32_t cTe = table.ColumnOfArray("Te");
  const int32_t lastRow = table.RowCount() - 1;
  for (int32_t row : rows) {
    if (row < 1 || row > lastRow) continue;
    Field(out, table.Cell(row, cx), 15);
    Field(out, crho >= 0 ? std::string_view(table.Cell(row, crho)) : "0", 12);
    Field(out, cv >= 0 ? std::string_view(table.Cell(row, cv)) : "0", 12);
    Field(out, cp >= 0 ? std::string_view(table.Cell(row, cp)) : std::string_view(poutText), 12);
    Field(out, Trimmed(table.Cell(row, cT)), 7);
    if (cTe >= 0) Field(out, Trimmed(table.Cell(row, cTe)), 7);
  }
  out += "\r\n";
  return out;
}

}  // namespace tarvex
