// The sample electron data files under data/electron are what the generator below writes
// from the program's own analytic kinds (no file comes from elsewhere). Run with
// TARVEX_WRITE_ELECTRON_SAMPLES=1 to write them anew.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/electron/ElectronTables.h"
#include "support/ElectronDataFiles.h"

namespace tarvex {
namespace {

using testing::ElectronDataDir;
using testing::ElectronSampleFiles;

TEST(ElectronSampleFiles, AreTheGeneratorsOutput) {
  const bool write = std::getenv("TARVEX_WRITE_ELECTRON_SAMPLES") != nullptr;
  for (const auto& [name, text] : ElectronSampleFiles()) {
    const std::string path = ElectronDataDir() + "/" + name;
    if (write) {
      std::ofstream out(path, std::ios::binary);
      out << text;
      ASSERT_TRUE(out.good()) << path;
      continue;
    }
    std::string got;
    int32_t err = 0;
    ASSERT_TRUE(ReadSmallTextFile(path, got, err)) << path << ": " << err;
    EXPECT_EQ(got, text) << path << " differs from its generator";
  }
}

}  // namespace
}  // namespace tarvex
