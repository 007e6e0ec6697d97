// Appending one record to a history-like text file without ever losing earlier records:
// a new file is created whole (with its header) through a temporary name; an existing
// file gets the record appended, every write checked, and on a failure it is cut back to
// its previous length so that no half record stays behind.
#pragma once

#include <filesystem>
#include <string_view>

#include "core/common/AtomicFile.h"

namespace tarvex {

// Appends `record` to `path`; when the file does not exist yet it is created with
// `header` followed by `record`.
FileWriteResult AppendRecord(const std::filesystem::path& path, std::string_view header,
                             std::string_view record);

}  // namespace tarvex
