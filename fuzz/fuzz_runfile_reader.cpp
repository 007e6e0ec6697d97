// libFuzzer target: the run-file reader. Any text is read without a crash, a hang or
// undefined behaviour; a file that is refused says why with at least one error.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runfile/RunFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const tarvex::runfile::ReadResult r = tarvex::runfile::ParseRunFile(text, "fuzz.toml");
  for (const tarvex::runfile::RunFileError& e : r.errors) {
    if (e.Text().empty()) __builtin_trap();
  }
  return 0;
}
