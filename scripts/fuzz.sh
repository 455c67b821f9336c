#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for
# SECONDS (default 30) from its committed seed corpus. New inputs go to
# build-fuzz/corpus/<target>; a crash leaves its input in build-fuzz/ and fails.
#   bash scripts/fuzz.sh            # the short run of the test command
#   bash scripts/fuzz.sh 3600       # an hour each
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZARVELO_FUZZ=ON -DBUILD_TESTING=OFF -DZARVELO_BENCHMARKS=OFF > build-fuzz.configure.log 2>&1 \
    || { cat build-fuzz.configure.log; exit 1; }
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
cmake --build build-fuzz --parallel "$(nproc)" --target $targets

export ASAN_OPTIONS=detect_leaks=0
for target in $targets; do
    seeds="fuzz/corpus/${target#fuzz_}"
    work="build-fuzz/corpus/${target#fuzz_}"
    mkdir -p "$work"
    dict=()
    [ -f "fuzz/${target#fuzz_}.dict" ] && dict=(-dict="../fuzz/${target#fuzz_}.dict")
    echo "== $target for ${seconds}s"
    (cd build-fuzz && "./fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 "${dict[@]}" "../$work" "../$seeds" 2>&1 | grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==|INFO: Seed|.*ERROR|.*crash|SUMMARY)' || true)
    if ls build-fuzz/crash-* build-fuzz/timeout-* build-fuzz/leak-* > /dev/null 2>&1; then
        echo "$target found a failing input:" build-fuzz/crash-* build-fuzz/timeout-* 2>/dev/null
        exit 1
    fi
done
