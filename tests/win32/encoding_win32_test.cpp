// The portable code page 932 converter against the system's: same UTF-16 for every byte sequence
// that matters, same bytes (or the same refusal) for every UTF-16 unit.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <string_view>

#include "common/ansi_text.h"
#include "common/encoding.h"

namespace tarvoline {
namespace {

using namespace std::string_view_literals;

constexpr UINT kCodePage = 932;

std::u16string SystemDecode(std::string_view bytes) {
    if (bytes.empty())
        return {};
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(kCodePage, 0, bytes.data(), length, nullptr, 0);
    std::u16string text(static_cast<std::size_t>(needed), u'\0');
    MultiByteToWideChar(kCodePage, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), needed);
    return text;
}

std::optional<std::string> SystemEncode(std::u16string_view text) {
    if (text.empty())
        return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int needed =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), needed, nullptr, &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return bytes;
}

std::string Hex(std::string_view bytes) {
    std::string out;
    char buffer[4];
    for (const char c : bytes) {
        std::snprintf(buffer, sizeof buffer, "%02X ", static_cast<unsigned char>(c));
        out += buffer;
    }
    return out;
}

std::string Hex(std::u16string_view text) {
    std::string out;
    char buffer[6];
    for (const char16_t c : text) {
        std::snprintf(buffer, sizeof buffer, "%04X ", static_cast<unsigned>(c));
        out += buffer;
    }
    return out;
}

std::string Show(const std::optional<std::string>& bytes) {
    return bytes ? Hex(*bytes) : "refused";
}

TEST(Cp932SystemTest, AnsiCodePageIs932) {
    // unit_tests.exe relies on this too: it runs the same expectations against the system conversion.
    EXPECT_EQ(GetACP(), kCodePage);
}

TEST(Cp932SystemTest, DecodesTrickyTextLikeTheSystem) {
    const std::string_view texts[] = {
        ""sv,
        "C:\\表示\\ソフト\\予定.txt"sv,
        "能力 ｱｲｳ ~\\"sv,
        "\x80\xA0\xFD\xFE\xFF"sv,
        "\xF0\x40\xF5\x9E\xF9\xFC"sv,
        "\x87\x40\x87\x9C\xED\x40\xEE\xFC\xFA\x40\xFC\x4B"sv,
        "\x81"sv,
        "A\x81"sv,
        "\x81\0B"sv,
        "\x81\x20Z"sv,
        "\x81\x7F\x81\xFD\x81\xFF"sv,
        "\x85\x40\x86\x9F\xEF\x40\xFC\x4C\xFC\xFC"sv,
        "\xA0\x81\x40\x80\xE0"sv,
    };
    for (const std::string_view bytes : texts) {
        EXPECT_EQ(Hex(cp932::Decode(bytes)), Hex(SystemDecode(bytes))) << Hex(bytes);
    }
}

TEST(Cp932SystemTest, EncodesTrickyTextLikeTheSystem) {
    const std::u16string_view texts[] = {
        u""sv,
        u"C:\\表示\\ソフト\\予定.txt"sv,
        u"A\0B"sv,
        u"\u0080\uF8F0\uF8F1\uF8F3\uE000\uE757"sv,
        u"\u2170\u2160\u7E8A\uFFE2\u2235\u2252\u2261\u221A\uFFE4\uFF07"sv, // characters with two or three codes
        u"\u30FB\uFF5E\uFF3C\u2015\uFF0D"sv,
        u"\u00A5"sv,
        u"\u203E"sv,
        u"\u00A2\u00A3\u00AC"sv,
        u"\u2016\u2212\u301C"sv,
        u"\u00E9\u20AC\u00B5"sv,
        u"\U0001F600"sv,
        u"\xD800"sv,
        u"A\xDFFF"sv,
    };
    for (const std::u16string_view text : texts) {
        EXPECT_EQ(Show(cp932::Encode(text)), Show(SystemEncode(text))) << Hex(text);
    }
}

TEST(Cp932SystemTest, DecodesEverySingleByteLikeTheSystem) {
    for (unsigned byte = 0; byte <= 0xFF; ++byte) {
        const char raw = static_cast<char>(byte);
        EXPECT_EQ(Hex(cp932::Decode(std::string_view(&raw, 1))), Hex(SystemDecode(std::string_view(&raw, 1))))
            << std::hex << byte;
    }
}

TEST(Cp932SystemTest, DecodesEveryLeadAndSecondByteLikeTheSystem) {
    int checked = 0;
    for (unsigned lead = 0x80; lead <= 0xFF; ++lead) {
        for (unsigned trail = 0; trail <= 0xFF; ++trail) {
            // With a character after it too, so that how many bytes the pair takes shows.
            const char raw[] = {static_cast<char>(lead), static_cast<char>(trail), 'A'};
            for (const std::size_t length : {std::size_t{2}, std::size_t{3}}) {
                const std::string_view bytes(raw, length);
                ASSERT_EQ(Hex(cp932::Decode(bytes)), Hex(SystemDecode(bytes))) << Hex(bytes);
                ++checked;
            }
        }
    }
    EXPECT_EQ(checked, 128 * 256 * 2);
}

TEST(Cp932SystemTest, EncodesEveryBmpUnitLikeTheSystem) {
    int encodable = 0;
    for (unsigned c = 0; c <= 0xFFFF; ++c) {
        const char16_t unit = static_cast<char16_t>(c);
        const std::u16string_view text(&unit, 1);
        const std::optional<std::string> ours = cp932::Encode(text);
        ASSERT_EQ(Show(ours), Show(SystemEncode(text))) << std::hex << c;
        if (ours)
            ++encodable;
    }
    // Lone surrogates included: both refuse all of them.
    EXPECT_GT(encodable, 7000);
}

TEST(Cp932SystemTest, RandomTextLikeTheSystem) {
    std::mt19937 random(932);
    const char bytes[] = {'\0',   'a',    '\\',   '\x5C', '\x80', '\x81', '\x40', '\x95', '\xA0', '\xB1',
                          '\xE0', '\xED', '\xF0', '\xFA', '\xFC', '\xFD', '\xFF', '\x20', '\x7F'};
    const char16_t units[] = {u'a',      u'\\',     u'\0',     u'\u00A5', u'\u3042', u'\u8868', u'\u7E8A', u'\u2170',
                              u'\uE000', u'\uF8F0', u'\uFF71', u'\xD83D', u'\xDE00', u'\u00E9', u'\u30FB'};
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> byte(0, std::size(bytes) - 1);
    std::uniform_int_distribution<std::size_t> unit(0, std::size(units) - 1);
    for (int round = 0; round < 3000; ++round) {
        std::string raw;
        for (std::size_t i = length(random); i > 0; --i)
            raw += bytes[byte(random)];
        ASSERT_EQ(Hex(cp932::Decode(raw)), Hex(SystemDecode(raw))) << Hex(raw);
        std::u16string text;
        for (std::size_t i = length(random); i > 0; --i)
            text += units[unit(random)];
        ASSERT_EQ(Show(cp932::Encode(text)), Show(SystemEncode(text))) << Hex(text);
    }
}

} // namespace
} // namespace tarvoline
