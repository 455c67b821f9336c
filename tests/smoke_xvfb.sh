#!/usr/bin/env bash
# A user's first minutes on a real X display: typing saved with Ctrl+S (smoke),
# or typing killed with SIGKILL and restored from its draft (drafts); the saved
# bytes are checked. Or two copies at once in one folder, both typed in and
# killed, whose posts are both kept (two). Skips (exit 77) only where Xvfb cannot start.
set -euo pipefail
# The program and xdotool run under a UTF-8 locale, as on a desktop, whatever
# the caller's: in the C locale the window's Arabic title is not found.
export LC_ALL=C.UTF-8
build="$(cd "$1" && pwd)"
source_dir="$(cd "$2" && pwd)"
mode="${3:-smoke}"

for tool in Xvfb openbox xdotool import; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
pids=()
cleanup() { kill "${pids[@]}" 2> /dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/zarvelo.log" 2> /dev/null || true; exit 1; }

# shellcheck source=scripts/xvfb.sh
. "$source_dir/scripts/xvfb.sh"
start_xvfb "$work" || { echo "SKIP: Xvfb could not start"; exit 77; }
pids+=("$XVFB_PID")
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

cp "$source_dir/data/setting.vbe" "$work/setting.vbe"
# Drafts go to a data folder of the test's own, never the user's.
export XDG_DATA_HOME="$work/data"

start() {
    (cd "$work" && exec "$build/zarvelo") >> "$work/zarvelo.log" 2>&1 &
    program=$!
    pids+=("$program")
    window=$(wait_for_window '^Zarvelo$' 30) || fail "the window did not appear"
    timeout 10 xdotool windowactivate --sync "$window"
    sleep 0.5
}

# save EXPECTED: Ctrl+S, the Save dialog answered with a path, the file's bytes compared.
save() {
    xdotool key --clearmodifiers ctrl+s
    sleep 1
    xdotool type --delay 10 "$work/post.txt"
    xdotool key Return
    for _ in $(seq 50); do [ -s "$work/post.txt" ] && break; sleep 0.1; done
    actual=$(od -An -tx1 "$work/post.txt" 2> /dev/null || echo "no file")
    [ "$1" = "$actual" ] || fail "the saved post holds"$'\n'"$actual"$'\n'"expected"$'\n'"$1"
}

start
# The template leaves its placeholder selected, so typing replaces it.
if [ "$mode" = smoke ]; then
    xdotool type --delay 20 'Hello forum [B]bold[/B]'
    save "$(printf '\r\nHello forum [B]bold[/B]\r\n' | od -An -tx1)"
    import -window root "$build/smoke-screenshot.png"
    title=$(xdotool getwindowname "$window")
    [ "$title" = "Zarvelo  $work/post.txt" ] || fail "the window title reads '$title'"
    echo "smoke ok; screenshot: $build/smoke-screenshot.png"
    exit 0
fi

if [ "$mode" = two ]; then
    (cd "$work" && exec "$build/zarvelo") >> "$work/zarvelo.log" 2>&1 &
    second=$!
    pids+=("$second")
    second_window=$(wait_for_window '^Zarvelo$' 30 "$window") || fail "the second window did not appear"
    timeout 10 xdotool windowactivate --sync "$second_window"
    sleep 0.5
    xdotool type --delay 20 'Typed in the second window'
    timeout 10 xdotool windowactivate --sync "$window"
    sleep 0.5
    xdotool type --delay 20 'Typed in the first window'
    sleep 3
    kill -KILL "$program" "$second"
    wait "$program" "$second" 2> /dev/null || true
    for typed in 'Typed in the first window' 'Typed in the second window'; do
        grep -rlF --include='*.draft' "$typed" "$work/data" > /dev/null || fail "no draft holds '$typed'"
    done
    # The next start takes both crashed runs as its own to offer, and its
    # orderly close leaves no run behind.
    [ "$(find "$work/data" -name '*.run' | wc -l)" = 2 ] || fail "the two runs left no records"
    start
    xdotool key --clearmodifiers alt+F4
    wait "$program" 2> /dev/null || true
    left=$(find "$work/data" -name '*.run')
    [ -z "$left" ] || fail "run records are left behind: $left"
    echo "two windows ok"
    exit 0
fi

xdotool type --delay 20 'Draft line one'
xdotool key --clearmodifiers Return
xdotool type --delay 20 'second [B]line[/B]'
sleep 3
kill -KILL "$program"
wait "$program" 2> /dev/null || true
expected=$(printf '\r\nDraft line one\r\nsecond [B]line[/B]\r\n' | od -An -tx1)
draft=$(find "$work/data" -name '*.draft' 2> /dev/null | head -n 1 || true)
[ -n "$draft" ] || fail "no draft was written before the crash"
kept=$(tail -n +2 "$draft" | od -An -tx1)
[ "$kept" = "$expected" ] || fail "the draft holds"$'\n'"$kept"

start
xdotool key --clearmodifiers ctrl+shift+t
wait_for_window '^المسودات$' 10 > /dev/null || fail "the drafts window did not open"
sleep 0.5
xdotool key --clearmodifiers Return
sleep 0.5
save "$expected"
echo "drafts after a crash ok"
