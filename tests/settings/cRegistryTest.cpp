#include "settings/cRegistry.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>
#include <sqlite3.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr const char* kKey = "Software\\TallwickSoftware\\Test";
constexpr const char* kUserText = "-2147483647"; // HKEY_CURRENT_USER in descriptions
const std::string kWhere = std::string("'") + kUserText + "',Section: '" + kKey;

// Matches an operation that raises a RegistryError with this number and description.
auto Raises(std::int32_t number, const std::string& description) {
    using namespace ::testing;
    return Throws<RegistryError>(
        AllOf(Property(&RegistryError::Number, number),
              Property(&RegistryError::Description, description),
              Property(&RegistryError::Source, "settings_tests.cRegistry")));
}

class RegistryClass : public ::testing::Test {
protected:
    RegistryClass() {
        registry_.ClassKey(kCurrentUser);
        registry_.SectionKey(kKey);
        registry_.ValueKey("Name");
    }

    // Registers the ".hvp" extension, with or without the print, new and install verbs.
    void Associate(bool extras, std::int32_t iconIndex) {
        registry_.CreateEXEAssociation("  /opt/horvane/bin/horvane  ", "Horvane.Place",
                                       "Horvane place", "hvp", "", extras, "", extras, "", extras,
                                       "", iconIndex);
    }

    TemporaryHives hives_;
    cRegistry registry_;
};

// The default value of a key under the classes root, as text.
std::string ClassesText(const std::string& key) {
    const RawValue value = ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + key, "");
    if (value.result != ERROR_SUCCESS)
        return "<missing>";
    return std::string(value.data.begin(), value.data.end() - 1);
}

} // namespace

// Text is written as REG_EXPAND_SZ exactly when it holds a %variable% reference,
// whichever of the two string types ValueType asks for.
TEST_F(RegistryClass, WritesEachKindAsValueTypeSaysAndSkipsOtherKinds) {
    const std::tuple<std::int32_t, TaggedValue, DWORD, std::vector<BYTE>> table[] = {
        {REG_SZ, std::string("a%b%c"), REG_EXPAND_SZ, TextBytes("a%b%c")},
        {REG_EXPAND_SZ, std::string("%TEMP%"), REG_EXPAND_SZ, TextBytes("%TEMP%")},
        {REG_SZ, std::string("%%%"), REG_EXPAND_SZ, TextBytes("%%%")},
        {REG_EXPAND_SZ, std::string("100%"), REG_SZ, TextBytes("100%")},
        {REG_EXPAND_SZ, std::string("%%"), REG_SZ, TextBytes("%%")},
        {REG_SZ, std::string(), REG_SZ, TextBytes("")},
        {REG_DWORD, std::int32_t(-1), REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {REG_DWORD_BIG_ENDIAN, std::int16_t(0x0102), REG_DWORD, {0x02, 0x01, 0, 0}},
        {REG_BINARY, ByteArray{0, 1, 0, 255}, REG_BINARY, {0, 1, 0, 255}}};
    for (const auto& [valueType, value, storedType, stored] : table) {
        registry_.ValueType(valueType);
        registry_.Value(value);
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kKey, "Name");
        EXPECT_EQ(raw.type, storedType) << TaggedValueText(value);
        EXPECT_EQ(raw.data, stored) << TaggedValueText(value);
    }
    registry_.ValueType(REG_DWORD);
    registry_.Value(BooleanValue{True});
    registry_.ValueKey("Other");
    registry_.Value(std::string("text"));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kKey, "Name").data, (std::vector<BYTE>{0, 1, 0, 255}));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kKey, "Other").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryClass, ReadingConvertsEachStoredTypeOrGivesDefault) {
    registry_.ValueType(REG_BINARY);
    EXPECT_EQ(registry_.Value(), TaggedValue());
    registry_.Default(BooleanValue{True});
    EXPECT_EQ(registry_.Value(), TaggedValue(BooleanValue{True}));
    EXPECT_EQ(registry_.ValueType(), REG_BINARY);

    setenv("SystemRoot", "C:\\WINDOWS", 1);
    const std::tuple<DWORD, std::vector<BYTE>, TaggedValue> table[] = {
        {REG_SZ, {0}, std::string()},
        {REG_EXPAND_SZ, TextBytes("%SystemRoot%\\Fonts"), std::string("C:\\WINDOWS\\Fonts")},
        {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, std::string("a\0b\0", 4)},
        {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, std::int32_t(-1)},
        {REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}, std::int32_t(0x12345678)},
        // Hand-made numbers shorter than four bytes are padded with zeros.
        {REG_DWORD, {}, std::int32_t(0)},
        {REG_DWORD, {0x2A, 0x01}, std::int32_t(0x012A)},
        {REG_DWORD_BIG_ENDIAN, {}, std::int32_t(0)},
        {REG_BINARY, {1, 0, 2}, ByteArray{1, 0, 2}},
        {REG_LINK, {}, ByteArray{}},
        {REG_SZ, {'n', 'o', 'z', 'e', 'r', 'o'}, std::string("nozero")}};
    for (const auto& [type, data, value] : table) {
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kKey, "Name", type, data), ERROR_SUCCESS);
        EXPECT_EQ(registry_.Value(), value) << type;
        EXPECT_EQ(registry_.ValueType(), std::int32_t(type));
    }
}

