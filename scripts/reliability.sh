#!/usr/bin/env bash
# The reliability checks: the whole test suite (golden transcripts and random user sessions
# included) built with AddressSanitizer and UndefinedBehaviorSanitizer, then a bounded run of each
# number-conversion fuzzer. Usage: scripts/reliability.sh [FUZZ-SECONDS-PER-TARGET]  (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --parallel "$(nproc)"
ctest --preset sanitize --parallel "$(nproc)" --timeout 1200
bash scripts/fuzz.sh "${1:-60}"
