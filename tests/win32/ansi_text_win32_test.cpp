// The double-byte aware text functions against the system's own: CharNextA for where characters
// are, CharUpperBuffA for upper case.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "common/ansi_text.h"

namespace tarvoline {
namespace {

std::string Hex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (const char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
        out += buffer;
    }
    return out;
}

std::string SystemUpperCase(std::string_view text) {
    std::string buffer(text);
    CharUpperBuffA(buffer.data(), static_cast<DWORD>(buffer.size()));
    return buffer;
}

TEST(AnsiTextSystemTest, AnsiCodePageIs932) {
    EXPECT_EQ(GetACP(), 932u);
}

TEST(AnsiTextSystemTest, CharacterLengthsLikeCharNext) {
    for (unsigned first = 1; first <= 0xFF; ++first) {
        for (unsigned second = 0; second <= 0xFF; ++second) {
            const char text[] = {static_cast<char>(first), static_cast<char>(second), 'A', '\0'};
            const std::string_view view(text, 3); // a NUL second byte stays inside the text
            EXPECT_EQ(CharLengthAt(view, 0), static_cast<std::size_t>(CharNextA(text) - text)) << Hex(view);
        }
    }
}

TEST(AnsiTextSystemTest, CharacterCountLikeCharNextOnRandomText) {
    std::mt19937 random(932);
    const char bytes[] = {'a', '\\', '\x80', '\x81', '\x40', '\x95', '\xA0', '\xB1', '\xE0', '\xFC', '\xFD', '\x20'};
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> byte(0, std::size(bytes) - 1);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (std::size_t i = length(random); i > 0; --i)
            text += bytes[byte(random)];
        std::size_t count = 0;
        for (const char* p = text.c_str(); *p != '\0'; p = CharNextA(p))
            ++count;
        ASSERT_EQ(CharacterCount(text), count) << Hex(text);
    }
}

TEST(AnsiTextSystemTest, UpperCasesEveryCharacterLikeTheSystem) {
    for (unsigned byte = 1; byte <= 0xFF; ++byte) {
        // A lead byte alone: the system leaves it, as we do.
        const std::string text(1, static_cast<char>(byte));
        EXPECT_EQ(Hex(AnsiUpperCase(text)), Hex(SystemUpperCase(text))) << Hex(text);
    }
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead)))
            continue;
        for (unsigned trail = 1; trail <= 0xFF; ++trail) {
            const std::string text{static_cast<char>(lead), static_cast<char>(trail), 'a'};
            ASSERT_EQ(Hex(AnsiUpperCase(text)), Hex(SystemUpperCase(text))) << Hex(text);
        }
    }
}

TEST(AnsiTextSystemTest, UpperCasesTrickyTextLikeTheSystem) {
    // Not compared: a lead byte before a NUL, where the system's result shifts the rest of the buffer.
    const std::string_view texts[] = {
        "C:\\表示\\ソフト\\file.txt", "ａｂｃ ＢＣＹ ヂッツホ", "αβγ абвё ⅰⅱ", "ｱｲｳ abc ～",
        "\xED\x40\xEE\xEF\x87\x90",   "x\x81\x20y\x85\x40z",    "abc\x81",
    };
    for (const std::string_view text : texts)
        EXPECT_EQ(Hex(AnsiUpperCase(text)), Hex(SystemUpperCase(text))) << text;
}

} // namespace
} // namespace tarvoline
