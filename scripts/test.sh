#!/usr/bin/env bash
# Builds Horvane with its tests and benchmarks and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake -S . -B build-tests -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHORVANE_BUILD_TESTS=ON
cmake --build build-tests
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-tests --output-on-failure -j 2 "$@"
