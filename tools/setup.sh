#!/usr/bin/env bash
# Installs what Orlanto needs on Debian 12 and builds it into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

PACKAGES=(
  cmake ninja-build g++ pkg-config python3
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev
  libbenchmark-dev libqpdf-dev
  fonts-liberation2 fonts-dejavu-core fonts-symbola
  poppler-utils qt6-image-formats-plugins librsvg2-bin
  # Reads back the rich text the designer writes, as a word processor does.
  libreoffice-writer-nogui
  xvfb xauth x11-apps imagemagick xdotool
  clang libclang-rt-14-dev clang-format
  cups cups-client cups-bsd printer-driver-cups-pdf
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"
