// Reflectance of layered targets against closed-form optics written here with
// std::complex: the Fresnel reflectance of one interface, the Airy sum of a film on a
// substrate (and of the free-standing film of the film model), the convergence of layer
// stacks cut from a smooth profile, the cold uniform film and a surface that moves.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <vector>

#include "core/optics/FilmReflectance.h"
#include "core/optics/LayerReflectance.h"
#include "core/optics/OpticalProfile.h"

namespace tarvex {
namespace {

using C = std::complex<long double>;
constexpr Real kPi = std::numbers::pi_v<Real>;

C Std(Complex z) {
  return C(z.re, z.im);
}
Complex Ours(C z) {
  return Complex{z.real(), z.imag()};
}

// Fresnel amplitude at normal incidence from medium a into medium b (textbook sign).
C Fresnel(C a, C b) {
  return (a - b) / (a + b);
}

// Airy sum of a film (index n1, thickness d [nm]) between media n0 (probe side) and n2.
C Airy(C n0, C n1, C n2, Real d, Real lambda) {
  const C r01 = Fresnel(n0, n1);
  const C r12 = Fresnel(n1, n2);
  const C e = std::exp(C(0, 2) * (2 * kPi / lambda) * n1 * d);
  return (r01 + r12 * e) / (1.0L + r01 * r12 * e);
}

TEST(Reflectance, SingleInterfaceGivesTheFresnelReflectance) {
  struct Case {
    C n0, n1;
    Real z0;  // [nm]; the interface may lie anywhere: R does not depend on it
  };
  const Case cases[] = {
      {1.0L, 1.5L, 0},                    // vacuum / glass
      {1.0L, C(0.18L, 3.1L), 0},          // vacuum / gold-like metal
      {1.0L, C(0.18L, 3.1L), -37.5L},     // the surface moved out by 37.5 nm
      {1.0L, C(1.3L, 7.5L), 412.0L},      // aluminium-like, surface moved in
      {1.5L, C(0.18L, 3.1L), 12.0L},      // glass / metal
      {C(2.0L, 0.3L), C(0.5L, 0.0L), 0},  // absorbing probe side
      {1.0L, C(0.0L, 4.0L), 3.0L},        // lossless plasma below its frequency: R = 1
  };
  const Real lambda = 620;
  for (const Case& c : cases) {
    const Real z[] = {c.z0};
    const Complex N[] = {Ours(c.n0), Ours(c.n1)};
    const LayerReflectanceResult res = LayerReflectance(z, N, lambda);
    ASSERT_TRUE(res.ok) << res.reason;
    const Real R = std::norm(Fresnel(c.n0, c.n1));
    EXPECT_NEAR(static_cast<double>(res.R), static_cast<double>(R), 1e-12)
        << "n1 = " << static_cast<double>(c.n1.real()) << " + " << static_cast<double>(c.n1.imag())
        << "i";
    if (c.n0.imag() == 0) {
      // A real probe-side index only turns the phase by the path 2 k n0 z0.
      const C expected = -Fresnel(c.n0, c.n1) * std::exp(C(0, 2 * 2 * kPi / lambda) * c.n0 * c.z0);
      EXPECT_NEAR(static_cast<double>(std::abs(Std(res.r) - expected)), 0, 1e-12);
    }
  }
}

TEST(Reflectance, FilmOnSubstrateGivesTheAiryFormula) {
  struct Case {
    C film, substrate;
    Real d;  // [nm]
    Real lambda;
  };
  const Case cases[] = {
      {C(0.18L, 3.1L), 1.5L, 20, 620},           // thin gold-like film on glass
      {C(0.18L, 3.1L), 1.5L, 1, 620},            // almost no film
      {C(0.18L, 3.1L), 1.5L, 300, 800},          // opaque film
      {1.45L, C(1.3L, 7.5L), 107, 532},          // oxide on aluminium (interference)
      {C(2.0L, 0.5L), C(3.9L, 0.02L), 55, 400},  // absorbing film on silicon-like substrate
      {C(0.05L, 5.0L), 1.0L, 8000, 800},         // a micrometre-thick metal: no overflow
  };
  for (const Case& c : cases) {
    for (Real z0 : {Real{0}, Real{-25}}) {
      const Real z[] = {z0, z0 + c.d};
      const Complex N[] = {ComplexOne, Ours(c.film), Ours(c.substrate)};
      const LayerReflectanceResult res = LayerReflectance(z, N, c.lambda);
      ASSERT_TRUE(res.ok) << res.reason;
      const C airy = Airy(1.0L, c.film, c.substrate, c.d, c.lambda);
      EXPECT_NEAR(static_cast<double>(res.R), static_cast<double>(std::norm(airy)), 1e-12)
          << "d = " << static_cast<double>(c.d);
      // Same amplitude, in the stack's sign convention and shifted by the path 2 k z0.
      const C expected = -airy * std::exp(C(0, 2 * 2 * kPi / c.lambda * z0));
      EXPECT_NEAR(static_cast<double>(std::abs(Std(res.r) - expected)), 0, 1e-12);
    }
  }
}

TEST(Reflectance, FilmModelIsTheAirySumOfAFreeStandingFilm) {
  FilmReflectance model;
  FilmReflectanceParams p;
  p.lambda = 620;
  p.HH = 30;
  ASSERT_FALSE(model.Set(p));
  struct State {
    Real Ti, Te, rho;
  };
  for (const State& s : {State{300, 300, 19.3L}, State{1500, 8000, 17.0L}, State{300, 300, 9.65L},
                         State{3000, 30000, 2.0L}}) {
    const FilmOptics o = model.Evaluate(s.Ti, s.Te, s.rho);
    const C n = std::sqrt(Std(model.Epsilon(s.rho, s.Ti, s.Te, p.lambda)));
    const Real f = s.rho / p.rho0;  // the film thins as it expands: HH / f
    const C airy = Airy(1.0L, n, 1.0L, p.HH / f, p.lambda);
    EXPECT_NEAR(static_cast<double>(o.R), static_cast<double>(std::norm(airy)), 1e-12)
        << "rho = " << static_cast<double>(s.rho);
  }
}

// A 60 nm film on N cells whose top 30 nm are heated: the heat fraction g = (1 - z/D)^2
// falls smoothly (with its slope) to zero at the depth D, below which the film is cold.
// Ti, Te rise and the density falls with g. The heated half forms the layers, the cold half
// the bulk.
struct SmoothFilm {
  std::vector<Real> x, rho, Ti, Te;
  OpticalTarget target;

