// Atomic whole-file replacement through a temporary file and rename.
#include "core/common/AtomicFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

namespace tarvex {

namespace {

constexpr int32_t kTempAttempts = 100;

FileWriteResult Failure(const std::filesystem::path& path, const std::string& reason) {
  return {false, "Cannot write file \"" + path.string() + "\": " + reason};
}

std::string ErrnoText(int err) {
  return err != 0 ? std::generic_category().message(err) : std::string("write error");
}

}  // namespace

FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view content) {
  const std::filesystem::path name = path.filename();
  if (name.empty()) return Failure(path, "no file name");
  const std::filesystem::path folder = path.parent_path();

  // A fresh temporary name next to the target ("x" mode: never reuse an existing file).
  std::filesystem::path temp;
  std::FILE* f = nullptr;
  for (int32_t attempt = 0; attempt < kTempAttempts && f == nullptr; ++attempt) {
    std::string tempName = ".";
    tempName.append(name.string()).append(".~").append(std::to_string(attempt));
    temp = folder / tempName;
    errno = 0;
    f = std::fopen(temp.string().c_str(), "wbx");
    if (f == nullptr && errno != EEXIST) return Failure(path, ErrnoText(errno));
  }
  if (f == nullptr) return Failure(path, "no free temporary file name");

  int err = 0;
  errno = 0;
  if (!content.empty() && std::fwrite(content.data(), 1, content.size(), f) != content.size()) {
    err = errno != 0 ? errno : EIO;
  }
  if (err == 0 && std::fflush(f) != 0) err = errno != 0 ? errno : EIO;
#if defined(__unix__) || defined(__APPLE__)
  // On disk before the rename, so that a crash cannot leave an empty file in its place.
  if (err == 0 && ::fsync(::fileno(f)) != 0) err = errno != 0 ? errno : EIO;
#endif
  errno = 0;
  if (std::fclose(f) != 0 && err == 0) err = errno != 0 ? errno : EIO;
  if (err != 0) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return Failure(path, ErrnoText(err));
  }

  std::error_code ec;
  std::filesystem::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    return Failure(path, ec.message());
  }
  return {};
}

}  // namespace tarvex
