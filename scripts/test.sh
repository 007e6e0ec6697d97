#!/usr/bin/env bash
# Builds Tarvex_1l and runs its whole test suite:
#   1. installs missing Debian packages (scripts/setup.sh),
#   2. Release build, every test (unit, verification, batch, gui),
#   3. the core tests once more under AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release

if [ "${TARVEX_SKIP_ASAN:-0}" != "1" ]; then
  cmake --preset asan
  cmake --build --preset asan -j "$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan
fi
