// The save-options dialog ("SaveFileOptions") as a form model, and the rules that turn a
// time into the base name of a profile file set and read the time back from such a name.
//
// A name is SaveDir + number text + AddStr, the number being t * Scal written with the
// decimal separator "p" (1.5 -> "0001p500" in the automatic fixed layout), a minus sign
// as "#", leading blanks as "0" and an exponent as a plain integer ("E-12").
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/NumStringFormat.h"
#include "core/common/Real.h"
#include "core/common/RealField.h"

namespace tarvex {

class Prompter;

inline constexpr int32_t kNameAuto = 0;   // RadioGroup1 "&Auto"
inline constexpr int32_t kNameFixed = 1;  // RadioGroup1 "&Fixed"
inline constexpr std::array<const char*, 3> kNameFormatTypes{"General", "Exponent", "Fixed"};
inline constexpr int32_t kGraphBmp = 0;
inline constexpr int32_t kGraphJpeg = 1;
inline constexpr std::array<const char*, 2> kGraphTypes{"BMP", "JPEG"};

class TSaveFileOptions {
 public:
  TSaveFileOptions();

  std::string SaveDir;              // DirLabel: output directory with its trailing separator
  RealField Scal;                   // "&Name: Time *": factor applied to the time
  int32_t RadioGroup1 = kNameAuto;  // "Format:"
  int32_t FormatType = 0;           // layout for "&Fixed": General, Exponent, Fixed
  int32_t Press = 4;                // Edit1: precision, -1 (none) .. 8
  int32_t FWidth = 0;               // Edit2: width, 0 .. 16
  std::string AddStr;               // "&Add:": suffix after the number
  int32_t GraphType = kGraphJpeg;   // picture format
  TNumStringFormat NameStr;         // reads and writes times in names: 4 digits, "p"

  static constexpr int32_t kPressMin = -1;
  static constexpr int32_t kPressMax = 8;
  static constexpr int32_t kFWidthMax = 16;

  // Leaving Scal: a power of ten of a known unit sets AddStr ("ms", "mks", "ns", "ps",
  // "fs" for 1e3, 1e6, 1e9, 1e12, 1e15).
  void LeaveScal();
  // "&Directiry:": the directory picker (which may create the directory); false when
  // cancelled or when the directory cannot be created.
  bool DirButton(Prompter& prompter);
  bool PicturesAsJpeg() const { return GraphType != kGraphBmp; }
  void SetPress(int32_t p);
  void SetFWidth(int32_t w);

  // The number text of a time (without directory and suffix).
  std::string NumberText(Real t) const;
  // MakeOutputName: SaveDir + NumberText(t) + AddStr.
  std::string MakeOutputName(Real t) const;
};

// Why a suffix cannot stand in a file name ("" when it can): a control character, or a
// "/", "\" or ":" that would make it a directory.
std::string NameSuffixRefusal(std::string_view AddStr);

// Why a profile set cannot be written under the base name `base` (directory, number and
// suffix, without extension), "" when it can: every file of the set ("_opt.dat" is the
// longest ending) and its staging files must fit the system's limits of a file name
// (255 bytes) and of a path (4095 bytes), and hold no control character.
std::string OutputNameRefusal(const std::string& base);

// A directory path with its trailing separator (none added after ":", "/" or "\").
std::string WithTrailingSeparator(std::string dir);

// The time a profile file name stands for [s]: the number of the name read with the
// separator "p" and scaled by the unit that follows it ("ps", "fs", "ns", "ms", "mks";
// any other rest leaves the number as it is). Nothing when the name starts with no
// number. `path` may carry a directory and an extension.
std::optional<Real> TimeFromName(std::string_view path, const TNumStringFormat& NameStr);

// The caption of a picture: the file name without directory and extension, the first "p"
// followed by a digit as " ,", and (with hashRule) a "#" followed by a digit as " - ".
std::string PictureCaption(std::string_view path, bool hashRule = true);

}  // namespace tarvex
