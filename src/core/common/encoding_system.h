#pragma once
// The system's own ANSI code page conversion: the Win32 API on Windows, the portable
// code page 932 tables elsewhere. Only encoding.cpp calls these.
#include <optional>
#include <string>
#include <string_view>

namespace tarvoline::detail {
std::u16string SystemAnsiToUtf16(std::string_view ansi);
std::optional<std::string> SystemUtf16ToAnsi(std::u16string_view text);
} // namespace tarvoline::detail
