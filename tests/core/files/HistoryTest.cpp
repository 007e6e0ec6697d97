// The time history: header and legend of every layout, the record of hand-made states
// (surface behind a rarefied tail, skin averages, the deepest gap), and the rules that keep
// earlier records: no recreation of a history that cannot be appended to, a history of
// another layout kept under a free name, no record written twice after a restart.
#include "core/files/History.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/common/NumStringFormat.h"
#include "core/files/SaveOptions.h"
#include "core/run/IntegralValues.h"
#include "core/run/MainForm.h"
#include "core/run/ResultsTable.h"
#include "support/FilesFixture.h"
#include "support/HydroFixture.h"
#include "support/ThermalFixture.h"
#include "support/TwoTempFixture.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

std::vector<std::string> Split(const std::string& line, char sep = '\t') {
  std::vector<std::string> out;
  std::string field;
  std::istringstream in(line);
  while (std::getline(in, field, sep)) out.push_back(field);
  return out;
}

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(" \r\n") - a + 1);
}

// ---- layouts ------------------------------------------------------------------------------

TEST(History, NamedHeaderAndLegendOfAOneTemperatureFreeSurface) {
  HistoryLayout l;
  l.kind = HistoryKind::Named;
  l.timeUnit = "ps";
  l.lengthUnit = "nm";
  EXPECT_EQ(HistoryHeader(l),
            "time[ps]      \t          x[nm]\t       -v[km/s]\t       T[K] \t     rho[g/cm3]\t"
            "   r_1-rho/rho0\t PhaseId\t       Lx0-x_g[nm]\t    Lx0-x0g[nm]\t    x_sm0-x_sm[nm]\t"
            "    -v_sm[km/s]\t   T_sm[K]  \t     rho[g/cm3]\t   r_1-rho/rho0\r\n");
  EXPECT_EQ(HistoryLegend(l),
            " 1 A\tCurrent time\r\n"
            " 2 B\tCondenced matter surface position relative to initial surface\r\n"
            " 3 C\tVelocity on condenced matter surface\r\n"
            " 4 D\tTemperature - \"\" -\r\n"
            " 5 E\tDencity - \"\" -\r\n"
            " 6 F\t - 1-Dencity/initional\r\n"
            " 7 G\tPhaseId - \"\" -\r\n"
            " 8 H\tDeepest gap position relative to the initial surface of material\t"
            "(crater depth)\r\n"
            " 9 I\t - \"\" - in initial (Lagrangian) coordinates\r\n"
            "10 J\tCoordinate averaged over condensed substance to thickness of skin\r\n"
            "11 K\tVelocity - \"\" - \r\n"
            "12 L\tTemperature - \"\" - \r\n"
            "13 M\tDencity - \"\" - \r\n"
            "14 N\t - 1-Dencity/initional\r\n");
}

