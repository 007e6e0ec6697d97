// The schema a form model (a window or dialog without its display) publishes for the
// run files, the printed settings and the run-file documentation: its keys (the form's
// own field names) in the order a person fills them, their kinds and ranges, how each
// is set through the form's own parsing and handlers, the reason of every refusal, and
// the read-back of the values the form holds.
//
// The generic code (src/runfile) reads a run file against these schemas, applies it,
// prints the settings back and writes docs/run-files.md from them; the registry of the
// application model (core/app/FormRegistry.h) says which table of a run file is which
// form. Adding a dialog to the run files is implementing its schema and one registry
// line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/Real.h"
#include "core/common/RealField.h"

namespace tarvex {

enum class FieldKind : uint8_t {
  Number,   // a numeric field: the text typed, read by the field's number format
  Integer,  // an up-down: an integer within [lo, hi]
  Choice,   // a list or radio group: an item caption or its index within [lo, hi]
  Check,    // a check box
  Text,     // a text (a file or directory name, a name suffix)
};

// How a field behaves when a run starts from a saved profile instead of a new state.
enum class LoadRule : uint8_t {
  Applies,       // applies as without a profile
  SetByLoad,     // the loaded profile sets it: refused
  NotAfterLoad,  // describes a state to build, which the profile replaces: refused
};

// What the run-file documentation says of a field ("" parts are generated: the kind from
// kind, range and items; "–" for no unit).
struct FieldDoc {
  std::string unit;
  std::string defaultText;
  std::string meaning;
  std::string kindText;
};

struct FieldSchema {
  std::string key;  // the form's field name, also the run-file key
  FieldKind kind = FieldKind::Number;
  int32_t lo = 0;  // Integer and Choice: the valid range (Choice: -1 = nothing selected)
  int32_t hi = 0;
  std::vector<std::string> items;    // Choice: the captions without '&', item i at i
  std::vector<std::string> aliases;  // Choice: a further name of item i ("" none)
  LoadRule load = LoadRule::Applies;
  bool computed = false;  // shown by the form and computed by its OK: a value given must
                          // be the computed one
  FieldDoc doc;
};

// A checked value of a key, or a value read back from a form.
struct FormValue {
  FieldKind kind = FieldKind::Number;
  std::string text;   // Number: the text handed to the field; Text: the text
  Real number = 0;    // Number: the value the text reads as
  int32_t index = 0;  // Integer: the value; Choice: the item index (-1: none)
  bool on = false;    // Check

  static FormValue Of(Real x);
  static FormValue OfIndex(FieldKind kind, int32_t i);
  static FormValue OfCheck(bool on);
  static FormValue OfText(std::string text);
};

// Why a form refuses a value or its OK: the key to blame ("" for the form as a whole),
// what the field needs, and the form's own message (appended after ": "). `shown` is the
// text the form holds for the key, for messages about keys the file does not give.
struct FormRefusal {
  bool refused = false;
  std::string key;
  std::string reason;
  std::string detail;
  std::string shown;

  static FormRefusal None() { return {}; }
  static FormRefusal At(std::string key, std::string reason, std::string detail = {}) {
    return {true, std::move(key), std::move(reason), std::move(detail), {}};
  }
};

class FormSchema {
 public:
  virtual ~FormSchema() = default;

  // Every key, in the order the form is filled: a control whose handler changes other
  // fields comes before the fields it changes.
  virtual const std::vector<FieldSchema>& Fields() const = 0;
  // Sets one field through the form's own parsing and handlers (a number is typed and
  // the field left, a choice or check box clicked).
  virtual FormRefusal Set(const FieldSchema& field, const FormValue& value) = 0;
  // The accepted value of the key, for the printed settings; nothing when the form keeps
  // no value to show.
  virtual std::optional<FormValue> Get(const FieldSchema& field) = 0;
  // The value the form holds now, before its OK (a handler may have replaced what was
  // set). The same as Get for forms that keep their fields; a dialog that forgets its
  // choice on OK answers from its fields.
  virtual std::optional<FormValue> Held(const FieldSchema& field) { return Get(field); }
  // Whether the printed settings give the key now (a field that follows from others,
  // or one the current choice does not use, is left out).
  virtual bool Printed(const FieldSchema&) { return true; }
  // A value replaced by the form that is nevertheless what the user asked for (a density
  // taken from the model on a Yes).
  virtual bool ReplacementAccepted(const FieldSchema&) const { return false; }

  const FieldSchema* Find(std::string_view key) const;
};

// Whether the field's own format reads the text as a finite number (the reader checked
// it with the default format; a form may use another decimal separator).
FormRefusal CheckNumberText(const RealField& field, const std::string& text);
// The text typed into the field, when its format reads it.
FormRefusal SetNumberText(RealField& field, const FormValue& value);

// A choice key of a form: the captions are given with their '&' accelerators, which are
// dropped.
FieldSchema ChoiceField(std::string key, int32_t lo, const std::vector<std::string>& captions);
FieldSchema IntegerField(std::string key, int32_t lo, int32_t hi);
FieldSchema SimpleField(std::string key, FieldKind kind);

// `field` with its documentation.
FieldSchema Documented(FieldSchema field, std::string unit, std::string defaultText,
                       std::string meaning);

// The caption without its '&' accelerators.
std::string WithoutAmpersand(std::string_view caption);

// The first control character of a text (bytes 0x00..0x1F and 0x7F, NUL included) as
// "U+0000 at position 3" (positions from 1); "" when there is none. A file or directory
// name, a suffix or a path holds none: a NUL cuts it short where the system reads it.
std::string ControlCharacterIn(std::string_view text);

}  // namespace tarvex
