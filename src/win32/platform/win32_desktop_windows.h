#pragma once
#include "platform/desktop_windows.h"

namespace tarvoline {

// Windows of any process through the ANSI user32 functions, so texts are in the system's code page.
// Safe to use from a worker thread: every message is sent, and the receiving thread handles it.
class Win32DesktopWindows final : public DesktopWindows {
public:
    std::vector<WindowId> TopLevelWindows() override;
    bool BelongsToThisProcess(WindowId window) override;
    std::string Title(WindowId window) override;
    std::string ClassName(WindowId window) override;
    std::vector<WindowId> Descendants(WindowId window) override;
    void SetText(WindowId window, const std::string& text) override;
    void ClickButton(WindowId window) override;
    void PressEnter(WindowId window) override;
};

} // namespace tarvoline
