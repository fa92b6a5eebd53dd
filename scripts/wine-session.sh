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
# Inside Xvfb no window manager runs, and Wine would wait two seconds for one
# to acknowledge every top-level window it hides (each message box, say).
# WINE_NO_WM=1 lets Wine place its windows itself.
key='HKCU\Software\Wine\X11 Driver'
if [ "${WINE_NO_WM:-0}" = 1 ]; then
  wine reg add "$key" /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
else
  wine reg delete "$key" /v Managed /f </dev/null >/dev/null 2>&1
fi
"$@"
