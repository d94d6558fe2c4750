#include "settings/cRegistry.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <functional>
#include <gmock/gmock.h>
#include <sqlite3.h>

using namespace horvane;
using namespace horvane::test_support;
using Names = std::vector<std::string>;
using namespace std::string_literals;

namespace {

constexpr const char* kKey = "Software\\TallwickSoftware\\Test";
const std::string kWhere = "'-2147483647',Section: '"s + kKey; // HKEY_CURRENT_USER

// The default value of a key under the classes root, as text.
std::string ClassesText(const std::string& key) {
    const RawValue value = ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Classes\\" + key, "");
    return value.result != ERROR_SUCCESS ? "<missing>"
                                         : std::string(value.data.begin(), value.data.end() - 1);
}

class RegistryClass : public ::testing::Test {
protected:
    RegistryClass() {
        registry_.ClassKey(kCurrentUser);
        registry_.SectionKey(kKey);
        registry_.ValueKey("Name");
    }

    // The operation raises this error and leaves the fields as they were.
    void ExpectRaises(const std::function<void()>& operation, std::int32_t number,
                      const std::string& description) {
        using namespace ::testing;
        const auto fields = [this] {
            return std::tuple(registry_.ClassKey(), registry_.SectionKey(), registry_.ValueKey(),
                              registry_.ValueType());
        };
        const auto before = fields();
        EXPECT_THAT(operation, Throws<RegistryError>(AllOf(
                                   Property(&RegistryError::Number, number),
                                   Property(&RegistryError::Description, description),
                                   Property(&RegistryError::Source, "settings_tests.cRegistry"))));
        EXPECT_EQ(fields(), before);
    }

    TemporaryHives hives_;
    cRegistry registry_;
};

} // namespace

// Text is written as REG_EXPAND_SZ exactly when it holds a %variable% reference,
// whichever of the two string types ValueType asks for; numbers only as REG_DWORD.
TEST_F(RegistryClass, WritesEachKindAsValueTypeSaysAndRefusesOthers) {
    const std::tuple<std::int32_t, TaggedValue, DWORD, std::vector<BYTE>> rows[] = {
        {REG_SZ, "a%b%c"s, REG_EXPAND_SZ, TextBytes("a%b%c")},
        {REG_EXPAND_SZ, "%%"s, REG_SZ, TextBytes("%%")},
        {REG_DWORD_BIG_ENDIAN, std::int16_t(0x0102), REG_DWORD, {0x02, 0x01, 0, 0}},
        {REG_BINARY, ByteArray{0, 1, 0, 255}, REG_BINARY, {0, 1, 0, 255}}};
    for (const auto& [valueType, value, storedType, stored] : rows) {
        registry_.ValueType(valueType);
        registry_.Value(value);
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kKey, "Name");
        EXPECT_EQ(std::pair(raw.type, raw.data), std::pair(storedType, stored))
            << TaggedValueText(value);
    }
    registry_.ValueType(REG_BINARY);
    ExpectRaises([&] { registry_.Value("text"s); }, 26001,
                 "Application-defined or object-defined error");
    registry_.ValueType(9);
    const TaggedValue bytes = ByteArray{1, 255};
    ExpectRaises([&] { registry_.Value(bytes); }, -2147194455,
                 "Failed to set registry value Key: " + kWhere + "',Key: 'Name' to value: '01 FF'");
}

TEST_F(RegistryClass, ReadingConvertsEachStoredTypeOrGivesDefault) {
    registry_.ValueType(REG_BINARY);
    registry_.Default(BooleanValue{True});
    EXPECT_EQ(std::pair(registry_.Value(), registry_.ValueType()),
              std::pair(TaggedValue(BooleanValue{True}), std::int32_t(REG_BINARY)));
    setenv("SystemRoot", "C:\\WINDOWS", 1);
    const std::tuple<DWORD, std::vector<BYTE>, TaggedValue> rows[] = {
        {REG_EXPAND_SZ, TextBytes("%SystemRoot%\\Fonts"), "C:\\WINDOWS\\Fonts"s},
        {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, std::string("a\0b\0", 4)},
        {REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}, std::int32_t(0x12345678)},
        {REG_DWORD, {0x2A, 0x01}, std::int32_t(0x012A)}, // hand-made: padded with zeros
        // Larger than the first read holds: read again with room for all of it.
        {REG_BINARY, std::vector<BYTE>(300, 7), ByteArray(300, 7)},
        {REG_SZ, {'n', 'o', 'z', 'e', 'r', 'o'}, "nozero"s}};
    for (const auto& [type, data, value] : rows) {
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kKey, "Name", type, data), ERROR_SUCCESS);
        const TaggedValue read = registry_.Value();
        EXPECT_EQ(std::pair(read, registry_.ValueType()), std::pair(value, std::int32_t(type)))
            << type;
    }
}

