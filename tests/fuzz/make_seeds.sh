#!/usr/bin/env bash
# Makes the seed corpus of every fuzz target from the examples, with a built command line:
#   tests/fuzz/make_seeds.sh BUILD_DIR
# A page or dialog seed is its choice bytes followed by the records as `kestrun encode` packs
# them (rekzez, rek28, rek_uz, pit28_zal, then rekster for a dialog), trailing zeros cut: the
# fuzz input reads missing bytes as zero.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$1/apps/kestrun/kestrun
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=$here/corpus
rm -rf "$corpus"
mkdir -p "$corpus"/{return_file_fuzz,page_fuzz,dialog_fuzz,settings_fuzz,pdf_return_fuzz}

cp "$here"/../../examples/*.json "$corpus/return_file_fuzz/"
printf '{}' >"$corpus/return_file_fuzz/empty.json"
printf '{"rekzez": {"rodz_zez": 1, "dur": null, "zr": [[1.7014118346e38]]}, "wsp_z_malz": [0, 127]}' \
    >"$corpus/return_file_fuzz/edges.json"

# records FILE: the packed records of a return, in the fuzz inputs' order.
records() {
    rm -rf "$work/images" && mkdir "$work/images"
    "$cli" encode "$1" --out "$work/images" >/dev/null
    local name
    for name in rekzez rek28 rek_uz pit28_zal; do
        if [[ -f $work/images/$name.bin ]]; then
            cat "$work/images/$name.bin"
        else
            case $name in rekzez | pit28_zal) head -c 9033 /dev/zero ;; esac
        fi
    done
}
# trimmed: the input without its trailing zero bytes.
trimmed() { python3 -c 'import sys; d = sys.stdin.buffer.read(); sys.stdout.buffer.write(d.rstrip(b"\0"))'; }

# One page seed per example and person: a PDF page (choice bit 7) of the return's first page.
index=0
for example in pit28 pit36_joint pit37 pit36l; do
    for person in 1 2; do
        { printf "\\x$(printf %02x $((128 + index)))\\x0$person\\x01\\x01\\x01"; records "$here/../../examples/$example.json"; } |
            trimmed >"$corpus/page_fuzz/$example-page$index-person$person"
        index=$((index + 9))
    done
done
# One dialog seed per example: its dialog, five OK answers, no clicks; the settings record last.
dialog=([0]=pit28 [1]=pit36_joint [2]=pit36l [3]=pit37)
for d in 0 1 2 3; do
    { printf "\\x0$d\\x05\\x00\\x00\\x00\\x00\\x00"; records "$here/../../examples/${dialog[$d]}.json";
      head -c 1024 /dev/zero; } | trimmed >"$corpus/dialog_fuzz/${dialog[$d]}"
done
# PIT-36 in the other mode, the second prompt cancelled, three boxes clicked.
{ printf "\\x11\\x35\\x00\\x01\\x00\\x00\\x00\\x01\\x02\\x03"; records "$here/../../examples/pit36_joint.json"; } |
    trimmed >"$corpus/dialog_fuzz/pit36-other-mode-clicks"

head -c 1024 /dev/zero >"$corpus/settings_fuzz/defaults"
{ head -c 1024 /dev/zero; printf 'host record 1'; head -c 1011 /dev/zero; } >"$corpus/settings_fuzz/two-records"
printf '\x01\x01' >"$corpus/settings_fuzz/short"

# Run documents of one pre-printed PIT-37 page: carrying the return, the same with its streams
# uncompressed (the return's JSON in plain sight for the mutator), and without it.
doc() {
    KESTRUN_NO_CUPS=1 "$cli" print pit37 "$here/../../examples/pit37.json" --printer PDF --yes \
        --mode preprinted --toggle-all --check chbox_st_1 --settings "$work/settings" \
        --out "$work/doc" --replace --pdf "$corpus/pdf_return_fuzz/$1" "${@:2}" 2>/dev/null
}
doc embedded.pdf
doc no-embed.pdf --no-embed
qpdf --stream-data=uncompress "$corpus/pdf_return_fuzz/embedded.pdf" "$corpus/pdf_return_fuzz/plain.pdf"
