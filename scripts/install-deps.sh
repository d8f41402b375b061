#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrune needs to build, run and test, when they are missing.
# Usage: scripts/install-deps.sh [extra-package...]
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    libgtest-dev clang-format libcsv-dev
    fonts-liberation2 fonts-dejavu-core
    poppler-utils desktop-file-utils appstream
    xauth python3 python3-markdown
    # The real-desktop tests: a virtual X server with a window manager, input through XTEST,
    # keyboard layouts, the accessibility bus and its Python client.
    xvfb openbox xdotool x11-utils x11-xkb-utils libx11-dev libxcb1-dev libxtst-dev
    dbus dbus-x11 at-spi2-core python3-pyatspi
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        sudo=(sudo)
    else
        echo "These packages are missing and you are not root: ${missing[*]}" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