// Subkeys in registry order, values in the order written; a failure other than the end of
// the list raises rather than pass for the whole list.
TEST_F(RegistryClass, EnumeratesEverythingOrRaises) {
    OneBasedNames names;
    std::int32_t count = -1;
    std::string longest; // the longest key name, in two-byte characters
    for (std::size_t i = 0; i < 255; ++i)
        longest += "é";
    for (const std::string& place : {"Tokyo, Japan"s, "London, UK"s, longest})
        WriteRaw(HKEY_CURRENT_USER, kKey + "\\"s + place, "", REG_SZ, {0});
    for (const char* value : {"Zeta", "Alpha"})
        WriteRaw(HKEY_CURRENT_USER, kKey, value, REG_SZ, {0});
    ASSERT_TRUE(registry_.EnumerateSections(names, count));
    EXPECT_EQ(std::pair(Names(names.begin(), names.end()), count),
              std::pair(Names{"London, UK", "Tokyo, Japan", longest}, 3));
    ASSERT_TRUE(registry_.EnumerateValues(names, count));
    EXPECT_EQ(Names(names.begin(), names.end()), (Names{"Zeta", "Alpha"}));

    // A hive edited by another program can hold a name longer than any the registry hands out.
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(hives_.UserHive().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db,
                           "UPDATE registry_keys SET name = 'B' || printf('%.1100c', 'x'), "
                           "folded = 'b' || printf('%.1100c', 'x') WHERE name = 'London, UK'",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    ExpectRaises([&] { registry_.EnumerateSections(names, count); }, kRegistryEnumerateError,
                 "More data is available.");
}

TEST_F(RegistryClass, DeletesValuesAndKeysThatExistAndHoldNoOthers) {
    WriteRaw(HKEY_CURRENT_USER, kKey + "\\Child"s, "", REG_SZ, {0});
    ExpectRaises([&] { registry_.DeleteValue(); }, 26001,
                 "Failed to delete registry Key: " + kWhere + "',Key: 'Name");
    ExpectRaises([&] { registry_.DeleteKey(); }, 26001, "Failed to delete registry Key: " + kWhere);
    WriteRaw(HKEY_CURRENT_USER, kKey, "Name", REG_SZ, TextBytes("x"));
    registry_.SectionKey(kKey + "\\Child"s);
    std::vector<bool> answers{registry_.DeleteKey(), registry_.KeyExists()};
    registry_.SectionKey(kKey);
    answers.push_back(registry_.DeleteValue());
    answers.push_back(ReadRaw(HKEY_CURRENT_USER, kKey, "Name").result == ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(answers, (std::vector{true, false, true, true}));
}

// Verbs are added in threes (verb, menu text, command), and only to a class defined before.
TEST_F(RegistryClass, AssociationWritesTheExtensionClassAndVerbsWithQuotedPath) {
    registry_.ClassKey(kClassesRoot);
    registry_.SectionKey("Horvane.Place");
    const std::vector<TaggedValue> verbs{"show", "&Show", "horvane -s",
                                         "edit", "&Edit", "horvane -e"};
    const auto addVerbs = [&](std::size_t count) {
        registry_.ClassKey(kClassesRoot);
        registry_.CreateAdditionalEXEAssociations("Horvane.Place",
                                                  {verbs.begin(), verbs.begin() + count});
    };
    ExpectRaises([&] { addVerbs(4); }, -2147194452,
                 "Invalid parameter list passed to CreateAdditionalEXEAssociations - expected "
                 "Name/Text/Command");
    ExpectRaises([&] { addVerbs(3); }, -2147194451,
                 "Error - attempt to create additional associations before class defined.");

    const std::string exe = "\"/opt/horvane/bin/horvane\"", shell = "Horvane.Place\\shell\\";
    registry_.CreateEXEAssociation("  /opt/horvane/bin/horvane  ", "Horvane.Place", "Horvane place",
                                   "hvp", "", true, "", true, "", true, "", 0);
    addVerbs(6);
    Names shown{ClassesText(".hvp"), ClassesText("Horvane.Place"),
                ClassesText("Horvane.Place\\DefaultIcon")};
    for (const char* verb : {"open", "print", "add", "new", "show", "edit"})
        shown.insert(shown.end(),
                     {ClassesText(shell + verb), ClassesText(shell + verb + "\\command")});
    const std::string file = " \"%1\"";
    EXPECT_EQ(shown,
              (Names{"Horvane.Place", "Horvane place", exe + ",0", "&Open", exe + file, "&Print",
                     exe + " /p" + file, "&Install hvp", exe + " /a" + file, "&New",
                     exe + " /n" + file, "&Show", "horvane -s", "&Edit", "horvane -e"}));
}
