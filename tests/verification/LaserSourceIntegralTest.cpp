// The laser source delivers the absorbed fluence: summed over the cells and over a run of
// random steps, dt * SourceInCell equals the energy per unit area (per unit solid angle
// when curved) computed here from the dialog's F, d, tau with the shapes' own closed-form
// integrals, on uniform, strongly non-uniform and coarse grids (cells ten times thicker
// than the depth), with a substrate on either side and in cylindrical and spherical
// geometry, and on the initial layouts the solvers build the table on. The time factor
// alone integrates any step sequence exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/laser/LaserSource.h"

namespace tarvex {
namespace {

constexpr Real kPi = std::numbers::pi_v<Real>;

double Dbl(Real x) {
  return static_cast<double>(x);
}

// ---- the shapes and their integrals, written from their definitions --------------------

// Space shapes of the depth u in units of |d|.
Real Shape(int32_t item, Real u) {
  switch (item) {
    case 0:
      return std::exp(-u * u);
    case 1:
      return std::exp(-u);
    case 2:
      return u <= 1 ? 1 : 0;
    default:
      return u <= 1 ? 1 - u : 0;
  }
}

// Share of the fluence the space shape puts between depth 0 and lambda (its integral over
// all depths is the whole fluence).
Real SpaceShare(int32_t item, Real lambda) {
  const Real m = std::min(lambda, Real{1});
  switch (item) {
    case 0:
      return std::erf(lambda);
    case 1:
      return -std::expm1(-lambda);
    case 2:
      return m;
    default:
      return 1 - (1 - m) * (1 - m);
  }
}

// Integral of the shape over all depths, in units of |d|.
Real ShapeArea(int32_t item) {
  const Real areas[] = {std::sqrt(kPi) / 2, 1, 1, Real{0.5}};
  return areas[item];
}

// Share of the pulse between t0 and t1 (tau = 1): the integral of the time shape over
// [t0, t1] over its integral over the pulse (all t for the Gaussian, [0, inf) for the
// exponential, [0, 1] for the others: the pulse begins at 0).
Real TimeShare(int32_t item, Real t0, Real t1) {
  const Real a = std::clamp(t0, Real{0}, Real{1});
  const Real b = std::clamp(t1, Real{0}, Real{1});
  switch (item) {
    case 0:
      return (std::erf(t1) - std::erf(t0)) / 2;
    case 1:
      return std::exp(-std::max(t0, Real{0})) - std::exp(-std::max(t1, Real{0}));
    case 2:
      return b - a;
    case 3:
      return 2 * ((b - b * b / 2) - (a - a * a / 2));
    default:
      return b * b - a * a;
  }
}

// A run that contains the whole pulse, in units of tau.
struct Window {
  Real t0;
  Real t1;
};
Window PulseWindow(int32_t item) {
  const Window w[] = {{-10, 10}, {0, 60}, {0, 3}, {0, 3}, {-1, 3}};
  return w[item];
}

// Integral of g over [a, b] by 5-point Gauss-Legendre on n panels.
template <class G>
Real Quadrature(G g, Real a, Real b, int32_t n) {
  const Real xs[] = {0, -0.5384693101056830910363144L, 0.5384693101056830910363144L,
                     -0.9061798459386639927976269L, 0.9061798459386639927976269L};
  const Real ws[] = {0.5688888888888888888888889L, 0.4786286704993664680412915L,
                     0.4786286704993664680412915L, 0.2369268850561890875142640L,
                     0.2369268850561890875142640L};
  const Real h = (b - a) / n;
  Real sum = 0;
  for (int32_t p = 0; p < n; ++p) {
    const Real c = a + (p + Real{0.5}) * h;
    for (int32_t k = 0; k < 5; ++k) sum += ws[k] * g(c + xs[k] * h / 2) * h / 2;
  }
  return sum;
}

// ---- grids --------------------------------------------------------------------------------

struct Grid {
  std::string name;
  std::vector<Real> x;
  int32_t InGlass = 0;
  int32_t Dspc = 1;
  // The solvers' way: the table built on the initial layout, which x repeats.
  std::optional<SourceLayout> layout;
};

constexpr Real nm = 1e-7L;

// Film and substrate from widths: substrate cells first when InGlass > 0, after the film
// when InGlass < 0; x = 0 at the film-substrate interface (at x0 for curved grids).
Grid FromWidths(std::string name, const std::vector<Real>& film, const std::vector<Real>& glass,
                bool glassFirst, int32_t Dspc = 1, Real x0 = 0) {
  Grid g;
  g.name = std::move(name);
  g.Dspc = Dspc;
  std::vector<Real> widths;
  if (glassFirst) {
    widths = glass;
    widths.insert(widths.end(), film.begin(), film.end());
    g.InGlass = static_cast<int32_t>(glass.size());
  } else {
    widths = film;
    widths.insert(widths.end(), glass.begin(), glass.end());
    g.InGlass = -static_cast<int32_t>(glass.size());
  }
  g.x.push_back(x0);
  for (const Real w : widths) g.x.push_back(g.x.back() + w);
  return g;
}

std::vector<Real> Widths(int32_t n, Real w) {
  return std::vector<Real>(static_cast<size_t>(n), w);
}

// The grid of a layout, from its widths: film cells h0, substrate cells h0 / widthRatio,
// radii from the centre when curved.
Grid FromLayout(std::string name, const SourceLayout& l) {
  const int32_t nGlass = l.InGlass < 0 ? -l.InGlass : l.InGlass;
  Grid g = FromWidths(std::move(name), Widths(l.N - nGlass, l.h0),
                      Widths(nGlass, l.h0 / l.widthRatio), l.InGlass > 0, l.Dspc, 0);
  g.layout = l;
  return g;
}

std::vector<Grid> Grids() {
  std::mt19937_64 rng(20240611);
  std::uniform_real_distribution<double> logWidth(std::log(0.01), std::log(30.0));
  std::vector<Real> randomWidths;
  for (int32_t i = 0; i < 150; ++i) randomWidths.push_back(std::exp(logWidth(rng)) * nm);
  std::vector<Real> geometric;
  for (int32_t i = 0; i < 120; ++i) geometric.push_back(0.05L * nm * std::pow(1.07L, i));
  std::vector<Real> reversed(geometric.rbegin(), geometric.rend());

  return {
      FromWidths("uniform", Widths(200, 1 * nm), {}, false),
      FromWidths("geometric", geometric, {}, false),
      FromWidths("geometric reversed", reversed, {}, false),
      FromWidths("random widths", randomWidths, {}, false),
      // Cells ten times thicker than the depth of 10 nm: the first one takes nearly all.
      FromWidths("coarse", Widths(12, 100 * nm), {}, false),
      // A film thinner than the depth: the light leaves part of its energy behind.
      FromWidths("thin film", Widths(7, 1 * nm), {}, false),
      FromWidths("substrate left", Widths(100, 2 * nm), Widths(50, 3 * nm), true),
      FromWidths("substrate right", Widths(100, 2 * nm), randomWidths, false),
      FromWidths("coarse with substrate", Widths(6, 100 * nm), Widths(4, 150 * nm), true),
      FromWidths("cylinder, substrate inside", Widths(100, 2 * nm), Widths(40, 3 * nm), true, 2,
                 300 * nm),
      FromWidths("sphere, substrate outside", geometric, Widths(60, 2 * nm), false, 3, 0),
      FromWidths("sphere, substrate from the centre", Widths(50, 4 * nm), Widths(30, 2 * nm), true,
                 3, 0),
      FromLayout("layout, substrate before", {150, 50, 1, 1 * nm, 2.2L / 2.7L}),
      FromLayout("layout, coarse, substrate after", {10, -4, 1, 100 * nm, 3}),
      FromLayout("layout, cylinder, substrate inside", {140, 40, 2, 2 * nm, 1}),
      FromLayout("layout, sphere, substrate outside", {160, -60, 3, 2 * nm, 1}),
  };
}

// Energy the run should deposit [kJ/cm^2, or kJ per unit solid angle], from the dialog's
// numbers and the share of each shape inside its layer.
Real ExpectedEnergy(const Grid& g, const LaserPulse& p, Real timeShare) {
  const int32_t N = static_cast<int32_t>(g.x.size()) - 1;
  const int32_t first = g.InGlass > 0 ? g.InGlass : 0;
  const int32_t last = g.InGlass < 0 ? N - 1 + g.InGlass : N - 1;
  const Real L = g.x[last + 1] - g.x[first];
  const Real R = g.x[last + 1];
  const int32_t rp = g.Dspc - 1;
  Real film = p.F * 1e-6L * SpaceShare(p.spaceItem, L / std::fabs(p.d * nm));
  for (int32_t k = 0; k < rp; ++k) film *= R;
  Real substrate = 0;
  if (g.InGlass != 0 && p.preF != 0) {
    const Real dp = p.preD * nm;
    const bool left = g.InGlass > 0;
    const Real xb = left ? g.x[g.InGlass] : g.x[N + g.InGlass];
    const Real Lg = left ? xb - g.x[0] : g.x[N] - xb;
    // Fpre(s) r^rp over the substrate, r = xb -+ s, split at the kink s = d'.
    auto density = [&](Real s) {
      const Real r = left ? xb - s : xb + s;
      Real w = Shape(p.preSpaceItem, s / dp);
      for (int32_t k = 0; k < rp; ++k) w *= r;
      return w;
    };
    const Real kink = std::min(dp, Lg);
    const Real integral =
        Quadrature(density, 0, kink, 400) + (Lg > kink ? Quadrature(density, kink, Lg, 4000) : 0);
    substrate = p.preF * 1e-6L * integral / (dp * ShapeArea(p.preSpaceItem));
  }
  return (film + substrate) * timeShare;
}

// Steps of random length, short and long, from t0 to t1 (the last one ends exactly at t1).
std::vector<Real> RandomTimes(Real t0, Real t1, std::mt19937_64& rng, int32_t typicalSteps) {
  std::uniform_real_distribution<double> logStep(std::log(1e-4), std::log(4.0));
  const Real mean = (t1 - t0) / typicalSteps;
  std::vector<Real> times{t0};
  while (times.back() < t1) {
    const Real dt = mean * static_cast<Real>(std::exp(logStep(rng))) / 2;
    times.push_back(std::min(times.back() + dt, t1));
  }
  return times;
}

TEST(LaserSourceIntegral, SourceOverGridAndRunEqualsTheAbsorbedFluence) {
  std::mt19937_64 rng(7);
  const Real tauFs = 120;
  const Real tau = tauFs * 1e-15L;
  Real worst = 0;
  for (const Grid& g : Grids()) {
    const int32_t N = static_cast<int32_t>(g.x.size()) - 1;
    for (int32_t timeItem = 0; timeItem < kTimeShapeCount; ++timeItem) {
      for (int32_t spaceItem = 0; spaceItem < kSpaceShapeCount; ++spaceItem) {
        for (const Real d : {Real{10}, Real{-10}}) {
          LaserPulse p;
          p.F = 85;
          p.d = d;
          p.tau = tauFs;
          p.timeItem = timeItem;
          p.spaceItem = spaceItem;
          p.preF = 7;
          p.preD = 15;
          p.preSpaceItem = (spaceItem + 1) % kSpaceShapeCount;
          LaserSource src;
          ASSERT_FALSE(SetLaserPulse(src, p).Refused());
          const SourceGrid grid{g.x, g.InGlass, g.Dspc};
          ASSERT_EQ(g.layout ? BuildSourceProfile(src, *g.layout) : BuildSourceProfile(src, grid),
                    SourceStatus::Ok)
              << g.name;

          const Window w = PulseWindow(timeItem);
          const std::vector<Real> times = RandomTimes(w.t0 * tau, w.t1 * tau, rng, 120);
          Real energy = 0;
          for (size_t k = 1; k < times.size(); ++k) {
            const SourceStatus st = g.layout
                                        ? UpdateSourceTime(src, times[k - 1], times[k], *g.layout)
                                        : UpdateSourceTime(src, times[k - 1], times[k], grid);
            ASSERT_EQ(st, SourceStatus::Ok);
            const Real dt = times[k] - times[k - 1];
            for (int32_t i = 0; i < N; ++i) energy += dt * SourceInCell(src, i);
          }
          const Real expected = ExpectedEnergy(g, p, TimeShare(timeItem, w.t0, w.t1));
          const Real rel = std::fabs(energy - expected) / expected;
          worst = std::max(worst, rel);
          EXPECT_LE(Dbl(rel), 1e-9)
              << g.name << ", time " << timeItem << ", space " << spaceItem << ", d " << Dbl(d)
              << ": " << Dbl(energy) << " against " << Dbl(expected);
        }
      }
    }
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.3e", Dbl(worst));
  RecordProperty("worst_relative_error", text);
}

TEST(LaserSourceIntegral, WholeFluenceOnAThickFilmForEveryShape) {
  // The plain statement: a film much thicker than the depth absorbs F, whatever the shapes,
  // and whether the run starts at the pulse or long before it (the pulse begins at 0).
  const Grid g = FromWidths("thick", Widths(60, 5 * nm), {}, false);
  const SourceGrid grid{g.x, 0, 1};
  for (int32_t timeItem = 0; timeItem < kTimeShapeCount; ++timeItem) {
    for (int32_t spaceItem = 0; spaceItem < kSpaceShapeCount; ++spaceItem) {
      LaserPulse p;
      p.F = 40;
      p.d = 3;  // 300 nm of film: 100 depths
      p.tau = 50;
      p.timeItem = timeItem;
      p.spaceItem = spaceItem;
      LaserSource src;
      ASSERT_FALSE(SetLaserPulse(src, p).Refused());
      const Window w = PulseWindow(timeItem);
      for (const Real start : {w.t0, std::min(w.t0, Real{-3})}) {
        const Real t0 = start * p.tau * 1e-15L;
        const Real t1 = w.t1 * p.tau * 1e-15L;
        ASSERT_EQ(UpdateSourceTime(src, t0, t1, grid), SourceStatus::Ok);
        Real energy = 0;
        for (int32_t i = 0; i < 60; ++i) energy += (t1 - t0) * SourceInCell(src, i);
        EXPECT_NEAR(Dbl(energy / 40e-6L), 1.0, 1e-9)
            << timeItem << " " << spaceItem << ", start " << Dbl(start);
      }
    }
  }
}

TEST(LaserSourceIntegral, TimeFactorIntegratesAnyStepSequenceExactly) {
  std::mt19937_64 rng(99);
  const Real tau = 80e-15L;
  for (int32_t item = 0; item < kTimeShapeCount; ++item) {
    LaserPulse p;
    p.F = 1;
    p.d = 1;
    p.tau = 80;
    p.timeItem = item;
    LaserSource src;
    ASSERT_FALSE(SetLaserPulse(src, p).Refused());
    const std::vector<Real> x{0, 1e-6L};
    const Window w = PulseWindow(item);
    for (const int32_t steps : {3, 50, 2000, 100000}) {
      const std::vector<Real> times = RandomTimes(w.t0 * tau, w.t1 * tau, rng, steps);
      Real sum = 0;
      for (size_t k = 1; k < times.size(); ++k) {
        ASSERT_EQ(UpdateSourceTime(src, times[k - 1], times[k], {x, 0, 1}), SourceStatus::Ok);
        sum += (times[k] - times[k - 1]) * src.QTimeFactor;
      }
      // The whole-pulse integral of Ft is tau / (the time normalisation) times the share.
      const Real norm[] = {1 / std::sqrt(kPi), 1, 1, 2, 2};
      const Real expected = tau / norm[item] * TimeShare(item, w.t0, w.t1);
      EXPECT_NEAR(Dbl(sum / expected), 1.0, 1e-12) << "item " << item << ", " << steps << " steps";
    }
  }
}

}  // namespace
}  // namespace tarvex
