// libFuzzer target: a run file read and applied to fresh forms, as the runner and the
// desktop program's settings files do, and printed back (the printed text must read back and print
// the same). Whatever the forms refuse is refused with a message; nothing crashes, hangs or runs
// into undefined behaviour.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app/AppModel.h"
#include "runfile/RunSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvex;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const runfile::ReadResult read = runfile::ParseRunFile(text, "fuzz.toml");
  if (!read.ok()) return 0;
  // A run file may name a profile to load: the fuzzer's files are run files only.
  if (read.file.load) return 0;
  ScriptedPrompter prompter;
  AppModel app(prompter);
  const runfile::ApplyResult r = runfile::ApplyRunFile(read.file, app, prompter, "");
  if (r.ok()) {
    // What is printed reads back and prints the same again: the printed settings are a
    // fixed point.
    const std::string printed = runfile::SettingsText(app, r.applied, "fuzz.toml");
    const runfile::ReadResult again = runfile::ParseRunFile(printed, "fuzz.toml");
    if (!again.ok()) __builtin_trap();
    ScriptedPrompter prompter2;
    AppModel app2(prompter2);
    const runfile::ApplyResult r2 = runfile::ApplyRunFile(again.file, app2, prompter2, "");
    if (!r2.ok()) __builtin_trap();
    if (runfile::SettingsText(app2, r2.applied, "fuzz.toml") != printed) __builtin_trap();
  } else if (r.error->message.empty()) {
    __builtin_trap();
  }
  return 0;
}
