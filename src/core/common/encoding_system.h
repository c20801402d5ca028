#pragma once
// The system's own ANSI code page conversion: the Win32 API on Windows, the portable
// code page 932 tables elsewhere, and the locale's text order. Only encoding.cpp and collation.cpp call these.
#include <optional>
#include <string>
#include <string_view>

namespace tarvoline::detail {
std::u16string SystemAnsiToUtf16(std::string_view ansi);
std::optional<std::string> SystemUtf16ToAnsi(std::u16string_view text);
// Case-insensitive order by the user's locale: negative, 0 or positive.
int SystemCompareIgnoringCase(std::string_view a, std::string_view b);
} // namespace tarvoline::detail
