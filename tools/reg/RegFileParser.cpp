// Reading the registry editor's text format into the changes it asks for.

#include "platform/registry/RegistryNames.h"
#include "tools/reg/RegArguments.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/TextEncoding.h"

#include <optional>
#include <strings.h>

namespace horvane::reg {
namespace {

struct Line {
    std::string text;
    int number;
};

[[noreturn]] void Malformed(int line, const std::string& reason) {
    throw CommandError("line " + std::to_string(line) + ": " + reason);
}

std::string TrimRight(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.pop_back();
    return text;
}

std::string TrimLeft(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first);
}

// The file's text in UTF-8, whatever its encoding.
std::string DecodeFile(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::string text;
        if (!TextFromUtf16LeBytes(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.end()), text))
            Malformed(1, "the file is not valid UTF-16 text.");
        return text;
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return bytes.substr(3);
    return bytes;
}

// The file's lines, with those ending in a backslash joined to the next.
std::vector<Line> LogicalLines(const std::string& text) {
    std::vector<Line> lines;
    bool continues = false;
    int number = 0;
    for (std::size_t start = 0; start <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = TrimRight(text.substr(start, end - start));
        start = end + 1;
        if (continues)
            lines.back().text += TrimLeft(line);
        else
            lines.push_back({line, number + 1});
        continues = !lines.back().text.empty() && lines.back().text.back() == '\\';
        if (continues)
            lines.back().text.pop_back();
    }
    return lines;
}

class LineReader {
public:
    LineReader(const Line& line) : text_(line.text), line_(line.number) {}

    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
    void SkipBlanks() {
        while (Peek() == ' ' || Peek() == '\t')
            ++position_;
    }
    bool Take(const char* word) {
        const std::size_t length = std::char_traits<char>::length(word);
        if (strncasecmp(text_.c_str() + position_, word, length) != 0)
            return false;
        position_ += length;
        return true;
    }
    std::string Rest() const { return text_.substr(std::min(position_, text_.size())); }
    std::string TakeRest() {
        std::string rest = Rest();
        position_ = text_.size();
        return rest;
    }

    // A "quoted" text with \\ and \" escapes.
    std::string Quoted() {
        std::string text;
        if (!Take("\""))
            Malformed(line_, "a quotation mark was expected.");
        while (!AtEnd() && Peek() != '"') {
            char c = text_[position_++];
            if (c == '\\') {
                if (Peek() != '\\' && Peek() != '"')
                    Malformed(line_, "only \\\\ and \\\" may follow a backslash in a string.");
                c = text_[position_++];
            }
            text.push_back(c);
        }
        if (!Take("\""))
            Malformed(line_, "the string has no closing quotation mark.");
        return text;
    }

    // Comma-separated hexadecimal bytes up to the end of the line.
    std::vector<BYTE> HexBytes() {
        std::vector<BYTE> bytes;
        const std::string list = TakeRest();
        if (TrimLeft(list).empty())
            return bytes;
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t end = std::min(list.find(',', start), list.size());
            const std::string item = TrimRight(TrimLeft(list.substr(start, end - start)));
            std::uint64_t byte = 0;
            if (item.size() > 2 || !ParseHex(item, byte))
                Malformed(line_, "\"" + item + "\" is not a hexadecimal byte.");
            bytes.push_back(BYTE(byte));
            start = end + 1;
        }
        return bytes;
    }

    int Number() const { return line_; }

private:
    std::string text_;
    int line_;
    std::size_t position_ = 0;
};

KeyName SectionKey(const std::string& name, int line) {
    KeyName key;
    if (!ParseKeyName(name, key))
        Malformed(line, "\"" + name + "\" is not a key under HKCU, HKLM or HKCR.");
    return key;
}

