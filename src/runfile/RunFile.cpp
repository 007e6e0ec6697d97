// Reading run files: TOML syntax, tables, keys, value types and ranges. The tables and
// their keys come from the registry of forms and the forms' schemas, so a field added to
// a form, or a form added to the registry, is accepted here without a second list.
#include "runfile/RunFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include <toml++/toml.h>

#include "core/app/FormRegistry.h"
#include "core/common/NumStringFormat.h"

namespace tarvex::runfile {

namespace {

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// The tables of the forms, each once, in the order of the registry.
std::vector<std::string> FormTables() {
  std::vector<std::string> tables;
  for (const FormEntry& e : FormRegistry()) {
    if (std::find(tables.begin(), tables.end(), e.table) == tables.end()) {
      tables.emplace_back(e.table);
    }
  }
  return tables;
}

// The tables whose names begin with `group` + "." ("eos" -> eos.film, eos.left).
std::vector<std::string> GroupTables(std::string_view group) {
  std::vector<std::string> tables;
  for (const std::string& t : FormTables()) {
    if (t.size() > group.size() && t.compare(0, group.size(), group) == 0 &&
        t[group.size()] == '.') {
      tables.push_back(t);
    }
  }
  return tables;
}

std::string TableList(const std::vector<std::string>& tables, const char* last) {
  std::string list;
  for (size_t i = 0; i < tables.size(); ++i) {
    list += (i == 0 ? "" : (i + 1 == tables.size() ? last : ", ")) + ("[" + tables[i] + "]");
  }
  return list;
}

// ---- a guard before the TOML parser --------------------------------------------------------

// toml++ 3.3 decides whether a character outside the ASCII range is whitespace with a
// table that runs into undefined behaviour (an "unreachable" branch) for U+00A1 to
// U+0499 and U+FAC6 to U+FEFE. It asks where TOML allows no such character anyway:
// between the tokens, and right after a backslash in a multi-line basic string. The text
// is scanned the way TOML delimits strings and comments first, and a character outside
// the ASCII range at such a place is reported here, before the parser sees it.
struct NonAsciiPlace {
  SourcePos pos;
  std::string character;  // its bytes
};

std::optional<NonAsciiPlace> NonAsciiOutsideText(std::string_view text) {
  enum class In { Normal, Comment, Basic, Literal, MultiBasic, MultiLiteral };
  In in = In::Normal;
  char last = 0;  // Normal: the last character on the line that is no blank or tab
  int32_t line = 1;
  size_t lineStart = 0;
  bool escaped = false;   // MultiBasic / Basic: the previous character was a backslash
  bool skipping = false;  // MultiBasic: whitespace after a line-ending backslash
  auto quotes = [&](size_t i, char q) {
    size_t k = 0;
    while (i + k < text.size() && text[i + k] == q) ++k;
    return k;
  };
  size_t i = 0;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") i = 3;  // a byte-order mark the parser skips
  while (i < text.size()) {
    const char c = text[i];
    const bool ascii = static_cast<unsigned char>(c) < 0x80;
    const bool checked = in == In::Normal || (in == In::MultiBasic && (escaped || skipping));
    if (!ascii && checked) {
      size_t n = 1;
      while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
      return NonAsciiPlace{{line, static_cast<int32_t>(i - lineStart + 1)},
                           std::string(text.substr(i, n))};
    }
    if (c == '\n') {
      ++line;
      lineStart = i + 1;
      // A single-line string or a comment ends here (an open string is the parser's
      // error, and it stops there).
      if (in == In::Basic || in == In::Literal) return std::nullopt;
      if (in == In::Comment) in = In::Normal;
      if (in == In::MultiBasic && escaped) skipping = true;
      escaped = false;
      last = 0;
      ++i;
      continue;
    }
    switch (in) {
      case In::Normal:
        if (c == '#') {
          in = In::Comment;
        } else if ((c == '"' || c == '\'') &&
                   (last == 0 || std::string_view("=[{,.").find(last) != std::string_view::npos)) {
          // A quote opens a string only where a key or a value begins; elsewhere the
          // parser reads it as part of a bare token.
          last = c;
          const size_t k = quotes(i, c);
          if (k >= 3) {
            in = c == '"' ? In::MultiBasic : In::MultiLiteral;
            i += 3;
            continue;
          }
          if (k == 2) {  // an empty string
            i += 2;
            continue;
          }
          in = c == '"' ? In::Basic : In::Literal;
        } else if (c != ' ' && c != '\t' && c != '\r') {
          last = c;
        }
        break;
      case In::Comment:
        break;
      case In::Basic:
        if (escaped) {
          escaped = false;
        } else if (c == '\\') {
          escaped = true;
        } else if (c == '"') {
          in = In::Normal;
          last = c;
        }
        break;
      case In::Literal:
        if (c == '\'') {
          in = In::Normal;
          last = c;
        }
        break;
      case In::MultiBasic:
        if (skipping && (c == ' ' || c == '\t' || c == '\r')) break;
        skipping = false;
        if (escaped) {
          // A backslash before whitespace continues the line: the rest of the line and
          // the whitespace of the next lines are skipped.
          escaped = false;
          if (c == ' ' || c == '\t' || c == '\r') skipping = true;
        } else if (c == '\\') {
          escaped = true;
        } else if (c == '"' && quotes(i, '"') >= 3) {
          // Up to two quotes may stand just inside the closing delimiter.
          i += quotes(i, '"');
          in = In::Normal;
          last = c;
          continue;
        }
        break;
      case In::MultiLiteral:
        if (c == '\'' && quotes(i, '\'') >= 3) {
          i += quotes(i, '\'');
          in = In::Normal;
          last = c;
          continue;
        }
        break;
    }
    ++i;
  }
  return std::nullopt;
}

// Code points no text may carry: the non-characters (U+FDD0..U+FDEF and the last two of
// every plane) and U+FEFD, U+FEFE, which toml++ 3.3 mishandles (undefined behaviour under
// UBSan, found by fuzzing). Checked everywhere in the file, strings and comments
// included, before the parser sees the text.
std::optional<NonAsciiPlace> NonCharacter(std::string_view text) {
  int32_t line = 1;
  size_t lineStart = 0;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n') {
      ++line;
      lineStart = ++i;
      continue;
    }
    size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + n > text.size()) n = text.size() - i;
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    bool wellFormed = true;
    for (size_t k = 1; k < n; ++k) {
      const auto b = static_cast<unsigned char>(text[i + k]);
      if ((b & 0xC0) != 0x80) wellFormed = false;
      cp = (cp << 6) | (b & 0x3F);
    }
    // Malformed sequences are the parser's error; only whole characters are judged here.
    if (wellFormed && n > 1 &&
        ((cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE || cp == 0xFEFD ||
         cp == 0xFEFE)) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      std::string code;
      for (char32_t v = cp; v != 0 || code.size() < 4; v >>= 4) code.insert(0, 1, kHex[v & 0xF]);
      return NonAsciiPlace{{line, static_cast<int32_t>(i - lineStart + 1)}, "U+" + code};
    }
    i += n == 0 ? 1 : n;
  }
  return std::nullopt;
}

