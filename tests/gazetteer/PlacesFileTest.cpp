#include "gazetteer/Gazetteer.h"
#include "gazetteer/PlacesFileFormat.h"
#include "gazetteer/SharedGazetteer.h"

#include <QByteArray>
#include <cstring>
#include <fstream>
#include <gmock/gmock.h>
#include <iterator>
#include <tuple>

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

// The file with one byte changed.
std::string Changed(std::string file, std::size_t at, char to) {
    file[at] = to;
    return file;
}

// The body with the first key's text offset pointing past the text, summed again.
std::string KeyPastTheText(const std::string& good) {
    QByteArray body = Body(good);
    std::uint32_t keys = 0, text = 0;
    std::memcpy(&keys, good.data() + 24, 4);
    std::memcpy(&text, good.data() + 28, 4);
    const std::size_t firstKey =
        std::size_t(body.size()) - text - std::size_t(keys) * places_file::kKeySize;
    const std::uint32_t outside = 0xFFFFFFF0u;
    std::memcpy(body.data() + firstKey, &outside, 4);
    return WithBody(good, body);
}

// A byte of the body changed and packed again, under a sum that does not match it.
std::string BodyByteChanged(const std::string& good) {
    QByteArray body = Body(good);
    body[1000] = char(body[1000] ^ 1);
    std::string file = WithBody(good, body);
    file[places_file::kChecksumOffset] ^= 1;
    return file;
}

} // namespace

TEST(Gazetteer, RefusesADamagedPlacesFileWithItsReason) {
    const std::string good = Whole();
    const std::size_t header = places_file::kHeaderSize;
    const std::tuple<const char*, std::string, const char*> rows[] = {
        {"empty", "", "not a places file"},
        {"another file", std::string(100, 'x'), "not a places file"},
        {"header only", good.substr(0, header), "cut short"},
        {"cut short", good.substr(0, good.size() / 2), "cut short"},
        {"another version", Changed(good, 8, 2), "format 2"},
        {"a count changed", Changed(good, 12, char(good[12] + 1)), "sizes do not add up"},
        {"a packed size of gigabytes", Changed(good, header, char(0x7F)), "cut short or damaged"},
        {"a byte of the body changed", BodyByteChanged(good), "checksum"},
        {"a key pointing past the text", KeyPastTheText(good), "points outside"}};
    for (const auto& [what, bytes, problem] : rows) {
        const GazetteerLoad load = Gazetteer::FromBytes(bytes);
        EXPECT_EQ(load.gazetteer, nullptr) << what;
        EXPECT_THAT(load.problem, HasSubstr(problem)) << what;
    }
}

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
