// The closed-form reflectance of a free-standing gold-like film, and its Drude permittivity.
//
// The film (thickness HH at the initial density rho0, vacuum on both sides) is described by
// a Drude term with an s-band electron collision rate nu = nu_si + (ksisd nu_sd +
// ksiss nu_ss) / 0.0569202 (electron-ion, s-d and s-s collisions, in units of the probe
// frequency at 800 nm, w800 = 2.355e15 1/s) plus a fixed interband part:
//   eps = 1 - F + 6.06771 f + i (nu F lambda/800 + 0.282271 (800/lambda) f),
//   F = 30.4355 f / ((800/lambda)^2 + nu^2),  f = rho/rho0 (the plasma term wp^2/w800^2
//   = 30.4355 f scales with the electron density).
// The film's thickness follows its density (HH/f) and its reflectance is the Airy sum of
// the two faces. The model reports -dR/R0 = 1 - R/R0 against a reference reflectance R0.
//
// Units: lambda and HH in nm, densities g/cm3, temperatures K, ens in eV.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/common/Real.h"
#include "core/optics/Complex.h"

namespace tarvex {

// The parameters of the "reflectance" dialog, with its defaults.
struct FilmReflectanceParams {
  Real lambda = 800;  // probe wavelength [nm]
  Real HH = 800;      // initial film thickness [nm]
  Real rho00 = 19.5;  // reference density of the collision fit [g/cm3]
  Real rho0 = 19.3L;  // initial film density [g/cm3]; xa = rho0 / rho00
  Real ens = -9.2L;   // s-band energy [eV], negative
  Real ksiss = 0.75;  // weight of s-s collisions
  Real ksisd = 1;     // weight of s-d collisions
  Real R0 = 0;        // reference reflectance; 0 = not set
};

// Why a parameter set is refused: the field to focus and a sentence for the user.
struct ParamRefusal {
  std::string_view field;
  std::string reason;
};

// The first invalid parameter, or nothing when every one is usable.
std::optional<ParamRefusal> CheckFilmReflectanceParams(const FilmReflectanceParams& p);

// The intermediate values of one evaluation (for the dialog and the tests).
struct FilmOptics {
  Real f = 0;          // rho / rho0
  Real nu = 0;         // collision rate [w800]
  Complex eps;         // eps1 + i eps2
  Complex n2;          // refractive index sqrt(eps)
  Real thickness = 0;  // HH / f [nm]
  Complex RA2;         // reflection amplitude of the film
  Real R = 0;          // reflectance |RA2|^2
};

class FilmReflectance {
 public:
  // Boltzmann constant [eV/K].
  static constexpr Real kB = 8.617342936120782e-5L;

  FilmReflectance() { Set(FilmReflectanceParams{}); }

  // Stores the parameters and the constants derived from them. Refused (nothing changes)
  // when CheckFilmReflectanceParams finds a fault.
  std::optional<ParamRefusal> Set(const FilmReflectanceParams& p);
  const FilmReflectanceParams& Params() const { return p_; }
  // The reference reflectance alone (Set R0); must lie in [0, 1].
  bool SetR0(Real R0);

  // The permittivity at density rho, temperatures Ti and Te and wavelength lambda [nm].
  // rho <= 0 is vacuum (eps = 1).
  Complex Epsilon(Real rho, Real Ti, Real Te, Real lambda) const;

  // The film at (Ti, Te, rho) probed at the model's wavelength. For rho <= 0, a negative
  // or non-finite temperature the film has no reflectance: every value is NaN (quiet; no
  // FP flag is raised).
  FilmOptics Evaluate(Real Ti, Real Te, Real rho) const;
  Real Reflectance(Real Ti, Real Te, Real rho) const { return Evaluate(Ti, Te, rho).R; }
  // -dR/R0 = 1 - R/R0; NaN (quiet) while R0 = 0 or for a state without reflectance.
  Real operator()(Real Ti, Real Te, Real rho) const;

 private:
  // Steps 1-6 of the model: the permittivity and (in nu) the collision rate; rho > 0.
  Complex Drude(Real rho, Real Ti, Real Te, Real lambda, Real& nu) const;

  FilmReflectanceParams p_;
  // Per-parameter constants.
  Real xa_ = 0;     // rho0 / rho00
  Real y1xa_ = 0;   // y1(xa) of the electron-ion rate
  Real tCoef_ = 0;  // 6 kB / (-ens): t = tCoef Te / f
  Real thick_ = 0;  // 2 pi HH / lambda: the phase thickness k2H = thick n2 / f
  Real w_ = 0;      // 800 / lambda at the model's wavelength
};

}  // namespace tarvex
