#!/usr/bin/env bash
# Starts a program, waits for Tesmo's window, saves a screenshot of the whole
# display and ends the program. Usage: screenshot.sh OUTPUT.png COMMAND [ARGS...]
set -u
out=$1
shift
"$@" </dev/null >/dev/null 2>&1 &
program=$!
for _ in $(seq 1 100); do
  xdotool search --name 'Tesmo$' >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
timeout 20 import -window root "$out" && echo "screenshot saved to $out"
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
exit 0
