#!/usr/bin/env bash
# Coverage-guided fuzzing of the number conversions and of kestrune-calc's CSV reading (libFuzzer,
# AddressSanitizer, UndefinedBehaviorSanitizer). Usage: scripts/fuzz.sh [SECONDS-PER-TARGET]   (default 60)
# The seed corpus in tests/fuzz/corpus is read, never written; new inputs go to build-fuzz/corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
bash scripts/install-deps.sh clang libclang-rt-14-dev
cmake -S tests/fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz
status=0
# Each target with the longest input it is given: a field's text, or a CSV file.
for entry in parse:64 format:64 csv:4096; do
    target=${entry%%:*}
    work=build-fuzz/corpus/$target
    mkdir -p "$work"
    echo "== fuzz_$target for ${seconds}s"
    if ! build-fuzz/fuzz_$target -max_total_time="$seconds" -max_len="${entry##*:}" -print_final_stats=1 \
        -artifact_prefix=build-fuzz/ "$work" "tests/fuzz/corpus/$target" 2>build-fuzz/fuzz_$target.log; then
        status=1
        tail -n 40 build-fuzz/fuzz_$target.log
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|^Done" build-fuzz/fuzz_$target.log || true
done
exit $status
