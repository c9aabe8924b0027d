#!/usr/bin/env bash
# Builds kestrun with its tests (warnings as errors) and runs every test.
# KESTRUN_PRESET=asan runs them under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
preset=${KESTRUN_PRESET:-dev}
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset"
