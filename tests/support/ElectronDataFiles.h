// The sample electron data files (data/electron) and their generator: heat-capacity and
// coupling tables written from the analytic kinds of ElectronTables.h, the same kinds as
// files that name them, and the input files of the "Spline" page.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/electron/ElectronTables.h"

namespace tarvex::testing {

inline std::string ElectronDataDir() {
  return std::string(TARVEX_TEST_DATA) + "/../../data/electron";
}

// Gold: density and the reference density of the coupling.
inline constexpr Real kSampleAuD = 19300;   // [kg/m3]
inline constexpr Real kSampleAuR0 = 19.3L;  // [g/cm3]

// 0 to 1e5 K in steps of 500 K (201 rows).
inline std::vector<Real> SampleTemperatures() {
  std::vector<Real> Te;
  for (int32_t k = 0; k <= 200; ++k) Te.push_back(500 * static_cast<Real>(k));
  return Te;
}

inline std::vector<std::pair<std::string, std::string>> ElectronSampleFiles() {
  const std::vector<Real> Te = SampleTemperatures();
  return {
      {"Au_Ce.txt",
       CeFileText(AnalyticCe(kElTableAu), kSampleAuD, Te,
                  "Electron heat capacity of gold: the analytic kind 197 of Tarvex_1l tabulated "
                  "by CeFileText, Te 0..1e5 K")},
      {"Au_Ge.txt",
       GeFileText(AnalyticGe(kElTableAu, kSampleAuR0, 0.5L), kSampleAuD, kSampleAuR0, 0.5L, 0, Te,
                  "Electron-phonon coupling of gold: the analytic kind 197 of Tarvex_1l "
                  "tabulated by GeFileText, Te 0..1e5 K")},
      {"In.txt", "\"Au_Ce.txt\" Cefile\r\nAu_Ge.txt = Gefile\r\n196.966569 Amass\r\n"},
      {"Al_Ce27.txt",
       "Electron heat capacity of aluminium: the analytic kind 27 of Tarvex_1l\r\n"
       "2700\tD [kg/m3]\r\n1\trows: less than 3, the kind follows\r\n27\tkCe\r\n"},
      {"Al_Ge27.txt",
       "Electron-phonon coupling of aluminium: the analytic kind 27 of Tarvex_1l\r\n"
       "2700\t2.7\t0\t0\tD [kg/m3], r0 [g/cm3], f, q\r\n1\trows: less than 3, the kind "
       "follows\r\n27\r\n"},
      {"In_Al.txt", "Al_Ce27.txt Cefile\r\nAl_Ge27.txt Gefile\r\n26.9815 Amass\r\n"},
  };
}

}  // namespace tarvex::testing
