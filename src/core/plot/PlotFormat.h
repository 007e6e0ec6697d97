// Number texts of the graphs: printf-style formatting of Real values with '.' as the
// decimal point whatever the process locale, the label formats of the graph axes and the
// rewriting of their exponent form (1.0e+03 -> 1E3), and rounding helpers.
#pragma once

#include <cstdint>
#include <string>

#include "core/common/Real.h"

namespace tarvex {

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 1.5 -> 2),
// independently of the floating-point rounding mode.
Real RoundHalfEven(Real v);

// Rounds a positive or negative value to the given number of significant digits.
Real RoundSignificant(Real v, int32_t digits);

enum class PrintfStyle : char { Fixed = 'f', General = 'g', Exponent = 'e' };

// snprintf("%.<precision>L<style>", v) (precision < 0: the style's default precision),
// with the decimal point written as '.' even when the process runs under a locale with
// another separator.
std::string PrintfReal(PrintfStyle style, int32_t precision, Real v);

// A label format of a graph axis: "%g", "%.1e", "%.1g", "%.2g", "%.<k>f", "%.<k>g".
struct LabelFormat {
  PrintfStyle style = PrintfStyle::General;
  int32_t precision = -1;  // < 0: default ("%g")

  static LabelFormat Fixed(int32_t digits) { return {PrintfStyle::Fixed, digits}; }
  static LabelFormat General(int32_t digits = -1) { return {PrintfStyle::General, digits}; }
  static LabelFormat Exponent(int32_t digits) { return {PrintfStyle::Exponent, digits}; }

  // The printf spelling, e.g. "%.1e" (for display and tests).
  std::string Text() const;
  friend bool operator==(const LabelFormat&, const LabelFormat&) = default;
};

// The text of an axis label: the value in the label format; in exponent form the letter
// is 'E', a "1.0" mantissa of "%.1e" loses its ".0", the '+' of the exponent and its
// leading zeros are dropped (1.0e+03 -> 1E3, 2.5e-09 -> 2.5E-9). Negative zero prints
// as zero.
std::string FormatAxisNumber(Real v, LabelFormat format);

}  // namespace tarvex
