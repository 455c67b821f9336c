#!/usr/bin/env bash
# Start-up of the program beside a bare Qt window, in one run on a virtual
# X display with a window manager (Xvfb and openbox): the two are started in
# turn, A B A B, PAIRS times (9 unless told), each timed from exec to its
# first top-level window mapped, and its resident memory read 1.5 s later.
# Prints the medians and the two ratios. A report, never a pass or fail: it
# exits 0 even when it cannot run.
# Usage: bench/startup_vs_bare.sh [BUILD_DIR] [PAIRS]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
pairs="${2:-9}"

for tool in Xvfb openbox "$build/bench/startup_watch" "$build/bench/bare_window" "$build/zarvelo"; do
    command -v "$tool" > /dev/null || { echo "startup report skipped: $tool is missing"; exit 0; }
done

work="$(mktemp -d)"
pids=()
cleanup() { kill "${pids[@]}" 2> /dev/null; wait 2> /dev/null; rm -rf "$work"; }
trap cleanup EXIT

# Xvfb picks a free display and writes its number to the given descriptor.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "startup report skipped: Xvfb did not start"; exit 0; }
export DISPLAY=":$(head -n 1 "$work/display")"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
openbox > "$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

cp "$source_dir/data/setting.vbe" "$work/setting.vbe"
cd "$work" || exit 0
: > bare.txt
: > program.txt
for _ in $(seq "$pairs"); do
    "$build/bench/startup_watch" "$build/bench/bare_window" >> bare.txt 2> /dev/null
    "$build/bench/startup_watch" "$build/zarvelo" >> program.txt 2> /dev/null
done
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
bare_ms=$(awk '{ print $1 }' bare.txt | median)
bare_kb=$(awk '{ print $2 }' bare.txt | median)
prog_ms=$(awk '{ print $1 }' program.txt | median)
prog_kb=$(awk '{ print $2 }' program.txt | median)
bare_cpu=$(awk '{ print $3 }' bare.txt | median)
prog_cpu=$(awk '{ print $3 }' program.txt | median)
if [ -z "$bare_ms" ] || [ -z "$prog_ms" ]; then
    echo "startup report skipped: a window did not appear"
    exit 0
fi
awk -v n="$(wc -l < program.txt)" -v bm="$bare_ms" -v bk="$bare_kb" -v pm="$prog_ms" -v pk="$prog_kb" \
    -v bc="$bare_cpu" -v pc="$prog_cpu" 'BEGIN {
    printf "start-up, median of %d pairs: bare Qt window %.0f ms (%.0f ms of processor), %.1f MiB; zarvelo %.0f ms (%.0f ms), %.1f MiB\n",
        n, bm, bc, bk / 1024, pm, pc, pk / 1024
    printf "start-up ratios (zarvelo / bare window): time %.2f, memory %.2f (processor time %.2f)\n",
        pm / bm, pk / bk, pc / bc
}'
