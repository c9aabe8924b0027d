# Sourced by scripts/fuzz.sh and scripts/fuzz-keep.sh: where a fuzz target's inputs live and the
# environment every target runs in, so that a campaign and the keeping of what it learnt agree.

# The folder name of TARGET's inputs under tests/fuzz/{corpus,learned,regressions}: two targets
# are a faster target's source doing the slow part too, and read that target's inputs.
fuzz_inputs() {
    local inputs=${1/page_pdf_fuzz/page_fuzz}
    echo "${inputs/return_decode_fuzz/return_file_fuzz}"
}

# The settings and dialog targets write files each run: in memory (/dev/shm) a synced write
# costs nothing, on a disk it would cost most of each run. The font and glib caches live for the
# process and are not leaks.
fuzz_scratch=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && fuzz_scratch=/dev/shm
fuzz_env=(env KESTRUN_NO_CUPS=1 TMPDIR="$fuzz_scratch"
    LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0")
