#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "common/ansi_text.h"
#include "common/encoding.h"

// These run natively against the portable tables and, cross-built, under Wine against the system's
// conversion: both must give the same answers.

namespace tarvoline {
namespace {

using namespace std::string_view_literals;

std::string Bytes(std::u8string_view utf8) {
    return std::string(utf8.begin(), utf8.end());
}

using DecodeFunction = std::function<std::u16string(std::string_view)>;
using EncodeFunction = std::function<std::optional<std::string>(std::u16string_view)>;

// The public conversion (the system's on Windows) and the portable one.
const std::pair<const char*, DecodeFunction> kDecoders[] = {{"AnsiToUtf16", AnsiToUtf16},
                                                            {"cp932::Decode", cp932::Decode}};
const std::pair<const char*, EncodeFunction> kEncoders[] = {{"Utf16ToAnsi", Utf16ToAnsi},
                                                            {"cp932::Encode", cp932::Encode}};

TEST(Cp932LiteralsTest, NarrowLiteralsAreCodePage932) {
    // Everything below relies on the compiler writing these as code page 932.
    EXPECT_EQ("表"sv, "\x95\x5C"sv);
    EXPECT_EQ("ソ"sv, "\x83\x5C"sv);
    EXPECT_EQ("能"sv, "\x94\x5C"sv);
    EXPECT_EQ("予"sv, "\x97\x5C"sv);
    EXPECT_EQ("ｱ"sv, "\xB1"sv);
}

struct DecodeCase {
    std::string_view bytes;
    std::u16string_view text;
};

const DecodeCase kDecodeCases[] = {
    {""sv, u""sv},
    {"ABC\\~"sv, u"ABC\\~"sv}, // 0x5C and 0x7E stay backslash and tilde
    {"C:\\表示\\ソフト"sv, u"C:\\表示\\ソフト"sv},
    {"\xB1\xDF"sv, u"\uFF71\uFF9F"sv},                                     // half-width katakana
    {"\x80\xA0\xFD\xFE\xFF"sv, u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3"sv},       // single bytes outside the JIS table
    {"\xF0\x40\xF9\xFC"sv, u"\uE000\uE757"sv},                             // user-defined area, first and last
    {"\x81\x60\x81\x5F\x81\x5C"sv, u"\uFF5E\uFF3C\u2015"sv},               // ～ ＼ ―
    {"\x87\x40\x87\x90"sv, u"\u2460\u2252"sv},                             // NEC row 13
    {"\xED\x40\xFA\x5C\xEE\xEF\xFA\x40"sv, u"\u7E8A\u7E8A\u2170\u2170"sv}, // NEC-selected and IBM duplicates
    {"A\x81"sv, u"A\u30FB"sv},                                             // lead byte at the end
    {"\x81\0B"sv, u"\u30FB\0B"sv},                                         // lead byte before NUL: NUL is kept
    {"\x81\x20Z"sv, u"\u30FBZ"sv},                                         // invalid second byte is taken with the lead
    {"\x81\x7F\x81\xFD"sv, u"\u30FB\u30FB"sv},
    {"\x85\x40"sv, u"\u30FB"sv}, // valid shape, no character
};

TEST(Cp932Test, DecodesTrickyText) {
    for (const auto& [name, decode] : kDecoders) {
        for (const DecodeCase& c : kDecodeCases) {
            SCOPED_TRACE(std::string(name) + " of \"" + std::string(c.bytes) + "\"");
            EXPECT_EQ(decode(c.bytes), c.text);
        }
    }
}

struct EncodeCase {
    std::u16string_view text;
    std::optional<std::string_view> bytes; // nullopt: refused
};

const EncodeCase kEncodeCases[] = {
    {u""sv, ""sv},
    {u"A\0B"sv, "A\0B"sv},
    {u"C:\\表示\\予定.txt"sv, "C:\\表示\\予定.txt"sv},
    {u"\u0080\uF8F0\uF8F3\uE000\uE757"sv, "\x80\xA0\xFF\xF0\x40\xF9\xFC"sv},
    {u"\u2170\u7E8A\uFFE2\u2235\u2252\u2160"sv, "\xFA\x40\xFA\x5C\x81\xCA\x81\xE6\x81\xE0\x87\x54"sv}, // duplicates
    {u"\u30FB\uFF5E"sv, "\x81\x45\x81\x60"sv},
    {u"\u00A5"sv, std::nullopt}, // yen sign: only a best fit for 0x5C
    {u"\u203E"sv, std::nullopt},
    {u"\u00A2"sv, std::nullopt}, // JIS-style cent, pound and not signs: best fits only
    {u"\u00A3"sv, std::nullopt},
    {u"\u00AC"sv, std::nullopt},
    {u"\u2016\u2212\u301C"sv, std::nullopt},
    {u"caf\u00E9"sv, std::nullopt},
    {u"\u20AC"sv, std::nullopt},
    {u"A\U0001F600"sv, std::nullopt}, // outside the BMP
    {u"\xD800"sv, std::nullopt},      // lone surrogates
    {u"\xDC00 "sv, std::nullopt},
};

TEST(Cp932Test, EncodesTrickyTextOrRefusesIt) {
    for (const auto& [name, encode] : kEncoders) {
        for (std::size_t i = 0; i < std::size(kEncodeCases); ++i) {
            const EncodeCase& c = kEncodeCases[i];
            SCOPED_TRACE(std::string(name) + " case " + std::to_string(i));
            const std::optional<std::string> bytes = encode(c.text);
            ASSERT_EQ(bytes.has_value(), c.bytes.has_value());
            if (bytes) {
                EXPECT_EQ(*bytes, *c.bytes);
            }
        }
    }
}

TEST(Cp932Test, ReplacingConversionPutsAQuestionMarkForEachCharacterWithoutACode) {
    const struct {
        std::u16string_view text;
        std::string_view ansi;
    } cases[] = {
        {u""sv, ""sv},
        {u"\u8868\u30BD\\a"sv, "表ソ\\a"sv},
        {u"caf\u00E9 \u8868"sv, "caf? 表"sv},
        {u"A\U0001F600B"sv, "A?B"sv},  // one character, two units
        {u"\xD800x\xDC00"sv, "?x?"sv}, // lone surrogates
        {u"\U0001F600\U0001F600"sv, "??"sv},
        {u"\u00A5\u20AC\u30FB"sv, "??・"sv}, // no best fit to the yen sign's 0x5C
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.ansi)));
        EXPECT_EQ(Utf16ToAnsiReplacing(c.text), c.ansi);
    }
}

