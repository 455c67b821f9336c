#!/usr/bin/env bash
# Checks the Debian package as a user gets it: installs it, starts the
# installed launcher once on a virtual display from a folder without settings
# (as a user who cannot write the program's folder), previews the post, and
# removes the package again, checking that the user's files stay.
#
# In CI (CI=true, as root, on a machine that is thrown away) the package is
# really installed with apt and removed again. Anywhere else it goes into a
# scratch root with dpkg --root, so a developer's system is never changed.
#   bash tests/package_check.sh build-deb/zarvelo_1.0-1_amd64.deb
set -euo pipefail
deb="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source=scripts/xvfb.sh
. "$source_dir/scripts/xvfb.sh"

work="$(mktemp -d)"
chmod 755 "$work"
app=""
XVFB_PID=""
cleanup() {
    kill $app $XVFB_PID 2> /dev/null || true
    chmod -R u+w "$work" 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/zarvelo.log" ] && cat "$work/zarvelo.log"; exit 1; }

if [ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ]; then
    mode=apt
    root=""
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y -qq --no-install-recommends "$deb" > "$work/apt.log" 2>&1 \
        || { apt-get update -qq && apt-get install -y -qq --no-install-recommends "$deb" >> "$work/apt.log" 2>&1; } \
        || { cat "$work/apt.log"; fail "apt could not install the package"; }
else
    mode=scratch
    root="$work/root"
    admin="$root/var/lib/dpkg"
    mkdir -p "$admin/info" "$admin/updates"
    touch "$admin/status" "$admin/available"
    not_root=()
    [ "$(id -u)" -eq 0 ] || not_root=(--force-not-root)
    # The dependencies are the host's own packages, outside the scratch root.
    dpkg --root="$root" "${not_root[@]}" --force-depends --log=/dev/null -i "$deb" > "$work/dpkg.log" 2>&1 \
        || { cat "$work/dpkg.log"; fail "dpkg could not install the package"; }
fi
usr="$root/usr"

# The package holds what the install rules make (install_check.sh checks that tree); here it runs.
page=$(printf '[B]x[/B]' | "$usr/bin/zarvelo-preview" --body) || fail "zarvelo-preview did not run"
[ "$page" = "<b>x</b>" ] || fail "zarvelo-preview wrote '$page'"

# A user of their own with empty folders. As root the program runs as nobody:
# root could write into the program's folder and hide the cache fall-back.
home="$work/home"
start="$work/start"
mkdir -p "$home/runtime" "$start" "$work/bin"
chmod 700 "$home/runtime"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$home" "$start"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
elif [ "$mode" = scratch ]; then
    chmod a-w "$usr/lib/zarvelo"
fi
# The browser is a stand-in that notes which page it was asked to show.
cat > "$work/bin/xdg-open" << EOF
#!/bin/sh
printf '%s\n' "\$1" > "$home/opened"
EOF
chmod 755 "$work/bin/xdg-open"

start_xvfb "$work" || fail "Xvfb did not start"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CURRENT_DESKTOP DESKTOP_SESSION
(cd "$start" && exec env HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" \
    XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home/runtime" PATH="$work/bin:$usr/bin:$PATH" \
    "${as_user[@]}" "$usr/bin/zarvelo") > "$work/zarvelo.log" 2>&1 &
app=$!
window=$(wait_for_window '^Zarvelo$' 30) || fail "the installed program opened no window"
cmp -s "$home/.local/share/zarvelo/setting.vbe" "$usr/lib/zarvelo/setting.vbe" \
    || fail "the user's data folder did not get the default setting.vbe"

# The preview button, bottom right of the window's lowest row.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove --window "$window" $((WIDTH - 136)) $((HEIGHT - 24)) click 1
for _ in $(seq 100); do [ -s "$home/opened" ] && break; sleep 0.1; done
import -window root "$(dirname "$deb")/package-screenshot.png" 2> /dev/null || true
opened=$(sed 's|^file://||' "$home/opened" 2> /dev/null || true)
[ "$opened" = "$home/.cache/zarvelo/perview.html" ] || fail "the preview opened '$opened'"
for f in perview.html bk.gif logo.gif; do
    [ -s "$home/.cache/zarvelo/$f" ] || fail "the cache folder has no $f"
done
[ ! -e "$usr/lib/zarvelo/perview.html" ] || fail "the page went into the program's folder"
kill "$app"
wait "$app" 2> /dev/null || true
app=""

# Removing the package takes its own files and leaves the user's.
echo "a post" > "$home/.local/share/zarvelo/post.txt"
if [ "$mode" = apt ]; then
    apt-get remove -y -qq zarvelo > "$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt could not remove the package"; }
else
    chmod u+w "$usr/lib/zarvelo"
    dpkg --root="$root" "${not_root[@]}" --log=/dev/null -r zarvelo > "$work/dpkg.log" 2>&1 \
        || { cat "$work/dpkg.log"; fail "dpkg could not remove the package"; }
fi
[ ! -e "$usr/lib/zarvelo" ] && [ ! -e "$usr/bin/zarvelo" ] || fail "removing left the program behind"
[ -f "$home/.local/share/zarvelo/setting.vbe" ] && [ "$(cat "$home/.local/share/zarvelo/post.txt")" = "a post" ] \
    || fail "removing the package touched the user's files"
echo "package ok ($mode install)"
