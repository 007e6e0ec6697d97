// Look-ups in the material lists.
#include "core/electron/Materials.h"

namespace tarvex {

int32_t FindMaterial(std::string_view name) {
  for (size_t i = 0; i < kMaterials.size(); ++i) {
    if (name == kMaterials[i].name) return static_cast<int32_t>(i);
  }
  return -1;
}

int32_t SpallMaterialIndex(std::string_view name) {
  if (name.empty()) return -1;
  for (size_t i = 0; i < kSpallMaterials.size(); ++i) {
    if (name == kSpallMaterials[i]) return static_cast<int32_t>(i);
  }
  return -1;
}

}  // namespace tarvex
