#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UBSan) and runs each
# for FUZZ_SECONDS (60 by default) from its seed corpus. New inputs found go to
# build/fuzz/corpus, so the committed seeds stay small.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
cmake --preset fuzz >/dev/null
cmake --build build/fuzz -j "$(nproc)"
status=0
for target in $(ls fuzz/corpus); do
  exe="build/fuzz/fuzz/$target"
  [ -x "$exe" ] || { echo "fuzz: no target $target"; status=1; continue; }
  work="build/fuzz/corpus/$target"
  mkdir -p "$work"
  echo "== $target ($seconds s)"
  if "$exe" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=4096 \
      -artifact_prefix="build/fuzz/$target-" -print_final_stats=1 "$work" "fuzz/corpus/$target" \
      >"build/fuzz/$target.log" 2>&1; then
    grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "build/fuzz/$target.log" | tr '\n' ' '
    echo
  else
    echo "fuzz: $target FAILED, see build/fuzz/$target.log"; tail -n 30 "build/fuzz/$target.log"
    status=1
  fi
done
exit "$status"
