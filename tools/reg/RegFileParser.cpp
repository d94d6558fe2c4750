// Reading the registry editor's text format into the changes it asks for.

#include "platform/Utf8.h"
#include "platform/registry/RegistryNames.h"
#include "tools/reg/RegArguments.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/TextEncoding.h"

#include <optional>
#include <strings.h>

namespace horvane::reg {
namespace {

constexpr std::size_t kHexByteDigits = 2;

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

bool HoldsNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

struct DecodedFile {
    std::string text; // UTF-8, except for bytes that UTF-16 text carries as lone surrogates
    bool narrow;      // the file is narrow text, which must be UTF-8 throughout
};

DecodedFile DecodeFile(const std::string& bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::string text;
        if (!TextFromUtf16LeBytes(std::vector<std::uint8_t>(bytes.begin() + 2, bytes.end()), text))
            Malformed(1, "the file is not valid UTF-16 text.");
        return {text, false};
    }
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0)
        return {bytes.substr(3), true};
    return {bytes, true};
}

// The file's lines without their line ends and trailing blanks; lines_[i] is line i + 1.
class FileLines {
public:
    explicit FileLines(const std::string& text) {
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            lines_.push_back(TrimRight(text.substr(start, end - start)));
            start = end + 1;
        }
    }

    std::size_t Count() const { return lines_.size(); }
    const std::string& operator[](std::size_t index) const { return lines_[index]; }

    // Appends the line after lines_[index], less its indent, and moves index on to it;
    // false at the end of the file.
    bool TakeContinuation(std::size_t& index, std::string& text) const {
        if (index + 1 >= lines_.size())
            return false;
        text += TrimLeft(lines_[++index]);
        return true;
    }

private:
    std::vector<std::string> lines_;
};

// Reads the value line at lines[index]; a hex list may go on over the lines below it,
// and index then moves to the last of them.
class LineReader {
public:
    LineReader(const FileLines& lines, std::size_t& index)
        : lines_(lines), index_(index), text_(TrimLeft(lines[index])), line_(int(index) + 1) {}

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

    // Comma-separated bytes of two hexadecimal digits each, up to the end of the line.
    // A hex list is the one thing that a final backslash continues on the next line.
    std::vector<BYTE> HexBytes() {
        std::vector<BYTE> bytes;
        std::string list = TakeRest();
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (!lines_.TakeContinuation(index_, list))
                break;
        }
        if (TrimLeft(list).empty())
            return bytes;
        for (std::size_t start = 0; start <= list.size();) {
            const std::size_t end = std::min(list.find(',', start), list.size());
            const std::string item = TrimRight(TrimLeft(list.substr(start, end - start)));
            std::uint64_t byte = 0;
            if (item.size() != kHexByteDigits || !ParseHex(item, byte))
                Malformed(line_, "\"" + item + "\" is not a hexadecimal byte of two digits.");
            bytes.push_back(BYTE(byte));
            start = end + 1;
        }
        return bytes;
    }

    int Number() const { return line_; }

private:
    const FileLines& lines_;
    std::size_t& index_;
    std::string text_;
    int line_;
    std::size_t position_ = 0;
};

KeyName SectionKey(const std::string& name, int line) {
    KeyName key;
    if (HoldsNul(name))
        Malformed(line, "the key name holds a NUL character.");
    if (!ParseKeyName(name, key))
        Malformed(line, "\"" + name + "\" is not a key under HKCU, HKLM or HKCR.");
    return key;
}

// A [KEY] or [-KEY] line.
ImportStep Section(const std::string& text, int line) {
    if (text.back() != ']')
        Malformed(line, "a key name must end with ].");
    std::string name = text.substr(1, text.size() - 2);
    ImportStep step;
    step.line = line;
    if (!name.empty() && name[0] == '-') {
        step.action = ImportStep::Action::DeleteKey;
        step.key = SectionKey(name.substr(1), line);
        if (step.key.path.empty())
            Malformed(line, "a root key cannot be deleted.");
    } else {
        step.key = SectionKey(name, line);
    }
    return step;
}

