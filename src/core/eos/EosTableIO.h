// Loading and saving a table set as a folder of files, with the questions of the
// sequence asked through the Prompter (the desktop program's message boxes, the batch
// runner's scripted answers):
//   load:  the description (".man"), the grids ("temper.in", "volume.in", generated from
//          the description when absent), "Pressu" and "Energy" (required), "physid" and
//          "PhsMix", then on Yes "hcapav", "sndvls", "entrop", "SndVlT", "HcapaP",
//          "Enthal", "Frener" and any other "*.tab" of the folder (Cancel ends the
//          optional questions, No skips one);
//   save:  the description, the grids, "pressu" and "energy", "physid", and the other
//          tables each after its question, then a "Saved: ..." message.
// A load builds a new set and hands it over only when it is complete, so a failed load
// never touches the set in use.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/common/Prompter.h"
#include "core/eos/EosTableSet.h"

namespace tarvex {

// A table of the set as the dialog shows it on a page.
enum class TTableKind : int32_t {
  Pressure,
  Energy,
  PhaseId,
  PhaseMix,
  HeatCapacity,
  SoundVelocity,
  Other,  // entropy and further tables, display only
};

// The values of a real lookup table of the set; nullptr for the phase codes and the
// display-only tables.
const RealArray* TableValues(const TEosTableSet& set, TTableKind kind);
RealArray* TableValues(TEosTableSet& set, TTableKind kind);

// The description of a folder: its parsed file and the label the dialog shows (the
// ".eos" file named in it, a blank, the folder's name).
struct TEosTableDescriptionRead {
  bool ok = false;
  std::string message;  // "file:line: reason" on failure
  TTableDescription description;
  std::filesystem::path folder;
  std::string label;
};

TEosTableDescriptionRead ReadEosTableDescription(const std::filesystem::path& manPath);

// Outcome of loading the grids and tables of a folder.
struct TEosTableLoad {
  bool ok = false;
  std::string message;                // why the load failed (file and line where it applies)
  std::vector<std::string> memo;      // lines for the dialog's Memo: missing required tables,
                                      // optional tables left out and why
  std::shared_ptr<TEosTableSet> set;  // complete when ok
};

// Grids and tables of `folder` for a read description. The questions go to `prompter`.
TEosTableLoad LoadEosTables(const TEosTableDescriptionRead& description, Prompter& prompter);

// Both steps.
TEosTableLoad LoadEosTableSet(const std::filesystem::path& manPath, Prompter& prompter);

// Outcome of saving.
struct TEosTableSave {
  bool ok = false;
  bool cancelled = false;            // Cancel to a question ended the saving
  std::string message;               // the failed write, naming the file
  std::vector<std::string> written;  // file names in the order written
  std::string summary;               // "Saved: temper, volume, pressu, ..."
};

// Writes `set` into the folder of `manPath`: the description lines, "temper.in" (in the
// description's temperature unit, so that reading multiplies back to the same grid),
// "volume.in" and the tables. With a prompter the optional tables are written after
// their questions ("Save PhaseMix?", "Save heat capacity?", "Save sound velocity?",
// "Save entropy?", "Save <caption>?"); without one every table is written. Each file is
// replaced only when complete. The folder is created when missing.
TEosTableSave SaveEosTableSet(const TEosTableSet& set, const std::vector<std::string>& manLines,
                              const std::filesystem::path& manPath, Prompter* prompter);

}  // namespace tarvex
