// The text files of a tabulated equation of state, read and written without any
// questions: the description (".man"), the grid files "temper.in" and "volume.in", a real
// table ("<name>.tab", NT rows of NV values) and the phase-code table "physid.tab".
//
// Readers never trust their input: every refusal names the file and the line (counted
// from 1) and says what is wrong; nothing is read past a cap on sizes, so a damaged file
// can neither exhaust memory nor take long.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/common/Real.h"
#include "core/eos/PhaseCode.h"

namespace tarvex {

// Caps on what a table set may hold: a grid of at most kMaxTableAxisPoints nodes per
// axis and kMaxTablePoints values per table (32 MB of 80-bit values), files of at most
// kMaxTableFileBytes.
constexpr int32_t kMaxTableAxisPoints = 100000;
constexpr int64_t kMaxTablePoints = 2000000;
constexpr int64_t kMaxTableFileBytes = int64_t{64} << 20;

// Widths of the written formats: a real value is read from at most 15 characters, a
// phase code is two characters.
constexpr int32_t kTableFieldWidth = 15;
constexpr int32_t kTableValuesPerLine = 5;
constexpr int32_t kPhaseCodesPerLine = 30;

// A refusal: "file:line: message" (line 0 when it concerns the whole file).
struct TableFileError {
  std::string file;
  int32_t line = 0;
  std::string message;
  std::string Text() const;
};

// What the description file says about the set. Temperatures in K after the unit "kK"
// has been applied; volumes in the description's unit (cm3/g for physical tables).
struct TTableDescription {
  std::vector<std::string> lines;  // the file's lines (shown in the dialog's Memo)
  int32_t materialLine = -1;       // M: the line naming the material
  std::string eosFile;             // the word ending in ".eos" on line M, or empty
  int32_t materialNumber = 0;
  std::string Material;  // the material number's digits and its "List of materials" entry
  Real TIni = 0, TFin = 0;
  Real TMult = 1;     // multiplier of the temperatures of "temper.in" (1000 for "kK")
  std::string TUnit;  // T_dim as shown ("K" after "kK")
  Real VIni = 0, VFin = 0;
  Real VMult = 1;
  std::string VUnit;    // the volume unit as shown ("V0" for "-")
  std::string RhoUnit;  // R_dim: the density unit, the volume unit inverted
  int32_t NT = 0, NV = 0;
  bool TLog = false, VLog = false;
  Real TStep = 0, VStep = 0;           // grid steps (of ln T, ln V for logarithmic grids)
  std::string TGridLabel, VGridLabel;  // "Lin" or "Log " + the ratio of neighbouring nodes
};

// Parses a description. Lines are counted from 0 here as in the layout: line 0 is the
// title; from line 1 on the first line containing "material" or ".eos" is the material
// line M, followed by the initial and final temperature (optional multiplier, the final
// one with its unit in square brackets), the initial and final volume (likewise), the
// numbers of temperatures and volumes and the two grid kinds (non-zero: logarithmic).
bool ParseTableDescription(std::string_view text, const std::string& fileName,
                           TTableDescription& out, TableFileError& err);

// The generated grid of one axis: n nodes from the first to the last value, linear or
// logarithmic (then both ends must be positive).
bool MakeTableGrid(Real first, Real last, int32_t n, bool logarithmic, RealArray& grid,
                   std::string& message);

// A grid file: every number of the file in free format (any separation); zeros are
// skipped, the others multiplied by `multiplier`. At least two values, finite.
bool ParseGridFile(std::string_view text, const std::string& fileName, Real multiplier,
                   RealArray& values, TableFileError& err);

// Called for a field of a real table that is not a number, with the field text and its
// column (1-based). True reads it as 0 ("Allow ... in tab ... of numbers line").
using TAllowWord = std::function<bool(const std::string& field, int32_t column)>;

// A real table of NT rows of NV values, row after row (row i at values[i * NV]). Values
// are separated by blanks, tabs or commas; a row may continue over several lines; a tab
// or comma directly after another one (or at the start of a line) is an empty field and
// reads as 0. A value is read from at most 15 characters unless the whole field is one
// longer number. The file must hold exactly NT * NV values.
bool ParseRealTable(std::string_view text, const std::string& fileName, int32_t NT, int32_t NV,
                    const TAllowWord& allow, RealArray& values, TableFileError& err);

// The phase-code table: NT rows of NV integers of at most two digits (each the first
// integer of what is left of the line). When the file ends early the rest of the row
// copies the row above, and each missing row the last row read (zeros before any row).
bool ParsePhaseTable(std::string_view text, const std::string& fileName, int32_t NT, int32_t NV,
                     std::vector<PhaseCode>& codes, TableFileError& err);

// ---- writing ----
// The formats the files are written with: values with 8 significant digits right-aligned
// in 15 characters; grid values fixed-point with 8 decimals.
TNumStringFormat TableValueFormat();
TNumStringFormat TableGridFormat();

// Grid file text: five values per line; the last, incomplete line has no line end.
std::string FormatGridFile(const RealArray& values, const TNumStringFormat& format);
// Real table text: each row as lines of five right-aligned fields and a last line with
// the rest of the row. `texts` gives the cell text (row, column) as the table shows it.
std::string FormatRealTable(int32_t NT, int32_t NV,
                            const std::function<std::string(int32_t, int32_t)>& texts);
// The values formatted with `format`, each row as above.
std::string FormatRealTable(int32_t NT, int32_t NV, const RealArray& values,
                            const TNumStringFormat& format);
// Phase codes, thirty per line, each in two characters. Codes beyond -99..99 do not fit
// the field: false with the message naming the first.
bool FormatPhaseTable(int32_t NT, int32_t NV, const std::vector<PhaseCode>& codes,
                      std::string& text, std::string& message);
// The code of a phase text as the saving writes it ("SL" and "LS" 2, "Sa..." 7, a longer
// text beginning with "Se" 9; a leading "m" or "-" negates; a signed integer is its
// value); false for any other text.
bool PhaseTextToSavedCode(std::string_view text, PhaseCode& code);

// ---- files ----
// Reads a whole regular file of at most kMaxTableFileBytes.
bool ReadTableFile(const std::filesystem::path& path, std::string& content, std::string& message);
// The entry of `folder` named `name`, compared without regard to case when no entry has
// exactly that name (sets are written on systems that ignore case). Empty when none.
std::filesystem::path FindTableFile(const std::filesystem::path& folder, std::string_view name);

}  // namespace tarvex
