// Loading and saving table sets: the sequence of files and questions.
#include "core/eos/EosTableIO.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <system_error>

#include "core/common/AtomicFile.h"

namespace tarvex {

namespace {

// A set holds at most this many further (display-only) tables; more are not offered.
constexpr size_t kMaxOtherTables = 16;

struct KnownTable {
  const char* file;      // name of the file without ".tab" as read
  const char* caption;   // page caption
  const char* question;  // asked before loading; nullptr: loaded without a question
  TTableKind kind;
};

constexpr KnownTable kOptional[] = {
    {"physid", "Phys&Id", nullptr, TTableKind::PhaseId},
    {"PhsMix", "PhsMi&x", nullptr, TTableKind::PhaseMix},
    {"hcapav", "&HcapaV", "Load isochoric heat capacity table?", TTableKind::HeatCapacity},
    {"sndvls", "&SndVls", "Load adiabatic sound velocity table?", TTableKind::SoundVelocity},
    {"entrop", "e&ntropy", "Load entropy table?", TTableKind::Other},
    {"SndVlT", "&SndVlT", "Load Isothermal sound velocity table?", TTableKind::Other},
    {"HcapaP", "&HcapaP", "Load Isobaric heat capacity table?", TTableKind::Other},
    {"Enthal", "&Enthal", "Load Specific enthalpy table?", TTableKind::Other},
    {"Frener", "&Frener", "Load Gibbs free energy table?", TTableKind::Other},
};

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string WithoutMark(std::string_view caption) {
  std::string out;
  for (char c : caption) {
    if (c != '&') out += c;
  }
  return out;
}

// Reads a real table of the set's grid; the question for a word in a number column goes
// to the prompter.
bool ReadReal(const std::filesystem::path& path, const TEosTableSet& set, Prompter& prompter,
              RealArray& values, std::string& message) {
  std::string text;
  if (!ReadTableFile(path, text, message)) return false;
  const TAllowWord allow = [&prompter](const std::string& field, int32_t column) {
    return prompter.Ask(
               "Allow \"" + field + "\" in tab " + std::to_string(column) + " of numbers line",
               AnswerSet::YesNo()) == Answer::Yes;
  };
  TableFileError err;
  if (!ParseRealTable(text, path.filename().string(), set.NT(), set.NV(), allow, values, err)) {
    message = err.Text();
    return false;
  }
  return true;
}

bool ReadGrid(const std::filesystem::path& folder, const char* name, Real multiplier,
              RealArray& grid, bool& present, std::string& message) {
  const std::filesystem::path path = FindTableFile(folder, name);
  present = !path.empty();
  if (!present) return true;
  std::string text;
  if (!ReadTableFile(path, text, message)) return false;
  TableFileError err;
  if (!ParseGridFile(text, path.filename().string(), multiplier, grid, err)) {
    message = err.Text();
    return false;
  }
  return true;
}

// After a grid file replaced the generated grid: its ends, count and step.
void UpdateFromGrid(const RealArray& g, Real& first, Real& last, int32_t& n, bool& logarithmic,
                    Real& step, std::string& label) {
  first = g.front();
  last = g.back();
  n = static_cast<int32_t>(g.size());
  logarithmic = label != "Lin";
  step = 0;
  if (!logarithmic) {
    step = (last - first) / (n - 1);
    return;
  }
  label = "Log";
  if (first > 0 && last > 0) {
    step = std::log(last / first) / (n - 1);
    label += " " + TNumStringFormat(TFloatFormat::ffGeneral, 8).FormatValue(std::exp(step));
  }
}

bool WriteOne(const std::filesystem::path& path, const std::string& content, TEosTableSave& out) {
  const FileWriteResult r = WriteFileAtomically(path, content);
  if (!r) {
    out.message = r.message;
    return false;
  }
  out.written.push_back(path.filename().string());
  return true;
}

}  // namespace

namespace {

template <class Set>
auto* ValuesOfKind(Set& set, TTableKind kind) {
  using Values = decltype(&set.Pressure);
  switch (kind) {
    case TTableKind::Pressure:
      return &set.Pressure;
    case TTableKind::Energy:
      return &set.Energy;
    case TTableKind::PhaseMix:
      return &set.PhaseMix;
    case TTableKind::HeatCapacity:
      return &set.HeatCapacity;
    case TTableKind::SoundVelocity:
      return &set.SoundVelocity;
    default:
      return Values{nullptr};
  }
}

}  // namespace

const RealArray* TableValues(const TEosTableSet& set, TTableKind kind) {
  return ValuesOfKind(set, kind);
}

RealArray* TableValues(TEosTableSet& set, TTableKind kind) {
  return ValuesOfKind(set, kind);
}

TEosTableDescriptionRead ReadEosTableDescription(const std::filesystem::path& manPath) {
  TEosTableDescriptionRead r;
  std::string text;
  if (!ReadTableFile(manPath, text, r.message)) return r;
  TableFileError err;
  if (!ParseTableDescription(text, manPath.filename().string(), r.description, err)) {
    r.message = err.Text();
    return r;
  }
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(manPath, ec);
  r.folder = (ec ? manPath : absolute).parent_path();
  std::string name = r.folder.filename().string();
  if (name.empty()) name = r.folder.string();
  r.label = r.description.eosFile.empty() ? name : r.description.eosFile + " " + name;
  r.ok = true;
  return r;
}

TEosTableLoad LoadEosTables(const TEosTableDescriptionRead& read, Prompter& prompter) {
  TEosTableLoad out;
  if (!read.ok) {
    out.message = read.message.empty() ? "no description has been read" : read.message;
    return out;
  }
  auto set = std::make_shared<TEosTableSet>();
  set->description = read.description;
  set->folder = read.folder.string();
  set->label = read.label;
  TTableDescription& d = set->description;

  // Grids: the files when present, else generated from the description.
  RealArray TGrid;
  RealArray VGrid;
  bool present = false;
  if (!ReadGrid(read.folder, "temper.in", d.TMult, TGrid, present, out.message)) return out;
  if (present) {
    UpdateFromGrid(TGrid, d.TIni, d.TFin, d.NT, d.TLog, d.TStep, d.TGridLabel);
  } else if (!MakeTableGrid(d.TIni, d.TFin, d.NT, d.TLog, TGrid, out.message)) {
    out.message = "temperature grid of the description: " + out.message;
    return out;
  }
  if (!ReadGrid(read.folder, "volume.in", 1, VGrid, present, out.message)) return out;
  if (present) {
    UpdateFromGrid(VGrid, d.VIni, d.VFin, d.NV, d.VLog, d.VStep, d.VGridLabel);
  } else if (!MakeTableGrid(d.VIni, d.VFin, d.NV, d.VLog, VGrid, out.message)) {
    out.message = "volume grid of the description: " + out.message;
    return out;
  }
  if (!set->SetGrids(std::move(TGrid), std::move(VGrid), out.message)) return out;

  // Required tables.
  const struct {
    const char* file;
    const char* missing;
    TTableKind kind;
  } required[] = {{"Pressu", "No pressure table", TTableKind::Pressure},
                  {"Energy", "No energy table", TTableKind::Energy}};
  for (const auto& r : required) {
    const std::filesystem::path path = FindTableFile(read.folder, std::string(r.file) + ".tab");
    if (path.empty()) {
      out.memo.emplace_back(r.missing);
      out.message = r.missing;
      return out;
    }
    if (!ReadReal(path, *set, prompter, *TableValues(*set, r.kind), out.message)) {
      out.memo.push_back(out.message);
      return out;
    }
  }

  // Optional tables: a damaged one is left out with a line in the memo.
  std::vector<std::string> captions = {"&Pressu", "&Energy"};
  bool cancelled = false;
  for (const KnownTable& t : kOptional) {
    if (cancelled) break;
    const std::filesystem::path path = FindTableFile(read.folder, std::string(t.file) + ".tab");
    if (path.empty()) continue;
    if (t.question != nullptr) {
      const Answer a = prompter.Ask(t.question, AnswerSet::YesNoCancel());
      if (a == Answer::Cancel) cancelled = true;
      if (a != Answer::Yes) continue;
    }
    std::string message;
    bool ok = false;
    if (t.kind == TTableKind::PhaseId) {
      std::string text;
      TableFileError err;
      ok = ReadTableFile(path, text, message) &&
           ParsePhaseTable(text, path.filename().string(), set->NT(), set->NV(), set->PhaseId, err);
      if (!ok && message.empty()) message = err.Text();
    } else if (RealArray* slot = TableValues(*set, t.kind)) {
      ok = ReadReal(path, *set, prompter, *slot, message);
    } else {
      TEosDisplayTable table{t.file, t.caption, {}};
      ok = ReadReal(path, *set, prompter, table.values, message);
      if (ok) set->Others.push_back(std::move(table));
    }
    if (ok) {
      captions.emplace_back(t.caption);
    } else {
      out.memo.push_back(message + " (table not loaded)");
    }
  }

  // Any further "*.tab" of the folder.
  std::vector<std::filesystem::path> extra;
  std::error_code ec;
  std::filesystem::directory_iterator it(read.folder, ec);
  for (const std::filesystem::directory_iterator end; !ec && it != end; it.increment(ec)) {
    const std::filesystem::path& p = it->path();
    if (Lower(p.extension().string()) == ".tab" && it->is_regular_file(ec)) extra.push_back(p);
    if (extra.size() > 4096) break;
  }
  std::sort(extra.begin(), extra.end());
  for (const std::filesystem::path& p : extra) {
    if (cancelled) break;
    const std::string stem = p.stem().string();
    const std::string lower = Lower(stem);
    bool known = lower == "pressu" || lower == "energy";
    for (const KnownTable& t : kOptional) known = known || lower == Lower(t.file);
    for (const std::string& c : captions)
      known = known || Lower(WithoutMark(c)).find(lower) != std::string::npos;
    if (known || lower.empty()) continue;
    if (set->Others.size() >= kMaxOtherTables) {
      out.memo.push_back(p.filename().string() + " not offered: a set holds at most " +
                         std::to_string(kMaxOtherTables) + " further tables");
      continue;
    }
    const Answer a = prompter.Ask("Load " + stem + " table?", AnswerSet::YesNoCancel());
    if (a == Answer::Cancel) cancelled = true;
    if (a != Answer::Yes) continue;
    TEosDisplayTable table{stem, "&" + stem, {}};
    std::string message;
    if (ReadReal(p, *set, prompter, table.values, message)) {
      captions.push_back(table.caption);
      set->Others.push_back(std::move(table));
    } else {
      out.memo.push_back(message + " (table not loaded)");
    }
  }

  out.set = std::move(set);
  out.ok = true;
  return out;
}

TEosTableLoad LoadEosTableSet(const std::filesystem::path& manPath, Prompter& prompter) {
  return LoadEosTables(ReadEosTableDescription(manPath), prompter);
}

TEosTableSave SaveEosTableSet(const TEosTableSet& set, const std::vector<std::string>& manLines,
                              const std::filesystem::path& manPath, Prompter* prompter) {
  TEosTableSave out;
  const std::filesystem::path folder = manPath.parent_path();
  std::error_code ec;
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) {
    std::filesystem::create_directories(folder, ec);
    if (ec) {
      out.message = "Cannot create the folder \"" + folder.string() + "\": " + ec.message();
      return out;
    }
  }
  const auto at = [&folder](const std::string& name) { return folder / name; };
  std::string man;
  for (const std::string& line : manLines) man += line + "\r\n";
  if (!WriteOne(manPath, man, out)) return out;

