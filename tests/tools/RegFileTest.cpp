// .reg files as horvane-reg import reads them: one table of cases, each a file and exactly
// what the store holds after importing it into empty hives, or the line that refuses it.

#include "tests/support/TemporaryHives.h"
#include "tools/reg/RegCommand.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegValueText.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace horvane;
using namespace horvane::test_support;
using namespace std::string_literals;

namespace {

// String types' bytes as quoted text (\0 \n \r, \xNN for bytes outside printable ASCII
// and UTF-8), other types' as hexadecimal pairs.
std::string DataShown(DWORD type, const std::vector<BYTE>& data) {
    const bool text = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    std::string shown;
    for (const BYTE byte : data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", byte);
        shown += !text          ? (shown.empty() ? "" : ",") + std::string(hex)
                 : byte == 0    ? "\\0"
                 : byte == '\n' ? "\\n"
                 : byte == '\r' ? "\\r"
                                : std::string(1, char(byte));
    }
    return text ? "\"" + shown + "\"" : shown;
}

// Every key of both hives, each followed by its values: [HKCU\T] v=REG_SZ:"x\0".
std::string StoreShown() {
    std::string shown;
    for (const char* root : {"HKCU", "HKLM"}) {
        reg::KeyName top;
        reg::ParseKeyName(root, top);
        reg::WalkTree(top, [&](const reg::KeyName& key,
                               const std::vector<reg::NamedValue>& values) {
            if (!key.path.empty())
                shown += (shown.empty() ? "[" : " [") + std::string(root) + "\\" + key.path + "]";
            for (const reg::NamedValue& value : values)
                shown += " " + value.name + "=" + reg::TypeName(value.type) + ":" +
                         DataShown(value.type, value.data);
        });
    }
    return shown;
}

enum class Encoding { Utf8, Utf8Mark, Utf16 };

struct ImportCase {
    Encoding encoding;
    std::string text;
    std::string stored;      // what the store holds after; empty for a refused file
    int refusedLine = 0;     // the line a refusal names
    const char* reason = ""; // part of the refusal's reason
};

constexpr Encoding kNarrow = Encoding::Utf8;
constexpr Encoding kWide = Encoding::Utf16;
// Lines 1-3; the first value is on line 4.
const std::string kHead = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\T]\r\n";
const std::string kSet = kHead + "\"a\"=\"1\"\r\n"; // a value that a refusal must not land

// A narrow file of kSet and then tail, refused at line for reason.
ImportCase Refused(const std::string& tail, int line, const char* reason) {
    return {kNarrow, kSet + tail, "", line, reason};
}

void CheckImports(const std::vector<ImportCase>& table) {
    for (const ImportCase& row : table) {
        const TemporaryHives hives;
        const std::string file = (hives.Folder() / "import.reg").string();
        WriteFileBytes(file, row.encoding == Encoding::Utf16      ? reg::UnicodeFileBytes(row.text)
                             : row.encoding == Encoding::Utf8Mark ? "\xEF\xBB\xBF" + row.text
                                                                  : row.text);
        std::ostringstream out, errors;
        const int status = reg::RunRegCommand({"import", file}, out, errors,
                                              [](const std::string&) { return false; });
        const std::string err = errors.str();
        if (row.refusedLine == 0) {
            EXPECT_EQ(status, 0) << row.text << err;
        } else {
            const std::string start =
                "ERROR: " + file + ", line " + std::to_string(row.refusedLine) + ": ";
            EXPECT_TRUE(status == 1 && err.starts_with(start) &&
                        err.find(row.reason) != std::string::npos)
                << row.text << "\n"
                << err;
        }
        EXPECT_EQ(StoreShown(), row.stored) << row.text;
    }
}

