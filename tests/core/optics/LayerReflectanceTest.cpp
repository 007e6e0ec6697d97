// The transfer-matrix stack: refused stacks, agreement with the plain product of the
// interface matrices at absolute depths, and a deep absorbing stack that the plain
// product could not hold.
#include "core/optics/LayerReflectance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

namespace tarvex {
namespace {

using C = std::complex<long double>;
constexpr Real kPi = std::numbers::pi_v<Real>;

TEST(LayerReflectance, RefusesStacksItCannotDescribe) {
  const Real nan = std::numeric_limits<Real>::quiet_NaN();
  struct Case {
    const char* what;
    std::vector<Real> z;
    std::vector<Complex> N;
    Real lambda;
  };
  const Complex metal{0.2L, 3};
  const Case cases[] = {
      {"no interface", {}, {ComplexOne}, 620},
      {"indices missing", {0, 10}, {ComplexOne, metal}, 620},
      {"too many indices", {0}, {ComplexOne, metal, metal}, 620},
      {"zero wavelength", {0}, {ComplexOne, metal}, 0},
      {"negative wavelength", {0}, {ComplexOne, metal}, -620},
      {"depths decrease", {0, 10, 5}, {ComplexOne, metal, metal, metal}, 620},
      {"missing depth", {0, nan}, {ComplexOne, metal, metal}, 620},
      {"negative k", {0}, {ComplexOne, {0.2L, -3}}, 620},
      {"negative n", {0}, {ComplexOne, {-0.2L, 3}}, 620},
      {"missing index", {0}, {ComplexOne, {nan, 3}}, 620},
  };
  for (const Case& c : cases) {
    const LayerReflectanceResult r = LayerReflectance(c.z, c.N, c.lambda);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_FALSE(r.reason.empty()) << c.what;
  }
  EXPECT_NE(LayerReflectance({}, std::vector<Complex>{ComplexOne}, 620).reason.find("0 layers"),
            std::string::npos);
}

// The plain product M = A_n ... A_0 of the interface matrices with absolute depths.
C PlainProduct(const std::vector<Real>& z, const std::vector<C>& N, Real lambda) {
  const Real k = 2 * kPi / lambda;
  const C i(0, 1);
  C m11 = 1, m12 = 0, m21 = 0, m22 = 1;
  for (size_t j = 0; j < z.size(); ++j) {
    const C a = N[j] / N[j + 1];
    const C e = 0.5L * (1.0L + a) * std::exp(-i * k * z[j] * (N[j + 1] - N[j]));
    const C g = 0.5L * (1.0L - a) * std::exp(-i * k * z[j] * (N[j + 1] + N[j]));
    const C l = 0.5L * (1.0L - a) * std::exp(i * k * z[j] * (N[j + 1] + N[j]));
    const C m = 0.5L * (1.0L + a) * std::exp(i * k * z[j] * (N[j + 1] - N[j]));
    const C n11 = e * m11 + g * m21, n12 = e * m12 + g * m22;
    const C n21 = l * m11 + m * m21, n22 = l * m12 + m * m22;
    m11 = n11, m12 = n12, m21 = n21, m22 = n22;
  }
  return m21 / m22;
}

TEST(LayerReflectance, AgreesWithThePlainProductOfInterfaceMatrices) {
  // A heated, expanded metal surface over glass: five layers, the surface 12 nm out.
  const std::vector<Real> z{-12, -4, 3.5L, 9, 22, 41};
  const std::vector<C> N{1.0L,          C(1.2L, 0.4L),  C(0.6L, 2.1L), C(0.3L, 3.0L),
                         C(0.2L, 3.2L), C(0.18L, 3.3L), 1.5L};
  std::vector<Complex> ours;
  for (const C& n : N) ours.push_back({n.real(), n.imag()});
  for (Real lambda : {400.0L, 620.0L, 1064.0L}) {
    const LayerReflectanceResult r = LayerReflectance(z, ours, lambda);
    ASSERT_TRUE(r.ok) << r.reason;
    const C plain = PlainProduct(z, N, lambda);
    EXPECT_NEAR(static_cast<double>(std::abs(C(r.r.re, r.r.im) - plain)), 0, 1e-13);
    EXPECT_NEAR(static_cast<double>(r.phi),
                static_cast<double>(lambda / (4 * kPi) * std::arg(plain)), 1e-12);
  }
}

TEST(LayerReflectance, DeepAbsorbingStackStaysFinite) {
  // A millimetre of metal whose top lies half a millimetre deep. The light never comes back
  // from the lower face, so R is the Fresnel value of the top face; the plain product
  // would need exp(k z Im(N1 + N0)) ~ e^(1.5e4), beyond the range of the 80-bit reals.
  const Complex metal{0.2L, 3};
  const Real z[] = {5e5L, 1.5e6L};
  const Complex N[] = {ComplexOne, metal, {1.5L, 0}};
  const LayerReflectanceResult r = LayerReflectance(z, N, 620);
  ASSERT_TRUE(r.ok) << r.reason;
  const C m(metal.re, metal.im);
  EXPECT_NEAR(static_cast<double>(r.R), static_cast<double>(std::norm((1.0L - m) / (1.0L + m))),
              1e-12);
}

}  // namespace
}  // namespace tarvex