ImportStep Section(const Line& line) {
    if (line.text.back() != ']')
        Malformed(line.number, "a key name must end with ].");
    std::string name = line.text.substr(1, line.text.size() - 2);
    ImportStep step;
    step.line = line.number;
    if (!name.empty() && name[0] == '-') {
        step.action = ImportStep::Action::DeleteKey;
        step.key = SectionKey(name.substr(1), line.number);
        if (step.key.path.empty())
            Malformed(line.number, "a root key cannot be deleted.");
    } else {
        step.key = SectionKey(name, line.number);
    }
    return step;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The data after "name"=, setting the value's type and bytes, or marking a deletion.
void ValueData(LineReader& reader, bool unicode, ImportStep& step) {
    NamedValue& value = step.value;
    if (reader.Rest() == "-") {
        reader.TakeRest();
        step.action = ImportStep::Action::DeleteValue;
    } else if (reader.Peek() == '"') {
        value.type = REG_SZ;
        const std::string text = reader.Quoted();
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
    } else if (reader.Take("dword:")) {
        std::uint64_t number = 0;
        const std::string digits = reader.TakeRest();
        if (digits.size() > 8 || !ParseHex(digits, number))
            Malformed(reader.Number(), "dword: needs up to 8 hexadecimal digits.");
        value.type = REG_DWORD;
        for (int i = 0; i < 4; ++i)
            value.data.push_back(BYTE(number >> (8 * i)));
    } else if (reader.Take("hex:")) {
        value.type = REG_BINARY;
        value.data = reader.HexBytes();
    } else if (reader.Take("hex(")) {
        const std::string rest = reader.Rest();
        const std::size_t close = rest.find("):");
        std::uint64_t type = 0;
        if (close == std::string::npos || !ParseHex(rest.substr(0, close), type) ||
            type > 0xFFFFFFFF)
            Malformed(reader.Number(), "hex( needs a hexadecimal type number and \"):\".");
        reader.Take(rest.substr(0, close + 2).c_str());
        value.type = DWORD(type);
        value.data = reader.HexBytes();
        std::string text;
        if (unicode && IsStringType(value.type)) {
            if (!TextFromUtf16LeBytes(value.data, text))
                Malformed(reader.Number(), "the string's bytes are not UTF-16 text.");
            value.data.assign(text.begin(), text.end());
        }
    } else {
        Malformed(reader.Number(), "the value's data is not in a known form.");
    }
    if (!reader.AtEnd())
        Malformed(reader.Number(), "unexpected text after the value: " + reader.Rest());
}

ImportStep ValueLine(const Line& line, const KeyName& key, bool unicode) {
    LineReader reader(line);
    ImportStep step;
    step.action = ImportStep::Action::SetValue;
    step.key = key;
    step.line = line.number;
    if (!reader.Take("@"))
        step.value.name = reader.Quoted();
    if (!IsValidValueName(step.value.name))
        Malformed(line.number, "the value name is not valid.");
    reader.SkipBlanks();
    if (!reader.Take("="))
        Malformed(line.number, "= was expected after the value name.");
    reader.SkipBlanks();
    ValueData(reader, unicode, step);
    return step;
}

} // namespace

std::vector<ImportStep> ParseRegFile(const std::string& fileBytes) {
    const std::vector<Line> lines = LogicalLines(DecodeFile(fileBytes));
    const bool unicode = lines[0].text == kUnicodeHeader;
    if (!unicode && lines[0].text != kNarrowHeader)
        Malformed(1, "the first line must be \"" + std::string(kUnicodeHeader) + "\" or \"" +
                         kNarrowHeader + "\".");
    std::vector<ImportStep> steps;
    std::optional<KeyName> sectionKey; // the key that value lines belong to
    bool sectionDeletes = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const Line& line = lines[i];
        const std::string text = TrimLeft(line.text);
        if (text.empty() || text[0] == ';')
            continue;
        if (text[0] == '[') {
            steps.push_back(Section({text, line.number}));
            sectionKey = steps.back().key;
            sectionDeletes = steps.back().action == ImportStep::Action::DeleteKey;
            continue;
        }
        if (!sectionKey)
            Malformed(line.number, "a value must follow a [key] line.");
        if (sectionDeletes)
            Malformed(line.number, "a key being deleted cannot take values.");
        steps.push_back(ValueLine({text, line.number}, *sectionKey, unicode));
    }
    return steps;
}

} // namespace horvane::reg
