// horvane-almanac on the clock's store: the place it reports on, which it only reads.

#include "platform/registry/RegistryTypes.h"
#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tests/tools/RunAlmanac.h"

#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class AlmanacStore : public testing::Test {
protected:
    AlmanacRun Run(const QStringList& arguments) {
        return RunAlmanac(QStringList{"--at", "2026-12-04 07:30:00", "--utc-offset", "-360"} +
                              arguments,
                          QString::fromStdString((hives.Folder() / "config").string()));
    }
    TemporaryHives hives;
};

TEST_F(AlmanacStore, NothingStoredUsesTheDefaultPlaceAndCreatesNoStore) {
    EXPECT_TRUE(Run({}).out.startsWith("Shorewood, Wisconsin, US (43.089N 87.888W)\n"));
    EXPECT_FALSE(std::filesystem::exists(hives.UserHive()));
}

// The clock's current location, or one named without regard to case; a place that is not
// stored, or whose stored text does not parse, is refused. The store is only read.
TEST_F(AlmanacStore, ReportsOnTheClocksLocationOrANamedOneAndOnlyReads) {
    LongLat store;
    store.LoadSettings();
    store.SaveLocation("Pole", "10.5E", "95N");
    store.SaveLocation("Sea", "200W", "10N");
    store.sLocation = "Ciudad de México, México";
    store.SaveSettings();
    const QString pole = "the stored latitude \"95N\" of \"Pole\" does not parse";
    const std::pair<QStringList, QString> rows[] = {
        {{}, "Ciudad de México, México (19.400N 99.150W)\n"},
        {{"--location", "ciudad de méxico, méxico"},
         "ciudad de méxico, méxico (19.400N 99.150W)\n"},
        {{"--location", "Pole"}, "horvane-almanac: " + pole + "\n"},
        {{"--location", "Sea"},
         "horvane-almanac: the stored longitude \"200W\" of \"Sea\" does not parse\n"},
        {{"--location", "Atlantis"},
         "horvane-almanac: no location named \"Atlantis\" is stored\n"}};
    for (const auto& [arguments, start] : rows) {
        const AlmanacRun run = Run(arguments);
        EXPECT_TRUE((run.err + run.out).startsWith(start)) << (run.err + run.out).toStdString();
        EXPECT_EQ(run.exitCode, run.err.isEmpty() ? 0 : 2);
    }
    LongLat after;
    ASSERT_TRUE(after.ReadSettings());
    EXPECT_EQ(after.sLocation, "Ciudad de México, México");
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size(), 25u);
    store.sLocation = "Pole";
    store.SaveSettings();
    EXPECT_EQ(Run({}).err, "horvane-almanac: " + pole + "\n");
}

TEST_F(AlmanacStore, DamagedStoreIsReportedAndLeftAsItWas) {
    WriteFileBytes(hives.UserHive(), "not a hive at all");
    const AlmanacRun run = Run({});
    const std::string error = "horvane-almanac: the stored locations cannot be read: " +
                              RegistryResultText(ERROR_REGISTRY_CORRUPT) + " (" +
                              hives.UserHive().string() + ": file is not a database)\n";
    EXPECT_EQ(std::pair(run.exitCode, run.err.toStdString()), std::pair(1, error));
    EXPECT_EQ(ReadFileBytes(hives.UserHive()), "not a hive at all");
}

} // namespace
