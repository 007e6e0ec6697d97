// The model catalog: its shape, and the thermodynamic consistency of every model it
// marks available.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "core/common/FpGuard.h"
#include "core/eos/EosCatalog.h"

namespace tarvex {
namespace {

TEST(EosCatalog, ListsTheEighteenModelsInOrder) {
  const char* const captions[] = {
      "Ideal gas", "Table",    "Scaled Tab",    "LJ - Ree", "Solid", "Comb L+S",
      "Metal",     "TConduct", "Ideal gas of:", "MieGrun",  "Rose",  "SilGlass",
      "PGlass",    "Water-a",  "Water2MG",      "LiF",      "Ti",    "LinEOS"};
  const auto catalog = EosCatalog();
  ASSERT_EQ(catalog.size(), std::size(captions));
  std::set<std::string> ids;
  for (size_t i = 0; i < catalog.size(); ++i) {
    const EosModelInfo& m = catalog[i];
    EXPECT_EQ(m.index, static_cast<int32_t>(i));
    EXPECT_STREQ(m.caption, captions[i]);
    EXPECT_TRUE(ids.insert(m.id).second) << "duplicate id " << m.id;
    EXPECT_EQ(FindEosModel(m.id), &m);
    // Dimensionless models run with EosScale 1, the physical ones with 1e5.
    const bool dimensionless = i == 0 || i == 3 || i == 4 || i == 5 || i == 7;
    EXPECT_EQ(m.eosScale, dimensionless ? 1 : 1e5L) << m.id;
    EXPECT_EQ(m.available, m.bindFilm != nullptr) << m.id;
    if (m.bindLeft != nullptr) {
      EXPECT_TRUE(m.leftVariant) << m.id;
    }
  }
  EXPECT_STREQ(catalog[0].id, "ideal_gas");
  EXPECT_TRUE(catalog[0].available);
  EXPECT_EQ(FindEosModel("no_such_model"), nullptr);
}

TEST(EosCatalog, ParameterDescriptionsAreCoherent) {
  for (const EosModelInfo& m : EosCatalog()) {
    std::set<std::string> names;
    for (const EosParamInfo& p : m.params) {
      EXPECT_TRUE(names.insert(p.name).second) << m.id << "." << p.name;
      // A parameter is required exactly when its default would be refused.
      EXPECT_EQ(p.required, !EosParamValid(p, p.defaultValue)) << m.id << "." << p.name;
    }
    for (const EosPreset& preset : m.presets) {
      for (const EosPresetValue& v : preset.values) {
        EXPECT_TRUE(names.count(v.param)) << m.id << " preset " << preset.name << ": " << v.param;
        for (const EosParamInfo& p : m.params) {
          if (std::string(p.name) == v.param) {
            EXPECT_TRUE(EosParamValid(p, v.value));
          }
        }
      }
    }
  }
}

TEST(EosCatalog, IdealGasEntry) {
  const EosModelInfo& m = *FindEosModel("ideal_gas");
  ASSERT_EQ(m.params.size(), 2u);
  EXPECT_STREQ(m.params[0].name, "gamma");
  EXPECT_STREQ(m.params[1].name, "AtomMass");
  EXPECT_EQ(m.params[1].defaultValue, 1);
  EXPECT_FALSE(EosParamValid(m.params[0], 1));
  EXPECT_TRUE(EosParamValid(m.params[0], 1.0001L));
  EXPECT_FALSE(EosParamValid(m.params[1], 0));

  EosState eos;
  const std::array<Real, 2> values = {5.0L / 3, 1};
  ASSERT_TRUE(m.bindFilm(eos, values));
  EXPECT_EQ(eos.FilmEos.P(2, 300), 600);
  ASSERT_TRUE(m.bindLeft(eos, values));
  EXPECT_EQ(eos.LeftEos.TofP(2, 600), 300);

  const std::array<Real, 2> refused = {1, 1};
  EXPECT_EQ(m.bindFilm(eos, refused).field, "gamma");
  const std::array<Real, 1> tooFew = {5.0L / 3};
  EXPECT_FALSE(m.bindFilm(eos, tooFew));
  EXPECT_FALSE(m.bindLeft(eos, tooFew));
}

// Parameter sets to exercise a model with: its defaults (a required parameter gets a
// value inside its range) and each preset on top of them.
std::vector<std::vector<Real>> SampleValues(const EosModelInfo& m) {
  std::vector<Real> base(m.params.size());
  EosDefaultValues(m, nullptr, base);
  for (size_t i = 0; i < base.size(); ++i) {
    const EosParamInfo& p = m.params[i];
    if (EosParamValid(p, base[i])) continue;
    base[i] = std::isfinite(p.lower) ? p.lower + 2 / Real(3) : 1;
    if (std::isfinite(p.upper)) base[i] = (p.lower + p.upper) / 2;
  }
  std::vector<std::vector<Real>> sets = {base};
  for (const EosPreset& preset : m.presets) {
    std::vector<Real> v(m.params.size());
    EosDefaultValues(m, &preset, v);
    for (size_t i = 0; i < v.size(); ++i) {
      if (!EosParamValid(m.params[i], v[i])) v[i] = base[i];
    }
    sets.push_back(v);
  }
  return sets;
}

// Relative agreement of a and b within tol (absolute near 0).
::testing::AssertionResult Close(Real a, Real b, Real tol) {
  const Real scale = std::fmax(std::fmax(std::fabs(a), std::fabs(b)), Real(1e-30L));
  if (std::fabs(a - b) <= tol * scale) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << static_cast<double>(a) << " vs " << static_cast<double>(b);
}

// For each available model and a spread of states: the inverses return the temperature,
// Cv and dP/dT are the temperature derivatives of E and P, the phase code is valid, and
// the left-medium binding gives the same functions.
TEST(EosCatalog, AvailableModelsAreConsistent) {
  const Real rhos[] = {0.01L, 0.5L, 1, 2.7L, 19.3L};
  const Real temps[] = {10, 300, 1500, 2e4L};
  for (const EosModelInfo& m : EosCatalog()) {
    if (!m.available) continue;
    for (const std::vector<Real>& values : SampleValues(m)) {
      EosState eos;
      ASSERT_TRUE(m.bindFilm(eos, values)) << m.id;
      EXPECT_EQ(eos.FilmEosType, m.index);
      EXPECT_EQ(eos.EosScale, m.eosScale);
      const EosSet& f = eos.FilmEos;
      ASSERT_TRUE(f.E && f.P && f.Cv) << m.id;
      FpGuard guard;
      for (Real rho : rhos) {
        for (Real T : temps) {
          SCOPED_TRACE(std::string(m.id) + " rho=" + std::to_string(static_cast<double>(rho)) +
                       " T=" + std::to_string(static_cast<double>(T)));
          if (f.TofE) {
            EXPECT_TRUE(Close(f.TofE(rho, f.E(rho, T)), T, 1e-15L));
          }
          if (f.TofP) {
            EXPECT_TRUE(Close(f.TofP(rho, f.P(rho, T)), T, 1e-15L));
          }
          const TActiveEos& a = eos.ActiveEos;
          if (a.TofE) {
            EXPECT_TRUE(Close(a.TofE(rho, a.E(rho, T)), T, 1e-15L));
          }
          if (a.TofP) {
            EXPECT_TRUE(Close(a.TofP(rho, a.P(rho, T)), T, 1e-15L));
          }
          // Central differences, step 1e-5 T: truncation ~1e-10, round-off ~1e-14.
          const Real h = 1e-5L * T;
          EXPECT_TRUE(Close(f.Cv(rho, T), (f.E(rho, T + h) - f.E(rho, T - h)) / (2 * h), 1e-9L));
          if (f.dPdT) {
            EXPECT_TRUE(
                Close(f.dPdT(rho, T), (f.P(rho, T + h) - f.P(rho, T - h)) / (2 * h), 1e-9L));
          }
          const PhaseCode code = FilmPhaseCode(eos, rho, T);
          EXPECT_LE(std::abs(code), 9);
          EXPECT_EQ(PhaseFromText(PhaseText(code)), code);
        }
      }
      EXPECT_FALSE(guard.Faulted()) << m.id;

      if (m.bindLeft != nullptr) {
        ASSERT_TRUE(m.bindLeft(eos, values)) << m.id;
        EXPECT_EQ(eos.LeftEosType, m.index);
        for (Real rho : rhos) {
          for (Real T : temps) {
            EXPECT_EQ(eos.LeftEos.E(rho, T), f.E(rho, T)) << m.id;
            EXPECT_EQ(eos.LeftEos.P(rho, T), f.P(rho, T)) << m.id;
            if (eos.LeftEos.TofE) {
              EXPECT_TRUE(Close(eos.LeftEos.TofE(rho, eos.LeftEos.E(rho, T)), T, 1e-15L));
            }
            const PhaseCode code = LeftPhaseCode(eos, rho, T);
            EXPECT_LE(std::abs(code), 9);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tarvex
