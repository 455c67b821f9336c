#!/bin/bash
# The preview page in headless Chromium: a browser left to guess the character
# set takes a mostly Latin post for Chinese, so its Arabic must come back exactly.
# Skipped (77) without chromium.
set -euo pipefail
# The Arabic texts compared below are UTF-8, whatever the caller's locale.
export LC_ALL=C.UTF-8
build=$1

command -v chromium >/dev/null || { echo "chromium is not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

latin='Hello everyone, this is a long post in English about forum markup and how it looks. '
title='<title>معاينة مشاركة - برنامج Zarvelo</title>'
status=0

# render NAME POST EXPECTED...: the page of POST must hold every EXPECTED text.
render() {
    local name=$1 post=$2
    shift 2
    printf '%s' "$post" >"$work/$name.txt"
    "$build/zarvelo-preview" "$work/$name.txt" >"$work/$name.html"
    local dom expected
    dom=$(timeout 90 chromium --headless --no-sandbox --disable-gpu --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile-$name" --dump-dom "file://$work/$name.html" 2>"$work/$name.log") || {
        cat "$work/$name.log" >&2
        echo "$name: chromium did not render the page" >&2
        status=1
        return
    }
    for expected in "$title" "$@"; do
        if [[ $dom != *"$expected"* ]]; then
            echo "$name: not in the rendered page: $expected" >&2
            printf '%s\n' "$dom" | head -c 1500 >&2
            status=1
        fi
    done
}

render words "$latin[B]Bold words[/B] and one word شكرا, a smile 😀 and a digit &#1633;." \
    '<b>Bold words</b> and one word شكرا, a smile 😀 and a digit ١.'
exit $status
