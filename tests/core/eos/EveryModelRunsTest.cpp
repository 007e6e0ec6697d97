// Every equation of state of the catalog in a run: a film of the model (with each of its
// materials) set up in equilibrium with its outer pressure against a wall, given a small
// push, and run for a hundred sound-crossing steps of a cell: the step takes the model's
// functions in its stride (no step collapse) and every state stays finite.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/hydro/IterateStep.h"
#include "support/HydroFixture.h"
#include "support/StepLoop.h"

namespace tarvex {
namespace {

struct ModelCase {
  const EosModelInfo* model;
  std::vector<Real> values;
  int32_t preset;
  std::string name;
};

std::vector<ModelCase> Cases() {
  std::vector<ModelCase> out;
  for (const EosModelInfo& m : EosCatalog()) {
    if (!m.Available()) continue;
    std::vector<Real> base(m.params.size());
    EosDefaultValues(m, nullptr, base);
    for (const EosPresetValue& v : m.test.values) {
      for (size_t i = 0; i < m.params.size(); ++i) {
        if (std::string(m.params[i].name) == v.param) base[i] = v.value;
      }
    }
    if (m.presets.empty()) out.push_back({&m, base, -1, m.id});
    for (size_t k = 0; k < m.presets.size(); ++k) {
      if (m.presets[k].values.empty()) continue;
      std::vector<Real> v(m.params.size());
      EosDefaultValues(m, &m.presets[k], v);
      out.push_back({&m, v, static_cast<int32_t>(k), std::string(m.id) + "_" + m.presets[k].name});
    }
  }
  return out;
}

class EveryModelRuns : public ::testing::TestWithParam<ModelCase> {};

TEST_P(EveryModelRuns, AFilmAgainstAWallStaysFinite) {
  const ModelCase& c = GetParam();
  testing::SessionFixture f;
  Session& s = f.s;
  EosBindOptions options;
  options.preset = c.preset;
  if (c.model->test.table != nullptr) options.table = c.model->test.table();  // a tabulated model
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *c.model, c.values, options));
  // A state inside the model's domain: the middle of its density range, room temperature
  // where the model reaches it.
  EosTestDomain d = c.model->test;
  if (c.model->ops->domain != nullptr) {
    ASSERT_TRUE(c.model->ops->domain(s.eos.Film.block, d.rhoMin, d.rhoMax, d.Tmin, d.Tmax));
  }
  const Real rho = std::sqrt(d.rhoMin * d.rhoMax);
  const Real T = std::clamp(Real(300), d.Tmin, d.Tmax);
  const int32_t N = 40;
  s.sim.Pout = s.eos.ActiveEos.P(rho, T);
  ASSERT_TRUE(std::isfinite(s.sim.Pout));
  s.bounds.SetLeftMode(2);  // a wall on the left, the outer pressure on the right
  testing::UniformGrid(s, N, 1e-5L, rho, T);
  // A small push towards the wall.
  const Real c0 = s.eos.EosScale;  // velocity unit of the model
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 1; j <= N; ++j) st->v[j] = -1e-3L * c0 * j / N;
  }
  const Real dt = StableStep(s, *s.StateA);
  ASSERT_TRUE(std::isfinite(dt) && dt > 0) << c.name;
  testing::LoopStats stats;
  EXPECT_TRUE(testing::RunUntil(s, 100 * dt, dt, dt / 10, &stats)) << c.name;
  EXPECT_GT(stats.accepted, 20) << c.name;
  const THydrStat& A = *s.StateA;
  for (int32_t i = 0; i < N; ++i) {
    ASSERT_TRUE(std::isfinite(A.T[i]) && A.T[i] > 0) << c.name << " cell " << i;
    ASSERT_TRUE(std::isfinite(A.P[i]) && std::isfinite(A.E[i])) << c.name << " cell " << i;
    ASSERT_TRUE(std::isfinite(A.Density(i)) && A.Density(i) > 0) << c.name << " cell " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(Catalog, EveryModelRuns, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<ModelCase>& p) {
                           std::string n;
                           for (char ch : p.param.name) n += std::isalnum(ch) ? ch : '_';
                           return n;
                         });

}  // namespace
}  // namespace tarvex
