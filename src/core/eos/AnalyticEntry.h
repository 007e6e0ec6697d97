// A catalog entry from the description of an analytic model (AnalyticEos.h): its index,
// identifier, caption, velocity scale, parameters, presets and slot functions are read off
// the traits struct, so that one struct describes a model everywhere (catalog, dialog, run
// files, documentation, the consistency suites).
#pragma once

#include <optional>
#include <string>

#include "core/common/NumStringFormat.h"
#include "core/eos/AnalyticEos.h"
#include "core/eos/EosCatalog.h"

namespace tarvex {

template <class M>
struct AnalyticOps {
  using Params = typename M::Params;

  static EosBindResult Make(const EosValues& values, Params& p) {
    if constexpr (requires { p.material; }) p.material = values.Preset();
    return MakeModelParams<M>(values.Values(), p);
  }

  static EosBindResult Prepare(const EosValues& values, EosParamBlock& block) {
    Params p{};
    EosBindResult r = Make(values, p);
    if (r) block = EosParamBlock::Of(std::move(p));
    return r;
  }

  static void Fill(const EosParamBlock& block, EosFillTarget& t) {
    const EosModelSlots s = BindModelSlots<M>(block.As<Params>());
    EosSet& set = t.set;
    set.E = s.E;
    set.P = s.P;
    set.Cv = s.Cv;
    set.dPdT = s.dPdT;
    set.TofE = s.TofE;
    set.TofP = s.TofP;
    if (s.Kappa) set.Kappa = s.Kappa;
    set.PhaseId = s.PhaseId;
    if (M::kColor == EosColorRule::Model || M::kColor == EosColorRule::Constant) {
      set.PhaseColor = s.PhaseColor;
    }
    if (t.phase == nullptr) return;
    TActiveEos& a = *t.phase;
    a.IsMelted = s.IsMelted;
    a.HasVapour = s.HasVapour;
    a.IsFluidVapour = s.IsFluidVapour;
    a.LiquidFraction = s.LiquidFraction;
    a.SolidFraction = s.SolidFraction;
  }

  // The model's own label, read with the texts of the dialog's fields; the caption when
  // the model has none.
  static std::string Label(const EosLabelInput& in) {
    Params p{};
    if (!Make(in.values, p)) return M::kCaption;
    const TNumStringFormat format;
    const EosFieldText text = [&](std::string_view field, Real value) {
      std::string t = field.empty() ? std::string() : in.Text(field);
      if (t.empty()) {
        t = format.FormatValue(value);
        const size_t b = t.find_first_not_of(' ');
        t = b == std::string::npos ? std::string() : t.substr(b);
      }
      return t;
    };
    return M::Label(p, text, in.left).value_or(M::kCaption);
  }

  static bool Domain(const EosParamBlock& block, Real& rhoMin, Real& rhoMax, Real& Tmin,
                     Real& Tmax) {
    const EosDomain d = M::Domain(block.As<Params>());
    rhoMin = d.rhoMin;
    rhoMax = d.rhoMax;
    Tmin = d.TMin;
    Tmax = d.TMax;
    return true;
  }

  static constexpr EosModelOps kOps{&Prepare, &Fill, &Label, &Domain};
};

// The catalog entry of analytic model M. Its consistency checks run over the model's own
// domain (EosModelOps::domain), at the tolerances of the analytic suite; `sample` gives
// the values of a model whose defaults cannot be accepted and which has no preset.
template <class M>
constexpr EosModelInfo AnalyticEntry(std::span<const EosPresetValue> sample = {}) {
  EosModelInfo m{M::kIndex,       M::kId,     M::kCaption, M::kEosScale, M::kLeftVariant,
                 false,           M::kParams, M::kPresets, M::kOnSelect, &AnalyticOps<M>::kOps,
                 EosTestDomain{}, ""};
  m.test.inverseTol = 1e-10L;
  m.test.derivativeTol = 1e-6L;
  m.test.values = sample;
  return m;
}

}  // namespace tarvex
