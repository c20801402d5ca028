#include "message_loop.h"

namespace tarvoline {

namespace {

// The dialog a message is meant for, when it is not the main window: a window opened over the main
// window during long work (a folder's files printing, a collection) keeps its own keys then.
HWND OtherDialogOf(const MSG& message, HWND mainWindow) {
    const HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (!root || root == mainWindow)
        return nullptr;
    wchar_t className[16] = {};
    GetClassNameW(root, className, 16);
    return wcscmp(className, L"#32770") == 0 ? root : nullptr;
}

} // namespace

void DispatchWindowMessage(MSG& message, HWND mainWindow, HACCEL accelerators) {
    if (const HWND dialog = OtherDialogOf(message, mainWindow)) {
        // The main window's shortcuts are not for it: they would act on the list behind the dialog.
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        return;
    }
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
