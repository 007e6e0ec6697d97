// The example run files bundled with the runner (examples/*.toml of the source tree,
// compiled in, so `--example NAME` works from a build tree, an installed binary and the
// repository checkout alike).
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvex::batch {

struct BundledExample {
  std::string_view name;  // file name without ".toml"
  std::string_view text;  // the run file
  // The folder of the example in the source tree: its relative file names (the table
  // set of a tabulated equation of state) are read from there.
  std::string_view folder;
};

// Every bundled example, sorted by name.
std::span<const BundledExample> BundledExamples();
const BundledExample* FindExample(std::string_view name);
// The first comment line of an example, without "# ".
std::string ExampleSummary(const BundledExample& example);

// The example `tarvex1l-run --example` runs when asked for "default".
inline constexpr std::string_view kDefaultExample = "shock_tube";

}  // namespace tarvex::batch
