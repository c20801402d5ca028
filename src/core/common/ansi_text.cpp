#include "common/ansi_text.h"

#include "common/encoding.h"

namespace tarvoline {

namespace {

constexpr auto npos = std::string_view::npos;

// Start of the last character that is one of delimiters, or npos. Only character starts are looked at.
std::size_t LastDelimiter(std::string_view text, std::string_view delimiters) {
    std::size_t found = npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos)) {
        if (delimiters.find(text[pos]) != npos)
            found = pos; // a lead byte is never a delimiter
    }
    return found;
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// Upper case of the code page 932 letters that have one: the system's mapping restricted to them.
char16_t ToUpper(char16_t c) {
    // ASCII and full-width Latin; Greek (no final sigma in the code page); Cyrillic а..я, then ё and
    // its row; small Roman numerals.
    if ((c >= u'a' && c <= u'z') || (c >= u'\uFF41' && c <= u'\uFF5A'))
        return c - 0x20;
    if (c >= u'\u03B1' && c <= u'\u03C9' && c != u'\u03C2')
        return c - 0x20;
    if (c >= u'\u0430' && c <= u'\u044F')
        return c - 0x20;
    if (c >= u'\u0450' && c <= u'\u045F')
        return c - 0x50;
    if (c >= u'\u2170' && c <= u'\u217F')
        return c - 0x10;
    return c;
}

} // namespace

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::size_t CharLengthAt(std::string_view text, std::size_t pos) {
    if (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() && text[pos + 1] != '\0')
        return 2;
    return 1;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLengthAt(text, pos))
        ++count;
    return count;
}

std::size_t LastBackslash(std::string_view path) {
    return LastDelimiter(path, "\\");
}

bool HasTrailingBackslash(std::string_view path) {
    return !path.empty() && LastBackslash(path) == path.size() - 1;
}

std::string IncludeTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (!HasTrailingBackslash(path))
        result += '\\';
    return result;
}

std::string ExcludeTrailingBackslash(std::string_view path) {
    if (HasTrailingBackslash(path))
        path.remove_suffix(1);
    return std::string(path);
}

std::string ExtractFileName(std::string_view path) {
    const std::size_t delimiter = LastDelimiter(path, "\\:");
    return std::string(delimiter == npos ? path : path.substr(delimiter + 1));
}

std::string ExtractFilePath(std::string_view path) {
    const std::size_t delimiter = LastDelimiter(path, "\\:");
    return delimiter == npos ? std::string() : std::string(path.substr(0, delimiter + 1));
}

std::string ExtractFileDir(std::string_view path) {
    std::size_t end = LastDelimiter(path, "\\:");
    if (end == npos)
        return {};
    // Drop the backslash unless it is the root's: "C:\", "\", or the second of "\\".
    if (path[end] == '\\' && end > 0) {
        if (LastDelimiter(path.substr(0, end), "\\:") != end - 1)
            return std::string(path.substr(0, end));
    }
    return std::string(path.substr(0, end + 1));
}

std::string ExtractFileExt(std::string_view path) {
    const std::size_t delimiter = LastDelimiter(path, ".\\:");
    if (delimiter == npos || path[delimiter] != '.')
        return {};
    return std::string(path.substr(delimiter));
}

std::string AnsiUpperCase(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLengthAt(text, pos);
        const std::string_view character = text.substr(pos, length);
        pos += length;
        if (length == 1) {
            // Single bytes: only ASCII letters have an upper case. A lone lead byte stays as it is.
            const char c = character[0];
            result += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 0x20) : c;
            continue;
        }
        const char16_t upper = ToUpper(cp932::Decode(character)[0]);
        const std::optional<std::string> encoded = cp932::Encode(std::u16string_view(&upper, 1));
        // Every upper case of a code page 932 character is one too, and two bytes long like it.
        result += (encoded && encoded->size() == 2) ? std::string_view(*encoded) : character;
    }
    return result;
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && AnsiUpperCase(a) == AnsiUpperCase(b);
}

std::size_t FindText(std::string_view haystack, std::string_view needle, std::size_t from) {
    for (std::size_t pos = 0;; pos += CharLengthAt(haystack, pos)) {
        if (pos >= from && haystack.substr(pos, needle.size()) == needle) {
            // The match must end between characters too: walk it as the haystack is walked.
            std::size_t end = pos;
            while (end < pos + needle.size())
                end += CharLengthAt(haystack, end);
            if (end == pos + needle.size())
                return pos;
        }
        if (pos >= haystack.size())
            return npos;
    }
}

bool ContainsText(std::string_view haystack, std::string_view needle) {
    return FindText(haystack, needle) != npos;
}

bool ContainsTextIgnoringCase(std::string_view haystack, std::string_view needle) {
    // AnsiUpperCase keeps every character's length, so character boundaries stay where they were.
    return FindText(AnsiUpperCase(haystack), AnsiUpperCase(needle)) != npos;
}

std::string TrimLeftBlanks(std::string_view text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin; // a blank is never a lead byte
    return std::string(text.substr(begin));
}

std::string TrimRightBlanks(std::string_view text) {
    // A second byte is never taken for a blank: keep everything up to the end of the last non-blank character.
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = CharLengthAt(text, pos);
        if (length == 2 || !IsBlank(text[pos]))
            end = pos + length;
        pos += length;
    }
    return std::string(text.substr(0, end));
}

std::string TrimBlanks(std::string_view text) {
    return TrimRightBlanks(TrimLeftBlanks(text));
}

} // namespace tarvoline
