#!/usr/bin/env bash
# Builds the release: build/dist/Tesmo-<version>/ and build/dist/Tesmo-<version>.zip
# with tesmo.exe, Help\index.html, the sample question files, README.txt and
# LICENSE.txt, and build/dist/SHA256SUMS with the zip's checksum. Then checks
# the zip the way a user meets it: unpacked into an empty folder, under Wine
# in Xvfb, tesmo.exe starts with a sample file, opens its own help file, and
# writes Settings.ini beside itself on closing.
#
# Usage: scripts/dist.sh               build and check
#        scripts/dist.sh --check ZIP   check a zip only
# The version is the project's own (CMakeLists.txt), read from the header the
# build generates from it.
set -euo pipefail
# A zip named on the command line is taken relative to the caller's folder.
if [ "${1:-}" = --check ]; then
  zip_arg=${2:?usage: scripts/dist.sh --check ZIP}
  zip_arg=$(cd "$(dirname "$zip_arg")" && pwd)/$(basename "$zip_arg")
fi
cd "$(dirname "$0")/.."
root=$(pwd)

fail() {
  echo "dist check FAILED: $*" >&2
  exit 1
}

# --- Inside the Xvfb display and the Wine session: the checks themselves. ---
if [ "${1:-}" = --inside ]; then
  zip=$2 work=$3
  unpacked=$work/unpacked elsewhere=$work/elsewhere
  mkdir -p "$unpacked" "$elsewhere"
  [ -z "$(ls -A "$unpacked")" ] || fail "the folder to unpack into is not empty"
  unzip -q "$zip" -d "$unpacked" || fail "unzip could not unpack $zip"
  app=$(find "$unpacked" -mindepth 1 -maxdepth 1 -type d -name 'Tesmo-*')
  [ -n "$app" ] || fail "the zip holds no Tesmo-<version> folder"
  for file in tesmo.exe Help/index.html README.txt LICENSE.txt; do
    test -f "$app/$file" || fail "the zip lacks $file"
  done
  for file in "$root"/examples/*; do
    cmp -s "$file" "$app/examples/$(basename "$file")" || fail "examples/$(basename "$file") differs or is missing"
  done
  cmp -s "$root/help/index.html" "$app/Help/index.html" || fail "Help/index.html is not the current help page"
  test ! -e "$app/Settings.ini" || fail "the zip already holds a Settings.ini"
  echo "unpacked: $(cd "$unpacked" && find . -type f | sort | tr '\n' ' ')"

  # Help hands its file to the program associated with .html. For the check a
  # recorder stands in for the browser and writes down the path it is given;
  # the prefix's own association is put back at the end, however the check ends.
  opened=$work/opened.txt
  recorder="C:\\windows\\system32\\cmd.exe /c echo %1> $(winepath -w "$opened")"
  progid=TesmoDistCheck.html
  reg() { wine reg "$@" </dev/null >/dev/null 2>&1; }
  existed=0 previous=""
  if reg query 'HKCR\.html'; then
    previous=$(wine reg query 'HKCR\.html' /ve </dev/null 2>/dev/null | tr -d '\r' |
      sed -n 's/.*REG_SZ[[:space:]]*//p')
    [ "$previous" = "$progid" ] || existed=1 # else left by a check that was killed
  fi
  pid=""
  cleanup() {
    [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
    if [ "$existed" = 1 ]; then
      reg add 'HKCR\.html' /ve /d "$previous" /f || true
    else
      reg delete 'HKCR\.html' /f || true
    fi
    reg delete "HKCR\\$progid" /f || true
  }
  trap cleanup EXIT
  reg add "HKCR\\$progid\\shell\\open\\command" /ve /d "$recorder" /f &&
    reg add 'HKCR\.html' /ve /d "$progid" /f || fail "cannot register the .html recorder"

  # Started from another folder: the program must find its files beside
  # itself, not in the working folder.
  sample_win=$(winepath -w "$app/examples/capitals.csv")
  cd "$elsewhere"
  wine "$app/tesmo.exe" "$sample_win" </dev/null >/dev/null 2>&1 &
  pid=$!

  # waitfor SECONDS COMMAND...: retries the command every 0.1 s.
  waitfor() {
    local tries=$(($1 * 10))
    shift
    for _ in $(seq 1 "$tries"); do
      "$@" && return 0
      sleep 0.1
    done
    return 1
  }
  titled() { [ "$(xdotool search --name "$1" 2>/dev/null | wc -l)" -ge "$2" ]; }
  ended() { ! kill -0 "$pid" 2>/dev/null; }
  main_window() { window=$(xdotool search --name '^capitals\.csv - Tesmo$' 2>/dev/null | head -n 1) && [ -n "$window" ]; }

  waitfor 30 main_window || fail "no window \"capitals.csv - Tesmo\" within 30 s"
  echo "started: window \"capitals.csv - Tesmo\" (the sample file opened)"

  xdotool windowfocus "$window"
  sleep 0.3
  xdotool key --clearmodifiers F1
  # The question "Open the help document in HTML format?" bears the same title.
  waitfor 10 titled 'Tesmo$' 2 || fail "F1 did not ask to open the help document"
  xdotool key --clearmodifiers Return
  waitfor 15 test -s "$opened" || fail "Help opened nothing within 15 s"
  got=$(tr -d '\r\n' <"$opened")
  want=$(winepath -w "$app/Help/index.html")
  [ "${got,,}" = "${want,,}" ] || fail "Help opened \"$got\", not \"$want\""
  sleep 0.5
  titled 'Tesmo$' 2 && fail "an error box followed the help document"
  echo "help: opened $got"

  # A click gives the window back the activation the recorder took, then
  # Alt+F4 closes it the way a user does; the close writes the settings.
  xdotool mousemove --window "$window" 300 300 click 1
  sleep 0.3
  xdotool key --clearmodifiers alt+F4
  waitfor 15 ended || fail "tesmo.exe did not end within 15 s of Alt+F4"
  wait "$pid" 2>/dev/null || true
  pid=""

  settings=$app/Settings.ini
  test -f "$settings" || fail "closing wrote no Settings.ini beside tesmo.exe"
  test ! -e "$elsewhere/Settings.ini" || fail "Settings.ini was written into the working folder"
  [ "$(head -n 1 "$settings" | tr -d '\r')" = "[Settings]" ] || fail "Settings.ini does not begin with [Settings]"
  values=$(sed -n 2p "$settings" | tr -d '\r')
  case $values in
  'Values="'*capitals.csv*) ;;
  *) fail "Settings.ini does not remember the sample file: $values" ;;
  esac
  # After the quoted recent-file list, 23 more fields, each after a comma.
  rest=${values#Values=\"*\"}
  commas=${rest//[^,]/}
  [ "${#commas}" -eq 23 ] || fail "Settings.ini holds $((${#commas} + 1)) fields, not 24: $values"
  echo "settings: $(basename "$settings") beside tesmo.exe: $values"
  exit 0
fi

# --- Build, assemble, zip, check. ---
if [ "${1:-}" != --check ]; then
  cmake --preset windows >/dev/null
  cmake --build build/windows -j "$(nproc)" --target tesmo
  version=$(sed -n 's/^#define TESMO_VERSION_TEXT "\(.*\)"$/\1/p' build/windows/generated/version.h)
  [ -n "$version" ] || fail "no version in build/windows/generated/version.h"

  name=Tesmo-$version
  out=build/dist/$name
  rm -rf "$out" "build/dist/$name.zip"
  mkdir -p "$out/Help" "$out/examples"
  cp build/windows/tesmo.exe "$out/tesmo.exe"
  cp build/windows/Help/index.html "$out/Help/index.html"
  cp examples/* "$out/examples/"
  # Plain text for Notepad: Windows line ends.
  sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' help/README.txt >"$out/README.txt"
  sed -e 's/$/\r/' LICENSE >"$out/LICENSE.txt"
  (cd build/dist && zip -q -r -X "$name.zip" "$name")
  # The checksum a user compares with the published one.
  (cd build/dist && sha256sum "$name.zip" >SHA256SUMS)
  zip=build/dist/$name.zip
  echo "dist: $out/, $zip ($(du -k "$zip" | cut -f1) KB) and build/dist/SHA256SUMS"
else
  zip=$zip_arg
  version=$(basename "$zip" .zip)
  version=${version#Tesmo-}
fi

zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
test -f "$zip" || fail "no zip at $zip"
# A SHA256SUMS beside the zip must name it with its true checksum.
sums=$(dirname "$zip")/SHA256SUMS
if [ -f "$sums" ]; then
  (cd "$(dirname "$zip")" && grep -F "  $(basename "$zip")" SHA256SUMS | sha256sum -c --quiet -) ||
    fail "SHA256SUMS does not hold the zip's checksum"
fi
# The one version number, in the zip's name, the version resource and the About text.
resource=$(unzip -p "$zip" "Tesmo-$version/tesmo.exe" | strings -e l)
resource=$(grep -A1 -x ProductVersion <<<"$resource" | tail -n 1)
[ "$resource" = "$version" ] || fail "tesmo.exe's version resource says \"$resource\", not $version"
about=$(unzip -p "$zip" "Tesmo-$version/tesmo.exe" | strings)
grep -qF "for Windows Version $version." <<<"$about" ||
  fail "tesmo.exe's About text does not carry version $version"

work=$(mktemp -d "${TMPDIR:-/tmp}/tesmo-dist.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
WINE_NO_WM=1 timeout 300 \
  xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
  scripts/wine-session.sh bash scripts/dist.sh --inside "$zip" "$work" || status=$?
[ "$status" -eq 0 ] || fail "the check of $zip did not pass (exit $status)"
echo "dist check passed: $zip"
