// Exact solutions of standard problems of ideal-gas dynamics, written out independently of
// the solver: the Rankine-Hugoniot jump of a plane shock (driven by a pressure or by a
// piston / a wall), the Sedov point explosion in planar, cylindrical and spherical
// geometry, the Noh implosion, and the centred rarefaction of a gas expanding into vacuum.
//
// Geometry index j: 1 planar, 2 cylindrical, 3 spherical. Volumes and energies are per
// unit of the solver's own measure r^(j-1) dr (per unit area, per radian and unit length,
// per steradian), so that a total energy E of the solver's grid enters as it is.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace tarvex::testing {

// Jump across a plane shock into gas at rest (rho0, p0) of adiabatic exponent gamma.
struct ShockJump {
  double W;    // shock speed relative to the upstream gas
  double rho;  // downstream density
  double p;    // downstream pressure
  double u;    // downstream velocity relative to the upstream gas (towards the shock)
};

// The shock a given downstream pressure p1 drives: mass flux m^2 = (p1 - p0) / (1/rho0 -
// 1/rho1) with the Hugoniot density ratio.
inline ShockJump ShockFromPressure(double rho0, double p0, double gamma, double p1) {
  const double mu = (gamma - 1) / (gamma + 1);
  const double rho1 = rho0 * (p1 + mu * p0) / (mu * p1 + p0);
  const double m = std::sqrt((p1 - p0) / (1 / rho0 - 1 / rho1));
  return {m / rho0, rho1, p1, (p1 - p0) / m};
}

// The shock a piston (or a wall hit by the gas) drives when it moves with speed up
// relative to the upstream gas: W = (gamma + 1)/4 up + sqrt(((gamma + 1)/4 up)^2 + c0^2).
inline ShockJump ShockFromPiston(double rho0, double p0, double gamma, double up) {
  const double c0sq = gamma * p0 / rho0;
  const double a = (gamma + 1) / 4 * up;
  const double W = a + std::sqrt(a * a + c0sq);
  return {W, rho0 * W / (W - up), p0 + rho0 * W * up, up};
}

// Sedov-Taylor blast wave of energy E into gas of density rho0 at zero pressure:
// R(t) = xi0 (E t^2 / rho0)^(1/(j+2)). The self-similar profile is the closed parametric
// form in the variable V between the centre V0 = 2/((j+2) gamma) and the shock
// V2 = 4/((j+2)(gamma+1)) (standard case, uniform ambient density); xi0 follows from the
// energy integral over that profile.
class SedovSolution {
 public:
  SedovSolution(int j, double gamma) : j_(j), g_(gamma) {
    const double n = j + 2.0;
    const double g = gamma;
    a_ = n * (g + 1) / 4;
    b_ = (g + 1) / (g - 1);
    c_ = n * g / 2;
    d_ = n * (g + 1) / (n * (g + 1) - 2 * (2 + j * (g - 1)));
    e_ = (2 + j * (g - 1)) / 2;
    al0_ = 2 / n;
    al2_ = -(g - 1) / (2 * (g - 1) + j);
    al1_ = n * g / (2 + j * (g - 1)) * (2 * j * (2 - g) / (g * n * n) - al2_);
    al3_ = j / (2 * (g - 1) + j);
    al4_ = al1_ * n / (2 - g);
    al5_ = -2 / (2 - g);
    Tabulate();
  }

  // Shock radius at time t for energy E (per unit of the solver's measure).
  double Radius(double E, double rho0, double t) const {
    return xi0_ * std::pow(E * t * t / rho0, 1 / (j_ + 2.0));
  }
  double Xi0() const { return xi0_; }
  // Density right behind the shock: (gamma + 1)/(gamma - 1) rho0.
  double PeakDensity(double rho0) const { return b_ * rho0; }

  // Density, velocity and pressure at radius r when the shock stands at R at time t.
  struct State {
    double rho, u, p;
  };
  State Sample(double r, double R, double t, double rho0) const {
    if (r >= R) return {rho0, 0, 0};
    const double lam = r / R;
    const double Rdot = 2 / (j_ + 2.0) * R / t;
    // Linear interpolation in the tabulated lambda (increasing from 0 to 1).
    const auto it = std::lower_bound(lam_.begin(), lam_.end(), lam);
    size_t k = static_cast<size_t>(it - lam_.begin());
    k = std::clamp<size_t>(k, 1, lam_.size() - 1);
    const double w = (lam - lam_[k - 1]) / (lam_[k] - lam_[k - 1]);
    auto at = [&](const std::vector<double>& y) { return y[k - 1] + w * (y[k] - y[k - 1]); };
    return {b_ * rho0 * at(gg_), 2 / (g_ + 1) * Rdot * at(ff_),
            2 / (g_ + 1) * rho0 * Rdot * Rdot * at(hh_)};
  }

