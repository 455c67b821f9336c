#!/usr/bin/env bash
# Prints the include graph between the folders of src/ and fails on an
# include that points up or sideways. The layers, lowest first:
#   platform  <-  ui  <-  subsystems (every other folder)  <-  shell  <-  main.cpp
# tools/ holds programs of their own and may use any folder but shell.
# A subsystem uses another only through the helpers listed in `shared` below.
# The build enforces the same (each folder is its own libraries, which see
# only the headers of what they link); this check needs no build.
#   bash scripts/check-layers.sh          # the include graph and the check
#   bash scripts/check-layers.sh build    # also the link graph of that build's libraries
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-}"

# Headers one subsystem may take from another: "from-folder:header".
shared=(
    "defaultfont:editing/colortohex.h"
    # The live preview shows the page the preview button writes.
    "livepreview:preview/conversion.h"
    "livepreview:preview/previewpage.h"
    # The post check reads the tags as the highlighting does, and counts the
    # post's length as the live preview shows it.
    "postcheck:highlight/markupscan.h"
    "postcheck:livepreview/postcount.h"
    # A post copied as formatted text is the preview's conversion of it.
    "richtext:preview/conversion.h"
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
    if [[ $header == *..* ]]; then
        echo "forbidden: $file includes $header (a path that climbs out of its folder)" >&2
        bad=1
        continue
    fi
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
if [ -n "$build" ]; then
    # CMake's own graph of the configured build, cut to the program's libraries:
    # "private" links are used inside a library only, so their headers are not
    # passed on to what links it.
    graph="$(mktemp -d)"
    trap 'rm -rf "$graph"' EXIT
    (cd "$graph" && cmake --graphviz="$graph/layers.dot" "$OLDPWD/$build" > /dev/null)
    echo "link graph (library -> library it links):"
    sed -n 's|^ *"node[0-9]*" -> "node[0-9]*" *\(.*\) // \(zarvelo[a-z_]*\) -> \(zarvelo_[a-z_]*\)$|\2 -> \3\1|p' \
        "$graph/layers.dot" | grep -v '_resources_' | sed 's/\[ style = dotted \]/ (private)/; s/\[ style = [a-z]* \]//' \
        | sort -u | sed 's/^/  /'
fi
if [ "$bad" -ne 0 ]; then
    echo "layers: an include points up or sideways" >&2
    exit 1
fi
echo "layers: every include points down"
