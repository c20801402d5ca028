#include "win32_ui.h"

#include <windows.h>

#include "main_window.h"
#include "message_loop.h"
#include "text_input_dialog.h"

namespace tarvoline {

MessageResult Win32Ui::ShowMessageBox(const std::string& text, MessageButtons buttons) {
    const HWND mainWindow = mainWindow_.Handle();
    if (mainWindow) {
        ShowWindow(mainWindow, SW_SHOW);
        // The main window comes forward with its dialogs: one open over it stays in front and active, so it
        // owns the box (Wine would otherwise raise the disabled main window over the dialog).
        SetForegroundWindow(GetLastActivePopup(mainWindow));
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
    mainWindow_.SetStatusText(text);
}

void Win32Ui::ProcessPendingMessages() {
    ProcessPendingWindowMessages(mainWindow_.Handle(), mainWindow_.Accelerators());
}

MessageResult Win32Ui::PromptPassword(const std::string& prompt, std::string& text) {
    return ShowTextInputDialog(mainWindow_.Handle(), prompt, text);
}

void Win32Ui::BeginWaitCursor() {
    const HCURSOR wait = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT));
    if (waitCursorDepth_++ == 0)
        cursorBeforeWait_ = SetCursor(wait);
    else
        SetCursor(wait);
}

void Win32Ui::EndWaitCursor() {
    if (waitCursorDepth_ > 0 && --waitCursorDepth_ == 0)
        SetCursor(static_cast<HCURSOR>(cursorBeforeWait_));
}

} // namespace tarvoline
