#!/usr/bin/env bash
# Fails on an include that runs upward through the layers of the tree:
#   platform < host < framework < returns, attachments < dialogs < apps
# A layer may include its own headers and those of the layers below it; the two page layers
# do not include each other (what pages share lives in framework/, or in returns/ for the
# returns' own blocks). Tools, tests and benchmarks may include anything.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A allowed=(
    [platform]="platform"
    [host]="host platform"
    [framework]="framework host platform"
    [returns]="returns framework host platform"
    [attachments]="attachments framework host platform"
    [dialogs]="dialogs returns attachments framework host platform"
    [apps]="apps dialogs returns attachments framework host platform"
)
layers="platform host framework returns attachments dialogs apps"

status=0
for layer in $layers; do
    [ -d "$layer" ] || continue
    while IFS=: read -r file line text; do
        target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"$text")
        case " $layers " in *" $target "*) ;; *) continue ;; esac
        case " ${allowed[$layer]} " in
        *" $target "*) ;;
        *)
            echo "$file:$line: $layer/ includes $target/, a layer above it: $text" >&2
            status=1
            ;;
        esac
    done < <(git ls-files -co --exclude-standard "$layer" | grep -E '\.(h|cpp)$' |
        xargs -r grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' /dev/null || true)
done
exit $status
