#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's command line as users meet it: help and version without a display, wrong options,
# Qt's own options, and displays that cannot be opened. Each case checks the exit status and what
# the program writes, and that every message names the command `kestrune`, never the path it was
# started by.
# Usage: commandline.sh PROGRAM
set -uo pipefail
program=$1
failed=0
work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# run NAME EXPECTED-STATUS ARGS... : runs the program without a display (unless the caller's
# environment gives one) and keeps its standard output and error.
run() {
    local name=$1 expected=$2
    shift 2
    "$@" >"$work/out" 2>"$work/err"
    local status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "FAILED: $name: exit status $status, expected $expected"
        sed 's/^/  stdout: /' "$work/out"
        sed 's/^/  stderr: /' "$work/err"
        failed=1
        return 1
    fi
    echo "ok: $name (status $status)"
}
expect() { # expect NAME FILE PATTERN : FILE (out or err) matches the extended PATTERN
    if ! grep -Eq -- "$3" "$work/$2"; then
        echo "FAILED: $1: $2 does not match /$3/:"
        sed 's/^/  /' "$work/$2"
        failed=1
    fi
}
lines() { # lines NAME FILE N : FILE has exactly N lines
    local count
    count=$(wc -l <"$work/$2")
    if [ "$count" -ne "$3" ]; then
        echo "FAILED: $1: $2 has $count lines, expected $3:"
        sed 's/^/  /' "$work/$2"
        failed=1
    fi
}
no_build_path() {
    if grep -Fq -- "$program" "$work/out" "$work/err" || grep -q 'build/' "$work/out" "$work/err"; then
        echo "FAILED: $1: a message names the path $program instead of the command"
        failed=1
    fi
}

mkdir -m 700 "$work/runtime"
headless=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE
    XDG_RUNTIME_DIR="$work/runtime")

for option in --help -h; do
    if run "$option" 0 "${headless[@]}" "$program" "$option"; then
        expect "$option" out '^Usage: kestrune \[OPTION\.\.\.\]'
        expect "$option" out -- '--version'
        lines "$option" err 0
        no_build_path "$option"
    fi
done
for option in --version -v; do
    if run "$option" 0 "${headless[@]}" "$program" "$option"; then
        expect "$option" out '^kestrune [0-9]+\.[0-9]+\.[0-9]+$'
        lines "$option" out 1
        lines "$option" err 0
    fi
done

# A wrong command line: status 2, the fault and a pointer to --help, nothing on standard output.
for arguments in "--bogus" "-bogus" "--bogus=1" "stray-word" "-platform"; do
    # shellcheck disable=SC2086
    if run "wrong: $arguments" 2 "${headless[@]}" "$program" $arguments; then
        expect "wrong: $arguments" err "^kestrune: "
        expect "wrong: $arguments" err "Try 'kestrune --help'"
        lines "wrong: $arguments" out 0
        no_build_path "wrong: $arguments"
    fi
done
if run "unknown option named as typed" 2 "${headless[@]}" "$program" --bogus=1; then
    expect "unknown option named as typed" err "Unknown option '--bogus'"
fi

# Qt's own options are the program's too: the offscreen platform opens the window without any
# display; the program quits once it has painted it.
if run "-platform offscreen" 0 "${headless[@]}" KESTRUNE_QUIT_WHEN_IDLE=1 \
    "$program" -platform offscreen; then
    no_build_path "-platform offscreen"
fi
run "--platform=offscreen -style Fusion" 0 "${headless[@]}" KESTRUNE_QUIT_WHEN_IDLE=1 \
    "$program" --platform=offscreen -style Fusion

# No display at all, a display that is not there, a window system that does not exist: one line
# on standard error, status 1, never Qt's abort (134) or a core dump.
if run "no display" 1 "${headless[@]}" "$program"; then
    lines "no display" err 1
    expect "no display" err '^kestrune: no display found .*xvfb-run -a kestrune$'
    no_build_path "no display"
fi
absent=:$((60000 + RANDOM % 5000))
while [ -e "/tmp/.X11-unix/X${absent#:}" ]; do absent=:$((${absent#:} + 1)); done
if run "DISPLAY=$absent" 1 "${headless[@]}" DISPLAY="$absent" "$program"; then
    lines "DISPLAY=$absent" err 1
    expect "DISPLAY=$absent" err "^kestrune: cannot open the display \"$absent\""
fi
if run "-display $absent" 1 "${headless[@]}" "$program" -display "$absent"; then
    lines "-display $absent" err 1
    expect "-display $absent" err "^kestrune: cannot open the display \"$absent\""
fi
if run "-platform nonesuch" 1 "${headless[@]}" "$program" -platform nonesuch; then
    lines "-platform nonesuch" err 1
    expect "-platform nonesuch" err '^kestrune: the window system "nonesuch" could not be started'
fi

# A system without any font: the windows would show boxes for every letter.
cat >"$work/no-fonts.conf" <<CONF
<?xml version="1.0"?>
<fontconfig><cachedir>$work/font-cache</cachedir></fontconfig>
CONF
if run "no font installed" 1 "${headless[@]}" FONTCONFIG_FILE="$work/no-fonts.conf" \
    "$program" -platform offscreen; then
    lines "no font installed" err 1
    expect "no font installed" err '^kestrune: no font is installed'
fi

# A real X display named on the command line, with DISPLAY unset.
if command -v Xvfb >/dev/null 2>&1; then
    exec 3>"$work/displayfd"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    exec 3>&-
    for _ in $(seq 50); do
        [ -s "$work/displayfd" ] && break
        sleep 0.1
    done
    if [ -s "$work/displayfd" ]; then
        display=:$(head -n 1 "$work/displayfd")
        run "-display $display (Xvfb)" 0 "${headless[@]}" KESTRUNE_QUIT_WHEN_IDLE=1 \
            "$program" -display "$display"
        run "--display=$display (Xvfb)" 0 "${headless[@]}" KESTRUNE_QUIT_WHEN_IDLE=1 \
            "$program" --display="$display"
        run "DISPLAY=$display (Xvfb)" 0 "${headless[@]}" DISPLAY="$display" \
            KESTRUNE_QUIT_WHEN_IDLE=1 "$program"
    else
        echo "FAILED: Xvfb did not start"
        failed=1
    fi
else
    echo "note: Xvfb is not installed (scripts/install-deps.sh xvfb): a real display was not tried"
fi

if [ $failed -eq 0 ]; then echo "PASSED: command line"; fi
exit $failed
