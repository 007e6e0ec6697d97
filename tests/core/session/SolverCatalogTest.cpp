// The solver-class catalog: its entries, the rules that choose a class, and a class added
// the way the catalog says (a THydrStat descendant that lists its arrays, and an entry):
// the session creates it, the results table shows its arrays, the profile writer writes
// them and the reader reads them back.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/app/AppModel.h"
#include "core/files/ProfileReader.h"
#include "core/hydro/HydrStat.h"
#include "core/session/SolverCatalog.h"
#include "support/FilesFixture.h"
#include "support/IdealGasBinding.h"

namespace tarvex {
namespace {

TEST(SolverCatalog, EntriesAreCoherent) {
  std::set<std::string> names;
  std::set<SolverClass> seen;
  for (const SolverClassInfo& c : SolverCatalog()) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(names.insert(c.name).second);
    EXPECT_EQ(&SolverClassOf(c.cls), &c);
    EXPECT_STREQ(SolverClassName(c.cls), c.name);
    // A parent comes before its children; the root has none.
    if (c.parent == SolverClass::None) {
      EXPECT_EQ(&c, &SolverCatalog().front());
    } else {
      EXPECT_TRUE(seen.count(c.parent)) << "parent listed later";
    }
    seen.insert(c.cls);
    // Every array column names an array of the class.
    for (std::span<const TColumnDesc> layout : {c.moving, c.movingFixTe, c.frozen}) {
      for (const TColumnDesc& col : layout) {
        if (col.kind != TColumnKind::Array) continue;
        bool found = false;
        for (const SolverArrayInfo* a : ClassArrays(c)) {
          found = found || std::string(a->name) == col.array;
        }
        EXPECT_TRUE(found) << col.array;
      }
    }
  }
  EXPECT_TRUE(SolverClassOf(SolverClass::HydrStat).Available());
}

TEST(SolverCatalog, ClassOfANewState) {
  struct Row {
    SolverChoice choice;
    SolverClass cls;
  };
  auto choice = [](int32_t item, bool noConduct, bool noThermo, bool elastic, bool noMove,
                   bool nonMetal) {
    SolverChoice c;
    c.thermalItem = item;
    c.NoConduct = noConduct;
    c.NoThermo = noThermo;
    c.elastic = elastic;
    c.noMove = noMove;
    c.nonMetal = nonMetal;
    return c;
  };
  const Row rows[] = {
      {choice(0, true, true, false, false, false), SolverClass::HydrStat},
      {choice(0, true, false, false, false, false), SolverClass::HydrTherm},
      {choice(0, false, false, true, false, false), SolverClass::Hydro1elast},
      {choice(3, false, false, false, true, false), SolverClass::ThermState},
      {choice(3, false, false, true, false, true), SolverClass::NoMet},
      {choice(1, false, false, true, false, false), SolverClass::Hydro2Telast},
      {choice(1, false, false, false, false, false), SolverClass::Hydro2T},
  };
  for (const Row& r : rows) EXPECT_EQ(SelectSolverClass(r.choice), r.cls) << SolverClassName(r.cls);
}

TEST(SolverCatalog, ClassOfALoadedProfile) {
  struct Row {
    ProfileSignature file;
    std::vector<std::pair<std::string, Answer>> answers;
    std::optional<SolverClass> cls;
  };
  auto sig = [](bool frozen, bool twoT, bool nonMetal, bool elastic) {
    ProfileSignature s;
    s.frozen = frozen;
    s.twoT = twoT;
    s.nonMetal = nonMetal;
    s.elastic = elastic;
    return s;
  };
  const Row rows[] = {
      {sig(false, false, false, false), {{"With Thermocond", Answer::No}}, SolverClass::HydrStat},
      {sig(false, false, false, false), {{"With Thermocond", Answer::Yes}}, SolverClass::HydrTherm},
      {sig(true, false, false, false), {}, SolverClass::HydrTherm},
      {sig(false, false, false, true),
       {{"With Thermocond", Answer::Yes}, {"Elast/plast", Answer::Yes}},
       SolverClass::Hydro1elast},
      {sig(false, true, true, false), {}, SolverClass::NoMet},
      {sig(true, true, false, false), {{"2 Temp", Answer::Yes}}, SolverClass::ThermState},
      {sig(false, true, false, false),
       {{"2 Temp", Answer::Yes}, {"With Hydrodyn", Answer::No}},
       SolverClass::ThermState},
      {sig(false, true, false, true),
       {{"2 Temp", Answer::Yes}, {"With Hydrodyn", Answer::Yes}, {"Elast/plast", Answer::Yes}},
       SolverClass::Hydro2Telast},
      {sig(false, true, false, false),
       {{"2 Temp", Answer::No}, {"With Thermocond", Answer::No}},
       SolverClass::HydrStat},
      {sig(false, false, false, false), {}, std::nullopt},  // unanswered: cancelled
  };
  for (const Row& r : rows) {
    ScriptedPrompter p;
    for (const auto& [q, a] : r.answers) p.Script(q, a);
    EXPECT_EQ(DeduceSolverClass(r.file, p), r.cls);
  }
}

// ---- a class added the catalog's way ------------------------------------------------------

// One temperature with heat conduction, as a test stands it in: the heat flux at the
// nodes and the conductivity of the cells are arrays of the class.
class TConductingState : public THydrStat {
 public:
  TConductingState(HydroState& s, int32_t N) : THydrStat(s, N) { SizeArrays(N); }
  void Resize(int32_t N) override {
    THydrStat::Resize(N);
    SizeArrays(N);
  }
  void ListArrays(std::vector<NamedArray>& out) override {
    THydrStat::ListArrays(out);
    out.push_back({"Qx", &Qx});
    out.push_back({"kappa", &kappa});
  }
  RealArray Qx;     // N + 1 node heat fluxes [kW/cm2]
  RealArray kappa;  // N cell conductivities [kW/cm/K]

