// Loading and saving table sets and the "StatEquation Tables" dialog: the generated and
// the read grids, required and optional tables with their questions, refusals that keep
// the set in use, pages with the shared selection, editing, saving, and the table
// writer's sets read back to the digits written.
#include "core/eos/TableDialog.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "core/eos/EosTableIO.h"
#include "core/eos/EosTableLookup.h"
#include "core/eos/EosTableWriter.h"
#include "support/EosTableFixture.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

using testing::TempDir;
using testing::WriteText;

double D(Real v) {
  return static_cast<double>(v);
}

std::string Description(int32_t NT, int32_t NV, const std::string& tUnit = "kK") {
  return "Test table set\r\n"
         "material 1\r\n"
         "0.3    initial temperature\r\n"
         "1.5 [" +
         tUnit +
         "]    final temperature\r\n"
         "0.1    initial volume\r\n"
         "0.2 [cm3/g]    final volume\r\n" +
         std::to_string(NT) + "\r\n" + std::to_string(NV) + "\r\n0\r\n0\r\n";
}

// NT rows of NV values: row i, column j holds base + 10 i + j.
std::string Table(int32_t NT, int32_t NV, Real base) {
  std::string s;
  for (int32_t i = 0; i < NT; ++i) {
    for (int32_t j = 0; j < NV; ++j) {
      s += ' ';
      s += TableValueFormat().FormatValue(base + 10 * i + j);
    }
    s += "\r\n";
  }
  return s;
}

// A folder with the description "set.man", the pressure and energy tables and `extra`
// further files (name -> content).
std::filesystem::path MakeFolder(const TempDir& dir, int32_t NT, int32_t NV,
                                 const std::map<std::string, std::string>& extra = {},
                                 bool pressure = true, bool energy = true) {
  const std::filesystem::path folder = dir.Path() / "set";
  std::filesystem::create_directories(folder);
  WriteText(folder / "set.man", Description(NT, NV));
  if (pressure) WriteText(folder / "Pressu.tab", Table(NT, NV, 1));
  if (energy) WriteText(folder / "Energy.tab", Table(NT, NV, 0.5L));
  for (const auto& [name, content] : extra) WriteText(folder / name, content);
  return folder / "set.man";
}

TEST(TableLoad, KiloKelvinDescriptionWithoutGridFiles) {
  TempDir dir;
  ScriptedPrompter prompter;
  const TEosTableLoad load = LoadEosTableSet(MakeFolder(dir, 5, 4), prompter);
  ASSERT_TRUE(load.ok) << load.message;
  const RealArray& T = load.set->TGrid();
  const Real expected[] = {300, 600, 900, 1200, 1500};
  ASSERT_EQ(T.size(), 5u);
  for (size_t i = 0; i < 5; ++i) EXPECT_NEAR(D(T[i]), D(expected[i]), 1e-12);
  EXPECT_NEAR(D(load.set->RhoGrid()[0]), 10, 1e-15);
  EXPECT_EQ(load.set->Pressure[load.set->Index(4, 3)], 1 + 40 + 3);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(load.set->label, "set");
}

TEST(TableLoad, GridFilesReplaceTheGeneratedGrids) {
  TempDir dir;
  ScriptedPrompter prompter;
  // A zero in "temper.in" is skipped: two temperatures, in kK as the description says.
  const auto man =
      MakeFolder(dir, 2, 3, {{"temper.in", "0 0.3 0.6"}, {"volume.in", "0.1\n0.15 0.3\n"}});
  const TEosTableLoad load = LoadEosTableSet(man, prompter);
  ASSERT_TRUE(load.ok) << load.message;
  EXPECT_EQ(load.set->NT(), 2);
  EXPECT_NEAR(D(load.set->TGrid()[1]), 600, 1e-12);
  EXPECT_EQ(load.set->VGrid()[2], 0.3L);  // volumes are not multiplied
  EXPECT_EQ(load.set->description.NT, 2);
  EXPECT_EQ(load.set->description.TGridLabel, "Lin");
}

