#!/usr/bin/env bash
# Tests of scripts/wine-session.sh and scripts/wine-run: they work in the
# project's own prefix whatever WINEPREFIX says, leave a user's own prefix and
# its server alone, stop only the server they started, and a second session
# in the checkout waits for the first instead of stopping its server.
# Prints "ok - ...", "not ok - ..." or "skip - ..." a check; fails when one fails.
# Run it outside any Wine session of this checkout (make test does).
set -u
cd "$(dirname "$0")/../.."
root=$(pwd)
project="$root/build/wineprefix"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tesmo-script-test.XXXXXX")
failures=0
user_server=""
# A script that does wrong may also hang; it fails the check instead.
session() { timeout 120 scripts/wine-session.sh "$@"; }
cleanup() {
  # Every prefix in the scratch folder is this test's own: stop what runs in it.
  for prefix in "$scratch"/*/; do
    [ -d "$prefix" ] && WINEPREFIX="${prefix%/}" wineserver -k >/dev/null 2>&1
  done
  [ -n "$user_server" ] && stop_server "$user_server" "$scratch/user"
  rm -rf "$scratch"
}
trap cleanup EXIT

check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok - $what"; else echo "not ok - $what"; failures=$((failures + 1)); fi
}
project_server_runs() { WINEPREFIX="$project" wineserver -k0 2>/dev/null; }
# Stops a server this script started: through wineserver -k, and when that
# does not reach it (now and then it finds no server to stop), by its process
# id, to which the server answers by writing out its registry and ending.
# Never waits for ever.
stop_server() { # stop_server PID PREFIX
  WINEPREFIX="$2" timeout 10 wineserver -k >/dev/null 2>&1
  for _ in $(seq 1 50); do
    kill -0 "$1" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$1" 2>/dev/null && kill -TERM "$1" 2>/dev/null
  wait "$1" 2>/dev/null
}
# Lists a folder's files with their sizes and times, to tell whether it changed.
snapshot() { find "$1" -printf '%P %s %T@\n' | sort; }

if ! command -v wine >/dev/null || ! command -v flock >/dev/null; then
  echo "skip - wine-session: Wine or flock is not installed"
  exit 0
fi
# A server left running in the project's prefix would make the checks below
# about which server a session stops meaningless: wait for it to go.
WINEPREFIX="$project" timeout 30 wineserver -w 2>/dev/null

# An exported prefix that does not exist is neither used nor created.
out=$(WINEPREFIX="$scratch/absent" session sh -c 'printf %s "$WINEPREFIX"' 2>&1)
check "wine-session: the command runs in build/wineprefix, not in an exported WINEPREFIX" \
  test "$out" = "$project"
check "wine-session: an exported WINEPREFIX is not created" test ! -e "$scratch/absent"
check "wine-session: the server it started is stopped at the end" eval '! project_server_runs'

# A user's prefix with its server running.
mkdir "$scratch/user"
WINEPREFIX="$scratch/user" wineserver -f -p </dev/null >/dev/null 2>&1 &
user_server=$!
for _ in $(seq 1 50); do
  WINEPREFIX="$scratch/user" wineserver -k0 2>/dev/null && break
  sleep 0.1
done
before=$(snapshot "$scratch/user")
WINEPREFIX="$scratch/user" WINE_NO_WM=1 session wine cmd /c exit >/dev/null 2>&1
session=$?
check "wine-session: a command runs with a user's WINEPREFIX exported" test "$session" -eq 0
check "wine-session: the server of a user's prefix keeps running" kill -0 "$user_server"
check "wine-session: nothing in a user's prefix changes" test "$(snapshot "$scratch/user")" = "$before"
# The registry a server holds is written out when it stops.
stop_server "$user_server" "$scratch/user"
user_server=""
check "wine-session: no Managed value is written into a user's prefix" \
  eval '! grep -rqs Managed "$scratch/user"'
check "wine-session: the Managed value lands in the project's prefix" \
  grep -qs '"Managed"="N"' "$project/user.reg"

# A server that ran before the session is not the session's to stop.
WINEPREFIX="$project" wineserver -f -p </dev/null >/dev/null 2>&1 &
own_server=$!
for _ in $(seq 1 50); do
  project_server_runs && break
  sleep 0.1
done
session wine cmd /c exit >/dev/null 2>&1
check "wine-session: a server already running in the prefix is left running" kill -0 "$own_server"
stop_server "$own_server" "$project"

# Two sessions at once: the second waits, and the first keeps its server.
session sh -c "touch '$scratch/a-started'; sleep 3; wine cmd /c exit && touch '$scratch/a-done'" \
  >/dev/null 2>&1 &
first=$!
for _ in $(seq 1 300); do
  [ -e "$scratch/a-started" ] && break
  kill -0 "$first" 2>/dev/null || break
  sleep 0.1
done
session sh -c "test -e '$scratch/a-done' && wine cmd /c exit" >/dev/null 2>"$scratch/b-err"
second=$?
wait "$first"
first_status=$?
check "wine-session: a session keeps its server while another one starts" test "$first_status" -eq 0
check "wine-session: a second session runs only once the first has ended" test "$second" -eq 0
check "wine-session: the second session says that it waits" grep -q waiting "$scratch/b-err"

# wine-run, used alone, also ignores an exported prefix.
WINEPREFIX="$scratch/absent-run" timeout 120 scripts/wine-run cmd /c exit >/dev/null 2>&1
check "wine-run: an exported WINEPREFIX is not created" test ! -e "$scratch/absent-run"
WINEPREFIX="$project" timeout 30 wineserver -w 2>/dev/null

[ "$failures" -eq 0 ]
