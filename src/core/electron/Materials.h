// The material list `Materials` of the thermal-parameter dialog's frames, the page that
// implements each entry, and the short list "Metals" of the "Simple metall" page.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tarvex {

struct ElMaterialInfo {
  const char* name;       // as the list shows it
  const char* page;       // caption of the page that implements it
  const char* spallName;  // the same metal in the spallation dialog's list; "" when absent
};

// In list order; the index is ElMaterialIndex.
inline constexpr std::array<ElMaterialInfo, 14> kMaterials{{
    {"Al", "Met_kab", "Al"},
    {"Au", "Noble Metall", "Au"},
    {"Ni", "Met_kab", "Ni"},
    {"LiF", "NoMetall", ""},
    {"Fe", "Met_kab", "Fe"},
    {"Ta", "Ta", "Ta"},
    {"NAu", "NewAu", "Au"},
    {"Au1", "Au1", "Au"},
    {"Ag1", "Ag1", "Ag"},
    {"Ru", "Ru", "Ru"},
    {"Mo", "Mo", "Mo"},
    {"Ti", "Met_kab", ""},
    {"Sn", "Rextr", ""},
    {"Spline", "Spline", ""},
}};

// An entry of the "Metals" list of the "Simple metall" page: a preset of that page, or a
// hand-over to the page of the metal.
struct ElMetallInfo {
  const char* name;
  int32_t materialIndex;  // the same metal in Materials (ElMaterialIndex); -1 for "Any"
  const char* page;       // the page that takes over; nullptr: preset on this page
  const char* spallName;  // the metal in the spallation dialog's list; "" when absent
};

inline constexpr std::array<ElMetallInfo, 7> kMetalls{{
    {"Any", -1, nullptr, ""},
    {"Al", 0, nullptr, "Al"},
    {"Ni", 2, "TransMetall", "Ni"},
    {"LiF", 3, "NoMetall", ""},
    {"Fe", 4, "TransMetall", "Fe"},
    {"Ta", 5, "Ta", "Ta"},
    {"Ag", 8, nullptr, "Ag"},
}};

// Index of the entry called `name` in Materials, -1 when there is none.
int32_t FindMaterial(std::string_view name);

// The spallation dialog's materials, in its order.
inline constexpr std::array<const char*, 8> kSpallMaterials{"Al", "Ni", "Fe", "Ta",
                                                            "Au", "Ag", "Ru", "Mo"};

// Index of a metal in the spallation dialog's list, -1 when it is not there.
int32_t SpallMaterialIndex(std::string_view name);

}  // namespace tarvex
