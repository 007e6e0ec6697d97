// Every analytic equation-of-state model of the selection list, as traits types in list
// order (the model numbers 3 to 17; the ideal gas, model 0, and the tables, 1 and 2, live
// elsewhere). Code that must cover every model (the catalog, the consistency suite, the
// benchmark) iterates over this list, so a new model is covered by adding it here.
#pragma once

#include <tuple>

#include "core/eos/ColdCurveModels.h"
#include "core/eos/SimpleModels.h"
#include "core/eos/WaterLiF.h"

namespace tarvex {

using AnalyticEosModels =
    std::tuple<LjReeModel, SolidModel, CombModel, MetalModel, TConductModel, MetalVapourModel,
               MieGrunModel, RoseModel, SilGlassModel, PGlassModel, WaterAModel, Water2MGModel,
               LiFModel, TiModel, LinEosModel>;

}  // namespace tarvex
