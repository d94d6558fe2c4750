#pragma once
// The world's towns of 1,000 people or more, read from the places file and found by name.

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace horvane {

struct GazetteerPlace {
    std::string_view name;    // as the place calls itself: "Zürich"
    std::string_view region;  // first-level region, "Zurich"; empty when unknown
    std::string_view zone;    // time zone, "Europe/Zurich"; empty when unknown
    std::string_view country; // two-letter code, "CH"
    double latitude = 0;      // degrees, north positive
    double longitude = 0;     // degrees, east positive
    std::uint32_t population = 0;
    bool capital = false;
};

// How a typed text meets a place's names, best first.
enum class MatchQuality : std::uint8_t {
    WholeName,  // the name or one of its other names, all of it: "zurich", "cologne"
    NamePrefix, // the start of one of them: "zur", "colog"
    WholeWord,  // a later word or words of the name, to a word's end: "paulo"
    WordPrefix, // the start of a later word: "pau"
};

struct PlaceMatch {
    std::uint32_t place = 0; // index for Gazetteer::Place
    MatchQuality quality = MatchQuality::WholeName;
    bool alternate = false; // met through another of the place's names ("cologne")
};

class Gazetteer;

struct GazetteerLoad {
    std::unique_ptr<Gazetteer> gazetteer; // empty when the file cannot be used
    std::string problem;                  // why not, for the user
};

class Gazetteer {
public:
    // Reads and checks a whole places file: a missing, short, damaged or foreign file, or one
    // of another format version, is refused with the reason.
    static GazetteerLoad Load(const std::filesystem::path& file);
    // The same from the file's bytes.
    static GazetteerLoad FromBytes(std::string_view bytes);

    std::size_t PlaceCount() const { return placeCount_; }
    GazetteerPlace Place(std::uint32_t index) const;

    // The places whose names match the typed text, folded (case and accents aside), best
    // first: a whole name before a prefix or a later word, unless the other place is a
    // hundred times as large; a place's own name before another of its names, unless the
    // other place is ten times as large; a capital counts as ten times its size. Each place at most
    // once, at most `limit` of them. Nothing for a text with no letters or digits. Parts
    // after a comma narrow the search to regions with words that start so or to a
    // country code: "Springfield, Illinois", "Springfield, il, us", "Paris, FR"; names that
    // have the comma themselves ("Washington, D.C.") come before those.
    std::vector<PlaceMatch> Search(std::string_view typed, std::size_t limit) const;

    // Whether the first of these matches stands out: no other match of the same quality
    // weighs as much as half of it (Springfield, Missouri and Springfield, Massachusetts do).
    // False when there is none.
    bool FirstIsClear(const std::vector<PlaceMatch>& matches) const;

private:
    Gazetteer() = default;
    const char* Text(std::uint32_t offset) const { return text_ + offset; }
    std::uint32_t KeyText(std::size_t key) const;
    std::uint32_t KeyPlace(std::size_t key) const;
    bool IsInnerWord(std::size_t key) const;
    bool IsAlternate(std::size_t key) const;
    bool IsCapital(std::uint32_t place) const;
    std::vector<PlaceMatch> SearchNames(const std::string& folded, std::size_t limit) const;
    std::string Check() const;
    void WeighPlaces();

    QByteArray body_; // the file's body, unpacked
    // Each place's population as thousandths of a decade, a capital's ten times as large.
    std::vector<std::uint16_t> weights_;
    std::size_t placeCount_ = 0;
    std::size_t regionCount_ = 0;
    std::size_t zoneCount_ = 0;
    std::size_t keyCount_ = 0;
    std::size_t textSize_ = 0;
    const char* places_ = nullptr;
    const char* regions_ = nullptr;
    const char* zones_ = nullptr;
    const char* keys_ = nullptr;
    const char* text_ = nullptr;
};

} // namespace horvane
