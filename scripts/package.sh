#!/usr/bin/env bash
# Builds the Debian package from a copy of the sources in build-deb/ (so the
# checkout gets none of dpkg-buildpackage's leftovers) and checks it with
# lintian, which fails the script on an error. The package ends up as
# build-deb/zarvelo_<version>_<arch>.deb, its lintian report beside it.
#   bash scripts/package.sh
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

version=$(dpkg-parsechangelog -S Version)
upstream=${version%-*}
out="$PWD/build-deb"
tree="$out/zarvelo-$upstream"

rm -rf "$out"/zarvelo*
mkdir -p "$tree"
# The files of the checkout, changed or new ones included, and not the
# ignored build folders.
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    git ls-files -z --cached --others --exclude-standard \
        | while IFS= read -r -d '' f; do if [ -e "$f" ]; then printf '%s\0' "$f"; fi; done \
        | tar --null --files-from=- -cf - | tar -xf - -C "$tree"
else
    tar --exclude='./build*' --exclude='./obj-*' -cf - . | tar -xf - -C "$tree"
fi

# debhelper points HOME into the build tree, so ccache gets its folder here.
if command -v ccache > /dev/null; then
    export CCACHE_DIR="${CCACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/ccache}"
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$out}"
fi
export DEB_BUILD_OPTIONS="${DEB_BUILD_OPTIONS:-parallel=$(nproc)}"
(cd "$tree" && dpkg-buildpackage -us -uc -b) > "$out/dpkg-buildpackage.log" 2>&1 || {
    tail -n 25 "$out/dpkg-buildpackage.log"
    echo "dpkg-buildpackage failed; the whole log is $out/dpkg-buildpackage.log" >&2
    exit 1
}

deb=$(ls "$out"/zarvelo_"$version"_*.deb)
changes=$(ls "$out"/zarvelo_"$version"_*.changes)
echo "package: $deb"
# Every tag is listed; only errors fail.
lintian --fail-on error --display-info --pedantic "$changes" 2>&1 | tee "$out/lintian.log"
echo "lintian: no errors"