// ---- reading values -------------------------------------------------------------------

std::string TypeName(const toml::node& n) {
  switch (n.type()) {
    case toml::node_type::string:
      return "a text";
    case toml::node_type::integer:
      return "an integer";
    case toml::node_type::floating_point:
      return "a floating-point number";
    case toml::node_type::boolean:
      return "a boolean";
    case toml::node_type::array:
      return "an array";
    case toml::node_type::table:
      return "a table";
    case toml::node_type::date:
      return "a date";
    case toml::node_type::time:
      return "a time";
    case toml::node_type::date_time:
      return "a date-time";
    default:
      return "nothing";
  }
}

SourcePos PosOf(const toml::source_region& r) {
  return {static_cast<int32_t>(r.begin.line), static_cast<int32_t>(r.begin.column)};
}

class Reader {
 public:
  Reader(std::string_view text, ReadResult& result) : result_(result) {
    std::string line;
    std::istringstream in{std::string(text)};
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines_.push_back(line);
    }
  }

  void Error(SourcePos pos, std::string_view table, std::string_view key, std::string message) {
    result_.errors.push_back(
        {result_.file.name, pos.line, std::string(table), std::string(key), std::move(message)});
  }

  void ReadTable(std::string_view table, const toml::node& node, SourcePos keyPos,
                 TableSettings& out) {
    const toml::table* t = node.as_table();
    if (t == nullptr) {
      Error(keyPos, table, "",
            "must be a table ([" + std::string(table) + "]), not " + TypeName(node));
      return;
    }
    out.present = true;
    out.pos = PosOf(t->source());
    if (out.pos.line == 0) out.pos = keyPos;
    const std::vector<KeyInfo> keys = TableKeys(table);
    for (const auto& [k, v] : *t) {
      const std::string key(k.str());
      const SourcePos pos = PosOf(k.source());
      const auto info =
          std::find_if(keys.begin(), keys.end(), [&](const KeyInfo& i) { return i.key == key; });
      if (info == keys.end()) {
        Error(pos, table, key, UnknownKeyMessage(table, key, keys));
        continue;
      }
      Setting s;
      s.key = key;
      s.pos = pos;
      if (ReadValue(table, *info, v, pos, s.value)) out.settings.push_back(std::move(s));
    }
    std::sort(out.settings.begin(), out.settings.end(), [](const Setting& a, const Setting& b) {
      return a.pos.line != b.pos.line ? a.pos.line < b.pos.line : a.pos.column < b.pos.column;
    });
  }

  void ReadAnswers(const toml::node& node, SourcePos keyPos) {
    const toml::table* t = node.as_table();
    if (t == nullptr) {
      Error(keyPos, kTableAnswers, "", "must be a table ([answers]), not " + TypeName(node));
      return;
    }
    for (const auto& [k, v] : *t) {
      const std::string question(k.str());
      const SourcePos pos = PosOf(k.source());
      if (question.empty()) {
        Error(pos, kTableAnswers, question, "the question text is empty");
        continue;
      }
      const auto* name = v.as_string();
      if (name == nullptr) {
        Error(pos, kTableAnswers, question,
              "expected an answer name (" + AnswerNames() + "), got " + TypeName(v));
        continue;
      }
      const std::optional<Answer> a = AnswerByName(name->get());
      if (!a) {
        Error(pos, kTableAnswers, question,
              "unknown answer " + Quoted(name->get()) + "; the answers are " + AnswerNames());
        continue;
      }
      result_.file.answers.push_back({question, *a, pos});
    }
  }

  void ReadLoad(const toml::node& node, SourcePos pos) {
    const auto* s = node.as_string();
    if (s == nullptr) {
      Error(pos, "", kKeyLoad, "expected the file name of a saved profile, got " + TypeName(node));
      return;
    }
    if (const std::string c = ControlCharacterIn(s->get()); !c.empty()) {
      Error(pos, "", kKeyLoad, "a file name may hold no control character; found " + c);
      return;
    }
    Setting setting;
    setting.key = std::string(kKeyLoad);
    setting.pos = pos;
    setting.value.kind = FieldKind::Text;
    setting.value.text = s->get();
    result_.file.load = std::move(setting);
  }

 private:
  static std::string AnswerNames() {
    std::string names;
    for (Answer a : {Answer::Yes, Answer::No, Answer::Ok, Answer::Cancel, Answer::Retry,
                     Answer::NoToAll, Answer::YesToAll}) {
      names += (names.empty() ? "" : ", ") + Quoted(AnswerName(a));
    }
    return names;
  }

  // Answer names are matched without regard to case ("ok" is "OK").
  static std::optional<Answer> AnswerByName(std::string_view name) {
    for (Answer a : {Answer::Yes, Answer::No, Answer::Ok, Answer::Cancel, Answer::Retry,
                     Answer::NoToAll, Answer::YesToAll}) {
      if (Lower(name) == Lower(AnswerName(a))) return a;
    }
    return std::nullopt;
  }

  static std::string UnknownKeyMessage(std::string_view table, const std::string& key,
                                       const std::vector<KeyInfo>& keys) {
    std::string msg = "unknown key";
    for (const KeyInfo& i : keys) {
      if (Lower(i.key) == Lower(key)) return msg + "; did you mean " + i.key + "?";
    }
    // A key of another form: say where it belongs.
    std::vector<std::string> homes;
    for (const std::string& other : KnownTables()) {
      if (other == table) continue;
      for (const KeyInfo& i : TableKeys(other)) {
        if (i.key == key) homes.push_back("[" + other + "]");
      }
    }
    if (!homes.empty()) {
      std::string list;
      for (const std::string& h : homes) list += (list.empty() ? "" : " or ") + h;
      return msg + " in [" + std::string(table) + "]; " + key + " belongs in " + list;
    }
    return msg + " in [" + std::string(table) + "]";
  }

  // The text of a TOML number as written, so that "0.1" reaches the field as the text
  // "0.1" and reads as the extended-precision 0.1, not as the double nearest to it.
  std::string FloatText(const toml::value<double>& v) const {
    const toml::source_region& r = v.source();
    const double d = v.get();
    if (r.begin.line == r.end.line && r.begin.line >= 1 && r.begin.line <= lines_.size() &&
        r.end.column > r.begin.column) {
      const std::string& line = lines_[r.begin.line - 1];
      const size_t from = r.begin.column - 1;
      const size_t n = r.end.column - r.begin.column;
      if (from + n <= line.size()) {
        std::string text = line.substr(from, n);
        std::string plain;
        bool numeric = true;
        for (char c : text) {
          if (c == '_') continue;
          numeric = numeric && (std::isdigit(static_cast<unsigned char>(c)) || c == '.' ||
                                c == 'e' || c == 'E' || c == '+' || c == '-');
          plain.push_back(c);
        }
        // Trust the text only when it is the number toml++ read.
        double check = 0;
        if (numeric && !plain.empty()) {
          const char* first = plain.c_str() + (plain[0] == '+' ? 1 : 0);
          const auto res = std::from_chars(first, plain.c_str() + plain.size(), check);
          if (res.ec == std::errc() && res.ptr == plain.c_str() + plain.size() && check == d) {
            return text;
          }
        }
      }
    }
    // Shortest text of the double.
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, res.ptr);
  }

  bool ReadValue(std::string_view table, const KeyInfo& info, const toml::node& v, SourcePos pos,
                 SettingValue& out) {
    out.kind = info.kind;
    switch (info.kind) {
      case FieldKind::Number: {
        if (const auto* i = v.as_integer()) {
          out.text = std::to_string(i->get());
        } else if (const auto* f = v.as_floating_point()) {
          out.text = FloatText(*f);
        } else if (const auto* s = v.as_string()) {
          out.text = s->get();
        } else {
          Error(pos, table, info.key,
                "expected a number or a text the number format reads, got " + TypeName(v));
          return false;
        }
        const TNumStringFormat format;
        const TConvertStatus st = format.Parse(out.text, out.number);
        if (st == TConvertStatus::OutOfRange) {
          Error(pos, table, info.key, Quoted(out.text) + " is beyond the range of numbers");
          return false;
        }
        if (st != TConvertStatus::Ok || !std::isfinite(out.number)) {
          Error(pos, table, info.key, Quoted(out.text) + " is not a number");
          return false;
        }
        return true;
      }
      case FieldKind::Integer: {
        const auto* i = v.as_integer();
        if (i == nullptr) {
          Error(pos, table, info.key, "expected an integer, got " + TypeName(v));
          return false;
        }
        if (i->get() < info.lo || i->get() > info.hi) {
          Error(pos, table, info.key,
                std::to_string(i->get()) + " is out of range: " + info.key + " takes " +
                    std::to_string(info.lo) + " .. " + std::to_string(info.hi));
          return false;
        }
        out.index = static_cast<int32_t>(i->get());
        return true;
      }
      case FieldKind::Choice: {
        if (const auto* i = v.as_integer()) {
          if (i->get() < info.lo || i->get() > info.hi) {
            Error(pos, table, info.key,
                  "item " + std::to_string(i->get()) + " is out of range: " + info.key + " takes " +
                      std::to_string(info.lo) + " .. " + std::to_string(info.hi) +
                      (info.lo < 0 ? " (-1: nothing selected)" : "") + " or " + ItemList(info));
            return false;
          }
          out.index = static_cast<int32_t>(i->get());
          return true;
        }
        const auto* s = v.as_string();
        if (s == nullptr) {
          Error(pos, table, info.key,
                "expected an item (" + ItemList(info) + ") or its index, got " + TypeName(v));
          return false;
        }
        const std::string given = WithoutAmpersand(s->get());
        for (size_t k = 0; k < info.items.size(); ++k) {
          if (given == info.items[k]) {
            out.index = static_cast<int32_t>(k);
            out.text = info.items[k];
            return true;
          }
        }
        // Further names of the items (the model list takes the catalog's stable ids).
        for (size_t k = 0; k < info.aliases.size() && k < info.items.size(); ++k) {
          if (!info.aliases[k].empty() && given == info.aliases[k]) {
            out.index = static_cast<int32_t>(k);
            out.text = info.items[k];
            return true;
          }
        }
        Error(pos, table, info.key,
              "unknown item " + Quoted(s->get()) + "; one of " + ItemList(info));
        return false;
      }
      case FieldKind::Check: {
        const auto* b = v.as_boolean();
        if (b == nullptr) {
          Error(pos, table, info.key, "expected true or false, got " + TypeName(v));
          return false;
        }
        out.on = b->get();
        return true;
      }
      case FieldKind::Text: {
        const auto* s = v.as_string();
        if (s == nullptr) {
          Error(pos, table, info.key, "expected a text, got " + TypeName(v));
          return false;
        }
        if (const std::string c = ControlCharacterIn(s->get()); !c.empty()) {
          Error(pos, table, info.key, "a text may hold no control character; found " + c);
          return false;
        }
        out.text = s->get();
        return true;
      }
    }
    return false;
  }

  static std::string ItemList(const KeyInfo& info) {
    std::string list;
    for (const std::string& i : info.items) list += (list.empty() ? "" : ", ") + Quoted(i);
    return list;
  }

  ReadResult& result_;
  std::vector<std::string> lines_;
};

}  // namespace

