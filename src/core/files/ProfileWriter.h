// The texts of a profile file set: the table file (".DAT", the results table row by row),
// the header file (".TXT": geometry, densities, integral values), the tension-time file
// ("Tneg.dat") and the optical table ("_opt.dat"); and writing a set so that a failure
// never leaves half of it in place of a good one.
//
// All texts are 8-bit with CR LF line ends; fields are right-aligned and TAB-separated.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/common/AtomicFile.h"
#include "core/common/NumStringFormat.h"
#include "core/common/Real.h"

namespace tarvex {

class Session;
class TMainForm;
class TResultsTable;
class TIntegralValues;
class TNumStringFormat;

// " 2.70000000000000E+0000": sign or blank, one digit, point, 14 digits, "E", sign and
// four exponent digits (23 characters); the form of densities and tension times.
std::string Sci23(Real x);

// The table file: column 0 in 6 characters, column 1 in 10, the middle columns in 15,
// the last column unpadded. The node row of a moving grid ends before its first empty
// cell and has no last column.
std::string TableFileText(const TResultsTable& table);

// What the header needs beyond the session and the main window.
struct ProfileHeaderExtras {
  const std::string* EosLabel = nullptr;  // the main window's EOS label
  Real GlassEosDensity = 0;               // own density of the substrate EOS (0: none)
  std::string RefractText;                // "" or the refraction value text
  Real RefractTini = 0;                   // the optics' cold reference temperature (0: none)
};

// The last header line: the exact time of the state and the step control's state
// (shortest texts that read back to the same extended values), so that a run continued
// from the set takes the steps the uninterrupted run takes. Readers that do not know it
// skip it.
inline constexpr const char* kRestartKey = "Restart:";
// After "Refract =": the temperature of the cold material the phase shift is measured
// against [K], exact.
inline constexpr const char* kOpticalReferenceKey = "Optical reference: Tini = ";
std::string RestartLine(const Session& s);
// The shortest text that reads back to exactly x.
std::string ExactReal(Real x);

std::string HeaderFileText(const Session& s, const TMainForm& form, const TResultsTable& table,
                           const TIntegralValues& integrals, const ProfileHeaderExtras& extras);

// First line SimTime, then one line per entry, all in the 23-character form.
std::string TnegFileText(Real SimTime, std::span<const Real> Tneg);

// One file of a set.
struct ProfileFilePart {
  std::string path;
  std::string content;
};

// Whether a file name is one of this program's staging names: "." + target + ".~set" or
// "." + target + ".~" + digits.
bool IsStagingName(const std::string& name);

// Removes the staging files a killed write left next to `targets`: those of the target
// names themselves, and those of other names older than an hour. Other files stay.
void RemoveStaleStaging(const std::vector<std::string>& targets);

// Writes every part or none (after RemoveStaleStaging): each content goes to a checked temporary
// file in its target's folder first; only when all of them are written are they renamed into place.
// On failure the message names the file and the reason and no temporary file is left.
//
// The first part is the one a reader opens (the table, "NAME.DAT"): it is renamed last, so
// that a process killed between the renames never leaves it visible without the rest of
// its set (its header still under a staging name). `published`, when given, is called
// with each target's path right after its rename (tests watch the order through it).
FileWriteResult WriteFileSet(const std::vector<ProfileFilePart>& parts,
                             const std::function<void(const std::string&)>& published = {});

}  // namespace tarvex
