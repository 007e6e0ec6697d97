// The analytic equation-of-state models as test and benchmark cases: every model of
// AnalyticEosModels with each of its material presets, or one representative parameter set
// where it has none (and the dialog's defaults cannot be accepted), each bound to a
// parameter block on the heap.
#pragma once

#include <cctype>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "core/common/Slot.h"
#include "core/eos/AnalyticModels.h"

namespace tarvex::testing {

struct AnalyticCase {
  std::string name;   // "<caption>_<preset>", letters, digits and '_' only
  int32_t index = 0;  // model number
  EosDomain domain{};
  EosModelSlots slots;
  EosSlotMask slotMask = 0;
  EosSlotMask hot = 0;
  std::shared_ptr<const void> block;  // the parameter block the slots point into
  // States the model reports as a phase of its own although they are metastable (the
  // stretched liquid of "Water2MG" with CheckMeta); empty when there are none.
  std::function<bool(Real rho, Real T)> metastable;
};

// Test names and failure messages show the case by its name.
inline void PrintTo(const AnalyticCase& c, std::ostream* os) {
  *os << c.name;
}

inline std::string CaseName(std::string_view caption, std::string_view preset) {
  std::string s;
  auto add = [&s](std::string_view t) {
    for (char c : t) {
      if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
        s += c;
      } else if (!s.empty() && s.back() != '_') {
        s += '_';
      }
    }
  };
  add(caption);
  if (!preset.empty()) {
    if (!s.empty() && s.back() != '_') s += '_';
    add(preset);
  }
  while (!s.empty() && s.back() == '_') s.pop_back();
  return s;
}

// A case of model M from parameter values in the order of M::kParams.
template <class M>
AnalyticCase MakeAnalyticCase(std::string_view preset, const std::vector<Real>& values,
                              int32_t material = -1) {
  auto p = std::make_shared<typename M::Params>();
  if constexpr (requires { p->material; }) p->material = material;
  const std::string name = CaseName(M::kCaption, preset);
  if (EosBindResult r = MakeModelParams<M>(values, *p); !r) {
    throw std::runtime_error(name + ": " + r.field + ": " + r.message);
  }
  AnalyticCase c;
  c.name = name;
  c.index = M::kIndex;
  c.domain = M::Domain(*p);
  c.slots = BindModelSlots<M>(*p);
  c.slotMask = SlotsOf<M>();
  c.hot = M::kHot;
  c.block = p;
  return c;
}

// An electron gas for "TConduct": Ee = gammaE T^2/2, Ce = gammaE T (reduced units).
struct SommerfeldElectrons {
  Real gammaE = 0.02L;
  Real Pout = 0.125L;
  TConductParams params;
};
inline Real SommerfeldEnergy(const SommerfeldElectrons& e, Real, Real T) {
  return Real(0.5) * e.gammaE * T * T;
}
inline Real SommerfeldHeatCap(const SommerfeldElectrons& e, Real, Real T) {
  return e.gammaE * T;
}

// One case per preset that sets values ("Any" of the metal dialog sets none).
template <class M>
void AddPresetCases(std::vector<AnalyticCase>& out) {
  for (size_t i = 0; i < M::kPresets.size(); ++i) {
    if (M::kPresets[i].values.empty()) continue;
    const int32_t index = static_cast<int32_t>(i);
    out.push_back(MakeAnalyticCase<M>(M::kPresets[i].name, ModelValues<M>(index), index));
  }
}

