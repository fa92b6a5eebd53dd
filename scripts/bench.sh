#!/usr/bin/env bash
# Builds the core optimized (no sanitizers) and runs every benchmark: the
# portable ones natively, then the Windows ones under Wine inside Xvfb: the
# search once in code page 1252 and once in 932, the window's Find figures in
# 932 too, the others in 1252 (the UTF-8 benches' own manifests make their
# code page 65001).
# Everything lands in build/bench.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake --preset bench >/dev/null
cmake --build build/bench -j "$jobs"
cmake --preset windows-bench >/dev/null
cmake --build build/windows-bench -j "$jobs"

for b in build/bench/bench/*_bench; do
  [ -x "$b" ] || continue
  "$b"
  echo
done | tee build/bench.txt

# One Wine server for all of them; LC_ALL picks the code page of each run.
windows_benches=(build/windows-bench/bench/*_bench.exe)
[ -e "${windows_benches[0]}" ] || exit 0
WINE_NO_WM=1 xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" scripts/wine-session.sh \
  bash -c 'for b in "$@"; do
             runs="C.UTF-8:"
             case "$b" in
             *search_bench.exe) runs="C.UTF-8: ja_JP.UTF-8:" ;;
             *window_bench.exe) runs="C.UTF-8: ja_JP.UTF-8:find" ;;
             *window_utf8_bench.exe) runs="C.UTF-8:find" ;;
             esac
             for run in $runs; do
               locale=${run%%:*} argument=${run#*:}
               echo "-- $(basename "$b") $argument under Wine, LC_ALL=$locale"
               LC_ALL=$locale scripts/wine-run "$b" $argument
               echo
             done
           done' bash "${windows_benches[@]}" 2>&1 | tee -a build/bench.txt
