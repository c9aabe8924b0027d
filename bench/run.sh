#!/usr/bin/env bash
# Runs the benchmarks of an existing build, then measures whole print runs as processes, the way
# a user meets them: every page of a run has its own form.
#   bench/run.sh [BUILD_DIR] [--peers DIR] [--runs N]     (default: build, 9 runs)
#
# 1. kestrun_bench: filling pages, rendering pages that cycle through every bundled form.
# 2. The PIT-28 example printed with the PDF printer, blank paper (form and data) and
#    pre-printed forms (data alone), runs alternating: median CPU (user + system), peak RSS,
#    the PDF sizes, and the marginal cost of a blank-paper page over its pre-printed twin.
# 3. The same blank-paper run with every form replaced by a JPEG scan among the assets, as a
#    host may supply them: the raster path.
# 4. The joint PIT-36 example (24 pages: the return, PIT/B sheets, PIT/O, PIT/D, PIT/M, PIT-2K,
#    PIT/Z, PIT/ZG) in both modes, the same way.
# 5. bench/batch.sh: 100 joint PIT-36 returns printed by `kestrun batch` with 1 and 2 workers.
# 6. With --peers DIR (gen_workload.py, rl_pages.py, cairo_pages.c there): the other programs
#    a user could write such pages with, 14 one-page PDFs of a form JPEG and 200 fields, in the
#    same alternation. They need python3-reportlab and python3-pil (scripts/deps.sh --bench).
# Builds nothing of kestrun; measure a Release build (cmake --preset release, target
# kestrun_bench and kestrun_cli).
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build
peers=
runs=9
while (($#)); do
    case $1 in
    --peers) peers=$(cd "$2" && pwd); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) build=$1; shift ;;
    esac
done
bench=$build/bench/kestrun_bench
cli=$build/apps/kestrun/kestrun
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if [[ -x $bench ]]; then
    "$bench" --benchmark_counters_tabular=true
else
    echo "kestrun_bench not built in $build (cmake --build $build --target kestrun_bench)" >&2
fi
if [[ ! -x $cli ]]; then
    echo "command line not built in $build: whole-process measurement skipped" >&2
    exit 0
fi

