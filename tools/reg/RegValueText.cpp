#include "tools/reg/RegValueText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace horvane::reg {
namespace {

constexpr const char* kTypeNames[] = {"REG_NONE",
                                      "REG_SZ",
                                      "REG_EXPAND_SZ",
                                      "REG_BINARY",
                                      "REG_DWORD",
                                      "REG_DWORD_BIG_ENDIAN",
                                      "REG_LINK",
                                      "REG_MULTI_SZ",
                                      "REG_RESOURCE_LIST",
                                      "REG_FULL_RESOURCE_DESCRIPTOR",
                                      "REG_RESOURCE_REQUIREMENTS_LIST",
                                      "REG_QWORD"};

std::string Hex(std::uint64_t number) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(number));
    return text;
}

std::string HexDigits(const std::vector<BYTE>& data) {
    std::string text;
    for (const BYTE byte : data) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        text += pair;
    }
    return text;
}

std::uint64_t LittleEndian(const std::vector<BYTE>& data) {
    std::uint64_t number = 0;
    for (std::size_t i = data.size(); i-- > 0;)
        number = (number << 8) | data[i];
    return number;
}

// Multi-string data: each string with its zero, and one more zero to end the list.
std::string MultiStringText(const std::vector<BYTE>& data) {
    std::string text;
    std::size_t start = 0;
    while (start < data.size() && data[start] != 0) {
        std::size_t end = start;
        while (end < data.size() && data[end] != 0)
            ++end;
        if (!text.empty())
            text += "\\0";
        text.append(data.begin() + long(start), data.begin() + long(end));
        start = end + 1;
    }
    return text;
}

void AppendText(std::string_view text, std::vector<BYTE>& data) {
    data.insert(data.end(), text.begin(), text.end());
    data.push_back(0);
}

// A number as add takes it: decimal, or hexadecimal after 0x; the empty text is 0.
bool ParseNumber(std::string_view text, std::uint64_t largest, std::uint64_t& number) {
    number = 0;
    if (text.empty())
        return true;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string_view digits = hex ? text.substr(2) : text;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), number, hex ? 16 : 10);
    return error == std::errc() && end == digits.data() + digits.size() && number <= largest;
}

// The number's bytes, least significant first unless bigEndian.
bool NumberData(std::string_view text, std::size_t size, bool bigEndian, std::vector<BYTE>& data) {
    const std::uint64_t largest =
        size == 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * size)) - 1;
    std::uint64_t number = 0;
    if (!ParseNumber(text, largest, number))
        return false;
    for (std::size_t i = 0; i < size; ++i)
        data.push_back(BYTE(number >> (8 * (bigEndian ? size - 1 - i : i))));
    return true;
}

} // namespace

std::string TypeName(DWORD type) {
    if (type < std::size(kTypeNames))
        return kTypeNames[type];
    return Hex(type);
}

std::optional<DWORD> AddableType(std::string_view name) {
    const std::pair<const char*, DWORD> addable[] = {
        {kTypeNames[REG_SZ], REG_SZ},
        {kTypeNames[REG_EXPAND_SZ], REG_EXPAND_SZ},
        {kTypeNames[REG_MULTI_SZ], REG_MULTI_SZ},
        {kTypeNames[REG_DWORD], REG_DWORD},
        {"REG_DWORD_LITTLE_ENDIAN", REG_DWORD},
        {kTypeNames[REG_DWORD_BIG_ENDIAN], REG_DWORD_BIG_ENDIAN},
        {kTypeNames[REG_QWORD], REG_QWORD},
        {kTypeNames[REG_BINARY], REG_BINARY},
        {kTypeNames[REG_NONE], REG_NONE}};
    for (const auto& [typeName, type] : addable) {
        if (name.size() == std::strlen(typeName) &&
            std::equal(name.begin(), name.end(), typeName,
                       [](char a, char b) { return std::toupper((unsigned char)a) == b; }))
            return type;
    }
    return std::nullopt;
}

bool IsNumberType(DWORD type) {
    return type == REG_DWORD || type == REG_DWORD_BIG_ENDIAN || type == REG_QWORD;
}

std::string StringOfData(const std::vector<BYTE>& data) {
    const auto end = std::find(data.begin(), data.end(), BYTE(0));
    return std::string(data.begin(), end);
}

std::string DataText(DWORD type, const std::vector<BYTE>& data) {
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return StringOfData(data);
    case REG_MULTI_SZ:
        return MultiStringText(data);
    case REG_DWORD:
        return data.size() == 4 ? Hex(LittleEndian(data)) : HexDigits(data);
    case REG_QWORD:
        return data.size() == 8 ? Hex(LittleEndian(data)) : HexDigits(data);
    case REG_DWORD_BIG_ENDIAN:
        return data.size() == 4 ? Hex(LittleEndian({data.rbegin(), data.rend()})) : HexDigits(data);
    default:
        return HexDigits(data);
    }
}

bool ParseHex(std::string_view text, std::uint64_t& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

bool DataFromText(DWORD type, std::string_view text, std::string_view separator,
                  std::vector<BYTE>& data) {
    data.clear();
    switch (type) {
    case REG_MULTI_SZ:
        for (std::size_t start = 0; !text.empty() && start <= text.size();) {
            const std::size_t end = std::min(text.find(separator, start), text.size());
            if (end == start)
                return false; // an empty string would end the list there
            AppendText(text.substr(start, end - start), data);
            start = end + separator.size();
        }
        data.push_back(0);
        return true;
    case REG_DWORD:
        return NumberData(text, 4, false, data);
    case REG_DWORD_BIG_ENDIAN:
        return NumberData(text, 4, true, data);
    case REG_QWORD:
        return NumberData(text, 8, false, data);
    case REG_NONE:
    case REG_BINARY:
        if (text.size() % 2 != 0)
            return false;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            std::uint64_t byte = 0;
            if (!ParseHex(text.substr(i, 2), byte))
                return false;
            data.push_back(BYTE(byte));
        }
        return true;
    default:
        AppendText(text, data);
        return true;
    }
}

} // namespace horvane::reg
