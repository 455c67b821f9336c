#!/usr/bin/env bash
# Runs clang-tidy with the committed .clang-tidy over the project's own
# sources, using build/compile_commands.json, and checks that clang-format
# would leave every file as it is. Fails on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."

files=$(git ls-files '*.cpp' '*.h')
if ! clang-format --dry-run --Werror $files; then
    echo "clang-format would change the files above: run 'clang-format -i' on them." >&2
    exit 1
fi

sources=$(git ls-files 'src/*.cpp' 'tools/*.cpp' 'tests/*.cpp' 'bench/*.cpp')
# Generated code (moc, resources) is left out by the header filter of .clang-tidy.
printf '%s\n' $sources | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet > build/clang-tidy.log 2>&1 || true
if grep -q -E 'warning:|error:' build/clang-tidy.log; then
    grep -E -A3 'warning:|error:' build/clang-tidy.log
    echo "clang-tidy found the problems above." >&2
    exit 1
fi
echo "clang-tidy and clang-format: clean"
