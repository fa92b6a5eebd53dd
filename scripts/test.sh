#!/usr/bin/env bash
# Builds both presets and runs both suites: the portable core natively (with
# AddressSanitizer and UBSan), then everything under Wine inside Xvfb, then
# the tests of the scripts themselves.
# Ends with one line "N passed, N failed, N skipped".
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1

# One run at a time in a checkout: a second waits for the first rather than
# building into the same folders. Descriptor 8 holds the lock; nothing started
# from here inherits it.
mkdir -p build
exec 8>build/test.lock
if ! flock -n 8; then
  echo "test: another test run is going on in this checkout; waiting for it to end"
  flock 8
fi
run() { "$@" 8>&-; }

jobs=$(nproc)
run cmake --preset native >/dev/null && run cmake --build build/native -j "$jobs" || exit 1
run cmake --preset windows >/dev/null && run cmake --build build/windows -j "$jobs" || exit 1

status=0
run ctest --test-dir build/native -j "$jobs" --timeout 120 --output-on-failure 2>&1 |
  tee build/native-tests.log
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

WINE_NO_WM=1 run xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" scripts/wine-session.sh \
  ctest --test-dir build/windows -j1 --timeout 120 --output-on-failure 2>&1 | tee build/windows-tests.log
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

# The scripts' own tests print one line a check: "ok - ...", "not ok - ...",
# "skip - ...".
: >build/script-tests.log
for script_test in tests/scripts/*_test.sh; do
  run bash "$script_test" 2>&1 | tee -a build/script-tests.log
  [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
done

passed=0 failed=0 skipped=0
# ctest's summary, "97% tests passed, 0 tests failed out of 57", counts the
# skipped tests as passed; they are listed apart as "  15 - name (Skipped)".
for log in build/native-tests.log build/windows-tests.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then status=1; continue; fi
  f=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  t=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
  s=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log")
  passed=$((passed + t - f - s)); failed=$((failed + f)); skipped=$((skipped + s))
done
passed=$((passed + $(grep -c '^ok - ' build/script-tests.log)))
failed=$((failed + $(grep -c '^not ok - ' build/script-tests.log)))
skipped=$((skipped + $(grep -c '^skip - ' build/script-tests.log)))
[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed, $skipped skipped"
exit "$status"
