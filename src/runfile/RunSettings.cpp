// Applying run files to the forms (the lines of the registry in their order) and writing
// the forms' settings back as a run file: generic loops over the forms' schemas.
#include "runfile/RunSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <sstream>

#include "core/app/FormRegistry.h"
#include "core/files/SaveOptions.h"
#include "core/run/ResultsGraphs.h"
#include "core/setup/InitialConditions.h"

namespace tarvex::runfile {

namespace {

// Intervals checked for distinct file names before a run.
constexpr int32_t kNameCheckIntervals = 100000;

// Calls fn(k, t, name) for the intervals k = 1, 2, ... of the run the forms set up (t the
// time at the interval's end, name its file name without the suffix), up to the end time
// or the first fn that returns false.
void ForEachIntervalName(AppModel& app, const std::function<bool(int32_t, Real, std::string)>& fn) {
  TMainForm& m = app.main;
  const Real dt1 = m.dt1.Value();
  const Real t0 = m.TotalTime.Value();
  const Real end = std::fabs(m.EndTime.Value());
  if (!(dt1 > 0) || !std::isfinite(t0) || !std::isfinite(end)) return;
  for (int32_t k = 1; k <= kNameCheckIntervals; ++k) {
    const Real t = t0 + k * dt1;
    if (!fn(k, t, app.saveOptions.NumberText(t))) return;
    if (t + dt1 / 4 > end) return;
  }
}

// A message of a dialog on one terminal line: the loader separates the line number from
// the quoted line with a CR (a message box breaks the line there), which on a terminal
// would return to the start and overwrite the "file:line:" prefix; other control
// characters of a quoted line would garble it as well.
std::string OneLine(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      out += ": ";
    } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

bool Close(Real a, Real b) {
  if (a == b) return true;
  const Real scale = std::max(std::fabs(a), std::fabs(b));
  return std::fabs(a - b) <= 1e-12L * scale;
}

bool InKeys(const FormEntry& e, std::string_view key) {
  return e.keys.empty() || std::find(e.keys.begin(), e.keys.end(), key) != e.keys.end();
}

// The keys of a table that apply after `load`, for the refusal of the others.
std::string AfterLoadKeys(const FormEntry& e) {
  std::string list;
  for (const FieldSchema& f : e.fields()) {
    if (f.load == LoadRule::Applies) list += (list.empty() ? "" : ", ") + f.key;
  }
  return list;
}

class Applier {
 public:
  Applier(const RunFile& file, AppModel& app, const ScriptedPrompter& prompter,
          const std::string& outDir, ApplyResult& result)
      : file_(file), app_(app), prompter_(prompter), ctx_{outDir, file.folder}, result_(result) {}

  bool Run() {
    bool loaded = false;
    for (const FormEntry& e : FormRegistry()) {
      if (e.setUp && file_.load && !loaded) {
        if (!LoadRules() || !Load()) return false;
        loaded = true;
      }
      if (!Apply(e)) return false;
    }
    return RunSpan() && DistinctNames();
  }

 private:
  // One line of the registry: open, set its keys, check what the form kept, accept.
  bool Apply(const FormEntry& e) {
    const TableSettings& t = *file_.Table(e.table);
    if (!t.present) {
      if (e.presence == TablePresence::Optional) return true;
      if (e.presence == TablePresence::Required && !file_.load) {
        return Fail(e.table, nullptr, "",
                    "the run file has no [" + std::string(e.table) +
                        "] table: " + std::string(e.requiredReason));
      }
    }
    const std::unique_ptr<FormBinding> form = e.bind(app_, ctx_);
    form->Open();
    for (const FieldSchema& f : form->Fields()) {
      if (!InKeys(e, f.key)) continue;
      const Setting* s = t.Find(f.key);
      if (s == nullptr) continue;
      if (const FormRefusal r = form->Set(f, s->value); r.refused) {
        return Fail(e.table, s, r.reason + (r.detail.empty() ? "" : ": " + r.detail));
      }
    }
    if (LastEntryOfTable(e)) {
      // Values a leave-field or click handler replaced: the run would use another number
      // than the file says.
      for (const Setting& s : t.settings) {
        if (!Kept(e, *form, s)) return false;
      }
    }
    if (const FormRefusal r = form->Accept(); r.refused) return Refused(e, *form, r);
    // Fields OK computes (shown only): a value given for them must be the one it shows.
    for (const FieldSchema& f : form->Fields()) {
      const Setting* s = f.computed ? t.Find(f.key) : nullptr;
      if (s == nullptr) continue;
      const Real now = form->Held(f)->number;
      if (!Close(now, s->value.number)) {
        return Fail(e.table, s,
                    "computed by the dialog (" + ExactText(now) + "), not set: leave the key out");
      }
    }
    return true;
  }