  SmoothFilm(int32_t N, const FilmReflectance& model, Real heat) {
    const Real L = 60e-7L;  // [cm]
    const Real D = 30;      // heated depth [nm]
    x.resize(N + 1);
    rho.resize(N);
    Ti.resize(N);
    Te.resize(N);
    for (int32_t i = 0; i <= N; ++i) x[i] = L * i / N;
    for (int32_t i = 0; i < N; ++i) {
      const Real z = (L - (x[i] + x[i + 1]) / 2) * 1e7L;  // depth of the cell centre [nm]
      const Real g = z < D ? heat * (1 - z / D) * (1 - z / D) : 0;
      rho[i] = 19.3L * (1 - 0.05L * g);
      Ti[i] = 300 + 1500 * g;
      Te[i] = 300 + 4000 * g;
    }
    target.x = x;
    target.rho = rho;
    target.Ti = Ti;
    target.Te = Te;
    target.x_ref = L;
    target.rho_min = 0.1L;
    target.rho0 = 19.3L;
    target.Tini = 300;
    target.epsilon = FilmDielectric(model);
  }
};

TEST(Reflectance, LayerStacksCutFromASmoothProfileConverge) {
  const FilmReflectance model;  // gold-like defaults
  const Real lambda = 620;
  auto cut = [&](int32_t N, Real heat) {
    SmoothFilm film(N, model, heat);
    Real PrevPhase = 0;
    OpticalProfileResult r = OpticalProfile(film.target, lambda, PrevPhase);
    EXPECT_TRUE(r.ok) << r.reason;
    return r;
  };
  const OpticalProfileResult coarse = cut(40, 1);
  const OpticalProfileResult fine = cut(400, 1);
  const OpticalProfileResult finer = cut(4000, 1);
  const OpticalProfileResult cold = cut(400, 0);
  const size_t layers20 = coarse.media.size() - 2;  // without the vacuum and the bulk
  const size_t layers200 = fine.media.size() - 2;
  std::printf(
      "layers %zu / %zu / %zu: R = %.9Lf / %.9Lf / %.9Lf (cold %.9Lf), h = %.6Lf / %.6Lf nm\n",
      layers20, layers200, finer.media.size() - 2, coarse.R, fine.R, finer.R, cold.R, coarse.h,
      fine.h);
  // Every heated cell of the coarse grid is a layer of its own; on the fine grid only the
  // last warm cells join the bulk.
  EXPECT_EQ(layers20, 20u);
  EXPECT_GE(layers200, 190u);
  EXPECT_LE(layers200, 200u);
  // The heating matters, and the 20-layer stack already has the converged reflectance.
  EXPECT_GT(std::fabs(fine.R - cold.R), 1e-2L);
  EXPECT_LT(std::fabs(coarse.R - fine.R), 1e-4L);
  EXPECT_LT(std::fabs(fine.R - finer.R), std::fabs(coarse.R - fine.R));
  EXPECT_LT(std::fabs(coarse.h - fine.h), 0.05L);
}

TEST(Reflectance, UniformColdFilmIsOneBulkWithTheFresnelReflectance) {
  const FilmReflectance model;
  const int32_t N = 50;
  const Real L = 200e-7L;
  std::vector<Real> x(N + 1), rho(N, 19.3L), T(N, 300);
  for (int32_t i = 0; i <= N; ++i) x[i] = L * i / N;
  OpticalTarget t{x, rho, T, T, L, 0.1L, 19.3L, 300, FilmDielectric(model)};
  Real PrevPhase = 0;
  const OpticalProfileResult r = OpticalProfile(t, 620, PrevPhase);
  ASSERT_TRUE(r.ok) << r.reason;
  ASSERT_EQ(r.media.size(), 2u);  // vacuum and the bulk
  EXPECT_EQ(r.media[1].cellCount, N);
  const C N0 = std::sqrt(Std(model.Epsilon(19.3L, 300, 300, 620)));
  EXPECT_NEAR(static_cast<double>(r.R), static_cast<double>(std::norm((N0 - 1.0L) / (N0 + 1.0L))),
              1e-12);
  EXPECT_NEAR(static_cast<double>(r.h), 0, 1e-12);
  EXPECT_EQ(r.Refr.re, r.R);
}

TEST(Reflectance, PhaseShiftFollowsTheMovingSurfaceOverManyHalfWaves) {
  // A cold film translated outwards step by step: the phase shift is the displacement,
  // continued across the lambda/2 period of the phase.
  const FilmReflectance model;
  const int32_t N = 20;
  const Real L = 100e-7L;
  const Real lambda = 620;
  std::vector<Real> x(N + 1), rho(N, 19.3L), T(N, 300);
  Real PrevPhase = 0;
  for (int32_t step = 0; step <= 20; ++step) {
    const Real d = 60.0L * step;  // [nm], beyond three half waves at the end
    for (int32_t i = 0; i <= N; ++i) x[i] = L * i / N + d * 1e-7L;
    OpticalTarget t{x, rho, T, T, L, 0.1L, 19.3L, 300, FilmDielectric(model)};
    const OpticalProfileResult r = OpticalProfile(t, lambda, PrevPhase);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_NEAR(static_cast<double>(r.h), static_cast<double>(d), 1e-9) << "step " << step;
    EXPECT_EQ(PrevPhase, r.h);
  }
}

}  // namespace
}  // namespace tarvex
