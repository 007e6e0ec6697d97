// Fuzz harnesses of the table-set readers: the description, the grid files, a real table
// and the phase-code table. Each takes arbitrary bytes, must neither crash nor hang, and
// traps when a reader accepts input but returns something that breaks its promise
// (wrong size, a value that is not finite, a grid the lookups cannot use). Built into
// the unit tests, which run them over seeds and damaged files; with
// -DTARVEX_FUZZ_TARGET each file also defines the libFuzzer entry point.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvex {

int FuzzEosTableDescription(const uint8_t* data, size_t size);
// First byte: the multiplier (1, 1000 or 0.001); the rest is the file.
int FuzzEosTableGrid(const uint8_t* data, size_t size);
// First two bytes: the grid (1..32 rows and columns), third: which columns allow words.
int FuzzEosTableReal(const uint8_t* data, size_t size);
// First two bytes: the grid (1..32 rows and columns).
int FuzzEosTablePhase(const uint8_t* data, size_t size);

}  // namespace tarvex