  // "temper.in" in the description's unit: reading multiplies by TMult again.
  const Real TMult = set.description.TMult != 0 ? set.description.TMult : Real(1);
  RealArray T = set.TGrid();
  for (Real& x : T) x /= TMult;
  const TNumStringFormat grid = TableGridFormat();
  if (!WriteOne(at("temper.in"), FormatGridFile(T, grid), out)) return out;
  if (!WriteOne(at("volume.in"), FormatGridFile(set.VGrid(), grid), out)) return out;
  out.summary = "Saved: temper, volume";

  const TNumStringFormat value = TableValueFormat();
  const auto writeReal = [&](const std::string& name, const RealArray& values) {
    if (!WriteOne(at(name + ".tab"), FormatRealTable(set.NT(), set.NV(), values, value), out)) {
      return false;
    }
    out.summary += ", " + name;
    return true;
  };
  // Asks before an optional table; false ends the saving (Cancel).
  const auto wanted = [&](const std::string& question, bool& write) {
    write = true;
    if (prompter == nullptr) return true;
    const Answer a = prompter->Ask(question, AnswerSet::YesNoCancel());
    write = a == Answer::Yes;
    if (a == Answer::Cancel) {
      out.cancelled = true;
      return false;
    }
    return true;
  };
  // The closing message, also after a Cancel: it lists what was written.
  const auto finish = [&]() {
    if (prompter != nullptr) prompter->Inform(out.summary);
    out.ok = true;
    return out;
  };

