#!/usr/bin/env bash
# Checks the include directions, installs what is missing, builds, and runs
# every test through CTest on the offscreen platform: once in the normal build
# and once with AddressSanitizer and UndefinedBehaviorSanitizer; then
# clang-tidy and clang-format, a short run of each fuzzer, the Debian package
# (scripts/package.sh) installed and started once, and the speed reports.
# --quick skips the sanitizer build, clang-tidy, the fuzzers and the package
# (never in CI).
set -euo pipefail
cd "$(dirname "$0")/.."

quick=no
if [ "${1:-}" = "--quick" ] && [ "${CI:-}" != "true" ]; then
    quick=yes
fi

# Includes point down the layers only; checked first, as it needs no build.
bash scripts/check-layers.sh

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

bash scripts/build.sh
(cd build && ctest --output-on-failure --timeout 600 | tee ctest.log)

if [ "$quick" = no ]; then
    bash scripts/build.sh --sanitize
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    (cd build-asan && ctest --output-on-failure --timeout 900 | tee ctest.log)
    # The committed clang-tidy checks and clang-format layout.
    bash scripts/tidy.sh

    # A short run of each fuzzer from its seed corpus; scripts/fuzz.sh SECONDS
    # runs them longer.
    bash scripts/fuzz.sh 20

    # The Debian package: built and checked by lintian, then installed (for
    # real only in CI, else into a scratch root) and started once.
    bash scripts/package.sh
    bash tests/package_check.sh build-deb/zarvelo_*.deb
else
    echo "Skipped the sanitizer build, clang-tidy, the fuzzers and the package (--quick)."
fi

# Speed reports, never a pass or fail: start-up beside a bare Qt window, and
# zarvelo-preview as a whole process beside the conversion in process.
bash bench/startup_vs_bare.sh build || true
bash bench/preview_process.sh build || true

# One closing line for both test runs (a failure has ended the script before).
passed=$(cat build/ctest.log $( [ "$quick" = no ] && echo build-asan/ctest.log) \
    | sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' | awk '{ s += $1 } END { print s }')
if [ "$quick" = no ]; then
    passed=$((passed + 1)) # the package check
fi
echo "tests: ${passed} passed, 0 failed"