TEST(TableLoad, RefusalsSayWhyAndNameTheFile) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> extra;
    bool pressure, energy;
    const char* expected;
  };
  const Case cases[] = {
      {"no pressure table", {}, false, true, "No pressure table"},
      {"no energy table", {}, true, false, "No energy table"},
      {"truncated pressure",
       {{"Pressu.tab", "1 2 3\n4"}},
       true,
       true,
       "Pressu.tab:2: the file ends inside row 2"},
      {"temperatures fall",
       {{"temper.in", "0.6 0.3"}},
       true,
       true,
       "the temperatures must increase"},
      {"word in the grid",
       {{"volume.in", "0.1 0.2 abc"}},
       true,
       true,
       "volume.in:1: \"abc\" is not a number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    ScriptedPrompter prompter;
    const auto man = MakeFolder(dir, 3, 3, {}, c.pressure, c.energy);
    for (const auto& [name, content] : c.extra) WriteText(man.parent_path() / name, content);
    const TEosTableLoad load = LoadEosTableSet(man, prompter);
    EXPECT_FALSE(load.ok);
    EXPECT_FALSE(load.set);
    EXPECT_NE(load.message.find(c.expected), std::string::npos) << load.message;
  }
  TempDir dir;
  ScriptedPrompter prompter;
  EXPECT_NE(
      LoadEosTableSet(dir.Path() / "nowhere" / "set.man", prompter).message.find("no such file"),
      std::string::npos);
  EXPECT_NE(LoadEosTableSet(dir.Path(), prompter).message.find("not a regular file"),
            std::string::npos);
  // A huge grid in the description is refused before anything is allocated.
  const auto man = MakeFolder(dir, 2000000000, 3, {}, false, false);
  EXPECT_NE(LoadEosTableSet(man, prompter).message.find("100000"), std::string::npos);
}

TEST(TableLoad, OptionalTablesAreAskedForInOrderAndCancelEndsTheQuestions) {
  TempDir dir;
  const std::map<std::string, std::string> extra = {
      {"physid.tab", " 1 1 3\n"},        {"PhsMix.tab", Table(3, 3, 0)},
      {"hcapav.tab", Table(3, 3, 0.1L)}, {"sndvls.tab", Table(3, 3, 2)},
      {"entrop.tab", Table(3, 3, 3)},    {"Frener.tab", Table(3, 3, 4)},
      {"extra.tab", Table(3, 3, 5)},     {"notes.txt", "not a table"}};
  const auto man = MakeFolder(dir, 3, 3, extra);
  {
    ScriptedPrompter prompter;
    prompter.Script("Load isochoric heat capacity table?", Answer::Yes);
    prompter.Script("Load adiabatic sound velocity table?", Answer::No);
    prompter.Script("Load entropy table?", Answer::Cancel);
    const TEosTableLoad load = LoadEosTableSet(man, prompter);
    ASSERT_TRUE(load.ok) << load.message;
    ASSERT_EQ(prompter.asked.size(), 3u);
    EXPECT_EQ(prompter.asked[2].text, "Load entropy table?");
    EXPECT_EQ(load.set->PhaseId.size(), 9u);  // the short code table repeats its row
    EXPECT_EQ(load.set->PhaseId[8], 3);
    EXPECT_FALSE(load.set->PhaseMix.empty());
    EXPECT_FALSE(load.set->HeatCapacity.empty());
    EXPECT_TRUE(load.set->SoundVelocity.empty());
    EXPECT_TRUE(load.set->Others.empty());
  }
  ScriptedPrompter prompter;
  for (const char* q :
       {"Load isochoric heat capacity table?", "Load adiabatic sound velocity table?",
        "Load entropy table?", "Load Gibbs free energy table?", "Load extra table?"}) {
    prompter.Script(q, Answer::Yes);
  }
  const TEosTableLoad load = LoadEosTableSet(man, prompter);
  ASSERT_TRUE(load.ok) << load.message;
  ASSERT_EQ(prompter.asked.size(), 5u);
  EXPECT_EQ(prompter.asked[3].text, "Load Gibbs free energy table?");
  EXPECT_EQ(prompter.asked[4].text, "Load extra table?");
  ASSERT_EQ(load.set->Others.size(), 3u);
  EXPECT_EQ(load.set->Others[2].caption, "&extra");
}

