// Reading a stored value of any type and any bytes through cRegistry: the read never
// raises, reports the type it read, and gives back what was stored.

#include "fuzz/FuzzSupport.h"
#include "platform/registry/RegistryApi.h"
#include "settings/cRegistry.h"

#include <variant>

using namespace horvane;
using horvane::fuzz::ByteReader;
using horvane::fuzz::Require;

namespace {

constexpr const char* kSection = "Software\\Fuzz";

// The first byte is the type (255 stands for the largest type number), the rest the data.
DWORD TypeOf(std::uint8_t byte) {
    return byte == 255 ? 0xFFFFFFFFu : DWORD(byte);
}

void CheckRead(DWORD type, const std::string& stored) {
    cRegistry registry;
    registry.ClassKey(kCurrentUser);
    registry.SectionKey(kSection);
    registry.ValueKey("Value");
    registry.Default(std::string("default"));
    const TaggedValue value = registry.Value();
    Require(registry.ValueType() == std::int32_t(type), "a read sets ValueType to the type read");
    if (const auto* bytes = std::get_if<ByteArray>(&value))
        Require(std::string(bytes->begin(), bytes->end()) == stored,
                "bytes read back exactly as stored");
    if (const auto* text = std::get_if<std::string>(&value); text && type != REG_EXPAND_SZ)
        Require(stored.compare(0, text->size(), *text) == 0 && text->size() + 1 >= stored.size(),
                "a string reads back as the stored bytes less a final zero");
    // The texts that messages and the store build from a value.
    TaggedValueString(value);
    TaggedValueText(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::RunHives();
    ByteReader input(data, size);
    const DWORD type = TypeOf(input.Byte());
    const std::string stored = input.Rest();

    // Nothing reaches the disk: the batch is undone when it ends.
    RegistryBatch batch(HKEY_CURRENT_USER);
    Require(batch.Begin() == ERROR_SUCCESS, "a batch begins on the fuzzing hive");
    HKEY key{};
    Require(RegCreateKeyExA(HKEY_CURRENT_USER, kSection, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) == ERROR_SUCCESS,
            "the key is created");
    const LONG written = RegSetValueExA(
        key, "Value", 0, type, reinterpret_cast<const BYTE*>(stored.data()), DWORD(stored.size()));
    RegCloseKey(key);
    if (written == ERROR_SUCCESS)
        CheckRead(type, stored);
    return 0;
}
