// Writing a whole file so that readers only ever see the old or the complete new content:
// the text goes to a fresh temporary file in the target's folder, every write, the flush
// and the close are checked, and only then the temporary file is renamed over the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarvex {

struct FileWriteResult {
  bool ok = true;
  std::string message;  // on failure: names the file and the reason
  explicit operator bool() const { return ok; }
};

// On failure the temporary file is removed and an existing file at path is untouched.
FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

}  // namespace tarvex
