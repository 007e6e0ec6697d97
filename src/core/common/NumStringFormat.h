// The number format through which every number that is typed, shown or written passes.
//
// TNumStringFormat turns an 80-bit Real into text (style, precision, width, decimal
// separator) and reads text back with a tolerant syntax: the exponent letters D, E, Q in
// either case, the forms "2.5*10**3" and "2.5*10^3", blanks, braces and underscores as
// grouping, and either '.' or ',' as the decimal point. TNumStrCt is a non-visual holder
// of a format that can share the format of another holder.
//
// Locale: the "system" decimal and thousands separators are members of the format
// (defaults '.' and ','), never read from the process locale, and the conversions use
// std::to_chars / std::from_chars, which ignore the locale. The same text therefore gives
// the same number on every machine, also after a GUI toolkit has called setlocale().
//
// Ownership of shared formats: a format is held through std::shared_ptr. A holder that
// follows a "format control" keeps a reference to the control's format object, not to the
// control itself, so destroying the control leaves the follower with a valid format.
#pragma once

#include <bitset>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/common/Real.h"

namespace tarvex {

// The output styles; the numbers are the stored values of the format type.
enum class TFloatFormat : uint8_t {
  ffGeneral = 0,   // "%g": fixed or exponential, whichever is shorter
  ffExponent = 1,  // "%e": d.dddE+xx
  ffFixed = 2,     // "%f": ddd.ddd
  ffNumber = 3,    // "FirstPoint": " .ddddE+xx", the point before the first digit
  ffCurrency = 4,  // "%m": fixed, two decimals unless a precision is given
};

// The caption of a format type in the format dialog ("General" ... "Currency").
const char* FormatTypeCaption(TFloatFormat type);

// Raised by the conversions when the format (or the field) asks for exceptions.
class ConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Outcome of reading text as a number.
enum class TConvertStatus : uint8_t {
  Ok,
  NotNumberChars,  // the text contains characters a number cannot contain
  NotNumber,       // the characters are fine but do not form a number ("1E", "-", "1.5.")
  OutOfRange,      // magnitude beyond the extended range (about 1.19e4932)
};

// Result of AcceptKey: whether the key is taken, and the character actually inserted
// (exponent letters become 'E', a decimal point candidate becomes the separator).
struct TKeyVerdict {
  bool accepted = false;
  char key = 0;
};

// Result of ParseField / CheckField.
struct TFieldParse {
  TConvertStatus status = TConvertStatus::Ok;
  std::string text;     // what the field shows afterwards
  std::string message;  // the conversion error message, empty on success
  bool Accepted() const { return status == TConvertStatus::Ok; }
};

class TNumStringFormat {
 public:
  static constexpr uint8_t kNoPressigion = 255;

  TNumStringFormat();
  // A format with the given style; the only way to a currency format, because
  // SetFormatType refuses ffCurrency.
  explicit TNumStringFormat(TFloatFormat type, uint8_t pressigion = kNoPressigion,
                            int8_t width = 0);

  // ---- properties ----
  TFloatFormat FormatType() const { return formatType_; }
  // Ignored for ffCurrency and for the current type.
  void SetFormatType(TFloatFormat type);
  uint8_t Pressigion() const { return pressigion_; }
  void SetPressigion(uint8_t pressigion) { pressigion_ = pressigion; }
  int8_t Width() const { return width_; }
  // Positive: pad on the left to Width characters; negative: pad on the right to -Width.
  void SetWidth(int8_t width) { width_ = width; }
  // The custom separator (whether or not it is the current one).
  char DecSeparator() const { return decSeparator_; }
  // Makes c the current decimal separator. Refused (false, nothing changes) when c is a
  // reserved character that is not already a decimal character ('5', 'E', '+', ' ', '{'),
  // and for characters that would break reading: blanks, control and non-ASCII bytes,
  // '*' and '^' (they belong to the "10**" and "10^" forms).
  bool SetDecSeparator(char c);
  bool DefaultDec() const { return defaultDec_; }
  // true: the system separator is used for output; false: the custom one.
  void SetDefaultDec(bool on);
  // The separator the output uses now.
  char GetDecSeparator() const { return customDiffers_ ? decSeparator_ : systemDec_; }
  bool RaiseConvertError() const { return raiseConvertError_; }
  void SetRaiseConvertError(bool on) { raiseConvertError_ = on; }

