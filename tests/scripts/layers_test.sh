#!/usr/bin/env bash
# The layers of src/, lowest first: util, settings, then exam and find (the
# portable core), then win (the Win32 toolkit), dialogs, and app on top. A
# file may include its own folder and the folders below it, never one above
# or beside it. Prints "ok - ..." or "not ok - ..." a layer.
set -u
cd "$(dirname "$0")/../.."
rank() {
  case $1 in
  util) echo 0 ;; settings) echo 1 ;; exam | find) echo 2 ;;
  win) echo 3 ;; dialogs) echo 4 ;; app) echo 5 ;; *) echo -1 ;;
  esac
}
failures=0
for dir in src/*/; do
  layer=$(basename "$dir")
  own=$(rank "$layer")
  [ "$own" -ge 0 ] || { echo "not ok - layers: src/$layer is not a known layer"; failures=$((failures + 1)); continue; }
  bad=""
  while IFS=: read -r file included; do
    target=${included%%/*}
    [ "$target" = "$layer" ] && continue
    other=$(rank "$target")
    [ "$other" -ge 0 ] || continue # a header of the folder itself or the build's own
    [ "$other" -lt "$own" ] || bad+="    $file includes $included"$'\n'
  done < <(grep -rHoE '^[[:space:]]*#[[:space:]]*include[[:space:]]+"[^"]+"' "$dir" |
           sed -E 's/:.*"([^"]+)"$/:\1/')
  if [ -z "$bad" ]; then
    echo "ok - layers: src/$layer includes nothing above it"
  else
    echo "not ok - layers: src/$layer includes a layer above or beside it"
    printf '%s' "$bad"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ]
