// Fuzz harness of the phase-code table reader.
#include <string_view>

#include "core/eos/EosTableFiles.h"
#include "fuzz/EosTableFuzz.h"

namespace tarvex {

int FuzzEosTablePhase(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int32_t NT = 1 + data[0] % 32;
  const int32_t NV = 1 + data[1] % 32;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  std::vector<PhaseCode> codes;
  TableFileError err;
  if (!ParsePhaseTable(text, "physid.tab", NT, NV, codes, err)) {
    if (err.message.empty()) __builtin_trap();
    return 0;
  }
  if (codes.size() != static_cast<size_t>(NT) * static_cast<size_t>(NV)) __builtin_trap();
  for (PhaseCode c : codes) {
    if (c < -99 || c > 99) __builtin_trap();
  }
  return 0;
}

}  // namespace tarvex

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::FuzzEosTablePhase(data, size);
}
#endif
