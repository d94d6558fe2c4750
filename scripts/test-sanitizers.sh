#!/usr/bin/env bash
# Builds every test, and the fuzzers, with clang's AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitizers/ and runs every test. Any sanitizer
# report fails the run, also one from a program that a test starts and whose exit
# status the test does not look at: reports go to files, and any file is a failure.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh sanitizers

build=build-sanitizers
source scripts/clang-configure.sh
configure_clang "$build" "-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" \
    -DHORVANE_BUILD_TESTS=ON -DHORVANE_BUILD_FUZZERS=ON

reports=$(realpath "$build")/sanitizer-reports
rm -rf "$reports"
mkdir -p "$reports"
source scripts/sanitizer-options.sh "$reports"

# Test discovery runs the test programs while building, so it is watched as well.
status=0
cmake --build "$build" || status=$?
if [ $status -eq 0 ]; then
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j 2 "$@" || status=$?
fi
if [ -n "$(ls -A "$reports")" ]; then
    echo "Sanitizer reports:" >&2
    cat "$reports"/* >&2
    status=1
fi
exit $status
