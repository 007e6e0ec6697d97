// Scoped detection of arithmetic faults through the IEEE status flags.
//
// The guard clears overflow, division-by-zero and invalid-operation flags on entry;
// Faulted() tells whether any of them was raised since. Traps are never enabled.
// On leaving the scope the flags that were set before the guard are merged back, so
// an enclosing guard still sees a fault that an inner guard also saw.
#pragma once

#include <cfenv>

namespace tarvex {

class FpGuard {
 public:
  static constexpr int kFaults = FE_OVERFLOW | FE_DIVBYZERO | FE_INVALID;

  FpGuard() {
    saved_ = std::fetestexcept(kFaults);
    // Clearing rewrites the x87 environment (hundreds of cycles): only when a flag is set.
    if (saved_ != 0) std::feclearexcept(kFaults);
  }
  ~FpGuard() {
    if (saved_ != 0) std::feraiseexcept(saved_);  // traps are off: this only sets flags
  }
  FpGuard(const FpGuard&) = delete;
  FpGuard& operator=(const FpGuard&) = delete;

  // True when a fault happened since construction (or the last Reset).
  bool Faulted() const { return std::fetestexcept(kFaults) != 0; }

  // Forgets faults seen so far inside this scope.
  void Reset() const { std::feclearexcept(kFaults); }

 private:
  int saved_ = 0;
};

}  // namespace tarvex
