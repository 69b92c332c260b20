#!/usr/bin/env bash
# Makes the Windows program's pictures from the shared ones and puts them in
# res/win32/, where they are kept in git: the icon from the PNGs of
# res/icons (16, 32 and 48 pixels as bitmaps, 256 as PNG), the bitmaps from
# the XPMs of res/images (24-bit BMPs; the key colours stay as they are and
# are made transparent at run time). Run it after a picture in res/icons or
# res/images changed.
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in convert icotool; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install imagemagick icoutils)" >&2; exit 1; }
done
OUT=res/win32
icotool -c -o "$OUT/kolbrin.ico" res/icons/kolbrin-16.png res/icons/kolbrin-32.png \
  res/icons/kolbrin-48.png -r res/icons/kolbrin-256.png
for name in toolbar tree file16 file32; do
  convert "res/images/$name.xpm" -type TrueColor -define bmp:format=bmp3 "BMP3:$OUT/$name.bmp"
done
