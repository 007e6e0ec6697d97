// Loading a profile file set back (a restart file): the table file and its ".TXT" header
// rebuild the solver state, the geometry and the layer bookkeeping, and the time of the
// snapshot is read back from the file name.
//
// Nothing in the input is trusted. The whole set is parsed and checked into a private
// structure first, with every question of the load asked on the way; the session, the
// main window and the other forms change only after everything was found valid and every
// question was answered so that the load goes on. A refused load leaves them as they were
// and says why (naming the file, and the line for a bad row).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "core/common/Real.h"

namespace tarvex {

class Session;
class TMainForm;
class TResultsTable;
class TInitional;
class TSaveFileOptions;

// What a load changes.
struct ProfileLoadTarget {
  Session& session;
  TMainForm& main;
  TResultsTable& table;
  TInitional& initial;
  TSaveFileOptions& options;
};

struct ProfileLoadResult {
  bool ok = false;
  std::string message;    // why it was refused; empty when a question cancelled it
  std::string LoadedDir;  // directory of the loaded file, with its separator
  std::optional<Real> time;
  std::optional<Real> Eadd;  // the energy the saved run had added, from its header
  // The phase shift of the layered optics [nm] from the header's "Refract =" line: the
  // phase unwrapping goes on from it (also after a silent load: a run continued by the
  // batch runner keeps its phase).
  std::optional<Real> RefractPhase;
  std::optional<Real> RefractTini;  // the cold reference of that phase [K]
  explicit operator bool() const { return ok; }
};

// Files larger than this are not profile files anybody wrote (10000 rows of 20 columns
// take about 4 MB).
inline constexpr std::uintmax_t kMaxProfileFileBytes = 64u << 20;

// The question before a planar table is loaded without its header file.
inline constexpr const char* kAskWithoutHeader = "Cannot find ";
inline constexpr const char* kAskWithoutHeaderTail =
    ": load the table alone? A substrate layer, if the set had one, becomes film, and the "
    "cell width and density are fitted to the table";

// LoadProfile(name, silent): on success the state is replaced and the after-load mode of
// the initial-conditions dialog is still to run (AppModel::LoadProfile does that). In
// silent mode the refusal messages are returned but not shown.
ProfileLoadResult LoadProfile(const ProfileLoadTarget& target, const std::string& path,
                              bool silent = false);

}  // namespace tarvex
