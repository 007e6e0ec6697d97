// Number format: the text of a Real in the chosen style, and the tolerant reading of
// typed numbers and of numbers in text files.
#include "core/common/NumStringFormat.h"

#include <algorithm>
#include <array>
#include <cfenv>
#include <charconv>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace tarvex {
namespace {

// Keeps the caller's floating-point status flags: formatting a NaN or reading "1E99999"
// must not look like an arithmetic fault of the pass that happens to call us.
class FpFlagsKeeper {
 public:
  FpFlagsKeeper() { std::fegetexceptflag(&saved_, FE_ALL_EXCEPT); }
  ~FpFlagsKeeper() { std::fesetexceptflag(&saved_, FE_ALL_EXCEPT); }
  FpFlagsKeeper(const FpFlagsKeeper&) = delete;
  FpFlagsKeeper& operator=(const FpFlagsKeeper&) = delete;

 private:
  std::fexcept_t saved_{};
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSign(char c) {
  return c == '+' || c == '-';
}
bool IsExpLetter(char c) {
  switch (c) {
    case 'D':
    case 'E':
    case 'Q':
    case 'd':
    case 'e':
    case 'q':
      return true;
    default:
      return false;
  }
}
// A sign right after one of these belongs to an exponent.
bool IsSignPrefix(char c) {
  return IsExpLetter(c) || c == '*' || c == '^';
}
bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Room for the longest text of a Real: sign, the 4933 integer digits of the largest
// value in fixed style, point and 254 decimals.
constexpr size_t kFormatBuffer = 5300;

// Rewrites the scientific text "d.dddE+xx" into the FirstPoint form " .ddddE+xx": the
// point moves in front of the first digit and the exponent grows by one; a zero
// mantissa keeps its digit count (" .0000000E+00").
std::string FirstPointForm(const std::string& s) {
  const size_t e = s.find('E');
  if (e == std::string::npos || e + 1 >= s.size()) return s;  // INF, NAN
  std::string mantissa = s.substr(0, e);
  const size_t first = mantissa.find_first_of("0123456789");
  if (first == std::string::npos) return s;
  int32_t exponent = 0;
  const char* expBegin = s.data() + e + 1;
  if (*expBegin == '+') ++expBegin;
  std::from_chars(expBegin, s.data() + s.size(), exponent);

  const bool leadingBlank = first == 0;
  if (mantissa[first] == '0') {
    mantissa.erase(first, 1);
    if (first >= mantissa.size() || mantissa[first] != '.') mantissa.insert(first, 1, '.');
    mantissa += '0';
  } else {
    const size_t point = mantissa.find('.');
    if (point != std::string::npos) mantissa.erase(point, 1);
    mantissa.insert(first, 1, '.');
    ++exponent;
  }
  std::string digits = std::to_string(std::abs(exponent));
  if (digits.size() < 2) digits.insert(0, 1, '0');
  std::string out = leadingBlank ? " " : "";
  out += mantissa;
  out += exponent < 0 ? "E-" : "E+";
  out += digits;
  return out;
}

// Decimal order of the first significant digit of a normalised number plus its exponent
// ("0.00123E+45" gives 43). Only used to tell an overflow from an underflow, which are
// thousands of orders apart, so the exponent may be clamped.
int64_t DecimalOrder(std::string_view t) {
  int64_t integerDigits = 0;
  int64_t zerosAfterPoint = 0;
  bool significant = false;
  bool point = false;
  size_t i = 0;
  for (; i < t.size() && t[i] != 'E'; ++i) {
    const char c = t[i];
    if (c == '.') {
      point = true;
    } else if (IsDigit(c)) {
      if (!point) {
        if (significant || c != '0') {
          significant = true;
          ++integerDigits;
        }
      } else if (!significant) {
        if (c == '0') {
          ++zerosAfterPoint;
        } else {
          significant = true;
        }
      }
    }
  }
  int64_t exponent = 0;
  bool negative = false;
  for (++i; i < t.size(); ++i) {
    if (t[i] == '-') negative = true;
    if (IsDigit(t[i]) && exponent < 1'000'000'000) exponent = exponent * 10 + (t[i] - '0');
  }
  const int64_t order = integerDigits > 0 ? integerDigits : -zerosAfterPoint;
  return order + (negative ? -exponent : exponent);
}

// The text in quotes for a message, cut after 40 characters.
std::string Quoted(std::string_view text) {
  constexpr size_t kShown = 40;
  text = Trim(text);
  std::string q = "'";
  q.append(text.substr(0, kShown));
  if (text.size() > kShown) q.append("...");
  q.append("'");
  return q;
}

}  // namespace

const char* FormatTypeCaption(TFloatFormat type) {
  switch (type) {
    case TFloatFormat::ffGeneral:
      return "General";
    case TFloatFormat::ffExponent:
      return "Exponent";
    case TFloatFormat::ffFixed:
      return "Fixed";
    case TFloatFormat::ffNumber:
      return "FirstPoint";
    case TFloatFormat::ffCurrency:
      return "Currency";
  }
  return "";
}

// ---------------------------------------------------------------- TNumStringFormat

TNumStringFormat::TNumStringFormat() {
  RebuildCharSets();
}

TNumStringFormat::TNumStringFormat(TFloatFormat type, uint8_t pressigion, int8_t width)
    : formatType_(type), pressigion_(pressigion), width_(width) {
  if (static_cast<uint8_t>(type) > static_cast<uint8_t>(TFloatFormat::ffCurrency)) {
    formatType_ = TFloatFormat::ffGeneral;
  }
  RebuildCharSets();
}

void TNumStringFormat::RebuildCharSets() {
  decimalChars_.reset();
  for (char c : {',', '.', '_', systemDec_, decSeparator_}) decimalChars_.set(Index(c));
  numberChars_ = decimalChars_;
  for (char c : std::string_view("+-0123456789DEQdeq")) numberChars_.set(Index(c));
  ignoredChars_.reset();
  for (char c : {' ', ',', '_', '{', '}', systemThousand_}) ignoredChars_.set(Index(c));
}

void TNumStringFormat::SetFormatType(TFloatFormat type) {
  // Currency has no place in a physics program's number fields: asking for it keeps the
  // format as it is, as does asking for the current type.
  if (type == TFloatFormat::ffCurrency || type == formatType_) return;
  if (static_cast<uint8_t>(type) > static_cast<uint8_t>(TFloatFormat::ffCurrency)) return;
  formatType_ = type;
}

bool TNumStringFormat::SetDecSeparator(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u <= ' ' || u >= 0x7F || c == '*' || c == '^') return false;
  if (!IsDecimalChar(c) && IsReservedChar(c)) return false;
  decSeparator_ = c;
  defaultDec_ = false;
  customDiffers_ = c != systemDec_;
  RebuildCharSets();
  return true;
}

void TNumStringFormat::SetDefaultDec(bool on) {
  defaultDec_ = on;
  customDiffers_ = !on && decSeparator_ != systemDec_;
}

bool TNumStringFormat::SetSystemSeparators(char decimal, char thousand) {
  const auto usable = [](char c) {
    const auto u = static_cast<unsigned char>(c);
    const bool alnum = IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    return u > ' ' && u < 0x7F && !alnum && !IsSign(c) && c != '*' && c != '^' && c != '_';
  };
  if (!usable(decimal) || !(thousand == ' ' || usable(thousand)) || decimal == thousand) {
    return false;
  }
  systemDec_ = decimal;
  systemThousand_ = thousand;
  customDiffers_ = !defaultDec_ && decSeparator_ != systemDec_;
  RebuildCharSets();
  return true;
}

std::string TNumStringFormat::FormatString() const {
  std::string f = "%";
  if (width_ != 0) f += std::to_string(width_);
  if (pressigion_ != kNoPressigion) {
    f += '.';
    f += std::to_string(pressigion_);
  }
  switch (formatType_) {
    case TFloatFormat::ffGeneral:
      f += 'g';
      break;
    case TFloatFormat::ffExponent:
    case TFloatFormat::ffNumber:
      f += 'e';
      break;
    case TFloatFormat::ffFixed:
      f += 'f';
      break;
    case TFloatFormat::ffCurrency:
      f += 'm';
      break;
  }
  return f;
}

void TNumStringFormat::Assign(const TNumStringFormat& source) {
  if (&source == this) return;
  formatType_ = source.formatType_;
  pressigion_ = source.pressigion_;
  width_ = source.width_;
  decSeparator_ = source.decSeparator_;
  defaultDec_ = source.defaultDec_;
  customDiffers_ = source.customDiffers_;
  systemDec_ = source.systemDec_;
  systemThousand_ = source.systemThousand_;
  RebuildCharSets();
}

std::string TNumStringFormat::FormatValue(Real x) const {
  FpFlagsKeeper keepFlags;
  // A signed zero (a vanishing flux -k dT/dx, a negated empty field) shows as 0, not -0.
  if (x == 0) x = 0;
  // Without a precision the printf defaults apply: 6 digits; currency shows cents.
  int precision = pressigion_;
  if (pressigion_ == kNoPressigion) precision = formatType_ == TFloatFormat::ffCurrency ? 2 : 6;
  std::chars_format style = std::chars_format::general;
  switch (formatType_) {
    case TFloatFormat::ffGeneral:
      style = std::chars_format::general;
      break;
    case TFloatFormat::ffExponent:
    case TFloatFormat::ffNumber:
      style = std::chars_format::scientific;
      break;
    case TFloatFormat::ffFixed:
    case TFloatFormat::ffCurrency:
      style = std::chars_format::fixed;
      break;
  }
  // to_chars with a precision gives exactly the digits of printf("%.*Lg/e/f") in the
  // "C" locale, without depending on the process locale.
  std::array<char, kFormatBuffer> buffer;
  std::to_chars_result written =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), x, style, precision);
  if (written.ec != std::errc{}) {  // cannot happen with this buffer; scientific always fits
    written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                            std::chars_format::scientific, precision);
  }
  std::string s(buffer.data(), written.ptr);
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  if (formatType_ == TFloatFormat::ffNumber) s = FirstPointForm(s);

  const char separator = GetDecSeparator();
  if (separator != '.') {
    const size_t point = s.find('.');
    if (point != std::string::npos) s[point] = separator;
  }
  const auto width = static_cast<size_t>(std::abs(static_cast<int32_t>(width_)));
  if (s.size() < width) {
    if (width_ > 0) {
      s.insert(0, width - s.size(), ' ');
    } else {
      s.append(width - s.size(), ' ');
    }
  }
  return s;
}

