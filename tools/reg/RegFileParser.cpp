// Reading the registry editor's text format into the changes it asks for.

#include "platform/Utf8.h"
#include "platform/registry/RegistryNames.h"
#include "tools/reg/RegArguments.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/TextEncoding.h"

#include <cctype>
#include <optional>
#include <strings.h>

namespace horvane::reg {
namespace {

constexpr std::size_t kHexByteDigits = 2;
constexpr std::size_t kDwordDigits = 8;

// A line of the file as messages name it.
struct Line {
    std::string_view file;
    int number;
};

// Names the file as well: the one throw for a refused file, which is what most files
// given to the fuzzers are.
[[noreturn]] void Malformed(const Line& line, const std::string& reason) {
    throw CommandError(std::string(line.file) + ", line " + std::to_string(line.number) + ": " +
                       reason);
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

bool IsHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

std::string_view TrimLeft(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

bool HoldsNul(std::string_view text) {
    return text.find('\0') != std::string_view::npos;
}

// A line that holds nothing to read: blank, or a comment (; or #, indented or not).
bool IsSkipped(std::string_view line) {
    const std::string_view text = TrimLeft(line);
    return text.empty() || text[0] == ';' || text[0] == '#';
}

struct DecodedFile {
    std::string text; // UTF-8, except for bytes that UTF-16 text carries as lone surrogates
    bool wide;        // UTF-16: the string types' hex forms are UTF-16LE as well
};

// The byte-order mark tells the encoding, whatever the header says.
DecodedFile DecodeFile(std::string bytes, std::string_view file) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        std::string text;
        const auto* units = reinterpret_cast<const std::uint8_t*>(bytes.data());
        if (!TextFromUtf16LeBytes({units + 2, bytes.size() - 2}, text))
            Malformed({file, 1}, "the file is not valid UTF-16 text.");
        return {std::move(text), true};
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.erase(0, 3);
    return {std::move(bytes), false};
}

// Either header, after any blanks and followed by anything.
bool IsHeader(std::string_view line) {
    const std::string_view text = TrimLeft(line);
    return text.starts_with(kUnicodeHeader) || text.starts_with(kNarrowHeader);
}

// The file's lines without their line ends and trailing blanks; lines_[i] is line i + 1.
// They are views of the text, which must outlive them.
class FileLines {
public:
    FileLines(std::string_view text, std::string_view file) : file_(file) {
        for (std::size_t start = 0; start <= text.size();) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            lines_.push_back(TrimRight(text.substr(start, end - start)));
            start = end + 1;
        }
    }

    std::size_t Count() const { return lines_.size(); }
    std::string_view operator[](std::size_t index) const { return lines_[index]; }
    Line At(std::size_t index) const { return {file_, int(index) + 1}; }

    // The index of the first line after index that holds something to read; false at the
    // end of the file.
    bool NextReadLine(std::size_t& index) const {
        for (std::size_t next = index + 1; next < lines_.size(); ++next) {
            if (!IsSkipped(lines_[next])) {
                index = next;
                return true;
            }
        }
        return false;
    }

private:
    std::string_view file_;
    std::vector<std::string_view> lines_;
};

// Reads the value line at lines[index]; a hex list may go on over the lines below it,
// and index then moves to the last of them.
class LineReader {
public:
    LineReader(const FileLines& lines, std::size_t& index)
        : lines_(lines), index_(index), text_(TrimLeft(lines[index])), line_(lines.At(index)) {}

    bool AtEnd() const { return position_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[position_]; }
    void SkipBlanks() {
        while (IsBlank(Peek()))
            ++position_;
    }
    bool Take(std::string_view word) {
        if (position_ > text_.size() || text_.size() - position_ < word.size() ||
            strncasecmp(text_.data() + position_, word.data(), word.size()) != 0)
            return false;
        position_ += word.size();
        return true;
    }
    std::string_view Rest() const { return text_.substr(std::min(position_, text_.size())); }

    // The end of the value: blanks, then the line's end or a ;comment.
    void EndOfValue() {
        SkipBlanks();
        if (!AtEnd() && Peek() != ';')
            Malformed(line_, "unexpected text after the value: " + std::string(Rest()));
    }