bool IsStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

struct FileForm {
    bool unicodeFormat; // the string types' hex forms are UTF-16LE
    bool narrow;        // the file's text is narrow and must be UTF-8
};

// A string type's hex data, turned into the program's narrow text: UTF-16LE in the
// Unicode format, UTF-8 already in the narrow one.
void NarrowStringData(const FileForm& form, int line, std::vector<BYTE>& data) {
    if (form.unicodeFormat) {
        std::string text;
        if (!TextFromUtf16LeBytes(data, text))
            Malformed(line, "the string's bytes are not UTF-16 text.");
        data.assign(text.begin(), text.end());
    } else if (!IsValidUtf8(std::string(data.begin(), data.end()))) {
        Malformed(line, "the string's bytes are not UTF-8 text.");
    }
}

// The data after "name"=, setting the value's type and bytes, or marking a deletion.
void ValueData(LineReader& reader, const FileForm& form, ImportStep& step) {
    NamedValue& value = step.value;
    if (reader.Rest() == "-") {
        reader.TakeRest();
        step.action = ImportStep::Action::DeleteValue;
    } else if (reader.Peek() == '"') {
        value.type = REG_SZ;
        const std::string text = reader.Quoted();
        if (form.narrow && !IsValidUtf8(text))
            Malformed(reader.Number(), "the string is not UTF-8 text.");
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
        if (IsStringType(value.type))
            NarrowStringData(form, reader.Number(), value.data);
    } else {
        Malformed(reader.Number(), "the value's data is not in a known form.");
    }
    if (!reader.AtEnd())
        Malformed(reader.Number(), "unexpected text after the value: " + reader.Rest());
}

ImportStep ValueLine(LineReader& reader, const KeyName& key, const FileForm& form) {
    ImportStep step;
    step.action = ImportStep::Action::SetValue;
    step.key = key;
    step.line = reader.Number();
    if (!reader.Take("@"))
        step.value.name = reader.Quoted();
    if (HoldsNul(step.value.name))
        Malformed(reader.Number(), "the value name holds a NUL character.");
    if (!IsValidValueName(step.value.name))
        Malformed(reader.Number(), "the value name is not valid.");
    reader.SkipBlanks();
    if (!reader.Take("="))
        Malformed(reader.Number(), "= was expected after the value name.");
    reader.SkipBlanks();
    ValueData(reader, form, step);
    return step;
}

} // namespace

std::vector<ImportStep> ParseRegFile(const std::string& fileBytes) {
    const DecodedFile decoded = DecodeFile(fileBytes);
    const FileLines lines(decoded.text);
    const FileForm form{lines[0] == kUnicodeHeader, decoded.narrow};
    if (!form.unicodeFormat && lines[0] != kNarrowHeader)
        Malformed(1, "the first line must be \"" + std::string(kUnicodeHeader) + "\" or \"" +
                         kNarrowHeader + "\".");
    std::vector<ImportStep> steps;
    std::optional<KeyName> sectionKey; // the key that value lines belong to
    bool sectionDeletes = false;
    for (std::size_t i = 1; i < lines.Count(); ++i) {
        const std::string text = TrimLeft(lines[i]);
        const int number = int(i) + 1;
        if (text.empty() || text[0] == ';')
            continue;
        if (text[0] == '[') {
            steps.push_back(Section(text, number));
            sectionKey = steps.back().key;
            sectionDeletes = steps.back().action == ImportStep::Action::DeleteKey;
            continue;
        }
        if (!sectionKey)
            Malformed(number, "a value must follow a [key] line.");
        if (sectionDeletes)
            Malformed(number, "a key being deleted cannot take values.");
        LineReader reader(lines, i);
        steps.push_back(ValueLine(reader, *sectionKey, form));
    }
    return steps;
}

} // namespace horvane::reg
