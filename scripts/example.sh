#!/usr/bin/env bash
# Installs what is missing, builds kestrun and prints the bundled example to out/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKESTRUN_TESTS=OFF -DKESTRUN_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p out
build/apps/kestrun/kestrun page TF_w2k15_1 examples/pit36_joint.json --out out/pit2k.pdf
echo "printed out/pit2k.pdf"
