// Normal-incidence reflectance of a stack of plane layers by transfer matrices.
//
// Media 0 .. n+1 with complex refractive indices N_j = n_j + i k_j are separated by n+1
// interfaces at depths z_0 <= z_1 <= ... <= z_n [nm], measured into the target; the probe
// comes from medium 0 and medium n+1 is semi-infinite. Interface j contributes the matrix
//   [[e, g], [l, m]],  a = N_j / N_{j+1},
//   e = (1+a)/2 exp(-i k z_j (N_{j+1} - N_j)),  g = (1-a)/2 exp(-i k z_j (N_{j+1} + N_j)),
//   l = (1-a)/2 exp(+i k z_j (N_{j+1} + N_j)),  m = (1+a)/2 exp(+i k z_j (N_{j+1} - N_j)),
// k = 2 pi / lambda; M = A_n ... A_0 and the reflected amplitude is r = M21 / M22
// (a single interface at z = 0 gives r = (N_1 - N_0)/(N_1 + N_0)).
//
// Each A_j factors as D_{j+1}(z_j)^-1 B_j D_j(z_j) with D_j(z) = diag(e^{ikzN_j}, e^{-ikzN_j})
// and B_j = [[1+a, 1-a], [1-a, 1+a]]/2, so the product is B_n P_n B_{n-1} ... P_1 B_0 D_0(z_0)
// up to a diagonal factor on the left, which leaves M21/M22 unchanged; P_j propagates
// through layer j of thickness z_j - z_{j-1}. The computation uses that form, with every
// matrix scaled by a scalar (again without effect on r) so that only decaying exponentials
// e^{2 i k N d} appear: r is the same as from the product of the A_j, but absolute depths
// never enter an exponent, and a deep or thick absorbing stack cannot overflow.
#pragma once

#include <span>
#include <string>

#include "core/common/Real.h"
#include "core/optics/Complex.h"

namespace tarvex {

struct LayerReflectanceResult {
  bool ok = false;
  std::string reason;  // why the stack was refused
  Complex r;           // reflected amplitude
  Real R = 0;          // reflectance |r|^2
  Real phi = 0;        // lambda / (4 pi) arg(r) [nm], in (-lambda/4, lambda/4]
};

// `z` holds the n+1 interface depths [nm], `N` the n+2 indices, `lambda` [nm]. Refused
// (with a reason) for no interface, mismatched sizes, a non-positive wavelength, depths
// that decrease or are not finite, and indices with a negative or non-finite n or k.
LayerReflectanceResult LayerReflectance(std::span<const Real> z, std::span<const Complex> N,
                                        Real lambda);

}  // namespace tarvex