TEST(TableLoad, TableNamesInAnyCase) {
  TempDir dir;
  const auto man = MakeFolder(dir, 2, 2, {}, false, false);
  WriteText(man.parent_path() / "pressu.tab", Table(2, 2, 1));
  WriteText(man.parent_path() / "ENERGY.TAB", Table(2, 2, 1));
  ScriptedPrompter prompter;
  EXPECT_TRUE(LoadEosTableSet(man, prompter).ok);
}

TEST(TableDialog, StepsButtonsAndAFailedLoadThatKeepsTheSetInUse) {
  TempDir dir;
  ScriptedPrompter prompter;
  TStatEqTables dialog;
  EXPECT_TRUE(dialog.Visible("&Load File"));
  EXPECT_FALSE(dialog.Visible("&Continue"));
  EXPECT_FALSE(dialog.Ok());
  prompter.ScriptFile(MakeFolder(dir, 3, 3).string());
  ASSERT_TRUE(dialog.LoadFile(prompter));
  EXPECT_FALSE(dialog.Visible("&Load File"));
  EXPECT_TRUE(dialog.Visible("&Continue"));
  EXPECT_EQ(dialog.Memo().front(), "Test table set");
  EXPECT_EQ(dialog.Label1(), "set");
  EXPECT_EQ(dialog.Fields().T_dim, "K");
  EXPECT_EQ(dialog.Fields().R_ini, "10");
  ASSERT_TRUE(dialog.Continue(prompter));
  EXPECT_TRUE(dialog.Visible("OK"));
  const auto inUse = dialog.Table();
  ASSERT_TRUE(inUse);
  EXPECT_EQ(dialog.TableLabel(), "set");
  EXPECT_EQ(dialog.Extremes().size(), 2u);

  // A second folder without its energy table: refused, the first set stays in use.
  TempDir other;
  const auto bad = MakeFolder(other, 3, 3, {}, true, false);
  ASSERT_TRUE(dialog.LoadDescription(bad));
  const TTablesResult r = dialog.Continue(prompter);
  EXPECT_FALSE(r);
  EXPECT_EQ(dialog.Memo().back(), "No energy table");
  EXPECT_FALSE(dialog.Visible("&Continue"));
  EXPECT_FALSE(dialog.Visible("OK"));
  EXPECT_TRUE(dialog.Visible("ReSet"));
  EXPECT_EQ(dialog.Table(), inUse);
  EXPECT_FALSE(dialog.Ok());
  dialog.ReSet();
  EXPECT_EQ(dialog.GetResult(), TStatEqTables::Result::Retry);
}

