#!/usr/bin/env bash
# A learner's first session with the real tesmo.exe, and the next start: the
# program runs as its own process under Wine and is driven only from outside,
# with keystrokes and mouse clicks through xdotool; what it shows is read back
# by peek.exe, what it writes is compared byte by byte.
#
# Usage: session_test.sh TESMO_EXE PEEK_EXE (see driver.sh)
set -uo pipefail
source "$(dirname "$0")/driver.sh"

echo "== first start, with the question file on the command line"
start_program capitals.csv
shows caption "capitals.csv - Tesmo"
shows status "1 items are dropped"
shows foreground "capitals.csv - Tesmo"

echo "== a run: one answer wrong, one in other letter case"
keys F2
shows status "Answered 0/3 items"
for answered in 1 2 3; do
  answer_shown_question
  shows status "Answered $answered/3 items"
done
shows focus log
run_log="[Miss 1]${CRLF}Question: Japan${CRLF}Answer 1: Tokyo${CRLF}Entry: Kyoto${CRLF}${CRLF}"
run_log+="[Results]${CRLF}Hit: 2${CRLF}Miss: 1${CRLF}Ratio: 66%${CRLF}"
peek log >"$scratch/shown.log"
same_bytes "$run_log" "$scratch/shown.log" "the log on screen"

echo "== Save Log through Ctrl+S and the save dialog"
keys ctrl+s
shows window "Save Log" yes
shows foreground "Save Log"
proposed=$(peek filename "Save Log")
[[ $proposed =~ ^Log[0-9]{14}\ -\ capitals\.csv\.txt$ ]] || fail "proposed log name \"$proposed\""
# The name typed without its extension: the dialog adds "txt".
keys End shift+Home
typed "$windows_folder\\saved"
shows filename "Save Log" "$windows_folder\\saved"
keys Return
shows window "Save Log" no
shows foreground "capitals.csv - Tesmo"
[ -f "$folder/saved.txt" ] || fail "no saved.txt in $folder: $(ls "$folder")"
same_bytes "$run_log" "$folder/saved.txt" "the saved log"

echo "== F4: the review asks the missed item again"
keys F4
shows status "Answered 0/1 items"
shows question Japan
shows focus answer
typed Tokyo
keys Return
shows status "Answered 1/1 items"
peek log >"$scratch/shown.log"
same_bytes "[Results]${CRLF}Hit: 1${CRLF}Miss: 0${CRLF}Ratio: 100%${CRLF}" "$scratch/shown.log" \
  "the log of the review"

echo "== Shuffle from the Options menu and from its toolbar button"
shows down Shuffle yes
keys alt+o s
shows down Shuffle no
point=$(peek button Shuffle)
[ -n "$point" ] || fail "no Shuffle button on the toolbar"
mouse mousemove $point click 1
shows down Shuffle yes
keys alt+o s
shows down Shuffle no

echo "== toolbar captions and Last Position from the View menu"
shows text Shuffle ""
keys alt+v c
shows text Shuffle Shuffle
keys alt+v l

echo "== the window dragged by its caption"
read -r left top _ <<<"$(peek rect)"
read -r grab_x grab_y <<<"$(peek titlebar)"
[ -n "$grab_y" ] || fail "no caption to drag"
mouse mousemove "$grab_x" "$grab_y" mousedown 1 \
  mousemove $((grab_x + 10)) $((grab_y + 10)) mousemove $((grab_x + 37)) $((grab_y + 23)) mouseup 1
shows pos "$((left + 37)) $((top + 23))"
moved=$(peek rect)
read -r left top right bottom <<<"$moved"

echo "== Exit, then what it wrote"
keys alt+f x
wait_for_end
values="\"\"\"$question_file\"\",,,,\",-1,-1,Default,9,0,8,0,-1,-1,0,0,0,0,0"
values+=",$left,$top,$right,$bottom,\"$windows_folder\",1,\"$windows_folder\",1,"
settings="[Settings]${CRLF}Values=$values${CRLF}${CRLF}"
same_bytes "$settings" "$folder/Settings.ini" "Settings.ini"

echo "== second start: options, captions, rectangle and history came back"
start_program
shows status Ready
shows caption Tesmo
shows rect "$moved"
shows down Shuffle no
shows text Shuffle Shuffle
shows foreground Tesmo
# The history's first entry, chosen from the menu by its number.
keys alt+f h 1
shows caption "capitals.csv - Tesmo"
keys F5
shows status "Showed the item list"
listing="[Information]${CRLF}Filename: $question_file${CRLF}Item count: 3${CRLF}"
listing+="${CRLF}[Item 1]${CRLF}Question: France${CRLF}Answer 1: Paris${CRLF}"
listing+="${CRLF}[Item 2]${CRLF}Question: Japan${CRLF}Answer 1: Tokyo${CRLF}"
listing+="${CRLF}[Item 3]${CRLF}Question: Italy${CRLF}Answer 1: Rome${CRLF}"
peek log >"$scratch/shown.log"
same_bytes "$listing" "$scratch/shown.log" "the item list"
keys alt+f x
wait_for_end
same_bytes "$settings" "$folder/Settings.ini" "Settings.ini after the second start"

echo "passed"
