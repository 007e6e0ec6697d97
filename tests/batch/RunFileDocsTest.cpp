// docs/run-files.md is what the code generates from the forms' schemas, and documents every
// table and key the runner accepts, and nothing else: the key tables of the document are
// read back and compared with the forms' lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "batch/BatchMain.h"
#include "batch/RunFileDocs.h"
#include "runfile/RunFile.h"

namespace tarvex::batch {

using namespace tarvex::runfile;
namespace {

struct DocSection {
  std::vector<std::string> tables;  // the tables named in the heading
  std::set<std::string> keys;       // first cells of the key rows
};

// "## [eos.film] and [eos.left] — ..." opens a section for both tables, "## Top level"
// one for the keys outside tables; rows "| `Key` | ..." list the keys.
std::vector<DocSection> ReadDoc(const std::string& path) {
  std::ifstream in(path);
  EXPECT_TRUE(in) << path;
  std::vector<DocSection> sections;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) {
      DocSection s;
      if (line == "## Top level") s.tables.emplace_back("");
      // Every "[name]" of lower-case letters and dots names a table.
      for (size_t open = line.find('['); open != std::string::npos;
           open = line.find('[', open + 1)) {
        const size_t close = line.find(']', open);
        if (close == std::string::npos) break;
        const std::string name = line.substr(open + 1, close - open - 1);
        if (!name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
              return (c >= 'a' && c <= 'z') || c == '.';
            })) {
          s.tables.push_back(name);
        }
      }
      sections.push_back(std::move(s));
      continue;
    }
    // A key row: "| `Key` | ...".
    if (!sections.empty() && line.rfind("| `", 0) == 0) {
      const size_t end = line.find('`', 3);
      if (end != std::string::npos && line.compare(end, 3, "` |") == 0) {
        sections.back().keys.insert(line.substr(3, end - 3));
      }
    }
  }
  return sections;
}

std::set<std::string> AcceptedKeys(const std::string& table) {
  std::set<std::string> keys;
  if (table.empty()) keys.insert(std::string(kKeyLoad));
  for (const KeyInfo& k : TableKeys(table)) keys.insert(k.key);
  return keys;
}

TEST(RunFileDocs, EveryAcceptedKeyIsDocumentedInItsTable) {
  const std::vector<DocSection> doc = ReadDoc(TARVEX_SOURCE_DIR "/docs/run-files.md");
  std::vector<std::string> tables = KnownTables();
  tables.emplace_back("");  // the top level
  for (const std::string& table : tables) {
    const auto section = std::find_if(doc.begin(), doc.end(), [&](const DocSection& s) {
      return std::find(s.tables.begin(), s.tables.end(), table) != s.tables.end();
    });
    ASSERT_NE(section, doc.end()) << "no section for [" << table << "]";
    for (const std::string& key : AcceptedKeys(table)) {
      EXPECT_TRUE(section->keys.count(key)) << "[" << table << "] " << key << " is not documented";
    }
  }
}

TEST(RunFileDocs, EveryDocumentedKeyIsAccepted) {
  const std::vector<DocSection> doc = ReadDoc(TARVEX_SOURCE_DIR "/docs/run-files.md");
  for (const DocSection& s : doc) {
    // [answers] has no fixed keys: its rows list questions.
    if (s.tables.empty() || s.tables.front() == kTableAnswers) continue;
    for (const std::string& key : s.keys) {
      bool accepted = false;
      for (const std::string& table : s.tables)
        accepted = accepted || AcceptedKeys(table).count(key);
      EXPECT_TRUE(accepted) << key << " is documented for [" << s.tables.front()
                            << "] but not accepted there";
    }
  }
}

TEST(RunFileDocs, CommittedFileIsWhatTheCodeGenerates) {
  std::ifstream in(TARVEX_SOURCE_DIR "/docs/run-files.md", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(text.str() == RunFileDocsText())
      << "docs/run-files.md is out of date: regenerate it with\n"
         "  build/release/src/batch/tarvex1l-run --write-docs docs/run-files.md";
}

TEST(RunFileDocs, ExitCodesAreDocumented) {
  std::ifstream in(TARVEX_SOURCE_DIR "/docs/run-files.md");
  std::stringstream text;
  text << in.rdbuf();
  for (int code :
       {kExitOk, kExitUsage, kExitBadRunFile, kExitRunFailed, kExitInterrupted, kExitIoFailure}) {
    EXPECT_NE(text.str().find("\n| " + std::to_string(code) + " | "), std::string::npos) << code;
  }
}

}  // namespace
}  // namespace tarvex::batch
