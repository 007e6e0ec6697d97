// Complex numbers of two Reals (real part, then imaginary part) and their operations, for
// the optics: refractive indices N = n + ik, permittivities eps1 + i eps2, reflection
// amplitudes and transfer matrices.
//
// Every operation returns a new value. Division by zero follows the IEEE rules of the
// written formulas (a NaN or an infinity, with the FP status flags set, which a scoped
// FpGuard sees); nothing traps.
#pragma once

#include <initializer_list>
#include <span>

#include "core/common/Real.h"

namespace tarvex {

struct Complex {
  Real re = 0;
  Real im = 0;

  constexpr bool operator==(const Complex&) const = default;
};

inline constexpr Complex ComplexZero{0, 0};
inline constexpr Complex ComplexOne{1, 0};
inline constexpr Complex ComplexI{0, 1};

constexpr Complex MakeComplex(Real re, Real im) {
  return Complex{re, im};
}

// r cos(phi) + i r sin(phi). A negative r is the point |r| at the angle phi + pi.
Complex Polar(Real r, Real phi);

// re^2 + im^2.
constexpr Real Norm2(Complex z) {
  return z.re * z.re + z.im * z.im;
}

// |z| = sqrt(norm2), computed without the overflow of the squares for huge parts.
Real Abs(Complex z);

// The angle of z in (-pi, pi]: exactly +-pi/2 on the imaginary axis, pi on the negative
// real axis (also for a negative zero imaginary part) and 0 for z = 0.
Real Arg(Complex z);

constexpr Complex Conj(Complex z) {
  return Complex{z.re, -z.im};
}

constexpr Complex operator-(Complex z) {
  return Complex{-z.re, -z.im};
}
constexpr Complex operator+(Complex z, Complex w) {
  return Complex{z.re + w.re, z.im + w.im};
}
constexpr Complex operator-(Complex z, Complex w) {
  return Complex{z.re - w.re, z.im - w.im};
}
constexpr Complex operator*(Complex z, Complex w) {
  return Complex{z.re * w.re - z.im * w.im, z.re * w.im + z.im * w.re};
}
// z / w = ((a c + b d) + i (b c - a d)) / (c^2 + d^2) for z = a + ib, w = c + id.
constexpr Complex operator/(Complex z, Complex w) {
  const Real d = w.re * w.re + w.im * w.im;
  return Complex{(z.re * w.re + z.im * w.im) / d, (z.im * w.re - z.re * w.im) / d};
}

// Real scaling and adding a real to the real part.
constexpr Complex operator*(Real k, Complex z) {
  return Complex{k * z.re, k * z.im};
}
constexpr Complex operator*(Complex z, Real k) {
  return Complex{k * z.re, k * z.im};
}
constexpr Complex operator/(Complex z, Real k) {
  return Complex{z.re / k, z.im / k};
}
constexpr Complex operator+(Real x, Complex z) {
  return Complex{x + z.re, z.im};
}
constexpr Complex operator+(Complex z, Real x) {
  return Complex{z.re + x, z.im};
}
constexpr Complex operator-(Real x, Complex z) {
  return Complex{x - z.re, -z.im};
}
constexpr Complex operator-(Complex z, Real x) {
  return Complex{z.re - x, z.im};
}

constexpr Complex& operator+=(Complex& z, Complex w) {
  return z = z + w;
}
constexpr Complex& operator-=(Complex& z, Complex w) {
  return z = z - w;
}
constexpr Complex& operator*=(Complex& z, Complex w) {
  return z = z * w;
}

// 1/z = conj(z) / norm2(z).
constexpr Complex Inverse(Complex z) {
  const Real d = Norm2(z);
  return Complex{z.re / d, -z.im / d};
}

// The square root with Re >= 0: re = sqrt((|z| + Re)/2), im = sqrt((|z| - Re)/2) with the
// sign of Im(z). Im(z) = -0 counts as non-negative, so sqrt(-4) = 2i whatever the sign
// of the zero (a lossless metal gets the decaying index N = +i sqrt|eps|).
Complex Sqrt(Complex z);

// e^z = polar(e^Re, Im).
Complex Exp(Complex z);

// The sum of a list.
Complex Sum(std::span<const Complex> terms);
inline Complex Sum(std::initializer_list<Complex> terms) {
  return Sum(std::span<const Complex>(terms.begin(), terms.size()));
}

}  // namespace tarvex