// Titles of every layout case, in header order (padding trimmed); the legend has one line
// per column after the time.
TEST(History, ColumnsOfEveryLayout) {
  struct Case {
    HistoryKind kind;
    bool twoT, frozen, right;
    int32_t InGlass;
    std::string titles;  // "|"-separated, trimmed
  };
  const std::string surf1T = "x[nm]|-v[km/s]|T[K]|rho[g/cm3]|r_1-rho/rho0|PhaseId|";
  const std::string surf2T = "x[nm]|-v[km/s]|Ti[K]|Te[K]|rho[g/cm3]|r_1-rho/rho0|PhaseId|";
  const std::string gap = "Lx0-x_g[nm]|Lx0-x0g[nm]|x_sm0-x_sm[nm]|-v_sm[km/s]|";
  const Case cases[] = {
      {HistoryKind::Named, false, false, true, 0, surf1T + gap + "T_sm[K]|rho[g/cm3]|r_1-rho/rho0"},
      {HistoryKind::Named, true, false, true, 0,
       surf2T + gap + "Ti_sm[K]|Te_sm[K]|rho[g/cm3]|r_1-rho/rho0"},
      {HistoryKind::Named, false, false, false, 0,
       "x[nm]|v[km/s]|p[GPa]|T[K]|rho[g/cm3]|r_1-rho/rho0|PhaseId|" + gap +
           "T_sm[K]|rho[g/cm3]|r_1-rho/rho0"},
      {HistoryKind::Named, true, false, true, 5,
       surf2T + gap +
           "Ti_sm[K]|Te_sm[K]|rho[g/cm3]|r_1-rho/rho0|v_gl-f[km/s]|x_gl-f[nm]|d_gl-f[nm]|"
           "v_f_sg[km/c]|v_f_m[km/s]|P_gl-f[GPa]|Pi[GPA]|Pe[GPa]|Ti[K]|Te[K]|rho[g/cm3]|PhaseId"},
      {HistoryKind::Named, false, false, true, -5,
       surf1T + gap +
           "T_sm[K]|rho[g/cm3]|r_1-rho/rho0|v_gl-f[km/s]|x_gl-f[nm]|d_gl-f[nm]|v_f_sg[km/c]|"
           "P_gl-f[GPa]|T[K]|rho[g/cm3]|PhaseId"},
      {HistoryKind::Named, true, true, true, 0, "rho[g/cm3]|Ti[K]|Te[K]|PhaseId|Ti_sm[K]|Te_sm[K]"},
      {HistoryKind::Named, false, true, true, 5,
       "rho[g/cm3]|T[K]|PhaseId|T_sm[K]|x_gl-f[nm]|T[K]|PhaseId"},
      {HistoryKind::Named, true, true, true, -5,
       "rho[g/cm3]|Ti[K]|Te[K]|PhaseId|Ti_sm[K]|Te_sm[K]|x_gl-f[nm]|Ti[K]|Te[K]|PhaseId"},
      {HistoryKind::Short, false, false, true, 0,
       "Lx0-x|-v|T|rho|r_1-rho/rho0|PhaseId|Lx0-x_g|Lx0-x0g|x_sm0-x_sm|-v_sm|T_sm|rho_sm|"
       "rho[/rho0]"},
      {HistoryKind::Short, true, false, true, 5,
       "Lx0-x|-v|Ti|Te|rho|r_1-rho/rho0|PhaseId|Lx0-x_g|Lx0-x0g|x_sm0-x_sm|-v_sm|Ti_sm|Te_sm|"
       "rho_sm|rho[/rho0]|v_gl-fs|x_gl-f|d_gl-f|v_f_sg|v_f_m|P_gl-f|Pi|Pe|Ti|Te|rho|PhaseId|"},
  };
  for (const Case& c : cases) {
    HistoryLayout l;
    l.kind = c.kind;
    l.lengthUnit = "nm";
    l.twoT = c.twoT;
    l.frozen = c.frozen;
    l.rightSurface = c.right;
    l.InGlass = c.InGlass;
    const std::string header = HistoryHeader(l);
    ASSERT_GE(header.size(), 2u);
    EXPECT_EQ(header.substr(header.size() - 2), "\r\n");
    std::vector<std::string> fields = Split(header.substr(0, header.size() - 2));
    // A closing TAB leaves an empty last field.
    if (!header.empty() && header[header.size() - 3] == '\t') fields.push_back("");
    EXPECT_EQ(Trim(fields[0]), "time[]");
    std::string titles;
    for (size_t k = 1; k < fields.size(); ++k) {
      if (k > 1) titles.push_back('|');
      titles.append(Trim(fields[k]));
    }
    EXPECT_EQ(titles, c.titles) << "case " << (&c - cases);
    const std::string legend = HistoryLegend(l);
    if (c.kind == HistoryKind::Named) {
      // One legend line per column, the time's included.
      EXPECT_EQ(Split(legend, '\n').size(), fields.size()) << "case " << (&c - cases);
    } else {
      EXPECT_EQ(legend, "");
    }
  }
}

