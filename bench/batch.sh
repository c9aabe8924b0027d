#!/usr/bin/env bash
# Measures `kestrun batch`: 100 joint PIT-36 returns made from examples/pit36_joint.json (names,
# identifiers and amounts varied), printed on blank paper with the PDF printer by 1 and by 2
# workers, each setting run 3 times alternating; the median wall time gives pages per second and
# the speed-up. Prints the load average it ran under: measure on a quiet machine.
#   bench/batch.sh [BUILD_DIR] [--returns N] [--runs N]     (default: build/release, 100, 3)
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=$top/build/release
count=100
runs=3
while (($#)); do
    case $1 in
    --returns) count=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) build=$1; shift ;;
    esac
done
cli=$build/apps/kestrun/kestrun
if [[ ! -x $cli ]]; then
    echo "command line not built in $build (cmake --preset release; cmake --build build/release)" >&2
    exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

/usr/bin/python3 - "$top/examples/pit36_joint.json" "$work/returns" "$count" <<'PY'
import copy, json, os, sys
base = json.load(open(sys.argv[1], encoding="utf-8"))
out, count = sys.argv[2], int(sys.argv[3])
os.makedirs(out)
surnames = ["Nowak", "Kowalski", "Wiśniewski", "Wójcik", "Kamiński", "Lewandowski", "Zieliński",
            "Szymański", "Woźniak", "Dąbrowski", "Kozłowski", "Jankowski", "Mazur", "Kwiatkowski"]
names = ["Grzegorz", "Łukasz", "Paweł", "Michał", "Tomasz", "Krzysztof", "Piotr", "Jacek"]
for i in range(count):
    r = copy.deepcopy(base)
    z = r["rekzez"]
    z["nazw"] = surnames[i % len(surnames)]
    z["nazw_m"] = surnames[(i * 5) % len(surnames)]
    z["im"] = names[i % len(names)]
    scale = 1 + (i % 37) / 100
    for key, value in list(z.items()):
        if isinstance(value, float):
            z[key] = round(value * scale, 2)
    z["nip"] = f"{5261040828 + 11 * i:010d}"[-10:]
    json.dump(r, open(f"{out}/joint{i:03d}.json", "w", encoding="utf-8"), ensure_ascii=False)
PY

# batch_once JOBS: one run into a fresh folder; appends "seconds pages" to $work/JOBS.times.
batch_once() {
    rm -rf "$work/out" "$work/settings"
    local start end
    start=$(date +%s.%N)
    "$cli" batch "$work"/returns/*.json --yes --quiet --mode blank --printer PDF \
        --settings "$work/settings" --out "$work/out" --jobs "$1" >/dev/null 2>"$work/log" ||
        { cat "$work/log" >&2; exit 1; }
    end=$(date +%s.%N)
    awk -v s="$start" -v e="$end" -v p="$(find "$work/out" -name '*.pdf' | wc -l)" \
        'BEGIN { print e - s, p }' >>"$work/$1.times"
}

echo "kestrun batch: $count joint PIT-36 returns, blank paper, PDF printer, $runs runs each"
echo "  load average before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
for _ in $(seq "$runs"); do
    batch_once 1
    batch_once 2
done
median() { sort -n "$work/$1.times" | awk '{ t[NR] = $1; p = $2 } END { print t[int((NR + 1) / 2)], p }'; }
read -r t1 pages < <(median 1)
read -r t2 _ < <(median 2)
awk -v t1="$t1" -v t2="$t2" -v p="$pages" 'BEGIN {
    printf "  1 worker:  %6.2f s, %d pages, %6.1f pages/s\n", t1, p, p / t1
    printf "  2 workers: %6.2f s, %d pages, %6.1f pages/s\n", t2, p, p / t2
    printf "  speed-up with 2 workers: %.2f\n", t1 / t2 }'
echo "  load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
