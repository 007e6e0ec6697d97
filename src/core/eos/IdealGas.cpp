// The ideal gas and the binding of its functions to the film and left-medium slots.
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

EosBindResult MakeIdealGasParams(Real gamma, Real AtomMass, IdealGasParams& p) {
  if (!(std::isfinite(gamma) && gamma > 1)) {
    return EosBindResult::Fail("gamma", "gamma must be a finite number greater than 1");
  }
  if (!(std::isfinite(AtomMass) && AtomMass > 0)) {
    return EosBindResult::Fail("AtomMass", "the atom mass must be a finite positive number");
  }
  const Real c = 1 / ((gamma - 1) * AtomMass);
  if (!(std::isfinite(c) && c > 0)) {
    // gamma barely above 1 with a tiny mass, or both huge: c over- or underflows.
    return EosBindResult::Fail("gamma", "gamma and the atom mass give no finite heat capacity");
  }
  p = IdealGasParams{gamma, AtomMass, c, (gamma - 1) * AtomMass, 1 / AtomMass};
  return EosBindResult::Ok();
}

namespace {

// The six functions bound to `p` in one medium's set.
void FillSet(EosSet& set, const IdealGasParams& p) {
  set.E = MakeSlot<IdealGasParams, &IdealGasE>(p);
  set.P = MakeSlot<IdealGasParams, &IdealGasP>(p);
  set.Cv = MakeSlot<IdealGasParams, &IdealGasCv>(p);
  set.dPdT = MakeSlot<IdealGasParams, &IdealGasdPdT>(p);
  set.TofE = MakeSlot<IdealGasParams, &IdealGasTofE>(p);
  set.TofP = MakeSlot<IdealGasParams, &IdealGasTofP>(p);
}

}  // namespace

EosBindResult BindIdealGasFilm(EosState& eos, Real gamma, Real AtomMass) {
  IdealGasParams p;
  EosBindResult r = MakeIdealGasParams(gamma, AtomMass, p);
  if (!r) return r;
  eos.FilmIdealGas = p;
  ClearFilmSlots(eos);
  FillSet(eos.FilmEos, eos.FilmIdealGas);
  TActiveEos& a = eos.ActiveEos;
  a.E = eos.FilmEos.E;
  a.P = eos.FilmEos.P;
  a.Cv = eos.FilmEos.Cv;
  a.dPdT = eos.FilmEos.dPdT;
  a.TofE = eos.FilmEos.TofE;
  a.TofP = eos.FilmEos.TofP;
  a.Eion = eos.FilmEos.E;
  a.Pion = eos.FilmEos.P;
  a.Cvion = eos.FilmEos.Cv;
  eos.EosScale = 1;
  eos.FilmEosType = 0;
  eos.FilmTableFlag = false;
  return r;
}

EosBindResult BindIdealGasLeft(EosState& eos, Real gamma, Real AtomMass) {
  IdealGasParams p;
  EosBindResult r = MakeIdealGasParams(gamma, AtomMass, p);
  if (!r) return r;
  eos.LeftIdealGas = p;
  ClearLeftSlots(eos);
  FillSet(eos.LeftEos, eos.LeftIdealGas);
  eos.LeftEosType = 0;
  eos.LeftTableFlag = false;
  return r;
}

}  // namespace tarvex
