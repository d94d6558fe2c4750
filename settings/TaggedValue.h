#pragma once
// The registry class's value type: nothing, a boolean, a 16-bit or 32-bit integer, a
// string or an array of bytes.

#include "platform/BasicTypes.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace horvane {

using ByteArray = std::vector<std::uint8_t>;

// A boolean kept apart from the 16-bit integer that carries it.
struct BooleanValue {
    Boolean value = False;
    bool operator==(const BooleanValue&) const = default;
};

using TaggedValue =
    std::variant<std::monostate, BooleanValue, std::int16_t, std::int32_t, std::string, ByteArray>;

// The value as a string: "True" or "False", a number in decimal, the text itself, the
// bytes as they are; nothing gives the empty string.
std::string TaggedValueString(const TaggedValue& value);

// The same for messages, with bytes written as hexadecimal pairs ("0A 1F").
std::string TaggedValueText(const TaggedValue& value);

} // namespace horvane
