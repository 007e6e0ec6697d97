// TComplexField: the model of the complex edit control, without a display.
//
// The control is a real-part field, the fixed text " +_i* " and an imaginary-part field,
// each a RealField with its own number format (StringFormat1 for the real part,
// StringFormat2 for the imaginary part). Its text is real text + " +_i* " + imaginary
// text; setting the value sets both fields. The same text form is what the profile
// header writes after "Refract = " and what is read back from it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/common/NumStringFormat.h"
#include "core/common/RealField.h"
#include "core/optics/Complex.h"

namespace tarvex {

// The fixed text between the two parts.
inline constexpr std::string_view kComplexSeparator = " +_i* ";
// What marks the imaginary part when a text is read back (blanks around it optional).
inline constexpr std::string_view kComplexMark = "+_i*";

class TComplexField {
 public:
  // Own formats for both parts.
  TComplexField();
  // Shared formats (an empty pointer gives that part an own format).
  TComplexField(std::shared_ptr<TNumStringFormat> StringFormat1,
                std::shared_ptr<TNumStringFormat> StringFormat2);

  RealField Re;  // the real-part field (StringFormat1)
  RealField Im;  // the imaginary-part field (StringFormat2)

  // The usual edit properties the view mirrors.
  bool ReadOnly = false;
  int32_t MaxLength = 0;  // 0: no limit
  bool HideSelection = true;

  const TNumStringFormat& StringFormat1() const { return Re.Format(); }
  const TNumStringFormat& StringFormat2() const { return Im.Format(); }
  void SetStringFormat1(const TNumStringFormat& f) { Re.SetStringFormat(f); }
  void SetStringFormat2(const TNumStringFormat& f) { Im.SetStringFormat(f); }

  // Sets both parts exactly and shows them.
  void SetValue(Complex z);
  // The value; changed part texts are read first (a part that does not read keeps its
  // value and shows it again; see RealField::Value for the error handler).
  Complex Value();
  // As Value, never throws: false when a changed part text does not read.
  bool TryGetValue(Complex& z);
  Complex StoredValue() const { return Complex{Re.StoredValue(), Im.StoredValue()}; }

  // real text + " +_i* " + imaginary text.
  std::string Text() const;
  // The user typed a whole text "re +_i* im": both parts take their texts and are read.
  // False, with both parts showing their stored values again, when the text has no
  // "+_i*" or a part does not read; the value then stays as it was.
  bool SetText(std::string_view text);

  // The handler both parts call when a changed text does not read.
  void SetOnConvertError(RealField::ConvertErrorHandler handler);
};

// Reads "re +_i* im" (blanks around the mark optional) with the two formats; nothing
// when the mark is missing or a part is not a number.
std::optional<Complex> ParseComplexText(std::string_view text, const TNumStringFormat& f1,
                                        const TNumStringFormat& f2);

// The stored refraction of a profile header line "Refract = R +_i* h": nothing when the
// line does not contain "Refract" or does not read. The imaginary part is the phase
// shift that continues the phase unwrapping after a load.
std::optional<Complex> ReadRefractLine(std::string_view line, const TNumStringFormat& format);

}  // namespace tarvex