  if (!writeReal("pressu", set.Pressure) || !writeReal("energy", set.Energy)) return out;
  if (!set.PhaseId.empty()) {
    std::string text;
    if (!FormatPhaseTable(set.NT(), set.NV(), set.PhaseId, text, out.message)) return out;
    if (!WriteOne(at("physid.tab"), text, out)) return out;
    out.summary += ", physid";
  }
  const struct {
    const RealArray* values;
    const char* name;
    const char* question;
  } optional[] = {{&set.PhaseMix, "PhsMix", "Save PhaseMix?"},
                  {&set.HeatCapacity, "hcapav", "Save heat capacity?"},
                  {&set.SoundVelocity, "sndvls", "Save sound velocity?"}};
  bool write = false;
  for (const auto& o : optional) {
    if (o.values->empty()) continue;
    if (!wanted(o.question, write)) return finish();
    if (write && !writeReal(o.name, *o.values)) return out;
  }
  for (const TEosDisplayTable& t : set.Others) {
    const std::string question =
        t.name == "entrop" ? std::string("Save entropy?") : "Save " + WithoutMark(t.caption) + "?";
    if (!wanted(question, write)) return finish();
    if (write && !writeReal(t.name, t.values)) return out;
  }
  return finish();
}

}  // namespace tarvex
