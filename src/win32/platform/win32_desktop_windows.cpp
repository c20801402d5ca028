#include "platform/win32_desktop_windows.h"

#include <windows.h>

namespace tarvoline {
namespace {

constexpr int kTextBufferSize = 1000;
// The point 5,5 in client coordinates: inside any button.
constexpr LPARAM kClickPoint = MAKELPARAM(5, 5);
static_assert(kClickPoint == 0x50005);
// A repeat count of one, the key not held before.
constexpr LPARAM kEnterKeyData = 1;

HWND Handle(WindowId window) {
    return reinterpret_cast<HWND>(window);
}

// The enumeration callbacks run inside user32: nothing may be thrown through them.
BOOL CALLBACK CollectWindow(HWND window, LPARAM found) {
    try {
        reinterpret_cast<std::vector<WindowId>*>(found)->push_back(reinterpret_cast<WindowId>(window));
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

} // namespace

std::vector<WindowId> Win32DesktopWindows::TopLevelWindows() {
    std::vector<WindowId> found;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

bool Win32DesktopWindows::BelongsToThisProcess(WindowId window) {
    DWORD process = 0;
    GetWindowThreadProcessId(Handle(window), &process);
    return process == GetCurrentProcessId();
}

std::string Win32DesktopWindows::Title(WindowId window) {
    char text[kTextBufferSize];
    const int length = GetWindowTextA(Handle(window), text, kTextBufferSize);
    return std::string(text, length > 0 ? length : 0);
}

std::string Win32DesktopWindows::ClassName(WindowId window) {
    char name[kTextBufferSize];
    const int length = GetClassNameA(Handle(window), name, kTextBufferSize);
    return std::string(name, length > 0 ? length : 0);
}

std::vector<WindowId> Win32DesktopWindows::Descendants(WindowId window) {
    // EnumChildWindows goes down into the children's children itself.
    std::vector<WindowId> found;
    EnumChildWindows(Handle(window), CollectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

void Win32DesktopWindows::SetText(WindowId window, const std::string& text) {
    SendMessageA(Handle(window), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Win32DesktopWindows::ClickButton(WindowId window) {
    SendMessageA(Handle(window), WM_LBUTTONDOWN, 0, kClickPoint);
    SendMessageA(Handle(window), WM_LBUTTONUP, 0, kClickPoint);
}

void Win32DesktopWindows::PressEnter(WindowId window) {
    SendMessageA(Handle(window), WM_KEYDOWN, VK_RETURN, kEnterKeyData);
    SendMessageA(Handle(window), WM_KEYUP, VK_RETURN, kEnterKeyData);
}

} // namespace tarvoline
