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

// Length in bytes (1 or 2) of the character starting at pos (pos < text.size()). As the system walks
// text (CharNextA, MultiByteToWideChar), a lead byte takes any following byte but NUL as its second
// byte; a lead byte at the end or before a NUL is a character of its own.
std::size_t CharLengthAt(std::string_view text, std::size_t pos);

// Number of characters, walked as CharLengthAt does: equals the length of the text in UTF-16.
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
// "C:\dir\name.ext" -> "C:\dir" (without the trailing backslash, except for a root: "C:\name" -> "C:\").
std::string ExtractFileDir(std::string_view path);
// "C:\dir\name.tar.ext" -> ".ext" (with the dot; "" when the file name has no dot).
std::string ExtractFileExt(std::string_view path);

// Upper case as the system does for the ANSI code page (CharUpperBuffA): ASCII letters, and the
// full-width Latin, Greek, Cyrillic and small Roman numeral letters of code page 932; a second byte is
// never taken for an ASCII letter. Like the system, each double-byte character goes through UTF-16 and
// back, so a character with two codes (NEC/IBM duplicates) comes out in the code the system prefers and
// an invalid pair as the default character (0x81 0x45). The length in bytes never changes.
std::string AnsiUpperCase(std::string_view text);
// Case-insensitive equality under AnsiUpperCase.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);
// Case-sensitive and case-insensitive substring search, both on character boundaries only: a match
// starts and ends between characters. FindText returns the byte offset, searching from the first
// character that starts at or after from; npos when not found.
std::size_t FindText(std::string_view haystack, std::string_view needle, std::size_t from = 0);
bool ContainsText(std::string_view haystack, std::string_view needle);
bool ContainsTextIgnoringCase(std::string_view haystack, std::string_view needle);

// Removes blanks and control characters (single-byte characters <= 0x20) at both ends.
std::string TrimBlanks(std::string_view text);
std::string TrimLeftBlanks(std::string_view text);
std::string TrimRightBlanks(std::string_view text);

} // namespace tarvoline
