// The layered-target optics: the present profile cut into optically uniform layers, each
// with a complex refractive index N = sqrt(eps(rho, Ti, Te, omega)), and the reflectance R
// and the phase shift h of a normal-incidence probe computed over the stack.
//
// Cutting (cells i lie between nodes i and i+1, the probe comes from the right):
//  1. Cells at the outer end whose density is <= rho_min are optical vacuum; b is one past
//     the last cell kept.
//  2. The bulk grows from cell 0 while the next cell's density, Ti and Te each stay within
//     0.2 % of the group's means; it is semi-infinite for the optics.
//  3. Layers from the surface down: a layer starts with the cell below its outer face and
//     takes the next cell while that cell is above the bulk, the sum of the relative
//     deviations of its density, Ti and Te from the layer's means is below 0.002, and no
//     local extremum of density, Ti or Te is crossed: from the third cell on each quantity
//     keeps the direction (rising or falling downwards) its first change in the layer had
//     (changes within 1e-12 relative are rounding noise and neutral). A layer's density is
//     its mass over its thickness, its temperatures the cell means.
// Depths are measured from x_ref, the initial position of the film's outer surface:
// z = (x_ref - x) 1e7 [nm]; a surface that moved outwards has a negative depth.
//
// The phase shift h = lambda/(4 pi) arg(r0) - phi compares the stack with the cold
// material (r0 = (N0 - 1)/(N0 + 1), N0 at rho0 and Tini): it is the outward displacement of
// the reflecting surface [nm]. It is made continuous between calls through PrevPhase by
// adding the multiple of lambda/2 (the period of phi) that brings it closest to PrevPhase.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/common/Real.h"
#include "core/optics/Complex.h"
#include "core/optics/LayerReflectance.h"

namespace tarvex {

class FilmReflectance;

// eps(rho [g/cm3], Ti [K], Te [K], omega [1/s]): a function bound to its parameters.
struct DielectricSlot {
  Complex (*fn)(const void* params, Real rho, Real Ti, Real Te, Real omega) = nullptr;
  const void* params = nullptr;

  Complex operator()(Real rho, Real Ti, Real Te, Real omega) const {
    return fn(params, rho, Ti, Te, omega);
  }
  explicit operator bool() const { return fn != nullptr; }
};

template <class Params, Complex (*F)(const Params&, Real, Real, Real, Real)>
DielectricSlot MakeDielectricSlot(const Params& p) {
  return DielectricSlot{[](const void* q, Real rho, Real Ti, Real Te, Real omega) {
                          return F(*static_cast<const Params*>(q), rho, Ti, Te, omega);
                        },
                        &p};
}

// Speed of light used for the probe frequency [cm/s].
inline constexpr Real kLightSpeed = 3e10L;
// omega = 2 pi / lambda 1e7 c [1/s] for lambda in nm, and back.
Real ProbeOmega(Real lambda);
Real ProbeLambda(Real omega);

// The dielectric function of the layered optics: the film model's Drude permittivity (its
// collision rates, plasma and interband terms) at the probe wavelength 2 pi c / omega,
// so that the layers and the single-film model describe the same metal. The slot refers
// to `model`, which must outlive it.
DielectricSlot FilmDielectric(const FilmReflectance& model);

// The state the optics reads: spans over the cells of the film (a substrate below the
// film is left out by the caller) and the reference values.
struct OpticalTarget {
  std::span<const Real> x;    // N + 1 node coordinates [cm], increasing
  std::span<const Real> rho;  // N cell densities [g/cm3]
  std::span<const Real> Ti;   // N ion temperatures [K]
  std::span<const Real> Te;   // N electron temperatures [K] (Ti again with one temperature)
  Real x_ref = 0;             // initial position of the film's outer surface [cm]
  Real rho_min = 0;           // optical cut-off density [g/cm3]
  Real rho0 = 0;              // cold density of the film [g/cm3]
  Real Tini = 0;              // initial temperature [K]
  DielectricSlot epsilon;
};

// One medium of the stack: a row of the table "RefrOptData".
struct OpticalLayer {
  int32_t No = 0;          // 0 vacuum, 1.. layers from the surface down, last the bulk
  Real depth = 0;          // depth of its upper face [nm] (vacuum: the surface's depth)
  Real rho = 0;            // [g/cm3]
  Real Ti = 0;             // [K]
  Real Te = 0;             // [K]
  Complex N;               // refractive index n + ik
  int32_t firstCell = -1;  // lowest cell of the layer (-1 for vacuum)
  int32_t cellCount = 0;
};

struct OpticalProfileResult {
  bool ok = false;
  std::string reason;               // why nothing was computed
  std::vector<OpticalLayer> media;  // vacuum, the layers, the bulk
  Real R = 0;                       // reflectance
  Real phi = 0;                     // lambda/(4 pi) arg(r) of the stack [nm]
  Complex N0;                       // index of the cold material
  Real h = 0;                       // phase shift, continued from PrevPhase [nm]
  Complex Refr;                     // R + i h
};

// Cuts the target and computes R and h at wavelength `lambda` [nm]; PrevPhase [nm] is read
// and, on success, replaced by h. Refused with a reason (PrevPhase unchanged) for a target
// without cells, mismatched spans, a grid whose nodes do not increase, a negative or
// non-finite density or temperature, a non-positive wavelength, a negative rho_min, no
// dielectric function, no cell denser than rho_min, an index with negative n or k, and an
// arithmetic fault.
OpticalProfileResult OpticalProfile(const OpticalTarget& target, Real lambda, Real& PrevPhase);

// R and phi of a stack given as its media (as OpticalProfile or a read "_opt.dat" table
// gives them): the interfaces lie at the depths of media 1 .. last.
LayerReflectanceResult ReflectanceOfMedia(std::span<const OpticalLayer> media, Real lambda);

}  // namespace tarvex
