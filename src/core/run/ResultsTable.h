// TEMPORARY STAND-IN for the results table model (TResultsTable), written only so that
// the desktop program builds and shows a table before the real model is merged. It has
// the real model's interface and fills the columns every solver class shares (node
// number, coordinate, density, velocity, pressure, energy, temperature). Replace this
// whole file with the real core/run/ResultsTable.h when merging.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/Session.h"
#include "core/hydro/HydrStat.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsGraphs.h"

namespace tarvex {

class TResultsTable {
 public:
  // Row 0 holds the column titles; rows 1.. the nodes 0..N.
  int32_t RowCount() const { return rows_; }
  int32_t ColumnCount() const { return columns_; }
  const std::string& Cell(int32_t row, int32_t col) const {
    return cells_[static_cast<size_t>(row) * static_cast<size_t>(columns_) +
                  static_cast<size_t>(col)];
  }
  uint64_t Version() const { return version_; }

  void Refresh(Session& s, const TMainForm& f) {
    ++version_;
    if (s.StateA == nullptr) {
      rows_ = 0;
      columns_ = 0;
      cells_.clear();
      return;
    }
    const THydrStat& A = *s.StateA;
    const int32_t N = A.CellCount();
    const Real x1 = f.x1Edit.StoredValue() != 0 ? f.x1Edit.StoredValue() : 1;
    const Real scale = s.eos.EosScale != 0 ? s.eos.EosScale : 1;
    const bool units = PhysicalUnits(s.eos.EosScale, x1);
    const std::string len = LengthUnitName(x1);
    const std::vector<std::string> titles =
        units ? std::vector<std::string>{"No(n)",      "x(n)[" + len + "]", "rho[g/cm3]",
                                         "v(n)[km/s]", "P(n+1/2)[GPa]",     "E(n+1/2)[kJ/g]",
                                         "T(n+1/2)[K]"}
              : std::vector<std::string>{"   No",    "x(n)    ", "rho",     "v(n)/v1 ",
                                         "P(n+1/2)", "E(n+1/2)", "T(n+1/2)"};
    columns_ = static_cast<int32_t>(titles.size());
    rows_ = N + 2;
    cells_.assign(static_cast<size_t>(rows_) * static_cast<size_t>(columns_), std::string());
    for (int32_t c = 0; c < columns_; ++c) cells_[static_cast<size_t>(c)] = titles[c];
    const TNumStringFormat& fmt = *f.tableFormat;
    for (int32_t n = 0; n <= N; ++n) {
      std::string* row = &cells_[static_cast<size_t>(n + 1) * static_cast<size_t>(columns_)];
      row[0] = std::to_string(n);
      row[1] = fmt.FormatValue(A.x[n] / x1);
      row[3] = fmt.FormatValue(A.v[n] / scale);
      if (n < N) {
        row[2] = fmt.FormatValue(A.Density(n));
        row[4] = fmt.FormatValue(A.P[n]);
        row[5] = fmt.FormatValue(A.E[n]);
        row[6] = fmt.FormatValue(A.T[n]);
      }
    }
  }

 private:
  int32_t rows_ = 0;
  int32_t columns_ = 0;
  std::vector<std::string> cells_;
  uint64_t version_ = 0;
};

}  // namespace tarvex
