// The "Table" model of a set written to files from an analytic model X ("Rose" with the
// gold constants) and read back as a run reads it: it reproduces X inside the grid with
// an error that falls with the grid spacing at the interpolation's order (third order on
// the interior intervals, where the cubics reproduce quadratics: halving the spacing
// divides the error by about 8), and a shock tube of gold runs the same with X and with
// the shipped gold set (data/eos/gold): shock position and post-shock density within 1 %.
// A truncated or damaged table file is refused and the medium keeps the set it had.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/app/AppModel.h"
#include "core/common/FpGuard.h"
#include "core/eos/EosBind.h"
#include "core/eos/EosCatalog.h"
#include "core/eos/EosTableIO.h"
#include "core/eos/EosTableWriter.h"
#include "support/FilesFixture.h"

namespace tarvex {
namespace {

namespace fs = std::filesystem;

// Binds "Rose" with its material "Au" to a medium.
void BindRoseGold(EosState& eos, EosMedium medium) {
  const EosModelInfo& rose = *FindEosModel("rose");
  int32_t au = -1;
  for (size_t k = 0; k < rose.presets.size(); ++k) {
    if (std::string(rose.presets[k].name) == "Au") au = static_cast<int32_t>(k);
  }
  ASSERT_GE(au, 0);
  std::vector<Real> values(rose.params.size());
  EosDefaultValues(rose, &rose.presets[static_cast<size_t>(au)], values);
  EosBindOptions options;
  options.preset = au;
  ASSERT_TRUE(BindEos(eos, medium, rose, values, options));
}

// Loads a written set as the table dialog does (no optional table is offered).
std::shared_ptr<const TEosTableSet> LoadSet(const fs::path& man, std::string* message = nullptr) {
  ScriptedPrompter prompter;
  const TEosTableLoad load = LoadEosTableSet(man, prompter);
  if (message != nullptr) *message = load.message;
  return load.ok ? load.set : nullptr;
}

EosBindResult BindTable(EosState& eos, EosMedium medium, std::shared_ptr<const TEosTableSet> set,
                        const std::string& file) {
  EosBindOptions options;
  options.table = std::move(set);
  options.tableFile = file;
  return BindEos(eos, medium, *FindEosModel("table"), {}, options);
}

// Largest errors of E and P, relative to the largest |E| and |P| of the sampled range,
// over states on the interior intervals of the density axis of the coarser grid.
struct Errors {
  Real E = 0, P = 0, TofE = 0;
};

constexpr Real kRhoMin = 20.5L, kRhoMax = 28;  // g/cm3: E and P monotonic
constexpr Real kTMin = 300, kTMax = 6000;      // K

Errors TableErrors(const fs::path& folder, int32_t NT, int32_t NV) {
  EosState exact;
  BindRoseGold(exact, EosMedium::Film);
  TEosTableGrid grid;
  std::string message;
  EXPECT_TRUE(MakeEosTableGrid(kTMin, kTMax, NT, true, kRhoMin, kRhoMax, NV, true, grid, message))
      << message;
  TEosTableModel model;
  model.E = exact.FilmEos.E;
  model.P = exact.FilmEos.P;
  const TEosTableWrite w = WriteEosTable(model, grid, "Rose Au for the test", "Au", folder);
  EXPECT_TRUE(w.ok) << w.message;
  const std::shared_ptr<const TEosTableSet> set = LoadSet(folder / "data.man", &message);
  EXPECT_NE(set, nullptr) << message;
  if (set == nullptr) return {};
  EosState table;
  EXPECT_TRUE(BindTable(table, EosMedium::Film, set, (folder / "data.man").string()));

  // Samples strictly inside the second to the second-last node of the coarsest grid used
  // (NV = 7: nodes at the ratios (28/20.5)^(k/6)).
  const Real ratio = std::pow(kRhoMax / kRhoMin, Real(1) / 6);
  const Real lo = kRhoMin * ratio, hi = kRhoMax / ratio;
  Errors e;
  Real Emax = 0, Pmax = 0;
  std::vector<std::array<Real, 2>> states;
  for (int32_t a = 0; a <= 40; ++a) {
    for (int32_t b = 0; b <= 6; ++b) {
      const Real rho = lo * std::pow(hi / lo, (a + 0.37L) / 41);
      const Real T = kTMin * std::pow(kTMax / kTMin, (b + 0.5L) / 7);
      states.push_back({rho, T});
      Emax = std::max(Emax, std::fabs(exact.FilmEos.E(rho, T)));
      Pmax = std::max(Pmax, std::fabs(exact.FilmEos.P(rho, T)));
    }
  }
  FpGuard guard;
  for (const auto& [rho, T] : states) {
    const Real E = exact.FilmEos.E(rho, T);
    e.E = std::max(e.E, std::fabs(table.FilmEos.E(rho, T) - E) / Emax);
    e.P = std::max(e.P, std::fabs(table.FilmEos.P(rho, T) - exact.FilmEos.P(rho, T)) / Pmax);
    e.TofE = std::max(e.TofE, std::fabs(table.FilmEos.TofE(rho, E) - T) / T);
  }
  EXPECT_FALSE(guard.Faulted());
  return e;
}

TEST(TableModel, WrittenSetReproducesTheModelAtTheInterpolationOrder) {
  testing::TempDir dir;
  // The temperature axis is exact for this model (E and P are linear in T); the density
  // axis carries the error: 7 and 13 volumes, the second halving the spacing.
  const Errors coarse = TableErrors(dir.Path() / "h", 5, 7);
  const Errors fine = TableErrors(dir.Path() / "h2", 5, 13);
  const double orderE = std::log2(static_cast<double>(coarse.E / fine.E));
  const double orderP = std::log2(static_cast<double>(coarse.P / fine.P));
  std::printf(
      "Table of Rose Au: E error %.3g -> %.3g (order %.2f), P error %.3g -> %.3g "
      "(order %.2f), T(E) %.3g -> %.3g\n",
      static_cast<double>(coarse.E), static_cast<double>(fine.E), orderE,
      static_cast<double>(coarse.P), static_cast<double>(fine.P), orderP,
      static_cast<double>(coarse.TofE), static_cast<double>(fine.TofE));
  EXPECT_GT(orderE, 2.5);
  EXPECT_GT(orderP, 2.5);
  EXPECT_LT(fine.E, 1e-3);
  EXPECT_LT(fine.P, 1e-3);
  EXPECT_LT(fine.TofE, 1e-2);
  EXPECT_LT(fine.TofE, coarse.TofE);
}

// ---- a shock tube of gold --------------------------------------------------------------

// Compressed gold (21 g/cm3, the substrate) against gold near its reference density
// (19.3 g/cm3, the film), both at 300 K, walls at both ends, set up through the dialogs
// and run by the calculation driver as the desktop program does: 300 substrate cells
// before 300 film cells of 0.2 nm, 10 ps (the shock crosses some 30 of the film's 60 nm). Returns
// the shock position [cm] (where the film's density crosses the middle between its largest and its
// initial value, interpolated between cell centres) and the post-shock density (the film cell
// halfway between the contact and the shock).
struct ShockResult {
  Real shockX = 0;
  Real rhoPost = 0;
  Real interfaceX0 = 0;
};

constexpr int32_t kCells = 600;
constexpr int32_t kLeftCells = 300;
constexpr Real kRhoFilm = 19.3L;

void ChooseEos(AppModel& app, bool left, bool tabulated,
               const std::shared_ptr<const TEosTableSet>& set) {
  app.eos.SetLeft(left);
  if (tabulated) {
    app.eos.SetTable(set, "gold");
    ASSERT_TRUE(app.eos.SelectModel("Table"));
  } else {
    ASSERT_TRUE(app.eos.SelectModel("Rose"));
    ASSERT_TRUE(app.eos.SetMetal("Au"));
  }
  const TStatEqResult r = app.eos.Ok(app.session.eos);
  ASSERT_TRUE(r) << r.message;
}

ShockResult GoldShockTube(bool tabulated, const std::shared_ptr<const TEosTableSet>& set) {
  ScriptedPrompter prompter;
  prompter.Script("Save(print) settings?", Answer::No);
  prompter.Script("Use I EOS for glass?", Answer::No);
  AppModel app(prompter);
  ShockResult r;
  ChooseEos(app, true, tabulated, set);
  ChooseEos(app, false, tabulated, set);
  app.main.x1Edit.SetText("1e-7");  // nm
  app.main.Len.SetText("120");      // 600 cells of 0.2 nm of film density
  app.main.SetDimension(kCells);
  app.main.Rho0.SetText("19.3");
  app.PrepareInitialDialog();
  TInitional& d = app.initial;
  d.FormShow(false);
  EXPECT_EQ(d.SetInt("RadioGroup1", kProfileTemp), FieldSetStatus::Ok);
  d.Tini.SetText("300");
  d.LeaveField("Tini");
  d.xf.SetText("120");
  d.LeaveField("xf");
  EXPECT_EQ(d.SetInt("InitProfile", kModel1T), FieldSetStatus::Ok);
  EXPECT_EQ(d.SetInt("MoveType", kMoveV0Zero), FieldSetStatus::Ok);
  EXPECT_EQ(d.SetCheck("CheckKeepVL", true), FieldSetStatus::Ok);
  EXPECT_EQ(d.SetInt("xShiftDiv", kLeftCells), FieldSetStatus::Ok);
  d.rho0l.SetText("21");
  d.LeaveField("rho0l");
  d.T0l.SetText("300");
  d.LeaveField("T0l");
  const InitialOkResult ok = d.OkPressed();
  EXPECT_TRUE(ok.accepted) << ok.focus << ": " << ok.message;
  if (!ok.accepted) return r;
  app.FinishInitialDialog();
  app.viscosity.Open(app.session.visc, app.session.eos.EosScale);
  app.viscosity.ViscType = ViscLoc;
  app.viscosity.ViscMult.SetText("2");
  app.ApplyViscosityDialog();
  app.main.UserEdit("dt1", "5e-12");
  app.main.LeaveDt1();
  app.main.UserEdit("EndTime", "1e-11");

  Session& s = app.session;
  r.interfaceX0 = s.StateA->x[kLeftCells];
  RunHooks hooks;
  const RunOutcome run = Calculations(s, app.main, hooks);
  EXPECT_TRUE(run.reachedEnd) << run.error;
  const THydrStat& A = *s.StateA;
  Real rhoPeak = 0;
  for (int32_t i = kLeftCells; i < kCells; ++i) rhoPeak = std::max(rhoPeak, A.Density(i));
  const Real mid = (rhoPeak + kRhoFilm) / 2;
  int32_t k = kCells - 2;
  while (k > kLeftCells && A.Density(k) < mid) --k;
  const Real d0 = A.Density(k), d1 = A.Density(k + 1);
  const Real c0 = A.CellCentre(k), c1 = A.CellCentre(k + 1);
  r.shockX = d0 == d1 ? c0 : c0 + (c1 - c0) * (d0 - mid) / (d0 - d1);
  const Real contact = A.x[kLeftCells];
  int32_t half = kLeftCells;
  while (half < kCells - 1 && A.CellCentre(half) < (contact + r.shockX) / 2) ++half;
  r.rhoPost = A.Density(half);
  return r;
}

fs::path ShippedGold() {
  return fs::path(TARVEX_TEST_DATA) / ".." / ".." / "data" / "eos" / "gold" / "data.man";
}

TEST(TableModel, GoldShockTubeWithTheShippedSetMatchesTheModel) {
  std::string message;
  const std::shared_ptr<const TEosTableSet> set = LoadSet(ShippedGold(), &message);
  ASSERT_NE(set, nullptr) << message;
  const ShockResult model = GoldShockTube(false, set);
  const ShockResult table = GoldShockTube(true, set);
  const Real travel = model.shockX - model.interfaceX0;
  std::printf(
      "Gold shock tube: shock at %.6g / %.6g cm (travel %.4g cm), post-shock density "
      "%.6g / %.6g g/cm3 (model / table)\n",
      static_cast<double>(model.shockX), static_cast<double>(table.shockX),
      static_cast<double>(travel), static_cast<double>(model.rhoPost),
      static_cast<double>(table.rhoPost));
  // A shock of some 8 GPa that has run well into the film (its 60 nm start at x = 0).
  ASSERT_GT(model.rhoPost, 20.0L);
  ASSERT_GT(travel, 20e-7L);
  ASSERT_LT(model.shockX, 60e-7L);
  EXPECT_LT(std::fabs(table.shockX - model.shockX), 0.01L * travel);
  EXPECT_LT(std::fabs(table.rhoPost - model.rhoPost), 0.01L * (model.rhoPost - kRhoFilm));
}

// ---- damaged files ---------------------------------------------------------------------

TEST(TableModel, DamagedTableIsRefusedAndTheSetInUseStays) {
  testing::TempDir dir;
  std::string message;
  const std::shared_ptr<const TEosTableSet> good = LoadSet(ShippedGold(), &message);
  ASSERT_NE(good, nullptr) << message;
  EosState eos;
  ASSERT_TRUE(BindTable(eos, EosMedium::Film, good, ShippedGold().string()));
  const Real E0 = eos.FilmEos.E(19.3L, 300);

  std::string pressure;
  {
    std::ifstream in(ShippedGold().parent_path() / "pressu.tab", std::ios::binary);
    pressure.assign(std::istreambuf_iterator<char>(in), {});
  }
  struct Case {
    const char* what;
    std::string text;
    const char* expect;  // in the message
  };
  const std::vector<Case> cases = {
      {"cut inside a row", pressure.substr(0, pressure.size() / 2), "pressu.tab:"},
      {"a word among the numbers", "1 2 x3\r\n", "pressu.tab:1"},
      {"no pressure table at all", "", "pressu"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = dir.Path() / "bad";
    fs::remove_all(folder);
    fs::copy(ShippedGold().parent_path(), folder);
    if (c.text.empty()) {
      fs::remove(folder / "pressu.tab");
    } else {
      std::ofstream(folder / "pressu.tab", std::ios::binary) << c.text;
    }
    EXPECT_EQ(LoadSet(folder / "data.man", &message), nullptr);
    EXPECT_NE(message.find(c.expect), std::string::npos) << message;
    // The medium still reads the set it had.
    EXPECT_EQ(eos.Film.table, good);
    EXPECT_EQ(eos.FilmEos.E(19.3L, 300), E0);
  }
}

}  // namespace
}  // namespace tarvex
