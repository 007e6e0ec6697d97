// The table of equation-of-state models.
#include "core/eos/EosCatalog.h"

#include <cmath>
#include <string>

#include "core/common/NumStringFormat.h"
#include "core/eos/IdealGas.h"
#include "core/eos/IdealGasOf.h"

namespace tarvex {

namespace {

constexpr Real kPhysicalScale = 1e5L;  // cm/s per km/s

// ---- parameters of the models not available yet ------------------------------------------
// A model's module takes its table over when it arrives (see EosModel.h).

// Model 2: the table is read at T' = TScall T + TSchift.
constexpr EosParamInfo kScaledTableParams[] = {
    EosParamNonZero("TScall", "", 2, false, "temperature scale of the table"),
    EosParamAny("TSchift", "K", -291.8305827L, "temperature shift of the table"),
};

constexpr EosParamInfo kLjReeParams[] = {
    EosParamAbove("gamma", "", 5.0L / 3, 1, false, "adiabatic exponent of the ideal part"),
    EosParamAbove("AtomMass", "", 0, 0, true, "atom mass M"),
};

// Monatomic fluid.
constexpr EosPresetValue kMonatomicOnSelect[] = {{"gamma", 5.0L / 3}};

constexpr EosParamInfo kSolidParams[] = {
    EosParamAbove("gamma", "", 4.0L / 3, 1, false, "exponent of the lattice heat capacity"),
    EosParamAbove("AtomMass", "", 0, 0, true, "atom mass M"),
};

// Lattice exponent of the solid.
constexpr EosPresetValue kSolidOnSelect[] = {{"gamma", 4.0L / 3}};

constexpr EosParamInfo kCombParams[] = {
    EosParamAbove("gamma", "", 5.0L / 3, 1, false, "adiabatic exponent of the fluid"),
    EosParamAbove("AtomMass", "", 0, 0, true, "atom mass M"),
    EosParamAny("T_0", "", -4.87773L, "melting line Tsl = T_0 + T_rho n: offset"),
    EosParamAny("T_rho", "", 6.09091L, "melting line Tsl = T_0 + T_rho n: slope"),
    EosParamAbove("DisT", "", 0.5L, 0, false, "width of the solid-liquid transition"),
};

// Model 17: P = C2 (rho - rho0) + rho (T - Tr) G C, E = C T.
constexpr EosParamInfo kLinEosParams[] = {
    EosParamAny("C2Edit", "GPa cm3/g", 0, "bulk stiffness C2"),
    EosParamAny("rho0Edit", "g/cm3", 0, "reference density"),
    EosParamAny("GEdit", "", 0, "Grueneisen coefficient G"),
    EosParamAny("CEdit", "kJ/g/K", 0, "heat capacity C"),
    EosParamAny("TrEdit", "K", 293, "reference temperature"),
};

constexpr std::span<const EosParamInfo> kNoParams{};
constexpr std::span<const EosPresetValue> kNoValues{};

// Not available yet: no operations.
constexpr EosModelInfo Planned(int32_t index, const char* id, const char* caption, Real scale,
                               bool left, bool tabulated, std::span<const EosParamInfo> params,
                               std::span<const EosPresetValue> onSelect, const char* note) {
  return {index, id, caption, scale, left, tabulated, params, {}, onSelect, nullptr, {}, note};
}

constexpr EosModelInfo kCatalog[] = {
    EosEntry<IdealGasModel>(0, "ideal_gas", "Ideal gas", 1, true),
    Planned(1, "table", "Table", kPhysicalScale, true, true, kNoParams, kNoValues,
            "table set chosen with the table-files dialog"),
    Planned(2, "scaled_table", "Scaled Tab", kPhysicalScale, true, true, kScaledTableParams,
            kNoValues, "table set chosen with the table-files dialog"),
    Planned(3, "lj_ree", "LJ - Ree", 1, false, false, kLjReeParams, kMonatomicOnSelect, ""),
    Planned(4, "solid", "Solid", 1, false, false, kSolidParams, kSolidOnSelect, ""),
    Planned(5, "comb_ls", "Comb L+S", 1, false, false, kCombParams, kMonatomicOnSelect, ""),
    Planned(6, "metal", "Metal", kPhysicalScale, false, false, kNoParams, kNoValues,
            "cold-curve and thermal parameters of the metal parameter dialog"),
    Planned(7, "tconduct", "TConduct", 1, false, false, kNoParams, kNoValues,
            "energy and heat capacity of the electron model"),
    // The vapour of a metal serves the left medium as well as the film.
    EosEntry<IdealGasOfModel>(8, "ideal_gas_of", "Ideal gas of:", kPhysicalScale, true),
    Planned(9, "mie_grun", "MieGrun", kPhysicalScale, true, false, kNoParams, kNoValues,
            "material of the MieGrun frame"),
    Planned(10, "rose", "Rose", kPhysicalScale, true, false, kNoParams, kNoValues,
            "material of the Rose frame"),
    Planned(11, "sil_glass", "SilGlass", kPhysicalScale, true, false, kNoParams, kNoValues,
            "material of the SilGlass frame"),
    Planned(12, "p_glass", "PGlass", kPhysicalScale, true, false, kNoParams, kNoValues,
            "fields of the PGlass frame"),
    Planned(13, "water_a", "Water-a", kPhysicalScale, true, false, kNoParams, kNoValues,
            "fields of the Water frame"),
    Planned(14, "water2mg", "Water2MG", kPhysicalScale, true, false, kNoParams, kNoValues,
            "fields of the WaterMG frame"),
    Planned(15, "lif", "LiF", kPhysicalScale, true, false, kNoParams, kNoValues,
            "fields of the LiF frame"),
    Planned(16, "ti", "Ti", kPhysicalScale, true, false, kNoParams, kNoValues,
            "fields of the TiPar frame"),
    Planned(17, "lin_eos", "LinEOS", kPhysicalScale, false, false, kLinEosParams, kNoValues,
            "accepted when C2 is not 0, or G and C are both not 0"),
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
    {"kappaEdit", "kappa", "kW/cm/K", 1.5E-5L, 0,
     "heat conductivity of the medium: the constant, or its value at `kMultT0Edit` for kappa T0 / "
     "T"},
    {"kMultT0Edit", "T0", "K", 300, 0, "reference temperature of kappa T0 / T"},
    {"C2Edit", "C2", "", 0, 0, "bulk stiffness of `\"LinEOS\"`"},
    {"rho0Edit", "rho0", "", 0, 0, "reference density of `\"LinEOS\"`"},
    {"GEdit", "G", "", 0, 0, "Grueneisen coefficient of `\"LinEOS\"`"},
    {"CEdit", "C", "", 0, 0, "heat capacity of `\"LinEOS\"`"},
    {"TrEdit", "Tr", "", 293, 0, "reference temperature of `\"LinEOS\"`"},
};

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
  return kDialogFields;
}

const EosDialogFieldInfo* FindEosDialogField(std::string_view name) {
  for (const EosDialogFieldInfo& f : kDialogFields) {
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
