#pragma once
#include <windows.h>

namespace tarvoline {

// Opens the help file beside the program (its path with ".chm") at a context number. Does nothing
// when the help viewer is not installed.
void ShowHelp(HWND owner, int context) noexcept;

} // namespace tarvoline
