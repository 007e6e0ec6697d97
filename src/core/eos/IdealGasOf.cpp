// "Ideal gas of:": the functions of a metal vapour, its parameter block and label.
#include "core/eos/IdealGasOf.h"

#include <cmath>

namespace tarvex {

Real IdealGasOfE(const IdealGasOfParams& p, Real, Real T) {
  return p.c * T;
}
Real IdealGasOfP(const IdealGasOfParams& p, Real rho, Real T) {
  return rho * p.Rm * T;
}
Real IdealGasOfCv(const IdealGasOfParams& p, Real, Real) {
  return p.c;
}
Real IdealGasOfdPdT(const IdealGasOfParams& p, Real rho, Real) {
  return rho * p.Rm;
}
Real IdealGasOfTofE(const IdealGasOfParams& p, Real, Real E) {
  return E * p.invC;
}
Real IdealGasOfTofP(const IdealGasOfParams& p, Real rho, Real P) {
  return P * p.invRm / rho;
}

EosBindResult IdealGasOfModel::Prepare(const EosValues& v, Params& p) {
  const Real gamma = v["gamma"];
  const Real M = v["AtomMass"];
  const Real Rm = kIdealGasOfR / M;
  const Real c = Rm / (gamma - 1);
  const Real invC = (gamma - 1) / Rm;
  const Real invRm = 1 / Rm;
  for (Real q : {Rm, c, invC, invRm}) {
    if (!(std::isfinite(q) && q > 0)) {
      return EosBindResult::Fail("AtomMass",
                                 "gamma and the atom mass give no finite heat capacity");
    }
  }
  p = IdealGasOfParams{gamma, M, Rm, c, invC, invRm};
  return EosBindResult::Ok();
}

void IdealGasOfModel::Fill(const Params& p, EosFillTarget& t) {
  EosSet& set = t.set;
  set.E = MakeSlot<IdealGasOfParams, &IdealGasOfE>(p);
  set.P = MakeSlot<IdealGasOfParams, &IdealGasOfP>(p);
  set.Cv = MakeSlot<IdealGasOfParams, &IdealGasOfCv>(p);
  set.dPdT = MakeSlot<IdealGasOfParams, &IdealGasOfdPdT>(p);
  set.TofE = MakeSlot<IdealGasOfParams, &IdealGasOfTofE>(p);
  set.TofP = MakeSlot<IdealGasOfParams, &IdealGasOfTofP>(p);
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
