#!/usr/bin/env bash
# Starts tesmo.exe under Wine with an example question file. Without a
# display it runs inside Xvfb, saves a screenshot to build/screenshot.png and
# closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."
exe=build/windows/tesmo.exe
example=examples/capitals.csv

if [ -n "${DISPLAY:-}" ]; then
  exec scripts/wine-session.sh wine "$exe" "$example"
fi

shoot() {
  wine "$exe" "$example" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 1 100); do
    xdotool search --name '^(.* - )?Tesmo$' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  timeout 20 import -window root build/screenshot.png
  echo "run: screenshot saved to build/screenshot.png"
}
export -f shoot
export exe example
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" scripts/wine-session.sh bash -c shoot
