#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tests/tools/RunAlmanac.h"

#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const QStringList kAt = {"--at", "2026-12-04 07:30:00", "--utc-offset", "-360"};

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

// Named or as the clock's current place, a place that is not stored or whose stored text does
// not parse is refused.
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
        {{"--location", "Sea"}, "the stored longitude \"200W\" of \"Sea\" does not parse"},
        {{"--location", "Atlantis"}, "no location named \"Atlantis\" is stored"}};
    for (const auto& [arguments, message] : table) {
        const AlmanacRun run = RunAlmanac(kAt + arguments, ConfigHome());
        EXPECT_EQ(std::make_tuple(run.exitCode, run.err, run.out),
                  std::make_tuple(2, "horvane-almanac: " + message + "\n", ""));
    }
}

TEST_F(AlmanacStore, DamagedStoreIsReportedAndLeftAsItWas) {
    WriteFileBytes(hives.UserHive(), "not a hive at all");
    const AlmanacRun run = RunAlmanac(kAt, ConfigHome());
    EXPECT_EQ(run.exitCode, 1);
    const QString hive = QString::fromStdString(hives.UserHive().string());
    EXPECT_TRUE(run.err.startsWith("horvane-almanac: the stored locations cannot be read: "
                                   "The registry is corrupted."))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith(" (" + hive + ": file is not a database)\n"))
        << run.err.toStdString();
    EXPECT_EQ(ReadFileBytes(hives.UserHive()), "not a hive at all");
}
