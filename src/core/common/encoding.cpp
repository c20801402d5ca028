#include "common/encoding.h"

#include <array>
#include <cstdint>

#include "common/cp932_table.h"
#include "common/encoding_system.h"

namespace tarvoline {

namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Reads one well-formed UTF-8 sequence at pos and advances pos past it. On an ill-formed sequence
// returns -1 and advances past its maximal valid prefix (at least one byte), so each broken
// sequence becomes one U+FFFD, the way the Unicode standard recommends.
std::int32_t ReadUtf8(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(pos++);
    if (first < 0x80)
        return first;

    std::size_t length = 0;
    std::int32_t value = 0;
    unsigned char low = 0x80; // allowed range of the second byte
    unsigned char high = 0xBF;
    if (first >= 0xC2 && first <= 0xDF) {
        length = 2;
        value = first & 0x1F;
    } else if (first >= 0xE0 && first <= 0xEF) {
        length = 3;
        value = first & 0x0F;
        if (first == 0xE0)
            low = 0xA0; // overlong
        if (first == 0xED)
            high = 0x9F; // surrogates
    } else if (first >= 0xF0 && first <= 0xF4) {
        length = 4;
        value = first & 0x07;
        if (first == 0xF0)
            low = 0x90; // overlong
        if (first == 0xF4)
            high = 0x8F; // above U+10FFFF
    } else {
        return -1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (pos >= text.size())
            return -1;
        const unsigned char next = byte(pos);
        if (next < low || next > high)
            return -1;
        low = 0x80;
        high = 0xBF;
        value = (value << 6) | (next & 0x3F);
        ++pos;
    }
    return value;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::int32_t c = ReadUtf8(utf8, pos);
        if (c < 0) {
            out += kReplacement;
        } else if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
            AppendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

bool IsValidUtf8(std::string_view utf8) {
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        if (ReadUtf8(utf8, pos) < 0)
            return false;
    }
    return true;
}

std::u16string AnsiToUtf16(std::string_view ansi) {
    return detail::SystemAnsiToUtf16(ansi);
}

std::optional<std::string> Utf16ToAnsi(std::u16string_view text) {
    return detail::SystemUtf16ToAnsi(text);
}

std::string Utf16ToAnsiReplacing(std::u16string_view text) {
    if (std::optional<std::string> whole = Utf16ToAnsi(text))
        return *whole;
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length =
            IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
        const std::optional<std::string> one = Utf16ToAnsi(text.substr(i, length));
        out += one ? *one : std::string("?");
        i += length;
    }
    return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
    return Utf16ToUtf8(AnsiToUtf16(ansi));
}

std::string Utf16ToAnsiLossy(std::u16string_view text) {
    std::string ansi;
    for (std::size_t pos = 0; pos < text.size();) {
        const bool pair = pos + 1 < text.size() && text[pos] >= 0xD800 && text[pos] <= 0xDBFF &&
                          text[pos + 1] >= 0xDC00 && text[pos + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        const std::optional<std::string> character = Utf16ToAnsi(text.substr(pos, length));
        ansi += character ? *character : std::string("?");
        pos += length;
    }
    return ansi;
}

namespace {
std::u16string Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}
} // namespace

std::u16string DecodeTextFile(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        return Utf8ToUtf16(bytes.substr(3));
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return Utf16FromBytes(bytes.substr(2), false);
    if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        return Utf16FromBytes(bytes.substr(2), true);
    return Utf8ToUtf16(bytes);
}

std::optional<std::string> Utf8ToAnsi(std::string_view utf8) {
    if (!IsValidUtf8(utf8))
        return std::nullopt;
    return Utf16ToAnsi(Utf8ToUtf16(utf8));
}

namespace cp932 {

namespace {

// What the system gives for a byte sequence that is not a character: KATAKANA MIDDLE DOT.
constexpr char16_t kDefaultChar = u'\u30FB';
constexpr std::uint16_t kNoCode = 0xFFFF;

int LeadIndex(unsigned char byte) {
    if (byte >= 0x81 && byte <= 0x9F)
        return byte - 0x81;
    if (byte >= 0xE0 && byte <= 0xFC)
        return byte - 0xE0 + 31;
    return -1;
}

int TrailIndex(unsigned char byte) {
    if (byte >= 0x40 && byte <= 0x7E)
        return byte - 0x40;
    if (byte >= 0x80 && byte <= 0xFC)
        return byte - 0x41;
    return -1;
}

char16_t DecodePair(int lead, unsigned char trail) {
    const int t = TrailIndex(trail);
    if (t < 0)
        return kDefaultChar;
    const char16_t unit = table::kDoubleByte[static_cast<std::size_t>(lead) * table::kTrailCount + t];
    return unit != 0 ? unit : kDefaultChar;
}

// UTF-16 unit -> code, the inverse of the decode tables. Where several codes decode to the same
// character (NEC row 13, NEC-selected IBM extensions 0xED/0xEE, IBM extensions 0xFA..0xFC), Windows
// encodes to the smallest code outside 0xED/0xEE: fill in increasing order, the 0xED/0xEE rows last.
struct EncodeIndex {
    std::array<std::uint16_t, 0x10000> codes;

    EncodeIndex() {
        codes.fill(kNoCode);
        for (unsigned byte = 0; byte < 0x100; ++byte) {
            if (LeadIndex(static_cast<unsigned char>(byte)) < 0)
                codes[table::kSingleByte[byte]] = byte;
        }
        const auto addLead = [this](unsigned lead) {
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const int t = TrailIndex(static_cast<unsigned char>(trail));
                if (t < 0)
                    continue;
                const char16_t unit =
                    table::kDoubleByte[LeadIndex(static_cast<unsigned char>(lead)) * table::kTrailCount + t];
                if (unit != 0 && codes[unit] == kNoCode)
                    codes[unit] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        };
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (LeadIndex(static_cast<unsigned char>(lead)) >= 0 && lead != 0xED && lead != 0xEE)
                addLead(lead);
        }
        addLead(0xED);
        addLead(0xEE);
    }
};

const EncodeIndex& Index() {
    static const EncodeIndex index;
    return index;
}

} // namespace

std::u16string Decode(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const int lead = LeadIndex(byte);
        if (lead < 0) {
            out += table::kSingleByte[byte];
        } else if (i + 1 < bytes.size() && bytes[i + 1] != '\0') {
            // The system takes any following byte but NUL as the second byte, valid or not.
            out += DecodePair(lead, static_cast<unsigned char>(bytes[++i]));
        } else {
            out += kDefaultChar;
        }
    }
    return out;
}

std::optional<std::string> Encode(std::u16string_view text) {
    const EncodeIndex& index = Index();
    std::string out;
    out.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
            continue;
        }
        const std::uint16_t code = index.codes[unit];
        if (code == kNoCode)
            return std::nullopt;
        if (code > 0xFF)
            out += static_cast<char>(code >> 8);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

} // namespace cp932

} // namespace tarvoline