// The rules work from the last character to the first, so that each character is judged
// knowing whether a point or an exponent stands to its right. The result is built
// backwards and reversed at the end; deleting a character means not copying it.
std::optional<std::string> TNumStringFormat::Normalise(std::string_view text) const {
  const std::string_view s = Trim(text);
  std::string out;
  out.reserve(s.size() + 2);
  bool pointSeen = false;
  bool expSeen = false;
  // An exponent mark: invalid with a point or another exponent to its right.
  const auto exponentMark = [&]() {
    if (pointSeen || expSeen) return false;
    expSeen = true;
    out.push_back('E');
    return true;
  };

  auto i = static_cast<ptrdiff_t>(s.size()) - 1;
  while (i >= 0) {
    const char c = s[static_cast<size_t>(i)];
    const auto at = [&](ptrdiff_t k) { return s[static_cast<size_t>(k)]; };

    if (IsSign(c)) {
      // Blanks and grouping characters in front of a sign are dropped ("E -3").
      ptrdiff_t j = i - 1;
      while (j >= 0 && IsIgnoredChar(at(j)) && !IsSignPrefix(at(j))) --j;
      if (j >= 0 && !IsSignPrefix(at(j))) return std::nullopt;
      out.push_back(c);
      i = j;
      continue;
    }
    if (IsDigit(c)) {
      out.push_back(c);
      --i;
      continue;
    }
    if (IsExpLetter(c)) {
      if (!exponentMark()) return std::nullopt;
      // "E5" means 1E5, "-E5" means -1E5.
      if (i == 0 || (i == 1 && IsSign(at(0)))) out.push_back('1');
      --i;
      continue;
    }
    if (IsNumberChar(c)) {  // what is left of the number characters: decimal characters
      if (!pointSeen && IsPointCandidate(c)) {
        pointSeen = true;
        out.push_back(systemDec_);
        if (i == 0 || (i == 1 && IsSign(at(0)))) out.push_back('0');
      } else if (!IsIgnoredChar(c)) {
        return std::nullopt;  // a second point
      }
      // otherwise a grouping character in front of the point: dropped
      --i;
      continue;
    }
    if (IsIgnoredChar(c)) {
      --i;
      continue;
    }
    // "10**" and "10^" as exponent marks, at the start or after '*' or a blank.
    const std::string_view mark = c == '*' ? "10**" : (c == '^' ? "10^" : "");
    const auto markLength = static_cast<ptrdiff_t>(mark.size());
    if (markLength > 0 && i + 1 >= markLength &&
        s.substr(static_cast<size_t>(i + 1 - markLength), mark.size()) == mark) {
      const ptrdiff_t begin = i + 1 - markLength;
      if (begin == 0) {
        if (!exponentMark()) return std::nullopt;
        out.push_back('1');
        i = -1;
        continue;
      }
      if (at(begin - 1) == '*' || IsIgnoredChar(at(begin - 1))) {
        if (!exponentMark()) return std::nullopt;
        i = begin - 2;
        continue;
      }
    }
    return std::nullopt;
  }
  if (out.empty()) return std::nullopt;
  std::reverse(out.begin(), out.end());
  return out;
}

