#!/usr/bin/env bash
# Makes the README's screenshots again: the compact window, the wide window and the Change
# Location dialog, on a fresh store, at a fixed instant, under a virtual display.
#
#   scripts/screenshots.sh [path/to/horvane]      (default build/bin/horvane)
#
# Needs xvfb, xdotool, imagemagick and faketime.
set -euo pipefail
cd "$(dirname "$0")/.."
clock="$(realpath "${1:-build/bin/horvane}")"
out="$PWD/docs/images"
mkdir -p "$out"

if [[ -z "${HORVANE_SCREENSHOTS_INSIDE:-}" ]]; then
    export HORVANE_SCREENSHOTS_INSIDE=1
    exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$clock"
fi

config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config" TZ=America/Chicago LC_ALL=C.UTF-8
# Shorewood at dawn on 4 December 2026: the sky turning, the moon up, the board full.
export FAKETIME="@2026-12-04 06:50:00" FAKETIME_DONT_FAKE_MONOTONIC=1
faketime_lib="$(dpkg -L libfaketime 2>/dev/null | grep 'libfaketime.so.1$' | head -n1)"

LD_PRELOAD="$faketime_lib" "$clock" &
pid=$!
window="$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Horvane$' | head -n1)"
sleep 1
import -window "$window" "$out/compact.png"

# Clicks at a point of the window's client area, in pixels.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

click 248 255 # the size button
sleep 1
import -window "$window" "$out/wide.png"

click 252 296 # the location button below it
if dialog="$(timeout 5 xdotool search --sync --onlyvisible --name '^Change Location$' | head -n1)"; then
    sleep 1
    import -window "$dialog" "$out/dialog.png"
    xdotool key --window "$dialog" Escape
else
    echo "screenshots.sh: the Change Location dialog did not open; docs/images/dialog.png not made" >&2
fi

kill "$pid"
wait "$pid" || true
echo "Screenshots in $out"
