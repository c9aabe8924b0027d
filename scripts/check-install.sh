#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and checks it as a host sees it:
# - every installed header compiles alone, without cairo, pango, CUPS or JSON headers;
# - the library exports its public API alone (no other kestrun symbol);
# - the host program of docs/HOST_GUIDE.md (tests/install/host_app.cpp, quoted there verbatim)
#   builds against the installed package with find_package(kestrun) and with pkg-config
#   kestrun, and prints a return to one PDF, blank-paper and pre-printed;
# - the installed command line prints with its own assets, and without them fails with one
#   clear line instead of reading the build tree's.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
export KESTRUN_NO_CUPS=1
unset KESTRUN_ASSETS
cmake --install "$build" --prefix "$prefix" >/dev/null
lib=$(find "$prefix" -name libkestrun.so | head -1)

echo "-- the host guide quotes the host program verbatim"
awk '/^```cpp$/ {on = 1; next} on && /^```$/ {exit} on' docs/HOST_GUIDE.md >"$prefix/guide.cpp"
diff -u tests/install/host_app.cpp "$prefix/guide.cpp"
test "$(wc -l <tests/install/host_app.cpp)" -lt 30

echo "-- each installed header compiles alone"
headers=$(cd "$prefix/include" && find kestrun -name '*.h' | sort)
test -n "$headers"
for h in $headers; do
    used=$(printf '#include <%s>\n' "$h" |
        c++ -std=c++17 -fsyntax-only -H -I"$prefix/include" -x c++ - 2>&1 >/dev/null)
    if grep -Ei 'cairo|pango|glib|cups|nlohmann' <<<"$used"; then
        echo "$h needs a header of the library's own dependencies" >&2
        exit 1
    fi
done
echo "$(wc -w <<<"$headers") headers"

echo "-- exported symbols"
exported=$(nm -D --defined-only "$lib" | awk '{print $3}' | c++filt | grep -E '(^| for )kestrun::' || true)
unexpected=$(grep -Ev '(^| for )kestrun::(print_return_to_pdf\(|version\(|print_error\b)' <<<"$exported" || true)
if [ -n "$unexpected" ]; then
    echo "the library exports more than its API:" >&2
    head -20 <<<"$unexpected" >&2
    exit 1
fi
echo "kestrun:: symbols exported: $(wc -l <<<"$exported")"

# host PROGRAM RETURN MODE: prints the return to one PDF and checks it.
host() {
    local pdf="$prefix/$(basename "$2" .json)-$3.pdf" said pages
    said=$("$1" "$2" "$pdf" "$3")
    qpdf --check "$pdf" >/dev/null
    pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
    echo "$said; the PDF holds $pages pages"
    test "${said##*: }" = "$pages pages"
}

echo "-- a host built with find_package(kestrun)"
cmake -S tests/install -B "$prefix/app-cmake" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/app-cmake" >/dev/null
host "$prefix/app-cmake/host_app" examples/pit28.json blank
host "$prefix/app-cmake/host_app" examples/pit36_joint.json preprinted

echo "-- a host built with pkg-config kestrun"
pc=$(dirname "$(find "$prefix" -name kestrun.pc)")
export PKG_CONFIG_PATH=$pc
# shellcheck disable=SC2046
c++ -std=c++17 tests/install/host_app.cpp $(pkg-config --cflags --libs kestrun) \
    -Wl,-rpath,"$(pkg-config --variable=libdir kestrun)" -o "$prefix/host_pc"
host "$prefix/host_pc" examples/pit37.json blank
host "$prefix/host_pc" examples/pit36l.json blank

echo "-- the installed command line and its assets"
"$prefix/bin/kestrun" page TF_w2k15_1 examples/pit36_joint.json --out "$prefix/pit2k.pdf"
qpdf --check "$prefix/pit2k.pdf" >/dev/null
mv "$prefix/share/kestrun/assets" "$prefix/assets-moved"
for run in "$prefix/bin/kestrun page TF_w2k15_1 examples/pit36_joint.json --out $prefix/none.pdf" \
    "$prefix/host_pc examples/pit28.json $prefix/none.pdf"; do
    status=0
    message=$($run 2>&1) || status=$?
    echo "without assets: exit $status: $message"
    test "$status" = 1
    grep -q 'the assets are not installed next to' <<<"$message"
    test ! -e "$prefix/none.pdf"
done
echo "install check passed"
