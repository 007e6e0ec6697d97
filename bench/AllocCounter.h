// Heap allocations counted by the replaced global operator new of the benchmark binary.
#pragma once

#include <cstdint>

namespace tarvex::bench {
int64_t AllocationCount();
}
