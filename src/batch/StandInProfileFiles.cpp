// STAND-IN profile tables of the batch runner (see the header).
#include "batch/StandInProfileFiles.h"

#include <cstdio>

#include "core/hydro/HydrStat.h"
#include "core/plot/AtomicFile.h"

namespace tarvex::batch {

std::string StandInProfileFiles::ProfileBaseName(const std::string& saveDir, Real) {
  char name[32];
  std::snprintf(name, sizeof name, "profile_%04d", static_cast<int>(++count_));
  return saveDir + name;
}

bool StandInProfileFiles::WriteProfile(const std::string& fileName, bool) {
  const THydrStat* A = app_.session.StateA;
  if (A == nullptr) return true;
  const TNumStringFormat& fmt = *app_.main.tableFormat;
  std::string text = "x\tv\trho\tP\tT\tE\r\n";
  for (int32_t i = 0; i < A->CellCount(); ++i) {
    const auto k = static_cast<size_t>(i);
    text += fmt.FormatValue(A->CellCentre(i)) + '\t' + fmt.FormatValue(A->CellVelocity(i)) + '\t' +
            fmt.FormatValue(A->Density(i)) + '\t' + fmt.FormatValue(A->P[k]) + '\t' +
            fmt.FormatValue(A->T[k]) + '\t' + fmt.FormatValue(A->E[k]) + "\r\n";
  }
  const FileWriteResult r = WriteFileAtomically(fileName, text);
  if (!r) {
    lastError_ = r.message;
    return false;
  }
  written_.push_back(fileName);
  return true;
}

}  // namespace tarvex::batch