const std::vector<std::string>& KnownTables() {
  static const std::vector<std::string> tables = [] {
    std::vector<std::string> t = FormTables();
    t.emplace_back(kTableAnswers);
    return t;
  }();
  return tables;
}

std::vector<KeyInfo> TableKeys(std::string_view table) {
  const FormEntry* e = FindFormEntry(table);
  return e != nullptr ? e->fields() : std::vector<KeyInfo>{};
}

const Setting* TableSettings::Find(std::string_view key) const {
  for (const Setting& s : settings)
    if (s.key == key) return &s;
  return nullptr;
}

RunFile::RunFile() {
  for (const std::string& t : FormTables()) tables.emplace_back(t, TableSettings{});
}

TableSettings* RunFile::Table(std::string_view table) {
  return const_cast<TableSettings*>(std::as_const(*this).Table(table));
}

const TableSettings* RunFile::Table(std::string_view table) const {
  for (const auto& [tableName, settings] : tables) {
    if (tableName == table) return &settings;
  }
  return nullptr;
}

std::string RunFileError::Text() const {
  std::string out = file;
  if (line > 0) out += ":" + std::to_string(line);
  out += ": error: ";
  if (!table.empty()) out += "[" + table + "] ";
  if (!key.empty()) out += key + ": ";
  return out + message;
}