// The cases of one model.
template <class M>
void AddAnalyticCases(std::vector<AnalyticCase>& out) {
  if constexpr (std::is_same_v<M, TConductModel>) {
    auto e = std::make_shared<SommerfeldElectrons>();
    e->params.ElEnergy = MakeSlot<SommerfeldElectrons, &SommerfeldEnergy>(*e);
    e->params.ElHeatCap = MakeSlot<SommerfeldElectrons, &SommerfeldHeatCap>(*e);
    e->params.Pout = &e->Pout;
    if (EosBindResult r = M::Prepare(e->params); !r) throw std::runtime_error(r.message);
    AnalyticCase c;
    c.name = CaseName(M::kCaption, "Sommerfeld");
    c.index = M::kIndex;
    c.domain = M::Domain(e->params);
    c.slots = BindModelSlots<M>(e->params);
    c.slotMask = SlotsOf<M>();
    c.hot = M::kHot;
    c.block = e;
    out.push_back(c);
  } else if constexpr (std::is_same_v<M, LjReeModel> || std::is_same_v<M, SolidModel>) {
    // Reduced units with an atom mass other than 1, so that n = rho/M matters.
    out.push_back(MakeAnalyticCase<M>("M1_5", {M::kParams[0].defaultValue, 1.5L}));
  } else if constexpr (std::is_same_v<M, CombModel>) {
    std::vector<Real> v = ModelValues<M>();
    v[1] = 1.5L;
    out.push_back(MakeAnalyticCase<M>("M1_5", v));
  } else if constexpr (std::is_same_v<M, LinEosModel>) {
    // A water-like medium: c = 1.5 km/s, Grueneisen 0.3, Cv 4.18 J/g/K.
    out.push_back(MakeAnalyticCase<M>("water_like", {2.25L, 1, 0.3L, 4.18e-3L, 293}));
  } else if constexpr (std::is_same_v<M, Water2MGModel>) {
    out.push_back(MakeAnalyticCase<M>("", ModelValues<M>()));
    std::vector<Real> meta = ModelValues<M>();
    for (size_t i = 0; i < M::kParams.size(); ++i) {
      if (std::string_view(M::kParams[i].name) == "CheckMeta") meta[i] = 1;
    }
    AnalyticCase c = MakeAnalyticCase<M>("Meta", meta);
    const auto* p = static_cast<const Water2MGParams*>(c.block.get());
    // Liquid stretched below the saturated-liquid density: metastable, and inside the
    // spinodal unstable (dP/drho < 0).
    c.metastable = [p](Real rho, Real T) {
      return T < p->Tc && rho < Water2MGLiquidDensity(*p, T);
    };
    out.push_back(c);
  } else if constexpr (std::is_same_v<M, MetalModel> || std::is_same_v<M, MieGrunModel>) {
    AddPresetCases<M>(out);
    // The branches no preset takes: the anharmonic lattice with a four-term Theta(x), and
    // the alternative Grueneisen coefficients.
    const bool metal = std::is_same_v<M, MetalModel>;
    const int32_t preset = metal ? 1 : 2;  // Al, Ta
    std::vector<Real> v = ModelValues<M>(preset);
    for (size_t i = 0; i < M::kParams.size(); ++i) {
      const std::string_view n = M::kParams[i].name;
      if (metal && n == "d1") v[i] = 30;
      if (metal && n == "d2") v[i] = 300;
      if (metal && n == "m2") v[i] = 5;
      if (!metal && n == "AltLabels") v[i] = 1;
    }
    out.push_back(MakeAnalyticCase<M>(
        std::string(M::kPresets[preset].name) + (metal ? "_anharmonic" : "_AltLabels"), v, preset));
  } else if (M::kPresets.empty()) {
    out.push_back(MakeAnalyticCase<M>("", ModelValues<M>()));
  } else {
    AddPresetCases<M>(out);
  }
}

template <class... Ms>
void AddAllAnalyticCases(std::vector<AnalyticCase>& out, std::tuple<Ms...>*) {
  (AddAnalyticCases<Ms>(out), ...);
}

// Every model with every preset.
inline std::vector<AnalyticCase> AllAnalyticCases() {
  std::vector<AnalyticCase> out;
  AddAllAnalyticCases(out, static_cast<AnalyticEosModels*>(nullptr));
  return out;
}

}  // namespace tarvex::testing
