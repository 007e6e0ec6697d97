// The film reflectance model: collision rates, Drude permittivity, Airy sum of the film.
#include "core/optics/FilmReflectance.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace tarvex {

namespace {

constexpr Real kNaN = std::numeric_limits<Real>::quiet_NaN();

bool Finite(Real x) {
  return std::isfinite(x);
}

}  // namespace

std::optional<ParamRefusal> CheckFilmReflectanceParams(const FilmReflectanceParams& p) {
  if (!Finite(p.lambda) || !(p.lambda > 0)) {
    return ParamRefusal{"lambdaEdit", "lambda must be a positive wavelength [nm]"};
  }
  if (!Finite(p.HH) || !(p.HH > 0)) {
    return ParamRefusal{"HHEdit", "HH must be a positive film thickness [nm]"};
  }
  if (!Finite(p.rho00) || !(p.rho00 > 0)) {
    return ParamRefusal{"Rho00Edit", "rho00 must be a positive density [g/cm3]"};
  }
  if (!Finite(p.rho0) || !(p.rho0 > 0)) {
    return ParamRefusal{"Rho0Edit", "rho0 must be a positive density [g/cm3]"};
  }
  if (!Finite(p.ens) || !(p.ens < 0)) {
    return ParamRefusal{"ensEdit", "ens must be a negative s-band energy [eV]"};
  }
  if (!Finite(p.ksiss) || p.ksiss < 0) {
    return ParamRefusal{"ksissEdit", "ksiss must be a non-negative weight"};
  }
  if (!Finite(p.ksisd) || p.ksisd < 0) {
    return ParamRefusal{"ksisdEdit", "ksisd must be a non-negative weight"};
  }
  if (!Finite(p.R0) || p.R0 < 0 || p.R0 > 1) {
    return ParamRefusal{"R0Edit", "R0 must be a reflectance between 0 and 1"};
  }
  return std::nullopt;
}

std::optional<ParamRefusal> FilmReflectance::Set(const FilmReflectanceParams& p) {
  if (std::optional<ParamRefusal> refusal = CheckFilmReflectanceParams(p)) return refusal;
  p_ = p;
  xa_ = p.rho0 / p.rho00;
  const Real lxa = std::log(xa_);
  y1xa_ = 1.6678L * std::exp(8.84L * lxa) / (1 + 0.6678L * std::exp(4.92L * lxa));
  tCoef_ = 6 * kB / -p.ens;
  thick_ = 2 * std::numbers::pi_v<Real> * p.HH / p.lambda;
  w_ = 800 / p.lambda;
  return std::nullopt;
}

bool FilmReflectance::SetR0(Real R0) {
  if (!Finite(R0) || R0 < 0 || R0 > 1) return false;
  p_.R0 = R0;
  return true;
}

Complex FilmReflectance::Epsilon(Real rho, Real Ti, Real Te, Real lambda) const {
  if (std::isnan(rho)) return Complex{kNaN, kNaN};
  if (rho <= 0) return ComplexOne;
  Real nu = 0;
  return Drude(rho, Ti, Te, lambda, nu);
}

Complex FilmReflectance::Drude(Real rho, Real Ti, Real Te, Real lambda, Real& nu) const {
  const Real x = rho / p_.rho00;
  const Real f = x / xa_;
  // Reduced electron temperature of the s band.
  const Real t = tCoef_ * Te / f;
  Real nu_sd = 0;
  Real nu_ss = 0;
  if (t > 0) {
    // The fractional powers of t from one logarithm.
    const Real lt = std::log(t);
    nu_sd = f * 2.7956L * std::exp(-2.60469L / t) * (1 + 3.43557L * std::exp(1.63112L * lt)) /
            (1 + 1.35596L * std::exp(1.80547L * lt)) / 41;
    const Real t2 = t * t;
    nu_ss =
        f * 1.13845L * t2 * (1 + 0.784364L * t2) / (1 + 0.656757L * std::exp(3.11359L * lt)) / 41;
  }
  const Real lx = std::log(x);
  const Real y1x = 1.6678L * std::exp(8.84L * lx) / (1 + 0.6678L * std::exp(4.92L * lx));
  const Real nu_si = 0.0159798L * f * (y1xa_ / y1x) * Ti / 293;
  nu = nu_si + (p_.ksisd * nu_sd + p_.ksiss * nu_ss) / 0.0569202L;

  const Real w = lambda == p_.lambda ? w_ : 800 / lambda;  // probe frequency [w800]
  const Real F = 30.4355L * f / (w * w + nu * nu);
  return Complex{1 - F + 6.06771L * f, nu * F / w + 0.282271L * w * f};
}

FilmOptics FilmReflectance::Evaluate(Real Ti, Real Te, Real rho) const {
  FilmOptics o;
  // isfinite first: an ordered comparison with a NaN would raise the invalid flag.
  if (!Finite(rho) || !Finite(Ti) || !Finite(Te) || rho <= 0 || Ti < 0 || Te < 0) {
    o.f = o.nu = o.thickness = o.R = kNaN;
    o.eps = o.n2 = o.RA2 = Complex{kNaN, kNaN};
    return o;
  }
  o.f = rho / p_.rho00 / xa_;
  o.eps = Drude(rho, Ti, Te, p_.lambda, o.nu);
  o.n2 = Sqrt(o.eps);
  o.thickness = p_.HH / o.f;
  // Phase thickness of the film: k2H = (2 pi HH / (f lambda)) n2.
  const Complex k2H = (thick_ / o.f) * o.n2;
  // The film's amplitude [(1-n)(n+1) e^{-ik2H} + (1+n)(n-1) e^{ik2H}] /
  // [(1+n)(n+1) e^{-ik2H} + (1-n)(n-1) e^{ik2H}], taken with numerator and denominator
  // multiplied by e^{ik2H}: then only e^{2 i k2H} appears, whose modulus e^{-2 Im k2H} is at
  // most 1, and a thick or dilute film never overflows.
  const Complex e2 = Exp(Complex{-2 * k2H.im, 2 * k2H.re});
  const Complex n = o.n2;
  const Complex a = (1 - n) * (n + 1);
  const Complex b = (1 + n) * (n - 1);
  o.RA2 = (a + b * e2) / ((1 + n) * (n + 1) + (1 - n) * (n - 1) * e2);
  o.R = Norm2(o.RA2);
  return o;
}

Real FilmReflectance::operator()(Real Ti, Real Te, Real rho) const {
  if (p_.R0 == 0) return kNaN;
  return 1 - Reflectance(Ti, Te, rho) / p_.R0;
}

}  // namespace tarvex
