// The table of equation-of-state models.
#include "core/eos/EosCatalog.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/eos/AnalyticEntry.h"
#include "core/eos/AnalyticModels.h"
#include "core/eos/EosConductivity.h"
#include "core/eos/IdealGas.h"
#include "core/eos/IdealGasOf.h"
#include "core/eos/TableModel.h"

namespace tarvex {

namespace {

constexpr Real kPhysicalScale = 1e5L;  // cm/s per km/s

// Model 2: the table is read at T' = TScall T + TSchift.
constexpr EosParamInfo kScaledTableParams[] = {
    EosParamNonZero("TScall", "", 2, false, "temperature scale of the table"),
    EosParamAny("TSchift", "K", -291.8305827L, "temperature shift of the table"),
};

constexpr std::span<const EosParamInfo> kNoParams{};
constexpr std::span<const EosPresetValue> kNoValues{};

// Not available yet: no operations.
constexpr EosModelInfo Planned(int32_t index, const char* id, const char* caption, Real scale,
                               bool left, bool tabulated, std::span<const EosParamInfo> params,
                               std::span<const EosPresetValue> onSelect, const char* note) {
  return {index, id, caption, scale, left, tabulated, params, {}, onSelect, nullptr, {}, note};
}

// A tabulated model. The suites bind it with a sample set; its interpolant is only C1
// where the limiter does not act, so its derivatives match central differences to a few
// parts in a thousand, and the inverses are Newton solutions of the interpolant.
constexpr EosModelInfo TableEntry(int32_t index, const char* id, const char* caption,
                                  std::span<const EosParamInfo> params, const EosModelOps* ops) {
  EosModelInfo m{index, id,   caption, kPhysicalScale,
                 true,  true, params,  {},
                 {},    ops,  {},      "table set chosen with the table-files dialog (`TabFiles`)"};
  m.test.inverseTol = 1e-9L;
  m.test.derivativeTol = 3e-3L;
  m.test.table = &SampleEosTableSet;
  return m;
}

// Values for the consistency checks of the models whose defaults cannot be accepted and
// which have no preset.
constexpr EosPresetValue kReducedMass[] = {{"AtomMass", 1.5L}};
// A water-like linear medium: c = 1.5 km/s, Grueneisen 0.3, Cv 4.18 J/g/K.
constexpr EosPresetValue kWaterLikeLinear[] = {
    {"C2Edit", 2.25L}, {"rho0Edit", 1}, {"GEdit", 0.3L}, {"CEdit", 4.18e-3L}, {"TrEdit", 293}};

constexpr EosModelInfo kCatalog[] = {
    EosEntry<IdealGasModel>(0, "ideal_gas", "Ideal gas", 1, true),
    TableEntry(1, "table", "Table", kNoParams, &TableModelOps::kTable),
    TableEntry(2, "scaled_table", "Scaled Tab", kScaledTableParams, &TableModelOps::kScaled),
    AnalyticEntry<LjReeModel>(kReducedMass),
    AnalyticEntry<SolidModel>(kReducedMass),
    AnalyticEntry<CombModel>(kReducedMass),
    AnalyticEntry<MetalModel>(),
    Planned(7, "tconduct", "TConduct", 1, false, false, kNoParams, kNoValues,
            "energy and heat capacity of the electron model"),
    // The vapour of a metal serves the left medium as well as the film.
    EosEntry<IdealGasOfModel>(8, "ideal_gas_of", "Ideal gas of:", kPhysicalScale, true),
    AnalyticEntry<MieGrunModel>(),
    AnalyticEntry<RoseModel>(),
    AnalyticEntry<SilGlassModel>(),
    AnalyticEntry<PGlassModel>(),
    AnalyticEntry<WaterAModel>(),
    AnalyticEntry<Water2MGModel>(),
    AnalyticEntry<LiFModel>(),
    AnalyticEntry<TiModel>(),
    AnalyticEntry<LinEosModel>(kWaterLikeLinear),
};

// The numeric fields of the selection dialog. Units only for the fields that are no
// model's parameter; a model parameter's unit is in the model's entry above.
constexpr EosDialogFieldInfo kDialogFields[] = {
    {"gamma", "gamma", "", 0, 0, "adiabatic exponent (lattice exponent for `\"Solid\"`)"},
    {"AtomMass", "M atom", "", 0, 0, "atom mass"},
    {"T_0", "T_0", "", -4.87773L, 0, "melting line of `\"Comb L+S\"`: offset"},
    {"T_rho", "T_rho", "", 6.09091L, 0, "melting line of `\"Comb L+S\"`: slope"},
    {"DisT", "DisT", "", 0.5L, 0, "width of the solid-liquid transition of `\"Comb L+S\"`"},
    {"TScall", "TScall", "", 2, 0, "temperature scale of a scaled table"},
    // Shown as "-291.8"; the field keeps the full value.
    {"TSchift", "TSchift", "", -291.8305827L, 4, "temperature shift of a scaled table"},
};

// A conductivity field of the dialog (CheckKappa): kappaEdit and kMultT0Edit, then the
// frame of the "FnT" law, described where the conductivity is computed.
EosDialogFieldInfo KappaField(const EosParamInfo& p) {
  const std::string_view name = p.name;
  const char* label = name == "kappaEdit" ? "kappa" : name == "kMultT0Edit" ? "T0" : p.name;
  return {p.name, label, p.unit, p.defaultValue, 0, p.help};
}

}  // namespace

std::span<const EosModelInfo> EosCatalog() {
  return kCatalog;
}

const EosModelInfo* FindEosModel(std::string_view id) {
  for (const EosModelInfo& m : kCatalog) {
    if (id == m.id) return &m;
  }
  return nullptr;
}

bool EosParamValid(const EosParamInfo& param, Real value) {
  if (!std::isfinite(value)) return false;
  if (param.lowerOpen ? !(value > param.lower) : !(value >= param.lower)) return false;
  if (param.upperOpen ? !(value < param.upper) : !(value <= param.upper)) return false;
  return !(param.nonZero && value == 0);
}

std::string EosParamRequirement(const EosParamInfo& param) {
  const TNumStringFormat format;
  std::string text = "a finite number";
  const bool hasLower = std::isfinite(param.lower);
  if (hasLower) {
    text += param.lowerOpen ? " greater than " : " not less than ";
    text += format.FormatValue(param.lower);
  }
  if (std::isfinite(param.upper)) {
    text += hasLower ? " and" : "";
    text += param.upperOpen ? " less than " : " not greater than ";
    text += format.FormatValue(param.upper);
  }
  if (param.nonZero) text += " other than 0";
  return text;
}

std::span<const EosDialogFieldInfo> EosDialogFields() {
  // The fields listed above, then every other parameter of a model in the catalog (the
  // frames of the cold-curve, glass, water and LiF models), each once: a name several
  // models share is one field.
  static const std::vector<EosDialogFieldInfo> fields = [] {
    std::vector<EosDialogFieldInfo> out(std::begin(kDialogFields), std::end(kDialogFields));
    for (const EosParamInfo& p : kKappaParams) out.push_back(KappaField(p));
    for (const EosParamInfo& p : kKappaFnTParams) out.push_back(KappaField(p));
    for (const EosModelInfo& m : kCatalog) {
      for (const EosParamInfo& p : m.params) {
        const bool known = std::any_of(out.begin(), out.end(), [&](const EosDialogFieldInfo& f) {
          return std::string_view(f.name) == p.name;
        });
        if (!known) out.push_back({p.name, p.name, "", p.defaultValue, 0, p.help});
      }
    }
    return out;
  }();
  return fields;
}

bool EosSharedDialogField(std::string_view name) {
  if (IsKappaParam(name)) return true;  // the medium's, whatever the model
  const bool common = std::any_of(std::begin(kDialogFields), std::end(kDialogFields),
                                  [&](const EosDialogFieldInfo& f) { return name == f.name; });
  if (!common) return false;  // a field of the frames of the analytic models
  int32_t users = 0;
  for (const EosModelInfo& m : kCatalog) {
    for (const EosParamInfo& p : m.params) users += name == p.name ? 1 : 0;
  }
  return users != 1;
}

const EosDialogFieldInfo* FindEosDialogField(std::string_view name) {
  for (const EosDialogFieldInfo& f : EosDialogFields()) {
    if (name == f.name) return &f;
  }
  return nullptr;
}

void EosDefaultValues(const EosModelInfo& model, const EosPreset* preset, std::span<Real> out) {
  for (size_t i = 0; i < model.params.size() && i < out.size(); ++i) {
    out[i] = model.params[i].defaultValue;
  }
  if (preset == nullptr) return;
  for (const EosPresetValue& pv : preset->values) {
    for (size_t i = 0; i < model.params.size() && i < out.size(); ++i) {
      if (std::string_view(pv.param) == model.params[i].name) out[i] = pv.value;
    }
  }
}

}  // namespace tarvex
