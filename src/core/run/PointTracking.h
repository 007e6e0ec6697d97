// Point tracking: the table rows of user-chosen nodes and their record in "pTrack.dat"
// after every output interval. The texts are the results table's own, so a tracked point
// reads exactly as the table shows it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/common/Real.h"

namespace tarvex {

class TResultsTable;

struct TPointTracking {
  // Table rows of the tracked points (node n is row n + 1), strictly increasing.
  std::vector<int32_t> TrackedRows;

  // Replaces the list; false (list unchanged) unless the rows are strictly increasing and
  // within 1 .. rowCount - 1.
  bool SetRows(std::vector<int32_t> rows, int32_t rowCount);
};

// Header line of a new file: "time[" + AddStr + "]" in 12 characters, then per point the
// titles of x, rho, v, P and the temperature(s), unit-labelled when `unitTitles`.
std::string TrackedPointsHeader(const TResultsTable& table, const std::vector<int32_t>& rows,
                                const std::string& AddStr, bool unitTitles);

// One record: the time text in 12 characters, then per point the table's texts of that
// row (coordinate 15, density 12, velocity 12, pressure 12, temperature(s) trimmed 7).
// Rows outside the table are skipped. A frozen grid shows "0" for density and velocity
// and `poutText` (the outer pressure) for the pressure.
std::string TrackedPointsRecord(const TResultsTable& table, const std::vector<int32_t>& rows,
                                const std::string& timeText, const std::string& poutText);

}  // namespace tarvex
