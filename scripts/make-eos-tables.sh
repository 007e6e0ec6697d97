#!/usr/bin/env bash
# Regenerates the table sets shipped in data/eos/ from the run files beside them: each
# data/eos/NAME.toml tabulates its film's equation of state on the grid of its [table]
# section into data/eos/NAME/ (tarvex1l-run --write-eos-table). The runner is taken from
# build/release or, when given, from the first argument:
#
#   scripts/make-eos-tables.sh [path/to/tarvex1l-run]
set -euo pipefail
cd "$(dirname "$0")/.."

run=${1:-build/release/src/batch/tarvex1l-run}
if [ ! -x "$run" ]; then
  echo "make-eos-tables: no runner at $run; build it (cmake --build --preset release --target tarvex1l-run) or give its path" >&2
  exit 1
fi
for toml in data/eos/*.toml; do
  name=$(basename "$toml" .toml)
  "$run" --write-eos-table "$toml" --out "data/eos/$name"
done
