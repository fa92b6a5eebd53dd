#!/usr/bin/env bash
# Runs a command with a ready Wine prefix and one Wine server kept alive for
# the whole command, so that each program started under Wine starts quickly.
# Usage: scripts/wine-session.sh COMMAND [ARGS...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$here/../build/wineprefix}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "wine: creating the prefix in $WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wineserver -p
trap 'wineserver -k >/dev/null 2>&1' EXIT
# Start Wine's own background processes now, with their output detached: a
# test runner reading a program's output through a pipe would otherwise wait
# for them to close it.
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
