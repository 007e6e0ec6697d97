// The save-options dialog's keys.
#include "core/files/SaveOptionsSchema.h"

#include <string>

namespace tarvex {

const std::vector<FieldSchema>& TSaveFileOptionsSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    const std::vector<std::string> layouts{"Auto", "Fixed"};
    const std::vector<std::string> formats(kNameFormatTypes.begin(), kNameFormatTypes.end());
    const std::vector<std::string> pictures(kGraphTypes.begin(), kGraphTypes.end());
    // The unit factor before the suffix: its leave handler sets the suffix of a known
    // unit, which a suffix given with it replaces.
    return std::vector<FieldSchema>{
        Documented(SimpleField("SaveDir", FieldKind::Text), "", "`results/<case name>`",
                   "output directory (created when missing); `--out` takes precedence. Relative to "
                   "the current directory"),
        Documented(
            ChoiceField("RadioGroup1", 0, layouts), "", "`\"Auto\"`",
            "`\"Auto\"`: three decimals, width 8 (four significant digits below t = 0.01 and from "
            "1000 on); `\"Fixed\"`: the layout of `FormatType`, `Press` and `FWidth`"),
        Documented(ChoiceField("FormatType", 0, formats), "", "`\"General\"`",
                   "number layout with `\"Fixed\"`"),
        Documented(IntegerField("Press", TSaveFileOptions::kPressMin, TSaveFileOptions::kPressMax),
                   "digits", "4", "precision with `\"Fixed\"` (-1: none)"),
        Documented(IntegerField("FWidth", 0, TSaveFileOptions::kFWidthMax), "characters", "0",
                   "width with `\"Fixed\"`, padded with leading `0`"),
        Documented(SimpleField("Scal", FieldKind::Number), "", "1",
                   "factor applied to the time in names; must be > 0. 1e3, 1e6, 1e9, 1e12 and 1e15 "
                   "set `AddStr` to `\"ms\"`, `\"mks\"`, `\"ns\"`, `\"ps\"`, `\"fs\"` (time in s)"),
        Documented(SimpleField("AddStr", FieldKind::Text), "", "`\"\"` (or the unit of `Scal`)",
                   "suffix after the number; part of the file name, so no `/`, `\\` or `:`. Given "
                   "with `Scal`, it replaces the unit suffix"),
        Documented(ChoiceField("GraphType", 0, pictures), "", "`\"JPEG\"`",
                   "format of the pictures: `.BMP` or `.jpg`"),
    };
  }();
  return fields;
}

FormRefusal TSaveFileOptionsSchema::Set(const FieldSchema& field, const FormValue& value) {
  TSaveFileOptions& o = o_;
  const std::string& key = field.key;
  if (key == "RadioGroup1") o.RadioGroup1 = value.index;
  if (key == "FormatType") o.FormatType = value.index;
  if (key == "Press") o.SetPress(value.index);
  if (key == "FWidth") o.SetFWidth(value.index);
  if (key == "GraphType") o.GraphType = value.index;
  if (key == "Scal") {
    if (!(value.number > 0)) {
      return FormRefusal::At({},
                             "the time factor must be greater than 0 (with 0 every interval would "
                             "get the same file name)");
    }
    if (FormRefusal r = SetNumberText(o.Scal, value); r.refused) return r;
    o.LeaveScal();
  }
  if (key == "AddStr") {
    if (const std::string why = NameSuffixRefusal(value.text); !why.empty()) {
      return FormRefusal::At({}, why);
    }
    o.AddStr = value.text;
  }
  // SaveDir is the output directory the caller sets (the runner's --out, else this key).
  return FormRefusal::None();
}

std::optional<FormValue> TSaveFileOptionsSchema::Get(const FieldSchema& field) {
  const TSaveFileOptions& o = o_;
  const std::string& key = field.key;
  if (key == "SaveDir") {
    if (o.SaveDir.empty()) return std::nullopt;
    return FormValue::OfText(o.SaveDir);
  }
  if (key == "RadioGroup1") return FormValue::OfIndex(field.kind, o.RadioGroup1);
  if (key == "FormatType") return FormValue::OfIndex(field.kind, o.FormatType);
  if (key == "Press") return FormValue::OfIndex(field.kind, o.Press);
  if (key == "FWidth") return FormValue::OfIndex(field.kind, o.FWidth);
  if (key == "GraphType") return FormValue::OfIndex(field.kind, o.GraphType);
  if (key == "AddStr") return FormValue::OfText(o.AddStr);
  FormValue v = FormValue::Of(o_.Scal.Value());
  v.text = o_.Scal.Text();
  return v;
}

}  // namespace tarvex
