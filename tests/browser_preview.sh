#!/bin/bash
# The preview page in a real browser: mostly Latin posts with a few Arabic
# words, character references and a named quote, written by zarvelo-preview
# and read by headless Chromium. The DOM comes back as UTF-8, so the Arabic
# of the title and of the posts must come back exactly: a browser left to
# guess the character set takes the first post for Chinese. Skipped (77)
# without chromium.
set -euo pipefail
build=$1

if ! command -v chromium >/dev/null; then
    echo "chromium is not installed: skipped"
    exit 77
fi
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
    local dom
    dom=$(timeout 90 chromium --headless --no-sandbox --disable-gpu --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile-$name" --dump-dom "file://$work/$name.html" 2>"$work/$name.log") || {
        cat "$work/$name.log" >&2
        echo "$name: chromium did not render the page" >&2
        status=1
        return
    }
    local expected
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
render quote "$latin$latin Thanks شكرا لكم [QUOTE=Ahmed]quoted text[/QUOTE] &#1633; end" \
    'Thanks شكرا لكم ' 'إقتباس:' 'المشاركة الأصلية بواسطة:<strong>Ahmed</strong>' ' ١ end'
exit $status
