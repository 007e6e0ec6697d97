// Complex arithmetic: a table of cases per operation (branch cuts, signed zeros, the axes),
// division by zero under the IEEE rules, and the complex edit control's text.
#include "core/optics/Complex.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <string>

#include "core/common/FpGuard.h"
#include "core/optics/ComplexField.h"

namespace tarvex {
namespace {

constexpr Real kPi = std::numbers::pi_v<Real>;
constexpr Real kEps = 1e-18L;

void ExpectNear(Complex got, Complex want, Real tol, const std::string& what) {
  EXPECT_NEAR(static_cast<double>(got.re), static_cast<double>(want.re), static_cast<double>(tol))
      << what << " (real part)";
  EXPECT_NEAR(static_cast<double>(got.im), static_cast<double>(want.im), static_cast<double>(tol))
      << what << " (imaginary part)";
}

TEST(Complex, ConstructionAndPolarForm) {
  EXPECT_EQ(MakeComplex(1.5L, -2), (Complex{1.5L, -2}));
  EXPECT_EQ(ComplexZero, (Complex{0, 0}));
  EXPECT_EQ(ComplexOne, (Complex{1, 0}));
  EXPECT_EQ(ComplexI, (Complex{0, 1}));
  ExpectNear(Polar(2, kPi / 3), {1, std::sqrt(Real{3})}, kEps, "polar(2, pi/3)");
  // A negative radius is the point |r| at phi + pi.
  ExpectNear(Polar(-2, 0), {-2, 0}, kEps, "polar(-2, 0)");
  ExpectNear(Polar(-2, 0), Polar(2, kPi), kEps, "polar(-2, 0) = polar(2, pi)");
  ExpectNear(Polar(-1, kPi / 2), Polar(1, -kPi / 2), kEps, "polar(-1, pi/2)");
}

TEST(Complex, ModulusAndArgument) {
  EXPECT_EQ(Norm2({3, 4}), 25);
  EXPECT_EQ(Abs({3, 4}), 5);
  EXPECT_EQ(Abs({0, -2}), 2);
  // Parts whose squares overflow still have a modulus.
  EXPECT_NEAR(static_cast<double>(Abs({3e3000L, 4e3000L}) / 5e3000L), 1, 1e-15);

  struct Case {
    Complex z;
    Real arg;
  };
  const Case cases[] = {
      {{1, 0}, 0},
      {{0, 0}, 0},        // no direction: 0
      {{0, 1}, kPi / 2},  // imaginary axis: exactly +-pi/2
      {{0, -1}, -kPi / 2},
      {{-0.0L, 2}, kPi / 2},  // a negative zero real part is still the axis
      {{-1, 0}, kPi},         // the cut: the negative real axis belongs to +pi
      {{-1, -0.0L}, kPi},     // also below it with a negative zero
      {{1, 1}, kPi / 4},
      {{-1, -1}, -3 * kPi / 4},
      {{-1, 1e-30L}, kPi - 1e-30L},    // just above the cut
      {{-1, -1e-30L}, -kPi + 1e-30L},  // just below it: stays above -pi
  };
  for (const Case& c : cases) {
    const Real a = Arg(c.z);
    EXPECT_NEAR(static_cast<double>(a), static_cast<double>(c.arg), 1e-18)
        << "arg(" << static_cast<double>(c.z.re) << ", " << static_cast<double>(c.z.im) << ")";
    EXPECT_GT(a, -kPi);
    EXPECT_LE(a, kPi);
  }
  EXPECT_EQ(Arg({0, 1}), kPi / 2);
  EXPECT_EQ(Arg({0, -1}), -kPi / 2);
  EXPECT_EQ(Arg({-1, -0.0L}), kPi);
}

TEST(Complex, Arithmetic) {
  const Complex z{1, 2};
  const Complex w{3, -4};
  struct Case {
    const char* what;
    Complex got, want;
  };
  const Case cases[] = {
      {"z + w", z + w, {4, -2}},
      {"z - w", z - w, {-2, 6}},
      {"z * w", z * w, {11, 2}},
      // ((a c + b d) + i (b c - a d)) / (c^2 + d^2) = (-5 + 10i) / 25
      {"z / w", z / w, {-0.2L, 0.4L}},
      {"w / w", w / w, {1, 0}},
      {"-z", -z, {-1, -2}},
      {"conj z", Conj(z), {1, -2}},
      {"2 z", 2 * z, {2, 4}},
      {"z 2", z * 2, {2, 4}},
      {"z / 4", z / 4, {0.25L, 0.5L}},
      {"5 + z", 5 + z, {6, 2}},
      {"z + 5", z + 5, {6, 2}},
      {"5 - z", 5 - z, {4, -2}},
      {"z - 5", z - 5, {-4, 2}},
      {"1 / w", Inverse(w), {0.12L, 0.16L}},
      {"1 / i", Inverse(ComplexI), {0, -1}},
      {"i * i", ComplexI * ComplexI, {-1, 0}},
      {"sum", Sum({{1, 1}, {2, -3}, {-0.5L, 0.5L}}), {2.5L, -1.5L}},
      {"empty sum", Sum({}), {0, 0}},
  };
  for (const Case& c : cases) ExpectNear(c.got, c.want, kEps, c.what);
}

TEST(Complex, SquareRootWithItsSignRule) {
  struct Case {
    Complex z, want;
  };
  const Case cases[] = {
      {{4, 0}, {2, 0}},
      {{0, 0}, {0, 0}},
      {{-4, 0}, {0, 2}},                   // the negative real axis: +2i
      {{-4, -0.0L}, {0, 2}},               // a negative zero imaginary part counts as non-negative
      {{-4, -1e-300L}, {0.25e-300L, -2}},  // just below the cut: the lower branch
      {{0, 2}, {1, 1}},
      {{0, -2}, {1, -1}},
      {{3, 4}, {2, 1}},
      {{-3, 4}, {1, 2}},
      {{-3, -4}, {1, -2}},
  };
  for (const Case& c : cases) {
    const Complex s = Sqrt(c.z);
    ExpectNear(s, c.want, kEps,
               "sqrt(" + std::to_string(static_cast<double>(c.z.re)) + ", " +
                   std::to_string(static_cast<double>(c.z.im)) + ")");
    EXPECT_GE(s.re, 0);
  }
  // A weakly absorbing metal, eps = -25 + 1e-12 i: the small real part n = 1e-13 keeps its
  // relative accuracy (no cancellation in |z| - Re).
  const Complex n = Sqrt({-25, 1e-12L});
  EXPECT_NEAR(static_cast<double>(n.re / 1e-13L), 1, 1e-15);
  EXPECT_NEAR(static_cast<double>(n.im), 5, 1e-15);
  // Squaring back over a spread of values.
  for (Real re : {-7.5L, -1e-3L, 0.0L, 2.0L, 1e6L}) {
    for (Real im : {-3.0L, -1e-9L, 1e-9L, 0.5L, 40.0L}) {
      const Complex s = Sqrt({re, im});
      const Complex back = s * s;
      ExpectNear(back, {re, im}, 1e-17L * std::max<Real>(1, Abs({re, im})), "sqrt squared");
      const std::complex<long double> ref = std::sqrt(std::complex<long double>(re, im));
      ExpectNear(s, {ref.real(), ref.imag()}, 1e-17L * std::max<Real>(1, Abs(s)), "std::sqrt");
    }
  }
}

TEST(Complex, Exponential) {
  ExpectNear(Exp({0, 0}), {1, 0}, kEps, "exp 0");
  ExpectNear(Exp({0, kPi}), {-1, 0}, kEps, "exp(i pi)");
  ExpectNear(Exp({1, kPi / 2}), {0, std::exp(Real{1})}, kEps, "exp(1 + i pi/2)");
  ExpectNear(Exp({std::log(Real{2}), 0}), {2, 0}, kEps, "exp(ln 2)");
  ExpectNear(Exp({-20000, 1}), {0, 0}, kEps, "an underflowing modulus");
}

TEST(Complex, DivisionByZeroFollowsTheFloatingPointRules) {
  // Operands the compiler cannot fold: the divisions happen at run time, as in a run.
  volatile Real zero = 0;
  const Complex z0{zero, zero};
  const FpGuard guard;
  // The written formula gives 0/0 for every part: NaN, with the invalid flag.
  const Complex q = Complex{1, 1} / z0;
  EXPECT_TRUE(std::isnan(q.re) && std::isnan(q.im));
  EXPECT_TRUE(guard.Faulted());
  guard.Reset();
  const Complex inv = Inverse(z0);
  EXPECT_TRUE(std::isnan(inv.re) && std::isnan(inv.im));
  EXPECT_TRUE(guard.Faulted());
  guard.Reset();
  // A real divisor 0: signed infinities, with the division-by-zero flag.
  const Complex r = Complex{1, -2} / z0.re;
  EXPECT_EQ(r.re, std::numeric_limits<Real>::infinity());
  EXPECT_EQ(r.im, -std::numeric_limits<Real>::infinity());
  EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO) != 0);
  guard.Reset();
  // Ordinary operations raise nothing.
  const Complex ok = Sqrt(Complex{-4, 0}) * Exp(Complex{0, 1}) / Complex{3, 4};
  EXPECT_TRUE(std::isfinite(ok.re));
  EXPECT_FALSE(guard.Faulted());
}

