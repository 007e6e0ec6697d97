// The tension-time record: its sign conventions, the start of tension within a step, the
// advance at the start of a step with the spreading of failures, and "Tneg.dat" read back
// from the text the profile writer gives (refused whole when malformed).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/ProfileWriter.h"
#include "core/spall/TensionRecord.h"

namespace tarvex {
namespace {

TTensionRecord WithEntries(const std::vector<Real>& entries) {
  TTensionRecord r;
  r.StartFresh(static_cast<int32_t>(entries.size()), 0, 0);
  for (size_t i = 0; i < entries.size(); ++i) r.SetTensionTime(static_cast<int32_t>(i), entries[i]);
  return r;
}

std::vector<Real> Entries(const TTensionRecord& r) {
  return {r.Tneg().begin(), r.Tneg().end()};
}

TEST(TensionRecord, FreshRecordAndTheSignConventions) {
  TTensionRecord r;
  EXPECT_FALSE(r.Exists());
  r.StartFresh(3, 5e-12L, 1e-13L);
  ASSERT_TRUE(r.Exists());
  EXPECT_EQ(Entries(r), (std::vector<Real>{0, 0, 0, 0}));  // one entry more than cells
  EXPECT_EQ(r.TnegTime(), 5e-12L);
  EXPECT_EQ(r.TnegOrigin(), 5e-12L - 2e-13L);

  r.SetTensionTime(1, 3e-13L);
  r.MarkFailed(1);
  EXPECT_TRUE(r.Failed(1));
  EXPECT_EQ(r[1], -3e-13L);
  EXPECT_EQ(r.TensionTime(1), 3e-13L);
  r.MarkFailed(1);  // failing again keeps the tension time
  EXPECT_EQ(r[1], -3e-13L);
  r.ClearFailure(1);
  EXPECT_EQ(r[1], 3e-13L);
  r.ClearTension(1);
  EXPECT_EQ(r[1], 0);

  r.Clear();
  EXPECT_FALSE(r.Exists());
}

TEST(TensionRecord, TensionStartsWithinTheStep) {
  const Real dt = 1e-12L;
  struct Case {
    Real before, P, P0, after;
  };
  const Case cases[] = {
      {0, -1, 1, 0.5e-12L},         // zero crossed half-way through the step
      {0, -3, 1, 0.75e-12L},        // a quarter of the way
      {0, -1, 0, 1e-12L},           // not stretched before, at zero: the whole step
      {0, -1, -0.5L, 1e-12L},       // already stretched: the whole step
      {0.4e-12L, -1, 1, 0.5e-12L},  // shorter than the step: starts again
      {2e-12L, -1, 1, 2e-12L},      // longer: kept
      {1e-12L, -1, 1, 1e-12L},      // equal: kept
  };
  for (const Case& c : cases) {
    TTensionRecord r = WithEntries({c.before});
    r.StartTension(0, dt, c.P, c.P0);
    EXPECT_NEAR(r[0], c.after, 1e-30L) << c.before << " " << c.P << " " << c.P0;
  }
}

TEST(TensionRecord, AdvanceAddsTheStepUpToTheLongestPossibleTension) {
  TTensionRecord r;
  r.StartFresh(2, 10e-12L, 1e-12L);  // origin 8 ps
  EXPECT_FALSE(r.BeginAdvance(10e-12L, 1e-12L).due);

  TTensionAdvance a = r.BeginAdvance(11e-12L, 2e-12L);
  EXPECT_TRUE(a.due);
  EXPECT_NEAR(a.delta, 1e-12L, 1e-27L);   // min(dt, SimTime − TnegTime)
  EXPECT_NEAR(a.tauMax, 3e-12L, 1e-27L);  // SimTime − TnegOrigin
  r.SetTensionTime(0, 1.5e-12L);
  r.AdvanceTension(0, a);
  EXPECT_NEAR(r[0], 2.5e-12L, 1e-27L);
  r.SetTensionTime(1, 2.5e-12L);
  r.AdvanceTension(1, a);
  EXPECT_NEAR(r[1], 3e-12L, 1e-27L);  // capped by τmax
  r.FinishAdvance(11e-12L);
  EXPECT_EQ(r.TnegTime(), 11e-12L);

  // Time went back (a rejected interval): tension times shrink, never below 0.
  a = r.BeginAdvance(10e-12L, 2e-12L);
  EXPECT_NEAR(a.delta, -1e-12L, 1e-27L);
  r.SetTensionTime(0, 0.5e-12L);
  r.AdvanceTension(0, a);
  EXPECT_EQ(r[0], 0);
  r.SetTensionTime(1, -2.5e-12L);
  r.RewindFailed(1, a);
  EXPECT_NEAR(r[1], -1.5e-12L, 1e-27L);
  r.SetTensionTime(1, -0.5e-12L);
  r.RewindFailed(1, a);
  EXPECT_EQ(r[1], 0);
}

TEST(TensionRecord, FailureSpreadsToTheQualifyingNeighbours) {
  TTensionAdvance a;
  a.due = true;
  a.delta = 1;
  a.tauMax = 10;
  struct Case {
    std::vector<Real> before;
    int32_t i;
    bool right, left;
    std::vector<Real> after;
  };
  const Case cases[] = {
      // The failed cell's tension time grows by δ.
      {{0, -3, 0}, 1, true, true, {0, -4, 0}},
      // ... up to τmax.
      {{0, -9.5L, 0}, 1, false, false, {0, -10, 0}},
      // A stretched right neighbour gets at least the failed cell's tension time (taken
      // before the cell's own advance); a longer one is kept.
      {{0, -3, 2}, 1, true, false, {0, -4, 3}},
      {{0, -3, 5}, 1, true, false, {0, -4, 5}},
      // A failed right neighbour takes the longer tension time.
      {{0, -3, -2}, 1, true, false, {0, -4, -3}},
      {{0, -3, -6}, 1, true, false, {0, -4, -6}},
      // The right neighbour only while it is compressed.
      {{0, -3, 2}, 1, false, false, {0, -4, 2}},
      // The left neighbour after the advance, while it expands.
      {{2, -3, 0}, 1, false, true, {4, -4, 0}},
      {{-2, -3, 0}, 1, false, true, {-4, -4, 0}},
      {{2, -3, 0}, 1, false, false, {2, -4, 0}},
      // A neighbour without tension stays so.
      {{0, -3, 0}, 1, true, true, {0, -4, 0}},
      // At the ends of the record nothing beyond is touched.
      {{-3, 1}, 0, false, true, {-4, 1}},
  };
  for (const Case& c : cases) {
    TTensionRecord r = WithEntries(c.before);
    r.AdvanceFailed(c.i, a, c.right, c.left);
    std::vector<Real> after = Entries(r);
    after.pop_back();  // the extra entry
    EXPECT_EQ(after, c.after) << "case with cell " << c.i << " = " << c.before[c.i];
  }
}

TEST(TensionRecord, LoadsTheFileTheProfileWriterWrites) {
  const std::vector<Real> written = {1.25e-12L, -3.5e-12L, 0, 2e-13L, 0};  // 4 cells + 1
  const std::string text = TnegFileText(7.5e-12L, written);
  TTensionRecord r;
  ASSERT_TRUE(r.Load(text, 4, "Tneg.dat"));
  ASSERT_EQ(r.Size(), 5);
  for (int32_t i = 0; i < 5; ++i) EXPECT_NEAR(r[i], written[static_cast<size_t>(i)], 1e-26L) << i;
  EXPECT_NEAR(r.TnegTime(), 7.5e-12L, 1e-26L);
  EXPECT_NEAR(r.TnegOrigin(), 4e-12L, 1e-26L);  // TnegTime − the longest tension time

  // A shorter file fills the first cells; the others start without tension. A longer one
  // (more cells than now) is read as far as the cells go.
  ASSERT_TRUE(r.Load("1e-12\r\n 2e-13\r\n\r\n", 3, "Tneg.dat"));
  EXPECT_EQ(Entries(r), (std::vector<Real>{2e-13L, 0, 0, 0}));
  ASSERT_TRUE(r.Load(text, 2, "Tneg.dat"));
  EXPECT_EQ(r.Size(), 3);
}

TEST(TensionRecord, MalformedFileIsRefusedWholeWithFileAndLine) {
  TTensionRecord r;
  r.StartFresh(2, 1e-12L, 1e-13L);
  r.SetTensionTime(0, 5e-13L);
  const std::vector<Real> before = Entries(r);
  struct Case {
    const char* text;
    const char* expected;  // part of the message
  };
  const Case cases[] = {
      {"1e-12\r\n2e-13\r\nabc\r\n", "\"/out/Tneg.dat\", line 3: \"abc\" is not a tension time"},
      {"t=1\r\n", "line 1: \"t=1\" is not a time"},
      {"", "holds no time"},
      {"\r\n \r\n", "holds no time"},
      {"1e-12\r\n1e99999\r\n", "line 2"},
  };
  for (const Case& c : cases) {
    const TTensionLoadResult result = r.Load(c.text, 2, "/out/Tneg.dat");
    EXPECT_FALSE(result) << c.text;
    EXPECT_NE(result.message.find(c.expected), std::string::npos) << result.message;
    EXPECT_EQ(Entries(r), before);
    EXPECT_EQ(r.TnegTime(), 1e-12L);
  }
}

}  // namespace
}  // namespace tarvex
