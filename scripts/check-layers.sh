#!/usr/bin/env bash
# Prints the include graph between the folders of src/ and fails on an
# include that points up or sideways. The layers, lowest first:
#   platform  <-  ui  <-  subsystems (every other folder)  <-  shell  <-  main.cpp
# tools/ holds programs of their own and may use any folder but shell.
# A subsystem uses another only through the helpers listed in `shared` below.
set -euo pipefail
cd "$(dirname "$0")/.."

# Headers one subsystem may take from another: "from-folder:header".
shared=(
    "defaultfont:editing/colortohex.h"
    # The live preview shows the page the preview button writes.
    "livepreview:preview/conversion.h"
    "livepreview:preview/previewpage.h"
)

rank() {
    case "$1" in
        platform) echo 0 ;;
        ui) echo 1 ;;
        shell) echo 3 ;;
        main) echo 4 ;;
        tools) echo 4 ;;
        *) echo 2 ;;
    esac
}

folder_of() {
    case "$1" in
        src/main.cpp) echo main ;;
        src/*/*) local rest=${1#src/}; echo "${rest%%/*}" ;;
        tools/*) echo tools ;;
        *) echo "" ;;
    esac
}

bad=0
declare -A edges=()
while IFS= read -r line; do
    file=${line%%:*}
    header=$(sed -n 's/^[^"]*"\([^"]*\)".*/\1/p' <<<"${line#*:}")
    [ -n "$header" ] || continue
    [[ $header == */* ]] || continue
    from=$(folder_of "$file")
    to=${header%%/*}
    [ -d "src/$to" ] || continue
    [ "$from" != "$to" ] || continue
    edges["$from -> $to"]=$(( ${edges["$from -> $to"]:-0} + 1 ))
    fr=$(rank "$from"); tr=$(rank "$to")
    ok=yes
    if [ "$from" = tools ]; then
        [ "$to" != shell ] || ok=no
    elif [ "$tr" -gt "$fr" ]; then
        ok=no
    elif [ "$tr" -eq "$fr" ]; then
        ok=no
        for s in "${shared[@]}"; do
            [ "$s" = "$from:$header" ] && ok=yes
        done
    fi
    if [ "$ok" = no ]; then
        echo "forbidden: $file includes $header ($from may not use $to)" >&2
        bad=1
    fi
done < <(grep -rn --include='*.h' --include='*.cpp' '^#include "' src tools 2>/dev/null | sed 's/:[0-9]*:/:/')

echo "include graph (folder -> folder: includes):"
for e in "${!edges[@]}"; do echo "  $e: ${edges[$e]}"; done | sort
if [ "$bad" -ne 0 ]; then
    echo "layers: an include points up or sideways" >&2
    exit 1
fi
echo "layers: every include points down"
