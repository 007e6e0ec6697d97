// Transfer-matrix reflectance of a layer stack, in the factored, overflow-free form.
#include "core/optics/LayerReflectance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvex {

namespace {

struct Mat2 {
  Complex a11, a12, a21, a22;
};

// Multiplies the matrix by a power of two that brings its largest component near 1:
// exact, and r = a21/a22 does not change.
void Normalise(Mat2& K) {
  Real big = 0;
  for (const Complex* c : {&K.a11, &K.a12, &K.a21, &K.a22}) {
    big = std::max({big, std::fabs(c->re), std::fabs(c->im)});
  }
  if (!(big > 0) || !std::isfinite(big)) return;
  const int e = std::ilogb(big);
  for (Complex* c : {&K.a11, &K.a12, &K.a21, &K.a22}) {
    c->re = std::scalbn(c->re, -e);
    c->im = std::scalbn(c->im, -e);
  }
}

LayerReflectanceResult Refuse(std::string reason) {
  LayerReflectanceResult r;
  r.reason = std::move(reason);
  return r;
}

}  // namespace

LayerReflectanceResult LayerReflectance(std::span<const Real> z, std::span<const Complex> N,
                                        Real lambda) {
  if (z.empty()) return Refuse("A layer stack needs at least one interface (0 layers given)");
  if (N.size() != z.size() + 1) {
    return Refuse(std::to_string(z.size()) + " interfaces need " + std::to_string(z.size() + 1) +
                  " refractive indices, " + std::to_string(N.size()) + " given");
  }
  if (!std::isfinite(lambda) || !(lambda > 0)) {
    return Refuse("The wavelength must be positive [nm]");
  }
  for (size_t j = 0; j < z.size(); ++j) {
    if (!std::isfinite(z[j])) return Refuse("Interface " + std::to_string(j) + ": no depth");
    if (j > 0 && z[j] < z[j - 1]) {
      return Refuse("Interface depths must not decrease (interface " + std::to_string(j) + ")");
    }
  }
  for (size_t j = 0; j < N.size(); ++j) {
    if (!std::isfinite(N[j].re) || !std::isfinite(N[j].im)) {
      return Refuse("Medium " + std::to_string(j) + ": no refractive index");
    }
    if (N[j].re < 0 || N[j].im < 0) {
      return Refuse("Medium " + std::to_string(j) + ": negative refractive index n or k");
    }
  }

  const Real k = 2 * std::numbers::pi_v<Real> / lambda;  // [1/nm]
  // D_0(z_0) = diag(q, 1/q), q = e^{i k z_0 N_0}, scaled to diag(q^2, 1) or diag(1, q^-2),
  // whichever has no growing exponential (z_0 may be negative: the surface moved out).
  const Complex twoPhase0 = Complex{0, 2 * k * z[0]} * N[0];
  Mat2 K{ComplexOne, ComplexZero, ComplexZero, ComplexOne};
  if (twoPhase0.re <= 0) {
    K.a11 = Exp(twoPhase0);
  } else {
    K.a22 = Exp(-twoPhase0);
  }
  for (size_t j = 0; j < z.size(); ++j) {
    if (j > 0) {
      // P_j = diag(p, 1/p), p = e^{i k N_j d}, scaled to diag(p^2, 1): |p^2| =
      // e^{-2 k d Im N_j} <= 1 for d >= 0 and Im N_j >= 0.
      const Real d = z[j] - z[j - 1];
      const Complex p2 = Exp(Complex{0, 2 * k * d} * N[j]);
      K.a11 *= p2;
      K.a12 *= p2;
    }
    // B_j scaled by 2 N_{j+1}: [[N' + N, N' - N], [N' - N, N' + N]].
    const Complex s = N[j + 1] + N[j];
    const Complex t = N[j + 1] - N[j];
    K = Mat2{s * K.a11 + t * K.a21, s * K.a12 + t * K.a22, t * K.a11 + s * K.a21,
             t * K.a12 + s * K.a22};
    Normalise(K);
  }

  LayerReflectanceResult result;
  result.ok = true;
  result.r = K.a21 / K.a22;
  result.R = Norm2(result.r);
  result.phi = lambda / (4 * std::numbers::pi_v<Real>)*Arg(result.r);
  return result;
}

}  // namespace tarvex
