#include "settings/cRegistry.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr const char* kKey = "Software\\TallwickSoftware\\Test";
constexpr const char* kUserText = "-2147483647"; // HKEY_CURRENT_USER in descriptions

class RegistryClass : public ::testing::Test {
protected:
    RegistryClass() {
        registry_.ClassKey(kCurrentUser);
        registry_.SectionKey(kKey);
        registry_.ValueKey("Name");
    }

    // Writes value with the given ValueType and answers what was stored.
    RawValue WriteAndRead(std::int32_t valueType, const TaggedValue& value) {
        registry_.ValueType(valueType);
        registry_.Value(value);
        return ReadRaw(HKEY_CURRENT_USER, kKey, "Name");
    }

    // Stores raw data and reads it through the class.
    TaggedValue StoreAndRead(DWORD type, const std::vector<BYTE>& data) {
        EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, kKey, "Name", type, data), ERROR_SUCCESS);
        return registry_.Value();
    }

    // Runs the operation, which must raise, and answers the error.
    template <typename Operation> RegistryError Raised(Operation operation) {
        try {
            operation();
        } catch (const RegistryError& error) {
            return error;
        }
        ADD_FAILURE() << "no RegistryError raised";
        return RegistryError(0, "");
    }

    TemporaryHives hives_;
    cRegistry registry_;
};

struct TypeCase {
    std::string text;
    DWORD storedType;
};

class StringWriting : public RegistryClass, public ::testing::WithParamInterface<TypeCase> {};

} // namespace

TEST_P(StringWriting, ChoosesExpandableOnlyForAVariableReference) {
    for (const std::int32_t valueType : {REG_SZ, REG_EXPAND_SZ}) {
        const RawValue stored = WriteAndRead(valueType, GetParam().text);
        EXPECT_EQ(stored.type, GetParam().storedType) << GetParam().text;
        EXPECT_EQ(stored.data, TextBytes(GetParam().text));
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StringWriting,
                         ::testing::Values(TypeCase{"a%b%c", REG_EXPAND_SZ},
                                           TypeCase{"%TEMP%", REG_EXPAND_SZ},
                                           TypeCase{"%%%", REG_EXPAND_SZ}, TypeCase{"100%", REG_SZ},
                                           TypeCase{"%%", REG_SZ}, TypeCase{"", REG_SZ}));

TEST_F(RegistryClass, ReadingAMissingValueGivesDefaultAndKeepsValueType) {
    registry_.ValueType(REG_BINARY);
    EXPECT_EQ(registry_.Value(), TaggedValue());
    registry_.Default(BooleanValue{True});
    EXPECT_EQ(registry_.Value(), TaggedValue(BooleanValue{True}));
    EXPECT_EQ(registry_.ValueType(), REG_BINARY);
    EXPECT_EQ(StoreAndRead(REG_SZ, {0}), TaggedValue(std::string()));
    EXPECT_EQ(registry_.ValueType(), REG_SZ);
}

TEST_F(RegistryClass, ConvertsEachStoredTypeOnReading) {
    setenv("SystemRoot", "C:\\WINDOWS", 1);
    EXPECT_EQ(StoreAndRead(REG_EXPAND_SZ, TextBytes("%SystemRoot%\\Fonts")),
              TaggedValue(std::string("C:\\WINDOWS\\Fonts")));
    EXPECT_EQ(StoreAndRead(REG_MULTI_SZ, {'a', 0, 'b', 0, 0}),
              TaggedValue(std::string("a\0b\0", 4)));
    EXPECT_EQ(StoreAndRead(REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}), TaggedValue(std::int32_t(-1)));
    EXPECT_EQ(StoreAndRead(REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}),
              TaggedValue(std::int32_t(0x12345678)));
    EXPECT_EQ(StoreAndRead(REG_BINARY, {1, 0, 2}), TaggedValue(ByteArray{1, 0, 2}));
    EXPECT_EQ(StoreAndRead(REG_LINK, {}), TaggedValue(ByteArray{}));
    EXPECT_EQ(StoreAndRead(REG_SZ, {'n', 'o', 'z', 'e', 'r', 'o'}),
              TaggedValue(std::string("nozero")));
}

TEST_F(RegistryClass, WritesNumbersAsNativeDwordsAndSkipsOtherKinds) {
    EXPECT_EQ(WriteAndRead(REG_DWORD, std::int32_t(-1)).data,
              (std::vector<BYTE>{0xFF, 0xFF, 0xFF, 0xFF}));
    const RawValue big = WriteAndRead(REG_DWORD_BIG_ENDIAN, std::int16_t(0x0102));
    EXPECT_EQ(big.type, REG_DWORD);
    EXPECT_EQ(big.data, (std::vector<BYTE>{0x02, 0x01, 0, 0}));
    const RawValue untouched = WriteAndRead(REG_DWORD, BooleanValue{True});
    EXPECT_EQ(untouched.data, big.data);
    registry_.ValueKey("Other");
    registry_.Value(std::string("text"));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kKey, "Other").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryClass, WritesByteArraysWhole) {
    const RawValue stored = WriteAndRead(REG_BINARY, ByteArray{0, 1, 0, 255});
    EXPECT_EQ(stored.type, REG_BINARY);
    EXPECT_EQ(stored.data, (std::vector<BYTE>{0, 1, 0, 255}));
}

TEST_F(RegistryClass, WritingCreatesEveryMissingKeyAndKeyExistsIgnoresValueKey) {
    registry_.SectionKey("Software\\A\\B\\C");
    EXPECT_FALSE(registry_.KeyExists());
    WriteAndRead(REG_SZ, std::string("x"));
    EXPECT_TRUE(registry_.KeyExists());
    registry_.ValueKey("No such value");
    EXPECT_TRUE(registry_.KeyExists());
    registry_.SectionKey("Software\\A");
    EXPECT_TRUE(registry_.KeyExists());
}

