#!/usr/bin/env bash
# Builds the core optimized (no sanitizers) and runs every benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build build/bench -j "$(nproc)"
for b in build/bench/bench/*_bench; do
  [ -x "$b" ] || continue
  "$b"
  echo
done | tee build/bench.txt
