// The R(t) series file: choosing it, its header and its records.
#include "core/optics/RefractSeries.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "core/common/AppendFile.h"
#include "core/common/NumStringFormat.h"
#include "core/common/Prompter.h"
#include "core/optics/ComplexField.h"

namespace tarvex {

namespace fs = std::filesystem;

namespace {
constexpr const char* kEol = "\r\n";
}  // namespace

std::string RefractSeries::HeaderLine() {
  return RightAligned("t", 12) + "\t" + RightAligned("R", 12) + "\t" + RightAligned("P", 12) + kEol;
}

std::string RefractSeries::RecordLine(Real SimTime, const TNumStringFormat& programFormat,
                                      const TComplexField& Refr) {
  return RightAligned(programFormat.FormatValue(SimTime * 1e12L), 12) + "\t" +
         RightAligned(Refr.Re.Text(), 14) + "\t" + RightAligned(Refr.Im.Text(), 12) + kEol;
}

bool RefractSeries::Fail(const std::string& message, Prompter& prompter) {
  on_ = false;
  lastError_ = message;
  prompter.Inform(message, MessageKind::Error);
  return false;
}

bool RefractSeries::ChooseSeriesFile(Prompter& prompter, bool ask, const std::string& proposed) {
  if (!ask && !on_) return on_;
  chosen_ = true;
  const std::optional<std::string> chosen =
      prompter.ChooseSaveFile(kSeriesCaption, kSeriesFilter, path_.empty() ? proposed : path_);
  if (!chosen || chosen->empty()) {
    on_ = false;
    return on_;
  }
  std::string name = *chosen;
  if (!fs::path(name).has_extension()) name += std::string(".") + kSeriesDefaultExt;

  std::error_code ec;
  if (fs::exists(name, ec)) {
    switch (prompter.Ask(kAskAppendSeries, AnswerSet::YesNoCancel())) {
      case Answer::Yes:
        break;
      case Answer::No:
        if (const FileWriteResult w = WriteFileAtomically(name, HeaderLine()); !w) {
          return Fail(w.message, prompter);
        }
        break;
      default:
        on_ = false;
        return on_;
    }
  } else if (const FileWriteResult w = WriteFileAtomically(name, HeaderLine()); !w) {
    return Fail(w.message, prompter);
  }
  path_ = name;
  lastError_.clear();
  on_ = true;
  return on_;
}

bool RefractSeries::Append(Real SimTime, const TNumStringFormat& programFormat,
                           const TComplexField& Refr, Prompter& prompter) {
  if (!on_) return true;
  const FileWriteResult w =
      AppendRecord(path_, HeaderLine(), RecordLine(SimTime, programFormat, Refr));
  if (!w) return Fail(w.message, prompter);
  lastError_.clear();
  return true;
}

}  // namespace tarvex
