#!/usr/bin/env bash
# A user's first minutes, on a real X display: start the program from a folder
# with a settings file, type a line over the selected placeholder, press Ctrl+S,
# answer the Save dialog with a path, and check the saved bytes. Leaves a
# screenshot in the build folder. Skips (exit 77) only where Xvfb cannot start.
set -euo pipefail
build="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"

for tool in Xvfb openbox xdotool import; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
pids=()
cleanup() { kill "${pids[@]}" 2> /dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# shellcheck source=scripts/xvfb.sh
. "$source_dir/scripts/xvfb.sh"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
start_xvfb "$work" || { echo "SKIP: Xvfb could not start"; exit 77; }
pids+=("$XVFB_PID")
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

cp "$source_dir/data/setting.vbe" "$work/setting.vbe"
# The typed post is kept as a draft: in a data folder of the test's own.
export XDG_DATA_HOME="$work/data"
(cd "$work" && exec "$build/zarvelo") > "$work/zarvelo.log" 2>&1 &
pids+=($!)

window=$(wait_for_window '^Zarvelo$' 30) || { cat "$work/zarvelo.log"; exit 1; }
timeout 10 xdotool windowactivate --sync "$window"
sleep 0.5
# The template leaves its placeholder selected, so typing replaces it.
xdotool type --delay 20 'Hello forum [B]bold[/B]'
xdotool key --clearmodifiers ctrl+s
sleep 1
xdotool type --delay 10 "$work/post.txt"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/post.txt" ] && break; sleep 0.1; done
sleep 0.3
import -window root "$build/smoke-screenshot.png"

expected=$(printf '\r\nHello forum [B]bold[/B]\r\n' | od -An -tx1)
actual=$(od -An -tx1 "$work/post.txt" 2> /dev/null || echo "no file")
if [ "$expected" != "$actual" ]; then
    echo "FAIL: the saved post holds"; echo "$actual"; echo "expected"; echo "$expected"
    cat "$work/zarvelo.log"
    exit 1
fi
title=$(xdotool getwindowname "$window")
if [ "$title" != "Zarvelo  $work/post.txt" ]; then
    echo "FAIL: the window title reads '$title'"
    exit 1
fi
echo "smoke ok; screenshot: $build/smoke-screenshot.png"
