#!/usr/bin/env bash
# Installs a built tree into a scratch prefix, builds a host application against the installed
# CMake package, and prints a page with the installed command line, which must find its
# assets where they were installed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cmake -S tests/install -B "$prefix/app-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$prefix/app-build" >/dev/null
"$prefix/app-build/host_app" examples/pit36_joint.json
env -u KESTRUN_ASSETS "$prefix/bin/kestrun" page TF_w2k15_1 examples/pit36_joint.json --out "$prefix/pit2k.pdf"
test -s "$prefix/pit2k.pdf"
echo "install check passed"
