#!/usr/bin/env bash
# Builds Kolbrin as it is installed, checks the install tree with the
# desktop's own validators, makes the Debian package, looks into it, and
# installs it on this machine to start it once (removed again at the end).
#
#   scripts/package-test.sh [build-directory]     (default: build/package)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh packaging
BUILD=$(realpath -m "${1:-build/package}")
STAGE=$BUILD/stage
ID=org.example.kolbrin

fail() { echo "FEHLER: $*" >&2; exit 1; }

cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DKOLBRIN_TESTS=OFF -DKOLBRIN_BENCH=OFF >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
rm -rf "$STAGE"
DESTDIR=$STAGE cmake --install "$BUILD" >/dev/null

echo "== Installationsbaum"
expected=(
  usr/bin/kolbrin
  usr/share/applications/$ID.desktop
  usr/share/metainfo/$ID.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$ID.svg
  usr/share/man/man1/kolbrin.1.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$ID.png")
  file "$STAGE/usr/share/icons/hicolor/${size}x${size}/apps/$ID.png" | grep -q "PNG image data, $size x $size," ||
    fail "Symbol ${size}x${size} hat nicht diese Größe"
done
for f in "${expected[@]}"; do [ -f "$STAGE/$f" ] || fail "$f fehlt"; done
actual=$(cd "$STAGE" && find . -type f | sed 's|^\./||' | sort)
[ "$actual" = "$(printf '%s\n' "${expected[@]}" | sort)" ] || fail "unerwartete Dateien: $actual"

echo "== Prüfprogramme"
desktop-file-validate "$STAGE/usr/share/applications/$ID.desktop"
appstreamcli validate --pedantic --no-net "$STAGE/usr/share/metainfo/$ID.metainfo.xml"
warnings=$(MANWIDTH=80 man --warnings -l "$STAGE/usr/share/man/man1/kolbrin.1.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man meldet: $warnings"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$STAGE/usr/bin/kolbrin" --version | grep -qx "Kolbrin [0-9.]*" ||
  fail "kolbrin --version"

echo "== Debian-Paket"
rm -f "$BUILD"/kolbrin_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null)
deb=$(ls "$BUILD"/kolbrin_*.deb)
dpkg-deb -I "$deb"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
  qt6-translations-l10n fonts-liberation; do
  [[ ", $depends," == *", $needed"[\ ,]* ]] || fail "Depends ohne $needed: $depends"
done
contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' | grep -v '/$' | sort)
[ "$contents" = "$(printf '%s\n' "${expected[@]}" | sort)" ] || fail "Paketinhalt: $contents"

echo "== Installieren und starten"
SUDO=()
[[ $(id -u) -eq 0 ]] || SUDO=(sudo)
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get remove -y -qq kolbrin >/dev/null' EXIT
/usr/bin/kolbrin --help | grep -q VERZEICHNIS || fail "kolbrin --help nach der Installation"
# Still running when stopped after five seconds: it has started.
rc=0
QT_QPA_PLATFORM=offscreen timeout 5 /usr/bin/kolbrin /usr/share >/dev/null 2>&1 || rc=$?
[ "$rc" -eq 124 ] || fail "kolbrin endete beim Start mit $rc"
echo "Paket in Ordnung: $deb"
