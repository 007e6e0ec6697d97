// Randomly damaged profile sets fed to the loader (fixed seed): truncated files, flipped
// bytes, inserted garbage, huge numbers, lost and repeated rows. The loader must neither
// crash nor hang; a refused load leaves the session as it was, and an accepted one leaves
// a state the solvers can work on.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "core/files/SaveOptions.h"
#include "support/FilesFixture.h"
#include "support/SessionSnapshot.h"

namespace tarvex {
namespace {

using testing::TempDir;

std::string Mutate(std::string s, std::mt19937& rng) {
  auto pick = [&](size_t n) {
    return n == 0 ? size_t{0} : std::uniform_int_distribution<size_t>(0, n - 1)(rng);
  };
  const int kinds = 8;
  const int rounds = 1 + static_cast<int>(pick(3));
  for (int r = 0; r < rounds; ++r) {
    switch (pick(kinds)) {
      case 0:  // truncation
        s.resize(pick(s.size() + 1));
        break;
      case 1:  // byte flips
        for (int k = 0; k < 1 + static_cast<int>(pick(8)) && !s.empty(); ++k) {
          s[pick(s.size())] = static_cast<char>(pick(256));
        }
        break;
      case 2: {  // inserted garbage
        std::string g;
        for (size_t k = pick(40); k > 0; --k) g += static_cast<char>(pick(256));
        s.insert(pick(s.size() + 1), g);
        break;
      }
      case 3: {  // a huge or odd number in place of a field
        static const char* const kNumbers[] = {"1E99999", "-1E4933", "1E-99999",
                                               "NAN",     "INF",     "-0",
                                               "0",       "1e308",   "99999999999999999999",
                                               "-7"};
        const size_t tab = s.find('\t', pick(s.size()));
        if (tab != std::string::npos) {
          const size_t end = s.find_first_of("\t\r", tab + 1);
          s.replace(tab + 1, (end == std::string::npos ? s.size() : end) - tab - 1,
                    kNumbers[pick(std::size(kNumbers))]);
        }
        break;
      }
      case 4: {  // a lost line
        const size_t a = s.find('\n', pick(s.size()));
        if (a != std::string::npos) {
          const size_t b = s.find('\n', a + 1);
          s.erase(a + 1, (b == std::string::npos ? s.size() : b) - a);
        }
        break;
      }
      case 5: {  // a repeated line
        const size_t a = s.find('\n', pick(s.size()));
        if (a != std::string::npos) {
          const size_t b = s.find('\n', a + 1);
          const std::string line = s.substr(a + 1, (b == std::string::npos ? s.size() : b) - a);
          s.insert(a + 1, line);
        }
        break;
      }
      case 6:  // line ends
        for (size_t k = s.find('\r'); k != std::string::npos; k = s.find('\r', k)) s.erase(k, 1);
        break;
      default: {  // a digit changed
        const size_t k = s.find_first_of("0123456789", pick(s.size()));
        if (k != std::string::npos) s[k] = static_cast<char>('0' + pick(10));
        break;
      }
    }
  }
  return s;
}

bool StateUsable(const Session& s) {
  const THydrStat* A = s.StateA;
  if (A == nullptr) return false;
  const int32_t N = A->CellCount();
  if (N < 2 || N > TMainForm::kDimensionMax) return false;
  for (int32_t j = 0; j <= N; ++j) {
    if (!std::isfinite(A->x[j]) || !std::isfinite(A->v[j]) || !std::isfinite(A->P[j])) return false;
    if (j > 0 && !(A->x[j] > A->x[j - 1])) return false;
  }
  for (int32_t i = 0; i < N; ++i) {
    if (!std::isfinite(A->T[i]) || !std::isfinite(A->E[i])) return false;
    if (!(A->Density(i) > 0) || !std::isfinite(A->Density(i))) return false;
  }
  return std::abs(s.sim.InGlass) < N && s.sim.h0 > 0 && std::isfinite(s.sim.h0);
}

TEST(ProfileFuzz, DamagedSetsNeverCrashNorHalfLoad) {
  TempDir dir;
  struct Base {
    testing::StateSetup setup;
    std::string table, header;
  };
  std::vector<Base> bases{{{24, 1, 0, false, false}, {}, {}},
                          {{30, 1, 8, false, false}, {}, {}},
                          {{24, 2, 6, true, false}, {}, {}}};
  for (Base& b : bases) {
    ScriptedPrompter p;
    AppModel app(p);
    testing::SetUpState(app, p, b.setup);
    if (HasFatalFailure()) return;
    testing::Advance(app, "0.02", "0.04");
    if (HasFatalFailure()) return;
    app.files.RefreshDisplay(true);
    ASSERT_TRUE(app.files.WriteProfile(dir.File("base.DAT"), false));
    b.table = testing::ReadFile(dir.File("base.DAT"));
    b.header = testing::ReadFile(dir.File("base.TXT"));
  }

  std::mt19937 rng(20240611u);
  int accepted = 0;
  int refused = 0;
  for (Base& b : bases) {
    ScriptedPrompter p;
    AppModel app(p);
    testing::SetUpState(app, p, b.setup);
    if (HasFatalFailure()) return;
    const std::string table = dir.File("0000p040.DAT");
    const std::string header = dir.File("0000p040.TXT");
    for (int iter = 0; iter < 300; ++iter) {
      const int what = static_cast<int>(rng() % 3);  // table, header or both damaged
      testing::WriteFile(table, what != 1 ? Mutate(b.table, rng) : b.table);
      testing::WriteFile(header, what != 0 ? Mutate(b.header, rng) : b.header);
      if (rng() % 2 == 0) {
        p.Script("Data dimension", Answer::Ok);
      } else {
        p.Script("Data dimension", Answer::Cancel);
      }
      p.Script("Reset rho0", Answer::Ok);
      const testing::SessionSnapshot before = testing::SessionSnapshot::Of(app);
      const ProfileLoadResult r = app.LoadProfile(table, true);
      if (r.ok) {
        ++accepted;
        ASSERT_TRUE(StateUsable(app.session)) << "iteration " << iter;
        // Back to the undamaged set for the next round.
        testing::WriteFile(table, b.table);
        testing::WriteFile(header, b.header);
        ASSERT_TRUE(app.LoadProfile(table, true).ok);
      } else {
        ++refused;
        ASSERT_TRUE(testing::SessionSnapshot::Of(app) == before) << "iteration " << iter;
      }
    }
  }
  // Both outcomes occur: a fuzz that only ever refuses tests nothing of the apply path.
  EXPECT_GT(accepted, 10);
  EXPECT_GT(refused, 100);
}

TEST(ProfileFuzz, NamesNeverBreakTheTimeReader) {
  std::mt19937 rng(77u);
  const TSaveFileOptions o;
  const std::string alphabet = "0123456789p#Eesfmnk.-+ /\\";
  for (int iter = 0; iter < 20000; ++iter) {
    std::string name;
    for (size_t k = rng() % 16; k > 0; --k) name += alphabet[rng() % alphabet.size()];
    const std::optional<Real> t = TimeFromName(name, o.NameStr);
    if (t) {
      EXPECT_TRUE(std::isfinite(*t)) << name;
    }
  }
}

}  // namespace
}  // namespace tarvex
