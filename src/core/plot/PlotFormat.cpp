// Locale-independent printf formatting of Real values and the axis label texts.
#include "core/plot/PlotFormat.h"

#include <cmath>
#include <cstdio>

namespace tarvex {

Real RoundHalfEven(Real v) {
  if (!std::isfinite(v)) return v;
  const Real f = std::floor(v);
  const Real frac = v - f;  // exact: f and v share the exponent range
  if (frac > 0.5L) return f + 1;
  if (frac < 0.5L) return f;
  return std::fmod(f, 2.0L) == 0 ? f : f + 1;
}

Real RoundSignificant(Real v, int32_t digits) {
  if (v == 0 || !std::isfinite(v) || digits < 1) return v;
  const Real e = std::floor(std::log10(std::fabs(v)));
  const Real unit = std::pow(10.0L, e - static_cast<Real>(digits - 1));
  return RoundHalfEven(v / unit) * unit;
}

namespace {

bool IsNumberByte(char c) {
  return (c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E' ||
         (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// printf writes the locale's radix character (possibly several bytes); no grouping is
// produced without the ' flag, so the radix is the only run of other bytes.
std::string NormaliseRadix(const std::string& raw) {
  std::string out;
  out.reserve(raw.size());
  bool inRadix = false;
  for (char c : raw) {
    if (IsNumberByte(c)) {
      out.push_back(c);
      inRadix = false;
    } else if (!inRadix) {
      out.push_back('.');
      inRadix = true;
    }
  }
  return out;
}

}  // namespace

std::string PrintfReal(PrintfStyle style, int32_t precision, Real v) {
  char conversion[8] = {'%', '.', '*', 'L', static_cast<char>(style), '\0', '\0', '\0'};
  if (precision < 0) {
    conversion[1] = 'L';
    conversion[2] = static_cast<char>(style);
    conversion[3] = '\0';
  }
  // The format is built from a fixed set of conversions above, never from input.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const int size = precision < 0
                       ? std::snprintf(nullptr, 0, conversion, v)
                       : std::snprintf(nullptr, 0, conversion, static_cast<int>(precision), v);
  if (size <= 0) return std::string();
  std::string raw(static_cast<size_t>(size) + 1, '\0');
  if (precision < 0) {
    std::snprintf(raw.data(), raw.size(), conversion, v);
  } else {
    std::snprintf(raw.data(), raw.size(), conversion, static_cast<int>(precision), v);
  }
#pragma GCC diagnostic pop
  raw.resize(static_cast<size_t>(size));
  return NormaliseRadix(raw);
}

std::string LabelFormat::Text() const {
  std::string t = "%";
  if (precision >= 0) t.append(".").append(std::to_string(precision));
  t.push_back(static_cast<char>(style));
  return t;
}

std::string FormatAxisNumber(Real v, LabelFormat format) {
  if (v == 0) v = 0;  // no "-0"
  std::string s = PrintfReal(format.style, format.precision, v);
  const size_t e = s.find_first_of("eE");
  if (e == std::string::npos) return s;
  std::string mantissa = s.substr(0, e);
  std::string exponent = s.substr(e + 1);
  if (format.style == PrintfStyle::Exponent && format.precision == 1 && mantissa.size() >= 3 &&
      mantissa.compare(mantissa.size() - 3, 3, "1.0") == 0) {
    mantissa.erase(mantissa.size() - 2);  // "1.0" -> "1"
  }
  std::string sign;
  size_t digits = 0;
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
    if (exponent[0] == '-') sign = "-";
    digits = 1;
  }
  while (digits + 1 < exponent.size() && exponent[digits] == '0') ++digits;
  return mantissa + "E" + sign + exponent.substr(digits);
}

}  // namespace tarvex
