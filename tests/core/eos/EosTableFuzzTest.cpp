// The fuzz harnesses of the table-set readers over well-formed seeds, hand-damaged files
// and a few thousand random mutations of the seeds (fixed seed): a harness traps on a
// broken promise, so passing means no crash, no hang and no accepted nonsense. The long
// runs use the same harnesses under libFuzzer.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fuzz/EosTableFuzz.h"

namespace tarvex {
namespace {

using Harness = int (*)(const uint8_t*, size_t);

int Feed(Harness h, const std::string& bytes) {
  return h(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::string Mutate(std::string s, std::mt19937& rng) {
  const auto pick = [&rng](size_t n) {
    return n == 0 ? size_t{0} : std::uniform_int_distribution<size_t>(0, n - 1)(rng);
  };
  static const std::string kPieces[] = {"1E99999",
                                        "-1E4933",
                                        "NAN",
                                        "INF",
                                        "0",
                                        "-",
                                        ",,",
                                        "\t\t",
                                        "[kK]",
                                        "material",
                                        "\r",
                                        "\n\n",
                                        "99999999999999999999",
                                        "1e-4950",
                                        std::string(600, '7')};
  for (int r = 0, rounds = 1 + static_cast<int>(pick(4)); r < rounds; ++r) {
    switch (pick(6)) {
      case 0:
        s.resize(pick(s.size() + 1));
        break;
      case 1:
        for (int k = 0; k < 1 + static_cast<int>(pick(6)) && !s.empty(); ++k) {
          s[pick(s.size())] = static_cast<char>(pick(256));
        }
        break;
      case 2:
        s.insert(pick(s.size() + 1), kPieces[pick(std::size(kPieces))]);
        break;
      case 3: {  // a repeated stretch
        const size_t a = pick(s.size() + 1);
        const size_t n = pick(s.size() - a + 1);
        s.insert(a, s.substr(a, n));
        break;
      }
      case 4:  // a lost stretch
        s.erase(pick(s.size() + 1), pick(40));
        break;
      default:
        for (size_t k = s.find('\n'); k != std::string::npos; k = s.find('\n', k + 1)) {
          if (pick(3) == 0) s[k] = '\r';
        }
        break;
    }
  }
  return s;
}

// Control bytes in front of a text (the harnesses read their parameters from them).
std::string Bytes(std::initializer_list<int> head, const std::string& text) {
  std::string s;
  for (int b : head) s.push_back(static_cast<char>(b));
  return s + text;
}

struct Target {
  const char* name;
  Harness harness;
  std::vector<std::string> seeds;
};

std::vector<Target> Targets() {
  const std::string table = "1 2 3\r\n4,,6\r\n -1.2345678E-100-2.5E+00 7\r\n";
  return {
      {"description",
       FuzzEosTableDescription,
       {"title\r\nal.eos material 2\r\n0.3\r\n1.5 1 [kK]\r\n0.1\r\n0.2 "
        "[cm3/g]\r\n5\r\n4\r\n0\r\n1\r\n"
        "List of materials\r\none\r\ntwo\r\n",
        "t\nmaterial\n2 10\n3 [K]\n1 0.5\n4 [-]\n2\n2\n1\n0\n"}},
      {"grid", FuzzEosTableGrid, {Bytes({1}, "0 0.3 0.6\r\n 0.9"), Bytes({0}, "300 600 900 1200")}},
      {"real table", FuzzEosTableReal, {Bytes({2, 2, 5}, table), Bytes({1, 3, 0}, table)}},
      {"phase table",
       FuzzEosTablePhase,
       {Bytes({3, 2}, " 1 1 2\n 3-4 5\n"), Bytes({0, 3}, "1213-12 5")}},
  };
}

TEST(EosTableFuzz, SeedsAndDamagedFiles) {
  const std::string damaged[] = {"",
                                 std::string(5, '\0'),
                                 "\r\r\r\r",
                                 std::string(3, '\xff') + "material\n1\n2\n3\n4\n5\n6\n7\n8\n",
                                 "x\nmaterial\n1e99999\n",
                                 "x\nmaterial\n1\n2\n3\n4\n2147483647\n2147483647\n0\n0\n",
                                 "x\nmaterial\n1e-4940\n2e-4940\n1\n2\n3\n3\n0\n0\n",
                                 std::string(3, '\x1f') + std::string(5000, '9'),
                                 Bytes({1, 1, 1}, std::string(2000, ',')),
                                 Bytes({5, 5, 0}, " 1 2 3 abc \"q\" (1 2)")};
  for (const Target& t : Targets()) {
    SCOPED_TRACE(t.name);
    for (const std::string& s : t.seeds) EXPECT_EQ(Feed(t.harness, s), 0);
    for (const std::string& s : damaged) EXPECT_EQ(Feed(t.harness, s), 0);
  }
}

TEST(EosTableFuzz, RandomMutationsOfTheSeeds) {
  std::mt19937 rng(20261210);
  for (const Target& t : Targets()) {
    SCOPED_TRACE(t.name);
    for (int k = 0; k < 3000; ++k) {
      const std::string& seed = t.seeds[static_cast<size_t>(k) % t.seeds.size()];
      EXPECT_EQ(Feed(t.harness, Mutate(seed, rng)), 0);
    }
  }
}

}  // namespace
}  // namespace tarvex