TEST(History, XrcLayoutAndLegendLetters) {
  HistoryLayout l;
  l.kind = HistoryKind::Xrc;
  l.rhoCText = "0.9";
  EXPECT_EQ(HistoryHeader(l), "   time     x(rho = 0.9 ) - L\r\n");
  EXPECT_EQ(HistoryLegend(l), "");
  EXPECT_EQ(LegendLetters(1), "A");
  EXPECT_EQ(LegendLetters(26), "Z");
  EXPECT_EQ(LegendLetters(27), "a");
  EXPECT_EQ(LegendLetters(52), "z");
  EXPECT_EQ(LegendLetters(53), "BA");
}

TEST(History, PhaseLabels) {
  struct Case {
    PhaseCode code;
    const char* surface;
    const char* substrate;
  };
  const Case cases[] = {{-6, " mS+G-6", "  mS+G-6"},
                        {-1, " mSol-1", "  mSol-1"},
                        {0, "   Nn=0", "    Nn0"},
                        {1, "  Sol=1", "   Sol1"},
                        {5, "  Gas=5", "   Gas5"},
                        {7, " S:a+e7", "  S:a+e7"},
                        {8, "  S:e=8", "   S:e8"},
                        {9, " Se+L=9", "  Se+L9"},
                        {12, "12", "12"},
                        {-7, "-7", "-7"}};
  for (const Case& c : cases) {
    EXPECT_EQ(PhaseIdText(c.code, false), c.surface) << c.code;
    EXPECT_EQ(PhaseIdText(c.code, true), c.substrate) << c.code;
  }
}

// ---- the record -----------------------------------------------------------------------------

// A film of ideal gas, 20 cells over [0, 1], density 1, temperature 2, moving grid, in
// reduced units (the short layout). Cells hotter than 5 count as vapour when the test
// turns the predicate on.
struct RecordFixture : testing::SessionFixture {
  TMainForm form{s};
  TResultsTable table;
  TIntegralValues integrals;
  TSaveFileOptions options;
  static constexpr int32_t N = 20;
  static constexpr Real h0 = 0.05L;

  // `glass` substrate cells of the film's density, left of the film when positive, right
  // of it when negative; the interface at x = 0.
  explicit RecordFixture(int32_t glass = 0) {
    testing::UseIdealGas(s, 1.4L);
    s.sim.InGlass = glass;
    testing::UniformGrid(s, N, 1, 1, 2, 1, glass >= 0 ? -glass * h0 : -(N + glass) * h0);
    form.x1Edit.SetValue(1);
    form.Rho0.SetValue(1);
    for (Real& v : s.StateA->v) v = 0.3L;
  }
  void HotIsVapour() {
    s.eos.ActiveEos.HasVapour = PredSlot2{[](const void*, Real, Real T) { return T > 5; }, nullptr};
  }
  // Cells 17, 18, 19 rarefied to densities 4e-3, 2e-3, 1e-3 (and hot).
  void RarefiedTail() {
    THydrStat& A = *s.StateA;
    const Real rho[] = {4e-3L, 2e-3L, 1e-3L};
    for (int32_t k = 0; k < 3; ++k) {
      A.x[18 + k] = A.x[17 + k] + h0 / rho[k];
      A.T[17 + k] = 10;
    }
  }
  std::vector<std::string> Record() {
    table.Refresh(s, form);
    const HistorySources in{s, form, table, integrals, options, 0};
    const HistoryLayout l = HistoryLayoutOf(in);
    const std::string r = HistoryRecord(in, l);
    EXPECT_EQ(Split(HistoryHeader(l), '\t').size(), Split(r).size()) << r;
    return Split(r.substr(0, r.size() - 2));
  }
  static Real Num(const std::string& text) {
    Real v = 0;
    EXPECT_EQ(TNumStringFormat().Parse(Trim(text), v), TConvertStatus::Ok) << text;
    return v;
  }
};

