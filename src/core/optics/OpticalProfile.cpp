// Cutting a profile into optical layers; reflectance and phase shift of the stack.
#include "core/optics/OpticalProfile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

#include "core/common/FpGuard.h"
#include "core/optics/FilmReflectance.h"

namespace tarvex {

namespace {

constexpr Real kNmPerCm = 1e7L;
constexpr Real kBulkTolerance = 0.002L;   // each of rho, Ti, Te within 0.2 % of the means
constexpr Real kLayerTolerance = 0.002L;  // sum of the three relative deviations
constexpr Real kNoiseTolerance = 1e-12L;  // relative change below which no direction is set

// |q - mean| / |mean|; 0 for q = mean and +inf for a zero mean (without an FP flag).
Real RelativeDeviation(Real q, Real mean) {
  if (q == mean) return 0;
  if (mean == 0) return std::numeric_limits<Real>::infinity();
  return std::fabs(q - mean) / std::fabs(mean);
}

// Direction of the change from `from` to `to`: +1, -1, or 0 within rounding noise.
int Direction(Real from, Real to) {
  const Real d = to - from;
  if (std::fabs(d) <= kNoiseTolerance * std::max(std::fabs(from), std::fabs(to))) return 0;
  return d > 0 ? 1 : -1;
}

// Running sums of a group of cells.
struct Group {
  Real mass = 0;  // sum of rho dx [g/cm2]
  Real sumTi = 0;
  Real sumTe = 0;
  int32_t cells = 0;

