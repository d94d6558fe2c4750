// Reading and checking the places file.

#include "gazetteer/Gazetteer.h"

#include "gazetteer/PlacesFileFormat.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace horvane {
namespace {

namespace format = places_file;
static_assert(std::endian::native == std::endian::little,
              "the places file is read in place, little-endian");

template <typename Number> Number Read(const char* at) {
    Number value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

std::uint32_t BigEndian32(const char* at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = value << 8 | std::uint8_t(at[i]);
    return value;
}

// FNV-1a, 64 bits.
std::uint64_t Checksum(const char* data, std::size_t size) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (std::size_t i = 0; i < size; ++i)
        hash = (hash ^ std::uint8_t(data[i])) * 0x100000001b3u;
    return hash;
}

struct Header {
    std::uint32_t version, places, regions, zones, keys, text, body;
    std::uint64_t checksum;
};

Header ReadHeader(const char* at) {
    const auto field = [at](int index) { return Read<std::uint32_t>(at + 8 + 4 * index); };
    return {field(0), field(1), field(2), field(3),
            field(4), field(5), field(6), Read<std::uint64_t>(at + format::kChecksumOffset)};
}

// A capital weighs as a place ten times its size.
constexpr double kCapitalDecades = 1;
constexpr double kWeightPerDecade = 1000;

std::uint32_t KeyPlaceField(const char* keys, std::size_t key) {
    return Read<std::uint32_t>(keys + key * format::kKeySize + format::kKeyPlace);
}

std::uint64_t BodySize(const Header& header) {
    return std::uint64_t(header.places) * format::kPlaceSize +
           (std::uint64_t(header.regions) + header.zones) * format::kOffsetSize +
           std::uint64_t(header.keys) * format::kKeySize + header.text;
}

} // namespace

// The file is mapped rather than read: its packed bytes are read once, by the unpacking.
GazetteerLoad Gazetteer::Load(const std::filesystem::path& file) {
    QFile in(QString::fromStdString(file.string()));
    if (!in.open(QIODevice::ReadOnly))
        return {nullptr, "cannot open " + file.string() + ": " + in.errorString().toStdString()};
    const qint64 size = in.size();
    const uchar* mapped = size > 0 ? in.map(0, size) : nullptr;
    if (size > 0 && !mapped)
        return {nullptr, "cannot read " + file.string() + ": " + in.errorString().toStdString()};
    GazetteerLoad load = FromBytes(
        std::string_view(reinterpret_cast<const char*>(mapped), mapped ? std::size_t(size) : 0));
    if (!load.gazetteer)
        load.problem = file.string() + ": " + load.problem;
    return load;
}

GazetteerLoad Gazetteer::FromBytes(std::string_view bytes) {
    if (bytes.size() < format::kHeaderSize ||
        bytes.substr(0, format::kMagic.size()) != format::kMagic)
        return {nullptr, "not a places file"};
    const Header header = ReadHeader(bytes.data());
    if (header.version != format::kVersion)
        return {nullptr, "a places file of format " + std::to_string(header.version) +
                             ", this program reads format " + std::to_string(format::kVersion)};
    if (header.body > format::kLargestBody || BodySize(header) != header.body || header.text == 0)
        return {nullptr, "the places file's sizes do not add up"};

    // The size before the zlib stream is what qUncompress allocates: it must be the
    // header's, so that a made-up file cannot ask for gigabytes.
    const std::string_view packed = bytes.substr(format::kHeaderSize);
    if (packed.size() < sizeof(std::uint32_t) || BigEndian32(packed.data()) != header.body)
        return {nullptr, "the places file is cut short or damaged"};
    const QByteArray body =
        qUncompress(reinterpret_cast<const uchar*>(packed.data()), qsizetype(packed.size()));
    if (std::size_t(body.size()) != header.body)
        return {nullptr, "the places file is cut short or damaged"};
    if (Checksum(body.constData(), std::size_t(body.size())) != header.checksum)
        return {nullptr, "the places file is damaged (its checksum differs)"};

    std::unique_ptr<Gazetteer> gazetteer(new Gazetteer);
    Gazetteer& g = *gazetteer;
    g.body_ = body;
    g.placeCount_ = header.places;
    g.regionCount_ = header.regions;
    g.zoneCount_ = header.zones;
    g.keyCount_ = header.keys;
    g.textSize_ = header.text;
    g.places_ = g.body_.constData();
    g.regions_ = g.places_ + g.placeCount_ * format::kPlaceSize;
    g.zones_ = g.regions_ + g.regionCount_ * format::kOffsetSize;
    g.keys_ = g.zones_ + g.zoneCount_ * format::kOffsetSize;
    g.text_ = g.keys_ + g.keyCount_ * format::kKeySize;
    if (std::string problem = g.Check(); !problem.empty())
        return {nullptr, std::move(problem)};
    g.WeighPlaces();
    return {std::move(gazetteer), {}};
}

