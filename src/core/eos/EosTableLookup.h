// Lookups in a table set: values, derivatives and inverses of a table at (rho, T), the
// sound speed, phase codes and phase fractions, and the slot functions of the tabulated
// equation of state ("Table", and "Scaled Tab" with its temperature scale).
//
// Interpolation is piecewise on both axes: on each interval the cubic of TTableStencil,
// limited to the band between the two lines through the interval's midpoint value, so a
// table never overshoots between its nodes; outside the grid the line through the two
// end nodes. A value at (rho, T) interpolates along rho in the rows the temperature
// stencil needs and then along T. Derivatives and inverses are those of the limited
// curve, so Cv = dE/dT and T(rho, E(rho, T)) = T hold everywhere, also on the end
// intervals of an axis, where the one-sided band keeps a curve that bends away from the
// end node on its chord (those intervals are second-order accurate, the interior ones
// third-order: the cubics reproduce quadratics).
//
// Each lookup searches both axes from the last indices found (the hints), so lookups of
// neighbouring cells cost a few comparisons; a far jump falls back to bisection. No
// lookup allocates. Units: rho g/cm3, T K, E kJ/g, P GPa, Cv kJ/g/K, c km/s.
#pragma once

#include <cstdint>
#include <memory>

#include "core/common/Real.h"
#include "core/eos/EosTableSet.h"
#include "core/eos/PhaseCode.h"

namespace tarvex {

// The last indices found on each axis (-1 before the first node; start value -1).
struct TEosTableHints {
  int32_t THint = -1;
  int32_t RhoHint = -1;
};

// The largest index k with g[k] <= x on an increasing axis (g[k] >= x on a decreasing
// one): -1 before the first node, the last index at or beyond the last node. Starts from
// `hint` and stores the result there.
int32_t TableSearch(const TTableAxisData& axis, Real x, int32_t& hint);

// One table f (NT * NV values of `set`) at (rho, T).
Real TableValue(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho, Real T);
// df/dT at constant rho and df/drho at constant T.
Real TableDerivT(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho, Real T);
Real TableDerivRho(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho, Real T);
// The temperature with f(rho, T) = y along the temperature axis (beyond the rows of the
// table the line through the two end rows).
Real TableInverseT(const TEosTableSet& set, const Real* f, TEosTableHints& hints, Real rho, Real y);

// Heat capacity [kJ/g/K]: the heat-capacity table (J/g/K) when loaded, else dE/dT.
Real TableHeatCapacity(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T);
// Sound speed [km/s]: the sound-velocity table when loaded, else
// c^2 = dP/drho + (P/rho^2 - dE/drho) (dP/dT) / Cv; 0 where c^2 is not positive.
Real TableSoundSpeedAt(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T);
// Phase code of the film: the code of the grid cell around (rho, T), where a corner that
// differs owns the triangle cut off by the line through the midpoints of its edges and
// two differing rows or columns split the cell in the middle. 0 without a code table.
PhaseCode TableFilmPhase(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T);
// Phase code of the left medium: the code of the cell's lower corner.
PhaseCode TableLeftPhase(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T);
// Fraction m of the first phase of a mixture: the mixture table when loaded, else by the
// code: 1 for 0 and 1, 0 for 3 and 5, 0.5 for the others.
Real TableMixFraction(const TEosTableSet& set, TEosTableHints& hints, Real rho, Real T);

// ---- rules on a phase code ----
int32_t TableFilmColor(PhaseCode c);  // 0x00BBGGRR
int32_t TableLeftColor(PhaseCode c);
bool TableCodeMelted(PhaseCode c);       // |c| mod 7 > 1
bool TableCodeVapour(PhaseCode c);       // 4 <= |c| <= 6
bool TableCodeFluidVapour(PhaseCode c);  // |c| = 4 or 5
Real TableLiquidShare(PhaseCode c, Real m);
Real TableSolidShare(PhaseCode c, Real m);

// ---- slot functions ----
// The parameter block of a tabulated medium. The table is read at the table
// temperature T' = s T + t: "Table" is s = 1, t = 0; "Scaled Tab" takes s = TScall,
// t = TSchift. Then Cv and dP/dT are multiplied by s and the inverses return
// (T'(rho, y) - t) / s. The hints belong to the block: each medium binds its own, so
// media and sessions never share them (one thread per block).
struct TEosTableParams {
  std::shared_ptr<const TEosTableSet> table;  // never empty while a slot is bound
  Real s = 1;
  Real t = 0;
  mutable TEosTableHints hints;
};

// Fills the block for a set (hints reset). Refused (false) for an incomplete set or s = 0
// or a non-finite s or t.
bool BindTableParams(TEosTableParams& p, std::shared_ptr<const TEosTableSet> table, Real s = 1,
                     Real t = 0);

Real TableE(const TEosTableParams& p, Real rho, Real T);               // [kJ/g]; |E| < 1e-8 gives 0
Real TableP(const TEosTableParams& p, Real rho, Real T);               // [GPa]; |P| < 1e-8 gives 0
Real TableCv(const TEosTableParams& p, Real rho, Real T);              // [kJ/g/K]
Real TabledPdT(const TEosTableParams& p, Real rho, Real T);            // [GPa/K]
Real TableTofE(const TEosTableParams& p, Real rho, Real E);            // [K]
Real TableTofP(const TEosTableParams& p, Real rho, Real P);            // [K]
Real TableSoundSpeed(const TEosTableParams& p, Real rho, Real T);      // [km/s]
int32_t TablePhaseId(const TEosTableParams& p, Real rho, Real T);      // film code
int32_t TableLeftPhaseId(const TEosTableParams& p, Real rho, Real T);  // left-medium code
int32_t TablePhaseColor(const TEosTableParams& p, Real rho, Real T);   // film colour
int32_t TableLeftPhaseColor(const TEosTableParams& p, Real rho, Real T);
bool TableIsMelted(const TEosTableParams& p, Real rho, Real T);
bool TableHasVapour(const TEosTableParams& p, Real rho, Real T);
bool TableIsFluidVapour(const TEosTableParams& p, Real rho, Real T);
// The mixture fraction of the table at (rho, s T + t) (TableMixFraction).
Real TableMixture(const TEosTableParams& p, Real rho, Real T);
Real TableLiquidFraction(const TEosTableParams& p, Real rho, Real T);
Real TableSolidFraction(const TEosTableParams& p, Real rho, Real T);

}  // namespace tarvex
