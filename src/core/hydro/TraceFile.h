// The iteration trace file: every write opens the file for appending, writes and closes
// it, so the trace survives whatever happens to the run.
#pragma once

#include <string>
#include <string_view>

#include "core/hydro/Convergence.h"

namespace tarvex {

class TraceFile : public TraceSink {
 public:
  explicit TraceFile(std::string path) : path_(std::move(path)) {}

  // Creates (or truncates) the file with one line holding `firstLine` (the date and time
  // tracing was switched on). Returns an error text, empty on success.
  std::string Create(std::string_view firstLine);

  void Append(std::string_view text) override;

  const std::string& Path() const { return path_; }
  // The first failed write, if any ("" when every write succeeded). Tracing never stops
  // a run; the driver reports this once.
  const std::string& Error() const { return error_; }

 private:
  std::string path_;
  std::string error_;
};

}  // namespace tarvex
