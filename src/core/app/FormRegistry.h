// The registry of the forms a run file sets: one line per run-file table (or per part of
// one), in the order a person fills the windows and dialogs at the desktop. The run-file
// reader, the applier, the printed settings (--print-settings, the desktop program's
// settings files) and the generated docs/run-files.md are loops over this list.
//
// Adding a dialog to run files: its form model publishes a schema (FormSchema.h), a
// binding here opens and accepts it the way its window does, and one FormEntry line
// gives its table, its place in the order and its documentation.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/common/FormSchema.h"

namespace tarvex {

class AppModel;

// What applying a run file hands the forms beyond the file: the output directory ("" to
// leave it unset) and the folder relative file names of the run file are read from ("":
// the current directory).
struct ApplyContext {
  std::string outDir;
  std::string runDir;
};

// A form of the AppModel as one registry line applies it: its schema, how it is opened
// before its fields are set and accepted after them.
class FormBinding : public FormSchema {
 public:
  explicit FormBinding(std::unique_ptr<FormSchema> schema) : schema_(std::move(schema)) {}

  const std::vector<FieldSchema>& Fields() const override { return schema_->Fields(); }
  FormRefusal Set(const FieldSchema& f, const FormValue& v) override { return schema_->Set(f, v); }
  std::optional<FormValue> Get(const FieldSchema& f) override { return schema_->Get(f); }
  std::optional<FormValue> Held(const FieldSchema& f) override { return schema_->Held(f); }
  bool Printed(const FieldSchema& f) override { return schema_->Printed(f); }
  bool ReplacementAccepted(const FieldSchema& f) const override {
    return schema_->ReplacementAccepted(f);
  }

  // Opens the form as its window does (a fresh dialog, the values another window hands
  // it).
  virtual void Open() {}
  // OK and what the program does after it; the refusal names the key to blame.
  virtual FormRefusal Accept() { return FormRefusal::None(); }
  // Whether the printed settings hold the table (a dialog never accepted has none).
  virtual bool TablePrinted() { return true; }

 protected:
  FormSchema& Schema() { return *schema_; }

 private:
  std::unique_ptr<FormSchema> schema_;
};

enum class TablePresence : uint8_t {
  Optional,  // without the table the form is not opened
  Always,    // the form is opened and accepted with or without the table
  Required,  // the run cannot do without the table (unless it starts from a profile)
};

struct FormEntry {
  std::string_view table;  // the run-file table ("eos.film")
  std::string_view form;   // what it is, for messages and the documentation
  TablePresence presence;
  std::string_view requiredReason;  // Required: why nothing can run without it
  // The keys this line applies; empty: every key of the form. A table may have several
  // lines (the main window's lengths go to the initial-conditions dialog before it
  // opens, its times after the set-up).
  std::span<const std::string_view> keys;
  // The line builds the state: a run that starts from a saved profile loads it instead,
  // before the first such line.
  bool setUp;
  // Another table whose keys this form takes over (each may be given in one only).
  std::string_view sharesKeysWith;
  // Documented in the section of another table (the two media of one dialog).
  std::string_view docWith;
  std::unique_ptr<FormBinding> (*bind)(AppModel& app, const ApplyContext& ctx);
  const std::vector<FieldSchema>& (*fields)();
  std::string (*docIntro)();  // the paragraphs under the table's heading
};

// Every line, in the order of application.
std::span<const FormEntry> FormRegistry();
// The first line of a table, nullptr for an unknown table.
const FormEntry* FindFormEntry(std::string_view table);
// Whether `entry` is the last line of its table.
bool LastEntryOfTable(const FormEntry& entry);

// Forms of the program that are not part of this version yet: their tables are refused
// with a note.
struct PlannedForm {
  std::string_view table;
  std::string_view what;
  std::string_view note;  // what the program does meanwhile
};
std::span<const PlannedForm> PlannedForms();

}  // namespace tarvex
