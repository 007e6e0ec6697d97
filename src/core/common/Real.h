// The number types of the whole program: every physical quantity, parameter and
// array element is Real (x87 80-bit extended precision); counters are int32_t.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvex {

using Real = long double;
using RealArray = std::vector<Real>;

static_assert(sizeof(Real) >= 10, "Real must be the 80-bit extended type");

}  // namespace tarvex