TEST_F(RegistryClass, DeletesValuesAndKeys) {
    EXPECT_FALSE(registry_.KeyExists());
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kKey, "Name", REG_SZ, TextBytes("x")), ERROR_SUCCESS);
    EXPECT_TRUE(registry_.DeleteValue());
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kKey, "Name").result, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(registry_.KeyExists());
    EXPECT_TRUE(registry_.DeleteKey());
    EXPECT_FALSE(registry_.KeyExists());
}

TEST_F(RegistryClass, EnumeratesInRegistryOrder) {
    using Names = std::vector<std::string>;
    OneBasedNames names;
    std::int32_t count = -1;
    EXPECT_TRUE(registry_.EnumerateSections(names, count)); // of a missing key
    EXPECT_EQ(count, 0);

    std::string longest; // the longest key name, in two-byte characters
    for (std::size_t i = 0; i < 255; ++i)
        longest += "é";
    for (const char* place : {"Tokyo, Japan", "London, UK", "Chicago, US", longest.c_str()})
        WriteRaw(HKEY_CURRENT_USER, std::string(kKey) + "\\" + place, "", REG_SZ, {0});
    for (const char* value : {"Zeta", "Alpha"})
        WriteRaw(HKEY_CURRENT_USER, kKey, value, REG_SZ, {0});
    ASSERT_TRUE(registry_.EnumerateSections(names, count));
    EXPECT_EQ(count, 4);
    EXPECT_EQ(Names(names.begin(), names.end()),
              (Names{"Chicago, US", "London, UK", "Tokyo, Japan", longest}));
    ASSERT_TRUE(registry_.EnumerateValues(names, count));
    EXPECT_EQ(count, 2);
    EXPECT_EQ(Names(names.begin(), names.end()), (Names{"Zeta", "Alpha"}));
}