// The HKEY_CLASSES_ROOT key that a real file deletes and writes again, with text after
// its closing bracket.
TEST(RegFile, KeyLinesIgnoreWhatFollowsTheLastBracket) {
    const std::string command = "[HKEY_CLASSES_ROOT\\ssh\\shell\\open\\command]";
    const std::string classes =
        "[HKLM\\Software] [HKLM\\Software\\Classes] "
        "[HKLM\\Software\\Classes\\ssh] [HKLM\\Software\\Classes\\ssh\\shell]"
        " [HKLM\\Software\\Classes\\ssh\\shell\\open] "
        "[HKLM\\Software\\Classes\\ssh\\shell\\open\\command]";
    CheckImports({
        {kWide,
         "Windows Registry Editor Version 5.00\r\n\r\n" + command + "\r\n@=\"old\"\r\n\r\n[-" +
             command.substr(1) + "\\\r\n" + command + "\r\n@=\"\\\"C:\\\\ssh.exe\\\" %1\"\r\n",
         classes + " =REG_SZ:\"\"C:\\ssh.exe\" %1\\0\""},
        {kNarrow, "REGEDIT4\r\n[HKCU\\T]] ;x\r\n[HKCU\\U]junk\r\n", "[HKCU\\T]] [HKCU\\U]"},
        Refused("[HKCU\\U\r\n", 5, "must end with ]"),
        // A deletion takes the key's subkeys, not its namesakes; bare line feeds end lines too.
        {kNarrow,
         "REGEDIT4\n\n[HKCU\\Old\\Child]\n\"x\"=\"1\"\n[HKCU\\Older]\n[-HKEY_CURRENT_USER\\Old]\n\n"
         "[HKCU\\Keep]\n\"gone\"=\"1\"\n\"gone\"=-\n\"bytes\"=hex:01,\\\n  02,03\n@=\"x\"\n",
         "[HKCU\\Keep] bytes=REG_BINARY:01,02,03 =REG_SZ:\"x\\0\" [HKCU\\Older]"},
        // A final backslash goes on with a hex list only, never a comment or a key line.
        {kWide,
         kHead + "[HKCU\\A]\r\n; ends in a backslash \\\r\n[HKCU\\B]\r\n\"v\"=hex:01,\\\r\n  "
                 "02,\\\r\n\t03\r\n;\\\r\n\"w\"=\"2\"\r\n",
         "[HKCU\\A] [HKCU\\B] v=REG_BINARY:01,02,03 w=REG_SZ:\"2\\0\" [HKCU\\T]"},
    });
}

TEST(RegFile, CommentsFollowDataAndFillLinesOfAHexListAndBlanksAreAllowed) {
    CheckImports({
        {kNarrow, kHead + "\"v\"=\"x\" ;comment\r\n", "[HKCU\\T] v=REG_SZ:\"x\\0\""},
        {kNarrow, kHead + "\"v\"=\"x\";comment\r\n", "[HKCU\\T] v=REG_SZ:\"x\\0\""},
        {kNarrow, kHead + "\"v\"=\"x;y\" ; \"z\"\r\n", "[HKCU\\T] v=REG_SZ:\"x;y\\0\""},
        {kNarrow, kHead + "\"v\"=dword:01020304 ;comment\r\n", "[HKCU\\T] v=REG_DWORD:04,03,02,01"},
        {kNarrow, kHead + "\"v\"=hex:01,02;comment\r\n", "[HKCU\\T] v=REG_BINARY:01,02"},
        {kNarrow, kHead + "\"v\"=hex:01,\\;comment\r\n  02\r\n", "[HKCU\\T] v=REG_BINARY:01,02"},
        {kNarrow,
         kHead + "\"v\"=hex:01,\\\r\n; one\r\n\r\n  # two\r\n#three\r\n  02,\\ ;\r\n03\r\n",
         "[HKCU\\T] v=REG_BINARY:01,02,03"},
        {kNarrow, kHead + "; a comment that ends in a backslash \\\r\n\"v\"=\"x\"\r\n",
         "[HKCU\\T] v=REG_SZ:\"x\\0\""},
        {kNarrow, "REGEDIT4\r\n  # before any key\r\n\t; and another\r\n[HKCU\\T]\r\n",
         "[HKCU\\T]"},
        Refused("\"v\"=\"x\" #comment\r\n", 5, "unexpected text after the value"),
        Refused("\"v\"=dword:00000001#c\r\n", 5, "unexpected text"),
        Refused("\"v\"=hex:01 #c\r\n", 5, "a comma was expected"),
        // Blanks and tabs around = and after dword:, and a trailing comma.
        {kWide, kHead + "\"p\"=hex(2):25,00,41,00,25,00,00,00,\r\n",
         "[HKCU\\T] p=REG_EXPAND_SZ:\"%A%\\0\""},
        {kNarrow, kHead + "\"v\"=hex:01,\\\r\n  02,\r\n", "[HKCU\\T] v=REG_BINARY:01,02"},
        {kNarrow, kHead + "@ = dword:00000008\r\n", "[HKCU\\T] =REG_DWORD:08,00,00,00"},
        {kNarrow, kHead + "\"v\"=dword:  00000008\r\n", "[HKCU\\T] v=REG_DWORD:08,00,00,00"},
        {kNarrow, kHead + "\"v\"\t=\tdword:\t0000002a\t;\r\n", "[HKCU\\T] v=REG_DWORD:2a,00,00,00"},
        {kNarrow, kHead + "\t\"v\"=hex:\t01 ,\t02\r\n", "[HKCU\\T] v=REG_BINARY:01,02"},
        {kNarrow, kHead + "\"v\"=hex:\r\n\"w\"=hex:,\r\n", "", 5, "\"\" is not a hexadecimal byte"},
        Refused("\"v\"=hex:01,,02\r\n", 5, "\"\" is not a hexadecimal byte"),
        Refused("\"v\"=dword :1\r\n", 5, "not in a known form"),
    });
}

