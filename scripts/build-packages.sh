#!/usr/bin/env bash
# Builds the Debian packages kestrun, kestrun-gui, libkestrun0 and libkestrun-dev with
# `dpkg-buildpackage -us -uc -b` from a copy of the tree (dpkg-buildpackage writes beside the
# source folder, so the copy keeps the clone clean), checks them with lintian (no errors), and
# leaves the .deb files, the .changes and lintian's report in OUT.
#   scripts/build-packages.sh [OUT]    (default: build/packages)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/packages}")
# A fixed place, so that ccache (when installed) finds the same paths on the next build.
work=${KESTRUN_PACKAGE_WORK:-/tmp/kestrun-packages}
version=$(dpkg-parsechangelog -S Version)
rm -rf "$work" "$out"
mkdir -p "$work/kestrun-$version" "$out"
git ls-files -z --cached --others --exclude-standard |
    tar --null -T - -cf - | tar -xf - -C "$work/kestrun-$version"
if command -v ccache >/dev/null; then
    export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR=$work
fi
start=$SECONDS
(cd "$work/kestrun-$version" &&
    DEB_BUILD_OPTIONS="nocheck noddebs parallel=${KESTRUN_PACKAGE_JOBS:-$(nproc)} ${DEB_BUILD_OPTIONS:-}" \
        dpkg-buildpackage -us -uc -b >"$out/build.log" 2>&1) || {
    tail -40 "$out/build.log" >&2
    exit 1
}
echo "packages built in $((SECONDS - start)) s"
cp "$work"/*.deb "$work"/*.changes "$work"/*.buildinfo "$out"
lintian --fail-on error --info "$out"/*.changes | tee "$out/lintian.txt"
for deb in "$out"/*.deb; do
    echo "$(basename "$deb"): $(du -k "$deb" | cut -f1) KiB; $(dpkg-deb -f "$deb" Depends)"
done
