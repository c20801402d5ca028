#pragma once
// The Win32 W functions take wchar_t, which is UTF-16 on Windows.
#include <string>
#include <string_view>

#include "common/encoding.h"

namespace tarvoline {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// Code page 932 text of the core -> text for a W function.
inline std::wstring ToWide(std::string_view ansi) {
    const std::u16string utf16 = AnsiToUtf16(ansi);
    return std::wstring(utf16.begin(), utf16.end());
}

} // namespace tarvoline