TEST(TableDialog, PagesSharedSelectionAndEdits) {
  TempDir dir;
  ScriptedPrompter prompter;
  TStatEqTables dialog;
  ASSERT_TRUE(
      dialog.LoadDescription(MakeFolder(dir, 3, 2, {{"physid.tab", " 1 3\n 3 5\n 5 5\n"}})));
  ASSERT_TRUE(dialog.Continue(prompter));
  ASSERT_EQ(dialog.PageCount(), 4);
  EXPECT_EQ(dialog.PageAt(1).caption, "&Pressu");
  EXPECT_EQ(dialog.PageAt(3).caption, "Phys&Id");
  EXPECT_EQ(dialog.RowCount(1), 5);
  EXPECT_EQ(dialog.ColCount(1), 3);
  EXPECT_EQ(dialog.Cell(1, 0, 0), "     \\rho");
  EXPECT_EQ(dialog.Cell(1, 1, 0), "T \\ P \\ V");
  EXPECT_EQ(dialog.Cell(1, 0, 1), "             10");
  EXPECT_EQ(dialog.Cell(1, 2, 0), "            300");
  EXPECT_EQ(dialog.Cell(1, 3, 2), "             12");
  EXPECT_EQ(dialog.Cell(3, 2, 2), " L");
  dialog.Select(3, 2);
  EXPECT_EQ(dialog.SelectedRow(), 3);  // one selection for every page

  EXPECT_FALSE(dialog.SetCell(1, 2, 1, "7"));  // not before "&Edit"
  dialog.Edit();
  EXPECT_TRUE(dialog.Visible("&Save"));
  EXPECT_FALSE(dialog.SetCell(1, 0, 1, "7"));  // the grid is not a value cell
  EXPECT_FALSE(dialog.SetCell(1, 2, 1, "seven"));
  EXPECT_FALSE(dialog.SetCell(3, 2, 1, "xyz"));
  const auto before = dialog.Table();
  ASSERT_TRUE(dialog.SetCell(1, 2, 1, "7.5"));
  ASSERT_TRUE(dialog.SetCell(3, 2, 1, "mLG"));
  EXPECT_EQ(dialog.Cell(1, 2, 1), "            7.5");
  EXPECT_EQ(dialog.Cell(3, 2, 1), "mLG");
  EXPECT_EQ(dialog.Table(), before);  // edits are in use only after OK
  EXPECT_EQ(before->Pressure[0], 1);
  ASSERT_TRUE(dialog.Ok());
  EXPECT_NE(dialog.Table(), before);
  EXPECT_EQ(dialog.Table()->Pressure[0], Real(7.5));
  EXPECT_EQ(dialog.Table()->PhaseId[0], -4);
  EXPECT_EQ(before->Pressure[0], 1);  // slots bound to the earlier set see no change

  ASSERT_TRUE(dialog.SetCell(1, 2, 1, "9"));
  dialog.Cancel();  // drops the edit
  EXPECT_EQ(dialog.Cell(1, 2, 1), "            7.5");
}

TEST(TableDialog, SaveAsksWritesAndTheSavedSetLoadsBack) {
  TempDir dir;
  ScriptedPrompter prompter;
  TStatEqTables dialog;
  ASSERT_TRUE(dialog.LoadDescription(MakeFolder(dir, 3, 3,
                                                {{"hcapav.tab", Table(3, 3, 0.2L)},
                                                 {"entrop.tab", Table(3, 3, 9)},
                                                 {"physid.tab", "1 2 3"}})));
  prompter.Script("Load isochoric heat capacity table?", Answer::Yes);
  prompter.Script("Load entropy table?", Answer::Yes);
  ASSERT_TRUE(dialog.Continue(prompter));
  EXPECT_EQ(dialog.Extremes().size(), 3u);
  dialog.Edit();
  ASSERT_TRUE(dialog.SetCell(2, 2, 1, "-0.125"));
  const std::filesystem::path out = dir.Path() / "saved" / "copy";
  prompter.ScriptFile(out.string());
  prompter.Script("Save heat capacity?", Answer::No);
  prompter.Script("Save entropy?", Answer::Yes);
  ASSERT_TRUE(dialog.Save(prompter));
  ASSERT_FALSE(prompter.informed.empty());
  EXPECT_EQ(prompter.informed.back(), "Saved: temper, volume, pressu, energy, physid, entrop");
  EXPECT_TRUE(std::filesystem::exists(dir.Path() / "saved" / "copy.man"));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "saved" / "hcapav.tab"));

  // The saved set loads to the same grid (the temperatures in the description's kK).
  ScriptedPrompter again;
  again.Script("Load entropy table?", Answer::Yes);
  const TEosTableLoad load = LoadEosTableSet(dir.Path() / "saved" / "copy.man", again);
  ASSERT_TRUE(load.ok) << load.message;
  EXPECT_EQ(load.set->TGrid(), dialog.Table()->TGrid());
  EXPECT_EQ(load.set->VGrid(), dialog.Table()->VGrid());
  EXPECT_EQ(load.set->Energy[0], Real(-0.125));
  EXPECT_EQ(load.set->PhaseId, dialog.Table()->PhaseId);
  ASSERT_EQ(load.set->Others.size(), 1u);
}

