// The number-format form and its keys.
#include "core/common/NumFormatForm.h"

#include <algorithm>

namespace tarvex {

void TNumFormatForm::Open(const TNumStringFormat& format) {
  Dec.assign(1, format.GetDecSeparator());
  FType = static_cast<int32_t>(format.FormatType());
  Press = format.Pressigion() == TNumStringFormat::kNoPressigion ? kPressNone : format.Pressigion();
  FWidth = format.Width();
}

bool TNumFormatForm::Ok(TNumStringFormat& format) const {
  TNumStringFormat next = format;
  if (Dec.empty() || !next.SetDecSeparator(Dec[0])) return false;
  next.SetFormatType(static_cast<TFloatFormat>(std::clamp(FType, 0, 4)));
  next.SetPressigion(Press == kPressNone ? TNumStringFormat::kNoPressigion
                                         : static_cast<uint8_t>(std::clamp(Press, 0, kPressMax)));
  next.SetWidth(static_cast<int8_t>(std::clamp(FWidth, -kWidthMax, kWidthMax)));
  format = next;
  return true;
}

namespace {
// The fewest digits the result files are written with (the default, -1, writes six).
constexpr int32_t kPressFiles = 6;
}  // namespace

const std::vector<FieldSchema>& TNumFormatSchema::FieldList() {
  static const std::vector<FieldSchema> fields = [] {
    const std::vector<std::string> types(TNumFormatForm::FTypeItems.begin(),
                                         TNumFormatForm::FTypeItems.end());
    return std::vector<FieldSchema>{
        Documented(SimpleField("Dec", FieldKind::Text), "", "`\".\"`",
                   "decimal separator of the table and the result files: `\".\"` or `\",\"`, "
                   "which the profile reader takes"),
        Documented(ChoiceField("FType", 0, types), "", "`\"General\"`",
                   "layout of the numbers; `\"Currency\"` leaves the layout as it is"),
        Documented(IntegerField("Press", TNumFormatForm::kPressNone, TNumFormatForm::kPressMax),
                   "digits", "-1",
                   "precision (-1: none, six significant digits; else at least 6); 21 writes "
                   "extended reals "
                   "exactly, so that a run continued from a saved set repeats the uninterrupted "
                   "one"),
        Documented(IntegerField("FWidth", -TNumFormatForm::kWidthMax, TNumFormatForm::kWidthMax),
                   "characters", "0", "width: > 0 pads on the left, < 0 on the right"),
    };
  }();
  return fields;
}

FormRefusal TNumFormatSchema::Set(const FieldSchema& field, const FormValue& value) {
  const std::string& key = field.key;
  if (key == "Dec") {
    TNumStringFormat probe;
    if (value.text.size() != 1 || !probe.SetDecSeparator(value.text[0])) {
      return FormRefusal::At({},
                             "the decimal separator is one printable character that is no "
                             "digit, sign or exponent letter");
    }
    // The result files are written in this format and must load again: their reader
    // takes "." and "," as decimal separators.
    if (value.text != "." && value.text != ",") {
      return FormRefusal::At({}, "\".\" or \",\"",
                             "the result files are written with it, and a saved set must load "
                             "again");
    }
    d_.Dec = value.text;
  }
  if (key == "FType") d_.FType = value.index;
  if (key == "Press") {
    // Fewer digits merge the coordinates of neighbouring nodes in the saved sets (which
    // then cannot load) and round the states a continued run starts from.
    if (value.index != TNumFormatForm::kPressNone && value.index < kPressFiles) {
      return FormRefusal::At({},
                             "-1 or " + std::to_string(kPressFiles) + " .. " +
                                 std::to_string(TNumFormatForm::kPressMax),
                             "the result files are written with this precision");
    }
    d_.Press = value.index;
  }
  if (key == "FWidth") d_.FWidth = value.index;
  return FormRefusal::None();
}

std::optional<FormValue> TNumFormatSchema::Get(const FieldSchema& field) {
  const std::string& key = field.key;
  if (key == "Dec") return FormValue::OfText(d_.Dec);
  if (key == "FType") return FormValue::OfIndex(field.kind, d_.FType);
  if (key == "Press") return FormValue::OfIndex(field.kind, d_.Press);
  return FormValue::OfIndex(field.kind, d_.FWidth);
}

}  // namespace tarvex
