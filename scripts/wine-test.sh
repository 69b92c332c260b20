#!/usr/bin/env bash
# Cross-builds Kolbrin for 64-bit Windows with MinGW-w64, the Win32 front end
# included (build/mingw/kolbrin.exe), and runs every test under Wine: the
# widget-free core, the Win32 framework with real windows, and the real
# program driven from outside. Then builds the installer (kolbrin.msi) and
# the zip of the program (kolbrin.zip) beside it, installs the one, starts
# the installed program and uninstalls it again. Installs what is missing
# first.
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

PACKAGES=(g++-mingw-w64-x86-64-posix wine64 wine fonts-wine xvfb imagemagick wixl)
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
# No prompts for Wine's .NET and HTML engines, which the tests do not use;
# and no debugger: a test that crashes ends at once as a failure instead of
# in Wine's debugger, which can hang on a process with many threads.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
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
ctest --test-dir "$BUILD" --output-on-failure -j2 --timeout 300 --repeat until-pass:2 2>&1 | tr -d '\r' || status=$?
for picture in "$BUILD"/test-output/looks/*.bmp; do
  [[ -e $picture ]] || continue
  convert "$picture" "${picture%.bmp}.png" && rm "$picture"
done

# The uninstall entry of the product named Kolbrin: its key and values.
uninstall_entry() {
  wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s 2>/dev/null | tr -d '\r' |
    awk '/^HKEY/ { block = "" } { block = block $0 "\n" } /DisplayName +REG_SZ +Kolbrin$/ { found = 1 }
         /^$/ && found { printf "%s", block; exit }'
}

# The shortcut "Kolbrin" in a Start menu (Wine puts one for all users into
# the user's menu).
start_menu_entry() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/Kolbrin.lnk'; }

# kolbrin.msi installs quietly for all users into Program Files with a
# Start-menu entry and an entry under "Apps & Features" with this version
# and the icon; the installed program starts and shows its window;
# uninstalling removes every installed file and keeps the user's settings.
# kolbrin.zip holds the program.
check_installer() {
  local version folder msi started
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")
  folder="$WINEPREFIX/drive_c/Program Files/Kolbrin"
  msi=$(winepath -w "$BUILD/kolbrin.msi")
  cmake --build "$BUILD" --target kolbrin_msi kolbrin_zip || return 1
  [[ $(cmake -E tar tf "$BUILD/kolbrin.zip") == kolbrin.exe ]] || { echo "kolbrin.zip: not the program alone" >&2; return 1; }
  wine msiexec /i "$msi" /qn || { echo "msiexec /i failed" >&2; return 1; }
  cmp -s "$BUILD/kolbrin.exe" "$folder/kolbrin.exe" || { echo "kolbrin.exe not installed" >&2; return 1; }
  [[ -n $(start_menu_entry) ]] || { echo "no Start-menu entry" >&2; return 1; }
  uninstall_entry | grep -Eq "DisplayVersion +REG_SZ +$version\$" || { echo "no entry of $version" >&2; return 1; }
  wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | grep -q 'ProductIcon.*kolbrin\.ico' ||
    { echo "no icon for Apps & Features" >&2; return 1; }
  started=$(KOLBRIN_EXE='C:\Program Files\Kolbrin\kolbrin.exe' wine "$BUILD/tests/kolbrin_app_tests.exe" \
    --gtest_filter='KolbrinFrame.FirstStart*' 2>&1 | tr -d '\r')
  echo "$started"
  grep -q '^\[  PASSED  \] 1 test' <<<"$started" || { echo "the installed program did not start" >&2; return 1; }
  wine msiexec /x "$msi" /qn || { echo "msiexec /x failed" >&2; return 1; }
  [[ ! -e $folder && -z $(start_menu_entry) && -z $(uninstall_entry) ]] ||
    { echo "uninstalling left files or its entry behind" >&2; return 1; }
  wine reg query 'HKCU\Software\Ostrana\Kolbrin\POSITION' >/dev/null 2>&1 ||
    { echo "uninstalling removed the user's settings" >&2; return 1; }
  echo "installer: installed, started and removed Kolbrin $version; kolbrin.msi and kolbrin.zip in $BUILD"
}
check_installer || status=1
exit "$status"
