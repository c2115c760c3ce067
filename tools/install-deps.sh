#!/usr/bin/env bash
# Installs the Debian 12 packages Kinetra needs to build, run and test; skips what is there.
set -euo pipefail
packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth openbox xdotool wmctrl imagemagick x11-utils xclip python3 poppler-utils
    clang libclang-rt-14-dev
    fonts-dejavu-core
    desktop-file-utils
    libgif-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
