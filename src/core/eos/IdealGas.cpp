// The ideal gas: its functions, parameter block and label.
#include "core/eos/IdealGas.h"

#include <cmath>

namespace tarvex {

Real IdealGasE(const IdealGasParams& p, Real, Real T) {
  return p.c * T;
}
Real IdealGasP(const IdealGasParams& p, Real rho, Real T) {
  return rho * T * p.invM;
}
Real IdealGasCv(const IdealGasParams& p, Real, Real) {
  return p.c;
}
Real IdealGasdPdT(const IdealGasParams& p, Real rho, Real) {
  return rho * p.invM;
}
Real IdealGasTofE(const IdealGasParams& p, Real, Real E) {
  return E * p.invC;
}
Real IdealGasTofP(const IdealGasParams& p, Real rho, Real P) {
  return P * p.AtomMass / rho;
}

EosBindResult IdealGasModel::Prepare(const EosValues& v, Params& p) {
  const Real gamma = v["gamma"];
  const Real AtomMass = v["AtomMass"];
  const Real c = 1 / ((gamma - 1) * AtomMass);
  if (!(std::isfinite(c) && c > 0)) {
    return EosBindResult::Fail("gamma", "gamma and the atom mass give no finite heat capacity");
  }
  p = IdealGasParams{gamma, AtomMass, c, (gamma - 1) * AtomMass, 1 / AtomMass};
  return EosBindResult::Ok();
}

void IdealGasModel::Fill(const Params& p, EosFillTarget& t) {
  EosSet& set = t.set;
  set.E = MakeSlot<IdealGasParams, &IdealGasE>(p);
  set.P = MakeSlot<IdealGasParams, &IdealGasP>(p);
  set.Cv = MakeSlot<IdealGasParams, &IdealGasCv>(p);
  set.dPdT = MakeSlot<IdealGasParams, &IdealGasdPdT>(p);
  set.TofE = MakeSlot<IdealGasParams, &IdealGasTofE>(p);
  set.TofP = MakeSlot<IdealGasParams, &IdealGasTofP>(p);
}

std::string IdealGasModel::Label(const EosLabelInput& in) {
  return "I, gamma = " + in.Text("gamma");
}

}  // namespace tarvex
