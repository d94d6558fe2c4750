#!/usr/bin/env bash
# Makes the places file again from the pinned packages and compares it with the committed
# one, byte for byte. A developers' check: it needs npm and the network, or --packages DIR
# with the two pinned tarballs.
#     scripts/gazetteer/check-places.sh [--packages DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
committed="$here/../../gazetteer/data/places.bin"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 "$here/make-places.py" "$@" --output "$scratch/places.bin"
if cmp "$scratch/places.bin" "$committed"; then
    echo "check-places: the committed places file is made again byte for byte"
else
    echo "check-places: the places file made now differs from the committed one" >&2
    exit 1
fi
