#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 30) from its committed seed corpus. New inputs go to
# build-fuzz/corpus/<target>; an input that crashes, hangs or runs out of
# memory is kept in build-fuzz/artifacts/<target>-<time>/ and fails the run,
# and so does a fuzzer that ends early or never runs an input.
#   bash scripts/fuzz.sh            # the short run of the test command
#   bash scripts/fuzz.sh 3600       # an hour each
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

mkdir -p build-fuzz
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZARVELO_FUZZ=ON -DBUILD_TESTING=OFF -DZARVELO_BENCHMARKS=OFF > build-fuzz/configure.log 2>&1 \
    || { cat build-fuzz/configure.log; exit 1; }
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
cmake --build build-fuzz --parallel "$(nproc)" --target $targets

export ASAN_OPTIONS=detect_leaks=0
stamp=$(date +%Y%m%d-%H%M%S)
for target in $targets; do
    name=${target#fuzz_}
    seeds="fuzz/corpus/$name"
    work="build-fuzz/corpus/$name"
    # A folder of this run's own, so that inputs an earlier run kept are
    # neither taken for new failures nor overwritten.
    artifacts="build-fuzz/artifacts/$target-$stamp"
    log="build-fuzz/$target.log"
    mkdir -p "$work" "$artifacts"
    dict=()
    [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
    echo "== $target for ${seconds}s"
    status=0
    # An input hangs when it runs past 30 s, and is slow (kept, and failing
    # the run) from then on too: with the sanitizer's memory and the coverage
    # counters, a 10 MB page alone takes seconds on a busy machine.
    "build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=30 -report_slow_units=30 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "${dict[@]}" "$work" "$seeds" \
        > "$log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==|INFO: Seed|.*ERROR|SUMMARY)' "$log" || true
    found=$(ls "$artifacts" 2> /dev/null || true)
    if [ -n "$found" ]; then
        echo "$target found a failing input (log: $log):"
        ls "$artifacts"/* | sed 's/^/  /'
        exit 1
    fi
    executed=$(sed -n 's/^stat::number_of_executed_units: *\([0-9]*\).*/\1/p' "$log")
    if [ "$status" -ne 0 ] || [ "${executed:-0}" -eq 0 ]; then
        echo "$target did not run (exit status $status, ${executed:-no} inputs run); its log, $log, ends:"
        tail -n 20 "$log"
        rmdir "$artifacts"
        exit 1
    fi
    rmdir "$artifacts"
done
