// libFuzzer entry point of FuzzGeFile (ElectronReaderFuzz.h).
#include "fuzz/ElectronReaderFuzz.h"

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::fuzz::FuzzGeFile(data, size);
}
#endif
