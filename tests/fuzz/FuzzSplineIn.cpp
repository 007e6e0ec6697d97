// libFuzzer entry point of FuzzSplineIn (ElectronReaderFuzz.h).
#include "fuzz/ElectronReaderFuzz.h"

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::fuzz::FuzzSplineIn(data, size);
}
#endif
