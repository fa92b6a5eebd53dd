#!/usr/bin/env bash
# Runs the window suite RUNS times in a row (20 by default) under Wine in Xvfb
# and stops at the first failure: a window test that fails now and then is a
# test nobody can trust.
set -uo pipefail
cd "$(dirname "$0")/.."
runs="${RUNS:-20}"
cmake --preset windows >/dev/null && cmake --build build/windows -j "$(nproc)" || exit 1
soak() {
  for i in $(seq 1 "$runs"); do
    if ! timeout 300 scripts/wine-run build/windows/tests/window_tests.exe --gtest_brief=1 \
        >build/soak-last.log 2>&1; then
      echo "soak: run $i of $runs FAILED"; cat build/soak-last.log; return 1
    fi
    echo "soak: run $i of $runs passed ($(grep -Eo '[0-9]+ tests?' build/soak-last.log | head -n 1))"
  done
}
export -f soak 2>/dev/null
export runs
WINE_NO_WM=1 xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" scripts/wine-session.sh bash -c "$(declare -f soak); soak"
