// Run files: the settings of the windows and dialogs written as TOML, one table per form.
//
// A run file is read in two stages. Reading (this header) parses the TOML and checks every
// table, key, type and range against the forms' own lists of settable keys, collecting
// every such error with the file, line and key it concerns. Applying (RunSettings.h)
// then drives the form models with the values, in the order a person would fill the
// dialogs, and stops at the first value a dialog refuses.
//
// The tables: [main] (main window), [initial] (initial conditions), [eos.film] and
// [eos.left] (equation of state of the film and of the substrate), [viscosity]
// (artificial viscosity), [save] (the save-options dialog: names and pictures of the
// result files) and [answers] (question text -> answer name). The top-level key `load`
// names a saved profile to start from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Prompter.h"
#include "core/common/Real.h"

namespace tarvex::runfile {

// Names of the tables, as written in run files.
inline constexpr std::string_view kTableMain = "main";
inline constexpr std::string_view kTableInitial = "initial";
inline constexpr std::string_view kTableEosFilm = "eos.film";
inline constexpr std::string_view kTableEosLeft = "eos.left";
inline constexpr std::string_view kTableViscosity = "viscosity";
inline constexpr std::string_view kTableSave = "save";
inline constexpr std::string_view kTableAnswers = "answers";
inline constexpr std::string_view kKeyLoad = "load";

// What kind of value a key takes.
enum class KeyKind : uint8_t {
  Number,   // a numeric field: a TOML number or a text the number format reads
  Integer,  // an up-down: a TOML integer within [lo, hi]
  Choice,   // a list or radio group: an item caption, or its index within [lo, hi]
  Check,    // a check box: true or false
  Text,     // a text (the file name of `load`, a directory, a name suffix)
};

// One key a table accepts.
struct KeyInfo {
  std::string key;
  KeyKind kind = KeyKind::Number;
  int32_t lo = 0;  // Integer and Choice: valid range (Choice: -1 = nothing selected)
  int32_t hi = 0;
  std::vector<std::string> items;  // Choice: the captions, item i at position i
};

// The tables a run file may hold (answers included), in the order they are documented.
const std::vector<std::string>& KnownTables();
// The keys of a table, read from the form's own list; empty for [answers], whose keys
// are question texts, and for unknown tables.
std::vector<KeyInfo> TableKeys(std::string_view table);
// Keys the main window hands to the initial-conditions dialog; a run file gives each of
// them in one of [main] and [initial] only.
const std::vector<std::string>& SharedMainInitialKeys();

// Where a value or table stands in the file; line 0 when unknown.
struct SourcePos {
  int32_t line = 0;
  int32_t column = 0;
};

// A checked value of a key.
struct SettingValue {
  KeyKind kind = KeyKind::Number;
  std::string text;   // Number: the text handed to the field; Text: the text
  Real number = 0;    // Number: the value the text reads as
  int32_t index = 0;  // Integer: the value; Choice: the item index (-1: none)
  bool on = false;    // Check
};

struct Setting {
  std::string key;
  SettingValue value;
  SourcePos pos;
};

struct TableSettings {
  bool present = false;
  SourcePos pos;                  // the table header
  std::vector<Setting> settings;  // in the order of the file
  const Setting* Find(std::string_view key) const;
};

struct AnswerSetting {
  std::string question;
  Answer answer = Answer::No;
  SourcePos pos;
};

struct RunFile {
  std::string name;  // the file name messages show
  std::optional<Setting> load;
  TableSettings main;
  TableSettings initial;
  TableSettings eosFilm;
  TableSettings eosLeft;
  TableSettings viscosity;
  TableSettings save;
  std::vector<AnswerSetting> answers;

  TableSettings* Table(std::string_view table);
  const TableSettings* Table(std::string_view table) const;
};

// An error in a run file: "file:line: [table] key: message".
struct RunFileError {
  std::string file;
  int32_t line = 0;
  std::string table;  // "" for the top level and for syntax errors
  std::string key;    // "" when the whole table or file is concerned
  std::string message;
  std::string Text() const;
};

struct ReadResult {
  RunFile file;
  std::vector<RunFileError> errors;  // empty when the file can be applied
  bool ok() const { return errors.empty(); }
};

// Parses and checks run-file text; `name` is the file name the messages show.
ReadResult ParseRunFile(std::string_view text, const std::string& name);
// Reads a run file from disk; a file that cannot be read is an error of the result.
ReadResult ReadRunFile(const std::string& path);

// The shortest text that reads back to exactly x (long double precision).
std::string ExactText(Real x);

}  // namespace tarvex::runfile