  // The separators this format treats as the machine's ('.' and ',' unless set).
  char SystemDecSeparator() const { return systemDec_; }
  char SystemThousandSeparator() const { return systemThousand_; }
  // Refused (false) unless both are printable ASCII, differ, are not digits, signs,
  // exponent letters, '*', '^' or '_', and the decimal one is not a blank.
  bool SetSystemSeparators(char decimal, char thousand);

  // The printf-style description: "%" [Width] ["." Pressigion] letter (g, e, f, m).
  std::string FormatString() const;

  // Copies type, precision, width, the separators and DefaultDec.
  void Assign(const TNumStringFormat& source);

  // ---- character sets ----
  bool IsDecimalChar(char c) const { return decimalChars_[Index(c)]; }
  bool IsNumberChar(char c) const { return numberChars_[Index(c)]; }
  bool IsIgnoredChar(char c) const { return ignoredChars_[Index(c)]; }
  bool IsReservedChar(char c) const { return IsNumberChar(c) || IsIgnoredChar(c); }

  // ---- conversions ----
  // Text of x in the current style. Exponents are written with an upper-case 'E' (the
  // edit field is upper case), infinities and NaN as "INF" and "NAN". Never changes the
  // floating-point status flags.
  std::string FormatValue(Real x) const;

  // The canonical text of a typed number (sign, digits, the system separator, 'E',
  // exponent), or nothing when the text cannot be a number.
  std::optional<std::string> Normalise(std::string_view text) const;

  // Reads text as a number; `value` is set only on success. No exceptions. Magnitudes
  // below the normal range (3.4e-4932) read as zero.
  TConvertStatus Parse(std::string_view text, Real& value) const;

  // Normalise succeeds and the result converts to a finite number.
  bool IsValidNumber(std::string_view text) const;

  // `value` must hold the current value of the field. When the trimmed text equals the
  // trimmed FormatValue(value), true is returned and `value` is left as it is, so an
  // untouched field keeps its exact value; otherwise the text is parsed. False, with
  // `value` unchanged, when the text is not a number.
  bool TryParse(std::string_view text, Real& value) const;

  // The parse of a field whose text changed. On success `value` is the new value and the
  // shown text is the user's text (valueFormat off) or FormatValue of the new value. On
  // failure `value` is unchanged and the shown text is FormatValue of the old value.
  // CheckField never throws; ParseField throws ConvertError on failure when
  // RaiseConvertError() is set.
  TFieldParse CheckField(std::string_view text, Real& value, bool valueFormat) const;
  TFieldParse ParseField(std::string_view text, Real& value, bool valueFormat) const;

  // Whether `key`, typed at `caret` into `text`, is taken, and in which form.
  TKeyVerdict AcceptKey(char key, std::string_view text, size_t caret) const;

  // The first number in `text`. maxWidth limits the characters of the number: < 0 means
  // |Width|, 0 means no limit. On success `value` is set and, when given, *numberText
  // receives the characters read and *end the index just past them. A number whose
  // magnitude is out of range is a failure (it is never shortened until it fits).
  bool ExtractFloat(std::string_view text, Real& value, std::string* numberText = nullptr,
                    int32_t maxWidth = 0, size_t* end = nullptr) const;
  // The first signed run of digits as an int32_t; out-of-range runs fail.
  bool ExtractInt(std::string_view text, int32_t& value, std::string* numberText = nullptr,
                  int32_t maxWidth = 0, size_t* end = nullptr) const;
  // Consuming variants: on success everything up to the end of the number is deleted
  // from `text`, so a line of numbers is read one after another. On failure `text` is
  // left as it is.
  bool ConsumeFloat(std::string& text, Real& value, int32_t maxWidth = 0) const;
  bool ConsumeInt(std::string& text, int32_t& value, int32_t maxWidth = 0) const;

