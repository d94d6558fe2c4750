#include "settings/cRegistry.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class Association : public ::testing::Test {
protected:
    // The default value of a key under the classes root, as text.
    static std::string ClassesText(const std::string& key) {
        const RawValue value = ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + key, "");
        if (value.result != ERROR_SUCCESS)
            return "<missing>";
        return std::string(value.data.begin(), value.data.end() - 1);
    }

    void Register(bool extras, std::int32_t iconIndex) {
        registry_.CreateEXEAssociation("  /opt/horvane/bin/horvane  ", "Horvane.Place",
                                       "Horvane place", "hvp", "", extras, "", extras, "", extras,
                                       "", iconIndex);
    }

    TemporaryHives hives_;
    cRegistry registry_;
};

} // namespace

TEST_F(Association, WritesTheExtensionClassAndVerbsWithQuotedPath) {
    Register(true, 0);
    const std::string exe = "\"/opt/horvane/bin/horvane\"";
    EXPECT_EQ(ClassesText(".hvp"), "Horvane.Place");
    EXPECT_EQ(ClassesText("Horvane.Place"), "Horvane place");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\open"), "&Open");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\open\\command"), exe + " \"%1\"");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\print"), "&Print");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\print\\command"), exe + " /p \"%1\"");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\add"), "&Install hvp");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\add\\command"), exe + " /a \"%1\"");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\new"), "&New");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\new\\command"), exe + " /n \"%1\"");
    EXPECT_EQ(ClassesText("Horvane.Place\\DefaultIcon"), exe + ",0");
    EXPECT_EQ(registry_.ClassKey(), kLocalMachine);
    EXPECT_EQ(registry_.SectionKey(), "Horvane.Place\\DefaultIcon");
}

TEST_F(Association, LeavesOutTheVerbsNotSupportedAndANegativeIcon) {
    Register(false, -1);
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\open"), "&Open");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\print"), "<missing>");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\add"), "<missing>");
    EXPECT_EQ(ClassesText("Horvane.Place\\DefaultIcon"), "<missing>");
}

TEST_F(Association, AddsVerbsToAnExistingClass) {
    Register(false, -1);
    registry_.ClassKey(kClassesRoot);
    registry_.CreateAdditionalEXEAssociations(
        "Horvane.Place", {std::string("show"), std::string("&Show"), std::string("horvane -s"),
                          std::string("edit"), std::string("&Edit"), std::string("horvane -e")});
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\show"), "&Show");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\edit\\command"), "horvane -e");
}

TEST_F(Association, RefusesAListNotInThreesAndAClassNotYetDefined) {
    registry_.ClassKey(kClassesRoot);
    try {
        registry_.CreateAdditionalEXEAssociations(
            "Horvane.Place",
            {std::string("a"), std::string("b"), std::string("c"), std::string("d")});
        FAIL();
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Number(), -2147194452);
        EXPECT_EQ(error.Description(), "Invalid parameter list passed to "
                                       "CreateAdditionalEXEAssociations - expected "
                                       "Name/Text/Command");
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.MachineHive()));
    try {
        registry_.CreateAdditionalEXEAssociations(
            "Horvane.Place", {std::string("a"), std::string("b"), std::string("c")});
        FAIL();
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Number(), -2147194451);
        EXPECT_EQ(error.Description(),
                  "Error - attempt to create additional associations before class defined.");
    }
}
