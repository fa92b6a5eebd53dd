#!/usr/bin/env bash
# The program unpacked into a folder the code page cannot name, as under a
# Russian user's profile on a Western system, and started with a name the
# code page lacks while a look-alike lies beside it: it opens the file itself
# and keeps its settings in its own folder.
#
# Usage: names_test.sh TESMO_EXE PEEK_EXE (see driver.sh)
set -uo pipefail
source "$(dirname "$0")/driver.sh"

folder="$scratch/Дмитрий"
mkdir "$folder"
cp "$tesmo_built" "$folder/tesmo.exe" || fail "cannot copy $tesmo_built"
printf 'Macron,A\r\n' >"$folder/Āb.csv"
printf 'Plain,A\r\nSecond,B\r\n' >"$folder/Ab.csv"
# The program's path holds characters peek could not compare; only one runs.
unset PEEK_PROGRAM

echo "== a relative name the code page lacks, its look-alike beside it"
start_program Āb.csv
shows status "1 items are dropped"
caption=$(peek caption)
[ "$caption" != "Ab.csv - Tesmo" ] || fail "the look-alike Ab.csv was opened"
keys F5
peek log | grep -q "Macron" || fail "the log does not list the item of Āb.csv"

echo "== the close writes the settings into the program's folder"
keys alt+f x
wait_for_end
grep -q "^Values=" "$folder/Settings.ini" 2>/dev/null || fail "no Settings.ini beside tesmo.exe"

echo "passed"
