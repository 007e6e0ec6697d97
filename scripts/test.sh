#!/usr/bin/env bash
# Builds Tarvex_1l and runs its whole test suite:
#   1. installs missing Debian packages (scripts/setup.sh),
#   2. Release build, every test (unit, verification, batch, gui, the layering and the
#      format check),
#   3. the libFuzzer targets (built with clang) for a short time each: the run-file,
#      profile and number readers TARVEX_FUZZ_SECONDS (default 25), the data-file readers
#      TARVEX_FUZZ_READER_SECONDS (default 10); TARVEX_SKIP_FUZZ=1 leaves them out,
#   4. the core tests once more under AddressSanitizer + UndefinedBehaviorSanitizer
#      (TARVEX_SKIP_ASAN=1 leaves them out).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

cmake --preset release
cmake --build --preset release -j "$jobs"
ctest --preset release

if [ "${TARVEX_SKIP_FUZZ:-0}" != "1" ] && command -v clang++ >/dev/null 2>&1; then
  # Each target with its seed corpus in fuzz/corpus (the data-file readers start empty).
  targets=(runfile_reader:runfile runfile_apply:runfile profile_loader:profile number_reader:number
           eos_table_description: eos_table_grid: eos_table_phase: eos_table_real:
           ce_file: ge_file: spline_in:)
  executables=()
  for t in "${targets[@]}"; do executables+=("fuzz_${t%%:*}"); done
  cmake --preset fuzz
  cmake --build --preset fuzz -j "$jobs" --target "${executables[@]}"
  findings=build/fuzz/findings
  mkdir -p "$findings"
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  for t in "${targets[@]}"; do
    name=${t%%:*}
    corpus=${t##*:}
    seconds=${TARVEX_FUZZ_SECONDS:-25}
    seeds=()
    if [ -n "$corpus" ]; then
      seeds=("fuzz/corpus/$corpus")
    else
      seconds=${TARVEX_FUZZ_READER_SECONDS:-10}
    fi
    mkdir -p "$work/$name"
    # New inputs go to the scratch corpus; the seeds in fuzz/corpus stay as they are. A
    # crash, a leak, undefined behaviour or an input taking over 10 s fails the run and
    # leaves the input in build/fuzz/findings.
    echo "fuzz: $name for ${seconds} s"
    "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 \
      -artifact_prefix="$findings/${name}-" -print_final_stats=1 "$work/$name" \
      "${seeds[@]}" 2>"$work/$name.log" || { tail -40 "$work/$name.log"; exit 1; }
    grep -E "stat::number_of_executed_units" "$work/$name.log" || true
  done
fi

if [ "${TARVEX_SKIP_ASAN:-0}" != "1" ]; then
  cmake --preset asan
  # Only the binaries of the labels run below.
  cmake --build --preset asan -j "$jobs" --target tarvex_unit_tests tarvex_verification_tests
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset asan
fi
