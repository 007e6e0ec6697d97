// Generic parts of the analytic equation-of-state models: value checks and label texts.
#include "core/eos/AnalyticEos.h"

#include <cctype>

namespace tarvex {

namespace {

std::string Trimmed(std::string s) {
  size_t b = 0;
  while (b < s.size() && std::isspace(static_cast<unsigned char>(s[b])) != 0) ++b;
  size_t e = s.size();
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])) != 0) --e;
  return s.substr(b, e - b);
}

}  // namespace

EosFieldText FieldTextOf(const TNumStringFormat& format) {
  return [format](std::string_view, Real value) { return Trimmed(format.FormatValue(value)); };
}

std::string MaterialLabel(std::string prefix, std::span<const EosPreset> presets,
                          int32_t material) {
  if (material >= 0 && static_cast<size_t>(material) < presets.size()) {
    prefix += presets[static_cast<size_t>(material)].name;
  }
  return prefix;
}

EosBindResult CheckParamValues(std::span<const EosParamInfo> params, std::span<const Real> values) {
  if (values.size() != params.size()) {
    return EosBindResult::Fail("", "expected " + std::to_string(params.size()) +
                                       " parameter values, got " + std::to_string(values.size()));
  }
  for (size_t i = 0; i < params.size(); ++i) {
    if (!EosParamValid(params[i], values[i])) {
      return EosBindResult::Fail(params[i].name, std::string(params[i].name) + " must be " +
                                                     EosParamRequirement(params[i]));
    }
  }
  return EosBindResult::Ok();
}

}  // namespace tarvex
