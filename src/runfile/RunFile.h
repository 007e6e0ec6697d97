// Run files: the settings of the windows and dialogs written as TOML, one table per form.
//
// A run file is read in two stages. Reading (this header) parses the TOML and checks every
// table, key, type and range against the schemas of the forms (the registry of the
// application model says which table is which form), collecting every such error with
// the file, line and key it concerns. Applying (RunSettings.h) then drives the form
// models with the values, in the order a person would fill the dialogs, and stops at the
// first value a dialog refuses.
//
// The tables: one per form of the registry ([main], [initial], [eos.film], [eos.left],
// [viscosity], [save]) and [answers] (question text -> answer name). The top-level key
// `load` names a saved profile to start from.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/common/Prompter.h"
#include "core/common/Real.h"

namespace tarvex::runfile {

// Names of the tables, as written in run files (the forms' tables come from the registry
// of the application model, core/app/FormRegistry.h).
inline constexpr std::string_view kTableMain = "main";
inline constexpr std::string_view kTableInitial = "initial";
inline constexpr std::string_view kTableEosFilm = "eos.film";
inline constexpr std::string_view kTableEosLeft = "eos.left";
inline constexpr std::string_view kTableViscosity = "viscosity";
inline constexpr std::string_view kTableSave = "save";
inline constexpr std::string_view kTableAnswers = "answers";
inline constexpr std::string_view kKeyLoad = "load";

// One key a table accepts: the form's field as its schema describes it.
using KeyInfo = FieldSchema;
using KeyKind = FieldKind;

// The tables a run file may hold (answers included), in the order of the registry.
const std::vector<std::string>& KnownTables();
// The keys of a table, from the schema of its form; empty for [answers], whose keys are
// question texts, and for unknown tables.
std::vector<KeyInfo> TableKeys(std::string_view table);

// Where a value or table stands in the file; line 0 when unknown.
struct SourcePos {
  int32_t line = 0;
  int32_t column = 0;
};

// A checked value of a key.
using SettingValue = FormValue;

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
  RunFile();

  std::string name;    // the file name messages show
  std::string folder;  // the folder relative file names are read from ("": the current one)
  std::optional<Setting> load;
  std::vector<std::pair<std::string, TableSettings>>
      tables;  // every form table, known or not given
  std::vector<AnswerSetting> answers;

  // The settings of a form's table; nullptr for a table no form has.
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

// Run files are settings: larger files are refused before they are read.
inline constexpr std::uintmax_t kMaxRunFileBytes = 4u << 20;

// Parses and checks run-file text; `name` is the file name the messages show.
ReadResult ParseRunFile(std::string_view text, const std::string& name);
// Reads a run file from disk; a file that cannot be read is an error of the result.
ReadResult ReadRunFile(const std::string& path);

// The shortest text that reads back to exactly x (long double precision).
std::string ExactText(Real x);

// The text in double quotes, as messages quote values and names.
std::string Quoted(std::string_view text);

}  // namespace tarvex::runfile
