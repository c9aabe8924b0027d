#!/usr/bin/env bash
# Screenshots of the four print dialogs for the README, each opened by kestrun-gui on its
# example return under a virtual X server (offscreen when xvfb-run is missing) and saved as
# docs/dialog_<return>.png.
#   scripts/screenshots.sh [BUILD_DIR]     (default: build/dev)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
gui=$build/apps/gui/kestrun-gui
[ -x "$gui" ] || { echo "screenshots: no $gui; build with KESTRUN_GUI=ON first" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if command -v xvfb-run >/dev/null; then
    run=(xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 120")
else
    run=(env QT_QPA_PLATFORM=offscreen)
fi
for pair in pit28:pit28.json pit36:pit36_joint.json pit37:pit37.json pit36l:pit36l.json; do
    type=${pair%%:*}
    KESTRUN_NO_CUPS=1 "${run[@]}" "$gui" "examples/${pair#*:}" --return "$type" \
        --out "$work/out-$type" --settings "$work/settings-$type" \
        --screenshot "docs/dialog_$type.png"
    echo "docs/dialog_$type.png"
done