// Every reference inside the body lands inside it, so that no later read can stray, even
// in a file made to pass the checksum.
std::string Gazetteer::Check() const {
    if (text_[textSize_ - 1] != '\0')
        return "the places file's text is not closed";
    const auto inText = [this](std::uint32_t offset) { return offset < textSize_; };
    const auto inTable = [](std::uint16_t index, std::size_t count) {
        return index == format::kNoIndex || index < count;
    };
    for (std::size_t i = 0; i < placeCount_; ++i) {
        const char* record = places_ + i * format::kPlaceSize;
        if (!inText(Read<std::uint32_t>(record + format::kPlaceName)) ||
            !inTable(Read<std::uint16_t>(record + format::kPlaceRegion), regionCount_) ||
            !inTable(Read<std::uint16_t>(record + format::kPlaceZone), zoneCount_))
            return "a place of the places file points outside it";
    }
    for (std::size_t i = 0; i < regionCount_ + zoneCount_; ++i) {
        if (!inText(Read<std::uint32_t>(regions_ + i * format::kOffsetSize)))
            return "a region or zone of the places file points outside it";
    }
    for (std::size_t i = 0; i < keyCount_; ++i) {
        if (!inText(KeyText(i)) || KeyPlace(i) >= placeCount_)
            return "a key of the places file points outside it";
    }
    return {};
}

void Gazetteer::WeighPlaces() {
    weights_.resize(placeCount_);
    for (std::uint32_t place = 0; place < placeCount_; ++place) {
        const double decades = std::log10(double(Place(place).population) + 1) +
                               (IsCapital(place) ? kCapitalDecades : 0);
        weights_[place] = std::uint16_t(std::lround(decades * kWeightPerDecade));
    }
}

std::uint32_t Gazetteer::KeyText(std::size_t key) const {
    return Read<std::uint32_t>(keys_ + key * format::kKeySize);
}

std::uint32_t Gazetteer::KeyPlace(std::size_t key) const {
    return KeyPlaceField(keys_, key) & format::kPlaceMask;
}

bool Gazetteer::IsInnerWord(std::size_t key) const {
    return (KeyPlaceField(keys_, key) & format::kInnerWordBit) != 0;
}

bool Gazetteer::IsAlternate(std::size_t key) const {
    return (KeyPlaceField(keys_, key) & format::kAlternateBit) != 0;
}

bool Gazetteer::IsCapital(std::uint32_t place) const {
    return (std::uint8_t(places_[place * format::kPlaceSize + format::kPlaceFlags]) &
            format::kCapitalFlag) != 0;
}

GazetteerPlace Gazetteer::Place(std::uint32_t index) const {
    const char* record = places_ + std::size_t(index) * format::kPlaceSize;
    const auto tableText = [this](const char* table, std::uint16_t entry) -> std::string_view {
        return entry == format::kNoIndex
                   ? ""
                   : Text(Read<std::uint32_t>(table + entry * format::kOffsetSize));
    };
    GazetteerPlace place;
    place.latitude = Read<std::int32_t>(record + format::kPlaceLatitude) / format::kCoordinateScale;
    place.longitude =
        Read<std::int32_t>(record + format::kPlaceLongitude) / format::kCoordinateScale;
    place.population = Read<std::uint32_t>(record + format::kPlacePopulation);
    place.name = Text(Read<std::uint32_t>(record + format::kPlaceName));
    place.region = tableText(regions_, Read<std::uint16_t>(record + format::kPlaceRegion));
    place.zone = tableText(zones_, Read<std::uint16_t>(record + format::kPlaceZone));
    place.country = std::string_view(record + format::kPlaceCountry, 2);
    place.capital = IsCapital(index);
    return place;
}

} // namespace horvane