ReadResult ParseRunFile(std::string_view text, const std::string& name) {
  ReadResult result;
  result.file.name = name;
  Reader reader(text, result);
  if (const std::optional<NonAsciiPlace> bad = NonCharacter(text)) {
    reader.Error(bad->pos, "", "",
                 "the character " + bad->character +
                     " is not a text character (a non-character "
                     "or an unassigned code point); a run file may not hold it");
    return result;
  }
  if (const std::optional<NonAsciiPlace> bad = NonAsciiOutsideText(text)) {
    reader.Error(bad->pos, "", "",
                 "TOML syntax: \"" + bad->character +
                     "\" stands outside a text or a comment, where only ASCII characters may");
    return result;
  }
  toml::table root;
  try {
    root = toml::parse(text, std::string_view(name));
  } catch (const toml::parse_error& e) {
    reader.Error(PosOf(e.source()), "", "", "TOML syntax: " + std::string(e.description()));
    return result;
  }

  for (const auto& [k, node] : root) {
    const std::string key(k.str());
    const SourcePos pos = PosOf(k.source());
    if (key == kKeyLoad) {
      reader.ReadLoad(node, pos);
    } else if (const std::vector<std::string> group = GroupTables(key); !group.empty()) {
      // A group of tables of one form ([eos.film], [eos.left]).
      const toml::table* sub = node.as_table();
      if (sub == nullptr) {
        reader.Error(pos, "", key, "must hold the tables " + TableList(group, " and "));
        continue;
      }
      const std::string form(FindFormEntry(group.front())->form);
      for (const auto& [subKey, subNode] : *sub) {
        const std::string table = key + "." + std::string(subKey.str());
        const SourcePos subPos = PosOf(subKey.source());
        if (TableSettings* t = result.file.Table(table)) {
          reader.ReadTable(table, subNode, subPos, *t);
        } else if (subNode.is_table()) {
          reader.Error(
              subPos, table, "",
              "unknown table; the tables of " + form + " are " + TableList(group, " and "));
        } else {
          reader.Error(
              subPos, key, std::string(subKey.str()),
              "unknown key; the settings of " + form + " go into " + TableList(group, " or "));
        }
      }
    } else if (key == kTableAnswers) {
      reader.ReadAnswers(node, pos);
    } else if (TableSettings* t = result.file.Table(key)) {
      reader.ReadTable(key, node, pos, *t);
    } else {
      const auto planned = PlannedForms();
      const auto missing = std::find_if(planned.begin(), planned.end(),
                                        [&](const PlannedForm& m) { return m.table == key; });
      if (missing != planned.end()) {
        reader.Error(pos, key, "",
                     "not available in this version (" + std::string(missing->what) +
                         " is not part of it yet)");
      } else if (node.is_table()) {
        std::string list;
        for (const std::string& known : KnownTables())
          list += (list.empty() ? "" : ", ") + ("[" + known + "]");
        reader.Error(pos, key, "", "unknown table; the tables are " + list);
      } else {
        reader.Error(pos, "", key,
                     "unknown key at the top level (only `load` stands outside a table)");
      }
    }
  }

  // A form that takes over another's keys ([initial] those of [main]): two values for one
  // field would leave the reader guessing which one counts.
  for (const FormEntry& e : FormRegistry()) {
    if (e.sharesKeysWith.empty()) continue;
    const TableSettings* own = result.file.Table(e.table);
    const TableSettings* other = result.file.Table(e.sharesKeysWith);
    const FormEntry* otherEntry = FindFormEntry(e.sharesKeysWith);
    for (const Setting& s : own->settings) {
      const Setting* first = other->Find(s.key);
      if (first == nullptr) continue;
      reader.Error(s.pos, e.table, s.key,
                   "also given in [" + std::string(e.sharesKeysWith) + "] (line " +
                       std::to_string(first->pos.line) + "); " + std::string(otherEntry->form) +
                       " hands it to " + std::string(e.form) + ": give it in one table only");
    }
  }

  std::stable_sort(result.errors.begin(), result.errors.end(),
                   [](const RunFileError& a, const RunFileError& b) { return a.line < b.line; });
  return result;
}

