#!/usr/bin/env bash
# Builds Horvane and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORVANE_BUILD_TESTS=OFF
cmake --build build
exec build/bin/horvane-almanac "$@"
