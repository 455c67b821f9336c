#!/usr/bin/env bash
# Posts given to the installed launcher: --help, --version, a window each, a
# relative path, a missing file, then Ctrl+B and Alt+F. Skips (77) without Xvfb.
set -euo pipefail
export LC_ALL=C.UTF-8
build="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"
work="$(mktemp -d)"
pids=()
cleanup() { kill "${pids[@]}" 2> /dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/zarvelo.log" 2> /dev/null || true; exit 1; }

usage=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$build/zarvelo" --help --version | head -n 1)
[ "$usage" = "Usage: zarvelo [options] [FILE...]" ] || fail "--help without a display printed '$usage'"
[ "$(env -u DISPLAY "$build/zarvelo" --version)" = "zarvelo 1.0" ] || fail "--version"

for tool in Xvfb openbox xdotool; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=scripts/xvfb.sh
. "$source_dir/scripts/xvfb.sh"
start_xvfb "$work" || { echo "SKIP: Xvfb could not start"; exit 77; }
pids+=("$XVFB_PID")
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)

cmake --install "$build" --prefix "$work/prefix" > /dev/null
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir "$work/start"
printf 'abc' > "$work/start/one.txt"
printf '\xD3\xE1\xC7\xE3' > "$work/start/two.txt"
(cd "$work/start" && exec "$work/prefix/bin/zarvelo" one.txt ./two.txt gone.txt) >> "$work/zarvelo.log" 2>&1 &
pids+=($!)

message=$(wait_for_window '^خطأ$' 30) || fail "no message for the missing file"
wait_for_window '^Zarvelo$' > /dev/null || fail "no new post beside the message"
timeout 10 xdotool windowactivate --sync "$message"
xdotool key --clearmodifiers Return
one=$(wait_for_window "^Zarvelo  $work/start/one.txt\$") || fail "one.txt did not open in a window"
wait_for_window "^Zarvelo  $work/start/two.txt\$" > /dev/null || fail "two.txt did not open in a window"
timeout 10 xdotool windowactivate --sync "$one" && sleep 0.5 && xdotool key --clearmodifiers ctrl+a ctrl+b alt+f ctrl+s
# A loaded machine may take a while to save.
for _ in $(seq 50); do
    [ "$(cat "$work/start/one.txt")" = "[B]abc[/B]" ] && break
    sleep 0.2
done
[ "$(cat "$work/start/one.txt")" = "[B]abc[/B]" ] || fail "one.txt holds '$(cat "$work/start/one.txt")'"
echo "command line ok"
