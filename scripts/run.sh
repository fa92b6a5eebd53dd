#!/usr/bin/env bash
# Starts tesmo.exe under Wine with an example question file. Without a
# display it runs inside Xvfb, saves a screenshot to build/screenshot.png and
# closes the program. Either way it fails when no Tesmo window appears.
#
# DPI=120 (or 144, 192, ...) runs it at that screen density instead: the
# prefix is set to it for this run only and put back to 96 afterwards, the
# Xvfb screen grows with it, and the screenshot goes to
# build/screenshot-<dpi>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/windows/tesmo.exe
example=examples/capitals.csv

if [ ! -f "$exe" ]; then
  echo "run: $exe is not built (make run builds it)" >&2
  exit 1
fi
if [ -z "${DPI:-}" ]; then
  if [ -n "${DISPLAY:-}" ]; then
    exec scripts/wine-session.sh scripts/screenshot.sh - wine "$exe" "$example"
  fi
  WINE_NO_WM=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    scripts/wine-session.sh scripts/screenshot.sh build/screenshot.png wine "$exe" "$example"
  exit
fi

if ! [[ "$DPI" =~ ^[0-9]+$ ]] || [ "$DPI" -lt 48 ] || [ "$DPI" -gt 480 ]; then
  echo "run: DPI must be a number from 48 to 480, not '$DPI'" >&2
  exit 1
fi
if [ -n "${DISPLAY:-}" ]; then
  # No time limit: the program runs until the user closes it.
  WITH_DPI_SECONDS=0 exec scripts/wine-session.sh tests/scripts/with_dpi.sh "$DPI" \
    scripts/screenshot.sh - wine "$exe" "$example"
fi
# A screen of more pixels, as a denser screen of the same size has.
width=$((1024 * DPI / 96)) height=$((768 * DPI / 96))
WINE_NO_WM=1 xvfb-run -a -s "-screen 0 ${width}x${height}x24 -nolisten tcp" \
  scripts/wine-session.sh tests/scripts/with_dpi.sh "$DPI" \
  scripts/screenshot.sh "build/screenshot-$DPI.png" wine "$exe" "$example"
