#!/usr/bin/env bash
# Closing while a run goes on asks first: Cancel keeps the window, the run
# and the settings file as they were; OK closes and writes the settings. Two
# files on the command line open neither.
#
# Usage: closing_test.sh TESMO_EXE PEEK_EXE (see driver.sh)
set -uo pipefail
source "$(dirname "$0")/driver.sh"

# settings_with VARIABLE HISTORY_FIELD: the file the program writes with the
# default options, the window where it is now and no file dialog used.
settings_with() {
  local left top right bottom
  read -r left top right bottom <<<"$(peek rect)"
  printf -v "$1" '%s' "[Settings]${CRLF}Values=$2,-1,0,Default,9,0,8,0,-1,0,0,-1,0,0,0" \
    ",$left,$top,$right,$bottom,,1,,1,${CRLF}${CRLF}"
}

echo "== two files on the command line: neither opens"
start_program capitals.csv capitals.csv
shows status "2 items are dropped"
shows message "Set one file to open."
keys Return
shows message ""
shows caption Tesmo
settings_with empty_settings '",,,,"'
keys alt+f x
wait_for_end
same_bytes "$empty_settings" "$folder/Settings.ini" "Settings.ini with an empty history"

echo "== Exit during a run, Cancel: nothing changes"
start_program capitals.csv
shows caption "capitals.csv - Tesmo"
shows foreground "capitals.csv - Tesmo"
keys F2
shows status "Answered 0/3 items"
answer_shown_question
shows status "Answered 1/3 items"
keys alt+f x
shows message "Quit the current examination?"
keys Escape
shows message ""
shows foreground "capitals.csv - Tesmo"
kill -0 "$program" 2>/dev/null || fail "the program ended after Cancel"
shows status "Answered 1/3 items"
same_bytes "$empty_settings" "$folder/Settings.ini" "Settings.ini after Cancel"
# The run goes on where it was.
answer_shown_question
shows status "Answered 2/3 items"

echo "== Alt+F4 during the run, OK: the settings are written"
keys alt+F4
shows message "Quit the current examination?"
settings_with expected "\"\"\"$question_file\"\",,,,\""
keys Return
wait_for_end
same_bytes "$expected" "$folder/Settings.ini" "Settings.ini after OK"

echo "passed"
