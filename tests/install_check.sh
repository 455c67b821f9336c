#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs:
# the program with its files, a launcher that finds it, and valid desktop
# entry, AppStream metainfo and icon.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" > /dev/null

id=org.zarvelo.Zarvelo
for f in zarvelo setting.vbe bk.gif logo.gif; do
    found=$(find "$prefix" -path "*/zarvelo/$f" | head -n 1)
    [ -n "$found" ] || { echo "missing in the program folder: $f"; exit 1; }
done
[ -x "$prefix/bin/zarvelo" ] || { echo "no launcher in bin/"; exit 1; }
[ -x "$prefix/bin/zarvelo-preview" ] || { echo "no zarvelo-preview in bin/"; exit 1; }
test -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg"
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" > /dev/null \
    || appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

# The launcher finds the program's folder relative to itself.
reldir=$(sed -n 's|^program_dir=.*")/\(.*\)"$|\1|p' "$prefix/bin/zarvelo")
[ -x "$prefix/bin/$reldir/zarvelo" ] || { echo "the launcher looks for the program in bin/$reldir"; exit 1; }
echo "install ok"
