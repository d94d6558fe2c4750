// Stored values edited by hand into another type: the store reads them by its rules, the
// window and the dialog show what was read, and closing both keeps every place.

#include "clock/FaceBox.h"
#include "clock/HandGeometry.h"
#include "settings/DefaultLocations.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowWorld.h"
#include "tests/support/RawRegistry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "platform/ui/ListComboBox.h"

using namespace horvane;
using namespace horvane::test_support;

namespace {

const std::string kShorewood = kDefaultLocationName;
const std::string kShorewoodKey = std::string(kLocationsKey) + "\\" + kShorewood;
// The default place of row 6 as the Windows program stored it, in its ANSI code page.
const std::string kLatin1Mexico = "Ciudad de M\xE9xico, M\xE9xico";
const std::string kReplacementChar = "\xEF\xBF\xBD"; // U+FFFD

std::vector<BYTE> Number(std::int32_t number) {
    const auto* bytes = reinterpret_cast<const BYTE*>(&number);
    return {bytes, bytes + sizeof number};
}

struct HandEdit {
    const char* what;
    std::string key;
    const char* value;
    DWORD type;
    std::vector<BYTE> data;
    // What the store read, the window and then the dialog show.
    std::string location;
    double latitude;
    bool secondHand;
    std::string dialogName;
    std::string dialogLatitude;
};

class HandEdited : public ::testing::TestWithParam<HandEdit> {};

} // namespace

TEST_P(HandEdited, TheStoreReadsItByItsRulesAndTheWindowsShowIt) {
    const HandEdit& edit = GetParam();
    TestApplication();
    ClockWindowWorld world;
    world.store.LoadSettings();
    const std::vector<std::string> places = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, edit.key, edit.value, edit.type, edit.data),
              ERROR_SUCCESS);

    const std::unique_ptr<frmMain> window = world.Start();
    EXPECT_EQ(window->lblLocation->text().toStdString(), edit.location);
    EXPECT_DOUBLE_EQ(world.store.dLatitude, edit.latitude);
    EXPECT_EQ(window->pbxFace->Lines()[SecondHand].visible, edit.secondHand);

    window->cmdLocation->click();
    frmLocation& dialog = *window->Location();
    EXPECT_EQ(dialog.cbxLocation->Text(), edit.dialogName);
    EXPECT_EQ(dialog.txtLat->text().toStdString(), edit.dialogLatitude);
    EXPECT_EQ(dialog.SecondHand->isChecked(), edit.secondHand);

    dialog.cmdCancel->click();
    window->close(); // saves the settings as read
    EXPECT_TRUE(world.prompt.errors.empty());
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey), places);
    LongLat reloaded;
    reloaded.LoadSettings();
    EXPECT_EQ(reloaded.bSecondHand != False, edit.secondHand);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, HandEdited,
    ::testing::Values(
        HandEdit{"HandAsTextZero", kSettingsKey, "SecondHand", REG_SZ, TextBytes("0"), kShorewood,
                 43.089, false, kShorewood, "43.089N"},
        HandEdit{"HandAsTextFalse", kSettingsKey, "SecondHand", REG_SZ, TextBytes("false"),
                 kShorewood, 43.089, false, kShorewood, "43.089N"},
        HandEdit{"HandAsOtherText", kSettingsKey, "SecondHand", REG_SZ, TextBytes("shown"),
                 kShorewood, 43.089, true, kShorewood, "43.089N"},
        HandEdit{"LatitudeAsNumber", kShorewoodKey, "Latitude", REG_DWORD, Number(-33), kShorewood,
                 -33, true, kShorewood, "-33"},
        HandEdit{"LatitudeAsNumberOutOfRange", kShorewoodKey, "Latitude", REG_DWORD, Number(95),
                 kShorewood, 0, true, kShorewood, "95"},
        // Names no stored place: coordinates 0, and the dialog selects nothing, as when the
        // current place was removed.
        HandEdit{"LocationNotUtf8", kSettingsKey, "Location", REG_SZ, TextBytes(kLatin1Mexico),
                 "Ciudad de M" + kReplacementChar + "xico, M" + kReplacementChar + "xico", 0, true,
                 "", "43.089N"}),
    [](const auto& info) { return std::string(info.param.what); });
