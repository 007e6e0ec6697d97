// Growth shapes of the initial profile.
#include "core/setup/GrowthShapes.h"

#include <algorithm>
#include <cmath>

namespace tarvex {

namespace {

// (sinh(mu/2) / sinh(lambda/2))^2 for lambda > 0 and |mu| <= lambda + O(cell), evaluated
// without overflow: sinh(z/2) = e^(z/2) (1 - e^-z) / 2 gives the ratio
// e^((|mu| - lambda)/2) * expm1(-|mu|) / expm1(-lambda).
Real SinhRatioSquared(Real mu, Real lambda) {
  const Real m = std::fabs(mu);
  const Real r = std::exp((m - lambda) / 2) * std::expm1(-m) / std::expm1(-lambda);
  return r * r;
}

}  // namespace

bool GrowthShapeApplicable(int32_t shape, Real Y0, Real Y1) {
  if (shape != kGrowthPoly) return true;
  return (Y0 > 0 && Y1 > 0) || (Y0 < 0 && Y1 < 0);
}

Real GrowthValue(const GrowthProfile& g, int32_t k, Real s) {
  const Real dY = g.Y1 - g.Y0;
  const Real d = g.d;
  switch (g.shape) {
    case kGrowthStep:
      return g.Y1;
    case kGrowthLinear: {
      // A straight line of slope dY/d through Y1 at the last cell centre (d > 0) or
      // through Y0 there (d < 0). Beyond the distance |d| the line would leave the range
      // between Y0 and Y1 without bound (negative temperatures deep in the film), so it is
      // held at the nearer of the two values there.
      const Real base = d > 0 ? g.Y1 : g.Y0;
      const Real y = base + (s - g.sLast) * dY / d;
      return std::clamp(y, std::min(g.Y0, g.Y1), std::max(g.Y0, g.Y1));
    }
    case kGrowthPoly: {
      // Geometric growth Y0 q^(k - kf), q = (Y1/Y0)^(1/n): reaches Y1 in the last cell.
      const Real e = static_cast<Real>(k - g.kf) / static_cast<Real>(g.n);
      return g.Y0 * std::pow(g.Y1 / g.Y0, e);
    }
    case kGrowthExp:
      if (d > 0) return g.Y1 - dY * std::exp(-(s - g.xf) / d);
      return g.Y0 + dY * std::exp(-(s - g.sEnd) / d);
    case kGrowthGauss: {
      if (d > 0) {
        const Real z = (s - g.xf) / d;
        return g.Y1 - dY * std::exp(-z * z);
      }
      const Real z = (s - g.sEnd) / d;
      return g.Y0 + dY * std::exp(-z * z);
    }
    case kGrowthExp15: {
      if (d > 0) {
        // With W = exp(((sLast - xf)/d)^1.5), q = W / exp(((sEnd - s)/d)^1.5) and
        // A = dY / (1/W + W - 2):  Y = Y0 + A (1/q + q - 2).
        // Since 1/q + q - 2 = 4 sinh^2(ln q / 2), this is
        //   Y = Y0 + dY (sinh(mu/2) / sinh(lambda/2))^2,
        //   lambda = ((sLast - xf)/d)^1.5,  mu = lambda - ((sEnd - s)/d)^1.5,
        // the form used here because W overflows for d much shorter than the film.
        // Y is Y0 half a cell past xf (s = xf + sEnd - sLast, where mu = 0) and close to Y1
        // in the last cell (mu = lambda - (half a cell / d)^1.5); it steepens towards the
        // film end.
        const Real lambda = std::pow((g.sLast - g.xf) / d, 1.5L);
        const Real mu = lambda - std::pow((g.sEnd - s) / d, 1.5L);
        return g.Y0 + dY * SinhRatioSquared(mu, lambda);
      }
      // d < 0: the mirror image. For d much shorter than the film the form above tends to
      // Y0 + dY exp(-((sEnd - s)/d)^1.5), a rise to Y1 within about d of the film end.
      // Reflected about the growth region (s -> xf + sEnd - s, Y0 <-> Y1) it becomes
      //   Y = Y1 - dY exp(-((s - xf)/|d|)^1.5):
      // Y0 at the growth start xf, within e^-8 of Y1 farther than 4|d| from it.
      return g.Y1 - dY * std::exp(-std::pow((s - g.xf) / -d, 1.5L));
    }
    default:
      return g.Y1;
  }
}

}  // namespace tarvex
