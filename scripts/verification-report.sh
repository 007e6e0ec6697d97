#!/usr/bin/env bash
# Regenerates docs/verification.md and its pictures in docs/images/verification/: builds
# the report program (tools/verification_report) with the Release preset, runs every
# standard problem with every viscosity kind against its exact solution and writes the
# tables and the density plots through the project's own renderer (headless Qt).
# Takes several minutes: the report uses finer grids than the verification tests.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release >/dev/null
cmake --build --preset release --target verification-report -j "$jobs"

rm -f docs/images/verification/*.png
QT_QPA_PLATFORM=offscreen build/release/tools/verification-report docs
