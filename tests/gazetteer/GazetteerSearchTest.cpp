#include "gazetteer/Gazetteer.h"
#include "gazetteer/PlaceFolding.h"
#include "gazetteer/PlaceText.h"

#include <array>
#include <gmock/gmock.h>
#include <set>
#include <string_view>
#include <tuple>

using namespace horvane;
using namespace ::testing;

namespace {

const Gazetteer& Places() {
    static const GazetteerLoad load = Gazetteer::Load(HORVANE_TEST_PLACES_FILE);
    EXPECT_EQ(load.problem, "");
    return *load.gazetteer;
}

std::string FirstFound(const std::string& typed) {
    const std::vector<PlaceMatch> found = Places().Search(typed, 10);
    return found.empty() ? "(nothing)" : StoredPlaceName(Places().Place(found[0].place));
}

} // namespace

// Accents, case and punctuation; another language's name and the German transliteration;
// prefixes (the most populous, capitals first); a whole name before a longer one and a capital
// before a larger namesake; later words of a name; a place's own name before another's other
// name, a capital's among them; ties of quality broken by population; apostrophes and hyphens;
// a town of little more than a thousand people; a region or country after a comma; nothing.
TEST(Gazetteer, FindsFirstThePlaceMeantByTheTypedText) {
    const std::pair<const char*, std::vector<const char*>> rows[] = {
        {"Zürich, Zurich, CH", {"ZÜRICH", "zur"}},
        {"São Paulo, São Paulo, BR", {"sao paulo", "paulo", "sao p"}},
        {"Köln, North Rhine-Westphalia, DE", {"koln", "  Köln!  ", "cologne", "koeln"}},
        {"Munich, Bavaria, DE", {"munchen"}},
        {"London, England, GB", {"lond"}},
        {"Paris, Île-de-France, FR", {"par", "paris", "paris, fr"}},
        {"Paris, Texas, US", {"paris, us"}},
        {"Zürich, Zurich, CH", {"Zürich, Zurich, CH"}},
        {"Washington, D.C., District of Columbia, US", {"Washington, D.C."}},
        {"Berlin, State of Berlin, DE", {"ber"}},
        {"York, England, GB", {"york"}},
        {"San José, San José, CR", {"san jose"}},
        {"Buenos Aires, Buenos Aires F.D., AR", {"aires"}},
        {"Springfield, Missouri, US", {"springfield"}},
        {"Portland, Oregon, US", {"portland"}},
        {"Xi’an, Shaanxi, CN", {"xian"}},
        {"Aix-en-Provence, Provence-Alpes-Côte d'Azur, FR", {"aix en provence"}},
        {"Shorewood, Illinois, US", {"shorewood"}},
        {"(nothing)", {"", "   ", "!?-", "qqqzzx", "zurichx", "springfield, nowhere"}}};
    for (const auto& [first, typedTexts] : rows)
        for (const char* typed : typedTexts)
            EXPECT_EQ(FirstFound(typed), first) << typed;
}

// The towns of a thousand people and more, the most populous first. The program folds typed
// text as the data script folded the names: each of the most populous places, and a sample of
// all the others, typed as it is written, is found as a whole name; a small town with a short
// name among many larger ones, with its region and country after it.
TEST(Gazetteer, FindsEveryPlaceByItsOwnName) {
    const Gazetteer& places = Places();
    EXPECT_GT(places.PlaceCount(), 130000u);
    EXPECT_GE(places.Place(0).population, places.Place(1).population);
    const auto foundWhole = [&](std::uint32_t index, const std::string& typed) {
        const std::vector<PlaceMatch> found = places.Search(typed, 1000);
        return std::any_of(found.begin(), found.end(), [&](const PlaceMatch& m) {
            return m.place == index && m.quality == MatchQuality::WholeName;
        });
    };
    for (std::uint32_t index = 0; index < places.PlaceCount(); index += index < 5000 ? 1 : 17) {
        const GazetteerPlace place = places.Place(index);
        EXPECT_TRUE(foundWhole(index, std::string(place.name)) ||
                    foundWhole(index, StoredPlaceName(place)))
            << place.name;
    }
}

// Ten of the many places with an "s" are ten different places; "colo" meets Köln through many
// of its names, and it is listed once.
TEST(Gazetteer, ListsEachPlaceOnceBestFirstWithinTheLimit) {
    const std::vector<PlaceMatch> found = Places().Search("s", 10);
    std::set<std::uint32_t> s;
    std::multiset<std::string_view> colo;
    for (const PlaceMatch& match : found)
        s.insert(match.place);
    for (const PlaceMatch& match : Places().Search("colo", 100))
        colo.insert(Places().Place(match.place).name);
    EXPECT_EQ(
        std::tuple(found.size(), s.size(), colo.count("Köln"), Places().Search("zurich", 0).size()),
        std::tuple(10u, 10u, 1u, 0u));
}

// A capital among namesakes, ten times the next one, several of a size, nothing.
TEST(Gazetteer, TellsAClearFirstMatchFromAnEvenOne) {
    std::vector<bool> clear;
    for (const char* typed : {"paris", "portland", "springfield", "qqqzzx"})
        clear.push_back(Places().FirstIsClear(Places().Search(typed, 10)));
    EXPECT_EQ(clear, (std::vector<bool>{true, true, false, false}));
}

// Names folded without accents, case and punctuation, text that is not UTF-8 to nothing; a
// place's stored name, its row and its coordinates.
TEST(PlaceText, FoldsNamesAndWritesStoredNamesCoordinatesAndRows) {
    std::vector<std::string> folded;
    for (const char* name :
         {"Zürich", "  São-Paulo  ", "Straße", "Łódź", "Xi'an", "Москва", "\xff\xfe"})
        folded.push_back(FoldPlaceName(name));
    EXPECT_THAT(folded,
                ElementsAre("zurich", "sao paulo", "strasse", "lodz", "xian", "москва", ""));
    GazetteerPlace place;
    place.name = "Zürich";
    place.region = "Zurich";
    place.country = "CH";
    place.latitude = 47.36667;
    place.longitude = 8.55;
    const std::string withRegion = StoredPlaceName(place) + " / " + PlaceRowText(place);
    place.region = "";
    EXPECT_EQ(withRegion + " / " + StoredPlaceName(place),
              "Zürich, Zurich, CH / Zürich, Zurich, CH — 47.37N 8.55E / Zürich, CH");
    EXPECT_THAT((std::array{LatitudeText(-33.86785), LongitudeText(-0.1257), LongitudeText(-0.0001),
                            LatitudeText(90)}),
                ElementsAre("33.868S", "0.126W", "0.000E", "90.000N"));
}

// A region or country after a comma narrows the list; a comma alone does not.
TEST(Gazetteer, NarrowsANameByRegionOrCountryAfterAComma) {
    const auto all = [](const char* typed) {
        std::vector<std::string> names;
        for (const PlaceMatch& match : Places().Search(typed, 100))
            names.push_back(StoredPlaceName(Places().Place(match.place)));
        return names;
    };
    EXPECT_THAT(all("springfield, illinois"), ElementsAre("Springfield, Illinois, US"));
    EXPECT_THAT(all("Springfield, il"), ElementsAre("Springfield, Illinois, US"));
    EXPECT_THAT(all("springfield,"), Contains("Springfield, Illinois, US"));
}
