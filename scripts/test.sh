#!/usr/bin/env bash
# Installs what is missing, builds Kestrune with its tests and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh --tests
bash scripts/build.sh
cd build
ctest --output-on-failure --parallel "$(nproc)" --timeout 300
