// Fuzz harness of the description reader, with the generated grids it leads to.
#include <cmath>
#include <string_view>

#include "core/eos/EosTableFiles.h"
#include "core/eos/EosTableSet.h"
#include "fuzz/EosTableFuzz.h"

namespace tarvex {

int FuzzEosTableDescription(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  TTableDescription d;
  TableFileError err;
  if (!ParseTableDescription(text, "fuzz.man", d, err)) {
    if (err.message.empty()) __builtin_trap();  // a refusal always says why
    return 0;
  }
  // The material line and the eight lines after it exist.
  if (d.materialLine < 1 || static_cast<size_t>(d.materialLine) + 9 > d.lines.size()) {
    __builtin_trap();
  }
  if (!std::isfinite(d.TIni) || !std::isfinite(d.TFin) || !std::isfinite(d.VIni) ||
      !std::isfinite(d.VFin)) {
    __builtin_trap();
  }
  RealArray T, V;
  std::string message;
  const bool tOk = MakeTableGrid(d.TIni, d.TFin, d.NT, d.TLog, T, message);
  const bool vOk = MakeTableGrid(d.VIni, d.VFin, d.NV, d.VLog, V, message);
  if (tOk && static_cast<int64_t>(T.size()) != d.NT) __builtin_trap();
  if (tOk && vOk && int64_t{d.NT} * d.NV <= 4096) {
    TEosTableSet set;
    set.SetGrids(T, V, message);
  }
  return 0;
}

}  // namespace tarvex

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::FuzzEosTableDescription(data, size);
}
#endif
