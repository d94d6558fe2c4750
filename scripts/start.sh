#!/usr/bin/env bash
# Builds Horvane and starts the clock. Without a display it prints the event board of the
# clock's current place and writes the face as a picture instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DHORVANE_BUILD_TESTS=OFF
cmake --build build

if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" || -n "${QT_QPA_PLATFORM:-}" ]]; then
    exec build/bin/horvane "$@"
fi

face="$PWD/build/horvane-face.png"
echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): showing the board instead."
build/bin/horvane-almanac --face "$face" "$@"
echo "The face at this instant is in $face"
