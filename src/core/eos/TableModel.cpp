// "Table" and "Scaled Tab": binding a table set to a medium's slots.
#include "core/eos/TableModel.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosTableLookup.h"
#include "core/eos/EosTableWriter.h"

namespace tarvex {

namespace {

// The value of a parameter, `fallback` when the model has none of that name ("Table").
Real ValueOr(const EosValues& v, const char* name, Real fallback) {
  const Real x = v[name];
  return std::isnan(x) ? fallback : x;
}

void FillCommon(const TEosTableParams& p, EosSet& set, bool film) {
  set.E = MakeSlot<TEosTableParams, &TableE>(p);
  set.P = MakeSlot<TEosTableParams, &TableP>(p);
  set.Cv = MakeSlot<TEosTableParams, &TableCv>(p);
  set.dPdT = MakeSlot<TEosTableParams, &TabledPdT>(p);
  set.TofE = MakeSlot<TEosTableParams, &TableTofE>(p);
  set.TofP = MakeSlot<TEosTableParams, &TableTofP>(p);
  set.PhaseId = film ? MakeIntSlot<TEosTableParams, &TablePhaseId>(p)
                     : MakeIntSlot<TEosTableParams, &TableLeftPhaseId>(p);
}

}  // namespace

EosBindResult TableModelOps::Prepare(const EosValues& values, EosParamBlock& block) {
  TEosTableParams p;
  const Real s = ValueOr(values, "TScall", 1);
  const Real t = ValueOr(values, "TSchift", 0);
  if (!values.Table()) {
    return EosBindResult::Fail("TabFiles", "No table set is loaded (TabFiles)");
  }
  if (!BindTableParams(p, values.Table(), s, t)) {
    if (!values.Table()->Complete()) {
      return EosBindResult::Fail("TabFiles", "The table set lacks its pressure or energy table");
    }
    return EosBindResult::Fail("TScall", "TScall must be a finite number other than 0");
  }
  block = EosParamBlock::Of(std::move(p));
  return EosBindResult::Ok();
}

void TableModelOps::Fill(const EosParamBlock& block, EosFillTarget& target) {
  const auto& p = block.As<TEosTableParams>();
  const bool film = target.phase != nullptr;
  FillCommon(p, target.set, film);
  target.set.PhaseColor = film ? MakeIntSlot<TEosTableParams, &TablePhaseColor>(p)
                               : MakeIntSlot<TEosTableParams, &TableLeftPhaseColor>(p);
  if (!film) return;
  TActiveEos& a = *target.phase;
  a.SoundSpeed = MakeSlot<TEosTableParams, &TableSoundSpeed>(p);
  a.IsMelted = MakePredSlot<TEosTableParams, &TableIsMelted>(p);
  a.HasVapour = MakePredSlot<TEosTableParams, &TableHasVapour>(p);
  a.IsFluidVapour = MakePredSlot<TEosTableParams, &TableIsFluidVapour>(p);
  a.LiquidFraction = MakeSlot<TEosTableParams, &TableLiquidFraction>(p);
  a.SolidFraction = MakeSlot<TEosTableParams, &TableSolidFraction>(p);
}

void TableModelOps::FillScaled(const EosParamBlock& block, EosFillTarget& target) {
  const auto& p = block.As<TEosTableParams>();
  const bool film = target.phase != nullptr;
  FillCommon(p, target.set, film);
  if (!film) return;  // the left medium has no colour of a scaled table
  target.set.PhaseColor = MakeIntSlot<TEosTableParams, &TablePhaseColor>(p);
  TActiveEos& a = *target.phase;
  a.SoundSpeed = MakeSlot<TEosTableParams, &TableSoundSpeed>(p);
  a.IsMelted = MakePredSlot<TEosTableParams, &TableIsMelted>(p);
  a.HasVapour = MakePredSlot<TEosTableParams, &TableHasVapour>(p);
  a.IsFluidVapour = MakePredSlot<TEosTableParams, &TableHasVapour>(p);
}

std::string TableModelOps::Label(const EosLabelInput& in) {
  const std::string label = in.values.Table() ? in.values.Table()->label : std::string();
  std::string text = "Table: " + label;
  if (!std::isnan(in.values["TScall"])) {
    text += " (rho, T*" + in.Text("TScall") + "+" + in.Text("TSchift") + "K)";
  }
  return text;
}

bool TableModelOps::Domain(const EosParamBlock& block, Real& rhoMin, Real& rhoMax, Real& Tmin,
                           Real& Tmax) {
  const auto& p = block.As<TEosTableParams>();
  const RealArray& rho = p.table->RhoGrid();
  const RealArray& T = p.table->TGrid();
  rhoMin = std::min(rho.front(), rho.back());
  rhoMax = std::max(rho.front(), rho.back());
  const Real a = (T.front() - p.t) / p.s;
  const Real b = (T.back() - p.t) / p.s;
  Tmin = std::min(a, b);
  Tmax = std::max(a, b);
  return true;
}

std::shared_ptr<const TEosTableSet> SampleEosTableSet() {
  static const std::shared_ptr<const TEosTableSet> set =
      []() -> std::shared_ptr<const TEosTableSet> {
    const EosModelInfo* rose = FindEosModel("rose");
    if (rose == nullptr) return nullptr;
    int32_t au = -1;
    for (size_t k = 0; k < rose->presets.size(); ++k) {
      if (std::string(rose->presets[k].name) == "Au") au = static_cast<int32_t>(k);
    }
    if (au < 0) return nullptr;
    std::vector<Real> values(rose->params.size());
    EosDefaultValues(*rose, &rose->presets[static_cast<size_t>(au)], values);
    EosState eos;
    EosBindOptions options;
    options.preset = au;
    if (!BindEos(eos, EosMedium::Film, *rose, values, options)) return nullptr;
    TEosTableGrid grid;
    std::string message;
    if (!MakeEosTableGrid(50, 30000, 48, true, 8, 26, 40, true, grid, message)) return nullptr;
    TEosTableModel model;
    model.E = eos.FilmEos.E;
    model.P = eos.FilmEos.P;
    const TEosTableWrite w = TabulateEos(model, grid, "Rose Au, tabulated in memory", "Au");
    if (!w.ok) return nullptr;
    w.set->label = "sample Au";
    return w.set;
  }();
  return set;
}

}  // namespace tarvex
