#!/usr/bin/env bash
# Cross-builds the widget-free part of Kolbrin for 64-bit Windows with
# MinGW-w64 and runs its tests under Wine. Installs what is missing first.
#
#   scripts/wine-test.sh [build-directory]     (default: build/mingw)
#
# The build directory holds its own Wine prefix, so runs in different
# directories do not share a Wine server.
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE=$PWD
BUILD=$(realpath -m "${1:-build/mingw}")

PACKAGES=(g++-mingw-w64-x86-64-posix wine64 wine)
missing=()
for package in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if ((${#missing[@]})); then
  SUDO=()
  [[ $(id -u) -eq 0 ]] || SUDO=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}" ||
    { "${SUDO[@]}" apt-get update && "${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"; }
fi

mkdir -p "$BUILD"
export WINEPREFIX=$BUILD/wineprefix WINEARCH=win64 WINEDEBUG=-all
# No prompts for Wine's .NET and HTML engines, which the tests do not use.
export WINEDLLOVERRIDES="mscoree,mshtml="
# A persistent server and a booted prefix: without them every test process
# waits seconds for Wine's background services.
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k || true' EXIT
wineboot -i >/dev/null 2>&1 || true

cmake -S "$SOURCE" -B "$BUILD" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$SOURCE/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DKOLBRIN_GUI=OFF -DKOLBRIN_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j2 --target kolbrin_core_tests
# Wine writes CR LF; the log is read as plain lines. A test process that
# Wine fails to start is tried once more; a test that fails twice fails.
ctest --test-dir "$BUILD" --output-on-failure -j2 --repeat until-pass:2 2>&1 | tr -d '\r'
