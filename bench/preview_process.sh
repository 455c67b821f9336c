#!/usr/bin/env bash
# zarvelo-preview as a whole process against the conversion in process: a
# generated, tag-dense 10 M-character post converted with --body into a file,
# median of 5 (wall clock, and CPU time as user + system), beside what
# bench_conversion reports for the same post: converted as text (the
# preview button's conversion) and as Windows-1256 bytes (what the process
# does with such a post). A report, not a pass or fail.
# Usage: bench/preview_process.sh [BUILD_DIR]
set -uo pipefail
build="$(cd "${1:-build}" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
chars=10000000
for tool in "$build/bench/bench_conversion" "$build/zarvelo-preview"; do
    [ -x "$tool" ] || { echo "preview speed report skipped: $tool is missing"; exit 0; }
done

"$build/bench/bench_conversion" --write-post="$work/post.txt" "$chars" \
    || { echo "preview speed report skipped: the post could not be written"; exit 0; }
"$build/zarvelo-preview" --body "$work/post.txt" > "$work/page.html" # warm the caches
TIMEFORMAT='%3R %3U %3S'
for _ in 1 2 3 4 5; do
    { time "$build/zarvelo-preview" --body "$work/post.txt" > "$work/page.html"; } 2>> "$work/times"
done
# The in-process rates are a counter column of the CSV: found by its header.
inprocess() {
    "$build/bench/bench_conversion" --benchmark_filter="^$1/10000000\$" \
        --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv 2> /dev/null \
        | awk -F, '/^name,/ { for (i = 1; i <= NF; i++) if ($i ~ /Mchars/) col = i }
                   /_median/ { print $col }'
}
text=$(inprocess BM_Conversion)
bytes=$(inprocess BM_Windows1256Conversion)
wall=$(awk '{ print $1 }' "$work/times" | sort -n | sed -n 3p)
cpu=$(awk '{ print $2 + $3 }' "$work/times" | sort -n | sed -n 3p)
awk -v chars="$chars" -v w="$wall" -v c="$cpu" -v text="${text:-0}" -v bytes="${bytes:-0}" 'BEGIN {
    printf "zarvelo-preview --body, %d M characters, median of 5: %.0f M chars/s wall (%.3f s), %.0f M chars/s CPU (%.3f s)\n",
        chars / 1e6, chars / w / 1e6, w, chars / c / 1e6, c
    if (text > 0)
        printf "in process, as text (bench_conversion BM_Conversion): %.0f M chars/s; the whole process at %.0f%% of it (wall), %.0f%% (CPU)\n",
            text, 100 * chars / w / 1e6 / text, 100 * chars / c / 1e6 / text
    if (bytes > 0)
        printf "in process, as bytes (BM_Windows1256Conversion): %.0f M chars/s; the whole process at %.0f%% of it (wall), %.0f%% (CPU)\n",
            bytes, 100 * chars / w / 1e6 / bytes, 100 * chars / c / 1e6 / bytes
}'
