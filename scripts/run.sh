#!/usr/bin/env bash
# Installs what is missing, builds Kolbrin and starts it on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKOLBRIN_TESTS=OFF -DKOLBRIN_BENCH=OFF >/dev/null
cmake --build build/release --target kolbrin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kolbrin braucht eine grafische Anzeige: keine gefunden (DISPLAY bzw. WAYLAND_DISPLAY ist nicht gesetzt)." >&2
  echo "Gebaut ist: build/release/kolbrin" >&2
  exit 2
fi
exec build/release/kolbrin "$@"