// A hive edited by another program can hold a key name longer than any the registry
// hands out; the list must not end there as if it were complete.
TEST_F(RegistryClass, EnumerationCutShortByAFailureRaises) {
    for (const char* place : {"Athens", "Zurich"})
        WriteRaw(HKEY_CURRENT_USER, std::string(kKey) + "\\" + place, "", REG_SZ, {0});
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(hives_.UserHive().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "UPDATE registry_keys SET name = 'B' || printf('%.1100c', 'x'), "
                           "folded = 'b' || printf('%.1100c', 'x') WHERE name = 'Athens'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    OneBasedNames names;
    std::int32_t count = 0;
    EXPECT_THAT([&] { registry_.EnumerateSections(names, count); },
                Raises(kRegistryEnumerateError, "More data is available."));
}

namespace {

struct ErrorCase {
    const char* name;
    std::string section;
    std::int32_t valueType;
    std::function<void(cRegistry&)> operation;
    std::int32_t number;
    std::string description;
};

class RegistryErrors : public RegistryClass, public ::testing::WithParamInterface<ErrorCase> {};

} // namespace

// The error leaves the fields as they were.
TEST_P(RegistryErrors, CarryTheirNumberSourceAndExactText) {
    WriteRaw(HKEY_CURRENT_USER, std::string(kKey) + "\\Child", "", REG_SZ, {0});
    registry_.SectionKey(GetParam().section);
    registry_.ValueType(GetParam().valueType);
    EXPECT_THAT([&] { GetParam().operation(registry_); },
                Raises(GetParam().number, GetParam().description));
    EXPECT_EQ(registry_.ValueType(), GetParam().valueType);
    EXPECT_EQ(registry_.ClassKey(), kCurrentUser);
    EXPECT_EQ(registry_.SectionKey(), GetParam().section);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryErrors,
    ::testing::Values(
        ErrorCase{"DeleteKeyWithSubkeys", kKey, REG_SZ, [](cRegistry& r) { r.DeleteKey(); }, 26001,
                  "Failed to delete registry Key: " + kWhere},
        ErrorCase{"CreateMalformedKey", "Bad\\\\Key", REG_SZ, [](cRegistry& r) { r.CreateKey(); },
                  26001, "Failed to create registry Key: 'Bad\\\\Key"},
        ErrorCase{"DeleteValueOfMissingKey", "Missing", REG_SZ,
                  [](cRegistry& r) { r.DeleteValue(); }, 26001,
                  std::string("Failed to open key '") + kUserText +
                      "',Section: 'Missing' for delete access"},
        ErrorCase{"DeleteMissingValue", kKey, REG_SZ, [](cRegistry& r) { r.DeleteValue(); }, 26001,
                  "Failed to delete registry Key: " + kWhere + "',Key: 'Name"},
        ErrorCase{"BinaryFromText", kKey, REG_BINARY,
                  [](cRegistry& r) { r.Value(std::string("text")); }, 26001,
                  "Application-defined or object-defined error"},
        ErrorCase{"UnknownValueType", kKey, 9,
                  [](cRegistry& r) {
                      r.Value(ByteArray{1, 255});
                  },
                  -2147194455,
                  "Failed to set registry value Key: " + kWhere +
                      "',Key: 'Name' to value: '01 FF'"},
        ErrorCase{"ValueIntoMalformedKey", "\\Bad", REG_SZ,
                  [](cRegistry& r) { r.Value(BooleanValue{True}); }, 26001,
                  std::string("Failed to set registry value Key: '") + kUserText +
                      "',Section: '\\Bad',Key: 'Name' to value: 'True'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryClass, AssociationWritesTheExtensionClassAndVerbsWithQuotedPath) {
    Associate(true, 0);
    const std::string exe = "\"/opt/horvane/bin/horvane\"", shell = "Horvane.Place\\shell\\";
    const std::pair<std::string, std::string> expected[] = {
        {".hvp", "Horvane.Place"},
        {"Horvane.Place", "Horvane place"},
        {shell + "open", "&Open"},
        {shell + "open\\command", exe + " \"%1\""},
        {shell + "print", "&Print"},
        {shell + "print\\command", exe + " /p \"%1\""},
        {shell + "add", "&Install hvp"},
        {shell + "add\\command", exe + " /a \"%1\""},
        {shell + "new", "&New"},
        {shell + "new\\command", exe + " /n \"%1\""},
        {"Horvane.Place\\DefaultIcon", exe + ",0"}};
    for (const auto& [key, text] : expected)
        EXPECT_EQ(ClassesText(key), text) << key;
    EXPECT_EQ(registry_.ClassKey(), kLocalMachine);
    EXPECT_EQ(registry_.SectionKey(), "Horvane.Place\\DefaultIcon");
}

// Verbs are added in threes (verb, menu text, command), and only to a class defined before.
TEST_F(RegistryClass, AssociationLeavesOutVerbsNotAskedForAndAddsVerbsLater) {
    const auto addVerbs = [this](const std::vector<std::string>& items) {
        registry_.ClassKey(kClassesRoot);
        registry_.CreateAdditionalEXEAssociations("Horvane.Place", {items.begin(), items.end()});
    };
    EXPECT_THAT(
        [&] {
            addVerbs({"a", "b", "c", "d"});
        },
        Raises(-2147194452, "Invalid parameter list passed to "
                            "CreateAdditionalEXEAssociations - expected Name/Text/Command"));
    EXPECT_FALSE(std::filesystem::exists(hives_.MachineHive()));
    EXPECT_THAT(
        [&] {
            addVerbs({"a", "b", "c"});
        },
        Raises(-2147194451,
               "Error - attempt to create additional associations before class defined."));

    Associate(false, -1);
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\open"), "&Open");
    for (const char* key : {"shell\\print", "shell\\add", "DefaultIcon"})
        EXPECT_EQ(ClassesText(std::string("Horvane.Place\\") + key), "<missing>") << key;
    addVerbs({"show", "&Show", "horvane -s", "edit", "&Edit", "horvane -e"});
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\show"), "&Show");
    EXPECT_EQ(ClassesText("Horvane.Place\\shell\\edit\\command"), "horvane -e");
}
