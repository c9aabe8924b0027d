#!/usr/bin/env bash
# Runs the benchmarks of an existing build and measures the command line as a whole process:
# peak memory of one page, and the median wall time of 20 runs. Builds nothing.
#   bench/run.sh [BUILD_DIR]        (default: build)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
bench=$build/bench/kestrun_bench
cli=$build/apps/kestrun/kestrun
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if [[ -x $bench ]]; then
    "$bench" --benchmark_counters_tabular=true
else
    echo "kestrun_bench not built in $build (cmake --build $build --target kestrun_bench)" >&2
fi

page=(page TF_w2k15_1 "$top/examples/pit36_joint.json" --out "$out/x.pdf")
if [[ ! -x $cli ]]; then
    echo "command line not built in $build: whole-process measurement skipped" >&2
    exit 0
fi
if ! "$cli" "${page[@]}" >/dev/null 2>"$out/err"; then
    echo "kestrun ${page[*]} failed: $(head -n 1 "$out/err"); whole-process measurement skipped" >&2
    exit 0
fi

echo
echo "kestrun ${page[*]}"
/usr/bin/time -v "$cli" "${page[@]}" 2>&1 >/dev/null |
    awk -F': ' '/Maximum resident set size/ { printf "  peak RSS: %.1f MiB\n", $2 / 1024 }'

times=()
for _ in $(seq 20); do
    start=$(date +%s%N)
    "$cli" "${page[@]}" >/dev/null
    times+=($(( ($(date +%s%N) - start) / 1000 )))
done
printf '%s\n' "${times[@]}" | sort -n |
    awk '{ t[NR] = $1 } END { printf "  wall time, median of %d runs: %.1f ms (min %.1f, max %.1f)\n",
                              NR, (t[int((NR + 1) / 2)] + t[int(NR / 2) + 1]) / 2000, t[1] / 1000, t[NR] / 1000 }'
