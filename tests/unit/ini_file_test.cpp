#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "listfile/ini_file.h"

namespace tarvoline {
namespace {

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += piece;
    return text;
}

TEST(IniFile, ReadsValuesAsTheProfileFunctionsDo) {
    const std::string text = "; written by hand\r\n"
                             "[Common]\r\n"
                             "  Key One  =  spaced value \t \r\n"
                             "dq=\"quoted\"\r\n"
                             "sq='single'\r\n"
                             "mixed=\"a'\r\n"
                             "inner=a\"b\"\n"
                             "lone=\"\r\n"
                             "emptyquotes=\"\"\r\n"
                             "twice=\"\"x\"\"\r\n"
                             "jp= 日本語の値 \r\n"
                             "noequals\r\n"
                             "empty=\r\n"
                             "dup=first\r\n"
                             "dup=second\r\n"
                             "a=b=c\r\n"
                             "\r\n"
                             "[common]\r\n"
                             "hidden=second section of the same name\r\n"
                             "[ＦＵＬＬ]\r\n"
                             "ｗｉｄｅ=全角";
    const IniFile file = IniFile::Parse(text);
    struct Case {
        const char* section;
        const char* key;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"COMMON", "KEY ONE", "spaced value"},
        {" common\t", " key one ", "spaced value"},
        {"Common", "dq", "quoted"},
        {"Common", "sq", "single"},
        {"Common", "mixed", "\"a'"},
        {"Common", "inner", "a\"b\""},
        {"Common", "lone", "\""},
        {"Common", "emptyquotes", ""},
        {"Common", "twice", "\"x\""},
        {"Common", "jp", "日本語の値"},
        {"Common", "noequals", std::nullopt},
        {"Common", "empty", ""},
        {"Common", "dup", "first"},
        {"Common", "a", "b=c"},
        {"Common", "hidden", std::nullopt},
        {"Common", "missing", std::nullopt},
        {"Nowhere", "dq", std::nullopt},
        {"ＦＵＬＬ", "ｗｉｄｅ", "全角"},
        // Only ASCII letters are folded.
        {"ｆｕｌｌ", "ＷＩＤＥ", std::nullopt},
        // The lines before the first section are reached by the empty name.
        {"", "; written by hand", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(file.Value(c.section, c.key), c.value) << c.section << "/" << c.key;
        EXPECT_EQ(file.KeyExists(c.section, c.key), c.value.has_value()) << c.section << "/" << c.key;
    }
    EXPECT_EQ(file.ReadString("Common", "missing", "default"), "default");
    EXPECT_EQ(file.ReadString("Common", "empty", "default"), "");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Common", "common", "ＦＵＬＬ"}));
}

TEST(IniFile, SectionHeadersEndAtTheirLastRealClosingBracket) {
    // ゾ is 0x83 0x5D: its second byte is "]" but the character is not one.
    const IniFile file = IniFile::Parse(
        "before=1\r\n[ゾーン]\r\nk=1\r\n[ゾーン\r\nk2=2\r\n[a]b] junk\r\nk3=3\r\n[ spaced ]\r\nk4=4\r\n");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"ゾーン", "a]b", "spaced"}));
    EXPECT_EQ(file.Value("ゾーン", "k2"), "2");
    EXPECT_EQ(file.Value("a]b", "k3"), "3");
    EXPECT_EQ(file.Value(" spaced", "k4"), "4");
    EXPECT_EQ(file.Value("", "before"), "1");
}

TEST(IniFile, LinesEndAtCarriageReturnsAndLineFeeds) {
    const IniFile file = IniFile::Parse("[S]\rcr=1\rlf=2\n\n\ncrlf=3\r\n[T]\r\n\r\nlast=4");
    EXPECT_EQ(file.Value("S", "cr"), "1");
    EXPECT_EQ(file.Value("S", "lf"), "2");
    EXPECT_EQ(file.Value("S", "crlf"), "3");
    EXPECT_EQ(file.Value("T", "last"), "4");
}

TEST(IniFile, LongValuesAreCutAt2047BytesBetweenCharacters) {
    struct Case {
        std::string stored;
        std::string expected;
    };
    const Case cases[] = {
        {std::string(2047, 'x'), std::string(2047, 'x')},
        {std::string(3000, 'x'), std::string(2047, 'x')},
        {"\"" + std::string(3000, 'x') + "\"", std::string(2047, 'x')},
        {"a" + Repeat("あ", 1200), "a" + Repeat("あ", 1023)},
        // The 2,047th byte would be the first half of a character: it is left out.
        {Repeat("あ", 1200), Repeat("あ", 1023)},
    };
    for (const Case& c : cases) {
        const IniFile file = IniFile::Parse("[S]\r\nk=" + c.stored + "\r\n");
        EXPECT_EQ(file.Value("S", "k"), c.expected) << c.stored.size();
    }
}

TEST(IniFile, LinesBeforeTheFirstSectionSurviveErasingTheSections) {
    IniFile file = IniFile::Parse("; notes\r\n\r\nstray=1\n[OLD]\r\nk=v\r\n[OLDER]\r\nx=y\r\n");
    file.EraseSections();
    file.WriteString("NEW", "key", "値");
    EXPECT_EQ(file.Serialize(), "; notes\r\n\r\nstray=1\n[NEW]\r\nkey=値\r\n");
    EXPECT_EQ(file.Value("", "stray"), "1");
    // A file without sections is kept whole, ended with a line break.
    IniFile bare = IniFile::Parse("; only a comment");
    bare.EraseSections();
    bare.WriteString("A", "k", "v");
    EXPECT_EQ(bare.Serialize(), "; only a comment\r\n[A]\r\nk=v\r\n");
    EXPECT_EQ(file.SectionNames(), std::vector<std::string>{"NEW"});
    EXPECT_FALSE(file.KeyExists("OLD", "k"));
}

TEST(IniFile, WritesKeysIntoTheFirstSectionOfTheName) {
    IniFile file;
    file.WriteString("COMMON", "COMMENT", "Tarvoline.exe");
    file.WriteString("FILE1", "FILE", "C:\\表\\a.doc");
    file.WriteString("common", "PRT_BUSUU", "2");
    file.WriteString("COMMON", "comment", "replaced");
    EXPECT_EQ(file.Serialize(), "[COMMON]\r\nCOMMENT=replaced\r\nPRT_BUSUU=2\r\n[FILE1]\r\nFILE=C:\\表\\a.doc\r\n");
    const IniFile reread = IniFile::Parse(file.Serialize());
    EXPECT_EQ(reread.Value("file1", "file"), "C:\\表\\a.doc");
    EXPECT_EQ(reread.SectionNames(), (std::vector<std::string>{"COMMON", "FILE1"}));
}

TEST(IniFile, RefusesWhatWouldBreakTheLineStructure) {
    IniFile file;
    EXPECT_THROW(file.WriteString("S", "k", "two\r\nlines"), std::invalid_argument);
    EXPECT_THROW(file.WriteString("S", "k", "cr\ronly"), std::invalid_argument);
    EXPECT_THROW(file.WriteString("S", "k=v", "x"), std::invalid_argument);
    EXPECT_THROW(file.WriteString("S\n", "k", "x"), std::invalid_argument);
    EXPECT_THROW(file.WriteString("", "k", "x"), std::invalid_argument);
    EXPECT_EQ(file.Serialize(), "");
}

} // namespace
} // namespace tarvoline
