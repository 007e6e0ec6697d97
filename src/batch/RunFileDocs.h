// The documentation of run files and of tarvex1l-run, docs/run-files.md, generated from
// the registry of forms and their schemas (tarvex1l-run --write-docs FILE writes it; a
// test checks that the committed file is what the code generates).
#pragma once

#include <string>

namespace tarvex::batch {

std::string RunFileDocsText();

}  // namespace tarvex::batch
