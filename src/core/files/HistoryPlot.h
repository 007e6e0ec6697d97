// THistoryPlot: the "Histories" view without a display. It reads a time-history file
// (any of its layouts), offers the columns its header names and plots the chosen column
// against the time. The desktop program re-reads the file after every output interval.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/Real.h"
#include "core/plot/PlotModel.h"

namespace tarvex {

// The columns and records of a history text.
struct HistoryTable {
  std::vector<std::string> titles;         // column titles, the time's first (trimmed)
  std::vector<std::vector<Real>> records;  // per record, one value per column (NaN: none)
};

// Reads a history: the header names the columns (TAB-separated; the critical-density
// layout separates by blanks); a phase field ("  Liq=3") reads as its code; a field that is
// no number reads as NaN. Lines after the header that hold no number are skipped.
HistoryTable ParseHistoryText(const std::string& text);

class THistoryPlot {
 public:
  static constexpr int32_t kDefaultWidth = 640;
  static constexpr int32_t kDefaultHeight = 400;

  THistoryPlot();

  // The history this view shows (the main window's HistoryFileName).
  void SetFile(const std::string& path) { path_ = path; }
  const std::string& File() const { return path_; }

  // Re-reads the file and re-plots the chosen column. False, with Error() saying why,
  // when the file cannot be read (the plot is then empty).
  bool Reload();
  const std::string& Error() const { return error_; }

  // Titles of the columns that can be plotted (every column after the time).
  std::vector<std::string> ColumnTitles() const;
  int32_t Column() const { return column_; }
  // Chooses column k of ColumnTitles() (kept when a reload brings the same titles); false
  // when there is no such column.
  bool SelectColumn(int32_t k);
  int32_t RecordCount() const { return static_cast<int32_t>(table_.records.size()); }

  PlotModel graph;

 private:
  void Plot();

  std::string path_;
  std::string error_;
  HistoryTable table_;
  int32_t column_ = 0;
};

}  // namespace tarvex
