// libFuzzer target: a run file read and applied to fresh forms, as the runner and the
// desktop program's settings files do, and printed back. Whatever the forms refuse is
// refused with a message; nothing crashes, hangs or runs into undefined behaviour.
#include <cstddef>
#include <cstdint>
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
    (void)runfile::SettingsText(app, r.applied, "fuzz.toml");
  } else if (r.error->message.empty()) {
    __builtin_trap();
  }
  return 0;
}
