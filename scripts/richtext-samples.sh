#!/usr/bin/env bash
# Makes the clipboard HTML samples of tests/data/richtext/ again: a page
# copied whole (Ctrl+A, Ctrl+C) in Chromium and in Firefox ESR on a virtual
# display, and a document written as HTML by LibreOffice. Needs Xvfb,
# openbox, xdotool, xclip, chromium, firefox-esr and libreoffice-writer.
set -euo pipefail
# Window titles and page text are UTF-8 whatever the caller's locale.
export LC_ALL=C.UTF-8
cd "$(dirname "$0")/.."
out=tests/data/richtext
work=$(mktemp -d)
display=:79

cat > "$work/page.html" <<'EOF'
<!DOCTYPE html>
<html lang="ar" dir="rtl"><head><meta charset="utf-8"><title>صفحة</title>
<style>body{font-family:"Noto Naskh Arabic",serif;font-size:16px} .note{color:#1a7f37} h2{font-size:24px}</style>
<script>var x = 1;</script></head>
<body>
<h2>عنوان المقال</h2>
<p>هذه <b>فقرة</b> فيها <i>كلمات</i> مائلة و<a href="https://example.com/ar">رابط إلى موقع</a>.</p>
<p class="note">نص   ملون
بسطرين في المصدر</p>
<ul><li>البند الأول</li><li>البند الثاني</li></ul>
<p style="text-align:center">فقرة في الوسط</p>
<p>English <u>underlined</u> words.</p>
</body></html>
EOF

cat > "$work/libreoffice.fodt" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.text">
<office:automatic-styles>
<style:style style:name="P1" style:family="paragraph"><style:paragraph-properties fo:text-align="end" style:writing-mode="rl-tb"/></style:style>
<style:style style:name="P2" style:family="paragraph"><style:paragraph-properties fo:text-align="center" style:writing-mode="rl-tb"/></style:style>
<style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold" style:font-weight-complex="bold"/></style:style>
<style:style style:name="T2" style:family="text"><style:text-properties fo:color="#c9211e"/></style:style>
<style:style style:name="T3" style:family="text"><style:text-properties fo:font-style="italic" style:font-style-complex="italic"/></style:style>
</office:automatic-styles>
<office:body><office:text>
<text:p text:style-name="P1">هذه فقرة <text:span text:style-name="T1">عريضة</text:span> وكلمة <text:span text:style-name="T2">حمراء</text:span> و<text:span text:style-name="T3">مائلة</text:span>.</text:p>
<text:p text:style-name="P2">سطر في الوسط</text:p>
<text:p text:style-name="P1"/>
<text:list><text:list-item><text:p text:style-name="P1">بند أول</text:p></text:list-item></text:list>
</office:text></office:body></office:document>
EOF
soffice --headless --convert-to html --outdir "$work" "$work/libreoffice.fodt" > /dev/null
cp "$work/libreoffice.html" "$out/libreoffice.html"

Xvfb "$display" -screen 0 1280x900x24 > /dev/null 2>&1 &
xvfb=$!
sleep 2
DISPLAY=$display openbox > /dev/null 2>&1 &
openbox=$!
# copy NAME COMMAND...: opens the page, selects all of it, copies it.
copy() {
    local name=$1
    shift
    DISPLAY=$display "$@" "file://$work/page.html" > /dev/null 2>&1 &
    local browser=$!
    sleep 40
    local window
    window=$(DISPLAY=$display xdotool search --onlyvisible --class "$name" | tail -1)
    DISPLAY=$display xdotool windowactivate --sync "$window" mousemove 640 450 click 1
    sleep 1
    DISPLAY=$display xdotool key --clearmodifiers ctrl+a
    sleep 1
    DISPLAY=$display xdotool key --clearmodifiers ctrl+c
    sleep 3
    DISPLAY=$display xclip -o -selection clipboard -t text/html > "$out/$name.html"
    kill "$browser"
    wait "$browser" || true
}
copy chromium chromium --no-sandbox --no-first-run --user-data-dir="$work/chromium"
mkdir "$work/firefox"
copy firefox firefox-esr --no-remote --profile "$work/firefox"
kill "$openbox" "$xvfb"
rm -rf "$work"