 private:
  void Tabulate() {
    const double V0 = 2 / ((j_ + 2.0) * g_);
    const double V2 = 4 / ((j_ + 2.0) * (g_ + 1));
    const int n = 20000;
    lam_.resize(n + 1);
    ff_.resize(n + 1);
    gg_.resize(n + 1);
    hh_.resize(n + 1);
    // V crowds towards the centre V0, where lambda -> 0 with a high power of V - V0.
    for (int i = 0; i <= n; ++i) {
      const double s = static_cast<double>(i) / n;
      const double V = V0 + (V2 - V0) * s * s * s * s;
      const double x1 = a_ * V, x2 = b_ * (c_ * V - 1), x3 = d_ * (1 - e_ * V);
      const double x4 = b_ * (1 - c_ * V / g_);
      const double lam =
          i == 0 ? 0 : std::pow(x1, -al0_) * std::pow(x2, -al2_) * std::pow(x3, -al1_);
      lam_[i] = lam;
      ff_[i] = x1 * lam;
      gg_[i] = i == 0 ? 0 : std::pow(x2, al3_) * std::pow(x3, al4_) * std::pow(x4, al5_);
      hh_[i] = std::pow(x1, al0_ * j_) * std::pow(x3, al4_ - 2 * al1_) * std::pow(x4, 1 + al5_);
    }
    // E = rho0 R^(j+2) / t^2 (2/(j+2))^2 I with I the energy integral over lambda.
    const double up = 2 / (g_ + 1);
    double I = 0;
    for (int i = 1; i <= n; ++i) {
      auto density = [&](int k) {
        return (b_ * gg_[k] * up * up * ff_[k] * ff_[k] / 2 + up * hh_[k] / (g_ - 1)) *
               std::pow(lam_[k], j_ - 1);
      };
      I += (density(i) + density(i - 1)) / 2 * (lam_[i] - lam_[i - 1]);
    }
    const double q = 2 / (j_ + 2.0);
    xi0_ = std::pow(q * q * I, -1 / (j_ + 2.0));
  }

  int j_;
  double g_;
  double a_, b_, c_, d_, e_, al0_, al1_, al2_, al3_, al4_, al5_;
  double xi0_ = 0;
  std::vector<double> lam_, ff_, gg_, hh_;
};

// Noh implosion: cold gas of density rho0 streams towards the centre (or a wall) with
// speed u0. A shock runs outwards at (gamma - 1)/2 u0 and leaves the gas at rest with
// density rho0 ((gamma + 1)/(gamma - 1))^j; ahead of it the converging stream is
// compressed to rho0 (1 + u0 t / r)^(j - 1).
struct NohSolution {
  int j;
  double gamma;
  double rho0 = 1;
  double u0 = 1;

  double ShockRadius(double t) const { return (gamma - 1) / 2 * u0 * t; }
  double PostShockDensity() const { return rho0 * std::pow((gamma + 1) / (gamma - 1), j); }
  double Density(double r, double t) const {
    if (r < ShockRadius(t)) return PostShockDensity();
    return rho0 * std::pow(1 + u0 * t / r, j - 1);
  }
};

// A slab of gas (rho0, p0) at rest whose surface at xs opens to vacuum at t = 0: a centred
// rarefaction with its head moving into the gas at the sound speed c0 and its edge moving
// out at 2 c0 / (gamma - 1).
struct VacuumFan {
  double rho0, p0, gamma, xs;

  double c0() const { return std::sqrt(gamma * p0 / rho0); }
  double Density(double x, double t) const {
    const double s = (x - xs) / t;
    const double c = c0();
    if (s <= -c) return rho0;
    if (s >= 2 * c / (gamma - 1)) return 0;
    const double cs = 2 / (gamma + 1) * c - (gamma - 1) / (gamma + 1) * s;
    return rho0 * std::pow(cs / c, 2 / (gamma - 1));
  }
};

}  // namespace tarvex::testing
