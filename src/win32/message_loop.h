#pragma once
#include <windows.h>

namespace tarvoline {

// One message as the program handles it everywhere: menu shortcuts first, then the usual translation
// and dispatch. The main loop and the pumps inside long work both use it, so shortcuts behave the same.
void DispatchWindowMessage(MSG& message, HWND mainWindow, HACCEL accelerators);

// Handles the pending messages and returns; false once WM_QUIT has come, which stays posted so the
// main loop ends too.
bool ProcessPendingWindowMessages(HWND mainWindow, HACCEL accelerators);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators);

} // namespace tarvoline
