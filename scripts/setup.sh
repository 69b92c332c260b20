#!/usr/bin/env bash
# Installs the Debian 12 packages Kolbrin needs to build, run and test.
# Run as root (or through sudo); packages already present are left alone.
#
#   scripts/setup.sh [packaging]
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  libgtest-dev googletest
  libxlsxwriter-dev
  fonts-liberation
  python3 python3-openpyxl poppler-utils
  xdg-utils
  fuse3 python3-fusepy
)

# "packaging": also the tools that check the install tree and make the
# Debian package (scripts/package-test.sh).
if [ "${1:-}" = packaging ]; then
  PACKAGES+=(desktop-file-utils appstream dpkg-dev man-db file)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
