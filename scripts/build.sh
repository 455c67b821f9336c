#!/usr/bin/env bash
# Configures and builds into build/ (and, with --sanitize, into build-asan/
# with AddressSanitizer and UndefinedBehaviorSanitizer).
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    args=(-DCMAKE_BUILD_TYPE=Debug -DZARVELO_SANITIZE=ON -DZARVELO_BENCHMARKS=OFF)
fi
# ccache, where it is installed, makes rebuilding another checkout cheap.
if command -v ccache > /dev/null; then
    args+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$dir"
cmake -S . -B "$dir" -G Ninja "${args[@]}" > "$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" --parallel "$(nproc)"
