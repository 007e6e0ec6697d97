// Looking up the bundled examples (their texts are generated into BundledExamples.cpp).
#include "batch/Examples.h"

#include <algorithm>

namespace tarvex::batch {

const BundledExample* FindExample(std::string_view name) {
  if (name == "default") name = kDefaultExample;
  const auto all = BundledExamples();
  const auto it =
      std::find_if(all.begin(), all.end(), [&](const BundledExample& e) { return e.name == name; });
  return it == all.end() ? nullptr : &*it;
}

std::string ExampleSummary(const BundledExample& example) {
  std::string_view text = example.text;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with("#")) {
      line.remove_prefix(1);
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      if (!line.empty()) return std::string(line);
    } else if (!line.empty()) {
      break;
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return {};
}

}  // namespace tarvex::batch
