// The model catalog: its shape and the coherence of its descriptions (the consistency of
// the models themselves is checked in EosConsistencyTest.cpp).
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "core/eos/EosBind.h"
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
    EXPECT_EQ(m.Available(), m.ops != nullptr) << m.id;
  }
  EXPECT_STREQ(catalog[0].id, "ideal_gas");
  EXPECT_TRUE(catalog[0].Available());
  EXPECT_TRUE(catalog[8].Available());
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
  ASSERT_TRUE(BindEos(eos, EosMedium::Film, m, values));
  EXPECT_EQ(eos.FilmEos.P(2, 300), 600);
  ASSERT_TRUE(BindEos(eos, EosMedium::Left, m, values));
  EXPECT_EQ(eos.LeftEos.TofP(2, 600), 300);

  const std::array<Real, 2> refused = {1, 1};
  EXPECT_EQ(BindEos(eos, EosMedium::Film, m, refused).field, "gamma");
  const std::array<Real, 1> tooFew = {5.0L / 3};
  EXPECT_FALSE(BindEos(eos, EosMedium::Film, m, tooFew));
  EXPECT_FALSE(BindEos(eos, EosMedium::Left, m, tooFew));
}

}  // namespace
}  // namespace tarvex
