#!/usr/bin/env bash
# Starts tesmo.exe under Wine with an example question file. Without a
# display it runs inside Xvfb, saves a screenshot to build/screenshot.png and
# closes the program. Either way it fails when no Tesmo window appears.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/windows/tesmo.exe
example=examples/capitals.csv

if [ ! -f "$exe" ]; then
  echo "run: $exe is not built (make run builds it)" >&2
  exit 1
fi
if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-session.sh scripts/screenshot.sh - wine "$exe" "$example"
fi
WINE_NO_WM=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
  scripts/wine-session.sh scripts/screenshot.sh build/screenshot.png wine "$exe" "$example"
