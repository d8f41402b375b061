#!/usr/bin/env bash
# Takes a screenshot of Kestrune under a virtual display (Xvfb with the openbox window manager).
# Usage: [KESTRUNE_ENV="QT_SCALE_FACTOR=2"] [KESTRUNE_SCREEN=2400x1600] [KESTRUNE_KEYS="xdotool key ctrl+r"]
#        scripts/screenshot.sh OUTPUT.png [SECONDS]
# Needs: xvfb, openbox, imagemagick (scripts/install-deps.sh xvfb openbox imagemagick xauth).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$1
wait=${2:-2}
display=:${KESTRUNE_XVFB_DISPLAY:-97}
Xvfb "$display" -screen 0 "${KESTRUNE_SCREEN:-2400x1600}x24" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
sleep 1
env DISPLAY="$display" ${KESTRUNE_ENV:-} "${KESTRUNE_BIN:-build/bin/kestrune}" &
app=$!
sleep "$wait"
if [ -n "${KESTRUNE_KEYS:-}" ]; then
    DISPLAY=$display bash -c "$KESTRUNE_KEYS"
    sleep 1
fi
DISPLAY=$display import -window root "$out"
kill $app 2>/dev/null || true
