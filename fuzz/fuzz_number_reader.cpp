// libFuzzer target: the number reader of the edits, tables and files (TNumStringFormat)
// under each decimal separator, and the real-number field that parses through it. Any
// text reads as a number or is refused; a number that reads is finite or out of range,
// and formatting it reads back to a number again.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/NumStringFormat.h"
#include "core/common/RealField.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvex;
  if (size == 0) return 0;
  // The first byte chooses the separator and the layout, the rest is the text.
  const uint8_t mode = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  TNumStringFormat format(static_cast<TFloatFormat>(mode % 5), static_cast<uint8_t>(mode >> 4));
  const char separators[] = {'.', ',', '_', 'p'};
  format.SetDecSeparator(separators[(mode >> 3) % 4]);

  Real value = 0;
  const TConvertStatus st = format.Parse(text, value);
  if (st == TConvertStatus::Ok) {
    const std::string shown = format.FormatValue(value);
    Real again = 0;
    if (std::isfinite(value) && format.Parse(shown, again) != TConvertStatus::Ok) __builtin_trap();
  }
  std::string rest(text);
  Real consumed = 0;
  format.ConsumeFloat(rest, consumed);
  int32_t n = 0;
  std::string restInt(text);
  format.ConsumeInt(restInt, n);

  RealField field(std::make_shared<TNumStringFormat>(format));
  field.SetText(std::string(text));
  Real v = 0;
  field.TryGetValue(v);
  field.Enter();
  return 0;
}
