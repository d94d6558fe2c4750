// The Change Location dialog on a hive of 10,000 places works as on the 23 of a first run.

#include "settings/frmLocation.h"

#include "platform/ui/ListComboBox.h"
#include "testing/ManyPlaces.h"
#include "testing/ScriptedPrompt.h"
#include "testing/WidgetApplication.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <QLineEdit>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

std::string StoredLatitude(const std::string& name) {
    const RawValue raw =
        ReadRaw(HKEY_CURRENT_USER, std::string(kLocationsKey) + "\\" + name, "Latitude");
    return raw.result == ERROR_SUCCESS ? std::string(raw.data.begin(), raw.data.end() - 1)
                                       : "(none)";
}

class ManyPlaces : public ::testing::TestWithParam<int> {
protected:
    ManyPlaces() { FillWithPlaces(GetParam()); }

    void Open() {
        store_.LoadSettings();
        dialog_.Open();
    }

    QApplication& application_ = TestApplication();
    TemporaryHives hives_;
    LongLat store_;
    ScriptedPrompt prompt_;
    frmLocation dialog_{store_, prompt_, nullptr};
};

} // namespace

// Opening, choosing the last entry, editing it with OK, then removing it.
TEST_P(ManyPlaces, ChoosingEditingAndRemovingBehaveAsWithTheDefaults) {
    const int count = GetParam();
    std::vector<std::string> before = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    ListComboBox& list = *dialog_.cbxLocation;
    Open();
    ASSERT_EQ(list.ListCount(), count);
    EXPECT_EQ(list.Text(), kDefaultLocationName);
    EXPECT_EQ(dialog_.txtLat->text(), kDefaultLocation.latitude);

    const int last = count - 1;
    const std::string chosen = list.List(last);
    list.SetListIndex(last);
    EXPECT_EQ(dialog_.txtLat->text().toStdString(), StoredLatitude(chosen));
    dialog_.txtLat->setText("12.5N");
    bool cancel = false;
    dialog_.txtLat_Validate(cancel);
    dialog_.cmdOK_Click();
    EXPECT_EQ(StoredLatitude(chosen), "12.5N");
    EXPECT_EQ(store_.sLocation, chosen);
    EXPECT_DOUBLE_EQ(store_.dLatitude, 12.5);

    Open();
    EXPECT_EQ(list.ListIndex(), last);
    prompt_.answers = {PromptAnswer::Yes};
    dialog_.cmdRemove_Click();
    EXPECT_EQ(prompt_.shown, std::vector<std::string>{"Remove '" + chosen + "'?"});
    EXPECT_EQ(list.ListCount(), count - 1);
    EXPECT_EQ(list.ListIndex(), 0);
    EXPECT_EQ(list.Text(), list.List(0));
    EXPECT_EQ(StoredLatitude(chosen), "(none)");
    // Every other place is kept.
    std::erase(before, chosen);
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey), before);
}

INSTANTIATE_TEST_SUITE_P(Counts, ManyPlaces, ::testing::Values(kDefaultPlaceCount, 10'000),
                         [](const auto& info) { return std::to_string(info.param) + "Places"; });
