// The ideal gas (model 0), dimensionless: with c = 1/((gamma - 1) M),
//   E = c T,  P = rho T / M,  Cv = c,  dP/dT = rho / M,
// and the closed-form inverses T = E / c and T = P M / rho. No phase functions.
#pragma once

#include <string>

#include "core/common/Real.h"
#include "core/eos/EosModel.h"

namespace tarvex {

struct IdealGasParams {
  Real gamma = 0;     // adiabatic exponent, > 1
  Real AtomMass = 0;  // atom mass M, > 0
  Real c = 0;         // heat capacity 1/((gamma - 1) M), cached when the block is set
  Real invC = 0;      // (gamma - 1) M: T = E * invC without a division per call
  Real invM = 0;      // 1 / M: P = rho T * invM
};

Real IdealGasE(const IdealGasParams& p, Real rho, Real T);
Real IdealGasP(const IdealGasParams& p, Real rho, Real T);
Real IdealGasCv(const IdealGasParams& p, Real rho, Real T);
Real IdealGasdPdT(const IdealGasParams& p, Real rho, Real T);
Real IdealGasTofE(const IdealGasParams& p, Real rho, Real E);
Real IdealGasTofP(const IdealGasParams& p, Real rho, Real P);

struct IdealGasModel {
  using Params = IdealGasParams;
  // The dialog field gamma starts at 0, which is refused; choosing the model presets the
  // atom mass to 1.
  static constexpr EosParamInfo kParams[] = {
      EosParamAbove("gamma", "", 0, 1, true, "adiabatic exponent"),
      EosParamAbove("AtomMass", "", 1, 0, false, "atom mass M (P = rho T / M)"),
  };
  // Choosing the ideal gas gives the unit atom mass of the dimensionless model.
  static constexpr EosPresetValue kOnSelect[] = {{"AtomMass", 1}};
  static constexpr EosPresetValue kTestValues[] = {{"gamma", 5.0L / 3}};
  static constexpr EosTestDomain kTest{0.01L, 19.3L, 10, 2e4L, 1e-15L, 1e-9L, kTestValues};

  // c must come out finite and positive (gamma barely above 1 with a tiny mass, or both
  // huge, over- or underflow it): refused naming gamma.
  static EosBindResult Prepare(const EosValues& v, Params& p);
  static void Fill(const Params& p, EosFillTarget& t);
  // "I, gamma = " + the text of gamma.
  static std::string Label(const EosLabelInput& in);
};

}  // namespace tarvex
