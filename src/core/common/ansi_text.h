#pragma once
// Double-byte aware operations on narrow (code page 932) paths and texts.
// In code page 932 the bytes 0x40..0xFC can be the second byte of a character, so a 0x5C ('\')
// or an ASCII letter found by a byte search may be half of a Japanese character.
#include <cstddef>
#include <string>
#include <string_view>

namespace tarvoline {

// Lead byte of a two-byte character in code page 932 (0x81..0x9F, 0xE0..0xFC).
bool IsLeadByte(unsigned char byte);

// Byte offsets where characters start; a lead byte at the very end counts as one character.
std::size_t CharacterCount(std::string_view text);

// Position of the last real backslash, or std::string_view::npos.
std::size_t LastBackslash(std::string_view path);
// True when the last character (not merely the last byte) is a backslash.
bool HasTrailingBackslash(std::string_view path);
// Ensures the path ends with a real backslash.
std::string IncludeTrailingBackslash(std::string_view path);
// Removes one trailing backslash when the last character is one.
std::string ExcludeTrailingBackslash(std::string_view path);

// "C:\dir\name.ext" -> "name.ext" (text after the last backslash or drive colon).
std::string ExtractFileName(std::string_view path);
// "C:\dir\name.ext" -> "C:\dir\" (with the trailing backslash; "" when there is no folder part).
std::string ExtractFilePath(std::string_view path);
// "C:\dir\name.ext" -> "C:\dir" (without the trailing backslash).
std::string ExtractFileDir(std::string_view path);
// "C:\dir\name.tar.ext" -> ".ext" (with the dot; "" when the file name has no dot).
std::string ExtractFileExt(std::string_view path);

// Upper case as the system does for the ANSI code page: ASCII letters, and the full-width Latin,
// Greek and Cyrillic letters of code page 932. Second bytes of double-byte characters are never touched.
std::string AnsiUpperCase(std::string_view text);
// Case-insensitive equality under AnsiUpperCase.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// Case-sensitive and case-insensitive substring search, both on character boundaries only.
std::size_t FindText(std::string_view haystack, std::string_view needle, std::size_t from = 0);
bool ContainsText(std::string_view haystack, std::string_view needle);
bool ContainsTextIgnoringCase(std::string_view haystack, std::string_view needle);

// Removes blanks and control characters (bytes <= 0x20) at both ends.
std::string TrimBlanks(std::string_view text);
std::string TrimLeftBlanks(std::string_view text);
std::string TrimRightBlanks(std::string_view text);

} // namespace tarvoline
