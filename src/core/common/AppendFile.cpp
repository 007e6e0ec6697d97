// Checked appends with roll-back.
#include "core/common/AppendFile.h"

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

namespace tarvex {

namespace {

FileWriteResult Failure(const std::filesystem::path& path, int err) {
  const std::string reason =
      err != 0 ? std::generic_category().message(err) : std::string("write error");
  return {false, "Cannot write file \"" + path.string() + "\": " + reason};
}

}  // namespace

FileWriteResult AppendRecord(const std::filesystem::path& path, std::string_view header,
                             std::string_view record) {
  std::error_code ec;
  const bool exists = std::filesystem::exists(path, ec);
  if (!exists) {
    std::string whole(header);
    whole.append(record);
    return WriteFileAtomically(path, whole);
  }
  if (!std::filesystem::is_regular_file(path, ec)) return Failure(path, EISDIR);
  const std::uintmax_t before = std::filesystem::file_size(path, ec);
  if (ec) return Failure(path, ec.value());

  errno = 0;
  std::FILE* f = std::fopen(path.string().c_str(), "ab");
  if (f == nullptr) return Failure(path, errno);
  int err = 0;
  if (!record.empty() && std::fwrite(record.data(), 1, record.size(), f) != record.size()) {
    err = errno != 0 ? errno : EIO;
  }
  if (err == 0 && std::fflush(f) != 0) err = errno != 0 ? errno : EIO;
  errno = 0;
  if (std::fclose(f) != 0 && err == 0) err = errno != 0 ? errno : EIO;
  if (err != 0) {
    // Cut the partial record off again.
    std::error_code ignored;
    std::filesystem::resize_file(path, before, ignored);
    return Failure(path, err);
  }
  return {};
}

}  // namespace tarvex
