// What a material chosen in the thermal-parameter dialog sets in the other dialogs, and the
// film's phase as the electron models of a session see it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "core/app/AppModel.h"
#include "core/electron/FilmPhase.h"
#include "core/electron/Materials.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosTableSet.h"
#include "core/session/Session.h"
#include "support/EosTableFixture.h"

namespace tarvex {
namespace {

Real SpallValue(AppModel& app, const char* name) {
  return app.spallation.FieldByName(name)->Value();
}

// "NAu" sets the spallation constants of gold; "Ag1" selects silver there and leaves the
// constants of its preset (it has no "Spall" values).
TEST(ElectronChoice, ThePresetsSpallValuesReachTheSpallationDialog) {
  ScriptedPrompter p;
  AppModel app(p);
  ASSERT_TRUE(app.thermParam.ShowPage("NewAu"));
  const ElChoiceResult r = app.thermParam.ChooseMaterial(std::string_view("NAu"));
  ASSERT_TRUE(r);
  app.ApplyElectronChoice(r);
  EXPECT_EQ(app.spallation.Material(), SpallMaterialIndex("Au"));
  EXPECT_EQ(SpallValue(app, "etaEdit"), 0.005L);
  EXPECT_EQ(SpallValue(app, "TcEdit"), 7764);
  EXPECT_EQ(SpallValue(app, "TmEdit"), 1336);
  EXPECT_EQ(SpallValue(app, "sigma_mEdit"), 500);
  // sigma0 follows sigma_m as leaving the field derives it: sigma_m/(1 - Tm/Tc)^1.25.
  EXPECT_NEAR(SpallValue(app, "sigma0Edit"), 500 / std::pow(1 - 1336.0L / 7764, 1.25L), 1e-9L);

  ASSERT_TRUE(app.thermParam.ShowPage("Ag1"));
  const ElChoiceResult ag = app.thermParam.ChooseMaterial(std::string_view("Ag1"));
  ASSERT_TRUE(ag);
  app.ApplyElectronChoice(ag);
  EXPECT_EQ(app.spallation.Material(), SpallMaterialIndex("Ag"));
}

// A refused choice sets nothing anywhere.
TEST(ElectronChoice, ARefusedChoiceSetsNothing) {
  ScriptedPrompter p;
  AppModel app(p);
  const int32_t before = app.spallation.Material();
  const Real Tc = SpallValue(app, "TcEdit");
  ElChoiceResult r = app.thermParam.ChooseMaterial(99);
  ASSERT_FALSE(r);
  app.ApplyElectronChoice(r);
  EXPECT_EQ(app.spallation.Material(), before);
  EXPECT_EQ(SpallValue(app, "TcEdit"), Tc);
}

// A table set whose phase codes and mixture fractions are known cell by cell: solid below
// 1000 K, solid+liquid to 2000 K (mixture 0.25), liquid above; the density does not matter.
std::shared_ptr<TEosTableSet> PhasedTable() {
  const RealArray T = testing::Linspace(300, 5300, 11);  // 500 K steps
  const RealArray rho = testing::Linspace(10, 20, 6);
  auto set = testing::MakeTableSet(
      T, rho, [](Real r, Real t) { return r * t * 1e-3L; }, [](Real, Real t) { return 1e-3L * t; });
  set->PhaseId.resize(set->Cells());
  set->PhaseMix.resize(set->Cells());
  for (int32_t i = 0; i < set->NT(); ++i) {
    const Real t = set->TGrid()[static_cast<size_t>(i)];
    for (int32_t j = 0; j < set->NV(); ++j) {
      set->PhaseId[set->Index(i, j)] = t < 1000 ? 1 : t < 2000 ? 2 : 3;
      set->PhaseMix[set->Index(i, j)] = t < 1000 ? 1 : t < 2000 ? Real(0.25) : 0;
    }
  }
  return set;
}

// The electron models of a session see the phase of the film's equation of state in force:
// none before a model, the table's code and mixture after a table set, and an analytic
// model's own phase code after it replaces the table.
TEST(FilmPhaseOfTheSession, FollowsTheFilmsEquationOfState) {
  ScriptedPrompter p;
  Session s(p);
  const FilmPhaseSource* src = &s.electron.FilmPhase;
  EXPECT_EQ(ReducedPhase(src, 15, 500), 0);
  EXPECT_FALSE(FilmTabulated(src));

  const EosModelInfo* table = FindEosModel("table");
  ASSERT_NE(table, nullptr);
  EosBindOptions options;
  options.table = PhasedTable();
  std::vector<Real> tableValues(table->params.size());
  EosDefaultValues(*table, nullptr, tableValues);
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *table, tableValues, options));
  EXPECT_TRUE(FilmTabulated(src));
  EXPECT_EQ(ReducedPhase(src, 15, 600), 1);
  EXPECT_EQ(ReducedPhase(src, 15, 1600), 2);
  EXPECT_EQ(MixtureFraction(src, 15, 1600), Real(0.25));
  EXPECT_EQ(ReducedPhase(src, 15, 4000), 3);

  // Water2MG has phase codes of its own (ice, water, vapour).
  const EosModelInfo* water = FindEosModel("water2mg");
  ASSERT_NE(water, nullptr);
  std::vector<Real> waterValues(water->params.size());
  EosDefaultValues(*water, nullptr, waterValues);
  ASSERT_TRUE(BindEos(s.eos, EosMedium::Film, *water, waterValues));
  EXPECT_FALSE(FilmTabulated(src));
  for (const Real T : {Real(250), Real(350), Real(2000)}) {
    EXPECT_EQ(src->Code(1, T), s.eos.FilmEos.PhaseId(1, T)) << static_cast<double>(T);
  }
}

}  // namespace
}  // namespace tarvex
