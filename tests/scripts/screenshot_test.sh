#!/usr/bin/env bash
# Tests of scripts/screenshot.sh, which make run relies on: it fails with a
# message that says so when no Tesmo window appears.
# Prints "ok - ...", "not ok - ..." or "skip - ..." a check; fails when one fails.
set -u
cd "$(dirname "$0")/../.."
failures=0
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; failures=$((failures + 1)); fi
}
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "skip - screenshot: Xvfb or xdotool is not installed"
  exit 0
fi
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tesmo-script-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
in_xvfb() { xvfb-run -a -s "-screen 0 640x480x24 -nolisten tcp" "$@"; }

RUN_WAIT_SECONDS=2 in_xvfb scripts/screenshot.sh "$scratch/shot.png" sleep 30 2>"$scratch/err"
status=$?
check "screenshot: fails when no window appears" test "$status" -ne 0
check "screenshot: says that no window appeared and how long it waited" \
  grep -qx 'run: no Tesmo window appeared within 2 s' "$scratch/err"
check "screenshot: saves no picture then" test ! -e "$scratch/shot.png"

RUN_WAIT_SECONDS=20 in_xvfb scripts/screenshot.sh "$scratch/shot.png" false 2>"$scratch/err"
status=$?
check "screenshot: fails at once when the program ends without a window" test "$status" -ne 0
check "screenshot: says that the program ended first" grep -q 'ended before' "$scratch/err"

[ "$failures" -eq 0 ]