TEST(History, SurfaceLiesBelowARarefiedTail) {
  for (bool predicate : {false, true}) {
    RecordFixture f;
    if (predicate) f.HotIsVapour();
    f.RarefiedTail();
    f.table.Refresh(f.s, f.form);
    const HistorySources in{f.s, f.form, f.table, f.integrals, f.options, 0};
    const HistorySurface surf = FindSurface(in, true);
    EXPECT_EQ(surf.node, 17) << "vapour predicate " << predicate;
    EXPECT_EQ(surf.cell, 16);
    const std::vector<std::string> r = f.Record();
    ASSERT_EQ(r.size(), 14u);
    // The surface receded by the three cells of the tail: 0.15 below the initial 1.
    EXPECT_NEAR(RecordFixture::Num(r[1]), 0.15, 1e-5);
    EXPECT_NEAR(RecordFixture::Num(r[2]), 0.3, 1e-6);  // velocity of node 17
    EXPECT_NEAR(RecordFixture::Num(r[3]), 2, 1e-6);    // temperature of cell 16
    EXPECT_NEAR(RecordFixture::Num(r[4]), 1, 1e-6);    // its density
    EXPECT_NEAR(RecordFixture::Num(r[5]), 0, 1e-6);    // 1 - rho / rho0
    // The skin layer below it is intact and shifted by the same amount.
    EXPECT_NEAR(RecordFixture::Num(r[9]), 0.15, 1e-5);
  }
}

// A left surface (the right end held at a fixed temperature behind a fixed wall): the same
// tail at the left end, searched from node 0 upwards.
TEST(History, LeftSurfaceLiesAboveARarefiedTail) {
  for (bool predicate : {false, true}) {
    RecordFixture f;
    if (predicate) f.HotIsVapour();
    f.s.bounds.KeepVL = true;
    f.s.closures.last = BoundClosure::Fixed;
    THydrStat& A = *f.s.StateA;
    const Real rho[] = {4e-3L, 2e-3L, 1e-3L};  // cells 2, 1, 0
    for (int32_t k = 0; k < 3; ++k) {
      A.x[2 - k] = A.x[3 - k] - RecordFixture::h0 / rho[k];
      A.T[2 - k] = 10;
    }
    f.table.Refresh(f.s, f.form);
    const HistorySources in{f.s, f.form, f.table, f.integrals, f.options, 0};
    ASSERT_FALSE(HistoryLayoutOf(in).rightSurface);
    const HistorySurface surf = FindSurface(in, false);
    EXPECT_EQ(surf.node, 3) << "vapour predicate " << predicate;
    EXPECT_EQ(surf.cell, 3);
    const std::vector<std::string> r = f.Record();
    ASSERT_EQ(r.size(), 15u);                             // v and p in place of -v
    EXPECT_NEAR(RecordFixture::Num(r[1]), 0.15, 1e-5);    // coordinate of node 3
    EXPECT_NEAR(RecordFixture::Num(r[3]), A.P[3], 1e-5);  // pressure of cell 3
    EXPECT_NEAR(RecordFixture::Num(r[4]), 2, 1e-6);
    // The skin layer above it moved inwards with it.
    EXPECT_NEAR(RecordFixture::Num(r[10]), 0.15, 1e-5);
  }
}

