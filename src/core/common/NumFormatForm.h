// The form model of the number-format dialog ("Format"; its Qt view is gui/common), and its schema
// (the [format] table of run files): the decimal separator, the layout, the precision and the width
// of a TNumStringFormat. The main window opens it on the format of its table, which is the format
// of the result files, so the precision of saved profiles is chosen here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/FormSchema.h"
#include "core/common/NumStringFormat.h"

namespace tarvex {

class TNumFormatForm {
 public:
  static constexpr std::string_view Caption = "Format";
  static constexpr std::array<const char*, 5> FTypeItems = {"General", "Exponent", "Fixed",
                                                            "FirstPoint", "Currency"};
  static constexpr int32_t kPressNone = -1;  // no precision (the format's 255)
  static constexpr int32_t kPressMax = 30;
  static constexpr int32_t kWidthMax = 60;

  std::string Dec = ".";       // "Dec separator": its first character is used
  int32_t FType = 0;           // "&Type"
  int32_t Press = kPressNone;  // "&Pressision"
  int32_t FWidth = 0;          // "&Width"; > 0 pads on the left, < 0 on the right

  // Shows the format's values.
  void Open(const TNumStringFormat& format);
  // Applies separator, type, precision and width; the type "Currency" leaves the type
  // as it is. Refused (false, nothing changes) when the separator cannot be one; the
  // focus is then "Dec".
  bool Ok(TNumStringFormat& format) const;
};

class TNumFormatSchema : public FormSchema {
 public:
  explicit TNumFormatSchema(TNumFormatForm& dialog) : d_(dialog) {}

  const std::vector<FieldSchema>& Fields() const override { return FieldList(); }
  static const std::vector<FieldSchema>& FieldList();
  FormRefusal Set(const FieldSchema& field, const FormValue& value) override;
  std::optional<FormValue> Get(const FieldSchema& field) override;

 private:
  TNumFormatForm& d_;
};

}  // namespace tarvex