TConvertStatus TNumStringFormat::ConvertNormalised(std::string_view normalised, Real& value) const {
  std::string buffer(normalised);
  for (char& c : buffer) {
    if (c == systemDec_) c = '.';
  }
  const char* first = buffer.data();
  const char* const last = first + buffer.size();
  if (first != last && *first == '+') ++first;  // from_chars takes no plus sign

  FpFlagsKeeper keepFlags;
  Real v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec == std::errc::invalid_argument || ptr != last) return TConvertStatus::NotNumber;
  if (ec == std::errc::result_out_of_range) {
    if (DecimalOrder(std::string_view(first, static_cast<size_t>(last - first))) > 0) {
      return TConvertStatus::OutOfRange;
    }
    // Underflow (the conversion reports subnormal results as out of range as well):
    // magnitudes below 3.4e-4932 are read as zero of the same sign.
    value = *first == '-' ? -0.0L : 0.0L;
    return TConvertStatus::Ok;
  }
  if (ec != std::errc{}) return TConvertStatus::NotNumber;
  value = v;
  return TConvertStatus::Ok;
}

TConvertStatus TNumStringFormat::Parse(std::string_view text, Real& value) const {
  const std::optional<std::string> normalised = Normalise(text);
  if (!normalised) return TConvertStatus::NotNumberChars;
  return ConvertNormalised(*normalised, value);
}