TEST(History, SkinAveragesOfAUniformFilmAreItsValues) {
  for (Real skin : {Real(0), Real(3e6)}) {  // the 10-cell minimum, and deeper than the film
    RecordFixture f;
    f.table.Refresh(f.s, f.form);
    const HistorySources in{f.s, f.form, f.table, f.integrals, f.options, skin};
    const HistoryLayout l = HistoryLayoutOf(in);
    ASSERT_EQ(l.kind, HistoryKind::Short);
    const std::string rec = HistoryRecord(in, l);
    const std::vector<std::string> r = Split(rec.substr(0, rec.size() - 2));
    ASSERT_EQ(r.size(), 14u);
    EXPECT_NEAR(RecordFixture::Num(r[1]), 0, 1e-6);     // surface where it started
    EXPECT_NEAR(RecordFixture::Num(r[9]), 0, 1e-6);     // x_sm0 - x_sm
    EXPECT_NEAR(RecordFixture::Num(r[10]), 0.3, 1e-6);  // mean velocity
    EXPECT_NEAR(RecordFixture::Num(r[11]), 2, 1e-6);    // mean temperature
    EXPECT_NEAR(RecordFixture::Num(r[12]), 1, 1e-6);    // mean density
    EXPECT_NEAR(RecordFixture::Num(r[13]), 0, 1e-6);
  }
}

TEST(History, DeepestGapIsTheFarSideOfAnInnerVapourLayer) {
  RecordFixture f;
  f.HotIsVapour();
  f.s.StateA->T[9] = 10;  // a vapour layer between x = 0.45 and 0.55
  f.s.StateA->T[10] = 10;
  const std::vector<std::string> r = f.Record();
  ASSERT_EQ(r.size(), 14u);
  EXPECT_NEAR(RecordFixture::Num(r[1]), 0, 1e-6);  // the surface stays at the end
  // The gap opens at x = 0.45, 0.55 below the initial surface, also in mass coordinates.
  EXPECT_NEAR(RecordFixture::Num(r[7]), 0.55, 1e-6);
  EXPECT_NEAR(RecordFixture::Num(r[8]), 0.55, 1e-6);
}

TEST(History, SubstrateOnTheLeftAddsTheInterfaceGroup) {
  RecordFixture f(5);  // cells 0..4 are substrate
  const std::vector<std::string> r = f.Record();
  // 14 surface columns, then v_gl-f, x_gl-f, d_gl-f, v_f_sg, v_f_m, P_gl-f, T, rho, PhaseId.
  ASSERT_EQ(r.size(), 23u);
  EXPECT_NEAR(RecordFixture::Num(r[14]), 0.3, 1e-6);  // substrate velocity
  EXPECT_NEAR(RecordFixture::Num(r[15]), 0, 1e-6);    // the interface has not moved
  EXPECT_NEAR(RecordFixture::Num(r[16]), 0, 1e-6);    // no gap between the layers
  EXPECT_NEAR(RecordFixture::Num(r[18]), 0.3, 1e-6);  // mass-weighted film velocity
  // Both cells at the interface hold the film's pressure, rho T (gamma - 1) / ... > 0.
  EXPECT_NEAR(RecordFixture::Num(r[19]), f.s.StateA->P[5], 1e-5 * f.s.StateA->P[5]);
  EXPECT_NEAR(RecordFixture::Num(r[20]), 2, 1e-6);
  EXPECT_NEAR(RecordFixture::Num(r[21]), 1, 1e-6);
}

TEST(History, SubstrateOnTheRightHasNoFilmMeanVelocity) {
  RecordFixture f(-5);  // cells 15..19 are substrate; the film ends at x = 0
  const std::vector<std::string> r = f.Record();
  // 14 surface columns, then v_gl-f, x_gl-f, d_gl-f, v_f_sg, P_gl-f, T, rho, PhaseId.
  ASSERT_EQ(r.size(), 22u);
  EXPECT_NEAR(RecordFixture::Num(r[1]), 0, 1e-6);  // the film's end has not moved
  EXPECT_NEAR(RecordFixture::Num(r[14]), 0.3, 1e-6);
  EXPECT_NEAR(RecordFixture::Num(r[15]), 0, 1e-6);
  EXPECT_NEAR(RecordFixture::Num(r[16]), 0, 1e-6);
  EXPECT_NEAR(RecordFixture::Num(r[18]), f.s.StateA->P[14], 1e-5 * f.s.StateA->P[14]);
  EXPECT_NEAR(RecordFixture::Num(r[19]), 2, 1e-6);
  EXPECT_NEAR(RecordFixture::Num(r[20]), 1, 1e-6);
}

