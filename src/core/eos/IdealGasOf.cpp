// "Ideal gas of:": the parameter block of a metal vapour and its label.
#include "core/eos/IdealGasOf.h"

#include <cmath>

namespace tarvex {

EosBindResult IdealGasOfModel::Prepare(const EosValues& v, Params& p) {
  const Real gamma = v["gamma"];
  const Real mass = v["AtomMass"] / kIdealGasOfR;  // M / R [g K/kJ]
  const Real c = 1 / ((gamma - 1) * mass);         // Rm / (gamma - 1) [kJ/g/K]
  const Real invC = (gamma - 1) * mass;
  const Real invM = 1 / mass;  // Rm [kJ/g/K]
  for (Real q : {mass, c, invC, invM}) {
    if (!(std::isfinite(q) && q > 0)) {
      return EosBindResult::Fail("AtomMass",
                                 "gamma and the atom mass give no finite heat capacity");
    }
  }
  p = IdealGasParams{gamma, mass, c, invC, invM};
  return EosBindResult::Ok();
}

std::string IdealGasOfModel::Label(const EosLabelInput& in) {
  // The program's own texts, the spelling of the gold label included.
  static constexpr const char* kMetalLabels[] = {"Ideal gas of Al", "Ideal gas of Cu",
                                                 "Idela gas of Au"};
  if (in.preset >= 0 && in.preset < static_cast<int32_t>(std::size(kMetalLabels))) {
    return kMetalLabels[in.preset];
  }
  return "Ideal gas of AtMass = " + in.Text("AtomMass");
}

}  // namespace tarvex
