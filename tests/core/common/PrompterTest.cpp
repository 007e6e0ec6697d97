// The scripted prompter: scripted answers, prefix matching, the non-accepting default.
#include <gtest/gtest.h>

#include "core/common/Prompter.h"

namespace tarvex {
namespace {

TEST(ScriptedPrompter, AnswersFromTableAndLogsEveryQuestion) {
  ScriptedPrompter p;
  p.Script("Continue current?", Answer::Yes);
  p.Script("Iteration did not agree!", Answer::YesToAll);

  EXPECT_EQ(p.Ask("Continue current?", AnswerSet::YesNo()), Answer::Yes);
  // Prefix match: the question ends in numbers that vary.
  EXPECT_EQ(p.Ask("Iteration did not agree! 3 iterations, R1 =0.5", AnswerSet::SixWay()),
            Answer::YesToAll);
  // Unscripted: the non-accepting answer of the set.
  EXPECT_EQ(p.Ask("Results not saved! Save now?", AnswerSet::YesNoCancel()), Answer::Cancel);
  EXPECT_EQ(p.Ask("Break calculations?", AnswerSet::YesNo()), Answer::No);
  // A scripted answer the question does not offer is not used.
  p.Script("Stop?", Answer::Ok);
  EXPECT_EQ(p.Ask("Stop?", AnswerSet::YesNo()), Answer::No);

  ASSERT_EQ(p.asked.size(), 5u);
  EXPECT_TRUE(p.asked[0].scripted);
  EXPECT_TRUE(p.asked[1].scripted);
  EXPECT_FALSE(p.asked[2].scripted);
  EXPECT_FALSE(p.asked[4].scripted);
  EXPECT_EQ(p.asked[2].text, "Results not saved! Save now?");
}

TEST(AnswerNames, RoundTrip) {
  for (Answer a : {Answer::Ok, Answer::Yes, Answer::No, Answer::Cancel, Answer::Retry,
                   Answer::NoToAll, Answer::YesToAll}) {
    EXPECT_EQ(AnswerFromName(AnswerName(a)), a);
  }
  EXPECT_FALSE(AnswerFromName("Maybe").has_value());
}

}  // namespace
}  // namespace tarvex
