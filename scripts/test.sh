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
wine_status=${PIPESTATUS[0]}
# Now and then a Wine program fails to start at all (gone in a hundredth of a
# second, not a line printed), whatever the test. The failed tests run once
# more, and only their second result counts; the log names every one of them.
: >build/windows-rerun.log
if [ "$wine_status" -ne 0 ] && grep -q 'tests failed out of' build/windows-tests.log; then
  echo "test: the failed Wine tests once more:"
  grep -E '^[[:space:]]*[0-9]+ - .* \((Failed|SEGFAULT|Exception|Timeout|Not Run)\)' build/windows-tests.log
  WINE_NO_WM=1 run xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" scripts/wine-session.sh \
    ctest --test-dir build/windows -j1 --timeout 120 --output-on-failure --rerun-failed 2>&1 |
    tee build/windows-rerun.log
  wine_status=${PIPESTATUS[0]}
fi
[ "$wine_status" -eq 0 ] || status=1

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
totals() { # totals LOG: "failed total"
  local line
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$1" | tail -n 1)
  [ -n "$line" ] && sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1 \2/' <<<"$line"
}
for log in build/native-tests.log build/windows-tests.log; do
  read -r f t < <(totals "$log")
  if [ -z "${t:-}" ]; then status=1; continue; fi
  # A test run again counts by its second result.
  if [ "$log" = build/windows-tests.log ] && [ -s build/windows-rerun.log ]; then
    read -r again _ < <(totals build/windows-rerun.log)
    if [ -n "${again:-}" ]; then
      [ "$again" -lt "$f" ] && echo "test: $((f - again)) Wine test(s) passed only when run again"
      f=$again
    fi
  fi
  s=$(grep -cE '^[[:space:]]*[0-9]+ - .* \(Skipped\)$' "$log")
  passed=$((passed + t - f - s)); failed=$((failed + f)); skipped=$((skipped + s))
  unset f t
done
passed=$((passed + $(grep -c '^ok - ' build/script-tests.log)))
failed=$((failed + $(grep -c '^not ok - ' build/script-tests.log)))
skipped=$((skipped + $(grep -c '^skip - ' build/script-tests.log)))
[ "$failed" -eq 0 ] || status=1
echo "$passed passed, $failed failed, $skipped skipped"
exit "$status"
