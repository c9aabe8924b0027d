#!/usr/bin/env bash
# Keeps what a fuzz campaign learnt, for CI's replay:  scripts/fuzz-keep.sh TARGET [MAX_KB]
# Merges the campaign's corpus (build/fuzz/corpus/TARGET, from scripts/fuzz.sh) and the inputs
# already kept into the smallest set that reaches the same coverage, and writes it into
# tests/fuzz/learned, in the folder of the inputs TARGET reads (page_pdf_fuzz keeps into
# page_fuzz's, return_decode_fuzz into return_file_fuzz's). The replay runs every kept input
# under the sanitizer builds, so the set is bounded: when the merged set is larger than MAX_KB
# (default 1024), the smallest inputs are kept up to that size, since they are the cheap ones to
# replay and libFuzzer's reductions make most of the coverage live in short inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh
if (($# < 1)); then
    echo "usage: scripts/fuzz-keep.sh TARGET [MAX_KB]" >&2
    exit 2
fi
target=$1 max_kb=${2:-1024}
binary=build/fuzz/tests/fuzz/kestrun_$target
campaign=build/fuzz/corpus/$target
kept=tests/fuzz/learned/$(fuzz_inputs "$target")
if [[ ! -x $binary || ! -d $campaign ]]; then
    echo "fuzz-keep: run scripts/fuzz.sh $target first (no $binary or $campaign)" >&2
    exit 2
fi
merged=$(mktemp -d)
trap 'rm -rf "$merged"' EXIT
sources=("$campaign")
[[ -d $kept ]] && sources+=("$kept")
"${fuzz_env[@]}" "$binary" -merge=1 -timeout=20 -rss_limit_mb=2048 "$merged" "${sources[@]}" \
    2>&1 | grep -E '^MERGE-OUTER: [0-9]+ new files' || true
rm -rf "$kept"
mkdir -p "$kept"
budget=$((max_kb * 1024))
# Smallest first; a file is named by its content's hash, so the kept set does not depend on
# the order the campaign found it in.
while read -r size file; do
    ((size <= budget)) || break
    budget=$((budget - size))
    cp "$merged/$file" "$kept/$file"
done < <(cd "$merged" && find . -type f -printf '%s %P\n' | sort -n -k1,1 -k2,2)
kept_kb=$(((max_kb * 1024 - budget) / 1024))
echo "kept $(find "$kept" -type f | wc -l) inputs ($kept_kb KB) in $kept"