// The two-temperature classes on a moving and on a frozen grid, with and without a
// substrate: a film at Ti = 300 K with electrons at 1000 K reports those temperatures at
// its surface, over its skin layer and at the interface, in as many fields as its header.
TEST(History, TwoTemperatureRecordsOfBothGrids) {
  struct Case {
    SolverClass cls;
    bool frozen;
    int32_t glass;
    size_t fields;
  };
  const Case cases[] = {{SolverClass::Hydro2T, false, 0, 16},
                        {SolverClass::Hydro2T, false, 4, 28},
                        {SolverClass::ThermState, true, 0, 7},
                        {SolverClass::ThermState, true, 4, 11}};
  for (const Case& c : cases) {
    testing::SessionFixture f;
    Session& s = f.s;
    testing::UseIdealGas(s, 1.4L);
    ASSERT_TRUE(BindIdealGasLeft(s.eos, 1.4L, 1));
    testing::BindConstantElectrons(s, {0.01L, 100, 0, 0});
    if (c.frozen) s.bounds.SetLeftMode(3);
    testing::ThermalLayers g;
    g.nSub = c.glass;
    g.nFilm = 20;
    ASSERT_TRUE(testing::ThermalGrid(
        s, g, [](Real) { return Real(300); }, c.cls));
    testing::SetElectronState(s, [](Real, Real) { return Real(1000); });
    TMainForm form{s};
    form.x1Edit.SetValue(1);
    form.Rho0.SetValue(1);
    TResultsTable table;
    table.Refresh(s, form);
    ASSERT_TRUE(table.TwoTemperature());
    TIntegralValues integrals;
    TSaveFileOptions options;
    const HistorySources in{s, form, table, integrals, options, 0};
    const HistoryLayout l = HistoryLayoutOf(in);
    EXPECT_EQ(l.frozen, c.frozen);
    const std::string rec = HistoryRecord(in, l);
    const std::vector<std::string> r = Split(rec.substr(0, rec.size() - 2));
    ASSERT_EQ(r.size(), c.fields) << rec;
    EXPECT_EQ(Split(HistoryHeader(l)).size(), Split(rec).size()) << rec;
    // Surface Ti and Te: after x and v on a moving grid, after the density text frozen.
    const size_t ti = c.frozen ? 2 : 3;
    EXPECT_NEAR(RecordFixture::Num(r[ti]), 300, 1e-3) << rec;
    EXPECT_NEAR(RecordFixture::Num(r[ti + 1]), 1000, 1e-3) << rec;
    // Skin means of Ti and Te.
    const size_t sm = c.frozen ? 5 : 12;
    EXPECT_NEAR(RecordFixture::Num(r[sm]), 300, 1e-3) << rec;
    EXPECT_NEAR(RecordFixture::Num(r[sm + 1]), 1000, 1e-3) << rec;
    if (c.glass > 0) {
      // The interface group ends with Ti, Te (, rho) and the phase.
      const size_t it = r.size() - (c.frozen ? 3 : 4);
      EXPECT_NEAR(RecordFixture::Num(r[it]), 300, 1e-3) << rec;
      EXPECT_NEAR(RecordFixture::Num(r[it + 1]), 1000, 1e-3) << rec;
    }
  }
}

// ---- keeping the records --------------------------------------------------------------------

struct AppendFixture {
  TempDir dir;
  TNumStringFormat fmt;
  std::string path = dir.File("Surf.dat");
  std::string legend = dir.File("Surf.txt");
  const std::string header = "time[]      \tx\r\n";
  HistoryAppendResult Append(const std::string& record, const std::string& h) {
    return AppendHistoryRecord(path, legend, h, " 1 A\tCurrent time\r\n", record, fmt);
  }
  HistoryAppendResult Append(const std::string& record) { return Append(record, header); }
};