    // A "quoted" text with the escapes \\ \" \n \r and \0.
    std::string Quoted() {
        std::string text;
        if (!Take("\""))
            Malformed(line_, "a quotation mark was expected.");
        while (!AtEnd() && Peek() != '"') {
            char c = text_[position_++];
            if (c == '\\')
                c = Escaped(Peek());
            text.push_back(c);
        }
        if (!Take("\""))
            Malformed(line_, "the string has no closing quotation mark.");
        return text;
    }

    // Bytes of two hexadecimal digits each, separated by commas, up to the line's end or a
    // ;comment; a trailing comma is allowed. A backslash where a byte may follow goes on
    // with the next line that is neither blank nor a comment, which must start with a byte.
    std::vector<BYTE> HexBytes() {
        std::vector<BYTE> bytes;
        bool byteMayFollow = true; // at the start, or after a comma
        for (;;) {
            SkipBlanks();
            if (AtEnd() || Peek() == ';')
                return bytes;
            if (Peek() == '\\') {
                ContinueOnNextLine(byteMayFollow);
            } else if (byteMayFollow) {
                bytes.push_back(HexByte());
                byteMayFollow = false;
            } else if (Take(",")) {
                byteMayFollow = true;
            } else {
                Malformed(line_,
                          "a comma was expected between the bytes, not " + std::string(Rest()));
            }
        }
    }

    // Up to eight hexadecimal digits, after any blanks.
    DWORD DwordNumber() {
        SkipBlanks();
        const std::size_t start = position_;
        while (IsHexDigit(Peek()))
            ++position_;
        std::uint64_t number = 0;
        if (position_ - start > kDwordDigits ||
            !ParseHex(text_.substr(start, position_ - start), number))
            Malformed(line_, "dword: needs up to 8 hexadecimal digits.");
        return DWORD(number);
    }

    Line Where() const { return line_; }

private:
    char Escaped(char c) {
        ++position_;
        switch (c) {
        case '\\':
        case '"':
            return c;
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case '0':
            return '\0';
        default:
            Malformed(line_, "only \\\\, \\\", \\n, \\r and \\0 may follow a backslash in a "
                             "string.");
        }
    }

    BYTE HexByte() {
        const std::size_t start = position_;
        while (!AtEnd() && !IsBlank(Peek()) && Peek() != ',' && Peek() != '\\' && Peek() != ';')
            ++position_;
        const std::string_view item = text_.substr(start, position_ - start);
        std::uint64_t byte = 0;
        if (item.size() != kHexByteDigits || !ParseHex(item, byte))
            Malformed(line_,
                      "\"" + std::string(item) + "\" is not a hexadecimal byte of two digits.");
        return BYTE(byte);
    }

    // At a backslash: the rest of this line may only be a comment; reading goes on with the
    // next line that holds something, from its first byte.
    void ContinueOnNextLine(bool byteMayFollow) {
        ++position_;
        if (!byteMayFollow)
            Malformed(line_, "a hex list goes on to the next line only after a comma.");
        EndOfValue();
        if (!lines_.NextReadLine(index_))
            Malformed(line_, "the file ends where the hex list goes on.");
        text_ = TrimLeft(lines_[index_]);
        line_ = lines_.At(index_);
        position_ = 0;
        if (!IsHexDigit(Peek()))
            Malformed(line_, "a continued hex list must go on with a byte.");
    }

