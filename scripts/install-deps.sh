#!/usr/bin/env bash
# Installs the Debian packages Zarvelo needs to build, test and run, skipping
# those already there. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
    libbenchmark-dev
    libhunspell-dev hunspell-ar hunspell-en-us libfontconfig-dev
    fonts-noto-core fonts-kacst fonts-dejavu-core
    fonts-noto-ui-core fonts-liberation2 fonts-hosny-amiri fonts-urw-base35
    qt6-translations-l10n
    xvfb xauth x11-utils openbox xdotool x11-xkb-utils imagemagick libxcb1-dev
    clang libclang-rt-14-dev clang-tidy clang-format
    desktop-file-utils appstream
    chromium
    dpkg-dev debhelper lintian
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
