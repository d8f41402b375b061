#!/usr/bin/env bash
# Runs a command on a desktop of its own: a virtual X server (Xvfb) with the openbox window
# manager, and with --accessibility a session bus with the accessibility bus for screen readers.
# Usage: run-on-desktop.sh [--accessibility] [--layout XKB-LAYOUT] COMMAND [ARGUMENT...]
# The exit status is the command's. Needs xvfb and openbox (and dbus, at-spi2-core for
# --accessibility); the project's scripts/install-deps.sh installs them.
set -euo pipefail

accessibility=0
layout=""
while [ $# -gt 0 ]; do
    case "$1" in
    --accessibility) accessibility=1; shift ;;
    --layout) layout=$2; shift 2 ;;
    *) break ;;
    esac
done

for program in Xvfb openbox; do
    if ! command -v "$program" >/dev/null 2>&1; then
        echo "SKIPPED: $program is not installed (scripts/install-deps.sh installs it)"
        exit 0
    fi
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it, with a line break, to the given
# descriptor. -noreset: by default the server starts afresh (keyboard layout and all) whenever
# its last client leaves, which a quick check of the display would cause.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
lines() { wc -l <"$work/display" 2>/dev/null || echo 0; }
for _ in $(seq 200); do
    [ "$(lines)" -ge 1 ] && break
    sleep 0.05
done
if [ "$(lines)" -lt 1 ]; then
    echo "the virtual X server did not start" >&2
    exit 1
fi
export DISPLAY=":$(head -n 1 "$work/display")"
# The server may still turn the first connections away while it starts up.
for _ in $(seq 200); do
    xprop -root >/dev/null 2>&1 && break
    sleep 0.05
done
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

if [ -n "$layout" ]; then
    setxkbmap -layout "$layout"
    export KESTRUNE_DESKTOP_LAYOUT=$layout
fi

# The window manager has taken over once it names itself on the root window.
for attempt in 1 2 3; do
    openbox --sm-disable >>"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break 2
        sleep 0.05
    done
    echo "the window manager did not start (attempt $attempt)" >&2
done

status=0
if [ "$accessibility" = 1 ]; then
    # The accessibility bus lives on a session bus of the run's own.
    dbus-run-session -- bash -c '
        /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
        launcher=$!
        sleep 0.5
        status=0
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" || status=$?
        kill $launcher 2>/dev/null || true
        exit $status' bash "$@" || status=$?
else
    "$@" || status=$?
fi
if [ "$status" != 0 ]; then
    # What the window manager knew, for the report of the failure.
    echo "--- the desktop when the command failed:" >&2
    xprop -root _NET_ACTIVE_WINDOW _NET_CLIENT_LIST _NET_SUPPORTING_WM_CHECK >&2 || true
    cat "$work/openbox.log" >&2
fi
exit $status
