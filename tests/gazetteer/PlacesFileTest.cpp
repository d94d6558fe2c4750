#include "gazetteer/Gazetteer.h"
#include "gazetteer/PlacesFileFormat.h"
#include "gazetteer/SharedGazetteer.h"

#include <QByteArray>
#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>

using namespace horvane;
using namespace ::testing;

namespace {

std::string Whole() {
    std::ifstream in(HORVANE_TEST_PLACES_FILE, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file with its body replaced, packed and summed as the data script does.
std::string WithBody(const std::string& file, QByteArray body) {
    std::uint64_t hash = 0xcbf29ce484222325u;
    for (const char c : body)
        hash = (hash ^ std::uint8_t(c)) * 0x100000001b3u;
    std::string header = file.substr(0, places_file::kHeaderSize);
    std::memcpy(header.data() + places_file::kChecksumOffset, &hash, sizeof hash);
    const QByteArray packed = qCompress(body);
    return header + std::string(packed.constData(), std::size_t(packed.size()));
}

QByteArray Body(const std::string& file) {
    const std::string_view packed = std::string_view(file).substr(places_file::kHeaderSize);
    return qUncompress(reinterpret_cast<const uchar*>(packed.data()), qsizetype(packed.size()));
}

struct BadFile {
    const char* what;
    std::string (*make)(const std::string& good);
    const char* problem;
};

class RefusedPlacesFile : public TestWithParam<BadFile> {};

} // namespace

TEST_P(RefusedPlacesFile, WithItsReason) {
    const GazetteerLoad load = Gazetteer::FromBytes(GetParam().make(Whole()));
    EXPECT_EQ(load.gazetteer, nullptr) << GetParam().what;
    EXPECT_THAT(load.problem, HasSubstr(GetParam().problem)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Gazetteer, RefusedPlacesFile,
    Values(BadFile{"empty", [](const std::string&) { return std::string(); }, "not a places file"},
           BadFile{"another file", [](const std::string&) { return std::string(100, 'x'); },
                   "not a places file"},
           BadFile{"header only",
                   [](const std::string& good) { return good.substr(0, places_file::kHeaderSize); },
                   "cut short"},
           BadFile{"cut short",
                   [](const std::string& good) { return good.substr(0, good.size() / 2); },
                   "cut short"},
           BadFile{"another version",
                   [](const std::string& good) {
                       std::string file = good;
                       file[8] = 2;
                       return file;
                   },
                   "format 2"},
           BadFile{"a count changed",
                   [](const std::string& good) {
                       std::string file = good;
                       ++file[12];
                       return file;
                   },
                   "sizes do not add up"},
           BadFile{"a packed size of gigabytes",
                   [](const std::string& good) {
                       std::string file = good;
                       file[places_file::kHeaderSize] = char(0x7F);
                       return file;
                   },
                   "cut short or damaged"},
           BadFile{"a byte of the body changed",
                   [](const std::string& good) {
                       QByteArray body = Body(good);
                       body[1000] = char(body[1000] ^ 1);
                       std::string file = WithBody(good, body);
                       file[places_file::kChecksumOffset] ^= 1;
                       return file;
                   },
                   "checksum"},
           BadFile{"a key pointing past the text, summed again",
                   [](const std::string& good) {
                       QByteArray body = Body(good);
                       std::uint32_t keys = 0;
                       std::memcpy(&keys, good.data() + 24, 4);
                       std::uint32_t text = 0;
                       std::memcpy(&text, good.data() + 28, 4);
                       const std::size_t firstKey = std::size_t(body.size()) - text -
                                                    std::size_t(keys) * places_file::kKeySize;
                       const std::uint32_t outside = 0xFFFFFFF0u;
                       std::memcpy(body.data() + firstKey, &outside, 4);
                       return WithBody(good, body);
                   },
                   "points outside"}));

TEST(Gazetteer, IsReadFromTheFileNamedByTheEnvironmentOnlyWhenFirstAskedFor) {
    const std::string missing = testing::TempDir() + "/no-such-places.bin";
    setenv("HORVANE_PLACES", missing.c_str(), 1);
    EXPECT_EQ(PlacesFilePath(), missing);
    testing::internal::CaptureStderr();
    EXPECT_EQ(SharedGazetteer(), nullptr);
    EXPECT_EQ(SharedGazetteer(), nullptr);
    const std::string said = testing::internal::GetCapturedStderr();
    // Said once, with the file's name.
    EXPECT_THAT(said, HasSubstr("places cannot be found by name: cannot open " + missing));
    EXPECT_EQ(said.find("places cannot"), said.rfind("places cannot"));
    unsetenv("HORVANE_PLACES");
}
