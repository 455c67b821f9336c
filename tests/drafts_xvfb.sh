#!/usr/bin/env bash
# A crash loses at most the last moments of typing: on a real X display, start
# the program, type two lines, wait 3 seconds, kill it with SIGKILL, start it
# again, restore the newest draft from the drafts window (Ctrl+Shift+T, Enter),
# save it and check the saved bytes. Skips (exit 77) only where Xvfb cannot start.
set -euo pipefail
build="$(cd "$1" && pwd)"

for tool in Xvfb openbox xdotool; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
pids=()
cleanup() { kill "${pids[@]}" 2> /dev/null || true; rm -rf "$work"; }
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" > "$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "SKIP: Xvfb could not start"; cat "$work/xvfb.log"; exit 77; }
export DISPLAY=":$(head -n 1 "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

# The drafts go to a data folder of the test's own, never the user's.
export XDG_DATA_HOME="$work/data"
cp "$build/setting.vbe" "$work/setting.vbe"

start() {
    (cd "$work" && exec "$build/zarvelo") >> "$work/zarvelo.log" 2>&1 &
    program=$!
    pids+=("$program")
    window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zarvelo$' | head -n 1 || true)
    [ -n "$window" ] || { echo "FAIL: the window did not appear"; cat "$work/zarvelo.log"; exit 1; }
    timeout 10 xdotool windowactivate --sync "$window"
    sleep 0.5
}

start
# The template leaves its placeholder selected, so typing replaces it.
xdotool type --delay 20 'Draft line one'
xdotool key --clearmodifiers Return
xdotool type --delay 20 'second [B]line[/B]'
sleep 3
kill -KILL "$program"
wait "$program" 2> /dev/null || true

expected=$(printf '\r\nDraft line one\r\nsecond [B]line[/B]\r\n' | od -An -tx1)
draft=$(find "$work/data" -name '*.draft' 2> /dev/null | head -n 1 || true)
[ -n "$draft" ] || { echo "FAIL: no draft was written before the crash"; exit 1; }
kept=$(tail -n +2 "$draft" | od -An -tx1)
[ "$kept" = "$expected" ] || { echo "FAIL: the draft holds"; echo "$kept"; exit 1; }

start
xdotool key --clearmodifiers ctrl+shift+t
drafts=$(timeout 10 xdotool search --sync --onlyvisible --name '^المسودات$' | head -n 1 || true)
[ -n "$drafts" ] || { echo "FAIL: the drafts window did not open"; exit 1; }
sleep 0.5
xdotool key --clearmodifiers Return
sleep 0.5
xdotool key --clearmodifiers ctrl+s
sleep 1
xdotool type --delay 10 "$work/post.txt"
xdotool key Return
for _ in $(seq 50); do [ -s "$work/post.txt" ] && break; sleep 0.1; done

actual=$(od -An -tx1 "$work/post.txt" 2> /dev/null || echo "no file")
if [ "$expected" != "$actual" ]; then
    echo "FAIL: the restored post holds"; echo "$actual"; echo "expected"; echo "$expected"
    cat "$work/zarvelo.log"
    exit 1
fi
echo "drafts after a crash ok"