bool TNumStringFormat::IsValidNumber(std::string_view text) const {
  Real v = 0;
  return Parse(text, v) == TConvertStatus::Ok;
}

bool TNumStringFormat::TryParse(std::string_view text, Real& value) const {
  const std::string current = FormatValue(value);
  if (Trim(text) == Trim(current)) return true;
  return Parse(text, value) == TConvertStatus::Ok;
}

std::string TNumStringFormat::ErrorMessage(TConvertStatus status, std::string_view text) const {
  switch (status) {
    case TConvertStatus::Ok:
      return {};
    case TConvertStatus::NotNumberChars:
      return "Not Float Number Char(s)";
    case TConvertStatus::NotNumber:
      return Quoted(text).append(" is not a valid floating point value");
    case TConvertStatus::OutOfRange:
      return Quoted(text).append(" is out of the floating point range");
  }
  return {};
}

TFieldParse TNumStringFormat::CheckField(std::string_view text, Real& value,
                                         bool valueFormat) const {
  TFieldParse result;
  const std::string old = FormatValue(value);
  if (Trim(text) == Trim(old)) {  // untouched: the exact value stays
    result.text = valueFormat ? old : std::string(text);
    return result;
  }
  Real parsed = value;
  result.status = Parse(text, parsed);
  if (result.Accepted()) {
    value = parsed;
    result.text = valueFormat ? FormatValue(value) : std::string(text);
  } else {
    result.text = old;
    result.message = ErrorMessage(result.status, text);
  }
  return result;
}

