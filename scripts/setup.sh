#!/usr/bin/env bash
# Installs what the builds and tests need on a fresh Debian machine.
# Does nothing when everything is already there.
set -euo pipefail

have_cmd() { command -v "$1" >/dev/null 2>&1; }
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'ok installed'; }
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=0
apt_update() {
  [ "$updated" = 1 ] && return 0
  $SUDO apt-get update -qq
  updated=1
}
install() {
  echo "setup: installing $*"
  apt_update
  $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}
known_pkg() { apt-cache show "$1" >/dev/null 2>&1; }

need=()
for pkg in cmake ninja-build g++ clang clang-format googletest \
           zip unzip \
           g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 \
           wine wine64 xvfb xauth x11-utils xdotool imagemagick locales fonts-wqy-microhei \
           util-linux; do
  have_pkg "$pkg" || need+=("$pkg")
done
[ ${#need[@]} -eq 0 ] || install "${need[@]}"

# The sanitizer and libFuzzer runtime belongs to one clang release: take the
# package of the clang installed (libclang-rt-<major>-dev), unless that clang
# links a fuzzer already, and the distribution's default one if there is no
# package of that release.
major=$(clang --version 2>/dev/null | sed -nE 's/.*clang version ([0-9]+).*/\1/p' | head -n 1)
fuzzer_links() {
  echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
    clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o /dev/null >/dev/null 2>&1
}
if [ -n "$major" ] && ! have_pkg "libclang-rt-$major-dev" && ! fuzzer_links; then
  runtime=""
  for pkg in "libclang-rt-$major-dev" libclang-rt-dev; do
    known_pkg "$pkg" || { apt_update && known_pkg "$pkg"; } || continue
    runtime=$pkg
    break
  done
  if [ -n "$runtime" ]; then
    install "$runtime"
  else
    echo "setup: no clang runtime package found for clang $major; make fuzz may not link" >&2
  fi
fi

# Wine reports code page 932 only when the Japanese locale exists.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
