// The time history of a run: after every output interval one record of the target's free
// surface (position, velocity, temperatures, density, phase), the deepest gap in the
// material, averages over the optical skin layer and, for a film on a substrate, the
// state at the film-substrate interface. The column legend of the named layout goes to
// "Surf.txt" next to the history.
//
// Three layouts: "xrc" (the critical-density position, while that panel of the integral
// values is shown), "named" (physical units: EosScale 1e5 and lengths in nm or
// micrometres; titles carry the units, a legend file describes every column) and "short"
// (any other units; short titles, no legend).
//
// Units of the record: lengths / x1Edit, velocities / EosScale (km/s), density g/cm3,
// temperature K, pressure GPa; the time is TotalTime [s] times the save options' Scal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/common/Real.h"
#include "core/eos/PhaseCode.h"

namespace tarvex {

class Session;
class TMainForm;
class TResultsTable;
class TIntegralValues;
class TSaveFileOptions;
class TNumStringFormat;

inline constexpr const char* kHistoryLegendName = "Surf.txt";

enum class HistoryKind : uint8_t { Xrc, Named, Short };

// What decides the columns of a history.
struct HistoryLayout {
  HistoryKind kind = HistoryKind::Short;
  std::string timeUnit;      // the save options' AddStr ("ps", ...)
  std::string lengthUnit;    // "nm" (x1Edit 1e-7), "mkm" (1e-4), "" otherwise
  bool frozen = false;       // the grid never moves
  bool twoT = false;         // ion and electron temperatures
  bool rightSurface = true;  // the free surface is the film's right end
  int32_t InGlass = 0;       // substrate cells: > 0 left of the film, < 0 right of it
  std::string rhoCText;      // xrc: the critical density's text
};

// One column after the time: its title, width (0: written as it stands) and legend text.
struct HistoryColumn {
  std::string title;
  size_t width = 0;
  std::string legend;
};

std::vector<HistoryColumn> HistoryColumns(const HistoryLayout& layout);
// The header line (with its line break) and the legend file's text ("" unless named).
std::string HistoryHeader(const HistoryLayout& layout);
std::string HistoryLegend(const HistoryLayout& layout);
// The legend's column letters of column k (1 = "A"; 27 = "a"; two letters beyond 52).
std::string LegendLetters(int32_t k);
// Label of a phase code followed by the code ("  Liq=3"); the substrate group's variant
// has one more leading blank and no "=" ("   Liq3"). Codes outside -6..9 have no label.
std::string PhaseIdText(PhaseCode code, bool substrate);

// Everything a record reads: the state, the windows whose texts it copies, and the skin
// thickness of the laser source [nm].
struct HistorySources {
  const Session& s;
  const TMainForm& main;
  const TResultsTable& table;  // refreshed from StateA
  const TIntegralValues& integrals;
  const TSaveFileOptions& options;
  Real skinDepth = 0;  // [nm]
};

HistoryLayout HistoryLayoutOf(const HistorySources& in);
// Whether the film's free surface is its right end (else its left end).
bool FreeSurfaceIsRight(const Session& s);

// The surface found on StateA: node s (cells beyond it lie outside the material) and the
// surface cell (s - 1 for a right surface, s for a left one).
struct HistorySurface {
  int32_t node = 0;
  int32_t cell = 0;
};
HistorySurface FindSurface(const HistorySources& in, bool rightSurface);

// One record with its line break, fields in header order.
std::string HistoryRecord(const HistorySources& in, const HistoryLayout& layout);

// What appending did.
struct HistoryAppendResult {
  FileWriteResult write;  // failed: nothing was written, the file is as before
  bool skipped = false;   // the history already holds a record of this time or later
  std::string keptAs;     // a history of another layout was renamed to this name
};

// Appends `record` to `path`. A new history is created whole with `header` (and
// `legend` into `legendPath` when not empty). An existing history whose first line is not
// `header` belongs to another layout: it is renamed to a free name (NAME_1.EXT, ...; its
// legend likewise) and a new history is started. A record whose time (the first number
// of the line, read with `timeFormat`) is not after the last record's time is not
// written again: a run continued from an earlier profile set neither repeats nor skips
// records.
HistoryAppendResult AppendHistoryRecord(const std::string& path, const std::string& legendPath,
                                        const std::string& header, const std::string& legend,
                                        const std::string& record,
                                        const TNumStringFormat& timeFormat);

}  // namespace tarvex