Real SolidE(const void*, Real rho, Real T) {
  return testing::SmoothSolid::E(rho, T);
}
Real SolidP(const void*, Real rho, Real T) {
  return testing::SmoothSolid::P(rho, T);
}
Real SolidCv(const void*, Real rho, Real T) {
  return testing::SmoothSolid::Cv(rho, T);
}
int32_t SolidPhase(const void*, Real rho, Real T) {
  return T > 1500 ? (rho > 10 ? -2 : 3) : 1;
}

TEST(TableWriter, GeneratedSetReadsBackToTheDigitsWritten) {
  TempDir dir;
  TEosTableGrid grid;
  std::string message;
  ASSERT_TRUE(MakeEosTableGrid(300, 3000, 25, false, 8.5L, 12, 20, true, grid, message)) << message;
  grid.kK = true;
  TEosTableModel model;
  model.E = {SolidE, nullptr};
  model.P = {SolidP, nullptr};
  model.Cv = {SolidCv, nullptr};
  model.PhaseId = {SolidPhase, nullptr};
  const TEosTableWrite w = WriteEosTable(model, grid, "Generated by the writer test",
                                         "smooth solid", dir.Path() / "gen");
  ASSERT_TRUE(w.ok) << w.message;
  ScriptedPrompter prompter;
  prompter.Script("Load isochoric heat capacity table?", Answer::Yes);
  const TEosTableLoad load = LoadEosTableSet(dir.Path() / "gen" / "data.man", prompter);
  ASSERT_TRUE(load.ok) << load.message;
  const TEosTableSet& a = *w.set;
  const TEosTableSet& b = *load.set;
  EXPECT_EQ(b.description.lines.front(), "Generated by the writer test");
  EXPECT_EQ(b.description.Material, "1 smooth solid");
  EXPECT_EQ(b.description.TUnit, "K");
  EXPECT_EQ(b.TGrid(), a.TGrid());
  EXPECT_EQ(b.VGrid(), a.VGrid());
  EXPECT_EQ(b.PhaseId, a.PhaseId);
  const TNumStringFormat f = TableValueFormat();
  const auto written = [&f](Real v) {
    Real x = 0;
    f.Parse(f.FormatValue(v), x);
    return x;
  };
  for (size_t k = 0; k < a.Cells(); ++k) {
    ASSERT_EQ(b.Pressure[k], written(a.Pressure[k])) << k;
    ASSERT_EQ(b.Energy[k], written(a.Energy[k])) << k;
    ASSERT_EQ(b.HeatCapacity[k], written(a.HeatCapacity[k])) << k;
  }
  // The generated table describes the model: Cv from the table in kJ/g/K.
  TEosTableParams p;
  ASSERT_TRUE(BindTableParams(p, load.set));
  EXPECT_NEAR(D(TableCv(p, 9, 1000)), D(testing::SmoothSolid::Cv(9, 1000)), 1e-8);
  EXPECT_EQ(TablePhaseId(p, 11, 2900), -2);
}

TEST(TableWriter, RefusesWhatCannotBeWritten) {
  TEosTableGrid grid;
  std::string message;
  ASSERT_TRUE(MakeEosTableGrid(300, 600, 4, false, 1, 2, 3, false, grid, message));
  TEosTableModel model;
  model.E = {SolidE, nullptr};
  EXPECT_FALSE(TabulateEos(model, grid, "t", "m").ok);  // no pressure function
  model.P = {[](const void*, Real, Real T) { return T > 500 ? Real(1) / 0.0L : T; }, nullptr};
  const TEosTableWrite w = TabulateEos(model, grid, "t", "m");
  EXPECT_FALSE(w.ok);
  EXPECT_NE(w.message.find("no finite value at rho = "), std::string::npos) << w.message;
  model.P = {SolidP, nullptr};
  model.PhaseId = {[](const void*, Real, Real) { return int32_t{150}; }, nullptr};
  EXPECT_NE(TabulateEos(model, grid, "t", "m").message.find("does not fit"), std::string::npos);
  EXPECT_FALSE(MakeEosTableGrid(300, 600, 4, false, 0, 2, 3, false, grid, message));
}

}  // namespace
}  // namespace tarvex