    const FileLines& lines_;
    std::size_t& index_;
    std::string_view text_;
    Line line_;
    std::size_t position_ = 0;
};

KeyName SectionKey(std::string_view name, const Line& line) {
    KeyName key;
    if (HoldsNul(name))
        Malformed(line, "the key name holds a NUL character.");
    if (!ParseKeyName(name, key))
        Malformed(line, "\"" + std::string(name) + "\" is not a key under HKCU, HKLM or HKCR.");
    return key;
}

// A [KEY] or [-KEY] line. What follows the last ] is ignored, as the registry editor
// ignores it.
ImportStep Section(std::string_view text, const Line& line) {
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos)
        Malformed(line, "a key name must end with ].");
    const std::string_view name = text.substr(1, close - 1);
    ImportStep step;
    step.line = line.number;
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

// A string type's hex data, turned into the program's narrow text: UTF-16LE in a wide
// file, UTF-8 already in a narrow one. A narrow file's expandable and multi-strings are
// stored with a final zero, as the editor stores them, also where the file has none.
void NarrowStringData(bool wide, DWORD type, const Line& line, std::vector<BYTE>& data) {
    if (wide) {
        std::string text;
        if (!TextFromUtf16LeBytes(data, text))
            Malformed(line, "the string's bytes are not UTF-16 text.");
        data.assign(text.begin(), text.end());
        return;
    }
    if (!IsValidUtf8({reinterpret_cast<const char*>(data.data()), data.size()}))
        Malformed(line, "the string's bytes are not UTF-8 text.");
    if ((type == REG_EXPAND_SZ || type == REG_MULTI_SZ) && !data.empty() && data.back() != 0)
        data.push_back(0);
}

// The data after "name"=, setting the value's type and bytes, or marking a deletion.
void ValueData(LineReader& reader, bool wide, ImportStep& step) {
    NamedValue& value = step.value;
    if (reader.Take("-")) {
        step.action = ImportStep::Action::DeleteValue;
    } else if (reader.Peek() == '"') {
        value.type = REG_SZ;
        const std::string text = reader.Quoted();
        if (!wide && !IsValidUtf8(text))
            Malformed(reader.Where(), "the string is not UTF-8 text.");
        value.data.assign(text.begin(), text.end());
        value.data.push_back(0);
    } else if (reader.Take("dword:")) {
        const DWORD number = reader.DwordNumber();
        value.type = REG_DWORD;
        for (int i = 0; i < 4; ++i)
            value.data.push_back(BYTE(number >> (8 * i)));
    } else if (reader.Take("hex:")) {
        value.type = REG_BINARY;
        value.data = reader.HexBytes();
    } else if (reader.Take("hex(")) {
        const std::string_view rest = reader.Rest();
        const std::size_t close = rest.find("):");
        std::uint64_t type = 0;
        if (close == std::string_view::npos || !ParseHex(rest.substr(0, close), type) ||
            type > 0xFFFFFFFF)
            Malformed(reader.Where(), "hex( needs a hexadecimal type number and \"):\".");
        reader.Take(rest.substr(0, close + 2));
        value.type = DWORD(type);
        const Line line = reader.Where();
        value.data = reader.HexBytes();
        if (IsStringType(value.type))
            NarrowStringData(wide, value.type, line, value.data);
    } else {
        Malformed(reader.Where(), "the value's data is not in a known form.");
    }
    reader.EndOfValue();
}

ImportStep ValueLine(LineReader& reader, const KeyName& key, bool wide) {
    ImportStep step;
    step.action = ImportStep::Action::SetValue;
    step.key = key;
    step.line = reader.Where().number;
    if (!reader.Take("@"))
        step.value.name = reader.Quoted();
    if (HoldsNul(step.value.name))
        Malformed(reader.Where(), "the value name holds a NUL character.");
    if (!IsValidValueName(step.value.name))
        Malformed(reader.Where(), "the value name is not valid.");
    reader.SkipBlanks();
    if (!reader.Take("="))
        Malformed(reader.Where(), "= was expected after the value name.");
    reader.SkipBlanks();
    ValueData(reader, wide, step);
    return step;
}

} // namespace

std::vector<ImportStep> ParseRegFile(std::string fileBytes, std::string_view fileName) {
    const DecodedFile decoded = DecodeFile(std::move(fileBytes), fileName);
    const FileLines lines(decoded.text, fileName);
    if (!IsHeader(lines[0]))
        Malformed(lines.At(0), "the first line must be \"" + std::string(kUnicodeHeader) +
                                   "\" or \"" + kNarrowHeader + "\".");
    std::vector<ImportStep> steps;
    std::optional<KeyName> sectionKey; // the key that value lines belong to
    bool sectionDeletes = false;
    for (std::size_t i = 0; lines.NextReadLine(i);) {
        const std::string_view text = TrimLeft(lines[i]);
        const Line line = lines.At(i);
        if (text[0] == '[') {
            steps.push_back(Section(text, line));
            sectionKey = steps.back().key;
            sectionDeletes = steps.back().action == ImportStep::Action::DeleteKey;
            continue;
        }
        if (!sectionKey)
            Malformed(line, "a value must follow a [key] line.");
        if (sectionDeletes)
            Malformed(line, "a key being deleted cannot take values.");
        LineReader reader(lines, i);
        steps.push_back(ValueLine(reader, *sectionKey, decoded.wide));
    }
    return steps;
}

} // namespace horvane::reg
