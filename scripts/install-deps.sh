#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
# Usage: install-deps.sh run|test|package
set -euo pipefail

run_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
              libsqlite3-dev tzdata fonts-wine fonts-dejavu-core xdg-utils)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev locales)
# Building and checking the .deb: manual pages, shared-library dependencies, lints.
package_packages=(help2man dpkg-dev fakeroot lintian appstream file)

case "${1:-run}" in
run) wanted=("${run_packages[@]}") ;;
test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
package) wanted=("${run_packages[@]}" "${package_packages[@]}") ;;
*) echo "usage: $0 run|test|package" >&2; exit 2 ;;
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
