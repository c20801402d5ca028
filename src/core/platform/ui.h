#pragma once
#include <string>

namespace tarvoline {

// Button sets and results carry the platform's message-box values.
enum class MessageButtons : unsigned { Ok = 0, OkCancel = 1, YesNoCancel = 3 };
enum class MessageResult : int { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

// What the core needs of the window system. The Win32 implementation shows real boxes and
// the main window's status bar; tests answer boxes and record every text.
class Ui {
public:
    virtual ~Ui() = default;
    // Brings the main window to the front, shows a modal box (caption "Tarvoline", no icon,
    // owned by the active window) and returns the button that closed it.
    virtual MessageResult ShowMessageBox(const std::string& text, MessageButtons buttons) = 0;
    // Puts the text into the main window's status bar (simple text).
    virtual void SetStatusBarText(const std::string& text) = 0;
    // Handles every pending window message, so the window repaints and stays usable during long work.
    virtual void ProcessPendingMessages() = 0;
    // The modal one-line input dialog ("入力ダイアログ") with the prompt and a masked edit that starts with
    // text. Returns Ok or Cancel; text then holds the edit's content, also after Cancel.
    virtual MessageResult PromptPassword(const std::string& prompt, std::string& text) = 0;
    // The hourglass cursor, nested: the cursor shown before the outermost begin comes back at its end.
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

} // namespace tarvoline
