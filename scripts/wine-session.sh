#!/usr/bin/env bash
# Runs a command with a ready Wine prefix and one Wine server kept alive for
# the whole command, so that each program started under Wine starts quickly.
# Usage: scripts/wine-session.sh COMMAND [ARGS...]
#
# The prefix is always the project's own, build/wineprefix: a WINEPREFIX the
# user exported names their own Wine installation, which the tests must never
# run in, write to or stop. One session at a time runs in a checkout; a second
# waits for the first to end. At the end the script stops the Wine server only
# when it started that server itself.
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$root/build"

# The lock is held on descriptor 9 for as long as this script runs. Nothing
# started from here inherits it, so a program left running cannot keep it.
exec 9>"$root/build/wine-session.lock"
if ! flock -n 9; then
  echo "wine: another Wine session runs in this checkout; waiting for it to end" >&2
  flock 9
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine: creating the prefix in $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 9>&-
  wineserver -w 9>&-
fi

# A server that already runs in this prefix (one started by hand, say) is used
# and left running; otherwise this session starts its own and stops it again.
server=""
stop_server() {
  [ -n "$server" ] || return 0
  # Only while the server started here still runs: then it is the prefix's
  # server, and stopping it ends the programs the command left behind.
  if kill -0 "$server" 2>/dev/null; then
    wineserver -k >/dev/null 2>&1 9>&-
    wait "$server" 2>/dev/null
  fi
}
trap stop_server EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
if ! wineserver -k0 2>/dev/null; then
  wineserver -f -p </dev/null >/dev/null 2>&1 9>&- &
  server=$!
  # Wait until the server answers; if it ended at once, another one won the
  # race to start, and that one is not ours to stop.
  for _ in $(seq 1 100); do
    wineserver -k0 2>/dev/null && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$server" 2>/dev/null || server=""
fi

# Start Wine's own background processes now, with their output detached: a
# test runner reading a program's output through a pipe would otherwise wait
# for them to close it.
wine cmd /c exit </dev/null >/dev/null 2>&1 9>&-
# Inside Xvfb no window manager runs, and Wine would wait two seconds for one
# to acknowledge every top-level window it hides (each message box, say).
# WINE_NO_WM=1 lets Wine place its windows itself.
key='HKCU\Software\Wine\X11 Driver'
if [ "${WINE_NO_WM:-0}" = 1 ]; then
  wine reg add "$key" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1 9>&-
else
  wine reg delete "$key" /v Managed /f </dev/null >/dev/null 2>&1 9>&-
fi
"$@" 9>&-
