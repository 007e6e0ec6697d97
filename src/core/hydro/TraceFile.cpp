// Appending writer of the iteration trace.
#include "core/hydro/TraceFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tarvex {

namespace {

std::string WriteFile(const std::string& path, const char* mode, std::string_view text) {
  std::FILE* f = std::fopen(path.c_str(), mode);
  if (f == nullptr) return path + ": " + std::strerror(errno);
  const bool wrote = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  const int err = errno;
  const bool closed = std::fclose(f) == 0;
  if (!wrote || !closed) return path + ": " + std::strerror(wrote ? errno : err);
  return {};
}

}  // namespace

std::string TraceFile::Create(std::string_view firstLine) {
  std::string line(firstLine);
  line += "\r\n";
  error_ = WriteFile(path_, "wb", line);
  return error_;
}

void TraceFile::Append(std::string_view text) {
  std::string err = WriteFile(path_, "ab", text);
  if (!err.empty() && error_.empty()) error_ = std::move(err);
}

}  // namespace tarvex
