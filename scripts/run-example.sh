#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to the first results: installs the packages
# (scripts/setup.sh), builds the batch runner with the Release preset (only the targets it
# needs), runs the typical run (a gold film on glass heated by a laser pulse,
# examples/gold_on_glass.toml, about a minute) into results/gold_on_glass/ and tells where
# the results are.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake --preset release
cmake --build --preset release --target tarvex1l-run -j "$jobs"

out=results/gold_on_glass
status=0
build/release/src/batch/tarvex1l-run examples/gold_on_glass.toml --out "$out" --overwrite || status=$?
if [ "$status" -ne 0 ]; then
  echo "run-example: tarvex1l-run ended with exit code $status (see above)" >&2
  exit "$status"
fi
echo
echo "Results of the gold-on-glass example are in $(pwd)/$out/ (docs/typical-run.md explains them):"
ls -1 "$out"
