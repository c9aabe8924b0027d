#!/usr/bin/env bash
# Runs one fuzz target for a given time:  scripts/fuzz.sh TARGET SECONDS [libFuzzer options...]
# TARGET is return_file_fuzz, return_decode_fuzz (its inputs, written back and decoded too),
# page_fuzz, page_pdf_fuzz (its inputs into real PDFs), dialog_fuzz, settings_fuzz or
# pdf_return_fuzz (a return read back from a run document). Builds it with the fuzz preset
# (clang, AddressSanitizer and UndefinedBehaviorSanitizer), starts from the seed corpus, the
# kept campaign corpus and the regression inputs in tests/fuzz, keeps what it learns in
# build/fuzz/corpus/TARGET (outside the tree) and writes any crash or hang into
# build/fuzz/findings/TARGET. scripts/fuzz-keep.sh TARGET minimises what a campaign learnt into
# tests/fuzz/learned/TARGET, which the replay test runs in CI. A finding, once fixed, is kept as
# tests/fuzz/regressions/TARGET/<what it was>, which the replay test runs for ever.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/fuzz-common.sh
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
inputs=$(fuzz_inputs "$target")
seeds=()
for dir in tests/fuzz/{corpus,learned,regressions}/"$inputs"; do
    [[ -d $dir ]] && seeds+=("$dir")
done
# Record images are up to 9033 bytes each, and a page or dialog input carries four or five.
max_len=65536
case $target in
page_fuzz | page_pdf_fuzz | dialog_fuzz) max_len=40000 ;;
settings_fuzz) max_len=8192 ;; # a handful of 1024-byte records
esac
# A dialog run prints a whole return, a dozen pages reaching some 18,000 coverage features:
# libFuzzer's entropic schedule updates a frequency per feature on every run, and ASan records
# the stack of each of the run's thousands of allocations, together a third of its time. Both
# are off for it (about 210 runs per CPU-second become 260 to 310); a finding still replays
# with full stacks through the asan preset's kestrun_replay_dialog_fuzz.
schedule=()
asan_options=${ASAN_OPTIONS:-}
if [[ $target == dialog_fuzz ]]; then
    schedule=(-entropic=0)
    asan_options=${asan_options:+$asan_options:}malloc_context_size=0
fi
exec "${fuzz_env[@]}" ASAN_OPTIONS="$asan_options" \
    "build/fuzz/tests/fuzz/kestrun_$target" "$work" "${seeds[@]}" \
    -dict=tests/fuzz/kestrun.dict -max_total_time="$seconds" -max_len="$max_len" -timeout=20 \
    -rss_limit_mb=2048 -artifact_prefix="$findings/" -print_final_stats=1 "${schedule[@]}" "$@"