TEST(Cp932Test, EveryEncodableUnitRoundTrips) {
    int encodable = 0;
    for (char32_t c = 0; c < 0x10000; ++c) {
        const char16_t unit = static_cast<char16_t>(c);
        const std::optional<std::string> bytes = cp932::Encode(std::u16string_view(&unit, 1));
        if (!bytes)
            continue;
        ++encodable;
        ASSERT_TRUE(bytes->size() == 1 || (bytes->size() == 2 && IsLeadByte(static_cast<unsigned char>((*bytes)[0]))))
            << std::hex << unsigned(c);
        ASSERT_EQ(cp932::Decode(*bytes), std::u16string(1, unit)) << std::hex << unsigned(c);
    }
    EXPECT_GT(encodable, 7000); // the table is there at all
}

TEST(Cp932Test, EveryTwoByteCodeDecodesToOneUnitThatEncodesBackToAnEquivalentCode) {
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 1; trail <= 0xFF; ++trail) {
            const char raw[] = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string text = cp932::Decode(std::string_view(raw, 2));
            ASSERT_EQ(text.size(), 1u) << std::hex << lead << ' ' << trail;
            if (text[0] == u'\u30FB')
                continue; // not a character, or ・ itself
            const std::optional<std::string> back = cp932::Encode(text);
            ASSERT_TRUE(back.has_value()) << std::hex << lead << ' ' << trail;
            EXPECT_EQ(cp932::Decode(*back), text);
        }
    }
}

TEST(Cp932Test, DecodedLengthEqualsCharacterCount) {
    // The decoder and the double-byte aware text functions must agree on where characters are.
    std::mt19937 random(932);
    std::uniform_int_distribution<int> pick(0, 7);
    const char pieces[] = {'\0', 'a', '\\', '\x81', '\x95', '\xFC', '\xA0', '\xFD'};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int i = pick(random) + pick(random); i > 0; --i)
            text += pieces[pick(random)];
        ASSERT_EQ(cp932::Decode(text).size(), CharacterCount(text)) << ::testing::PrintToString(text);
    }
}

struct Utf8Case {
    std::string_view utf8;
    std::u16string_view text;
    bool valid;
};

