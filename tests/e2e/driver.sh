# What every end-to-end scenario needs, sourced by the scenario scripts: a
# scratch folder holding a copy of tesmo.exe, the program started as its own
# process under Wine, keystrokes and clicks through xdotool, and what the
# window shows read back by peek.exe.
#
# A scenario is called as SCENARIO TESMO_EXE PEEK_EXE inside an X display with
# a Wine session (scripts/wine-session.sh). Without a display or xdotool it
# reports itself skipped (exit code 77). It stops only the process it started.

tesmo_built=$1
peek_exe=$2
wine_run=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)/wine-run

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null 2>&1; then
  echo "skipped: needs an X display and xdotool"
  exit 77
fi

CRLF=$'\r\n'
# The program sits in a folder whose name holds a blank, so that the paths it
# stores must be quoted.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tesmo-e2e.XXXXXX")
folder="$scratch/My Drills"
mkdir "$folder"
program="" # the tesmo.exe this scenario started, while it runs

stop_program() {
  [ -n "$program" ] || return 0
  if kill -0 "$program" 2>/dev/null; then
    kill "$program" 2>/dev/null
    for _ in $(seq 1 50); do
      kill -0 "$program" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$program" 2>/dev/null
  fi
  wait "$program" 2>/dev/null
  program=""
}
trap 'stop_program; rm -rf "$scratch"' EXIT
trap 'exit 1' INT TERM

# Every step within its own limit. --foreground keeps the step in the
# scenario's process group, so the scenario's hard limit reaches it too.
limited() { timeout --foreground "$@"; }

peek() { limited 30 "$wine_run" "$peek_exe" "$@"; }

fail() {
  echo "FAILED: $*"
  if [ -n "$program" ]; then
    echo "-- what the screen showed:"
    peek windows
    echo "-- caption: $(peek caption)"
    echo "-- status: $(peek status)"
    echo "-- keyboard goes to: $(peek foreground), focus: $(peek focus)"
    echo "-- log:"
    peek log
    echo
  fi
  exit 1
}

# shows QUERY [ARGUMENT] EXPECTED: waits until the window shows it.
shows() {
  local got
  got=$(peek --wait 10000 "$@") || fail "expected $1 ${*:2:$#-2} \"${!#}\", saw \"$got\""
}

keys() { limited 10 xdotool key --delay 30 "$@" || fail "xdotool key $*"; }
typed() { limited 20 xdotool type --delay 20 -- "$1" || fail "xdotool type $1"; }
mouse() { limited 10 xdotool "$@" || fail "xdotool $*"; }

# Starts the copy in the scratch folder with the given arguments.
start_program() {
  (cd "$folder" && exec "$wine_run" tesmo.exe "$@" </dev/null >>"$scratch/wine.log" 2>&1) &
  program=$!
}

# A closed window ends the process.
wait_for_end() {
  for _ in $(seq 1 150); do
    if ! kill -0 "$program" 2>/dev/null; then
      wait "$program" 2>/dev/null
      program=""
      return 0
    fi
    sleep 0.1
  done
  fail "tesmo.exe is still running after it was closed"
}

# same_bytes EXPECTED_TEXT FILE WHAT
same_bytes() {
  printf '%s' "$1" >"$scratch/expected"
  cmp -s "$scratch/expected" "$2" && return 0
  echo "-- expected $3:"
  od -c "$scratch/expected" | head -40
  echo "-- found:"
  od -c "$2" | head -40
  fail "$3 differs"
}

# answer_shown_question: types the answer to the question on screen and
# presses Enter; Japan is always answered wrong, France in other letter case.
answer_shown_question() {
  local question answer
  shows focus answer
  question=$(peek question)
  case $question in
  France) answer=paris ;;
  Japan) answer=Kyoto ;;
  Italy) answer=Rome ;;
  *) fail "unexpected question \"$question\"" ;;
  esac
  typed "$answer"
  shows answer "$answer"
  keys Return
}

cp "$tesmo_built" "$folder/tesmo.exe" || fail "cannot copy $tesmo_built"
printf 'France,Paris\r\nJapan,Tokyo\r\nItaly,Rome\r\n' >"$folder/capitals.csv"
windows_folder=$("$wine_run" winepath -w "$folder" 2>/dev/null | tr -d '\r\n')
[ -n "$windows_folder" ] || fail "winepath gave no Windows path for $folder"
question_file="$windows_folder\\capitals.csv"
# peek.exe looks only at the windows of this copy.
export PEEK_PROGRAM="$windows_folder\\tesmo.exe"