 private:
  void SizeArrays(int32_t N) {
    Qx.resize(static_cast<size_t>(N) + 1);
    kappa.resize(static_cast<size_t>(N));
  }
};

std::unique_ptr<THydrStat> CreateConducting(Session& s, int32_t N) {
  return std::make_unique<TConductingState>(s, N);
}

constexpr SolverArrayInfo kConductingArrays[] = {
    {"Qx", true, "Qx(n)[kW/cm2]", "Qx(n)   ", "kW/cm2"},
    {"kappa", false, "kappa[kW/cm/K]", "kappa   ", "kW/cm/K"},
};
constexpr TColumnDesc kConductingMoving[] = {
    {TColumnKind::No, "No(n)", "   No"},
    {TColumnKind::X, "x(n)[nm]", "x(n)    "},
    {TColumnKind::Rho, "rho[g/cm3]", "rho     "},
    {TColumnKind::V, "v(n)[km/s]", "v(n)/v1 "},
    {TColumnKind::P, "P(n+1/2)[GPa]", "P(n+1/2)"},
    {TColumnKind::E, "E(n+1/2)[kJ/g]", "E(n+1/2)"},
    {TColumnKind::T, "T(n+1/2)[K]", "T(n+1/2)"},
    {TColumnKind::Array, "Qx(n)[kW/cm2]", "Qx(n)   ", "Qx"},
    {TColumnKind::Array, "kappa[kW/cm/K]", "kappa   ", "kappa"},
    {TColumnKind::Depth, "xGr0-x(n+1/2)[nm]", "L-x(n+1/2)"},
};
const SolverClassInfo kConducting{SolverClass::HydrTherm,
                                  "THydrTherm",
                                  SolverClass::HydrStat,
                                  &CreateConducting,
                                  kConductingArrays,
                                  true,
                                  false,
                                  false,
                                  false,
                                  false,
                                  kConductingMoving,
                                  {},
                                  {}};

TEST(SolverCatalog, AClassAddedByItsEntryIsShownWrittenAndReadBack) {
  testing::TempDir dir;
  ScriptedPrompter prompter;
  prompter.Script("Save(print) settings?", Answer::No);
  AppModel app(prompter);
  Session& s = app.session;
  ASSERT_TRUE(BindIdealGasFilm(s.eos, 1.4L, 1));
  const int32_t N = 8;
  ASSERT_TRUE(s.EnsureInstances(kConducting, N));
  ASSERT_NE(dynamic_cast<TConductingState*>(s.StateA), nullptr);
  SetGrid(s, {N, 1, 1.0L / N, 1, 1, 0, 1});
  app.main.Len.SetValue(1);
  app.main.SetDimension(N);
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    for (int32_t j = 0; j <= N; ++j) st->x[j] = j * s.sim.h0;
    for (int32_t i = 0; i < N; ++i) {
      st->T[i] = 1 + i;
      st->E[i] = s.eos.ActiveEos.E(1, st->T[i]);
      st->P[i] = s.eos.ActiveEos.P(1, st->T[i]);
    }
  }
  auto& A = static_cast<TConductingState&>(*s.StateA);
  for (int32_t j = 0; j <= N; ++j) A.Qx[j] = 0.25L * j;
  for (int32_t i = 0; i < N; ++i) A.kappa[i] = 1.5L + i;

  // The table shows the arrays under their titles.
  app.table.Refresh(s, app.main);
  const int32_t cQx = app.table.ColumnOfArray("Qx");
  const int32_t cKappa = app.table.ColumnOfArray("kappa");
  ASSERT_GE(cQx, 0);
  ASSERT_GE(cKappa, 0);
  EXPECT_EQ(app.table.Cell(0, cQx), "Qx(n)   ");
  EXPECT_EQ(app.table.Cell(4, cQx), "0.75");
  EXPECT_EQ(app.table.Cell(4, cKappa), "4.5");

  // Written with the profile set, read back into the instances of the class.
  const std::string path = dir.File("0000p000.DAT");
  app.files.AskOnFinal = false;
  ASSERT_TRUE(app.files.WriteProfile(path, false)) << app.files.LastError();
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    auto& c = static_cast<TConductingState&>(*st);
    std::fill(c.Qx.begin(), c.Qx.end(), Real{0});
    std::fill(c.kappa.begin(), c.kappa.end(), Real{0});
  }
  const ProfileLoadResult r =
      LoadProfile({s, app.main, app.table, app.initial, app.saveOptions}, path, true);
  ASSERT_TRUE(r.ok) << r.message;
  for (THydrStat* st : {s.StateA, s.StateB, s.StateC}) {
    const auto& c = static_cast<const TConductingState&>(*st);
    for (int32_t j = 0; j < N; ++j) EXPECT_EQ(c.Qx[j], 0.25L * j) << j;
    for (int32_t i = 0; i < N; ++i) EXPECT_EQ(c.kappa[i], 1.5L + i) << i;
  }
}

}  // namespace
}  // namespace tarvex
