#!/usr/bin/env bash
# Runs one fuzz target for a given time:  scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET is return_file_fuzz, page_fuzz, dialog_fuzz or settings_fuzz. Builds it with the fuzz
# preset (clang, AddressSanitizer and UndefinedBehaviorSanitizer), starts from the seed corpus and
# the regression inputs in tests/fuzz, keeps what it learns in build/fuzz/corpus/TARGET (outside
# the tree) and writes any crash or hang into build/fuzz/findings/TARGET. A finding, once fixed,
# is kept as tests/fuzz/regressions/TARGET/<what it was>, which the replay test runs for ever.
set -euo pipefail
cd "$(dirname "$0")/.."
if (($# < 2)); then
    echo "usage: scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]" >&2
    exit 2
fi
target=$1 seconds=$2
shift 2
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "kestrun_$target" -j"${KESTRUN_JOBS:-$(nproc)}"
work=build/fuzz/corpus/$target
findings=build/fuzz/findings/$target
mkdir -p "$work" "$findings"
seeds=()
for dir in "tests/fuzz/corpus/$target" "tests/fuzz/regressions/$target"; do
    [[ -d $dir ]] && seeds+=("$dir")
done
# Record images are up to 9033 bytes each, and a page or dialog input carries four or five.
max_len=65536
case $target in page_fuzz | dialog_fuzz) max_len=40000 ;; esac
exec env KESTRUN_NO_CUPS=1 \
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
    "build/fuzz/tests/fuzz/kestrun_$target" "$work" "${seeds[@]}" \
    -dict=tests/fuzz/kestrun.dict -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 "$@"
