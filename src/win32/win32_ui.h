#pragma once
#include "platform/ui.h"

namespace tarvoline {

class MainWindow;

// The application title: the caption of every message box and the start of the main window's caption.
inline constexpr char kApplicationTitle[] = "Tarvoline";

// Message boxes, status text and message pumping on the real main window. It reads the window's
// handles at each call, so it may be installed before the window exists (boxes then have no owner).
class Win32Ui final : public Ui {
public:
    explicit Win32Ui(MainWindow& mainWindow) : mainWindow_(mainWindow) {}

    MessageResult ShowMessageBox(const std::string& text, MessageButtons buttons) override;
    void SetStatusBarText(const std::string& text) override;
    void ProcessPendingMessages() override;
    MessageResult PromptPassword(const std::string& prompt, std::string& text) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;

private:
    MainWindow& mainWindow_;
    int waitCursorDepth_ = 0;
    void* cursorBeforeWait_ = nullptr; // HCURSOR
};

} // namespace tarvoline
