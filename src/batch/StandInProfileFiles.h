// STAND-IN for the profile-file set: until the result-file writer of core/files
// (ResultFiles) is part of the build, the batch runner writes one plain table per output
// interval through these hooks, so that a run leaves its profiles on disk and a failed
// write ends the run with the I/O exit code. Replace it by ResultFiles where the runner
// creates its hooks (MakeResultHooks in BatchMain.cpp); nothing else depends on it.
#pragma once

#include <string>
#include <vector>

#include "core/run/AppModel.h"
#include "core/run/Driver.h"

namespace tarvex::batch {

class StandInProfileFiles : public RunHooks {
 public:
  explicit StandInProfileFiles(AppModel& app) : app_(app) {}

  // "profile_0001", "profile_0002", ... in the output directory.
  std::string ProfileBaseName(const std::string& saveDir, Real TotalTime) override;
  // One line per cell: centre x, velocity v, density rho, P, T, E (state units),
  // TAB-separated, CR LF line ends, written atomically.
  bool WriteProfile(const std::string& fileName, bool final) override;

  const std::vector<std::string>& Written() const { return written_; }
  // Why the last write failed ("" when none did).
  const std::string& LastError() const { return lastError_; }

 private:
  AppModel& app_;
  int32_t count_ = 0;
  std::vector<std::string> written_;
  std::string lastError_;
};

}  // namespace tarvex::batch