TEST_F(RegistryClass, EnumeratesFromOneInRegistryOrder) {
    OneBasedNames names;
    std::int32_t count = -1;
    EXPECT_TRUE(registry_.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);
    registry_.CreateKey();
    EXPECT_TRUE(registry_.EnumerateSections(names, count));
    EXPECT_EQ(count, 0);

    for (const char* place : {"Tokyo, Japan", "London, UK", "Chicago, US"})
        WriteRaw(HKEY_CURRENT_USER, std::string(kKey) + "\\" + place, "", REG_SZ, {0});
    for (const char* value : {"Zeta", "Alpha"})
        WriteRaw(HKEY_CURRENT_USER, kKey, value, REG_SZ, {0});
    ASSERT_TRUE(registry_.EnumerateSections(names, count));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(names[1], "Chicago, US");
    EXPECT_EQ(names[3], "Tokyo, Japan");
    EXPECT_THROW(names[0], std::out_of_range);
    ASSERT_TRUE(registry_.EnumerateValues(names, count));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(names[1], "Zeta");
    EXPECT_EQ(names[2], "Alpha");
}

TEST_F(RegistryClass, EnumeratesTheLongestKeyNames) {
    std::string longest;
    for (std::size_t i = 0; i < 255; ++i)
        longest += "é";
    WriteRaw(HKEY_CURRENT_USER, std::string(kKey) + "\\" + longest, "", REG_SZ, {0});
    OneBasedNames names;
    std::int32_t count = 0;
    ASSERT_TRUE(registry_.EnumerateSections(names, count));
    ASSERT_EQ(count, 1);
    EXPECT_EQ(names[1], longest);
}

TEST_F(RegistryClass, DeletesKeysAndValues) {
    WriteAndRead(REG_SZ, std::string("x"));
    EXPECT_TRUE(registry_.DeleteValue());
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kKey, "Name").result, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(registry_.DeleteKey());
    EXPECT_FALSE(registry_.KeyExists());
}

namespace {

struct ErrorCase {
    const char* name;
    std::function<void(cRegistry&)> operation;
    std::int32_t number;
    std::string description;
};

class RegistryErrors : public RegistryClass, public ::testing::WithParamInterface<ErrorCase> {};

const std::string kWhere = std::string("'") + kUserText + "',Section: '" + kKey;

} // namespace

TEST_P(RegistryErrors, CarryTheirNumberSourceAndExactText) {
    WriteRaw(HKEY_CURRENT_USER, std::string(kKey) + "\\Child", "", REG_SZ, {0});
    registry_.ValueType(REG_SZ);
    const RegistryError error = Raised([&] { GetParam().operation(registry_); });
    EXPECT_EQ(error.Number(), GetParam().number);
    EXPECT_EQ(error.Description(), GetParam().description);
    EXPECT_EQ(error.Source(), "settings_tests.cRegistry");
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryErrors,
    ::testing::Values(ErrorCase{"DeleteKeyWithSubkeys", [](cRegistry& r) { r.DeleteKey(); }, 26001,
                                "Failed to delete registry Key: " + kWhere},
                      ErrorCase{"CreateMalformedKey",
                                [](cRegistry& r) {
                                    r.SectionKey("Bad\\\\Key");
                                    r.CreateKey();
                                },
                                26001, "Failed to create registry Key: 'Bad\\\\Key"},
                      ErrorCase{"DeleteValueOfMissingKey",
                                [](cRegistry& r) {
                                    r.SectionKey("Missing");
                                    r.DeleteValue();
                                },
                                26001,
                                std::string("Failed to open key '") + kUserText +
                                    "',Section: 'Missing' for delete access"},
                      ErrorCase{"DeleteMissingValue", [](cRegistry& r) { r.DeleteValue(); }, 26001,
                                "Failed to delete registry Key: " + kWhere + "',Key: 'Name"},
                      ErrorCase{"BinaryFromText",
                                [](cRegistry& r) {
                                    r.ValueType(REG_BINARY);
                                    r.Value(std::string("text"));
                                },
                                26001, "Application-defined or object-defined error"},
                      ErrorCase{"UnknownValueType",
                                [](cRegistry& r) {
                                    r.ValueType(9);
                                    r.Value(ByteArray{1, 255});
                                },
                                -2147194455,
                                "Failed to set registry value Key: " + kWhere +
                                    "',Key: 'Name' to value: '01 FF'"},
                      ErrorCase{"ValueIntoMalformedKey",
                                [](cRegistry& r) {
                                    r.SectionKey("\\Bad");
                                    r.Value(BooleanValue{True});
                                },
                                26001,
                                std::string("Failed to set registry value Key: '") + kUserText +
                                    "',Section: '\\Bad',Key: 'Name' to value: 'True'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegistryClass, ARaisedErrorLeavesTheFieldsAsTheyWere) {
    registry_.ValueType(7);
    registry_.Default(std::int32_t(5));
    EXPECT_THROW(registry_.Value(std::string("x")), RegistryError);
    EXPECT_EQ(registry_.ValueType(), 7);
    EXPECT_EQ(registry_.ClassKey(), kCurrentUser);
    EXPECT_EQ(registry_.SectionKey(), kKey);
    EXPECT_EQ(registry_.ValueKey(), "Name");
    EXPECT_EQ(registry_.Default(), TaggedValue(std::int32_t(5)));
}
