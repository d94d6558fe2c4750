#!/usr/bin/env bash
# Makes the .deb of a build, unpacks it into a scratch root with dpkg -x, and runs each
# installed command's --version from there; checks the files the desktop and the manual need.
# Usage: InstallPackage.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if ! (cd "$build" && cpack -G DEB -B "$scratch/out") >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack could not make the package"
fi
deb=$(find "$scratch/out" -maxdepth 1 -name "horvane_${version}_*.deb")
[ -n "$deb" ] || fail "no horvane_${version}_*.deb was made"

# dpkg-shlibdeps found the Qt and SQLite libraries the programs link.
depends=$(dpkg-deb --field "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libsqlite3-0 libc6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for program in horvane horvane-almanac horvane-reg; do
    installed="$root/usr/bin/$program"
    [ -x "$installed" ] || fail "$program is not installed in /usr/bin"
    # No display: --version must not need one.
    answer=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$installed" --version | head -n 1)
    [ "$answer" = "$program $version" ] || fail "$program --version said \"$answer\""
    page="$root/usr/share/man/man1/$program.1.gz"
    zcat "$page" | grep -q "^\.TH \"\?${program^^}" || fail "no manual page for $program"
done

for file in usr/share/applications/horvane.desktop \
            usr/share/icons/hicolor/48x48/apps/horvane.png \
            usr/share/metainfo/com.tallwicksoftware.horvane.metainfo.xml \
            usr/share/doc/horvane/copyright usr/share/doc/horvane/changelog.gz \
            usr/share/horvane/places.bin; do
    [ -s "$root/$file" ] || fail "$file is missing"
done
# The installed almanac finds its places file beside its bin/.
place=$("$root/usr/bin/horvane-almanac" --places zurich | head -n 1)
[ "$place" = "Zürich, Zurich, CH — 47.37N 8.55E" ] || fail "--places zurich said \"$place\""
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/usr/share/metainfo/com.tallwicksoftware.horvane.metainfo.xml" ||
        fail "the metainfo does not validate"
fi
echo "package $(basename "$deb") installs and answers --version"