  // After the keys of a table were set: the form still holds the value the file gave.
  bool Kept(const FormEntry& e, FormBinding& form, const Setting& s) {
    const FieldSchema* f = form.Find(s.key);
    if (f == nullptr) return true;
    const std::optional<FormValue> now = form.Held(*f);
    if (!now) return true;
    switch (s.value.kind) {
      case FieldKind::Number:
        if (Close(now->number, s.value.number) || form.ReplacementAccepted(*f)) return true;
        return Fail(e.table, &s,
                    "the form replaced " + s.value.text + " by " + ExactText(now->number) +
                        ": the value follows from other settings; leave the key out or give a "
                        "value consistent with them");
      case FieldKind::Integer:
      case FieldKind::Choice:
        if (now->index == s.value.index) return true;
        return Fail(e.table, &s,
                    "the form changed " + std::to_string(s.value.index) + " to " +
                        std::to_string(now->index) +
                        " (another setting overrides it); leave the key out or make it "
                        "consistent");
      case FieldKind::Check:
        if (now->on == s.value.on) return true;
        return Fail(e.table, &s,
                    std::string("the form changed it to ") + (now->on ? "true" : "false") +
                        " (another setting overrides it)");
      case FieldKind::Text:
        break;
    }
    return true;
  }

  // A refused OK: at the key's setting, in this table or in the one whose keys the form
  // takes over; a key the file does not give is named with what the form holds.
  bool Refused(const FormEntry& e, FormBinding& form, const FormRefusal& r) {
    std::string_view table = e.table;
    const TableSettings& t = *file_.Table(e.table);
    const Setting* s = r.key.empty() ? nullptr : t.Find(r.key);
    if (s == nullptr && !r.key.empty() && !e.sharesKeysWith.empty()) {
      if (const Setting* other = file_.Table(e.sharesKeysWith)->Find(r.key)) {
        s = other;
        table = e.sharesKeysWith;
      }
    }
    std::string why = r.reason;
    const FieldSchema* f = r.key.empty() ? nullptr : form.Find(r.key);
    if (s == nullptr && f != nullptr && f->kind == FieldKind::Number) {
      why += r.shown.empty() ? " (not given)" : " (not given; the dialog holds " + r.shown + ")";
    }
    if (!r.detail.empty()) why += ": " + r.detail;
    // A set-up form that stays open after a load concerns the load.
    if (file_.load && e.setUp && r.key.empty()) return Fail("", &*file_.load, why);
    return Fail(table, s, s == nullptr ? r.key : "", why, t.pos);
  }

  // With `load`: keys that describe the state the profile replaces are refused.
  bool LoadRules() {
    for (const FormEntry& e : FormRegistry()) {
      const TableSettings& t = *file_.Table(e.table);
      for (const Setting& s : t.settings) {
        const FieldSchema* f = nullptr;
        for (const FieldSchema& x : e.fields()) {
          if (x.key == s.key) f = &x;
        }
        if (f == nullptr || f->load == LoadRule::Applies) continue;
        if (f->load == LoadRule::SetByLoad) {
          return Fail(e.table, &s,
                      "the loaded profile sets it (with `load` the grid, densities, outer "
                      "pressure and start time come from the profile): leave it out");
        }
        return Fail(e.table, &s,
                    "not used after `load`: the loaded profile replaces the state it would "
                    "build; only " +
                        AfterLoadKeys(e) + " apply");
      }
    }
    return true;
  }

  // `load`: the profile replaces the state the set-up forms would build; the
  // initial-conditions dialog then opens in its after-load mode.
  bool Load() {
    const Setting& l = *file_.load;
    const size_t askedBefore = prompter_.asked.size();
    const ProfileLoadResult r = app_.LoadProfile(l.value.text, true);
    if (!r) {
      std::string why = r.message;
      if (why.empty()) {
        why = "the load was cancelled";
        for (size_t k = askedBefore; k < prompter_.asked.size(); ++k) {
          const ScriptedPrompter::Asked& q = prompter_.asked[k];
          if (q.answer == Answer::Cancel) {
            why += " by the answer \"Cancel\" to " + Quoted(q.text) + "; answer it in [answers]";
            break;
          }
        }
      }
      return Fail("", &l, "cannot load " + Quoted(l.value.text) + ": " + OneLine(why));
    }
    result_.applied.load = l.value.text;
    return true;
  }

