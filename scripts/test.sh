#!/usr/bin/env bash
# Builds both presets and runs both suites: the portable core natively (with
# AddressSanitizer and UBSan), then everything under Wine inside Xvfb.
# Ends with one line "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

jobs=$(nproc)
cmake --preset native >/dev/null && cmake --build build/native -j "$jobs" || exit 1
cmake --preset windows >/dev/null && cmake --build build/windows -j "$jobs" || exit 1

status=0
ctest --test-dir build/native -j "$jobs" --timeout 120 --output-on-failure 2>&1 | tee build/native-tests.log
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

WINE_NO_WM=1 xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" scripts/wine-session.sh \
  ctest --test-dir build/windows -j1 --timeout 120 --output-on-failure 2>&1 | tee build/windows-tests.log
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

# ctest's summary: "100% tests passed, 0 tests failed out of 57"
passed=0 failed=0
for log in build/native-tests.log build/windows-tests.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then status=1; continue; fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  passed=$((passed + t - f)); failed=$((failed + f))
done
[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed"
exit "$status"