ReadResult ReadRunFile(const std::string& path) {
  // Only a regular file of a sane size is read: a directory would read as an empty file,
  // a device like /dev/zero without end, and a FIFO would block until a writer comes.
  {
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(path, ec);
    std::string why;
    if (ec || !std::filesystem::exists(st)) {
      why = "cannot open the run file: " +
            (ec ? ec.message()
                : std::make_error_code(std::errc::no_such_file_or_directory).message());
    } else if (std::filesystem::is_directory(st)) {
      why = "the run file is a directory, not a file";
    } else if (!std::filesystem::is_regular_file(st)) {
      why = "the run file is not a regular file (a device, FIFO or socket)";
    } else if (const std::uintmax_t size = std::filesystem::file_size(path, ec);
               ec || size > kMaxRunFileBytes) {
      why = ec ? "cannot read the run file: " + ec.message()
               : "the run file has " + std::to_string(size) + " bytes; a run file has at most " +
                     std::to_string(kMaxRunFileBytes) + " (4 MB)";
    }
    if (!why.empty()) {
      ReadResult r;
      r.file.name = path;
      r.errors.push_back({path, 0, "", "", why});
      return r;
    }
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    ReadResult r;
    r.file.name = path;
    std::error_code ec(errno, std::generic_category());
    r.errors.push_back({path, 0, "", "", "cannot open the run file: " + ec.message()});
    return r;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) {
    ReadResult r;
    r.file.name = path;
    r.errors.push_back({path, 0, "", "", "cannot read the run file"});
    return r;
  }
  ReadResult r = ParseRunFile(text.str(), path);
  r.file.folder = std::filesystem::path(path).parent_path().string();
  return r;
}

std::string Quoted(std::string_view text) {
  std::string q;
  q.reserve(text.size() + 2);
  q.push_back('"');
  q.append(text);
  q.push_back('"');
  return q;
}

std::string ExactText(Real x) {
  char buf[80];
  const auto res = std::to_chars(buf, buf + sizeof buf, x);
  return std::string(buf, res.ptr);
}

}  // namespace tarvex::runfile
