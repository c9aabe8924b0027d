#!/usr/bin/env bash
# The build refuses an include of a layer a target does not link (each layer sees only its own
# headers and those of the layers it links). What the build cannot see is whether the links
# themselves run downward; this checks the includes against the order of the layers, folder by
# folder:
#   platform/io < printing < vcl < qr;  host/tamdor < returnfile, korvel
#   platform < host < framework (the page side) < framework/printrun (the print-run side)
#   framework < returns, attachments (the two page layers, which never include each other nor
#   the print-run side) < dialogs < apps/kestrun, apps/gui (two faces, neither includes the
#   other). Tools, tests and benchmarks may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

platform="platform platform/io platform/printing platform/vcl platform/qr"
host="host/tamdor host/returnfile host/korvel"
module="dialogs returns attachments framework/printrun framework $host $platform"
declare -A allowed=(
    [platform/io]="platform platform/io"
    [platform/printing]="platform platform/io platform/printing"
    [platform/vcl]="platform platform/io platform/printing platform/vcl"
    [platform/qr]="$platform"
    [host/tamdor]="host/tamdor platform platform/io"
    [host/returnfile]="host/returnfile host/tamdor platform platform/io"
    [host/korvel]="$host $platform"
    [framework]="framework $host $platform"
    [framework/printrun]="framework/printrun framework $host $platform"
    [returns]="returns framework $host $platform"
    [attachments]="attachments framework $host $platform"
    [dialogs]="$module"
    [apps/kestrun]="apps/kestrun $module"
    [apps/gui]="apps/gui $module"
)
tree="${!allowed[*]} platform"

status=0
for layer in "${!allowed[@]}"; do
    [ -d "$layer" ] || continue
    while IFS=: read -r file line text; do
        header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/' <<<"$text")
        target=$(dirname "$header")
        case " $tree " in *" $target "*) ;; *) continue ;; esac
        case " ${allowed[$layer]} " in
        *" $target "*) ;;
        *)
            echo "$file:$line: $layer/ includes $target/, which it may not: $text" >&2
            status=1
            ;;
        esac
    done < <(git ls-files -co --exclude-standard "$layer" | grep -E "^$layer/[^/]+\.(h|cpp)$" |
        xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' /dev/null || true)
done
exit $status