  // An output interval longer than the run would carry the run far past its end time
  // (with dt1 = 1e300 it could never finish one interval).
  bool RunSpan() {
    TMainForm& m = app_.main;
    const Real dt1 = m.dt1.Value();
    const Real t0 = m.TotalTime.Value();
    const Real end = m.EndTime.Value();
    const TableSettings& main = *file_.Table(kTableMain);
    const Setting* at = main.Find("dt1");
    if (at == nullptr) at = main.Find("dtLV");
    if (!std::isfinite(dt1)) {
      return Fail(kTableMain, at, at == nullptr ? "dt1" : "",
                  "the output interval is not a finite number", main.pos);
    }
    if (end > t0 && dt1 > end - t0) {
      return Fail(kTableMain, at, at == nullptr ? "dt1" : "",
                  "the output interval " + ExactText(dt1) + " is longer than the run from t = " +
                      ExactText(t0) + " to EndTime = " + ExactText(end),
                  main.pos);
    }
    return true;
  }

  // Every interval of the run gets a file set of its own: two intervals whose times give
  // the same name would overwrite the earlier set.
  bool DistinctNames() {
    const TSaveFileOptions& o = app_.saveOptions;
    const TableSettings& save = *file_.Table(kTableSave);
    std::string previous;
    Real previousT = app_.main.TotalTime.Value();
    bool ok = true;
    ForEachIntervalName(app_, [&](int32_t k, Real t, std::string name) {
      if (const std::string why = OutputNameRefusal(ctx_.outDir + name + o.AddStr); !why.empty()) {
        // The number itself too long (a huge Scal) or the suffix.
        const bool number = !OutputNameRefusal(ctx_.outDir + name).empty() || o.AddStr.empty();
        const char* key = number ? "Scal" : "AddStr";
        const Setting* at = save.Find(key);
        ok = Fail(kTableSave, at, at == nullptr ? key : "",
                  "the result files of the interval ending at t = " + ExactText(t) +
                      " cannot be written: " + why,
                  save.present ? save.pos : file_.Table(kTableMain)->pos);
        return false;
      }
      if (k > 1 && name == previous) {
        const Setting* at = save.Find("Press");
        if (at == nullptr) at = save.Find("RadioGroup1");
        ok = Fail(kTableSave, at, at == nullptr ? "Press" : "",
                  "the intervals ending at t = " + ExactText(previousT) + " and " + ExactText(t) +
                      " would get the same file name " + Quoted(name + o.AddStr) +
                      ", the later set overwriting the earlier; give more digits "
                      "(RadioGroup1 = \"Fixed\" with a larger Press) or a larger Scal",
                  save.present ? save.pos : file_.Table(kTableMain)->pos);
        return false;
      }
      previous = std::move(name);
      previousT = t;
      return true;
    });
    return ok;
  }

  // An error at a setting (or at `pos` / the table when the setting is not given).
  bool Fail(std::string_view table, const Setting* s, std::string message) {
    return Fail(table, s, "", std::move(message), {});
  }
  bool Fail(std::string_view table, const Setting* s, const std::string& key, std::string message,
            SourcePos pos = {}) {
    RunFileError e;
    e.file = file_.name;
    e.table = std::string(table);
    if (s != nullptr) {
      e.line = s->pos.line;
      e.key = s->key;
    } else {
      e.line = pos.line;
      e.key = key;
    }
    e.message = std::move(message);
    result_.error = std::move(e);
    return false;
  }