const Utf8Case kUtf8Cases[] = {
    {""sv, u""sv, true},
    {"A\0B"sv, u"A\0B"sv, true},
    {"\xE8\xA1\xA8\xE7\xA4\xBA"sv, u"表示"sv, true},
    {"\xC2\xA5\xEF\xBF\xBF"sv, u"\u00A5\uFFFF"sv, true},
    {"\xED\x9F\xBF\xEE\x80\x80"sv, u"\uD7FF\uE000"sv, true}, // around the surrogates
    {"\xF0\x9F\x98\x80"sv, u"\U0001F600"sv, true},
    {"\xF4\x8F\xBF\xBF"sv, u"\U0010FFFF"sv, true},
    // Each maximal broken piece becomes one U+FFFD.
    {"\x80"sv, u"\uFFFD"sv, false},
    {"\xC2"sv, u"\uFFFD"sv, false},
    {"\xC0\xAF"sv, u"\uFFFD\uFFFD"sv, false},                     // overlong '/'
    {"\xE0\x80\x80"sv, u"\uFFFD\uFFFD\uFFFD"sv, false},           // overlong NUL
    {"\xF0\x8F\xBF\xBF"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD"sv, false}, // overlong U+FFFF
    {"\xED\xA0\x80"sv, u"\uFFFD\uFFFD\uFFFD"sv, false},           // encoded surrogate
    {"\xF4\x90\x80\x80"sv, u"\uFFFD\uFFFD\uFFFD\uFFFD"sv, false}, // above U+10FFFF
    {"\xF5\xFF"sv, u"\uFFFD\uFFFD"sv, false},
    {"\xE8\xA1"sv, u"\uFFFD"sv, false},   // cut short at the end
    {"\xE8\xA1Z"sv, u"\uFFFDZ"sv, false}, // cut short in the middle
    {"\xF0\x9F\x98Z"sv, u"\uFFFDZ"sv, false},
    {"\x95\x5C"sv, u"\uFFFD\\"sv, false}, // code page 932 is not UTF-8
};

TEST(Utf8Test, DecodesAndValidates) {
    for (const Utf8Case& c : kUtf8Cases) {
        SCOPED_TRACE(::testing::PrintToString(std::string(c.utf8)));
        EXPECT_EQ(Utf8ToUtf16(c.utf8), c.text);
        EXPECT_EQ(IsValidUtf8(c.utf8), c.valid);
        if (c.valid) {
            EXPECT_EQ(Utf16ToUtf8(c.text), c.utf8);
        }
    }
}

TEST(Utf8Test, LoneSurrogatesBecomeReplacementCharacters) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(Utf16ToUtf8(u"a\xD83D"), "a" + replacement);
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00z"), replacement + "z");
    EXPECT_EQ(Utf16ToUtf8(u"\xDE00\xD83D"), replacement + replacement); // reversed pair
    EXPECT_EQ(Utf16ToUtf8(u"\xD83Dz\xDE00"), replacement + "z" + replacement);
}

TEST(Utf8Test, EveryScalarValueRoundTrips) {
    for (char32_t c = 0; c <= 0x10FFFF; c += (c < 0x10000 ? 1 : 0x3F)) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        std::u16string text;
        if (c < 0x10000) {
            text += static_cast<char16_t>(c);
        } else {
            text += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
        const std::string utf8 = Utf16ToUtf8(text);
        ASSERT_TRUE(IsValidUtf8(utf8)) << std::hex << unsigned(c);
        ASSERT_EQ(Utf8ToUtf16(utf8), text) << std::hex << unsigned(c);
    }
}

TEST(AnsiUtf8Test, ConvertsBothWays) {
    EXPECT_EQ(AnsiToUtf8("C:\\表示\\ｱ.txt"), Bytes(u8"C:\\表示\\ｱ.txt"));
    EXPECT_EQ(AnsiToUtf8("A\x81"), Bytes(u8"A・"));
    EXPECT_EQ(Utf8ToAnsi(Bytes(u8"予定表\\ソ")), std::optional<std::string>("予定表\\ソ"));
    EXPECT_EQ(Utf8ToAnsi(""), std::optional<std::string>(""));
}

TEST(AnsiUtf8Test, RefusesInvalidUtf8AndUnrepresentableText) {
    for (const std::string& utf8 : {std::string("\xC0\xAF"), std::string("\xE8\xA1"), std::string("\x95\x5C"),
                                    Bytes(u8"café"), Bytes(u8"¥100"), Bytes(u8"😀"), Bytes(u8"表\xED\xA0\x80")}) {
        SCOPED_TRACE(::testing::PrintToString(utf8));
        EXPECT_EQ(Utf8ToAnsi(utf8), std::nullopt);
    }
}


TEST(TextFileTest, DecodesByByteOrderMarkAndUtf8WithoutOne) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    // "表A" each way; a lone FF without its pair is no byte order mark.
    const Case cases[] = {
        {"utf8", "\xE8\xA1\xA8" "A"},
        {"utf8 bom", "\xEF\xBB\xBF\xE8\xA1\xA8" "A"},
        {"utf16le", std::string("\xFF\xFE\x68\x88\x41\0", 6)},
        {"utf16be", std::string("\xFE\xFF\x88\x68\0\x41", 6)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DecodeTextFile(c.bytes), u"表A") << c.name;
    EXPECT_EQ(DecodeTextFile(""), u"");
    EXPECT_EQ(DecodeTextFile("\xFF"), u"\xFFFD");
}

TEST(TextFileTest, LossyConversionShowsUnrepresentableCharactersAsQuestionMarks) {
    EXPECT_EQ(Utf16ToAnsiLossy(u"表\u00E9x"), "表?x");
    // A surrogate pair is one character, so one question mark.
    EXPECT_EQ(Utf16ToAnsiLossy(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(Utf16ToAnsiLossy(u"ソ能"), "ソ能");
}

} // namespace
} // namespace tarvoline
