#!/usr/bin/env bash
# Cross-builds Kolbrin for 64-bit Windows with MinGW-w64, the Win32 front end
# included (build/mingw/kolbrin.exe), and runs every test under Wine: the
# widget-free core, the Win32 framework with real windows, and the real
# program driven from outside. Installs what is missing first.
#
#   scripts/wine-test.sh [build-directory]     (default: build/mingw)
#
# The windows live on a private X display (Xvfb) in Wine's virtual desktop,
# with a Wine prefix and server of this build directory's own. Pictures of
# the frame and the about box at 100, 150 and 200 per cent are left in
# <build-directory>/test-output/looks/*.png.
set -euo pipefail
cd "$(dirname "$0")/.."
SOURCE=$PWD
BUILD=$(realpath -m "${1:-build/mingw}")

PACKAGES=(g++-mingw-w64-x86-64-posix wine64 wine fonts-wine xvfb imagemagick)
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
# A display of our own: Xvfb picks a free number and writes it to fd 9.
rm -f "$BUILD/xvfb.display"
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$BUILD/xvfb.display" >/dev/null 2>&1 &
XVFB=$!
export WINEPREFIX=$BUILD/wineprefix WINEARCH=win64 WINEDEBUG=-all
# No prompts for Wine's .NET and HTML engines, which the tests do not use.
export WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  kill "$XVFB" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 100); do [[ -s $BUILD/xvfb.display ]] && break; sleep 0.1; done
[[ -s $BUILD/xvfb.display ]] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$BUILD/xvfb.display")

# A persistent server and a booted prefix: without them every test process
# waits seconds for Wine's background services. Windows go into Wine's
# virtual desktop, which draws them like Windows and closes them at once
# (without a window manager, Wine waits two seconds for every window that
# goes away).
mkdir -p "$WINEPREFIX"
wineserver -p >/dev/null 2>&1
wineboot -i >/dev/null 2>&1 || true
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
# Wine's own Marlett (the caption buttons) and Tahoma (what "MS Shell Dlg"
# means), which Debian's Wine does not look for in its data folder.
cp -f /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

cmake -S "$SOURCE" -B "$BUILD" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$SOURCE/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DKOLBRIN_FRONTEND=win32 -DKOLBRIN_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j2
# Wine writes CR LF; the log is read as plain lines. A test process that
# Wine fails to start is tried once more; a test that fails twice fails.
rm -rf "$BUILD/test-output/looks"
status=0
ctest --test-dir "$BUILD" --output-on-failure -j2 --repeat until-pass:2 2>&1 | tr -d '\r' || status=$?
for picture in "$BUILD"/test-output/looks/*.bmp; do
  [[ -e $picture ]] || continue
  convert "$picture" "${picture%.bmp}.png" && rm "$picture"
done
exit "$status"
