#!/usr/bin/env bash
# Tries the Debian packages as a user who installed them, without installing anything on the
# machine: each .deb of PACKAGES (scripts/build-packages.sh) is unpacked into a scratch root, and
# with only the root's usr/bin on PATH:
# - the command line tells its version, prints the README's examples to one PDF each, shows both
#   manual pages and completes words on Tab; the window starts offscreen on a return;
# - every installed header compiles alone, without cairo, pango, CUPS or JSON headers, and the
#   library exports its public API alone (no other kestrun symbol);
# - the host program of docs/HOST_GUIDE.md (tests/install/host_app.cpp, quoted there verbatim)
#   builds with find_package(kestrun) and with pkg-config exactly as the guide writes it, and runs;
# - without its assets, the command line and the host program fail with one clear line, and the
#   command line leaves no settings file behind.
#   scripts/check-install.sh [PACKAGES]    (default: build/packages)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
packages=$(realpath "${1:-build/packages}")
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
for deb in "$packages"/*.deb; do
    dpkg-deb -x "$deb" "$root"
done
export PATH="$root/usr/bin:/usr/bin:/bin"
export HOME="$root/home" KESTRUN_NO_CUPS=1
unset KESTRUN_ASSETS KESTRUN_SETTINGS XDG_CONFIG_HOME LD_LIBRARY_PATH
mkdir -p "$HOME"
lib=$(find "$root/usr/lib" -name 'libkestrun.so.0' | head -1)
test -n "$lib"

echo "-- the command line from PATH"
test "$(command -v kestrun)" = "$root/usr/bin/kestrun"
kestrun --version
for example in pit28:pit28:14 pit36:pit36_joint:24 pit37:pit37:10 pit36l:pit36l:10; do
    IFS=: read -r kind file pages <<<"$example"
    (cd "$root" && kestrun print "$kind" "$source_dir/examples/$file.json" --printer PDF \
        --mode blank --yes --pdf "$kind.pdf")
    qpdf --check "$root/$kind.pdf" >/dev/null
    printed=$(pdfinfo "$root/$kind.pdf" | awk '/^Pages:/ {print $2}')
    echo "$file.json: $printed pages"
    test "$printed" = "$pages"
done
test -f "$HOME/.config/kestrun/zbster"

echo "-- the manual pages"
for page in kestrun kestrun-gui; do
    shown=$(MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" 2>"$root/man.err")
    grep -q "^NAME" <<<"$shown"
    if [ -s "$root/man.err" ]; then
        cat "$root/man.err" >&2
        exit 1
    fi
    echo "$page(1): $(wc -l <<<"$shown") lines"
done

echo "-- bash completion"
completed=$(bash -c 'source "$1"; COMP_WORDS=(kestrun page TF_w2k); COMP_CWORD=2; _kestrun
    printf "%s\n" "${COMPREPLY[@]}"' - "$root/usr/share/bash-completion/completions/kestrun")
echo "kestrun page TF_w2k<Tab>: $completed"
test "$completed" = TF_w2k15_1

echo "-- the window, offscreen"
QT_QPA_PLATFORM=offscreen kestrun-gui "$source_dir/examples/pit37.json" --out "$root/gui" \
    --screenshot "$root/gui.png"
test -s "$root/gui.png"
grep -q '^Exec=kestrun-gui %f$' "$root/usr/share/applications/kestrun-gui.desktop"
test -s "$root/usr/share/icons/hicolor/scalable/apps/kestrun-gui.svg"

echo "-- the host guide quotes the host program verbatim"
awk '/^```cpp$/ {on = 1; next} on && /^```$/ {exit} on' docs/HOST_GUIDE.md >"$root/guide.cpp"
diff -u tests/install/host_app.cpp "$root/guide.cpp"
awk '/^```cmake$/ {on = 1; next} on && /^```$/ {exit} on' docs/HOST_GUIDE.md >"$root/guide.cmake"
diff -u tests/install/CMakeLists.txt "$root/guide.cmake"
test "$(wc -l <tests/install/host_app.cpp)" -lt 30

echo "-- each installed header compiles alone"
headers=$(cd "$root/usr/include" && find kestrun -name '*.h' | sort)
test -n "$headers"
for h in $headers; do
    used=$(printf '#include <%s>\n' "$h" |
        c++ -std=c++17 -fsyntax-only -H -I"$root/usr/include" -x c++ - 2>&1 >/dev/null)
    if grep -Ei 'cairo|pango|glib|cups|nlohmann' <<<"$used"; then
        echo "$h needs a header of the library's own dependencies" >&2
        exit 1
    fi
done
echo "$(wc -w <<<"$headers") headers"

echo "-- exported symbols"
exported=$(nm -D --defined-only "$lib" | awk '{print $3}' | c++filt | grep -E '(^| for )kestrun::' || true)
# The API is what the public header marks KESTRUN_API: a class (its members and type
# information) and the functions, each by its name.
header="$root/usr/include/kestrun/kestrun.h"
api=$({
    sed -nE 's/^class KESTRUN_API ([a-z_0-9]+).*/\1/p' "$header"
    sed -nE 's/^KESTRUN_API [^(]*[^a-z_0-9(]([a-z_0-9]+)\(.*/\1/p' "$header"
} | paste -sd'|')
unexpected=$(grep -Ev "(^| for )kestrun::($api)\b" <<<"$exported" || true)
if [ -n "$unexpected" ]; then
    echo "the library exports more than its API:" >&2
    head -20 <<<"$unexpected" >&2
    exit 1
fi
echo "kestrun:: symbols exported: $(wc -l <<<"$exported")"

# The guide's commands of one fenced block (sh), run as written in a host's folder with PREFIX
# the unpacked usr; the program they build prints the PIT-28 example.
host_build() {
    local dir="$root/host-$1"
    mkdir -p "$dir"
    cp tests/install/host_app.cpp tests/install/CMakeLists.txt "$dir"
    ln -s "$source_dir/examples" "$dir/examples"
    awk -v n="$1" '/^```sh$/ {on = (++seen == n); next} /^```$/ {on = 0} on' docs/HOST_GUIDE.md \
        >"$dir/build.sh"
    said=$(cd "$dir" && PREFIX="$root/usr" bash -euo pipefail build.sh | tail -1)
    qpdf --check "$dir/pit28.pdf" >/dev/null
    echo "$said; the PDF holds $(pdfinfo "$dir/pit28.pdf" | awk '/^Pages:/ {print $2}') pages"
    test "$said" = "PIT-28: 14 pages"
}
echo "-- the host guide's program built with find_package(kestrun)"
host_build 1
echo "-- the host guide's program built with pkg-config kestrun"
host_build 2

echo "-- without the assets"
mv "$root/usr/share/kestrun/assets" "$root/assets-moved"
rm -rf "$HOME/.config"
for run in "kestrun print pit28 $source_dir/examples/pit28.json --printer PDF --yes --pdf $root/none.pdf" \
    "$root/host-2/host_app $source_dir/examples/pit28.json $root/none.pdf"; do
    status=0
    message=$($run 2>&1) || status=$?
    echo "exit $status: $message"
    test "$status" = 1
    grep -q "the assets are not installed next to $root/usr/" <<<"$message"
    test ! -e "$root/none.pdf"
done
test ! -e "$HOME/.config/kestrun/zbster"
echo "install check passed"
