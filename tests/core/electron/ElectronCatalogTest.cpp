// The electron-model catalog: the pages in the dialog's order, the material list and its
// pages, and presets whose steps name fields the page has.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "core/electron/ElectronCatalog.h"
#include "core/electron/Materials.h"

namespace tarvex {
namespace {

TEST(ElectronCatalog, PagesInTheDialogsOrder) {
  const char* captions[] = {"Constant", "Simple metall", "Noble Metall", "TransMetall", "NoMetall",
                            "Ta",       "NewAu",         "Au1",          "Ag1",         "Ru",
                            "Mo",       "Rextr",         "Met_kab",      "Spline"};
  const auto pages = ElectronPages();
  ASSERT_EQ(pages.size(), std::size(captions));
  std::set<std::string> ids;
  for (size_t i = 0; i < pages.size(); ++i) {
    EXPECT_EQ(pages[i].index, static_cast<int32_t>(i));
    EXPECT_STREQ(pages[i].caption, captions[i]);
    EXPECT_TRUE(ids.insert(pages[i].id).second) << pages[i].id;
    EXPECT_EQ(FindElectronPage(pages[i].id), &pages[i]);
    if (pages[i].frameClass != nullptr) {
      EXPECT_NE(FindElectronFrame(pages[i].frameClass), nullptr) << pages[i].frameClass;
    }
  }
}

TEST(ElectronCatalog, EveryMaterialHasItsPageAndEveryPresetItsMaterial) {
  const char* names[] = {"Al",  "Au",  "Ni", "LiF", "Fe", "Ta", "NAu",
                         "Au1", "Ag1", "Ru", "Mo",  "Ti", "Sn", "Spline"};
  ASSERT_EQ(kMaterials.size(), std::size(names));
  for (size_t i = 0; i < kMaterials.size(); ++i) {
    EXPECT_STREQ(kMaterials[i].name, names[i]);
    const ElPageInfo* page = FindElectronPage(kMaterials[i].page);
    ASSERT_NE(page, nullptr) << kMaterials[i].page;
  }
  for (const ElPageInfo& page : ElectronPages()) {
    for (const ElPresetInfo& preset : page.presets) {
      ASSERT_GE(preset.materialIndex, 0);
      // A preset is the metal of its Materials entry (Ag of "Metals" is the Ag1 metal).
      EXPECT_EQ(std::string(kMaterials[static_cast<size_t>(preset.materialIndex)].name)
                    .substr(0, std::string(preset.material).size()),
                preset.material);
    }
  }
}

TEST(ElectronCatalog, PresetStepsNameInputFieldsOfTheirPage) {
  for (const ElPageInfo& page : ElectronPages()) {
    const auto params = PageParams(page);
    std::set<std::string> names;
    for (const ElParamInfo& p : params) {
      EXPECT_TRUE(names.insert(p.name).second) << page.caption << ": " << p.name << " twice";
      if (p.role == ElFieldRole::Input && page.Available()) {
        // A default is either valid or the 0 of a value the user has to give.
        EXPECT_TRUE(ElParamValid(p, p.defaultValue) || p.defaultValue == 0)
            << page.caption << ": " << p.name;
      }
    }
    std::set<std::string> checks;
    for (const ElCheckInfo& c : PageChecks(page)) checks.insert(c.name);
    for (const ElPresetInfo& preset : page.presets) {
      for (const ElPresetStep& step : preset.steps) {
        // A Check step names a check box of the page, every other step a field.
        ASSERT_TRUE(step.op == ElPresetOp::Check ? checks.count(step.field) > 0
                                                 : names.count(step.field) > 0)
            << page.caption << " " << preset.material << ": " << step.field;
      }
    }
  }
}

TEST(ElectronCatalog, FrameChainPutsInheritedFieldsFirstAndRedeclaresInPlace) {
  const auto params = PageParams(*FindElectronPage("TransMetall"));
  ASSERT_GE(params.size(), 12u);
  EXPECT_STREQ(params[0].name, "NatEdit");
  EXPECT_STREQ(params[1].name, "rhoEdit");
  EXPECT_STREQ(params[2].name, "mEdit");
  EXPECT_STREQ(params[3].name, "ZEdit");
  auto role = [&](const char* name) {
    for (const ElParamInfo& p : params) {
      if (std::string(p.name) == name) return p.role;
    }
    return ElFieldRole::Unused;
  };
  // The transition-metal frame reads its own gamma where the others show one.
  EXPECT_EQ(role("gEdit"), ElFieldRole::Input);
  EXPECT_EQ(role("rho_mdEdit"), ElFieldRole::Display);
  const auto noble = PageParams(*FindElectronPage("Noble Metall"));
  const auto al = std::find_if(noble.begin(), noble.end(), [](const ElParamInfo& p) {
    return std::string(p.name) == "alEdit";
  });
  ASSERT_NE(al, noble.end());
  EXPECT_EQ(al->defaultValue, 4);  // gold's k_al in the alpha field
}

}  // namespace
}  // namespace tarvex
