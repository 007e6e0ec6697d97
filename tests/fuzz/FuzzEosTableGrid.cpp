// Fuzz harness of the grid-file reader; an accepted grid also builds a table axis, and a
// search on it must land inside the axis.
#include <cmath>
#include <string_view>

#include "core/eos/EosTableFiles.h"
#include "core/eos/EosTableLookup.h"
#include "fuzz/EosTableFuzz.h"

namespace tarvex {

int FuzzEosTableGrid(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Real multipliers[] = {1, 1000, 0.001L};
  const Real multiplier = multipliers[data[0] % 3];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  RealArray values;
  TableFileError err;
  if (!ParseGridFile(text, "temper.in", multiplier, values, err)) {
    if (err.message.empty()) __builtin_trap();
    return 0;
  }
  if (values.size() < 2) __builtin_trap();
  for (Real v : values) {
    if (!std::isfinite(v) || v == 0) __builtin_trap();
  }
  // The same values as temperatures and as volumes of a set: accepted grids must give
  // finite kernels and searches inside the axis.
  TEosTableSet set;
  std::string message;
  if (set.SetGrids(values, values, message)) {
    for (const TTableAxisData* axis : {&set.TAxis(), &set.RhoAxis()}) {
      int32_t hint = -1;
      for (Real x : {axis->x.front(), axis->x.back(), (axis->x.front() + axis->x.back()) / 2}) {
        const int32_t k = TableSearch(*axis, x, hint);
        if (k < -1 || k > axis->Last()) __builtin_trap();
      }
      for (const TTableStencil& s : axis->stencils) {
        if (!std::isfinite(s.invDelta) || !std::isfinite(s.a1) || !std::isfinite(s.b1) ||
            !std::isfinite(s.a2) || !std::isfinite(s.c2)) {
          __builtin_trap();
        }
      }
    }
  }
  return 0;
}

}  // namespace tarvex

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::FuzzEosTableGrid(data, size);
}
#endif
