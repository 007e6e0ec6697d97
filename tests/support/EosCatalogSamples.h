// The parameter sets every available model of the equation-of-state catalog is checked
// and measured with, and binding one to a medium: its defaults with the entry's test
// values on top, then each material preset on top of that. A model with materials is
// sampled with each of them (its defaults alone may need a material chosen); a material
// that sets nothing ("Any") is not a sample of its own. The suites and the benchmark
// iterate over these, so a model added to the catalog is covered by its entry.
#pragma once

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"

namespace tarvex::testing {

struct CatalogSample {
  const EosModelInfo* model = nullptr;
  std::vector<Real> values;  // in the order of the model's parameters
  int32_t preset = -1;       // the material chosen, -1: none
  std::string name;          // "<id>" or "<id>_<material>"
};

inline std::vector<CatalogSample> SamplesOf(const EosModelInfo& m) {
  std::vector<Real> base(m.params.size());
  EosDefaultValues(m, nullptr, base);
  const auto put = [&](std::vector<Real>& v, std::string_view name, Real value) {
    for (size_t i = 0; i < m.params.size(); ++i) {
      if (name == m.params[i].name) v[i] = value;
    }
  };
  for (const EosPresetValue& v : m.test.values) put(base, v.param, v.value);
  std::vector<CatalogSample> out;
  if (m.presets.empty()) out.push_back({&m, base, -1, m.id});
  for (size_t k = 0; k < m.presets.size(); ++k) {
    if (m.presets[k].values.empty()) continue;  // "Any": the user's own values
    std::vector<Real> v = base;
    for (const EosPresetValue& pv : m.presets[k].values) put(v, pv.param, pv.value);
    out.push_back({&m, v, static_cast<int32_t>(k), std::string(m.id) + "_" + m.presets[k].name});
  }
  return out;
}

// Every sample of every available model, in catalog order.
inline std::vector<CatalogSample> CatalogSamples() {
  std::vector<CatalogSample> out;
  for (const EosModelInfo& m : EosCatalog()) {
    if (!m.Available()) continue;
    for (CatalogSample& s : SamplesOf(m)) out.push_back(std::move(s));
  }
  return out;
}

// Binds a sample to the film of `eos` (a tabulated model with its sample table set).
inline EosBindResult BindSample(EosState& eos, const CatalogSample& s) {
  EosBindOptions options;
  options.preset = s.preset;
  if (s.model->test.table != nullptr) options.table = s.model->test.table();
  return BindEos(eos, EosMedium::Film, *s.model, s.values, options);
}

// Where a bound sample is checked: the model's own domain for its values where it states
// one, else the catalog's test domain.
inline EosTestDomain SampleDomain(const EosState& eos, const EosModelInfo& m) {
  EosTestDomain d = m.test;
  if (m.ops->domain != nullptr) m.ops->domain(eos.Film.block, d.rhoMin, d.rhoMax, d.Tmin, d.Tmax);
  return d;
}

// n points from lo to hi, evenly spaced in the logarithm.
inline std::vector<Real> LogSpread(Real lo, Real hi, int32_t n) {
  std::vector<Real> points;
  for (int32_t k = 0; k < n; ++k) {
    points.push_back(lo * std::pow(hi / lo, static_cast<Real>(k) / static_cast<Real>(n - 1)));
  }
  return points;
}

}  // namespace tarvex::testing