  void Add(const OpticalTarget& t, int32_t i) {
    mass += t.rho[i] * (t.x[i + 1] - t.x[i]);
    sumTi += t.Ti[i];
    sumTe += t.Te[i];
    ++cells;
  }
  // Mean density over the group's nodes lo .. hi.
  Real Rho(const OpticalTarget& t, int32_t lo, int32_t hi) const {
    return mass / (t.x[hi] - t.x[lo]);
  }
  Real Ti() const { return sumTi / cells; }
  Real Te() const { return sumTe / cells; }
};

OpticalProfileResult Refuse(std::string reason) {
  OpticalProfileResult r;
  r.reason = std::move(reason);
  return r;
}

std::string CellText(int32_t i) {
  return " in cell " + std::to_string(i);
}

// Why the target cannot be cut, or "".
std::string CheckTarget(const OpticalTarget& t, Real lambda) {
  const size_t N = t.rho.size();
  if (N == 0) return "The profile has no cells: there are no layers to cut";
  if (t.x.size() != N + 1 || t.Ti.size() != N || t.Te.size() != N) {
    return "The profile needs N + 1 node coordinates and N densities, Ti and Te";
  }
  if (!std::isfinite(lambda) || !(lambda > 0)) return "Lambda must be a positive wavelength [nm]";
  if (!std::isfinite(t.rho_min) || t.rho_min < 0) {
    return "rho_min must be a non-negative density [g/cm3]";
  }
  if (!std::isfinite(t.x_ref)) return "The reference surface position is not a number";
  if (!std::isfinite(t.rho0) || !(t.rho0 >= 0) || !std::isfinite(t.Tini) || !(t.Tini >= 0)) {
    return "The cold reference state (rho0, Tini) must be non-negative";
  }
  if (!t.epsilon) return "No dielectric function is set";
  for (size_t i = 0; i <= N; ++i) {
    if (!std::isfinite(t.x[i])) return "Node " + std::to_string(i) + " has no coordinate";
    if (i > 0 && !(t.x[i] > t.x[i - 1])) {
      return "Node coordinates must increase" + CellText(static_cast<int32_t>(i - 1));
    }
  }
  for (size_t i = 0; i < N; ++i) {
    const int32_t c = static_cast<int32_t>(i);
    if (!std::isfinite(t.rho[i]) || t.rho[i] < 0)
      return "Negative or missing density" + CellText(c);
    if (!std::isfinite(t.Ti[i]) || t.Ti[i] < 0) return "Negative or missing Ti" + CellText(c);
    if (!std::isfinite(t.Te[i]) || t.Te[i] < 0) return "Negative or missing Te" + CellText(c);
  }
  return {};
}

Complex IndexOf(const OpticalTarget& t, Real rho, Real Ti, Real Te, Real omega) {
  if (rho <= t.rho_min) return ComplexOne;  // below the cut-off the matter is optically vacuum
  return Sqrt(t.epsilon(rho, Ti, Te, omega));
}

Complex FilmEpsilon(const FilmReflectance& model, Real rho, Real Ti, Real Te, Real omega) {
  return model.Epsilon(rho, Ti, Te, ProbeLambda(omega));
}

}  // namespace

Real ProbeOmega(Real lambda) {
  return 2 * std::numbers::pi_v<Real> / lambda * 1e7L * kLightSpeed;
}

Real ProbeLambda(Real omega) {
  return 2 * std::numbers::pi_v<Real> * 1e7L * kLightSpeed / omega;
}

DielectricSlot FilmDielectric(const FilmReflectance& model) {
  return MakeDielectricSlot<FilmReflectance, FilmEpsilon>(model);
}

LayerReflectanceResult ReflectanceOfMedia(std::span<const OpticalLayer> media, Real lambda) {
  std::vector<Real> z;
  std::vector<Complex> N;
  z.reserve(media.size());
  N.reserve(media.size());
  for (size_t j = 0; j < media.size(); ++j) {
    if (j > 0) z.push_back(media[j].depth);
    N.push_back(media[j].N);
  }
  return LayerReflectance(z, N, lambda);
}

OpticalProfileResult OpticalProfile(const OpticalTarget& t, Real lambda, Real& PrevPhase) {
  if (std::string why = CheckTarget(t, lambda); !why.empty()) return Refuse(std::move(why));
  FpGuard guard;
  const int32_t N = static_cast<int32_t>(t.rho.size());
  const Real omega = ProbeOmega(lambda);
  auto depth = [&](int32_t node) { return (t.x_ref - t.x[node]) * kNmPerCm; };

  // 1. The low-density edge at the outer end is vacuum.
  int32_t b = N;
  while (b > 0 && t.rho[b - 1] <= t.rho_min) --b;
  if (b == 0) return Refuse("No cell is denser than rho_min: the target is optically vacuum");

  // 2. The bulk, from cell 0 up.
  Group bulk;
  bulk.Add(t, 0);
  int32_t C = 1;
  while (C < b) {
    const Real rhoMean = bulk.Rho(t, 0, C);
    if (RelativeDeviation(t.rho[C], rhoMean) > kBulkTolerance ||
        RelativeDeviation(t.Ti[C], bulk.Ti()) > kBulkTolerance ||
        RelativeDeviation(t.Te[C], bulk.Te()) > kBulkTolerance) {
      break;
    }
    bulk.Add(t, C);
    ++C;
  }

  OpticalProfileResult result;
  OpticalLayer vacuum;
  vacuum.No = 0;
  vacuum.depth = depth(b);
  vacuum.N = ComplexOne;
  result.media.push_back(vacuum);

  // 3. Layers from the surface down to the bulk.
  int32_t top = b;  // outer face of the next layer
  while (top > C) {
    Group layer;
    int32_t i = top - 1;
    layer.Add(t, i);
    std::array<int, 3> dir{0, 0, 0};  // rho, Ti, Te: direction of change downwards
    while (i - 1 >= C) {
      const int32_t c = i - 1;
      const Real deviation = RelativeDeviation(t.rho[c], layer.Rho(t, i, top)) +
                             RelativeDeviation(t.Ti[c], layer.Ti()) +
                             RelativeDeviation(t.Te[c], layer.Te());
      if (!(deviation < kLayerTolerance)) break;
      const std::array<int, 3> step{Direction(t.rho[i], t.rho[c]), Direction(t.Ti[i], t.Ti[c]),
                                    Direction(t.Te[i], t.Te[c])};
      bool turns = false;
      for (size_t q = 0; q < 3; ++q)
        turns = turns || (step[q] != 0 && dir[q] != 0 && step[q] != dir[q]);
      if (turns) break;  // the candidate lies beyond a local extremum
      for (size_t q = 0; q < 3; ++q) {
        if (dir[q] == 0) dir[q] = step[q];
      }
      layer.Add(t, c);
      i = c;
    }
    OpticalLayer row;
    row.No = static_cast<int32_t>(result.media.size());
    row.depth = depth(top);
    row.rho = layer.Rho(t, i, top);
    row.Ti = layer.Ti();
    row.Te = layer.Te();
    row.N = IndexOf(t, row.rho, row.Ti, row.Te, omega);
    row.firstCell = i;
    row.cellCount = layer.cells;
    result.media.push_back(row);
    top = i;
  }

  // 4. The bulk row.
  OpticalLayer bottom;
  bottom.No = static_cast<int32_t>(result.media.size());
  bottom.depth = depth(C);
  bottom.rho = bulk.Rho(t, 0, C);
  bottom.Ti = bulk.Ti();
  bottom.Te = bulk.Te();
  bottom.N = IndexOf(t, bottom.rho, bottom.Ti, bottom.Te, omega);
  bottom.firstCell = 0;
  bottom.cellCount = C;
  result.media.push_back(bottom);

  // 5. Reflectance of the stack and the phase shift against the cold material.
  const LayerReflectanceResult stack = ReflectanceOfMedia(result.media, lambda);
  if (!stack.ok) return Refuse(stack.reason);
  result.N0 = IndexOf(t, t.rho0, t.Tini, t.Tini, omega);
  const Complex r0 = (result.N0 - 1) / (result.N0 + 1);
  const Real halfWave = lambda / 2;
  Real h = lambda / (4 * std::numbers::pi_v<Real>)*Arg(r0) - stack.phi;
  h += std::round((PrevPhase - h) / halfWave) * halfWave;
  if (guard.Faulted() || !std::isfinite(stack.R) || !std::isfinite(h)) {
    return Refuse("Arithmetic fault in the optical profile (an index or the phase overflowed)");
  }
  result.ok = true;
  result.R = stack.R;
  result.phi = stack.phi;
  result.h = h;
  result.Refr = Complex{stack.R, h};
  PrevPhase = h;
  return result;
}

}  // namespace tarvex
