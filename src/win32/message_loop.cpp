#include "message_loop.h"

namespace tarvoline {

void DispatchWindowMessage(MSG& message, HWND mainWindow, HACCEL accelerators) {
    if (mainWindow && accelerators && TranslateAcceleratorW(mainWindow, accelerators, &message))
        return;
    // Tab between the main window's controls, Enter for its default button.
    if (mainWindow && IsDialogMessageW(mainWindow, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void ProcessPendingWindowMessages(HWND mainWindow, HACCEL accelerators) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchWindowMessage(message, mainWindow, accelerators);
    }
}

int RunMessageLoop(HWND mainWindow, HACCEL accelerators) {
    MSG message;
    BOOL result;
    while ((result = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (result == -1)
            return 0;
        DispatchWindowMessage(message, mainWindow, accelerators);
    }
    return static_cast<int>(message.wParam);
}

} // namespace tarvoline
