#!/usr/bin/env bash
# Builds Kestrune and its benchmarks in Release into build-bench/, runs them all on the offscreen
# platform and ends with the summary, one figure a line (medians in microseconds; start-up and
# memory as ratios over the bare toolkit window). Installs what is missing first (Debian 12).
# Usage: bash bench/run.sh [google-benchmark options, e.g. --benchmark_filter=keystroke]
# STARTUP_RUNS sets how many times each program is started (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh libbenchmark-dev
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKESTRUNE_WERROR=ON \
    -DKESTRUNE_BUILD_BENCH=ON >/dev/null
cmake --build build-bench --target kestrune kestrune-barewindow kestrune-bench \
    kestrune-startup-bench

export QT_QPA_PLATFORM=offscreen
runtime=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$runtime" "$log"' EXIT
export XDG_RUNTIME_DIR=$runtime

# The offscreen platform's notices about window-manager requests are left out.
quiet() { grep -v -e 'This plugin does not support' >&2 || true; }

echo
echo "== Keystrokes and commands (median of each step, microseconds)"
build-bench/bin/kestrune-bench "$@" 2> >(quiet) | tee "$log"
echo
echo "== Start-up and peak memory against the bare toolkit window"
build-bench/bin/kestrune-startup-bench --runs "${STARTUP_RUNS:-30}" build-bench/bin/kestrune \
    build-bench/bin/kestrune-barewindow | tee -a "$log"

echo
for figure in keystroke_us keystroke_angle_us keystroke_triangle_us calculate_us \
    triangle_solve_us startup_ratio memory_ratio; do
    grep -E "^$figure [0-9.]+$" "$log" || echo "$figure n/a"
done
