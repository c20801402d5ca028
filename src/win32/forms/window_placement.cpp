#include "forms/window_placement.h"

namespace tarvoline {

WindowRect WindowPlacement::NormalRect() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!window_ || !GetWindowPlacement(window_, &placement))
        return {};
    const RECT& r = placement.rcNormalPosition;
    return {r.left, r.top, r.right, r.bottom};
}

void WindowPlacement::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width, std::int32_t height) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!window_ || !GetWindowPlacement(window_, &placement))
        return;
    // Through the placement, so a maximized window keeps the new size for when it is restored.
    placement.rcNormalPosition = {left, top, left + width, top + height};
    if (!IsWindowVisible(window_))
        placement.showCmd = SW_HIDE;
    SetWindowPlacement(window_, &placement);
}

std::int32_t WindowPlacement::WindowState() const {
    if (window_ && IsZoomed(window_))
        return kWindowMaximized;
    if (window_ && IsIconic(window_))
        return kWindowMinimized;
    return kWindowNormal;
}

void WindowPlacement::SetWindowState(std::int32_t state) {
    if (!window_ || state == WindowState())
        return;
    ShowWindow(window_, state == kWindowMaximized ? SW_MAXIMIZE : state == kWindowMinimized ? SW_MINIMIZE : SW_RESTORE);
}

std::int32_t WindowPlacement::ScreenWidth() const {
    return GetSystemMetrics(SM_CXSCREEN);
}

std::int32_t WindowPlacement::ScreenHeight() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

} // namespace tarvoline
