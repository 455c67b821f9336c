#!/usr/bin/env bash
# Checks the include directions, installs what is missing, builds, and runs
# every test through CTest: once in the normal build and once with
# AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer; then
# clang-tidy and clang-format, a short run of each fuzzer, the Debian package
# (scripts/package.sh) installed and started once, and the speed reports.
# Each test program puts itself on the offscreen platform and in folders of
# its own (tests/support/testenvironment.cpp), so nothing is set for it here.
#   bash scripts/test.sh            # everything
#   bash scripts/test.sh --quick    # only the normal build's tests (never in CI)
# The closing line counts the tests of both runs and the package check:
# "tests: N passed, M failed, K skipped". A test skips (exit 77) where its
# tools are missing (Xvfb, Chromium); in CI, where they are installed, a
# skipped test fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

quick=no
if [ "${1:-}" = "--quick" ] && [ "${CI:-}" != "true" ]; then
    quick=yes
fi

# Includes point down the layers only; checked first, as it needs no build.
bash scripts/check-layers.sh

bash scripts/install-deps.sh

passed=0
failed=0
skipped=0
# run_tests BUILD SECONDS: runs that build's tests and adds up their results
# from CTest's JUnit report; a failure is counted, and ends the script below.
run_tests() {
    local build=$1 report counts run failures skips
    report="$PWD/$build/ctest-junit.xml"
    rm -f "$report"
    (cd "$build" && ctest --output-on-failure --timeout "$2" --output-junit "$report") 2>&1 \
        | tee "$build/ctest.log" || true
    if [ ! -f "$report" ]; then
        echo "CTest wrote no report in $build" >&2
        failed=$((failed + 1))
        return
    fi
    # Each test case's status: run, fail, disabled, or notrun, which is a
    # skip (exit 77) only with CTest's SKIP_ message, else a test that could
    # not start and so a failure.
    counts=$(awk '
        /<testcase / { if (s != "") count(); match($0, /status="[a-z]*"/); s = substr($0, RSTART + 8, RLENGTH - 9); m = "" }
        /<skipped message="/ { m = $0 }
        function count() { if (s == "run") p++; else if (s == "disabled" || (s == "notrun" && m ~ /message="SKIP_/)) k++; else f++ }
        END { if (s != "") count(); print p + 0, f + 0, k + 0 }' "$report")
    read -r run failures skips <<<"$counts"
    passed=$((passed + run))
    failed=$((failed + failures))
    skipped=$((skipped + skips))
}

finish() {
    echo "tests: ${passed} passed, ${failed} failed, ${skipped} skipped"
    if [ "$failed" -ne 0 ]; then
        exit 1
    fi
    if [ "$skipped" -ne 0 ] && [ "${CI:-}" = "true" ]; then
        echo "In CI every test must run: the skipped ones are listed above." >&2
        exit 1
    fi
}

bash scripts/build.sh
run_tests build 600
if [ "$quick" = yes ]; then
    echo "Only the normal build's tests were run (--quick)."
    finish
    exit 0
fi
if [ "$failed" -ne 0 ]; then
    finish
fi

bash scripts/build.sh --sanitize
# Leaks are detected; tests/lsan.supp is the place for what Qt and the
# libraries below it keep until the process ends, each with why it is not ours.
export ASAN_OPTIONS=abort_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests build-asan 900
if [ "$failed" -ne 0 ]; then
    finish
fi
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

# The committed clang-tidy checks and clang-format layout.
bash scripts/tidy.sh

# A short run of each fuzzer from its seed corpus; scripts/fuzz.sh SECONDS
# runs them longer.
bash scripts/fuzz.sh 20

# The Debian package: built and checked by lintian, then installed (for real
# only in CI, else into a scratch root) and started once. Counted as one test.
bash scripts/package.sh
bash tests/package_check.sh build-deb/zarvelo_*.deb
passed=$((passed + 1))

# Speed reports, never a pass or fail: start-up beside a bare Qt window, and
# zarvelo-preview as a whole process beside the conversion in process.
bash bench/startup_vs_bare.sh build || true
bash bench/preview_process.sh build || true

finish