TFieldParse TNumStringFormat::ParseField(std::string_view text, Real& value,
                                         bool valueFormat) const {
  TFieldParse result = CheckField(text, value, valueFormat);
  if (!result.Accepted() && raiseConvertError_) throw ConvertError(result.message);
  return result;
}

TKeyVerdict TNumStringFormat::AcceptKey(char key, std::string_view text, size_t caret) const {
  caret = std::min(caret, text.size());
  const std::string_view before = text.substr(0, caret);
  const auto keepsNumber = [&](char inserted) {
    std::string copy(text);
    copy.insert(caret, 1, inserted);
    return Normalise(copy).has_value();
  };

  if (!IsNumberChar(key)) {
    // Blanks and braces: at the start or after a digit (grouping "2 500").
    const bool ok = IsIgnoredChar(key) && (Trim(before).empty() || IsDigit(before.back()));
    return {ok, key};
  }
  if (IsSign(key)) {
    // At the start or after an exponent letter, and only when the text stays a number
    // (no "--5").
    const bool place = Trim(before).empty() || IsExpLetter(before.back());
    return {place && keepsNumber(key), key};
  }
  if (IsDigit(key)) return {true, key};

  // Exponent letters and decimal characters follow a digit (or a leading sign).
  if (caret > 0 && !IsDigit(text[caret - 1]) && !(caret == 1 && IsSign(text[0]))) {
    return {false, key};
  }
  char inserted = key;
  if (IsExpLetter(key)) {
    inserted = 'E';
  } else if (IsPointCandidate(key)) {
    inserted = GetDecSeparator();
  }
  return {keepsNumber(inserted), inserted};
}

bool TNumStringFormat::ExtractFloat(std::string_view text, Real& value, std::string* numberText,
                                    int32_t maxWidth, size_t* end) const {
  const size_t digit = text.find_first_of("0123456789");
  if (digit == std::string_view::npos) return false;
  // The number may begin with a point and a sign in front of its first digit.
  size_t lo = digit;
  if (lo > 0 && IsPointCandidate(text[lo - 1])) --lo;
  if (lo > 0 && IsSign(text[lo - 1])) --lo;
  const auto limit = static_cast<size_t>(maxWidth < 0 ? std::abs(static_cast<int32_t>(width_))
                                                      : static_cast<int32_t>(maxWidth));
  const auto isNumberText = [this](char c) {
    return IsNumberChar(c) || c == '*' || c == '^' || c == '_' || c == '{' || c == '}';
  };

  for (size_t start = lo; start <= digit; ++start) {
    size_t stop = start;
    while (stop < text.size() && (limit == 0 || stop - start < limit) && isNumberText(text[stop])) {
      ++stop;
      if (stop - start > kMaxNumberText) return false;
    }
    // Drop trailing characters until the rest reads ("3*4" gives 3, "2.5E3.7" 2.5E3).
    for (size_t stopAt = stop; stopAt > start; --stopAt) {
      const std::string_view candidate = text.substr(start, stopAt - start);
      Real v = 0;
      const TConvertStatus status = Parse(candidate, v);
      if (status == TConvertStatus::OutOfRange) return false;  // never shorten 1E99999
      if (status == TConvertStatus::Ok) {
        value = v;
        if (numberText != nullptr) *numberText = std::string(candidate);
        if (end != nullptr) *end = stopAt;
        return true;
      }
    }
  }
  return false;
}

