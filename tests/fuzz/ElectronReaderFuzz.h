// Fuzz harnesses of the electron data-file readers: the heat-capacity file, the coupling
// file and the input file of the "Spline" page. Each takes any bytes, reads them as the
// file's text and checks what a reader promises: a failure has a code and a message that
// names the file and the line and leaves the model as it was; a success gives a table
// with 3..256 strictly increasing temperatures and a strictly increasing energy, whose
// functions can be evaluated without a crash. A broken promise aborts (the fuzzer's and
// the tests' signal). libFuzzer entry points: FuzzCeFile.cpp, FuzzGeFile.cpp,
// FuzzSplineIn.cpp beside this file.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/common/FpGuard.h"
#include "core/electron/ElectronTables.h"
#include "core/electron/SplineElectron.h"

namespace tarvex::fuzz {

inline void FuzzRequire(bool ok) {
  if (!ok) std::abort();
}

inline std::string_view FuzzText(const uint8_t* data, size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

inline constexpr const char* kFuzzFileName = "fuzz.txt";

inline bool NamesFileAndLine(const ElTableResult& r) {
  return r.code != 0 && r.message.rfind(std::string(kFuzzFileName) + ", line ", 0) == 0;
}

inline void RequireTable(const ElSpline& s) {
  const size_t n = s.X.size();
  FuzzRequire(n >= 3 && n <= static_cast<size_t>(kMaxElTableRows));
  FuzzRequire(s.Y.size() == n && s.S.size() == n && s.I.size() == n);
  for (size_t k = 1; k < n; ++k) FuzzRequire(s.X[k] > s.X[k - 1]);
}

inline int FuzzCeFile(const uint8_t* data, size_t size) {
  // A model the reader has to leave alone when it fails.
  CeModel m = AnalyticCe(kElTableLinear, 1e-9L);
  const ElTableResult r = ReadCeText(FuzzText(data, size), kFuzzFileName, m);
  if (!r) {
    FuzzRequire(NamesFileAndLine(r));
    FuzzRequire(m.kind == kElTableLinear && m.gamma == 1e-9L);
    return 0;
  }
  FuzzRequire(r.code == 0 && r.message.empty() && m.density > 0);
  Real TeMax = 1e4L;
  if (m.kind == kElTableRows) {
    RequireTable(m.spline);
    for (size_t k = 1; k < m.spline.I.size(); ++k) FuzzRequire(m.spline.I[k] > m.spline.I[k - 1]);
    TeMax = m.TeMax;
  } else {
    FuzzRequire(m.kind == kElTableLinear || m.kind == kElTableAl || m.kind == kElTableAu);
  }
  // The functions evaluate anywhere; faults (an unreachable energy) are the slots' way of
  // refusing and are left to the FpGuard of the caller.
  const FpGuard guard;
  for (Real Te : {Real(0), TeMax / 3, TeMax, 2 * TeMax + 1}) {
    const Real Ee = TableEe(m, 0, Te);
    static_cast<void>(TableCe(m, 0, Te));
    static_cast<void>(TableTeOfEe(m, 0, Ee));
  }
  guard.Reset();
  return 0;
}

inline int FuzzGeFile(const uint8_t* data, size_t size) {
  GeModel m = AnalyticGe(kElTableLinear, 1, 0, 1e-3L);
  const ElTableResult r = ReadGeText(FuzzText(data, size), kFuzzFileName, m);
  if (!r) {
    FuzzRequire(NamesFileAndLine(r));
    FuzzRequire(m.kind == kElTableLinear && m.G0 == 1e-3L);
    return 0;
  }
  FuzzRequire(r.code == 0 && r.message.empty() && m.density > 0);
  Real TeMax = 1e4L;
  if (m.kind == kElTableRows) {
    RequireTable(m.spline);
    TeMax = m.spline.X.back();
  }
  const FpGuard guard;
  for (Real Te : {Real(0), TeMax / 3, TeMax, 2 * TeMax + 1}) {
    static_cast<void>(TableCoupling(m, 1, Te));
  }
  guard.Reset();
  return 0;
}

inline int FuzzSplineIn(const uint8_t* data, size_t size) {
  const SplineInFile in = ParseSplineIn(FuzzText(data, size), kFuzzFileName);
  if (!in.ok) {
    FuzzRequire(in.message.rfind("ERROR reading ", 0) == 0);
    return 0;
  }
  FuzzRequire(!in.Cefile.empty() && !in.Gefile.empty());
  FuzzRequire(std::isfinite(in.Amass) && in.Amass > 0);
  return 0;
}

}  // namespace tarvex::fuzz
