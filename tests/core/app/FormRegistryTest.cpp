// The registry of run-file tables: every line names keys its form has, every key is
// documented and coherent, and a bound form answers with the schema the line lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "core/app/AppModel.h"
#include "core/app/FormRegistry.h"

namespace tarvex {
namespace {

TEST(FormRegistry, LinesAndSchemasAreCoherent) {
  ScriptedPrompter prompter;
  AppModel app(prompter);
  std::set<std::string> tables;
  for (const FormEntry& e : FormRegistry()) {
    SCOPED_TRACE(std::string(e.table));
    tables.emplace(e.table);
    EXPECT_EQ(FindFormEntry(e.table)->table, e.table);
    const std::vector<FieldSchema>& fields = e.fields();
    ASSERT_FALSE(fields.empty());
    for (std::string_view key : e.keys) {
      EXPECT_TRUE(std::any_of(fields.begin(), fields.end(),
                              [&](const FieldSchema& f) { return f.key == key; }))
          << key << " is not a key of the form";
    }
    std::set<std::string> keys;
    for (const FieldSchema& f : fields) {
      SCOPED_TRACE(f.key);
      EXPECT_TRUE(keys.insert(f.key).second) << "duplicate key";
      EXPECT_FALSE(f.doc.meaning.empty());
      EXPECT_FALSE(f.doc.defaultText.empty());
      if (f.kind == FieldKind::Choice) {
        EXPECT_GE(f.lo, -1);
        EXPECT_LE(f.hi, static_cast<int32_t>(f.items.size()) - 1);
        EXPECT_TRUE(f.aliases.empty() || f.aliases.size() == f.items.size());
      }
      if (f.kind == FieldKind::Integer) {
        EXPECT_LE(f.lo, f.hi);
      }
    }
    const std::unique_ptr<FormBinding> form = e.bind(app, {});
    EXPECT_EQ(&form->Fields(), &fields);
    if (!e.sharesKeysWith.empty()) {
      EXPECT_NE(FindFormEntry(e.sharesKeysWith), nullptr);
    }
    if (!e.docWith.empty()) {
      EXPECT_NE(FindFormEntry(e.docWith), nullptr);
    }
  }
  for (const PlannedForm& p : PlannedForms()) EXPECT_FALSE(tables.count(std::string(p.table)));
}

// A fresh program reads back the defaults of its forms: every key a printed table holds is
// one the reader takes again.
TEST(FormRegistry, FreshFormsReadBackTheirDefaults) {
  ScriptedPrompter prompter;
  AppModel app(prompter);
  for (const FormEntry& e : FormRegistry()) {
    const std::unique_ptr<FormBinding> form = e.bind(app, {});
    if (!form->TablePrinted()) continue;
    for (const FieldSchema& f : form->Fields()) {
      if (!form->Printed(f)) continue;
      const std::optional<FormValue> v = form->Get(f);
      if (!v) continue;
      SCOPED_TRACE(std::string(e.table) + "." + f.key);
      if (f.kind == FieldKind::Integer || f.kind == FieldKind::Choice) {
        EXPECT_GE(v->index, f.lo);
        EXPECT_LE(v->index, f.hi);
      }
    }
  }
}

}  // namespace
}  // namespace tarvex
