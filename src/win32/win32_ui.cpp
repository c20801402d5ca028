#include "win32_ui.h"

#include <windows.h>

#include "main_form.h"
#include "message_loop.h"

namespace tarvoline {

MessageResult Win32Ui::ShowMessageBox(const std::string& text, MessageButtons buttons) {
    const HWND mainWindow = mainForm_.Handle();
    if (mainWindow) {
        ShowWindow(mainWindow, SW_SHOW);
        SetForegroundWindow(mainWindow);
    }
    HWND owner = GetActiveWindow();
    if (!owner)
        owner = mainWindow;
    const int result = MessageBoxA(owner, text.c_str(), kApplicationTitle, static_cast<UINT>(buttons));
    // A box with only OK has only one answer, however it was closed (Wine says IDCANCEL when the
    // close button is used). 0 means no box could be shown: closed without a choice.
    if (buttons == MessageButtons::Ok)
        return MessageResult::Ok;
    if (result == 0)
        return MessageResult::Cancel;
    return static_cast<MessageResult>(result);
}

void Win32Ui::SetStatusBarText(const std::string& text) {
    mainForm_.SetStatusText(text);
}

void Win32Ui::ProcessPendingMessages() {
    ProcessPendingWindowMessages(mainForm_.Handle(), mainForm_.Accelerators());
}

} // namespace tarvoline
