// Exact solution of the Riemann problem of gas dynamics for ideal gases (the classical
// two-rarefaction / shock iteration for the star pressure), used to verify the solver
// on shock tubes. The two sides may have different adiabatic exponents.
#pragma once

#include <algorithm>
#include <cmath>

namespace tarvex::testing {

struct GasState {
  double rho, u, p;
};

class ExactRiemann {
 public:
  ExactRiemann(GasState left, GasState right, double gamma)
      : ExactRiemann(left, right, gamma, gamma) {}
  ExactRiemann(GasState left, GasState right, double gammaLeft, double gammaRight)
      : L_(left), R_(right), gL_(gammaLeft), gR_(gammaRight) {
    cL_ = std::sqrt(gL_ * L_.p / L_.rho);
    cR_ = std::sqrt(gR_ * R_.p / R_.rho);
    SolveStar();
  }

  double pStar() const { return pStar_; }
  double uStar() const { return uStar_; }

  // Density at similarity coordinate s = (x - x0) / t.
  GasState Sample(double s) const {
    if (s <= uStar_) {
      const double g = gL_;
      // Left of the contact.
      if (pStar_ > L_.p) {  // left shock
        const double pr = pStar_ / L_.p;
        const double sL = L_.u - cL_ * std::sqrt((g + 1) / (2 * g) * pr + (g - 1) / (2 * g));
        if (s <= sL) return L_;
        const double rho = L_.rho * (pr + (g - 1) / (g + 1)) / ((g - 1) / (g + 1) * pr + 1);
        return {rho, uStar_, pStar_};
      }
      const double head = L_.u - cL_;
      const double cStar = cL_ * std::pow(pStar_ / L_.p, (g - 1) / (2 * g));
      const double tail = uStar_ - cStar;
      if (s <= head) return L_;
      if (s >= tail) return {L_.rho * std::pow(pStar_ / L_.p, 1 / g), uStar_, pStar_};
      const double c = 2 / (g + 1) * (cL_ + (g - 1) / 2 * (L_.u - s));
      const double u = 2 / (g + 1) * (cL_ + (g - 1) / 2 * L_.u + s);
      const double rho = L_.rho * std::pow(c / cL_, 2 / (g - 1));
      return {rho, u, L_.p * std::pow(c / cL_, 2 * g / (g - 1))};
    }
    const double g = gR_;
    if (pStar_ > R_.p) {  // right shock
      const double pr = pStar_ / R_.p;
      const double sR = R_.u + cR_ * std::sqrt((g + 1) / (2 * g) * pr + (g - 1) / (2 * g));
      if (s >= sR) return R_;
      const double rho = R_.rho * (pr + (g - 1) / (g + 1)) / ((g - 1) / (g + 1) * pr + 1);
      return {rho, uStar_, pStar_};
    }
    const double head = R_.u + cR_;
    const double cStar = cR_ * std::pow(pStar_ / R_.p, (g - 1) / (2 * g));
    const double tail = uStar_ + cStar;
    if (s >= head) return R_;
    if (s <= tail) return {R_.rho * std::pow(pStar_ / R_.p, 1 / g), uStar_, pStar_};
    const double c = 2 / (g + 1) * (cR_ - (g - 1) / 2 * (R_.u - s));
    const double u = 2 / (g + 1) * (-cR_ + (g - 1) / 2 * R_.u + s);
    const double rho = R_.rho * std::pow(c / cR_, 2 / (g - 1));
    return {rho, u, R_.p * std::pow(c / cR_, 2 * g / (g - 1))};
  }

 private:
  // Velocity change across the wave of side K at star pressure p, and its derivative.
  void F(const GasState& K, double cK, double g, double p, double& f, double& df) const {
    if (p > K.p) {
      const double A = 2 / ((g + 1) * K.rho), B = (g - 1) / (g + 1) * K.p;
      const double q = std::sqrt(A / (p + B));
      f = (p - K.p) * q;
      df = q * (1 - (p - K.p) / (2 * (B + p)));
    } else {
      f = 2 * cK / (g - 1) * (std::pow(p / K.p, (g - 1) / (2 * g)) - 1);
      df = 1 / (K.rho * cK) * std::pow(p / K.p, -(g + 1) / (2 * g));
    }
  }
  void SolveStar() {
    double p = std::max(1e-12, 0.5 * (L_.p + R_.p));
    for (int k = 0; k < 100; ++k) {
      double fL, dfL, fR, dfR;
      F(L_, cL_, gL_, p, fL, dfL);
      F(R_, cR_, gR_, p, fR, dfR);
      const double pNew = std::max(1e-12, p - (fL + fR + R_.u - L_.u) / (dfL + dfR));
      if (std::fabs(pNew - p) < 1e-14 * p) {
        p = pNew;
        break;
      }
      p = pNew;
    }
    pStar_ = p;
    double fL, dfL, fR, dfR;
    F(L_, cL_, gL_, p, fL, dfL);
    F(R_, cR_, gR_, p, fR, dfR);
    uStar_ = 0.5 * (L_.u + R_.u) + 0.5 * (fR - fL);
  }

  GasState L_, R_;
  double gL_, gR_, cL_, cR_, pStar_ = 0, uStar_ = 0;
};

}  // namespace tarvex::testing
