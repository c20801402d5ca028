#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "common/ansi_text.h"

// Narrow literals are code page 932: 表 is 0x95 0x5C, ソ 0x83 0x5C, 能 0x94 0x5C, 予 0x97 0x5C, and
// the full-width capitals Ｂ..Ｙ and the katakana ヂ..ホ have second bytes 0x61..0x7A.

namespace tarvoline {
namespace {

using namespace std::string_view_literals;
constexpr auto npos = std::string_view::npos;

std::string Show(std::string_view text) {
    return ::testing::PrintToString(std::string(text));
}

TEST(AnsiTextTest, LeadBytes) {
    struct Case {
        unsigned char byte;
        bool lead;
    };
    const Case cases[] = {{0x00, false}, {0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true},  {0xA0, false},
                          {0xB1, false}, {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {0xFF, false}};
    for (const Case& c : cases)
        EXPECT_EQ(IsLeadByte(c.byte), c.lead) << std::hex << int(c.byte);
}

TEST(AnsiTextTest, CharacterCount) {
    struct Case {
        std::string_view text;
        std::size_t count;
    };
    const Case cases[] = {
        {""sv, 0},         {"abc"sv, 3}, {"表示\\"sv, 3}, {"ｱｲｳ"sv, 3}, // half-width katakana are single bytes
        {"A\x81"sv, 2},                                                 // lead byte at the end
        {"\x81\0B"sv, 3},                                               // lead byte before NUL
        {"\x81\x20"sv, 1}, // invalid pair, still one character, as the system reads it
    };
    for (const Case& c : cases)
        EXPECT_EQ(CharacterCount(c.text), c.count) << Show(c.text);
}

struct PathCase {
    std::string_view path;
    std::size_t lastBackslash;
    bool trailingBackslash;
    std::string_view fileName;
    std::string_view filePath;
    std::string_view fileDir;
    std::string_view fileExt;
};

const PathCase kPathCases[] = {
    {"C:\\dir\\name.ext"sv, 6, false, "name.ext"sv, "C:\\dir\\"sv, "C:\\dir"sv, ".ext"sv},
    {"C:\\表"sv, 2, false, "表"sv, "C:\\"sv, "C:\\"sv, ""sv}, // ends in a second byte 0x5C
    {"C:\\表\\"sv, 5, true, ""sv, "C:\\表\\"sv, "C:\\表"sv, ""sv},
    {"C:\\ソフト\\能力.txt"sv, 9, false, "能力.txt"sv, "C:\\ソフト\\"sv, "C:\\ソフト"sv, ".txt"sv},
    {"予定表"sv, npos, false, "予定表"sv, ""sv, ""sv, ""sv},
    {"C:\\"sv, 2, true, ""sv, "C:\\"sv, "C:\\"sv, ""sv},
    {"C:"sv, npos, false, ""sv, "C:"sv, "C:"sv, ""sv},
    {"C:name.txt"sv, npos, false, "name.txt"sv, "C:"sv, "C:"sv, ".txt"sv},
    {"\\\\server\\share\\予定.doc"sv, 14, false, "予定.doc"sv, "\\\\server\\share\\"sv, "\\\\server\\share"sv,
     ".doc"sv},
    {"\\\\server\\share"sv, 8, false, "share"sv, "\\\\server\\"sv, "\\\\server"sv, ""sv},
    {"\\"sv, 0, true, ""sv, "\\"sv, "\\"sv, ""sv},
    {"name"sv, npos, false, "name"sv, ""sv, ""sv, ""sv},
    {"C:\\dir.v2\\README"sv, 9, false, "README"sv, "C:\\dir.v2\\"sv, "C:\\dir.v2"sv, ""sv}, // dot in a folder
    {"C:\\dir\\archive.tar.gz"sv, 6, false, "archive.tar.gz"sv, "C:\\dir\\"sv, "C:\\dir"sv, ".gz"sv},
    {"C:\\dir\\name."sv, 6, false, "name."sv, "C:\\dir\\"sv, "C:\\dir"sv, "."sv},
    {""sv, npos, false, ""sv, ""sv, ""sv, ""sv},
};

TEST(AnsiTextTest, PathParts) {
    for (const PathCase& c : kPathCases) {
        SCOPED_TRACE(Show(c.path));
        EXPECT_EQ(LastBackslash(c.path), c.lastBackslash);
        EXPECT_EQ(HasTrailingBackslash(c.path), c.trailingBackslash);
        EXPECT_EQ(ExtractFileName(c.path), c.fileName);
        EXPECT_EQ(ExtractFilePath(c.path), c.filePath);
        EXPECT_EQ(ExtractFileDir(c.path), c.fileDir);
        EXPECT_EQ(ExtractFileExt(c.path), c.fileExt);
    }
}

TEST(AnsiTextTest, IncludeAndExcludeTrailingBackslash) {
    struct Case {
        std::string_view path;
        std::string_view included;
        std::string_view excluded;
    };
    const Case cases[] = {
        {"C:\\dir"sv, "C:\\dir\\"sv, "C:\\dir"sv},
        {"C:\\dir\\"sv, "C:\\dir\\"sv, "C:\\dir"sv},
        {"C:\\表"sv, "C:\\表\\"sv, "C:\\表"sv}, // the 0x5C of 表 is not a backslash
        {"C:\\ソ\\"sv, "C:\\ソ\\"sv, "C:\\ソ"sv},
        {"C:\\"sv, "C:\\"sv, "C:"sv},
        {"\\"sv, "\\"sv, ""sv},
        {""sv, "\\"sv, ""sv},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.path));
        EXPECT_EQ(IncludeTrailingBackslash(c.path), c.included);
        EXPECT_EQ(ExcludeTrailingBackslash(c.path), c.excluded);
    }
}

TEST(AnsiTextTest, UpperCase) {
    struct Case {
        std::string_view text;
        std::string_view upper;
    };
    const Case cases[] = {
        {"abc xyz ABC 123 {|}"sv, "ABC XYZ ABC 123 {|}"sv},
        {"ａｂｃｘｙｚ"sv, "ＡＢＣＸＹＺ"sv},
        {"ＢＣＹ ヂッツホ"sv, "ＢＣＹ ヂッツホ"sv}, // second bytes 0x61..0x7A are not letters
        {"αβωΩ"sv, "ΑΒΩΩ"sv},
        {"абвёя"sv, "АБВЁЯ"sv},
        {"\xFA\x40\xEE\xF8"sv, "\x87\x54\x87\x5D"sv}, // small Roman numerals one and ten
        {"表示\\ｱｲ.txt"sv, "表示\\ｱｲ.TXT"sv},
        {"\xED\x40"sv, "\xFA\x5C"sv},   // 纊: the NEC-selected code comes out as the system's code
        {"\x81\x20z"sv, "\x81\x45Z"sv}, // an invalid pair comes out as ・, as the system does
        {"a\x81"sv, "A\x81"sv},         // a lone lead byte stays
        {"\x81\0a"sv, "\x81\0A"sv},
        {""sv, ""sv},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnsiUpperCase(c.text), c.upper) << Show(c.text);
}

TEST(AnsiTextTest, SameTextIgnoringCase) {
    struct Case {
        std::string_view a;
        std::string_view b;
        bool same;
    };
    const Case cases[] = {
        {"Report.TXT"sv, "report.txt"sv, true},
        {"ｆｉｌｅ"sv, "ＦＩＬＥ"sv, true},
        {"表示"sv, "表示"sv, true},
        {"\xED\x40"sv, "\xFA\x5C"sv, true}, // one character, two codes
        {"ヂ"sv, "ア"sv, false},            // 0x83 0x61 and 0x83 0x41
        {"ａ"sv, "A"sv, false},
        {"abc"sv, "abcd"sv, false},
        {""sv, ""sv, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameTextIgnoringCase(c.a, c.b), c.same) << Show(c.a) << " " << Show(c.b);
}

TEST(AnsiTextTest, FindTextOnlyOnCharacterBoundaries) {
    struct Case {
        std::string_view haystack;
        std::string_view needle;
        std::size_t from;
        std::size_t found;
    };
    const Case cases[] = {
        {"C:\\表示\\a.txt"sv, "\\"sv, 3, 7}, // skips the 0x5C of 表
        {"表"sv, "\\"sv, 0, npos},
        {"アA"sv, "A"sv, 0, 2}, // not the second byte of ア
        {"ヂ"sv, "a"sv, 0, npos},
        {"A表"sv, "A\x95"sv, 0, npos}, // would end inside 表
        {"abcabc"sv, "abc"sv, 1, 3},
        {"表示表示"sv, "示"sv, 3, 6},
        {"表A"sv, ""sv, 1, 2}, // from inside a character: the next one
        {"abc"sv, ""sv, 3, 3},
        {"abc"sv, "c"sv, 4, npos},
        {""sv, "a"sv, 0, npos},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindText(c.haystack, c.needle, c.from), c.found) << Show(c.haystack) << " " << Show(c.needle);
    }
}

TEST(AnsiTextTest, ContainsText) {
    struct Case {
        std::string_view haystack;
        std::string_view needle;
        bool contains;
        bool containsIgnoringCase;
    };
    const Case cases[] = {
        {"Report.TXT"sv, ".txt"sv, false, true}, {"ｆｉｌｅ名"sv, "ＩＬＥ"sv, false, true},
        {"ア"sv, "a"sv, false, false}, // 0x83 0x41: no 'A' in it
        {"ヂ"sv, "A"sv, false, false}, // 0x83 0x61
        {"予定表\\"sv, "表\\"sv, true, true},    {"予定表"sv, "\\"sv, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.haystack) + " " + Show(c.needle));
        EXPECT_EQ(ContainsText(c.haystack, c.needle), c.contains);
        EXPECT_EQ(ContainsTextIgnoringCase(c.haystack, c.needle), c.containsIgnoringCase);
    }
}

TEST(AnsiTextTest, TrimBlanks) {
    struct Case {
        std::string_view text;
        std::string_view both;
        std::string_view left;
        std::string_view right;
    };
    const Case cases[] = {
        {" \t\r\nabc d \x01\0"sv, "abc d"sv, "abc d \x01\0"sv, " \t\r\nabc d"sv},
        {" 表 "sv, "表"sv, "表 "sv, " 表"sv},
        {"ａ\x81\x40"sv, "ａ\x81\x40"sv, "ａ\x81\x40"sv, "ａ\x81\x40"sv}, // full-width space is text
        {"x\x81\x20"sv, "x\x81\x20"sv, "x\x81\x20"sv, "x\x81\x20"sv},     // 0x20 here is a second byte
        {"   "sv, ""sv, ""sv, ""sv},
        {""sv, ""sv, ""sv, ""sv},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Show(c.text));
        EXPECT_EQ(TrimBlanks(c.text), c.both);
        EXPECT_EQ(TrimLeftBlanks(c.text), c.left);
        EXPECT_EQ(TrimRightBlanks(c.text), c.right);
    }
}

} // namespace
} // namespace tarvoline