# run_once LABEL DIR COMMAND...: empties DIR, then runs one process and appends
# "cpu_s sys_s maxrss_kb" to $out/LABEL.times. getrusage of the child is precise to the
# microsecond, where time(1) prints hundredths.
run_once() {
    local label=$1 dir=$2
    shift 2
    rm -rf "$dir" && mkdir -p "$dir"
    /usr/bin/python3 - "$out/$label.times" "$@" <<'EOF'
import os, resource, subprocess, sys
child = subprocess.run(sys.argv[2:], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
if child.returncode != 0:
    sys.exit("failed: " + " ".join(sys.argv[2:]) + ": " + child.stderr.decode(errors="replace"))
u = resource.getrusage(resource.RUSAGE_CHILDREN)
with open(sys.argv[1], "a") as times:
    times.write(f"{u.ru_utime + u.ru_stime:.6f} {u.ru_stime:.6f} {u.ru_maxrss}\n")
EOF
}

# summary LABEL PAGES: median CPU and system time, peak RSS.
summary() {
    local sys_ms
    sys_ms=$(sort -n -k2 "$out/$1.times" | awk '{ s[NR] = $2 } END { print s[int((NR + 1) / 2)] * 1000 }')
    sort -n "$out/$1.times" | awk -v label="$1" -v pages="$2" -v sys_ms="$sys_ms" '
        { cpu[NR] = $1; if ($3 > rss) rss = $3 }
        END {
            c = cpu[int((NR + 1) / 2)] * 1000
            printf "  %-12s CPU %6.1f ms (%5.2f ms a page), system %5.1f ms, peak RSS %5.1f MiB\n",
                   label, c, c / pages, sys_ms, rss / 1024
        }'
}

median_ms() { sort -n "$out/$1.times" | awk '{ c[NR] = $1 } END { printf "%.3f", c[int((NR + 1) / 2)] * 1000 }'; }

sizes() {
    find "$1" -name '*.pdf' -printf '%s\n' | sort -n | awk -v label="$2" '
        { s[NR] = $1; t += $1 }
        END { printf "  %-26s %d PDFs, %.1f KB in all, %.1f KB a page (largest %.1f KB)\n",
                     label, NR, t / 1024, t / NR / 1024, s[NR] / 1024 }'
}

example=$top/examples/pit28.json
settings=$out/settings
mkdir -p "$settings"
# The same command for every kestrun run, through env so that each starts alike.
print_run=(print pit28 "$example" --yes --quiet --printer PDF --settings "$settings")

# Scans for the raster run: each form page as the blank-paper run prints it, rendered at the
# forms' 120 dpi over its image component and stored as JPEG among a copy of the assets.
assets=$build/assets
mkdir -p "$out/blank"
"$cli" "${print_run[@]}" --mode blank --out "$out/blank" >/dev/null
scanned=$out/scanned-assets
cp -r "$assets" "$scanned"
mkdir -p "$scanned/scans"
for pdf in "$out"/blank/*.pdf; do
    unit=$(basename "$pdf" .pdf)
    unit=${unit#*-}
    read -r x y w h < <(/usr/bin/python3 -c '
import json, sys
d = json.load(open(sys.argv[1]))
m = d.get("margins_mm", {"left": 2.0, "top": 3.0})
x, y, w, h = d["image"]["rect_px"]
px = 120 / 25.4
print(round(m["left"] * px + x), round(m["top"] * px + y), round(w), round(h))' \
        "$scanned/layouts/$unit.json")
    pdftoppm -jpeg -r 120 -singlefile -x "$x" -y "$y" -W "$w" -H "$h" "$pdf" \
        "$scanned/scans/$unit"
done

pages=$(find "$out/blank" -name '*.pdf' | wc -l)
if [[ -n $peers ]]; then
    font=$(fc-match -f '%{file}' 'Liberation Sans:style=Regular')
    /usr/bin/python3 "$peers/gen_workload.py" --out "$out/workload" >/dev/null
    gcc -O2 -o "$out/cairo_pages" "$peers/cairo_pages.c" \
        $(pkg-config --cflags --libs cairo pangocairo pangoft2 fontconfig libjpeg)
fi

echo
echo "Whole print runs of examples/pit28.json ($pages pages, one PDF each), $runs runs alternating"
for _ in $(seq "$runs"); do
    run_once blank "$out/blank" env "$cli" "${print_run[@]}" --mode blank --out "$out/blank"
    run_once preprinted "$out/preprinted" env "$cli" "${print_run[@]}" --mode preprinted \
        --out "$out/preprinted"
    run_once raster "$out/raster" env KESTRUN_ASSETS="$scanned" "$cli" "${print_run[@]}" \
        --mode blank --out "$out/raster"
    if [[ -n $peers ]]; then
        run_once reportlab "$out/rl" /usr/bin/python3 "$peers/rl_pages.py" \
            "$out/workload/form.jpg" "$font" "$out/workload/fields.tsv" "$out/rl" "$pages" --no-a85
        run_once cairo_c "$out/cc" "$out/cairo_pages" "$out/workload/form.jpg" "$font" \
            "$out/workload/fields.tsv" "$out/cc" "$pages"
    fi
done
summary blank "$pages"
summary preprinted "$pages"
summary raster "$pages"
if [[ -n $peers ]]; then
    summary reportlab "$pages"
    summary cairo_c "$pages"
fi
echo
awk -v b="$(median_ms blank)" -v p="$(median_ms preprinted)" -v r="$(median_ms raster)" \
    -v n="$pages" 'BEGIN {
        printf "  marginal cost of a blank-paper page: %.2f ms with drawn forms, %.2f ms with scans\n",
               (b - p) / n, (r - p) / n
        printf "  blank-paper run / pre-printed run: %.2f (drawn), %.2f (scans)\n", b / p, r / p }'
if [[ -n $peers ]]; then
    awk -v b="$(median_ms blank)" -v rl="$(median_ms reportlab)" -v c="$(median_ms cairo_c)" 'BEGIN {
        printf "  blank-paper run / ReportLab: %.2f; / cairo in C: %.2f\n", b / rl, b / c }'
fi
echo
sizes "$out/blank" "blank paper, drawn forms"
sizes "$out/preprinted" "pre-printed forms"
sizes "$out/raster" "blank paper, scans"
if [[ -n $peers ]]; then
    sizes "$out/rl" "ReportLab"
    sizes "$out/cc" "cairo in C"
fi

# The joint PIT-36 return: every attachment and both persons' sheets, so nearly every page of
# the run has a form of its own.
joint=(print pit36 "$top/examples/pit36_joint.json" --yes --quiet --printer PDF --settings "$settings")
"$cli" "${joint[@]}" --mode blank --out "$out/pit36-blank" >/dev/null
pages36=$(find "$out/pit36-blank" -name '*.pdf' | wc -l)
echo
echo "Whole print runs of examples/pit36_joint.json ($pages36 pages, one PDF each), $runs runs alternating"
for _ in $(seq "$runs"); do
    run_once pit36_blank "$out/pit36-blank" env "$cli" "${joint[@]}" --mode blank \
        --out "$out/pit36-blank"
    run_once pit36_pre "$out/pit36-pre" env "$cli" "${joint[@]}" --mode preprinted \
        --out "$out/pit36-pre"
done
summary pit36_blank "$pages36"
summary pit36_pre "$pages36"
awk -v b="$(median_ms pit36_blank)" -v p="$(median_ms pit36_pre)" -v n="$pages36" 'BEGIN {
    printf "  marginal cost of a blank-paper page: %.2f ms; blank-paper run / pre-printed run: %.2f\n",
           (b - p) / n, b / p }'
sizes "$out/pit36-blank" "blank paper, drawn forms"
sizes "$out/pit36-pre" "pre-printed forms"
echo
"$top/bench/batch.sh" "$build"
