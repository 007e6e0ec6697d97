// The tabulated equations of state "Table" (model 1) and "Scaled Tab" (model 2) as
// catalog entries. Their parameter block is the lookup block of EosTableLookup.h: the
// table set chosen with the table dialog (handed to the binding with the values) and the
// temperature scale T' = TScall T + TSchift of "Scaled Tab" ("Table": T' = T).
//
// Film slots: E, P, Cv, dP/dT, T(E), T(P), the phase code and its colour; ActiveEos gets
// the sound speed and the phase predicates from the table ("Table" also the liquid and
// solid fractions; "Scaled Tab" none, and its IsFluidVapour is the vapour test, codes 4
// to 6). The left medium gets E, P, Cv, dP/dT, the inverses, the lower-corner phase code
// and, for "Table", the left colour.
#pragma once

#include <memory>

#include "core/eos/EosModel.h"

namespace tarvex {

class TEosTableSet;

struct TableModelOps {
  static EosBindResult Prepare(const EosValues& values, EosParamBlock& block);
  static void Fill(const EosParamBlock& block, EosFillTarget& target);
  static void FillScaled(const EosParamBlock& block, EosFillTarget& target);
  // "Table: " + the table label; "Scaled Tab" adds " (rho, T*" + TScall + "+" + TSchift
  // + "K)".
  static std::string Label(const EosLabelInput& in);
  // The grid of the table, in the medium's temperatures (T = (T' - TSchift) / TScall).
  static bool Domain(const EosParamBlock& block, Real& rhoMin, Real& rhoMax, Real& Tmin,
                     Real& Tmax);

  static constexpr EosModelOps kTable{&Prepare, &Fill, &Label, &Domain};
  static constexpr EosModelOps kScaled{&Prepare, &FillScaled, &Label, &Domain};
};

// The set the consistency suites bind the tabulated models with: the gold of "Rose"
// (cold binding curve with a constant Grueneisen parameter) tabulated on 48 temperatures
// from 50 K to 30000 K and 40 densities from 8 to 26 g/cm3, both logarithmic.
std::shared_ptr<const TEosTableSet> SampleEosTableSet();

}  // namespace tarvex
