// The ideal gas (model 0), dimensionless: with c = 1/((gamma - 1) M),
//   E = c T,  P = rho T / M,  Cv = c,  dP/dT = rho / M,
// and the closed-form inverses T = E / c and T = P M / rho. No phase functions.
#pragma once

#include "core/common/Real.h"
#include "core/eos/EosSlots.h"
#include "core/eos/IdealGasParams.h"

namespace tarvex {

Real IdealGasE(const IdealGasParams& p, Real rho, Real T);
Real IdealGasP(const IdealGasParams& p, Real rho, Real T);
Real IdealGasCv(const IdealGasParams& p, Real rho, Real T);
Real IdealGasdPdT(const IdealGasParams& p, Real rho, Real T);
Real IdealGasTofE(const IdealGasParams& p, Real rho, Real E);
Real IdealGasTofP(const IdealGasParams& p, Real rho, Real P);

// Checks gamma > 1 and AtomMass > 0 (both finite); on success fills `p`, the cached
// heat capacity included.
EosBindResult MakeIdealGasParams(Real gamma, Real AtomMass, IdealGasParams& p);

// Film selection: FilmEos E, P, Cv, dPdT, TofE, TofP; ActiveEos E, P, Cv, TofE, TofP and
// the total dPdT are the same functions, and so are Eion, Pion, Cvion (the model has no
// electron part); EosScale 1, FilmEosType 0, film table flag cleared. Invalid parameters
// leave every slot and the selection state as they were.
EosBindResult BindIdealGasFilm(EosState& eos, Real gamma, Real AtomMass);

// Left-medium selection: LeftEos E, P, Cv, dPdT, TofE, TofP; LeftEosType 0, left table
// flag cleared. Never touches the film's slots or EosScale.
EosBindResult BindIdealGasLeft(EosState& eos, Real gamma, Real AtomMass);

}  // namespace tarvex
