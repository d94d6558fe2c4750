#include "settings/TaggedValue.h"

#include <cstdio>

namespace horvane {
namespace {

std::string HexPairs(const ByteArray& bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        if (!text.empty())
            text.push_back(' ');
        text += pair;
    }
    return text;
}

template <typename BytesText> std::string ToText(const TaggedValue& value, BytesText bytesText) {
    struct Visitor {
        BytesText bytesText;
        std::string operator()(std::monostate) const { return {}; }
        std::string operator()(BooleanValue b) const { return b.value ? "True" : "False"; }
        std::string operator()(std::int16_t n) const { return std::to_string(n); }
        std::string operator()(std::int32_t n) const { return std::to_string(n); }
        std::string operator()(const std::string& s) const { return s; }
        std::string operator()(const ByteArray& bytes) const { return bytesText(bytes); }
    };
    return std::visit(Visitor{bytesText}, value);
}

} // namespace

std::string TaggedValueString(const TaggedValue& value) {
    return ToText(value,
                  [](const ByteArray& bytes) { return std::string(bytes.begin(), bytes.end()); });
}

std::string TaggedValueText(const TaggedValue& value) {
    return ToText(value, HexPairs);
}

} // namespace horvane
