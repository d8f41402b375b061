#!/usr/bin/env bash
# Installs what is missing, builds Kestrune and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat >&2 <<'MSG'
Kestrune is built (build/bin/kestrune), but this machine has no display to show its window:
neither DISPLAY nor WAYLAND_DISPLAY is set. Start it from a graphical session, or under a
virtual display:
    apt-get install -y xvfb && xvfb-run -a build/bin/kestrune
MSG
    exit 1
fi
exec build/bin/kestrune
