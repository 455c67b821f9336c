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

sources=$(git ls-files 'src/*.cpp' 'tests/*.cpp' 'bench/*.cpp')
# Qt's moc output and the generated resource code are not ours to check.
printf '%s\n' $sources | xargs -P "$(nproc)" -n 4 clang-tidy -p build --quiet 2>&1 \
    | grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated|^Suppressed|^Use -header-filter|^$' \
    | tee build/clang-tidy.log
if grep -q -E 'warning:|error:' build/clang-tidy.log; then
    echo "clang-tidy found the problems above." >&2
    exit 1
fi
echo "clang-tidy and clang-format: clean"