TEST(History, CreatesOnceThenAppendsAndNeverRepeatsATime) {
  AppendFixture f;
  ASSERT_TRUE(f.Append("         1\t5\r\n").write);
  EXPECT_EQ(ReadFile(f.legend), " 1 A\tCurrent time\r\n");
  ASSERT_TRUE(f.Append("         2\t6\r\n").write);
  // A run continued from the set of t = 1 or 2 repeats times already written.
  for (const char* again : {"         2\t7\r\n", "       1.5\t7\r\n"}) {
    const HistoryAppendResult r = f.Append(again);
    EXPECT_TRUE(r.write);
    EXPECT_TRUE(r.skipped) << again;
  }
  ASSERT_TRUE(f.Append("         3\t8\r\n").write);
  EXPECT_EQ(ReadFile(f.path), f.header + "         1\t5\r\n         2\t6\r\n         3\t8\r\n");
}

TEST(History, AHistoryOfAnotherLayoutIsKeptAndANewOneStarted) {
  AppendFixture f;
  const std::string old = "time[]      \tx\tv\r\n         1\t5\t6\r\n";
  WriteFile(f.path, old);
  WriteFile(f.legend, "old legend\r\n");
  WriteFile(f.dir.File("Surf_1.dat"), "taken");  // a free name is chosen
  const HistoryAppendResult r = f.Append("         2\t7\r\n");
  ASSERT_TRUE(r.write) << r.write.message;
  EXPECT_EQ(r.keptAs, f.dir.File("Surf_2.dat"));
  EXPECT_EQ(ReadFile(f.dir.File("Surf_2.dat")), old);
  EXPECT_EQ(ReadFile(f.dir.File("Surf_2.txt")), "old legend\r\n");
  EXPECT_EQ(ReadFile(f.dir.File("Surf_1.dat")), "taken");
  EXPECT_EQ(ReadFile(f.path), f.header + "         2\t7\r\n");
  EXPECT_EQ(ReadFile(f.legend), " 1 A\tCurrent time\r\n");
}

TEST(History, AHistoryThatCannotBeWrittenIsReportedAndNotRecreated) {
  AppendFixture f;
  // The name is taken by a directory: nothing can be appended, nothing is replaced.
  fs::create_directory(f.path);
  WriteFile(f.path + "/inside", "kept");
  HistoryAppendResult r = f.Append("         1\t5\r\n");
  EXPECT_FALSE(r.write);
  EXPECT_NE(r.write.message.find("Surf.dat"), std::string::npos) << r.write.message;
  EXPECT_EQ(ReadFile(f.path + "/inside"), "kept");

  // A directory that cannot exist (below a plain file).
  WriteFile(f.dir.File("plain"), "x");
  f.path = f.dir.File("plain") + "/Surf.dat";
  f.legend = f.dir.File("plain") + "/Surf.txt";
  r = f.Append("         1\t5\r\n");
  EXPECT_FALSE(r.write);
  EXPECT_EQ(ReadFile(f.dir.File("plain")), "x");
}

TEST(History, ReadOnlyHistoryKeepsItsRecords) {
  AppendFixture f;
  ASSERT_TRUE(f.Append("         1\t5\r\n").write);
  const std::string before = ReadFile(f.path);
  fs::permissions(f.path, fs::perms::owner_read);
  fs::permissions(f.dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(f.path.c_str(), W_OK) == 0) {
    fs::permissions(f.dir.Path(), fs::perms::owner_all);
    GTEST_SKIP() << "permissions do not restrict this user (root); the directory cases above "
                    "cover the failed append";
  }
  const HistoryAppendResult r = f.Append("         2\t6\r\n");
  fs::permissions(f.dir.Path(), fs::perms::owner_all);
  EXPECT_FALSE(r.write);
  EXPECT_EQ(ReadFile(f.path), before);
}

}  // namespace
}  // namespace tarvex
