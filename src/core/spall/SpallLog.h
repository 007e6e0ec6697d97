// The spallation log "Spall.dat": one record per failed cell, appended while the
// spallation trace is on.
//
// Header (written once, when the file is created):
//   "T, K "  "P, GPa" "rho, g/cm3"   "time, ps"
// followed, when the nucleation or spall criterion is on, by
//          "tau_n, ps"   "sigma, erg/cm2"
// Records: T [K] (7 characters, 2 decimals), p after the hot-electron shift [GPa] (10, 4
// decimals), ρ [g/cm³] (12, 4 decimals), the time [ps] (16, scientific) and, when the
// available time τa is not 0, τa [ps] (16, scientific) and σ [erg/cm²] (12, 4 decimals).
// Fields are right-aligned and TAB-separated, lines end with CR LF.
//
// Each record is appended whole or not at all (AppendRecord): a failed append keeps the
// earlier records and is reported; the run goes on.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "core/common/AtomicFile.h"
#include "core/common/Real.h"
#include "core/spall/SpallCheck.h"

namespace tarvex {

inline constexpr const char* kSpallLogName = "Spall.dat";

// The header line, with the τa and σ titles when `timeColumns`.
std::string SpallLogHeader(bool timeColumns);

// One record. T, p, ρ as the check saw them; `time` and `tauA` in s (written in ps).
std::string SpallLogRecord(Real T, Real p, Real rho, Real time, Real tauA, Real sigma);

class TSpallLog {
 public:
  explicit TSpallLog(std::filesystem::path path = kSpallLogName) : path_(std::move(path)) {}

  const std::filesystem::path& Path() const { return path_; }
  void SetPath(std::filesystem::path path) { path_ = std::move(path); }

  // Appends the record of a failed cell at simulation time `time` [s]; the file is created
  // with its header when it does not exist. A failure is counted and kept for
  // TakeFailure; earlier records stay as they were.
  FileWriteResult Append(const TSpallParams& sp, const TSpallCell& cell, const TSpallVerdict& v,
                         Real time);

  int32_t Written() const { return written_; }
  int32_t Failures() const { return failures_; }
  // The first failure message since the last call, once (the driver reports it after the
  // interval rather than once per cell).
  std::optional<std::string> TakeFailure();

 private:
  std::filesystem::path path_;
  int32_t written_ = 0;
  int32_t failures_ = 0;
  std::optional<std::string> unreported_;
};

}  // namespace tarvex