  // Longest run of number characters ExtractFloat / ExtractInt examine; a longer run is
  // not a number anybody wrote, and reading it is refused rather than cut.
  static constexpr size_t kMaxNumberText = 512;

 private:
  static size_t Index(char c) { return static_cast<unsigned char>(c); }
  void RebuildCharSets();
  TConvertStatus ConvertNormalised(std::string_view normalised, Real& value) const;
  std::string ErrorMessage(TConvertStatus status, std::string_view text) const;
  bool IsPointCandidate(char c) const {
    return IsDecimalChar(c) && (c != '_' || decSeparator_ == '_');
  }

  TFloatFormat formatType_ = TFloatFormat::ffGeneral;
  uint8_t pressigion_ = kNoPressigion;
  int8_t width_ = 0;
  char decSeparator_ = '.';
  bool defaultDec_ = true;
  bool raiseConvertError_ = false;
  bool customDiffers_ = false;  // the custom separator is current and is not the system one
  char systemDec_ = '.';
  char systemThousand_ = ',';
  // DecimalChars: ',', '.', '_', the system and the custom separator.
  // NumberChars: DecimalChars, signs, digits and the exponent letters D, E, Q.
  // IgnoredChars: blank, ',', '_', braces and the system thousands separator.
  std::bitset<256> decimalChars_;
  std::bitset<256> numberChars_;
  std::bitset<256> ignoredChars_;
};

// A holder of a number format (the non-visual format component). It owns its format
// while it follows no format control; SetFormatControl makes it use another holder's
// format object, which stays alive as long as anybody uses it.
class TNumStrCt {
 public:
  TNumStrCt();
  // A copy owns a copy of an owned format and shares a shared one.
  TNumStrCt(const TNumStrCt& other);
  TNumStrCt& operator=(const TNumStrCt& other);
  ~TNumStrCt() = default;

  // Properties, forwarded to the (possibly shared) format.
  TFloatFormat FormatType() const { return format_->FormatType(); }
  void SetFormatType(TFloatFormat type) { format_->SetFormatType(type); }
  uint8_t Pressigion() const { return format_->Pressigion(); }
  void SetPressigion(uint8_t p) { format_->SetPressigion(p); }
  int8_t Width() const { return format_->Width(); }
  void SetWidth(int8_t w) { format_->SetWidth(w); }
  char DecSeparator() const { return format_->DecSeparator(); }
  bool SetDecSeparator(char c) { return format_->SetDecSeparator(c); }
  bool DefaultDec() const { return format_->DefaultDec(); }
  void SetDefaultDec(bool on) { format_->SetDefaultDec(on); }
  bool RaiseConvertError() const { return format_->RaiseConvertError(); }
  void SetRaiseConvertError(bool on) { format_->SetRaiseConvertError(on); }

  // Follow the format of `control` (its format object at the time of the call).
  void SetFormatControl(const TNumStrCt& control);
  // Follow a given format object; an empty pointer releases the control.
  void SetFormatControl(std::shared_ptr<TNumStringFormat> format);
  // Stop following: the holder gets an own copy of the settings it had.
  void ReleaseFormatControl();
  bool OwnsFormat() const { return owns_; }

  TNumStringFormat& Format() { return *format_; }
  const TNumStringFormat& Format() const { return *format_; }
  const std::shared_ptr<TNumStringFormat>& SharedFormat() const { return format_; }

 private:
  std::shared_ptr<TNumStringFormat> format_;  // never empty
  bool owns_ = true;
};

// `text` right-aligned in `width` characters (a longer text is kept whole); the columns
// of the text result files.
std::string RightAligned(const std::string& text, size_t width);

}  // namespace tarvex
