#pragma once
// The one place where text changes encoding.
// Narrow strings (std::string) hold the system's ANSI code page, code page 932 on a Japanese system.
// Window controls and automation take UTF-16; files the user imports or exports and the log file are UTF-8.
// On Windows the ANSI conversions go through the system (MultiByteToWideChar/WideCharToMultiByte);
// elsewhere through the portable code page 932 tables below, which give the same results.
#include <optional>
#include <string>
#include <string_view>

namespace tarvoline {

// ANSI -> UTF-16. Never fails: a byte sequence that is not valid code page 932 becomes the
// code page's default character, as the system does.
std::u16string AnsiToUtf16(std::string_view ansi);
// UTF-16 -> ANSI; nullopt when a character has no exact representation (no best-fit guessing).
std::optional<std::string> Utf16ToAnsi(std::u16string_view text);
// UTF-16 -> ANSI for text that must get through even when it cannot be represented, such as names an
// automation server returns: each character (a surrogate pair counts as one, a lone surrogate too)
// without an exact code becomes '?'. File names and sheet names cannot hold '?', so a name changed
// this way never matches a real one.
std::string Utf16ToAnsiReplacing(std::u16string_view text);

// UTF-8 <-> UTF-16 are the same everywhere. Invalid UTF-8 and lone surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view text);
bool IsValidUtf8(std::string_view utf8);

std::string AnsiToUtf8(std::string_view ansi);
// UTF-16 -> ANSI for display: a character without a code page form shows as "?".
std::string Utf16ToAnsiLossy(std::u16string_view text);
// A text file's bytes as its byte-order mark says (UTF-8, UTF-16 LE or BE); UTF-8 without one.
std::u16string DecodeTextFile(std::string_view bytes);
// nullopt when the text is not valid UTF-8 or a character cannot be represented in the ANSI code page.
std::optional<std::string> Utf8ToAnsi(std::string_view utf8);

namespace cp932 {
// The portable implementation, always compiled, so the Windows build can prove it equals the system's.
// As MultiByteToWideChar(932): a lead byte takes any following byte but NUL as its second byte; a pair
// that is no character, or a lead byte at the end or before a NUL, becomes U+30FB.
std::u16string Decode(std::string_view bytes);
// As WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS): nullopt when any unit has no exact code (surrogates,
// so everything outside the BMP, included); a character with several codes gets the one Windows picks.
std::optional<std::string> Encode(std::u16string_view text);
} // namespace cp932

} // namespace tarvoline
