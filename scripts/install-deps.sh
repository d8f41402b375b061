#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrune needs to build and run, when they are missing; with
# --tests also what its tests need (a virtual X server and window manager, the accessibility bus,
# a print service of the tests' own, PDF and metadata tools, a spreadsheet program).
# Usage: scripts/install-deps.sh [--tests] [extra-package...]
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools
    libgtest-dev clang-format
    # kestrune-calc's options (headers only).
    libcli11-dev
    # kestrune-calc's .xlsx output.
    libxlsxwriter-dev
    # Asking a print queue whether it takes the page.
    libcups2-dev
    # The scripted driver's real-desktop mode: input through XTEST.
    libx11-dev libxcb1-dev libxtst-dev
    fonts-liberation2 python3-markdown
)
if [ "${1:-}" = --tests ]; then
    shift
    packages+=(
        fonts-dejavu-core poppler-utils desktop-file-utils appstream python3
        # The real-desktop tests: a virtual X server with a window manager, input through XTEST,
        # keyboard layouts, the accessibility bus and its Python client.
        xvfb xauth openbox xdotool libxdo-dev x11-utils x11-xkb-utils dbus dbus-x11 at-spi2-core
        python3-pyatspi
        # Reading X11's selection and clipboard back, as another program's paste would.
        xclip
        # The print queue test's own print service and its tools.
        cups-daemon cups-client
        # kestrune-calc's round trip through a spreadsheet in a German locale.
        gnumeric locales
        # The manual page's examples of kestrune-calc, run.
        jq
    )
fi
packages+=("$@")

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
# The print queue test starts a print service of its own and needs none of the machine's. Where
# this script installs cups-daemon, the machine's print service stays off as it was: it is not
# started by the installation (Debian's service scripts ask policy-rc.d first; one is put in place
# for the installation where the machine has none) and not started at boot.
installs_scheduler=0
for package in "${missing[@]}"; do
    if [ "$package" = cups-daemon ]; then installs_scheduler=1; fi
done
policy=/usr/sbin/policy-rc.d
if [ "$installs_scheduler" = 1 ] && [ ! -e "$policy" ]; then
    printf '#!/bin/sh\n# Put here by install-deps.sh while it installs cups-daemon.\n%s\n' \
        'case "$1" in cups*) exit 101 ;; esac; exit 0' | "${sudo[@]}" tee "$policy" >/dev/null
    "${sudo[@]}" chmod 755 "$policy"
    trap '"${sudo[@]}" rm -f "$policy"' EXIT
fi

export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

if [ "$installs_scheduler" = 1 ] && command -v systemctl >/dev/null 2>&1; then
    now=()
    if [ -d /run/systemd/system ]; then now=(--now); fi
    "${sudo[@]}" systemctl disable "${now[@]}" cups.socket cups.path cups.service >/dev/null 2>&1 ||
        true
elif [ "$installs_scheduler" = 1 ]; then
    "${sudo[@]}" update-rc.d cups disable >/dev/null 2>&1 || true
fi
