#pragma once
// The layout of the places file, as scripts/gazetteer/make-places.py writes it. All numbers
// are little-endian.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace horvane::places_file {

inline constexpr std::string_view kMagic = "HVPLACES";
inline constexpr std::uint32_t kVersion = 1;

// magic, version, place, region, zone and key counts, text size, body size, reserved (u32
// each after the magic), then the FNV-1a 64 of the body.
inline constexpr std::size_t kHeaderSize = 48;
inline constexpr std::size_t kChecksumOffset = 40;

// The body follows compressed, as qUncompress reads it: its size as a big-endian u32, then
// a zlib stream. Its sections, in order:
//   places: latitude i32 and longitude i32 (1e-5 degree, north and east positive),
//   population u32, name u32 (text offset), region u16, zone u16, country 2 bytes, flags u8,
//   reserved u8; most populous first
//   regions and zones: a text offset u32 each
//   keys: text offset u32 (a folded name, from one of its words on), place u32 with the
//   kind bits below; in the byte order of their texts
//   text: NUL-terminated UTF-8
inline constexpr std::size_t kPlaceSize = 24;
inline constexpr std::size_t kPlaceLatitude = 0; // field offsets inside a place
inline constexpr std::size_t kPlaceLongitude = 4;
inline constexpr std::size_t kPlacePopulation = 8;
inline constexpr std::size_t kPlaceName = 12;
inline constexpr std::size_t kPlaceRegion = 16;
inline constexpr std::size_t kPlaceZone = 18;
inline constexpr std::size_t kPlaceCountry = 20;
inline constexpr std::size_t kPlaceFlags = 22;
inline constexpr std::size_t kOffsetSize = 4;
inline constexpr std::size_t kKeySize = 8;
inline constexpr std::size_t kKeyPlace = 4; // after the text offset

inline constexpr std::uint16_t kNoIndex = 0xFFFF;
inline constexpr std::uint8_t kCapitalFlag = 1;
inline constexpr std::uint32_t kAlternateBit = 1u << 31;
inline constexpr std::uint32_t kInnerWordBit = 1u << 30;
inline constexpr std::uint32_t kPlaceMask = kInnerWordBit - 1;

inline constexpr double kCoordinateScale = 1e5; // units a degree

// The largest body a file may announce; the real one is about ten megabytes.
inline constexpr std::uint32_t kLargestBody = 256u << 20;

} // namespace horvane::places_file
