#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tests/tools/RunAlmanac.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const QStringList kAt = {"--at", "2026-12-04 07:30:00", "--utc-offset", "-360"};

QByteArray FileBytes(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class AlmanacStore : public testing::Test {
protected:
    TemporaryHives hives;
    QString ConfigHome() const {
        return QString::fromStdString((hives.Folder() / "config").string());
    }
};

} // namespace

TEST_F(AlmanacStore, NothingStoredUsesTheDefaultPlaceAndCreatesNoStore) {
    const AlmanacRun run = RunAlmanac(kAt, ConfigHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Shorewood, Wisconsin, US (43.089N 87.888W)\n"));
    EXPECT_FALSE(std::filesystem::exists(hives.UserHive()));
}

TEST_F(AlmanacStore, UsesTheClocksCurrentLocationAndOnlyReads) {
    LongLat store;
    store.LoadSettings();
    store.sLocation = "Ciudad de México, México";
    store.SaveSettings();

    const AlmanacRun run = RunAlmanac(kAt + QStringList{"--json"}, ConfigHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("\"latitude\": 19.4, \"longitude\": -99.15"))
        << run.out.toStdString();
    // Nothing was written: the store still holds what the clock saved.
    LongLat after;
    ASSERT_TRUE(after.ReadSettings());
    EXPECT_EQ(after.sLocation, "Ciudad de México, México");
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size(), 23u);
}

TEST_F(AlmanacStore, NamedLocationIsFoundWithoutRegardToCase) {
    LongLat store;
    store.LoadSettings();
    const AlmanacRun run =
        RunAlmanac(kAt + QStringList{"--location", "ciudad de méxico, méxico"}, ConfigHome());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("ciudad de méxico, méxico (19.400N 99.150W)\n"))
        << run.out.toStdString();
}

TEST_F(AlmanacStore, UnknownLocationEndsWithStatusTwo) {
    LongLat store;
    store.LoadSettings();
    const AlmanacRun run = RunAlmanac(kAt + QStringList{"--location", "Atlantis"}, ConfigHome());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err, "horvane-almanac: no location named \"Atlantis\" is stored\n");
    EXPECT_EQ(run.out, "");
}

// Named or as the clock's current place, a stored text that does not parse is refused.
TEST_F(AlmanacStore, AStoredCoordinateThatDoesNotParseEndsWithStatusTwo) {
    LongLat store;
    store.LoadSettings();
    store.SaveLocation("Pole", "10.5E", "95N");
    store.SaveLocation("Sea", "200W", "10N");
    store.sLocation = "Pole";
    store.SaveSettings();
    const std::pair<QStringList, QString> table[] = {
        {{}, "the stored latitude \"95N\" of \"Pole\" does not parse"},
        {{"--location", "Pole"}, "the stored latitude \"95N\" of \"Pole\" does not parse"},
        {{"--location", "Sea"}, "the stored longitude \"200W\" of \"Sea\" does not parse"}};
    for (const auto& [arguments, message] : table) {
        const AlmanacRun run = RunAlmanac(kAt + arguments, ConfigHome());
        EXPECT_EQ(run.exitCode, 2) << message.toStdString();
        EXPECT_EQ(run.err, "horvane-almanac: " + message + "\n");
        EXPECT_EQ(run.out, "");
    }
}

TEST_F(AlmanacStore, DamagedStoreIsReportedAndLeftAsItWas) {
    std::filesystem::create_directories(hives.UserHive().parent_path());
    QFile file(QString::fromStdString(hives.UserHive().string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a hive at all");
    file.close();

    const AlmanacRun run = RunAlmanac(kAt, ConfigHome());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith("horvane-almanac: the stored locations cannot be read"))
        << run.err.toStdString();
    EXPECT_EQ(FileBytes(hives.UserHive()), QByteArray("not a hive at all"));
}
