#pragma once
// Top-level windows of other programs, as the password key-in sees and drives them.
#include <cstdint>
#include <string>
#include <vector>

namespace tarvoline {

using WindowId = std::uintptr_t;

class DesktopWindows {
public:
    virtual ~DesktopWindows() = default;
    // Every top-level window, in the system's order.
    virtual std::vector<WindowId> TopLevelWindows() = 0;
    virtual bool BelongsToThisProcess(WindowId window) = 0;
    // Window text and class name as ANSI text (at most 999 bytes).
    virtual std::string Title(WindowId window) = 0;
    virtual std::string ClassName(WindowId window) = 0;
    // Every child window at any depth, in the system's order.
    virtual std::vector<WindowId> Descendants(WindowId window) = 0;
    // Sent synchronously: WM_SETTEXT.
    virtual void SetText(WindowId window, const std::string& text) = 0;
    // Sent synchronously: WM_LBUTTONDOWN then WM_LBUTTONUP at the point 5,5.
    virtual void ClickButton(WindowId window) = 0;
    // Sent synchronously: WM_KEYDOWN then WM_KEYUP of the Enter key.
    virtual void PressEnter(WindowId window) = 0;
};

} // namespace tarvoline
