// Phase code of film and left-medium cells from whatever phase functions the model set.
#include <gtest/gtest.h>

#include <optional>

#include "core/eos/EosSlots.h"

namespace tarvex {
namespace {

// Stub phase functions: constant answers stored in small blocks.
int32_t ConstInt(const int32_t& v, Real, Real) {
  return v;
}
bool ConstBool(const bool& v, Real, Real) {
  return v;
}
// Phase code that depends on the point, to check the arguments arrive in order.
int32_t CodeFromPoint(const int32_t&, Real rho, Real T) {
  return rho > 1 && T < 500 ? 1 : 3;
}

struct PhaseSetup {
  bool tableFlag = false;
  std::optional<int32_t> tableCode;
  std::optional<int32_t> phaseId;
  std::optional<bool> hasVapour;
  std::optional<bool> isMelted;
  std::optional<int32_t> color;
};

struct Stubs {
  int32_t tableCode = 0, phaseId = 0, color = 0;
  bool hasVapour = false, isMelted = false;
  IntSlot2 table;
};

void Apply(const PhaseSetup& s, EosState& eos, Stubs& stubs, bool film) {
  EosSet& set = film ? eos.FilmEos : eos.LeftEos;
  (film ? eos.FilmTableFlag : eos.LeftTableFlag) = s.tableFlag;
  if (s.tableCode) {
    stubs.tableCode = *s.tableCode;
    stubs.table = MakeIntSlot<int32_t, &ConstInt>(stubs.tableCode);
  }
  if (s.phaseId) {
    stubs.phaseId = *s.phaseId;
    set.PhaseId = MakeIntSlot<int32_t, &ConstInt>(stubs.phaseId);
  }
  if (s.hasVapour) {
    stubs.hasVapour = *s.hasVapour;
    eos.ActiveEos.HasVapour = MakePredSlot<bool, &ConstBool>(stubs.hasVapour);
  }
  if (s.isMelted) {
    stubs.isMelted = *s.isMelted;
    eos.ActiveEos.IsMelted = MakePredSlot<bool, &ConstBool>(stubs.isMelted);
  }
  if (s.color) {
    stubs.color = *s.color;
    set.PhaseColor = MakeIntSlot<int32_t, &ConstInt>(stubs.color);
  }
}

// Columns: table flag, table's code, PhaseId, HasVapour, IsMelted, PhaseColor; "no" =
// the slot is empty.
constexpr std::nullopt_t no = std::nullopt;

TEST(EosPhaseRules, FilmPhaseCode) {
  struct Case {
    const char* what;
    PhaseSetup setup;
    PhaseCode expected;
  };
  const Case cases[] = {
      {"nothing set", {false, no, no, no, no, no}, 0},
      {"table wins over everything", {true, 7, -4, true, true, kColorGreen}, 7},
      // A bound table gives its codes through PhaseId (0 without a phase-code table).
      {"table flag: the table's codes in PhaseId", {true, no, -4, true, true, kColorBlue}, -4},
      {"table flag without a phase table", {true, no, no, true, true, kColorBlue}, 0},
      {"table code ignored without the flag", {false, 7, no, true, no, no}, 5},
      {"PhaseId wins over predicates", {false, no, -4, true, true, kColorGreen}, -4},
      {"vapour", {false, no, no, true, false, no}, 5},
      {"melted, no vapour", {false, no, no, false, true, kColorGreen}, 3},
      {"solid, no vapour", {false, no, no, false, false, no}, 1},
      {"vapour test without melt test", {false, no, no, false, no, no}, 1},
      {"melt test only, melted", {false, no, no, no, true, no}, 3},
      {"melt test only, solid", {false, no, no, no, false, kColorGreen}, 1},
      {"maroon", {false, no, no, no, no, kColorMaroon}, 1},
      {"blue", {false, no, no, no, no, kColorBlue}, 3},
      {"green", {false, no, no, no, no, kColorGreen}, 5},
      {"fixed colour", {false, no, no, no, no, kColorNoPhase}, 0},
  };
  for (const Case& c : cases) {
    EosState eos;
    Stubs stubs;
    Apply(c.setup, eos, stubs, true);
    EXPECT_EQ(FilmPhaseCode(eos, 1, 300, stubs.table), c.expected) << c.what;
    // The left medium never reads the film's functions.
    EXPECT_EQ(LeftPhaseCode(eos, 1, 300, stubs.table), 0) << c.what;
  }
}

TEST(EosPhaseRules, LeftPhaseCode) {
  struct Case {
    const char* what;
    PhaseSetup setup;
    PhaseCode expected;
  };
  const Case cases[] = {
      {"nothing set", {false, no, no, no, no, no}, 0},
      {"table", {true, -6, 2, no, no, no}, -6},
      {"table flag: the table's codes in PhaseId", {true, no, 2, no, no, no}, 2},
      {"table flag without a phase table", {true, no, no, no, no, no}, 0},
      {"PhaseId", {false, 9, 2, no, no, no}, 2},
      {"colour alone gives nothing", {false, no, no, no, no, kColorBlue}, 0},
  };
  for (const Case& c : cases) {
    EosState eos;
    Stubs stubs;
    Apply(c.setup, eos, stubs, false);
    EXPECT_EQ(LeftPhaseCode(eos, 1, 300, stubs.table), c.expected) << c.what;
    EXPECT_EQ(FilmPhaseCode(eos, 1, 300, stubs.table), 0) << c.what;
  }
}

TEST(EosPhaseRules, CodesFollowThePoint) {
  EosState eos;
  const int32_t unused = 0;
  eos.FilmEos.PhaseId = MakeIntSlot<int32_t, &CodeFromPoint>(unused);
  EXPECT_EQ(FilmPhaseCode(eos, 2, 300), 1);
  EXPECT_EQ(FilmPhaseCode(eos, 2, 3000), 3);
  EXPECT_EQ(FilmPhaseCode(eos, 0.5L, 300), 3);
  eos.LeftTableFlag = true;
  EXPECT_EQ(LeftPhaseCode(eos, 2, 300, MakeIntSlot<int32_t, &CodeFromPoint>(unused)), 1);
  EXPECT_EQ(LeftPhaseCode(eos, 2, 3000, MakeIntSlot<int32_t, &CodeFromPoint>(unused)), 3);
}

TEST(EosPhaseRules, ColourFromPredicates) {
  struct Case {
    std::optional<bool> hasVapour;
    std::optional<bool> isMelted;
    int32_t color;
  };
  const Case cases[] = {{no, no, kColorMaroon},    {true, false, kColorGreen},
                        {true, true, kColorGreen}, {false, true, kColorBlue},
                        {no, true, kColorBlue},    {false, false, kColorMaroon},
                        {false, no, kColorMaroon}};
  for (const Case& c : cases) {
    EosState eos;
    Stubs stubs;
    Apply({false, no, no, c.hasVapour, c.isMelted, no}, eos, stubs, true);
    EXPECT_EQ(ColorFromPredicates(eos.ActiveEos, 1, 300), c.color);
  }
}

}  // namespace
}  // namespace tarvex
