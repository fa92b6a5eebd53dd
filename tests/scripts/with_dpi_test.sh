#!/usr/bin/env bash
# Tests of tests/scripts/with_dpi.sh: the command's programs see the density
# asked for, and the prefix is back at 96 dpi afterwards, whether the command
# succeeded, failed or ran out of time, so the tests after it are not touched.
# Prints "ok - ...", "not ok - ..." or "skip - ..." a check; fails when one fails.
# Run it outside any Wine session of this checkout (make test does).
set -u
cd "$(dirname "$0")/../.."
failures=0
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; failures=$((failures + 1)); fi
}
if ! command -v wine >/dev/null || ! command -v flock >/dev/null; then
  echo "skip - with_dpi: Wine or flock is not installed"
  exit 0
fi
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tesmo-script-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# The prefix's LogPixels as a number ("" when it cannot be read).
cat >"$scratch/dpi.sh" <<'INNER'
#!/usr/bin/env bash
line=$(scripts/wine-run reg query 'HKCU\Control Panel\Desktop' /v LogPixels </dev/null 2>/dev/null |
  tr -d '\r' | grep -i 'LogPixels')
value=${line##* }
[ -n "$value" ] && echo $((value))
INNER
chmod +x "$scratch/dpi.sh"
# Each run: the density inside, the exit status, and the density after.
cat >"$scratch/runs.sh" <<INNER
#!/usr/bin/env bash
tests/scripts/with_dpi.sh 144 sh -c '"$scratch/dpi.sh" >"$scratch/inside"'
echo \$? >"$scratch/status-ok"; "$scratch/dpi.sh" >"$scratch/after-ok"
tests/scripts/with_dpi.sh 192 sh -c 'exit 3'
echo \$? >"$scratch/status-failed"; "$scratch/dpi.sh" >"$scratch/after-failed"
WITH_DPI_SECONDS=1 tests/scripts/with_dpi.sh 120 sleep 30
echo \$? >"$scratch/status-late"; "$scratch/dpi.sh" >"$scratch/after-late"
tests/scripts/with_dpi.sh 144 2>"$scratch/usage-err"
echo \$? >"$scratch/status-usage"
INNER
chmod +x "$scratch/runs.sh"
timeout 180 scripts/wine-session.sh "$scratch/runs.sh" >/dev/null 2>&1

is() { [ "$(cat "$1" 2>/dev/null)" = "$2" ]; }
check "with_dpi: the command sees the density asked for" is "$scratch/inside" 144
check "with_dpi: passes on the command's success" is "$scratch/status-ok" 0
check "with_dpi: 96 dpi again after a command that succeeded" is "$scratch/after-ok" 96
check "with_dpi: passes on the command's failure" is "$scratch/status-failed" 3
check "with_dpi: 96 dpi again after a command that failed" is "$scratch/after-failed" 96
check "with_dpi: a command out of time fails" test "$(cat "$scratch/status-late")" -ne 0
check "with_dpi: 96 dpi again after a command that ran out of time" is "$scratch/after-late" 96
check "with_dpi: refuses to run without a command" is "$scratch/status-usage" 2
[ "$failures" -eq 0 ]
