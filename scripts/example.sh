#!/usr/bin/env bash
# Installs what is missing, builds kestrun and prints the bundled PIT-28 example to out/, every
# page as its own PDF, with every prompt answered OK.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKESTRUN_TESTS=OFF -DKESTRUN_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p out
build/apps/kestrun/kestrun print pit28 examples/pit28.json --yes --mode blank --out out \
    --settings out/settings
echo "printed the PIT-28 example into out/"
