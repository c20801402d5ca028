#pragma once
#include <windows.h>

namespace tarvoline {

// The standard error display for an exception nothing else caught: its text in a box with the stop
// icon, an OK button and the application title. Call it only inside a catch block.
void ShowCurrentException(HWND owner) noexcept;

} // namespace tarvoline
