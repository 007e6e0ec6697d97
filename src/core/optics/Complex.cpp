// Complex operations that need the math library.
#include "core/optics/Complex.h"

#include <cmath>
#include <numbers>

namespace tarvex {

Complex Polar(Real r, Real phi) {
  return Complex{r * std::cos(phi), r * std::sin(phi)};
}

Real Abs(Complex z) {
  return std::hypot(z.re, z.im);
}

Real Arg(Complex z) {
  constexpr Real pi = std::numbers::pi_v<Real>;
  if (std::isnan(z.re) || std::isnan(z.im)) return z.re + z.im;
  if (z.re == 0) {
    if (z.im > 0) return pi / 2;
    if (z.im < 0) return -pi / 2;
    return 0;
  }
  // The negative real axis belongs to +pi, also with a negative zero imaginary part,
  // which atan2 would send to -pi.
  if (z.im == 0) return z.re < 0 ? pi : 0;
  const Real a = std::atan2(z.im, z.re);
  // Just below the negative real axis the angle -pi + |Im/Re| rounds to -pi: keep it on
  // its side of the cut, inside (-pi, pi].
  return a > -pi ? a : std::nextafter(-pi, Real{0});
}

Complex Sqrt(Complex z) {
  if (z.re == 0 && z.im == 0) return ComplexZero;
  const Real a = Abs(z);
  // The larger part from the formula, the smaller one as Im/(2 * larger): the same values
  // without the cancellation of |z| - |Re| when |Im| << |Re|.
  if (z.re >= 0) {
    const Real re = std::sqrt((a + z.re) / 2);
    return Complex{re, z.im / (2 * re)};
  }
  const Real im = std::sqrt((a - z.re) / 2);
  return Complex{std::fabs(z.im) / (2 * im), z.im < 0 ? -im : im};
}

Complex Exp(Complex z) {
  return Polar(std::exp(z.re), z.im);
}

Complex Sum(std::span<const Complex> terms) {
  Complex s = ComplexZero;
  for (const Complex& t : terms) s += t;
  return s;
}

}  // namespace tarvex
