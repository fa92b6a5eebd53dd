#!/usr/bin/env bash
# Runs a command with the project's Wine prefix set to a screen density, then
# puts the prefix back to 96 dpi, whatever became of the command.
# Usage: tests/scripts/with_dpi.sh DPI COMMAND [ARGS...]
#
# Wine takes the system dpi from the prefix's LogPixels value when a process
# starts, so the programs the command starts see DPI and those started after
# it see 96 again. Run it inside scripts/wine-session.sh: the session's lock
# keeps other runs in this checkout from starting programs meanwhile.
# The command gets WITH_DPI_SECONDS (90 by default) to finish, so that the
# density is put back before an outer time limit (CTest's) ends this script.
set -u
here=$(cd "$(dirname "$0")" && pwd)
wine_run="$here/../../scripts/wine-run"
dpi=${1:-}
shift || true
if ! [[ "$dpi" =~ ^[0-9]+$ ]] || [ "$dpi" -lt 48 ] || [ "$dpi" -gt 480 ] || [ $# -eq 0 ]; then
  echo "usage: with_dpi.sh DPI COMMAND [ARGS...] (DPI from 48 to 480)" >&2
  exit 2
fi

set_dpi() {
  "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
    </dev/null >/dev/null 2>&1
}
restore() { set_dpi 96 || echo "with_dpi: the prefix could not be put back to 96 dpi" >&2; }
trap restore EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if ! set_dpi "$dpi"; then
  echo "with_dpi: the prefix could not be set to $dpi dpi" >&2
  exit 1
fi
timeout -k 5 "${WITH_DPI_SECONDS:-90}" "$@"
