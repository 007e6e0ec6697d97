// Characters outside the ASCII range: welcome in texts and comments, refused with the line
// where TOML allows none (the TOML parser in use runs into undefined behaviour there).
#include <gtest/gtest.h>

#include "runfile/RunFile.h"

namespace tarvex::runfile {
namespace {

TEST(RunFileSyntax, NonAsciiInTextsAndCommentsIsRead) {
  const char* const texts[] = {
      "# Dichte \xc3\xa9 \xc3\x8c \xef\xbc\x81\n[main]\nLen = 1\n",
      "[answers]\n\"Use I EOS for glass? \xc3\xa9\" = \"No\"\n",
      "[save]\nAddStr = 'ps\xc3\x8c'\n",
      "[save]\nAddStr = \"\"\"\n\xc3\x8c\\\"\"\"\"\n",
      "[save]\nAddStr = '''\xc3\x8c'''\n",
      "\xef\xbb\xbf[main]\nLen = 1\n",  // a byte-order mark
  };
  for (const char* text : texts) {
    const ReadResult r = ParseRunFile(text, "a.toml");
    EXPECT_TRUE(r.ok()) << text << ": " << (r.ok() ? "" : r.errors.front().Text());
  }
}

TEST(RunFileSyntax, NonAsciiBetweenTheTokensIsRefusedWithItsLine) {
  struct Case {
    const char* text;
    int32_t line;
  };
  const Case cases[] = {
      {"[main]\nLen = 1 \xc3\xa9\n", 2},
      {"[main]\n\xc3\x8cLen = 1\n", 2},
      {"[main]\nLen = \"1\" \xef\xbc\x81\n", 2},
      {"[save]\nAddStr = \"\"\"a\\\xc3\x8c\"\"\"\n", 2},
      {"[save]\nAddStr = \"\"\"a\\\n   \xc3\x8c\"\"\"\n", 3},
      {"[save]\nAddStr = \"\"\"x\"\"\"\"\" \xc3\x8c\n", 2},
      // A quote inside a bare token opens no string: the parser reads on through it.
      {"[eos.film]\nEqType =+\"Temp\xef\xbb\x95\" \n", 2},
  };
  for (const Case& c : cases) {
    const ReadResult r = ParseRunFile(c.text, "a.toml");
    ASSERT_EQ(r.errors.size(), 1u) << c.text;
    EXPECT_EQ(r.errors.front().line, c.line) << c.text;
    EXPECT_NE(r.errors.front().message.find("TOML syntax"), std::string::npos);
    EXPECT_NE(r.errors.front().message.find("outside a text or a comment"), std::string::npos)
        << r.errors.front().Text();
  }
}

}  // namespace
}  // namespace tarvex::runfile
