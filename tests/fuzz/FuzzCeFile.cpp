// libFuzzer entry point of FuzzCeFile (ElectronReaderFuzz.h).
#include "fuzz/ElectronReaderFuzz.h"

#ifdef TARVEX_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return tarvex::fuzz::FuzzCeFile(data, size);
}
#endif
