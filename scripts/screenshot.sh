#!/usr/bin/env bash
# Starts a program and waits for Tesmo's window. With an output file it then
# saves a screenshot of the whole display there and ends the program; with "-"
# it leaves the program running until it ends by itself.
# Usage: screenshot.sh OUTPUT.png|- COMMAND [ARGS...]
# Fails, saying so, when no window appears within RUN_WAIT_SECONDS (30 by
# default) or the program ends first.
set -u
out=$1
shift
wait_seconds="${RUN_WAIT_SECONDS:-30}"
"$@" </dev/null >/dev/null 2>&1 &
program=$!

appeared=0
# SECONDS counts whole seconds: one more makes the wait at least that long.
deadline=$((SECONDS + wait_seconds + 1))
while [ "$SECONDS" -lt "$deadline" ]; do
  if xdotool search --name 'Tesmo$' >/dev/null 2>&1; then appeared=1; break; fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.2
done
if [ "$appeared" = 0 ]; then
  if kill -0 "$program" 2>/dev/null; then
    echo "run: no Tesmo window appeared within $wait_seconds s" >&2
    kill "$program" 2>/dev/null
  else
    echo "run: the program ended before a Tesmo window appeared" >&2
  fi
  wait "$program" 2>/dev/null
  exit 1
fi

if [ "$out" = - ]; then
  wait "$program"
  exit 0
fi
sleep 1
status=0
if timeout 20 import -window root "$out"; then
  echo "screenshot saved to $out"
else
  echo "run: the screenshot could not be saved to $out" >&2
  status=1
fi
kill "$program" 2>/dev/null
wait "$program" 2>/dev/null
exit "$status"