// Headers may be indented and go on; strings take the escapes of line breaks and zeros. The
// byte-order mark, not the header, tells how string bytes are read: hex(2) is an expandable
// string, hex(7) a multi-string, and a wide file holds them as UTF-16LE.
TEST(RegFile, HeadersStringEscapesAndTheByteOrderMarkTellHowStringsAreRead) {
    const std::string path = "\"p\"=hex(2):25,50,41,54,48,25,00\r\n";
    const std::string v5 = "Windows Registry Editor Version 5.00\r\n\r\n[HKCU\\T]\r\n";
    CheckImports({
        {kNarrow, "\tREGEDIT4 exported by hand\r\n[HKCU\\T]\r\n", "[HKCU\\T]"},
        {kWide, " Windows Registry Editor Version 5.00 \r\n[HKCU\\T]\r\n", "[HKCU\\T]"},
        {kWide, "Windows Registry Editor Version 5.00; x\r\n[HKCU\\T]\r\n", "[HKCU\\T]"},
        {kNarrow, "REGEDIT\r\n[HKCU\\T]\r\n", "", 1, "the first line must be"}, // Windows 3.1
        {kNarrow, "\r\nREGEDIT4\r\n[HKCU\\T]\r\n", "", 1, "the first line must be"},
        {kWide, "Windows Registry Editor Version 4.00\r\n", "", 1, "the first line must be"},
        {kNarrow, kHead + "\"v\"=\"line1\\nline2\"\r\n", "[HKCU\\T] v=REG_SZ:\"line1\\nline2\\0\""},
        {kWide, kHead + "\"v\"=\"a\\r\\nb\\0c\"\r\n", "[HKCU\\T] v=REG_SZ:\"a\\r\\nb\\0c\\0\""},
        {kNarrow, kHead + "\"v\\n\"=\"\\\\\\\"\"\r\n", "[HKCU\\T] v\n=REG_SZ:\"\\\"\\0\""},
        Refused("\"v\"=\"\\t\"\r\n", 5, "may follow a backslash"),
        Refused("\"v\"=\"a\\\"\r\n", 5, "no closing quotation mark"),
        Refused("\"a\\0b\"=\"x\"\r\n", 5, "NUL character"),
        Refused("\"a\0b\"=\"x\"\r\n"s, 5, "NUL character"),
        // The byte-order mark, not the header, tells how string bytes are read.
        {kNarrow, v5 + path, "[HKCU\\T] p=REG_EXPAND_SZ:\"%PATH%\\0\""},
        {Encoding::Utf8Mark, v5 + path, "[HKCU\\T] p=REG_EXPAND_SZ:\"%PATH%\\0\""},
        {kWide, kHead + "\"p\"=hex(2):25,00,50,00,00,00\r\n",
         "[HKCU\\T] p=REG_EXPAND_SZ:\"%P\\0\""},
        {kNarrow, kHead + "\"p\"=hex(2):25,41,25\r\n", "[HKCU\\T] p=REG_EXPAND_SZ:\"%A%\\0\""},
        {kNarrow, kHead + "\"m\"=hex(7):61,00,62\r\n", "[HKCU\\T] m=REG_MULTI_SZ:\"a\\0b\\0\""},
        {kNarrow, kHead + "\"s\"=hex(1):61\r\n\"e\"=hex(2):\r\n",
         "[HKCU\\T] s=REG_SZ:\"a\" e=REG_EXPAND_SZ:\"\""},
        {kNarrow, kHead + "\"v\"=\"M\xC3\xA9xico\"\r\n", "[HKCU\\T] v=REG_SZ:\"M\xC3\xA9xico\\0\""},
        Refused("\"v\"=\"\xA5\x78\xA5\x5F\"\r\n", 5, "not UTF-8"), // Big5
        Refused("\"v\"=hex(1):a5,78,00\r\n", 5, "not UTF-8"),
        {kWide, kSet + "\"m\"=hex(7):61,00,62\r\n", "", 5, "not UTF-16"},    // odd
        {kWide, kSet + "\"s\"=hex(1):00,d8,78,00\r\n", "", 5, "not UTF-16"}, // a lone surrogate
    });
}

