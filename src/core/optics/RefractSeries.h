// The R(t) series of the layered optics: a user-chosen text file that gets one line per
// optical calculation, the time [ps], the reflectance R and the phase shift [nm] (the
// texts of the complex refraction field).
//
// File: a header line "t", "R", "P" each right-aligned in 12 characters; records: the time
// in the program's number format right-aligned in 12, the real-part text in 14 and the
// imaginary-part text in 12 characters. Fields are separated by a TAB (so that texts
// longer than their width never run together), lines end with CR LF. A new file is created
// whole with its header; an appended record is never left half written.
#pragma once

#include <string>

#include "core/common/Real.h"

namespace tarvex {

class Prompter;
class TNumStringFormat;
class TComplexField;

inline constexpr const char* kSeriesCaption = "R(t) file";
inline constexpr const char* kSeriesFilter = "Data file|*.DAT";
inline constexpr const char* kSeriesDefaultExt = "DAT";
inline constexpr const char* kAskAppendSeries = "Append new data to existing file";

class RefractSeries {
 public:
  // The series is written: a file is chosen and no write has failed since.
  bool On() const { return on_; }
  // ChooseSeriesFile has run (the optics asks by itself only before that).
  bool Chosen() const { return chosen_; }
  const std::string& Path() const { return path_; }
  // The last failure, naming the file and the reason ("" after a success).
  const std::string& LastError() const { return lastError_; }
  void SwitchOff() { on_ = false; }

  // ChooseSeriesFile(ask): when asked, or while the series is on, the save dialog
  // (filter "Data file|*.DAT", default extension "DAT"; `proposed` or the present file
  // proposed) chooses the file. Cancelling it switches the series off. A new file is
  // created with the header; for an existing file "Append new data to existing file"
  // (Yes/No/Cancel): Yes appends to it, No rewrites it with the header, Cancel switches
  // the series off. A failed creation switches the series off and is reported. Returns On().
  bool ChooseSeriesFile(Prompter& prompter, bool ask, const std::string& proposed = {});

  // Appends the record of time SimTime [s] with the refraction texts of `Refr` while the
  // series is on (true without doing anything while it is off). A failed write switches
  // the series off, is reported through the prompter (an error message naming the file
  // and the reason) and returns false; earlier records are kept.
  bool Append(Real SimTime, const TNumStringFormat& programFormat, const TComplexField& Refr,
              Prompter& prompter);

  static std::string HeaderLine();
  static std::string RecordLine(Real SimTime, const TNumStringFormat& programFormat,
                                const TComplexField& Refr);

 private:
  bool Fail(const std::string& message, Prompter& prompter);

  bool on_ = false;
  bool chosen_ = false;
  std::string path_;
  std::string lastError_;
};

}  // namespace tarvex
