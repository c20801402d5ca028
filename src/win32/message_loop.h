#pragma once
#include <windows.h>

namespace tarvoline {

// One message as the program handles it everywhere: menu shortcuts first, then the dialog keys of the
// main window (Tab, Enter), then the usual translation and dispatch; a message for another dialog (one
// shown while long work pumps messages) gets that dialog's keys and no menu shortcut. The main loop and
// the pumps inside long work both use it, so shortcuts behave the same.
void DispatchWindowMessage(MSG& message, HWND mainWindow, HACCEL accelerators);

// Handles the pending messages and returns. A WM_QUIT found on the way is posted again, so the main
// loop still ends.
void ProcessPendingWindowMessages(HWND mainWindow, HACCEL accelerators);

// Runs until WM_QUIT; returns its exit code.
int RunMessageLoop(HWND mainWindow, HACCEL accelerators);

} // namespace tarvoline
