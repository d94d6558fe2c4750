// Writing keys and values in the registry editor's text format.

#include "tools/reg/RegArguments.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace horvane::reg {
namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr std::size_t kLineWidth = 80; // hex lists wrap before this column
constexpr std::size_t kHexPairWidth = 2;

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The text in quotation marks, with \\ \" \n and \r for the characters that need them.
std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\n')
            quoted += "\\n";
        else if (c == '\r')
            quoted += "\\r";
        else if (c == '\\' || c == '"')
            quoted += {'\\', c};
        else
            quoted.push_back(c);
    }
    return quoted + "\"";
}

// A string value that the quoted form holds exactly: text, then one terminating zero.
bool IsPlainString(const NamedValue& value) {
    const std::vector<BYTE>& data = value.data;
    return value.type == REG_SZ && !data.empty() && data.back() == 0 &&
           std::find(data.begin(), data.end() - 1, BYTE(0)) == data.end() - 1;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

std::string HexPrefix(DWORD type) {
    if (type == REG_BINARY)
        return "hex:";
    char prefix[24];
    std::snprintf(prefix, sizeof prefix, "hex(%x):", type);
    return prefix;
}

// Bytes as "01,02,...", wrapped with a backslash and two blanks of indent. The width is
// counted in the characters of the file, UTF-16 code units, not in bytes of UTF-8.
std::string HexList(std::string line, const std::vector<BYTE>& bytes) {
    constexpr const char* kIndent = "  ";
    std::string text;
    std::size_t width = WidenText(line).size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", bytes[i]);
        line += pair;
        width += kHexPairWidth;
        if (i + 1 < bytes.size()) {
            line += ",";
            if (++width + 4 > kLineWidth) {
                text += line + "\\" + kLineEnd;
                line = kIndent;
                width = line.size();
            }
        }
    }
    return text + line + kLineEnd;
}

std::string ValueLine(const NamedValue& value) {
    const std::string start = (value.name.empty() ? "@" : Quoted(value.name)) + "=";
    if (IsPlainString(value))
        return start + Quoted(StringOfData(value.data)) + kLineEnd;
    if (value.type == REG_DWORD && value.data.size() == 4) {
        char number[16];
        std::snprintf(number, sizeof number, "dword:%02x%02x%02x%02x", value.data[3], value.data[2],
                      value.data[1], value.data[0]);
        return start + number + kLineEnd;
    }
    const std::vector<BYTE> bytes =
        IsStringType(value.type) ? Utf16LeBytes(std::string(value.data.begin(), value.data.end()))
                                 : value.data;
    return HexList(start + HexPrefix(value.type), bytes);
}

} // namespace

std::string SectionText(const KeyName& key, const std::vector<NamedValue>& values) {
    if (HasLineBreak(key.path))
        throw CommandError("The key " + FullName(key) +
                           " holds a line break, which the file format cannot hold.");
    std::string text = "[";
    text += FullName(key);
    text += "]";
    text += kLineEnd;
    for (const NamedValue& value : values)
        text += ValueLine(value);
    return text + kLineEnd;
}

std::string UnicodeFileBytes(const std::string& text) {
    const std::vector<std::uint8_t> bytes = Utf16LeBytes(text);
    return std::string("\xFF\xFE") + std::string(bytes.begin(), bytes.end());
}

} // namespace horvane::reg