bool TNumStringFormat::ExtractInt(std::string_view text, int32_t& value, std::string* numberText,
                                  int32_t maxWidth, size_t* end) const {
  const size_t digit = text.find_first_of("0123456789");
  if (digit == std::string_view::npos) return false;
  const size_t lo = digit > 0 && IsSign(text[digit - 1]) ? digit - 1 : digit;
  const auto limit = static_cast<size_t>(maxWidth < 0 ? std::abs(static_cast<int32_t>(width_))
                                                      : static_cast<int32_t>(maxWidth));
  size_t stop = digit;
  while (stop < text.size() && IsDigit(text[stop]) && (limit == 0 || stop - lo < limit)) ++stop;
  if (stop == digit) return false;

  const char* first = text.data() + lo;
  const char* const last = text.data() + stop;
  if (*first == '+') ++first;
  int32_t v = 0;
  const auto [ptr, ec] = std::from_chars(first, last, v);
  if (ec != std::errc{} || ptr != last) return false;  // beyond int32_t: not shortened
  value = v;
  if (numberText != nullptr) *numberText = std::string(text.substr(lo, stop - lo));
  if (end != nullptr) *end = stop;
  return true;
}

bool TNumStringFormat::ConsumeFloat(std::string& text, Real& value, int32_t maxWidth) const {
  size_t end = 0;
  if (!ExtractFloat(text, value, nullptr, maxWidth, &end)) return false;
  text.erase(0, end);
  return true;
}

bool TNumStringFormat::ConsumeInt(std::string& text, int32_t& value, int32_t maxWidth) const {
  size_t end = 0;
  if (!ExtractInt(text, value, nullptr, maxWidth, &end)) return false;
  text.erase(0, end);
  return true;
}

// ---------------------------------------------------------------- TNumStrCt

TNumStrCt::TNumStrCt() : format_(std::make_shared<TNumStringFormat>()) {}

TNumStrCt::TNumStrCt(const TNumStrCt& other)
    : format_(other.owns_ ? std::make_shared<TNumStringFormat>(*other.format_) : other.format_),
      owns_(other.owns_) {}

TNumStrCt& TNumStrCt::operator=(const TNumStrCt& other) {
  if (this != &other) {
    format_ = other.owns_ ? std::make_shared<TNumStringFormat>(*other.format_) : other.format_;
    owns_ = other.owns_;
  }
  return *this;
}

void TNumStrCt::SetFormatControl(const TNumStrCt& control) {
  if (&control == this) return;
  SetFormatControl(control.format_);
}

void TNumStrCt::SetFormatControl(std::shared_ptr<TNumStringFormat> format) {
  if (!format) {
    ReleaseFormatControl();
    return;
  }
  if (format == format_) return;
  format_ = std::move(format);
  owns_ = false;
}

void TNumStrCt::ReleaseFormatControl() {
  if (owns_) return;
  format_ = std::make_shared<TNumStringFormat>(*format_);
  owns_ = true;
}

std::string RightAligned(const std::string& text, size_t width) {
  if (text.size() >= width) return text;
  std::string s(width - text.size(), ' ');
  s += text;
  return s;
}

}  // namespace tarvex
