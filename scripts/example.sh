#!/usr/bin/env bash
# Installs what is missing, builds kestrun and prints each bundled example return through its
# print dialog to the built-in PDF printer, every page as its own PDF in a folder of its own
# under out/, with every prompt answered OK.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKESTRUN_TESTS=OFF -DKESTRUN_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)"
for run in pit28:pit28 pit36:pit36_joint pit37:pit37 pit36l:pit36l; do
    form=${run%%:*} example=${run#*:}
    mkdir -p "out/$example"
    build/apps/kestrun/kestrun print "$form" "examples/$example.json" --yes --mode blank \
        --printer PDF --out "out/$example" --settings out/settings --replace
    echo "printed examples/$example.json into out/$example/"
done