// Where the registry editor would skip a line and import the rest, the whole file is refused.
// A backslash goes on only where a byte may follow, and only to a line that starts with one.
TEST(RegFile, WhatTheEditorWouldSkipRefusesTheWholeFile) {
    CheckImports({
        Refused("\"v\"=hex:01,20\\\r\n  ,63\r\n", 5, "only after a comma"),
        Refused("\"v\"=hex:01,\\\r\n\\\r\n  02\r\n", 6, "must go on with a byte"),
        Refused("\"v\"=hex:01,\\\r\n  ,02\r\n", 6, "must go on with a byte"),
        Refused("\"v\"=hex:01,\\", 5, "the file ends where the hex list goes on"),
        Refused("\"v\"=hex:01,\\\r\n\r\n; gone\r\n", 5, "the file ends"),
        Refused("\"v\"=hex:01,\\\r\n  2\r\n", 6, "\"2\" is not a hexadecimal byte"),
        Refused("\"v\"=hex:01,\\\r\n  zz\r\n", 6, "must go on with a byte"),
        Refused("\\\r\n", 5, "a quotation mark was expected"),
        Refused("\"b\"=hex:100,02\r\n", 5, "\"100\" is not a hexadecimal byte"),
        Refused("junk\r\n\"b\"=\"2\"\r\n", 5, "a quotation mark was expected"),
        {kNarrow, "REGEDIT4\r\n\"v\"=\"1\"\r\n", "", 2, "a value must follow a [key] line"},
        Refused("[HKEY_USERS\\x]\r\n", 5, "not a key under HKCU, HKLM or HKCR"),
        Refused("[-HKCU\\T\0Junk]\r\n"s, 5, "NUL character"),
        Refused("[-HKCU\\U]\r\n\"v\"=\"1\"\r\n", 6, "a key being deleted"),
        Refused("\"d\"=dword:123456789\r\n", 5, "up to 8 hexadecimal digits"),
        Refused("\"s\"=text\r\n", 5, "not in a known form"),
        Refused("\"s\" \"x\"\r\n", 5, "= was expected"),
        Refused("\"s\"=\"open\r\n", 5, "no closing quotation mark"),
    });
}

} // namespace
