#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
# Usage: install-deps.sh run|test|package|sanitizers
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
              libsqlite3-dev libxcb1-dev tzdata fonts-wine fonts-dejavu-core xdg-utils)
# Xvfb runs the tests of what an X server shows; python3-icalendar reads calendar files back;
# a private session bus (dbus, python3-dbus, python3-gi) hosts the stand-in tray watcher and
# notification service; desktop-file-validate and GLib's key file reader check the autostart
# entry.
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev locales xvfb xauth python3-icalendar
               dbus python3-dbus python3-gi desktop-file-utils)
# Building and checking the .deb: manual pages, shared-library dependencies, lints.
package_packages=(help2man dpkg-dev fakeroot lintian appstream file)
# clang with its sanitizer and libFuzzer runtimes, for the sanitizer build and the fuzzers
sanitizer_packages=(clang-14 libclang-rt-14-dev)

case "${1:-run}" in
run) wanted=("${run_packages[@]}") ;;
# The tests include unpacking the .deb, so they need the packaging tools too.
test) wanted=("${run_packages[@]}" "${test_packages[@]}" "${package_packages[@]}") ;;
package) wanted=("${run_packages[@]}" "${package_packages[@]}") ;;
sanitizers) wanted=("${run_packages[@]}" "${test_packages[@]}" "${sanitizer_packages[@]}") ;;
*) echo "usage: $0 run|test|package|sanitizers" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
