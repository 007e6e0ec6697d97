// Fuzz harness of the real-table reader.
#include <cmath>
#include <string>
#include <string_view>

#include "core/eos/EosTableFiles.h"
#include "fuzz/EosTableFuzz.h"

namespace tarvex {

int FuzzEosTableReal(const uint8_t* data, size_t size) {
  if (size < 3) return 0;
  const int32_t NT = 1 + data[0] % 32;
  const int32_t NV = 1 + data[1] % 32;
  const uint8_t allowMask = data[2];
  const std::string_view text(reinterpret_cast<const char*>(data + 3), size - 3);
  const TAllowWord allow = [allowMask](const std::string&, int32_t column) {
    return ((allowMask >> (column % 8)) & 1) != 0;
  };
  RealArray values;
  TableFileError err;
  if (!ParseRealTable(text, "Pressu.tab", NT, NV, allow, values, err)) {
    if (err.message.empty()) __builtin_trap();
    return 0;
  }
  if (values.size() != static_cast<size_t>(NT) * static_cast<size_t>(NV)) __builtin_trap();
  for (Real v : values) {
    if (!std::isfinite(v)) __builtin_trap();
  }
  return 0;
}

}  // namespace tarvex

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::FuzzEosTableReal(data, size);
}
#endif
