// Helpers of the form schemas.
#include "core/common/FormSchema.h"

#include <cmath>

namespace tarvex {

FormValue FormValue::Of(Real x) {
  FormValue v;
  v.kind = FieldKind::Number;
  v.number = x;
  return v;
}

FormValue FormValue::OfIndex(FieldKind kind, int32_t i) {
  FormValue v;
  v.kind = kind;
  v.index = i;
  return v;
}

FormValue FormValue::OfCheck(bool on) {
  FormValue v;
  v.kind = FieldKind::Check;
  v.on = on;
  return v;
}

FormValue FormValue::OfText(std::string text) {
  FormValue v;
  v.kind = FieldKind::Text;
  v.text = std::move(text);
  return v;
}

const FieldSchema* FormSchema::Find(std::string_view key) const {
  for (const FieldSchema& f : Fields()) {
    if (f.key == key) return &f;
  }
  return nullptr;
}

FormRefusal CheckNumberText(const RealField& field, const std::string& text) {
  Real v = 0;
  const TConvertStatus st = field.Format().Parse(text, v);
  if (st == TConvertStatus::Ok && std::isfinite(v)) return FormRefusal::None();
  return FormRefusal::At({},
                         "\"" + text + "\"" +
                             (st == TConvertStatus::OutOfRange ? " is beyond the range of numbers"
                                                               : " is not a number"));
}

FormRefusal SetNumberText(RealField& field, const FormValue& value) {
  FormRefusal r = CheckNumberText(field, value.text);
  if (!r.refused) field.SetText(value.text);
  return r;
}

std::string WithoutAmpersand(std::string_view caption) {
  std::string s;
  for (char c : caption) {
    if (c != '&') s.push_back(c);
  }
  return s;
}

FieldSchema ChoiceField(std::string key, int32_t lo, const std::vector<std::string>& captions) {
  FieldSchema f;
  f.key = std::move(key);
  f.kind = FieldKind::Choice;
  f.lo = lo;
  f.hi = static_cast<int32_t>(captions.size()) - 1;
  for (const std::string& c : captions) f.items.push_back(WithoutAmpersand(c));
  return f;
}

FieldSchema IntegerField(std::string key, int32_t lo, int32_t hi) {
  FieldSchema f;
  f.key = std::move(key);
  f.kind = FieldKind::Integer;
  f.lo = lo;
  f.hi = hi;
  return f;
}

FieldSchema SimpleField(std::string key, FieldKind kind) {
  FieldSchema f;
  f.key = std::move(key);
  f.kind = kind;
  return f;
}

FieldSchema Documented(FieldSchema field, std::string unit, std::string defaultText,
                       std::string meaning) {
  field.doc.unit = std::move(unit);
  field.doc.defaultText = std::move(defaultText);
  field.doc.meaning = std::move(meaning);
  return field;
}

std::string ControlCharacterIn(std::string_view text) {
  for (size_t k = 0; k < text.size(); ++k) {
    const auto c = static_cast<unsigned char>(text[k]);
    if (c < 0x20 || c == 0x7F) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      std::string code = "U+00";
      code += kHex[c >> 4];
      code += kHex[c & 0xF];
      return code + " at position " + std::to_string(k + 1);
    }
  }
  return {};
}

}  // namespace tarvex
