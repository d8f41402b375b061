#!/usr/bin/env bash
# Builds Kestrune and its benchmarks in Release into build-bench/ and runs the figures a user
# feels: a keystroke and Calculate on a real X server (Xvfb), from the input to the repaint; the
# start-up to the first paint and the memory then; kestrune-calc's rows a second. Ends with the
# summary, one figure a line, each as a ratio to its floor measured in the same run: the keystroke
# and Calculate over the same window built from the toolkit's plain widgets (with the medians in
# microseconds), start-up and memory over the one-caption window (startup_ratio, memory_ratio) and
# over the bare window (startup_bare_ratio, memory_bare_ratio), kestrune-calc's time over reading
# the same file alone (calc_F_ratio).
# Installs what is missing first (Debian 12).
# Usage: bash bench/run.sh [google-benchmark options, e.g. --benchmark_filter=keystroke]
# STARTUP_RUNS sets how many times each program is started (default 30), CALC_ROWS the rows of
# the fleet kestrune-calc reads (default 100,000).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh libbenchmark-dev xvfb xauth
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUNE_WERROR=ON \
    -DKESTRUNE_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target kestrune kestrune-barewindow kestrune-firstpaint kestrune-bench \
    kestrune-startup-bench kestrune-calc kestrune-calc-bench

runtime=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$runtime" "$log"' EXIT
export XDG_RUNTIME_DIR=$runtime

# The platforms' notices about window-manager requests they do not honour are left out.
quiet() { grep -v -e 'This plugin does not support' >&2 || true; }

echo
echo "== A keystroke and Calculate on a real X server (Xvfb, xcb platform)"
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1920x1080x24" env QT_QPA_PLATFORM=xcb \
        build-bench/bin/kestrune-bench "$@" 2> >(quiet) | tee -a "$log"
else
    echo "xvfb-run is missing: no figures on a real X server"
fi

echo
echo "== Start-up to the first paint and peak memory against the toolkit's floors"
build-bench/bin/kestrune-startup-bench --runs "${STARTUP_RUNS:-30}" build-bench/bin/kestrune \
    build-bench/bin/kestrune-barewindow | tee -a "$log"

echo
echo "== kestrune-calc: a fleet read, calculated and written, against reading it alone"
build-bench/bin/kestrune-calc-bench --rows "${CALC_ROWS:-100000}" build-bench/bin/kestrune-calc \
    | tee -a "$log"

echo
value() { grep -E "^$1 [0-9.]+$" "$log" | cut -d' ' -f2; }
for figure in keystroke_x11 calculate_x11; do
    echo "${figure}_ratio $(awk -v a="$(value "${figure}_us")" -v b="$(value "${figure}_floor_us")" \
        'BEGIN { if (a == "" || b + 0 == 0) print "n/a"; else printf "%.3f\n", a / b }')"
    for name in "${figure}_us" "${figure}_floor_us"; do
        grep -E "^$name [0-9.]+$" "$log" || echo "$name n/a"
    done
done
for figure in startup_ratio startup_bare_ratio memory_ratio memory_bare_ratio \
    calc_csv_rows_per_s calc_csv_ratio calc_json_rows_per_s calc_json_ratio; do
    grep -E "^$figure [0-9.]+$" "$log" || echo "$figure n/a"
done
