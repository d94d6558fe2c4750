#!/usr/bin/env bash
# Makes the README's screenshots again: the compact window, the wide window and the Change
# Location dialog, on a fresh store, at a fixed instant, the wide window under the midnight
# sun, and the tray's menu and a reminder, under a virtual display at twice the usual scale, as
# a high-density screen shows them.
#
#   scripts/screenshots.sh [path/to/horvane]      (default build/bin/horvane)
#
# Needs xvfb, xdotool, imagemagick and faketime; for the tray, dbus, trayer (an XEmbed tray) and
# dunst (a notification service that draws its notifications).
set -euo pipefail
cd "$(dirname "$0")/.."
clock="$(realpath "${1:-build/bin/horvane}")"
out="$PWD/docs/images"
mkdir -p "$out"

if [[ -z "${HORVANE_SCREENSHOTS_INSIDE:-}" ]]; then
    export HORVANE_SCREENSHOTS_INSIDE=1
    exec dbus-run-session -- xvfb-run -a -s '-screen 0 2560x2048x24' "$0" "$clock"
fi

config="$(mktemp -d)"
trap 'rm -rf "$config"' EXIT
export XDG_CONFIG_HOME="$config" TZ=America/Chicago LC_ALL=C.UTF-8 QT_SCREEN_SCALE_FACTORS=2
scale=2
# Shorewood at dawn on 4 December 2026: the sky turning, the moon up, the board full.
export FAKETIME="@2026-12-04 06:50:00" FAKETIME_DONT_FAKE_MONOTONIC=1
faketime_lib="$(dpkg -L libfaketime 2>/dev/null | grep 'libfaketime.so.1$' | head -n1)"

# Starts the clock and waits for its window.
start() {
    LD_PRELOAD="$faketime_lib" "$clock" &
    pid=$!
    window="$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Horvane$' | head -n1)"
    sleep 1
}
stop() {
    kill "$pid"
    wait "$pid" || true
}
# Clicks at a point of the window's client area, in the design's pixels.
click() { xdotool mousemove --window "$window" $(($1 * scale)) $(($2 * scale)) click 1; }

start
import -window "$window" "$out/compact.png"

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

stop

# Longyearbyen at noon on midsummer day: the sun up all round, the board saying so.
reg="$(dirname "$clock")/horvane-reg"
place='Longyearbyen, Svalbard, NO'
"$reg" add "HKCU\\Software\\TallwickSoftware\\Horvane\\Locations\\$place" /v Latitude /d 78.223N /f >/dev/null
"$reg" add "HKCU\\Software\\TallwickSoftware\\Horvane\\Locations\\$place" /v Longitude /d 15.647E /f >/dev/null
"$reg" add 'HKCU\Software\TallwickSoftware\Horvane' /v Location /d "$place" /f >/dev/null
export TZ=Arctic/Longyearbyen FAKETIME="@2026-06-21 12:00:00"
start
click 248 255 # the size button
sleep 1
import -window "$window" "$out/polar-day.png"
stop

# The tray's menu and a reminder ten minutes before sunset, at Shorewood on 4 December.
export TZ=America/Chicago FAKETIME="@2026-12-04 16:06:52" QT_QPA_PLATFORM=xcb
unset XDG_CURRENT_DESKTOP
"$reg" add 'HKCU\Software\TallwickSoftware\Horvane' /v Location /d 'Shorewood, Wisconsin, US' /f >/dev/null
"$reg" add 'HKCU\Software\TallwickSoftware\Horvane' /v RemindSunSet /t REG_DWORD /d 10 /f >/dev/null
trayer --edge top --align right --widthtype request --height 48 --transparent false \
    --tint 0x303030 --SetDockType true &
tray_pid=$!
dunst >/dev/null 2>&1 &
dunst_pid=$!
sleep 1
LD_PRELOAD="$faketime_lib" "$clock" --tray &
pid=$!
sleep 3
screen_width=$(xdotool getdisplaygeometry | cut -d' ' -f1)
xdotool mousemove $((screen_width - 24)) 24 click 3 # the icon, rightmost in the tray
sleep 1
import -window root -crop 760x350+$((screen_width - 760))+0 +repage "$out/tray-menu.png"
xdotool key Escape
sleep 5 # the reminder comes at 4:07pm
import -window root -crop 400x80+$((screen_width - 400))+40 +repage "$out/reminder.png"
stop
kill "$tray_pid" "$dunst_pid"
echo "Screenshots in $out"