  const RunFile& file_;
  AppModel& app_;
  const ScriptedPrompter& prompter_;
  ApplyContext ctx_;
  ApplyResult& result_;
};

// ---- writing back ----------------------------------------------------------------------

std::string TomlString(std::string_view s) {
  std::string out = "\"";
  for (char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20 || u == 0x7f) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

// A number as TOML: a plain TOML number where its text is one that toml++ reads (the
// reader takes the text as written, so no precision is lost), a text otherwise.
std::string TomlNumber(Real x) {
  if (x == 0 && std::signbit(x)) return "-0.0";
  const std::string t = ExactText(x);
  const Real a = std::fabs(x);
  const bool inDoubleRange = std::isfinite(x) && a < 1e300L && (x == 0 || a > 1e-300L);
  const bool bigInteger = t.find_first_of(".e") == std::string::npos && a >= 1e15L;
  if (inDoubleRange && !bigInteger) return t;
  return TomlString(t);
}

std::string ValueText(const FieldSchema& f, const FormValue& v) {
  switch (f.kind) {
    case FieldKind::Number:
      return TomlNumber(v.number);
    case FieldKind::Integer:
      return std::to_string(v.index);
    case FieldKind::Choice:
      if (v.index >= 0 && v.index < static_cast<int32_t>(f.items.size())) {
        return TomlString(f.items[static_cast<size_t>(v.index)]);
      }
      return std::to_string(v.index);
    case FieldKind::Check:
      return v.on ? "true" : "false";
    case FieldKind::Text:
      return TomlString(v.text);
  }
  return {};
}

// Whether `key` is printed in the table whose keys this form takes over.
bool PrintedElsewhere(const FormEntry& e, std::string_view key) {
  if (e.sharesKeysWith.empty()) return false;
  for (const FieldSchema& f : FindFormEntry(e.sharesKeysWith)->fields()) {
    if (f.key == key) return true;
  }
  return false;
}

}  // namespace

const std::vector<std::pair<std::string, Answer>>& DefaultAnswers() {
  static const std::vector<std::pair<std::string, Answer>> answers{{kAskSavePrint, Answer::No},
                                                                   {kAskShiftGraphX0, Answer::No}};
  return answers;
}

ApplyResult ApplyRunFile(const RunFile& file, AppModel& app, ScriptedPrompter& prompter,
                         const std::string& outDir) {
  ApplyResult result;
  std::vector<std::pair<std::string, Answer>>& answers = result.applied.answers;
  answers = DefaultAnswers();
  for (const AnswerSetting& a : file.answers) {
    const auto same = std::find_if(answers.begin(), answers.end(),
                                   [&](const auto& p) { return p.first == a.question; });
    if (same != answers.end()) {
      same->second = a.answer;
    } else {
      answers.emplace_back(a.question, a.answer);
    }
  }
  for (const auto& [question, answer] : answers) prompter.Script(question, answer);

  Applier(file, app, prompter, outDir, result).Run();
  return result;
}

std::string SettingsText(AppModel& app, const AppliedSettings& applied, const std::string& origin) {
  std::ostringstream out;
  out << "# Tarvex_1l run file: the settings of " << origin << ",\n"
      << "# every key with the value the forms hold (defaults included).\n";

  const bool loaded = !applied.load.empty();
  if (loaded) out << "\n" << kKeyLoad << " = " << TomlString(applied.load) << "\n";

  out << "\n[" << kTableAnswers << "]\n";
  for (const auto& [question, answer] : applied.answers) {
    out << TomlString(question) << " = " << TomlString(AnswerName(answer)) << "\n";
  }

  std::vector<std::string_view> done;
  for (const FormEntry& e : FormRegistry()) {
    if (std::find(done.begin(), done.end(), e.table) != done.end()) continue;
    done.push_back(e.table);
    const std::unique_ptr<FormBinding> form = e.bind(app, {});
    if (!form->TablePrinted()) continue;
    out << "\n[" << e.table << "]\n";
    for (const FieldSchema& f : form->Fields()) {
      if (loaded && f.load != LoadRule::Applies) continue;
      if (PrintedElsewhere(e, f.key) || !form->Printed(f)) continue;
      const std::optional<FormValue> v = form->Get(f);
      if (v) out << f.key << " = " << ValueText(f, *v) << "\n";
    }
  }
  return out.str();
}

std::optional<std::string> FirstExistingSet(AppModel& app, const std::string& outDir) {
  std::optional<std::string> found;
  ForEachIntervalName(app, [&](int32_t, Real, const std::string& name) {
    const std::string base = outDir + name + app.saveOptions.AddStr;
    std::error_code ec;
    for (const char* ext : {".DAT", ".TXT"}) {
      if (std::filesystem::is_regular_file(base + ext, ec)) {
        found = base + ext;
        return false;
      }
    }
    return true;
  });
  return found;
}

}  // namespace tarvex::runfile
