// Finding places by name: the keys whose folded text starts with the folded typed text,
// ranked.

#include "gazetteer/Gazetteer.h"

#include "gazetteer/PlaceFolding.h"
#include "gazetteer/PlacesFileFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <unordered_set>

namespace horvane {
namespace {

namespace format = places_file;

// A match as one number, smaller being better: its rank (the place's weight less the
// penalties of the match), then the quality, whether another name met it, then the place's
// index, which runs from the most populous down.
using Score = std::uint64_t;
constexpr int kAlternateShift = 31;
constexpr int kQualityShift = 32;
constexpr int kRankShift = 34;
constexpr Score kPlaceBits = (Score(1) << kAlternateShift) - 1;
constexpr Score kQualityBits = 3;
constexpr std::uint32_t kLargestRank = 0xFFFF;

// What a poorer match costs, in thousandths of a decade of population: a prefix of a name
// must belong to a place a hundred times as large as one named so in full to come first.
constexpr std::uint32_t kQualityPenalty[] = {0, 2000, 2000, 3000};
// Another name ("Sao Paulo de Loanda" of Luanda) costs a decade.
constexpr std::uint32_t kAlternatePenalty = 1000;
constexpr std::uint32_t kLargestPenalty = 3000 + kAlternatePenalty;

std::uint32_t RankOf(std::uint16_t weight, MatchQuality quality, bool alternate) {
    return weight + kLargestPenalty - kQualityPenalty[std::size_t(quality)] -
           (alternate ? kAlternatePenalty : 0);
}

Score ScoreOf(MatchQuality quality, bool alternate, std::uint16_t weight, std::uint32_t place) {
    return Score(kLargestRank - RankOf(weight, quality, alternate)) << kRankShift |
           Score(quality) << kQualityShift | Score(alternate) << kAlternateShift | place;
}

PlaceMatch MatchOf(Score score) {
    return {std::uint32_t(score & kPlaceBits),
            MatchQuality((score >> kQualityShift) & kQualityBits),
            ((score >> kAlternateShift) & 1) != 0};
}

// Matches of one quality whose ranks lie closer than this (twice the population) are even.
constexpr std::uint32_t kClearLead = 301;

// How a key whose text starts with the typed text meets it.
MatchQuality QualityOf(char after, bool innerWord) {
    const bool whole = after == '\0';
    if (!innerWord)
        return whole ? MatchQuality::WholeName : MatchQuality::NamePrefix;
    return whole || after == ' ' ? MatchQuality::WholeWord : MatchQuality::WordPrefix;
}

constexpr std::size_t kSortedGrowth = 4;

// "Springfield, Illinois, US": each part after the name starts a word of the region or is
// the country code.
bool IsQualifiedBy(const GazetteerPlace& place, const std::vector<std::string>& qualifiers) {
    const std::string region = " " + FoldPlaceName(place.region);
    const std::string country = FoldPlaceName(place.country);
    return std::all_of(qualifiers.begin(), qualifiers.end(), [&](const std::string& part) {
        return part == country || region.find(" " + part) != std::string::npos;
    });
}

} // namespace

std::vector<PlaceMatch> Gazetteer::Search(std::string_view typed, std::size_t limit) const {
    const std::size_t comma = typed.find(',');
    const std::string folded = FoldPlaceName(typed.substr(0, comma));
    if (folded.empty() || limit == 0)
        return {};
    if (comma == std::string_view::npos)
        return SearchNames(folded, limit);
    std::vector<std::string> qualifiers;
    for (std::string_view rest = typed.substr(comma + 1); !rest.empty();) {
        const std::size_t next = rest.find(',');
        if (std::string part = FoldPlaceName(rest.substr(0, next)); !part.empty())
            qualifiers.push_back(std::move(part));
        rest = next == std::string_view::npos ? std::string_view() : rest.substr(next + 1);
    }
    // A name with a comma of its own ("Washington, D.C.") comes first.
    std::vector<PlaceMatch> matches = SearchNames(FoldPlaceName(typed), limit);
    const std::vector<PlaceMatch> named =
        SearchNames(folded, qualifiers.empty() ? limit : std::numeric_limits<std::size_t>::max());
    for (const PlaceMatch& match : named) {
        if (matches.size() == limit)
            break;
        const bool listed = std::any_of(matches.begin(), matches.end(), [&](const PlaceMatch& m) {
            return m.place == match.place;
        });
        if (!listed && IsQualifiedBy(Place(match.place), qualifiers))
            matches.push_back(match);
    }
    return matches;
}

std::vector<PlaceMatch> Gazetteer::SearchNames(const std::string& folded, std::size_t limit) const {
    const auto compare = [&](std::size_t key) {
        return std::strncmp(Text(KeyText(key)), folded.c_str(), folded.size());
    };
    const auto firstWhere = [&](auto&& past) {
        std::size_t low = 0;
        std::size_t high = keyCount_;
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            past(middle) ? low = middle + 1 : high = middle;
        }
        return low;
    };
    const std::size_t first = firstWhere([&](std::size_t key) { return compare(key) < 0; });
    const std::size_t last = firstWhere([&](std::size_t key) { return compare(key) <= 0; });

    std::vector<Score> scores;
    scores.reserve(last - first);
    for (std::size_t key = first; key < last; ++key) {
        const std::uint32_t place = KeyPlace(key);
        scores.push_back(ScoreOf(QualityOf(Text(KeyText(key))[folded.size()], IsInnerWord(key)),
                                 IsAlternate(key), weights_[place], place));
    }

    // Only the best scores are put in order; a place met by many of its names may crowd
    // them, and then the next ones follow, four times as many each time.
    std::size_t sorted = 0;
    std::vector<PlaceMatch> matches;
    std::unordered_set<std::uint32_t> seen;
    for (std::size_t i = 0; i < scores.size() && matches.size() < limit; ++i) {
        if (i == sorted) {
            sorted = std::min(scores.size(),
                              std::max(sorted, std::min(limit, scores.size())) * kSortedGrowth);
            std::partial_sort(scores.begin() + std::ptrdiff_t(i),
                              scores.begin() + std::ptrdiff_t(sorted), scores.end());
        }
        const PlaceMatch match = MatchOf(scores[i]);
        if (seen.insert(match.place).second)
            matches.push_back(match);
    }
    return matches;
}

bool Gazetteer::FirstIsClear(const std::vector<PlaceMatch>& matches) const {
    if (matches.empty())
        return false;
    const PlaceMatch& best = matches[0];
    const std::uint32_t bestRank = RankOf(weights_[best.place], best.quality, best.alternate);
    return std::none_of(matches.begin() + 1, matches.end(), [&](const PlaceMatch& other) {
        return other.quality == best.quality &&
               RankOf(weights_[other.place], other.quality, other.alternate) + kClearLead >
                   bestRank;
    });
}

} // namespace horvane
