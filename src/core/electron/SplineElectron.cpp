// The "Spline" page's electron model and its input file.
#include "core/electron/SplineElectron.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>

namespace tarvex {

Real GruneisenOf(const SplineGruneisen& g, Real rho) {
  Real Gamma = g.Gamma0;
  if (g.add) {
    const Real u = std::max(Real(0), g.rho0 / rho - g.G3);
    Gamma += g.G1 / (g.G2 * u * u + 1);
  }
  if (g.mult) {
    const Real r = std::min(Real(1), 0.1L * g.rho0 / rho);
    const Real r2 = r * r;
    const Real v = 1 - r2 * r2 * r2;
    Gamma *= v * v * v;
  }
  return Gamma;
}

Real SplineEnergy(const SplineElParams& p, Real rho, Real Te) {
  return TableEe(p.ce, rho, Te);
}

Real SplineHeatCap(const SplineElParams& p, Real rho, Real Te) {
  return TableCe(p.ce, rho, Te);
}

Real SplinePressure(const SplineElParams& p, Real rho, Real Te) {
  return rho * GruneisenOf(p.gr, rho) * TableEe(p.ce, rho, Te);
}

Real SplinePressureDT(const SplineElParams& p, Real rho, Real Te) {
  return rho * GruneisenOf(p.gr, rho) * TableCe(p.ce, rho, Te);
}

Real SplineTofE(const SplineElParams& p, Real rho, Real Ee) {
  return TableTeOfEe(p.ce, rho, Ee);
}

Real SplineCoupling(const SplineElParams& p, Real rho, Real Te) {
  return TableCoupling(p.ge, rho, Te);
}

// ---- the input file -------------------------------------------------------------------------

namespace {

std::string_view Trim(std::string_view s) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && space(s.front())) s.remove_prefix(1);
  while (!s.empty() && space(s.back())) s.remove_suffix(1);
  return s;
}

// The value before `key` on `line`: trimmed, a trailing "=" removed, quotes removed.
std::string ValueBefore(std::string_view line, std::string_view key, bool& found) {
  const size_t pos = line.rfind(key);
  found = pos != std::string_view::npos;
  if (!found) return {};
  std::string_view v = Trim(line.substr(0, pos));
  if (!v.empty() && v.back() == '=') v = Trim(v.substr(0, v.size() - 1));
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  return std::string(v);
}

}  // namespace

SplineInFile ParseSplineIn(std::string_view text, const std::string& fileName) {
  SplineInFile r;
  const char* keys[] = {"Cefile", "Gefile", "Amass"};
  std::string values[3];
  size_t pos = 0;
  int32_t line = 0;
  for (int32_t k = 0; k < 3; ++k) {
    // The next line that is not blank.
    std::string_view ln;
    bool have = false;
    while (pos < text.size()) {
      const size_t end = std::min(text.find('\n', pos), text.size());
      ln = text.substr(pos, end - pos);
      pos = end + 1;
      ++line;
      if (!Trim(ln).empty()) {
        have = true;
        break;
      }
    }
    bool found = false;
    if (have) values[k] = ValueBefore(ln, keys[k], found);
    if (!found || values[k].empty()) {
      r.message = "ERROR reading " + std::string(keys[k]) + " (" + fileName + ", line " +
                  std::to_string(have ? line : line + 1) + ")";
      return r;
    }
  }
  Real mass = 0;
  const std::string& m = values[2];
  const auto res = std::from_chars(m.data(), m.data() + m.size(), mass);
  if (res.ec != std::errc() || res.ptr != m.data() + m.size() || !std::isfinite(mass) ||
      !(mass > 0)) {
    r.message = "ERROR reading Amass (" + fileName + ", line " + std::to_string(line) + ": \"" +
                m.substr(0, 40) + "\" is not a positive atomic mass)";
    return r;
  }
  r.ok = true;
  r.Cefile = values[0];
  r.Gefile = values[1];
  r.Amass = mass;
  return r;
}

SplineInFile ReadSplineIn(const std::string& path) {
  std::string text;
  int32_t err = 0;
  if (!ReadSmallTextFile(path, text, err)) {
    SplineInFile r;
    r.message = "Cannot open " + path + " (" + std::strerror(err) + ")";
    return r;
  }
  return ParseSplineIn(text, path);
}

std::string ResolveBeside(const std::string& inputPath, const std::string& name) {
  const std::filesystem::path p(name);
  if (p.is_absolute()) return name;
  return (std::filesystem::path(inputPath).parent_path() / p).string();
}

}  // namespace tarvex