TEST(ComplexField, TextIsRealTextSeparatorImaginaryText) {
  TComplexField f;
  f.SetValue({1.5L, -2});
  EXPECT_EQ(f.Text(), "1.5 +_i* -2");
  // Each part has its own format.
  f.SetStringFormat1(TNumStringFormat(TFloatFormat::ffFixed, 3));
  f.SetStringFormat2(TNumStringFormat(TFloatFormat::ffExponent, 2));
  EXPECT_EQ(f.Text(), "1.500 +_i* -2.00E+00");
  EXPECT_EQ(f.Re.Text(), "1.500");
}

TEST(ComplexField, TextReadsBackAndRefusesBadText) {
  TComplexField f;
  // An untouched text keeps the exact value, not the value of its rounded digits.
  const Complex exact{1.0L / 3, -1.0L / 7};
  f.SetValue(exact);
  ASSERT_TRUE(f.SetText(f.Text()));
  EXPECT_EQ(f.Value(), exact);

  ASSERT_TRUE(f.SetText("0.25+_i*3E-2"));
  EXPECT_EQ(f.Value(), (Complex{0.25L, 0.03L}));

  f.SetValue({2, 3});
  const std::string before = f.Text();
  for (const char* bad : {"2 3", "2 +_i* x", "y +_i* 3", "+_i*", ""}) {
    EXPECT_FALSE(f.SetText(bad)) << bad;
    EXPECT_EQ(f.StoredValue(), (Complex{2, 3})) << bad;
    EXPECT_EQ(f.Text(), before) << bad;
  }
}

TEST(ComplexField, RefractLineOfAProfileHeader) {
  const TNumStringFormat fmt;
  const std::optional<Complex> z = ReadRefractLine("Refract = 0.936 +_i* -0.3288", fmt);
  ASSERT_TRUE(z);
  EXPECT_EQ(*z, (Complex{0.936L, -0.3288L}));
  EXPECT_FALSE(ReadRefractLine("Etherm = 1", fmt));
  EXPECT_FALSE(ReadRefractLine("Refract = 0.9", fmt));
  EXPECT_FALSE(ReadRefractLine("Refract = 0.9 +_i* NAN", fmt));
  const std::optional<Complex> w = ParseComplexText(" 1E3 +_i* -2,5", fmt, fmt);
  ASSERT_TRUE(w);
  EXPECT_EQ(*w, (Complex{1000, -2.5L}));
}

}  // namespace
}  // namespace tarvex
